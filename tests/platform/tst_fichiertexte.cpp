#include "Codec1252.h"
#include "DisquePlein.h"
#include "EnvironnementTest.h"
#include "Erreurs.h"
#include "FichierTexte.h"
#include "OctetsFichier.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestFichierTexte : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decouperLignes_data();
    void decouperLignes();
    void empreinteContenu_egaleCelleDuFichier_data();
    void empreinteContenu_egaleCelleDuFichier();

    void ecrireLignes_octets_data();
    void ecrireLignes_octets();
    void ecrireLignes_puisLire_memesLignes();
    void ecrire_remplaceLAncienFichier();

    void lire_fichierAbsent_erreurNommantLeFichier();
    void lire_pasUnFichierOrdinaire_refuseSansLire_data();
    void lire_pasUnFichierOrdinaire_refuseSansLire();
    void ecrire_disquePlein_ancienFichierIntact_data();
    void ecrire_disquePlein_ancienFichierIntact();
    void ecrire_lienSymbolique_cibleRemplaceeEtSauvegardeReelle();
    void temporairesOrphelins_seulsLesNotresPartent();
    void fichierChange_data();
    void fichierChange();
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
    QTest::newRow("euro et accents") << "é€\r\nŒ" << QStringList{"é€", "Œ"};
}

void TestFichierTexte::decouperLignes()
{
    QFETCH(QString, texte);
    QFETCH(QStringList, attendu);
    QCOMPARE(::decouperLignes(texte), attendu);
    // Le découpage des octets d'un fichier donne les mêmes lignes.
    QCOMPARE(lignesDepuisAnsi(versAnsi(texte)), attendu);
}

void TestFichierTexte::empreinteContenu_egaleCelleDuFichier_data()
{
    QTest::addColumn<int>("avant");
    QTest::addColumn<int>("grand");
    QTest::newRow("petit") << 0 << 10;
    QTest::newRow("blocs directs") << 0 << 200 * 1024 + 7;
    QTest::newRow("tampon entamé puis blocs") << 100 << 3 * 64 * 1024;
}

// Écrit en deux fois, par le tampon ou directement : l'empreinte est celle des octets du fichier.
void TestFichierTexte::empreinteContenu_egaleCelleDuFichier()
{
    QFETCH(int, avant);
    QFETCH(int, grand);
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("f.bin"));
    QByteArray octets;
    for (int i = 0; i < avant + grand; ++i)
        octets.append(char(i * 7919 % 251));
    SortieAtomique sortie(chemin);
    sortie.ecrire(QByteArrayView(octets).first(avant));
    sortie.ecrire(QByteArrayView(octets).sliced(avant));
    sortie.valider();
    QCOMPARE(lireOctetsBruts(chemin, "<absent>"), octets);
    QCOMPARE(sortie.empreinteContenu(), empreinteOctets(octets));
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
    // Pas de marque d'ordre d'octets : les octets sont exactement ceux des lignes.
    QCOMPARE(lireOctetsBruts(chemin, "<absent>"), attendu);
}

void TestFichierTexte::ecrireLignes_puisLire_memesLignes()
{
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("Vatrelix.conf"));
    const QStringList lignes{"$008080FF", "", "Œuf “frais” – 12 €", "-1"};
    ecrireLignes(chemin, lignes);
    QCOMPARE(lireLignes(chemin, TailleMax::liste), lignes);
}

void TestFichierTexte::ecrire_remplaceLAncienFichier()
{
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("a.txt"));
    ecrireOctets(chemin, QByteArray("ancien contenu bien plus long"), Sauvegarde::Aucune);
    ecrireOctets(chemin, QByteArray("neuf"), Sauvegarde::Aucune);
    QCOMPARE(lireOctets(chemin, TailleMax::liste), QByteArray("neuf"));
    // Aucun fichier temporaire ne reste à côté.
    QCOMPARE(QDir(env.dossier()).entryList(QDir::Files), QStringList{"a.txt"});
}

void TestFichierTexte::lire_fichierAbsent_erreurNommantLeFichier()
{
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("absent.lvtx"));
    try {
        lireLignes(chemin, TailleMax::liste);
        QFAIL("pas d'exception");
    } catch (const EFichierErreur& e) {
        QVERIFY2(e.message().contains(chemin), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("n'existe pas")), qPrintable(e.message()));
    }
}

void TestFichierTexte::lire_pasUnFichierOrdinaire_refuseSansLire_data()
{
    QTest::addColumn<QString>("genre");
    QTest::addColumn<QString>("raison");
    QTest::newRow("dossier") << "dossier" << "c'est un dossier";
    QTest::newRow("tube nommé") << "tube" << "pas un fichier ordinaire";
    QTest::newRow("/dev/zero") << "zero" << "pas un fichier ordinaire";
    QTest::newRow("lien vers /dev/zero") << "lien" << "pas un fichier ordinaire";
    QTest::newRow("trop gros") << "gros" << "trop gros";
}

