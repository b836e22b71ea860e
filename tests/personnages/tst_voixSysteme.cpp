// Le moteur de synthèse réel, écrit dans une sortie qui enregistre sans attendre.
#include "VoixEspeak.h"

#include <QTest>

#include <atomic>

namespace {
struct Enregistrement
{
    std::atomic<qint64> echantillons{0};
    std::atomic<int> ouvertures{0};
    bool refuser = false;
};

class SortieEnregistree : public SortieAudio
{
public:
    explicit SortieEnregistree(Enregistrement& e) : m_e(e) {}
    bool ouvrir(int, int) override
    {
        ++m_e.ouvertures;
        return !m_e.refuser;
    }
    bool ecrire(const qint16*, int nombre) override
    {
        m_e.echantillons += nombre;
        return true;
    }
    int latence() override { return 0; }
    void attendreFin() override {}
    void abandonner() override {}

private:
    Enregistrement& m_e;
};

struct Ecoute
{
    QList<EvenementVoix> evenements;
    bool fini = false;
    VoixSynthese::Rappel rappel()
    {
        return [this](const EvenementVoix& e) {
            evenements.append(e);
            fini = e.genre == EvenementVoix::Genre::Fin || e.genre == EvenementVoix::Genre::Indisponible;
        };
    }
    QList<int> valeurs(EvenementVoix::Genre genre) const
    {
        QList<int> v;
        for (const EvenementVoix& e : evenements)
            if (e.genre == genre)
                v.append(e.valeur);
        return v;
    }
};
} // namespace

class TestVoixSysteme : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void dire_motsPhonemesSignetsPuisFin();
    void dire_carteReveleLeTexteMontre();
    void balises_changentLaDureeDite_data();
    void balises_changentLaDureeDite();
    void couper_plusAucunRappel_data();
    void couper_plusAucunRappel();
    void sortieIndisponible_seulementIndisponible();

private:
    qint64 dureeDite(const QString& texte);

    Enregistrement m_enregistrement;
    std::unique_ptr<VoixEspeak> m_voix; // un seul moteur par processus
};

void TestVoixSysteme::initTestCase()
{
    m_voix = std::make_unique<VoixEspeak>([this] { return std::make_unique<SortieEnregistree>(m_enregistrement); });
    Ecoute e;
    m_voix->dire(analyserTexteParole(QStringLiteral("a")).elements, {}, e.rappel());
    QTRY_VERIFY_WITH_TIMEOUT(e.fini, 20000);
    if (e.evenements.last().genre == EvenementVoix::Genre::Indisponible)
        QSKIP("moteur de synthèse ou voix française absents");
}

void TestVoixSysteme::cleanupTestCase() { m_voix.reset(); }

void TestVoixSysteme::init()
{
    m_enregistrement.echantillons = 0;
    m_enregistrement.refuser = false;
}

qint64 TestVoixSysteme::dureeDite(const QString& texte)
{
    m_enregistrement.echantillons = 0;
    Ecoute e;
    m_voix->dire(analyserTexteParole(texte).elements, {}, e.rappel());
    if (!QTest::qWaitFor([&] { return e.fini; }, 20000))
        return -1;
    return m_enregistrement.echantillons;
}

