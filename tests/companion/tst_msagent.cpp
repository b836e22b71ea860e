#include "Agentaudiooutputproperties.h"
#include "Agentballoon.h"
#include "Agentcharacters.h"
#include "Agentcommands.h"
#include "Agentcommandwindow.h"
#include "Agentpropertysheet.h"
#include "Agentspeechinputproperties.h"
#include "Agentuserinput.h"
#include "EnvironnementTest.h"
#include "MSAgent.h"
#include "ServeurAgentDouble.h"

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QWindow>

#include <type_traits>

Q_DECLARE_METATYPE(TAgentSide)

namespace {
QString texte(const char* t) { return QString::fromLatin1(t); }

void creerFichier(const QString& chemin)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

// Ce que les lignes des tables d'enveloppes atteignent : le composant et un personnage chargé.
struct Enveloppes
{
    TMSAgent* agent = nullptr;
    TAgentCharacter* sam = nullptr;
};

TAgentCharacter* personnageDe(Enveloppes& e) { return e.sam; }
TAgentBalloon* bulleDe(Enveloppes& e) { return e.sam->GetBalloon(); }
TAgentCommands* commandesDe(Enveloppes& e) { return e.sam->GetCommands(); }
// La commande 100 du double, ajoutée au premier usage.
TAgentCommand* commandeDe(Enveloppes& e)
{
    TAgentCommands* commandes = commandesDe(e);
    return commandes->GetCount() > 0 ? commandes->Command(100)
                                     : commandes->Add(QStringLiteral("Ouvrir"), QStringLiteral("ouvrir"));
}
TAgentCommandWindow* fenetreCommandesDe(Enveloppes& e) { return e.agent->GetCommandWindow(); }
TAgentPropertySheet* feuilleDe(Enveloppes& e) { return e.agent->GetPropertySheet(); }
TAgentSpeechInputProperties* entreeVocaleDe(Enveloppes& e) { return e.agent->GetSpeechInput(); }
TAgentAudioOutputProperties* sortieAudioDe(Enveloppes& e) { return e.agent->GetAudioOutput(); }

// Par le type d'une enveloppe : son nom dans le double et le moyen de l'atteindre.
template <class O>
struct Acces
{
    const char* nom;
    O* (*de)(Enveloppes&);
};
Acces<TAgentCharacter> enveloppe(TAgentCharacter*) { return {"Character", personnageDe}; }
Acces<TAgentBalloon> enveloppe(TAgentBalloon*) { return {"Balloon", bulleDe}; }
Acces<TAgentCommands> enveloppe(TAgentCommands*) { return {"Commands", commandesDe}; }
Acces<TAgentCommand> enveloppe(TAgentCommand*) { return {"Command", commandeDe}; }
Acces<TAgentCommandWindow> enveloppe(TAgentCommandWindow*) { return {"CommandWindow", fenetreCommandesDe}; }
Acces<TAgentPropertySheet> enveloppe(TAgentPropertySheet*) { return {"PropertySheet", feuilleDe}; }
Acces<TAgentSpeechInputProperties> enveloppe(TAgentSpeechInputProperties*) { return {"SpeechInput", entreeVocaleDe}; }
Acces<TAgentAudioOutputProperties> enveloppe(TAgentAudioOutputProperties*) { return {"AudioOutput", sortieAudioDe}; }

// Valeur telle que le double la garde : les énumérations et les ensembles en entier.
template <class T>
QVariant enVariant(const T& valeur)
{
    if constexpr (std::is_enum_v<T>)
        return int(valeur);
    else
        return QVariant::fromValue(valeur);
}
template <class E>
QVariant enVariant(const QFlags<E>& valeur)
{
    return valeur.toInt();
}

// Une propriété d'enveloppe : l'objet du double qui la tient, son numéro, une valeur qui fait
// l'aller-retour, les membres qui la lisent et l'écrivent (ecrire vide : lecture seule) et
// leurs messages d'échec.
struct ProprieteEnveloppe
{
    QString objet;
    int numero = 0;
    QVariant valeur;
    std::function<QVariant(Enveloppes&)> lire;
    std::function<CodeResultat(Enveloppes&)> ecrire;
    QString messageLecture;
    QString messageEcriture;
};

template <class O, class T, class P>
ProprieteEnveloppe lecture(P numero, const std::type_identity_t<T>& valeur, T (O::*lire)(), const char* message)
{
    const Acces<O> acces = enveloppe(static_cast<O*>(nullptr));
    ProprieteEnveloppe p;
    p.objet = texte(acces.nom);
    p.numero = static_cast<int>(numero);
    p.valeur = enVariant(valeur);
    p.lire = [de = acces.de, lire](Enveloppes& e) { return enVariant((de(e)->*lire)()); };
    p.messageLecture = texte(message);
    return p;
}

template <class O, class T, class A, class P>
ProprieteEnveloppe lectureEcriture(P numero, const std::type_identity_t<T>& valeur, T (O::*lire)(),
                                   const char* messageLecture, CodeResultat (O::*ecrire)(A), const char* messageEcriture)
{
    ProprieteEnveloppe p = lecture(numero, valeur, lire, messageLecture);
    p.ecrire = [de = enveloppe(static_cast<O*>(nullptr)).de, ecrire, valeur](Enveloppes& e) {
        return (de(e)->*ecrire)(valeur);
    };
    p.messageEcriture = texte(messageEcriture);
    return p;
}

// Un membre qui passe par le serveur : l'appel que le double note, et le message d'échec.
struct AppelEnveloppe
{
    QString appel;
    std::function<void(Enveloppes&)> membre;
    QString message;
};
} // namespace

Q_DECLARE_METATYPE(ProprieteEnveloppe)
Q_DECLARE_METATYPE(AppelEnveloppe)

class TestMSAgent : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void connecter_deuxFois_uneSeuleConnexion();
    void deconnecter_nonConnecte_niAppelNiEvenement();
    void deconnecter_dechargeLesPersonnagesEtDesenregistre();
    void connecter_sansServeur_echecEnregistre();
    void connecter_enregistrementRefuse_echecEtDeconnecte();
    void charger_echecServeur_data();
    void charger_echecServeur();
    void characterByIndex_horsLimites_data();
    void characterByIndex_horsLimites();
    void requeteVide_refuseeSansAppel_data();
    void requeteVide_refuseeSansAppel();
    void requete_refuseeParServeur_messageDuMembre_data();
    void requete_refuseeParServeur_messageDuMembre();
    void moveToSideOfObject_cotes_data();
    void moveToSideOfObject_cotes();
    void moveToSideOfObject_sansControleOuTailleIllisible();
    void facteurPointage_data();
    void facteurPointage();
    void fichierPersonnage_data();
    void fichierPersonnage();
    void finDeRequete_retireAvantEvenement();
    void debutDeRequete_inconnue_enregistreeSansEvenement();
    void notifications_misesEnFile();
    void minuterieSouris_suitLeNombreDePersonnages();
    void survolPersonnage_mouseMoveRelatif();
    void decharger_nomInconnu_rienNeChange();
    void decharger_parNom_premierSansCasse();
    void clic_menuSurgissant_data();
    void clic_menuSurgissant();
    void cles_bitsVersEnsemble_data();
    void cles_bitsVersEnsemble();
    void glisser_indicateurAutourDesEvenements();
    void canalErreur_appelleOnError();
    void personnagesInstalles_filtresEtGardes();
    void creerServeur_identifiants_data();
    void creerServeur_identifiants();
    void recepteur_interfacesReconnues_data();
    void recepteur_interfacesReconnues();
    void decharger_depuisOnUnload_uneSeuleFois();
    void commande_personnageCommandeEtChoix();
    void enveloppes_proprietes_data();
    void enveloppes_proprietes();
    void enveloppes_appels_data();
    void enveloppes_appels();
    void enveloppes_collectionEtCoordonnees();

private:
    std::unique_ptr<EnvironnementTest> m_env;
    std::unique_ptr<ServeurAgentDoubleInstalle> m_serveur;
    std::unique_ptr<TMSAgent> m_agent;

    TAgentCharacter* charger(const QString& nom)
    {
        TAgentCharacters* personnages = m_agent->GetCharacters();
        if (!personnages || echec(personnages->Load(nom, nom + QStringLiteral(".acs"))))
            return nullptr;
        return personnages->CharacterByIndex(personnages->GetCount() - 1);
    }
};

void TestMSAgent::init()
{
    m_env = std::make_unique<EnvironnementTest>();
    m_serveur = std::make_unique<ServeurAgentDoubleInstalle>();
    m_agent = std::make_unique<TMSAgent>();
}

void TestMSAgent::cleanup()
{
    m_agent.reset();
    m_serveur.reset();
    m_env.reset();
}

void TestMSAgent::connecter_deuxFois_uneSeuleConnexion()
{
    int connexions = 0;
    m_agent->OnConnect = [&](TMSAgent*) { ++connexions; };
    m_agent->SetConnected(true);
    m_agent->SetConnected(true);
    QVERIFY(m_agent->GetConnected());
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("Register")), 1);
    QCOMPARE(connexions, 1);
    QCOMPARE(m_agent->LastError(), S_OK_AGENT);
    QVERIFY(m_agent->GetInstalled());
}

void TestMSAgent::deconnecter_nonConnecte_niAppelNiEvenement()
{
    int deconnexions = 0;
    m_agent->OnDisconnect = [&](TMSAgent*) { ++deconnexions; };
    m_agent->SetConnected(false);
    QCOMPARE(deconnexions, 0);
    QVERIFY((*m_serveur)->appels().isEmpty());
}

