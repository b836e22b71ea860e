#pragma once
// Les rebuts : les rayons et articles retirés de leur conteneur y attendent leur
// destruction, pour qu'aucune vue ne garde un pointeur pendant. Le module de données
// les vide quand plus rien ne les montre (après un rechargement) et à sa destruction.
#include <QtGlobal>

class TRayon;
class TArticle;

namespace Rebuts {
// Prend en charge un élément détaché (avec tout son sous-arbre) ; nul : sans effet.
void deposer(TRayon* rayon);
void deposer(TArticle* article);
// Reprend un élément déposé, qui va être rattaché (annulation d'un retrait) ; sans effet
// s'il n'y est pas. Les plus récents sont cherchés d'abord.
void reprendre(TRayon* rayon);
void reprendre(TArticle* article);
// Détruit tout ce qui a été déposé.
void vider();
qsizetype nombre();
}
