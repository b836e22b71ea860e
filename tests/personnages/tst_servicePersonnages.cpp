#include "AttachePersonnages.h"
#include "BancPersonnages.h"
#include "DepartPersonnage.h"
#include "HorlogeVirtuelle.h"
#include "PersonnageDeTest.h"
#include "U_vx_compagnon.h"
#include "Agentballoon.h"

#include <sys/stat.h>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

class TestServicePersonnages : public QObject, private BancPersonnages
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void charger_fenetreTrouveeParSaClasse();
    void charger_fichierRefuse_code_data();
    void charger_fichierRefuse_code();
    void charger_nomSansCasseOuCheminAbsolu_data();
    void charger_nomSansCasseOuCheminAbsolu();
    void sequence_montrerJouerParlerCacher_dansLOrdre();
    void notifications_jamaisDansLAppel();
    void jouer_animationInconnue_echecSansRequete();
    void stop_courante_ou_enFile_interrompue_data();
    void stop_courante_ou_enFile_interrompue();
    void stopAll_parType();
    void interrupt_requeteDUnAutrePersonnage();
    void wait_attendLaFinDUneAutreRequete();
    void retour_joueAvantLaSuivante_data();
    void retour_joueAvantLaSuivante();
    void boucleArretee_sortParSesBranches();
    void parler_bulleTexteMontreEtMasquage();
    void deplacer_animeOuSaute_data();
    void deplacer_animeOuSaute();
    void repos_notifieEtJoueIdlingLevel1();
    void glisser_debutDeplacementFin();
    void dechargement_arreteMinuterieEtOublieNotifications();
    void rendu_pixelsOpaquesEtMasque();
    void proprietes_bulleDuFichier();
    void proprietes_ecritesRelues_data();
    void proprietes_ecritesRelues();
    void modeAide_clicTermineLAide();
    void bulle_tailleAuTexteEtRythme_data();
    void bulle_tailleAuTexteEtRythme();
    void parler_depuisUneAdresse_nonImplemente();
    void sam_chargeEtJoueToutesLesAnimationsDuProgramme();
    void enregistrement_laFabriqueTrouveLeService();
    void fileLongue_finsImmediatesDansLOrdre();
    void dechargementPendantLeDepart_departJoueApresCoup_data();
    void dechargementPendantLeDepart_departJoueApresCoup();
    void arretDuCompagnon_departJoueDansLAttente();
    void proprietaire_suitReduitEtGardeALEcran();
    void gesteVers_etatSelonLaDirection_data();
    void gesteVers_etatSelonLaDirection();

private:
    TAgentCharacter* charger(const QString& fournisseur = QStringLiteral("Testeur.acs"));
    void brancherJournal();

    bool m_dansAppel = false;
    int m_notificationsDansAppel = 0;
};

void TestServicePersonnages::init()
{
    preparer();
    m_notificationsDansAppel = 0;
    ecrirePersonnage(QStringLiteral("Testeur.acs"), construirePersonnageTest());
    ServeurPersonnages::Options options;
    options.graine = 42;
    options.delaiRepos = 5000;
    creerAgent(options);
    brancherJournal();
    connecter();
}

void TestServicePersonnages::cleanup()
{
    arreterServeur();
    liberer();
}

void TestServicePersonnages::brancherJournal()
{
    auto noter = [this](const QString& texte) {
        if (m_dansAppel)
            ++m_notificationsDansAppel;
        m_journal.append(texte);
    };
    noterRequetes(noter);
    m_agent->OnVisibleState = [noter](TMSAgent*, TAgentCharacter*, bool v, TAgentVisibleState) {
        noter(QStringLiteral("visible %1").arg(int(v)));
    };
    m_agent->OnMove = [noter](TMSAgent*, TAgentCharacter*, QPoint p, TAgentMoveCause c) {
        noter(QStringLiteral("move %1,%2 %3").arg(p.x()).arg(p.y()).arg(int(c)));
    };
    m_agent->OnSize = [noter](TMSAgent*, TAgentCharacter*, int l, int h) { noter(QStringLiteral("size %1x%2").arg(l).arg(h)); };
    m_agent->OnDblClick = [noter](TMSAgent*, TAgentCharacter*, TAgentKeys, QPoint) { noter(QStringLiteral("dblclick")); };
    m_agent->OnDragStart = [noter](TMSAgent*, TAgentCharacter*, TAgentKeys, QPoint) { noter(QStringLiteral("dragstart")); };
    m_agent->OnDragComplete = [noter](TMSAgent*, TAgentCharacter*, TAgentKeys, QPoint) { noter(QStringLiteral("dragcomplete")); };
    m_agent->OnHelpComplete = [noter](TMSAgent*, TAgentCharacter*, qint32, TAgentHelpState cause) {
        noter(QStringLiteral("aide %1").arg(int(cause)));
    };
    m_agent->OnClick = [noter](TMSAgent*, TAgentCharacter*, TAgentKeys k, QPoint) {
        noter(QStringLiteral("click %1").arg(k.testFlag(akRightButton) ? QStringLiteral("droit") : QStringLiteral("gauche")));
    };
}

TAgentCharacter* TestServicePersonnages::charger(const QString& fournisseur)
{
    return chargerPersonnage(QStringLiteral("Testeur"), fournisseur);
}

void TestServicePersonnages::charger_fenetreTrouveeParSaClasse()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    QVERIFY(p->Fenetre());
    QCOMPARE(p->Fenetre(), static_cast<QWindow*>(servi(p)->fenetre()));
    QCOMPARE(p->Fenetre()->property(ProprieteClasseFenetre).toString(), QStringLiteral("AgentAnim"));
    QVERIFY(p->Fenetre()->flags().testFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                                            | Qt::WindowDoesNotAcceptFocus));
    QCOMPARE(p->GetName(), QStringLiteral("Testeur"));
    QCOMPARE(p->GetSize(), QSize(32, 32));
    QVERIFY(!p->GetVisible());
    // Un second personnage prend une autre fenêtre ; la bulle n'est jamais prise pour un personnage.
    TAgentCharacter* second = charger();
    QVERIFY(second);
    QVERIFY(second->Fenetre());
    QVERIFY(second->Fenetre() != p->Fenetre());
    QCOMPARE(second->Fenetre(), static_cast<QWindow*>(servi(second)->fenetre()));
}