void TestMSAgent::deconnecter_dechargeLesPersonnagesEtDesenregistre()
{
    int deconnexions = 0;
    m_agent->OnDisconnect = [&](TMSAgent*) { ++deconnexions; };
    m_agent->SetConnected(true);
    TAgentCharacter* merlin = charger(QStringLiteral("Merlin"));
    QVERIFY(merlin);
    const qint32 numero = merlin->Numero();
    (*m_serveur)->oublierAppels();
    m_agent->SetConnected(false);
    QVERIFY(!m_agent->GetConnected());
    QCOMPARE(deconnexions, 1);
    // Le personnage est déchargé avant que le récepteur ne soit désenregistré.
    QCOMPARE((*m_serveur)->sequence(), QStringList({QStringLiteral("Unload"), QStringLiteral("Unregister")}));
    QCOMPARE((*m_serveur)->appels().at(0).arguments.value(0).toInt(), numero);
    QCOMPARE((*m_serveur)->appels().at(1).arguments.value(0).toInt(), 7);
    QVERIFY(!(*m_serveur)->recepteur());
}

void TestMSAgent::connecter_sansServeur_echecEnregistre()
{
    m_serveur.reset(); // plus aucun serveur enregistré
    int connexions = 0;
    m_agent->OnConnect = [&](TMSAgent*) { ++connexions; };
    QVERIFY(!m_agent->Connect());
    QVERIFY(!m_agent->GetConnected());
    QCOMPARE(connexions, 0);
    QCOMPARE(m_agent->LastError(), codeResultat(0x80040154));
    QCOMPARE(m_agent->LastErrorMessage(), texte("Could not create an instance of the MSAgent control"));
    QVERIFY(!m_agent->GetInstalled());

    TAgentCharacters* personnages = m_agent->GetCharacters();
    QVERIFY(personnages);
    QCOMPARE(personnages->Load(QStringLiteral("Sam"), QStringLiteral("Sam.acs")), codeResultat(0x80042067));
    QCOMPARE(m_agent->LastError(), codeResultat(0x80042067));
    QCOMPARE(m_agent->LastErrorMessage(), texte("Could not create the new character: Could not load the character file"));
    QCOMPARE(personnages->GetCount(), 0);
}

void TestMSAgent::connecter_enregistrementRefuse_echecEtDeconnecte()
{
    (*m_serveur)->repondre(QStringLiteral("Register"), E_FAIL_AGENT);
    QVERIFY(!m_agent->Connect());
    QVERIFY(!m_agent->GetConnected());
    QCOMPARE(m_agent->LastError(), E_FAIL_AGENT);
    QCOMPARE(m_agent->LastErrorMessage(),
             texte("Could not create an instance of the MSAgent control: Could not register the notification sink"));
    // Numéro d'enregistrement −1 : aucun désenregistrement.
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("Unregister")), 0);
}

void TestMSAgent::charger_echecServeur_data()
{
    QTest::addColumn<QString>("appelRefuse");
    QTest::addColumn<QStringList>("sequence");
    QTest::newRow("Load refusé") << QStringLiteral("Load") << QStringList({QStringLiteral("Load")});
    // Le personnage obtenu puis sans interface est rendu au serveur.
    QTest::newRow("GetCharacterEx refusé")
        << QStringLiteral("GetCharacterEx")
        << QStringList({QStringLiteral("Load"), QStringLiteral("GetCharacterEx"), QStringLiteral("Unload")});
}

void TestMSAgent::charger_echecServeur()
{
    QFETCH(QString, appelRefuse);
    QFETCH(QStringList, sequence);
    const CodeResultat refus = codeResultat(0x80070002);
    m_agent->SetConnected(true);
    (*m_serveur)->oublierAppels();
    (*m_serveur)->repondre(appelRefuse, refus);
    int chargements = 0;
    m_agent->OnLoad = [&](TMSAgent*, TAgentCharacter*) { ++chargements; };

    TAgentCharacters* personnages = m_agent->GetCharacters();
    QCOMPARE(personnages->Load(QStringLiteral("Sam"), QStringLiteral("Sam.acs")), refus);
    QCOMPARE(m_agent->LastError(), refus);
    QCOMPARE(m_agent->LastErrorMessage(), texte("Could not create the new character"));
    QCOMPARE(personnages->GetCount(), 0);
    QCOMPARE(chargements, 0);
    QVERIFY(!personnages->TimerActive());
    QCOMPARE((*m_serveur)->sequence(), sequence);
}

void TestMSAgent::characterByIndex_horsLimites_data()
{
    QTest::addColumn<int>("charges");
    QTest::addColumn<int>("indice");
    QTest::newRow("vide, 0") << 0 << 0;
    QTest::newRow("un, -1") << 1 << -1;
    QTest::newRow("un, 1") << 1 << 1;
    QTest::newRow("deux, 2") << 2 << 2;
}

void TestMSAgent::characterByIndex_horsLimites()
{
    QFETCH(int, charges);
    QFETCH(int, indice);
    m_agent->SetConnected(true);
    for (int i = 0; i < charges; ++i)
        QVERIFY(charger(QStringLiteral("Sam")));
    QVERIFY(!m_agent->GetCharacters()->CharacterByIndex(indice));
    QCOMPARE(m_agent->LastError(), codeResultat(0x80042065));
    QCOMPARE(m_agent->LastErrorMessage(), texte("Could not retrieve the requested character by index"));
}

void TestMSAgent::requeteVide_refuseeSansAppel_data()
{
    QTest::addColumn<QString>("membre");
    QTest::addColumn<QString>("message");
    QTest::newRow("Speak") << QStringLiteral("Speak") << texte("Could not speak the text/url");
    QTest::newRow("Play") << QStringLiteral("Play") << texte("Could not play the animation ''");
}

void TestMSAgent::requeteVide_refuseeSansAppel()
{
    QFETCH(QString, membre);
    QFETCH(QString, message);
    m_agent->SetConnected(true);
    TAgentCharacter* sam = charger(QStringLiteral("Sam"));
    QVERIFY(sam);
    const qsizetype requetes = m_agent->GetCharacters()->Requests().size();
    const CodeResultat code = membre == QLatin1String("Speak") ? sam->Speak(QString(), QString()) : sam->Play(QString());
    QCOMPARE(code, codeResultat(0x8004206D));
    QCOMPARE(m_agent->LastError(), codeResultat(0x8004206D));
    QCOMPARE(m_agent->LastErrorMessage(), message);
    QCOMPARE(sam->CharacterLastError(), codeResultat(0x8004206D));
    QCOMPARE((*m_serveur)->nombre(membre), 0);
    QCOMPARE(m_agent->GetCharacters()->Requests().size(), requetes);

    // Un lien seul suffit à parler.
    if (membre == QLatin1String("Speak")) {
        QCOMPARE(sam->Speak(QString(), QStringLiteral("http://exemple/texte")), S_OK_AGENT);
        QCOMPARE((*m_serveur)->nombre(membre), 1);
    }
}

void TestMSAgent::requete_refuseeParServeur_messageDuMembre_data()
{
    QTest::addColumn<QString>("appel");
    QTest::addColumn<QString>("message");
    QTest::newRow("Show") << QStringLiteral("Show") << texte("Could not show the character");
    QTest::newRow("Hide") << QStringLiteral("Hide") << texte("Could not hide the character");
    QTest::newRow("Speak") << QStringLiteral("Speak") << texte("Could not speak the text/url");
    QTest::newRow("Play") << QStringLiteral("Play") << texte("Could not play the animation 'Sad'");
    QTest::newRow("MoveTo") << QStringLiteral("MoveTo") << texte("Could not move to object 'panelCommandes'");
}

void TestMSAgent::requete_refuseeParServeur_messageDuMembre()
{
    QFETCH(QString, appel);
    QFETCH(QString, message);
    const CodeResultat refus = codeResultat(0x80042070);
    m_agent->SetConnected(true);
    TAgentCharacter* sam = charger(QStringLiteral("Sam"));
    QVERIFY(sam);
    (*m_serveur)->repondre(appel, refus);
    const ObjetFenetre controle{QPoint(10, 10), 100, 50, QStringLiteral("panelCommandes")};
    CodeResultat code = S_OK_AGENT;
    if (appel == QLatin1String("Show"))
        code = sam->Show(false);
    else if (appel == QLatin1String("Hide"))
        code = sam->Hide(false);
    else if (appel == QLatin1String("Speak"))
        code = sam->Speak(QStringLiteral("Bonjour"), QString());
    else if (appel == QLatin1String("Play"))
        code = sam->Play(QStringLiteral("Sad"));
    else
        code = sam->MoveToSideOfObject(&controle, asRight);
    QCOMPARE(code, refus);
    QCOMPARE(m_agent->LastError(), refus);
    QCOMPARE(m_agent->LastErrorMessage(), message);
    // Une requête refusée n'entre pas dans la table.
    QVERIFY(m_agent->GetCharacters()->Requests().isEmpty());
}

