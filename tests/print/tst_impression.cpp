// Impression de la liste : mise en page, pagination, cellules, pied, sortie PDF.
// Canevas enregistreur de 2100 de large : droite 2000, unité 19, colonnes Nb 119,
// Article 252, Remarque 765, Rayon 1145, PU 1525, Total 1753 ; titre 32 de haut,
// ligne 20 ; filet des intitulés à y = 112, première rangée à y = 122.
// Hauteur 480 : bas 230, cinq rangées par page.
#include "CanevasEnregistreur.h"
#include "CanevasQPainter.h"
#include "EnvironnementTest.h"
#include "HorlogeVirtuelle.h"
#include "U_vx_impression.h"

#include <QFontDatabase>
#include <QMap>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {
constexpr int kLargeur = 2100;
constexpr int kHauteurCinqRangees = 480;
constexpr int kBas = 230;
constexpr int kColNb = 119, kColArticle = 252, kColRemarque = 765, kColRayon = 1145;
constexpr int kBordPU = 1715;    // colTotal − 2 × unité
constexpr int kBordTotal = 1981; // droite − unité
constexpr int kPremiereRangee = 122;

QString ligne(int nb, const QString& article, const QString& rayon, const QString& pu = QStringLiteral("1,00 €"),
              const QString& total = QStringLiteral("1,00 €"))
{
    return QStringLiteral("%1|%2|-|%3|%4|%5").arg(nb).arg(article, rayon, pu, total);
}

QStringList lignesNumerotees(int n, const QString& rayon = QStringLiteral("Épicerie"))
{
    QStringList lignes;
    for (int i = 0; i < n; ++i)
        lignes << ligne(i + 1, QStringLiteral("Article %1").arg(i + 1), rayon);
    return lignes;
}

int largeurMesuree(const TexteDessine& t)
{
    return int(t.texte.size()) * t.taille;
}

// Textes dessinés sur la rangée d'ordonnée y d'une page, par abscisse.
QMap<int, QString> rangee(const CanevasEnregistreur& c, int page, int y)
{
    QMap<int, QString> cellules;
    for (const TexteDessine& t : c.textes(page))
        if (t.y == y && t.taille == 10 && !t.style.testFlag(StylePolice::Italique))
            cellules.insert(t.x, t.texte);
    return cellules;
}

// Texte d'un PDF relu par pdftotext avec les options données.
QString relirePdf(const QString& pdf, const QStringList& options)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), options + QStringList{pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return QString();
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// Horloge qui avance d'une seconde à chaque lecture.
class HorlogeQuiAvance : public HorlogeVirtuelle
{
public:
    QDateTime maintenant() const override { return HorlogeVirtuelle::maintenant().addSecs(m_lectures++); }

private:
    mutable int m_lectures = 0;
};
} // namespace

