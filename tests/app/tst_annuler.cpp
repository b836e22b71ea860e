// Annuler et rétablir sur la vraie fenêtre : chaque édition de la base et de la liste est
// défaite et refaite à l'octet près (base XML et fichier de liste écrits dans les deux états).
#include "FenetreTest.h"
#include "FichierLC.h"
#include "U_VX_FormOrdreMagasin.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QDropEvent>
#include <QMimeData>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

using Edition = std::function<void(FenetreTest&)>;

const QString lait = u"2|Lait|demi-écrémé|Crèmerie|0,89 €|1,78 €"_s;
const QString pomme = u"1|Pomme|-|Fruits|0,50 €|0,50 €"_s;

class ProgressionMuette : public ProgressionBase
{
public:
    void progression(const QString&) override {}
};

// Modifie le rayon (racine ou fils d'une racine) par son dialogue : nouveau nom, puis déplacement (0) ou copie (1)
// sous destination quand elle est donnée.
Edition parDialogueRayon(const QString& chemin, const QString& nom, int choix = -1, const QString& destination = {})
{
    return [=](FenetreTest& m) {
        TRayon* r = nullptr;
        for (TRayon* x : m.dm->listeRayons) {
            if (x->getNom() == chemin)
                r = x;
            for (int i = 0; i < x->getNbRayonsFils(); ++i)
                if (x->getRayonFils(i)->getNom() == chemin)
                    r = x->getRayonFils(i);
        }
        m.choisirRayon(r);
        m.interactions->surDialogue([&m, nom, choix, destination](QWidget* w) {
            auto* d = qobject_cast<TformRayon*>(w);
            d->edNom->setText(nom);
            if (choix >= 0) {
                d->cbDeplacerCopier->setChecked(true);
                d->rgChoixRayon->setItemIndex(choix);
                const QModelIndexList trouves = d->modeleArbre().match(
                    d->modeleArbre().index(0, 0), Qt::DisplayRole, destination, 1, Qt::MatchRecursive);
                QVERIFY(!trouves.isEmpty());
                d->arbreRayons->selectionModel()->setCurrentIndex(trouves.first(), QItemSelectionModel::ClearAndSelect);
            }
            d->btValider->click();
        });
        m.f().action(u"modifierRayon"_s)->trigger();
    };
}

Edition commande(const char* nom)
{
    return [nom](FenetreTest& m) { m.f().action(QString::fromLatin1(nom))->trigger(); };
}

} // namespace

Q_DECLARE_METATYPE(Edition)

class TestAnnuler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup() { m.reset(); }
    void annulerRetablir_octets_data();
    void annulerRetablir_octets();
    void ordreDesDeuxHistoriques_etRaccourcis();
    void historiques_oubliesAuRechargementEtALOuverture();
    void titre_suitLaListe();
    void historiqueListe_lesPlusRecentsDansLeBudget();

private:
    QList<qsizetype> coches() const
    {
        const std::vector<qsizetype> c = m->f().cochesLC().indices();
        return {c.begin(), c.end()};
    }
    QByteArray octetsBase()
    {
        ProgressionMuette p;
        m->dm->enregistrerBase(p);
        return lireOctetsBruts(TdmVatrelix::cheminBase());
    }
    QByteArray octetsListe()
    {
        const QString chemin = m->env->chemin(u"etat.lvtx"_s);
        ecrireFichierLC(chemin, m->lignes());
        return lireOctetsBruts(chemin);
    }

    std::unique_ptr<FenetreTest> m;
    TRayon* m_fruits = nullptr;
};

void TestAnnuler::init()
{
    m = std::make_unique<FenetreTest>();
    m_fruits = m->rayon(u"Fruits"_s, {{u"Pomme"_s, 0.5, u"-"_s}, {u"Poire"_s, 0.75, u"conférence"_s}});
    m_fruits->ajouterRayonFils(u"Agrumes"_s, clWhite, m_fruits)->creerArticle(u"Orange"_s, 0.3, u"-"_s);
    m->rayon(u"Crèmerie"_s, {{u"Lait"_s, 0.89, u"demi-écrémé"_s}});
    m->poser({lait, pomme, lait});
    m->choisirRayon(m_fruits);
}

