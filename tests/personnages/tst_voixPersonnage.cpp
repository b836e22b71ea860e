#include "BancPersonnages.h"
#include "PersonnageDeTest.h"
#include "SortieAudio.h"
#include "VoixFactice.h"

#include <QFile>
#include <QRegularExpression>
#include <QtEndian>
#include <QTest>

#include <sndfile.h>

#include <cmath>

namespace {
// Fichier RIFF WAVE minimal : en-tête fmt puis données.
QByteArray wave(int format, int canaux, int frequence, int bits, const QByteArray& donnees, int tailleDeclaree = -1)
{
    QByteArray fmt(16, '\0');
    qToLittleEndian<quint16>(quint16(format), fmt.data());
    qToLittleEndian<quint16>(quint16(canaux), fmt.data() + 2);
    qToLittleEndian<quint32>(quint32(frequence), fmt.data() + 4);
    qToLittleEndian<quint32>(quint32(frequence * canaux * bits / 8), fmt.data() + 8);
    qToLittleEndian<quint16>(quint16(canaux * bits / 8), fmt.data() + 12);
    qToLittleEndian<quint16>(quint16(bits), fmt.data() + 14);
    QByteArray corps = "WAVEfmt ";
    QByteArray taille(4, '\0');
    qToLittleEndian<quint32>(16, taille.data());
    corps += taille + fmt + "data";
    qToLittleEndian<quint32>(quint32(tailleDeclaree >= 0 ? tailleDeclaree : donnees.size()), taille.data());
    corps += taille + donnees;
    qToLittleEndian<quint32>(quint32(corps.size()), taille.data());
    return "RIFF" + taille + corps;
}

// Le personnage d'essai, avec trois niveaux de repos et un son sur la trame de Wave.
PersonnageAcs personnageVoix(bool niveau3)
{
    PersonnageAcs p = construirePersonnageTest();
    p.animations.append(animationTest(QStringLiteral("Idle2"), {trameTest(PaletteTest::Vert, 50)}));
    p.etats.append(EtatAcs{QStringLiteral("IdlingLevel2"), {QStringLiteral("IDLE2")}});
    if (niveau3) {
        p.animations.append(animationTest(QStringLiteral("Idle3"), {trameTest(PaletteTest::Rouge, 50)}));
        p.etats.append(EtatAcs{QStringLiteral("IdlingLevel3"), {QStringLiteral("IDLE3")}});
    }
    p.sons.append(wave(1, 1, 8000, 8, QByteArray(80, char(128))));
    for (AnimationAcs& a : p.animations)
        if (a.nom == QLatin1String("Wave"))
            a.trames[1].son = 0;
    VoixAcs voix;
    voix.vitesse = 150;
    voix.hauteur = 130;
    p.info.voix = voix;
    return p;
}
} // namespace

class TestVoixPersonnage : public QObject, private BancPersonnages
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void balises_elementsDeLaParole_data();
    void balises_elementsDeLaParole();
    void positionAffichee_carteEnProportion_data();
    void positionAffichee_carteEnProportion();
    void bouche_formeSelonLaClasseDuPhoneme_data();
    void bouche_formeSelonLaClasseDuPhoneme();
    void wave_decodeOuRefuse_data();
    void wave_decodeOuRefuse();
    void wave_adpcmDecode_data();
    void wave_adpcmDecode();

    void parler_motsReveleesAuRythmeDeLaVoix();
    void parler_boucheSuitLesPhonemes();
    void parler_deuxRequetesDansLOrdreFiniesApresLaVoix();
    void parler_signetNotifieQuandIlEstDit();
    void parler_reglagesDuPersonnage();
    void stop_pendantLaParole_interrompueEtVoixCoupee_data();
    void stop_pendantLaParole_interrompueEtVoixCoupee();
    void penser_bulleSansVoix();
    void sansVoix_bulleSeuleAuRythmeDuTexte_data();
    void sansVoix_bulleSeuleAuRythmeDuTexte();
    void repos_niveauxDeplusEnPlusProfonds_data();
    void repos_niveauxDeplusEnPlusProfonds();
    void sons_jouesAvecLeursTrames_data();
    void sons_jouesAvecLeursTrames();

