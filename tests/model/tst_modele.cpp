// Rayons et articles : constructeurs, recherches par identité, détachement, descendance ;
// index de recherche remis à jour après un changement.
#include "Erreurs.h"
#include "Rebuts.h"
#include "RechercheArticles.h"
#include "U_Article.h"
#include "U_rayon.h"

#include <QTest>

#include <QHash>
#include <QScopeGuard>

#include <functional>
#include <memory>

class TestModele : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { Rebuts::vider(); }

    void articleNeuf_remarqueTiret()
    {
        TArticle a(QStringLiteral("Pommes"), 1.5);
        QCOMPARE(a.getRemarque(), QStringLiteral("-"));
        QCOMPARE(a.getNom(), QStringLiteral("Pommes"));
        QCOMPARE(a.getPrix(), 1.5);
        a.setRemarque(QString());
        QCOMPARE(a.getRemarque(), QString());
    }

    void constructeurs_couleurEtPere()
    {
        TRayon blanc(QStringLiteral("Fruits"));
        QCOMPARE(blanc.getCouleur(), TColor(0x00FFFFFF));
        QCOMPARE(blanc.getPere(), nullptr);
        QCOMPARE(blanc.getNbRayonsFils(), 0);
        QCOMPARE(blanc.getNbArticles(), 0);

        TRayon colore(QStringLiteral("Légumes"), clCream);
        QCOMPARE(colore.getCouleur(), clCream);
        QCOMPARE(colore.getPere(), nullptr);

        TRayon fils(QStringLiteral("Agrumes"), clSkyBlue, &blanc);
        QCOMPARE(fils.getPere(), &blanc);
        QCOMPARE(blanc.getNbRayonsFils(), 0); // le constructeur ne rattache pas
    }

    void homonymes_tousGardesEtCherchesParIdentite()
    {
        TRayon r(QStringLiteral("R"));
        TRayon* f1 = r.ajouterRayonFils(QStringLiteral("Même"), clWhite, &r);
        TRayon* f2 = r.ajouterRayonFils(QStringLiteral("Même"), clWhite, &r);
        TArticle* a1 = r.creerArticle(QStringLiteral("Lait"), 1, QStringLiteral("-"));
        TArticle* a2 = r.creerArticle(QStringLiteral("Lait"), 1, QStringLiteral("-"));
        QCOMPARE(r.getNbRayonsFils(), 2);
        QCOMPARE(r.getNbArticles(), 2);
        QCOMPARE(r.indiceRayonFils(f2), 1);
        QCOMPARE(r.indiceArticle(a2), 1);
        QCOMPARE(r.getRayonFils(1), f2);
        QCOMPARE(f1->getPere(), &r);

        TRayon etranger(QStringLiteral("Même"));
        TArticle article(QStringLiteral("Lait"), 1);
        QCOMPARE(r.indiceRayonFils(&etranger), -1);
        QCOMPARE(r.indiceArticle(&article), -1);

        // Retrait par pointeur d'un étranger : rien ne bouge.
        r.retirerRayonFils(&etranger);
        r.retirerArticle(&article);
        QCOMPARE(r.getNbRayonsFils(), 2);
        QCOMPARE(r.getNbArticles(), 2);

        r.retirerArticle(a1);
        QCOMPARE(r.getNbArticles(), 1);
        QCOMPARE(r.getArticle(0), a2);
    }

    void creerArticle_fixeLaRemarque()
    {
        TRayon r(QStringLiteral("R"));
        TArticle* a = r.creerArticle(QStringLiteral("Thé"), 3.25, QStringLiteral("vert"));
        QCOMPARE(a->getRemarque(), QStringLiteral("vert"));
        QCOMPARE(a->getPrix(), 3.25);
        QCOMPARE(r.getArticle(r.getNbArticles() - 1), a);
    }

    void indiceHorsLimites_EListError_data()
    {
        QTest::addColumn<int>("indice");
        QTest::addColumn<QString>("operation");
        for (const char* op : {"getRayonFils", "getArticle", "retirerRayonFils", "retirerArticle"}) {
            for (int i : {-1, 2, 100})
                QTest::addRow("%s(%d)", op, i) << i << QString::fromLatin1(op);
        }
    }

    void indiceHorsLimites_EListError()
    {
        QFETCH(int, indice);
        QFETCH(QString, operation);
        TRayon r(QStringLiteral("R"));
        r.ajouterRayonFils(QStringLiteral("a"), clWhite, &r);
        r.ajouterRayonFils(QStringLiteral("b"), clWhite, &r);
        r.creerArticle(QStringLiteral("x"), 1, QStringLiteral("-"));
        r.creerArticle(QStringLiteral("y"), 1, QStringLiteral("-"));
        const std::map<QString, std::function<void()>> ops{
            {QStringLiteral("getRayonFils"), [&] { r.getRayonFils(indice); }},
            {QStringLiteral("getArticle"), [&] { r.getArticle(indice); }},
            {QStringLiteral("retirerRayonFils"), [&] { r.retirerRayonFils(indice); }},
            {QStringLiteral("retirerArticle"), [&] { r.retirerArticle(indice); }},
        };
        QVERIFY_THROWS_EXCEPTION(EListError, ops.at(operation)());
        QCOMPARE(r.getNbRayonsFils(), 2);
        QCOMPARE(r.getNbArticles(), 2);
    }

    void retrait_garderSousArbreEtPere()
    {
        auto r = std::make_unique<TRayon>(QStringLiteral("R"));
        TRayon* f = r->ajouterRayonFils(QStringLiteral("F"), clWhite, r.get());
        TRayon* pf = f->ajouterRayonFils(QStringLiteral("PF"), clWhite, f);
        TArticle* a = f->creerArticle(QStringLiteral("A"), 2, QStringLiteral("-"));
        r->retirerRayonFils(0);
        QCOMPARE(r->getNbRayonsFils(), 0);
        QCOMPARE(f->getPere(), r.get());
        QCOMPARE(f->getRayonFils(0), pf);
        QCOMPARE(f->getArticle(0), a);
        QCOMPARE(Rebuts::nombre(), 1);
        // Le rayon détaché survit à son ancien père jusqu'au vidage des rebuts.
        r.reset();
        QCOMPARE(f->getNom(), QStringLiteral("F"));
        QCOMPARE(pf->getPere(), f);
    }

    void contientRayon_profondeurEtIdentite()
    {
        TRayon r(QStringLiteral("R"));
        TRayon* a = r.ajouterRayonFils(QStringLiteral("A"), clWhite, &r);
        TRayon* b = r.ajouterRayonFils(QStringLiteral("B"), clWhite, &r);
        TRayon* b1 = b->ajouterRayonFils(QStringLiteral("B1"), clWhite, b);
        TRayon* b11 = b1->ajouterRayonFils(QStringLiteral("B11"), clWhite, b1);
        TRayon homonyme(QStringLiteral("B11"));

        QVERIFY(r.contientRayon(a));
        QVERIFY(r.contientRayon(b11));
        QVERIFY(b->contientRayon(b11));
        QVERIFY(!a->contientRayon(b11));
        QVERIFY(!r.contientRayon(&homonyme));
        QVERIFY(!r.contientRayon(&r));
        QVERIFY(!a->contientRayon(a)); // sans fils
        QVERIFY(!b11->contientRayon(&r));

        QVERIFY(b11->estDescendantDe(&r));
        QVERIFY(b11->estDescendantDe(b));
        QVERIFY(!b->estDescendantDe(b11));
        QVERIFY(!b->estDescendantDe(b));
        QVERIFY(!a->estDescendantDe(b));
        QVERIFY(!a->estDescendantDe(nullptr));

        // Après détachement, le sous-arbre n'est plus descendant de l'ancien père.
        r.retirerRayonFils(b);
        QVERIFY(!b11->estDescendantDe(&r));
        QVERIFY(b11->estDescendantDe(b));
    }

    // Forêt : R { A { A1 { A11 } }, B }, S, et P1 … P100, une chaîne à la profondeur maximale.
    void indexRecherche_miseAJourCommeConstructionNeuve_data()
    {
        QTest::addColumn<QString>("changement");
        for (const char* c : {"renommer article", "prix", "renommer rayon", "ajouter article", "ajouter homonyme",
                              "déplacer article", "retirer article", "retirer rayon", "ajouter rayon", "déplacer rayon",
                              "vider la forêt"})
            QTest::newRow(c) << QString::fromUtf8(c);
    }

    void indexRecherche_miseAJourCommeConstructionNeuve()
    {
        QFETCH(QString, changement);
        QList<TRayon*> foret;
        auto liberer = qScopeGuard([&] { qDeleteAll(foret); });
        for (const char* nom : {"Épicerie", "Crèmerie", "Boulangerie"}) {
            auto* r = new TRayon(QString::fromUtf8(nom));
            foret << r;
            for (int i = 0; i < 6; ++i)
                r->creerArticle(QStringLiteral("Article %1").arg(i % 4), i, QStringLiteral("rem %1").arg(i));
            TRayon* fils = r->ajouterRayonFils(QString::fromUtf8(nom) + QStringLiteral(" fine"), clWhite, r);
            fils->creerArticle(QStringLiteral("Éclair"), 1, QStringLiteral("-"));
            fils->creerArticle(QStringLiteral("Article 1"), 2, QStringLiteral("-"));
        }
        IndexRecherche index;
        index.actualiser(foret);
        index.chercher(QStringLiteral("art"), nullptr);
        TRayon* premier = foret[0];
        TRayon* second = foret[1];
        if (changement == u"renommer article")
            second->getArticle(2)->setNom(QStringLiteral("Zeste"));
        else if (changement == u"prix")
            second->getArticle(2)->setPrix(9);
        else if (changement == u"renommer rayon")
            second->setNom(QStringLiteral("Alimentation"));
        else if (changement == u"ajouter article")
            second->creerArticle(QStringLiteral("Beurre"), 2, QStringLiteral("doux"));
        else if (changement == u"ajouter homonyme")
            premier->getRayonFils(0)->creerArticle(QStringLiteral("Article 1"), 2, QStringLiteral("-"));
        else if (changement == u"déplacer article") {
            TArticle* a = second->getArticle(0);
            second->retirerArticle(a);
            premier->creerArticle(a->getNom(), a->getPrix(), a->getRemarque());
        } else if (changement == u"retirer article")
            second->retirerArticle(0);
        else if (changement == u"retirer rayon")
            premier->retirerRayonFils(0);
        else if (changement == u"ajouter rayon")
            second->ajouterRayonFils(QStringLiteral("Aaa"), clWhite, second)->creerArticle(QStringLiteral("Article 0"), 1, {});
        else if (changement == u"déplacer rayon")
            foret.move(2, 0);
        else {
            qDeleteAll(foret);
            foret.clear();
        }
        QVERIFY(index.actualiser(foret));
        QVERIFY(!index.actualiser(foret));
        IndexRecherche neuf;
        neuf.actualiser(foret);
        const auto montre = [](IndexRecherche& i, const QString& texte, const TRayon* portee) {
            QStringList l;
            for (int k : i.chercher(texte, portee)) {
                const ResultatRecherche& r = i.resultat(k);
                l << QStringLiteral("%1|%2|%3|%4").arg(r.nom, r.nomRayon).arg(quintptr(r.article)).arg(r.prix);
            }
            return l;
        };
        for (const TRayon* portee : {static_cast<const TRayon*>(nullptr), static_cast<const TRayon*>(foret.value(1))}) {
            const QStringList attendus = montre(neuf, QStringLiteral("art"), portee);
            QCOMPARE(montre(index, QStringLiteral("art"), portee), attendus);
            QCOMPARE(montre(index, {}, portee), montre(neuf, {}, portee));
        }
    }

    void destinationRayonAdmise_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("cible");
        QTest::addColumn<bool>("admise");
        const auto ligne = [](const char* cas, const char* source, const char* cible, bool admise) {
            QTest::newRow(cas) << QString::fromLatin1(source) << QString::fromLatin1(cible) << admise;
        };
        ligne("lui-même", "A", "A", false);
        ligne("son père", "A1", "A", false);
        ligne("son fils", "A", "A1", false);
        ligne("son petit-fils", "A", "A11", false);
        ligne("son grand-père", "A1", "R", true);
        ligne("un frère", "A", "B", true);
        ligne("une autre racine", "R", "S", true);
        ligne("une racine sous sa propre feuille", "R", "A11", false);
        ligne("sans source", "", "B", false);
        ligne("sans cible", "B", "", false);
        ligne("feuille au dernier niveau admis", "B", "P99", true);
        ligne("feuille un niveau trop bas", "B", "P100", false);
        ligne("sous-arbre trop haut pour la place", "A", "P98", false);
        ligne("sous-arbre juste à sa place", "A", "P97", true);
    }

    void destinationRayonAdmise()
    {
        QFETCH(QString, source);
        QFETCH(QString, cible);
        QFETCH(bool, admise);
        TRayon r(QStringLiteral("R"));
        TRayon s(QStringLiteral("S"));
        TRayon p(QStringLiteral("P1"));
        TRayon* a = r.ajouterRayonFils(QStringLiteral("A"), clWhite, &r);
        TRayon* a1 = a->ajouterRayonFils(QStringLiteral("A1"), clWhite, a);
        a1->ajouterRayonFils(QStringLiteral("A11"), clWhite, a1);
        r.ajouterRayonFils(QStringLiteral("B"), clWhite, &r);
        for (TRayon* q = &p; q->getProfondeur() < profondeurMaxRayons;)
            q = q->ajouterRayonFils(QStringLiteral("P%1").arg(q->getProfondeur() + 1), clWhite, q);
        QHash<QString, TRayon*> rayons;
        const std::function<void(TRayon*)> nommer = [&](TRayon* x) {
            rayons.insert(x->getNom(), x);
            for (int i = 0; i < x->getNbRayonsFils(); ++i)
                nommer(x->getRayonFils(i));
        };
        for (TRayon* racine : {&r, &s, &p})
            nommer(racine);
        QCOMPARE(::destinationRayonAdmise(rayons.value(source), rayons.value(cible)), admise);
    }
};

QTEST_GUILESS_MAIN(TestModele)
#include "tst_modele.moc"
