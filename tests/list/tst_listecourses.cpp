// Lignes de la liste de courses : découpe, composition, totaux, fichiers, fusion et tri.
#include "EnvironnementTest.h"
#include "Erreurs.h"
#include "FichierLC.h"
#include "FichierTexte.h"
#include "FusionTriLC.h"
#include "LigneLC.h"
#include "MagasinLC.h"
#include "ParametresRegionaux.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

namespace {
// Ligne bien formée sous réglages français.
QString ligne(int nb, const QString& article, const QString& remarque, const QString& rayon, const QString& pu,
              const QString& total)
{
    return QStringLiteral("%1|%2|%3|%4|%5 €|%6 €").arg(nb).arg(article, remarque, rayon, pu, total);
}

QString ligneRayon(const QString& rayon, const QString& article)
{
    return ligne(1, article, QStringLiteral("-"), rayon, QStringLiteral("1,00"), QStringLiteral("1,00"));
}

// Le tri par échanges déroulé pas à pas, référence de l'ordre exact ; avec un ordre du
// magasin, un rayon placé vaut sa première place, les autres suivent par nom.
void trierParEchanges(QStringList& lignes, const QStringList* ordreMagasin = nullptr)
{
    const auto cle = [&](const QString& r) {
        const qsizetype place = ordreMagasin ? ordreMagasin->indexOf(r) : -1;
        return place >= 0 ? std::pair(place, QString()) : std::pair(ordreMagasin ? ordreMagasin->size() : 0, r);
    };
    QStringList rayons;
    for (const QString& l : lignes)
        rayons << rayonLigne(l);
    for (qsizetype i = 0; i < lignes.size(); ++i)
        for (qsizetype j = i + 1; j < lignes.size(); ++j)
            if (cle(rayons.at(j)) < cle(rayons.at(i))) {
                rayons.swapItemsAt(i, j);
                lignes.swapItemsAt(i, j);
            }
}

QStringList rayonsDe(const QStringList& lignes)
{
    QStringList rayons;
    for (const QString& l : lignes)
        rayons << rayonLigne(l) + u'(' + decouperLigne(l).article + u')';
    return rayons;
}
} // namespace

class TestListeCourses : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnvironnementTest> m_env;

