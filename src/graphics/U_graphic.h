#pragma once
// Dégradés verticaux à deux couleurs et titres peints, sur un QPainter.
#include "Couleurs.h"

#include <QString>

class QPainter;
class QWidget;

// Dégradé sur le rectangle 0..largeur × 0..hauteur : une ligne par rangée, la rangée
// du bas exactement en couleurBas, pas entiers tronqués vers zéro.
void dessinerDegrade(QPainter& canevas, TColor couleurHaut, TColor couleurBas, int hauteur, int largeur);
// Dégradé sur toute la surface du contrôle.
void dessinerDegradeControle(QPainter& canevas, const QWidget& controle, TColor couleurHaut, TColor couleurBas);
// Dégradé puis texte centré, dans la police et la couleur de plume courantes du canevas.
void dessinerTitre(QPainter& canevas, TColor couleurHaut, TColor couleurBas, int hauteur, int largeur,
                   const QString& texte);
void dessinerTitreControle(QPainter& canevas, const QWidget& boite, TColor couleurHaut, TColor couleurBas,
                           const QString& texte);

