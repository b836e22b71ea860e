// « generer DOSSIER N » écrit une base de N articles ; « charger DOSSIER » ne fait que la
// charger dans le modèle puis affiche la mémoire de pointe du processus (ko) ; « enregistrer
// DOSSIER » la charge puis l'enregistre ; « recharger DOSSIER » la recharge cinq fois comme la
// commande de rechargement et affiche la mémoire résidente après le premier et le dernier
// chargement (ko).
#include "GenerateurBase.h"

#include "Emplacements.h"
#include "ParametresRegionaux.h"
#include "U_VX_DataModule.h"
#include "U_rayon.h"

#include <QFile>

#include <QDir>

#include <functional>

#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

namespace {

long residentKo()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> champs = statm.readAll().split(' ');
    return champs.size() > 1 ? champs.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

} // namespace

int main(int argc, char** argv)
{
    ParametresRegionaux::definir(ParametresRegionaux::francais());
    if (argc == 4 && std::strcmp(argv[1], "generer") == 0) {
        const QString dossier = QString::fromLocal8Bit(argv[2]) + u'/';
        QDir().mkpath(dossier);
        genererFichierBase(dossier, std::atoi(argv[3]));
        return 0;
    }
    const bool enregistrer = argc == 3 && std::strcmp(argv[1], "enregistrer") == 0;
    if (argc == 3 && std::strcmp(argv[1], "recharger") == 0) {
        definirRepertoireExecutable(QString::fromLocal8Bit(argv[2]) + u'/');
        struct Muette : ProgressionBase
        {
            void progression(const QString&) override {}
        } muette;
        TdmVatrelix dm;
        dm.chargerBase(muette);
        TdmVatrelix::rendreMemoireLibre();
        const long apresPremier = residentKo();
        for (int i = 0; i < 5; ++i) {
            // Comme la commande : l'ancienne base détruite, puis la nouvelle lue.
            dm.viderListeRayons();
            dm.viderRebuts();
            dm.chargerBase(muette);
            TdmVatrelix::rendreMemoireLibre();
        }
        std::printf("residant_premier_ko %ld\nresidant_cinquieme_ko %ld\n", apresPremier, residentKo());
        return 0;
    }
    if (argc == 3 && (std::strcmp(argv[1], "charger") == 0 || enregistrer)) {
        definirRepertoireExecutable(QString::fromLocal8Bit(argv[2]) + u'/');
        struct Muette : ProgressionBase
        {
            void progression(const QString&) override {}
        } muette;
        TdmVatrelix dm;
        dm.chargerBase(muette);
        if (enregistrer)
            dm.enregistrerBase(muette);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        // Contrôle que la base lue est bien complète.
        std::function<long(const TRayon*)> compter = [&](const TRayon* r) {
            long n = r->getNbArticles();
            for (int i = 0; i < r->getNbRayonsFils(); ++i)
                n += compter(r->getRayonFils(i));
            return n;
        };
        long articles = 0;
        for (const TRayon* r : dm.listeRayons)
            articles += compter(r);
        std::printf("racines %lld\narticles %ld\npointe_ko %ld\n", static_cast<long long>(dm.listeRayons.size()),
                    articles, usage.ru_maxrss);
        return articles > 0 ? 0 : 1;
    }
    std::fprintf(stderr, "usage : %s generer DOSSIER N | charger DOSSIER | enregistrer DOSSIER | recharger DOSSIER\n",
                 argv[0]);
    return 2;
}
