// Compile un personnage décrit par un manifeste et des PNG en fichier .acs.
//   compilateur-personnage MANIFESTE SORTIE.acs
//   compilateur-personnage --mesurer FICHIER.acs   (temps de chargement)
#include "EcrivainAcs.h"
#include "LecteurAcs.h"
#include "ManifestePersonnage.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

namespace {

int mesurer(const QString& chemin)
{
    constexpr int Essais = 20;
    qint64 meilleur = -1;
    qint64 total = 0;
    ResultatLectureAcs r;
    for (int i = 0; i < Essais; ++i) {
        QElapsedTimer chrono;
        chrono.start();
        r = lireFichierPersonnageAcs(chemin);
        const qint64 ns = chrono.nsecsElapsed();
        total += ns;
        meilleur = meilleur < 0 ? ns : std::min(meilleur, ns);
    }
    if (!r) {
        std::fprintf(stderr, "%s\n", qPrintable(r.message));
        return 1;
    }
    QElapsedTimer chrono;
    chrono.start();
    const bool imagesValides = r.personnage->verifierImages();
    const qint64 decodage = chrono.nsecsElapsed();
    std::printf("%s : %lld octets, %lld animations, %lld images\n", qPrintable(chemin),
                static_cast<long long>(QFileInfo(chemin).size()), static_cast<long long>(r.personnage->animations.size()),
                static_cast<long long>(r.personnage->images.size()));
    std::printf("chargement : %.3f ms (meilleur), %.3f ms (moyenne sur %d)\n", meilleur / 1e6, total / 1e6 / Essais, Essais);
    std::printf("décodage de toutes les images : %.3f ms (%s)\n", decodage / 1e6, imagesValides ? "valides" : "INVALIDES");
    return imagesValides ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"--mesurer")
        return mesurer(args[2]);
    if (args.size() != 3) {
        std::fprintf(stderr, "usage : compilateur-personnage MANIFESTE SORTIE.acs\n"
                             "        compilateur-personnage --mesurer FICHIER.acs\n");
        return 2;
    }
    const ResultatManifeste manifeste = lireManifestePersonnage(args[1]);
    if (!manifeste.personnage) {
        std::fprintf(stderr, "%s\n", qPrintable(manifeste.erreur));
        return 1;
    }
    QDir().mkpath(QFileInfo(args[2]).absolutePath());
    QString erreur;
    if (!enregistrerPersonnageAcs(*manifeste.personnage, args[2], &erreur)) {
        std::fprintf(stderr, "%s : %s\n", qPrintable(args[2]), qPrintable(erreur));
        return 1;
    }
    // Le fichier écrit doit se relire par les mêmes règles.
    const ResultatLectureAcs relu = lireFichierPersonnageAcs(args[2]);
    if (!relu || !relu.personnage->verifierImages()) {
        std::fprintf(stderr, "%s : relecture impossible : %s\n", qPrintable(args[2]), qPrintable(relu.message));
        QFile::remove(args[2]);
        return 1;
    }
    return 0;
}
