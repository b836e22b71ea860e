// Dans le magasin, sur la vraie fenêtre : tri dans l'ordre du magasin de 10 000 lignes
// (commande entière, rafraîchissement compris, et tri seul) ; mode magasin sur 100 000 lignes
// (bascule du mode, rafraîchissement avec des coches, une coche).
#include "Emplacements.h"
#include "FusionTriLC.h"
#include "BancFenetre.h"
#include "InteractionsBanc.h"
#include "MagasinLC.h"
#include "ParametresRegionaux.h"
#include "ReglagesUtilisateur.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormPrincipale.h"
#include "U_vx_compagnon.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {


TFormPrincipale* g_fenetre = nullptr;
TdmVatrelix* g_dm = nullptr;

constexpr int kRayons = 200;

// Les lignes de bench_listeCourses : 200 rayons, un article sur quatre répété plus haut.
QStringList lignesBanc(int nombre)
{
    QStringList lignes;
    lignes.reserve(nombre);
    for (int i = 0; i < nombre; ++i) {
        const int article = i % 4 == 0 ? i / 8 : i;
        const int rayon = (article * 7919) % kRayons;
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

// Ordre de passage : les rayons dans un ordre mêlé, un sur dix pas encore placé.
QStringList ordreBanc()
{
    QStringList ordre;
    for (int k = 0; k < kRayons; ++k) {
        const int rayon = (k * 83) % kRayons;
        if (rayon % 10 != 0)
            ordre << QStringLiteral("Rayon %1").arg(rayon);
    }
    return ordre;
}

void BM_trierMagasin_commande(benchmark::State& etat)
{
    const QStringList lignes = lignesBanc(10000);
    reglagesUtilisateur().setValue(QStringLiteral("magasin/ordreRayons"), ordreBanc());
    for (auto _ : etat) {
        etat.PauseTiming();
        g_dm->listeCourses = lignes;
        etat.ResumeTiming();
        g_fenetre->trierLCMagasinExecute();
    }
}
BENCHMARK(BM_trierMagasin_commande)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->UseRealTime();

void BM_trierMagasin_seul(benchmark::State& etat)
{
    const QStringList lignes = lignesBanc(int(etat.range(0)));
    const QStringList ordre = ordreBanc();
    for (auto _ : etat) {
        etat.PauseTiming();
        QStringList l = lignes;
        etat.ResumeTiming();
        trierLCOrdreMagasin(l, ordre);
        benchmark::DoNotOptimize(l);
    }
}
BENCHMARK(BM_trierMagasin_seul)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->UseRealTime();

// 100 000 lignes affichées, une sur cent cochée.
void poserCentMille(bool modeActif)
{
    g_dm->listeCourses = lignesBanc(100000);
    g_fenetre->majLCExecute();
    g_fenetre->cochesLC().oublier(g_dm->listeCourses);
    for (int i = 0; i < 100000; i += 100)
        g_fenetre->cochesLC().cocher(i, true);
    if (g_fenetre->cochesLC().affichees != modeActif)
        g_fenetre->modeMagasinExecute();
}

void BM_basculerModeMagasin(benchmark::State& etat)
{
    poserCentMille(false);
    for (auto _ : etat)
        g_fenetre->modeMagasinExecute();
}
BENCHMARK(BM_basculerModeMagasin)->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->UseRealTime();

// Rafraîchissement de la liste de 100 000 lignes, mode magasin éteint (0) ou allumé (1).
void BM_majLC_centMille(benchmark::State& etat)
{
    poserCentMille(etat.range(0) != 0);
    for (auto _ : etat)
        g_fenetre->majLCExecute();
}
BENCHMARK(BM_majLC_centMille)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->UseRealTime();

// Une ligne modifiée dans une liste de 100 000 lignes cochées par endroits, mode allumé : les
// coches suivent leurs lignes au rafraîchissement.
void BM_majLC_centMille_ligneModifiee(benchmark::State& etat)
{
    poserCentMille(true);
    const QString premiere = g_dm->listeCourses.at(0);
    const QString changee = QString(premiere).replace(QStringLiteral("|Article"), QStringLiteral("|Autre article"));
    bool modifiee = false;
    for (auto _ : etat) {
        modifiee = !modifiee;
        g_dm->listeCourses[0] = modifiee ? changee : premiere;
        g_fenetre->majLCExecute();
    }
}
BENCHMARK(BM_majLC_centMille_ligneModifiee)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->UseRealTime();

// Ce qu'une liste modifiée coûte aux réglages : suivre les lignes, puis l'empreinte et les indices.
void BM_cochesEnregistrement_centMille(benchmark::State& etat)
{
    const QStringList lignes = lignesBanc(100000);
    QStringList autres = lignes;
    autres[0] += u'x';
    CochesLC coches;
    coches.suivre(lignes);
    for (int i = 0; i < 100000; i += 100)
        coches.cocher(i, true);
    bool bascule = false;
    for (auto _ : etat) {
        bascule = !bascule;
        coches.suivre(bascule ? autres : lignes);
        benchmark::DoNotOptimize(coches.enregistrement());
    }
}
BENCHMARK(BM_cochesEnregistrement_centMille)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->UseRealTime();

// Une coche de plus ou de moins : vue, pied et réglages.
void BM_cocher_centMille(benchmark::State& etat)
{
    poserCentMille(true);
    bool cochee = false;
    for (auto _ : etat) {
        cochee = !cochee;
        g_fenetre->cochesLC().cocher(50001, cochee);
    }
}
BENCHMARK(BM_cocher_centMille)->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    InteractionsBanc interactions;
    QString dossier;
    return lancerBancsFenetre(argc, argv, interactions, g_fenetre, g_dm, dossier);
}
