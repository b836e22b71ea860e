#include "Horloge.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

Horloge* g_horloge = nullptr;

Horloge& horlogeReelle()
{
    static Horloge reelle;
    return reelle;
}

const QElapsedTimer& chronometre()
{
    static const QElapsedTimer chrono = [] {
        QElapsedTimer c;
        c.start();
        return c;
    }();
    return chrono;
}

} // namespace

QDateTime Horloge::maintenant() const
{
    return QDateTime::currentDateTime();
}

void Horloge::attendre(int millisecondes)
{
    if (millisecondes > 0)
        QThread::msleep(static_cast<unsigned long>(millisecondes));
}

qint64 Horloge::millisecondesEcoulees() const
{
    return chronometre().elapsed();
}

Horloge& Horloge::courante()
{
    return g_horloge ? *g_horloge : horlogeReelle();
}

void Horloge::definir(Horloge* horloge)
{
    g_horloge = horloge;
}
