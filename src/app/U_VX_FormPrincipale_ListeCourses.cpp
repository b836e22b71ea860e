// Liste de courses : ajout, modification et retrait de lignes, rafraîchissement de la vue
// et des totaux, fichiers de liste (nouvelle, ouvrir, enregistrer, importer).
#include "U_VX_FormPrincipale.h"

#include "Conversions.h"
#include "FichierLC.h"
#include "Interactions.h"
#include "LigneLC.h"
#include "RangeeLC.h"
#include "SelectionVues.h"
#include "TPaintBox.h"
#include "U_Article.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormLC.h"
#include "U_rayon.h"
#include "U_vx_compagnon.h"

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QTreeView>
#include <QTreeWidget>

namespace {

const QString kLegendeAchat = QStringLiteral("Vatrelix ACHAT");
const QString kTitreQuantite = QStringLiteral("Nombre d'article(s) - ");

// Le dialogue d'enregistrement garde ce qu'il montrait la dernière fois.
QString& nomDialogueEnregistrement()
{
    static QString nom;
    return nom;
}

// Dossier d'un chemin : sans le dernier séparateur ni le nom ; vide sans séparateur.
QString dossierDe(const QString& chemin)
{
    const qsizetype i = std::max({chemin.lastIndexOf(u'/'), chemin.lastIndexOf(u'\\'), chemin.lastIndexOf(u':')});
    return i < 0 ? QString() : chemin.left(i);
}

// Remplacer un fichier existant demande confirmation ; vrai quand on peut écrire.
bool remplacementAccepte(const QString& chemin)
{
    if (!QFileInfo::exists(chemin))
        return true;
    return Interactions::courantes().message(
               QStringLiteral("Le fichier \"") + chemin
                   + QStringLiteral("\" existe déjà.\nVoulez-vous le remplacer ?"),
               TypeMessage::Confirmation, BoutonsMessage::OuiNon)
           == ReponseMessage::Oui;
}

// Prépare et montre le dialogue de quantité ; rend la quantité, ou 0 s'il est annulé.
int demanderQuantite(TFormPrincipale& f, const QString& article, const QString& textePU, int mode, int quantite)
{
    TformLC* formLC = f.formLC;
    if (!formLC)
        return 0;
    formLC->setWindowTitle(kLegendeAchat);
    formLC->setTitre(kTitreQuantite + article);
    formLC->modeModification = mode;
    formLC->couleurHaut = f.couleurHaut;
    formLC->couleurBas = f.couleurBas;
    formLC->couleurTexte = f.couleurTexte;
    formLC->setPrixUnitaire(textePU);
    if (mode == 1)
        formLC->setQuantite(quantite);
    // Une fermeture qui ne passe pas par les boutons vaut annulation.
    formLC->valide = false;
    Interactions::courantes().montrerModal(formLC);
    return formLC->valide ? formLC->quantite() : 0;
}

} // namespace

void TFormPrincipale::ajouterDansLCExecute()
{
    const QList<TArticle*> articles = articlesChoisis(*listeArticles);
    TRayon* rayon = rayonChoisi(*arbreRayon);
    if (articles.isEmpty() || !rayon)
        return;
    const QString nomRayon = rayon->getNom();
    for (TArticle* a : articles) {
        int quantite = 1;
        if (!toucheSpeciale) {
            quantite = demanderQuantite(*this, a->getNom(), FormatFloat(QStringLiteral("0.00"), a->getPrix()), 0, 0);
            if (quantite < 1)
                continue;
        }
        dm->listeCourses.append(composerLigne(quantite, a->getNom(), a->getRemarque(), nomRayon, a->getPrix()));
        ecrireStatut(QStringLiteral("Ajout de l'article \"") + a->getNom() + QStringLiteral("\" du rayon \"")
                     + nomRayon + QStringLiteral("\"  dans la liste de courses"));
        majLCExecute();
    }
}

