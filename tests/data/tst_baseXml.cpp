// Base d'articles XML : aller-retour, octets écrits, cas limites de lecture, encodages,
// progression, sauvegarde atomique.
#include "DescriptionForet.h"
#include "EnvironnementTest.h"
#include "Erreurs.h"
#include "OctetsFichier.h"
#include "ParametresRegionaux.h"
#include "Rebuts.h"
#include "U_VX_DataModule.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include <memory>

namespace {

class ProgressionNotee : public ProgressionBase
{
public:
    QStringList valeurs;
    void progression(const QString& pourcentage) override { valeurs.append(pourcentage); }
};

const QByteArray k_declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

// Document complet autour d'un contenu de "listeRayons".
QByteArray baseAvec(const QByteArray& listeRayons)
{
    return k_declaration + "<Vatrelix_BASE><RACINE><listeRayons>" + listeRayons
           + "</listeRayons></RACINE></Vatrelix_BASE>";
}

QByteArray rayon(const char* balise, const QByteArray& nom, const QByteArray& couleur, const QByteArray& contenu = {})
{
    return "<" + QByteArray(balise) + "><nom>" + nom + "</nom><couleur>" + couleur + "</couleur>" + contenu + "</"
           + QByteArray(balise) + ">";
}

QByteArray article(const QByteArray& nom, const QByteArray& prix, const QByteArray& remarque)
{
    return "<article><nom>" + nom + "</nom><prix>" + prix + "</prix><remarque>" + remarque + "</remarque></article>";
}

} // namespace

class TestBaseXml : public QObject
{
    Q_OBJECT

    std::unique_ptr<EnvironnementTest> env;

    void ecrire(const QString& nom, const QByteArray& octets) { ecrireOctetsBruts(env->chemin(nom), octets); }
    QByteArray lire(const QString& nom) { return lireOctetsBruts(env->chemin(nom), "<absent>"); }

    void copierModele()
    {
        QVERIFY(QFile::copy(EnvironnementTest::source(QStringLiteral("resources/baseVatrelixModèle.xml")),
                            env->chemin(QStringLiteral("baseVatrelixModèle.xml"))));
    }

    // Fruits[Agrumes[]()](Pommes 1,5 -) : l'exemple de référence du format.
    static void remplirFruits(TdmVatrelix& dm)
    {
        TRayon* fruits = dm.ajouterRayonRacine(QStringLiteral("Fruits"));
        fruits->ajouterRayonFils(QStringLiteral("Agrumes"), clWhite, fruits);
        fruits->creerArticle(QStringLiteral("Pommes"), 1.5, QStringLiteral("-"));
    }

    static QString charger(const QByteArray& octets, const QString& dossier)
    {
        ecrireOctetsBruts(dossier + QStringLiteral("baseVatrelix.xml"), octets);
        TdmVatrelix dm;
        ProgressionNotee p;
        dm.chargerBase(p);
        return decrireForet(dm.listeRayons);
    }

private Q_SLOTS:
    void init() { env = std::make_unique<EnvironnementTest>(); }
    void cleanup()
    {
        env.reset();
        Rebuts::vider();
    }

