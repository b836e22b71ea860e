#include "FenetreBulle.h"

#include "FenetrePersonnage.h"
#include "TexteParole.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

PlacementBulle placerBulle(const QRect& personnage, const QSize& taille, const QRect& ecran)
{
    PlacementBulle p;
    const int centre = personnage.x() + personnage.width() / 2;
    int x = centre - taille.width() / 2;
    x = std::clamp(x, ecran.left(), std::max(ecran.left(), ecran.right() + 1 - taille.width()));
    int y = personnage.top() - taille.height();
    if (y < ecran.top()) {
        p.queueEnBas = false;
        y = std::min(personnage.bottom() + 1, ecran.bottom() + 1 - taille.height());
    }
    p.position = QPoint(x, y);
    const int rayon = 10;
    p.xQueue = std::clamp(centre - x, rayon + 6, std::max(rayon + 6, taille.width() - rayon - 6));
    return p;
}

FenetreBulle::FenetreBulle()
{
    preparerFenetreFlottante(*this);
}

void FenetreBulle::definirStyle(const StyleBulle& style)
{
    m_style = style;
    m_style.lignes = std::max(1, m_style.lignes);
    m_style.caracteresParLigne = std::max(8, m_style.caracteresParLigne);
}

void FenetreBulle::montrerTexte(const QString& texte, const QRect& personnage)
{
    const QScreen* ecran = QGuiApplication::screenAt(personnage.center());
    if (!ecran)
        ecran = QGuiApplication::primaryScreen();
    const QRect zone = ecran ? ecran->availableGeometry() : QRect(0, 0, 1920, 1080);
    const QFontMetrics mesures(m_style.police);
    const int horsTexte = 2 * MargeBulle + HauteurQueueBulle + 2;
    const int lignesMax = m_style.tailleAuTexte
        ? std::max(1, (zone.height() - horsTexte) / std::max(1, mesures.lineSpacing()))
        : m_style.lignes;
    QStringList lignes = couperLignes(texte, m_style.caracteresParLigne);
    // La bulle défile : seules les dernières lignes dites restent visibles.
    if (lignes.size() > lignesMax)
        lignes = lignes.mid(lignes.size() - lignesMax);
    int largeurTexte = mesures.averageCharWidth() * m_style.caracteresParLigne;
    for (const QString& ligne : lignes)
        largeurTexte = std::max(largeurTexte, mesures.horizontalAdvance(ligne));
    const QSize taille(largeurTexte + 2 * MargeBulle + 2,
                       int(std::max<qsizetype>(1, lignes.size())) * mesures.lineSpacing() + horsTexte);
    const PlacementBulle placement = placerBulle(personnage, taille, zone);
    if (lignes == m_lignes && taille == m_rendu.size() && placement.position == position() && isVisible())
        return;
    m_lignes = lignes;
    m_rendu = QImage(taille, QImage::Format_ARGB32_Premultiplied);
    composer(placement);
    setGeometry(QRect(placement.position, taille));
    if (masquesPossibles())
        setMask(QRegion(QBitmap::fromImage(m_rendu.createAlphaMask())));
    if (!isVisible())
        show();
    update();
}

void FenetreBulle::composer(const PlacementBulle& placement)
{
    m_rendu.fill(Qt::transparent);
    QPainter peintre(&m_rendu);
    peintre.setRenderHint(QPainter::Antialiasing);
    const int w = m_rendu.width();
    const int h = m_rendu.height();
    const QRectF corps = placement.queueEnBas ? QRectF(0.5, 0.5, w - 1, h - HauteurQueueBulle - 1)
                                              : QRectF(0.5, HauteurQueueBulle + 0.5, w - 1, h - HauteurQueueBulle - 1);
    QPainterPath chemin;
    chemin.addRoundedRect(corps, 10, 10);
    QPainterPath queue;
    const double xq = placement.xQueue;
    if (placement.queueEnBas) {
        queue.moveTo(xq - 7, corps.bottom() - 1);
        queue.lineTo(xq, h - 0.5);
        queue.lineTo(xq + 7, corps.bottom() - 1);
    } else {
        queue.moveTo(xq - 7, corps.top() + 1);
        queue.lineTo(xq, 0.5);
        queue.lineTo(xq + 7, corps.top() + 1);
    }
    queue.closeSubpath();
    chemin = chemin.united(queue);
    peintre.setPen(QPen(m_style.bordure, 1));
    peintre.setBrush(m_style.fond);
    peintre.drawPath(chemin);
    peintre.setFont(m_style.police);
    peintre.setPen(m_style.texte);
    const QFontMetrics mesures(m_style.police);
    int y = int(corps.top()) + MargeBulle + mesures.ascent();
    for (const QString& ligne : std::as_const(m_lignes)) {
        peintre.drawText(MargeBulle + 1, y, ligne);
        y += mesures.lineSpacing();
    }
}

void FenetreBulle::paintEvent(QPaintEvent*)
{
    QPainter peintre(this);
    peintre.setCompositionMode(QPainter::CompositionMode_Source);
    peintre.drawImage(0, 0, m_rendu);
}
