// Recherche d'articles, aperçu avant impression et partage de la liste (copie, export,
// listes récentes), par la vraie fenêtre.
#include "FenetreTest.h"
#include "ReglagesUtilisateur.h"

#include <QClipboard>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

const QString lait = u"2|Lait \"bio\"; entier|demi-écrémé|Crèmerie|0,89 €|1,78 €"_s;
const QString pain = u"1|Pain| mie |Boulangerie|1,50 €|1,50 €"_s;

// Pages d'un PDF écrit par Qt : un objet /Type /Page par page.
int pagesPdf(const QString& chemin)
{
    return int(QString::fromLatin1(lireOctetsBruts(chemin)).count(QRegularExpression(u"/Type\\s*/Page\\b(?!s)"_s)));
}

} // namespace

class TestRecherchePartage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m = std::make_unique<FenetreTest>();
        cremerie = m->rayon(u"Crèmerie"_s, {{u"Crème fraîche"_s, 2.1, u"épaisse"_s},
                                            {u"Lait demi-écrémé"_s, 0.89, u"bouteille"_s},
                                            {u"Œufs"_s, 2.5, u"x12"_s}});
        fromages = cremerie->ajouterRayonFils(u"Fromages"_s, 0x00FFFFFF, cremerie);
        fromages->creerArticle(u"Comté"_s, 4.2, u"18 mois"_s);
        fromages->creerArticle(u"Emmental"_s, 2.3, u"râpé"_s);
        m->rayon(u"Épicerie"_s, {{u"Café"_s, 3.0, u"moulu"_s},
                                 {u"Cœur de palmier"_s, 2.0, {}},
                                 {u"Éclair"_s, 1.2, u"chocolat"_s},
                                 {u"Eau"_s, 0.3, u"plate"_s}});
        m->f().majArbreRayonsExecute();
    }
    void cleanup() { m.reset(); }

    void recherche_data();
    void recherche();
    void recherche_auClavier_ajouteParLeDialogue();
    void recherche_suitLaBase();
    void apercu_memesPagesQueLImpression();
    void casesImpression_reglageDeLUtilisateur();
    void copier_data();
    void copier();
    void exporter_csvLuParPython();
    void exporter_texte();
    void listesRecentes_huitAuPlus_disparueRetiree();

private:
    // Résultats montrés : "Nom (Rayon)", dans l'ordre de la vue.
    QStringList resultats() const
    {
        QStringList r;
        const QAbstractItemModel* modele = m->f().ui.resultatsRecherche->model();
        for (int i = 0; i < modele->rowCount(); ++i)
            r << modele->index(i, 0).data().toString() + u" ("_s + modele->index(i, 3).data().toString() + u')';
        return r;
    }
    void montrer()
    {
        m->f().show();
        QVERIFY(QTest::qWaitForWindowActive(&m->f()));
    }

    std::unique_ptr<FenetreTest> m;
    TRayon* cremerie = nullptr;
    TRayon* fromages = nullptr;
};

void TestRecherchePartage::recherche_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("portee"); // vide : toute la base
    QTest::addColumn<QStringList>("attendus");

    QTest::newRow("casse et accents")
        << u"CREME"_s << QString() << QStringList{u"Crème fraîche (Crèmerie)"_s, u"Lait demi-écrémé (Crèmerie)"_s};
    QTest::newRow("accent décomposé")
        << u"cre\u0301me"_s << QString() << QStringList{u"Crème fraîche (Crèmerie)"_s, u"Lait demi-écrémé (Crèmerie)"_s};
    QTest::newRow("remarque") << u"rape"_s << QString() << QStringList{u"Emmental (Fromages)"_s};
    QTest::newRow("ligature") << u"coeur"_s << QString() << QStringList{u"Cœur de palmier (Épicerie)"_s};
    QTest::newRow("chaque mot, nom ou remarque")
        << u"fraiche  épaisse"_s << QString() << QStringList{u"Crème fraîche (Crèmerie)"_s};
    QTest::newRow("ordre alphabétique français")
        << u"a"_s << QString()
        << QStringList{u"Café (Épicerie)"_s,        u"Cœur de palmier (Épicerie)"_s, u"Crème fraîche (Crèmerie)"_s,
                       u"Eau (Épicerie)"_s,         u"Éclair (Épicerie)"_s,          u"Emmental (Fromages)"_s,
                       u"Lait demi-écrémé (Crèmerie)"_s};
    QTest::newRow("rayon et sous-rayons")
        << u"a"_s << u"Crèmerie"_s
        << QStringList{u"Crème fraîche (Crèmerie)"_s, u"Emmental (Fromages)"_s, u"Lait demi-écrémé (Crèmerie)"_s};
    QTest::newRow("sous-rayon seul") << u"e"_s << u"Fromages"_s
                                     << QStringList{u"Comté (Fromages)"_s, u"Emmental (Fromages)"_s};
    QTest::newRow("rien") << u"zzz"_s << QString() << QStringList{};
}

