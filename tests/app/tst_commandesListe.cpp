// Commandes de la liste de courses sur la vraie fenêtre : lignes, quantités, totaux,
// fichiers, fusion, tri et impression.
#include "FenetreTest.h"
#include "LigneLC.h"
#include "ModeleListeCourses.h"

#include <QAbstractItemModelTester>
#include <QDialog>
#include <QProcess>
#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace {

const QString lait = u"2|Lait|demi-écrémé|Crèmerie|0,89 €|1,78 €"_s;
const QString baguette = u"1|Baguette|-|Boulangerie|0,95 €|0,95 €"_s;
const QString nbsp = QString(QChar(0x00A0));

QByteArray crlf(const QStringList& lignes)
{
    QByteArray octets;
    for (const QString& l : lignes)
        octets += versAnsi(l) + "\r\n";
    return octets;
}

// Ligne réduite à Nb, Article et Rayon, pour comparer des ordres.
QStringList resume(const QStringList& lignes)
{
    QStringList r;
    for (const QString& l : lignes) {
        const QStringList c = l.split(u'|');
        r << c.value(0) + u' ' + c.value(1) + u' ' + c.value(3);
    }
    return r;
}

} // namespace

class TestCommandesListe : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { m = std::make_unique<FenetreTest>(); }
    void cleanup() { m.reset(); }

    void pied_data();
    void pied();
    void rangee_champsCommeLaDecoupe_data();
    void rangee_champsCommeLaDecoupe();
    void rangee_texteNonEcrit_magasinIntact();
    void modele_seulesLesRangeesChangees_data();
    void modele_seulesLesRangeesChangees();
    void ajouter_data();
    void ajouter();
    void ajouter_sansRayonOuSansArticle_rien();
    void modifier_quantite_gardeLeTextePU();
    void modifier_annule_ligneIntacte();
    void supprimer_rangees2et5_statutNommeLaPlusHaute();

    void enregistrer_octets_data();
    void enregistrer_octets();
    void enregistrer_regleDeNom_data();
    void enregistrer_regleDeNom();
    void enregistrer_fichierExistant_demandeSurLeCheminFinal_data();
    void enregistrer_fichierExistant_demandeSurLeCheminFinal();
    void enregistrer_avecFichier_sansDialogueNiAnimation();
    void enregistrerSous_fichierExistantRefuse_rienNEstEcrit();
    void enregistrer_annule_rien();
    void enregistrer_fichierChangeSurLeDisque_demande_data();
    void enregistrer_fichierChangeSurLeDisque_demande();
    void enregistrer_cheminHorsWindows1252_nonRetenu();

    void ouvrir_lectures_data();
    void ouvrir_lectures();
    void ouvrir_fichierIllisible_listeEtFichierGardes_data();
    void ouvrir_fichierIllisible_listeEtFichierGardes();
    void ouvrir_sonPropreFichierModifie_revientALaVersionEnregistree_data();
    void ouvrir_sonPropreFichierModifie_revientALaVersionEnregistree();
    void ouvrir_apresNouvelleListe_fichierIntact();
    void ouvrir_enregistrerDansLeFichierOuvert_refuse();
    void ouvrir_autreExtension_garderLeChemin();
    void ouvrir_remise_attendLeDialoguePuisDemande();
    void nouvelle_enregistrementAnnule_listeViderQuandMeme();
    void importer_troisDansDeux_puisFusionProposee_data();
    void importer_troisDansDeux_puisFusionProposee();
    void importer_fichierIllisible_magasinIntact();

    void fusionner_exemple();
    void fusionner_nonFusions_data();
    void fusionner_nonFusions();
    void fusionner_ligneIllisible_erreurSansStatut();
    void trier_data();
    void trier();

    void imprimer_annule_rien();
    void imprimer_troisPagesEnPdf();

private:
    std::unique_ptr<FenetreTest> m;
};

// ---------------------------------------------------------------- lignes et totaux

void TestCommandesListe::pied_data()
{
    QTest::addColumn<QStringList>("lignes");
    QTest::addColumn<QString>("pied");
    QTest::addColumn<double>("total");
    QTest::newRow("vide") << QStringList() << u"0 articles - Total : 0,00 €"_s << 0.0;
    QTest::newRow("groupement") << QStringList{u"3|A|-|R|2,50 €|7,50 €"_s, u"1|B|-|R|1234,00 €|1234,00 €"_s}
                                << u"4 articles - Total : 1"_s + nbsp + u"241,50 €"_s << 1241.5;
    // La somme des totaux écrits, pas des produits non arrondis.
    QTest::newRow("arrondiParLigne") << QStringList(3, u"1|C|-|R|0,333 €|0,33 €"_s)
                                     << u"3 articles - Total : 0,99 €"_s << 0.99;
}

void TestCommandesListe::pied()
{
    QFETCH(QStringList, lignes);
    QFETCH(QString, pied);
    QFETCH(double, total);
    m->poser(lignes);
    QCOMPARE(m->pied(), pied);
    QCOMPARE(m->f().totalLC, total);
    QCOMPARE(m->f().ui.lvListeCourses->model()->rowCount(), lignes.size());
}

// Les rangées lisent leurs textes dans la ligne : mêmes champs que la découpe.
void TestCommandesListe::rangee_champsCommeLaDecoupe_data()
{
    QTest::addColumn<QString>("ligne");
    QTest::newRow("ordinaire") << u"2|Lait|demi-écrémé|Crèmerie|0,89 €|1,78 €"_s;
    QTest::newRow("barreEnTrop") << u"1|A|b|c|R|1,00 €|1,00 €"_s;
    QTest::newRow("champsVides") << u"|||||"_s;
    QTest::newRow("barreFinale") << u"1|A|b|R|1,00 €|"_s;
    QTest::newRow("sansBarre") << u"Lait"_s;
    QTest::newRow("troisChamps") << u"1|A|b"_s;
    QTest::newRow("vide") << QString();
}

