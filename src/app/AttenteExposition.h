#pragma once
// Guette la première exposition d'une fenêtre, puis se retire et fait l'action une fois, après
// les événements du même lot : l'exposition traitée, la fenêtre est peinte.
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <utility>

class AttenteExposition : public QObject
{
public:
    // delaiMaxMs >= 0 : l'action est faite au plus tard après ce délai, exposée ou non (une
    // fenêtre peut rester cachée, réduite ou sur un autre bureau).
    AttenteExposition(QWindow* fenetre, QObject* parent, std::function<void()> action, int delaiMaxMs = -1)
        : QObject(parent), m_fenetre(fenetre), m_action(std::move(action))
    {
        m_fenetre->installEventFilter(this);
        if (delaiMaxMs >= 0)
            QTimer::singleShot(delaiMaxMs, this, [this] { declencher(); });
    }

    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet == m_fenetre && evenement->type() == QEvent::Expose && m_fenetre->isExposed())
            declencher();
        return false;
    }

private:
    void declencher()
    {
        if (!m_action)
            return;
        m_fenetre->removeEventFilter(this);
        // Après les événements du même lot : un déplacement reçu avec l'exposition compte.
        QMetaObject::invokeMethod(parent(), std::exchange(m_action, nullptr), Qt::QueuedConnection);
        deleteLater();
    }

    QWindow* m_fenetre;
    std::function<void()> m_action;
};
