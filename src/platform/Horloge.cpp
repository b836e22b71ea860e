#include "Horloge.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

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

void Horloge::patienter(int millisecondes)
{
    if (millisecondes <= 0)
        return;
    // Hors du fil de l'application, il n'y a pas de boucle à servir.
    const QCoreApplication* application = QCoreApplication::instance();
    if (!application || QThread::currentThread() != application->thread()) {
        attendre(millisecondes);
        return;
    }
    QEventLoop boucle;
    QTimer::singleShot(millisecondes, Qt::PreciseTimer, &boucle, &QEventLoop::quit);
    boucle.exec(QEventLoop::ExcludeUserInputEvents);
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
