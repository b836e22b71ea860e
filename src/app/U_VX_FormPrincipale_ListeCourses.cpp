// Liste de courses : ajout, modification et retrait de lignes, rafraîchissement de la vue
// et des totaux, fichiers de liste (nouvelle, ouvrir, enregistrer, importer).
#include "U_VX_FormPrincipale.h"

#include "Configuration.h"
#include "Conversions.h"
#include "Erreurs.h"
#include "FichierTexte.h"
#include "FichierLC.h"
#include "Interactions.h"
#include "LigneLC.h"
#include "ModeleListeCourses.h"
#include "RechercheArticles.h"
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
#include <QUndoStack>

namespace {

const QString kLegendeAchat = QStringLiteral("Vatrelix ACHAT");
const QString kTitreQuantite = QStringLiteral("Nombre d'article(s) - ");

// Dossier d'un chemin : sans le dernier séparateur ni le nom ; vide sans séparateur.
QString dossierDe(const QString& chemin)
{
    const qsizetype i = std::max({chemin.lastIndexOf(u'/'), chemin.lastIndexOf(u'\\'), chemin.lastIndexOf(u':')});
    return i < 0 ? QString() : chemin.left(i);
}

// Remplacer un fichier existant demande confirmation (Non par défaut) ; vrai quand on peut
// écrire. confirme : la question a été posée et acceptée.
bool remplacementAccepte(const QString& chemin, bool& confirme)
{
    confirme = false;
    if (!QFileInfo::exists(chemin))
        return true;
    confirme = Interactions::courantes().message(
                   QStringLiteral("Le fichier \"") + chemin
                       + QStringLiteral("\" existe déjà.\nVoulez-vous le remplacer ?"),
                   TypeMessage::Confirmation, BoutonsMessage::OuiNon, ReponseMessage::Non)
               == ReponseMessage::Oui;
    return confirme;
}

// Deux chemins du même fichier : liens symboliques suivis.
bool memeFichier(const QString& a, const QString& b)
{
    return !a.isEmpty() && !b.isEmpty() && cibleReelle(a) == cibleReelle(b);
}

// Dit, à la suite d'un statut, que ce chemin ne sera pas rouvert au prochain démarrage.
QString noteCheminNonRetenu(const QString& chemin)
{
    if (cheminRetenable(chemin))
        return {};
    return QStringLiteral(" - Ce chemin ne sera pas rouvert au prochain démarrage : le fichier de configuration "
                          "ne peut pas écrire certains de ses caractères.");
}

// Prépare et montre le dialogue de quantité ; rend la quantité, ou 0 s'il est annulé.
int demanderQuantite(TFormPrincipale& f, const QString& article, const QString& textePU, ModeDialogue mode, int quantite)
{
    TformLC* formLC = f.formLC;
    if (!formLC)
        return 0;
    formLC->setWindowTitle(kLegendeAchat);
    formLC->setTitre(kTitreQuantite + article);
    formLC->modeModification = mode;
    formLC->couleurHaut = f.reglages.couleurHaut;
    formLC->couleurBas = f.reglages.couleurBas;
    formLC->couleurTexte = f.reglages.couleurTexte;
    formLC->setPrixUnitaire(textePU);
    if (mode == ModeDialogue::Modification)
        formLC->setQuantite(quantite);
    // Une fermeture qui ne passe pas par les boutons vaut annulation.
    formLC->valide = false;
    Interactions::courantes().montrerModal(formLC);
    return formLC->valide ? formLC->quantite() : 0;
}

} // namespace

void TFormPrincipale::ajouterDansLCExecute()
{
    // Recherche en cours : les résultats choisis, chacun de son rayon ; sinon la liste d'articles.
    QList<ResultatRecherche> choix;
    if (rechercheActive()) {
        choix = resultatsChoisis();
    } else if (TRayon* rayon = rayonChoisi(*ui.arbreRayon)) {
        for (TArticle* a : articlesChoisis(*ui.listeArticles))
            choix.append({a, rayon, {}, {}, 0, {}});
    }
    for (const ResultatRecherche& r : choix) {
        TArticle* a = r.article;
        const QString nomRayon = r.rayon->getNom();
        int quantite = 1;
        if (!toucheSpeciale) {
            quantite = demanderQuantite(*this, a->getNom(), FormatFloat(QStringLiteral("0.00"), a->getPrix()), ModeDialogue::Ajout, 0);
            if (quantite < 1)
                continue;
        }
        dm->listeCourses.append(composerLigne(quantite, a->getNom(), a->getRemarque(), nomRayon, a->getPrix()));
        ecrireStatut(QStringLiteral("Ajout de l'article \"") + a->getNom() + QStringLiteral("\" du rayon \"")
                     + nomRayon + QStringLiteral("\" dans la liste de courses"));
        majLCExecute();
    }
}

