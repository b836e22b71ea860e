#pragma once
// Curseurs du glissement d'un rayon dans l'arbre : main, ou glissement multiple avec la
// touche spéciale ; un refus garde le curseur d'interdiction du système.
#include <QPixmap>

class QDrag;

// Image du curseur de cette forme : Qt::PointingHandCursor (main) ou Qt::DragCopyCursor
// (glissement multiple) ; nulle pour toute autre forme. Un curseur fait d'une image a son
// point chaud au centre : le bout de l'index y est dessiné.
QPixmap imageCurseurGlisser(Qt::CursorShape forme);

// Action de dépôt montrée par chaque curseur : déplacement (main) ou copie (multiple).
Qt::DropAction actionDuCurseur(Qt::CursorShape forme);

// Pose sur le glissement les images de la main (déplacement) et du glissement multiple (copie).
void poserCurseursArbre(QDrag& glisser);

class QAbstractItemView;
// Glissement partant de cette vue : son tag dans les données et, pour l'arbre des rayons,
// les curseurs ci-dessus. Appartient à la vue.
QDrag* creerGlissement(QAbstractItemView* source);
