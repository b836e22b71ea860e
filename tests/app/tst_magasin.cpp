// Dans le magasin, sur la vraie fenêtre : mode à cases (clic, Espace, pied, coches gardées pour
// le fichier de la liste et jamais écrites dedans) et tri dans l'ordre de passage des rayons.
#include "FenetreTest.h"
#include "FichierLC.h"
#include "LigneLC.h"
#include "ReglagesUtilisateur.h"
#include "U_VX_FormOrdreMagasin.h"

#include <QFont>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStyleOptionViewItem>

using namespace Qt::StringLiterals;

namespace {

const QString lait = u"2|Lait|demi-écrémé|Crèmerie|0,89 €|1,78 €"_s;
const QString baguette = u"1|Baguette|-|Boulangerie|0,95 €|0,95 €"_s;
const QString pomme = u"3|Pomme|-|Fruits|0,40 €|1,20 €"_s;
const QString orange = u"1|Orange|-|Agrumes|0,60 €|0,60 €"_s;

QList<int> cochees(TFormPrincipale& f)
{
    QList<int> indices;
    for (int i = 0; i < f.dmVatrelix()->listeCourses.size(); ++i)
        if (f.cochesLC().cochee(i))
            indices << i;
    return indices;
}

QStringList clesCoches()
{
    reglagesUtilisateur().sync();
    QSettings relus(cheminReglagesUtilisateur(), QSettings::IniFormat);
    relus.beginGroup(u"coches"_s);
    return relus.childKeys();
}

} // namespace

class TestMagasin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m = std::make_unique<FenetreTest>(); }
    void cleanup() { m.reset(); }

    void modeMagasin_casesBarreesEtPied();
    void coche_clicSurLaCase();
    void coches_reprisesPourLeMemeFichier_data();
    void coches_reprisesPourLeMemeFichier();
    void effacerCoches_oublieAussiLeFichier();
    void trierMagasin_parLeDialogue_data();
    void trierMagasin_parLeDialogue();

private:
    std::unique_ptr<FenetreTest> m;
};

void TestMagasin::modeMagasin_casesBarreesEtPied()
{
    m->poser({lait, baguette, pomme});
    QTreeView* vue = m->f().ui.lvListeCourses;
    const auto donnee = [vue](int rangee, int colonne, int role) { return vue->model()->index(rangee, colonne).data(role); };
    const auto barree = [&](int rangee) { return donnee(rangee, ColLCArticle, Qt::FontRole).value<QFont>().strikeOut(); };
    const QString decrit = u"6 articles - Total : 3,93 €"_s;
    QCOMPARE(m->pied(), decrit);
    QVERIFY(!donnee(0, ColLCNb, Qt::CheckStateRole).isValid());

    m->f().action(u"modeMagasin"_s)->trigger();
    QVERIFY(m->f().action(u"modeMagasin"_s)->isChecked());
    QVERIFY(reglagesUtilisateur().value(u"magasin/modeActif"_s).toBool()); // rallumé au prochain démarrage
    QCOMPARE(donnee(0, ColLCNb, Qt::CheckStateRole), QVariant(int(Qt::Unchecked)));
    QVERIFY(!donnee(0, ColLCArticle, Qt::CheckStateRole).isValid());

    // Ce que fait le délégué d'un clic sur la case.
    vue->model()->setData(vue->model()->index(0, ColLCNb), Qt::Checked, Qt::CheckStateRole);
    QCOMPARE(donnee(0, ColLCNb, Qt::CheckStateRole), QVariant(int(Qt::Checked)));
    QVERIFY(barree(0));
    QVERIFY(!barree(1));
    // La rangée cochée montre toujours sa ligne.
    QCOMPARE(donnee(0, ColLCArticle, Qt::DisplayRole).toString(), u"Lait"_s);
    QCOMPARE(m->lignes(), (QStringList{lait, baguette, pomme}));
    QCOMPARE(m->pied(), decrit + u" | Reste à acheter : 4 articles - 2,15 €"_s);

    // Espace : toutes les lignes choisies ensemble, puis décochées ensemble.
    m->choisirLignes({0, 2});
    QTest::keyClick(vue, Qt::Key_Space);
    QCOMPARE(cochees(m->f()), (QList<int>{0, 2}));
    QCOMPARE(m->pied(), decrit + u" | Reste à acheter : 1 articles - 0,95 €"_s);
    QTest::keyClick(vue, Qt::Key_Space);
    QCOMPARE(cochees(m->f()), QList<int>{});

    // Les coches suivent leurs lignes quand la liste change, et restent hors du mode.
    vue->model()->setData(vue->model()->index(2, ColLCNb), Qt::Checked, Qt::CheckStateRole);
    m->f().trierLCExecute();
    QCOMPARE(cochees(m->f()), QList<int>{2});
    m->f().action(u"modeMagasin"_s)->trigger();
    QCOMPARE(m->pied(), decrit);
    QVERIFY(!donnee(2, ColLCNb, Qt::CheckStateRole).isValid());
    QVERIFY(!barree(2));
    QCOMPARE(cochees(m->f()), QList<int>{2});
}