// Un tube bloquerait à l'ouverture et /dev/zero ne finirait pas : refusés avant toute lecture.
void TestFichierTexte::lire_pasUnFichierOrdinaire_refuseSansLire()
{
    QFETCH(QString, genre);
    QFETCH(QString, raison);
    EnvironnementTest env;
    QString chemin = env.chemin(QStringLiteral("entree"));
    if (genre == u"dossier")
        QVERIFY(QDir().mkdir(chemin));
    else if (genre == u"tube")
        QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
    else if (genre == u"zero")
        chemin = QStringLiteral("/dev/zero");
    else if (genre == u"lien")
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), chemin));
    else
        ecrireOctets(chemin, QByteArray(101, 'x'), Sauvegarde::Aucune);
    try {
        lireOctets(chemin, 100);
        QFAIL("fichier accepté");
    } catch (const EFichierErreur& e) {
        QVERIFY2(e.message().contains(chemin) && e.message().contains(raison), qPrintable(e.message()));
    }
}

void TestFichierTexte::ecrire_disquePlein_ancienFichierIntact_data()
{
    QTest::addColumn<int>("taille");
    // Jusqu'à 16 Kio, tout tenait dans le tampon : l'erreur du dernier bloc se perdait.
    QTest::newRow("10 o") << 10;
    QTest::newRow("16 Kio") << 16 * 1024;
    QTest::newRow("1 Mio") << 1024 * 1024;
}

void TestFichierTexte::ecrire_disquePlein_ancienFichierIntact()
{
    QFETCH(int, taille);
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("base.xml"));
    ecrireOctets(chemin, QByteArray("ancien"), Sauvegarde::Aucune);
    {
        const DisquePlein plein(4);
        QVERIFY_THROWS_EXCEPTION(EFichierErreur, ecrireOctets(chemin, QByteArray(taille, 'n'), Sauvegarde::FichierBak));
    }
    QCOMPARE(lireOctets(chemin, TailleMax::liste), QByteArray("ancien"));
    QCOMPARE(QDir(env.dossier()).entryList(QDir::Files | QDir::Hidden), QStringList{"base.xml"});
}

// Le fichier est un lien : sa cible est remplacée dans son dossier, le lien reste un lien, la
// sauvegarde est une vraie copie de l'ancienne version.
void TestFichierTexte::ecrire_lienSymbolique_cibleRemplaceeEtSauvegardeReelle()
{
    EnvironnementTest env;
    QVERIFY(QDir().mkdir(env.chemin(QStringLiteral("ailleurs"))));
    const QString cible = env.chemin(QStringLiteral("ailleurs/vraie.xml"));
    const QString lien = env.chemin(QStringLiteral("base.xml"));
    ecrireOctets(cible, QByteArray("v1"), Sauvegarde::Aucune);
    QVERIFY(QFile::link(QStringLiteral("ailleurs/vraie.xml"), lien));
    ecrireOctets(lien, QByteArray("v2"), Sauvegarde::FichierBak);
    ecrireOctets(lien, QByteArray("v3"), Sauvegarde::FichierBak);
    QVERIFY(QFileInfo(lien).isSymLink());
    QCOMPARE(lireOctets(cible, 10), QByteArray("v3"));
    QVERIFY(!QFileInfo(lien + QStringLiteral(".bak")).isSymLink());
    QCOMPARE(lireOctets(lien + QStringLiteral(".bak"), 10), QByteArray("v2"));
    QCOMPARE(QDir(env.chemin(QStringLiteral("ailleurs"))).entryList(QDir::Files | QDir::Hidden), QStringList{"vraie.xml"});
}