void TFormPrincipale::modifierNbLCExecute()
{
    const QList<int> indices = rangeesSelectionnees(*ui.lvListeCourses);
    if (indices.isEmpty())
        return;
    const ModeleListeCourses& rangees = *ui.modeleListeCourses;
    for (int i : indices) {
        const QString article = rangees.texte(i, ColLCArticle);
        const QString rayon = rangees.texte(i, ColLCRayon);
        const QString textePU = sansEuro(rangees.texte(i, ColLCPU));
        const int quantite = demanderQuantite(*this, article, textePU, ModeDialogue::Modification, StrToInt(rangees.texte(i, ColLCNb)));
        if (quantite < 1)
            continue;
        dm->listeCourses[i] = composerLigne(quantite, article, rangees.texte(i, ColLCRemarque), rayon, textePU, i);
        ecrireStatut(QStringLiteral("Modification de l'article \"") + article + QStringLiteral("\" du rayon \"")
                     + rayon + QStringLiteral("\" dans la liste de courses"));
    }
    majLCExecute();
}

void TFormPrincipale::supprimerDeLCExecute()
{
    const QList<int> indices = rangeesSelectionnees(*ui.lvListeCourses);
    if (indices.isEmpty())
        return;
    animerCompagnon(QStringLiteral("Sad"));
    // Du bas vers le haut : les indices restants demeurent valables. Les rangées montrent la
    // liste d'avant les retraits jusqu'au rafraîchissement.
    const ModeleListeCourses& rangees = *ui.modeleListeCourses;
    for (qsizetype k = indices.size() - 1; k >= 0; --k) {
        const int i = indices.at(k);
        const QString article = rangees.texte(i, ColLCArticle);
        const QString rayon = rangees.texte(i, ColLCRayon);
        if (i < dm->listeCourses.size())
            dm->listeCourses.removeAt(i);
        ecrireStatut(QStringLiteral("Suppression de l'article \"") + article + QStringLiteral("\" du rayon \"")
                     + rayon + QStringLiteral("\" dans la liste de courses"));
    }
    majLCExecute();
}

void TFormPrincipale::majLCExecute()
{
    rafraichirLC(nullptr);
}

void TFormPrincipale::rafraichirLC(const TotauxLC* connus)
{
    QTreeView& vue = *ui.lvListeCourses;
    const QStringList& lignes = dm->listeCourses;
    // La vue ne se redessine qu'à la fin.
    vue.setUpdatesEnabled(false);
    vue.selectionModel()->clear();
    TotauxLC totaux = connus ? *connus : TotauxLC{};
    if (!connus) {
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            try {
                cumulerLigne(totaux, comptesLigne(lignes.at(i)), i);
            } catch (...) {
                // Les rangées jusqu'à la ligne fautive restent affichées ; pied et total gardent
                // leurs valeurs.
                ui.modeleListeCourses->synchroniser(lignes.first(i + 1));
                vue.setUpdatesEnabled(true);
                throw;
            }
        }
    }
    // Seules les rangées changées sont signalées à la vue.
    ui.modeleListeCourses->synchroniser(lignes);
    vue.setUpdatesEnabled(true);
    // Les coches, qui suivent leurs lignes, se relisent à la peinture.
    vue.viewport()->update();
    totalLC = totaux.total;
    suivreCoches(totaux);
    ui.barreFactureLC->setHint(texteFactureMagasin());
    ui.barreFactureLC->repaint();
}

const QStringList& TFormPrincipale::lignesLC() const
{
    static const QStringList aucune;
    return dm ? dm->listeCourses : aucune;
}

void TFormPrincipale::retenirListeEnregistree(const QString& chemin, const EmpreinteFichier& empreinte)
{
    m_lignesEnregistrees = dm->listeCourses;
    m_cheminEmpreinteLC = chemin;
    m_empreinteLC = empreinte;
    retenirCoches(chemin);
}

