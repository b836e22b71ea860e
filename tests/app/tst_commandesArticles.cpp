// Commandes des articles sur la vraie fenêtre : liste triée et ses prix, ajout et
// modification par le dialogue, suppression, et l'import d'une ancienne base.
#include "FenetreCommandes.h"

#include "Codec1252.h"
#include "Conversions.h"
#include "OctetsFichier.h"
#include "TPaintBox.h"

#include <QEvent>
#include <QFile>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Note chaque texte de la ligne d'état au moment où il est peint.
class TemoinStatut : public QObject
{
public:
    explicit TemoinStatut(TPaintBox* champ) : m_champ(champ) { champ->installEventFilter(this); }
    QStringList peints;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet == m_champ && evenement->type() == QEvent::Paint)
            if (peints.isEmpty() || peints.last() != m_champ->hint())
                peints << m_champ->hint();
        return false;
    }

private:
    TPaintBox* m_champ;
};

QString enr(const QString& nom, const QString& prix)
{
    return nom.leftJustified(40, u' ') + prix.leftJustified(10, u' ');
}

} // namespace

class TestCommandesArticles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void liste_trieeSelonLaLocaleAvecPrix();
    void liste_suitLaSelection_reconstructionLaGarde();
    void sansSelection_rien_data();
    void sansSelection_rien();

    void ajouter_data();
    void ajouter();
    void ajouter_validationsEtFiltres();
    void modifier_premierSelectionne_data();
    void modifier_premierSelectionne();
    void modifier_texteLongDeLaBase_nonTronque();
    void supprimer_plusieurs_statutDuDernier();

    void importer_data();
    void importer();
    void importer_statutParArticle();

private:
    std::unique_ptr<FenetreCommandes> b;
    TRayon* m_fruits = nullptr;
    TRayon* m_boissons = nullptr;
};

void TestCommandesArticles::init()
{
    b = std::make_unique<FenetreCommandes>();
    QVERIFY(b->exposee);
    m_fruits = b->dm->ajouterRayonRacine(u"Fruits"_s);
    m_fruits->creerArticle(u"pomme"_s, 2.5, u"golden"_s);
    m_fruits->creerArticle(u"Éclair"_s, 3, u"-"_s);
    m_fruits->creerArticle(u"banane"_s, 12.5, u"bio"_s);
    m_fruits->creerArticle(u"Zeste"_s, 0.1, u"-"_s);
    m_fruits->creerArticle(u"abricot"_s, 1234567.89, u""_s);
    m_boissons = b->dm->ajouterRayonRacine(u"Boissons"_s);
    m_boissons->creerArticle(u"Eau"_s, 0.5, u"-"_s);
    b->f().majArbreRayonsExecute();
    b->f().ecrireStatut(u"avant"_s);
}

void TestCommandesArticles::cleanup()
{
    b.reset();
}

void TestCommandesArticles::liste_trieeSelonLaLocaleAvecPrix()
{
    QVERIFY(b->f().selectionnerRayon(m_fruits));
    QTreeWidget* l = b->f().ui.listeArticles;
    QStringList lignes;
    for (int i = 0; i < l->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* e = l->topLevelItem(i);
        lignes << e->text(ColArticleNom) + u'|' + e->text(ColArticlePrix) + u'|' + e->text(ColArticleRemarque);
        // Chaque élément porte son article.
        QCOMPARE(TFormPrincipale::articleDeLElement(e)->getNom(), e->text(ColArticleNom));
    }
    // Accents et casse mêlés selon la locale, pas selon les codes des caractères.
    QCOMPARE(lignes, (QStringList{u"abricot|1234567,89 €|"_s, u"banane|12,5 €|bio"_s, u"Éclair|3 €|-"_s,
                                  u"pomme|2,5 €|golden"_s, u"Zeste|0,1 €|-"_s}));
    QVERIFY(l->isSortingEnabled());
}