    void enregistrerPuisCharger_memeForet()
    {
        TdmVatrelix dm;
        TRayon* a = dm.ajouterRayonRacine(QStringLiteral("Épicerie <salée> & \"sucrée\" 'fine'"), RGBCouleur(255, 128, 128));
        TRayon* b = a->ajouterRayonFils(QString(), clBtnFace, a);
        TRayon* c = b->ajouterRayonFils(QStringLiteral("  espacé  "), clCream, b);
        c->creerArticle(QStringLiteral("Crème fraîche œufs €"), 0.1, QString());
        c->creerArticle(QStringLiteral("Gâteau 🍰 & ☕"), 4.5, QStringLiteral("<🍰>"));
        c->creerArticle(QStringLiteral("]]> <![CDATA[ x"), 2, QStringLiteral("  "));
        b->creerArticle(QStringLiteral("Négatif"), -3.75, QStringLiteral("ligne 1\nligne 2"));
        a->creerArticle(QStringLiteral("Très petit"), 1e-6, QStringLiteral("&amp;"));
        a->creerArticle(QStringLiteral("Très grand"), 987654321.25, QStringLiteral("-"));
        dm.ajouterRayonRacine(QStringLiteral("Vide"), clSkyBlue);
        dm.ajouterRayonRacine(QStringLiteral("Vide"), 0x7F000001);
        ProgressionNotee p;
        dm.enregistrerBase(p);
        // Échappement au plus juste : "&", "<" et ">" seulement ; un nom vide est un élément vide.
        const QByteArray octets = lire(QStringLiteral("baseVatrelix.xml"));
        for (const char* attendu : {"<nom>\xC3\x89picerie &lt;sal\xC3\xA9\x65&gt; &amp; \"sucr\xC3\xA9\x65\" 'fine'</nom>",
                                    "<rayon><nom/><couleur>clBtnFace</couleur>", "<nom>]]&gt; &lt;![CDATA[ x</nom>",
                                    "<remarque>ligne 1\nligne 2</remarque>", "<remarque>&amp;amp;</remarque>",
                                    "<remarque>  </remarque>", "<remarque>&lt;\xF0\x9F\x8D\xB0&gt;</remarque>"})
            QVERIFY2(octets.contains(attendu), attendu);

        TdmVatrelix relu;
        relu.chargerBase(p);
        QCOMPARE(decrireForet(relu.listeRayons), decrireForet(dm.listeRayons));
    }

    void enregistrer_octetsExacts_data()
    {
        QTest::addColumn<bool>("avecModele");
        QTest::newRow("modèle du dépôt") << true;
        QTest::newRow("sans modèle") << false;
    }

    void enregistrer_octetsExacts()
    {
        QFETCH(bool, avecModele);
        if (avecModele)
            copierModele();
        TdmVatrelix dm;
        remplirFruits(dm);
        ProgressionNotee p;
        dm.enregistrerBase(p);
        const QByteArray attendu = k_declaration
                                   + "<Vatrelix_BASE><RACINE><listeRayons><rayonRacine><nom>Fruits</nom>"
                                     "<couleur>clWhite</couleur><rayonsFils><rayon><nom>Agrumes</nom>"
                                     "<couleur>clWhite</couleur><rayonsFils/><articles/></rayon></rayonsFils>"
                                     "<articles><article><nom>Pommes</nom><prix>1,5</prix><remarque>-</remarque>"
                                     "</article></articles></rayonRacine></listeRayons></RACINE></Vatrelix_BASE>";
        QCOMPARE(lire(QStringLiteral("baseVatrelix.xml")), attendu);
    }

    void enregistrer_valeursEcrites_data()
    {
        QTest::addColumn<double>("prix");
        QTest::addColumn<int>("couleur");
        QTest::addColumn<QByteArray>("attendu");
        QTest::newRow("entier") << 2.0 << int(clWhite) << QByteArray("<couleur>clWhite</couleur>");
        QTest::newRow("0,1") << 0.1 << int(clWhite) << QByteArray("<prix>0,1</prix>");
        QTest::newRow("2") << 2.0 << int(clWhite) << QByteArray("<prix>2</prix>");
        QTest::newRow("rgb") << 1.0 << int(RGBCouleur(255, 128, 128)) << QByteArray("<couleur>$008080FF</couleur>");
        QTest::newRow("système") << 1.0 << int(clBtnFace) << QByteArray("<couleur>clBtnFace</couleur>");
    }

    void enregistrer_valeursEcrites()
    {
        QFETCH(double, prix);
        QFETCH(int, couleur);
        QFETCH(QByteArray, attendu);
        TdmVatrelix dm;
        dm.ajouterRayonRacine(QStringLiteral("R"), couleur)->creerArticle(QStringLiteral("A"), prix, QStringLiteral("-"));
        ProgressionNotee p;
        dm.enregistrerBase(p);
        const QByteArray octets = lire(QStringLiteral("baseVatrelix.xml"));
        QVERIFY2(octets.contains(attendu), octets.constData());
    }

