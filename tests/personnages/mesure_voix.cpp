// Mesures de la voix : délai jusqu'au premier échantillon d'une phrase de dix mots (sortie muette
// au rythme réel) et plus long arrêt de la boucle d'événements pendant la lecture des crédits.
// Usage : mesure_voix [--bureau] [CHEMIN.acs]
// --bureau : la voix joue sur le serveur de son du bureau (PulseAudio) au lieu de la sortie muette ;
// le premier échantillon est alors daté à son écriture, plus la latence annoncée par le serveur.
#include "MSAgent.h"
#include "Agentcharacters.h"
#include "ServeurPersonnages.h"
#include "VoixEspeak.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <ctime>

namespace {
// Temps processeur du fil appelant, en ns : le travail fait, hors attente de la machine.
qint64 processeurDuFil()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

using Horloge = std::chrono::steady_clock;

const QString phraseDixMots = QStringLiteral("Je vous aiderai volontiers durant toute l'utilisation de ce logiciel.");
const QString credits = QStringLiteral(
    "\\Map=\"Tavelquirn, Vatrélix. Conçu et écrit par l'équipe Tavelquirn. Merci de composer vos listes de courses "
    "avec ce logiciel. Remarques et idées sont toujours les bienvenues.\"=\"Tavelquirn - Vatrelix\nConçu et écrit "
    "par l'équipe Tavelquirn.\nMerci de composer vos listes de courses avec ce logiciel.\nRemarques et idées sont "
    "toujours les bienvenues.\"\\");

// Attend la fin d'une parole en faisant tourner la boucle d'événements.
void attendre(bool& fini)
{
    QElapsedTimer garde;
    garde.start();
    while (!fini && garde.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

struct Latence
{
    double premierMs = -1;
    double totalMs = -1;
    int mots = 0;
    int phonemes = 0;
    bool indisponible = false;
};

std::optional<Horloge::time_point> premier; // écrit par le fil de la voix, lu après la fin

// Sortie du bureau qui date le premier échantillon non silencieux : écriture + latence du serveur.
class SortieBureauDatee : public SortieAudio
{
public:
    SortieBureauDatee() : m_sortie(creerSortieBureau()) {}
    bool ouvrir(int frequence, int canaux) override { return m_sortie->ouvrir(frequence, canaux); }
    bool ecrire(const qint16* echantillons, int nombre) override
    {
        const bool ok = m_sortie->ecrire(echantillons, nombre);
        if (!premier) {
            for (int i = 0; i < nombre; ++i) {
                if (echantillons[i] != 0) {
                    premier = Horloge::now() + std::chrono::milliseconds(m_sortie->latence());
                    break;
                }
            }
        }
        return ok;
    }
    int latence() override { return m_sortie->latence(); }
    void attendreFin() override { m_sortie->attendreFin(); }
    void abandonner() override { m_sortie->abandonner(); }

private:
    std::unique_ptr<SortieAudio> m_sortie;
};

Latence direUneFois(VoixEspeak& voix, const QString& texte)
{
    Latence l;
    // Le moteur se charge au lancement du programme : on attend qu'il soit prêt.
    bool fini = false;
    voix.dire(analyserTexteParole(QStringLiteral("a")).elements, {}, [&](const EvenementVoix& e) {
        fini = e.genre == EvenementVoix::Genre::Fin || e.genre == EvenementVoix::Genre::Indisponible;
    });
    attendre(fini);
    premier.reset();
    fini = false;
    const Horloge::time_point debut = Horloge::now();
    voix.dire(analyserTexteParole(texte).elements, {}, [&](const EvenementVoix& e) {
        if (e.genre == EvenementVoix::Genre::Mot)
            ++l.mots;
        if (e.genre == EvenementVoix::Genre::Phoneme)
            ++l.phonemes;
        if (e.genre == EvenementVoix::Genre::Indisponible)
            l.indisponible = true;
        fini = e.genre == EvenementVoix::Genre::Fin || e.genre == EvenementVoix::Genre::Indisponible;
    });
    attendre(fini);
    l.totalMs = std::chrono::duration<double, std::milli>(Horloge::now() - debut).count();
    if (premier)
        l.premierMs = std::chrono::duration<double, std::milli>(*premier - debut).count();
    return l;
}
} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    QStringList arguments = application.arguments();
    const bool bureau = arguments.removeAll(QStringLiteral("--bureau")) > 0;
    if (bureau)
        std::printf("sortie : serveur de son du bureau\n");

    // Un seul moteur par processus : la même voix sert toutes les mesures.
    auto voix = std::make_shared<VoixEspeak>([bureau]() -> std::unique_ptr<SortieAudio> {
        if (bureau)
            return std::make_unique<SortieBureauDatee>();
        return creerSortieMuette([](Horloge::time_point t) { premier = t; });
    });
    for (int essai = 0; essai < 3; ++essai) {
        const Latence l = direUneFois(*voix, phraseDixMots);
        if (l.indisponible) {
            std::printf("voix indisponible\n");
            return 1;
        }
        std::printf("phrase de dix mots : premier échantillon audible après %.1f ms, "
                    "parole entendue en %.0f ms, %d mots, %d phonèmes\n",
                    l.premierMs, l.totalMs, l.mots, l.phonemes);
    }

    if (arguments.size() < 2)
        return 0;
    // Service complet : personnage, bulle, bouche ; la voix écrit dans une sortie muette.
    std::shared_ptr<ServeurPersonnages> serveur;
    enregistrerServeurAgent([&serveur, voix] {
        ServeurPersonnages::Options options;
        options.voix = voix;
        options.jouerSon = [](const QByteArray&) {};
        serveur = std::make_shared<ServeurPersonnages>(options);
        return std::static_pointer_cast<IServeurAgent>(serveur);
    });
    TMSAgent agent;
    bool fini = false;
    qint32 attendue = -1;
    agent.OnRequestComplete = [&](TMSAgent*, TAgentCharacter*, qint32 r, int) { fini = fini || r == attendue; };
    agent.SetConnected(true);
    const QString chemin = QFileInfo(arguments.at(1)).absoluteFilePath();
    if (echec(agent.GetCharacters()->Load(QStringLiteral("Sam"), chemin))) {
        std::fprintf(stderr, "chargement refusé\n");
        return 1;
    }
    TAgentCharacter* sam = agent.GetCharacters()->CharacterByIndex(agent.GetCharacters()->GetCount() - 1);
    sam->Show(false);
    sam->Speak(QStringLiteral("Bonjour."), QString());
    attendue = sam->LastRequestID();
    attendre(fini);

    // Mesureur d'arrêts : une minuterie de 1 ms, le plus grand écart entre deux tours.
    QElapsedTimer chrono;
    qint64 precedent = -1;
    qint64 pire = 0;
    qint64 processeurPrecedent = -1;
    qint64 pireProcesseur = 0;
    int tours = 0;
    QTimer mesureur;
    mesureur.setTimerType(Qt::PreciseTimer);
    QObject::connect(&mesureur, &QTimer::timeout, [&] {
        const qint64 t = chrono.nsecsElapsed();
        if (precedent >= 0)
            pire = std::max(pire, t - precedent);
        precedent = t;
        const qint64 p = processeurDuFil();
        if (processeurPrecedent >= 0)
            pireProcesseur = std::max(pireProcesseur, p - processeurPrecedent);
        processeurPrecedent = p;
        ++tours;
    });
    fini = false;
    premier.reset();
    const Horloge::time_point demande = Horloge::now();
    chrono.start();
    mesureur.start(1);
    sam->Speak(credits, QString());
    attendue = sam->LastRequestID();
    attendre(fini);
    mesureur.stop();
    const double latence = premier ? std::chrono::duration<double, std::milli>(*premier - demande).count() : -1;
    std::printf("crédits dits en %.1f s, premier échantillon audible après %.1f ms ; plus long arrêt de la "
                "boucle : %.1f ms (%d tours), dont au plus %.1f ms de travail du fil\n",
                double(chrono.elapsed()) / 1000.0, latence, double(pire) / 1e6, tours, double(pireProcesseur) / 1e6);
    return 0;
}