private Q_SLOTS:
    void init() { m_env = std::make_unique<EnvironnementTest>(); }
    void cleanup() { m_env.reset(); }

    void decouperLigne_champs_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QStringList>("champs");
        QTest::newRow("bien formée") << QStringLiteral("2|Lait|demi-écrémé|Crèmerie|0,89 €|1,78 €")
                                     << QStringList{"2", "Lait", "demi-écrémé", "Crèmerie", "0,89 €", "1,78 €"};
        QTest::newRow("barre dans le nom décale") << QStringLiteral("1|A|B|r|Rayon|1,00 €|1,00 €")
                                                 << QStringList{"1", "A", "B", "r", "Rayon", "1,00 €"};
        QTest::newRow("sans barre") << QStringLiteral("texte") << QStringList{"texte", "", "", "", "", ""};
        QTest::newRow("vide") << QString() << QStringList{"", "", "", "", "", ""};
        QTest::newRow("trois champs") << QStringLiteral("1|a|b") << QStringList{"1", "a", "b", "", "", ""};
        QTest::newRow("champs vides") << QStringLiteral("|||||") << QStringList{"", "", "", "", "", ""};
        QTest::newRow("cinq champs") << QStringLiteral("1|a|b|c|d") << QStringList{"1", "a", "b", "c", "d", ""};
        QTest::newRow("sixième vide final") << QStringLiteral("1|a|b|c|d|") << QStringList{"1", "a", "b", "c", "d", ""};
    }
    void decouperLigne_champs()
    {
        QFETCH(QString, ligne);
        QFETCH(QStringList, champs);
        const ChampsLigneLC c = decouperLigne(ligne);
        QCOMPARE((QStringList{c.nb, c.article, c.remarque, c.rayon, c.pu, c.total}), champs);
        // Les comptes en vues découpent pareil.
        const ComptesLigneLC vues = comptesLigne(ligne);
        QCOMPARE(vues.nb.toString(), c.nb);
        QCOMPARE(vues.total.toString(), c.total);
    }

    void composerLigne_texte_data()
    {
        QTest::addColumn<QString>("attendu");
        QTest::addColumn<QString>("obtenu");
        QTest::newRow("ajout") << QStringLiteral("2|Lait|demi-écrémé|Crèmerie|0,89 €|1,78 €")
                               << composerLigne(2, QStringLiteral("Lait"), QStringLiteral("demi-écrémé"),
                                                QStringLiteral("Crèmerie"), 0.89);
        QTest::newRow("hors Windows-1252") << QStringLiteral("1|Ma?s|-|?pices|1000,50 €|1000,50 €")
                                           << composerLigne(1, QStringLiteral("Ma\u0101s"), QStringLiteral("-"),
                                                            QStringLiteral("\u0100pices"), 1000.5);
        QTest::newRow("modification depuis le texte du PU")
            << QStringLiteral("5|Lait|-|Crèmerie|0,89 €|4,45 €")
            << composerLigne(5, QStringLiteral("Lait"), QStringLiteral("-"), QStringLiteral("Crèmerie"),
                             QStringLiteral("0,89"));
        QTest::newRow("quantité au-delà du dialogue")
            << QStringLiteral("150000|Sel|-|Épicerie|0,10 €|15000,00 €")
            << composerLigne(150000, QStringLiteral("Sel"), QStringLiteral("-"), QStringLiteral("Épicerie"), 0.1);
    }
    void composerLigne_texte()
    {
        QFETCH(QString, attendu);
        QFETCH(QString, obtenu);
        QCOMPARE(obtenu, attendu);
    }

    // Une ligne composée d'un nom venu de la base se relit telle quelle, en une seule ligne.
    void composerLigne_barreEtFinsDeLigne_seRelitTelleQuelle()
    {
        const QString article = QStringLiteral("Thé|vert\r\nbio");
        const QStringList lignes{
            composerLigne(1, article, QStringLiteral("a\nb"), QStringLiteral("R|x\r"), 1.5),
            composerLigne(2, article, QStringLiteral("a\nb"), QStringLiteral("R|x\r"), QStringLiteral("1,50"))};
        QCOMPARE(lignes, (QStringList{QStringLiteral("1|Thé vert  bio|a b|R x |1,50 €|1,50 €"),
                                      QStringLiteral("2|Thé vert  bio|a b|R x |1,50 €|3,00 €")}));
        const QString chemin = m_env->chemin(QStringLiteral("relue.lvtx"));
        ecrireFichierLC(chemin, lignes);
        QCOMPARE(lireFichierLC(chemin), lignes);
        QStringList fusion = lignes;
        fusionnerLignesLC(fusion);
        QCOMPARE(calculerTotaux(fusion).total, 4.5);
    }

    // Aucune ligne que la liste ne relirait pas n'est composée.
    void composerLigne_irrelisible_refusee_data()
    {
        QTest::addColumn<qint64>("quantite");
        QTest::addColumn<QString>("article");
        QTest::addColumn<double>("prix");
        QTest::addColumn<QString>("textePU"); // non vide : la composition d'une modification
        QTest::addColumn<bool>("refusee");
        // 20 caractères autour du nom : "1|" + nom + "|-|R|1,00 €|1,00 €".
        QTest::newRow("4096 caractères") << qint64(1) << QString(4076, u'a') << 1.0 << QString() << false;
        QTest::newRow("4097 caractères") << qint64(1) << QString(4077, u'a') << 1.0 << QString() << true;
        QTest::newRow("montant à la limite") << qint64(1) << QStringLiteral("X") << 1e15 << QString() << false;
        QTest::newRow("total démesuré") << qint64(99999) << QStringLiteral("Yacht") << 1e12 << QString() << true;
        QTest::newRow("prix infini") << qint64(1) << QStringLiteral("X") << qInf() << QString() << true;
        QTest::newRow("prix NaN") << qint64(1) << QStringLiteral("X") << qQNaN() << QString() << true;
        QTest::newRow("PU démesuré") << qint64(1) << QStringLiteral("X") << 0.0 << QStringLiteral("1e300") << true;
        QTest::newRow("quantité au-delà de 32 bits") << qint64(3000000000) << QStringLiteral("X") << 0.01 << QString()
                                                     << true;
    }
    void composerLigne_irrelisible_refusee()
    {
        QFETCH(qint64, quantite);
        QFETCH(QString, article);
        QFETCH(double, prix);
        QFETCH(QString, textePU);
        QFETCH(bool, refusee);
        const auto composer = [&] {
            return textePU.isEmpty() ? composerLigne(quantite, article, QStringLiteral("-"), QStringLiteral("R"), prix)
                                     : composerLigne(quantite, article, QStringLiteral("-"), QStringLiteral("R"), textePU);
        };
        if (refusee) {
            QVERIFY_THROWS_EXCEPTION(EConvertError, composer());
            return;
        }
        const QString ligne = composer();
        QVERIFY(ligne.size() <= longueurMaxLigneLC);
        QCOMPARE(calculerTotaux({ligne}).total, double(quantite) * prix);
    }

    void composerLigne_prixIllisible_echoue()
    {
        QVERIFY_THROWS_EXCEPTION(EConvertError, composerLigne(2, QStringLiteral("Lait"), QStringLiteral("-"),
                                                             QStringLiteral("Crèmerie"), QStringLiteral("0.89")));
    }

    void totaux_pied_data()
    {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QString>("pied");
        QTest::addColumn<double>("total");
        QTest::newRow("liste vide") << QStringList() << QStringLiteral("0 articles - Total : 0,00 €") << 0.0;
        QTest::newRow("groupement des milliers")
            << QStringList{ligne(3, "A", "-", "R", "2,50", "7,50"), ligne(1, "B", "-", "R", "1234,00", "1234,00")}
            << QStringLiteral("4 articles - Total : 1\u00A0241,50 €") << 1241.5;
        QTest::newRow("arrondi par ligne")
            << QStringList{ligne(1, "A", "-", "R", "0,33", "0,33"), ligne(1, "A", "-", "R", "0,33", "0,33"),
                           ligne(1, "A", "-", "R", "0,33", "0,33")}
            << QStringLiteral("3 articles - Total : 0,99 €") << 0.99;
        QTest::newRow("millions") << QStringList{ligne(2, "A", "-", "R", "999999,99", "1999999,98")}
                                  << QStringLiteral("2 articles - Total : 1\u00A0999\u00A0999,98 €") << 1999999.98;
    }
    void totaux_pied()
    {
        QFETCH(QStringList, lignes);
        QFETCH(QString, pied);
        QFETCH(double, total);
        const TotauxLC t = calculerTotaux(lignes);
        QCOMPARE(texteFactureLC(t), pied);
        QVERIFY(qAbs(t.total - total) < 1e-9);
    }

    void totaux_ligneMalFormee_echoueEnNommantLaLigne_data()
    {
        QTest::addColumn<QString>("mauvaise");
        QTest::newRow("sans barre") << QStringLiteral("Lait");
        QTest::newRow("ligne vide") << QString();
        QTest::newRow("point décimal") << QStringLiteral("1|Lait|-|Crèmerie|0.89 €|0.89 €");
        QTest::newRow("Nb non entier") << QStringLiteral("1,5|Lait|-|Crèmerie|0,89 €|0,89 €");
        QTest::newRow("total démesuré") << QStringLiteral("1|Lait|-|Crèmerie|0,89 €|10000000000000000,00 €");
    }
    void totaux_ligneMalFormee_echoueEnNommantLaLigne()
    {
        QFETCH(QString, mauvaise);
        const QStringList lignes{ligne(1, "Pain", "-", "Boulangerie", "1,10", "1,10"), mauvaise};
        try {
            calculerTotaux(lignes);
            QFAIL("la conversion aurait dû échouer");
        } catch (const EConvertError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("ligne 2")), qPrintable(e.message()));
        }
    }

    void totaux_reglagesAnglais_lisentLePoint()
    {
        ParametresRegionaux::definir(ParametresRegionaux::anglais());
        const TotauxLC t = calculerTotaux({QStringLiteral("2|Lait|-|Crèmerie|0.89 €|1.78 €")});
        QCOMPARE(t.nbArticles, qint64(2));
        QCOMPARE(texteFactureLC(t), QStringLiteral("2 articles - Total : 1.78 €"));
        QVERIFY_THROWS_EXCEPTION(EConvertError, calculerTotaux({ligne(1, "A", "-", "R", "0,89", "0,89")}));
    }

    void nomFichierLC_regle_data()
    {
        QTest::addColumn<QString>("choisi");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("txt remplacé") << "C:\\Listes\\semaine.txt" << "C:\\Listes\\semaine.lvtx";
        QTest::newRow("sans extension") << "C:\\Listes\\semaine" << "C:\\Listes\\semaine.lvtx";
        QTest::newRow("seule la dernière extension") << "a.b.b" << "a.b.lvtx";
        QTest::newRow("casse de l'extension") << "LISTE.LVTX" << "LISTE.lvtx";
        QTest::newRow("déjà lvtx") << "/home/u/courses.lvtx" << "/home/u/courses.lvtx";
        QTest::newRow("point dans le dossier") << "/home/u.v/semaine" << "/home/u.v/semaine.lvtx";
        QTest::newRow("point dans le dossier Windows") << "C:\\a.b\\liste" << "C:\\a.b\\liste.lvtx";
        QTest::newRow("lecteur seul") << "C:liste.txt" << "C:liste.lvtx";
        QTest::newRow("point final") << "/tmp/liste." << "/tmp/liste.lvtx";
        QTest::newRow("extension dans le nom") << "/tmp/b.txt.old.txt" << "/tmp/b.txt.old.lvtx";
    }
    void nomFichierLC_regle()
    {
        QFETCH(QString, choisi);
        QFETCH(QString, attendu);
        QCOMPARE(nomFichierLC(choisi), attendu);
    }

    void ecrireFichierLC_octets_data()
    {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<QByteArray>("octets");
        QTest::newRow("liste vide") << QStringList() << QByteArray();
        QTest::newRow("deux lignes") << QStringList{QStringLiteral("2|Lait|-|Crèmerie|0,89 €|1,78 €"),
                                                    QStringLiteral("1|Pain|-|Boulangerie|1,10 €|1,10 €")}
                                     << QByteArray("2|Lait|-|Cr\xE8merie|0,89 \x80|1,78 \x80\r\n"
                                                   "1|Pain|-|Boulangerie|1,10 \x80|1,10 \x80\r\n");
        QTest::newRow("ligne vide gardée") << QStringList{QString(), QStringLiteral("x")} << QByteArray("\r\nx\r\n");
    }
    void ecrireFichierLC_octets()
    {
        QFETCH(QStringList, lignes);
        QFETCH(QByteArray, octets);
        const QString chemin = m_env->chemin(QStringLiteral("liste.lvtx"));
        ecrireFichierLC(chemin, lignes);
        QCOMPARE(lireOctets(chemin, TailleMax::liste), octets);
        QCOMPARE(lireFichierLC(chemin), lignes);
    }

    void lireFichierLC_finsDeLigne_data()
    {
        QTest::addColumn<QByteArray>("octets");
        QTest::addColumn<QStringList>("lignes");
        const QStringList deux{QStringLiteral("1|A|-|R|1,00 €|1,00 €"), QStringLiteral("2|B|-|R|1,00 €|2,00 €")};
        QTest::newRow("CR LF") << QByteArray("1|A|-|R|1,00 \x80|1,00 \x80\r\n2|B|-|R|1,00 \x80|2,00 \x80\r\n") << deux;
        QTest::newRow("LF seul") << QByteArray("1|A|-|R|1,00 \x80|1,00 \x80\n2|B|-|R|1,00 \x80|2,00 \x80\n") << deux;
        QTest::newRow("CR seul") << QByteArray("1|A|-|R|1,00 \x80|1,00 \x80\r2|B|-|R|1,00 \x80|2,00 \x80\r") << deux;
        QTest::newRow("dernière sans fin") << QByteArray("1|A|-|R|1,00 \x80|1,00 \x80\r\n2|B|-|R|1,00 \x80|2,00 \x80")
                                           << deux;
        QTest::newRow("lignes vides") << QByteArray("\r\n\nx") << QStringList{QString(), QString(), "x"};
        QTest::newRow("fichier vide") << QByteArray() << QStringList();
    }
    void lireFichierLC_finsDeLigne()
    {
        QFETCH(QByteArray, octets);
        QFETCH(QStringList, lignes);
        const QString chemin = m_env->chemin(QStringLiteral("lu.lvtx"));
        ecrireOctets(chemin, octets, Sauvegarde::Aucune);
        QCOMPARE(lireFichierLC(chemin), lignes);
    }

    void importerFichierLC_ajouteEnFin_ouRienSiIllisible()
    {
        const QString chemin = m_env->chemin(QStringLiteral("import.lvtx"));
        ecrireOctets(chemin, QByteArray("1|c|-|R|1,00 \x80|1,00 \x80\r\n2|d|-|R|1,00 \x80|2,00 \x80\r\n"), Sauvegarde::Aucune);
        QStringList lignes{"a", "b"};
        importerFichierLC(chemin, lignes);
        QCOMPARE(lignes, (QStringList{"a", "b", "1|c|-|R|1,00 €|1,00 €", "2|d|-|R|1,00 €|2,00 €"}));
        // Une ligne que le rafraîchissement refuserait : le fichier entier est refusé.
        ecrireOctets(chemin, QByteArray("1|c|-|R|1,00 \x80|1,00 \x80\r\nsans barre\r\n"), Sauvegarde::Aucune);
        QVERIFY_THROWS_EXCEPTION(EFichierErreur, importerFichierLC(chemin, lignes));
        QVERIFY_THROWS_EXCEPTION(EFichierErreur,
                                 importerFichierLC(m_env->chemin(QStringLiteral("absent.lvtx")), lignes));
        QCOMPARE(lignes.size(), 4);
    }

    void cleLigne_extraction_data()
    {
        QTest::addColumn<QString>("ligne");
        QTest::addColumn<QString>("cle");
        QTest::newRow("bien formée") << "1|Lait|-|Crèmerie|0,89 €|0,89 €" << "Lait|-|Crèmerie|0,89 €";
        QTest::newRow("euro dans le nom coupe") << "1|Lait €co|-|R|1,00 €|1,00 €" << "Lait €";
        QTest::newRow("sans euro") << "1|Lait|-|R" << "";
        QTest::newRow("sans barre") << "Lait 2 €" << "Lait 2 €";
    }
    void cleLigne_extraction()
    {
        QFETCH(QString, ligne);
        QFETCH(QString, cle);
        QCOMPARE(cleLigne(ligne), cle);
    }

    void fusionner_resultat_data()
    {
        QTest::addColumn<QStringList>("avant");
        QTest::addColumn<QStringList>("apres");
        const QString laitBio = ligne(1, "Lait", "bio", "Crèmerie", "1,20", "1,20");
        const QString pain = ligne(2, "Pain", "-", "Boulangerie", "1,10", "2,20");
        QTest::newRow("exemple") << QStringList{ligne(1, "Lait", "-", "Crèmerie", "0,89", "0,89"), pain,
                                                ligne(3, "Lait", "-", "Crèmerie", "0,89", "2,67"), laitBio,
                                                ligne(4, "Lait", "-", "Crèmerie", "0,89", "3,56")}
                                 << QStringList{ligne(8, "Lait", "-", "Crèmerie", "0,89", "7,12"), pain, laitBio};
        const QStringList casse{ligne(1, "Lait", "Bio", "Crèmerie", "1,20", "1,20"), laitBio};
        QTest::newRow("remarque d'une autre casse") << casse << casse;
        const QStringList prix{ligne(1, "Lait", "-", "Crèmerie", "0,89", "0,89"),
                               ligne(1, "Lait", "-", "Crèmerie", "0,95", "0,95")};
        QTest::newRow("prix différents") << prix << prix;
        const QStringList rayons{ligne(1, "Lait", "-", "Crèmerie", "0,89", "0,89"),
                                 ligne(1, "Lait", "-", "Frais", "0,89", "0,89")};
        QTest::newRow("rayons différents") << rayons << rayons;
        QTest::newRow("liste vide") << QStringList() << QStringList();
        QTest::newRow("total recalculé, pas additionné")
            << QStringList{ligne(1, "A", "-", "R", "0,33", "9,99"), ligne(2, "A", "-", "R", "0,33", "0,00")}
            << QStringList{ligne(3, "A", "-", "R", "0,33", "0,99")};
        QTest::newRow("deux achats entrelacés")
            << QStringList{ligne(1, "A", "-", "R", "1,00", "1,00"), ligne(1, "B", "-", "R", "2,00", "2,00"),
                           ligne(2, "A", "-", "R", "1,00", "2,00"), ligne(5, "B", "-", "R", "2,00", "10,00")}
            << QStringList{ligne(3, "A", "-", "R", "1,00", "3,00"), ligne(6, "B", "-", "R", "2,00", "12,00")};
        QTest::newRow("somme au-delà de 99999")
            << QStringList{ligne(99999, "A", "-", "R", "1,00", "99999,00"), ligne(2, "A", "-", "R", "1,00", "2,00")}
            << QStringList{ligne(100001, "A", "-", "R", "1,00", "100001,00")};
    }
    void fusionner_resultat()
    {
        QFETCH(QStringList, avant);
        QFETCH(QStringList, apres);
        fusionnerLignesLC(avant);
        QCOMPARE(avant, apres);
    }

    void fusionner_conversionImpossible_gardeLesFusionsFaites()
    {
        // La fusion du bas réussit, celle du haut bute sur un Nb illisible.
        QStringList lignes{QStringLiteral("x|Pain|-|B|1,10 €|1,10 €"), ligne(1, "Lait", "-", "C", "0,89", "0,89"),
                           ligne(1, "Pain", "-", "B", "1,10", "1,10"), ligne(2, "Lait", "-", "C", "0,89", "1,78")};
        QVERIFY_THROWS_EXCEPTION(EConvertError, fusionnerLignesLC(lignes));
        QCOMPARE(lignes, (QStringList{QStringLiteral("x|Pain|-|B|1,10 €|1,10 €"),
                                      ligne(3, "Lait", "-", "C", "0,89", "2,67"),
                                      ligne(1, "Pain", "-", "B", "1,10", "1,10")}));
    }

    // Une fusion dont la ligne ne se relirait pas est refusée en nommant la ligne.
    void fusionner_ligneIrrelisible_refuseeEnNommantLaLigne_data()
    {
        QTest::addColumn<QStringList>("lignes");
        QTest::addColumn<int>("ligneNommee");
        QTest::newRow("quantité au-delà de 32 bits")
            << QStringList{ligne(1, "Pain", "-", "B", "1,00", "1,00"), ligne(2000000000, "A", "-", "R", "0,01", "20000000,00"),
                           ligne(2000000000, "A", "-", "R", "0,01", "20000000,00")}
            << 2;
        QTest::newRow("PU démesuré") << QStringList(2, QStringLiteral("1|A|-|R|1e300 €|1,00 €")) << 1;
        QTest::newRow("total démesuré")
            << QStringList(2, ligne(999, "A", "-", "R", "1000000000000,00", "999000000000000,00")) << 1;
    }
    void fusionner_ligneIrrelisible_refuseeEnNommantLaLigne()
    {
        QFETCH(QStringList, lignes);
        QFETCH(int, ligneNommee);
        try {
            fusionnerLignesLC(lignes);
            QFAIL("fusion acceptée");
        } catch (const EConvertError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("(ligne %1 ").arg(ligneNommee)), qPrintable(e.message()));
        }
    }

    void fusionner_lignesNonCombinees_jamaisConverties()
    {
        QStringList lignes{QStringLiteral("x|Pain|-|B|1.10 €|1.10 €"), QStringLiteral("Lait")};
        const QStringList avant = lignes;
        fusionnerLignesLC(lignes);
        QCOMPARE(lignes, avant);
    }

    void trier_ordre_data()
    {
        QTest::addColumn<QStringList>("avant");
        QTest::addColumn<QStringList>("apres");
        QTest::newRow("exemple de sept lignes")
            << QStringList{ligneRayon("Boulangerie", "Pain"), ligneRayon("Boulangerie", "Sel"),
                           ligneRayon("Crèmerie", "Yaourt"), ligneRayon("boissons", "Eau"),
                           ligneRayon("Fruits", "Pomme"), ligneRayon("Crèmerie", "Beurre"),
                           ligneRayon("Boissons", "Cidre")}
            << QStringList{"Boissons(Cidre)", "Boulangerie(Sel)", "Boulangerie(Pain)", "Crèmerie(Beurre)",
                           "Crèmerie(Yaourt)", "Fruits(Pomme)", "boissons(Eau)"};
        QTest::newRow("déjà trié") << QStringList{ligneRayon("A", "1"), ligneRayon("B", "2"), ligneRayon("C", "3")}
                                   << QStringList{"A(1)", "B(2)", "C(3)"};
        QTest::newRow("même rayon, en place") << QStringList{ligneRayon("R", "1"), ligneRayon("R", "2")}
                                              << QStringList{"R(1)", "R(2)"};
        QTest::newRow("capitales, minuscules, É")
            << QStringList{ligneRayon("Épicerie", "1"), ligneRayon("alcools", "2"), ligneRayon("Zoo", "3")}
            << QStringList{"Zoo(3)", "alcools(2)", "Épicerie(1)"};
        QTest::newRow("préfixe d'abord") << QStringList{ligneRayon("Fruits secs", "1"), ligneRayon("Fruits", "2")}
                                         << QStringList{"Fruits(2)", "Fruits secs(1)"};
        QTest::newRow("lignes mal formées") << QStringList{"1|a|b|Z", "sans barre", "1|a|b|A|x"}
                                            << QStringList{"()", "A(a)", "Z(a)"};
    }
    void trier_ordre()
    {
        QFETCH(QStringList, avant);
        QFETCH(QStringList, apres);
        trierLC(avant);
        QCOMPARE(rayonsDe(avant), apres);
    }

    // Listes au hasard : peu de rayons (beaucoup d'égalités), beaucoup de rayons, longues séries.
    void trier_commeLeTriParEchanges_data()
    {
        QTest::addColumn<int>("lignes");
        QTest::addColumn<int>("rayons");
        QTest::addColumn<int>("essais");
        QTest::newRow("deux rayons") << 12 << 2 << 400;
        QTest::newRow("trois rayons") << 30 << 3 << 300;
        QTest::newRow("rayons nombreux") << 60 << 40 << 200;
        QTest::newRow("un seul rayon") << 9 << 1 << 20;
        QTest::newRow("longues listes") << 700 << 6 << 10;
    }
    void trier_commeLeTriParEchanges()
    {
        QFETCH(int, lignes);
        QFETCH(int, rayons);
        QFETCH(int, essais);
        QRandomGenerator alea(20061);
        for (int essai = 0; essai < essais; ++essai) {
            QStringList liste;
            const int n = int(alea.bounded(lignes + 1));
            for (int i = 0; i < n; ++i)
                liste << ligneRayon(QStringLiteral("R%1").arg(alea.bounded(rayons)), QString::number(i));
            QStringList attendu = liste;
            trierParEchanges(attendu);
            QStringList magasin = liste;
            trierLC(liste);
            QCOMPARE(liste, attendu);

            // Ordre du magasin au hasard : une partie des rayons placés, parfois deux fois.
            QStringList ordre;
            for (int k = int(alea.bounded(rayons + 1)); k > 0; --k)
                ordre << QStringLiteral("R%1").arg(alea.bounded(rayons + 1));
            attendu = magasin;
            trierParEchanges(attendu, &ordre);
            trierLCOrdreMagasin(magasin, ordre);
            QCOMPARE(magasin, attendu);
        }
    }

    void trierMagasin_ordre_data()
    {
        QTest::addColumn<QStringList>("ordre");
        QTest::addColumn<QStringList>("apres");
        // Lignes : Pain (Boulangerie), Lait (Crèmerie), Pomme (Fruits), Croquettes (Zoo), Baguette (Boulangerie).
        QTest::addRow("ordre de passage") << QStringList{"Zoo", "Fruits", "Crèmerie", "Boulangerie"}
                                          << QStringList{"Zoo(Croquettes)", "Fruits(Pomme)", "Crèmerie(Lait)",
                                                         "Boulangerie(Pain)", "Boulangerie(Baguette)"};
        QTest::addRow("non placés après, par nom") << QStringList{"Fruits"}
                                                   << QStringList{"Fruits(Pomme)", "Boulangerie(Pain)",
                                                                  "Boulangerie(Baguette)", "Crèmerie(Lait)",
                                                                  "Zoo(Croquettes)"};
        QTest::addRow("homonymes : la première place") << QStringList{"Crèmerie", "Zoo", "Crèmerie", "Fruits"}
                                                       << QStringList{"Crèmerie(Lait)", "Zoo(Croquettes)",
                                                                      "Fruits(Pomme)", "Boulangerie(Pain)",
                                                                      "Boulangerie(Baguette)"};
        QTest::addRow("aucun ordre : le tri par rayon")
            << QStringList{} << QStringList{"Boulangerie(Pain)", "Boulangerie(Baguette)", "Crèmerie(Lait)",
                                            "Fruits(Pomme)", "Zoo(Croquettes)"};
    }
    void trierMagasin_ordre()
    {
        QFETCH(QStringList, ordre);
        QFETCH(QStringList, apres);
        QStringList lignes{ligneRayon("Boulangerie", "Pain"), ligneRayon("Crèmerie", "Lait"),
                           ligneRayon("Fruits", "Pomme"), ligneRayon("Zoo", "Croquettes"),
                           ligneRayon("Boulangerie", "Baguette")};
        trierLCOrdreMagasin(lignes, ordre);
        QCOMPARE(rayonsDe(lignes), apres);
    }

    void ordonnerRayonsMagasin_data()
    {
        const QString s(kSeparateurChemin);
        QTest::addColumn<QStringList>("enregistres");
        QTest::addColumn<QStringList>("existants");
        QTest::addColumn<QStringList>("ordre");
        QTest::addRow("rien d'enregistré : par nom") << QStringList{} << QStringList{"b", "a", "a" + s + "z"}
                                                     << QStringList{"a", "a" + s + "z", "b"};
        QTest::addRow("enregistrés d'abord, nouveaux ensuite")
            << QStringList{"b", "a" + s + "z"} << QStringList{"a", "a" + s + "z", "c", "b"}
            << QStringList{"b", "a" + s + "z", "a", "c"};
        QTest::addRow("disparus oubliés, doublons une fois") << QStringList{"x", "b", "b"}
                                                             << QStringList{"b", "a", "a"}
                                                             << QStringList{"b", "a"};
    }
    void ordonnerRayonsMagasin()
    {
        QFETCH(QStringList, enregistres);
        QFETCH(QStringList, existants);
        QFETCH(QStringList, ordre);
        QCOMPARE(::ordonnerRayonsMagasin(enregistres, existants), ordre);
        QCOMPARE(nomsRayonsMagasin({"a" + QString(kSeparateurChemin) + "z", "b"}), (QStringList{"z", "b"}));
    }

    // Les coches suivent leurs lignes quand la liste change.
    void coches_suiventLesLignes_data()
    {
        QTest::addColumn<QStringList>("apres");
        QTest::addColumn<QList<int>>("cochees");
        // Avant : a b a c, cochées a (la première) et c.
        QTest::addRow("inchangée") << QStringList{"a", "b", "a", "c"} << QList<int>{0, 3};
        QTest::addRow("triée") << QStringList{"c", "a", "a", "b"} << QList<int>{0, 1};
        QTest::addRow("ligne cochée retirée") << QStringList{"a", "b", "a"} << QList<int>{0};
        QTest::addRow("ligne cochée modifiée") << QStringList{"a", "b", "a", "c2"} << QList<int>{0};
        QTest::addRow("ligne ajoutée, décochée") << QStringList{"c", "a", "b", "a", "c"} << QList<int>{0, 1};
        QTest::addRow("vidée") << QStringList{} << QList<int>{};
    }
    void coches_suiventLesLignes()
    {
        QFETCH(QStringList, apres);
        QFETCH(QList<int>, cochees);
        CochesLC coches;
        int bascules = 0;
        coches.apresBascule = [&] { ++bascules; };
        coches.suivre({"a", "b", "a", "c"});
        coches.cocher(0, true);
        coches.cocher(3, true);
        coches.cocher(3, true); // déjà cochée : rien ne bascule
        QCOMPARE(bascules, 2);
        QCOMPARE(coches.suivre(apres), apres != QStringList({"a", "b", "a", "c"}));
        QList<int> lues;
        for (int i = 0; i < apres.size(); ++i)
            if (coches.cochee(i))
                lues << i;
        QCOMPARE(lues, cochees);
        QCOMPARE(coches.nombre(), cochees.size());
        QCOMPARE(bascules, 2);
    }

    void coches_enregistrement_data()
    {
        QTest::addColumn<QStringList>("relues");
        QTest::addColumn<QString>("retouche"); // remplace les indices enregistrés, si non vide
        QTest::addColumn<QList<int>>("cochees");
        const QStringList lignes{ligne(2, "Lait", "-", "Crèmerie", "0,89", "1,78"),
                                 ligne(1, "Pain", "-", "Boulangerie", "1,10", "1,10"),
                                 ligne(3, "Eau", "-", "Boissons", "0,50", "1,50")};
        QTest::addRow("même liste") << lignes << QString() << QList<int>{0, 2};
        QTest::addRow("liste changée : oubliées") << lignes.mid(0, 2) << QString() << QList<int>{};
        QTest::addRow("indices retouchés : hors liste ignorés")
            << lignes << QStringLiteral("1,x,-4,99,1") << QList<int>{1};
    }
    void coches_enregistrement()
    {
        QFETCH(QStringList, relues);
        QFETCH(QString, retouche);
        QFETCH(QList<int>, cochees);
        const QStringList lignes{ligne(2, "Lait", "-", "Crèmerie", "0,89", "1,78"),
                                 ligne(1, "Pain", "-", "Boulangerie", "1,10", "1,10"),
                                 ligne(3, "Eau", "-", "Boissons", "0,50", "1,50")};
        CochesLC coches;
        coches.suivre(lignes);
        QCOMPARE(coches.enregistrement(), QString());
        coches.cocher(0, true);
        coches.cocher(2, true);
        const TotauxLC totaux = coches.totauxCoches();
        QCOMPARE(totaux.nbArticles, 5);
        QCOMPARE(totaux.total, 3.28);
        QString texte = coches.enregistrement();
        if (!retouche.isEmpty())
            texte = texte.section(u':', 0, 0) + u':' + retouche;
        CochesLC reprises;
        QCOMPARE(reprises.restaurer(relues, texte), !cochees.isEmpty());
        QList<int> lues;
        for (int i = 0; i < relues.size(); ++i)
            if (reprises.cochee(i))
                lues << i;
        QCOMPARE(lues, cochees);
        QVERIFY(!reprises.restaurer(lignes, QStringLiteral("n'importe quoi")));
    }

    void fusionEtTri_dixMilleLignes()
    {
        QRandomGenerator alea(42);
        QStringList lignes;
        for (int i = 0; i < 10000; ++i) {
            const int article = int(alea.bounded(5000));
            lignes << ligne(1, QStringLiteral("Article %1").arg(article), "-",
                            QStringLiteral("Rayon %1").arg(article % 97), "1,00", "1,00");
        }
        QStringList distinctes = lignes;
        distinctes.removeDuplicates();

        fusionnerLignesLC(lignes);
        QCOMPARE(lignes.size(), distinctes.size());
        QCOMPARE(calculerTotaux(lignes).nbArticles, qint64(10000));

        for (int i = 0; i < 10000 - lignes.size(); ++i)
            lignes << ligne(1, "X", "-", QStringLiteral("Rayon %1").arg(alea.bounded(97)), "1,00", "1,00");
        QStringList attendu = lignes;
        trierLC(lignes);
        trierParEchanges(attendu);
        QCOMPARE(lignes, attendu);
    }
};

QTEST_GUILESS_MAIN(TestListeCourses)
#include "tst_listecourses.moc"
