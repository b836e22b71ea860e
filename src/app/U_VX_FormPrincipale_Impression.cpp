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
    imprimerListe(imprimante, dm->listeCourses, reglages.fichierLC, totalLC, casesAImprimer());
}

void TFormPrincipale::imprimerListe(QPrinter& imprimante, const QStringList& lignes, const QString& fichier, double total, bool cases)
{
    parlerCompagnon(QStringLiteral("Impression de la liste de courses lancée."));
    imprimerSurImprimante(imprimante, lignes, fichier, total, cases);
    ecrireStatut(QStringLiteral("Impression de la liste de courses [") + horodatage() + u']');
}

namespace {

// Rend l'action de la barre de l'aperçu reliée à l'emplacement privé donné, débranchée de lui.
QAction* actionApercu(QPrintPreviewDialog& apercu, const char* emplacement)
{
    for (QAction* a : apercu.findChildren<QAction*>())
        if (QObject::disconnect(a, SIGNAL(triggered(bool)), &apercu, emplacement))
            return a;
    return nullptr;
}

} // namespace

void TFormPrincipale::apercuImpressionExecute()
{
    // Les pages viennent de la même mise en page que l'impression.
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
    // Le bouton d'impression de l'aperçu prend le chemin de la commande Imprimer (choix de
    // l'imprimante par les interactions) ; la mise en page de Qt, hors de ce chemin, est cachée.
    if (QAction* imprimer = actionApercu(apercu, SLOT(_q_print()))) {
        imprimer->setObjectName(QStringLiteral("imprimerApercu"));
        imprimer->setToolTip(QStringLiteral("Imprimer la liste de courses"));
        connect(imprimer, &QAction::triggered, &apercu, [&] {
            QPrinter choisie(QPrinter::HighResolution);
            if (!Interactions::courantes().choisirImprimante(choisie))
                return;
            executerHorsCommande([&] { imprimerListe(choisie, lignes, fichier, total, cases); });
            apercu.accept();
        });
    }
    if (QAction* miseEnPage = actionApercu(apercu, SLOT(_q_pageSetup()))) {
        miseEnPage->setObjectName(QStringLiteral("miseEnPageApercu"));
        miseEnPage->setVisible(false);
    }
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
