#pragma once
// La liste d'images partagée : 32 images de 16 × 16 pixels ; seuls les indices sont fixés.
#include <QIcon>
#include <QPixmap>

constexpr int nbImagesVatrelix = 32;

// Image d'indice i (0 à 31) ; hors bornes : une image vide.
QPixmap imageVatrelix(int indice);
QIcon iconeVatrelix(int indice);
// Icône d'un nœud d'arbre : image normale et image du nœud sélectionné.
QIcon iconeNoeud(int image, int imageSelection);
