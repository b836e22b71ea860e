// Commandes d'édition sur une base de 100 000 articles : rechargement de la liste d'articles
// à la sélection d'un rayon de 1 000 articles, déplacement par le dialogue des rayons
// d'un rayon qui en tient 10 000 (copie, détachement, reconstruction de l'arbre), annulation
// de la suppression de ce rayon, frappes dans le champ de recherche.
#include "ArbreRayons.h"
#include "GenerateurBase.h"
#include "Interactions.h"
#include "ParametresRegionaux.h"
#include "Rebuts.h"
#include "RechercheArticles.h"
#include "U_Article.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormArticle.h"
#include "U_VX_FormPrincipale.h"
#include "U_VX_FormRayon.h"
#include "U_rayon.h"
#include "U_vx_compagnon.h"

#include <QApplication>
#include <QCheckBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// Le dialogue des rayons reçoit la destination du banc ; aucune autre question n'est attendue.
class InteractionsBanc : public Interactions
{
public:
    TRayon* destination = nullptr;
    ReponseMessage reponse = ReponseMessage::Non;

    ReponseMessage message(const QString&, TypeMessage, BoutonsMessage, std::optional<ReponseMessage>) override
    {
        return reponse;
    }
    QString saisie(const QString&, const QString&, const QString& defaut) override { return defaut; }
    bool ouvrirFichier(DialogueFichier&) override { return false; }
    bool enregistrerFichier(DialogueFichier&) override { return false; }
    bool choisirCouleur(TColor&) override { return false; }
    bool choisirImprimante(QPrinter&) override { return false; }
    void montrerModal(QWidget* dialogue) override
    {
        auto* d = qobject_cast<TformRayon*>(dialogue);
        if (!d || !destination)
            std::abort();
        d->show();
        d->cbDeplacerCopier->setChecked(true);
        d->rgChoixRayon->setItemIndex(0);
        const QModelIndexList trouves = d->modeleArbre().match(d->modeleArbre().index(0, 0), RoleRayon,
                                                               QVariant::fromValue(static_cast<void*>(destination)), 1,
                                                               Qt::MatchRecursive);
        if (trouves.isEmpty())
            std::abort();
        d->arbreRayons->selectionModel()->setCurrentIndex(trouves.first(), QItemSelectionModel::ClearAndSelect);
        d->btValider->click();
    }
    void erreurStandard(const QString& message) override
    {
        std::fprintf(stderr, "erreur : %s\n", qPrintable(message));
        std::abort();
    }
};

InteractionsBanc* g_interactions = nullptr;

const QStringList k_noms{
    QStringLiteral("Pommes golden"), QStringLiteral("Lait demi-écrémé"), QStringLiteral("Œufs plein air"),
    QStringLiteral("Emmental râpé"), QStringLiteral("Pâtes coquillettes"), QStringLiteral("Café moulu"),
    QStringLiteral("Éponges"), QStringLiteral("Baguette tradition"), QStringLiteral("Thé vert"),
    QStringLiteral("Confiture d'abricots"), QStringLiteral("Haricots verts"), QStringLiteral("Jus d'orange")};

// Remplit rayon de n articles aux noms mêlés (tirage reproductible).
void remplirArticles(TRayon* rayon, int n, std::mt19937& alea)
{
    for (int i = 0; i < n; ++i)
        rayon->creerArticle(k_noms.at(int(alea() % unsigned(k_noms.size()))) + QStringLiteral(" n°%1").arg(alea() % 100000),
                            double(15 + alea() % 2585) / 100.0, QStringLiteral("-"));
}

struct Base
{
    TdmVatrelix dm;
    TFormPrincipale fenetre;
    TRayon* mille = nullptr;  // rayon de 1 000 articles
    TRayon* petit = nullptr;  // rayon ordinaire d'une vingtaine d'articles
    TRayon* stock = nullptr;  // sous-arbre de 10 000 articles, déplacé d'une racine à l'autre
    TRayon* racineA = nullptr;
    TRayon* racineB = nullptr;

