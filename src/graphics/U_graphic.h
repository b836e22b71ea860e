#pragma once
// Dégradés verticaux à deux couleurs et titres peints, sur un QPainter.
#include "Couleurs.h"

#include <QString>

class QColor;
class QPainter;
class QWidget;

// Dégradé sur le rectangle 0..largeur × 0..hauteur : une ligne par rangée, la rangée
// du bas exactement en couleurBas, pas entiers tronqués vers zéro.
void dessinerDegrade(QPainter& canevas, TColor couleurHaut, TColor couleurBas, int hauteur, int largeur);
// Dégradé sur toute la surface du contrôle.
void dessinerDegradeControle(QPainter& canevas, const QWidget& controle, TColor couleurHaut, TColor couleurBas);
// Luminance relative d'une couleur (0 noir, 1 blanc) et rapport de contraste de deux
// luminances (1 à 21), au sens des règles d'accessibilité du web (WCAG).
double luminanceRelative(const QColor& couleur);
double rapportContraste(double luminance1, double luminance2);
// Contraste minimal d'un texte sur son fond (WCAG AA, texte courant).
inline constexpr double kContrasteLisible = 4.5;
// Couleur d'un texte posé sur les rangées yHaut à yBas (exclue) de ce dégradé : la voulue quand
// son contraste avec la luminance moyenne de ces rangées suffit, sinon le noir ou le blanc,
// celui des deux qui contraste le plus.
QColor couleurTexteLisible(const QColor& voulue, TColor couleurHaut, TColor couleurBas, int hauteur, int yHaut,
                           int yBas);
// Dégradé puis texte centré, dans la police et la couleur de plume courantes du canevas ; une
// couleur de plume trop peu contrastée avec le fond cède la place au noir ou au blanc.
void dessinerTitre(QPainter& canevas, TColor couleurHaut, TColor couleurBas, int hauteur, int largeur,
                   const QString& texte);
void dessinerTitreControle(QPainter& canevas, const QWidget& boite, TColor couleurHaut, TColor couleurBas,
                           const QString& texte);

