// La forêt du module de données : racines, vidage, copie profonde, rebuts.
#include "DescriptionForet.h"
#include "Rebuts.h"
#include "U_VX_DataModule.h"

#include <QTest>

class TestForet : public QObject
{
    Q_OBJECT

    // Fruits[Agrumes[Citrons()(Citron) ](Orange) Rouges()()](Pomme Pomme)
    static TRayon* remplir(TdmVatrelix& dm)
    {
        TRayon* fruits = dm.ajouterRayonRacine(QStringLiteral("Fruits"), clCream);
        TRayon* agrumes = fruits->ajouterRayonFils(QStringLiteral("Agrumes"), 0x123456, fruits);
        TRayon* citrons = agrumes->ajouterRayonFils(QStringLiteral("Citrons"), clWhite, agrumes);
        citrons->creerArticle(QStringLiteral("Citron"), 0.35, QStringLiteral("bio"));
        agrumes->creerArticle(QStringLiteral("Orange"), 0.5, QStringLiteral("-"));
        fruits->ajouterRayonFils(QStringLiteral("Rouges"), clBtnFace, fruits);
        fruits->creerArticle(QStringLiteral("Pomme"), 1.5, QStringLiteral("-"));
        fruits->creerArticle(QStringLiteral("Pomme"), 2, QStringLiteral("golden"));
        return fruits;
    }

private Q_SLOTS:
    void cleanup() { Rebuts::vider(); }

    void ajouterRayonRacine_enFinSansPere()
    {
        TdmVatrelix dm;
        QVERIFY(dm.listeRayons.isEmpty());
        QVERIFY(dm.listeCourses.isEmpty());
        TRayon* a = dm.ajouterRayonRacine(QStringLiteral("A"));
        TRayon* b = dm.ajouterRayonRacine(QStringLiteral("A"), clCream);
        QCOMPARE(dm.listeRayons, (QList<TRayon*>{a, b}));
        QCOMPARE(a->getCouleur(), clWhite);
        QCOMPARE(b->getCouleur(), clCream);
        QCOMPARE(b->getPere(), nullptr);
    }

    void retirerRayonRacine_parIdentite()
    {
        TdmVatrelix dm;
        TRayon* a = dm.ajouterRayonRacine(QStringLiteral("A"));
        TRayon* b = dm.ajouterRayonRacine(QStringLiteral("B"));
        TRayon* fils = a->ajouterRayonFils(QStringLiteral("B"), clWhite, a);
        dm.retirerRayonRacine(fils); // pas une racine : rien
        QCOMPARE(dm.listeRayons.size(), 2);
        dm.retirerRayonRacine(a);
        QCOMPARE(dm.listeRayons, QList<TRayon*>{b});
        // Détaché, pas détruit : une vue peut encore le lire.
        QCOMPARE(a->getRayonFils(0), fils);
        dm.retirerRayonRacine(a);
        QCOMPARE(dm.listeRayons.size(), 1);
    }

    void viderListeRayons_puisViderRebuts()
    {
        TdmVatrelix dm;
        remplir(dm);
        TRayon* autre = dm.ajouterRayonRacine(QStringLiteral("Autre"));
        dm.viderListeRayons();
        QVERIFY(dm.listeRayons.isEmpty());
        QCOMPARE(autre->getNom(), QStringLiteral("Autre"));
        QCOMPARE(Rebuts::nombre(), 2);
        dm.viderRebuts();
        QCOMPARE(Rebuts::nombre(), 0);
    }

    void copierRayon_copieProfondeOrdonneeEtIndependante()
    {
        TdmVatrelix dm;
        TRayon* fruits = remplir(dm);
        TRayon* cible = dm.ajouterRayonRacine(QStringLiteral("Cible"));
        cible->creerArticle(QStringLiteral("Déjà là"), 1, QStringLiteral("-"));
        const QString avant = decrireRayon(fruits, nullptr);

        TRayon* copie = dm.copierRayon(fruits, cible);
        QCOMPARE(cible->getRayonFils(cible->getNbRayonsFils() - 1), copie);
        QCOMPARE(copie->getPere(), cible);
        QCOMPARE(decrireRayon(copie, cible), avant);
        QCOMPARE(decrireRayon(fruits, nullptr), avant);

        // Aucune cellule partagée : modifier la copie laisse la source intacte.
        QVERIFY(copie->getRayonFils(0) != fruits->getRayonFils(0));
        copie->getRayonFils(0)->getRayonFils(0)->getArticle(0)->setNom(QStringLiteral("Lime"));
        copie->getRayonFils(0)->setNom(QStringLiteral("Autres"));
        copie->retirerArticle(0);
        QCOMPARE(decrireRayon(fruits, nullptr), avant);
    }

