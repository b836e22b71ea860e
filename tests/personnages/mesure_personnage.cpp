// Mesures du service de personnages : chargement, peinture d'une trame, charge au repos.
// Usage : mesure_personnage CHEMIN.acs [secondes de repos] [capture.png]
#include "MSAgent.h"
#include "Agentcharacters.h"
#include "LecteurAcs.h"
#include "PersonnageServi.h"
#include "ServeurPersonnages.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

namespace {
double secondesProcesseur()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}
} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage : mesure_personnage CHEMIN.acs [secondes]\n");
        return 2;
    }
    const QString chemin = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    const int secondes = argc > 2 ? std::atoi(argv[2]) : 30;

    // Lecture seule du fichier, sans le service.
    QElapsedTimer chrono;
    chrono.start();
    const ResultatLectureAcs lu = lireFichierPersonnageAcs(chemin);
    const double lecture = double(chrono.nsecsElapsed()) / 1e6;
    if (!lu) {
        std::fprintf(stderr, "lecture impossible\n");
        return 1;
    }

    std::shared_ptr<ServeurPersonnages> serveur;
    enregistrerServeurAgent([&serveur] {
        serveur = std::make_shared<ServeurPersonnages>();
        return std::static_pointer_cast<IServeurAgent>(serveur);
    });
    TMSAgent agent;
    agent.SetConnected(true);
    chrono.restart();
    const CodeResultat code = agent.GetCharacters()->Load(QStringLiteral("Sam"), chemin);
    const double chargement = double(chrono.nsecsElapsed()) / 1e6;
    if (echec(code)) {
        std::fprintf(stderr, "chargement refusé : %08x\n", unsigned(code));
        return 1;
    }
    TAgentCharacter* personnage = agent.GetCharacters()->CharacterByIndex(0);
    PersonnageServi* servi = serveur->personnage(personnage->Numero());

    // Composition et peinture de chaque trame de chaque animation, à froid puis en cache.
    const PersonnageAcs& modele = servi->modele();
    int trames = 0;
    qint64 composition = 0;
    qint64 peinture = 0;
    qint64 dureeMin = std::numeric_limits<qint64>::max();
    QImage cible(modele.info.largeur, modele.info.hauteur, QImage::Format_ARGB32_Premultiplied);
    for (const AnimationAcs& a : modele.animations)
        for (const TrameAcs& t : a.trames) {
            chrono.restart();
            const QImage image = modele.composerTrame(t).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            composition += chrono.nsecsElapsed();
            chrono.restart();
            QPainter p(&cible);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(0, 0, image);
            p.end();
            peinture += chrono.nsecsElapsed();
            if (t.duree > 0)
                dureeMin = std::min<qint64>(dureeMin, t.duree * 10);
            ++trames;
        }

    if (argc > 3) {
        // Capture de l'écran pendant la parole : personnage et bulle.
        const QString capture = QString::fromLocal8Bit(argv[3]);
        QTimer::singleShot(4500, [capture, personnage] {
            const QRect zone(personnage->GetPosition() - QPoint(200, 150), QSize(500, 320));
            QGuiApplication::primaryScreen()->grabWindow(0, zone.x(), zone.y(), zone.width(), zone.height()).save(capture);
        });
    }
    personnage->SetPosition(QPoint(500, 400));
    personnage->Show(false);
    personnage->Play(QStringLiteral("Wave"));
    personnage->Speak(QStringLiteral("\\Map=\"Bonjour et bienvenue dans Vatrelix deux mille six.\"=\"Bonjour et bienvenue dans Vatrelix 2006.\"\\"), QString());
    // Repos : après la fin des requêtes, la charge est mesurée sur la durée demandée.
    double debutProcesseur = 0;
    QElapsedTimer mur;
    int peinturesAvantRepos = 0;
    QTimer::singleShot(8000, [&] {
        peinturesAvantRepos = servi->fenetre()->nombrePeintures();
        debutProcesseur = secondesProcesseur();
        mur.start();
        QTimer::singleShot(secondes * 1000, [&] {
            const double processeur = secondesProcesseur() - debutProcesseur;
            const double ecoule = double(mur.elapsed()) / 1000.0;
            std::printf("plate-forme : %s\n", qPrintable(QGuiApplication::platformName()));
            std::printf("lecture du fichier : %.2f ms ; chargement par le service : %.2f ms\n", lecture, chargement);
            std::printf("trames : %d ; composition moyenne %.3f ms ; peinture moyenne %.3f ms ; plus courte durée de trame %lld ms\n",
                        trames, double(composition) / trames / 1e6, double(peinture) / trames / 1e6, dureeMin);
            const FenetrePersonnage* f = servi->fenetre();
            std::printf("peinture de la fenêtre (paintEvent) : %.3f ms en moyenne sur %d\n",
                        double(f->nanosecondesPeinture()) / std::max(1, f->nombrePeintures()) / 1e6, f->nombrePeintures());
            std::printf("repos visible : %.3f s de processeur en %.1f s, soit %.3f %% d'un cœur ; peintures pendant le repos : %d\n",
                        processeur, ecoule, 100.0 * processeur / ecoule, servi->fenetre()->nombrePeintures() - peinturesAvantRepos);
            QGuiApplication::quit();
        });
    });
    return QGuiApplication::exec();
}
