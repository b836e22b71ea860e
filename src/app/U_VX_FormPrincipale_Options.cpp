// Dialogue des options.
#include "U_VX_FormPrincipale.h"

// À venir.
void TFormPrincipale::configurerOptionsExecute() {}
