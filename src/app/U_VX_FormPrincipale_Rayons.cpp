// Commandes des rayons et reconstruction de l'arbre.
#include "U_VX_FormPrincipale.h"

#include "ArbreRayons.h"
#include "Conversions.h"
#include "Couleurs.h"
#include "ImagesVatrelix.h"
#include "Interactions.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormRayon.h"
#include "U_rayon.h"
#include "U_vx_compagnon.h"

#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTreeView>

namespace {

// Un nom entre guillemets droits, tel que les lignes d'état l'écrivent.
QString entreGuillemets(const QString& texte)
{
    return u'"' + texte + u'"';
}

// Premier index, en profondeur, dont le nœud porte ce rayon.
QModelIndex chercherNoeud(const QStandardItemModel& modele, const TRayon* rayon, const QModelIndex& parent)
{
    const int n = modele.rowCount(parent);
    for (int ligne = 0; ligne < n; ++ligne) {
        const QModelIndex index = modele.index(ligne, 0, parent);
        if (rayonDuNoeud(index) == rayon)
            return index;
        const QModelIndex trouve = chercherNoeud(modele, rayon, index);
        if (trouve.isValid())
            return trouve;
    }
    return {};
}

// Grise les destinations où la copie d'un rayon haut de hauteur niveaux dépasserait
// profondeurMaxRayons : le dialogue ne peut pas les faire choisir. niveau : celui des nœuds
// fils de parent, l'arbre du dialogue suivant les niveaux du modèle.
void griserDestinationsTropProfondes(QStandardItem& parent, int niveau, int hauteur, const QString& raison)
{
    for (int ligne = 0; ligne < parent.rowCount(); ++ligne) {
        QStandardItem* noeud = parent.child(ligne);
        if (niveau + hauteur > profondeurMaxRayons) {
            noeud->setFlags(noeud->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
            noeud->setToolTip(raison);
        }
        griserDestinationsTropProfondes(*noeud, niveau + 1, hauteur, raison);
    }
}

} // namespace

TRayon* TFormPrincipale::rayonSelectionne() const
{
    const QItemSelectionModel* selection = ui.arbreRayon->selectionModel();
    if (!selection)
        return nullptr;
    const QModelIndexList indexes = selection->selectedIndexes();
    return indexes.isEmpty() ? nullptr : rayonDuNoeud(indexes.first());
}

bool TFormPrincipale::selectionnerRayon(const TRayon* rayon)
{
    if (!rayon)
        return false;
    const QModelIndex index = chercherNoeud(*ui.modeleArbreRayon, rayon, QModelIndex());
    if (!index.isValid())
        return false;
    // La sélection déclenche arbreRayonChange, qui recharge la liste d'articles.
    ui.arbreRayon->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect
                                                             | QItemSelectionModel::Rows);
    ui.arbreRayon->scrollTo(index);
    return true;
}

void TFormPrincipale::majArbreRayonsExecute()
{
    construireArbre(*ui.modeleArbreRayon, dm->listeRayons, OrdreArbre::Trie, iconeNoeud);
    trierArbre(*ui.modeleArbreRayon);
    rouvrirRayonsRetenus();
    // Aucun nœud n'est plus sélectionné : la liste garde ce qu'elle montrait.
    majListeArticlesExecute();
}

void TFormPrincipale::ajouterRayonExecute()
{
    TRayon* pere = rayonSelectionne();
    if (!pere) {
        majArbreRayonsExecute();
        return;
    }
    // Dit avant de demander un nom qui ne pourrait servir.
    if (!filsRayonAdmis(pere)) {
        Interactions::courantes().message(QStringLiteral("Impossible d'ajouter un rayon dans « %1 » : ").arg(pere->getNom())
                                              + texteProfondeurMaxRayons(),
                                          TypeMessage::Avertissement, BoutonsMessage::Ok);
        return;
    }
    const QString nom = sansCaracteresInterditsXml(Interactions::courantes().saisie(
        QStringLiteral("Nouveau Rayon"), QStringLiteral("Nom du nouveau Rayon :"), QString()));
    if (nom.isEmpty())
        return;
    pere->ajouterRayonFils(nom, clWhite, pere);
    ecrireStatut(QStringLiteral("Ajout du rayon ") + entreGuillemets(nom) + QStringLiteral(" dans ")
                 + entreGuillemets(pere->getNom()) + QStringLiteral(" [") + horodatage() + u']');
    majArbreRayonsExecute();
}

