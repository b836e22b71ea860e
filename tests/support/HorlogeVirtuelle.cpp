#include "HorlogeVirtuelle.h"

#include <QCoreApplication>

HorlogeVirtuelle::HorlogeVirtuelle(const QDateTime& depart) : m_moment(depart) {}

HorlogeVirtuelle::~HorlogeVirtuelle()
{
    desinstaller();
}

void HorlogeVirtuelle::installer()
{
    Horloge::definir(this);
    m_installee = true;
}

void HorlogeVirtuelle::desinstaller()
{
    if (m_installee)
        Horloge::definir(nullptr);
    m_installee = false;
}

void HorlogeVirtuelle::fixer(const QDateTime& moment)
{
    m_moment = moment;
}

void HorlogeVirtuelle::avancer(qint64 millisecondes)
{
    m_moment = m_moment.addMSecs(millisecondes);
    m_ecoule += millisecondes;
}

QDateTime HorlogeVirtuelle::maintenant() const
{
    return m_moment;
}

void HorlogeVirtuelle::attendre(int millisecondes)
{
    ++m_nombreAttentes;
    if (millisecondes <= 0)
        return;
    m_totalAttendu += millisecondes;
    avancer(millisecondes);
}

void HorlogeVirtuelle::patienter(int millisecondes)
{
    ++m_nombrePatiences;
    attendre(millisecondes);
    // Comme la boucle réelle : ce qui est en file est servi, les entrées de l'utilisateur attendent.
    if (QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (pendantPatience)
        pendantPatience(millisecondes);
}

qint64 HorlogeVirtuelle::millisecondesEcoulees() const
{
    return m_ecoule;
}