void TestCommandesListe::rangee_champsCommeLaDecoupe()
{
    QFETCH(QString, ligne);
    const ChampsLigneLC c = decouperLigne(ligne);
    ModeleListeCourses modele;
    modele.synchroniser({ligne});
    const auto texte = [&](int colonne) { return modele.index(0, colonne).data().toString(); };
    QCOMPARE((QStringList{texte(ColLCNb), texte(ColLCArticle), texte(ColLCRemarque), texte(ColLCRayon),
                          texte(ColLCPU), texte(ColLCTotal)}),
             (QStringList{c.nb, c.article, c.remarque, c.rayon, c.pu, c.total}));
    QCOMPARE(comptesLigne(ligne).nb, c.nb);
    QCOMPARE(comptesLigne(ligne).total, c.total);
    const auto alignement = [&](int colonne) { return modele.index(0, colonne).data(Qt::TextAlignmentRole).toInt(); };
    QCOMPARE(alignement(ColLCPU) & Qt::AlignRight, int(Qt::AlignRight));
    QCOMPARE(alignement(ColLCTotal) & Qt::AlignRight, int(Qt::AlignRight));
    QCOMPARE(alignement(ColLCArticle) & Qt::AlignRight, 0);
}

void TestCommandesListe::rangee_texteNonEcrit_magasinIntact()
{
    m->poser({u"2|Lait|-|Crèmerie|0,89 €|1,78 €"_s});
    QAbstractItemModel& modele = *m->f().ui.lvListeCourses->model();
    // Les rangées ne font que montrer le magasin : un texte écrit dans le modèle est refusé.
    QVERIFY(!modele.setData(modele.index(0, ColLCArticle), u"Lait entier"_s));
    QCOMPARE(modele.index(0, ColLCArticle).data().toString(), u"Lait"_s);
    QCOMPARE(modele.index(0, ColLCNb).data().toString(), u"2"_s);
    QCOMPARE(modele.index(0, ColLCTotal).data().toString(), u"1,78 €"_s);
    QCOMPARE(m->lignes().first(), u"2|Lait|-|Crèmerie|0,89 €|1,78 €"_s);
}

// Le modèle ne signale que les rangées changées, jamais une remise à zéro.
void TestCommandesListe::modele_seulesLesRangeesChangees_data()
{
    QTest::addColumn<QStringList>("avant");
    QTest::addColumn<QStringList>("apres");
    // Rangées retirées, insérées, changées (première, dernière) ; -1 : pas de signal.
    QTest::addColumn<QList<int>>("signales");
    QStringList l;
    for (const char16_t* nom : {u"A", u"B", u"C", u"D"})
        l << u"1|%1|-|R|1,00 €|1,00 €"_s.arg(nom);
    const QString autre = u"2|X|-|R|1,00 €|2,00 €"_s;
    QTest::newRow("ouverture") << QStringList() << l << QList<int>{-1, -1, 0, 3, -1, -1};
    QTest::newRow("suppression au milieu") << l << QStringList{l[0], l[2], l[3]} << QList<int>{1, 1, -1, -1, -1, -1};
    QTest::newRow("ajout à la fin") << l << l + QStringList{autre} << QList<int>{-1, -1, 4, 4, -1, -1};
    QTest::newRow("modification") << l << QStringList{l[0], autre, l[2], l[3]} << QList<int>{-1, -1, -1, -1, 1, 1};
    QTest::newRow("deux remplacées par une") << l << QStringList{l[0], autre, l[3]} << QList<int>{2, 2, -1, -1, 1, 1};
    QTest::newRow("tri") << l << QStringList{l[3], l[2], l[1], l[0]} << QList<int>{-1, -1, -1, -1, 0, 3};
    QTest::newRow("vidée") << l << QStringList() << QList<int>{0, 3, -1, -1, -1, -1};
    QTest::newRow("identique") << l << l << QList<int>{-1, -1, -1, -1, -1, -1};
}