    Base()
    {
        // 89 000 articles générés, plus 1 000 et 10 000 : 100 000 en tout.
        genererForet(dm, 89000);
        std::mt19937 alea(2006);
        racineA = dm.ajouterRayonRacine(QStringLiteral("Réserve"));
        racineB = dm.ajouterRayonRacine(QStringLiteral("Entrepôt"));
        mille = racineA->ajouterRayonFils(QStringLiteral("Mille articles"), clWhite, racineA);
        remplirArticles(mille, 1000, alea);
        stock = racineA->ajouterRayonFils(QStringLiteral("Stock"), clWhite, racineA);
        for (int i = 0; i < 10; ++i)
            remplirArticles(stock->ajouterRayonFils(QStringLiteral("Allée %1").arg(i), clWhite, stock), 1000, alea);
        petit = dm.listeRayons.first()->getRayonFils(0);

        fenetre.ui.timerDemarrage->stop();
        fenetre.attacherModuleDonnees(&dm);
        fenetre.attacherDialogues(new TFormArticle(&fenetre), new TformRayon(dm, &fenetre), nullptr, nullptr);
        fenetre.show();
        fenetre.majArbreRayonsExecute();
        QCoreApplication::processEvents();
    }

    int total() const
    {
        int n = 0;
        std::function<void(const TRayon*)> compter = [&](const TRayon* r) {
            n += r->getNbArticles();
            for (int i = 0; i < r->getNbRayonsFils(); ++i)
                compter(r->getRayonFils(i));
        };
        for (const TRayon* r : dm.listeRayons)
            compter(r);
        return n;
    }
};

Base* g_base = nullptr;

double secondesDepuis(std::chrono::steady_clock::time_point debut)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - debut).count();
}

// Sélection du rayon de 1 000 articles : arbreRayonChange remplit et trie la liste.
void BM_selectionRayon1000(benchmark::State& etat)
{
    Base& b = *g_base;
    for (auto _ : etat) {
        b.fenetre.selectionnerRayon(b.petit);
        QCoreApplication::processEvents();
        const auto debut = std::chrono::steady_clock::now();
        b.fenetre.selectionnerRayon(b.mille);
        etat.SetIterationTime(secondesDepuis(debut));
        if (b.fenetre.ui.listeArticles->topLevelItemCount() != 1000)
            std::abort();
    }
    etat.counters["articles_base"] = b.total();
}
BENCHMARK(BM_selectionRayon1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3);

// Même chose, peinture de la liste comprise (boucle d'événements vidée).
void BM_selectionRayon1000Peinte(benchmark::State& etat)
{
    Base& b = *g_base;
    for (auto _ : etat) {
        b.fenetre.selectionnerRayon(b.petit);
        QCoreApplication::processEvents();
        const auto debut = std::chrono::steady_clock::now();
        b.fenetre.selectionnerRayon(b.mille);
        b.fenetre.ui.listeArticles->viewport()->repaint();
        QCoreApplication::processEvents();
        etat.SetIterationTime(secondesDepuis(debut));
    }
}
BENCHMARK(BM_selectionRayon1000Peinte)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3);