void TestMSAgent::moveToSideOfObject_cotes_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<int>("largeur");
    QTest::addColumn<TAgentSide>("cote");
    QTest::addColumn<QPoint>("cible");
    // Robby, 128 × 128, facteur 0,111 ; contrôle de 150 × 200 dont la zone client est en (100, 300).
    QTest::newRow("droite Robby") << QStringLiteral("Robby") << 150 << asRight << QPoint(255, 385);
    QTest::newRow("gauche Robby") << QStringLiteral("Robby") << 150 << asLeft << QPoint(-33, 385);
    QTest::newRow("dessus") << QStringLiteral("Robby") << 150 << asTop << QPoint(111, 167);
    QTest::newRow("dessous") << QStringLiteral("Robby") << 150 << asBottom << QPoint(111, 505);
    QTest::newRow("centre") << QStringLiteral("Robby") << 150 << asCenter << QPoint(111, 336);
    // Moitié négative tronquée vers zéro : (25 − 128) div 2 = −51.
    QTest::newRow("dessus, contrôle étroit") << QStringLiteral("Robby") << 25 << asTop << QPoint(49, 167);
    // Facteur par défaut 0,133 : 400 − 17,024 = 382,976, tronqué.
    QTest::newRow("droite Sam") << QStringLiteral("Sam") << 150 << asRight << QPoint(255, 382);
    QTest::newRow("droite Peedy") << QStringLiteral("Peedy") << 150 << asRight << QPoint(255, 343);
}

void TestMSAgent::moveToSideOfObject_cotes()
{
    QFETCH(QString, nom);
    QFETCH(int, largeur);
    QFETCH(TAgentSide, cote);
    QFETCH(QPoint, cible);
    m_agent->SetConnected(true);
    TAgentCharacter* personnage = charger(nom);
    QVERIFY(personnage);
    const ObjetFenetre controle{QPoint(100, 300), largeur, 200, QStringLiteral("panel")};
    QCOMPARE(personnage->MoveToSideOfObject(&controle, cote), S_OK_AGENT);
    const QList<AppelAgent> deplacements = (*m_serveur)->appelsDe(QStringLiteral("MoveTo"));
    QCOMPARE(deplacements.size(), 1);
    QCOMPARE(QPoint(deplacements[0].arguments[0].toInt(), deplacements[0].arguments[1].toInt()), cible);
    QCOMPARE(deplacements[0].arguments[2].toInt(), 1000);
    QCOMPARE(personnage->LastRequestID(), (*m_serveur)->derniereRequete());
}

void TestMSAgent::moveToSideOfObject_sansControleOuTailleIllisible()
{
    m_agent->SetConnected(true);
    TAgentCharacter* sam = charger(QStringLiteral("Sam"));
    QVERIFY(sam);
    QCOMPARE(sam->MoveToSideOfObject(nullptr, asRight), codeResultat(0x80042069));
    QCOMPARE(m_agent->LastErrorMessage(), texte("Could not move to object"));

    (*m_serveur)->repondre(QStringLiteral("GetSize"), E_FAIL_AGENT);
    QCOMPARE(sam->GetSize().width(), int(codeResultat(0x80042065)));
    const ObjetFenetre controle{QPoint(0, 0), 10, 10, QString()};
    QVERIFY(echec(sam->MoveToSideOfObject(&controle, asRight)));
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("MoveTo")), 0);
}

void TestMSAgent::facteurPointage_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<double>("facteur");
    QTest::newRow("Merlin") << QStringLiteral("Merlin") << 0.333;
    QTest::newRow("genie, casse") << QStringLiteral("genie") << 0.333;
    QTest::newRow("ROBBY") << QStringLiteral("ROBBY") << 0.111;
    QTest::newRow("Peedy") << QStringLiteral("Peedy") << 0.445;
    QTest::newRow("autre") << QStringLiteral("Sam") << 0.133;
    QTest::newRow("sans nom") << QString() << 0.133;
}

void TestMSAgent::facteurPointage()
{
    QFETCH(QString, nom);
    QFETCH(double, facteur);
    QCOMPARE(TAgentCharacter::FacteurPointage(nom), facteur);
}

void TestMSAgent::fichierPersonnage_data()
{
    // "@" : le dossier des personnages du test.
    QTest::addColumn<QString>("fournisseur");
    QTest::addColumn<QString>("dossier");
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<bool>("parDefaut");
    QTest::newRow("vide : personnage par défaut") << QString() << QString() << QString() << true;
    QTest::newRow("nom seul") << QStringLiteral("Merlin.acs") << QStringLiteral("@") << QStringLiteral("Merlin.acs") << false;
    QTest::newRow("relatif") << QStringLiteral("sous/Merlin.acs") << QStringLiteral("@sous/") << QStringLiteral("Merlin.acs")
                             << false;
    QTest::newRow("lecteur") << QStringLiteral("C:\\Chars\\Merlin.acs") << QStringLiteral("C:\\Chars\\")
                             << QStringLiteral("Merlin.acs") << false;
    QTest::newRow("partage") << QStringLiteral("\\\\serveur\\Merlin.acs") << QStringLiteral("\\\\serveur\\")
                             << QStringLiteral("Merlin.acs") << false;
    QTest::newRow("http") << QStringLiteral("HTTP://hote/Merlin.acf") << QStringLiteral("HTTP://hote/")
                          << QStringLiteral("Merlin.acf") << false;
    QTest::newRow("absolu unix") << QStringLiteral("/opt/chars/Merlin.acs") << QStringLiteral("/opt/chars/")
                                 << QStringLiteral("Merlin.acs") << false;
}

void TestMSAgent::fichierPersonnage()
{
    QFETCH(QString, fournisseur);
    QFETCH(QString, dossier);
    QFETCH(QString, fichier);
    QFETCH(bool, parDefaut);
    dossier.replace(QLatin1String("@"), TAgentCharacters::GetCharFolder());
    QCOMPARE(TAgentCharacters::GetCharFolder(), m_env->dossier() + QStringLiteral("MSAgent/Chars/"));
    m_agent->SetConnected(true);
    TAgentCharacters* personnages = m_agent->GetCharacters();
    QCOMPARE(personnages->Load(QStringLiteral("X"), fournisseur), S_OK_AGENT);
    TAgentCharacter* p = personnages->CharacterByIndex(0);
    QVERIFY(p);
    QCOMPARE(p->DefaultCharacter(), parDefaut);
    QCOMPARE(p->Folder(), dossier);
    QCOMPARE(p->FileName(), fichier);
    QCOMPARE(p->FullPath(), dossier + fichier);
    // Le serveur reçoit le fournisseur tel quel, ou un variant vide pour le personnage par défaut.
    const QVariant recu = (*m_serveur)->appelsDe(QStringLiteral("Load")).at(0).arguments.at(0);
    QCOMPARE(recu.isValid(), !parDefaut);
}

void TestMSAgent::finDeRequete_retireAvantEvenement()
{
    m_agent->SetConnected(true);
    TAgentCharacter* sam = charger(QStringLiteral("Sam"));
    QVERIFY(sam);
    QCOMPARE(sam->Show(false), S_OK_AGENT);
    const qint32 requete = sam->LastRequestID();
    TAgentCharacters* personnages = m_agent->GetCharacters();
    QCOMPARE(personnages->FindByRequest(requete), sam);

    int fins = 0;
    bool encoreDansLaTable = true;
    TAgentCharacter* recu = nullptr;
    int statutRecu = -1;
    m_agent->OnRequestComplete = [&](TMSAgent*, TAgentCharacter* c, qint32 r, int statut) {
        ++fins;
        recu = c;
        statutRecu = statut;
        encoreDansLaTable = personnages->FindByRequest(r) != nullptr;
    };
    (*m_serveur)->envoyer([requete](IRecepteurAgent& r) { r.RequestComplete(requete, 0); });
    QTRY_COMPARE(fins, 1);
    QCOMPARE(recu, sam);
    QCOMPARE(statutRecu, 0);
    QVERIFY(!encoreDansLaTable);
    QCOMPARE(m_agent->LastError(), S_OK_AGENT);

    // Une seconde fin du même numéro ne trouve plus rien.
    bool traitee = false;
    (*m_serveur)->envoyer([requete, &traitee](IRecepteurAgent& r) {
        r.RequestComplete(requete, 0);
        traitee = true;
    });
    QTRY_VERIFY(traitee);
    QCOMPARE(fins, 1);
    QCOMPARE(m_agent->LastError(), codeResultat(0x80042069));
    QCOMPARE(m_agent->LastErrorMessage(), texte("Could not remove the specified request"));
}

void TestMSAgent::debutDeRequete_inconnue_enregistreeSansEvenement()
{
    m_agent->SetConnected(true);
    TAgentCharacter* sam = charger(QStringLiteral("Sam"));
    QVERIFY(sam);
    QCOMPARE(sam->Play(QStringLiteral("Wave")), S_OK_AGENT);
    const qint32 requete = sam->LastRequestID();
    QList<qint32> debuts;
    m_agent->OnRequestStart = [&](TMSAgent*, TAgentCharacter* c, qint32 r) {
        QCOMPARE(c, sam);
        debuts.append(r);
    };
    bool fini = false;
    (*m_serveur)->envoyer([&, requete](IRecepteurAgent& r) {
        r.RequestStart(requete);
        r.RequestStart(requete + 100);
        fini = true;
    });
    QTRY_VERIFY(fini);
    QCOMPARE(debuts, QList<qint32>({requete}));
    QCOMPARE(m_agent->LastError(), codeResultat(0x80042069));
    QCOMPARE(m_agent->LastErrorMessage(), texte("Could not retrieve the requested character by request"));
}

