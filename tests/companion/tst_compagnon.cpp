#include "Emplacements.h"
#include "EnvironnementTest.h"
#include "HorlogeVirtuelle.h"
#include "MSAgent.h"
#include "ServeurAgentDouble.h"
#include "U_vx_compagnon.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {
const ObjetFenetre panneau{QPoint(400, 500), 120, 60, QStringLiteral("panelCommandesListeCourses")};

void creerFichier(const QString& chemin)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
}
} // namespace

class TestCompagnon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void interrupteurEteint_aucuneRequete_data();
    void interrupteurEteint_aucuneRequete();
    void demarrer_connecteChargePlaceMontre();
    void saluer_sequenceEtBalise();
    void arreter_cacheAttendDechargeDeconnecte();
    void arreter_operationsPendantLeDepart_sansEffet();
    void demarrageManque_operationsSansEffet_data();
    void demarrageManque_operationsSansEffet();
    void serveurAbsent_demarrerPuisArreter_silencieux();
    void animer_animationInconnue_ignoree();
    void parler_texteRameneAuJeuAnsi();
    void redemarrer_autrePersonnage();
    void listerCompagnons_fichiersDuDossier();
    void listerCompagnons_dossierAbsent_listeVidee();

private:
    std::unique_ptr<EnvironnementTest> m_env;
    std::unique_ptr<HorlogeVirtuelle> m_horloge;
    std::unique_ptr<ServeurAgentDoubleInstalle> m_serveur;
};

void TestCompagnon::init()
{
    m_env = std::make_unique<EnvironnementTest>();
    m_horloge = std::make_unique<HorlogeVirtuelle>();
    m_horloge->installer();
    m_serveur = std::make_unique<ServeurAgentDoubleInstalle>();
    compagnonAffiche = false;
    initialiserCompagnon();
}

void TestCompagnon::cleanup()
{
    terminerCompagnon();
    compagnonAffiche = false;
    m_serveur.reset();
    m_horloge.reset();
    m_env.reset();
}

void TestCompagnon::interrupteurEteint_aucuneRequete_data()
{
    QTest::addColumn<int>("operation");
    QTest::newRow("parler") << 0;
    QTest::newRow("animer") << 1;
    QTest::newRow("demarrer") << 2;
    QTest::newRow("arreter") << 3;
    QTest::newRow("saluer") << 4;
}

void TestCompagnon::interrupteurEteint_aucuneRequete()
{
    QFETCH(int, operation);
    // Un compagnon démarré puis l'interrupteur coupé : plus rien ne part vers le serveur.
    compagnonAffiche = true;
    demarrerCompagnon(QStringLiteral("Sam"), panneau);
    QVERIFY(personnage());
    compagnonAffiche = false;
    (*m_serveur)->oublierAppels();
    switch (operation) {
    case 0: parlerCompagnon(QStringLiteral("Bonjour")); break;
    case 1: animerCompagnon(QStringLiteral("Sad")); break;
    case 2: demarrerCompagnon(QStringLiteral("Merlin"), panneau); break;
    case 3: arreterCompagnon(QStringLiteral("Sam")); break;
    case 4: saluerCompagnon(); break;
    }
    QVERIFY((*m_serveur)->appels().isEmpty());
    QCOMPARE(m_horloge->nombreAttentes(), 0);
    QVERIFY(fabriqueAgent().GetConnected());
}

void TestCompagnon::demarrer_connecteChargePlaceMontre()
{
    compagnonAffiche = true;
    demarrerCompagnon(QStringLiteral("Robby"), panneau);
    QCOMPARE((*m_serveur)->sequence(), QStringList({QStringLiteral("Register"), QStringLiteral("Load"),
                                                    QStringLiteral("GetCharacterEx"), QStringLiteral("MoveTo"),
                                                    QStringLiteral("Show")}));
    QCOMPARE((*m_serveur)->appelsDe(QStringLiteral("Load")).at(0).arguments.at(0).toString(), QStringLiteral("Robby.acs"));
    // À droite du panneau, 5 pixels plus loin ; 530 − 128 × 0,111 = 515,792.
    const AppelAgent deplacement = (*m_serveur)->appelsDe(QStringLiteral("MoveTo")).at(0);
    QCOMPARE(deplacement.arguments.at(0).toInt(), 525);
    QCOMPARE(deplacement.arguments.at(1).toInt(), 515);
    QCOMPARE((*m_serveur)->appelsDe(QStringLiteral("Show")).at(0).arguments.at(0).toBool(), false);
    QVERIFY(personnage());
    QCOMPARE(personnage()->CharacterID(), QStringLiteral("Robby"));
}