void TestServicePersonnages::charger_fichierRefuse_code_data()
{
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<bool>("creer");
    QTest::addColumn<qint64>("code");
    const QByteArray acs = ecrirePersonnageAcs(construirePersonnageTest());
    QTest::newRow("absent") << QByteArray() << false << qint64(E_FICHIER_INTROUVABLE);
    QTest::newRow("vide") << QByteArray() << true << qint64(AGENT_E_FORMAT_INCONNU);
    QTest::newRow("génération 1.5") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0') << true
                                    << qint64(AGENT_E_FORMAT_ANCIEN);
    QTest::newRow("signature inconnue") << QByteArray("RIFF....WAVE") << true << qint64(AGENT_E_FORMAT_INCONNU);
    QTest::newRow("tronqué") << acs.left(acs.size() / 2) << true << qint64(AGENT_E_FICHIER_CORROMPU);
    QByteArray geant = ecrirePersonnageAcs([] {
        PersonnageAcs p = construirePersonnageTest();
        p.info.largeur = 60000;
        p.info.hauteur = 60000;
        return p;
    }());
    QTest::newRow("boîte démesurée") << geant << true << qint64(AGENT_E_FICHIER_CORROMPU);
    // Quelques octets abîmés dans les données d'une image : le fichier se lit, l'image ne se décode pas.
    QByteArray imageAbimee = acs;
    const auto mot = [&imageAbimee](qsizetype position) {
        quint32 valeur = 0;
        for (qsizetype i = 3; i >= 0; --i)
            valeur = (valeur << 8) | quint8(imageAbimee.at(position + i));
        return valeur;
    };
    const quint32 listeImages = mot(20);
    const quint32 image1 = mot(listeImages + 4 + 12);
    imageAbimee[image1 + 10] = '\x01'; // un flux compressé commence par 0x00
    QTest::newRow("image indécodable") << imageAbimee << true << qint64(AGENT_E_FICHIER_CORROMPU);
    // Un tube bloquerait le chargement pour toujours : refusé sans être ouvert.
    QTest::newRow("tube nommé") << QByteArray("<tube>") << true << qint64(E_ACCES_REFUSE);
}

void TestServicePersonnages::charger_fichierRefuse_code()
{
    QFETCH(QByteArray, octets);
    QFETCH(bool, creer);
    QFETCH(qint64, code);
    const QString chemin = dossierPersonnages(*m_env) + QStringLiteral("Casse.acs");
    if (octets == "<tube>")
        QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
    else if (creer)
        ecrireFichier(chemin, octets);
    TAgentCharacters* personnages = m_agent->GetCharacters();
    QCOMPARE(qint64(personnages->Load(QStringLiteral("Casse"), QStringLiteral("Casse.acs"))), code);
    QCOMPARE(personnages->GetCount(), 0);
    livrer();
    QVERIFY(m_journal.isEmpty());
}

void TestServicePersonnages::charger_nomSansCasseOuCheminAbsolu_data()
{
    QTest::addColumn<QString>("fournisseur");
    QTest::newRow("nom exact") << QStringLiteral("Testeur.acs");
    QTest::newRow("autre casse") << QStringLiteral("TESTEUR.acs");
    QTest::newRow("barres inverses") << QStringLiteral("..\\Chars\\Testeur.acs");
    QTest::newRow("absolu") << QStringLiteral("<dossier>Testeur.acs");
}

void TestServicePersonnages::charger_nomSansCasseOuCheminAbsolu()
{
    QFETCH(QString, fournisseur);
    fournisseur.replace(QStringLiteral("<dossier>"), dossierPersonnages(*m_env));
    QVERIFY(charger(fournisseur));
}

void TestServicePersonnages::sequence_montrerJouerParlerCacher_dansLOrdre()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    m_journal.clear();
    QList<qint32> requetes;
    QCOMPARE(p->Show(false), S_OK_AGENT);
    requetes << p->LastRequestID();
    QCOMPARE(p->Play(QStringLiteral("wave")), S_OK_AGENT); // casse ignorée
    requetes << p->LastRequestID();
    QCOMPARE(p->Speak(QStringLiteral("Bonjour"), QString()), S_OK_AGENT);
    requetes << p->LastRequestID();
    QCOMPARE(p->Hide(false), S_OK_AGENT);
    requetes << p->LastRequestID();
    avancer(10000);

    Journal attendu;
    attendu << QStringLiteral("start %1").arg(requetes[0]) << QStringLiteral("visible 1")
            << QStringLiteral("complete %1 0").arg(requetes[0]) << QStringLiteral("start %1").arg(requetes[1])
            << QStringLiteral("complete %1 0").arg(requetes[1]) << QStringLiteral("start %1").arg(requetes[2])
            << QStringLiteral("bulle 1") << QStringLiteral("complete %1 0").arg(requetes[2])
            << QStringLiteral("start %1").arg(requetes[3]) << QStringLiteral("bulle 0") << QStringLiteral("visible 0")
            << QStringLiteral("complete %1 0").arg(requetes[3]);
    QCOMPARE(m_journal, attendu);
    QCOMPARE(servi(p)->journalAnimations(),
             QStringList({QStringLiteral("Show"), QStringLiteral("Wave"), QStringLiteral("Speak"), QStringLiteral("Hide")}));
    QVERIFY(!p->GetVisible());
    QVERIFY(servi(p)->auRepos());
    QCOMPARE(m_temps->reveilsArmes(), 0); // caché et sans requête : aucune minuterie
}

void TestServicePersonnages::notifications_jamaisDansLAppel()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    m_journal.clear();
    m_dansAppel = true;
    p->Show(true);
    p->Play(QStringLiteral("Vide")); // trame de durée nulle : finit tout de suite
    p->StopAll();
    p->SetPosition(QPoint(10, 20));
    m_dansAppel = false;
    QCOMPARE(m_notificationsDansAppel, 0);
    QVERIFY(m_journal.isEmpty());
    livrer();
    QVERIFY(m_journal.contains(QStringLiteral("visible 1")));
    QVERIFY(m_journal.contains(QStringLiteral("move 10,20 2")));
}