void TFormPrincipale::chargerLC(const QString& chemin)
{
    animerCompagnon(QStringLiteral("Blink"));
    // Lu et vérifié avant tout remplacement : un fichier refusé laisse le magasin intact.
    EmpreinteFichier empreinte;
    if (chemin.isEmpty()) {
        majLCExecute();
    } else {
        TotauxLC totaux;
        dm->listeCourses = lireListeLC(chemin, &empreinte, &totaux);
        rafraichirLC(&totaux);
    }
    retenirListeEnregistree(chemin, empreinte);
    // Une liste ouverte repart sans historique.
    oublierHistoriqueListe();
    majTitre();
}

void TFormPrincipale::enregistrerLCExecute()
{
    enregistrerListe();
}

TFormPrincipale::Enregistrement TFormPrincipale::enregistrerListe()
{
    bool remplacementConfirme = false;
    if (reglages.fichierLC.isEmpty()) {
        DialogueFichier dialogue{QStringLiteral("Enregistrer la liste de courses"), filtreFichierLC(),
                                 m_nomDialogueEnregistrement, {}};
        if (!Interactions::courantes().enregistrerFichier(dialogue))
            return Enregistrement::Annule;
        m_nomDialogueEnregistrement = dialogue.nomFichier;
        animerCompagnon(QStringLiteral("Acknowledge"));
        // La question porte sur le chemin réellement écrit, après la règle d'extension.
        const QString chemin = nomFichierLC(dialogue.nomFichier);
        if (!remplacementAccepte(chemin, remplacementConfirme))
            return Enregistrement::Refuse;
        reglages.fichierLC = chemin;
    }
    return ecrireLC(QStringLiteral("Enregistrement de '"), remplacementConfirme) ? Enregistrement::Ecrit
                                                                                : Enregistrement::Refuse;
}

void TFormPrincipale::enregistrerLCSousExecute()
{
    DialogueFichier dialogue{QStringLiteral("Enregistrer la liste de courses sous..."), filtreFichierLC(),
                             reglages.fichierLC, {}};
    if (!Interactions::courantes().enregistrerFichier(dialogue))
        return;
    m_nomDialogueEnregistrement = dialogue.nomFichier;
    const QString chemin = nomFichierLC(dialogue.nomFichier);
    bool remplacementConfirme = false;
    if (!remplacementAccepte(chemin, remplacementConfirme))
        return;
    reglages.fichierLC = chemin;
    ecrireLC(QStringLiteral("Enregistrement sous '"), remplacementConfirme);
}

// Une écriture ratée lève : rien n'est retenu ni annoncé.
bool TFormPrincipale::ecrireLC(const QString& annonce, bool remplacementConfirme)
{
    // Ouvrir une liste n'écrit jamais dans le fichier qu'elle ouvre.
    if (!m_fichierEnOuverture.isEmpty() && memeFichier(reglages.fichierLC, m_fichierEnOuverture)) {
        throw EFichierErreur(QStringLiteral("La liste courante n'a pas été enregistrée dans \"%1\" : c'est le fichier "
                                            "que vous ouvrez, il aurait été remplacé avant d'être lu.\nEnregistrez-la "
                                            "sous un autre nom, ou ne l'enregistrez pas.")
                                 .arg(reglages.fichierLC));
    }
    if (!remplacementConfirme && memeFichier(reglages.fichierLC, m_cheminEmpreinteLC)
        && fichierChange(reglages.fichierLC, m_empreinteLC) && !confirmerEcrasementModifie(reglages.fichierLC)) {
        ecrireStatut(QStringLiteral("Enregistrement de '") + reglages.fichierLC
                     + QStringLiteral("' annulé : le fichier a changé sur le disque [") + horodatage() + u']');
        return false;
    }
    const EmpreinteFichier empreinte = ecrireFichierLC(reglages.fichierLC, dm->listeCourses);
    retenirListeEnregistree(reglages.fichierLC, empreinte);
    retenirListeRecente(reglages.fichierLC);
    ecrireStatut(annonce + reglages.fichierLC + QStringLiteral("' [") + horodatage() + u']'
                 + noteCheminNonRetenu(reglages.fichierLC));
    return true;
}