class TestImpression : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnvironnementTest> m_env;
    std::unique_ptr<HorlogeVirtuelle> m_horloge;

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<EnvironnementTest>();
        m_horloge = std::make_unique<HorlogeVirtuelle>();
        m_horloge->installer();
    }
    void cleanup()
    {
        m_horloge.reset();
        m_env.reset();
    }

    void listeVide_unePageAvecTotalNul()
    {
        CanevasEnregistreur c(kLargeur, 2970);
        imprimerLC(c, {}, QString(), 0.0);

        QCOMPARE(c.nbDocuments(), 1);
        QVERIFY(c.documentTermine());
        QCOMPARE(c.nbPages(), 1);

        const TexteDessine titre = c.texte(1, QStringLiteral("LISTE DE COURSES DU 14/03/2006 10:30:00"));
        QCOMPARE(titre.page, 1);
        QCOMPARE(titre.y, 15);
        QCOMPARE(titre.x, (kLargeur - largeurMesuree(titre)) / 2);

        const QStringList intitules{"NB", "ARTICLE", "REMARQUE", "RAYON", "PU", "TOTAL"};
        const QList<int> colonnes{kColNb, kColArticle, kColRemarque, kColRayon, 1525, 1753};
        for (int i = 0; i < intitules.size(); ++i) {
            const TexteDessine t = c.texte(1, intitules[i]);
            QCOMPARE(t.x, colonnes[i]);
            QCOMPARE(t.y, 87);
        }

        const TexteDessine libelle = c.texte(1, QStringLiteral("Total :"));
        const TexteDessine montant = c.texte(1, QStringLiteral("0,00 €"));
        QCOMPARE(libelle.y, kPremiereRangee);
        QCOMPARE(montant.y, kPremiereRangee);
        QCOMPARE(libelle.x + largeurMesuree(libelle), kBordPU);
        QCOMPARE(montant.x + largeurMesuree(montant), kBordTotal);
        // Rien d'autre sur la rangée de total.
        QCOMPARE(rangee(c, 1, kPremiereRangee).size(), 2);

        // Cadre sous le titre jusqu'au bas du tableau, noir.
        const QList<CadreDessine> cadres = c.cadres(1);
        QCOMPARE(cadres.size(), 1);
        QCOMPARE(cadres[0].rectangle, QRect(100, 82, 1900, 2720 - 82));
        QCOMPARE(cadres[0].couleur, QColor(Qt::black));

        // Filet des intitulés, filet sous le total, cinq séparateurs sans celui de Nb.
        QList<TraitDessine> traits = c.traits(1);
        QCOMPARE(traits.size(), 7);
        QCOMPARE(traits[0].y1, 112);
        QCOMPARE(traits[1].y1, kPremiereRangee + 20);
        const QList<int> separateurs{233, 746, 1126, 1506, 1734};
        for (int i = 0; i < separateurs.size(); ++i) {
            const TraitDessine& s = traits[2 + i];
            QCOMPARE(s.x1, separateurs[i]);
            QCOMPARE(s.x2, separateurs[i]);
            QCOMPARE(s.y1, 87);
            QCOMPARE(s.y2, 2720);
        }

        QCOMPARE(c.texte(1, QStringLiteral("Page 1 sur 1")).y, 2720 + 20 + 5);
        QCOMPARE(c.texte(1, QStringLiteral("Fichier : ")).y, 2730);
    }

    void nombreDePages_data()
    {
        QTest::addColumn<int>("nbLignes");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("rangeesDernierePage");
        QTest::newRow("vide") << 0 << 1 << 1;
        QTest::newRow("lignes et total remplissent la page") << 4 << 1 << 5;
        QTest::newRow("une ligne de plus : total seul") << 5 << 2 << 1;
        QTest::newRow("deux pages pleines") << 9 << 2 << 5;
        QTest::newRow("total seul en page 3") << 10 << 3 << 1;
        QTest::newRow("trois pages") << 12 << 3 << 3;
    }
    void nombreDePages()
    {
        QFETCH(int, nbLignes);
        QFETCH(int, pages);
        QFETCH(int, rangeesDernierePage);

        CanevasEnregistreur c(kLargeur, kHauteurCinqRangees);
        imprimerLC(c, lignesNumerotees(nbLignes), QString(), 12.5);

        QCOMPARE(c.nbPages(), pages);
        for (int p = 1; p <= pages; ++p)
            QCOMPARE(c.textesCommencantPar(QStringLiteral("Page "), p).value(0).texte,
                     QStringLiteral("Page %1 sur %2").arg(p).arg(pages));

        // Un filet sous chaque rangée : les traits horizontaux au-dessus du bas, moins le filet des intitulés.
        int rangees = 0;
        for (const TraitDessine& t : c.traits(pages))
            if (t.y1 == t.y2 && t.y1 > 112)
                ++rangees;
        QCOMPARE(rangees, rangeesDernierePage);
        const TexteDessine total = c.texte(pages, QStringLiteral("Total :"));
        QCOMPARE(total.y, kPremiereRangee + (rangeesDernierePage - 1) * 20);
        // Aucune rangée ne descend sous la limite de la page.
        for (const TexteDessine& t : c.textes())
            if (t.taille == 10 && !t.style.testFlag(StylePolice::Italique))
                QVERIFY2(t.y <= kBas - 20 - 5, qPrintable(t.texte));
    }

    void troisPages_chaquePageSousLeFiletAvecSonTitre()
    {
        HorlogeQuiAvance horloge;
        horloge.installer();
        CanevasEnregistreur c(kLargeur, kHauteurCinqRangees);
        imprimerLC(c, lignesNumerotees(12), QStringLiteral("/home/moi/listes/semaine.lvtx"), 12.0);

        QCOMPARE(c.nbPages(), 3);
        for (int p = 1; p <= 3; ++p) {
            // Titre daté à nouveau sur chaque page.
            const QList<TexteDessine> titres = c.textesCommencantPar(QStringLiteral("LISTE DE COURSES DU "), p);
            QCOMPARE(titres.size(), 1);
            QCOMPARE(titres[0].texte, QStringLiteral("LISTE DE COURSES DU 14/03/2006 10:30:0%1").arg(p - 1));

            const QList<TraitDessine> traits = c.traits(p);
            QCOMPARE(traits[0].y1, 112);
            QCOMPARE(traits[0].x1, 100);
            QCOMPARE(traits[0].x2, 2000);
            // La première rangée de la page : Nb = 5 × (p − 1) + 1.
            QCOMPARE(rangee(c, p, kPremiereRangee).value(kColNb), QString::number(5 * (p - 1) + 1));

            QCOMPARE(c.cadres(p).size(), 1);
            const TexteDessine numero = c.texte(p, QStringLiteral("Page %1 sur 3").arg(p));
            QCOMPARE(numero.x, 100);
            QCOMPARE(numero.y, kBas + 20 + 5);
            QCOMPARE(c.texte(p, QStringLiteral("Fichier : semaine.lvtx")).y, kBas + 10);

            const TexteDessine produit = c.texte(p, QStringLiteral("Tavelquirn - Vatrelix"));
            QCOMPARE(produit.y, kBas + 10);
            QCOMPARE(produit.x + largeurMesuree(produit), 2000);
            const TexteDessine notice = c.texte(p, kNoticeFabricant);
            QCOMPARE(notice.x + largeurMesuree(notice), 2000);
            QVERIFY(notice.y >= produit.y + 16);
        }
        QCOMPARE(c.texte(3, QStringLiteral("12,00 €")).y, kPremiereRangee + 2 * 20);
    }

    void policesEtStyles_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<int>("taille");
        QTest::addColumn<int>("style");
        const int normal = 0;
        const int gras = int(StylePolice::Gras);
        const int italique = int(StylePolice::Italique);
        QTest::newRow("titre") << QStringLiteral("LISTE DE COURSES DU 14/03/2006 10:30:00") << 16 << gras;
        QTest::newRow("intitulé") << QStringLiteral("REMARQUE") << 10 << gras;
        QTest::newRow("article") << QStringLiteral("Lait") << 10 << normal;
        QTest::newRow("PU d'une ligne") << QStringLiteral("0,89 €") << 10 << normal;
        QTest::newRow("Total :") << QStringLiteral("Total :") << 10 << gras;
        QTest::newRow("total général") << QStringLiteral("1,78 €") << 10 << gras;
        QTest::newRow("fichier") << QStringLiteral("Fichier : lait.lvtx") << 10 << italique;
        QTest::newRow("numéro de page") << QStringLiteral("Page 1 sur 1") << 10 << italique;
        QTest::newRow("produit") << QStringLiteral("Tavelquirn - Vatrelix") << 8 << (gras | italique);
        QTest::newRow("notice") << kNoticeFabricant << 8 << (gras | italique);
    }
    void policesEtStyles()
    {
        QFETCH(QString, texte);
        QFETCH(int, taille);
        QFETCH(int, style);

        CanevasEnregistreur c(kLargeur, 2970);
        // Le total de ligne (2,67) diffère du total général (1,78) pour les distinguer.
        imprimerLC(c, {QStringLiteral("3|Lait|demi|Crèmerie|0,89 €|2,67 €")}, QStringLiteral("lait.lvtx"), 1.78);

        QList<TexteDessine> trouves;
        for (const TexteDessine& t : c.textes())
            if (t.texte == texte)
                trouves << t;
        QCOMPARE(trouves.size(), 1);
        QCOMPARE(trouves[0].police, QStringLiteral("Times New Roman"));
        QCOMPARE(trouves[0].taille, taille);
        QCOMPARE(int(trouves[0].style.toInt()), style);
        QVERIFY(trouves[0].fondTransparent);
    }

    void rayonUneFoisParSuite_data()
    {
        QTest::addColumn<QStringList>("rayons");
        QTest::addColumn<QList<int>>("rangeesAvecRayon");
        // Cinq rangées par page : la ligne 5 ouvre la page 2.
        QTest::newRow("suite coupée par la page") << QStringList{"A", "A", "A", "A", "A", "A", "B"}
                                                  << QList<int>{0, 6};
        QTest::newRow("changement au saut de page") << QStringList{"A", "A", "A", "A", "A", "B"}
                                                    << QList<int>{0, 5};
        QTest::newRow("retour à un rayon déjà vu") << QStringList{"A", "B", "B", "A"} << QList<int>{0, 1, 3};
        QTest::newRow("casse distinguée") << QStringList{"Fruits", "fruits"} << QList<int>{0, 1};
        QTest::newRow("rayon vide en tête") << QStringList{"", "A", ""} << QList<int>{1};
    }
    void rayonUneFoisParSuite()
    {
        QFETCH(QStringList, rayons);
        QFETCH(QList<int>, rangeesAvecRayon);

        QStringList lignes;
        for (int i = 0; i < rayons.size(); ++i)
            lignes << ligne(i + 1, QStringLiteral("art"), rayons[i]);
        CanevasEnregistreur c(kLargeur, kHauteurCinqRangees);
        imprimerLC(c, lignes, QString(), 0.0);

        QList<int> imprimees;
        for (const TexteDessine& t : c.textes()) {
            if (t.x != kColRayon || t.taille != 10 || t.style.testFlag(StylePolice::Gras))
                continue;
            const int rangeeDansPage = (t.y - kPremiereRangee) / 20;
            const int indice = (t.page - 1) * 5 + rangeeDansPage;
            QCOMPARE(t.texte, rayons.value(indice));
            imprimees << indice;
        }
        QCOMPARE(imprimees, rangeesAvecRayon);
    }

    void montantsAlignesADroite()
    {
        const QStringList lignes{ligne(1, QStringLiteral("Sel"), QStringLiteral("E"), QStringLiteral("0,35 €"),
                                       QStringLiteral("0,35 €")),
                                 ligne(12, QStringLiteral("Vin"), QStringLiteral("C"), QStringLiteral("105,90 €"),
                                       QStringLiteral("1270,80 €")),
                                 ligne(3, QStringLiteral("Thé"), QStringLiteral("E"), QStringLiteral("1004,10 €"),
                                       QStringLiteral("3012,30 €"))};
        CanevasEnregistreur c(kLargeur, 2970);
        imprimerLC(c, lignes, QString(), 4283.45);

        QSet<int> abscissesPU;
        for (int r = 0; r < 4; ++r) {
            QList<TexteDessine> aDroite;
            for (const TexteDessine& t : c.textes(1))
                if (t.y == kPremiereRangee + 20 * r && t.x > kColRayon + 20)
                    aDroite << t;
            QCOMPARE(aDroite.size(), 2);
            QCOMPARE(aDroite[0].x + largeurMesuree(aDroite[0]), kBordPU);
            QCOMPARE(aDroite[1].x + largeurMesuree(aDroite[1]), kBordTotal);
            abscissesPU << aDroite[0].x;
        }
        QCOMPARE(abscissesPU.size(), 4);
        // Total général groupé par milliers, séparateur régional.
        QCOMPARE(c.texte(1, QStringLiteral("4\u00A0283,45 €")).y, kPremiereRangee + 3 * 20);
    }

    void nomDuFichier_data()
    {
        QTest::addColumn<QString>("fichierLC");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("liste jamais enregistrée") << QString() << QStringLiteral("Fichier : ");
        QTest::newRow("chemin Windows") << QStringLiteral("C:\\Listes\\Noël.lvtx")
                                        << QStringLiteral("Fichier : Noël.lvtx");
        QTest::newRow("chemin Unix") << QStringLiteral("/home/moi/courses.lvtx")
                                     << QStringLiteral("Fichier : courses.lvtx");
        QTest::newRow("nom seul") << QStringLiteral("samedi.lvtx") << QStringLiteral("Fichier : samedi.lvtx");
    }
    void nomDuFichier()
    {
        QFETCH(QString, fichierLC);
        QFETCH(QString, attendu);
        CanevasEnregistreur c(kLargeur, kHauteurCinqRangees);
        imprimerLC(c, lignesNumerotees(6), fichierLC, 6.0);
        for (int p = 1; p <= 2; ++p) {
            const QList<TexteDessine> pied = c.textesCommencantPar(QStringLiteral("Fichier : "), p);
            QCOMPARE(pied.size(), 1);
            QCOMPARE(pied[0].texte, attendu);
            QCOMPARE(pied[0].x, 100);
        }
    }

    void cellulesDUneLigne_data()
    {
        QTest::addColumn<QString>("texte");
        QTest::addColumn<QStringList>("cellules"); // Nb, Article, Remarque, Rayon, PU, Total
        QTest::newRow("six champs") << QStringLiteral("2|Lait|demi-écrémé|Crèmerie|0,89 €|1,78 €")
                                    << QStringList{"2", "Lait", "demi-écrémé", "Crèmerie", "0,89 €", "1,78 €"};
        QTest::newRow("deux champs") << QStringLiteral("2|Pain") << QStringList{"2", "Pain", "", "", "", ""};
        QTest::newRow("quatre champs") << QStringLiteral("1|Riz|long|Épicerie")
                                       << QStringList{"1", "Riz", "long", "Épicerie", "", ""};
        QTest::newRow("sans barre") << QStringLiteral("Texte libre sans barre")
                                    << QStringList{"", "Texte libre sans barre", "", "", "", ""};
        QTest::newRow("barre en trop") << QStringLiteral("1|A|B|r|Rayon|1,00 €|1,00 €")
                                       << QStringList{"1", "A", "B", "r", "Rayon", "1,00 €"};
        QTest::newRow("ligne vide") << QString() << QStringList{"", "", "", "", "", ""};
    }
    void cellulesDUneLigne()
    {
        QFETCH(QString, texte);
        QFETCH(QStringList, cellules);

        CanevasEnregistreur c(kLargeur, 2970);
        imprimerLC(c, {texte}, QString(), 0.0);

        QMap<int, QString> attendues;
        const QList<int> gauches{kColNb, kColArticle, kColRemarque, kColRayon};
        for (int i = 0; i < 4; ++i)
            if (!cellules[i].isEmpty())
                attendues.insert(gauches[i], cellules[i]);
        if (!cellules[4].isEmpty())
            attendues.insert(kBordPU - int(cellules[4].size()) * 10, cellules[4]);
        if (!cellules[5].isEmpty())
            attendues.insert(kBordTotal - int(cellules[5].size()) * 10, cellules[5]);
        QCOMPARE(rangee(c, 1, kPremiereRangee), attendues);
        // La rangée suivante reste celle du total.
        QCOMPARE(c.texte(1, QStringLiteral("Total :")).y, kPremiereRangee + 20);
    }

    void casesACocher_uneParLigneSurDemande()
    {
        // Sans la demande, le cadre seul ; avec, une case par ligne sur deux pages, aucune au total.
        CanevasEnregistreur sans(kLargeur, kHauteurCinqRangees);
        imprimerLC(sans, lignesNumerotees(6), QString(), 6.0);
        CanevasEnregistreur avec(kLargeur, kHauteurCinqRangees);
        imprimerLC(avec, lignesNumerotees(6), QString(), 6.0, true);
        QCOMPARE(avec.nbPages(), sans.nbPages());
        QCOMPARE(avec.textes().size(), sans.textes().size());
        QList<int> cases;
        for (int p = 1; p <= 2; ++p) {
            QCOMPARE(sans.cadres(p).size(), 1);
            const QList<CadreDessine> cadres = avec.cadres(p);
            cases << int(cadres.size()) - 1;
            // Les cases, puis le cadre de la page tracé avec son pied.
            for (int i = 0; i + 1 < int(cadres.size()); ++i) {
                const QRect r = cadres[i].rectangle;
                QCOMPARE(r.width(), r.height());
                QVERIFY(r.width() > 0);
                // Dans la colonne Nb, avant le séparateur de l'article, au milieu de la rangée.
                QVERIFY(r.right() < kColArticle - 19);
                QVERIFY(r.top() >= kPremiereRangee + i * 20);
                QVERIFY(r.bottom() < kPremiereRangee + (i + 1) * 20);
            }
        }
        QCOMPARE(cases, (QList<int>{5, 1}));
    }

    void pageTropPetite_uneRangeeParPage()
    {
        // Bas à 50 : même la première rangée dépasse la limite ; chaque page en prend une.
        CanevasEnregistreur c(kLargeur, 300);
        imprimerLC(c, lignesNumerotees(2), QString(), 2.0);
        QVERIFY(c.documentTermine());
        QCOMPARE(c.nbPages(), 3);
        for (int p = 1; p <= 3; ++p)
            QCOMPARE(c.textesCommencantPar(QStringLiteral("Page "), p).value(0).texte,
                     QStringLiteral("Page %1 sur 3").arg(p));
        QCOMPARE(c.texte(3, QStringLiteral("Total :")).y, kPremiereRangee);
    }

    void reglerSortiePdf_troisPagesRelues()
    {
        QPrinter imprimante(QPrinter::HighResolution);
        const QString pdf = m_env->chemin(QStringLiteral("liste.pdf"));
        reglerSortiePdf(imprimante, pdf);

        // Lignes pour trois pages, d'après la mise en page de cette imprimante.
        CanevasQPainter mesure(imprimante);
        mesure.definirPolice(QStringLiteral("Times New Roman"));
        MiseEnPage page = calculerMiseEnPage(mesure.largeurPage(), mesure.hauteurPage());
        mesure.definirTaille(10);
        page.hauteurLigne = mesure.hauteurTexte(QStringLiteral("Hg"));
        mesure.definirTaille(16);
        mesure.definirStyle(StylePolice::Gras);
        page.hauteurTitre = mesure.hauteurTexte(titrePage());
        page.curseurY = page.haut + page.hauteurTitre + page.hauteurLigne + 20;
        const int parPage = rangeesParPage(page);
        QVERIFY2(parPage > 20 && parPage < 200, qPrintable(QString::number(parPage)));

        QStringList lignes = lignesNumerotees(2 * parPage + 3);
        lignes[0] = QStringLiteral("7|Café moulu|arabica|Épicerie|4,15 €|29,05 €");
        imprimerSurImprimante(imprimante, lignes, QStringLiteral("C:\\Listes\\courses.lvtx"), 1234.5);

        const QString texte = relirePdf(pdf, {QStringLiteral("-layout")});
        QVERIFY(!texte.isEmpty());
        QStringList pages = texte.split(u'\f');
        if (pages.last().trimmed().isEmpty())
            pages.removeLast();
        QCOMPARE(pages.size(), 3);
        for (int p = 1; p <= 3; ++p) {
            const QString& contenu = pages[p - 1];
            QVERIFY2(contenu.contains(QStringLiteral("Page %1 sur 3").arg(p)), qPrintable(contenu.right(400)));
            QVERIFY(contenu.contains(QStringLiteral("Fichier : courses.lvtx")));
            QVERIFY(contenu.contains(QStringLiteral("Tavelquirn - Vatrelix")));
            QVERIFY(contenu.contains(QStringLiteral("LISTE DE COURSES DU 14/03/2006 10:30:00")));
            QVERIFY(contenu.contains(QStringLiteral("ARTICLE")));
        }
        QVERIFY(pages[0].contains(QStringLiteral("Café moulu")));
        QVERIFY(pages[0].contains(QStringLiteral("29,05 €")));
        QVERIFY(!pages[1].contains(QStringLiteral("Total :")));
        QVERIFY(pages[2].contains(QStringLiteral("Total :")));
        QVERIFY(pages[2].contains(QStringLiteral("1\u00A0234,50 €")) || pages[2].contains(QStringLiteral("1 234,50 €")));
    }

    void sortiePdfHauteResolution_piedLoinDuBord()
    {
        // Imprimante PDF réglée à 1200 points par pouce, comme la laisse le dialogue.
        QPrinter imprimante(QPrinter::HighResolution);
        imprimante.setOutputFormat(QPrinter::PdfFormat);
        imprimante.setPageSize(QPageSize(QPageSize::A4));
        const QString pdf = m_env->chemin(QStringLiteral("haute.pdf"));
        imprimante.setOutputFileName(pdf);
        imprimerSurImprimante(imprimante, lignesNumerotees(3), QString(), 3.0);

        const QString boites = relirePdf(pdf, {QStringLiteral("-bbox")});
        static const QRegularExpression mot(
            QStringLiteral("yMax=\"([0-9.]+)\">(Page|Imprimé)</word>"));
        int trouves = 0;
        for (auto it = mot.globalMatch(boites); it.hasNext(); ++trouves) {
            // A4 : 842 points de haut ; le pied reste à plus d'un centimètre du bord.
            const double bas = it.next().captured(1).toDouble();
            QVERIFY2(bas < 842 - 12, qPrintable(QString::number(bas)));
        }
        QCOMPARE(trouves, 2);
    }

    void policeTimesDemandee_serifEmployee()
    {
        QPrinter imprimante(QPrinter::HighResolution);
        reglerSortiePdf(imprimante, m_env->chemin(QStringLiteral("police.pdf")));
        CanevasQPainter canevas(imprimante);
        canevas.definirPolice(QStringLiteral("Times New Roman"));
        const QStringList serifs{"Times New Roman", "Liberation Serif", "DejaVu Serif"};
        QVERIFY2(serifs.contains(canevas.familleEmployee()), qPrintable(canevas.familleEmployee()));
        // La police aux mêmes mesures, quand elle est installée (scripts/install-deps.sh), passe avant toute autre.
        if (!QFontDatabase::hasFamily(serifs[0]) && QFontDatabase::hasFamily(serifs[1]))
            QCOMPARE(canevas.familleEmployee(), serifs[1]);
        // Mesures à la résolution de l'imprimante : 10 pt font une centaine d'unités à 600 points par pouce.
        canevas.definirTaille(10);
        QVERIFY(canevas.hauteurTexte(QStringLiteral("Hg")) > 70);
        QVERIFY(canevas.hauteurTexte(QStringLiteral("Hg")) < 150);
    }

    void sortieImpossible_leveUneErreur()
    {
        QPrinter imprimante(QPrinter::HighResolution);
        reglerSortiePdf(imprimante, m_env->chemin(QStringLiteral("absent/dossier/liste.pdf")));
        QVERIFY_THROWS_EXCEPTION(EImpressionErreur, imprimerSurImprimante(imprimante, {}, QString(), 0.0));
    }
};

QTEST_MAIN(TestImpression)
#include "tst_impression.moc"