void TestMSAgent::notifications_misesEnFile()
{
    m_agent->SetConnected(true);
    int signets = 0;
    m_agent->OnBookmark = [&](TMSAgent*, int id) { signets += id; };
    (*m_serveur)->envoyer([](IRecepteurAgent& r) { r.BookMark(5); });
    QCOMPARE(signets, 0); // rien d'immédiat : l'envoi passe par la boucle d'événements
    QTRY_COMPARE(signets, 5);
    // Après déconnexion, plus rien n'arrive au composant.
    (*m_serveur)->envoyer([](IRecepteurAgent& r) { r.BookMark(5); });
    m_agent->SetConnected(false);
    QCoreApplication::processEvents();
    QCOMPARE(signets, 5);
}

void TestMSAgent::minuterieSouris_suitLeNombreDePersonnages()
{
    m_agent->SetConnected(true);
    TAgentCharacters* personnages = m_agent->GetCharacters();
    QVERIFY(!personnages->TimerActive());
    QVERIFY(charger(QStringLiteral("Merlin")));
    QVERIFY(personnages->TimerActive());
    QVERIFY(charger(QStringLiteral("Genie")));
    QCOMPARE(personnages->Unload(QStringLiteral("Merlin")), S_OK_AGENT);
    QVERIFY(personnages->TimerActive());
    QCOMPARE(personnages->Unload(QStringLiteral("Genie")), S_OK_AGENT);
    QVERIFY(!personnages->TimerActive());
    // Un chargement manqué ne la relance pas.
    (*m_serveur)->repondre(QStringLiteral("Load"), E_FAIL_AGENT);
    QVERIFY(!charger(QStringLiteral("Merlin")));
    QVERIFY(!personnages->TimerActive());
}

void TestMSAgent::survolPersonnage_mouseMoveRelatif()
{
    QWindow fenetre;
    fenetre.setProperty(ProprieteClasseFenetre, QStringLiteral("agentanim"));
    fenetre.setGeometry(50, 60, 128, 128);
    fenetre.show();
    QVERIFY(QTest::qWaitForWindowExposed(&fenetre));

    m_agent->SetConnected(true);
    TAgentCharacter* sam = charger(QStringLiteral("Sam"));
    QVERIFY(sam);
    QCOMPARE(sam->Fenetre(), &fenetre);
    // Une seconde fenêtre n'est jamais prise à un personnage qui la possède déjà.
    TAgentCharacter* autre = charger(QStringLiteral("Merlin"));
    QVERIFY(autre);
    QVERIFY(!autre->Fenetre());

    (*m_serveur)->journal().position = QPoint(50, 60);
    QList<QPoint> positions;
    m_agent->OnMouseMove = [&](TMSAgent*, TAgentCharacter* c, QPoint p) {
        QCOMPARE(c, sam);
        positions.append(p);
    };
    TAgentCharacters* personnages = m_agent->GetCharacters();
    QCursor::setPos(80, 100);
    if (QCursor::pos() != QPoint(80, 100) || QGuiApplication::topLevelAt(QPoint(80, 100)) != &fenetre)
        QSKIP("la plate-forme ne place pas le curseur");
    personnages->TimerOccured();
    personnages->TimerOccured(); // même position : rien
    QCOMPARE(positions, QList<QPoint>({QPoint(30, 40)}));

    // Pendant un glissement, pas de survol.
    m_agent->FireDragStartEvent(sam->Numero(), 0x01, 0, 0);
    QCursor::setPos(81, 100);
    personnages->TimerOccured();
    QCOMPARE(positions.size(), 1);
}

void TestMSAgent::decharger_nomInconnu_rienNeChange()
{
    m_agent->SetConnected(true);
    QVERIFY(charger(QStringLiteral("Sam")));
    TAgentCharacters* personnages = m_agent->GetCharacters();
    int dechargements = 0;
    m_agent->OnUnload = [&](TMSAgent*, TAgentCharacter*) { ++dechargements; };
    QCOMPARE(personnages->Unload(QStringLiteral("Merlin")), codeResultat(0x80042069));
    QCOMPARE(m_agent->LastError(), codeResultat(0x80042069));
    QCOMPARE(m_agent->LastErrorMessage(), texte("Could not unload the character"));
    QCOMPARE(personnages->GetCount(), 1);
    QCOMPARE(dechargements, 0);
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("Unload")), 0);
    QVERIFY(personnages->TimerActive());
}

void TestMSAgent::decharger_parNom_premierSansCasse()
{
    m_agent->SetConnected(true);
    TAgentCharacter* premier = charger(QStringLiteral("Merlin"));
    TAgentCharacter* second = charger(QStringLiteral("merlin"));
    QVERIFY(premier && second);
    TAgentCharacters* personnages = m_agent->GetCharacters();
    QCOMPARE(premier->Play(QStringLiteral("Wave")), S_OK_AGENT);
    QCOMPARE(second->Play(QStringLiteral("Wave")), S_OK_AGENT);
    const qint32 numeroPremier = premier->Numero();
    int nombreDansEvenement = -1;
    m_agent->OnUnload = [&](TMSAgent*, TAgentCharacter* c) {
        QCOMPARE(c, premier);
        nombreDansEvenement = personnages->GetCount();
    };
    QCOMPARE(personnages->Unload(QStringLiteral("MERLIN")), S_OK_AGENT);
    QCOMPARE(nombreDansEvenement, 2); // l'événement précède le retrait
    QCOMPARE(personnages->GetCount(), 1);
    QCOMPARE(personnages->CharacterByIndex(0), second);
    // Ses requêtes quittent la table ; celles de l'autre restent.
    QCOMPARE(personnages->Requests().size(), 1);
    QCOMPARE(personnages->Requests().at(0).personnage, second);
    QCOMPARE((*m_serveur)->appelsDe(QStringLiteral("Unload")).at(0).arguments.at(0).toInt(), numeroPremier);
}

void TestMSAgent::clic_menuSurgissant_data()
{
    QTest::addColumn<int>("touches");
    QTest::addColumn<bool>("autoPopup");
    QTest::addColumn<bool>("avecMenu");
    QTest::addColumn<bool>("montre");
    QTest::newRow("droit, AutoPopup, menu") << 0x02 << true << true << true;
    QTest::newRow("droit et Maj") << (0x02 | 0x04) << true << true << true;
    QTest::newRow("gauche") << 0x01 << true << true << false;
    QTest::newRow("droit sans AutoPopup") << 0x02 << false << true << false;
    QTest::newRow("droit sans menu") << 0x02 << true << false << false;
}

void TestMSAgent::clic_menuSurgissant()
{
    QFETCH(int, touches);
    QFETCH(bool, autoPopup);
    QFETCH(bool, avecMenu);
    QFETCH(bool, montre);
    (*m_serveur)->journal().autoPopup = autoPopup;
    m_agent->SetConnected(true);
    TAgentCharacter* sam = charger(QStringLiteral("Sam"));
    QVERIFY(sam);
    QList<QPoint> menus;
    if (avecMenu)
        sam->PopupMenu = [&](const QPoint& p) { menus.append(p); };
    QStringList ordre;
    m_agent->OnClick = [&](TMSAgent*, TAgentCharacter* c, TAgentKeys, QPoint p) {
        QCOMPARE(c, sam);
        QCOMPARE(p, QPoint(12, 34));
        ordre.append(QStringLiteral("clic"));
    };
    const qint32 numero = sam->Numero();
    (*m_serveur)->envoyer([=](IRecepteurAgent& r) { r.Click(numero, touches, 12, 34); });
    QTRY_COMPARE(ordre.size(), 1);
    QCOMPARE(menus.size(), montre ? 1 : 0);
    if (montre)
        QCOMPARE(menus.at(0), QPoint(12, 34));
}

void TestMSAgent::cles_bitsVersEnsemble_data()
{
    QTest::addColumn<int>("touches");
    QTest::addColumn<int>("ensemble");
    QTest::newRow("aucune") << 0 << 0;
    QTest::newRow("0x01") << 0x01 << int(akLeftButton);
    QTest::newRow("0x10") << 0x10 << int(akMiddleButton);
    QTest::newRow("0x02") << 0x02 << int(akRightButton);
    QTest::newRow("0x04") << 0x04 << int(akShift);
    QTest::newRow("0x08") << 0x08 << int(akControl);
    QTest::newRow("0x20") << 0x20 << int(akXButton);
    QTest::newRow("0x1000") << 0x1000 << int(akAlt);
    QTest::newRow("bits inconnus ignorés") << (0x40 | 0x800 | 0x02) << int(akRightButton);
    QTest::newRow("tous") << 0x103F << 0x7F;
}

void TestMSAgent::cles_bitsVersEnsemble()
{
    QFETCH(int, touches);
    QFETCH(int, ensemble);
    QCOMPARE(TMSAgent::KeyDataToSet(touches).toInt(), ensemble);
}

void TestMSAgent::glisser_indicateurAutourDesEvenements()
{
    m_agent->SetConnected(true);
    TAgentCharacter* sam = charger(QStringLiteral("Sam"));
    QVERIFY(sam);
    QList<bool> vus;
    m_agent->OnDragStart = [&](TMSAgent* a, TAgentCharacter*, TAgentKeys, QPoint) { vus.append(a->Dragging()); };
    m_agent->OnDragComplete = [&](TMSAgent* a, TAgentCharacter*, TAgentKeys, QPoint) { vus.append(a->Dragging()); };
    const qint32 numero = sam->Numero();
    (*m_serveur)->envoyer([=](IRecepteurAgent& r) { r.DragStart(numero, 0x01, 1, 2); });
    QTRY_COMPARE(vus.size(), 1);
    QVERIFY(m_agent->Dragging());
    (*m_serveur)->envoyer([=](IRecepteurAgent& r) { r.DragComplete(numero, 0x01, 3, 4); });
    QTRY_COMPARE(vus.size(), 2);
    QCOMPARE(vus, QList<bool>({true, false}));
    QVERIFY(!m_agent->Dragging());
}