    void copierRayon_dansSonPropreSousArbre_instantane_data()
    {
        QTest::addColumn<int>("profondeurCible"); // 0 : le rayon lui-même
        QTest::newRow("dans lui-même") << 0;
        QTest::newRow("dans son fils") << 1;
        QTest::newRow("dans son petit-fils") << 2;
    }

    void copierRayon_dansSonPropreSousArbre_instantane()
    {
        QFETCH(int, profondeurCible);
        TdmVatrelix dm;
        TRayon* fruits = remplir(dm);
        const QString avant = decrireRayon(fruits, nullptr);
        TRayon* cible = fruits;
        for (int i = 0; i < profondeurCible; ++i)
            cible = cible->getRayonFils(0);
        const int nbAvant = cible->getNbRayonsFils();

        TRayon* copie = dm.copierRayon(fruits, cible);
        QCOMPARE(cible->getNbRayonsFils(), nbAvant + 1);
        QCOMPARE(copie->getPere(), cible);
        // La copie reproduit la source telle qu'elle était avant la copie.
        QCOMPARE(decrireRayon(copie, cible), avant);
    }

    // La copie ne pousse jamais la forêt au-delà de profondeurMaxRayons : refusée, elle ne laisse rien.
    void copierRayon_auDelaDeLaProfondeurMaximale_refusee_data()
    {
        QTest::addColumn<int>("hauteurSource");
        QTest::addColumn<int>("profondeurCible");
        QTest::addColumn<bool>("dansLaSource"); // cible prise dans la chaîne copiée elle-même
        QTest::addColumn<bool>("admise");
        QTest::newRow("sous une racine, à la limite") << profondeurMaxRayons - 1 << 1 << false << true;
        QTest::newRow("un niveau de trop") << profondeurMaxRayons - 1 << 2 << false << false;
        QTest::newRow("dans son sous-arbre, à la limite") << 50 << 50 << true << true;
        QTest::newRow("dans son sous-arbre, trop profond") << 60 << 41 << true << false;
    }

    void copierRayon_auDelaDeLaProfondeurMaximale_refusee()
    {
        QFETCH(int, hauteurSource);
        QFETCH(int, profondeurCible);
        QFETCH(bool, dansLaSource);
        QFETCH(bool, admise);
        TdmVatrelix dm;
        // Chaîne de n rayons sous une nouvelle racine ; rend le rayon du niveau demandé.
        const auto chaine = [&](const QString& nom, int n, int niveau) {
            TRayon* r = dm.ajouterRayonRacine(nom);
            TRayon* trouve = r;
            for (int i = 2; i <= n; ++i) {
                r = r->ajouterRayonFils(nom + QString::number(i), clWhite, r);
                if (i == niveau)
                    trouve = r;
            }
            return trouve;
        };
        TRayon* source = chaine(QStringLiteral("S"), hauteurSource, 1);
        TRayon* cible = source;
        if (!dansLaSource)
            cible = chaine(QStringLiteral("C"), profondeurCible, profondeurCible);
        while (cible->getProfondeur() < profondeurCible)
            cible = cible->getRayonFils(0);
        QCOMPARE(source->getHauteur(), hauteurSource);
        QCOMPARE(cible->getProfondeur(), profondeurCible);
        const QString avant = decrireForet(dm.listeRayons);
        if (!admise) {
            QVERIFY_THROWS_EXCEPTION(EProfondeurRayons, dm.copierRayon(source, cible));
            QCOMPARE(decrireForet(dm.listeRayons), avant);
            return;
        }
        TRayon* copie = dm.copierRayon(source, cible);
        QCOMPARE(copie->getProfondeur() + copie->getHauteur() - 1, profondeurMaxRayons);
    }

    void copierContenuRayon_filsPuisArticles()
    {
        TdmVatrelix dm;
        TRayon* fruits = remplir(dm);
        TRayon vide(QStringLiteral("Fruits"), clCream);
        dm.copierContenuRayon(fruits, &vide);
        QCOMPARE(decrireRayon(&vide, nullptr), decrireRayon(fruits, nullptr));
    }

    void destruction_detacheTout()
    {
        {
            TdmVatrelix dm;
            TRayon* fruits = remplir(dm);
            TRayon* agrumes = fruits->getRayonFils(0);
            agrumes->retirerArticle(0);
            fruits->retirerRayonFils(agrumes);
            dm.ajouterRayonRacine(QStringLiteral("R"));
        }
        // Sous AddressSanitizer, toute fuite ferait échouer ce test.
        QCOMPARE(Rebuts::nombre(), 0);
    }
};

QTEST_GUILESS_MAIN(TestForet)
#include "tst_foret.moc"
