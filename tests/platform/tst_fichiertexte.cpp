#include "EnvironnementTest.h"
#include "Erreurs.h"
#include "FichierTexte.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <unistd.h>

class TestFichierTexte : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decouperLignes_data();
    void decouperLignes();

    void ecrireLignes_octets_data();
    void ecrireLignes_octets();
    void ecrireLignes_puisLire_memesLignes();
    void ecrire_remplaceLAncienFichier();

    void lire_fichierAbsent_erreurNommantLeFichier();
    void lire_dossier_erreur();
    void ecrire_surUnDossier_erreurEtDossierIntact();
    void ecrire_dossierEnLectureSeule_ancienFichierIntact();
    void ecrire_dossierAbsent_erreur();
    void ecrire_temporaireImpossible_ancienFichierIntact();
};

void TestFichierTexte::decouperLignes_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QStringList>("attendu");
    QTest::newRow("vide") << "" << QStringList{};
    QTest::newRow("une ligne sans fin") << "a" << QStringList{"a"};
    QTest::newRow("une ligne CR LF") << "a\r\n" << QStringList{"a"};
    QTest::newRow("LF") << "a\nb\n" << QStringList{"a", "b"};
    QTest::newRow("CR seul") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("mélange") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("lignes vides gardées") << "a\r\n\r\nb\r\n" << QStringList{"a", "", "b"};
    QTest::newRow("ligne vide finale") << "a\r\n\r\n" << QStringList{"a", ""};
    QTest::newRow("LF CR fait deux fins") << "a\n\rb" << QStringList{"a", "", "b"};
    QTest::newRow("seulement une fin") << "\r\n" << QStringList{""};
    QTest::newRow("CR CR LF") << "a\r\r\n" << QStringList{"a", ""};
}

void TestFichierTexte::decouperLignes()
{
    QFETCH(QString, texte);
    QFETCH(QStringList, attendu);
    QCOMPARE(::decouperLignes(texte), attendu);
}

void TestFichierTexte::ecrireLignes_octets_data()
{
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<QByteArray>("attendu");
    QTest::newRow("liste vide") << QStringList{} << QByteArray();
    QTest::newRow("une ligne vide") << QStringList{""} << QByteArray("\r\n");
    QTest::newRow("CR LF et euro") << QStringList{"2|Lait|demi-écrémé|Crèmerie|0,89 €|1,78 €", "x"}
                                   << QByteArray("2|Lait|demi-\xE9\x63r\xE9m\xE9|Cr\xE8merie|0,89 \x80|1,78 \x80\r\nx\r\n");
    QTest::newRow("absent devient ?") << QStringList{"Ω"} << QByteArray("?\r\n");
}

void TestFichierTexte::ecrireLignes_octets()
{
    QFETCH(QStringList, lignes);
    QFETCH(QByteArray, attendu);
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("liste.lvtx"));
    ecrireLignes(chemin, lignes);
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::ReadOnly));
    // Pas de marque d'ordre d'octets : les octets sont exactement ceux des lignes.
    QCOMPARE(f.readAll(), attendu);
}

void TestFichierTexte::ecrireLignes_puisLire_memesLignes()
{
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("Vatrelix.conf"));
    const QStringList lignes{"$008080FF", "", "Œuf “frais” – 12 €", "-1"};
    ecrireLignes(chemin, lignes);
    QCOMPARE(lireLignes(chemin), lignes);
}

void TestFichierTexte::ecrire_remplaceLAncienFichier()
{
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("a.txt"));
    ecrireOctets(chemin, QByteArray("ancien contenu bien plus long"));
    ecrireOctets(chemin, QByteArray("neuf"));
    QCOMPARE(lireOctets(chemin), QByteArray("neuf"));
    // Aucun fichier temporaire ne reste à côté.
    QCOMPARE(QDir(env.dossier()).entryList(QDir::Files), QStringList{"a.txt"});
}

void TestFichierTexte::lire_fichierAbsent_erreurNommantLeFichier()
{
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("absent.lvtx"));
    try {
        lireLignes(chemin);
        QFAIL("pas d'exception");
    } catch (const EFichierErreur& e) {
        QVERIFY2(e.message().contains(chemin), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("n'existe pas")), qPrintable(e.message()));
    }
}

void TestFichierTexte::lire_dossier_erreur()
{
    EnvironnementTest env;
    QVERIFY_THROWS_EXCEPTION(EFichierErreur, lireOctets(env.dossier()));
}

void TestFichierTexte::ecrire_surUnDossier_erreurEtDossierIntact()
{
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("dossier"));
    QVERIFY(QDir().mkdir(chemin));
    ecrireOctets(chemin + QStringLiteral("/dedans.txt"), QByteArray("x"));
    try {
        ecrireLignes(chemin, {QStringLiteral("a")});
        QFAIL("pas d'exception");
    } catch (const EFichierErreur& e) {
        QVERIFY2(e.message().contains(chemin), qPrintable(e.message()));
    }
    QVERIFY(QFileInfo(chemin).isDir());
    QCOMPARE(lireOctets(chemin + QStringLiteral("/dedans.txt")), QByteArray("x"));
}

void TestFichierTexte::ecrire_dossierEnLectureSeule_ancienFichierIntact()
{
    if (::geteuid() == 0)
        QSKIP("les droits ne s'appliquent pas au superutilisateur");
    EnvironnementTest env;
    const QString dossier = env.chemin(QStringLiteral("ro"));
    QVERIFY(QDir().mkdir(dossier));
    const QString chemin = dossier + QStringLiteral("/liste.lvtx");
    ecrireLignes(chemin, {QStringLiteral("ancienne")});
    QFile::setPermissions(dossier, QFile::ReadOwner | QFile::ExeOwner);
    bool leve = false;
    try {
        ecrireLignes(chemin, {QStringLiteral("nouvelle")});
    } catch (const EFichierErreur& e) {
        leve = e.message().contains(chemin);
    }
    QFile::setPermissions(dossier, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(leve);
    QCOMPARE(lireLignes(chemin), QStringList{"ancienne"});
}

void TestFichierTexte::ecrire_dossierAbsent_erreur()
{
    EnvironnementTest env;
    QVERIFY_THROWS_EXCEPTION(EFichierErreur,
                             ecrireOctets(env.chemin(QStringLiteral("nulle/part/x.txt")), QByteArray("x")));
}

void TestFichierTexte::ecrire_temporaireImpossible_ancienFichierIntact()
{
    // Un nom de 250 caractères existe, mais son fichier temporaire dépasserait la limite
    // de longueur d'un nom : l'écriture échoue même pour le superutilisateur.
    EnvironnementTest env;
    const QString chemin = env.chemin(QString(250, u'n'));
    {
        QFile ancien(chemin);
        QVERIFY(ancien.open(QIODevice::WriteOnly));
        ancien.write("ancienne\r\n");
    }
    QVERIFY_THROWS_EXCEPTION(EFichierErreur, ecrireLignes(chemin, {QStringLiteral("nouvelle")}));
    QCOMPARE(lireLignes(chemin), QStringList{"ancienne"});
    QCOMPARE(QDir(env.dossier()).entryList(QDir::Files).size(), 1);
}

QTEST_GUILESS_MAIN(TestFichierTexte)
#include "tst_fichiertexte.moc"
