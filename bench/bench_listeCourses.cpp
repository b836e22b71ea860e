// Liste de courses de 10 000 lignes sur la vraie fenêtre : rafraîchissement, fusion, tri,
// enregistrement et ouverture (comparés à iconv sur le même fichier), export, impression en PDF.
#include "Emplacements.h"
#include "FichierLC.h"
#include "FusionTriLC.h"
#include "BancFenetre.h"
#include "InteractionsBanc.h"
#include "ParametresRegionaux.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormPrincipale.h"
#include "U_vx_compagnon.h"
#include "U_vx_impression.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <memory>

namespace {

constexpr int kLignes = 10000;

// Ouvre, enregistre et imprime dans les fichiers que le banc désigne.
class InteractionsListe : public InteractionsBanc
{
public:
    bool ouvrirFichier(DialogueFichier& d) override
    {
        d.nomFichier = fichierOuvert;
        return true;
    }
    bool enregistrerFichier(DialogueFichier& d) override
    {
        d.nomFichier = fichierEnregistre;
        return !fichierEnregistre.isEmpty();
    }
    bool choisirImprimante(QPrinter& imprimante) override
    {
        reglerSortiePdf(imprimante, fichierPdf);
        return true;
    }
    QString fichierOuvert;
    QString fichierEnregistre;
    QString fichierPdf;
};

InteractionsListe* g_interactions = nullptr;
TFormPrincipale* g_fenetre = nullptr;
TdmVatrelix* g_dm = nullptr;
QString g_dossier;

// Lignes variées : 200 rayons, un article sur quatre répété plus haut (fusions réelles).
QStringList lignesBanc(int nombre = kLignes)
{
    QStringList lignes;
    lignes.reserve(nombre);
    for (int i = 0; i < nombre; ++i) {
        const int article = i % 4 == 0 ? i / 8 : i;
        const int rayon = (article * 7919) % 200;
        const int centimes = 50 + (article * 37) % 2000;
        const QString pu = QStringLiteral("%1,%2 €").arg(centimes / 100).arg(centimes % 100, 2, 10, QLatin1Char('0'));
        const int nb = 1 + i % 5;
        const int total = nb * centimes;
        const QString tt = QStringLiteral("%1,%2 €").arg(total / 100).arg(total % 100, 2, 10, QLatin1Char('0'));
        lignes << QStringLiteral("%1|Article n°%2|remarque é|Rayon %3|%4|%5")
                      .arg(nb)
                      .arg(article)
                      .arg(rayon)
                      .arg(pu, tt);
    }
    return lignes;
}

void BM_majLC(benchmark::State& etat)
{
    g_dm->listeCourses = lignesBanc();
    for (auto _ : etat)
        g_fenetre->majLCExecute();
}
BENCHMARK(BM_majLC)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->UseRealTime();

// Historique de la liste : cent éditions d'une ligne chacune sur 100 000 lignes ; mémoire
// gardée par la liste et son historique (le tas, grands blocs compris).
void BM_historiqueListe(benchmark::State& etat)
{
    const auto tas = [] {
        const struct mallinfo2 m = mallinfo2();
        return double(m.uordblks + m.hblkhd);
    };
    for (auto _ : etat) {
        g_fenetre->oublierHistoriqueListe();
        g_dm->listeCourses.clear();
        const double avant = tas();
        g_dm->listeCourses = lignesBanc(100000);
        const double liste = tas() - avant;
        for (int i = 0; i < 100; ++i)
            g_fenetre->executerEdition(QStringLiteral("Supprimer"), [] { g_dm->listeCourses.removeAt(50000); });
        etat.counters["historique_mio"] = (tas() - avant - liste) / (1 << 20);
        etat.counters["liste_mio"] = liste / (1 << 20);
    }
    g_fenetre->oublierHistoriqueListe();
}
BENCHMARK(BM_historiqueListe)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(1)->UseRealTime();

void BM_fusion(benchmark::State& etat)
{
    const QStringList lignes = lignesBanc();
    for (auto _ : etat) {
        etat.PauseTiming();
        g_dm->listeCourses = lignes;
        etat.ResumeTiming();
        g_fenetre->fusionnerLignesLCExecute();
    }
    if (g_dm->listeCourses.size() >= lignes.size())
        std::abort();
}
BENCHMARK(BM_fusion)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->UseRealTime();

void BM_tri(benchmark::State& etat)
{
    const QStringList lignes = lignesBanc();
    for (auto _ : etat) {
        etat.PauseTiming();
        g_dm->listeCourses = lignes;
        etat.ResumeTiming();
        g_fenetre->trierLCExecute();
    }
}
BENCHMARK(BM_tri)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3)->UseRealTime();

// Liste hostile de 500 000 lignes : la moitié sur 300 rayons entremêlés, l'autre sur des
// rayons tous distincts, plus des lignes sans "|" ; l'ordre exact du tri par échanges.
void BM_triHostile(benchmark::State& etat)
{
    QStringList lignes;
    std::uint32_t x = 2006;
    for (int i = 0; i < 500000; ++i) {
        x = x * 1664525u + 1013904223u;
        if (i % 50 == 0)
            lignes << QStringLiteral("sans barre %1").arg(i);
        else if (i % 2 == 0)
            lignes << QStringLiteral("1|A%1|-|R%2|1,00 €|1,00 €").arg(i).arg(x % 300);
        else
            lignes << QStringLiteral("1|B%1|-|U%2|1,00 €|1,00 €").arg(i).arg(x);
    }
    for (auto _ : etat) {
        etat.PauseTiming();
        QStringList copie = lignes;
        etat.ResumeTiming();
        trierLC(copie);
        benchmark::DoNotOptimize(copie);
    }
}
BENCHMARK(BM_triHostile)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

