#include "ImagesDialogues.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kCote = 33;

QPixmap toile(QSize taille)
{
    QPixmap image(taille);
    image.fill(Qt::transparent);
    return image;
}

// Pastille arrondie d'un dégradé de la couleur donnée, avec un liseré plus sombre.
void pastille(QPainter& p, const QColor& couleur)
{
    const QRectF cadre(1.5, 1.5, kCote - 3, kCote - 3);
    QLinearGradient degrade(cadre.topLeft(), cadre.bottomLeft());
    degrade.setColorAt(0, couleur.lighter(140));
    degrade.setColorAt(1, couleur.darker(110));
    p.setPen(QPen(couleur.darker(160), 1.5));
    p.setBrush(degrade);
    p.drawRoundedRect(cadre, 7, 7);
}

} // namespace

QIcon imageValider()
{
    QPixmap image = toile(QSize(kCote, kCote));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    pastille(p, QColor(40, 160, 60));
    QPainterPath coche;
    coche.moveTo(9, 17);
    coche.lineTo(14.5, 23);
    coche.lineTo(24, 10);
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(coche);
    return QIcon(image);
}

QIcon imageAnnuler()
{
    QPixmap image = toile(QSize(kCote, kCote));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    pastille(p, QColor(200, 45, 40));
    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(11, 11), QPointF(22, 22));
    p.drawLine(QPointF(22, 11), QPointF(11, 22));
    return QIcon(image);
}

QPixmap imageDecor(Decor decor, QSize taille)
{
    QPixmap image = toile(taille);
    if (taille.isEmpty())
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Dessin sur une grille de 100 × 100, centrée et proportionnelle.
    const qreal cote = qMin(taille.width(), taille.height());
    p.translate((taille.width() - cote) / 2, (taille.height() - cote) / 2);
    p.scale(cote / 100, cote / 100);
    const QPen trait(QColor(90, 40, 30), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(trait);

    switch (decor) {
    case Decor::Etiquette: {
        QPainterPath etiquette;
        etiquette.moveTo(10, 40);
        etiquette.lineTo(40, 10);
        etiquette.lineTo(88, 10);
        etiquette.lineTo(88, 70);
        etiquette.lineTo(40, 70);
        etiquette.closeSubpath();
        p.setBrush(QColor(255, 200, 90));
        p.drawPath(etiquette);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(34, 40), 6, 6);
        QFont police = p.font();
        police.setPixelSize(26);
        police.setBold(true);
        p.setFont(police);
        p.drawText(QRectF(44, 22, 42, 36), Qt::AlignCenter, QStringLiteral("€"));
        break;
    }
    case Decor::Rayonnage: {
        p.setBrush(QColor(200, 150, 100));
        p.drawRect(QRectF(12, 8, 76, 86));
        const QColor produits[] = {QColor(220, 60, 50), QColor(60, 140, 210), QColor(80, 170, 70),
                                   QColor(240, 190, 50)};
        for (int etage = 0; etage < 3; ++etage) {
            const qreal y = 34 + etage * 27;
            p.setPen(trait);
            p.drawLine(QPointF(12, y), QPointF(88, y));
            p.setPen(Qt::NoPen);
            for (int i = 0; i < 4; ++i) {
                p.setBrush(produits[(i + etage) % 4]);
                p.drawRect(QRectF(18 + i * 17, y - 18, 12, 17));
            }
        }
        break;
    }
    case Decor::Panier: {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(25, 8, 50, 56), 0, 180 * 16);
        QPainterPath corbeille;
        corbeille.moveTo(8, 38);
        corbeille.lineTo(92, 38);
        corbeille.lineTo(80, 92);
        corbeille.lineTo(20, 92);
        corbeille.closeSubpath();
        p.setBrush(QColor(205, 140, 70));
        p.drawPath(corbeille);
        for (int i = 1; i < 5; ++i)
            p.drawLine(QPointF(8 + i * 16.8, 38), QPointF(20 + i * 12, 92));
        p.drawLine(QPointF(13, 60), QPointF(87, 60));
        break;
    }
    case Decor::Compagnon: {
        p.setBrush(QColor(120, 90, 200));
        QPainterPath chapeau;
        chapeau.moveTo(20, 58);
        chapeau.lineTo(50, 4);
        chapeau.lineTo(80, 58);
        chapeau.closeSubpath();
        p.drawPath(chapeau);
        p.setBrush(QColor(255, 220, 180));
        p.drawEllipse(QRectF(30, 52, 40, 40));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(38, 74, 24, 22));
        p.setBrush(QColor(255, 230, 80));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(50, 28), 5, 5);
        break;
    }
    }
    return image;
}