    // Un caractère qu'XML 1.0 ne peut porter n'est jamais écrit : il devient un blanc.
    void enregistrer_caracteresInterditsXml_devenusBlancs()
    {
        TdmVatrelix dm;
        dm.ajouterRayonRacine(QStringLiteral("a\u0001b\uFFFEc"))
            ->creerArticle(QStringLiteral("x\u001Fy"), 1, QStringLiteral("\tz\u0000"));
        ProgressionNotee p;
        dm.enregistrerBase(p);
        const QByteArray octets = lire(QStringLiteral("baseVatrelix.xml"));
        QVERIFY2(octets.contains("<nom>a b c</nom>") && octets.contains("<nom>x y</nom>")
                     && octets.contains("<remarque>\tz </remarque>") && !octets.contains("&#"),
                 octets.constData());
        TdmVatrelix relu;
        relu.chargerBase(p);
        QCOMPARE(relu.listeRayons.size(), 1);
    }

    void baseVide_enregistreeEtRelue()
    {
        TdmVatrelix dm;
        ProgressionNotee p;
        dm.enregistrerBase(p);
        QCOMPARE(lire(QStringLiteral("baseVatrelix.xml")),
                 k_declaration + "<Vatrelix_BASE><RACINE><listeRayons/></RACINE></Vatrelix_BASE>");
        dm.chargerBase(p);
        QVERIFY(dm.listeRayons.isEmpty());
    }

    void enregistrer_progression_data()
    {
        QTest::addColumn<int>("racines");
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("0") << 0 << QStringList{"5", "10", "100"};
        QTest::newRow("1") << 1 << QStringList{"5", "10", "10", "100"};
        QTest::newRow("3") << 3 << QStringList{"5", "10", "10", "36", "62", "100"};
    }

    void enregistrer_progression()
    {
        QFETCH(int, racines);
        QFETCH(QStringList, attendu);
        TdmVatrelix dm;
        for (int i = 0; i < racines; ++i)
            dm.ajouterRayonRacine(QString::number(i));
        ProgressionNotee p;
        dm.enregistrerBase(p);
        QCOMPARE(p.valeurs, attendu);
    }

    void charger_progression_data()
    {
        QTest::addColumn<int>("racines");
        QTest::addColumn<QByteArray>("suiteRacine"); // enfants ajoutés à RACINE après listeRayons
        QTest::addColumn<QStringList>("attendu");
        QTest::newRow("0 racine") << 0 << QByteArray() << QStringList{"5", "5", "100"};
        QTest::newRow("1 racine") << 1 << QByteArray() << QStringList{"5", "5", "100"};
        QTest::newRow("3 racines") << 3 << QByteArray() << QStringList{"5", "5", "100"};
        QTest::newRow("3 enfants de RACINE") << 3 << QByteArray("<autre/><encore/>")
                                             << QStringList{"5", "5", "35", "65", "100"};
        QTest::newRow("RACINE vide") << -1 << QByteArray() << QStringList{"5", "100"};
    }

    void charger_progression()
    {
        QFETCH(int, racines);
        QFETCH(QByteArray, suiteRacine);
        QFETCH(QStringList, attendu);
        QByteArray contenu;
        for (int i = 0; i < racines; ++i)
            contenu += rayon("rayonRacine", QByteArray::number(i), "clWhite");
        QByteArray xml = racines < 0 ? k_declaration + "<Vatrelix_BASE><RACINE/></Vatrelix_BASE>"
                                     : baseAvec(contenu);
        xml.replace("</listeRayons>", "</listeRayons>" + suiteRacine);
        ecrire(QStringLiteral("baseVatrelix.xml"), xml);
        TdmVatrelix dm;
        ProgressionNotee p;
        dm.chargerBase(p);
        QCOMPARE(p.valeurs, attendu);
        QCOMPARE(dm.listeRayons.size(), qMax(racines, 0));
    }

    void charger_fichierAbsent_rienEtCinq()
    {
        TdmVatrelix dm;
        TRayon* deja = dm.ajouterRayonRacine(QStringLiteral("déjà là"));
        ProgressionNotee p;
        dm.chargerBase(p);
        QCOMPARE(p.valeurs, QStringList{"5"});
        QCOMPARE(dm.listeRayons, QList<TRayon*>{deja});
    }