void TFormPrincipale::modifierNbLCExecute()
{
    const QList<int> indices = rangeesSelectionnees(*lvListeCourses);
    if (indices.isEmpty())
        return;
    for (int i : indices) {
        const QTreeWidgetItem* rangee = lvListeCourses->topLevelItem(i);
        const QString article = rangee->text(ColLCArticle);
        const QString rayon = rangee->text(ColLCRayon);
        const QString textePU = sansEuro(rangee->text(ColLCPU));
        const int quantite = demanderQuantite(*this, article, textePU, 1, StrToInt(rangee->text(ColLCNb)));
        if (quantite < 1)
            continue;
        dm->listeCourses[i] = composerLigne(quantite, article, rangee->text(ColLCRemarque), rayon, textePU, i);
        ecrireStatut(QStringLiteral("Modification de l'article \"") + article + QStringLiteral("\" du rayon \"")
                     + rayon + QStringLiteral("\"  dans la liste de courses"));
    }
    majLCExecute();
}

void TFormPrincipale::supprimerDeLCExecute()
{
    const QList<int> indices = rangeesSelectionnees(*lvListeCourses);
    if (indices.isEmpty())
        return;
    animerCompagnon(QStringLiteral("Sad"));
    // Du bas vers le haut : les indices restants demeurent valables.
    for (qsizetype k = indices.size() - 1; k >= 0; --k) {
        const int i = indices.at(k);
        const QTreeWidgetItem* rangee = lvListeCourses->topLevelItem(i);
        const QString article = rangee->text(ColLCArticle);
        const QString rayon = rangee->text(ColLCRayon);
        if (i < dm->listeCourses.size())
            dm->listeCourses.removeAt(i);
        ecrireStatut(QStringLiteral("Suppression de l'article \"") + article + QStringLiteral("\" du rayon \"")
                     + rayon + QStringLiteral("\"  dans la liste de courses"));
    }
    majLCExecute();
}

void TFormPrincipale::majLCExecute()
{
    // Remplissage en un seul lot : la vue ne se redessine qu'à la fin.
    lvListeCourses->setUpdatesEnabled(false);
    lvListeCourses->clear();
    TotauxLC totaux;
    const QStringList& lignes = dm->listeCourses;
    QList<QTreeWidgetItem*> rangees;
    rangees.reserve(lignes.size());
    try {
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            auto* rangee = new RangeeLC(lignes.at(i));
            rangees.append(rangee);
            cumulerLigne(totaux, rangee->champsComptes(), i);
        }
    } catch (...) {
        // Les rangées déjà construites restent affichées ; pied et total gardent leurs valeurs.
        lvListeCourses->addTopLevelItems(rangees);
        lvListeCourses->setUpdatesEnabled(true);
        throw;
    }
    lvListeCourses->addTopLevelItems(rangees);
    lvListeCourses->setUpdatesEnabled(true);
    totalLC = totaux.total;
    barreFactureLC->setHint(texteFactureLC(totaux));
    barreFactureLC->repaint();
}

void TFormPrincipale::chargerLC(const QString& chemin)
{
    animerCompagnon(QStringLiteral("Blink"));
    // lireFichierLC lève avant tout remplacement : un fichier illisible laisse le magasin intact.
    if (!chemin.isEmpty())
        dm->listeCourses = lireFichierLC(chemin);
    majLCExecute();
}

void TFormPrincipale::enregistrerLCExecute()
{
    if (fichierLC.isEmpty()) {
        DialogueFichier dialogue{QStringLiteral("Enregistrer la liste de courses"), filtreFichierLC(),
                                 nomDialogueEnregistrement(), {}};
        if (!Interactions::courantes().enregistrerFichier(dialogue))
            return;
        nomDialogueEnregistrement() = dialogue.nomFichier;
        animerCompagnon(QStringLiteral("Acknowledge"));
        // La question porte sur le chemin réellement écrit, après la règle d'extension.
        const QString chemin = nomFichierLC(dialogue.nomFichier);
        if (!remplacementAccepte(chemin))
            return;
        fichierLC = chemin;
    }
    ecrireLC(QStringLiteral("Enregistrement de '"));
}

