// Impression de la liste de courses.
#include "U_VX_FormPrincipale.h"

// À venir.
void TFormPrincipale::imprimerExecute() {}