void TestMSAgent::canalErreur_appelleOnError()
{
    QList<QPair<QString, CodeResultat>> erreurs;
    m_agent->OnError = [&](TMSAgent*, const QString& m, CodeResultat c) { erreurs.append({m, c}); };
    m_agent->SetConnected(true);
    TAgentCharacter* sam = charger(QStringLiteral("Sam"));
    QVERIFY(sam);
    sam->Play(QString());
    QCOMPARE(erreurs.size(), 1);
    QCOMPARE(erreurs.at(0).first, texte("Could not play the animation ''"));
    QCOMPARE(erreurs.at(0).second, codeResultat(0x8004206D));
    // Un succès efface la dernière erreur, sans événement.
    QCOMPARE(sam->Play(QStringLiteral("Wave")), S_OK_AGENT);
    QCOMPARE(m_agent->LastError(), S_OK_AGENT);
    QVERIFY(m_agent->LastErrorMessage().isEmpty());
    QCOMPARE(erreurs.size(), 1);
    // Sous-objet que le serveur ne fournit pas : aucun, et l'échec est enregistré.
    QVERIFY(!m_agent->GetCommandWindow());
    QCOMPARE(m_agent->LastErrorMessage(), texte("Could not get the command window"));
    QCOMPARE(m_agent->LastError(), E_NOTIMPL_AGENT);
}

void TestMSAgent::personnagesInstalles_filtresEtGardes()
{
    const QString chars = TAgentCharacters::GetCharFolder();
    QVERIFY(QDir().mkpath(chars + QStringLiteral("Dossier.acs")));
    creerFichier(chars + QStringLiteral("Merlin.acs"));
    creerFichier(chars + QStringLiteral("GENIE.ACS"));
    creerFichier(chars + QStringLiteral("Peedy.acf"));
    creerFichier(chars + QStringLiteral("notes.txt"));
    creerFichier(chars + QStringLiteral("image.acx"));
    TAgentCharacters* personnages = m_agent->GetCharacters();
    QStringList installes = personnages->GetInstalledChars();
    installes.sort();
    QCOMPARE(installes, QStringList({QStringLiteral("genie.acs"), QStringLiteral("merlin.acs"), QStringLiteral("peedy.acf")}));
    // Relue une seule fois.
    creerFichier(chars + QStringLiteral("Robby.acs"));
    QCOMPARE(personnages->GetInstalledChars().size(), 3);
}

void TestMSAgent::creerServeur_identifiants_data()
{
    QTest::addColumn<bool>("enregistre");
    QTest::addColumn<QUuid>("clsid");
    QTest::addColumn<QUuid>("iid");
    QTest::addColumn<int>("contexte");
    QTest::addColumn<CodeResultat>("attendu");
    QTest::newRow("serveur, IAgentEx") << true << CLSID_AgentServer << IID_IAgentEx << 0x15 << S_OK_AGENT;
    QTest::newRow("serveur, IUnknown") << true << CLSID_AgentServer << IID_IUnknown << 0x15 << S_OK_AGENT;
    QTest::newRow("aucun serveur") << false << CLSID_AgentServer << IID_IAgentEx << 0x15 << REGDB_E_CLASSNOTREG_AGENT;
    QTest::newRow("autre classe") << true << QUuid::createUuid() << IID_IAgentEx << 0x15 << REGDB_E_CLASSNOTREG_AGENT;
    QTest::newRow("autre interface") << true << CLSID_AgentServer << IID_IAgentNotifySink << 0x15 << E_NOINTERFACE_AGENT;
    QTest::newRow("contexte vide") << true << CLSID_AgentServer << IID_IAgentEx << 0 << REGDB_E_CLASSNOTREG_AGENT;
}

void TestMSAgent::creerServeur_identifiants()
{
    QFETCH(bool, enregistre);
    QFETCH(QUuid, clsid);
    QFETCH(QUuid, iid);
    QFETCH(int, contexte);
    QFETCH(CodeResultat, attendu);
    if (!enregistre)
        m_serveur.reset();
    QCOMPARE(CLSID_AgentServer, QUuid(QStringLiteral("{D45FD2FC-5C6E-11D1-9EC1-00C04FD7081F}")));
    QCOMPARE(IID_IAgentEx, QUuid(QStringLiteral("{48D12BA0-5B77-11D1-9EC1-00C04FD7081F}")));
    std::shared_ptr<IServeurAgent> serveur;
    QCOMPARE(creerServeurAgent(clsid, iid, contexte, serveur), attendu);
    QCOMPARE(static_cast<bool>(serveur), attendu == S_OK_AGENT);
}

void TestMSAgent::recepteur_interfacesReconnues_data()
{
    QTest::addColumn<QUuid>("iid");
    QTest::addColumn<CodeResultat>("attendu");
    QTest::newRow("IAgentNotifySink") << QUuid(QStringLiteral("{00D18159-8466-11D0-AC63-00C04FD97575}")) << S_OK_AGENT;
    QTest::newRow("IAgentNotifySinkEx") << QUuid(QStringLiteral("{08C75162-3C9C-11D1-91FE-00C04FD701A5}")) << S_OK_AGENT;
    QTest::newRow("IUnknown") << IID_IUnknown << S_OK_AGENT;
    QTest::newRow("IAgentEx") << IID_IAgentEx << E_NOINTERFACE_AGENT;
}

void TestMSAgent::recepteur_interfacesReconnues()
{
    QFETCH(QUuid, iid);
    QFETCH(CodeResultat, attendu);
    m_agent->SetConnected(true);
    IRecepteurAgent* recepteur = (*m_serveur)->recepteur();
    QVERIFY(recepteur);
    QCOMPARE(recepteur->QueryInterface(iid), attendu);
    // Redémarrage et arrêt du serveur : acquittés sans effet.
    QCOMPARE(recepteur->Restart(), S_OK_AGENT);
    QCOMPARE(recepteur->Shutdown(), S_OK_AGENT);
    QVERIFY(m_agent->GetConnected());
}

void TestMSAgent::decharger_depuisOnUnload_uneSeuleFois()
{
    m_agent->SetConnected(true);
    QVERIFY(charger(QStringLiteral("Sam")));
    TAgentCharacters* personnages = m_agent->GetCharacters();
    int evenements = 0;
    CodeResultat interieur = S_OK_AGENT;
    m_agent->OnUnload = [&](TMSAgent*, TAgentCharacter* c) {
        ++evenements;
        interieur = personnages->Unload(c);
    };
    QCOMPARE(personnages->Unload(QStringLiteral("Sam")), S_OK_AGENT);
    QCOMPARE(evenements, 1);
    QCOMPARE(interieur, codeResultat(0x80042069));
    QCOMPARE(personnages->GetCount(), 0);
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("Unload")), 1);
}

void TestMSAgent::commande_personnageCommandeEtChoix()
{
    m_agent->SetConnected(true);
    QVERIFY(charger(QStringLiteral("Sam")));
    TAgentCharacter* merlin = charger(QStringLiteral("Merlin"));
    QVERIFY(merlin);
    TAgentCommands* commandes = merlin->GetCommands();
    QVERIFY(commandes);
    TAgentCommand* ouvrir = commandes->Add(QStringLiteral("Ouvrir"), QStringLiteral("ouvrir"));
    QVERIFY(ouvrir);
    QCOMPARE(commandes->GetCount(), 1);

    struct Recu { TAgentCharacter* personnage; TAgentCommand* commande; int nombre; QString texte; qint32 id; int confiance; };
    QList<Recu> recus;
    m_agent->OnCommand = [&](TMSAgent*, TAgentCharacter* c, TAgentCommand* cmd, TAgentUserInput* choix) {
        recus.append({c, cmd, choix->GetCount(), choix->ItemText(0), choix->ItemID(0), choix->ItemConfidence(0)});
    };
    auto entree = std::make_shared<EntreeUtilisateurDouble>();
    entree->choix = {{ouvrir->ID(), 80, QStringLiteral("ouvrir")}};
    const qint32 numero = ouvrir->ID();
    (*m_serveur)->envoyer([=](IRecepteurAgent& r) { r.Command(numero, entree.get()); });
    QTRY_COMPARE(recus.size(), 1);
    QCOMPARE(recus[0].personnage, merlin);
    QCOMPARE(recus[0].commande, ouvrir);
    QCOMPARE(recus[0].nombre, 1);
    QCOMPARE(recus[0].texte, QStringLiteral("ouvrir"));
    QCOMPARE(recus[0].id, ouvrir->ID());
    QCOMPARE(recus[0].confiance, 80);

    // Sans objet de choix : l'échec est enregistré et rien n'est déclenché.
    bool envoye = false;
    (*m_serveur)->envoyer([&, numero](IRecepteurAgent& r) {
        r.Command(numero, nullptr);
        envoye = true;
    });
    QTRY_VERIFY(envoye);
    QCOMPARE(recus.size(), 1);
    QCOMPARE(m_agent->LastErrorMessage(), texte("Could not query for user input information"));
    QCOMPARE(m_agent->LastError(), codeResultat(0x8004206B));
}