void TestAnnuler::annulerRetablir_octets_data()
{
    QTest::addColumn<Edition>("edition");
    QTest::addColumn<QString>("libelle"); // de la commande Annuler après l'édition

    QTest::newRow("rayon fils") << Edition([](FenetreTest& m) {
        m.interactions->repondreSaisie(u"Pépins"_s);
        m.f().action(u"ajouterRayon"_s)->trigger();
    }) << u"A&nnuler Ajouter un rayon"_s;
    QTest::newRow("rayon racine") << Edition([](FenetreTest& m) {
        m.interactions->repondreSaisie(u"Hygiène"_s);
        m.f().action(u"ajouterRayonRacine"_s)->trigger();
    }) << u"A&nnuler Ajouter un rayon racine"_s;
    QTest::newRow("rayon renommé")
        << parDialogueRayon(u"Crèmerie"_s, u"Laitages"_s) << u"A&nnuler Modifier le rayon"_s;
    QTest::newRow("rayon déplacé par le dialogue")
        << parDialogueRayon(u"Agrumes"_s, u"Hespéridés"_s, 0, u"Crèmerie"_s) << u"A&nnuler Modifier le rayon"_s;
    QTest::newRow("rayon copié par le dialogue")
        << parDialogueRayon(u"Agrumes"_s, u"Agrumes"_s, 1, u"Crèmerie"_s) << u"A&nnuler Modifier le rayon"_s;
    QTest::newRow("rayon supprimé") << Edition([](FenetreTest& m) {
        m.interactions->repondre(ReponseMessage::Oui);
        m.f().action(u"supprimerRayon"_s)->trigger();
    }) << u"A&nnuler Supprimer le rayon"_s;
    QTest::newRow("article ajouté") << Edition([](FenetreTest& m) {
        m.interactions->surDialogue([](QWidget* w) {
            auto* d = qobject_cast<TFormArticle*>(w);
            d->edNom->setText(u"Kiwi"_s);
            d->edPrix->setText(u"0,2"_s);
            d->btValider->click();
        });
        m.f().action(u"ajouterArticle"_s)->trigger();
    }) << u"A&nnuler Ajouter un article"_s;
    QTest::newRow("article modifié") << Edition([](FenetreTest& m) {
        m.choisirArticles({u"Poire"_s});
        m.interactions->surDialogue([](QWidget* w) {
            auto* d = qobject_cast<TFormArticle*>(w);
            d->edNom->setText(u"Poire williams"_s);
            d->edPrix->setText(u"1,1"_s);
            d->memoRemarque->setText(u"mûre"_s);
            d->btValider->click();
        });
        m.f().action(u"modifierArticle"_s)->trigger();
    }) << u"A&nnuler Modifier l'article"_s;
    QTest::newRow("articles supprimés") << Edition([](FenetreTest& m) {
        m.choisirArticles({u"Pomme"_s, u"Poire"_s});
        m.f().action(u"supprimerArticle"_s)->trigger();
    }) << u"A&nnuler Supprimer l'article"_s;
    QTest::newRow("rayon glissé sur un autre") << Edition([](FenetreTest& m) {
        m.f().show();
        QVERIFY(QTest::qWaitForWindowExposed(&m.f()));
        m.choisirRayon(m.dm->listeRayons.at(0));
        QWidget* vp = m.f().ui.arbreRayon->viewport();
        const QPoint p = m.f().ui.arbreRayon->visualRect(m.noeud(m.dm->listeRayons.at(1))).center();
        std::unique_ptr<QMimeData> donnees(TFormPrincipale::donneesGlisser(m.f().ui.arbreRayon));
        QDragEnterEvent entree(p, Qt::CopyAction | Qt::MoveAction, donnees.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &entree);
        QDropEvent depot(QPointF(p), Qt::CopyAction | Qt::MoveAction, donnees.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &depot);
    }) << u"A&nnuler Déplacer par glissement"_s;
    QTest::newRow("ancienne base importée") << Edition([](FenetreTest& m) {
        const QString chemin = m.env->chemin(u"courses.txt"_s);
        ecrireOctetsBruts(chemin, versAnsi(u"Lait"_s.leftJustified(40) + u"0,89"_s.leftJustified(10)
                                           + u"Pain"_s.leftJustified(40) + u"1"_s.leftJustified(10)));
        m.interactions->repondreFichier(chemin);
        m.f().action(u"importerBD"_s)->trigger();
    }) << u"A&nnuler Importer Base"_s;

    QTest::newRow("liste : ajout") << Edition([](FenetreTest& m) {
        m.choisirArticles({u"Poire"_s});
        m.repondreQuantite(3);
        m.f().action(u"ajouterDansLC"_s)->trigger();
    }) << u"A&nnuler Ajouter"_s;
    QTest::newRow("liste : quantité") << Edition([](FenetreTest& m) {
        m.choisirLignes({1});
        m.repondreQuantite(4);
        m.f().action(u"modifierNbLC"_s)->trigger();
    }) << u"A&nnuler Modifier"_s;
    QTest::newRow("liste : suppression") << Edition([](FenetreTest& m) {
        m.choisirLignes({0, 2});
        m.f().action(u"supprimerDeLC"_s)->trigger();
    }) << u"A&nnuler Supprimer"_s;
    QTest::newRow("liste : fusion") << commande("fusionnerLignesLC") << u"A&nnuler Fusionner lignes"_s;
    QTest::newRow("liste : tri") << commande("trierLC") << u"A&nnuler Trier la liste par rayon"_s;
    QTest::newRow("liste : tri du magasin") << Edition([](FenetreTest& m) {
        // Le premier tri demande l'ordre : Fruits monte en tête.
        m.interactions->surDialogue([](QWidget* w) {
            auto* d = static_cast<TformOrdreMagasin*>(w);
            d->lbRayons->setCurrentRow(1);
            d->btMonter->click();
            d->btValider->click();
        });
        m.f().action(u"trierLCMagasin"_s)->trigger();
    }) << u"A&nnuler Trier dans l'ordre du magasin"_s;
    QTest::newRow("liste : import") << Edition([](FenetreTest& m) {
        const QString autre = m.env->chemin(u"autre.lvtx"_s);
        ecrireOctetsBruts(autre, versAnsi(pomme) + "\r\n");
        m.interactions->repondreFichier(autre);
        m.interactions->repondre(ReponseMessage::Non);
        m.f().action(u"importerLC"_s)->trigger();
    }) << u"A&nnuler Importer Liste"_s;
    QTest::newRow("liste : nouvelle") << Edition([](FenetreTest& m) {
        m.interactions->repondre(ReponseMessage::Non);
        m.f().action(u"nouvelleListe"_s)->trigger();
    }) << u"A&nnuler Nouvelle Liste"_s;
}

