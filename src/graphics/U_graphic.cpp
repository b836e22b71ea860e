#include "U_graphic.h"

#include "Conversions.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// Couleur du bas et pas par canal, calculés une fois par dégradé.
struct Degrade
{
    int r2, g2, b2;
    int sr, sg, sb;

    Degrade(TColor couleurHaut, TColor couleurBas, int hauteur)
    {
        const TColor c1 = ColorToRGB(couleurHaut);
        const TColor c2 = ColorToRGB(couleurBas);
        r2 = c2 & 0xFF;
        g2 = (c2 >> 8) & 0xFF;
        b2 = (c2 >> 16) & 0xFF;
        // Division entière voulue : le haut n'atteint couleurHaut que si l'écart est un multiple de la hauteur.
        sr = ((c1 & 0xFF) - r2) / hauteur;
        sg = (((c1 >> 8) & 0xFF) - g2) / hauteur;
        sb = (((c1 >> 16) & 0xFF) - b2) / hauteur;
    }

    // Chaque canal garde ses 8 bits bas.
    TColor rangee(int i) const { return RGBCouleur((r2 + i * sr) & 0xFF, (g2 + i * sg) & 0xFF, (b2 + i * sb) & 0xFF); }
};

} // namespace

void dessinerDegrade(QPainter& canevas, TColor couleurHaut, TColor couleurBas, int hauteur, int largeur)
{
    if (hauteur <= 0)
        return;
    if (largeur <= 0)
        return;
    const Degrade degrade(couleurHaut, couleurBas, hauteur);
    for (int i = 0; i < hauteur; ++i) {
        const TColor ligne = degrade.rangee(i);
        // Une rangée d'un pixel de 0 à largeur exclue, en partant du bas.
        canevas.fillRect(QRect(0, hauteur - 1 - i, largeur, 1), QColor::fromRgb(versQRgb(ligne)));
    }
}

void dessinerDegradeControle(QPainter& canevas, const QWidget& controle, TColor couleurHaut, TColor couleurBas)
{
    dessinerDegrade(canevas, couleurHaut, couleurBas, controle.height(), controle.width());
}

double luminanceRelative(const QColor& couleur)
{
    const auto canal = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * canal(couleur.redF()) + 0.7152 * canal(couleur.greenF()) + 0.0722 * canal(couleur.blueF());
}

double rapportContraste(double luminance1, double luminance2)
{
    const auto [claire, sombre] = std::minmax(luminance1, luminance2);
    return (sombre + 0.05) / (claire + 0.05);
}

QColor couleurTexteLisible(const QColor& voulue, TColor couleurHaut, TColor couleurBas, int hauteur, int yHaut,
                           int yBas)
{
    yHaut = std::clamp(yHaut, 0, hauteur);
    yBas = std::clamp(yBas, yHaut, hauteur);
    if (yBas == yHaut)
        return voulue;
    // Les rangées telles que dessinerDegrade les peint (la rangée i part du bas).
    const Degrade degrade(couleurHaut, couleurBas, hauteur);
    double somme = 0;
    for (int y = yHaut; y < yBas; ++y)
        somme += luminanceRelative(QColor::fromRgb(versQRgb(degrade.rangee(hauteur - 1 - y))));
    const double fond = somme / (yBas - yHaut);
    if (rapportContraste(luminanceRelative(voulue), fond) >= kContrasteLisible)
        return voulue;
    return rapportContraste(0.0, fond) >= rapportContraste(1.0, fond) ? QColor(Qt::black) : QColor(Qt::white);
}

void dessinerTitre(QPainter& canevas, TColor couleurHaut, TColor couleurBas, int hauteur, int largeur,
                   const QString& texte)
{
    const QFontMetrics mesure(canevas.font());
    // Position calculée avant le dessin, tronquée vers zéro (négative si le texte déborde).
    const int x = (largeur - mesure.horizontalAdvance(texte)) / 2;
    const int y = (hauteur - mesure.height()) / 2;
    dessinerDegrade(canevas, couleurHaut, couleurBas, hauteur, largeur);
    canevas.setBrush(Qt::NoBrush);
    canevas.setBackgroundMode(Qt::TransparentMode);
    // La plume de l'appelant est rendue telle quelle : seul ce texte change de couleur.
    const QPen plume = canevas.pen();
    QPen lisible = plume;
    lisible.setColor(couleurTexteLisible(plume.color(), couleurHaut, couleurBas, hauteur, y, y + mesure.height()));
    canevas.setPen(lisible);
    canevas.drawText(x, y + mesure.ascent(), texte);
    canevas.setPen(plume);
}

void dessinerTitreControle(QPainter& canevas, const QWidget& boite, TColor couleurHaut, TColor couleurBas,
                           const QString& texte)
{
    dessinerTitre(canevas, couleurHaut, couleurBas, boite.height(), boite.width(), texte);
}
