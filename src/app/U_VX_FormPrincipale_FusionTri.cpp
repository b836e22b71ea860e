// Fusion et tri des lignes de la liste de courses.
#include "U_VX_FormPrincipale.h"

// À venir.
void TFormPrincipale::fusionnerLignesLCExecute() {}
void TFormPrincipale::trierLCExecute() {}