private:
    void demarrer(bool avecVoix, bool niveau3 = true);
    TAgentCharacter* charger();

    std::shared_ptr<VoixFactice> m_voix;
    QList<QByteArray> m_sons;
};

void TestVoixPersonnage::init()
{
    preparer();
    m_sons.clear();
}

void TestVoixPersonnage::demarrer(bool avecVoix, bool niveau3)
{
    ecrirePersonnage(QStringLiteral("Voix.acs"), personnageVoix(niveau3));
    m_voix = avecVoix ? std::make_shared<VoixFactice>(*m_temps) : nullptr;
    ServeurPersonnages::Options options;
    options.graine = 7;
    options.delaiRepos = 5000;
    options.voix = m_voix;
    options.jouerSon = [this](const QByteArray& son) { m_sons.append(son); };
    creerAgent(options);
    noterRequetes([this](const QString& texte) { m_journal.append(texte); });
    connecter();
}

void TestVoixPersonnage::cleanup()
{
    arreterServeur();
    // La voix factice tient le temps manuel : elle part avant lui.
    m_voix.reset();
    liberer();
}

TAgentCharacter* TestVoixPersonnage::charger()
{
    TAgentCharacter* p = chargerPersonnage(QStringLiteral("Voix"), QStringLiteral("Voix.acs"));
    if (p) {
        p->Show(true);
        avancer(20);
        m_journal.clear();
    }
    return p;
}

// ---- Balises ----

void TestVoixPersonnage::balises_elementsDeLaParole_data()
{
    using G = ElementParole::Genre;
    auto texte = [](const char* dit, int debut, int fin, bool carte = false) {
        ElementParole e;
        e.dit = QString::fromUtf8(dit);
        e.debutAffiche = debut;
        e.finAffiche = fin;
        e.carte = carte;
        return e;
    };
    auto reglage = [](G genre, int valeur = 0) {
        ElementParole e;
        e.genre = genre;
        e.valeur = valeur;
        return e;
    };
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("affiche");
    QTest::addColumn<QList<ElementParole>>("elements");

    QTest::newRow("salut") << QStringLiteral("\\Map=\"Bonjour et bienvenue dans Vatrelix deux mille six.\"="
                                             "\"Bonjour et bienvenue dans Vatrelix 2006.\"\\")
                           << QStringLiteral("Bonjour et bienvenue dans Vatrelix 2006.")
                           << QList<ElementParole>{texte("Bonjour et bienvenue dans Vatrelix deux mille six.", 0, 40, true)};
    QTest::newRow("réglages") << QStringLiteral("\\Spd=200\\\\Pit=140\\Un \\Emp\\deux\\Pau=300\\\\Rst\\.")
                              << QStringLiteral("Un deux.")
                              << QList<ElementParole>{reglage(G::Vitesse, 200), reglage(G::Hauteur, 140), texte("Un ", 0, 3),
                                                      reglage(G::Emphase), texte("deux", 3, 7), reglage(G::Pause, 300),
                                                      reglage(G::Reinitialiser), texte(".", 7, 8)};
    QTest::newRow("signet entre deux textes") << QStringLiteral("a\\Mrk=5\\b") << QStringLiteral("ab")
                                              << QList<ElementParole>{texte("a", 0, 1), reglage(G::Signet, 5), texte("b", 1, 2)};
    QTest::newRow("valeurs mal formées ignorées")
        << QStringLiteral("\\Spd=\\\\Pau=abc\\\\Pit=-3\\\\Mrk\\\\Emp=2\\\\Rst=1\\x") << QStringLiteral("x")
        << QList<ElementParole>{texte("x", 0, 1)};
    QTest::newRow("balise inconnue jamais dite") << QStringLiteral("a\\Chr=\"Whisper\"\\\\Vol=9\\b") << QStringLiteral("ab")
                                                 << QList<ElementParole>{texte("ab", 0, 2)};
    QTest::newRow("balises dans une carte") << QStringLiteral("\\Map=\"un\\Pau=9\\ deux\"=\"1\\Emp\\2\"\\")
                                            << QStringLiteral("12") << QList<ElementParole>{texte("un deux", 0, 2, true)};
    QTest::newRow("carte après texte") << QStringLiteral("Vu \\Map=\"dix\"=\"10\"\\ fois")
                                       << QStringLiteral("Vu 10 fois")
                                       << QList<ElementParole>{texte("Vu ", 0, 3), texte("dix", 3, 5, true), texte(" fois", 5, 10)};
    QTest::newRow("barre finale montrée, pas dite") << QStringLiteral("fin\\") << QStringLiteral("fin\\")
                                                   << QList<ElementParole>{texte("fin", 0, 3)};
    QTest::newRow("carte non refermée") << QStringLiteral("a\\Map=\"x\"=\"y\"") << QStringLiteral("a\\Map=\"x\"=\"y\"")
                                        << QList<ElementParole>{texte("a", 0, 1)};
}

