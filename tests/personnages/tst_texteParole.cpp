#include "FenetreBulle.h"
#include "TexteParole.h"

#include <QTest>

class TestTexteParole : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void analyser_balisesRetireesMapPartagee_data();
    void analyser_balisesRetireesMapPartagee();
    void analyser_signets();
    void couper_auxEspacesEtMotsLongs_data();
    void couper_auxEspacesEtMotsLongs();
    void duree_proportionnelleAvecMinimum_data();
    void duree_proportionnelleAvecMinimum();
    void placer_dessusSinonDessousDansLEcran_data();
    void placer_dessusSinonDessousDansLEcran();
};

void TestTexteParole::analyser_balisesRetireesMapPartagee_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("affiche");
    QTest::addColumn<QString>("prononce");
    QTest::newRow("sans balise") << QStringLiteral("Options") << QStringLiteral("Options") << QStringLiteral("Options");
    QTest::newRow("map") << QStringLiteral("\\Map=\"Vatrelix deux mille six\"=\"Vatrelix 2006\"\\.")
                         << QStringLiteral("Vatrelix 2006.") << QStringLiteral("Vatrelix deux mille six.");
    QTest::newRow("map casse") << QStringLiteral("a\\map=\"x\"=\"y\"\\b") << QStringLiteral("ayb") << QStringLiteral("axb");
    QTest::newRow("guillemets doublés") << QStringLiteral("\\Map=\"dit \"\"là\"\"\"=\"vu\"\\")
                                        << QStringLiteral("vu") << QStringLiteral("dit \"là\"");
    QTest::newRow("autres balises") << QStringLiteral("\\Pau=500\\Un \\Emp\\mot \\Chr=\"Whisper\"\\bas.")
                                    << QStringLiteral("Un mot bas.") << QStringLiteral("Un mot bas.");
    QTest::newRow("barre littérale") << QStringLiteral("a\\\\b") << QStringLiteral("a\\b") << QStringLiteral("a\\b");
    QTest::newRow("balise non refermée") << QStringLiteral("fin \\Pau=3") << QStringLiteral("fin \\Pau=3")
                                         << QStringLiteral("fin ");
    QTest::newRow("map mal formée") << QStringLiteral("\\Map=\"x\"\\y") << QStringLiteral("y") << QStringLiteral("y");
    QTest::newRow("vide") << QString() << QString() << QString();
}

void TestTexteParole::analyser_balisesRetireesMapPartagee()
{
    QFETCH(QString, texte);
    QFETCH(QString, affiche);
    QFETCH(QString, prononce);
    const TexteParole t = analyserTexteParole(texte);
    QCOMPARE(t.affiche, affiche);
    QCOMPARE(t.prononce, prononce);
}

void TestTexteParole::analyser_signets()
{
    const TexteParole t = analyserTexteParole(QStringLiteral("Un \\Mrk=7\\deux \\Mrk=x\\trois\\Mrk=9\\"));
    QCOMPARE(t.affiche, QStringLiteral("Un deux trois"));
    QCOMPARE(t.signets, QList<int>({7, 9}));
    QCOMPARE(t.positionsSignets, QList<int>({3, 13}));
}

void TestTexteParole::couper_auxEspacesEtMotsLongs_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("largeur");
    QTest::addColumn<QStringList>("lignes");
    QTest::newRow("tient") << QStringLiteral("Bonjour") << 10 << QStringList({QStringLiteral("Bonjour")});
    QTest::newRow("largeur exacte") << QStringLiteral("abc def") << 7 << QStringList({QStringLiteral("abc def")});
    QTest::newRow("coupe à l'espace") << QStringLiteral("abc def") << 6
                                      << QStringList({QStringLiteral("abc"), QStringLiteral("def")});
    QTest::newRow("mot trop long") << QStringLiteral("ab abcdefghij c") << 4
                                   << QStringList({QStringLiteral("ab"), QStringLiteral("abcd"), QStringLiteral("efgh"),
                                                   QStringLiteral("ij c")});
    QTest::newRow("espaces multiples") << QStringLiteral("  a   b  ") << 10 << QStringList({QStringLiteral("a b")});
    QTest::newRow("saut de ligne") << QStringLiteral("a\nb") << 10 << QStringList({QStringLiteral("a"), QStringLiteral("b")});
    QTest::newRow("largeur nulle") << QStringLiteral("ab") << 0 << QStringList({QStringLiteral("a"), QStringLiteral("b")});
}

void TestTexteParole::couper_auxEspacesEtMotsLongs()
{
    QFETCH(QString, texte);
    QFETCH(int, largeur);
    QFETCH(QStringList, lignes);
    QCOMPARE(couperLignes(texte, largeur), lignes);
}

void TestTexteParole::duree_proportionnelleAvecMinimum_data()
{
    QTest::addColumn<int>("longueur");
    QTest::addColumn<int>("duree");
    QTest::newRow("vide") << 0 << 1500;
    QTest::newRow("court") << 10 << 1500;
    QTest::newRow("limite") << 25 << 1500;
    QTest::newRow("long") << 40 << 2400;
    QTest::newRow("plafond") << 100000 << 120000;
}

void TestTexteParole::duree_proportionnelleAvecMinimum()
{
    QFETCH(int, longueur);
    QFETCH(int, duree);
    QCOMPARE(dureeParole(QString(longueur, QLatin1Char('x'))), duree);
}

void TestTexteParole::placer_dessusSinonDessousDansLEcran_data()
{
    QTest::addColumn<QRect>("personnage");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<bool>("queueEnBas");
    const QRect ecran(0, 0, 1000, 800);
    Q_UNUSED(ecran);
    QTest::newRow("au-dessus, centrée") << QRect(400, 400, 100, 100) << QPoint(350, 340) << true;
    QTest::newRow("trop haut : dessous") << QRect(400, 20, 100, 100) << QPoint(350, 120) << false;
    QTest::newRow("bord gauche") << QRect(0, 400, 40, 100) << QPoint(0, 340) << true;
    QTest::newRow("bord droit") << QRect(980, 400, 20, 100) << QPoint(800, 340) << true;
}

void TestTexteParole::placer_dessusSinonDessousDansLEcran()
{
    QFETCH(QRect, personnage);
    QFETCH(QPoint, position);
    QFETCH(bool, queueEnBas);
    const QSize taille(200, 60);
    const PlacementBulle p = placerBulle(personnage, taille, QRect(0, 0, 1000, 800));
    QCOMPARE(p.position, position);
    QCOMPARE(p.queueEnBas, queueEnBas);
    // La pointe reste sur le corps de la bulle, au plus près du centre du personnage.
    QVERIFY(p.xQueue >= 16 && p.xQueue <= taille.width() - 16);
    const int cible = std::clamp(personnage.x() + personnage.width() / 2 - p.position.x(), 16, taille.width() - 16);
    QCOMPARE(p.xQueue, cible);
}

QTEST_MAIN(TestTexteParole)
#include "tst_texteParole.moc"
