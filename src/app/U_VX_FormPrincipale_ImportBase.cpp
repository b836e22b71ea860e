// Import d'une base d'articles de l'ancienne version.
#include "U_VX_FormPrincipale.h"

// À venir.
void TFormPrincipale::importerBDExecute() {}