void TestVoixPersonnage::balises_elementsDeLaParole()
{
    QFETCH(QString, source);
    QFETCH(QString, affiche);
    QFETCH(QList<ElementParole>, elements);
    const TexteParole t = analyserTexteParole(source);
    QCOMPARE(t.affiche, affiche);
    QCOMPARE(t.elements.size(), elements.size());
    for (qsizetype i = 0; i < elements.size(); ++i) {
        QCOMPARE(int(t.elements.at(i).genre), int(elements.at(i).genre));
        QCOMPARE(t.elements.at(i).dit, elements.at(i).dit);
        QCOMPARE(t.elements.at(i).valeur, elements.at(i).valeur);
        QCOMPARE(t.elements.at(i).debutAffiche, elements.at(i).debutAffiche);
        QCOMPARE(t.elements.at(i).finAffiche, elements.at(i).finAffiche);
        QCOMPARE(t.elements.at(i).carte, elements.at(i).carte);
    }
}

void TestVoixPersonnage::positionAffichee_carteEnProportion_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("element");
    QTest::addColumn<int>("finDit");
    QTest::addColumn<int>("attendue");
    QTest::newRow("texte ordinaire décalé") << QStringLiteral("\\Map=\"a\"=\"bb\"\\ cd") << 1 << 2 << 4;
    QTest::newRow("carte à moitié") << QStringLiteral("\\Map=\"abcd\"=\"12\"\\") << 0 << 2 << 1;
    QTest::newRow("carte finie : tout le montré") << QStringLiteral("\\Map=\"abcd\"=\"123\"\\") << 0 << 4 << 3;
    QTest::newRow("au-delà du dit borné") << QStringLiteral("xy") << 0 << 99 << 2;
    QTest::newRow("carte au dit vide") << QStringLiteral("\\Map=\"\"=\"12\"\\") << 0 << 0 << 2;
}

void TestVoixPersonnage::positionAffichee_carteEnProportion()
{
    QFETCH(QString, source);
    QFETCH(int, element);
    QFETCH(int, finDit);
    QFETCH(int, attendue);
    const TexteParole t = analyserTexteParole(source);
    QVERIFY(element < t.elements.size());
    QCOMPARE(positionAffichee(t.elements.at(element), finDit), attendue);
}

void TestVoixPersonnage::bouche_formeSelonLaClasseDuPhoneme_data()
{
    QTest::addColumn<QString>("phoneme");
    QTest::addColumn<int>("forme");
    const QList<std::pair<const char*, FormeBouche>> cas{
        {"m", FormeBouche::Fermee},   {"b", FormeBouche::Fermee},  {"p", FormeBouche::Fermee},
        {"_:", FormeBouche::Fermee},  {"", FormeBouche::Fermee},   {"a", FormeBouche::Large3},
        {"A~", FormeBouche::Large2},  {"E", FormeBouche::Large2},  {"O", FormeBouche::Large2},
        {"e", FormeBouche::Large1},   {"@", FormeBouche::Large1},  {"i", FormeBouche::Etroite},
        {"y", FormeBouche::Etroite},  {"u", FormeBouche::Etroite}, {"w", FormeBouche::Etroite},
        {"s", FormeBouche::Moyenne},  {"R", FormeBouche::Moyenne}, {"l", FormeBouche::Moyenne},
    };
    for (const auto& [p, f] : cas)
        QTest::newRow(*p ? p : "vide") << QString::fromLatin1(p) << int(f);
}