void TestCommandesArticles::liste_suitLaSelection_reconstructionLaGarde()
{
    QVERIFY(b->f().selectionnerRayon(m_boissons));
    QCOMPARE(b->listeNoms(), QStringList{u"Eau"_s});
    // Par la vue elle-même, comme un clic : arbreRayonChange recharge la liste.
    const QModelIndex fruits = b->f().ui.modeleArbreRayon->index(1, 0);
    b->f().ui.arbreRayon->selectionModel()->select(fruits, QItemSelectionModel::ClearAndSelect);
    QCOMPARE(b->listeNoms().size(), 5);
    // Reconstruire l'arbre ne laisse rien de sélectionné : la liste reste telle quelle.
    m_fruits->creerArticle(u"Kiwi"_s, 1, u"-"_s);
    b->lancer("majArbreRayons");
    QCOMPARE(b->f().rayonSelectionne(), nullptr);
    QCOMPARE(b->listeNoms().size(), 5);
    b->lancer("majListeArticles");
    QCOMPARE(b->listeNoms().size(), 5);
}

void TestCommandesArticles::sansSelection_rien_data()
{
    QTest::addColumn<QString>("commande");
    QTest::addColumn<bool>("rayonChoisi");
    QTest::newRow("ajouter sans rayon") << u"ajouterArticle"_s << false;
    QTest::newRow("modifier sans rayon") << u"modifierArticle"_s << false;
    QTest::newRow("modifier sans article") << u"modifierArticle"_s << true;
    QTest::newRow("supprimer sans rayon") << u"supprimerArticle"_s << false;
    QTest::newRow("supprimer sans article") << u"supprimerArticle"_s << true;
}

void TestCommandesArticles::sansSelection_rien()
{
    QFETCH(QString, commande);
    QFETCH(bool, rayonChoisi);
    // La liste montre Fruits, un article sélectionné ; puis l'arbre perd sa sélection.
    QVERIFY(b->f().selectionnerRayon(m_fruits));
    if (rayonChoisi) {
        b->f().ui.listeArticles->clearSelection();
    } else {
        b->choisirArticles({u"pomme"_s});
        b->f().ui.arbreRayon->clearSelection();
    }
    b->lancer(commande.toLatin1().constData());
    QCOMPARE(m_fruits->getNbArticles(), 5);
    QCOMPARE(b->f().texteStatut(), u"avant"_s);
    QVERIFY(b->interactions->questions.isEmpty());
    QVERIFY(b->animations().isEmpty());
}

void TestCommandesArticles::ajouter_data()
{
    QTest::addColumn<bool>("valider");
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("prix");
    QTest::addColumn<QString>("remarque");
    QTest::newRow("annulé") << false << u"Kiwi"_s << u"1"_s << QString();
    QTest::newRow("validé") << true << u"Kiwi"_s << u"0,75"_s << u"vert"_s;
    QTest::newRow("nom en double, remarque vide") << true << u"pomme"_s << u"3"_s << QString();
}

void TestCommandesArticles::ajouter()
{
    QFETCH(bool, valider);
    QFETCH(QString, nom);
    QFETCH(QString, prix);
    QFETCH(QString, remarque);

    QVERIFY(b->f().selectionnerRayon(m_fruits));
    b->f().reglages.couleurHaut = 0x00010203;
    // Reste d'un affichage précédent : vidé à l'affichage d'un nouvel article.
    b->f().FormArticle->edNom->setText(u"ancien"_s);
    QStringList vusALAffichage;
    b->interactions->surDialogue([&](QWidget* w) {
        auto* d = qobject_cast<TFormArticle*>(w);
        vusALAffichage << d->edNom->text() << d->edPrix->text() << d->memoRemarque->text() << d->titre();
        QCOMPARE(d->couleurHaut, TColor(0x00010203));
        d->edNom->setText(nom);
        d->edPrix->setText(prix);
        d->memoRemarque->setText(remarque);
        (valider ? d->btValider : d->btAnnuler)->click();
    });

    b->lancer("ajouterArticle");

    QCOMPARE(vusALAffichage, (QStringList{QString(), QString(), QString(), u"NOUVEL ARTICLE"_s}));
    QCOMPARE(b->interactions->questionsDe(GenreQuestion::Dialogue).value(0).titre, u"Vatrelix - ARTICLE"_s);
    // Write puis WriteReturn, validé ou non.
    QCOMPARE(b->animations(), (QStringList{u"Write"_s, u"WriteReturn"_s}));
    if (!valider) {
        QCOMPARE(m_fruits->getNbArticles(), 5);
        QCOMPARE(b->f().texteStatut(), u"avant"_s);
        return;
    }
    QCOMPARE(m_fruits->getNbArticles(), 6);
    const TArticle* a = m_fruits->getArticle(5);
    QCOMPARE(a->getNom(), nom);
    QCOMPARE(a->getPrix(), StrToFloat(prix));
    QCOMPARE(a->getRemarque(), remarque);
    QCOMPARE(b->f().texteStatut(),
             u"Ajout de l'article \""_s + nom + u"\" dans le rayon \" Fruits\" ["_s + horodatageTest + u']');
    QCOMPARE(b->listeNoms().count(nom), nom == u"pomme"_s ? 2 : 1);
}