void TestServicePersonnages::jouer_animationInconnue_echecSansRequete()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Show(true);
    avancer(100);
    m_journal.clear();
    const qint32 avant = p->LastRequestID();
    QCOMPARE(p->Play(QStringLiteral("Inconnue")), AGENT_E_ANIMATION_INTROUVABLE);
    QCOMPARE(m_agent->LastError(), AGENT_E_ANIMATION_INTROUVABLE);
    QCOMPARE(m_agent->LastErrorMessage().left(36), QStringLiteral("Could not play the animation 'Inconn"));
    QCOMPARE(p->LastRequestID(), avant);
    avancer(100);
    QVERIFY(m_journal.isEmpty());
}

void TestServicePersonnages::stop_courante_ou_enFile_interrompue_data()
{
    QTest::addColumn<bool>("enFile");
    QTest::newRow("courante") << false;
    QTest::newRow("en file") << true;
}

void TestServicePersonnages::stop_courante_ou_enFile_interrompue()
{
    QFETCH(bool, enFile);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Show(true);
    avancer(50);
    // La boucle ne finit jamais seule tant que rien n'attend derrière elle.
    p->Play(enFile ? QStringLiteral("Wave") : QStringLiteral("Boucle"));
    const qint32 premiere = p->LastRequestID();
    qint32 arretee = premiere;
    if (enFile) {
        p->Play(QStringLiteral("Write"));
        arretee = p->LastRequestID();
    }
    avancer(150);
    m_journal.clear();
    QCOMPARE(p->Stop(arretee), S_OK_AGENT);
    avancer(1000);
    QVERIFY(m_journal.contains(QStringLiteral("complete %1 3").arg(arretee)));
    QVERIFY(!m_journal.contains(QStringLiteral("start %1").arg(enFile ? arretee : premiere)));
    if (enFile)
        QVERIFY(m_journal.contains(QStringLiteral("complete %1 0").arg(premiere)));
    QVERIFY(servi(p)->auRepos());
    QCOMPARE(p->Stop(999), AGENT_E_REQUETE_INCONNUE);
}

void TestServicePersonnages::stopAll_parType()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Show(true);
    const qint32 montrer = p->LastRequestID();
    p->Play(QStringLiteral("Boucle"));
    const qint32 boucle = p->LastRequestID();
    p->Speak(QStringLiteral("Texte"), QString());
    const qint32 parole = p->LastRequestID();
    p->Play(QStringLiteral("Wave"));
    const qint32 wave = p->LastRequestID();
    avancer(100);
    m_journal.clear();
    QCOMPARE(p->StopAll(astPlay), S_OK_AGENT);
    avancer(4000);
    // La boucle courante puis Wave en file sont interrompues ; la parole se joue.
    QCOMPARE(m_journal.indexOf(QStringLiteral("complete %1 3").arg(boucle)), 0);
    QCOMPARE(m_journal.indexOf(QStringLiteral("complete %1 3").arg(wave)), 1);
    QVERIFY(m_journal.contains(QStringLiteral("complete %1 0").arg(parole)));
    Q_UNUSED(montrer);
}

void TestServicePersonnages::interrupt_requeteDUnAutrePersonnage()
{
    TAgentCharacter* a = charger();
    TAgentCharacter* b = charger();
    QVERIFY(a && b);
    a->Show(true);
    b->Show(true);
    a->Play(QStringLiteral("Boucle"));
    const qint32 boucle = a->LastRequestID();
    avancer(200);
    m_journal.clear();
    QCOMPARE(b->Interrupt(boucle), S_OK_AGENT);
    const qint32 interruption = b->LastRequestID();
    avancer(500);
    QVERIFY(m_journal.contains(QStringLiteral("complete %1 3").arg(boucle)));
    QVERIFY(m_journal.contains(QStringLiteral("complete %1 0").arg(interruption)));
}

void TestServicePersonnages::wait_attendLaFinDUneAutreRequete()
{
    TAgentCharacter* a = charger();
    TAgentCharacter* b = charger();
    QVERIFY(a && b);
    a->Show(true);
    b->Show(true);
    a->Play(QStringLiteral("Wave"));
    const qint32 wave = a->LastRequestID();
    b->Wait(wave);
    const qint32 attente = b->LastRequestID();
    b->Play(QStringLiteral("Write"));
    const qint32 write = b->LastRequestID();
    avancer(2000);
    const qsizetype finWave = m_journal.indexOf(QStringLiteral("complete %1 0").arg(wave));
    const qsizetype finAttente = m_journal.indexOf(QStringLiteral("complete %1 0").arg(attente));
    QVERIFY(finWave >= 0);
    QVERIFY(finAttente > finWave);
    QVERIFY(m_journal.indexOf(QStringLiteral("start %1").arg(write)) > finAttente);
}

void TestServicePersonnages::retour_joueAvantLaSuivante_data()
{
    QTest::addColumn<QStringList>("jouees");
    QTest::addColumn<QStringList>("journal");
    QTest::newRow("retour implicite") << QStringList({QStringLiteral("Write"), QStringLiteral("Wave")})
                                      << QStringList({QStringLiteral("Write"), QStringLiteral("WriteReturn"), QStringLiteral("Wave")});
    QTest::newRow("retour demandé une seule fois")
        << QStringList({QStringLiteral("Write"), QStringLiteral("WriteReturn"), QStringLiteral("Wave")})
        << QStringList({QStringLiteral("Write"), QStringLiteral("WriteReturn"), QStringLiteral("Wave")});
    QTest::newRow("sans transition") << QStringList({QStringLiteral("Wave"), QStringLiteral("Wave")})
                                     << QStringList({QStringLiteral("Wave"), QStringLiteral("Wave")});
}

void TestServicePersonnages::retour_joueAvantLaSuivante()
{
    QFETCH(QStringList, jouees);
    QFETCH(QStringList, journal);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Show(true);
    avancer(50);
    servi(p)->viderJournal();
    for (const QString& nom : jouees)
        QCOMPARE(p->Play(nom), S_OK_AGENT);
    avancer(3000);
    QCOMPARE(servi(p)->journalAnimations(), journal);
}