void TestCommandesListe::modele_seulesLesRangeesChangees()
{
    QFETCH(QStringList, avant);
    QFETCH(QStringList, apres);
    QFETCH(QList<int>, signales);
    ModeleListeCourses modele;
    modele.synchroniser(avant);
    QAbstractItemModelTester testeur(&modele, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QList<int> vus(6, -1);
    connect(&modele, &QAbstractItemModel::rowsRemoved, this, [&](const QModelIndex&, int d, int f) { vus[0] = d; vus[1] = f; });
    connect(&modele, &QAbstractItemModel::rowsInserted, this, [&](const QModelIndex&, int d, int f) { vus[2] = d; vus[3] = f; });
    connect(&modele, &QAbstractItemModel::dataChanged, this,
            [&](const QModelIndex& d, const QModelIndex& f) { vus[4] = d.row(); vus[5] = f.row(); });
    QSignalSpy remises(&modele, &QAbstractItemModel::modelReset);
    modele.synchroniser(apres);
    QCOMPARE(vus, signales);
    QCOMPARE(remises.count(), 0);
    QCOMPARE(modele.rowCount(), apres.size());
    for (int i = 0; i < apres.size(); ++i)
        QCOMPARE(modele.texte(i, ColLCTotal), decouperLigne(apres.at(i)).total);
}

void TestCommandesListe::ajouter_data()
{
    QTest::addColumn<bool>("speciale");
    QTest::addColumn<QList<int>>("reponses"); // quantité par article, 0 : annulé
    QTest::addColumn<QStringList>("attendues");
    const QString l2 = u"2|Lait|demi-écrémé|Crèmerie|0,89 €|1,78 €"_s;
    const QString b3 = u"3|Beurre|doux|Crèmerie|1,50 €|4,50 €"_s;
    QTest::newRow("dialogue") << false << QList<int>{3, 2, 4}
                              << QStringList{b3, u"2|Crème|-|Crèmerie|1,20 €|2,40 €"_s,
                                             u"4|Lait|demi-écrémé|Crèmerie|0,89 €|3,56 €"_s};
    QTest::newRow("deuxiemeAnnule") << false << QList<int>{3, 0, 2} << QStringList{b3, l2};
    QTest::newRow("toucheSpeciale") << true << QList<int>{}
                                    << QStringList{u"1|Beurre|doux|Crèmerie|1,50 €|1,50 €"_s,
                                                   u"1|Crème|-|Crèmerie|1,20 €|1,20 €"_s,
                                                   u"1|Lait|demi-écrémé|Crèmerie|0,89 €|0,89 €"_s};
}

void TestCommandesListe::ajouter()
{
    QFETCH(bool, speciale);
    QFETCH(QList<int>, reponses);
    QFETCH(QStringList, attendues);

    TRayon* r = m->rayon(u"Crèmerie"_s, {{u"Lait"_s, 0.89, u"demi-écrémé"_s}, {u"Beurre"_s, 1.5, u"doux"_s},
                                         {u"Crème"_s, 1.2, u"-"_s}});
    m->choisirRayon(r);
    m->choisirArticles({u"Lait"_s, u"Beurre"_s, u"Crème"_s});
    // Une ligne déjà là : l'article ajouté en reçoit une seconde.
    m->poser({lait});
    for (int q : reponses)
        m->repondreQuantite(q);
    m->f().toucheSpeciale = speciale;
    m->f().action(u"ajouterDansLC"_s)->trigger();

    QCOMPARE(m->lignes(), QStringList{lait} + attendues);
    QCOMPARE(m->interactions->reponsesRestantes(), 0);
    const QList<QuestionPosee> dialogues = m->interactions->questionsDe(GenreQuestion::Dialogue);
    QCOMPARE(dialogues.size(), reponses.size());
    if (!speciale) {
        QCOMPARE(dialogues.first().titre, u"Vatrelix ACHAT"_s);
        QCOMPARE(m->formLC->titre(), u"Nombre d'article(s) - Lait"_s);
        QCOMPARE(m->formLC->modeModification, ModeDialogue::Ajout);
        QCOMPARE(m->formLC->lbPU->text(), u"0,89"_s);
    }
    const QString dernier = attendues.last().section(u'|', 1, 1);
    QCOMPARE(m->f().texteStatut(),
             u"Ajout de l'article \""_s + dernier + u"\" du rayon \"Crèmerie\" dans la liste de courses"_s);
    QCOMPARE(m->f().ui.lvListeCourses->model()->rowCount(), 1 + attendues.size());
}

void TestCommandesListe::ajouter_sansRayonOuSansArticle_rien()
{
    TRayon* r = m->rayon(u"Crèmerie"_s, {{u"Lait"_s, 0.89, u"-"_s}});
    m->choisirRayon(r);
    m->f().toucheSpeciale = true;
    m->f().action(u"ajouterDansLC"_s)->trigger(); // aucun article choisi
    m->choisirArticles({u"Lait"_s});
    m->f().ui.arbreRayon->clearSelection();
    m->f().action(u"ajouterDansLC"_s)->trigger(); // aucun rayon choisi
    QVERIFY(m->lignes().isEmpty());
    QVERIFY(m->f().texteStatut().isEmpty());
}

void TestCommandesListe::modifier_quantite_gardeLeTextePU()
{
    m->poser({baguette, lait});
    m->choisirLignes({1});
    QTreeView* vue = m->f().ui.lvListeCourses;
    int ouverteAvec = -1;
    QString totalAffiche;
    m->interactions->surDialogue([&](QWidget* w) {
        auto* d = static_cast<TformLC*>(w);
        ouverteAvec = d->quantite();
        totalAffiche = d->lbTotal->text();
        d->seNb->setValue(5);
        d->btValiderClick();
    });
    m->f().action(u"modifierNbLC"_s)->trigger();
    QCOMPARE(ouverteAvec, 2);
    QCOMPARE(totalAffiche, u"1,78"_s);
    QCOMPARE(m->formLC->modeModification, ModeDialogue::Modification);
    QCOMPARE(m->lignes(), (QStringList{baguette, u"5|Lait|demi-écrémé|Crèmerie|0,89 €|4,45 €"_s}));
    QCOMPARE(m->f().texteStatut(),
             u"Modification de l'article \"Lait\" du rayon \"Crèmerie\" dans la liste de courses"_s);
    QCOMPARE(vue->model()->index(1, ColLCTotal).data().toString(), u"4,45 €"_s);
    QCOMPARE(m->pied(), u"6 articles - Total : 5,40 €"_s);
}

void TestCommandesListe::modifier_annule_ligneIntacte()
{
    m->poser({lait, baguette});
    m->choisirLignes({0, 1});
    // La case de fermeture annule la première ; la seconde est validée.
    m->interactions->surDialogue([](QWidget* w) {
        auto* d = static_cast<TformLC*>(w);
        d->seNb->setValue(9);
        d->reject();
    });
    m->repondreQuantite(4);
    m->f().action(u"modifierNbLC"_s)->trigger();
    QCOMPARE(m->lignes(), (QStringList{lait, u"4|Baguette|-|Boulangerie|0,95 €|3,80 €"_s}));
}

void TestCommandesListe::supprimer_rangees2et5_statutNommeLaPlusHaute()
{
    QStringList l;
    for (int i = 1; i <= 6; ++i)
        l << u"1|A%1|-|R%1|1,00 €|1,00 €"_s.arg(i);
    m->poser(l);
    m->allumerCompagnon();
    m->choisirLignes({1, 4});
    QTest::keyClick(m->f().ui.lvListeCourses, Qt::Key_Delete);
    QCOMPARE(m->lignes(), (QStringList{l[0], l[2], l[3], l[5]}));
    QCOMPARE(m->f().texteStatut(), u"Suppression de l'article \"A2\" du rayon \"R2\" dans la liste de courses"_s);
    QCOMPARE(m->animations(), QStringList{u"Sad"_s});
    QCOMPARE(m->pied(), u"4 articles - Total : 4,00 €"_s);
    QVERIFY(m->f().texteTouche().isEmpty());
}

// ---------------------------------------------------------------- fichiers

void TestCommandesListe::enregistrer_octets_data()
{
    QTest::addColumn<QStringList>("lignes");
    QTest::newRow("vide") << QStringList();
    QTest::newRow("deuxLignes") << QStringList{lait, baguette};
}

void TestCommandesListe::enregistrer_octets()
{
    QFETCH(QStringList, lignes);
    m->poser(lignes);
    const QString chemin = m->env->chemin(u"semaine.lvtx"_s);
    m->interactions->repondreFichier(chemin);
    m->f().action(u"enregistrerLC"_s)->trigger();
    const QByteArray octets = lireOctetsBruts(chemin);
    QCOMPARE(octets, crlf(lignes));
    QCOMPARE(octets.isEmpty(), lignes.isEmpty());
    if (!lignes.isEmpty()) {
        QVERIFY(octets.contains("0,89 \x80|1,78 \x80\r\n"));
        QVERIFY(octets.endsWith("\r\n"));
    }
    QCOMPARE(m->f().reglages.fichierLC, chemin);
    QCOMPARE(m->f().texteStatut(), FenetreTest::statutDate(u"Enregistrement de '"_s + chemin + u"' ["_s));
    const QList<QuestionPosee> d = m->interactions->questionsDe(GenreQuestion::EnregistrerFichier);
    QCOMPARE(d.size(), 1);
    QCOMPARE(d.first().fichier.titre, u"Enregistrer la liste de courses"_s);
    QCOMPARE(d.first().fichier.filtre, u"Fichier Liste de courses (.lvtx)|*.lvtx"_s);

    // Relu tel quel.
    m->interactions->repondre(ReponseMessage::Non);
    m->interactions->repondreFichier(chemin);
    m->f().action(u"ouvrirListe"_s)->trigger();
    QCOMPARE(m->lignes(), lignes);
    QCOMPARE(m->f().texteStatut(), FenetreTest::statutDate(u"Ouverture de '"_s + chemin + u"' ["_s));
}

void TestCommandesListe::enregistrer_regleDeNom_data()
{
    QTest::addColumn<QString>("tape");
    QTest::addColumn<QString>("ecrit");
    QTest::newRow("txt") << u"semaine.txt"_s << u"semaine.lvtx"_s;
    QTest::newRow("sansExtension") << u"semaine"_s << u"semaine.lvtx"_s;
    QTest::newRow("derniereSeulement") << u"a.b.b"_s << u"a.b.lvtx"_s;
    QTest::newRow("majuscules") << u"LISTE.LVTX"_s << u"LISTE.lvtx"_s;
    QTest::newRow("pointsAuMilieu") << u"ma.liste.l"_s << u"ma.liste.lvtx"_s;
}

void TestCommandesListe::enregistrer_regleDeNom()
{
    QFETCH(QString, tape);
    QFETCH(QString, ecrit);
    m->poser({lait});
    m->interactions->repondreFichier(m->env->chemin(tape));
    m->f().action(u"enregistrerLCSous"_s)->trigger();
    QCOMPARE(m->f().reglages.fichierLC, m->env->chemin(ecrit));
    QCOMPARE(lireOctetsBruts(m->env->chemin(ecrit)), crlf({lait}));
    QCOMPARE(m->f().texteStatut(),
             FenetreTest::statutDate(u"Enregistrement sous '"_s + m->env->chemin(ecrit) + u"' ["_s));
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::EnregistrerFichier).first().fichier.titre,
             u"Enregistrer la liste de courses sous..."_s);
}

