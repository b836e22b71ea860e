// Ce que le programme fait de sa ligne de commande, et la remise d'une liste par une seconde
// copie à celle qui tient le dossier de données (serveur et client locaux, sans fenêtre).
#include "HorlogeVirtuelle.h"
#include "LigneCommande.h"
#include "RemiseInstance.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <QtTest>

#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(LigneCommande::Action)
Q_DECLARE_METATYPE(LectureRemise)

namespace {

QByteArray enteteRemise(quint32 taille)
{
    QByteArray octets("VXR1....");
    qToBigEndian<quint32>(taille, octets.data() + 4);
    return octets;
}

} // namespace

class TestLigneCommande : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void analyser_data();
    void analyser();

    void lireRemise_data();
    void lireRemise();
    void remise_serveurEtClient_data();
    void remise_serveurEtClient();
    void remise_sansServeur_echoueApresLeDelai();
    void nomServeur_parDossier();
};

// ---------------------------------------------------------------- arguments

void TestLigneCommande::analyser_data()
{
    using A = LigneCommande::Action;
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<A>("action");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QString>("texte"); // contenu dans le texte rendu

    const QString aide = u"Utilisation : vatrelix [FICHIER.lvtx]"_s;
    const QString version = u"Vatrelix version "_s + QStringLiteral(VATRELIX_VERSION) + u'\n';
    QTest::newRow("aucun") << QStringList{} << A::Demarrer << QString() << QString();
    QTest::newRow("relatif") << QStringList{u"liste.lvtx"_s} << A::Demarrer << u"/maison/docs/liste.lvtx"_s << QString();
    QTest::newRow("remonte") << QStringList{u"./../x/l.lvtx"_s} << A::Demarrer << u"/maison/x/l.lvtx"_s << QString();
    QTest::newRow("absolu, espaces") << QStringList{u"/tmp/la liste é.lvtx"_s} << A::Demarrer
                                     << u"/tmp/la liste é.lvtx"_s << QString();
    QTest::newRow("tiret seul : un fichier") << QStringList{u"-"_s} << A::Demarrer << u"/maison/docs/-"_s << QString();
    QTest::newRow("après --") << QStringList{u"--"_s, u"-l.lvtx"_s} << A::Demarrer << u"/maison/docs/-l.lvtx"_s
                             << QString();
    QTest::newRow("--help après --") << QStringList{u"--"_s, u"--help"_s} << A::Demarrer
                                    << u"/maison/docs/--help"_s << QString();
    QTest::newRow("--help") << QStringList{u"--help"_s} << A::Aide << QString() << aide;
    QTest::newRow("-h") << QStringList{u"-h"_s} << A::Aide << QString() << aide;
    QTest::newRow("aide après un fichier") << QStringList{u"a.lvtx"_s, u"-h"_s} << A::Aide << QString() << aide;
    QTest::newRow("--version") << QStringList{u"--version"_s} << A::Version << QString() << version;
    QTest::newRow("-v") << QStringList{u"-v"_s} << A::Version << QString() << version;
    QTest::newRow("option inconnue") << QStringList{u"--ouvrir"_s, u"a.lvtx"_s} << A::Refus << QString()
                                     << u"vatrelix : option inconnue « --ouvrir ».\n"_s;
    QTest::newRow("option de Qt") << QStringList{u"-platform"_s, u"offscreen"_s} << A::Refus << QString()
                                  << u"option inconnue « -platform »"_s;
    QTest::newRow("refus avant l'aide") << QStringList{u"-x"_s, u"--help"_s} << A::Refus << QString()
                                        << u"Essayez « vatrelix --help » pour plus d'informations.\n"_s;
    QTest::newRow("deux fichiers") << QStringList{u"a.lvtx"_s, u"b.lvtx"_s} << A::Refus << QString()
                                   << u"une seule liste de courses à la fois (« b.lvtx » est de trop)"_s;
    QTest::newRow("nom vide") << QStringList{QString()} << A::Refus << QString() << u"nom de fichier vide"_s;
}

void TestLigneCommande::analyser()
{
    QFETCH(QStringList, arguments);
    QFETCH(LigneCommande::Action, action);
    QFETCH(QString, fichier);
    QFETCH(QString, texte);
    const LigneCommande ligne = analyserLigneCommande(arguments, u"/maison/docs"_s);
    QCOMPARE(ligne.action, action);
    QCOMPARE(ligne.fichier, fichier);
    if (action == LigneCommande::Action::Demarrer)
        QVERIFY(ligne.texte.isEmpty());
    else
        QVERIFY2(ligne.texte.contains(texte) && ligne.texte.endsWith(u'\n'), qPrintable(ligne.texte));
    QCOMPARE(codeSortie(ligne), action == LigneCommande::Action::Refus ? 2 : 0);
}

// ---------------------------------------------------------------- remise