void TestAnnuler::annulerRetablir_octets()
{
    QFETCH(Edition, edition);
    QFETCH(QString, libelle);
    const QByteArray baseAvant = octetsBase();
    const QByteArray listeAvant = octetsListe();
    QAction* annuler = m->f().action(u"annuler"_s);
    QAction* retablir = m->f().action(u"retablir"_s);
    QVERIFY(!annuler->isEnabled());
    // Les coches reviennent avec les lignes, même celles d'une ligne retirée.
    m->f().cochesLC().cocher(0, true);
    const QList<qsizetype> cochesAvant = coches();

    edition(*m);
    const QByteArray baseApres = octetsBase();
    const QByteArray listeApres = octetsListe();
    const QList<qsizetype> cochesApres = coches();
    QVERIFY(baseApres != baseAvant || listeApres != listeAvant);
    QCOMPARE(annuler->text(), libelle);
    QVERIFY(m->interactions->questionsDe(GenreQuestion::Erreur).isEmpty());

    annuler->trigger();
    QCOMPARE(octetsBase(), baseAvant);
    QCOMPARE(octetsListe(), listeAvant);
    QCOMPARE(coches(), cochesAvant);
    QVERIFY(!annuler->isEnabled());
    QCOMPARE(retablir->text(), u"&Rétablir"_s + libelle.mid(8));

    retablir->trigger();
    QCOMPARE(octetsBase(), baseApres);
    QCOMPARE(octetsListe(), listeApres);
    QCOMPARE(coches(), cochesApres);
    // Une seconde fois : les éléments repris aux rebuts y retournent et en reviennent.
    annuler->trigger();
    QCOMPARE(octetsBase(), baseAvant);
    retablir->trigger();
    QCOMPARE(octetsBase(), baseApres);
    QCOMPARE(octetsListe(), listeApres);
}

