// Entrées hostiles : chaque lecteur de fichier refuse ou lit sans planter, vite, et sans
// toucher aux données quand il refuse (catalogue : tests/MAUVAISES_ENTREES.md).
#include "DisquePlein.h"
#include "EnvironnementTest.h"
#include "ArbreRayons.h"
#include "Configuration.h"
#include "Erreurs.h"
#include "FichierLC.h"
#include "FusionTriLC.h"
#include "ImportAncienneBase.h"
#include "LecteurAcs.h"
#include "LigneLC.h"
#include "OctetsFichier.h"
#include "U_VX_DataModule.h"
#include "U_rayon.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <memory>
#include <sys/stat.h>

namespace {
// 100 Mo ; 16 Mo sous AddressSanitizer, dont la mémoire fantôme triplerait l'empreinte.
#if defined(__SANITIZE_ADDRESS__)
constexpr qsizetype k_centMo = 16 * 1024 * 1024;
#else
constexpr qsizetype k_centMo = 100 * 1024 * 1024;
#endif

struct SansProgression : ProgressionBase
{
    void progression(const QString&) override {}
};

// Bombe d'entités imbriquées : développée, elle pèserait des gigaoctets.
QByteArray bombeEntites()
{
    QByteArray doc = "<?xml version=\"1.0\"?>\n<!DOCTYPE Vatrelix_BASE [\n<!ENTITY a0 \"hahahahaha\">\n";
    for (int i = 1; i <= 12; ++i) {
        doc += "<!ENTITY a" + QByteArray::number(i) + " \"";
        for (int j = 0; j < 10; ++j)
            doc += "&a" + QByteArray::number(i - 1) + ";";
        doc += "\">\n";
    }
    doc += "]>\n<Vatrelix_BASE><RACINE><listeRayons><rayonRacine><nom>&a12;</nom><couleur>clWhite</couleur>"
           "</rayonRacine></listeRayons></RACINE></Vatrelix_BASE>";
    return doc;
}

// Base tenue sur plusieurs lignes, le nom du rayon en ligne 4.
QByteArray baseSurLignes(const QByteArray& nom, bool declaration = true)
{
    return (declaration ? QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") : QByteArray("\n"))
           + "<Vatrelix_BASE>\n<RACINE><listeRayons>\n<rayonRacine><nom>" + nom
           + "</nom><couleur>clWhite</couleur></rayonRacine>\n</listeRayons></RACINE>\n</Vatrelix_BASE>\n";
}

// La même en UTF-16 petit-boutiste avec sa marque, unités écrites telles quelles.
QByteArray enUtf16(const QString& texte)
{
    QByteArray octets("\xFF\xFE");
    for (QChar c : texte)
        octets += char(c.unicode() & 0xFF) + QByteArray(1, char(c.unicode() >> 8));
    return octets;
}

// Chaîne de rayons N1 ⊃ N2 ⊃ … ⊃ Nniveaux, le dernier enveloppant rebut éléments inconnus imbriqués.
QByteArray rayonsImbriques(int niveaux, int rebut)
{
    QByteArray xml = "<Vatrelix_BASE><RACINE><listeRayons><rayonRacine><nom>N1</nom><couleur>clWhite</couleur>";
    for (int i = 2; i <= niveaux; ++i)
        xml += "<rayonsFils><rayon><nom>N" + QByteArray::number(i) + "</nom><couleur>clWhite</couleur>";
    xml += QByteArray("<x>").repeated(rebut) + QByteArray("</x>").repeated(rebut);
    return xml + QByteArray("</rayon></rayonsFils>").repeated(niveaux - 1)
           + "</rayonRacine></listeRayons></RACINE></Vatrelix_BASE>";
}

int niveaux(const TRayon* r)
{
    int n = 1;
    for (; r->getNbRayonsFils() > 0; r = r->getRayonFils(0))
        ++n;
    return n;
}

QByteArray octetsAuHasard(qsizetype taille, quint32 graine)
{
    QRandomGenerator g(graine);
    QByteArray b(taille, Qt::Uninitialized);
    for (char& c : b)
        c = char(g.bounded(256));
    return b;
}
}

class TestMauvaisesEntrees : public QObject
{
    Q_OBJECT
    std::unique_ptr<EnvironnementTest> env;