void TestMSAgent::enveloppes_proprietes_data()
{
    using C = ProprietePersonnage;
    using B = ProprieteBulle;
    using L = ProprieteCommandes;
    using M = ProprieteCommande;
    using F = ProprieteFenetreAgent;
    using T = TAgentCharacter;
    QTest::addColumn<ProprieteEnveloppe>("p");
    const auto ligne = [](const char* nom, const ProprieteEnveloppe& p) { QTest::newRow(nom) << p; };
    const QString qs = QStringLiteral("{D45FD2FC}");
    const QPoint ici(12, 34);
    const QSize taille(200, 100);

    ligne("Description", lectureEcriture(C::Description, qs, &T::GetDescription, sChrGetCharacterDescription,
                                         &T::SetDescription, sChrSetCharacterDescription));
    ligne("ExtraData", lecture(C::ExtraData, qs, &T::GetExtraData, sChrGetCharacterExtraData));
    ligne("Guid", lecture(C::Guid, qs, &T::GetGuid, sChrGetCharacterGUID));
    ligne("HelpContextID", lectureEcriture(C::HelpContextID, 7, &T::GetHelpContextID, sChrGetCharacterHelpContext,
                                           &T::SetHelpContextID, sChrSetCharacterHelpContext));
    ligne("HelpFile", lectureEcriture(C::HelpFile, qs, &T::GetHelpFile, sChrGetCharacterHelpFile, &T::SetHelpFile,
                                      sChrSetCharacterHelpFile));
    ligne("HelpModeOn", lectureEcriture(C::HelpModeOn, true, &T::GetHelpModeOn, sChrGetCharacterHelpMode,
                                        &T::SetHelpModeOn, sChrSetCharacterHelpMode));
    ligne("IdleOn", lectureEcriture(C::IdleOn, true, &T::GetIdleOn, sChrGetCharacterIdleState, &T::SetIdleOn,
                                    sChrSetCharacterIdleState));
    ligne("LanguageID", lectureEcriture(C::LanguageID, 0x040C, &T::GetLanguageID, sChrGetCharacterLanguageID,
                                        &T::SetLanguageID, sChrSetCharacterLanguageID));
    ligne("Name", lectureEcriture(C::Name, qs, &T::GetName, sChrGetCharacterName, &T::SetName, sChrSetCharacterName));
    ligne("OriginalSize", lecture(C::OriginalSize, taille, &T::GetOriginalSize, sChrGetCharacterOriginalSizes));
    ligne("OtherClients", lecture(C::OtherClients, 2, &T::GetOtherClients, sChrGetCharacterNumberOtherClients));
    ligne("SoundEffectsOn", lectureEcriture(C::SoundEffectsOn, true, &T::GetSoundEffectsOn, sChrGetSoundEffectsOn,
                                            &T::SetSoundEffectsOn, sChrSetSoundEffectsOn));
    ligne("MoveCause", lecture(C::MoveCause, amcUserMoved, &T::GetMoveCause, sChrGetCharacterLastMoveCause));
    ligne("SRModeID", lectureEcriture(C::SRModeID, qs, &T::GetSRModeID, sChrGetCharacterSpeechRecognitionModeID,
                                      &T::SetSRModeID, sChrSetSpeechRecognitionModeID));
    ligne("SRStatus", lecture(C::SRStatus, 3, &T::GetSRStatus, sChrGetCharacterSpeechRecognitionStatus));
    ligne("TTSModeID", lectureEcriture(C::TTSModeID, qs, &T::GetTTSModeID, sChrGetCharacterTextSpeechModeID,
                                       &T::SetTTSModeID, sChrSetTextSpeechModeID));
    ligne("TTSPitch", lecture(C::TTSPitch, 120, &T::GetTTSPitch, sChrGetCharacterTextSpeechPitch));
    ligne("TTSSpeed", lecture(C::TTSSpeed, 150, &T::GetTTSSpeed, sChrGetCharacterTextSpeechSpeed));
    ligne("Version", lecture(C::Version, QStringLiteral("2.1"), &T::GetVersion, sChrGetCharacterVersion));
    ligne("VisibilityCause", lecture(C::VisibilityCause, avsProgramShowed, &T::GetVisibilityCause,
                                     sChrGetCharacterLastVisibilityCause));
    ligne("Visible", lecture(C::Visible, true, &T::GetVisible, sChrGetCharacterVisibleState));
    ligne("ActiveState", lecture(C::ActiveState, aasInputActive, &T::GetActiveState, sChrGetCharacterActiveState));
    ligne("AutoPopup", lectureEcriture(C::AutoPopup, true, &T::GetAutoPopup, sChrGetCharacterAutoPopupEnabled,
                                       &T::SetAutoPopup, sChrSetCharacterAutoPopup));

    using Bu = TAgentBalloon;
    ligne("Balloon.BackColor", lectureEcriture(B::BackColor, QColor(Qt::yellow), &Bu::GetBackgroundColor,
                                               sBalGetBalloonBackgroundColor, &Bu::SetBackgroundColor,
                                               sBalSetBalloonBackgroundColor));
    ligne("Balloon.BorderColor", lectureEcriture(B::BorderColor, QColor(Qt::blue), &Bu::GetBorderColor,
                                                 sBalGetBalloonBorderColor, &Bu::SetBorderColor,
                                                 sBalSetBalloonBorderColor));
    ligne("Balloon.Enabled", lectureEcriture(B::Enabled, true, &Bu::GetEnabled, sBalGetBalloonEnabled, &Bu::SetEnabled,
                                             sBalSetBalloonEnabled));
    ligne("Balloon.FontCharSet", lectureEcriture(B::FontCharSet, 238, &Bu::GetFontCharset, sBalGetBalloonFontCharset,
                                                 &Bu::SetFontCharset, sBalSetBalloonFontCharset));
    ligne("Balloon.FontName", lectureEcriture(B::FontName, QStringLiteral("Arial"), &Bu::GetFontName,
                                              sBalGetBalloonFontName, &Bu::SetFontName, sBalSetBalloonFontName));
    ligne("Balloon.FontSize", lectureEcriture(B::FontSize, 12, &Bu::GetFontSize, sBalGetBalloonFontSize,
                                              &Bu::SetFontSize, sBalSetBalloonFontSize));
    ligne("Balloon.FontStyle", lectureEcriture(B::FontStyle, 3, &Bu::GetFontStyle, sBalGetBalloonFontStyle,
                                               &Bu::SetFontStyle, sBalSetBalloonFontStyle));
    ligne("Balloon.ForeColor", lectureEcriture(B::ForeColor, QColor(Qt::red), &Bu::GetForegroundColor,
                                               sBalGetBalloonForegroundColor, &Bu::SetForegroundColor,
                                               sBalSetBalloonForegroundColor));
    ligne("Balloon.NumberOfLines", lectureEcriture(B::NumberOfLines, 4, &Bu::GetNumLines, sBalGetNumberLinesBalloon,
                                                   &Bu::SetNumLines, sBalSetNumberLinesBalloon));
    ligne("Balloon.CharsPerLine", lectureEcriture(B::CharsPerLine, 40, &Bu::GetNumCharsPerLine,
                                                  sBalGetNumberCharactersPerLineBalloon, &Bu::SetNumCharsPerLine,
                                                  sBalSetNumberCharactersPerLineBalloon));
    ligne("Balloon.Style", lectureEcriture(B::Style, TAgentBalloonStyle(absEnabled | absAutoPace), &Bu::GetStyle,
                                           sBalGetBalloonStyle, &Bu::SetStyle, sBalSetBalloonStyle));
    ligne("Balloon.Visible", lecture(B::Visible, true, &Bu::GetVisible, sBalGetBalloonVisibility));

    using Cs = TAgentCommands;
    ligne("Commands.Caption", lectureEcriture(L::Caption, qs, &Cs::GetCaption, sCmsGetCommandCollectionCaption,
                                              &Cs::SetCaption, sCmsSetCommandCollectionCaption));
    ligne("Commands.DefaultCommand", lectureEcriture(L::DefaultCommand, 100, &Cs::GetDefaultCommandID,
                                                     sCmsGetDefaultCommandID, &Cs::SetDefaultCommandID,
                                                     sCmsSetDefaultCommandID));
    ligne("Commands.FontName", lectureEcriture(L::FontName, qs, &Cs::GetFontName, sCmsGetCommandCollectionFontName,
                                               &Cs::SetFontName, sCmsSetCommandCollectionFontName));
    ligne("Commands.FontSize", lectureEcriture(L::FontSize, 9, &Cs::GetFontSize, sCmsGetCommandCollectionFontSize,
                                               &Cs::SetFontSize, sCmsSetCommandCollectionFontSize));
    ligne("Commands.GlobalVoice", lectureEcriture(L::GlobalVoiceCommandsEnabled, true, &Cs::GetGlobalEnabled,
                                                  sCmsGetGlobalVoiceCommandsAreEnabled, &Cs::SetGlobalEnabled,
                                                  sCmsSetGlobalVoiceCommandsAreEnabled));
    // Le composant n'a pas de message d'écriture pour ce contexte d'aide : celui de la lecture sert.
    ligne("Commands.HelpContextID", lectureEcriture(L::HelpContextID, 5, &Cs::GetHelpContextID,
                                                    sCmsGetCommandCollectionHelpContext, &Cs::SetHelpContextID,
                                                    sCmsGetCommandCollectionHelpContext));
    ligne("Commands.Visible", lectureEcriture(L::Visible, true, &Cs::GetVisible, sCmsGetCommandCollectionVisibility,
                                              &Cs::SetVisible, sCmsSetCommandsCollectionVisibility));
    ligne("Commands.Voice", lectureEcriture(L::Voice, qs, &Cs::GetVoice, sCmsGetCommandCollectionVoice, &Cs::SetVoice,
                                            sCmsSetCommandCollectionVoice));
    ligne("Commands.VoiceCaption", lectureEcriture(L::VoiceCaption, qs, &Cs::GetVoiceCaption,
                                                   sCmsGetCommandCollectionVoiceCaption, &Cs::SetVoiceCaption,
                                                   sCmsSetCommandsCollectionVoiceCaption));

    using Cm = TAgentCommand;
    ligne("Command.Caption", lectureEcriture(M::Caption, qs, &Cm::GetCaption, sCmdGetCommandCaption, &Cm::SetCaption,
                                             sCmdSetCommandCaption));
    ligne("Command.ConfidenceText", lectureEcriture(M::ConfidenceText, qs, &Cm::GetConfidenceText,
                                                    sCmdGetCommandConfidenceText, &Cm::SetConfidenceText,
                                                    sCmdSetCommandConfidenceText));
    ligne("Command.ConfidenceThreshold", lectureEcriture(M::ConfidenceThreshold, 50, &Cm::GetConfidenceThreshold,
                                                         sCmdGetCommandConfidenceThreshold, &Cm::SetConfidenceThreshold,
                                                         sCmdSetCommandConfidenceThreshold));
    ligne("Command.Enabled", lectureEcriture(M::Enabled, true, &Cm::GetEnabled, sCmdGetCommandEnabled, &Cm::SetEnabled,
                                             sCmdSetCommandEnabled));
    ligne("Command.HelpContextID", lectureEcriture(M::HelpContextID, 6, &Cm::GetHelpContextID,
                                                   sCmdGetCommandHelpContext, &Cm::SetHelpContextID,
                                                   sCmdSetCommandHelpContext));
    ligne("Command.Voice", lectureEcriture(M::Voice, qs, &Cm::GetVoice, sCmdGetCommandVoice, &Cm::SetVoice,
                                           sCmdSetCommandVoice));
    ligne("Command.VoiceCaption", lectureEcriture(M::VoiceCaption, qs, &Cm::GetVoiceCaption, sCmdGetCommandVoiceCaption,
                                                  &Cm::SetVoiceCaption, sCmdSetCommandVoiceCaption));
    ligne("Command.Visible", lectureEcriture(M::Visible, true, &Cm::GetVisible, sCmdGetCommandVisibility,
                                             &Cm::SetVisible, sCmdSetCommandVisibility));

    using W = TAgentCommandWindow;
    ligne("CommandWindow.Position", lecture(F::Position, ici, &W::GetPosition, sCmwGetCommandWindowPosition));
    ligne("CommandWindow.Size", lecture(F::Size, taille, &W::GetSize, sCmwGetCommandWindowSize));
    ligne("CommandWindow.Visible", lecture(F::Visible, true, &W::GetVisible, sCmwGetCommandWindowVisibility));
    using S = TAgentPropertySheet;
    ligne("PropertySheet.Page", lectureEcriture(F::Page, appCopyright, &S::GetPage, sPrsGetPropertySheetPage,
                                                &S::SetPage, sPrsSetPropertySheetPage));
    ligne("PropertySheet.Position", lecture(F::Position, ici, &S::GetPosition, sPrsGetPropertySheetPosition));
    ligne("PropertySheet.Size", lecture(F::Size, taille, &S::GetSize, sPrsGetPropertySheetSize));
    ligne("PropertySheet.Visible", lecture(F::Visible, true, &S::GetVisible, sPrsGetPropertySheetVisibility));
    using V = TAgentSpeechInputProperties;
    ligne("SpeechInput.Enabled", lecture(ProprieteEntreeVocale::Enabled, true, &V::GetEnabled,
                                         sSpiGetSpeechInputEnabled));
    ligne("SpeechInput.HotKey", lecture(ProprieteEntreeVocale::HotKey, QStringLiteral("Ctrl+Maj"), &V::GetHotKey,
                                        sSpiGetSpeechInputHotkey));
    ligne("SpeechInput.ListeningTip", lecture(ProprieteEntreeVocale::ListeningTip, true, &V::GetListeningTip,
                                              sSpiGetSpeechInputListeningTipEnabled));
    using A = TAgentAudioOutputProperties;
    ligne("AudioOutput.Enabled", lecture(ProprieteSortieAudio::Enabled, true, &A::GetEnabled,
                                         sAudGetAudioOutputEnabled));
    ligne("AudioOutput.UsingSoundEffects", lecture(ProprieteSortieAudio::UsingSoundEffects, true,
                                                   &A::GetUsingSoundEffects, sAudGetAudioOutputUsesSoundEffects));
    ligne("AudioOutput.Status", lecture(ProprieteSortieAudio::Status, 2, &A::GetStatus, sAudGetAudioOutputStatus));
}