// Déplacement par le dialogue d'un rayon de 10 000 articles, d'une racine à l'autre et retour.
void BM_deplacerRayon10000(benchmark::State& etat)
{
    Base& b = *g_base;
    bool versB = true;
    for (auto _ : etat) {
        if (!b.fenetre.selectionnerRayon(b.stock))
            std::abort();
        TRayon* pere = versB ? b.racineB : b.racineA;
        g_interactions->destination = pere;
        const auto debut = std::chrono::steady_clock::now();
        b.fenetre.executer(&TFormPrincipale::modifierRayonExecute);
        etat.SetIterationTime(secondesDepuis(debut));
        // La copie, dernier fils de la destination, devient le rayon à déplacer.
        if (pere->getNbRayonsFils() == 0)
            std::abort();
        b.stock = pere->getRayonFils(pere->getNbRayonsFils() - 1);
        if (b.stock->getNom() != QStringLiteral("Stock"))
            std::abort();
        versB = !versB;
        // Hors mesure : les originaux détachés ne sont plus montrés par aucune vue.
        b.fenetre.ui.listeArticles->clear();
        b.dm.viderRebuts();
    }
    etat.counters["articles_base"] = b.total();
}
BENCHMARK(BM_deplacerRayon10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(3);

// Annuler la suppression du rayon de 10 000 articles : rattachement, arbre refait, liste d'articles
// du rayon choisi rechargée. Rétablir (hors mesure) le supprime de nouveau.
void BM_annulerSuppressionRayon10000(benchmark::State& etat)
{
    Base& b = *g_base;
    // Les pas du banc précédent désignent des éléments déjà détruits par viderRebuts.
    b.fenetre.historiqueBase()->clear();
    if (!b.fenetre.selectionnerRayon(b.stock))
        std::abort();
    TRayon* pere = b.stock->getPere();
    g_interactions->reponse = ReponseMessage::Oui;
    b.fenetre.executer(&TFormPrincipale::supprimerRayonExecute);
    g_interactions->reponse = ReponseMessage::Non;
    if (pere->indiceRayonFils(b.stock) >= 0)
        std::abort();
    for (auto _ : etat) {
        const auto debut = std::chrono::steady_clock::now();
        b.fenetre.executer(&TFormPrincipale::annulerExecute);
        etat.SetIterationTime(secondesDepuis(debut));
        if (pere->indiceRayonFils(b.stock) < 0)
            std::abort();
        b.fenetre.executer(&TFormPrincipale::retablirExecute);
    }
    b.fenetre.executer(&TFormPrincipale::annulerExecute);
    etat.counters["articles_base"] = b.total();
}
BENCHMARK(BM_annulerSuppressionRayon10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3);

// Recherche : une frappe dans le champ, filtre et vue des résultats peinte comprise. L'index
// est déjà construit (il l'est à la première recherche après un changement de la base).
void frapper(Base& b, const QString& texte)
{
    b.fenetre.ui.champRecherche->setText(texte);
    b.fenetre.ui.resultatsRecherche->viewport()->repaint();
}

// Chaque frappe de « lait d » sur toute la base, champ vidé entre deux passages (hors mesure).
void BM_rechercheFrappe(benchmark::State& etat)
{
    Base& b = *g_base;
    b.fenetre.ui.arbreRayon->selectionModel()->clearSelection();
    frapper(b, QStringLiteral("x"));
    const QString mot = QStringLiteral("lait d");
    double pire = 0;
    qsizetype trouves = 0;
    for (auto _ : etat) {
        frapper(b, QString());
        QCoreApplication::processEvents();
        double total = 0;
        for (qsizetype i = 1; i <= mot.size(); ++i) {
            const auto debut = std::chrono::steady_clock::now();
            frapper(b, mot.left(i));
            const double duree = secondesDepuis(debut);
            total += duree;
            pire = std::max(pire, duree);
        }
        etat.SetIterationTime(total / double(mot.size()));
        trouves = b.fenetre.ui.resultatsRecherche->model()->rowCount();
    }
    if (trouves == 0)
        std::abort();
    etat.counters["pire_frappe_ms"] = pire * 1000;
    etat.counters["resultats"] = double(trouves);
}
BENCHMARK(BM_rechercheFrappe)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3);

// Première frappe après un changement de la base : l'index est refait (replis, clés de tri).
void BM_rechercheApresChangement(benchmark::State& etat)
{
    Base& b = *g_base;
    TArticle* a = b.petit->getArticle(0);
    const QString nom = a->getNom();
    bool bascule = false;
    for (auto _ : etat) {
        frapper(b, QString());
        a->setNom(bascule ? nom : nom + QStringLiteral(" bis"));
        bascule = !bascule;
        const auto debut = std::chrono::steady_clock::now();
        frapper(b, QStringLiteral("l"));
        etat.SetIterationTime(secondesDepuis(debut));
    }
    a->setNom(nom);
    frapper(b, QString());
}
BENCHMARK(BM_rechercheApresChangement)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4)->Repetitions(3);

// Construction complète de l'index : une fois par base chargée, quand le champ prend le focus.
void BM_rechercheIndexComplet(benchmark::State& etat)
{
    for (auto _ : etat) {
        IndexRecherche index;
        const auto debut = std::chrono::steady_clock::now();
        index.actualiser(g_base->dm.listeRayons);
        etat.SetIterationTime(secondesDepuis(debut));
        if (index.taille() != g_base->total())
            std::abort();
    }
}
BENCHMARK(BM_rechercheIndexComplet)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ParametresRegionaux::definir(ParametresRegionaux::francais());
    InteractionsBanc interactions;
    g_interactions = &interactions;
    Interactions::definir(&interactions);
    initialiserCompagnon();
    {
        Base base;
        g_base = &base;
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        g_base = nullptr;
    }
    Rebuts::vider();
    terminerCompagnon();
    Interactions::definir(nullptr);
    return 0;
}
