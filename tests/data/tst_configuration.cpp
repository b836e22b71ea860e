// Fichier de configuration : valeurs par défaut, lecture positionnelle interrompue,
// lignes gardées, fichier court complété, octets écrits, fichier non textuel.
#include "Configuration.h"
#include "EnvironnementTest.h"
#include "Erreurs.h"
#include "OctetsFichier.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>
#include <sys/stat.h>

class TestConfiguration : public QObject
{
    Q_OBJECT

    std::unique_ptr<EnvironnementTest> env;

    static void ecrire(const QByteArray& octets) { ecrireOctetsBruts(cheminConfiguration(), octets); }
    static QByteArray lire() { return lireOctetsBruts(cheminConfiguration(), "<absent>"); }

private Q_SLOTS:
    void init() { env = std::make_unique<EnvironnementTest>(); }
    void cleanup() { env.reset(); }

    void sansFichier_valeursParDefaut()
    {
        const ConfigurationAppli c = lireConfiguration();
        QCOMPARE(c.couleurHaut, RGBCouleur(255, 128, 128));
        QCOMPARE(c.couleurBas, RGBCouleur(155, 0, 0));
        QCOMPARE(c.couleurTexte, clWhite);
        QCOMPARE(c.fichierLC, QString());
        QCOMPARE(c.afficherCompagnon, true);
        QCOMPARE(c.nomCompagnon, QStringLiteral("Sam"));
        QCOMPARE(c.lignesConfig.size(), 6);
        QVERIFY(!QFile::exists(cheminConfiguration())); // rien n'est écrit à la lecture
    }

    void sansFichier_ecritureDesDefauts_octetsExacts()
    {
        ConfigurationAppli c = lireConfiguration();
        enregistrerConfiguration(c);
        QCOMPARE(lire(), QByteArray("$008080FF\r\n$0000009B\r\nclWhite\r\n\r\n-1\r\nSam\r\n"));
    }

    void ecriture_octetsExacts()
    {
        ConfigurationAppli c = lireConfiguration();
        c.couleurHaut = RGBCouleur(0, 128, 255);
        c.couleurBas = clCream;
        c.couleurTexte = clBtnFace;
        c.fichierLC = QStringLiteral("/home/moi/Noël €.lvtx");
        c.afficherCompagnon = false;
        c.nomCompagnon = QStringLiteral("Ωmega");
        enregistrerConfiguration(c);
        QCOMPARE(lire(), QByteArray("$00FF8000\r\nclCream\r\nclBtnFace\r\n/home/moi/No\xEBl \x80.lvtx\r\n0\r\n?mega\r\n"));
        // Relu : le caractère absent de la page de code est perdu.
        const ConfigurationAppli relue = lireConfiguration();
        QCOMPARE(relue.fichierLC, c.fichierLC);
        QCOMPARE(relue.nomCompagnon, QStringLiteral("?mega"));
        QCOMPARE(relue.couleurHaut, RGBCouleur(0, 128, 255));
    }

    void cinquiemeLigne_booleen_data()
    {
        QTest::addColumn<QByteArray>("texte");
        QTest::addColumn<bool>("affiche");
        QTest::addColumn<QByteArray>("reecrit");
        QTest::newRow("1") << QByteArray("1") << true << QByteArray("-1");
        QTest::newRow("-1") << QByteArray("-1") << true << QByteArray("-1");
        QTest::newRow("2") << QByteArray("2") << true << QByteArray("-1");
        QTest::newRow("True") << QByteArray("True") << true << QByteArray("-1");
        QTest::newRow("tRUE") << QByteArray("tRUE") << true << QByteArray("-1");
        QTest::newRow("0") << QByteArray("0") << false << QByteArray("0");
        QTest::newRow("false") << QByteArray("false") << false << QByteArray("0");
        QTest::newRow("FALSE") << QByteArray("FALSE") << false << QByteArray("0");
    }

    void cinquiemeLigne_booleen()
    {
        QFETCH(QByteArray, texte);
        QFETCH(bool, affiche);
        QFETCH(QByteArray, reecrit);
        ecrire("clRed\r\nclBlue\r\nclBlack\r\n/l.lvtx\r\n" + texte + "\r\nMerlin\r\n");
        ConfigurationAppli c = lireConfiguration();
        QCOMPARE(c.afficherCompagnon, affiche);
        QCOMPARE(c.nomCompagnon, QStringLiteral("Merlin")); // la lecture a continué
        enregistrerConfiguration(c);
        QCOMPARE(lire(), "clRed\r\nclBlue\r\nclBlack\r\n/l.lvtx\r\n" + reecrit + "\r\nMerlin\r\n");
    }

