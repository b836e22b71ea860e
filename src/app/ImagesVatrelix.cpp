#include "ImagesVatrelix.h"

#include <QFont>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

namespace {

enum class Forme { Pastille, Dossier, DossierOuvert, Maison, Page };

struct DescriptionImage
{
    Forme forme;
    QRgb fond;
    const char16_t* signe; // glyphe blanc dessiné par-dessus, peut être vide
};

// Pictogrammes dessinés ici : ils restent lisibles sur les barres dégradées, quel que soit le thème.
const DescriptionImage& description(int i)
{
    static const DescriptionImage images[nbImagesVatrelix] = {
        {Forme::Pastille, 0xFF2F6FB5, u"\u2193"},      // 0 enregistrer
        {Forme::Pastille, 0xFF808080, u""},            // 1
        {Forme::Pastille, 0xFF808080, u""},            // 2
        {Forme::Pastille, 0xFF808080, u""},            // 3
        {Forme::Pastille, 0xFF808080, u""},            // 4
        {Forme::Pastille, 0xFF808080, u""},            // 5
        {Forme::Pastille, 0xFF808080, u""},            // 6
        {Forme::Pastille, 0xFF8E44AD, u"\u2699"},      // 7 configuration, couleurs
        {Forme::Page, 0xFFC0392B, u"\u2716"},          // 8 supprimer l'article
        {Forme::DossierOuvert, 0xFFE0A030, u""},       // 9 ouvrir
        {Forme::Page, 0xFF2E8B57, u"\u270E"},          // 10 modifier l'article
        {Forme::Dossier, 0xFFE0A030, u"+"},            // 11 ajouter un rayon (menu)
        {Forme::Dossier, 0xFFC0392B, u"\u2716"},       // 12 supprimer le rayon
        {Forme::Pastille, 0xFFB03030, u"\u2715"},      // 13 quitter
        {Forme::Page, 0xFF3C8DD0, u"+"},               // 14 nouveau
        {Forme::Pastille, 0xFF808080, u""},            // 15
        {Forme::DossierOuvert, 0xFFF0C040, u""},       // 16 rayon sélectionné
        {Forme::Dossier, 0xFF2E8B57, u"\u270E"},       // 17 modifier le rayon
        {Forme::Dossier, 0xFFE0A030, u""},             // 18 rayon
        {Forme::Pastille, 0xFF16A085, u"\u21B5"},      // 19 importer, racine sélectionnée
        {Forme::Pastille, 0xFF505050, u"\u25A4"},      // 20 imprimer (page imprimée)
        {Forme::Pastille, 0xFF808080, u""},            // 21
        {Forme::Pastille, 0xFFD35400, u"\u2261"},      // 22 fusionner
        {Forme::Pastille, 0xFF808080, u""},            // 23
        {Forme::Pastille, 0xFF1F4E8C, u"\u2026"},      // 24 enregistrer sous
        {Forme::Pastille, 0xFF27AE60, u"+"},           // 25 ajouter dans la liste
        {Forme::Pastille, 0xFF2980B9, u"#"},           // 26 modifier le nombre
        {Forme::Pastille, 0xFFC0392B, u"\u2212"},      // 27 retirer de la liste
        {Forme::Pastille, 0xFF7F8C8D, u"\u21BB"},      // 28 rafraîchir, recharger
        {Forme::Maison, 0xFFB9770E, u""},              // 29 rayon racine, à propos
        {Forme::Pastille, 0xFF808080, u""},            // 30
        {Forme::Pastille, 0xFF6C3483, u"\u21C5"},      // 31 trier
    };
    return images[i];
}

QPixmap dessiner(const DescriptionImage& d)
{
    QPixmap image(16, 16);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fond = QColor::fromRgba(d.fond);
    p.setPen(QPen(fond.darker(150), 1));
    p.setBrush(fond);
    switch (d.forme) {
    case Forme::Pastille:
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        break;
    case Forme::Dossier:
    case Forme::DossierOuvert: {
        QPainterPath dossier;
        dossier.moveTo(0.5, 3.5);
        dossier.lineTo(6, 3.5);
        dossier.lineTo(7.5, 5);
        dossier.lineTo(15.5, 5);
        dossier.lineTo(15.5, 14.5);
        dossier.lineTo(0.5, 14.5);
        dossier.closeSubpath();
        p.drawPath(dossier);
        if (d.forme == Forme::DossierOuvert) {
            p.setBrush(fond.lighter(130));
            p.drawPolygon(QPolygonF({{3, 8}, {15.5, 8}, {13, 14.5}, {0.5, 14.5}}));
        }
        break;
    }
    case Forme::Maison:
        p.drawPolygon(QPolygonF({{8, 0.5}, {15.5, 7}, {13.5, 7}, {13.5, 15.5}, {2.5, 15.5}, {2.5, 7}, {0.5, 7}}));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 10, 3, 5.5));
        break;
    case Forme::Page:
        p.setBrush(Qt::white);
        p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
        p.drawRect(QRectF(2.5, 0.5, 11, 15));
        p.setPen(QPen(fond, 1));
        p.setBrush(fond);
        p.drawEllipse(QRectF(6.5, 8.5, 9, 7));
        break;
    }
    const QString signe = QString::fromUtf16(d.signe);
    if (!signe.isEmpty()) {
        QFont police(QStringLiteral("DejaVu Sans"));
        police.setPixelSize(d.forme == Forme::Page ? 7 : 11);
        police.setBold(true);
        p.setFont(police);
        p.setPen(Qt::white);
        const QRectF zone = d.forme == Forme::Page ? QRectF(6.5, 8.5, 9, 7)
                            : d.forme == Forme::Pastille ? QRectF(0, 0, 16, 16)
                                                         : QRectF(0, 5, 16, 10);
        p.drawText(zone, Qt::AlignCenter, signe);
    }
    return image;
}

} // namespace

QPixmap imageVatrelix(int indice)
{
    if (indice < 0 || indice >= nbImagesVatrelix)
        return {};
    static QHash<int, QPixmap> cache;
    auto it = cache.find(indice);
    if (it == cache.end())
        it = cache.insert(indice, dessiner(description(indice)));
    return *it;
}

QIcon iconeVatrelix(int indice)
{
    return QIcon(imageVatrelix(indice));
}

QIcon iconeNoeud(int image, int imageSelection)
{
    QIcon icone;
    icone.addPixmap(imageVatrelix(image), QIcon::Normal);
    icone.addPixmap(imageVatrelix(imageSelection), QIcon::Selected);
    return icone;
}

QIcon iconePanier()
{
    // Rendu ici plutôt que par le greffon d'icônes SVG, qui peut manquer à l'exécution.
    QSvgRenderer rendu(QStringLiteral(":/vatrelix.svg"));
    QIcon icone;
    for (int cote : {16, 24, 32, 48, 64, 128}) {
        QPixmap image(cote, cote);
        image.fill(Qt::transparent);
        QPainter p(&image);
        rendu.render(&p);
        p.end();
        icone.addPixmap(image);
    }
    return icone;
}
