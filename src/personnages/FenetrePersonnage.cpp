#include "FenetrePersonnage.h"

#include "AttachePersonnages.h"
#include "ServeurAgent.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>
#include <QSurfaceFormat>

bool masquesPossibles()
{
    static const bool possibles = QGuiApplication::platformName() != QLatin1String("offscreen")
        && QGuiApplication::platformName() != QLatin1String("minimal");
    return possibles;
}

void preparerFenetreFlottante(QWindow& fenetre)
{
    // Attachées à la fenêtre du programme, elles ne passent pas au-dessus des autres
    // applications ; sans elle (service seul), au-dessus de tout.
    Qt::WindowFlags drapeaux = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus
        | Qt::NoDropShadowWindowHint;
    if (!proprietairePersonnages())
        drapeaux |= Qt::WindowStaysOnTopHint;
    fenetre.setFlags(drapeaux);
    inscrireFenetrePersonnages(fenetre);
    // Équivalent de WA_ShowWithoutActivating pour une QWindow (lu par la plate-forme xcb).
    fenetre.setProperty("_q_showWithoutActivating", true);
    // Transparence par pixel quand un compositeur est là ; le masque sert dans tous les cas,
    // car les images des personnages n'ont que des pixels opaques ou transparents.
    QSurfaceFormat format = fenetre.format();
    format.setAlphaBufferSize(8);
    fenetre.setFormat(format);
}

FenetrePersonnage::FenetrePersonnage()
{
    preparerFenetreFlottante(*this);
    setProperty(ProprieteClasseFenetre, QString::fromLatin1(ClasseFenetrePersonnage));
}

void FenetrePersonnage::afficherTrame(const QImage& image, const QRegion& masque)
{
    // Même trame : ni masque ni peinture (personnage au repos).
    if (image.cacheKey() == m_image.cacheKey() && masque == m_masque)
        return;
    m_image = image;
    m_masque = masque;
    appliquerMasque();
    update();
}

void FenetrePersonnage::redimensionner(const QSize& taille)
{
    resize(taille);
    appliquerMasque();
    update();
}

void FenetrePersonnage::appliquerMasque()
{
    if (m_image.isNull())
        return;
    if (size() == m_image.size() || size().isEmpty()) {
        m_masqueApplique = m_masque;
    } else {
        const QTransform echelle = QTransform::fromScale(double(width()) / m_image.width(),
                                                         double(height()) / m_image.height());
        m_masqueApplique = echelle.map(m_masque);
    }
    if (masquesPossibles())
        setMask(m_masqueApplique);
}

void FenetrePersonnage::peindre(QPainter& peintre) const
{
    if (m_image.isNull())
        return;
    peintre.setCompositionMode(QPainter::CompositionMode_Source);
    peintre.fillRect(QRect(QPoint(0, 0), size()), Qt::transparent);
    peintre.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (size() == m_image.size())
        peintre.drawImage(0, 0, m_image);
    else
        peintre.drawImage(QRect(QPoint(0, 0), size()), m_image);
}

QImage FenetrePersonnage::rendu() const
{
    QImage image(size().isEmpty() ? m_image.size() : size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter peintre(&image);
    peindre(peintre);
    return image;
}

void FenetrePersonnage::paintEvent(QPaintEvent*)
{
    QElapsedTimer chrono;
    chrono.start();
    ++m_peintures;
    {
        QPainter peintre(this);
        peindre(peintre);
    }
    m_nsPeinture += chrono.nsecsElapsed();
}

void FenetrePersonnage::resizeEvent(QResizeEvent* evenement)
{
    QRasterWindow::resizeEvent(evenement);
    appliquerMasque();
}

int FenetrePersonnage::motTouches(Qt::MouseButtons boutons, Qt::KeyboardModifiers modificateurs)
{
    int mot = 0;
    if (boutons & Qt::LeftButton)
        mot |= ToucheSouris::Gauche;
    if (boutons & Qt::RightButton)
        mot |= ToucheSouris::Droite;
    if (boutons & Qt::MiddleButton)
        mot |= ToucheSouris::Milieu;
    if (boutons & (Qt::XButton1 | Qt::XButton2))
        mot |= ToucheSouris::BoutonX;
    if (modificateurs & Qt::ShiftModifier)
        mot |= ToucheSouris::Majuscule;
    if (modificateurs & Qt::ControlModifier)
        mot |= ToucheSouris::Controle;
    if (modificateurs & Qt::AltModifier)
        mot |= ToucheSouris::Alt;
    return mot;
}

void FenetrePersonnage::mousePressEvent(QMouseEvent* evenement)
{
    m_appuye = true;
    m_glisse = false;
    m_departCurseur = evenement->globalPosition().toPoint();
    m_departFenetre = position();
    m_touchesAppui = motTouches(evenement->buttons(), evenement->modifiers());
}

void FenetrePersonnage::mouseMoveEvent(QMouseEvent* evenement)
{
    if (!m_appuye || !(evenement->buttons() & Qt::LeftButton))
        return;
    const QPoint global = evenement->globalPosition().toPoint();
    const QPoint ecart = global - m_departCurseur;
    if (!m_glisse) {
        if (ecart.manhattanLength() < QGuiApplication::styleHints()->startDragDistance())
            return;
        m_glisse = true;
        if (m_rappels.debutGlisser)
            m_rappels.debutGlisser(m_touchesAppui, m_departCurseur);
    }
    setPosition(dansZoneDisponible(m_departFenetre + ecart, size(), ecranPersonnages(global)));
}

void FenetrePersonnage::mouseReleaseEvent(QMouseEvent* evenement)
{
    if (!m_appuye)
        return;
    m_appuye = false;
    const QPoint global = evenement->globalPosition().toPoint();
    // Le bouton relâché n'est plus dans buttons() : on garde le mot de l'appui.
    const int touches = m_touchesAppui | motTouches(evenement->button(), evenement->modifiers());
    if (m_glisse) {
        m_glisse = false;
        if (m_rappels.finGlisser)
            m_rappels.finGlisser(touches, global);
        return;
    }
    // Le relâchement qui suit un double-clic ne donne pas de clic de plus.
    if (m_doubleClic) {
        m_doubleClic = false;
        return;
    }
    if (m_rappels.clic)
        m_rappels.clic(touches, global);
}

void FenetrePersonnage::mouseDoubleClickEvent(QMouseEvent* evenement)
{
    m_appuye = true;
    m_glisse = false;
    m_doubleClic = true;
    m_departCurseur = evenement->globalPosition().toPoint();
    m_departFenetre = position();
    m_touchesAppui = motTouches(evenement->buttons(), evenement->modifiers());
    if (m_rappels.doubleClic)
        m_rappels.doubleClic(m_touchesAppui, m_departCurseur);
}