void TestMSAgent::enveloppes_proprietes()
{
    QFETCH(ProprieteEnveloppe, p);
    (*m_serveur)->journal().sousObjets = true;
    m_agent->SetConnected(true);
    Enveloppes e{m_agent.get(), charger(QStringLiteral("Sam"))};
    QVERIFY(e.sam);
    const QString lire = p.objet + QStringLiteral(".Lire");
    const QString ecrire = p.objet + QStringLiteral(".Ecrire");
    // Écrite par son membre, ou posée sur le serveur quand elle ne s'écrit pas ; relue telle quelle.
    if (p.ecrire) {
        QCOMPARE(p.ecrire(e), S_OK_AGENT);
        QCOMPARE((*m_serveur)->appelsDe(ecrire).constLast().arguments.value(0).toInt(), p.numero);
    } else {
        (*m_serveur)->journal().proprietes.insert(JournalAgent::cle(p.objet, p.numero), p.valeur);
    }
    QCOMPARE(p.lire(e), p.valeur);
    QCOMPARE((*m_serveur)->appelsDe(lire).constLast().arguments.value(0).toInt(), p.numero);
    QCOMPARE(m_agent->LastError(), S_OK_AGENT);

    // Refusée par le serveur : rien ne lève, le code et le message du membre sont enregistrés.
    const CodeResultat refus = codeResultat(0x80042070);
    (*m_serveur)->repondre(lire, refus);
    (*m_serveur)->repondre(ecrire, refus);
    p.lire(e);
    QCOMPARE(m_agent->LastError(), refus);
    QCOMPARE(m_agent->LastErrorMessage(), p.messageLecture);
    if (p.ecrire) {
        QCOMPARE(p.ecrire(e), refus);
        QCOMPARE(m_agent->LastErrorMessage(), p.messageEcriture);
    }
}