void TestVoixPersonnage::bouche_formeSelonLaClasseDuPhoneme()
{
    QFETCH(QString, phoneme);
    QFETCH(int, forme);
    QCOMPARE(int(formeBouchePhoneme(phoneme)), forme);
}

void TestVoixPersonnage::wave_decodeOuRefuse_data()
{
    QTest::addColumn<QByteArray>("fichier");
    QTest::addColumn<bool>("decode");
    QTest::addColumn<int>("canaux");
    QTest::addColumn<QList<qint16>>("echantillons");
    QByteArray seize(8, '\0');
    qToLittleEndian<qint16>(1000, seize.data());
    qToLittleEndian<qint16>(-2000, seize.data() + 2);
    qToLittleEndian<qint16>(32767, seize.data() + 4);
    qToLittleEndian<qint16>(-32768, seize.data() + 6);
    QTest::newRow("8 bits : zéro à 128") << wave(1, 1, 11025, 8, QByteArray("\x80\x00\xFF", 3)) << true << 1
                                         << QList<qint16>{0, -32768, 32512};
    QTest::newRow("16 bits stéréo") << wave(1, 2, 22050, 16, seize) << true << 2 << QList<qint16>{1000, -2000, 32767, -32768};
    QTest::newRow("données tronquées gardées") << wave(1, 1, 8000, 16, seize.left(5), 100) << true << 1
                                               << QList<qint16>{1000, -2000};
    QTest::newRow("ADPCM sans coefficients refusé") << wave(2, 1, 8000, 4, QByteArray(10, 'x')) << false << 0
                                                   << QList<qint16>{};
    QTest::newRow("24 bits : 16 bits de poids fort") << wave(1, 1, 8000, 24, QByteArray(9, 'x')) << true << 1
                                                    << QList<qint16>{0x7878, 0x7878, 0x7878};
    QTest::newRow("codage inconnu refusé") << wave(0x1234, 1, 8000, 16, seize) << false << 0 << QList<qint16>{};
    QTest::newRow("cinq canaux refusés") << wave(1, 5, 8000, 16, QByteArray(20, '\0')) << false << 0
                                         << QList<qint16>{};
    QTest::newRow("pas un RIFF") << QByteArray("RIFX\0\0\0\0WAVE", 12) << false << 0 << QList<qint16>{};
    QTest::newRow("sans bloc fmt") << QByteArray("RIFF\x0c\0\0\0WAVEdata\0\0\0\0", 20) << false << 0 << QList<qint16>{};
    QTest::newRow("vide") << QByteArray() << false << 0 << QList<qint16>{};
}

void TestVoixPersonnage::wave_decodeOuRefuse()
{
    QFETCH(QByteArray, fichier);
    QFETCH(bool, decode);
    QFETCH(int, canaux);
    QFETCH(QList<qint16>, echantillons);
    SonDecode son;
    QCOMPARE(decoderWave(fichier, son), decode);
    if (!decode)
        return;
    QCOMPARE(son.canaux, canaux);
    QCOMPARE(QList<qint16>(son.echantillons.begin(), son.echantillons.end()), echantillons);
}

// Sons compressés des personnages : écrits par libsndfile, relus proches de l'original.
void TestVoixPersonnage::wave_adpcmDecode_data()
{
    QTest::addColumn<int>("codage");
    QTest::addColumn<int>("canaux");
    QTest::newRow("ADPCM Microsoft mono") << int(SF_FORMAT_MS_ADPCM) << 1;
    QTest::newRow("ADPCM Microsoft stéréo") << int(SF_FORMAT_MS_ADPCM) << 2;
    QTest::newRow("ADPCM IMA mono") << int(SF_FORMAT_IMA_ADPCM) << 1;
    QTest::newRow("loi µ") << int(SF_FORMAT_ULAW) << 1;
}