void TestVoixSysteme::dire_motsPhonemesSignetsPuisFin()
{
    Ecoute e;
    const TexteParole t = analyserTexteParole(QStringLiteral("Bonjour \\Mrk=3\\et bienvenue"));
    m_voix->dire(t.elements, {}, e.rappel());
    // Jamais dans l'appel.
    QVERIFY(e.evenements.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(e.fini, 20000);
    QCOMPARE(int(e.evenements.last().genre), int(EvenementVoix::Genre::Fin));
    QVERIFY(m_enregistrement.echantillons > 0);
    const QList<int> mots = e.valeurs(EvenementVoix::Genre::Mot);
    QCOMPARE(mots, QList<int>({7, 10, 20}));
    QCOMPARE(e.valeurs(EvenementVoix::Genre::Signet), QList<int>({3}));
    // Le signet vient après le premier mot et avant le deuxième.
    qsizetype iSignet = -1, iMot2 = -1;
    for (qsizetype i = 0; i < e.evenements.size(); ++i) {
        if (e.evenements[i].genre == EvenementVoix::Genre::Signet)
            iSignet = i;
        if (e.evenements[i].genre == EvenementVoix::Genre::Mot && e.evenements[i].valeur == 10)
            iMot2 = i;
    }
    QVERIFY(iSignet >= 0 && iSignet < iMot2);
    const QList<int> bouches = e.valeurs(EvenementVoix::Genre::Phoneme);
    QVERIFY(bouches.contains(int(FormeBouche::Fermee)));  // b de Bonjour
    QVERIFY(bouches.contains(int(FormeBouche::Etroite))); // j, u, i
    QVERIFY(std::any_of(bouches.begin(), bouches.end(), [](int b) {
        return b >= int(FormeBouche::Large1) && b <= int(FormeBouche::Large4);
    }));
}

void TestVoixSysteme::dire_carteReveleLeTexteMontre()
{
    Ecoute e;
    const TexteParole t = analyserTexteParole(QStringLiteral("\\Map=\"deux mille six\"=\"2006\"\\ fin"));
    m_voix->dire(t.elements, {}, e.rappel());
    QTRY_VERIFY_WITH_TIMEOUT(e.fini, 20000);
    const QList<int> mots = e.valeurs(EvenementVoix::Genre::Mot);
    QVERIFY(!mots.isEmpty());
    QVERIFY(std::is_sorted(mots.begin(), mots.end()));
    QVERIFY(mots.first() <= 4);
    QCOMPARE(mots.last(), 8);
}

void TestVoixSysteme::balises_changentLaDureeDite_data()
{
    QTest::addColumn<QString>("court");
    QTest::addColumn<QString>("lent");
    QTest::newRow("pause") << QStringLiteral("oui non") << QStringLiteral("oui \\Pau=800\\non");
    QTest::newRow("vitesse") << QStringLiteral("\\Spd=300\\une phrase pour voir") << QStringLiteral("\\Spd=100\\une phrase pour voir");
    QTest::newRow("réinitialisée") << QStringLiteral("\\Spd=100\\\\Rst\\une phrase pour voir")
                                   << QStringLiteral("\\Spd=100\\une phrase pour voir");
}

void TestVoixSysteme::balises_changentLaDureeDite()
{
    QFETCH(QString, court);
    QFETCH(QString, lent);
    const qint64 a = dureeDite(court);
    const qint64 b = dureeDite(lent);
    QVERIFY(a > 0);
    QVERIFY2(b > a * 6 / 5, qPrintable(QStringLiteral("%1 puis %2").arg(a).arg(b)));
}

void TestVoixSysteme::couper_plusAucunRappel_data()
{
    QTest::addColumn<bool>("avantLeDebut");
    QTest::newRow("avant le début") << true;
    QTest::newRow("pendant") << false;
}

void TestVoixSysteme::couper_plusAucunRappel()
{
    QFETCH(bool, avantLeDebut);
    Ecoute e;
    const QString longue = QStringLiteral("Remarques et idées sont toujours les bienvenues. ").repeated(40);
    const qint64 ticket = m_voix->dire(analyserTexteParole(longue).elements, {}, e.rappel());
    if (!avantLeDebut)
        QTRY_VERIFY_WITH_TIMEOUT(!e.evenements.isEmpty(), 20000);
    m_voix->couper(ticket);
    const qsizetype recus = e.evenements.size();
    // Une parole suivante passe : la coupée ne rappelle plus.
    Ecoute suivante;
    m_voix->dire(analyserTexteParole(QStringLiteral("fin")).elements, {}, suivante.rappel());
    QTRY_VERIFY_WITH_TIMEOUT(suivante.fini, 20000);
    QCOMPARE(e.evenements.size(), recus);
    QVERIFY(!e.fini);
}

void TestVoixSysteme::sortieIndisponible_seulementIndisponible()
{
    m_enregistrement.refuser = true;
    Ecoute e;
    m_voix->dire(analyserTexteParole(QStringLiteral("bonjour")).elements, {}, e.rappel());
    QTRY_VERIFY_WITH_TIMEOUT(e.fini, 20000);
    QCOMPARE(e.evenements.size(), 1);
    QCOMPARE(int(e.evenements.first().genre), int(EvenementVoix::Genre::Indisponible));
    QCOMPARE(m_enregistrement.echantillons.load(), qint64(0));
}

QTEST_MAIN(TestVoixSysteme)
#include "tst_voixSysteme.moc"