void TestServicePersonnages::boucleArretee_sortParSesBranches()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Show(true);
    p->Play(QStringLiteral("Boucle"));
    avancer(1000);
    // La boucle tourne sur le rouge tant que rien ne l'arrête.
    QCOMPARE(servi(p)->animationCourante(), QStringLiteral("Boucle"));
    QCOMPARE(couleurDominante(servi(p)->fenetre()->rendu()), qRgb(255, 0, 0) & 0xFFFFFF);
    p->Stop(p->LastRequestID());
    avancer(500);
    // La trame de sortie (verte) est la dernière montrée.
    QVERIFY(servi(p)->auRepos());
    QCOMPARE(couleurDominante(servi(p)->fenetre()->rendu()), qRgb(0, 255, 0) & 0xFFFFFF);
}

void TestServicePersonnages::parler_bulleTexteMontreEtMasquage()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Show(true);
    avancer(50);
    m_journal.clear();
    const QString texte = QStringLiteral("\\Map=\"Bonjour, deux mille six\"=\"Bonjour 2006\"\\ \\Pau=300\\et \\Mrk=5\\\\Emp\\bienvenue.");
    QCOMPARE(p->Speak(texte, QString()), S_OK_AGENT);
    const qint32 requete = p->LastRequestID();
    const QString montre = QStringLiteral("Bonjour 2006 et bienvenue.");
    const int duree = std::max(1500, int(montre.size()) * 60);
    avancer(duree - 200);
    QVERIFY(!m_journal.contains(QStringLiteral("complete %1 0").arg(requete)));
    // Le signet part quand le texte dit l'atteint, avant la fin de la requête.
    QVERIFY(m_journal.contains(QStringLiteral("signet 5")));
    FenetreBulle* bulle = servi(p)->fenetreBulle();
    QVERIFY(bulle->isVisible());
    avancer(300);
    QVERIFY(m_journal.contains(QStringLiteral("complete %1 0").arg(requete)));
    QCOMPARE(bulle->lignesAffichees(), QStringList({QStringLiteral("Bonjour 2006 et"), QStringLiteral("bienvenue.")}));
    QVERIFY(bulle->y() + bulle->height() <= p->Fenetre()->y()); // au-dessus du personnage
    // Couleurs de la bulle du fichier : fond au milieu de la bulle.
    const QImage rendu = bulle->rendu();
    QCOMPARE(QColor(rendu.pixel(4 + MargeBulle / 2, rendu.height() / 2 - HauteurQueueBulle / 2)), QColor(200, 220, 240));
    avancer(AttenteMasquageBulle + 100);
    QVERIFY(!bulle->isVisible());
    QCOMPARE(m_journal.count(QStringLiteral("bulle 1")), 1);
    QCOMPARE(m_journal.count(QStringLiteral("bulle 0")), 1);
}

void TestServicePersonnages::deplacer_animeOuSaute_data()
{
    QTest::addColumn<int>("vitesse");
    QTest::addColumn<bool>("anime");
    QTest::newRow("vitesse 1000") << 1000 << true;
    QTest::newRow("vitesse 0 : saut") << 0 << false;
}

void TestServicePersonnages::deplacer_animeOuSaute()
{
    QFETCH(int, vitesse);
    QFETCH(bool, anime);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->SetPosition(QPoint(100, 100));
    p->Show(true);
    avancer(50);
    m_journal.clear();
    servi(p)->viderJournal();
    QCOMPARE(p->MoveToXY(300, 100, vitesse), S_OK_AGENT);
    const qint32 requete = p->LastRequestID();
    // Un geste en file n'écourte pas la boucle de marche : le déplacement finit à son heure.
    p->Play(QStringLiteral("Wave"));
    if (anime) {
        avancer(500);
        const int x = p->GetPosition().x();
        QVERIFY2(x > 150 && x < 250, qPrintable(QString::number(x)));
        QCOMPARE(servi(p)->animationCourante(), QStringLiteral("Move"));
    }
    avancer(1000);
    QCOMPARE(p->GetPosition(), QPoint(300, 100));
    QVERIFY(m_journal.indexOf(QStringLiteral("move 300,100 2")) < m_journal.indexOf(QStringLiteral("complete %1 0").arg(requete)));
    QCOMPARE(servi(p)->journalAnimations().contains(QStringLiteral("Move")), anime);
}

void TestServicePersonnages::proprietaire_suitReduitEtGardeALEcran()
{
    QWindow proprietaire;
    proprietaire.setGeometry(40, 40, 300, 200);
    proprietaire.show();
    attacherPersonnagesA(&proprietaire);
    const auto detacher = qScopeGuard([] { attacherPersonnagesA(nullptr); });
    TAgentCharacter* p = charger();
    QVERIFY(p);
    FenetrePersonnage* fenetre = servi(p)->fenetre();
    // Posé sur la fenêtre du programme, pas au-dessus des autres applications.
    QCOMPARE(fenetre->transientParent(), &proprietaire);
    QVERIFY(!(fenetre->flags() & Qt::WindowStaysOnTopHint));
    const QRect zone = proprietaire.screen()->availableGeometry();
    QVERIFY(zone.contains(fenetre->geometry()));

    p->SetPosition(QPoint(60, 50));
    p->Show(true);
    avancer(50);
    QVERIFY(fenetre->isVisible());
    proprietaire.setPosition(50, 45);
    QTRY_COMPARE(fenetre->position(), QPoint(70, 55));

    proprietaire.setWindowState(Qt::WindowMinimized);
    QTRY_VERIFY(!fenetre->isVisible());
    proprietaire.setWindowState(Qt::WindowNoState);
    QTRY_VERIFY(fenetre->isVisible());

    // Une place hors de l'écran, ou une cible de déplacement : ramenées entières dans la zone.
    p->SetPosition(QPoint(100000, 100000));
    QVERIFY(zone.contains(fenetre->geometry()));
    p->MoveToXY(-5000, 100000, 0);
    avancer(100);
    QVERIFY(zone.contains(fenetre->geometry()));
}

