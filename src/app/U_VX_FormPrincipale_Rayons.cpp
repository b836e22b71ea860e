// Commandes des rayons et reconstruction de l'arbre.
#include "U_VX_FormPrincipale.h"

#include "ArbreRayons.h"
#include "ImagesVatrelix.h"
#include "U_VX_DataModule.h"

#include <QStandardItemModel>

void TFormPrincipale::majArbreRayonsExecute()
{
    construireArbre(*modeleArbreRayon, dm->listeRayons, OrdreArbre::Trie, iconeNoeud);
    trierArbre(*modeleArbreRayon);
    majListeArticlesExecute();
}

// À venir : ajout, modification et suppression de rayons.
void TFormPrincipale::ajouterRayonExecute() {}
void TFormPrincipale::ajouterRayonRacineExecute() {}
void TFormPrincipale::modifierRayonExecute() {}
void TFormPrincipale::supprimerRayonExecute() {}