void TestCommandesListe::enregistrer_fichierExistant_demandeSurLeCheminFinal_data()
{
    QTest::addColumn<QString>("commande");
    QTest::addColumn<bool>("oui");
    QTest::newRow("premierEnregistrement-oui") << u"enregistrerLC"_s << true;
    QTest::newRow("premierEnregistrement-non") << u"enregistrerLC"_s << false;
    QTest::newRow("sous-oui") << u"enregistrerLCSous"_s << true;
    QTest::newRow("sous-non") << u"enregistrerLCSous"_s << false;
}

void TestCommandesListe::enregistrer_fichierExistant_demandeSurLeCheminFinal()
{
    QFETCH(QString, commande);
    QFETCH(bool, oui);
    // Le dialogue nomme "semaine.txt", absent ; c'est "semaine.lvtx" qui existe.
    const QString existant = m->env->chemin(u"semaine.lvtx"_s);
    ecrireOctetsBruts(existant, "ancien\r\n");
    m->poser({lait});
    m->interactions->repondreFichier(m->env->chemin(u"semaine.txt"_s));
    m->interactions->repondre(oui ? ReponseMessage::Oui : ReponseMessage::Non);
    m->f().action(commande)->trigger();

    const QList<QuestionPosee> q = m->interactions->questionsDe(GenreQuestion::Message);
    QCOMPARE(q.size(), 1);
    QVERIFY(q.first().texte.contains(existant));
    QCOMPARE(q.first().boutons, BoutonsMessage::OuiNon);
    QCOMPARE(lireOctetsBruts(existant), oui ? crlf({lait}) : QByteArray("ancien\r\n"));
    QCOMPARE(m->f().reglages.fichierLC, oui ? existant : QString());
    QCOMPARE(m->f().texteStatut().isEmpty(), !oui);
}

void TestCommandesListe::enregistrer_avecFichier_sansDialogueNiAnimation()
{
    const QString chemin = m->env->chemin(u"liste.lvtx"_s);
    m->poser({lait});
    m->allumerCompagnon();
    m->interactions->repondreFichier(chemin);
    m->f().action(u"enregistrerLC"_s)->trigger();
    QCOMPARE(m->animations(), QStringList{u"Acknowledge"_s});
    (*m->serveur)->oublierAppels();
    m->poser({lait, baguette});
    m->f().action(u"enregistrerLC"_s)->trigger();
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::EnregistrerFichier).size(), 1);
    QVERIFY(m->animations().isEmpty());
    QCOMPARE(lireOctetsBruts(chemin), crlf({lait, baguette}));
    // Enregistrer sous ne joue rien non plus.
    m->interactions->repondreFichier(m->env->chemin(u"autre"_s));
    m->f().action(u"enregistrerLCSous"_s)->trigger();
    QVERIFY(m->animations().isEmpty());
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::EnregistrerFichier).last().fichier.nomFichier, chemin);
}