void TestVoixPersonnage::wave_adpcmDecode()
{
    QFETCH(int, codage);
    QFETCH(int, canaux);
    constexpr int frequence = 11025;
    std::vector<qint16> source(size_t(frequence / 2) * size_t(canaux));
    for (size_t i = 0; i < source.size(); ++i)
        source[i] = qint16(8000 * std::sin(double(i / size_t(canaux)) * 2 * M_PI * 440 / frequence)
                           * (i % size_t(canaux) ? -1 : 1));
    EnvironnementTest env;
    const QByteArray chemin = QFile::encodeName(env.chemin(QStringLiteral("son.wav")));
    SF_INFO info{};
    info.samplerate = frequence;
    info.channels = canaux;
    info.format = SF_FORMAT_WAV | codage;
    SNDFILE* f = sf_open(chemin.constData(), SFM_WRITE, &info);
    QVERIFY2(f, sf_strerror(nullptr));
    QCOMPARE(sf_writef_short(f, source.data(), sf_count_t(source.size()) / canaux), sf_count_t(source.size()) / canaux);
    sf_close(f);
    QFile fichier(QFile::decodeName(chemin));
    QVERIFY(fichier.open(QIODevice::ReadOnly));

    SonDecode son;
    QVERIFY(decoderWave(fichier.readAll(), son));
    QCOMPARE(son.frequence, frequence);
    QCOMPARE(son.canaux, canaux);
    QVERIFY(son.echantillons.size() >= source.size());
    // Écart quadratique moyen : l'ADPCM met quelques échantillons à trouver son pas.
    double carres = 0;
    for (size_t i = 0; i < source.size(); ++i)
        carres += std::pow(double(son.echantillons[i]) - source[i], 2);
    const double ecart = std::sqrt(carres / double(source.size()));
    QVERIFY2(ecart < 400, qPrintable(QString::number(ecart)));
}

// ---- Parole contre le service ----

void TestVoixPersonnage::parler_motsReveleesAuRythmeDeLaVoix()
{
    demarrer(true);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    QCOMPARE(p->Speak(QStringLiteral("Bonjour \\Map=\"deux mille six\"=\"2006\"\\ fin"), QString()), S_OK_AGENT);
    avancer(10);
    // Premier mot annoncé au début de sa prononciation.
    QCOMPARE(servi(p)->texteBulle(), QStringLiteral("Bonjour"));
    avancer(7 * VoixFactice::MsParLettre);
    // La carte est montrée entière dès que la voix la commence.
    QCOMPARE(servi(p)->texteBulle(), QStringLiteral("Bonjour 2006"));
    avancer(12 * VoixFactice::MsParLettre - 20);
    QCOMPARE(servi(p)->texteBulle(), QStringLiteral("Bonjour 2006"));
    avancer(20);
    QCOMPARE(servi(p)->texteBulle(), QStringLiteral("Bonjour 2006 fin"));
    QVERIFY(!m_journal.contains(QStringLiteral("complete %1 0").arg(p->LastRequestID())));
    avancer(3 * VoixFactice::MsParLettre + 20);
    QVERIFY(m_journal.contains(QStringLiteral("complete %1 0").arg(p->LastRequestID())));
}

void TestVoixPersonnage::parler_boucheSuitLesPhonemes()
{
    demarrer(true);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    // m : bouche fermée (bleue) ; a : ouverte, la forme large la plus proche (jaune).
    p->Speak(QStringLiteral("mmmaaa"), QString());
    avancer(10);
    QCOMPARE(couleurDominante(servi(p)->fenetre()->trame()), qRgb(0, 0, 255) & 0xFFFFFF);
    avancer(3 * VoixFactice::MsParLettre);
    QCOMPARE(couleurDominante(servi(p)->fenetre()->trame()), qRgb(255, 255, 0) & 0xFFFFFF);
    avancer(4 * VoixFactice::MsParLettre);
    // Parole finie : plus de bouche posée sur la trame.
    QCOMPARE(couleurDominante(servi(p)->fenetre()->trame()), qRgb(0, 0, 255) & 0xFFFFFF);
}