void TestServicePersonnages::repos_notifieEtJoueIdlingLevel1()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Show(true);
    avancer(50);
    m_journal.clear();
    servi(p)->viderJournal();
    avancer(4000);
    QVERIFY(m_journal.isEmpty());
    avancer(1500);
    QCOMPARE(m_journal, Journal({QStringLiteral("idle 1")}));
    QCOMPARE(servi(p)->journalAnimations(), QStringList({QStringLiteral("Idle1")}));
    // Au repos, un seul réveil est armé (la trame, ou le prochain repos).
    QCOMPARE(m_temps->reveilsArmes(), 1);
    const int peintures = servi(p)->fenetre()->nombrePeintures();
    avancer(500);
    QCOMPARE(servi(p)->fenetre()->nombrePeintures(), peintures);
    p->Play(QStringLiteral("Wave"));
    avancer(1000);
    QVERIFY(m_journal.indexOf(QStringLiteral("idle 0")) > 0);
    QVERIFY(m_journal.indexOf(QStringLiteral("idle 0")) < m_journal.indexOf(QStringLiteral("start %1").arg(p->LastRequestID())));
}

void TestServicePersonnages::glisser_debutDeplacementFin()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->SetPosition(QPoint(200, 200));
    p->Show(true);
    avancer(50);
    m_journal.clear();
    QWindow* fenetre = p->Fenetre();
    // Positions du curseur comptées depuis la place de départ de la fenêtre.
    auto envoyer = [&](QEvent::Type type, QPoint local, Qt::MouseButton bouton, Qt::MouseButtons boutons) {
        const QPoint global = QPoint(200, 200) + local;
        QMouseEvent e(type, QPointF(global - fenetre->position()), QPointF(global), bouton, boutons, Qt::NoModifier);
        QCoreApplication::sendEvent(fenetre, &e);
    };
    envoyer(QEvent::MouseButtonPress, QPoint(16, 16), Qt::LeftButton, Qt::LeftButton);
    envoyer(QEvent::MouseMove, QPoint(46, 26), Qt::NoButton, Qt::LeftButton);
    envoyer(QEvent::MouseMove, QPoint(66, 36), Qt::NoButton, Qt::LeftButton);
    envoyer(QEvent::MouseButtonRelease, QPoint(66, 36), Qt::LeftButton, Qt::NoButton);
    livrer();
    QCOMPARE(m_journal, Journal({QStringLiteral("dragstart"), QStringLiteral("dragcomplete"), QStringLiteral("move 250,220 1")}));
    QCOMPARE(p->GetPosition(), QPoint(250, 220));
    QVERIFY(!m_agent->Dragging());

    m_journal.clear();
    envoyer(QEvent::MouseButtonPress, QPoint(66, 36), Qt::RightButton, Qt::RightButton);
    envoyer(QEvent::MouseButtonRelease, QPoint(66, 36), Qt::RightButton, Qt::NoButton);
    livrer();
    QCOMPARE(m_journal, Journal({QStringLiteral("click droit")}));

    // Double-clic : un clic, puis le double-clic, sans clic de plus au second relâchement.
    m_journal.clear();
    envoyer(QEvent::MouseButtonPress, QPoint(66, 36), Qt::LeftButton, Qt::LeftButton);
    envoyer(QEvent::MouseButtonRelease, QPoint(66, 36), Qt::LeftButton, Qt::NoButton);
    envoyer(QEvent::MouseButtonDblClick, QPoint(66, 36), Qt::LeftButton, Qt::LeftButton);
    envoyer(QEvent::MouseButtonRelease, QPoint(66, 36), Qt::LeftButton, Qt::NoButton);
    livrer();
    QCOMPARE(m_journal, Journal({QStringLiteral("click gauche"), QStringLiteral("dblclick")}));
}

void TestServicePersonnages::dechargement_arreteMinuterieEtOublieNotifications()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    TAgentCharacters* personnages = m_agent->GetCharacters();
    QVERIFY(personnages->TimerActive());
    QPointer<QWindow> fenetre = p->Fenetre();
    p->Show(false);
    p->Play(QStringLiteral("Wave"));
    m_journal.clear();
    m_agent->ResetLastError();
    // Des notifications sont en file : le déchargement les fait oublier.
    QCOMPARE(personnages->Unload(QStringLiteral("testeur")), S_OK_AGENT);
    QVERIFY(!personnages->TimerActive());
    QCOMPARE(personnages->GetCount(), 0);
    avancer(3000);
    QVERIFY(m_journal.isEmpty());
    QCOMPARE(m_agent->LastError(), S_OK_AGENT);
    QVERIFY(!fenetre || !fenetre->isVisible());
    QCOMPARE(m_temps->reveilsArmes(), 0);
}

void TestServicePersonnages::rendu_pixelsOpaquesEtMasque()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Show(false);
    avancer(1000);
    FenetrePersonnage* fenetre = servi(p)->fenetre();
    QVERIFY(fenetre->isVisible());
    const QImage rendu = fenetre->rendu();
    QCOMPARE(rendu.size(), QSize(32, 32));
    QCOMPARE(qAlpha(rendu.pixel(16, 16)), 255);
    QCOMPARE(qAlpha(rendu.pixel(1, 1)), 0);
    // Pose finale de Show : le disque bleu ; le masque suit ses pixels opaques.
    QCOMPARE(couleurDominante(rendu), qRgb(0, 0, 255) & 0xFFFFFF);
    QVERIFY(fenetre->masqueApplique().contains(QPoint(16, 16)));
    QVERIFY(!fenetre->masqueApplique().contains(QPoint(1, 1)));
    // Taille changée : dessin et masque mis à l'échelle, notification Size.
    QCOMPARE(p->SetSize(QSize(64, 64)), S_OK_AGENT);
    livrer();
    QVERIFY(m_journal.contains(QStringLiteral("size 64x64")));
    QCOMPARE(fenetre->rendu().size(), QSize(64, 64));
    QVERIFY(fenetre->masqueApplique().contains(QPoint(60 - 28, 32)));
    QVERIFY(!fenetre->masqueApplique().contains(QPoint(2, 2)));
}

void TestServicePersonnages::proprietes_bulleDuFichier()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    TAgentBalloon* bulle = p->GetBalloon();
    QVERIFY(bulle);
    QCOMPARE(bulle->GetBackgroundColor(), QColor(200, 220, 240));
    QCOMPARE(bulle->GetForegroundColor(), QColor(10, 20, 30));
    QCOMPARE(bulle->GetBorderColor(), QColor(40, 50, 60));
    QCOMPARE(bulle->GetNumLines(), 3);
    QCOMPARE(bulle->GetNumCharsPerLine(), 20);
    QCOMPARE(bulle->GetFontSize(), 10); // 13 pixels à 96 ppp
    QVERIFY(!bulle->GetVisible());
    QCOMPARE(bulle->SetNumLines(0), E_INVALIDARG_AGENT);
}