void TestRecherchePartage::recherche()
{
    QFETCH(QString, texte);
    QFETCH(QString, portee);
    QFETCH(QStringList, attendus);
    if (!portee.isEmpty())
        m->choisirRayon(portee == u"Fromages" ? fromages : cremerie);
    // Frappe par frappe : chaque touche prolonge la recherche précédente.
    for (const QChar c : texte) {
        if (c.unicode() < 0x80)
            QTest::keyClick(m->f().ui.champRecherche, char(c.unicode()));
        else
            m->f().ui.champRecherche->insert(c);
    }
    QCOMPARE(resultats(), attendus);
    QVERIFY(m->f().ui.resultatsRecherche->isVisibleTo(&m->f()));
    QVERIFY(!m->f().ui.listeArticles->isVisibleTo(&m->f()));
    const QModelIndexList choisis = m->f().ui.resultatsRecherche->selectionModel()->selectedRows();
    QCOMPARE(choisis.size(), attendus.isEmpty() ? 0 : 1);
    if (!attendus.isEmpty())
        QCOMPARE(choisis.first().row(), 0);
}

void TestRecherchePartage::recherche_auClavier_ajouteParLeDialogue()
{
    montrer();
    TFormPrincipale& f = m->f();
    m->choisirRayon(cremerie);
    f.ui.listeArticles->setFocus();
    QTest::keyClick(f.ui.listeArticles, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), f.ui.champRecherche);
    f.ui.listeArticles->topLevelItem(0)->setSelected(true);
    QTest::keyClicks(f.ui.champRecherche, u"comte"_s);
    // La sélection cachée de la liste d'articles ne sert plus aux commandes des articles.
    QVERIFY(f.ui.listeArticles->selectedItems().isEmpty());
    m->repondreQuantite(3);
    QTest::keyClick(f.ui.champRecherche, Qt::Key_Return);
    // Le rayon de la ligne est celui de l'article, pas le rayon choisi dans l'arbre.
    QCOMPARE(m->lignes(), QStringList{u"3|Comté|18 mois|Fromages|4,20 €|12,60 €"_s});
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Dialogue).size(), 1);

    QTest::keyClick(f.ui.champRecherche, Qt::Key_Escape);
    QVERIFY(f.ui.champRecherche->text().isEmpty());
    QVERIFY(f.ui.listeArticles->isVisible());
    QVERIFY(!f.ui.resultatsRecherche->isVisible());
}

void TestRecherchePartage::recherche_suitLaBase()
{
    QTest::keyClicks(m->f().ui.champRecherche, u"comt"_s);
    fromages->getArticle(0)->setNom(u"Comté extra"_s);
    m->f().majListeArticlesExecute();
    QCOMPARE(resultats(), QStringList{u"Comté extra (Fromages)"_s});
    // Retiré sans que la vue le sache : rien n'est ajouté, la recherche est refaite.
    fromages->retirerArticle(0);
    m->f().action(u"ajouterDansLC"_s)->trigger();
    QVERIFY(m->lignes().isEmpty());
    QVERIFY(resultats().isEmpty());
    // Base relue : les résultats désignent la nouvelle forêt (l'ancienne est détruite).
    m->f().ui.champRecherche->clear();
    QTest::keyClicks(m->f().ui.champRecherche, u"emmen"_s);
    m->f().action(u"enregistrerBD"_s)->trigger();
    m->f().action(u"rechargerBD"_s)->trigger();
    QCOMPARE(resultats(), QStringList{u"Emmental (Fromages)"_s});
    m->repondreQuantite(2);
    m->f().action(u"ajouterDansLC"_s)->trigger();
    QCOMPARE(m->lignes(), QStringList{u"2|Emmental|râpé|Fromages|2,30 €|4,60 €"_s});
}

