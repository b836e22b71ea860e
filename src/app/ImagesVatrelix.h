#pragma once
// La liste d'images partagée : 32 images de 16 × 16 pixels ; seuls les indices sont fixés.
#include "ArbreRayons.h"

#include <QIcon>
#include <QPixmap>

constexpr int nbImagesVatrelix = 32;

// Indices des images, nommés d'après leur usage ; une même image sert parfois deux usages.
// Énumération non délimitée : les indices restent des entiers, tels que les tables des
// commandes et des menus les donnent et que les nœuds de l'arbre les portent (RoleImage).
// Les images des nœuds sont celles de la liaison de l'arbre (ArbreRayons.h).
enum ImageVatrelix : int {
    ImgAucune = -1,
    ImgEnregistrer = 0,
    ImgConfiguration = 7,
    ImgSupprimerArticle = 8,
    ImgOuvrir = 9,
    ImgModifierArticle = 10,
    ImgMenuAjouterRayon = 11,
    ImgSupprimerRayon = 12,
    ImgQuitter = 13,
    ImgNouveau = 14,
    ImgModifierRayon = 17,
    ImgRayon = imageRayon,
    ImgImporter = imageRayonRacineSelection,
    ImgImprimer = 20,
    ImgFusionner = 22,
    ImgEnregistrerSous = 24,
    ImgAjouterDansLC = 25,
    ImgModifierNbLC = 26,
    ImgSupprimerDeLC = 27,
    ImgRafraichir = 28,
    ImgRayonRacine = imageRayonRacine,
    ImgAPropos = imageRayonRacine,
    ImgTrier = 31,
};

// Image d'indice i (0 à 31) ; hors bornes : une image vide.
QPixmap imageVatrelix(int indice);
QIcon iconeVatrelix(int indice);
// Icône d'un nœud d'arbre : image normale et image du nœud sélectionné.
QIcon iconeNoeud(int image, int imageSelection);

// Icône du programme : le panier, rendu aux tailles usuelles.
QIcon iconePanier();