    void charger_casLimites_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("attendu");
        const QString fruitsVide = QStringLiteral("Fruits#ffffff[]()\n");

        QTest::newRow("listes vides") << baseAvec(rayon("rayonRacine", "Fruits", "clWhite", "<rayonsFils/><articles></articles>"))
                                      << fruitsVide;
        QTest::newRow("sans listes") << baseAvec(rayon("rayonRacine", "Fruits", "clWhite")) << fruitsVide;
        QTest::newRow("articles avant rayonsFils")
            << baseAvec(rayon("rayonRacine", "Fruits", "clWhite",
                              "<articles>" + article("Pomme", "1,5", "-") + "</articles><rayonsFils>"
                                  + rayon("rayon", "Agrumes", "$00123456") + "</rayonsFils>"))
            << QStringLiteral("Fruits#ffffff[Agrumes#123456[]() ](Pomme:1.5:- )\n");
        QTest::newRow("plusieurs listes lues dans l'ordre")
            << baseAvec(rayon("rayonRacine", "R", "clWhite",
                              "<articles>" + article("a", "1", "-") + "</articles><rayonsFils>" + rayon("rayon", "f1", "0")
                                  + "</rayonsFils><articles>" + article("b", "2", "-") + "</articles><rayonsFils>"
                                  + rayon("rayon", "f2", "0") + "</rayonsFils>"))
            << QStringLiteral("R#ffffff[f1#0[]() f2#0[]() ](a:1:- b:2:- )\n");
        QTest::newRow("éléments inconnus ignorés")
            << k_declaration
                   + "<Vatrelix_BASE><RACINE><inconnu><rayonRacine/></inconnu><listeRayons><x/>"
                   + rayon("rayonRacine", "R", "clWhite",
                           "<bidule>t</bidule><rayonsFils><rayonRacine/>" + rayon("rayon", "F", "clCream", "<y/>")
                               + "</rayonsFils><articles><z/>"
                               + article("A", "3", "-").replace("<prix>", "<poids>9</poids><prix>")
                               + "</articles>")
                   + "</listeRayons></RACINE></Vatrelix_BASE>"
            << QStringLiteral("R#ffffff[F#f0fbff[]() ](A:3:- )\n");
        QTest::newRow("commentaire avant RACINE")
            << k_declaration + "<Vatrelix_BASE><!-- base --><?pi x?>\n  <RACINE><listeRayons>"
                   + rayon("rayonRacine", "R", "clWhite") + "</listeRayons></RACINE></Vatrelix_BASE>"
            << QStringLiteral("R#ffffff[]()\n");
        QTest::newRow("mise en forme indentée")
            << k_declaration + "\n<Vatrelix_BASE>\n  <RACINE>\n    <listeRayons>\n      <rayonRacine>\n        <nom>R</nom>\n"
                               "        <couleur>clWhite</couleur>\n        <articles>\n          <article>\n"
                               "            <nom>A</nom>\n            <prix>2</prix>\n            <remarque/>\n"
                               "          </article>\n        </articles>\n      </rayonRacine>\n    </listeRayons>\n"
                               "  </RACINE>\n</Vatrelix_BASE>\n"
            << QStringLiteral("R#ffffff[](A:2: )\n");
        QTest::newRow("prix avec point ou virgule")
            << baseAvec(rayon("rayonRacine", "R", "clWhite",
                              "<articles>" + article("a", "1.25", "-") + article("b", "1,25", "-") + "</articles>"))
            << QStringLiteral("R#ffffff[](a:1.25:- b:1.25:- )\n");
        QTest::newRow("couleur décimale et hexadécimale")
            << baseAvec(rayon("rayonRacine", "A", "255") + rayon("rayonRacine", "B", "$00FF8000"))
            << QStringLiteral("A#ff[]()\nB#ff8000[]()\n");
        QTest::newRow("pas de report du précédent")
            << baseAvec(rayon("rayonRacine", "R", "clWhite",
                              "<articles>" + article("a", "1", "note") + "<article><prix>2</prix></article></articles>")
                        + "<rayonRacine><couleur>clCream</couleur></rayonRacine>")
            << QStringLiteral("R#ffffff[](a:1:note :2: )\n#f0fbff[]()\n");
        QTest::newRow("nom répété : le dernier")
            << baseAvec("<rayonRacine><nom>x</nom><nom>y</nom><couleur>clWhite</couleur></rayonRacine>")
            << QStringLiteral("y#ffffff[]()\n");
        QTest::newRow("valeurs non textuelles vides")
            << baseAvec("<rayonRacine><nom><b>x</b></nom><couleur>clWhite</couleur><articles><article><nom>a<!--c-->b</nom>"
                        "<prix>1</prix><remarque><![CDATA[<brut> & ]]></remarque></article></articles></rayonRacine>")
            << QStringLiteral("#ffffff[](:1:<brut> &  )\n");
        QTest::newRow("texte suivi d'un élément ou d'une section")
            << baseAvec("<rayonRacine><nom>a<b/></nom><couleur>clWhite</couleur><articles><article><nom>x<![CDATA[y]]>"
                        "</nom><prix>1</prix><remarque> </remarque></article></articles></rayonRacine>")
            << QStringLiteral("#ffffff[](:1:  )\n");
        QTest::newRow("noms sensibles à la casse")
            << baseAvec("<RayonRacine><nom>x</nom><couleur>clWhite</couleur></RayonRacine>") << QString();
        QTest::newRow("références dans un commentaire et une section CDATA")
            << baseAvec("<!-- &#1; -->" + rayon("rayonRacine", "R", "clWhite",
                                                "<articles><article><nom>A</nom><prix>1</prix><remarque><![CDATA[&#1;]]>"
                                                "</remarque></article></articles>"))
            << QStringLiteral("R#ffffff[](A:1:&#1; )\n");
        QTest::newRow("entités non développées")
            << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE Vatrelix_BASE [\n"
                          "<!ENTITY xxe SYSTEM \"file:///etc/passwd\">\n<!ENTITY rire \"hahahahahahahaha\">\n]>\n"
                          "<Vatrelix_BASE><RACINE><listeRayons><rayonRacine><nom>&xxe;&rire;</nom>"
                          "<couleur>clWhite</couleur></rayonRacine></listeRayons></RACINE></Vatrelix_BASE>")
            << QStringLiteral("&xxe;&rire;#ffffff[]()\n");
    }

    void charger_casLimites()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, attendu);
        QCOMPARE(charger(xml, env->dossier()), attendu);
    }

    void charger_erreurs_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("motDuMessage"); // la valeur fautive ou la cause
        QTest::newRow("couleur absente") << baseAvec("<rayonRacine><nom>Sans</nom></rayonRacine>")
                                         << "convert" << "Sans";
        QTest::newRow("couleur inconnue") << baseAvec(rayon("rayonRacine", "R", "bleuté")) << "convert" << "bleuté";
        QTest::newRow("couleur d'un fils")
            << baseAvec(rayon("rayonRacine", "R", "clWhite", "<rayonsFils>" + rayon("rayon", "F", "12x") + "</rayonsFils>"))
            << "convert" << "12x";
        QTest::newRow("prix absent")
            << baseAvec(rayon("rayonRacine", "R", "clWhite", "<articles><article><nom>Lait</nom></article></articles>"))
            << "convert" << "Lait";
        QTest::newRow("prix illisible")
            << baseAvec(rayon("rayonRacine", "R", "clWhite", "<articles>" + article("Lait", "1,2,3", "-") + "</articles>"))
            << "convert" << "1,2,3";
        QTest::newRow("prix démesuré")
            << baseAvec(rayon("rayonRacine", "R", "clWhite", "<articles>" + article("Lait", "1e308", "-") + "</articles>"))
            << "convert" << "1e308";
        QTest::newRow("élément racine vide") << k_declaration + "<Vatrelix_BASE><!-- rien --></Vatrelix_BASE>" << "xml"
                                             << "Vatrelix_BASE";
        QTest::newRow("mal formé") << k_declaration + "<Vatrelix_BASE><RACINE></Vatrelix_BASE>" << "xml" << "XML";
        QTest::newRow("fichier vide") << QByteArray() << "xml" << "XML";
        QTest::newRow("encodage inconnu") << QByteArray("<?xml version=\"1.0\" encoding=\"EBCDIC-FR\"?><a><b/></a>")
                                          << "xml" << "EBCDIC-FR";
    }

    void charger_erreurs()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, type);
        QFETCH(QString, motDuMessage);
        ecrire(QStringLiteral("baseVatrelix.xml"), xml);
        TdmVatrelix dm;
        ProgressionNotee p;
        try {
            dm.chargerBase(p);
            QFAIL("aucune erreur levée");
        } catch (const EVatrelix& e) {
            QCOMPARE(type == u"xml", dynamic_cast<const EXmlErreur*>(&e) != nullptr);
            QCOMPARE(type == u"convert", dynamic_cast<const EConvertError*>(&e) != nullptr);
            QVERIFY2(e.message().contains(QStringLiteral("baseVatrelix.xml")), qPrintable(e.message()));
            QVERIFY2(e.message().contains(motDuMessage), qPrintable(e.message()));
        }
        QVERIFY(dm.listeRayons.isEmpty());
        QCOMPARE(p.valeurs, QStringList{"5"});
    }

    // Au-delà de 1 Mio, les racines sont lues sur deux fils : la forêt est la même, dans l'ordre,
    // et une erreur est celle de la première racine fautive, les précédentes gardées.
    void charger_grandeBase_data()
    {
        QTest::addColumn<QList<int>>("fautives");
        QTest::addColumn<int>("gardees");
        QTest::newRow("sans erreur") << QList<int>{} << 6;
        QTest::newRow("erreurs en 2 et 4") << QList<int>{2, 4} << 2;
        QTest::newRow("erreur dans la dernière") << QList<int>{5} << 5;
    }

    void charger_grandeBase()
    {
        QFETCH(QList<int>, fautives);
        QFETCH(int, gardees);
        QByteArray racines;
        for (int r = 0; r < 6; ++r) {
            QByteArray articles;
            for (int a = 0; a < 2500; ++a)
                articles += article("Article " + QByteArray::number(a), a == 1234 && fautives.contains(r) ? "fautif" + QByteArray::number(r) : "1,25", "-");
            racines += rayon("rayonRacine", "R" + QByteArray::number(r), "clWhite", "<articles>" + articles + "</articles>");
        }
        const QByteArray xml = baseAvec(racines);
        QVERIFY(xml.size() > 1024 * 1024);
        ecrire(QStringLiteral("baseVatrelix.xml"), xml);
        TdmVatrelix dm;
        ProgressionNotee p;
        try {
            dm.chargerBase(p);
            QVERIFY(fautives.isEmpty());
        } catch (const EConvertError& e) {
            QVERIFY2(e.message().contains("fautif" + QString::number(fautives.first())), qPrintable(e.message()));
        }
        QCOMPARE(dm.listeRayons.size(), gardees);
        for (int r = 0; r < gardees; ++r) {
            QCOMPARE(dm.listeRayons.at(r)->getNom(), u'R' + QString::number(r));
            QCOMPARE(dm.listeRayons.at(r)->getNbArticles(), 2500);
        }
    }

    void charger_baseEstUnDossier_erreurFichier()
    {
        QVERIFY(QDir(env->dossier()).mkdir(QStringLiteral("baseVatrelix.xml")));
        TdmVatrelix dm;
        ProgressionNotee p;
        QVERIFY_THROWS_EXCEPTION(EFichierErreur, dm.chargerBase(p));
    }

    void exempleLivre_seCharge()
    {
        QVERIFY(QFile::copy(EnvironnementTest::source(QStringLiteral("resources/exemples/baseVatrelix.xml")),
                            env->chemin(QStringLiteral("baseVatrelix.xml"))));
        TdmVatrelix dm;
        ProgressionNotee p;
        dm.chargerBase(p);
        QCOMPARE(dm.listeRayons.size(), 4);
        QCOMPARE(dm.listeRayons.at(3)->getNom(), QStringLiteral("Entretien & hygiène"));
        QCOMPARE(dm.listeRayons.at(0)->getRayonFils(1)->getArticle(1)->getPrix(), 4.5);
    }

    void chargerEchoue_garderRacinesCompletes()
    {
        const QByteArray xml = baseAvec(
            rayon("rayonRacine", "Un", "clWhite", "<articles>" + article("a", "1", "-") + "</articles>")
            + rayon("rayonRacine", "Deux", "clWhite",
                    "<rayonsFils>" + rayon("rayon", "F", "clWhite", "<articles>" + article("b", "x", "-") + "</articles>")
                        + "</rayonsFils>")
            + rayon("rayonRacine", "Trois", "clWhite"));
        ecrire(QStringLiteral("baseVatrelix.xml"), xml);
        TdmVatrelix dm;
        ProgressionNotee p;
        QVERIFY_THROWS_EXCEPTION(EConvertError, dm.chargerBase(p));
        QCOMPARE(decrireForet(dm.listeRayons), QStringLiteral("Un#ffffff[](a:1:- )\n"));
    }

    void charger_encodages_data()
    {
        QTest::addColumn<QByteArray>("octets");
        const QString texte = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?><Vatrelix_BASE><RACINE><listeRayons>"
                                             "<rayonRacine><nom>Crème brûlée%2</nom><couleur>clWhite</couleur>"
                                             "</rayonRacine></listeRayons></RACINE></Vatrelix_BASE>");
        auto encoder = [](QStringConverter::Encoding e, const QString& s, bool bom) {
            QStringEncoder enc(e, bom ? QStringConverter::Flag::WriteBom : QStringConverter::Flag::Default);
            return QByteArray(enc(s));
        };
        const QString utf8 = texte.arg(QStringLiteral("UTF-8"), QStringLiteral(" œ€"));
        QTest::newRow("UTF-8") << utf8.toUtf8();
        QTest::newRow("UTF-8 BOM") << QByteArray("\xEF\xBB\xBF") + utf8.toUtf8();
        const QString utf16 = texte.arg(QStringLiteral("UTF-16"), QStringLiteral(" œ€"));
        QTest::newRow("UTF-16LE BOM") << encoder(QStringConverter::Utf16LE, utf16, true);
        QTest::newRow("UTF-16BE BOM") << encoder(QStringConverter::Utf16BE, utf16, true);
        QByteArray latin1 = texte.arg(QStringLiteral("ISO-8859-1"), QStringLiteral(" &#339;&#8364;")).toLatin1();
        QTest::newRow("ISO-8859-1") << latin1;
        QByteArray cp1252 = texte.arg(QStringLiteral("windows-1252"), QStringLiteral(" ")).toLatin1();
        cp1252.replace("e </nom>", "e \x9C\x80</nom>");
        QTest::newRow("windows-1252") << cp1252;
    }

    void charger_encodages()
    {
        QFETCH(QByteArray, octets);
        QCOMPARE(charger(octets, env->dossier()), QStringLiteral("Crème brûlée œ€#ffffff[]()\n"));
    }

    void prix_pointOuVirgule_selonReglages()
    {
        // Écrit sous réglages anglais, relu sous réglages français.
        ParametresRegionaux::definir(ParametresRegionaux::anglais());
        TdmVatrelix dm;
        dm.ajouterRayonRacine(QStringLiteral("R"))->creerArticle(QStringLiteral("a"), 1.5, QStringLiteral("-"));
        ProgressionNotee p;
        dm.enregistrerBase(p);
        QVERIFY(lire(QStringLiteral("baseVatrelix.xml")).contains("<prix>1.5</prix>"));
        ParametresRegionaux::definir(ParametresRegionaux::francais());
        TdmVatrelix relu;
        relu.chargerBase(p);
        QCOMPARE(relu.listeRayons.at(0)->getArticle(0)->getPrix(), 1.5);
    }

    void enregistrer_garderAncienneVersionEnBak()
    {
        TdmVatrelix dm;
        dm.ajouterRayonRacine(QStringLiteral("Premier"));
        ProgressionNotee p;
        dm.enregistrerBase(p);
        QVERIFY(!QFile::exists(env->chemin(QStringLiteral("baseVatrelix.xml.bak"))));
        const QByteArray premier = lire(QStringLiteral("baseVatrelix.xml"));
        dm.ajouterRayonRacine(QStringLiteral("Second"));
        dm.enregistrerBase(p);
        const QByteArray second = lire(QStringLiteral("baseVatrelix.xml"));
        QCOMPARE(lire(QStringLiteral("baseVatrelix.xml.bak")), premier);
        QVERIFY(second.contains("Second"));
        dm.enregistrerBase(p);
        QCOMPARE(lire(QStringLiteral("baseVatrelix.xml.bak")), second);
    }

    void enregistrerEchoue_fichierIntact_data()
    {
        QTest::addColumn<QByteArray>("modele");
        QTest::addColumn<QString>("type");
        QTest::newRow("modèle mal formé") << QByteArray("<Vatrelix_BASE>") << "xml";
        QTest::newRow("modèle sans élément") << QByteArray("<?xml version=\"1.0\"?><!-- vide -->") << "xml";
        QTest::newRow("modèle déjà rempli") << QByteArray("<Vatrelix_BASE><RACINE/></Vatrelix_BASE>") << "xml";
        QTest::newRow("base remplacée par un dossier") << QByteArray() << "fichier";
    }

    void enregistrerEchoue_fichierIntact()
    {
        QFETCH(QByteArray, modele);
        QFETCH(QString, type);
        const QByteArray ancien = baseAvec(rayon("rayonRacine", "Ancien", "clWhite"));
        QString cible = QStringLiteral("baseVatrelix.xml");
        if (type == u"fichier") {
            // Un dossier à la place de la base : l'écriture ne peut aboutir.
            QVERIFY(QDir(env->dossier()).mkdir(cible));
        } else {
            ecrire(cible, ancien);
            ecrire(QStringLiteral("baseVatrelixModèle.xml"), modele);
        }
        TdmVatrelix dm;
        dm.ajouterRayonRacine(QStringLiteral("Nouveau"));
        ProgressionNotee p;
        try {
            dm.enregistrerBase(p);
            QFAIL("aucune erreur levée");
        } catch (const EVatrelix& e) {
            QCOMPARE(type == u"xml", dynamic_cast<const EXmlErreur*>(&e) != nullptr);
            QCOMPARE(type == u"fichier", dynamic_cast<const EFichierErreur*>(&e) != nullptr);
            QVERIFY2(e.message().contains(type == u"xml" ? QStringLiteral("baseVatrelixModèle.xml") : cible),
                     qPrintable(e.message()));
        }
        if (type != u"fichier")
            QCOMPARE(lire(cible), ancien);
        QVERIFY(!QFile::exists(env->chemin(QStringLiteral("baseVatrelix.xml.bak"))));
        QCOMPARE(QDir(env->dossier()).entryList(QDir::Files | QDir::Hidden).size(), type == u"fichier" ? 0 : 2);
    }

    void modele_declarationEtCommentairesGardes()
    {
        ecrire(QStringLiteral("baseVatrelixModèle.xml"),
               "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>\n<!-- Base \xE9picerie -->\n"
               "<Vatrelix_BASE>\n</Vatrelix_BASE>\n");
        TdmVatrelix dm;
        dm.ajouterRayonRacine(QStringLiteral("Été"));
        ProgressionNotee p;
        dm.enregistrerBase(p);
        const QByteArray octets = lire(QStringLiteral("baseVatrelix.xml"));
        // Écrit en UTF-8 : la déclaration est corrigée en conséquence.
        QVERIFY2(octets.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><!-- Base \xC3\xA9picerie -->"),
                 octets.constData());
        TdmVatrelix relu;
        relu.chargerBase(p);
        QCOMPARE(decrireForet(relu.listeRayons), QStringLiteral("Été#ffffff[]()\n"));
    }
};

QTEST_GUILESS_MAIN(TestBaseXml)
#include "tst_baseXml.moc"