void TestServicePersonnages::proprietes_ecritesRelues_data()
{
    QTest::addColumn<QString>("propriete");
    QTest::addColumn<QVariant>("valeur");
    QTest::addColumn<qint64>("code");
    QTest::addColumn<QString>("lue"); // vide : la même
    QTest::addColumn<QVariant>("relue");
    const qint64 ok = S_OK_AGENT;
    const qint64 refus = E_INVALIDARG_AGENT;
    QTest::newRow("fichier d'aide") << u"HelpFile"_s << QVariant(u"vatrelix.chm"_s) << ok << QString() << QVariant(u"vatrelix.chm"_s);
    QTest::newRow("contexte d'aide") << u"HelpContextID"_s << QVariant(42) << ok << QString() << QVariant(42);
    QTest::newRow("mode aide") << u"HelpModeOn"_s << QVariant(true) << ok << QString() << QVariant(true);
    QTest::newRow("au premier plan") << u"ActiveState"_s << QVariant(int(aasInputActive)) << ok << QString() << QVariant(int(aasInputActive));
    QTest::newRow("client inactif") << u"ActiveState"_s << QVariant(int(aasNotActive)) << ok << QString() << QVariant(int(aasNotActive));
    QTest::newRow("état inconnu : refusé") << u"Activate"_s << QVariant(7) << refus << u"ActiveState"_s << QVariant(int(aasActive));
    // La voix ne parle que français : la langue dit « non implémenté » et ne change pas.
    QTest::newRow("langue") << u"LanguageID"_s << QVariant(0x0409) << qint64(E_NOTIMPL_AGENT) << QString() << QVariant(int(LangueFrancais));
    QTest::newRow("jeu de caractères de la bulle") << u"FontCharset"_s << QVariant(238) << ok << QString() << QVariant(238);
    QTest::newRow("jeu de caractères hors d'un octet") << u"FontCharset"_s << QVariant(300) << refus << QString() << QVariant(1);
    const int tailleSansRythme = absEnabled | absSizeToText | absAutoHide;
    QTest::newRow("style : taille au texte, sans rythme") << u"Style"_s << QVariant(tailleSansRythme) << ok << QString() << QVariant(tailleSansRythme);
    QTest::newRow("style sans le bit « active »") << u"Style"_s << QVariant(int(absAutoPace)) << ok << u"Enabled"_s << QVariant(false);
    QTest::newRow("bulle éteinte : style sans le bit") << u"Enabled"_s << QVariant(false) << ok << u"Style"_s << QVariant(absAutoHide | absAutoPace);
}

void TestServicePersonnages::proprietes_ecritesRelues()
{
    QFETCH(QString, propriete);
    QFETCH(QVariant, valeur);
    QFETCH(qint64, code);
    QFETCH(QString, lue);
    QFETCH(QVariant, relue);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    TAgentBalloon* b = p->GetBalloon();
    QVERIFY(b);
    struct Acces
    {
        std::function<CodeResultat(const QVariant&)> ecrire;
        std::function<QVariant()> lire;
    };
    const QHash<QString, Acces> acces{
        {u"HelpFile"_s, {[&](const QVariant& v) { return p->SetHelpFile(v.toString()); }, [&] { return QVariant(p->GetHelpFile()); }}},
        {u"HelpContextID"_s, {[&](const QVariant& v) { return p->SetHelpContextID(v.toInt()); }, [&] { return QVariant(p->GetHelpContextID()); }}},
        {u"HelpModeOn"_s, {[&](const QVariant& v) { return p->SetHelpModeOn(v.toBool()); }, [&] { return QVariant(p->GetHelpModeOn()); }}},
        {u"ActiveState"_s, {[&](const QVariant& v) { return p->SetActiveState(TAgentActiveState(v.toInt())); },
                            [&] { return QVariant(int(p->GetActiveState())); }}},
        // Un état hors de l'énumération ne passe que par l'interface du serveur.
        {u"Activate"_s, {[&](const QVariant& v) { return servi(p)->Activate(v.toInt()); }, [] { return QVariant(); }}},
        {u"LanguageID"_s, {[&](const QVariant& v) { return p->SetLanguageID(v.toInt()); }, [&] { return QVariant(p->GetLanguageID()); }}},
        {u"FontCharset"_s, {[&](const QVariant& v) { return b->SetFontCharset(v.toInt()); }, [&] { return QVariant(b->GetFontCharset()); }}},
        {u"Style"_s, {[&](const QVariant& v) { return b->SetStyle(TAgentBalloonStyle::fromInt(v.toInt())); },
                      [&] { return QVariant(b->GetStyle().toInt()); }}},
        {u"Enabled"_s, {[&](const QVariant& v) { return b->SetEnabled(v.toBool()); }, [&] { return QVariant(b->GetEnabled()); }}},
    };
    QCOMPARE(qint64(acces.value(propriete).ecrire(valeur)), code);
    QCOMPARE(acces.value(lue.isEmpty() ? propriete : lue).lire(), relue);
}

void TestServicePersonnages::modeAide_clicTermineLAide()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Show(true);
    avancer(50);
    QCOMPARE(p->SetHelpModeOn(true), S_OK_AGENT);
    QCOMPARE(p->Fenetre()->cursor().shape(), Qt::WhatsThisCursor);
    m_journal.clear();
    QWindow* fenetre = p->Fenetre();
    const auto cliquer = [fenetre] {
        const QPointF local(16, 16);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons boutons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent e(type, local, fenetre->mapToGlobal(local), Qt::LeftButton, boutons, Qt::NoModifier);
            QCoreApplication::sendEvent(fenetre, &e);
        }
        livrer();
    };
    // Le clic en mode aide termine l'aide (le personnage désigné) au lieu d'être un clic.
    cliquer();
    QCOMPARE(m_journal, Journal({QStringLiteral("aide %1").arg(int(ahsCharacter))}));
    QVERIFY(!p->GetHelpModeOn());
    QCOMPARE(fenetre->cursor().shape(), Qt::ArrowCursor);
    m_journal.clear();
    cliquer();
    QCOMPARE(m_journal, Journal({QStringLiteral("click gauche")}));
}

