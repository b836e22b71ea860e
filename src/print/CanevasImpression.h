#pragma once
// Les services d'imprimante dont l'impression a besoin : taille de page en unités de
// l'appareil, document, pages, police, pinceau, mesure et tracé de texte, traits, cadre.
// Deux réalisations : CanevasQPainter (imprimante ou PDF) et CanevasEnregistreur (tests).
#include "Erreurs.h"

#include <QColor>
#include <QFlags>
#include <QRect>
#include <QString>

enum class StylePolice { Gras = 0x1, Italique = 0x2 };
Q_DECLARE_FLAGS(StylesPolice, StylePolice)
Q_DECLARE_OPERATORS_FOR_FLAGS(StylesPolice)

// Échec du service d'impression (document impossible à commencer, page refusée...).
class EImpressionErreur : public EVatrelix { using EVatrelix::EVatrelix; };

class CanevasImpression
{
public:
    virtual ~CanevasImpression() = default;

    // Page imprimable, origine en haut à gauche, en unités de l'appareil.
    virtual int largeurPage() const = 0;
    virtual int hauteurPage() const = 0;

    virtual void commencerDocument() = 0;
    virtual void nouvellePage() = 0;
    virtual void terminerDocument() = 0;

    virtual void definirPolice(const QString& nom) = 0;
    virtual void definirTaille(int points) = 0;
    virtual void definirStyle(StylesPolice style) = 0;

    // Pinceau vide : texte sur fond transparent. Pinceau plein : couleur du cadre.
    virtual void pinceauTransparent() = 0;
    virtual void pinceauPlein(const QColor& couleur) = 0;

    // Mesures dans la police courante.
    virtual int largeurTexte(const QString& texte) = 0;
    virtual int hauteurTexte(const QString& texte) = 0;

    // Texte dont le coin haut gauche est en (x, y).
    virtual void ecrireTexte(int x, int y, const QString& texte) = 0;
    virtual void deplacerVers(int x, int y) = 0;
    // Trait depuis la position courante, qui devient (x, y).
    virtual void tracerVers(int x, int y) = 0;
    // Bord d'une unité, de la couleur du pinceau, sur les points du rectangle.
    virtual void encadrer(const QRect& rectangle) = 0;
};