    void lectureInterrompue_valeursDeCreation_data()
    {
        QTest::addColumn<QByteArray>("contenu");
        QTest::addColumn<int>("lignesLues"); // réglages convertis avant l'arrêt
        QTest::newRow("deuxième ligne pas une couleur") << QByteArray("$00FF8000\r\nbleu\r\nclWhite\r\n/a\r\n-1\r\nSam\r\n") << 1;
        QTest::newRow("première ligne vide") << QByteArray("\r\n$00FF8000\r\nclWhite\r\n/a\r\n-1\r\nSam\r\n") << 0;
        QTest::newRow("booléen inconnu") << QByteArray("$00FF8000\r\n255\r\nclWhite\r\n/a\r\noui\r\nSam\r\n") << 4;
        QTest::newRow("fichier vide") << QByteArray() << 0;
        QTest::newRow("trois lignes") << QByteArray("$00FF8000\r\n255\r\nclWhite\r\n") << 3;
        QTest::newRow("cinq lignes en LF") << QByteArray("$00FF8000\n255\nclWhite\n/a\n0") << 5;
        QTest::newRow("six lignes en CR") << QByteArray("$00FF8000\r255\rclWhite\r/a\r-1\rSam") << 6;
        // Octets de contrôle : lus comme le reste, sans arrêter le démarrage.
        QTest::newRow("Ctrl-Z final") << QByteArray("$00FF8000\r\n255\r\nclWhite\r\n/a\r\n-1\r\nSam\r\n\x1A") << 6;
        QTest::newRow("octets nuls en deuxième ligne") << QByteArray("$00FF8000\r\n\0\0\0\x01\r\n", 17) << 1;
        QTest::newRow("image") << QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16) << 0;
    }

    void lectureInterrompue_valeursDeCreation()
    {
        QFETCH(QByteArray, contenu);
        QFETCH(int, lignesLues);
        ecrire(contenu);
        const ConfigurationAppli c = lireConfiguration();
        QCOMPARE(c.couleurHaut, lignesLues > 0 ? RGBCouleur(0, 128, 255) : clBlack);
        QCOMPARE(c.couleurBas, lignesLues > 1 ? TColor(255) : clBlack);
        QCOMPARE(c.couleurTexte, lignesLues > 2 ? clWhite : clBlack);
        QCOMPARE(c.fichierLC, lignesLues > 3 ? QStringLiteral("/a") : QString());
        QCOMPARE(c.afficherCompagnon, lignesLues > 5);
        QCOMPARE(c.nomCompagnon, lignesLues > 5 ? QStringLiteral("Sam") : QString());
        // L'arrêt est dit (ligne d'état), avec le numéro de la ligne fautive.
        QCOMPARE(c.avertissement.isEmpty(), lignesLues == 6);
        if (lignesLues < 6)
            QVERIFY2(c.avertissement.contains(QStringLiteral("ligne %1 ").arg(lignesLues + 1)), qPrintable(c.avertissement));
    }

    void fichierCourt_completeALEcriture()
    {
        ecrire("$00FF8000\r\n255\r\n");
        ConfigurationAppli c = lireConfiguration();
        c.afficherCompagnon = true;
        c.nomCompagnon = QStringLiteral("Peedy");
        enregistrerConfiguration(c);
        QCOMPARE(lire(), QByteArray("$00FF8000\r\nclRed\r\nclBlack\r\n\r\n-1\r\nPeedy\r\n"));
        QCOMPARE(c.lignesConfig.size(), 6);
    }

    void lignesSuivantes_gardeesTellesQuelles()
    {
        const QByteArray suite("septi\xE8me \x80\r\n\r\n  huiti\xE8me  \r\n");
        ecrire("clWhite\r\nclWhite\r\nclWhite\r\n\r\n0\r\nSam\r\n" + suite);
        ConfigurationAppli c = lireConfiguration();
        c.couleurHaut = clCream;
        enregistrerConfiguration(c);
        QCOMPARE(lire(), "clCream\r\nclWhite\r\nclWhite\r\n\r\n0\r\nSam\r\n" + suite);
    }

    void fichierIllisible_erreur_data()
    {
        QTest::addColumn<QString>("genre");
        QTest::newRow("dossier") << "dossier";
        QTest::newRow("tube nommé") << "tube";
        QTest::newRow("démesuré") << "gros";
    }

    void fichierIllisible_erreur()
    {
        QFETCH(QString, genre);
        if (genre == u"dossier")
            QVERIFY(QDir().mkdir(cheminConfiguration()));
        else if (genre == u"tube")
            QCOMPARE(::mkfifo(QFile::encodeName(cheminConfiguration()).constData(), 0600), 0);
        else
            ecrire(QByteArray(2 * 1024 * 1024, 'A'));
        try {
            lireConfiguration();
            QFAIL("aucune erreur levée");
        } catch (const EFichierErreur& e) {
            QVERIFY2(e.message().contains(QStringLiteral("Vatrelix.conf")), qPrintable(e.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestConfiguration)
#include "tst_configuration.moc"
