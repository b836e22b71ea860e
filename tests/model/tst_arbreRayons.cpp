// Liaison de la forêt à l'arbre : nœuds, rôles, icônes et ordre alphabétique de la locale.
#include "ArbreRayons.h"
#include "EnvironnementTest.h"
#include "U_rayon.h"

#include <QAbstractItemModelTester>
#include <QtTest>

#include <memory>

namespace {

// Forêt possédée par le test : les racines détruisent leurs sous-arbres.
struct Foret
{
    QList<TRayon*> racines;
    ~Foret() { qDeleteAll(racines); }
    TRayon* racine(const QString& nom)
    {
        racines.append(new TRayon(nom));
        return racines.last();
    }
};

QStringList textes(const QStandardItem* parent)
{
    QStringList t;
    for (int i = 0; i < parent->rowCount(); ++i)
        t << parent->child(i)->text();
    return t;
}

} // namespace

class TestArbreRayons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void construire_foretVide_arbreVide();
    void construire_remplaceLeContenuPrecedent();
    void construire_rolesEtImages_selonLaProfondeur();
    void construire_homonymes_chacunSonRayon();
    void ordre_data();
    void ordre();
    void construire_texteRameneAuJeuAnsi();
    void trierArbre_trieChaqueNiveau();
    void icones_fournisseurAppeleAvecLesDeuxIndices();
    void modele_valideSelonLeTesteurDeQt();

private:
    EnvironnementTest m_env;
};

void TestArbreRayons::construire_foretVide_arbreVide()
{
    QStandardItemModel arbre;
    construireArbre(arbre, {});
    QCOMPARE(arbre.rowCount(), 0);
}

void TestArbreRayons::construire_remplaceLeContenuPrecedent()
{
    Foret foret;
    foret.racine(QStringLiteral("A"));
    QStandardItemModel arbre;
    arbre.appendRow(new QStandardItem(QStringLiteral("ancien")));
    construireArbre(arbre, foret.racines);
    QCOMPARE(textes(arbre.invisibleRootItem()), QStringList{QStringLiteral("A")});
}

void TestArbreRayons::construire_rolesEtImages_selonLaProfondeur()
{
    Foret foret;
    TRayon* r = foret.racine(QStringLiteral("Racine"));
    TRayon* fils = r->ajouterRayonFils(QStringLiteral("Fils"), clWhite, r);
    TRayon* petit = fils->ajouterRayonFils(QStringLiteral("Petit"), clWhite, fils);
    QStandardItemModel arbre;
    construireArbre(arbre, foret.racines);

    const QStandardItem* n0 = arbre.item(0);
    const QStandardItem* n1 = n0->child(0);
    const QStandardItem* n2 = n1->child(0);
    QCOMPARE(rayonDuNoeud(n0), r);
    QCOMPARE(rayonDuNoeud(n1), fils);
    QCOMPARE(rayonDuNoeud(n2), petit);
    QCOMPARE(rayonDuNoeud(arbre.indexFromItem(n2)), petit);
    QCOMPARE(n0->data(RoleImage).toInt(), 29);
    QCOMPARE(n0->data(RoleImageSelection).toInt(), 19);
    for (const QStandardItem* n : {n1, n2}) {
        QCOMPARE(n->data(RoleImage).toInt(), 18);
        QCOMPARE(n->data(RoleImageSelection).toInt(), 16);
    }
    QVERIFY(!n0->isEditable());
    QCOMPARE(rayonDuNoeud(QModelIndex()), nullptr);
}

void TestArbreRayons::construire_homonymes_chacunSonRayon()
{
    Foret foret;
    TRayon* r = foret.racine(QStringLiteral("R"));
    TRayon* a = r->ajouterRayonFils(QStringLiteral("Même"), clWhite, r);
    TRayon* b = r->ajouterRayonFils(QStringLiteral("Même"), clWhite, r);
    for (OrdreArbre ordre : {OrdreArbre::Modele, OrdreArbre::Trie}) {
        QStandardItemModel arbre;
        construireArbre(arbre, foret.racines, ordre);
        const QStandardItem* n = arbre.item(0);
        QCOMPARE(n->rowCount(), 2);
        // À texte égal, l'ordre du modèle demeure.
        QCOMPARE(rayonDuNoeud(n->child(0)), a);
        QCOMPARE(rayonDuNoeud(n->child(1)), b);
    }
}

