#include "AttachePersonnages.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace {

// Suit la fenêtre propriétaire : ses déplacements, sa réduction, son retour.
class SuiviProprietaire : public QObject
{
public:
    explicit SuiviProprietaire(QWindow* proprietaire)
        : QObject(proprietaire), m_proprietaire(proprietaire), m_place(proprietaire->position())
    {
        proprietaire->installEventFilter(this);
        connect(proprietaire, &QWindow::windowStateChanged, this, [this](Qt::WindowState etat) {
            if (etat == Qt::WindowMinimized)
                cacherTout();
            else
                rendreTout();
        });
    }

    void inscrire(QWindow& fenetre)
    {
        m_fenetres.removeAll(nullptr);
        if (!m_fenetres.contains(&fenetre))
            m_fenetres.append(&fenetre);
        fenetre.installEventFilter(this);
        fenetre.setTransientParent(m_proprietaire);
    }

    bool reduite() const { return m_proprietaire && (m_proprietaire->windowStates() & Qt::WindowMinimized); }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet == m_proprietaire && evenement->type() == QEvent::Move)
            suivre();
        // Montrée pendant que le programme est réduit (une requête en file) : cachée jusqu'au retour.
        if (objet != m_proprietaire && evenement->type() == QEvent::Show && reduite()) {
            QPointer<QWindow> fenetre = static_cast<QWindow*>(objet);
            QTimer::singleShot(0, this, [this, fenetre] {
                if (fenetre && reduite() && fenetre->isVisible()) {
                    fenetre->hide();
                    m_cachees.append(fenetre);
                }
            });
        }
        return QObject::eventFilter(objet, evenement);
    }

private:
    void suivre()
    {
        const QPoint place = m_proprietaire->position();
        const QPoint ecart = place - m_place;
        m_place = place;
        if (ecart.isNull())
            return;
        for (const QPointer<QWindow>& f : std::as_const(m_fenetres))
            if (f && f->isVisible())
                f->setPosition(dansZoneDisponible(f->position() + ecart, f->size(), ecranPersonnages(place)));
    }

    void cacherTout()
    {
        for (const QPointer<QWindow>& f : std::as_const(m_fenetres))
            if (f && f->isVisible()) {
                f->hide();
                m_cachees.append(f);
            }
    }

    void rendreTout()
    {
        const QList<QPointer<QWindow>> cachees = std::exchange(m_cachees, {});
        for (const QPointer<QWindow>& f : cachees)
            if (f)
                f->show();
    }

    QPointer<QWindow> m_proprietaire;
    QPoint m_place;
    QList<QPointer<QWindow>> m_fenetres;
    QList<QPointer<QWindow>> m_cachees;
};

QPointer<SuiviProprietaire> g_suivi;
QPointer<QWindow> g_proprietaire;

} // namespace

void attacherPersonnagesA(QWindow* proprietaire)
{
    delete g_suivi;
    g_proprietaire = proprietaire;
    if (proprietaire)
        g_suivi = new SuiviProprietaire(proprietaire);
}

QWindow* proprietairePersonnages()
{
    return g_proprietaire;
}

void inscrireFenetrePersonnages(QWindow& fenetre)
{
    if (g_suivi)
        g_suivi->inscrire(fenetre);
}

const QScreen* ecranPersonnages(QPoint point)
{
    if (g_proprietaire && g_proprietaire->screen())
        return g_proprietaire->screen();
    if (const QScreen* ecran = QGuiApplication::screenAt(point))
        return ecran;
    return QGuiApplication::primaryScreen();
}

QPoint dansZoneDisponible(QPoint voulue, QSize taille, const QScreen* ecran)
{
    if (!ecran)
        return voulue;
    const QRect zone = ecran->availableGeometry();
    // Plus grand que la zone : le coin haut gauche reste visible.
    const int x = std::max(zone.left(), std::min(voulue.x(), zone.right() + 1 - taille.width()));
    const int y = std::max(zone.top(), std::min(voulue.y(), zone.bottom() + 1 - taille.height()));
    return {x, y};
}
