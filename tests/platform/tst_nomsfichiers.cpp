#include "EnvironnementTest.h"
#include "FichierTexte.h"
#include "NomsFichiers.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

class TestNomsFichiers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decoupage_data();
    void decoupage();
    void fileExists_fichierSeulement();
    void chercherFichiers_motifs_data();
    void chercherFichiers_motifs();
    void chercherFichiers_attributs();
};

void TestNomsFichiers::decoupage_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("ext");
    QTest::newRow("unix") << "/home/u/liste.lvtx" << "/home/u/" << "/home/u" << "liste.lvtx" << ".lvtx";
    QTest::newRow("windows") << "C:\\Listes\\a.b.lvtx" << "C:\\Listes\\" << "C:\\Listes" << "a.b.lvtx" << ".lvtx";
    QTest::newRow("racine unix") << "/a" << "/" << "/" << "a" << "";
    QTest::newRow("racine lecteur") << "C:\\a.txt" << "C:\\" << "C:\\" << "a.txt" << ".txt";
    QTest::newRow("lecteur seul") << "C:a.txt" << "C:" << "C:" << "a.txt" << ".txt";
    QTest::newRow("nom seul") << "base.xml" << "" << "" << "base.xml" << ".xml";
    QTest::newRow("sans extension") << "/x/Lisez-moi" << "/x/" << "/x" << "Lisez-moi" << "";
    QTest::newRow("point dans le dossier") << "/a.d/nom" << "/a.d/" << "/a.d" << "nom" << "";
    QTest::newRow("nom caché") << "/x/.profil" << "/x/" << "/x" << ".profil" << ".profil";
    QTest::newRow("point final") << "/x/nom." << "/x/" << "/x" << "nom." << ".";
    QTest::newRow("séparateurs mêlés") << "C:\\a/b\\c.txt" << "C:\\a/b\\" << "C:\\a/b" << "c.txt" << ".txt";
    QTest::newRow("double séparateur") << "/x//y" << "/x//" << "/x//" << "y" << "";
    QTest::newRow("vide") << "" << "" << "" << "" << "";
}

void TestNomsFichiers::decoupage()
{
    QFETCH(QString, chemin);
    QFETCH(QString, path);
    QFETCH(QString, dir);
    QFETCH(QString, name);
    QFETCH(QString, ext);
    QCOMPARE(ExtractFilePath(chemin), path);
    QCOMPARE(ExtractFileDir(chemin), dir);
    QCOMPARE(ExtractFileName(chemin), name);
    QCOMPARE(ExtractFileExt(chemin), ext);
}

void TestNomsFichiers::fileExists_fichierSeulement()
{
    EnvironnementTest env;
    ecrireOctets(env.chemin(QStringLiteral("f.txt")), QByteArray(), Sauvegarde::Aucune);
    QVERIFY(FileExists(env.chemin(QStringLiteral("f.txt"))));
    QVERIFY(!FileExists(env.chemin(QStringLiteral("g.txt"))));
    QVERIFY(!FileExists(env.dossier()));
    QVERIFY(!FileExists(QString()));
}

void TestNomsFichiers::chercherFichiers_motifs_data()
{
    QTest::addColumn<QString>("motif");
    QTest::addColumn<QStringList>("attendu");
    QTest::newRow("extension") << "*.acs" << QStringList{"Merlin.acs", "Sam.ACS"};
    QTest::newRow("casse ignorée") << "*.AcS" << QStringList{"Merlin.acs", "Sam.ACS"};
    QTest::newRow("point d'interrogation") << "S?m.acs" << QStringList{"Sam.ACS"};
    QTest::newRow("tout") << "*" << QStringList{"Lisez-moi", "Merlin.acs", "Sam.ACS", "x.acsx"};
    QTest::newRow("étoile point étoile") << "*.*" << QStringList{"Lisez-moi", "Merlin.acs", "Sam.ACS", "x.acsx"};
    QTest::newRow("nom exact") << "merlin.acs" << QStringList{"Merlin.acs"};
    QTest::newRow("aucun") << "*.xml" << QStringList{};
    QTest::newRow("étoiles multiples") << "*e*.*s" << QStringList{"Merlin.acs"};
}

void TestNomsFichiers::chercherFichiers_motifs()
{
    QFETCH(QString, motif);
    QFETCH(QStringList, attendu);
    EnvironnementTest env;
    const QString dossier = env.chemin(QStringLiteral("Chars/"));
    QVERIFY(QDir().mkdir(dossier));
    for (const char* nom : {"Merlin.acs", "Sam.ACS", "x.acsx", "Lisez-moi", ".cache.acs"})
        ecrireOctets(dossier + QString::fromUtf8(nom), QByteArray("12345"), Sauvegarde::Aucune);
    QVERIFY(QDir().mkdir(dossier + QStringLiteral("sous.acs")));

    QStringList noms;
    for (const TSearchRec& r : chercherFichiers(dossier + motif, faAnyFile & ~faDirectory & ~faHidden))
        noms.append(r.Name);
    QCOMPARE(noms, attendu);
}

void TestNomsFichiers::chercherFichiers_attributs()
{
    EnvironnementTest env;
    const QString dossier = env.dossier();
    ecrireOctets(dossier + QStringLiteral("a.acs"), QByteArray("12345"), Sauvegarde::Aucune);
    ecrireOctets(dossier + QStringLiteral(".b.acs"), QByteArray(), Sauvegarde::Aucune);
    ecrireOctets(dossier + QStringLiteral("c.acs"), QByteArray(), Sauvegarde::Aucune);
    QFile::setPermissions(dossier + QStringLiteral("c.acs"), QFile::ReadOwner);
    QVERIFY(QDir().mkdir(dossier + QStringLiteral("d.acs")));

    auto attributs = [&](int masque) {
        QStringList resultat;
        for (const TSearchRec& r : chercherFichiers(dossier + QStringLiteral("*.acs"), masque))
            resultat.append(r.Name + u':' + QString::number(r.Attr, 16) + u':' + QString::number(r.Size));
        return resultat;
    };
    const bool racine = ::geteuid() == 0;
    const QString lectureSeule = racine ? QStringLiteral("c.acs:20:0") : QStringLiteral("c.acs:21:0");
    // Les fichiers ordinaires sont toujours rendus ; "." et ".." jamais.
    QCOMPARE(attributs(0), (QStringList{"a.acs:20:5", lectureSeule}));
    QCOMPARE(attributs(faHidden), (QStringList{".b.acs:22:0", "a.acs:20:5", lectureSeule}));
    QCOMPARE(attributs(faDirectory), (QStringList{"a.acs:20:5", lectureSeule, "d.acs:10:0"}));
    QCOMPARE(attributs(faAnyFile), (QStringList{".b.acs:22:0", "a.acs:20:5", lectureSeule, "d.acs:10:0"}));
    QVERIFY(chercherFichiers(dossier + QStringLiteral(".*"), faAnyFile).size() == 1);
    QVERIFY(chercherFichiers(env.chemin(QStringLiteral("absent/*")), faAnyFile).isEmpty());
}

QTEST_GUILESS_MAIN(TestNomsFichiers)
#include "tst_nomsfichiers.moc"