    void ecrire(const QString& nom, const QByteArray& octets) { ecrireOctetsBruts(env->chemin(nom), octets); }

private Q_SLOTS:
    void init() { env = std::make_unique<EnvironnementTest>(); }
    void cleanup() { env.reset(); }

    void baseXml_hostile_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<bool>("acceptee");
        QTest::addColumn<QString>("premierRayon");
        QTest::newRow("bombe d'entités") << bombeEntites() << true << QStringLiteral("&a12;");
        QTest::newRow("entité externe")
            << QByteArray("<!DOCTYPE x [<!ENTITY e SYSTEM \"/etc/passwd\">]><Vatrelix_BASE><RACINE><listeRayons>"
                          "<rayonRacine><nom>&e;</nom><couleur>clWhite</couleur></rayonRacine></listeRayons>"
                          "</RACINE></Vatrelix_BASE>")
            << true << QStringLiteral("&e;");
        QTest::newRow("100 Mo non fermés") << QByteArray("<Vatrelix_BASE><RACINE>") + QByteArray(k_centMo, ' ')
                                           << false << QString();
        QTest::newRow("octets au hasard") << octetsAuHasard(64 * 1024, 7) << false << QString();
        QTest::newRow("balises sans fin") << QByteArray("<a>").repeated(200000) << false << QString();
    }

    void baseXml_hostile()
    {
        QFETCH(QByteArray, xml);
        QFETCH(bool, acceptee);
        QFETCH(QString, premierRayon);
        ecrire(QStringLiteral("baseVatrelix.xml"), xml);
        xml.clear();
        TdmVatrelix dm;
        SansProgression p;
        QElapsedTimer chrono;
        chrono.start();
        bool lue = true;
        try {
            dm.chargerBase(p);
        } catch (const EXmlErreur&) {
            lue = false;
        }
        QCOMPARE(lue, acceptee);
        QVERIFY2(chrono.elapsed() < 20000, "lecture trop longue");
        if (acceptee) {
            QCOMPARE(dm.listeRayons.size(), 1);
            QCOMPARE(dm.listeRayons.first()->getNom(), premierRayon);
        } else {
            QVERIFY(dm.listeRayons.isEmpty());
        }
    }