void TestCommandesArticles::ajouter_validationsEtFiltres()
{
    QVERIFY(b->f().selectionnerRayon(m_fruits));
    QStringList vus;
    b->interactions->surDialogue([&](QWidget* w) {
        auto* d = qobject_cast<TFormArticle*>(w);
        d->btValider->click(); // nom et prix vides : le nom d'abord
        QTest::keyClicks(d->edNom, u"The|vert"_s);
        d->btValider->click(); // prix vide
        QTest::keyClicks(d->edPrix, u"1.5a-"_s);
        vus << d->edNom->text() << d->edPrix->text();
        QTest::keyClicks(d->memoRemarque, u"en|vrac"_s);
        QTest::keyClick(d->memoRemarque, Qt::Key_Return);
    });
    b->lancer("ajouterArticle");

    QCOMPARE(b->interactions->messages(),
             (QStringList{u"Veuillez renseigner le champ \"Nom\"."_s, u"Veuillez renseigner le champ \"Prix\"."_s}));
    // "|" avalé du nom comme de la remarque ; le point devient virgule, lettres et signe refusés.
    QCOMPARE(vus, (QStringList{u"Thevert"_s, u"1,5"_s}));
    const TArticle* a = m_fruits->getArticle(m_fruits->getNbArticles() - 1);
    QCOMPARE(a->getNom(), u"Thevert"_s);
    QCOMPARE(a->getPrix(), 1.5);
    QCOMPARE(a->getRemarque(), u"envrac"_s);
}

void TestCommandesArticles::modifier_premierSelectionne_data()
{
    QTest::addColumn<bool>("valider");
    QTest::newRow("validé") << true;
    QTest::newRow("annulé") << false;
}

void TestCommandesArticles::modifier_premierSelectionne()
{
    QFETCH(bool, valider);
    QVERIFY(b->f().selectionnerRayon(m_fruits));
    // Dans l'ordre de la liste, banane précède pomme, bien qu'ajoutée après.
    b->choisirArticles({u"pomme"_s, u"banane"_s});
    TArticle* banane = m_fruits->getArticle(2);
    QStringList offerts;
    b->interactions->surDialogue([&](QWidget* w) {
        auto* d = qobject_cast<TFormArticle*>(w);
        offerts << d->titre() << d->edNom->text() << d->edPrix->text() << d->memoRemarque->text();
        d->edNom->setText(u"Banane plantain"_s);
        d->edPrix->setText(u"4,2"_s);
        d->memoRemarque->setText(QString());
        (valider ? d->btValider : d->btAnnuler)->click();
    });

    b->lancer("modifierArticle");

    QCOMPARE(offerts, (QStringList{u"MODIFICATION D'ARTICLE"_s, u"banane"_s, u"12,5"_s, u"bio"_s}));
    QCOMPARE(b->animations(), (QStringList{u"Write"_s, u"WriteReturn"_s}));
    QCOMPARE(m_fruits->getArticle(2), banane);
    QCOMPARE(m_fruits->getArticle(0)->getNom(), u"pomme"_s);
    if (valider) {
        QCOMPARE(banane->getNom(), u"Banane plantain"_s);
        QCOMPARE(banane->getPrix(), 4.2);
        QCOMPARE(banane->getRemarque(), QString());
        QCOMPARE(b->f().texteStatut(), u"Modification de l'article \"Banane plantain\" ["_s + horodatageTest + u']');
        QVERIFY(b->listeNoms().contains(u"Banane plantain"_s));
    } else {
        QCOMPARE(banane->getNom(), u"banane"_s);
        QCOMPARE(banane->getPrix(), 12.5);
        QCOMPARE(b->f().texteStatut(), u"avant"_s);
    }
}

