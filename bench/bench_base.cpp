// Mesures, dans une même exécution et sur les mêmes fichiers : chargement de la base dans
// le modèle, enregistrement, et « xmllint --noout » comme référence d'analyse XML.
#include "GenerateurBase.h"

#include "Emplacements.h"
#include "ParametresRegionaux.h"
#include "Rebuts.h"
#include "U_VX_DataModule.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

const int k_tailles[] = {1000, 10000, 100000};
QString g_donnees; // dossier contenant un sous-dossier par taille

struct Muette : ProgressionBase
{
    void progression(const QString&) override {}
};

QString dossierPour(int nbArticles)
{
    return g_donnees + QString::number(nbArticles) + u'/';
}

void BM_Charger(benchmark::State& etat)
{
    definirRepertoireExecutable(dossierPour(int(etat.range(0))));
    Muette muette;
    for (auto _ : etat) {
        auto dm = std::make_unique<TdmVatrelix>();
        dm->chargerBase(muette);
        benchmark::DoNotOptimize(dm->listeRayons.data());
        etat.PauseTiming();
        dm.reset();
        Rebuts::vider();
        etat.ResumeTiming();
    }
}

void BM_Enregistrer(benchmark::State& etat)
{
    definirRepertoireExecutable(dossierPour(int(etat.range(0))));
    Muette muette;
    TdmVatrelix dm;
    dm.chargerBase(muette);
    for (auto _ : etat)
        dm.enregistrerBase(muette); // même forêt : le fichier réécrit reste identique
}

void BM_Xmllint(benchmark::State& etat)
{
    const QByteArray chemin = (dossierPour(int(etat.range(0))) + QStringLiteral("baseVatrelix.xml")).toLocal8Bit();
    char programme[] = "/usr/bin/xmllint";
    char option[] = "--noout";
    char* arguments[] = {programme, option, const_cast<char*>(chemin.constData()), nullptr};
    for (auto _ : etat) {
        pid_t pid = 0;
        int statut = 0;
        if (posix_spawn(&pid, programme, nullptr, nullptr, arguments, environ) != 0
            || waitpid(pid, &statut, 0) != pid || !WIFEXITED(statut) || WEXITSTATUS(statut) != 0) {
            etat.SkipWithError("xmllint a échoué");
            break;
        }
    }
}

void enregistrerMesures()
{
    for (const int n : k_tailles) {
        for (auto [nom, fonction] : {std::pair{"charger", &BM_Charger}, std::pair{"enregistrer", &BM_Enregistrer},
                                     std::pair{"xmllint", &BM_Xmllint}}) {
            benchmark::RegisterBenchmark(nom, fonction)
                ->Arg(n)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    ParametresRegionaux::definir(ParametresRegionaux::francais());
    // Dossier de données fourni (par run.sh) ou généré ici même.
    std::unique_ptr<QTemporaryDir> temporaire;
    g_donnees = qEnvironmentVariable("VATRELIX_BENCH_DONNEES");
    if (g_donnees.isEmpty()) {
        temporaire = std::make_unique<QTemporaryDir>();
        g_donnees = temporaire->path();
    }
    if (!g_donnees.endsWith(u'/'))
        g_donnees += u'/';
    for (const int n : k_tailles) {
        if (!QFile::exists(dossierPour(n) + QStringLiteral("baseVatrelix.xml"))) {
            QDir().mkpath(dossierPour(n));
            genererFichierBase(dossierPour(n), n);
        }
    }

    benchmark::Initialize(&argc, argv);
    enregistrerMesures();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    definirRepertoireExecutable(QString());
    return 0;
}