void TestMagasin::coche_clicSurLaCase()
{
    m->poser({lait, baguette});
    m->f().action(u"modeMagasin"_s)->trigger();
    m->f().show();
    QVERIFY(QTest::qWaitForWindowExposed(&m->f()));
    QTreeView* vue = m->f().ui.lvListeCourses;
    QStyleOptionViewItem option;
    option.initFrom(vue);
    option.rect = vue->visualRect(vue->model()->index(1, ColLCNb));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    const QPoint caseCochee = vue->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, vue).center();
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, caseCochee);
    QCOMPARE(cochees(m->f()), QList<int>{1});
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, caseCochee);
    QCOMPARE(cochees(m->f()), QList<int>{});
}

void TestMagasin::coches_reprisesPourLeMemeFichier_data()
{
    QTest::addColumn<bool>("fichierChange");
    QTest::addColumn<QList<int>>("reprises");
    QTest::newRow("même fichier, même liste") << false << QList<int>{1};
    QTest::newRow("liste changée sur le disque") << true << QList<int>{};
}

void TestMagasin::coches_reprisesPourLeMemeFichier()
{
    QFETCH(bool, fichierChange);
    QFETCH(QList<int>, reprises);
    const QString chemin = m->env->chemin(u"courses.lvtx"_s);
    m->poser({lait, baguette, pomme});
    m->interactions->repondreFichier(chemin);
    m->f().action(u"enregistrerLC"_s)->trigger();
    const QByteArray octets = lireOctetsBruts(chemin);

    m->f().action(u"modeMagasin"_s)->trigger();
    m->choisirLignes({1});
    QTest::keyClick(m->f().ui.lvListeCourses, Qt::Key_Space);
    // Jamais dans le fichier de la liste : enregistrée de nouveau, elle garde ses octets.
    m->f().action(u"enregistrerLC"_s)->trigger();
    QCOMPARE(lireOctetsBruts(chemin), octets);
    QCOMPARE(clesCoches().size(), 1);

    m->f().action(u"nouvelleListe"_s)->trigger();
    QCOMPARE(cochees(m->f()), QList<int>{});
    if (fichierChange)
        ecrireFichierLC(chemin, {lait, baguette, pomme, orange});
    m->interactions->repondreFichier(chemin);
    m->f().action(u"ouvrirListe"_s)->trigger();
    QCOMPARE(cochees(m->f()), reprises);
}

void TestMagasin::effacerCoches_oublieAussiLeFichier()
{
    const QString chemin = m->env->chemin(u"courses.lvtx"_s);
    m->poser({lait, baguette});
    m->interactions->repondreFichier(chemin);
    m->f().action(u"enregistrerLC"_s)->trigger();
    m->f().action(u"modeMagasin"_s)->trigger();
    m->choisirLignes({0, 1});
    QTest::keyClick(m->f().ui.lvListeCourses, Qt::Key_Space);
    QCOMPARE(clesCoches().size(), 1);

    m->f().action(u"effacerCoches"_s)->trigger();
    QCOMPARE(cochees(m->f()), QList<int>{});
    QCOMPARE(clesCoches(), QStringList{});
    QCOMPARE(m->pied(), u"3 articles - Total : 2,73 € | Reste à acheter : 3 articles - 2,73 €"_s);
}

void TestMagasin::trierMagasin_parLeDialogue_data()
{
    QTest::addColumn<bool>("valider");
    QTest::addColumn<QStringList>("apres");
    QTest::newRow("ordre rangé puis validé") << true << QStringList{pomme, baguette, orange, lait};
    QTest::newRow("dialogue annulé : rien") << false << QStringList{lait, baguette, pomme, orange};
}

void TestMagasin::trierMagasin_parLeDialogue()
{
    QFETCH(bool, valider);
    QFETCH(QStringList, apres);
    m->rayon(u"Crèmerie"_s);
    m->rayon(u"Boulangerie"_s);
    TRayon* fruits = m->rayon(u"Fruits"_s);
    fruits->ajouterRayonFils(u"Agrumes"_s, fruits->getCouleur(), fruits);
    m->poser({lait, baguette, pomme, orange});

    const QString s(kSeparateurChemin);
    QStringList vus;
    m->interactions->surDialogue([&](QWidget* w) {
        auto* d = static_cast<TformOrdreMagasin*>(w);
        vus = d->chemins();
        // Fruits monte en tête par son bouton, Agrumes passe avant Crèmerie au clavier.
        d->lbRayons->setCurrentRow(2);
        d->btMonter->click();
        d->btMonter->click();
        QVERIFY(!d->btMonter->isEnabled());
        d->lbRayons->setCurrentRow(3);
        QTest::keyClick(d->lbRayons, Qt::Key_Up, Qt::ControlModifier);
        valider ? d->btValider->click() : d->btAnnuler->click();
    });
    // Aucun ordre encore : le tri le demande d'abord.
    m->f().action(u"trierLCMagasin"_s)->trigger();
    QCOMPARE(vus, (QStringList{u"Boulangerie"_s, u"Crèmerie"_s, u"Fruits"_s, u"Fruits"_s + s + u"Agrumes"_s}));
    QCOMPARE(m->interactions->reponsesRestantes(), 0);
    QCOMPARE(m->lignes(), apres);
    const QStringList ordre{u"Fruits"_s, u"Boulangerie"_s, u"Fruits"_s + s + u"Agrumes"_s, u"Crèmerie"_s};
    QCOMPARE(reglagesUtilisateur().value(u"magasin/ordreRayons"_s).toStringList(), valider ? ordre : QStringList());
}

QTEST_MAIN(TestMagasin)
#include "tst_magasin.moc"