void TestMSAgent::enveloppes_appels_data()
{
    QTest::addColumn<AppelEnveloppe>("a");
    const auto ligne = [](const char* nom, const char* appel, std::function<void(Enveloppes&)> membre,
                          const QString& message) {
        QTest::newRow(nom) << AppelEnveloppe{texte(appel), std::move(membre), message};
    };
    static const ObjetFenetre controle{QPoint(100, 300), 80, 200, QStringLiteral("panelCommandes")};
    ligne("Think", "Think", [](Enveloppes& e) { e.sam->Think(QStringLiteral("Hmm")); }, texte(sChrThinkText));
    ligne("Prepare", "Prepare", [](Enveloppes& e) { e.sam->Prepare(aptAnimation, QStringLiteral("Wave"), true); },
          texte("Could not prepare the requested character data 'Wave'"));
    ligne("GestureAt", "GestureAt", [](Enveloppes& e) { e.sam->GestureAt(QPoint(10, 20)); },
          texte(sChrGestureAtCoordinates));
    ligne("GestureAtObject", "GestureAt", [](Enveloppes& e) { e.sam->GestureAtObject(&controle); },
          texte("Could not gesture at object 'panelCommandes'"));
    ligne("Wait", "Wait", [](Enveloppes& e) { e.sam->Wait(1); }, texte(sChrWaitCharacterRequest));
    ligne("Interrupt", "Interrupt", [](Enveloppes& e) { e.sam->Interrupt(1); }, texte(sChrInterruptCharacter));
    ligne("Stop", "Stop", [](Enveloppes& e) { e.sam->Stop(1); }, texte(sChrStopCharacter));
    ligne("StopAll", "StopAll", [](Enveloppes& e) { e.sam->StopAll(); }, texte(sChrStopCharacter));
    ligne("MoveToXY", "MoveTo", [](Enveloppes& e) { e.sam->MoveToXY(QPoint(1, 2), 3); }, texte(sChrMoveCharacter));
    ligne("MoveToObject", "MoveTo", [](Enveloppes& e) { e.sam->MoveToObject(&controle); },
          texte("Could not move to object 'panelCommandes'"));
    ligne("MoveToSideAndGesture", "GestureAt", [](Enveloppes& e) { e.sam->MoveToSideAndGesture(&controle, asLeft); },
          texte(sChrMoveSideObject));
    ligne("MoveAndGestureAtObject", "MoveTo", [](Enveloppes& e) { e.sam->MoveAndGestureAtObject(&controle, asTop); },
          texte(sChrMoveSideObject));
    ligne("Listen", "Listen", [](Enveloppes& e) { e.sam->Listen(true); }, texte(sChrSetCharacterListening));
    ligne("SetActiveState", "Activate", [](Enveloppes& e) { e.sam->SetActiveState(aasNotActive); },
          texte(sChrSetCharacterActiveState));
    ligne("SetCharacterAsTopMost", "Activate", [](Enveloppes& e) { e.sam->SetCharacterAsTopMost(); },
          texte(sChrSetCharacterAsTopMost));
    ligne("SetClientAsActive", "Activate", [](Enveloppes& e) { e.sam->SetClientAsActive(); },
          texte(sChrSetClientAsActive));
    ligne("SetClientAsNonActive", "Activate", [](Enveloppes& e) { e.sam->SetClientAsNonActive(); },
          texte(sChrSetClientAsNonactive));
    ligne("ShowPopupMenu", "ShowPopupMenu", [](Enveloppes& e) { e.sam->ShowPopupMenu(1, 2); },
          texte(sChrShowCharacterPopupMenu));
    ligne("SetPosition", "SetPosition", [](Enveloppes& e) { e.sam->SetPosition(QPoint(5, 6)); },
          texte(sChrSetCharacterPosition));
    ligne("SetLeft", "SetPosition", [](Enveloppes& e) { e.sam->SetLeft(5); }, texte(sChrSetCharacterPosition));
    ligne("SetTop", "SetPosition", [](Enveloppes& e) { e.sam->SetTop(6); }, texte(sChrSetCharacterPosition));
    ligne("SetSize", "SetSize", [](Enveloppes& e) { e.sam->SetSize(QSize(64, 32)); }, texte(sChrSetCharacterSize));
    ligne("SetWidth", "SetSize", [](Enveloppes& e) { e.sam->SetWidth(64); }, texte(sChrSetCharacterSize));
    ligne("SetHeight", "SetSize", [](Enveloppes& e) { e.sam->SetHeight(32); }, texte(sChrSetCharacterSize));
    ligne("SupportsAnimation", "GetAnimationNames", [](Enveloppes& e) { e.sam->SupportsAnimation(QStringLiteral("wave")); },
          texte(sChrGetAnimationNames));
    ligne("Balloon.Show", "Balloon.Ecrire", [](Enveloppes& e) { bulleDe(e)->Show(); }, texte(sBalShowBalloon));
    ligne("Balloon.Hide", "Balloon.Ecrire", [](Enveloppes& e) { bulleDe(e)->Hide(); }, texte(sBalHideBalloon));
    ligne("Balloon.Refresh", "GetBalloon", [](Enveloppes& e) { bulleDe(e)->Refresh(); },
          texte(sBalResetBalloonSettings));
    ligne("Commands.Add", "Commands.Add",
          [](Enveloppes& e) { commandesDe(e)->Add(QStringLiteral("Fermer"), QStringLiteral("fermer")); },
          texte(sCmsAddNewCommand));
    ligne("Commands.Insert", "Commands.Insert",
          [](Enveloppes& e) {
              commandesDe(e)->Insert(QStringLiteral("Fermer"), QStringLiteral("fermer"), true, true, 100, false);
          },
          texte(sCmsInsertNewCommand));
    ligne("Commands.Remove", "Commands.Remove", [](Enveloppes& e) { commandesDe(e)->Remove(100); },
          texte(sCmsRemoveCommand));
    ligne("Commands.RemoveAll", "Commands.RemoveAll", [](Enveloppes& e) { commandesDe(e)->RemoveAll(); },
          texte(sCmsRemoveCommands));
    ligne("Commands.SetDefaultCommand", "Commands.Ecrire",
          [](Enveloppes& e) { commandesDe(e)->SetDefaultCommand(commandeDe(e)); }, texte(sCmsSetDefaultCommand));
    ligne("Commands.GetDefaultCommand", "Commands.Lire",
          [](Enveloppes& e) {
              commandesDe(e)->SetDefaultCommandID(commandeDe(e)->ID());
              commandesDe(e)->GetDefaultCommand();
          },
          texte(sCmsGetDefaultCommandID));
    ligne("CommandWindow.Show", "CommandWindow.Ecrire", [](Enveloppes& e) { fenetreCommandesDe(e)->Show(); },
          texte(sCmwShowCommandWindow));
    ligne("CommandWindow.Hide", "CommandWindow.Ecrire", [](Enveloppes& e) { fenetreCommandesDe(e)->Hide(); },
          texte(sCmwHideCommandWindow));
    ligne("PropertySheet.Show", "PropertySheet.Ecrire", [](Enveloppes& e) { feuilleDe(e)->Show(); },
          texte(sPrsShowPropertySheet));
    ligne("PropertySheet.Hide", "PropertySheet.Ecrire", [](Enveloppes& e) { feuilleDe(e)->Hide(); },
          texte(sPrsHidePropertySheet));
    ligne("GetVersion", "GetVersion", [](Enveloppes& e) { e.agent->GetVersion(); }, texte(sAgtGetMSAgentVersion));
    ligne("GetVersionLong", "GetVersion", [](Enveloppes& e) { e.agent->GetVersionLong(); },
          texte(sAgtGetMSAgentVersion));
    ligne("ShowDefaultCharacterProperties", "ShowDefaultCharacterProperties",
          [](Enveloppes& e) { e.agent->ShowDefaultCharacterProperties(10, 20); },
          texte(sAgtShowDefaultCharacterPropertySheet));
}

void TestMSAgent::enveloppes_appels()
{
    QFETCH(AppelEnveloppe, a);
    (*m_serveur)->journal().sousObjets = true;
    m_agent->SetConnected(true);
    Enveloppes e{m_agent.get(), charger(QStringLiteral("Sam"))};
    QVERIFY(e.sam);
    const int avant = (*m_serveur)->nombre(a.appel);
    a.membre(e);
    QCOMPARE(m_agent->LastError(), S_OK_AGENT);
    QVERIFY((*m_serveur)->nombre(a.appel) > avant);

    // Refusé par le serveur : rien ne lève, le code et le message du membre sont enregistrés.
    const CodeResultat refus = codeResultat(0x80042070);
    (*m_serveur)->repondre(a.appel, refus);
    a.membre(e);
    QCOMPARE(m_agent->LastError(), refus);
    QCOMPARE(m_agent->LastErrorMessage(), a.message);
}

void TestMSAgent::enveloppes_collectionEtCoordonnees()
{
    m_agent->SetConnected(true);
    TAgentCharacters* personnages = m_agent->GetCharacters();
    // Fournisseur vide : le personnage par défaut du serveur.
    QCOMPARE(personnages->LoadDefaultCharacter(QStringLiteral("Defaut")), S_OK_AGENT);
    QVERIFY((*m_serveur)->appelsDe(QStringLiteral("Load")).constLast().arguments.value(0).isNull());
    QVERIFY(personnages->CharacterByIndex(0)->DefaultCharacter());
    TAgentCharacter* sam = charger(QStringLiteral("Sam"));
    QVERIFY(sam);
    QCOMPARE(personnages->GetCharacter(QStringLiteral("SAM")), sam);
    QCOMPARE(m_agent->GetCharacter(sam->Numero()), sam);
    QVERIFY(!m_agent->GetCharacter(sam->Numero() + 100));
    QCOMPARE(m_agent->LastErrorMessage(), texte(sAgtRetrieveRequestedCharacter));
    QVERIFY(!personnages->GetCharacter(QString()));
    QCOMPARE(m_agent->LastErrorMessage(), texte(sChsRetrieveRequestedCharacterNickname));

    // Côtés et version : lus sur la position, la taille et le texte de version du serveur.
    (*m_serveur)->journal().position = QPoint(50, 60);
    (*m_serveur)->journal().taille = QSize(128, 96);
    QCOMPARE(QList<int>({sam->GetLeft(), sam->GetTop(), sam->GetWidth(), sam->GetHeight()}), QList<int>({50, 60, 128, 96}));
    QCOMPARE(sam->SetTop(7), S_OK_AGENT);
    QCOMPARE(sam->SetWidth(64), S_OK_AGENT);
    QCOMPARE((*m_serveur)->journal().position, QPoint(50, 7));
    QCOMPARE((*m_serveur)->journal().taille, QSize(64, 96));
    (*m_serveur)->journal().proprietes.insert(JournalAgent::cle(QStringLiteral("Character"), int(ProprietePersonnage::Version)),
                                              QStringLiteral("2.1"));
    QCOMPARE(sam->GetVersionLong(), (2 << 16) | 1);
    QCOMPARE(m_agent->GetVersion(), QStringLiteral("2.5"));
    QCOMPARE(m_agent->GetVersionLong(), (2 << 16) | 5);
    QVERIFY(sam->SupportsAnimation(QStringLiteral("wave")));
    QVERIFY(!sam->SupportsAnimation(QStringLiteral("Fly")));
    TAgentCommands* commandes = sam->GetCommands();
    TAgentCommand* ouvrir = commandes->Add(QStringLiteral("Ouvrir"), QStringLiteral("ouvrir"));
    QCOMPARE(commandes->SetDefaultCommand(ouvrir), S_OK_AGENT);
    QCOMPARE(commandes->GetDefaultCommand(), ouvrir);

    // Déchargement par numéro, puis de tout ce qui reste.
    QCOMPARE(personnages->Unload(sam->Numero()), S_OK_AGENT);
    QCOMPARE(personnages->UnloadAll(), S_OK_AGENT);
    QCOMPARE(personnages->GetCount(), 0);
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("Unload")), 2);
    // Les sous-objets rendus : les personnages avec eux, la connexion reste.
    QVERIFY(charger(QStringLiteral("Merlin")));
    m_agent->ReleaseInterfaces();
    QCOMPARE((*m_serveur)->nombre(QStringLiteral("Unload")), 3);
    QVERIFY(m_agent->GetConnected());
    QCOMPARE(m_agent->GetCharacters()->GetCount(), 0);
}

QTEST_MAIN(TestMSAgent)
#include "tst_msagent.moc"