void TestCompagnon::saluer_sequenceEtBalise()
{
    compagnonAffiche = true;
    demarrerCompagnon(QStringLiteral("Sam"), panneau);
    (*m_serveur)->oublierAppels();
    saluerCompagnon();
    const QList<AppelAgent>& appels = (*m_serveur)->appels();
    QCOMPARE(appels.size(), 4);
    QCOMPARE(appels[0].nom, QStringLiteral("Play"));
    QCOMPARE(appels[0].arguments.at(0).toString(), QStringLiteral("Wave"));
    QCOMPARE(appels[1].nom, QStringLiteral("Speak"));
    QCOMPARE(appels[1].arguments.at(0).toString(),
             QStringLiteral("\\Map=\"Bonjour et bienvenue dans Vatrelix deux mille six.\""
                            "=\"Bonjour et bienvenue dans Vatrelix 2006.\"\\"));
    QCOMPARE(appels[1].arguments.at(1).toString(), QString());
    QCOMPARE(appels[2].arguments.at(0).toString(), QStringLiteral("Suggest"));
    QCOMPARE(appels[3].nom, QStringLiteral("Speak"));
    QCOMPARE(appels[3].arguments.at(0).toString(), QStringLiteral("Je vous aiderai durant l'utilisation de ce logiciel."));
}

void TestCompagnon::arreter_cacheAttendDechargeDeconnecte()
{
    compagnonAffiche = true;
    demarrerCompagnon(QStringLiteral("Sam"), panneau);
    (*m_serveur)->oublierAppels();
    arreterCompagnon(QStringLiteral("Sam"));
    QCOMPARE((*m_serveur)->sequence(),
             QStringList({QStringLiteral("Hide"), QStringLiteral("Unload"), QStringLiteral("Unregister")}));
    QCOMPARE((*m_serveur)->appelsDe(QStringLiteral("Hide")).at(0).arguments.at(0).toBool(), false);
    QCOMPARE(m_horloge->nombreAttentes(), 1);
    QCOMPARE(m_horloge->totalAttendu(), qint64(3000));
    // L'attente sert la boucle : le départ se joue pendant qu'elle dure.
    QCOMPARE(m_horloge->nombrePatiences(), 1);
    QVERIFY(!fabriqueAgent().GetConnected());
    QVERIFY(!personnage());
    QVERIFY(compagnonAffiche);
}

void TestCompagnon::arreter_operationsPendantLeDepart_sansEffet()
{
    compagnonAffiche = true;
    demarrerCompagnon(QStringLiteral("Sam"), panneau);
    (*m_serveur)->oublierAppels();
    bool enArret = false;
    m_horloge->pendantPatience = [&](int) {
        enArret = compagnonEnArret();
        // Ce qu'une commande ou une bulle d'aide pourrait demander pendant l'attente.
        parlerCompagnon(QStringLiteral("Quitter Vatrelix"));
        animerCompagnon(QStringLiteral("Wave"));
        saluerCompagnon();
        arreterCompagnon(QStringLiteral("Sam"));
        demarrerCompagnon(QStringLiteral("Merlin"), panneau);
    };
    arreterCompagnon(QStringLiteral("Sam"));
    QVERIFY(enArret);
    QVERIFY(!compagnonEnArret());
    QCOMPARE((*m_serveur)->sequence(),
             QStringList({QStringLiteral("Hide"), QStringLiteral("Unload"), QStringLiteral("Unregister")}));
    QCOMPARE(m_horloge->nombrePatiences(), 1);
    // Après le départ, le service répond de nouveau.
    demarrerCompagnon(QStringLiteral("Merlin"), panneau);
    QVERIFY(personnage());
}

void TestCompagnon::demarrageManque_operationsSansEffet_data()
{
    QTest::addColumn<QString>("appelRefuse");
    QTest::newRow("chargement refusé") << QStringLiteral("Load");
    QTest::newRow("personnage introuvable") << QStringLiteral("GetCharacterEx");
}

void TestCompagnon::demarrageManque_operationsSansEffet()
{
    QFETCH(QString, appelRefuse);
    (*m_serveur)->repondre(appelRefuse, codeResultat(0x80070002));
    compagnonAffiche = true;
    demarrerCompagnon(QStringLiteral("Absent"), panneau);
    QVERIFY(!personnage());
    QCOMPARE(fabriqueAgent().LastError(), codeResultat(0x80042065));
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("MoveTo")) + (*m_serveur)->nombre(QStringLiteral("Show")), 0);

    (*m_serveur)->oublierAppels();
    parlerCompagnon(QStringLiteral("Bonjour"));
    animerCompagnon(QStringLiteral("Sad"));
    saluerCompagnon();
    QVERIFY((*m_serveur)->appels().isEmpty());
    QVERIFY(compagnonAffiche); // l'interrupteur reste mis

    // L'arrêt rend la main sans attendre : rien n'a paru.
    arreterCompagnon(QStringLiteral("Absent"));
    QCOMPARE(m_horloge->nombreAttentes(), 0);
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("Hide")), 0);
    QVERIFY(!fabriqueAgent().GetConnected());

    // Un redémarrage qui réussit ensuite montre le personnage.
    (*m_serveur)->repondre(appelRefuse, S_OK_AGENT);
    demarrerCompagnon(QStringLiteral("Sam"), panneau);
    QVERIFY(personnage());
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("Show")), 1);
}

