// Démarrage complet mesuré dans le processus : fenêtre construite et montrée hors écran,
// étape de démarrage terminée, arbre rempli ; puis, sur 100 000 articles, la
// reconstruction de l'arbre comparée au chargement de la base.
#include "Emplacements.h"
#include "GenerateurBase.h"
#include "Interactions.h"
#include "ParametresRegionaux.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormPrincipale.h"
#include "U_vx_compagnon.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

// Aucune question ne doit être posée pendant ces mesures.
class InteractionsBanc : public Interactions
{
public:
    ReponseMessage message(const QString&, TypeMessage, BoutonsMessage, std::optional<ReponseMessage>) override
    {
        return ReponseMessage::Non;
    }
    QString saisie(const QString&, const QString&, const QString& defaut) override { return defaut; }
    bool ouvrirFichier(DialogueFichier&) override { return false; }
    bool enregistrerFichier(DialogueFichier&) override { return false; }
    bool choisirCouleur(TColor&) override { return false; }
    bool choisirImprimante(QPrinter&) override { return false; }
    void montrerModal(QWidget*) override {}
    void erreurStandard(const QString& message) override
    {
        std::fprintf(stderr, "erreur : %s\n", qPrintable(message));
        std::abort();
    }
};

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
    etat.counters["noeuds_racines"] = fenetre.ui.modeleArbreRayon->rowCount();
}
BENCHMARK(BM_arbre100k)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->UseRealTime();

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

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    terminerCompagnon();
    definirRepertoireExecutable(QString());
    Interactions::definir(nullptr);
    return 0;
}
