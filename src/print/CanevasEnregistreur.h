#pragma once
// Canevas qui consigne chaque appel avec ses coordonnées et ses textes, pour les tests.
// Métrique fixe, pour des pages prévisibles :
//   largeur d'un texte = nombre de caractères × taille en points,
//   hauteur d'un texte = 2 × taille en points (20 en 10 pt, 32 en 16 pt), même vide.
// Tracer hors d'un document commencé lève EImpressionErreur, comme un vrai service.
#include "CanevasImpression.h"

#include <QList>
#include <QStringList>

struct TexteDessine
{
    int page = 0; // depuis 1
    int x = 0;
    int y = 0;
    QString texte;
    QString police;
    int taille = 0;
    StylesPolice style;
    bool fondTransparent = true;
};

struct TraitDessine
{
    int page = 0;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct CadreDessine
{
    int page = 0;
    QRect rectangle;
    QColor couleur;
};

class CanevasEnregistreur : public CanevasImpression
{
public:
    CanevasEnregistreur(int largeur, int hauteur);

    int largeurPage() const override { return m_largeur; }
    int hauteurPage() const override { return m_hauteur; }

    void commencerDocument() override;
    void nouvellePage() override;
    void terminerDocument() override;

    void definirPolice(const QString& nom) override;
    void definirTaille(int points) override;
    void definirStyle(StylesPolice style) override;
    void pinceauTransparent() override;
    void pinceauPlein(const QColor& couleur) override;

    int largeurTexte(const QString& texte) override;
    int hauteurTexte(const QString& texte) override;

    void ecrireTexte(int x, int y, const QString& texte) override;
    void deplacerVers(int x, int y) override;
    void tracerVers(int x, int y) override;
    void encadrer(const QRect& rectangle) override;

    // Ce qui a été tracé ; page 0 : toutes les pages.
    QList<TexteDessine> textes(int page = 0) const;
    QList<TraitDessine> traits(int page = 0) const;
    QList<CadreDessine> cadres(int page = 0) const;
    // Premier texte égal à celui donné sur la page, ou un texte de page 0 s'il n'y en a pas.
    TexteDessine texte(int page, const QString& contenu) const;
    // Textes commençant par le préfixe, dans l'ordre du tracé.
    QList<TexteDessine> textesCommencantPar(const QString& prefixe, int page = 0) const;

    int nbPages() const { return m_page; }
    int nbDocuments() const { return m_nbDocuments; }
    bool documentTermine() const { return m_nbDocuments > 0 && !m_documentOuvert; }
    // Chaque appel sur une ligne, dans l'ordre : utile pour lire un échec.
    const QStringList& journal() const { return m_journal; }

private:
    void exigerDocument(const char* operation) const;

    int m_largeur;
    int m_hauteur;
    bool m_documentOuvert = false;
    int m_nbDocuments = 0;
    int m_page = 0;
    QString m_police;
    int m_taille = 10;
    StylesPolice m_style;
    bool m_transparent = false;
    QColor m_couleurPinceau = Qt::white;
    int m_x = 0;
    int m_y = 0;
    QList<TexteDessine> m_textes;
    QList<TraitDessine> m_traits;
    QList<CadreDessine> m_cadres;
    QStringList m_journal;
};
