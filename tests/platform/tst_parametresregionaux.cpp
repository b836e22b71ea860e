#include "Codec1252.h"
#include "ParametresRegionaux.h"

#include <QTest>

class TestParametresRegionaux : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void depuisEnvironnement_data();
    void depuisEnvironnement();
    void francais_valeurs();
};

namespace {
// Fixe les variables de locale le temps d'un test.
class Locale
{
public:
    Locale(const QByteArray& tout, const QByteArray& numerique, const QByteArray& langue)
    {
        for (const char* v : {"LC_ALL", "LC_NUMERIC", "LC_TIME", "LANG"})
            m_anciennes.append(qgetenv(v));
        fixer("LC_ALL", tout);
        fixer("LC_NUMERIC", numerique);
        fixer("LC_TIME", QByteArray());
        fixer("LANG", langue);
    }
    ~Locale()
    {
        int i = 0;
        for (const char* v : {"LC_ALL", "LC_NUMERIC", "LC_TIME", "LANG"})
            fixer(v, m_anciennes.at(i++));
    }

private:
    static void fixer(const char* nom, const QByteArray& valeur)
    {
        if (valeur.isEmpty())
            qunsetenv(nom);
        else
            qputenv(nom, valeur);
    }
    QList<QByteArray> m_anciennes;
};
} // namespace

void TestParametresRegionaux::depuisEnvironnement_data()
{
    QTest::addColumn<QByteArray>("tout");
    QTest::addColumn<QByteArray>("numerique");
    QTest::addColumn<QByteArray>("langue");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("milliers");
    QTest::newRow("rien") << QByteArray() << QByteArray() << QByteArray() << "," << QString(QChar(0xA0));
    QTest::newRow("C") << QByteArray("C") << QByteArray() << QByteArray("en_US.UTF-8") << "," << QString(QChar(0xA0));
    QTest::newRow("POSIX") << QByteArray("POSIX") << QByteArray() << QByteArray() << "," << QString(QChar(0xA0));
    QTest::newRow("C.UTF-8") << QByteArray("C.UTF-8") << QByteArray() << QByteArray() << "," << QString(QChar(0xA0));
    QTest::newRow("LANG anglais") << QByteArray() << QByteArray() << QByteArray("en_US.UTF-8") << "." << ",";
    QTest::newRow("LC_ALL prime") << QByteArray("en_US.UTF-8") << QByteArray("fr_FR.UTF-8") << QByteArray() << "." << ",";
    QTest::newRow("LC_NUMERIC avant LANG") << QByteArray() << QByteArray("de_DE.UTF-8") << QByteArray("en_US") << "," << ".";
    QTest::newRow("français de la locale") << QByteArray("fr_FR.UTF-8") << QByteArray() << QByteArray() << "," << QString(QChar(0xA0));
}

void TestParametresRegionaux::depuisEnvironnement()
{
    QFETCH(QByteArray, tout);
    QFETCH(QByteArray, numerique);
    QFETCH(QByteArray, langue);
    QFETCH(QString, decimal);
    QFETCH(QString, milliers);
    Locale locale(tout, numerique, langue);
    const ParametresRegionaux p = ParametresRegionaux::depuisEnvironnement();
    QCOMPARE(QString(p.separateurDecimal), decimal);
    QCOMPARE(QString(p.separateurMilliers), milliers);
    // Jamais de fuseau horaire dans l'heure longue ; séparateurs toujours en Windows-1252.
    QVERIFY2(!p.formatHeureLongue.contains(u't'), qPrintable(p.formatHeureLongue));
    QVERIFY(!p.formatHeureLongue.endsWith(u' '));
    QCOMPARE(normaliserAnsi(QString(p.separateurMilliers)), QString(p.separateurMilliers));
}

void TestParametresRegionaux::francais_valeurs()
{
    const ParametresRegionaux p = ParametresRegionaux::francais();
    QCOMPARE(p.separateurDecimal, QChar(u','));
    QCOMPARE(p.separateurMilliers, QChar(0xA0));
    QCOMPARE(p.formatDateCourte, QStringLiteral("dd/MM/yyyy"));
    QCOMPARE(p.formatHeureLongue, QStringLiteral("HH:mm:ss"));
}

QTEST_GUILESS_MAIN(TestParametresRegionaux)
#include "tst_parametresregionaux.moc"