void TestRecherchePartage::apercu_memesPagesQueLImpression()
{
    QStringList l;
    for (int i = 0; i < 150; ++i)
        l << u"1|Article %1|-|Rayon %2|1,00 €|1,00 €"_s.arg(i).arg(i / 10);
    m->poser(l);
    const QString pdf = m->env->chemin(u"liste.pdf"_s);
    m->interactions->fichierPdf = pdf;
    m->interactions->repondreImpression(true);
    m->interactions->repondreImpression(true);
    m->f().action(u"imprimer"_s)->trigger();
    const int pagesImprimees = pagesPdf(pdf);
    QVERIFY2(pagesImprimees >= 3, qPrintable(QString::number(pagesImprimees)));

    int pagesApercu = -1;
    m->interactions->surDialogue([&](QWidget* w) {
        auto* apercu = static_cast<QPrintPreviewDialog*>(w);
        // La feuille de la sortie PDF du test.
        QPrinter* p = apercu->printer();
        p->setResolution(600);
        p->setPageSize(QPageSize(QPageSize::A4));
        p->setPageOrientation(QPageLayout::Portrait);
        auto* pages = apercu->findChild<QPrintPreviewWidget*>();
        pages->updatePreview();
        pagesApercu = pages->pageCount();
        // La mise en page de Qt, hors des interactions, est cachée ; le bouton d'impression
        // passe par le choix de l'imprimante, puis ferme l'aperçu.
        const auto* miseEnPage = apercu->findChild<QAction*>(u"miseEnPageApercu"_s);
        QVERIFY(miseEnPage && !miseEnPage->isVisible());
        QFile::remove(pdf);
        apercu->findChild<QAction*>(u"imprimerApercu"_s)->trigger();
        QVERIFY(apercu->result() == QDialog::Accepted);
    });
    m->f().action(u"apercuImpression"_s)->trigger();
    QCOMPARE(pagesApercu, pagesImprimees);
    QCOMPARE(pagesPdf(pdf), pagesImprimees);
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Impression).size(), 2);
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Erreur).size(), 0);
    QCOMPARE(m->interactions->dialoguesNonFermes, 0);
}

void TestRecherchePartage::casesImpression_reglageDeLUtilisateur()
{
    QAction* cases = m->f().action(u"casesImpression"_s);
    QVERIFY(cases->isCheckable());
    QVERIFY(!cases->isChecked());
    QVERIFY(!TFormPrincipale::casesAImprimer());
    cases->trigger();
    QVERIFY(cases->isChecked());
    QVERIFY(reglagesUtilisateur().value(u"impression/casesACocher"_s).toBool());
    cases->trigger();
    QVERIFY(!TFormPrincipale::casesAImprimer());
}

void TestRecherchePartage::copier_data()
{
    QTest::addColumn<QList<int>>("choisies");
    QTest::addColumn<QString>("texte");
    QTest::newRow("toutes") << QList<int>{}
                            << u"2 × Lait \"bio\"; entier — 1,78 €\n1 × Pain — 1,50 €\nTotal : 3,28 €\n"_s;
    QTest::newRow("la sélection") << QList<int>{1} << u"1 × Pain — 1,50 €\nTotal : 1,50 €\n"_s;
}

void TestRecherchePartage::copier()
{
    QFETCH(QList<int>, choisies);
    QFETCH(QString, texte);
    montrer();
    m->poser({lait, pain});
    m->choisirLignes(choisies);
    m->f().ui.lvListeCourses->setFocus();
    QTest::keyClick(m->f().ui.lvListeCourses, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), texte);
}