void TFormPrincipale::ajouterRayonRacineExecute()
{
    const QString nom = sansCaracteresInterditsXml(Interactions::courantes().saisie(
        QStringLiteral("Nouveau Rayon racine"), QStringLiteral("Nom du nouveau Rayon :"), QString()));
    if (nom.isEmpty())
        return;
    dm->ajouterRayonRacine(nom);
    ecrireStatut(QStringLiteral("Ajout du rayon racine ") + entreGuillemets(nom) + QStringLiteral(" [")
                 + horodatage() + u']');
    majArbreRayonsExecute();
}

void TFormPrincipale::modifierRayonExecute()
{
    TRayon* rayon = rayonSelectionne();
    if (!rayon)
        return;
    formRayon->setWindowTitle(QStringLiteral("Vatrelix - RAYON"));
    formRayon->setTitre(QStringLiteral("MODIFICATION DE RAYON"));
    formRayon->rayon = rayon;
    formRayon->remplirArbre(iconeNoeud);
    griserDestinationsTropProfondes(*formRayon->modeleArbre().invisibleRootItem(), 1, rayon->getHauteur(),
                                    QStringLiteral("Impossible d'y copier « %1 » : ").arg(rayon->getNom())
                                        + texteProfondeurMaxRayons());
    formRayon->couleurHaut = reglages.couleurHaut;
    formRayon->couleurBas = reglages.couleurBas;
    // Le dialogue applique lui-même nom, couleur, déplacement ou copie.
    Interactions::courantes().montrerModal(formRayon);
    // Un rayon déplacé a quitté la base mais reste lisible (rebuts) : son nom est encore sûr.
    ecrireStatut(QStringLiteral("Modification du rayon ") + entreGuillemets(rayon->getNom()) + QStringLiteral(" [")
                 + horodatage() + QStringLiteral("] (Opération terminée)"));
    majArbreRayonsExecute();
    // Absent de l'arbre reconstruit après un déplacement : rien n'est sélectionné.
    selectionnerRayon(rayon);
}

void TFormPrincipale::supprimerRayonExecute()
{
    TRayon* rayon = rayonSelectionne();
    if (!rayon)
        return;
    TRayon* pere = rayon->getPere();
    const QString libellePere = pere ? pere->getNom() : QStringLiteral("[RACINE]");
    const ReponseMessage reponse = Interactions::courantes().message(
        QStringLiteral("Êtes-vous sûr de vouloir supprimer le rayon '") + rayon->getNom() + QStringLiteral("', de '")
            + libellePere + QStringLiteral("' ?\nATTENTION ! Tous les articles contenus le seront aussi !"),
        TypeMessage::Confirmation, BoutonsMessage::OuiNon, ReponseMessage::Non);
    if (reponse != ReponseMessage::Oui)
        return;
    animerCompagnon(QStringLiteral("Sad"));
    // Détaché avec tout son sous-arbre : les rebuts le gardent tant qu'une vue peut le montrer.
    if (pere)
        pere->retirerRayonFils(rayon);
    else
        dm->retirerRayonRacine(rayon);
    ecrireStatut(QStringLiteral("Suppression du rayon ") + entreGuillemets(rayon->getNom()) + QStringLiteral(" de \" ")
                 + libellePere + QStringLiteral("\" [") + horodatage() + u']');
    majArbreRayonsExecute();
}