void TestAnnuler::ordreDesDeuxHistoriques_etRaccourcis()
{
    m->f().show();
    QVERIFY(QTest::qWaitForWindowActive(&m->f()));
    const QByteArray base0 = octetsBase();
    const QStringList lignes0 = m->lignes();
    m->interactions->repondreSaisie(u"Hygiène"_s);
    m->f().action(u"ajouterRayonRacine"_s)->trigger();
    const QByteArray base1 = octetsBase();
    m->f().action(u"trierLC"_s)->trigger();
    const QStringList lignes1 = m->lignes();

    // Ctrl+Z défait le plus récent des deux documents d'abord.
    QTest::keyClick(&m->f(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m->lignes(), lignes0);
    QCOMPARE(octetsBase(), base1);
    QCOMPARE(m->f().texteStatut(), FenetreTest::statutDate(u"Annulation : Trier la liste par rayon ["_s));
    QTest::keyClick(&m->f(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(octetsBase(), base0);
    // Rétablir dans l'ordre : Ctrl+Y, puis Ctrl+Maj+Z.
    QTest::keyClick(&m->f(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(octetsBase(), base1);
    QCOMPARE(m->lignes(), lignes0);
    QTest::keyClick(&m->f(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m->lignes(), lignes1);
    // Une nouvelle édition efface ce qui restait à rétablir dans son document.
    QTest::keyClick(&m->f(), Qt::Key_Z, Qt::ControlModifier);
    m->f().action(u"fusionnerLignesLC"_s)->trigger();
    QVERIFY(!m->f().historiqueListe()->canRedo());
}

void TestAnnuler::historiques_oubliesAuRechargementEtALOuverture()
{
    m->interactions->repondreSaisie(u"Hygiène"_s);
    m->f().action(u"ajouterRayonRacine"_s)->trigger();
    m->f().action(u"trierLC"_s)->trigger();
    QVERIFY(m->f().historiqueBase()->canUndo() && m->f().historiqueListe()->canUndo());

    const QString liste = m->env->chemin(u"ouverte.lvtx"_s);
    ecrireFichierLC(liste, {pomme});
    m->interactions->repondre(ReponseMessage::Non); // la liste modifiée n'est pas enregistrée
    // Par une édition (liste récente, démarrage) : ni la lecture ni ce qui la précède n'y entrent.
    m->f().executerEdition(u"Ouvrir"_s, [&] { m->f().ouvrirFichierLC(liste); });
    QVERIFY(!m->f().historiqueListe()->canUndo());
    QVERIFY(m->f().historiqueBase()->canUndo());

    octetsBase();
    m->f().executerEdition(u"Recharger"_s, [&] { m->f().rechargerBDExecute(); });
    QVERIFY(!m->f().historiqueBase()->canUndo());
    QVERIFY(!m->f().action(u"annuler"_s)->isEnabled());
    QVERIFY(m->interactions->questionsDe(GenreQuestion::Erreur).isEmpty());
}

void TestAnnuler::titre_suitLaListe()
{
    const QString titre = u"Tavelquirn - Vatrelix 2006"_s;
    const QString chemin = m->env->chemin(u"courses.lvtx"_s);
    ecrireFichierLC(chemin, {pomme});
    m->interactions->repondre(ReponseMessage::Non);
    m->f().ouvrirFichierLC(chemin);
    QCOMPARE(m->f().windowTitle(), u"courses.lvtx - "_s + titre);
    m->f().action(u"trierLC"_s)->trigger(); // une seule ligne : rien ne change
    QCOMPARE(m->f().windowTitle(), u"courses.lvtx - "_s + titre);
    m->choisirArticles({u"Poire"_s});
    m->repondreQuantite(1);
    m->f().action(u"ajouterDansLC"_s)->trigger();
    QCOMPARE(m->f().windowTitle(), u"courses.lvtx* - "_s + titre);
    // Défaire jusqu'à l'état enregistré : plus rien à enregistrer.
    m->f().action(u"annuler"_s)->trigger();
    QCOMPARE(m->f().windowTitle(), u"courses.lvtx - "_s + titre);
    m->f().action(u"retablir"_s)->trigger();
    m->f().action(u"enregistrerLC"_s)->trigger();
    QCOMPARE(m->f().windowTitle(), u"courses.lvtx - "_s + titre);
    // Une nouvelle liste vide n'a pas de nom ; défaite, la liste et son fichier reviennent.
    m->f().action(u"nouvelleListe"_s)->trigger();
    QCOMPARE(m->f().windowTitle(), titre);
    m->f().action(u"annuler"_s)->trigger();
    QCOMPARE(m->f().windowTitle(), u"courses.lvtx - "_s + titre);
    QCOMPARE(m->f().reglages.fichierLC, chemin);
}

void TestAnnuler::historiqueListe_lesPlusRecentsDansLeBudget()
{
    QStringList lignes;
    for (int i = 0; i < 20; ++i)
        lignes << u"1|Article %1|-|Fruits|1,00 €|1,00 €"_s.arg(i, 2, 10, QLatin1Char('0'));
    m->poser(lignes);
    // Un pas qui retire une ligne de 36 caractères en garde 96 octets : le budget en tient quatre.
    m->f().budgetHistoriqueListe = 400;
    for (int i = 0; i < 10; ++i) {
        m->choisirLignes({0});
        m->f().action(u"supprimerDeLC"_s)->trigger();
    }
    QCOMPARE(m->f().historiqueListe()->count(), 4);
    QCOMPARE(m->f().action(u"annuler"_s)->text(), u"A&nnuler Supprimer"_s);
    for (int i = 0; i < 4; ++i)
        m->f().action(u"annuler"_s)->trigger();
    QCOMPARE(m->lignes(), lignes.mid(6));
    QVERIFY(!m->f().action(u"annuler"_s)->isEnabled());
}

QTEST_MAIN(TestAnnuler)
#include "tst_annuler.moc"
