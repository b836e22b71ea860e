// Impression de la liste de courses.
#include "U_VX_FormPrincipale.h"

#include "Interactions.h"
#include "U_VX_DataModule.h"
#include "U_vx_compagnon.h"
#include "U_vx_impression.h"

#include <QPrintPreviewDialog>
#include <QPrinter>

void TFormPrincipale::imprimerExecute()
{
    QPrinter imprimante(QPrinter::HighResolution);
    if (!Interactions::courantes().choisirImprimante(imprimante))
        return;
    parlerCompagnon(QStringLiteral("Impression de la liste de courses lancée."));
    imprimerSurImprimante(imprimante, dm->listeCourses, reglages.fichierLC, totalLC);
    ecrireStatut(QStringLiteral("Impression de la liste de courses [") + horodatage() + u']');
}

void TFormPrincipale::apercuImpressionExecute()
{
    // Les pages viennent de la même mise en page que l'impression ; le dialogue imprime aussi.
    QPrinter imprimante(QPrinter::HighResolution);
    QPrintPreviewDialog apercu(&imprimante, this);
    apercu.setObjectName(QStringLiteral("apercuImpression"));
    apercu.setWindowTitle(QStringLiteral("Vatrelix - Aperçu avant impression"));
    const QStringList lignes = dm->listeCourses;
    const QString fichier = reglages.fichierLC;
    const double total = totalLC;
    connect(&apercu, &QPrintPreviewDialog::paintRequested, this, [this, lignes, fichier, total](QPrinter* p) {
        executerHorsCommande([&] { imprimerSurImprimante(*p, lignes, fichier, total); });
    });
    Interactions::courantes().montrerModal(&apercu);
    ecrireStatut(QStringLiteral("Aperçu avant impression de la liste de courses [") + horodatage() + u']');
}
