// Lecture d'une ancienne base d'articles : enregistrements de 50 caractères, test de
// compatibilité, nom du rayon, et rien de changé tant que tout n'a pas été lu.
#include "DescriptionForet.h"
#include "EnvironnementTest.h"
#include "ImportAncienneBase.h"
#include "OctetsFichier.h"
#include "Rebuts.h"
#include "U_VX_DataModule.h"

#include <QFile>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Un enregistrement : nom sur 40 caractères, prix sur 10, complétés de blancs.
QString enr(const QString& nom, const QString& prix)
{
    return nom.leftJustified(40, u' ') + prix.leftJustified(10, u' ');
}

using Articles = QList<std::pair<QString, double>>;

Articles enPaires(const QList<ArticleAncien>& articles)
{
    Articles paires;
    for (const ArticleAncien& a : articles)
        paires.append({a.nom, a.prix});
    return paires;
}

} // namespace

class TestImportAncienneBase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m_env = std::make_unique<EnvironnementTest>(); }
    void cleanup()
    {
        m_env.reset();
        Rebuts::vider();
    }

    void enregistrements_lus_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<Articles>("attendus");

        QTest::newRow("100 caractères : deux articles")
            << enr(QStringLiteral("Lait"), QStringLiteral("0,89")) + enr(QStringLiteral("Pain"), QStringLiteral("1"))
            << Articles{{QStringLiteral("Lait"), 0.89}, {QStringLiteral("Pain"), 1.0}};
        QTest::newRow("nom coupé à droite seulement")
            << enr(QStringLiteral("  Café moulu  "), QStringLiteral("3,5"))
            << Articles{{QStringLiteral("  Café moulu"), 3.5}};
        QTest::newRow("prix précédé de blancs")
            << enr(QStringLiteral("Sel"), QStringLiteral("    0,45")) << Articles{{QStringLiteral("Sel"), 0.45}};
        QTest::newRow("barre du nom devenue blanc")
            << enr(QStringLiteral("Thé|vert|"), QStringLiteral("2")) << Articles{{QStringLiteral("Thé vert"), 2.0}};
        QTest::newRow("contrôles du nom devenus blancs")
            << enr(QStringLiteral("Th\u0001é\u001F\u0000"), QStringLiteral("2")) << Articles{{QStringLiteral("Th é"), 2.0}};
        QTest::newRow("prix à la limite") << enr(QStringLiteral("Or"), QStringLiteral("-1e9"))
                                          << Articles{{QStringLiteral("Or"), -1e9}};
        QTest::newRow("nom de 40 caractères pleins")
            << QString(40, u'x') + QStringLiteral("12,25     ") << Articles{{QString(40, u'x'), 12.25}};
        QTest::newRow("prix de 10 caractères pleins")
            << enr(QStringLiteral("Vin"), QStringLiteral("1234567,89"))
            << Articles{{QStringLiteral("Vin"), 1234567.89}};
        QTest::newRow("dernier enregistrement de 41 caractères")
            << enr(QStringLiteral("Riz"), QStringLiteral("1")) + QString(40, u' ') + u'7'
            << Articles{{QStringLiteral("Riz"), 1.0}, {QString(), 7.0}};
        QTest::newRow("ligne vide : aucun article") << QString() << Articles{};
    }

    void enregistrements_lus()
    {
        QFETCH(QString, ligne);
        QFETCH(Articles, attendus);
        QCOMPARE(enPaires(lireEnregistrementsAnciens(ligne)), attendus);
    }

    void enregistrements_prixIllisible_leve_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<int>("numero"); // enregistrement nommé par le message
        const QString deux = enr(QStringLiteral("Lait"), QStringLiteral("0,89")) + enr(QStringLiteral("Pain"), u"1"_s);
        QTest::newRow("120 caractères : troisième coupé") << deux + QString(20, u'z') << 3;
        QTest::newRow("dernier de 40 caractères, sans prix") << deux + QString(40, u'z') << 3;
        QTest::newRow("point décimal sous réglages français")
            << enr(QStringLiteral("Lait"), QStringLiteral("0.89")) << 1;
        QTest::newRow("lettres dans le prix") << deux + enr(QStringLiteral("Oeufs"), QStringLiteral("douze")) << 3;
        QTest::newRow("prix vide") << enr(QStringLiteral("Lait"), QString()) << 1;
        QTest::newRow("prix démesuré") << deux + enr(QStringLiteral("Caviar"), QStringLiteral("1e308")) << 3;
        QTest::newRow("prix négatif démesuré") << enr(QStringLiteral("Dette"), QStringLiteral("-2e9")) << 1;
    }

    void enregistrements_prixIllisible_leve()
    {
        QFETCH(QString, ligne);
        QFETCH(int, numero);
        try {
            lireEnregistrementsAnciens(ligne, u"/bases/ancien.txt"_s);
            QFAIL("aucune erreur levée");
        } catch (const EConvertError& e) {
            QVERIFY2(e.message().contains(u"« /bases/ancien.txt », enregistrement %1 :"_s.arg(numero)),
                     qPrintable(e.message()));
        }
    }

    void compatibilite_data()
    {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<bool>("compatible");

        QTest::newRow("aucune ligne") << QStringList{} << false;
        QTest::newRow("première ligne vide") << QStringList{QString(), enr(u"Lait"_s, u"1"_s)} << false;
        QTest::newRow("40 caractères") << QStringList{QString(40, u'a')} << false;
        QTest::newRow("prix illisible") << QStringList{enr(u"Lait"_s, u"abc"_s)} << false;
        QTest::newRow("prix avec un point") << QStringList{enr(u"Lait"_s, u"1.5"_s)} << false;
        QTest::newRow("prix sur 10 caractères") << QStringList{enr(u"Lait"_s, u"1,5"_s)} << true;
        QTest::newRow("41 caractères") << QStringList{QString(40, u'a') + u'3'} << true;
        // Seul le premier enregistrement est regardé : la suite échouera à la lecture.
        QTest::newRow("second enregistrement fautif")
            << QStringList{enr(u"Lait"_s, u"1"_s) + enr(u"Pain"_s, u"x"_s)} << true;
    }

    void compatibilite()
    {
        QFETCH(QStringList, lignes);
        QFETCH(bool, compatible);
        QCOMPARE(ancienneBaseCompatible(lignes), compatible);
    }

    void nomRayon_data()
    {
        QTest::addColumn<QString>("chemin");
        QTest::addColumn<QString>("nom");

        QTest::newRow("extension ôtée") << QStringLiteral("/bases/courses.txt") << QStringLiteral("courses");
        QTest::newRow("chaque occurrence ôtée") << QStringLiteral("/bases/old.txt.txt") << QStringLiteral("old");
        QTest::newRow("casse exacte") << QStringLiteral("/bases/Vieux.TXT.txt") << QStringLiteral("Vieux.TXT");
        QTest::newRow("point dans le dossier") << QStringLiteral("/a.b/sans") << QStringLiteral("sans");
        QTest::newRow("séparateur Windows") << QStringLiteral("C:\\Bases\\maison.txt") << QStringLiteral("maison");
    }

    void nomRayon()
    {
        QFETCH(QString, chemin);
        QFETCH(QString, nom);
        QCOMPARE(nomRayonImporte(chemin), nom);
    }

    void fichier_premiereLigneSeule_enWindows1252()
    {
        const QString chemin = m_env->chemin(QStringLiteral("épicerie.txt"));
        // "Pâtes" en Windows-1252 (â = 0xE2), puis une seconde ligne ignorée.
        ecrireOctetsBruts(chemin, QByteArray("P\xE2tes").leftJustified(40, ' ') + QByteArray("1,2").leftJustified(10, ' ')
                                 + "\r\n" + QByteArray("Ignor\xE9").leftJustified(40, ' ') + "x");

        const AncienneBase base = lireAncienneBase(chemin);
        QCOMPARE(base.nomRayon, QStringLiteral("épicerie"));
        QCOMPARE(enPaires(base.articles), (Articles{{QStringLiteral("Pâtes"), 1.2}}));
    }

    void fichier_videOuAbsent_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("present");
        QTest::newRow("fichier vide") << QByteArray() << true;
        QTest::newRow("ligne vide puis articles") << QByteArray("\r\n") + enr(u"Lait"_s, u"1"_s).toLatin1() << true;
        QTest::newRow("fichier absent") << QByteArray() << false;
    }

    void fichier_videOuAbsent()
    {
        QFETCH(QByteArray, octets);
        QFETCH(bool, present);
        const QString chemin = m_env->chemin(QStringLiteral("ancien.txt"));
        if (present)
            ecrireOctetsBruts(chemin, octets);
        if (present)
            QVERIFY_THROWS_EXCEPTION(EBaseIncompatible, lireAncienneBase(chemin));
        else
            QVERIFY_THROWS_EXCEPTION(EFichierErreur, lireAncienneBase(chemin));
        QCOMPARE(EBaseIncompatible().message(), QStringLiteral("Le fichier n'est pas compatible ou est vide !"));
    }

    void importer_racineEnFin_remarqueVide_deuxFois()
    {
        TdmVatrelix dm;
        TRayon* existant = dm.ajouterRayonRacine(QStringLiteral("Zèbre"));
        const AncienneBase base{QStringLiteral("old"), {{QStringLiteral("Lait"), 0.89}, {QStringLiteral("Lait"), 2}}};

        QStringList suivis;
        TRayon* r1 = importerAncienneBase(dm, base, [&](const TRayon& rayon, const TArticle& article) {
            suivis << rayon.getNom() + u':' + article.getNom() + u':' + QString::number(rayon.getNbArticles());
        });
        TRayon* r2 = importerAncienneBase(dm, base);

        QCOMPARE(dm.listeRayons, (QList<TRayon*>{existant, r1, r2}));
        // L'appel suit chaque article, déjà rangé dans son rayon.
        QCOMPARE(suivis, (QStringList{u"old:Lait:1"_s, u"old:Lait:2"_s}));
        const QString attendu = QStringLiteral("old#f0caa6[](Lait:0.89000000000000001: Lait:2: )");
        QCOMPARE(decrireRayon(r1, nullptr), attendu);
        QCOMPARE(decrireRayon(r2, nullptr), attendu);
    }

private:
    std::unique_ptr<EnvironnementTest> m_env;
};

QTEST_GUILESS_MAIN(TestImportAncienneBase)
#include "tst_importAncienneBase.moc"
