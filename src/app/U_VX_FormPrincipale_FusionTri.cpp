// Fusion et tri des lignes de la liste de courses.
#include "U_VX_FormPrincipale.h"

#include "FusionTriLC.h"
#include "U_VX_DataModule.h"
#include "U_vx_compagnon.h"

void TFormPrincipale::fusionnerLignesLCExecute()
{
    animerCompagnon(QStringLiteral("Process"));
    // Une conversion impossible arrête ici : les fusions faites restent, sans rafraîchissement.
    fusionnerLignesLC(dm->listeCourses);
    majLCExecute();
    animerCompagnon(QStringLiteral("Congratulate"));
    ecrireStatut(QStringLiteral("Fusion des données... Terminée ! [") + horodatage() + u']');
}

void TFormPrincipale::trierLCExecute()
{
    trierLC(dm->listeCourses);
    majLCExecute();
    animerCompagnon(QStringLiteral("Congratulate"));
    ecrireStatut(QStringLiteral("Tri des données... Terminé ! [") + horodatage() + u']');
}