// Seuls les temporaires du programme dont l'écrivain a disparu sont supprimés.
void TestFichierTexte::temporairesOrphelins_seulsLesNotresPartent()
{
    EnvironnementTest env;
    const QString mort = QStringLiteral("999999999");
    const QString vivant = QString::number(::getpid());
    const QStringList orphelins{".baseVatrelix.xml.vatrelix-" + mort + "-aB3dE9", ".Vatrelix.conf.vatrelix-" + mort + "-zzzzzz"};
    const QStringList gardes{".liste.lvtx.vatrelix-" + vivant + "-abcdef", "baseVatrelix.xml.backup",
                             "baseVatrelix.xml.aB3dE9", ".x.vatrelix-" + mort + "-abc", "Vatrelix.conf"};
    for (const QString& nom : orphelins + gardes)
        ecrireOctets(env.chemin(nom), QByteArray("x"), Sauvegarde::Aucune);
    // Un lien au nom d'un temporaire n'est jamais suivi ni supprimé.
    QVERIFY(QFile::link(env.chemin(QStringLiteral("Vatrelix.conf")), env.chemin(".l.vatrelix-" + mort + "-qwerty")));
    QCOMPARE(supprimerTemporairesOrphelins(env.dossier()), 2);
    QStringList restants = QDir(env.dossier()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    QStringList attendus = gardes;
    attendus.append(".l.vatrelix-" + mort + "-qwerty");
    restants.sort();
    attendus.sort();
    QCOMPARE(restants, attendus);
}

void TestFichierTexte::fichierChange_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("change");
    QTest::newRow("rien") << "rien" << false;
    QTest::newRow("date seule") << "date" << false;
    QTest::newRow("même taille, autre contenu") << "contenu" << true;
    QTest::newRow("autre taille") << "taille" << true;
    QTest::newRow("supprimé : rien à perdre") << "supprime" << false;
}

void TestFichierTexte::fichierChange()
{
    QFETCH(QString, action);
    QFETCH(bool, change);
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("liste.lvtx"));
    const QByteArray octets("1|Lait\r\n");
    ecrireOctets(chemin, octets, Sauvegarde::Aucune);
    const EmpreinteFichier empreinte = empreinteFichier(chemin, empreinteOctets(octets));
    QFile f(chemin);
    const QDateTime plusTard = QDateTime::currentDateTime().addSecs(60);
    if (action == u"date") {
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(plusTard, QFileDevice::FileModificationTime));
    } else if (action == u"contenu" || action == u"taille") {
        ecrireOctets(chemin, action == u"contenu" ? QByteArray("2|Lait\r\n") : QByteArray("2|Lait\r\n\r\n"),
                     Sauvegarde::Aucune);
    } else if (action == u"supprime") {
        QVERIFY(QFile::remove(chemin));
    }
    QCOMPARE(::fichierChange(chemin, empreinte), change);
    // Absent à la lecture : il a changé dès qu'il existe.
    const QString neuf = chemin + QStringLiteral(".neuf");
    QCOMPARE(::fichierChange(neuf, empreinteAbsent()), false);
    ecrireOctets(neuf, octets, Sauvegarde::Aucune);
    QCOMPARE(::fichierChange(neuf, empreinteAbsent()), true);
}

void TestFichierTexte::ecrire_surUnDossier_erreurEtDossierIntact()
{
    EnvironnementTest env;
    const QString chemin = env.chemin(QStringLiteral("dossier"));
    QVERIFY(QDir().mkdir(chemin));
    ecrireOctets(chemin + QStringLiteral("/dedans.txt"), QByteArray("x"), Sauvegarde::Aucune);
    try {
        ecrireLignes(chemin, {QStringLiteral("a")});
        QFAIL("pas d'exception");
    } catch (const EFichierErreur& e) {
        QVERIFY2(e.message().contains(chemin), qPrintable(e.message()));
    }
    QVERIFY(QFileInfo(chemin).isDir());
    QCOMPARE(lireOctets(chemin + QStringLiteral("/dedans.txt"), TailleMax::liste), QByteArray("x"));
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
    QCOMPARE(lireLignes(chemin, TailleMax::liste), QStringList{"ancienne"});
}

void TestFichierTexte::ecrire_dossierAbsent_erreur()
{
    EnvironnementTest env;
    QVERIFY_THROWS_EXCEPTION(EFichierErreur,
                             ecrireOctets(env.chemin(QStringLiteral("nulle/part/x.txt")), QByteArray("x"), Sauvegarde::Aucune));
}

void TestFichierTexte::ecrire_temporaireImpossible_ancienFichierIntact()
{
    // Un nom de 250 caractères existe, mais son fichier temporaire dépasserait la limite
    // de longueur d'un nom : l'écriture échoue même pour le superutilisateur.
    EnvironnementTest env;
    const QString chemin = env.chemin(QString(250, u'n'));
    ecrireOctetsBruts(chemin, "ancienne\r\n");
    QVERIFY_THROWS_EXCEPTION(EFichierErreur, ecrireLignes(chemin, {QStringLiteral("nouvelle")}));
    QCOMPARE(lireLignes(chemin, TailleMax::liste), QStringList{"ancienne"});
    QCOMPARE(QDir(env.dossier()).entryList(QDir::Files).size(), 1);
}

QTEST_GUILESS_MAIN(TestFichierTexte)
#include "tst_fichiertexte.moc"