void TestVoixPersonnage::parler_deuxRequetesDansLOrdreFiniesApresLaVoix()
{
    demarrer(true);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Speak(QStringLiteral("un deux"), QString());
    const qint32 premiere = p->LastRequestID();
    p->Speak(QStringLiteral("trois"), QString());
    const qint32 seconde = p->LastRequestID();
    avancer(6 * VoixFactice::MsParLettre - 20);
    QCOMPARE(m_journal.filter(QStringLiteral("complete")), Journal());
    avancer(5 * VoixFactice::MsParLettre + 60);
    const Journal requetes = m_journal.filter(QRegularExpression(QStringLiteral("^(start|complete)")));
    QCOMPARE(requetes, Journal({QStringLiteral("start %1").arg(premiere), QStringLiteral("complete %1 0").arg(premiere),
                                QStringLiteral("start %1").arg(seconde), QStringLiteral("complete %1 0").arg(seconde)}));
    QVERIFY(m_voix->coupes.isEmpty());
}

void TestVoixPersonnage::parler_signetNotifieQuandIlEstDit()
{
    demarrer(true);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Speak(QStringLiteral("abc \\Mrk=4\\\\Pau=200\\de\\Mrk=9\\"), QString());
    avancer(3 * VoixFactice::MsParLettre - 10);
    QVERIFY(!m_journal.contains(QStringLiteral("signet 4")));
    avancer(20);
    QCOMPARE(m_journal.filter(QStringLiteral("signet")), Journal({QStringLiteral("signet 4")}));
    avancer(200 + 2 * VoixFactice::MsParLettre + 20);
    // Chaque signet une seule fois, avant la fin de la requête.
    const Journal fin = m_journal.filter(QRegularExpression(QStringLiteral("^(signet|complete)")));
    QCOMPARE(fin, Journal({QStringLiteral("signet 4"), QStringLiteral("signet 9"),
                           QStringLiteral("complete %1 0").arg(p->LastRequestID())}));
}

void TestVoixPersonnage::parler_reglagesDuPersonnage()
{
    demarrer(true);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Speak(QStringLiteral("oui"), QString());
    avancer(10);
    QCOMPARE(m_voix->reglagesRecus.size(), 1);
    QCOMPARE(m_voix->reglagesRecus.first().vitesse, 150);
    QCOMPARE(m_voix->reglagesRecus.first().hauteur, 130);
}

void TestVoixPersonnage::stop_pendantLaParole_interrompueEtVoixCoupee_data()
{
    QTest::addColumn<QString>("arret");
    QTest::newRow("Stop") << QStringLiteral("stop");
    QTest::newRow("StopAll") << QStringLiteral("stopall");
}

void TestVoixPersonnage::stop_pendantLaParole_interrompueEtVoixCoupee()
{
    QFETCH(QString, arret);
    demarrer(true);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->Speak(QStringLiteral("une phrase assez longue"), QString());
    const qint32 parole = p->LastRequestID();
    avancer(5 * VoixFactice::MsParLettre);
    const QString dit = servi(p)->texteBulle();
    QCOMPARE(dit, QStringLiteral("une phrase"));
    if (arret == QLatin1String("stop"))
        QCOMPARE(p->Stop(parole), S_OK_AGENT);
    else
        QCOMPARE(p->StopAll(astSpeak), S_OK_AGENT);
    avancer(30 * VoixFactice::MsParLettre);
    QVERIFY(m_journal.contains(QStringLiteral("complete %1 3").arg(parole)));
    QVERIFY(!m_journal.contains(QStringLiteral("complete %1 0").arg(parole)));
    QVERIFY(m_voix->coupes.contains(1));
    // Plus rien de la voix coupée n'arrive à la bulle.
    QCOMPARE(servi(p)->texteBulle(), dit);
}

void TestVoixPersonnage::sansVoix_bulleSeuleAuRythmeDuTexte_data()
{
    QTest::addColumn<bool>("moteur");
    QTest::newRow("voix indisponible") << true;
    QTest::newRow("sans moteur") << false;
}