void TestArbreRayons::ordre_data()
{
    QTest::addColumn<QStringList>("noms");
    QTest::addColumn<bool>("trie");
    QTest::addColumn<QStringList>("attendus");

    const QStringList deux{QStringLiteral("Surgelés"), QStringLiteral("Boissons")};
    QTest::newRow("arbre principal trie") << deux << true << QStringList{QStringLiteral("Boissons"), QStringLiteral("Surgelés")};
    QTest::newRow("arbre du dialogue garde l'ordre") << deux << false << deux;
    // Ordre de la langue : accents et casse ne rejettent pas un nom en fin de liste.
    QTest::newRow("accents") << QStringList{QStringLiteral("Fruits"), QStringLiteral("Épicerie"), QStringLiteral("Crèmerie"), QStringLiteral("Entretien")} << true
                             << QStringList{QStringLiteral("Crèmerie"), QStringLiteral("Entretien"), QStringLiteral("Épicerie"), QStringLiteral("Fruits")};
    QTest::newRow("casse") << QStringList{QStringLiteral("boissons"), QStringLiteral("Alcools"), QStringLiteral("Crèmerie")} << true
                           << QStringList{QStringLiteral("Alcools"), QStringLiteral("boissons"), QStringLiteral("Crèmerie")};
}

void TestArbreRayons::ordre()
{
    QFETCH(QStringList, noms);
    QFETCH(bool, trie);
    QFETCH(QStringList, attendus);

    // Les mêmes noms à la racine et sous une racine : chaque niveau suit la même règle.
    Foret foret;
    for (const QString& nom : noms)
        foret.racine(nom);
    TRayon* parent = foret.racines.first();
    for (const QString& nom : noms)
        parent->ajouterRayonFils(nom, clWhite, parent);

    QStandardItemModel arbre;
    construireArbre(arbre, foret.racines, trie ? OrdreArbre::Trie : OrdreArbre::Modele);
    QCOMPARE(textes(arbre.invisibleRootItem()), attendus);
    const int ligneParent = int(textes(arbre.invisibleRootItem()).indexOf(noms.first()));
    QCOMPARE(textes(arbre.item(ligneParent)), attendus);
    // Le modèle n'est jamais réordonné.
    QCOMPARE(foret.racines.first()->getNom(), noms.first());
}

void TestArbreRayons::construire_texteRameneAuJeuAnsi()
{
    Foret foret;
    foret.racine(QStringLiteral("Thé \u4E2D \u20AC"));
    QStandardItemModel arbre;
    construireArbre(arbre, foret.racines);
    QCOMPARE(arbre.item(0)->text(), QStringLiteral("Thé ? \u20AC"));
}

void TestArbreRayons::trierArbre_trieChaqueNiveau()
{
    Foret foret;
    TRayon* z = foret.racine(QStringLiteral("Zeste"));
    foret.racine(QStringLiteral("Ail"));
    z->ajouterRayonFils(QStringLiteral("b"), clWhite, z);
    TRayon* a = z->ajouterRayonFils(QStringLiteral("a"), clWhite, z);
    a->ajouterRayonFils(QStringLiteral("y"), clWhite, a);
    a->ajouterRayonFils(QStringLiteral("x"), clWhite, a);
    QStandardItemModel arbre;
    construireArbre(arbre, foret.racines, OrdreArbre::Modele);
    trierArbre(arbre);
    QCOMPARE(textes(arbre.invisibleRootItem()), (QStringList{QStringLiteral("Ail"), QStringLiteral("Zeste")}));
    QCOMPARE(textes(arbre.item(1)), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    QCOMPARE(textes(arbre.item(1)->child(0)), (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    // Les nœuds déplacés gardent leur rayon.
    QCOMPARE(rayonDuNoeud(arbre.item(1)->child(0)), a);
}

void TestArbreRayons::icones_fournisseurAppeleAvecLesDeuxIndices()
{
    Foret foret;
    TRayon* r = foret.racine(QStringLiteral("R"));
    r->ajouterRayonFils(QStringLiteral("F"), clWhite, r);
    QList<QPair<int, int>> appels;
    QStandardItemModel arbre;
    construireArbre(arbre, foret.racines, OrdreArbre::Trie, [&appels](int image, int selection) {
        appels.append({image, selection});
        QPixmap p(16, 16);
        p.fill(Qt::red);
        return QIcon(p);
    });
    QCOMPARE(appels, (QList<QPair<int, int>>{{29, 19}, {18, 16}}));
    QVERIFY(!arbre.item(0)->icon().isNull());
}

void TestArbreRayons::modele_valideSelonLeTesteurDeQt()
{
    Foret foret;
    for (const char* nom : {"C", "A", "B"}) {
        TRayon* r = foret.racine(QString::fromLatin1(nom));
        r->ajouterRayonFils(QStringLiteral("f"), clWhite, r);
    }
    QStandardItemModel arbre;
    QAbstractItemModelTester testeur(&arbre, QAbstractItemModelTester::FailureReportingMode::QtTest);
    construireArbre(arbre, foret.racines, OrdreArbre::Trie);
    trierArbre(arbre);
    construireArbre(arbre, foret.racines, OrdreArbre::Modele);
    QCOMPARE(arbre.rowCount(), 3);
}

QTEST_MAIN(TestArbreRayons)
#include "tst_arbreRayons.moc"