void TestRecherchePartage::exporter_csvLuParPython()
{
    const QString python = QStandardPaths::findExecutable(u"python3"_s);
    if (python.isEmpty())
        QSKIP("python3 absent");
    m->poser({lait, pain});
    const QString csv = m->env->chemin(u"liste.csv"_s);
    m->interactions->repondreFichier(csv);
    m->f().action(u"exporterLC"_s)->trigger();
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Erreur).size(), 0);

    QProcess p;
    p.start(python, {u"-c"_s, u"import csv, json, sys\n"
                              "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                              "    print(json.dumps(list(csv.reader(f, delimiter=';', strict=True))))"_s,
                     csv});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    const QJsonArray lu = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
    const QJsonArray attendu{
        QJsonArray{u"Quantité"_s, u"Article"_s, u"Remarque"_s, u"Rayon"_s, u"Prix unitaire (€)"_s, u"Total (€)"_s},
        QJsonArray{u"2"_s, u"Lait \"bio\"; entier"_s, u"demi-écrémé"_s, u"Crèmerie"_s, u"0,89"_s, u"1,78"_s},
        QJsonArray{u"1"_s, u"Pain"_s, u" mie "_s, u"Boulangerie"_s, u"1,50"_s, u"1,50"_s},
        QJsonArray{u"3"_s, u""_s, u""_s, u""_s, u"Total"_s, u"3,28"_s}};
    QCOMPARE(lu, attendu);
}

void TestRecherchePartage::exporter_texte()
{
    m->poser({lait, pain});
    const QString txt = m->env->chemin(u"liste.txt"_s);
    m->interactions->repondreFichier(txt);
    m->f().action(u"exporterLC"_s)->trigger();
    QCOMPARE(QString::fromUtf8(lireOctetsBruts(txt)),
             u"2 × Lait \"bio\"; entier — 1,78 €\n1 × Pain — 1,50 €\nTotal : 3,28 €\n"_s);
    // Un fichier existant n'est remplacé qu'avec l'accord de l'utilisateur (Non par défaut).
    m->poser({pain});
    m->interactions->repondreFichier(txt);
    m->interactions->repondre(ReponseMessage::Non);
    m->f().action(u"exporterLC"_s)->trigger();
    QVERIFY(QString::fromUtf8(lireOctetsBruts(txt)).startsWith(u"2 × "_s));
}

void TestRecherchePartage::listesRecentes_huitAuPlus_disparueRetiree()
{
    TFormPrincipale& f = m->f();
    QStringList chemins;
    for (int i = 0; i < 9; ++i) {
        chemins << m->env->chemin(u"liste%1.lvtx"_s.arg(i));
        m->poser({pain});
        m->interactions->repondreFichier(chemins.last());
        f.action(u"enregistrerLCSous"_s)->trigger();
    }
    m->interactions->repondreFichier(chemins.at(3));
    f.action(u"ouvrirListe"_s)->trigger();
    QStringList attendues{chemins.at(3), chemins.at(8), chemins.at(7), chemins.at(6),
                          chemins.at(5), chemins.at(4), chemins.at(2), chemins.at(1)};
    QCOMPARE(TFormPrincipale::listesRecentes(), attendues);

    // Le message d'un fichier absent est celui de la commande Ouvrir.
    QFile::remove(chemins.at(5));
    m->interactions->repondreFichier(chemins.at(5));
    f.action(u"ouvrirListe"_s)->trigger();
    const QList<QuestionPosee> erreurs = m->interactions->questionsDe(GenreQuestion::Erreur);
    QCOMPARE(erreurs.size(), 1);

    Q_EMIT f.ui.menuListesRecentes->aboutToShow();
    const QList<QAction*> elements = f.ui.menuListesRecentes->actions();
    QCOMPARE(elements.size(), 8);
    QCOMPARE(elements.at(4)->data().toString(), chemins.at(5));
    elements.at(4)->trigger();
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Erreur).size(), 2);
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Erreur).last().texte, erreurs.first().texte);
    attendues.removeAll(chemins.at(5));
    QCOMPARE(TFormPrincipale::listesRecentes(), attendues);
    QCOMPARE(f.reglages.fichierLC, chemins.at(3));
    // Une liste présente s'ouvre depuis le menu et passe en tête.
    Q_EMIT f.ui.menuListesRecentes->aboutToShow();
    f.ui.menuListesRecentes->actions().at(1)->trigger();
    QCOMPARE(f.reglages.fichierLC, chemins.at(8));
    QCOMPARE(TFormPrincipale::listesRecentes().first(), chemins.at(8));
}

QTEST_MAIN(TestRecherchePartage)
#include "tst_recherchePartage.moc"
