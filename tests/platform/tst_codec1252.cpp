#include "Codec1252.h"

#include <QTest>

class TestCodec1252 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void plage80_data();
    void plage80();
    void octetsNonDefinis_allerRetour_data();
    void octetsNonDefinis_allerRetour();
    void ascii_et_latin1_allerRetour();
    void absents_deviennentPointInterrogation_data();
    void absents_deviennentPointInterrogation();
    void normaliser_perdLesAbsents();
};

void TestCodec1252::plage80_data()
{
    QTest::addColumn<int>("octet");
    QTest::addColumn<int>("caractere");
    const int table[][2] = {
        {0x80, 0x20AC}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026}, {0x86, 0x2020},
        {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039}, {0x8C, 0x0152},
        {0x8E, 0x017D}, {0x91, 0x2018}, {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022},
        {0x96, 0x2013}, {0x97, 0x2014}, {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A},
        {0x9C, 0x0153}, {0x9E, 0x017E}, {0x9F, 0x0178},
    };
    for (const auto& [octet, caractere] : table)
        QTest::newRow(qPrintable(QString::number(octet, 16))) << octet << caractere;
}

void TestCodec1252::plage80()
{
    QFETCH(int, octet);
    QFETCH(int, caractere);
    const QByteArray octets(1, char(octet));
    const QString texte{QChar(char16_t(caractere))};
    QCOMPARE(depuisAnsi(octets), texte);
    QCOMPARE(versAnsi(texte), octets);
}

void TestCodec1252::octetsNonDefinis_allerRetour_data()
{
    QTest::addColumn<int>("octet");
    for (int octet : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        QTest::newRow(qPrintable(QString::number(octet, 16))) << octet;
}

void TestCodec1252::octetsNonDefinis_allerRetour()
{
    QFETCH(int, octet);
    const QByteArray octets(1, char(octet));
    QCOMPARE(depuisAnsi(octets), QString(QChar(char16_t(octet))));
    QCOMPARE(versAnsi(depuisAnsi(octets)), octets);
}

void TestCodec1252::ascii_et_latin1_allerRetour()
{
    QByteArray octets;
    for (int i = 0; i < 0x80; ++i)
        octets.append(char(i));
    for (int i = 0xA0; i <= 0xFF; ++i)
        octets.append(char(i));
    const QString texte = depuisAnsi(octets);
    QCOMPARE(texte.size(), octets.size());
    for (qsizetype i = 0; i < octets.size(); ++i)
        QCOMPARE(texte.at(i).unicode(), char16_t(static_cast<unsigned char>(octets.at(i))));
    QCOMPARE(versAnsi(texte), octets);
    QCOMPARE(versAnsi(QStringLiteral("Crèmerie demi-écrémé 0,89 €")), QByteArray("Cr\xE8merie demi-\xE9\x63r\xE9m\xE9 0,89 \x80"));
}

void TestCodec1252::absents_deviennentPointInterrogation_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QByteArray>("attendu");
    QTest::newRow("contrôle C1 défini ailleurs") << QString(QChar(0x0080)) << QByteArray("?");
    QTest::newRow("contrôle C1 9F") << QString(QChar(0x009F)) << QByteArray("?");
    QTest::newRow("espace fine insécable") << QString(QChar(0x202F)) << QByteArray("?");
    QTest::newRow("grec") << QStringLiteral("aΩb") << QByteArray("a?b");
    QTest::newRow("idéogramme") << QStringLiteral("中") << QByteArray("?");
    QTest::newRow("paire de substitution comptée une fois") << QStringLiteral("a😀b") << QByteArray("a?b");
    QTest::newRow("demi-paire isolée") << QString(QChar(0xD800)) + u'x' << QByteArray("?x");
    QTest::newRow("deux paires") << QStringLiteral("😀😀") << QByteArray("??");
}

void TestCodec1252::absents_deviennentPointInterrogation()
{
    QFETCH(QString, texte);
    QFETCH(QByteArray, attendu);
    QCOMPARE(versAnsi(texte), attendu);
}

void TestCodec1252::normaliser_perdLesAbsents()
{
    QCOMPARE(normaliserAnsi(QStringLiteral("Œuf € Ω")), QStringLiteral("Œuf € ?"));
    QCOMPARE(normaliserAnsi(QString()), QString());
}

QTEST_GUILESS_MAIN(TestCodec1252)
#include "tst_codec1252.moc"
