#pragma once
// Canevas d'impression sur un QPainter : une imprimante choisie dans le dialogue
// d'impression ou une sortie PDF (QPrinter::PdfFormat, QPdfWriter), sans écran.
// Les polices demandées sont gardées telles quelles ; Qt substitue les absentes
// ("Times New Roman" : Liberation Serif, sinon DejaVu Serif).
#include "CanevasImpression.h"

#include <QFont>
#include <QPainter>

class QPagedPaintDevice;

class CanevasQPainter : public CanevasImpression
{
public:
    explicit CanevasQPainter(QPagedPaintDevice& appareil);
    ~CanevasQPainter() override;
    CanevasQPainter(const CanevasQPainter&) = delete;
    CanevasQPainter& operator=(const CanevasQPainter&) = delete;

    int largeurPage() const override;
    int hauteurPage() const override;

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

    // Police réellement employée pour la police courante (après substitution).
    QString familleEmployee() const;

private:
    void appliquerPolice();
    QFontMetrics metriques() const;

    QPagedPaintDevice& m_appareil;
    QPainter m_peintre;
    QFont m_police;
    QColor m_couleurPinceau = Qt::white;
    bool m_transparent = false;
    QPoint m_position;
};
