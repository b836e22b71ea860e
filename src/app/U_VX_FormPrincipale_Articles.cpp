// Commandes des articles.
#include "U_VX_FormPrincipale.h"

// À venir.
void TFormPrincipale::ajouterArticleExecute() {}
void TFormPrincipale::modifierArticleExecute() {}
void TFormPrincipale::supprimerArticleExecute() {}
void TFormPrincipale::majListeArticlesExecute() {}