void TestCommandesListe::enregistrerSous_fichierExistantRefuse_rienNEstEcrit()
{
    const QString courant = m->env->chemin(u"courant.lvtx"_s);
    m->f().reglages.fichierLC = courant;
    ecrireOctetsBruts(m->env->chemin(u"autre.lvtx"_s), "x\r\n");
    m->poser({lait});
    m->interactions->repondreFichier(m->env->chemin(u"autre.lvtx"_s));
    m->interactions->repondre(ReponseMessage::Non);
    m->f().action(u"enregistrerLCSous"_s)->trigger();
    QCOMPARE(m->f().reglages.fichierLC, courant);
    QVERIFY(!QFile::exists(courant));
    QCOMPARE(lireOctetsBruts(m->env->chemin(u"autre.lvtx"_s)), QByteArray("x\r\n"));
}

void TestCommandesListe::enregistrer_annule_rien()
{
    m->poser({lait});
    m->f().action(u"enregistrerLC"_s)->trigger(); // aucune réponse : annulé
    m->f().action(u"enregistrerLCSous"_s)->trigger();
    QVERIFY(m->f().reglages.fichierLC.isEmpty());
    QVERIFY(m->f().texteStatut().isEmpty());
    QCOMPARE(QDir(m->env->dossier()).entryList({u"*.lvtx"_s}).size(), 0);
}

void TestCommandesListe::enregistrer_fichierChangeSurLeDisque_demande_data()
{
    QTest::addColumn<ReponseMessage>("reponse");
    QTest::newRow("non : l'autre version reste") << ReponseMessage::Non;
    QTest::newRow("oui : écrasée") << ReponseMessage::Oui;
}

void TestCommandesListe::enregistrer_fichierChangeSurLeDisque_demande()
{
    QFETCH(ReponseMessage, reponse);
    const QString chemin = m->env->chemin(u"semaine.lvtx"_s);
    ecrireOctetsBruts(chemin, crlf({lait}));
    m->interactions->repondreFichier(chemin);
    m->f().action(u"ouvrirListe"_s)->trigger();
    m->poser({lait, baguette});
    // Un autre programme enregistre le même fichier entre-temps.
    ecrireOctetsBruts(chemin, crlf({baguette, baguette, baguette}));
    m->interactions->repondre(reponse);
    m->f().action(u"enregistrerLC"_s)->trigger();
    QCOMPARE(m->interactions->messages().size(), 1);
    QVERIFY(m->interactions->messages().first().contains(chemin));
    QCOMPARE(m->interactions->questions.last().defautMessage, ReponseMessage::Non);
    QCOMPARE(lireOctetsBruts(chemin),
             reponse == ReponseMessage::Oui ? crlf({lait, baguette}) : crlf({baguette, baguette, baguette}));
    QCOMPARE(m->f().listeModifiee(), reponse != ReponseMessage::Oui);
}

// Un chemin que la configuration ne peut pas écrire n'y est pas retenu (il serait relu comme un
// autre nom), et la ligne d'état le dit.
void TestCommandesListe::enregistrer_cheminHorsWindows1252_nonRetenu()
{
    const QString chemin = m->env->chemin(u"liste Ω.lvtx"_s);
    m->poser({lait});
    m->interactions->repondreFichier(chemin);
    m->f().action(u"enregistrerLC"_s)->trigger();
    QCOMPARE(lireOctetsBruts(chemin), crlf({lait}));
    QVERIFY2(m->f().texteStatut().contains(u"ne sera pas rouvert"_s), qPrintable(m->f().texteStatut()));
    m->fenetre.reset();
    QCOMPARE(lireOctetsBruts(m->env->chemin(u"Vatrelix.conf"_s)).split('\n').value(3), QByteArray("\r"));
}

void TestCommandesListe::ouvrir_lectures_data()
{
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<QStringList>("lignes");
    QTest::newRow("crlf") << crlf({lait, baguette}) << QStringList{lait, baguette};
    QTest::newRow("lf") << (versAnsi(lait) + '\n' + versAnsi(baguette) + '\n') << QStringList{lait, baguette};
    QTest::newRow("sansFinale") << (versAnsi(lait) + "\r\n" + versAnsi(baguette)) << QStringList{lait, baguette};
    QTest::newRow("vide") << QByteArray() << QStringList();
}

void TestCommandesListe::ouvrir_lectures()
{
    QFETCH(QByteArray, octets);
    QFETCH(QStringList, lignes);
    const QString chemin = m->env->chemin(u"l.lvtx"_s);
    ecrireOctetsBruts(chemin, octets);
    m->allumerCompagnon();
    m->poser({u"1|X|-|R|1,00 €|1,00 €"_s});
    m->interactions->repondreFichier(chemin);
    m->interactions->repondre(ReponseMessage::Non);
    m->f().action(u"ouvrirListe"_s)->trigger();
    QCOMPARE(m->lignes(), lignes);
    QCOMPARE(m->f().reglages.fichierLC, chemin);
    QCOMPARE(m->interactions->messages(),
             QStringList{u"Voulez-vous enregistrer les modifications apportées à la liste de courses ?"_s});
    QCOMPARE(m->animations(), (QStringList{u"DoMagic1"_s, u"DoMagic2"_s, u"RestPose"_s, u"Blink"_s}));
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::OuvrirFichier).first().fichier.titre,
             u"Ouvrir une liste de courses"_s);
    if (lignes.isEmpty())
        QCOMPARE(m->pied(), u"0 articles - Total : 0,00 €"_s);
    else
        QCOMPARE(m->pied(), u"3 articles - Total : 2,73 €"_s);
}

void TestCommandesListe::ouvrir_fichierIllisible_listeEtFichierGardes_data()
{
    QTest::addColumn<QByteArray>("octets"); // vide : fichier absent
    QTest::newRow("absent") << QByteArray();
    // Une ligne que le rafraîchissement refuserait : rien n'est à moitié affiché.
    QTest::newRow("ligne mal formée") << crlf({baguette, u"sans séparateur"_s});
    QTest::newRow("prix au point") << crlf({u"1|Pain|-|B|1.10 €|1.10 €"_s});
}