void TestServicePersonnages::bulle_tailleAuTexteEtRythme_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("lignesAuDebut"); // après le premier pas de la parole
    QTest::addColumn<int>("lignesALaFin");
    // Bulle du personnage d'essai : 3 lignes de 20 caractères ; le texte en fait 5.
    QTest::newRow("rythme, trois lignes au plus") << int(absEnabled | absAutoPace) << 1 << 3;
    QTest::newRow("sans rythme : tout le texte d'emblée") << int(absEnabled) << 3 << 3;
    QTest::newRow("taille au texte : toutes les lignes") << int(absEnabled | absSizeToText | absAutoPace) << 1 << 5;
}

void TestServicePersonnages::bulle_tailleAuTexteEtRythme()
{
    QFETCH(int, style);
    QFETCH(int, lignesAuDebut);
    QFETCH(int, lignesALaFin);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    QCOMPARE(p->GetBalloon()->SetStyle(TAgentBalloonStyle::fromInt(style)), S_OK_AGENT);
    p->Show(true);
    avancer(50);
    const QString texte = QStringLiteral("un deux trois quatre cinq six sept huit neuf dix onze douze treize quatorze quinze seize");
    QCOMPARE(p->Speak(texte, QString()), S_OK_AGENT);
    avancer(PasParole);
    FenetreBulle* bulle = servi(p)->fenetreBulle();
    QCOMPARE(bulle->lignesAffichees().size(), lignesAuDebut);
    avancer(10000);
    QCOMPARE(bulle->lignesAffichees().size(), lignesALaFin);
    QCOMPARE(bulle->lignesAffichees().last(), QStringLiteral("quinze seize"));
}

void TestServicePersonnages::parler_depuisUneAdresse_nonImplemente()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    const qint32 avant = p->LastRequestID();
    // Le service ne lit pas de son enregistré : la parole ne fait pas semblant de réussir.
    QCOMPARE(p->Speak(QString(), QStringLiteral("file:///tmp/bonjour.wav")), E_NOTIMPL_AGENT);
    QCOMPARE(p->Speak(QStringLiteral("Bonjour"), QStringLiteral("bonjour.wav")), E_NOTIMPL_AGENT);
    QCOMPARE(m_agent->LastErrorMessage().left(27), QStringLiteral("Could not speak the text/ur"));
    QCOMPARE(p->LastRequestID(), avant);
}

void TestServicePersonnages::sam_chargeEtJoueToutesLesAnimationsDuProgramme()
{
    const QString source = QStringLiteral(SAM_ACS);
    if (!QFileInfo::exists(source))
        QSKIP("Sam.acs absent du dossier de build");
    QVERIFY(QFile::copy(source, dossierPersonnages(*m_env) + QStringLiteral("Sam.acs")));
    QElapsedTimer chrono;
    chrono.start();
    TAgentCharacters* personnages = m_agent->GetCharacters();
    QCOMPARE(personnages->Load(QStringLiteral("Sam"), QStringLiteral("Sam.acs")), S_OK_AGENT);
    qInfo("Chargement de Sam.acs par le service : %lld ms", qint64(chrono.elapsed()));
    TAgentCharacter* sam = personnages->CharacterByIndex(0);
    QVERIFY(sam);
    const QStringList programme{QStringLiteral("Wave"), QStringLiteral("Sad"), QStringLiteral("Write"),
                                QStringLiteral("WriteReturn"), QStringLiteral("DoMagic1"), QStringLiteral("DoMagic2"),
                                QStringLiteral("RestPose"), QStringLiteral("Pleased"), QStringLiteral("Blink"),
                                QStringLiteral("Process"), QStringLiteral("Congratulate"), QStringLiteral("Surprised"),
                                QStringLiteral("Read"), QStringLiteral("ReadReturn"), QStringLiteral("Think"),
                                QStringLiteral("Suggest"), QStringLiteral("Acknowledge")};
    m_journal.clear();
    QList<qint32> requetes;
    QCOMPARE(sam->Show(false), S_OK_AGENT);
    requetes << sam->LastRequestID();
    for (const QString& nom : programme) {
        QCOMPARE(sam->Play(nom), S_OK_AGENT);
        requetes << sam->LastRequestID();
    }
    QCOMPARE(sam->Speak(QStringLiteral("Bonjour et bienvenue."), QString()), S_OK_AGENT);
    requetes << sam->LastRequestID();
    QCOMPARE(sam->Hide(false), S_OK_AGENT);
    requetes << sam->LastRequestID();
    avancer(3000);
    // Sam montré : sa fenêtre peint des pixels opaques, et ses coins restent transparents.
    const QImage rendu = servi(sam)->fenetre()->rendu();
    int opaques = 0;
    for (int y = 0; y < rendu.height(); ++y)
        for (int x = 0; x < rendu.width(); ++x)
            opaques += qAlpha(rendu.pixel(x, y)) == 255 ? 1 : 0;
    QVERIFY2(opaques > rendu.width() * rendu.height() / 10, qPrintable(QString::number(opaques)));
    QCOMPARE(qAlpha(rendu.pixel(0, 0)), 0);
    QVERIFY(!servi(sam)->fenetre()->masqueApplique().isEmpty());
    avancer(120000);
    Journal attendu;
    for (qint32 r : requetes)
        attendu << QStringLiteral("complete %1 0").arg(r);
    Journal fins;
    for (const QString& e : std::as_const(m_journal))
        if (e.startsWith(QLatin1String("complete")))
            fins << e;
    QCOMPARE(fins, attendu);
    QVERIFY(!sam->GetVisible());
}

void TestServicePersonnages::enregistrement_laFabriqueTrouveLeService()
{
    enregistrerServicePersonnages();
    std::shared_ptr<IServeurAgent> serveur;
    QCOMPARE(creerServeurAgent(CLSID_AgentServer, IID_IAgentEx, CLSCTX_SERVEUR_AGENT, serveur), S_OK_AGENT);
    QVERIFY(std::dynamic_pointer_cast<ServeurPersonnages>(serveur));
    // Un serveur par connexion : deux créations, deux serveurs.
    std::shared_ptr<IServeurAgent> autre;
    QCOMPARE(creerServeurAgent(CLSID_AgentServer, IID_IAgentEx, CLSCTX_SERVEUR_AGENT, autre), S_OK_AGENT);
    QVERIFY(autre != serveur);
}