void BM_enregistrer(benchmark::State& etat)
{
    g_dm->listeCourses = lignesBanc(int(etat.range(0)));
    g_fenetre->reglages.fichierLC = g_dossier + QStringLiteral("banc.lvtx");
    for (auto _ : etat)
        g_fenetre->action(QStringLiteral("enregistrerLC"))->trigger(); // comme l'utilisateur : par l'action
}
BENCHMARK(BM_enregistrer)->Arg(kLignes)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->UseRealTime();

// Export de la liste (la commande entière, écriture atomique comprise), en CSV puis en texte.
void BM_exporter(benchmark::State& etat)
{
    g_dm->listeCourses = lignesBanc();
    const QString chemin = g_dossier + (etat.range(0) == 0 ? QStringLiteral("export.csv") : QStringLiteral("export.txt"));
    g_interactions->fichierEnregistre = chemin;
    for (auto _ : etat) {
        etat.PauseTiming();
        QFile::remove(chemin);
        etat.ResumeTiming();
        g_fenetre->exporterLCExecute();
    }
    g_interactions->fichierEnregistre.clear();
    if (!QFileInfo::exists(chemin))
        std::abort();
}
BENCHMARK(BM_exporter)->ArgName("texte")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->UseRealTime();

QString fichierBanc(int nombre)
{
    const QString chemin = g_dossier + QStringLiteral("banc-%1.lvtx").arg(nombre);
    if (!QFileInfo::exists(chemin))
        ecrireFichierLC(chemin, lignesBanc(nombre));
    return chemin;
}

// La commande d'ouverture entière, par son action : question, nouvelle liste, lecture,
// rafraîchissement, historique.
void BM_ouvrir(benchmark::State& etat)
{
    g_interactions->fichierOuvert = fichierBanc(int(etat.range(0)));
    for (auto _ : etat)
        g_fenetre->action(QStringLiteral("ouvrirListe"))->trigger(); // comme l'utilisateur : par l'action
    if (g_dm->listeCourses.size() != etat.range(0))
        std::abort();
}
BENCHMARK(BM_ouvrir)->Arg(kLignes)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->UseRealTime();

// La même commande quand la vue est vide : toutes les rangées sont à créer.
void BM_ouvrirDepuisVide(benchmark::State& etat)
{
    g_interactions->fichierOuvert = fichierBanc(int(etat.range(0)));
    for (auto _ : etat) {
        etat.PauseTiming();
        g_dm->listeCourses.clear();
        g_fenetre->majLCExecute();
        g_fenetre->reglages.fichierLC.clear();
        etat.ResumeTiming();
        g_fenetre->action(QStringLiteral("ouvrirListe"))->trigger(); // comme l'utilisateur : par l'action
    }
    if (g_dm->listeCourses.size() != etat.range(0))
        std::abort();
}
BENCHMARK(BM_ouvrirDepuisVide)->Arg(kLignes)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->UseRealTime();

// Suppression d'une ligne choisie au milieu d'une liste de 100 000 lignes, par l'action : une
// ligne de moins à chaque tour.
void BM_supprimerUneLigne(benchmark::State& etat)
{
    g_dm->listeCourses = lignesBanc(int(etat.range(0)));
    g_fenetre->majLCExecute();
    QAbstractItemView& vue = *g_fenetre->ui.lvListeCourses;
    for (auto _ : etat) {
        etat.PauseTiming();
        const int milieu = int(g_dm->listeCourses.size() / 2);
        vue.selectionModel()->select(vue.model()->index(milieu, 0),
                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        etat.ResumeTiming();
        g_fenetre->action(QStringLiteral("supprimerDeLC"))->trigger(); // comme l'utilisateur : par l'action
    }
    if (g_dm->listeCourses.size() != etat.range(0) - qsizetype(etat.iterations()))
        std::abort();
}
BENCHMARK(BM_supprimerUneLigne)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->UseRealTime();

// La lecture seule (chargerLC), sans la nouvelle liste.
void BM_chargerLC(benchmark::State& etat)
{
    const QString chemin = fichierBanc(kLignes);
    for (auto _ : etat)
        g_fenetre->chargerLC(chemin);
}
BENCHMARK(BM_chargerLC)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->UseRealTime();

// La lecture du fichier seule, vers le magasin.
void BM_lireFichierLC(benchmark::State& etat)
{
    const QString chemin = fichierBanc(int(etat.range(0)));
    for (auto _ : etat)
        benchmark::DoNotOptimize(lireFichierLC(chemin));
}
BENCHMARK(BM_lireFichierLC)->Arg(kLignes)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->UseRealTime();

// iconv en processus entier, sur le même fichier : la référence des deux rapports.
void BM_iconv(benchmark::State& etat)
{
    const QString chemin = fichierBanc(int(etat.range(0)));
    for (auto _ : etat) {
        QProcess p;
        p.setStandardOutputFile(QProcess::nullDevice());
        p.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("WINDOWS-1252"), QStringLiteral("-t"),
                                          QStringLiteral("UTF-8"), chemin});
        if (!p.waitForFinished(10000) || p.exitCode() != 0)
            std::abort();
    }
}
BENCHMARK(BM_iconv)->Arg(kLignes)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->UseRealTime();

void BM_imprimerPdf(benchmark::State& etat)
{
    g_dm->listeCourses = lignesBanc();
    g_fenetre->majLCExecute();
    g_interactions->fichierPdf = g_dossier + QStringLiteral("banc.pdf");
    for (auto _ : etat)
        g_fenetre->imprimerExecute();
}
BENCHMARK(BM_imprimerPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    InteractionsListe interactions;
    g_interactions = &interactions;
    return lancerBancsFenetre(argc, argv, interactions, g_fenetre, g_dm, g_dossier);
}