void TestCompagnon::serveurAbsent_demarrerPuisArreter_silencieux()
{
    m_serveur.reset();
    compagnonAffiche = true;
    demarrerCompagnon(QStringLiteral("Sam"), panneau);
    QVERIFY(!fabriqueAgent().GetConnected());
    QVERIFY(!personnage());
    saluerCompagnon();
    arreterCompagnon(QStringLiteral("Sam"));
    QCOMPARE(m_horloge->nombreAttentes(), 0);
}

void TestCompagnon::animer_animationInconnue_ignoree()
{
    compagnonAffiche = true;
    demarrerCompagnon(QStringLiteral("Sam"), panneau);
    (*m_serveur)->repondre(QStringLiteral("Play"), codeResultat(0x80042070));
    animerCompagnon(QStringLiteral("Danse"));
    QCOMPARE(fabriqueAgent().LastError(), codeResultat(0x80042070));
    QCOMPARE(fabriqueAgent().LastErrorMessage(), QStringLiteral("Could not play the animation 'Danse'"));
    // La suite de la séquence part quand même.
    parlerCompagnon(QStringLiteral("Options"));
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("Speak")), 1);
}

void TestCompagnon::parler_texteRameneAuJeuAnsi()
{
    compagnonAffiche = true;
    demarrerCompagnon(QStringLiteral("Sam"), panneau);
    parlerCompagnon(QStringLiteral("Total : 12,50 € Ω"));
    QCOMPARE((*m_serveur)->appelsDe(QStringLiteral("Speak")).at(0).arguments.at(0).toString(),
             QStringLiteral("Total : 12,50 € ?"));
}

void TestCompagnon::redemarrer_autrePersonnage()
{
    compagnonAffiche = true;
    demarrerCompagnon(QStringLiteral("Sam"), panneau);
    arreterCompagnon(QStringLiteral("Sam"));
    demarrerCompagnon(QStringLiteral("Merlin"), panneau);
    QVERIFY(personnage());
    QCOMPARE(personnage()->CharacterID(), QStringLiteral("Merlin"));
    QCOMPARE(fabriqueAgent().GetCharacters()->GetCount(), 1);
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("Register")), 2);
    QCOMPARE(m_horloge->nombreAttentes(), 1);
}

void TestCompagnon::listerCompagnons_fichiersDuDossier()
{
    const QString chars = m_env->dossier() + QStringLiteral("MSAgent/Chars/");
    QVERIFY(QDir().mkpath(chars + QStringLiteral("Sous.acs")));
    creerFichier(chars + QStringLiteral("Merlin.acs"));
    creerFichier(chars + QStringLiteral("GENIE.ACS"));
    creerFichier(chars + QStringLiteral("lisezmoi.txt"));
    creerFichier(chars + QStringLiteral(".cache.acs"));
    QStringList liste{QStringLiteral("ancien")};
    listerCompagnons(liste); // interrupteur éteint : la liste se remplit quand même
    liste.sort();
    QCOMPARE(liste, QStringList({QStringLiteral("GENIE"), QStringLiteral("Merlin")}));

    // Installation en lecture seule : ceux de l'utilisateur d'abord, qui cachent les livrés de même nom.
    QTemporaryDir donnees;
    definirRepertoireDonnees(donnees.path());
    const auto retour = qScopeGuard([] { definirRepertoireDonnees(QString()); });
    QVERIFY(QDir().mkpath(donnees.filePath(QStringLiteral("MSAgent/Chars"))));
    creerFichier(donnees.filePath(QStringLiteral("MSAgent/Chars/merlin.acs")));
    creerFichier(donnees.filePath(QStringLiteral("MSAgent/Chars/Bob.acs")));
    listerCompagnons(liste);
    QCOMPARE(liste.mid(0, 2), QStringList({QStringLiteral("Bob"), QStringLiteral("merlin")}));
    QCOMPARE(liste.mid(2), QStringList({QStringLiteral("GENIE")}));
}

void TestCompagnon::listerCompagnons_dossierAbsent_listeVidee()
{
    QStringList liste{QStringLiteral("ancien")};
    listerCompagnons(liste);
    QVERIFY(liste.isEmpty());
}

QTEST_MAIN(TestCompagnon)
#include "tst_compagnon.moc"