void TestCommandesArticles::modifier_texteLongDeLaBase_nonTronque()
{
    // Un nom importé tient 40 caractères, un prix 10 : plus que ce que les champs laissent taper.
    const QString nomLong = u"Confiture d'abricots du Roussillon bio x"_s;
    TArticle* a = m_boissons->creerArticle(nomLong, 1234567.89, u"une remarque bien trop longue"_s);
    QVERIFY(b->f().selectionnerRayon(m_boissons));
    b->choisirArticles({nomLong});
    QStringList offerts;
    b->interactions->surDialogue([&](QWidget* w) {
        auto* d = qobject_cast<TFormArticle*>(w);
        offerts << d->edNom->text() << d->edPrix->text() << d->memoRemarque->text();
        d->btValider->click();
    });
    b->lancer("modifierArticle");

    QCOMPARE(offerts, (QStringList{nomLong, u"1234567,89"_s, u"une remarque bien trop longue"_s}));
    QCOMPARE(a->getNom(), nomLong);
    QCOMPARE(a->getPrix(), 1234567.89);
    QCOMPARE(a->getRemarque(), u"une remarque bien trop longue"_s);
    // La frappe reste limitée comme avant.
    QCOMPARE(b->f().FormArticle->edNom->maxLength(), 25);
    QCOMPARE(b->f().FormArticle->edPrix->maxLength(), 8);
    QCOMPARE(b->f().FormArticle->memoRemarque->maxLength(), 20);
}

void TestCommandesArticles::supprimer_plusieurs_statutDuDernier()
{
    QVERIFY(b->f().selectionnerRayon(m_fruits));
    b->choisirArticles({u"Zeste"_s, u"banane"_s, u"Éclair"_s});
    const QList<TArticle*> choisis = b->f().articlesSelectionnes();
    QCOMPARE(choisis.size(), 3);
    TemoinStatut temoin(b->f().ui.barreStatusP1);

    b->lancer("supprimerArticle");

    QVERIFY(b->interactions->questions.isEmpty());
    QCOMPARE(b->animations(), QStringList{u"Sad"_s});
    QCOMPARE(b->listeNoms(), (QStringList{u"abricot"_s, u"pomme"_s}));
    QCOMPARE(m_fruits->getNbArticles(), 2);
    // Une ligne par article, dans l'ordre de la liste, chacune peinte aussitôt.
    const QString fin = u"\" du rayon \"Fruits\" ["_s + horodatageTest + u']';
    QCOMPARE(temoin.peints, (QStringList{u"Suppression de l'article \"banane"_s + fin,
                                         u"Suppression de l'article \"Éclair"_s + fin,
                                         u"Suppression de l'article \"Zeste"_s + fin}));
    // Détachés mais encore lisibles.
    QCOMPARE(choisis.first()->getNom(), u"banane"_s);
}

void TestCommandesArticles::importer_data()
{
    QTest::addColumn<QString>("fichier");
    QTest::addColumn<QByteArray>("contenu");
    QTest::addColumn<QString>("message"); // boîte d'erreur attendue
    QTest::addColumn<QString>("erreurStandard");
    QTest::addColumn<QString>("rayonCree");

    const QByteArray deux = versAnsi(enr(u"Lait"_s, u"0,89"_s) + enr(u"  Pain"_s, u"1"_s));
    QTest::newRow("100 caractères : deux articles")
        << u"courses.txt"_s << deux << QString() << QString() << u"courses[Lait:0.89: |  Pain:1: ]"_s;
    QTest::newRow("old.txt.txt : old")
        << u"old.txt.txt"_s << deux << QString() << QString() << u"old[Lait:0.89: |  Pain:1: ]"_s;
    QTest::newRow("fichier vide")
        << u"vide.txt"_s << QByteArray() << u"Le fichier n'est pas compatible ou est vide !"_s << QString()
        << QString();
    QTest::newRow("premier prix illisible")
        << u"faux.txt"_s << versAnsi(enr(u"Lait"_s, u"0.89"_s))
        << u"Le fichier n'est pas compatible ou est vide !"_s << QString() << QString();
    QTest::newRow("120 caractères : refusé, rien de changé")
        << u"coupe.txt"_s << deux + QByteArray(20, 'z') << QString() << u"*"_s << QString();
}

