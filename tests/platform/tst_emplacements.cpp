#include "Emplacements.h"
#include "Horloge.h"
#include "HorlogeVirtuelle.h"
#include "VerrouDonnees.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

class TestEmplacements : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { definirRepertoireExecutable(QString()); }
    void repertoire_parDefaut_dossierDeLExecutable();
    void repertoire_remplace_avecSeparateurFinal_data();
    void repertoire_remplace_avecSeparateurFinal();
    void horlogeVirtuelle_remplaceLaReelle();
    void verrou_secondeCopie_refusee();
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
