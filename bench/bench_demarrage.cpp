// Démarrage complet mesuré dans le processus : fenêtre construite et montrée hors écran,
// étape de démarrage terminée, arbre rempli ; puis, sur 100 000 articles, la
// reconstruction de l'arbre comparée au chargement de la base. Enfin le vrai programme,
// lancé avec la base d'exemple puis avec 100 000 articles : temps entre son lancement et
// sa première peinture, et jusqu'à la fin de son démarrage (sous X quand DISPLAY est là).
#include "Emplacements.h"
#include "GenerateurBase.h"
#include "InteractionsBanc.h"
#include "ParametresRegionaux.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormPrincipale.h"
#include "U_vx_compagnon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>

namespace {


class PassageProgression : public ProgressionBase
{
public:
    void progression(const QString&) override {}
};

QString g_dossierExemple;
QString g_dossier100k;

void demarrerUneFois()
{
    TFormPrincipale fenetre;
    TdmVatrelix dm;
    fenetre.attacherModuleDonnees(&dm);
    fenetre.show();
    while (fenetre.ui.timerDemarrage->isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    benchmark::DoNotOptimize(fenetre.ui.modeleArbreRayon->rowCount());
    if (fenetre.ui.modeleArbreRayon->rowCount() == 0)
        std::abort();
}

void BM_demarrageExemple(benchmark::State& etat)
{
    definirRepertoireExecutable(g_dossierExemple);
    for (auto _ : etat) {
        QFile::remove(g_dossierExemple + QStringLiteral("Vatrelix.conf"));
        const auto debut = std::chrono::steady_clock::now();
        demarrerUneFois();
        const auto fin = std::chrono::steady_clock::now();
        etat.SetIterationTime(std::chrono::duration<double>(fin - debut).count());
    }
}
BENCHMARK(BM_demarrageExemple)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3);

void BM_chargement100k(benchmark::State& etat)
{
    definirRepertoireExecutable(g_dossier100k);
    PassageProgression progression;
    for (auto _ : etat) {
        TdmVatrelix dm;
        dm.chargerBase(progression);
        benchmark::DoNotOptimize(dm.listeRayons.size());
    }
}
BENCHMARK(BM_chargement100k)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->UseRealTime();

void BM_arbre100k(benchmark::State& etat)
{
    definirRepertoireExecutable(g_dossier100k);
    PassageProgression progression;
    TdmVatrelix dm;
    dm.chargerBase(progression);
    TFormPrincipale fenetre;
    fenetre.attacherModuleDonnees(&dm);
    fenetre.ui.timerDemarrage->stop();
    for (auto _ : etat)
        fenetre.majArbreRayonsExecute();
    if (fenetre.ui.modeleArbreRayon->rowCount() == 0)
        std::abort();
}
BENCHMARK(BM_arbre100k)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->UseRealTime();

// Dossier du programme lancé : un lien dur vers l'exécutable (son dossier est celui des
// données), la base, les personnages.
QString g_programmeExemple;
QString g_programme100k;

QString preparerProgramme(const QString& dossierBase)
{
    const QString dossier = dossierBase + QStringLiteral("programme/");
    QDir().mkpath(dossier);
    const QString programme = dossier + QStringLiteral("vatrelix");
    if (::link(VATRELIX_PROGRAMME, QFile::encodeName(programme).constData()) != 0
        && !QFile::copy(QStringLiteral(VATRELIX_PROGRAMME), programme))
        std::abort();
    QFile::copy(dossierBase + QStringLiteral("baseVatrelix.xml"), dossier + QStringLiteral("baseVatrelix.xml"));
    QFile::link(QFileInfo(QStringLiteral(VATRELIX_PROGRAMME)).absolutePath() + QStringLiteral("/MSAgent"),
                dossier + QStringLiteral("MSAgent"));
    return programme;
}

qint64 instantMonotoneNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Lance le programme jusqu'à la fin de son démarrage ; rend la mesure nommée, en secondes.
double lancer(const QString& programme, const QByteArray& mesure)
{
    QFile::remove(QFileInfo(programme).absolutePath() + QStringLiteral("/Vatrelix.conf"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Sous X quand il y en a un : c'est là que la première peinture attend l'exposition.
    if (env.contains(QStringLiteral("DISPLAY")))
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("VATRELIX_MESURE_DEMARRAGE"), QString::number(instantMonotoneNs()));
    QProcess p;
    p.setProcessEnvironment(env);
    p.setStandardErrorFile(QProcess::nullDevice());
    p.start(programme, {});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        std::abort();
    for (const QByteArray& ligne : p.readAllStandardOutput().split('\n')) {
        if (ligne.startsWith(mesure + ' '))
            return ligne.mid(mesure.size() + 1).toDouble() / 1000;
    }
    std::abort();
}

void BM_programme(benchmark::State& etat, const QString* programme, const char* mesure)
{
    for (auto _ : etat)
        etat.SetIterationTime(lancer(*programme, mesure));
}
BENCHMARK_CAPTURE(BM_programme, premierAffichageExemple, &g_programmeExemple, "premier_affichage_ms")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);
BENCHMARK_CAPTURE(BM_programme, premierAffichage100k, &g_programme100k, "premier_affichage_ms")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);
BENCHMARK_CAPTURE(BM_programme, demarrageExemple, &g_programmeExemple, "demarrage_ms")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);
BENCHMARK_CAPTURE(BM_programme, demarrage100k, &g_programme100k, "demarrage_ms")
    ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ParametresRegionaux::definir(ParametresRegionaux::francais());
    InteractionsBanc interactions;
    Interactions::definir(&interactions);
    initialiserCompagnon();

    const QString sources = QString::fromLocal8Bit(VATRELIX_SOURCES_BANC);
    QTemporaryDir exemple, grande;
    g_dossierExemple = exemple.path() + u'/';
    g_dossier100k = grande.path() + u'/';
    QFile::copy(sources + QStringLiteral("/resources/baseVatrelix-exemple.xml"),
                g_dossierExemple + QStringLiteral("baseVatrelix.xml"));
    genererFichierBase(g_dossier100k, 100000);
    g_programmeExemple = preparerProgramme(g_dossierExemple);
    g_programme100k = preparerProgramme(g_dossier100k);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    terminerCompagnon();
    definirRepertoireExecutable(QString());
    Interactions::definir(nullptr);
    return 0;
}
