// Réglages : lus à la construction de la fenêtre, écrits à sa destruction.
#include "U_VX_FormPrincipale.h"

void TFormPrincipale::lireConfigAppli()
{
    // Un fichier présent mais illisible lève : la fenêtre n'est pas construite.
    reglages = lireConfiguration();
}

void TFormPrincipale::enregistrerConfigAppliExecute()
{
    enregistrerConfiguration(reglages);
}
