// Impression de la liste de courses.
#include "U_VX_FormPrincipale.h"

#include "Interactions.h"
#include "ReglagesUtilisateur.h"
#include "U_VX_DataModule.h"
#include "U_vx_compagnon.h"
#include "U_vx_impression.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrinter>

void TFormPrincipale::imprimerExecute()
{
    QPrinter imprimante(QPrinter::HighResolution);
    if (!Interactions::courantes().choisirImprimante(imprimante))
        return;
    parlerCompagnon(QStringLiteral("Impression de la liste de courses lancée."));
    imprimerSurImprimante(imprimante, dm->listeCourses, reglages.fichierLC, totalLC, casesAImprimer());
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
    const bool cases = casesAImprimer();
    connect(&apercu, &QPrintPreviewDialog::paintRequested, this, [this, lignes, fichier, total, cases](QPrinter* p) {
        executerHorsCommande([&] { imprimerSurImprimante(*p, lignes, fichier, total, cases); });
    });
    Interactions::courantes().montrerModal(&apercu);
    ecrireStatut(QStringLiteral("Aperçu avant impression de la liste de courses [") + horodatage() + u']');
}

namespace {
const QString kCleCasesImpression = QStringLiteral("impression/casesACocher");
}

bool TFormPrincipale::casesAImprimer()
{
    return reglagesUtilisateur().value(kCleCasesImpression, false).toBool();
}

void TFormPrincipale::casesImpressionExecute()
{
    // L'action cochable a déjà changé d'état ; le réglage la suit.
    reglagesUtilisateur().setValue(kCleCasesImpression, action(QStringLiteral("casesImpression"))->isChecked());
}

void TFormPrincipale::preparerCasesImpression()
{
    QAction* a = action(QStringLiteral("casesImpression"));
    a->setCheckable(true);
    a->setChecked(casesAImprimer());
}
