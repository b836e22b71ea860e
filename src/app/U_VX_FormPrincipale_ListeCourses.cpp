// Liste de courses : rafraîchissement de la vue et des totaux, chargement d'un fichier.
#include "U_VX_FormPrincipale.h"

#include "FichierLC.h"
#include "LigneLC.h"
#include "TPaintBox.h"
#include "U_VX_DataModule.h"
#include "U_vx_compagnon.h"

#include <QTreeWidget>

void TFormPrincipale::majLCExecute()
{
    lvListeCourses->clear();
    TotauxLC totaux;
    const QStringList& lignes = dm->listeCourses;
    QList<QTreeWidgetItem*> rangees;
    rangees.reserve(lignes.size());
    try {
        for (qsizetype i = 0; i < lignes.size(); ++i) {
            const ChampsLigneLC champs = decouperLigne(lignes.at(i));
            auto* rangee = new QTreeWidgetItem(
                QStringList{champs.nb, champs.article, champs.remarque, champs.rayon, champs.pu, champs.total});
            rangee->setTextAlignment(ColLCPU, Qt::AlignRight | Qt::AlignVCenter);
            rangee->setTextAlignment(ColLCTotal, Qt::AlignRight | Qt::AlignVCenter);
            rangees.append(rangee);
            cumulerLigne(totaux, champs, i);
        }
    } catch (...) {
        // Les rangées déjà construites restent affichées ; pied et total gardent leurs valeurs.
        lvListeCourses->addTopLevelItems(rangees);
        throw;
    }
    lvListeCourses->addTopLevelItems(rangees);
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

// À venir : ajout, modification et retrait de lignes, fichiers de liste.
void TFormPrincipale::ajouterDansLCExecute() {}
void TFormPrincipale::modifierNbLCExecute() {}
void TFormPrincipale::supprimerDeLCExecute() {}
void TFormPrincipale::nouvelleListeExecute() {}
void TFormPrincipale::ouvrirListeExecute() {}
void TFormPrincipale::enregistrerLCExecute() {}
void TFormPrincipale::enregistrerLCSousExecute() {}
void TFormPrincipale::importerLCExecute() {}