void TestCommandesListe::ouvrir_fichierIllisible_listeEtFichierGardes()
{
    QFETCH(QByteArray, octets);
    const QString courant = m->env->chemin(u"courant.lvtx"_s);
    const QString autre = m->env->chemin(u"autre.lvtx"_s);
    if (!octets.isEmpty())
        ecrireOctetsBruts(autre, octets);
    m->f().reglages.fichierLC = courant;
    m->poser({lait});
    m->interactions->repondreFichier(autre);
    m->f().action(u"ouvrirListe"_s)->trigger();
    QCOMPARE(m->lignes(), QStringList{lait});
    QCOMPARE(m->f().ui.lvListeCourses->model()->rowCount(), 1);
    QVERIFY(m->interactions->questionsDe(GenreQuestion::Erreur).first().texte.contains(autre));
    QCOMPARE(m->f().reglages.fichierLC, courant);
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Erreur).size(), 1);
    // Ni question d'enregistrement ni statut d'ouverture.
    QVERIFY(m->interactions->messages().isEmpty());
    QVERIFY(m->f().texteStatut().isEmpty());
}

void TestCommandesListe::ouvrir_sonPropreFichierModifie_revientALaVersionEnregistree_data()
{
    QTest::addColumn<ReponseMessage>("reponse");
    QTest::newRow("oui : version enregistrée") << ReponseMessage::Oui;
    QTest::newRow("non : liste gardée") << ReponseMessage::Non;
}

// Rouvrir le fichier de la liste courante ne l'écrit jamais ; abandonner les modifications est
// demandé, Non par défaut.
void TestCommandesListe::ouvrir_sonPropreFichierModifie_revientALaVersionEnregistree()
{
    QFETCH(ReponseMessage, reponse);
    const QString chemin = m->env->chemin(u"courant.lvtx"_s);
    m->poser({lait});
    m->interactions->repondreFichier(chemin);
    m->f().action(u"enregistrerLC"_s)->trigger();
    m->poser({lait, baguette});
    m->interactions->repondreFichier(chemin);
    m->interactions->repondre(reponse);
    m->f().action(u"ouvrirListe"_s)->trigger();
    const QStringList attendues = reponse == ReponseMessage::Oui ? QStringList{lait} : QStringList{lait, baguette};
    QCOMPARE(m->lignes(), attendues);
    QCOMPARE(lireOctetsBruts(chemin), crlf({lait}));
    QCOMPARE(m->interactions->messages().size(), 1);
    QCOMPARE(m->interactions->questions.last().defautMessage, ReponseMessage::Non);
}

// Enregistrer, commencer une nouvelle liste, rouvrir le fichier : trois Entrée n'effacent plus
// la liste enregistrée. Une liste sans modification n'est pas proposée à l'enregistrement.
void TestCommandesListe::ouvrir_apresNouvelleListe_fichierIntact()
{
    const QString chemin = m->env->chemin(u"semaine.lvtx"_s);
    QStringList dixSept;
    for (int i = 0; i < 17; ++i)
        dixSept << (i % 2 ? lait : baguette);
    m->poser(dixSept);
    m->interactions->repondreFichier(chemin);
    m->f().action(u"enregistrerLC"_s)->trigger();
    m->f().action(u"nouvelleListe"_s)->trigger();
    m->interactions->repondreFichier(chemin);
    m->f().action(u"ouvrirListe"_s)->trigger();
    QVERIFY(m->interactions->messages().isEmpty());
    QCOMPARE(m->lignes(), dixSept);
    QCOMPARE(lireOctetsBruts(chemin), crlf(dixSept));
}

// Pendant Ouvrir, le fichier ouvert n'est jamais choisi pour enregistrer la liste courante.
void TestCommandesListe::ouvrir_enregistrerDansLeFichierOuvert_refuse()
{
    const QString chemin = m->env->chemin(u"semaine.lvtx"_s);
    ecrireOctetsBruts(chemin, crlf({baguette}));
    m->poser({lait});
    m->interactions->repondreFichier(chemin);               // ouvrir
    m->interactions->repondre(ReponseMessage::Oui);         // enregistrer la liste courante ?
    m->interactions->repondreFichier(chemin);               // ... dans le fichier qu'on ouvre
    m->interactions->repondre(ReponseMessage::Oui);         // le remplacer ?
    m->f().action(u"ouvrirListe"_s)->trigger();
    QCOMPARE(lireOctetsBruts(chemin), crlf({baguette}));
    QCOMPARE(m->lignes(), QStringList{lait});
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Erreur).size(), 1);
    // Les questions qui peuvent écraser proposent la réponse sans danger.
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Message).last().defautMessage, ReponseMessage::Non);
}

void TestCommandesListe::ouvrir_autreExtension_garderLeChemin()
{
    const QString chemin = m->env->chemin(u"vieille.txt"_s);
    ecrireOctetsBruts(chemin, crlf({lait}));
    m->interactions->repondreFichier(chemin);
    m->interactions->repondre(ReponseMessage::Non);
    m->f().action(u"ouvrirListe"_s)->trigger();
    QCOMPARE(m->f().reglages.fichierLC, chemin);
    m->poser({baguette});
    m->f().action(u"enregistrerLC"_s)->trigger();
    QCOMPARE(lireOctetsBruts(chemin), crlf({baguette}));
}

// Une liste remise par une seconde copie attend qu'aucun dialogue ne soit ouvert, puis s'ouvre
// comme par la commande Ouvrir : la liste modifiée demande d'abord son enregistrement.
void TestCommandesListe::ouvrir_remise_attendLeDialoguePuisDemande()
{
    const QString chemin = m->env->chemin(u"remise.lvtx"_s);
    ecrireOctetsBruts(chemin, crlf({lait, baguette}));
    m->poser({baguette});
    QDialog dialogue(&m->f());
    dialogue.setModal(true);
    dialogue.show();
    m->f().recevoirListeRemise(chemin);
    QTest::qWait(300);
    QCOMPARE(m->lignes(), QStringList{baguette});
    QVERIFY(m->interactions->questions.isEmpty());
    m->interactions->repondre(ReponseMessage::Non);
    dialogue.close();
    QTRY_COMPARE(m->f().reglages.fichierLC, chemin);
    QCOMPARE(m->lignes(), (QStringList{lait, baguette}));
    QCOMPARE(m->interactions->messages(),
             QStringList{u"Voulez-vous enregistrer les modifications apportées à la liste de courses ?"_s});
    QCOMPARE(m->f().windowTitle(), u"remise.lvtx - Tavelquirn - Vatrelix 2006"_s);
}

