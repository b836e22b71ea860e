#include "OctetsFichier.h"

#include <QFile>
#include <QTest>

void ecrireOctetsBruts(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(chemin));
    QCOMPARE(f.write(octets), octets.size());
}

QByteArray lireOctetsBruts(const QString& chemin, const QByteArray& siAbsent)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : siAbsent;
}