void TestLigneCommande::lireRemise_data()
{
    using L = LectureRemise;
    QTest::addColumn<QByteArray>("recu");
    QTest::addColumn<L>("lecture");
    QTest::addColumn<QString>("chemin");

    const QString accents = u"/tmp/la liste é€\n.lvtx"_s;
    const QString plusLong = u'/' + QString(k_tailleMaxRemise - 1, u'a');
    QTest::newRow("chemin") << messageRemise(accents) << L::Complete << accents;
    QTest::newRow("vide : premier plan") << messageRemise({}) << L::Complete << QString();
    QTest::newRow("taille maximale") << messageRemise(plusLong) << L::Complete << plusLong;
    QTest::newRow("rien encore") << QByteArray() << L::Incomplete << QString();
    QTest::newRow("en-tête commencé") << QByteArray("VX") << L::Incomplete << QString();
    QTest::newRow("chemin commencé") << messageRemise(accents).chopped(1) << L::Incomplete << QString();
    QTest::newRow("autre protocole") << QByteArray("GET / HTTP/1.1\r\n") << L::Invalide << QString();
    QTest::newRow("un octet de trop annoncé") << enteteRemise(k_tailleMaxRemise + 1) << L::Invalide << QString();
    QTest::newRow("taille géante") << enteteRemise(0xFFFFFFFF) << L::Invalide << QString();
    QTest::newRow("deux chemins") << messageRemise(u"/a"_s) + messageRemise(u"/b"_s) << L::Invalide << QString();
    QTest::newRow("UTF-8 invalide") << enteteRemise(2) + "/\xFF" << L::Invalide << QString();
    QTest::newRow("UTF-8 surlong") << enteteRemise(3) + "/\xC0\xAF" << L::Invalide << QString();
    QTest::newRow("marque d'ordre") << enteteRemise(5) + "\xEF\xBB\xBF/a" << L::Invalide << QString();
    QTest::newRow("octet nul") << enteteRemise(4) + QByteArray("/a\0b", 4) << L::Invalide << QString();
    QTest::newRow("relatif") << messageRemise(u"liste.lvtx"_s) << L::Invalide << QString();
}

void TestLigneCommande::lireRemise()
{
    QFETCH(QByteArray, recu);
    QFETCH(LectureRemise, lecture);
    QFETCH(QString, chemin);
    QString lu = u"inchangé"_s;
    QCOMPARE(lireMessageRemise(recu, lu), lecture);
    QCOMPARE(lu, lecture == LectureRemise::Complete ? chemin : u"inchangé"_s);
}

void TestLigneCommande::remise_serveurEtClient_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<bool>("remise");
    QTest::newRow("liste") << u"/tmp/courses de la semaine.lvtx"_s << true;
    QTest::newRow("premier plan") << QString() << true;
    // Refusée par le serveur : ni accusé ni remise, la seconde copie dira le verrou.
    QTest::newRow("relatif refusé") << u"courses.lvtx"_s << false;
}

void TestLigneCommande::remise_serveurEtClient()
{
    QFETCH(QString, chemin);
    QFETCH(bool, remise);
    QTemporaryDir dossier;
    const QString nom = nomServeurInstance(dossier.path());
    ServeurInstance serveur;
    QVERIFY(serveur.ecouter(nom));
    QSignalSpy recues(&serveur, &ServeurInstance::remise);
    // La seconde copie bloque sur sa socket : dans un autre fil, la boucle d'événements servant le serveur.
    bool accuse = !remise;
    QThread* client = QThread::create([&] { accuse = remettreAInstance(nom, chemin, 5000); });
    QSignalSpy fini(client, &QThread::finished);
    client->start();
    QVERIFY(fini.wait(10000));
    delete client;
    QCOMPARE(accuse, remise);
    QCoreApplication::processEvents();
    QCOMPARE(recues.size(), remise ? 1 : 0);
    if (remise)
        QCOMPARE(recues.first().first().toString(), chemin);
}

void TestLigneCommande::remise_sansServeur_echoueApresLeDelai()
{
    HorlogeVirtuelle horloge;
    horloge.installer();
    QTemporaryDir dossier;
    // Personne n'écoute : la copie réessaie (l'instance peut démarrer) jusqu'au délai, puis renonce.
    QVERIFY(!remettreAInstance(nomServeurInstance(dossier.path()), u"/tmp/a.lvtx"_s, 1000));
    QCOMPARE(horloge.totalAttendu(), qint64(1000));
}

void TestLigneCommande::nomServeur_parDossier()
{
    QTemporaryDir a;
    QTemporaryDir b;
    QCOMPARE(nomServeurInstance(a.path()), nomServeurInstance(a.path() + u'/'));
    QCOMPARE(nomServeurInstance(a.path()), nomServeurInstance(a.path() + u"/../"_s + QFileInfo(a.path()).fileName()));
    QVERIFY(nomServeurInstance(a.path()) != nomServeurInstance(b.path()));
    // Le dossier d'exécution privé de l'utilisateur, quand le bureau en donne un.
    const std::optional<QByteArray> execution =
        qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") ? std::optional(qgetenv("XDG_RUNTIME_DIR")) : std::nullopt;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(b.path()));
    const QString nom = nomServeurInstance(a.path());
    execution ? qputenv("XDG_RUNTIME_DIR", *execution) : qunsetenv("XDG_RUNTIME_DIR");
    QCOMPARE(QFileInfo(nom).absolutePath(), b.path());
    QVERIFY(QFileInfo(nom).fileName().startsWith(u"vatrelix-"_s));
}

QTEST_GUILESS_MAIN(TestLigneCommande)
#include "tst_ligneCommande.moc"