void TestCommandesListe::nouvelle_enregistrementAnnule_listeViderQuandMeme()
{
    m->f().reglages.fichierLC.clear();
    m->poser({lait});
    m->interactions->repondre(ReponseMessage::Oui);
    m->interactions->annulerFichier();
    m->f().action(u"nouvelleListe"_s)->trigger();
    QVERIFY(m->lignes().isEmpty());
    QVERIFY(m->f().reglages.fichierLC.isEmpty());
    QCOMPARE(m->f().texteStatut(), FenetreTest::statutDate(u"Nouvelle liste de courses ["_s));
    QCOMPARE(m->pied(), u"0 articles - Total : 0,00 €"_s);

    // Une liste ouverte : la nouvelle liste vide fichierLC, le prochain enregistrement demande un nom.
    m->f().reglages.fichierLC = m->env->chemin(u"a.lvtx"_s);
    m->interactions->repondre(ReponseMessage::Non);
    m->f().action(u"nouvelleListe"_s)->trigger();
    QVERIFY(m->f().reglages.fichierLC.isEmpty());
    m->f().action(u"enregistrerLC"_s)->trigger();
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::EnregistrerFichier).size(), 2);
}

void TestCommandesListe::importer_troisDansDeux_puisFusionProposee_data()
{
    QTest::addColumn<bool>("fusionner");
    QTest::newRow("non") << false;
    QTest::newRow("oui") << true;
}

void TestCommandesListe::importer_troisDansDeux_puisFusionProposee()
{
    QFETCH(bool, fusionner);
    const QString courant = m->env->dossier() + u"listes/courant.lvtx"_s;
    m->f().reglages.fichierLC = courant;
    const QString autre = m->env->chemin(u"autre.lvtx"_s);
    const QString pain = u"1|Pain|-|Boulangerie|1,10 €|1,10 €"_s;
    ecrireOctetsBruts(autre, crlf({pain, lait, baguette}));
    m->poser({lait, baguette});
    m->interactions->repondreFichier(autre);
    m->interactions->repondre(fusionner ? ReponseMessage::Oui : ReponseMessage::Non);
    m->f().action(u"importerLC"_s)->trigger();

    const DialogueFichier d = m->interactions->questionsDe(GenreQuestion::OuvrirFichier).first().fichier;
    QCOMPARE(d.titre, u"Importer une liste de courses"_s);
    QCOMPARE(d.dossierInitial, m->env->dossier() + u"listes"_s);
    QVERIFY(d.nomFichier.isEmpty());
    QCOMPARE(m->interactions->messages(),
             QStringList{u"Voulez-vous fusionner les données importées avec la liste de courses courante ?"_s});
    if (fusionner) {
        QCOMPARE(m->lignes(), (QStringList{u"4|Lait|demi-écrémé|Crèmerie|0,89 €|3,56 €"_s,
                                           u"2|Baguette|-|Boulangerie|0,95 €|1,90 €"_s, pain}));
        QCOMPARE(m->f().texteStatut(), FenetreTest::statutDate(u"Fusion des données... Terminée ! ["_s));
    } else {
        QCOMPARE(m->lignes(), (QStringList{lait, baguette, pain, lait, baguette}));
        QCOMPARE(m->f().texteStatut(), FenetreTest::statutDate(u"Importation des données... Terminée ! ["_s));
    }
    QCOMPARE(m->f().reglages.fichierLC, courant);
}

void TestCommandesListe::importer_fichierIllisible_magasinIntact()
{
    m->poser({lait});
    m->interactions->repondreFichier(m->env->chemin(u"absent.lvtx"_s));
    m->f().action(u"importerLC"_s)->trigger();
    QCOMPARE(m->lignes(), QStringList{lait});
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Erreur).size(), 1);
    QVERIFY(m->interactions->messages().isEmpty());
}

// ---------------------------------------------------------------- fusion et tri

void TestCommandesListe::fusionner_exemple()
{
    const QString pain = u"2|Pain|-|Boulangerie|1,10 €|2,20 €"_s;
    const QString laitBio = u"1|Lait|bio|Crèmerie|1,20 €|1,20 €"_s;
    m->poser({u"1|Lait|-|Crèmerie|0,89 €|0,89 €"_s, pain, u"3|Lait|-|Crèmerie|0,89 €|2,67 €"_s, laitBio,
              u"4|Lait|-|Crèmerie|0,89 €|3,56 €"_s});
    m->allumerCompagnon();
    m->f().action(u"fusionnerLignesLC"_s)->trigger();
    QCOMPARE(m->lignes(), (QStringList{u"8|Lait|-|Crèmerie|0,89 €|7,12 €"_s, pain, laitBio}));
    QCOMPARE(m->animations(), (QStringList{u"Process"_s, u"Congratulate"_s}));
    QCOMPARE(m->f().texteStatut(), FenetreTest::statutDate(u"Fusion des données... Terminée ! ["_s));
    QCOMPARE(m->pied(), u"11 articles - Total : 10,52 €"_s);
}

void TestCommandesListe::fusionner_nonFusions_data()
{
    QTest::addColumn<QStringList>("lignes");
    QTest::newRow("remarqueCasse") << QStringList{u"1|Lait|Bio|Crèmerie|0,89 €|0,89 €"_s,
                                                  u"1|Lait|bio|Crèmerie|0,89 €|0,89 €"_s};
    QTest::newRow("prixChange") << QStringList{u"1|Lait|-|Crèmerie|0,89 €|0,89 €"_s,
                                               u"1|Lait|-|Crèmerie|0,95 €|0,95 €"_s};
    QTest::newRow("vide") << QStringList();
}