void TFormPrincipale::enregistrerLCSousExecute()
{
    DialogueFichier dialogue{QStringLiteral("Enregistrer la liste de courses sous..."), filtreFichierLC(),
                             fichierLC, {}};
    if (!Interactions::courantes().enregistrerFichier(dialogue))
        return;
    nomDialogueEnregistrement() = dialogue.nomFichier;
    const QString chemin = nomFichierLC(dialogue.nomFichier);
    if (!remplacementAccepte(chemin))
        return;
    fichierLC = chemin;
    ecrireLC(QStringLiteral("Enregistrement sous '"));
}

// Une écriture ratée lève : ni dernier enregistrement retenu, ni annonce.
void TFormPrincipale::ecrireLC(const QString& annonce)
{
    ecrireFichierLC(fichierLC, dm->listeCourses);
    m_dernierEnregistrementLC = fichierLC;
    ecrireStatut(annonce + fichierLC + QStringLiteral("' [") + horodatage() + u']');
}

void TFormPrincipale::nouvelleListeExecute()
{
    const ReponseMessage reponse = Interactions::courantes().message(
        QStringLiteral("Voulez-vous enregistrer les modifications apportées à la liste de courses ?"),
        TypeMessage::Confirmation, BoutonsMessage::OuiNon);
    // Un enregistrement annulé n'empêche pas la nouvelle liste ; un enregistrement raté l'arrête.
    if (reponse == ReponseMessage::Oui)
        enregistrerLCExecute();
    animerCompagnon(QStringLiteral("DoMagic1"));
    animerCompagnon(QStringLiteral("DoMagic2"));
    animerCompagnon(QStringLiteral("RestPose"));
    dm->listeCourses.clear();
    majLCExecute();
    fichierLC.clear();
    ecrireStatut(QStringLiteral("Nouvelle liste de courses [") + horodatage() + u']');
}

void TFormPrincipale::ouvrirListeExecute()
{
    DialogueFichier dialogue{QStringLiteral("Ouvrir une liste de courses"), filtreFichierLC(), fichierLC, {}};
    if (!Interactions::courantes().ouvrirFichier(dialogue))
        return;
    const QString chemin = dialogue.nomFichier;
    // Lu d'abord : un fichier illisible laisse la liste courante et fichierLC tels quels.
    QStringList lignes = lireFichierLC(chemin);
    m_dernierEnregistrementLC.clear();
    nouvelleListeExecute();
    // La liste courante vient d'être écrite dans ce même fichier : c'est elle qu'on rouvre.
    if (!m_dernierEnregistrementLC.isEmpty()
        && QFileInfo(m_dernierEnregistrementLC).absoluteFilePath() == QFileInfo(chemin).absoluteFilePath())
        lignes = lireFichierLC(chemin);
    fichierLC = chemin;
    animerCompagnon(QStringLiteral("Blink"));
    dm->listeCourses = std::move(lignes);
    majLCExecute();
    ecrireStatut(QStringLiteral("Ouverture de '") + fichierLC + QStringLiteral("' [") + horodatage() + u']');
}

void TFormPrincipale::importerLCExecute()
{
    DialogueFichier dialogue{QStringLiteral("Importer une liste de courses"), filtreFichierLC(), {},
                             dossierDe(fichierLC)};
    if (!Interactions::courantes().ouvrirFichier(dialogue))
        return;
    animerCompagnon(QStringLiteral("DoMagic1"));
    animerCompagnon(QStringLiteral("DoMagic2"));
    animerCompagnon(QStringLiteral("RestPose"));
    importerFichierLC(dialogue.nomFichier, dm->listeCourses);
    majLCExecute();
    animerCompagnon(QStringLiteral("Pleased"));
    ecrireStatut(QStringLiteral("Importation des données... Terminée ! [") + horodatage() + u']');
    if (Interactions::courantes().message(
            QStringLiteral("Voulez-vous fusionner les données importées avec la liste de courses courante ?"),
            TypeMessage::Confirmation, BoutonsMessage::OuiNon)
        == ReponseMessage::Oui)
        fusionnerLignesLCExecute();
}
