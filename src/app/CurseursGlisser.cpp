#include "CurseursGlisser.h"

#include <QDrag>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kCote = 32;

// Main qui pointe vers le haut, bout de l'index au centre de l'image.
void dessinerMain(QPainter& p)
{
    const int c = kCote / 2;
    QPainterPath main;
    main.addRoundedRect(QRectF(c - 2.5, c, 5, 12), 2.5, 2.5);          // index
    main.addRoundedRect(QRectF(c + 1.5, c + 4, 4, 8), 2, 2);           // majeur
    main.addRoundedRect(QRectF(c + 4.5, c + 5, 4, 7), 2, 2);           // annulaire
    main.addRoundedRect(QRectF(c + 7.5, c + 6, 4, 6), 2, 2);           // auriculaire
    main.addRoundedRect(QRectF(c - 6, c + 7, 5, 4), 2, 2);             // pouce
    main.addRoundedRect(QRectF(c - 2.5, c + 8, 14, 7.5), 3, 3);        // paume
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(main.simplified());
}

// Deux feuilles empilées marquées d'un « + », en bas à gauche de la main.
void dessinerFeuilles(QPainter& p)
{
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 18.5, 8, 10));
    p.drawRect(QRectF(2.5, 20.5, 8, 10));
    p.drawLine(QPointF(4.5, 25.5), QPointF(8.5, 25.5));
    p.drawLine(QPointF(6.5, 23.5), QPointF(6.5, 27.5));
}

QImage dessiner(bool multiple)
{
    QImage image(kCote, kCote, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (multiple)
        dessinerFeuilles(p);
    dessinerMain(p);
    p.end();
    return image;
}

} // namespace

QPixmap imageCurseurGlisser(Qt::CursorShape forme)
{
    // Dessinées une fois ; gardées en QImage, qui peut survivre à l'application.
    static const QImage main = dessiner(false);
    static const QImage multiple = dessiner(true);
    switch (forme) {
    case Qt::PointingHandCursor: return QPixmap::fromImage(main);
    case Qt::DragCopyCursor: return QPixmap::fromImage(multiple);
    default: return {};
    }
}

Qt::DropAction actionDuCurseur(Qt::CursorShape forme)
{
    return forme == Qt::DragCopyCursor ? Qt::CopyAction : Qt::MoveAction;
}

void poserCurseursArbre(QDrag& glisser)
{
    glisser.setDragCursor(imageCurseurGlisser(Qt::PointingHandCursor), Qt::MoveAction);
    glisser.setDragCursor(imageCurseurGlisser(Qt::DragCopyCursor), Qt::CopyAction);
}