void TestCommandesListe::fusionner_nonFusions()
{
    QFETCH(QStringList, lignes);
    m->poser(lignes);
    m->allumerCompagnon();
    m->f().action(u"fusionnerLignesLC"_s)->trigger();
    QCOMPARE(m->lignes(), lignes);
    QCOMPARE(m->animations(), (QStringList{u"Process"_s, u"Congratulate"_s}));
    QCOMPARE(m->f().texteStatut(), FenetreTest::statutDate(u"Fusion des données... Terminée ! ["_s));
}

void TestCommandesListe::fusionner_ligneIllisible_erreurSansStatut()
{
    m->poser({u"1|Lait|-|Crèmerie|0,89 €|0,89 €"_s});
    m->lignes() << u"x|Lait|-|Crèmerie|0,89 €|0,89 €"_s;
    m->f().action(u"fusionnerLignesLC"_s)->trigger();
    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Erreur).size(), 1);
    QVERIFY(m->f().texteStatut().isEmpty());
}

void TestCommandesListe::trier_data()
{
    QTest::addColumn<QStringList>("avant");
    QTest::addColumn<QStringList>("apres");
    const auto l = [](const char* article, const char* rayon) {
        return u"1|"_s + QString::fromUtf8(article) + u"|-|"_s + QString::fromUtf8(rayon) + u"|1,00 €|1,00 €"_s;
    };
    QTest::newRow("exemple") << QStringList{l("Pain", "Boulangerie"), l("Sel", "Boulangerie"),
                                            l("Yaourt", "Crèmerie"), l("Eau", "boissons"), l("Pomme", "Fruits"),
                                            l("Beurre", "Crèmerie"), l("Cidre", "Boissons")}
                             << QStringList{l("Cidre", "Boissons"), l("Sel", "Boulangerie"),
                                            l("Pain", "Boulangerie"), l("Beurre", "Crèmerie"),
                                            l("Yaourt", "Crèmerie"), l("Pomme", "Fruits"), l("Eau", "boissons")};
    const QStringList trie{l("A", "Boissons"), l("B", "Fruits"), l("C", "boissons"), l("D", "Épicerie")};
    QTest::newRow("dejaTrie") << trie << trie;
    QTest::newRow("accentsApres") << QStringList{l("D", "Épicerie"), l("C", "boissons"), l("B", "Fruits")}
                                  << QStringList{l("B", "Fruits"), l("C", "boissons"), l("D", "Épicerie")};
    QTest::newRow("memeRayon") << QStringList{l("A", "R"), l("B", "R")} << QStringList{l("A", "R"), l("B", "R")};
}

void TestCommandesListe::trier()
{
    QFETCH(QStringList, avant);
    QFETCH(QStringList, apres);
    m->poser(avant);
    m->allumerCompagnon();
    m->f().action(u"trierLC"_s)->trigger();
    QCOMPARE(resume(m->lignes()), resume(apres));
    QCOMPARE(m->animations(), QStringList{u"Congratulate"_s});
    QCOMPARE(m->f().texteStatut(), FenetreTest::statutDate(u"Tri des données... Terminé ! ["_s));
    QCOMPARE(m->f().ui.lvListeCourses->model()->index(0, ColLCArticle).data().toString(), apres.first().section(u'|', 1, 1));
}

// ---------------------------------------------------------------- impression

void TestCommandesListe::imprimer_annule_rien()
{
    m->poser({lait});
    m->allumerCompagnon();
    m->interactions->repondreImpression(false);
    m->f().action(u"imprimer"_s)->trigger();
    QVERIFY(m->f().texteStatut().isEmpty());
    QCOMPARE((*m->serveur)->nombre(u"Speak"_s), 0);
}

void TestCommandesListe::imprimer_troisPagesEnPdf()
{
    if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
        QSKIP("pdftotext absent");
    QStringList l;
    for (int i = 0; i < 150; ++i)
        l << u"1|Article %1|-|Rayon %2|1,00 €|1,00 €"_s.arg(i).arg(i / 10);
    m->poser(l);
    m->f().reglages.fichierLC = m->env->chemin(u"courses.lvtx"_s);
    m->allumerCompagnon();
    const QString pdf = m->env->chemin(u"liste.pdf"_s);
    m->interactions->fichierPdf = pdf;
    m->interactions->repondreImpression(true);
    m->f().action(u"imprimer"_s)->trigger();

    QCOMPARE(m->interactions->questionsDe(GenreQuestion::Erreur).size(), 0);
    QCOMPARE(m->f().texteStatut(), FenetreTest::statutDate(u"Impression de la liste de courses ["_s));
    const QList<AppelAgent> dits = (*m->serveur)->appelsDe(u"Speak"_s);
    QCOMPARE(dits.size(), 1);
    QCOMPARE(dits.first().arguments.value(0).toString(), u"Impression de la liste de courses lancée."_s);

    QProcess p;
    p.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
    QVERIFY(p.waitForFinished(30000));
    const QString texte = QString::fromUtf8(p.readAllStandardOutput());
    const QStringList pages = texte.split(u'\f', Qt::SkipEmptyParts);
    int nbPages = 0;
    for (const QString& page : pages)
        nbPages += page.trimmed().isEmpty() ? 0 : 1;
    QVERIFY2(nbPages >= 3, qPrintable(QString::number(nbPages)));
    for (int i = 0; i < nbPages; ++i) {
        QVERIFY(pages[i].contains(u"Page %1 sur %2"_s.arg(i + 1).arg(nbPages)));
        QVERIFY(pages[i].contains(u"Fichier : courses.lvtx"_s));
        QVERIFY(pages[i].contains(u"LISTE DE COURSES DU 14/03/2006 10:30:00"_s));
    }
    QVERIFY(pages[nbPages - 1].contains(u"Total :"_s));
    QVERIFY(pages[nbPages - 1].contains(u"150,00 €"_s));
    QVERIFY(texte.contains(u"Article 149"_s));
}

QTEST_MAIN(TestCommandesListe)
#include "tst_commandesListe.moc"