void TestCommandesArticles::importer()
{
    QFETCH(QString, fichier);
    QFETCH(QByteArray, contenu);
    QFETCH(QString, message);
    QFETCH(QString, erreurStandard);
    QFETCH(QString, rayonCree);

    const QString chemin = b->env->chemin(fichier);
    ecrireOctetsBruts(chemin, contenu);
    b->interactions->repondreFichier(chemin);
    const QStringList arbreAvant = b->arbre();

    b->lancer("importerBD");

    const QList<QuestionPosee> dialogues = b->interactions->questionsDe(GenreQuestion::OuvrirFichier);
    QCOMPARE(dialogues.size(), 1);
    QCOMPARE(dialogues[0].fichier.titre, u"Importation de base d'articles"_s);
    QCOMPARE(dialogues[0].fichier.filtre, u"Base d'articles Vatrelix 2004 (*.txt)|*.txt|"_s);

    const QList<QuestionPosee> messages = b->interactions->questionsDe(GenreQuestion::Message);
    const QList<QuestionPosee> erreurs = b->interactions->questionsDe(GenreQuestion::Erreur);
    if (rayonCree.isEmpty()) {
        // Rien de changé : ni rayon, ni arbre, ni ligne d'état.
        QCOMPARE(b->dm->listeRayons.size(), 2);
        QCOMPARE(b->arbre(), arbreAvant);
        QCOMPARE(b->f().texteStatut(), u"avant"_s);
        if (!message.isEmpty()) {
            QCOMPARE(messages.size(), 1);
            QCOMPARE(messages[0].texte, message);
            QCOMPARE(messages[0].type, TypeMessage::Erreur);
            QCOMPARE(messages[0].boutons, BoutonsMessage::Ok);
            QCOMPARE(b->animations(), QStringList{u"Surprised"_s});
        } else {
            QCOMPARE(messages.size(), 0);
            QVERIFY(b->animations().isEmpty());
        }
        // Un prix illisible plus loin passe par la boîte d'erreur standard.
        QCOMPARE(erreurs.size(), erreurStandard.isEmpty() ? 0 : 1);
        return;
    }
    QVERIFY(messages.isEmpty());
    QVERIFY(erreurs.isEmpty());
    QCOMPARE(b->dm->listeRayons.size(), 3);
    const TRayon* r = b->dm->listeRayons.last();
    QStringList articles;
    for (int i = 0; i < r->getNbArticles(); ++i) {
        const TArticle* a = r->getArticle(i);
        articles << a->getNom() + u':' + QString::number(a->getPrix()) + u':' + a->getRemarque() + u' ';
    }
    QCOMPARE(r->getNom() + u'[' + articles.join(u'|') + u']', rayonCree);
    QCOMPARE(r->getCouleur(), TColor(0x00F0CAA6));
    QCOMPARE(r->getPere(), nullptr);
    QCOMPARE(b->f().texteStatut(), u"Importation d'articles dans \""_s + r->getNom() + u"\" -> Terminée"_s);
    QVERIFY(b->arbre().contains(r->getNom()));
}

void TestCommandesArticles::importer_statutParArticle()
{
    // Annulé : rien ne se passe.
    b->interactions->annulerFichier();
    b->lancer("importerBD");
    QCOMPARE(b->dm->listeRayons.size(), 2);
    QCOMPARE(b->f().texteStatut(), u"avant"_s);

    const QString chemin = b->env->chemin(u"vieux.txt"_s);
    ecrireOctetsBruts(chemin, versAnsi(enr(u"Crème"_s, u"1,1"_s) + enr(u"Sel"_s, u"0,4"_s)));
    b->interactions->repondreFichier(chemin);
    TemoinStatut temoin(b->f().ui.barreStatusP1);
    b->lancer("importerBD");
    QCOMPARE(temoin.peints, (QStringList{u"Importation d'articles dans \"vieux\" -> \"Crème\""_s,
                                         u"Importation d'articles dans \"vieux\" -> \"Sel\""_s,
                                         u"Importation d'articles dans \"vieux\" -> Terminée"_s}));
}

QTEST_MAIN(TestCommandesArticles)
#include "tst_commandesArticles.moc"
