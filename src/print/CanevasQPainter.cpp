#include "CanevasQPainter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPagedPaintDevice>

namespace {
// Polices de remplacement, une seule fois par processus.
void installerSubstitutions()
{
    static const bool faites = [] {
        const QString times = QStringLiteral("Times New Roman");
        if (!QFontDatabase::hasFamily(times))
            QFont::insertSubstitutions(times, {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
                                               QStringLiteral("Serif")});
        return true;
    }();
    (void)faites;
}
} // namespace

CanevasQPainter::CanevasQPainter(QPagedPaintDevice& appareil) : m_appareil(appareil)
{
    installerSubstitutions();
    m_police.setStyleHint(QFont::Serif);
    m_police.setPointSize(10);
}

CanevasQPainter::~CanevasQPainter()
{
    // Document laissé ouvert par une exception : on ferme sans rien signaler.
    if (m_peintre.isActive())
        m_peintre.end();
}

int CanevasQPainter::largeurPage() const { return m_appareil.width(); }
int CanevasQPainter::hauteurPage() const { return m_appareil.height(); }

void CanevasQPainter::commencerDocument()
{
    if (m_peintre.isActive())
        throw EImpressionErreur(QStringLiteral("Impression déjà en cours"));
    if (!m_peintre.begin(&m_appareil))
        throw EImpressionErreur(QStringLiteral("Impossible de commencer l'impression"));
    // Crayon par défaut : noir, une unité de l'appareil.
    m_peintre.setPen(QPen(Qt::black, 1));
    m_peintre.setBrush(Qt::NoBrush);
    m_peintre.setBackgroundMode(Qt::TransparentMode);
    appliquerPolice();
}

void CanevasQPainter::nouvellePage()
{
    if (!m_peintre.isActive() || !m_appareil.newPage())
        throw EImpressionErreur(QStringLiteral("Impossible de passer à la page suivante"));
}

void CanevasQPainter::terminerDocument()
{
    if (!m_peintre.isActive() || !m_peintre.end())
        throw EImpressionErreur(QStringLiteral("L'impression n'a pas pu être terminée"));
}

void CanevasQPainter::definirPolice(const QString& nom)
{
    m_police.setFamily(nom);
    appliquerPolice();
}

void CanevasQPainter::definirTaille(int points)
{
    m_police.setPointSize(points);
    appliquerPolice();
}

void CanevasQPainter::definirStyle(StylesPolice style)
{
    m_police.setBold(style.testFlag(StylePolice::Gras));
    m_police.setItalic(style.testFlag(StylePolice::Italique));
    appliquerPolice();
}

void CanevasQPainter::pinceauTransparent()
{
    m_transparent = true;
}

void CanevasQPainter::pinceauPlein(const QColor& couleur)
{
    m_transparent = false;
    m_couleurPinceau = couleur;
}

void CanevasQPainter::appliquerPolice()
{
    if (m_peintre.isActive())
        m_peintre.setFont(m_police);
}

QFontMetrics CanevasQPainter::metriques() const
{
    // Mesures à la résolution de l'appareil, document commencé ou non.
    if (m_peintre.isActive())
        return m_peintre.fontMetrics();
    return QFontMetrics(m_police, &m_appareil);
}

int CanevasQPainter::largeurTexte(const QString& texte) { return metriques().horizontalAdvance(texte); }

int CanevasQPainter::hauteurTexte(const QString&)
{
    // Hauteur de la police (ascendante + descendante), comme une ligne de texte.
    return metriques().height();
}

void CanevasQPainter::ecrireTexte(int x, int y, const QString& texte)
{
    const QFontMetrics fm = metriques();
    if (!m_transparent)
        m_peintre.fillRect(QRect(x, y, fm.horizontalAdvance(texte), fm.height()), m_couleurPinceau);
    // drawText place la ligne de base : on descend de l'ascendante.
    m_peintre.drawText(QPoint(x, y + fm.ascent()), texte);
}

void CanevasQPainter::deplacerVers(int x, int y) { m_position = QPoint(x, y); }

void CanevasQPainter::tracerVers(int x, int y)
{
    const QPoint arrivee(x, y);
    m_peintre.drawLine(m_position, arrivee);
    m_position = arrivee;
}

void CanevasQPainter::encadrer(const QRect& r)
{
    if (r.isEmpty())
        return;
    // Quatre bandes d'une unité sur les bords du rectangle, à la couleur du pinceau.
    m_peintre.fillRect(QRect(r.left(), r.top(), r.width(), 1), m_couleurPinceau);
    m_peintre.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), m_couleurPinceau);
    m_peintre.fillRect(QRect(r.left(), r.top(), 1, r.height()), m_couleurPinceau);
    m_peintre.fillRect(QRect(r.right(), r.top(), 1, r.height()), m_couleurPinceau);
}

QString CanevasQPainter::familleEmployee() const
{
    return QFontInfo(m_police).family();
}