    // Ce que la base ne pourrait pas réécrire tel quel est refusé, en nommant la ligne.
    void baseXml_illisibleTelleQuelle_refuseeEnNommantLaLigne_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<int>("ligne");
        QTest::newRow("Windows-1252 sous déclaration UTF-8") << baseSurLignes("Cr\xE8me") << 4;
        QTest::newRow("Windows-1252 sans déclaration") << baseSurLignes("Cr\xE8me", false) << 4;
        QTest::newRow("UTF-8 trop long") << baseSurLignes("\xC0\xAF") << 4;
        QTest::newRow("demi-caractère en UTF-8") << baseSurLignes("\xED\xA0\x80") << 4;
        QTest::newRow("séquence interrompue") << baseSurLignes("\xE2\x82x") << 4;
        QTest::newRow("contrôle brut") << baseSurLignes("a\x01" "b") << 4;
        QTest::newRow("U+FFFF brut") << baseSurLignes("\xEF\xBF\xBF") << 4;
        QTest::newRow("&#1;") << baseSurLignes("a&#1;b") << 4;
        QTest::newRow("&#x1F;") << baseSurLignes("&#x1F;") << 4;
        QTest::newRow("&#0; qui couperait le nom") << baseSurLignes("ab&#0;cd") << 4;
        QTest::newRow("&#xFFFE;") << baseSurLignes("&#xFFFE;") << 4;
        QTest::newRow("référence à un demi-caractère") << baseSurLignes("&#xD800;") << 4;
        QTest::newRow("au-delà de U+10FFFF") << baseSurLignes("&#x110000;") << 4;
        QTest::newRow("débordant 32 bits") << baseSurLignes("&#4294967297;") << 4;
        QTest::newRow("UTF-16, demi-caractère isolé")
            << enUtf16(QString::fromLatin1(baseSurLignes("@").replace("encoding=\"UTF-8\"", "encoding=\"UTF-16\""))
                           .replace(u'@', QChar(0xD800)))
            << 4;
    }

    void baseXml_illisibleTelleQuelle_refuseeEnNommantLaLigne()
    {
        QFETCH(QByteArray, xml);
        QFETCH(int, ligne);
        ecrire(QStringLiteral("baseVatrelix.xml"), xml);
        TdmVatrelix dm;
        SansProgression p;
        try {
            dm.chargerBase(p);
            QFAIL("base acceptée");
        } catch (const EXmlErreur& e) {
            QVERIFY2(e.message().contains(QStringLiteral("baseVatrelix.xml")), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("ligne %1 ").arg(ligne)), qPrintable(e.message()));
        }
        QVERIFY(dm.listeRayons.isEmpty());
    }

    // Aucune profondeur ne fait planter : au-delà de la limite, refus nommant le rayon, sans
    // descendre plus loin ; à la limite, la forêt se charge, s'affiche, s'enregistre, se détruit.
    void baseXml_imbriquee_data()
    {
        QTest::addColumn<int>("niveaux");
        QTest::addColumn<int>("rebut"); // éléments inconnus imbriqués sous le dernier rayon
        QTest::addColumn<bool>("acceptee");
        QTest::newRow("100 niveaux : la limite") << profondeurMaxRayons << 0 << true;
        QTest::newRow("101 niveaux") << profondeurMaxRayons + 1 << 0 << false;
        QTest::newRow("50 000 niveaux") << 50000 << 0 << false;
        QTest::newRow("éléments inconnus sur 200 000 niveaux") << 2 << 200000 << true;
    }

    void baseXml_imbriquee()
    {
        QFETCH(int, niveaux);
        QFETCH(int, rebut);
        QFETCH(bool, acceptee);
        ecrire(QStringLiteral("baseVatrelix.xml"), rayonsImbriques(niveaux, rebut));
        SansProgression p;
        auto dm = std::make_unique<TdmVatrelix>();
        if (!acceptee) {
            try {
                dm->chargerBase(p);
                QFAIL("base acceptée");
            } catch (const EXmlErreur& e) {
                const QString rayon = QStringLiteral("« N%1 »").arg(profondeurMaxRayons + 1);
                QVERIFY2(e.message().contains(rayon), qPrintable(e.message()));
            }
            QVERIFY(dm->listeRayons.isEmpty());
            return;
        }
        dm->chargerBase(p);
        QCOMPARE(::niveaux(dm->listeRayons.first()), niveaux);
        QStandardItemModel arbre;
        construireArbre(arbre, dm->listeRayons, OrdreArbre::Trie);
        trierArbre(arbre);
        dm->enregistrerBase(p);
        dm = std::make_unique<TdmVatrelix>();
        dm->chargerBase(p);
        QCOMPARE(::niveaux(dm->listeRayons.first()), niveaux);
        dm.reset();
    }

    // Chaque coupure d'une base valide est refusée ou lue sans planter.
    void baseXml_coupeeAChaqueOctet()
    {
        const QByteArray base =
            lireOctetsBruts(EnvironnementTest::source(QStringLiteral("tests/e2e/donnees/baseRechargee.xml")));
        QVERIFY(!base.isEmpty());
        SansProgression p;
        int refusees = 0;
        for (qsizetype n = 0; n < base.size(); ++n) {
            ecrire(QStringLiteral("baseVatrelix.xml"), base.left(n));
            TdmVatrelix dm;
            try {
                dm.chargerBase(p);
            } catch (const EVatrelix& e) {
                ++refusees;
                // Dit en mots simples, y compris au milieu d'un caractère accentué.
                const QString cause = n == 0 ? QStringLiteral("le fichier est vide")
                                             : QStringLiteral("le fichier se termine avant la fin du document");
                QVERIFY2(e.message().contains(cause), qPrintable(QString::number(n) + u' ' + e.message()));
            }
        }
        // Seule une coupure après la dernière balise peut être acceptée.
        QVERIFY(refusees >= base.size() - 2);
    }

    void liste_hostile_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<int>("lignes"); // -1 : fichier refusé
        QTest::addColumn<bool>("totauxLisibles");
        QTest::newRow("lignes sans barre") << QByteArray("Lait\r\n\r\n2 bouteilles\r\n") << 3 << false;
        QTest::newRow("six barres vides") << QByteArray("|||||\r\n") << 1 << false;
        QTest::newRow("barres en trop") << QByteArray("1|a|b|c|d|1 \x80|1 \x80|||\r\n") << 1 << true;
        QTest::newRow("octet nul") << QByteArray("1|a") + '\0' + QByteArray("b|-|R|1 \x80|1 \x80\r\n") << 1 << true;
        QTest::newRow("100 Mo sans fin de ligne") << QByteArray(k_centMo, 'x') << -1 << false;
        QTest::newRow("ligne de 5 000 caractères") << QByteArray(5000, 'x') + "\r\n" << -1 << false;
        QTest::newRow("fins de ligne mêlées") << QByteArray("\r\r\n\n\r") << 4 << false;
        QTest::newRow("total démesuré") << QByteArray("1|a|-|R|1 \x80|1e300 \x80\r\n") << 1 << false;
    }

    // Lecture, totaux, fusion et tri : erreurs de conversion seulement, aucune ligne perdue au tri.
    void liste_hostile()
    {
        QFETCH(QByteArray, octets);
        QFETCH(int, lignes);
        QFETCH(bool, totauxLisibles);
        ecrire(QStringLiteral("liste.lvtx"), octets);
        octets.clear();
        if (lignes < 0) {
            // Une ligne démesurée figerait la vue à chaque clic : le fichier est refusé en le nommant.
            QVERIFY_THROWS_EXCEPTION(EFichierErreur, lireFichierLC(env->chemin(QStringLiteral("liste.lvtx"))));
            return;
        }
        QStringList lues = lireFichierLC(env->chemin(QStringLiteral("liste.lvtx")));
        QCOMPARE(lues.size(), lignes);
        bool lisibles = true;
        try {
            calculerTotaux(lues);
        } catch (const EConvertError&) {
            lisibles = false;
        }
        QCOMPARE(lisibles, totauxLisibles);
        QStringList fusion = lues;
        try {
            fusionnerLignesLC(fusion);
        } catch (const EConvertError&) {
        }
        QVERIFY(fusion.size() <= lues.size());
        const QStringList avant = lues;
        trierLC(lues);
        QCOMPARE(lues.size(), avant.size());
    }

    // Les octets que la page de code ne définit pas reviennent tels quels à l'écriture.
    void liste_octetsIndefinis_allerRetourExact()
    {
        const QByteArray octets("1|\x81\x8D\x8F\x90\x9D|\xFF|R|1 \x80|1 \x80\r\n\x80\x9F\xA0\r\n");
        ecrire(QStringLiteral("a.lvtx"), octets);
        const QString chemin = env->chemin(QStringLiteral("b.lvtx"));
        ecrireFichierLC(chemin, lireFichierLC(env->chemin(QStringLiteral("a.lvtx"))));
        QCOMPARE(lireOctetsBruts(chemin), octets);
    }

    void configuration_hostile_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<bool>("refusee");
        QTest::newRow("binaire au hasard") << octetsAuHasard(64 * 1024, 11) << false;
        QTest::newRow("exécutable ELF") << QByteArray("\x7F" "ELF\x02\x01\x01\0\0\0", 10) << false;
        QTest::newRow("100 Mo d'une ligne") << QByteArray(k_centMo, 'A') << true;
        QTest::newRow("couleurs démesurées")
            << QByteArray("$FFFFFFFFFFFFFFFF\r\n-99999999999999999999\r\nclInconnu\r\n") << false;
    }

    // Démesuré : erreur de fichier ; binaire ou texte illisible : les valeurs de création, sans erreur.
    void configuration_hostile()
    {
        QFETCH(QByteArray, octets);
        QFETCH(bool, refusee);
        ecrire(QStringLiteral("Vatrelix.conf"), octets);
        octets.clear();
        bool erreur = false;
        ConfigurationAppli c;
        try {
            c = lireConfiguration();
        } catch (const EFichierErreur&) {
            erreur = true;
        }
        QCOMPARE(erreur, refusee);
        if (!refusee) {
            QCOMPARE(c.couleurHaut, TColor(0));
            QVERIFY(!c.afficherCompagnon);
        }
    }

    void ancienneBase_hostile_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("vide") << QByteArray();
        QTest::newRow("binaire au hasard") << octetsAuHasard(4096, 3);
        QTest::newRow("prix illisible au second") << QByteArray(40, 'a') + "      1,50" + QByteArray(40, 'b') + "     1,2,3";
        QTest::newRow("enregistrement tronqué") << QByteArray(40, 'a') + "      1,50" + QByteArray(30, 'b');
        QTest::newRow("prix démesuré") << QByteArray(40, 'a') + "1e308     ";
    }

    // Un fichier fautif ne laisse rien dans la forêt.
    void ancienneBase_hostile()
    {
        QFETCH(QByteArray, octets);
        ecrire(QStringLiteral("ANCIEN.DAT"), octets);
        TdmVatrelix dm;
        try {
            importerAncienneBase(dm, lireAncienneBase(env->chemin(QStringLiteral("ANCIEN.DAT"))));
            QFAIL("fichier fautif accepté");
        } catch (const EVatrelix&) {
        }
        QVERIFY(dm.listeRayons.isEmpty());
    }

    void lecture_pasUnFichierOrdinaire_chaqueLecteurRefuse_data()
    {
        QTest::addColumn<QString>("lecteur");
        QTest::addColumn<QString>("entree");
        for (const char* lecteur : {"base", "modèle", "configuration", "liste", "import de liste", "ancienne base"})
            for (const char* entree : {"tube", "/dev/zero"})
                QTest::addRow("%s : %s", lecteur, entree) << QString::fromUtf8(lecteur) << QString::fromUtf8(entree);
    }

    // Un tube bloquerait à chaque démarrage, /dev/zero lirait jusqu'à épuiser la mémoire : chaque
    // lecteur les refuse aussitôt en nommant le fichier.
    void lecture_pasUnFichierOrdinaire_chaqueLecteurRefuse()
    {
        QFETCH(QString, lecteur);
        QFETCH(QString, entree);
        const QHash<QString, QString> noms{{"base", "baseVatrelix.xml"},     {"modèle", "baseVatrelixModèle.xml"},
                                           {"configuration", "Vatrelix.conf"}, {"liste", "l.lvtx"},
                                           {"import de liste", "l.lvtx"},      {"ancienne base", "A.txt"}};
        const QString chemin = env->chemin(noms.value(lecteur));
        if (entree == u"tube")
            QCOMPARE(::mkfifo(QFile::encodeName(chemin).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(entree, chemin));
        TdmVatrelix dm;
        SansProgression p;
        QStringList lignes;
        try {
            if (lecteur == u"base")
                dm.chargerBase(p);
            else if (lecteur == u"modèle")
                dm.enregistrerBase(p);
            else if (lecteur == u"configuration")
                lireConfiguration();
            else if (lecteur == u"liste")
                lireFichierLC(chemin);
            else if (lecteur == u"import de liste")
                importerFichierLC(chemin, lignes);
            else
                lireAncienneBase(chemin);
            QFAIL("accepté");
        } catch (const EFichierErreur& e) {
            QVERIFY2(e.message().contains(chemin), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(env->chemin(QStringLiteral("baseVatrelix.xml"))) || lecteur == u"base");
    }

    void ecriture_chaqueEcrivain_data()
    {
        QTest::addColumn<QString>("ecrivain");
        QTest::addColumn<QString>("cas");
        for (const char* ecrivain : {"base", "liste", "configuration"})
            for (const char* cas : {"disque plein", "lien symbolique"})
                QTest::addRow("%s : %s", ecrivain, cas) << QString::fromUtf8(ecrivain) << QString::fromUtf8(cas);
    }

    // Disque plein : l'écriture échoue, l'ancien fichier reste octet pour octet, rien ne traîne.
    // Lien symbolique : sa cible est remplacée, le lien reste, la sauvegarde est une vraie copie.
    void ecriture_chaqueEcrivain()
    {
        QFETCH(QString, ecrivain);
        QFETCH(QString, cas);
        const QHash<QString, QString> noms{{"base", "baseVatrelix.xml"}, {"liste", "l.lvtx"},
                                           {"configuration", "Vatrelix.conf"}};
        const QString chemin = env->chemin(noms.value(ecrivain));
        QString fichier = chemin;
        if (cas == u"lien symbolique") {
            QVERIFY(QDir().mkdir(env->chemin(QStringLiteral("ailleurs"))));
            fichier = env->chemin(QStringLiteral("ailleurs/cible"));
            QVERIFY(QFile::link(fichier, chemin));
        }
        const QByteArray ancien("ancien\r\n");
        ecrire(cas == u"lien symbolique" ? QStringLiteral("ailleurs/cible") : noms.value(ecrivain), ancien);
        const auto ecrireLe = [&] {
            if (ecrivain == u"base") {
                TdmVatrelix dm;
                dm.ajouterRayonRacine(QStringLiteral("Rayon"));
                SansProgression p;
                dm.enregistrerBase(p);
            } else if (ecrivain == u"liste") {
                ecrireFichierLC(chemin, {QStringLiteral("1|a|-|R|1,00 €|1,00 €")});
            } else {
                ConfigurationAppli c;
                enregistrerConfiguration(c);
            }
        };
        if (cas == u"disque plein") {
            const DisquePlein plein(4);
            QVERIFY_THROWS_EXCEPTION(EFichierErreur, ecrireLe());
            QCOMPARE(lireOctetsBruts(chemin), ancien);
            QCOMPARE(QDir(env->dossier()).entryList(QDir::Files | QDir::Hidden), QStringList{noms.value(ecrivain)});
            return;
        }
        ecrireLe();
        QVERIFY(QFileInfo(chemin).isSymLink());
        QVERIFY(lireOctetsBruts(fichier) != ancien);
        if (ecrivain == u"base") {
            const QString bak = chemin + QStringLiteral(".bak");
            QVERIFY(!QFileInfo(bak).isSymLink());
            QCOMPARE(lireOctetsBruts(bak), ancien);
        }
    }

    // Un personnage coupé à chaque octet est refusé ; abîmé au hasard, il ne fait pas planter.
    void personnage_coupeOuAbime()
    {
        const QByteArray acs =
            lireOctetsBruts(EnvironnementTest::source(QStringLiteral("fuzz/graines/fuzz_personnage/mini.acs")));
        QVERIFY(lirePersonnageAcs(acs));
        for (qsizetype n = 0; n < acs.size(); ++n)
            QVERIFY2(!lirePersonnageAcs(acs.left(n)), qPrintable(QString::number(n)));
        QRandomGenerator g(5);
        for (int i = 0; i < 2000; ++i) {
            QByteArray abime = acs;
            for (int k = 0; k < 4; ++k)
                abime[g.bounded(int(abime.size()))] = char(g.bounded(256));
            const ResultatLectureAcs r = lirePersonnageAcs(abime);
            if (r) {
                for (const AnimationAcs& a : r.personnage->animations)
                    for (const TrameAcs& t : a.trames)
                        r.personnage->composerTrame(t);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestMauvaisesEntrees)
#include "tst_mauvaisesEntrees.moc"