void TestServicePersonnages::fileLongue_finsImmediatesDansLOrdre()
{
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Show(true);
    avancer(50);
    // Derrière le départ, des milliers de gestes d'un personnage caché finissent aussitôt.
    p->Hide(false);
    const qint32 premier = p->LastRequestID() + 1;
    constexpr int nombre = 20000;
    for (int i = 0; i < nombre; ++i)
        QCOMPARE(p->Play(QStringLiteral("Wave")), S_OK_AGENT);
    m_journal.clear();
    avancer(500);
    Journal fins;
    for (const QString& e : std::as_const(m_journal))
        if (e.startsWith(QLatin1String("complete")))
            fins << e;
    QCOMPARE(fins.size(), nombre + 1);
    QCOMPARE(fins.at(1), QStringLiteral("complete %1 0").arg(premier));
    QCOMPARE(fins.last(), QStringLiteral("complete %1 0").arg(premier + nombre - 1));
    QVERIFY(servi(p)->auRepos());
}

void TestServicePersonnages::dechargementPendantLeDepart_departJoueApresCoup_data()
{
    QTest::addColumn<int>("duree"); // des trames du départ, en centièmes
    QTest::addColumn<bool>("fini");
    QTest::newRow("départ court : joué jusqu'au bout") << 10 << true;
    QTest::newRow("trames de dix minutes : sortie au bout de l'attente maximale") << 60000 << false;
}

void TestServicePersonnages::dechargementPendantLeDepart_departJoueApresCoup()
{
    QFETCH(int, duree);
    QFETCH(bool, fini);
    PersonnageAcs modele = construirePersonnageTest();
    for (AnimationAcs& a : modele.animations)
        if (a.nom == u"Hide")
            for (TrameAcs& t : a.trames)
                t.duree = quint16(duree);
    ecrirePersonnage(QStringLiteral("Partant.acs"), modele);
    TAgentCharacter* p = charger(QStringLiteral("Partant.acs"));
    QVERIFY(p);
    p->Show(true);
    avancer(50);
    // Départ demandé puis déchargement aussitôt : le départ se joue après coup.
    p->Hide(false);
    QPointer<QWindow> fenetre = p->Fenetre();
    QCOMPARE(m_agent->GetCharacters()->Unload(QStringLiteral("Testeur")), S_OK_AGENT);
    QCOMPARE(DepartPersonnage::enCours(), 1);
    QVERIFY(fenetre && fenetre->isVisible());
    QVERIFY(fenetre->property(ProprieteClasseFenetre).toString().isEmpty());
    // Un personnage chargé entre-temps ne prend pas la fenêtre qui part.
    TAgentCharacter* suivant = charger();
    QVERIFY(suivant);
    QVERIFY(suivant->Fenetre() != fenetre.data());
    // La sortie du programme laisse le départ finir, sans attendre plus que le maximum.
    HorlogeVirtuelle horloge;
    horloge.installer();
    horloge.pendantPatience = [this](int ms) { avancer(ms); };
    DepartPersonnage::laisserFinir();
    QCOMPARE(DepartPersonnage::enCours() == 0, fini);
    QCOMPARE(horloge.totalAttendu() < DepartPersonnage::AttenteMaximaleDeparts, fini);
    QVERIFY(horloge.totalAttendu() <= DepartPersonnage::AttenteMaximaleDeparts);
    m_temps->avancer(2 * 60000 * 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(DepartPersonnage::enCours(), 0);
    QVERIFY(!fenetre);
}

void TestServicePersonnages::arretDuCompagnon_departJoueDansLAttente()
{
    // Le service du compagnon sur le vrai serveur : son attente doit laisser le départ se jouer.
    HorlogeVirtuelle horloge;
    horloge.installer();
    compagnonAffiche = true;
    const auto fin = qScopeGuard([] {
        terminerCompagnon();
        compagnonAffiche = false;
    });
    demarrerCompagnon(QStringLiteral("Testeur"), ObjetFenetre{QPoint(300, 300), 100, 40, QStringLiteral("panneau")});
    TAgentCharacter* p = personnage();
    QVERIFY(p);
    avancer(1000);
    PersonnageServi* s = servi(p);
    QVERIFY(s && s->visible());
    s->viderJournal();
    QStringList jouees;
    bool visibleALaFin = true;
    horloge.pendantPatience = [&](int ms) {
        avancer(ms);
        jouees = s->journalAnimations();
        visibleALaFin = s->visible();
    };
    arreterCompagnon(QStringLiteral("Testeur"));
    QCOMPARE(horloge.totalAttendu(), qint64(AttenteArretCompagnon));
    // Le départ a été joué et fini avant le déchargement : rien ne reste à jouer après coup.
    QCOMPARE(jouees, QStringList({QStringLiteral("Hide")}));
    QVERIFY(!visibleALaFin);
    QCOMPARE(DepartPersonnage::enCours(), 0);
}

void TestServicePersonnages::gesteVers_etatSelonLaDirection_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QStringList>("jouees");
    // Personnage en (100, 100), 32 × 32.
    QTest::newRow("à droite de l'écran : sa gauche") << QPoint(400, 120) << QStringList({QStringLiteral("Wave")});
    QTest::newRow("à gauche de l'écran : sa droite") << QPoint(0, 110) << QStringList({QStringLiteral("Write")});
    QTest::newRow("au-dessus : état absent") << QPoint(116, 0) << QStringList();
}

void TestServicePersonnages::gesteVers_etatSelonLaDirection()
{
    QFETCH(QPoint, point);
    QFETCH(QStringList, jouees);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->SetPosition(QPoint(100, 100));
    p->Show(true);
    avancer(50);
    servi(p)->viderJournal();
    m_journal.clear();
    QCOMPARE(p->GestureAt(point), S_OK_AGENT);
    avancer(1000);
    QCOMPARE(servi(p)->journalAnimations().mid(0, 1), jouees);
    QVERIFY(m_journal.contains(QStringLiteral("complete %1 0").arg(p->LastRequestID())));
}

QTEST_MAIN(TestServicePersonnages)
#include "tst_servicePersonnages.moc"