void TFormPrincipale::nouvelleListeExecute()
{
    if (listeModifiee()) {
        // Oui par défaut : enregistrer ne perd rien (un écrasement demande à part, Non par défaut).
        const ReponseMessage reponse = Interactions::courantes().message(
            QStringLiteral("Voulez-vous enregistrer les modifications apportées à la liste de courses ?"),
            TypeMessage::Confirmation, BoutonsMessage::OuiNon, ReponseMessage::Oui);
        // Un enregistrement annulé n'empêche pas la nouvelle liste ; raté ou refusé, il l'arrête.
        if (reponse == ReponseMessage::Oui && enregistrerListe() == Enregistrement::Refuse)
            return;
    }
    commencerNouvelleListe();
}

void TFormPrincipale::commencerNouvelleListe()
{
    animerCompagnon(QStringLiteral("DoMagic1"));
    animerCompagnon(QStringLiteral("DoMagic2"));
    animerCompagnon(QStringLiteral("RestPose"));
    dm->listeCourses.clear();
    // Les coches de l'ancienne liste restent dans les réglages, pour son fichier.
    m_coches.oublier(dm->listeCourses);
    // En pleine ouverture, la vue n'est rafraîchie qu'une fois, avec la liste ouverte.
    if (m_fichierEnOuverture.isEmpty())
        majLCExecute();
    reglages.fichierLC.clear();
    retenirListeEnregistree(QString(), EmpreinteFichier{});
    ecrireStatut(QStringLiteral("Nouvelle liste de courses [") + horodatage() + u']');
}

void TFormPrincipale::ouvrirListeExecute()
{
    DialogueFichier dialogue{QStringLiteral("Ouvrir une liste de courses"), filtreFichierLC(), reglages.fichierLC, {}};
    if (!Interactions::courantes().ouvrirFichier(dialogue))
        return;
    ouvrirFichierLC(dialogue.nomFichier);
}

void TFormPrincipale::ouvrirFichierLC(const QString& chemin)
{
    // Lu et vérifié d'abord : un fichier refusé laisse la liste courante et fichierLC tels quels.
    EmpreinteFichier empreinte;
    TotauxLC totaux;
    QStringList lignes = lireListeLC(chemin, &empreinte, &totaux);
    if (!reglages.fichierLC.isEmpty() && memeFichier(chemin, reglages.fichierLC)) {
        // Rouvrir le fichier de la liste courante revient à sa version enregistrée.
        if (listeModifiee()
            && Interactions::courantes().message(
                   QStringLiteral("La liste de courses a été modifiée depuis son dernier enregistrement dans \"%1\".\n"
                                  "Rouvrir ce fichier abandonne ces modifications. Voulez-vous le rouvrir ?")
                       .arg(chemin),
                   TypeMessage::Confirmation, BoutonsMessage::OuiNon, ReponseMessage::Non)
                   != ReponseMessage::Oui)
            return;
        const QString precedent = std::exchange(m_fichierEnOuverture, chemin);
        commencerNouvelleListe();
        m_fichierEnOuverture = precedent;
    } else {
        const QString precedent = std::exchange(m_fichierEnOuverture, chemin);
        try {
            nouvelleListeExecute();
        } catch (...) {
            m_fichierEnOuverture = precedent;
            throw;
        }
        m_fichierEnOuverture = precedent;
        // La question a pu être refusée : la liste courante est gardée, rien n'est ouvert.
        if (listeModifiee())
            return;
    }
    reglages.fichierLC = chemin;
    animerCompagnon(QStringLiteral("Blink"));
    dm->listeCourses = std::move(lignes);
    rafraichirLC(&totaux);
    retenirListeEnregistree(chemin, empreinte);
    oublierHistoriqueListe();
    majTitre();
    retenirListeRecente(chemin);
    ecrireStatut(QStringLiteral("Ouverture de '") + reglages.fichierLC + QStringLiteral("' [") + horodatage() + u']'
                 + noteCheminNonRetenu(reglages.fichierLC));
}

void TFormPrincipale::importerLCExecute()
{
    DialogueFichier dialogue{QStringLiteral("Importer une liste de courses"), filtreFichierLC(), {},
                             dossierDe(reglages.fichierLC)};
    if (!Interactions::courantes().ouvrirFichier(dialogue))
        return;
    animerCompagnon(QStringLiteral("DoMagic1"));
    animerCompagnon(QStringLiteral("DoMagic2"));
    animerCompagnon(QStringLiteral("RestPose"));
    // Lu et vérifié avant d'ajouter quoi que ce soit : un fichier refusé laisse la liste intacte.
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
