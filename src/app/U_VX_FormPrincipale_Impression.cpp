// Impression de la liste de courses.
#include "U_VX_FormPrincipale.h"

#include "Interactions.h"
#include "U_VX_DataModule.h"
#include "U_vx_compagnon.h"
#include "U_vx_impression.h"

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