void TestVoixPersonnage::sansVoix_bulleSeuleAuRythmeDuTexte()
{
    QFETCH(bool, moteur);
    demarrer(moteur);
    if (m_voix)
        m_voix->disponible = false;
    TAgentCharacter* p = charger();
    QVERIFY(p);
    const QString texte = QStringLiteral("Impression de la liste de courses lancée.");
    p->Speak(texte, QString());
    const int duree = dureeParole(texte);
    avancer(duree - 200);
    QVERIFY(!m_journal.contains(QStringLiteral("complete %1 0").arg(p->LastRequestID())));
    QVERIFY(m_journal.contains(QStringLiteral("bulle 1")));
    avancer(300);
    QVERIFY(m_journal.contains(QStringLiteral("complete %1 0").arg(p->LastRequestID())));
    QCOMPARE(servi(p)->texteBulle(), texte);
}

void TestVoixPersonnage::penser_bulleSansVoix()
{
    demarrer(true);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    QCOMPARE(p->Think(QStringLiteral("Hmm")), S_OK_AGENT);
    avancer(DureeMinimaleParole + 100);
    QVERIFY(m_voix->reglagesRecus.isEmpty());
    QVERIFY(m_journal.contains(QStringLiteral("complete %1 0").arg(p->LastRequestID())));
    QCOMPARE(servi(p)->texteBulle(), QStringLiteral("Hmm"));
}

void TestVoixPersonnage::repos_niveauxDeplusEnPlusProfonds_data()
{
    QTest::addColumn<bool>("niveau3");
    QTest::addColumn<QStringList>("attendues");
    QTest::newRow("trois niveaux") << true << QStringList{QStringLiteral("Idle1"), QStringLiteral("Idle2"), QStringLiteral("Idle3")};
    QTest::newRow("niveau 3 absent : le 2") << false
                                            << QStringList{QStringLiteral("Idle1"), QStringLiteral("Idle2"), QStringLiteral("Idle2")};
}

void TestVoixPersonnage::repos_niveauxDeplusEnPlusProfonds()
{
    QFETCH(bool, niveau3);
    QFETCH(QStringList, attendues);
    demarrer(true, niveau3);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    servi(p)->viderJournal();
    // Délai de repos 5 s : niveau 1 dès 5 s, 2 dès 20 s, 3 dès 40 s sans requête.
    const QList<qint64> instants{5100, 20000, 40000};
    qint64 ecoule = 20;
    for (int i = 0; i < instants.size(); ++i) {
        avancer(instants.at(i) - ecoule);
        ecoule = instants.at(i);
        servi(p)->viderJournal();
        // Le prochain repos tombe au plus 3 délais plus tard.
        for (int garde = 0; garde < 200 && servi(p)->journalAnimations().isEmpty(); ++garde) {
            avancer(100);
            ecoule += 100;
        }
        QCOMPARE(servi(p)->journalAnimations().value(0), attendues.at(i));
        QCOMPARE(servi(p)->niveauRepos(), attendues.at(i).right(1).toInt());
    }
    QCOMPARE(m_journal.count(QStringLiteral("idle 1")), 1);
    // Une requête ramène au calme : niveau oublié, repos notifié fini.
    p->Play(QStringLiteral("Wave"));
    avancer(600);
    QCOMPARE(servi(p)->niveauRepos(), 0);
    QVERIFY(m_journal.contains(QStringLiteral("idle 0")));
    servi(p)->viderJournal();
    avancer(5200);
    QCOMPARE(servi(p)->journalAnimations().value(0), QStringLiteral("Idle1"));
}

void TestVoixPersonnage::sons_jouesAvecLeursTrames_data()
{
    QTest::addColumn<bool>("effets");
    QTest::addColumn<int>("joues");
    QTest::newRow("effets sonores") << true << 1;
    QTest::newRow("effets coupés") << false << 0;
}

void TestVoixPersonnage::sons_jouesAvecLeursTrames()
{
    QFETCH(bool, effets);
    QFETCH(int, joues);
    demarrer(true);
    TAgentCharacter* p = charger();
    QVERIFY(p);
    p->SetSoundEffectsOn(effets);
    p->Play(QStringLiteral("Wave"));
    avancer(50);
    QVERIFY(m_sons.isEmpty()); // le son est sur la deuxième trame
    avancer(400);
    QCOMPARE(m_sons.size(), joues);
    if (joues)
        QCOMPARE(m_sons.first(), personnageVoix(true).sons.first());
}

QTEST_MAIN(TestVoixPersonnage)
#include "tst_voixPersonnage.moc"
