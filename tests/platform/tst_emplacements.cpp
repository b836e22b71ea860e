#include "Emplacements.h"
#include "Horloge.h"
#include "HorlogeVirtuelle.h"
#include "VerrouDonnees.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestEmplacements : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup()
    {
        definirRepertoireExecutable(QString());
        definirRepertoireDonnees(QString());
    }
    void repertoire_parDefaut_dossierDeLExecutable();
    void repertoire_remplace_avecSeparateurFinal_data();
    void repertoire_remplace_avecSeparateurFinal();
    void horlogeVirtuelle_remplaceLaReelle();
    void verrou_secondeCopie_refusee();
    void donnees_selonDossierDuProgramme_data();
    void donnees_selonDossierDuProgramme();
    void donnees_installationLectureSeule_exempleEtPersonnages();
};

// Deux copies sur un même dossier de données : la seconde est refusée en nommant le dossier.
void TestEmplacements::verrou_secondeCopie_refusee()
{
    QTemporaryDir dossier;
    QString message;
    auto premier = verrouillerDossierDonnees(dossier.path(), message);
    QVERIFY(premier && premier->isLocked());
    QVERIFY(message.isEmpty());
    QVERIFY(!verrouillerDossierDonnees(dossier.path(), message));
    QVERIFY2(message.contains(dossier.path()) && message.contains(QString::number(QCoreApplication::applicationPid())),
             qPrintable(message));
    premier.reset();
    QVERIFY(verrouillerDossierDonnees(dossier.path(), message));
}

void TestEmplacements::repertoire_parDefaut_dossierDeLExecutable()
{
    QCOMPARE(repertoireExecutable(), QCoreApplication::applicationDirPath() + u'/');
    QCOMPARE(repertoireWindows(), repertoireExecutable());
}

void TestEmplacements::repertoire_remplace_avecSeparateurFinal_data()
{
    QTest::addColumn<QString>("dossier");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("sans séparateur") << "/tmp/x" << "/tmp/x/";
    QTest::newRow("avec séparateur") << "/tmp/x/" << "/tmp/x/";
}

void TestEmplacements::repertoire_remplace_avecSeparateurFinal()
{
    QFETCH(QString, dossier);
    QFETCH(QString, attendu);
    definirRepertoireExecutable(dossier);
    QCOMPARE(repertoireExecutable(), attendu);
    QCOMPARE(repertoireWindows(), attendu);
    definirRepertoireExecutable(QString());
    QCOMPARE(repertoireExecutable(), QCoreApplication::applicationDirPath() + u'/');
}

void TestEmplacements::donnees_selonDossierDuProgramme_data()
{
    QTest::addColumn<bool>("inscriptible");
    QTest::addColumn<QString>("utilisateur");
    QTest::addColumn<QString>("xdg");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("portable") << true << "/home/u/donnees" << "/x" << "/opt/vx/";
    QTest::newRow("lecture seule") << false << "/home/u/donnees" << "/x" << "/home/u/donnees/vatrelix/";
    QTest::newRow("XDG_DATA_HOME") << false << "" << "/srv/xdg" << "/srv/xdg/vatrelix/";
}

// Le dossier du programme s'il est inscriptible, sinon le dossier de données de l'utilisateur.
void TestEmplacements::donnees_selonDossierDuProgramme()
{
    QFETCH(bool, inscriptible);
    QFETCH(QString, utilisateur);
    QFETCH(QString, xdg);
    QFETCH(QString, attendu);
    const QByteArray ancien = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", xdg.toUtf8());
    const QString obtenu = choisirRepertoireDonnees(u"/opt/vx"_s, inscriptible, utilisateur);
    qputenv("XDG_DATA_HOME", ancien);
    QCOMPARE(obtenu, attendu);
}

// Premier démarrage hors du dossier du programme : la base d'exemple copiée une fois, jamais
// par-dessus celle de l'utilisateur ; ses personnages passent avant ceux qui sont livrés.
void TestEmplacements::donnees_installationLectureSeule_exempleEtPersonnages()
{
    QTemporaryDir programme;
    QTemporaryDir donnees;
    definirRepertoireExecutable(programme.path());
    definirRepertoireDonnees(donnees.path());
    QVERIFY(!installationPortable());
    const auto ecrire = [](const QString& chemin, const QByteArray& octets) {
        QDir().mkpath(QFileInfo(chemin).absolutePath());
        QFile f(chemin);
        return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
    };
    QVERIFY(ecrire(programme.filePath(u"baseVatrelix.xml"_s), "exemple"));
    QVERIFY(ecrire(programme.filePath(u"MSAgent/Chars/Sam.acs"_s), "livre"));
    QVERIFY(ecrire(programme.filePath(u"MSAgent/Chars/Zed.acs"_s), "livre"));
    QVERIFY(ecrire(donnees.filePath(u"MSAgent/Chars/sam.acs"_s), "a moi"));

    QVERIFY(preparerRepertoireDonnees());
    QFile base(donnees.filePath(u"baseVatrelix.xml"_s));
    QVERIFY(base.open(QIODevice::ReadWrite));
    QCOMPARE(base.readAll(), QByteArray("exemple"));
    base.resize(0);
    base.write("la mienne");
    base.close();
    QVERIFY(preparerRepertoireDonnees());
    QVERIFY(base.open(QIODevice::ReadOnly));
    QCOMPARE(base.readAll(), QByteArray("la mienne"));

    const QString miens = donnees.path() + u"/MSAgent/Chars/"_s;
    const QString livres = programme.path() + u"/MSAgent/Chars/"_s;
    QCOMPARE(repertoiresPersonnages(), QStringList({miens, livres}));
    QCOMPARE(repertoirePersonnagePour(u"SAM.ACS"_s), miens);
    QCOMPARE(repertoirePersonnagePour(u"Zed.acs"_s), livres);
    QCOMPARE(repertoirePersonnagePour(u"Absent.acs"_s), livres);
}

void TestEmplacements::horlogeVirtuelle_remplaceLaReelle()
{
    const QDateTime depart(QDate(2006, 5, 1), QTime(8, 0, 0));
    {
        HorlogeVirtuelle virtuelle(depart);
        virtuelle.installer();
        QCOMPARE(Horloge::courante().maintenant(), depart);
        Horloge::courante().attendre(3000);
        Horloge::courante().attendre(500);
        QCOMPARE(Horloge::courante().maintenant(), depart.addMSecs(3500));
        QCOMPARE(Horloge::courante().millisecondesEcoulees(), qint64(3500));
        QCOMPARE(virtuelle.totalAttendu(), qint64(3500));
        QCOMPARE(virtuelle.nombreAttentes(), 2);
    }
    // Hors de portée, l'horloge réelle revient.
    QVERIFY(qAbs(Horloge::courante().maintenant().secsTo(QDateTime::currentDateTime())) < 5);
    const qint64 avant = Horloge::courante().millisecondesEcoulees();
    QVERIFY(Horloge::courante().millisecondesEcoulees() >= avant);
}

QTEST_GUILESS_MAIN(TestEmplacements)
#include "tst_emplacements.moc"
