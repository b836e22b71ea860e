// Commandes des rayons sur la vraie fenêtre : ajout, ajout racine, modification par le
// dialogue (renommage, déplacement, copie, refus), suppression et sa question.
#include "FenetreCommandes.h"

#include "ArbreRayons.h"

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Fruits[Agrumes[Citrons(Citron)](Orange) Rouges](Pomme Banane) ; Boissons(Eau)
void remplirForet(TdmVatrelix& dm)
{
    TRayon* fruits = dm.ajouterRayonRacine(u"Fruits"_s, clCream);
    TRayon* agrumes = fruits->ajouterRayonFils(u"Agrumes"_s, 0x0000FF00, fruits);
    TRayon* citrons = agrumes->ajouterRayonFils(u"Citrons"_s, clWhite, agrumes);
    citrons->creerArticle(u"Citron"_s, 0.35, u"bio"_s);
    agrumes->creerArticle(u"Orange"_s, 0.5, u"-"_s);
    fruits->ajouterRayonFils(u"Rouges"_s, clWhite, fruits);
    fruits->creerArticle(u"Pomme"_s, 1.5, u"-"_s);
    fruits->creerArticle(u"Banane"_s, 2.5, u"-"_s);
    TRayon* boissons = dm.ajouterRayonRacine(u"Boissons"_s);
    boissons->creerArticle(u"Eau"_s, 0.5, u"-"_s);
}

// Forme compacte : Nom[fils...](articles...), couleur omise.
QString decrire(const TRayon* r)
{
    QStringList fils, articles;
    for (int i = 0; i < r->getNbRayonsFils(); ++i)
        fils << decrire(r->getRayonFils(i));
    for (int i = 0; i < r->getNbArticles(); ++i)
        articles << r->getArticle(i)->getNom();
    return r->getNom() + u'[' + fils.join(u' ') + u"]("_s + articles.join(u' ') + u')';
}

QString decrire(const QList<TRayon*>& racines)
{
    QStringList textes;
    for (const TRayon* r : racines)
        textes << decrire(r);
    return textes.join(u" ; "_s);
}

const QString foretInitiale = u"Fruits[Agrumes[Citrons[](Citron)](Orange) Rouges[]()](Pomme Banane) ; Boissons[](Eau)"_s;

} // namespace

class TestCommandesRayons : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void sansSelection_rienNiStatutNiQuestion_data();
    void sansSelection_rienNiStatutNiQuestion();
    void ajouterRayon_sansSelection_reconstruitSeulementLArbre();
    void ajouterRayon_data();
    void ajouterRayon();
    void ajouterRayon_profondeurMaximale_refuseAvantLaSaisie();
    void ajouterRayonRacine_data();
    void ajouterRayonRacine();

    void supprimerRayon_data();
    void supprimerRayon();
    void supprimerRayon_listeGardeLesArticlesDetaches();

    void modifierRayon_annuler_statutTermineEtReselection();
    void modifierRayon_renommerEtRecolorer();
    void modifierRayon_deplacerCopier_data();
    void modifierRayon_deplacerCopier();
    void modifierRayon_copieProfondeIndependante();
    void modifierRayon_sansDestination_refuse();
    void modifierRayon_destinationTropProfonde_grisee();

    void majArbreRayons_trieSelonLaLocaleAChaqueNiveau();

private:
    std::unique_ptr<FenetreCommandes> b;
};

void TestCommandesRayons::init()
{
    b = std::make_unique<FenetreCommandes>();
    QVERIFY(b->exposee);
    remplirForet(*b->dm);
    b->f().majArbreRayonsExecute();
    b->f().ecrireStatut(u"avant"_s);
}

void TestCommandesRayons::cleanup()
{
    b.reset();
}

void TestCommandesRayons::sansSelection_rienNiStatutNiQuestion_data()
{
    QTest::addColumn<QString>("commande");
    QTest::newRow("modifier") << u"modifierRayon"_s;
    QTest::newRow("supprimer") << u"supprimerRayon"_s;
}

void TestCommandesRayons::sansSelection_rienNiStatutNiQuestion()
{
    QFETCH(QString, commande);
    b->lancer(commande.toLatin1().constData());
    QCOMPARE(decrire(b->dm->listeRayons), foretInitiale);
    QCOMPARE(b->f().texteStatut(), u"avant"_s);
    QVERIFY(b->interactions->questions.isEmpty());
    QVERIFY(b->animations().isEmpty());
}

void TestCommandesRayons::ajouterRayon_sansSelection_reconstruitSeulementLArbre()
{
    // Ajouté sans reconstruction : seule la commande peut le faire paraître.
    b->dm->ajouterRayonRacine(u"Animaux"_s);
    QCOMPARE(b->f().ui.modeleArbreRayon->rowCount(), 2);
    b->lancer("ajouterRayon");
    QCOMPARE(b->f().ui.modeleArbreRayon->rowCount(), 3);
    QCOMPARE(b->f().ui.modeleArbreRayon->item(0)->text(), u"Animaux"_s);
    QVERIFY(b->interactions->questions.isEmpty());
    QCOMPARE(b->f().texteStatut(), u"avant"_s);
}

void TestCommandesRayons::ajouterRayon_data()
{
    QTest::addColumn<QString>("pere");
    QTest::addColumn<QString>("reponse"); // vide : la boîte est annulée
    QTest::addColumn<QString>("statut");  // vide : inchangé
    QTest::addColumn<QStringList>("arbre");

    const QStringList arbreInitial{u"Boissons"_s, u"Fruits"_s, u"  Agrumes"_s, u"    Citrons"_s, u"  Rouges"_s};
    QTest::newRow("annulé") << u"Fruits"_s << QString() << QString() << arbreInitial;
    QTest::newRow("fils à sa place alphabétique")
        << u"Fruits"_s << u"Exotiques"_s << u"Ajout du rayon \"Exotiques\" dans \"Fruits\" ["_s + horodatageTest + u']'
        << QStringList{u"Boissons"_s, u"Fruits"_s, u"  Agrumes"_s, u"    Citrons"_s, u"  Exotiques"_s, u"  Rouges"_s};
    QTest::newRow("nom en double, blancs gardés")
        << u"Fruits/Agrumes"_s << u" Citrons "_s
        << u"Ajout du rayon \" Citrons \" dans \"Agrumes\" ["_s + horodatageTest + u']'
        << QStringList{u"Boissons"_s, u"Fruits"_s, u"  Agrumes"_s, u"     Citrons "_s, u"    Citrons"_s,
                       u"  Rouges"_s};
}

void TestCommandesRayons::ajouterRayon()
{
    QFETCH(QString, pere);
    QFETCH(QString, reponse);
    QFETCH(QString, statut);
    QFETCH(QStringList, arbre);

    TRayon* p = b->rayon(pere);
    QVERIFY(b->f().selectionnerRayon(p));
    const QStringList articlesAvant = b->listeNoms();
    const int filsAvant = p->getNbRayonsFils();
    if (reponse.isEmpty())
        b->interactions->annulerSaisie();
    else
        b->interactions->repondreSaisie(reponse);

    b->lancer("ajouterRayon");

    const QList<QuestionPosee> saisies = b->interactions->questionsDe(GenreQuestion::Saisie);
    QCOMPARE(saisies.size(), 1);
    QCOMPARE(saisies[0].titre, u"Nouveau Rayon"_s);
    QCOMPARE(saisies[0].texte, u"Nom du nouveau Rayon :"_s);
    QCOMPARE(saisies[0].defaut, QString());
    QCOMPARE(b->arbre(), arbre);
    QCOMPARE(b->f().texteStatut(), statut.isEmpty() ? u"avant"_s : statut);
    if (reponse.isEmpty()) {
        QCOMPARE(p->getNbRayonsFils(), filsAvant);
        // Ni changement ni reconstruction : le rayon reste sélectionné.
        QCOMPARE(b->f().rayonSelectionne(), p);
        return;
    }
    QCOMPARE(p->getNbRayonsFils(), filsAvant + 1);
    const TRayon* nouveau = p->getRayonFils(filsAvant);
    QCOMPARE(nouveau->getNom(), reponse);
    QCOMPARE(nouveau->getCouleur(), clWhite);
    QCOMPARE(nouveau->getPere(), p);
    QCOMPARE(nouveau->getNbArticles(), 0);
    // Arbre reconstruit sans sélection : la liste montre encore les articles d'avant.
    QCOMPARE(b->f().rayonSelectionne(), nullptr);
    QCOMPARE(b->listeNoms(), articlesAvant);
    QVERIFY(b->animations().isEmpty());
}

void TestCommandesRayons::ajouterRayon_profondeurMaximale_refuseAvantLaSaisie()
{
    // Rouges, au niveau 2, reçoit une chaîne qui descend jusqu'au dernier niveau admis.
    TRayon* dernier = b->rayon(u"Fruits/Rouges"_s);
    while (dernier->getProfondeur() < profondeurMaxRayons)
        dernier = dernier->ajouterRayonFils(u"N%1"_s.arg(dernier->getProfondeur() + 1), clWhite, dernier);
    b->f().majArbreRayonsExecute();
    QVERIFY(b->f().selectionnerRayon(dernier));
    b->f().ecrireStatut(u"avant"_s);

    b->lancer("ajouterRayon");

    QCOMPARE(dernier->getNbRayonsFils(), 0);
    QVERIFY(b->interactions->questionsDe(GenreQuestion::Saisie).isEmpty());
    const QList<QuestionPosee> messages = b->interactions->questionsDe(GenreQuestion::Message);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].texte, u"Impossible d'ajouter un rayon dans « N100 » : les rayons ne peuvent pas être "
                                "imbriqués sur plus de 100 niveaux."_s);
    QCOMPARE(messages[0].type, TypeMessage::Avertissement);
    QCOMPARE(b->f().texteStatut(), u"avant"_s);
}

void TestCommandesRayons::ajouterRayonRacine_data()
{
    QTest::addColumn<QString>("reponse");
    QTest::addColumn<QStringList>("racines");
    QTest::addColumn<QString>("statut");

    QTest::newRow("annulé") << QString() << QStringList{u"Boissons"_s, u"Fruits"_s} << u"avant"_s;
    QTest::newRow("en ordre alphabétique, accents compris")
        << u"Épicerie"_s << QStringList{u"Boissons"_s, u"Épicerie"_s, u"Fruits"_s}
        << u"Ajout du rayon racine \"Épicerie\" ["_s + horodatageTest + u']';
    QTest::newRow("même nom qu'une racine")
        << u"Fruits"_s << QStringList{u"Boissons"_s, u"Fruits"_s, u"Fruits"_s}
        << u"Ajout du rayon racine \"Fruits\" ["_s + horodatageTest + u']';
}

void TestCommandesRayons::ajouterRayonRacine()
{
    QFETCH(QString, reponse);
    QFETCH(QStringList, racines);
    QFETCH(QString, statut);

    if (reponse.isEmpty())
        b->interactions->annulerSaisie();
    else
        b->interactions->repondreSaisie(reponse);
    b->lancer("ajouterRayonRacine");

    QCOMPARE(b->interactions->questionsDe(GenreQuestion::Saisie).value(0).titre, u"Nouveau Rayon racine"_s);
    QStringList affichees;
    for (int i = 0; i < b->f().ui.modeleArbreRayon->rowCount(); ++i)
        affichees << b->f().ui.modeleArbreRayon->item(i)->text();
    QCOMPARE(affichees, racines);
    QCOMPARE(b->f().texteStatut(), statut);
    QCOMPARE(b->dm->listeRayons.size(), racines.size());
    // Le modèle garde l'ordre d'ajout : la nouvelle racine est la dernière, blanche, sans père.
    if (!reponse.isEmpty()) {
        const TRayon* r = b->dm->listeRayons.last();
        QCOMPARE(r->getNom(), reponse);
        QCOMPARE(r->getCouleur(), clWhite);
        QCOMPARE(r->getPere(), nullptr);
    }
}

void TestCommandesRayons::supprimerRayon_data()
{
    QTest::addColumn<QString>("chemin");
    QTest::addColumn<bool>("oui");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("foret");
    QTest::addColumn<QString>("statut");

    QTest::newRow("racine : [RACINE]")
        << u"Boissons"_s << true
        << u"Êtes-vous sûr de vouloir supprimer le rayon 'Boissons', de '[RACINE]' ?\n"
           u"ATTENTION ! Tous les articles contenus le seront aussi !"_s
        << u"Fruits[Agrumes[Citrons[](Citron)](Orange) Rouges[]()](Pomme Banane)"_s
        << u"Suppression du rayon \"Boissons\" de \" [RACINE]\" ["_s + horodatageTest + u']';
    QTest::newRow("sous-arbre entier, une seule question")
        << u"Fruits/Agrumes"_s << true
        << u"Êtes-vous sûr de vouloir supprimer le rayon 'Agrumes', de 'Fruits' ?\n"
           u"ATTENTION ! Tous les articles contenus le seront aussi !"_s
        << u"Fruits[Rouges[]()](Pomme Banane) ; Boissons[](Eau)"_s
        << u"Suppression du rayon \"Agrumes\" de \" Fruits\" ["_s + horodatageTest + u']';
    QTest::newRow("non : rien ne change")
        << u"Fruits/Agrumes"_s << false
        << u"Êtes-vous sûr de vouloir supprimer le rayon 'Agrumes', de 'Fruits' ?\n"
           u"ATTENTION ! Tous les articles contenus le seront aussi !"_s
        << foretInitiale << u"avant"_s;
}

void TestCommandesRayons::supprimerRayon()
{
    QFETCH(QString, chemin);
    QFETCH(bool, oui);
    QFETCH(QString, question);
    QFETCH(QString, foret);
    QFETCH(QString, statut);

    TRayon* r = b->rayon(chemin);
    QVERIFY(b->f().selectionnerRayon(r));
    const QStringList arbreAvant = b->arbre();
    b->interactions->repondre(oui ? ReponseMessage::Oui : ReponseMessage::Non);

    b->lancer("supprimerRayon");

    const QList<QuestionPosee> q = b->interactions->questionsDe(GenreQuestion::Message);
    QCOMPARE(q.size(), 1);
    QCOMPARE(q[0].texte, question);
    QCOMPARE(q[0].type, TypeMessage::Confirmation);
    QCOMPARE(q[0].boutons, BoutonsMessage::OuiNon);
    QCOMPARE(q[0].defautMessage, ReponseMessage::Non); // Entrée ne supprime rien
    QCOMPARE(decrire(b->dm->listeRayons), foret);
    QCOMPARE(b->f().texteStatut(), statut);
    QCOMPARE(b->animations(), oui ? QStringList{u"Sad"_s} : QStringList{});
    if (oui) {
        // Le rayon détaché reste lisible (rebuts) mais n'a plus de nœud.
        for (const QString& ligne : b->arbre())
            QVERIFY(ligne.trimmed() != r->getNom());
        QCOMPARE(b->f().rayonSelectionne(), nullptr);
    } else {
        QCOMPARE(b->arbre(), arbreAvant);
        QCOMPARE(b->f().rayonSelectionne(), r);
    }
}

void TestCommandesRayons::supprimerRayon_listeGardeLesArticlesDetaches()
{
    QVERIFY(b->f().selectionnerRayon(b->rayon(u"Fruits"_s)));
    QCOMPARE(b->listeNoms(), (QStringList{u"Banane"_s, u"Pomme"_s}));
    b->interactions->repondre(ReponseMessage::Oui);
    b->lancer("supprimerRayon");

    QCOMPARE(b->dm->listeRayons.size(), 1);
    // Les éléments montrent encore les articles du rayon supprimé, toujours lisibles.
    QCOMPARE(b->listeNoms(), (QStringList{u"Banane"_s, u"Pomme"_s}));
    const TArticle* a = TFormPrincipale::articleDeLElement(b->f().ui.listeArticles->topLevelItem(0));
    QVERIFY(a);
    QCOMPARE(a->getNom(), u"Banane"_s);
    // Sans rayon sélectionné, les commandes d'article ne les touchent pas.
    b->choisirArticles({u"Banane"_s});
    b->lancer("supprimerArticle");
    b->lancer("modifierArticle");
    QCOMPARE(b->interactions->questions.size(), 1);
    QCOMPARE(b->animations(), QStringList{u"Sad"_s});
}

void TestCommandesRayons::modifierRayon_annuler_statutTermineEtReselection()
{
    TRayon* agrumes = b->rayon(u"Fruits/Agrumes"_s);
    QVERIFY(b->f().selectionnerRayon(agrumes));
    b->f().reglages.couleurHaut = 0x00112233;
    b->f().reglages.couleurBas = 0x00445566;
    QStringList arbreDialogue;
    TformRayon* dialogueVu = nullptr;
    b->interactions->surDialogue([&](QWidget* w) {
        auto* d = qobject_cast<TformRayon*>(w);
        dialogueVu = d;
        QStandardItemModel& m = d->modeleArbre();
        // Arbre du dialogue dans l'ordre du modèle, non trié.
        for (int i = 0; i < m.rowCount(); ++i)
            arbreDialogue << m.item(i)->text();
        QCOMPARE(d->rayon, agrumes);
        QCOMPARE(d->titre(), u"MODIFICATION DE RAYON"_s);
        QCOMPARE(d->couleurHaut, TColor(0x00112233));
        QCOMPARE(d->couleurBas, TColor(0x00445566));
        QCOMPARE(d->edNom->text(), u"Agrumes"_s);
        d->edNom->setText(u"Autre nom"_s);
        d->btAnnuler->click();
    });

    b->lancer("modifierRayon");

    QCOMPARE(dialogueVu, b->f().formRayon);
    QCOMPARE(b->interactions->questionsDe(GenreQuestion::Dialogue).value(0).titre, u"Vatrelix - RAYON"_s);
    QCOMPARE(arbreDialogue, (QStringList{u"Fruits"_s, u"Boissons"_s}));
    QCOMPARE(agrumes->getNom(), u"Agrumes"_s);
    QCOMPARE(b->f().texteStatut(),
             u"Modification du rayon \"Agrumes\" ["_s + horodatageTest + u"] (Opération terminée)"_s);
    QCOMPARE(decrire(b->dm->listeRayons), foretInitiale);
    // Arbre reconstruit puis le rayon sélectionné de nouveau : sa liste d'articles est là.
    QCOMPARE(b->f().rayonSelectionne(), agrumes);
    QCOMPARE(b->listeNoms(), QStringList{u"Orange"_s});
    QVERIFY(b->animations().isEmpty());
}

void TestCommandesRayons::modifierRayon_renommerEtRecolorer()
{
    TRayon* rouges = b->rayon(u"Fruits/Rouges"_s);
    QVERIFY(b->f().selectionnerRayon(rouges));
    b->interactions->repondreCouleur(0x000000FF);
    b->interactions->surDialogue([](QWidget* w) {
        auto* d = qobject_cast<TformRayon*>(w);
        d->edNom->setText(u"Baies"_s);
        d->pbCouleurRayonClick();
        d->btValider->click();
    });

    b->lancer("modifierRayon");

    QCOMPARE(rouges->getNom(), u"Baies"_s);
    QCOMPARE(rouges->getCouleur(), TColor(0x000000FF));
    QCOMPARE(b->f().texteStatut(), u"Modification du rayon \"Baies\" ["_s + horodatageTest + u"] (Opération terminée)"_s);
    QCOMPARE(b->arbre(), (QStringList{u"Boissons"_s, u"Fruits"_s, u"  Agrumes"_s, u"    Citrons"_s, u"  Baies"_s}));
    QCOMPARE(b->f().rayonSelectionne(), rouges);
}

void TestCommandesRayons::modifierRayon_deplacerCopier_data()
{
    QTest::addColumn<QString>("edite");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<int>("choix"); // 0 : Déplacer, 1 : Copier
    QTest::addColumn<QString>("foret");
    QTest::addColumn<bool>("resteDansLaBase");
    QTest::addColumn<bool>("refuse");

    QTest::newRow("déplacer sous une autre racine")
        << u"Fruits/Agrumes"_s << u"Boissons"_s << 0
        << u"Fruits[Rouges[]()](Pomme Banane) ; Boissons[Agrumes*[Citrons[](Citron)](Orange)](Eau)"_s << false << false;
    QTest::newRow("copier sous un frère")
        << u"Fruits/Agrumes"_s << u"Fruits/Rouges"_s << 1
        << u"Fruits[Agrumes*[Citrons[](Citron)](Orange) Rouges[Agrumes*[Citrons[](Citron)](Orange)]()](Pomme Banane)"
           u" ; Boissons[](Eau)"_s
        << true << false;
    QTest::newRow("refusé sous son propre fils")
        << u"Fruits/Agrumes"_s << u"Fruits/Agrumes/Citrons"_s << 0
        << u"Fruits[Agrumes*[Citrons[](Citron)](Orange) Rouges[]()](Pomme Banane) ; Boissons[](Eau)"_s << true << true;
    QTest::newRow("refusé sous lui-même")
        << u"Fruits/Agrumes"_s << u"Fruits/Agrumes"_s << 1
        << u"Fruits[Agrumes*[Citrons[](Citron)](Orange) Rouges[]()](Pomme Banane) ; Boissons[](Eau)"_s << true << true;
    QTest::newRow("refusé sous son père")
        << u"Fruits/Agrumes"_s << u"Fruits"_s << 1
        << u"Fruits[Agrumes*[Citrons[](Citron)](Orange) Rouges[]()](Pomme Banane) ; Boissons[](Eau)"_s << true << true;
    QTest::newRow("racine jamais déplacée, mais renommée")
        << u"Boissons"_s << u"Fruits/Rouges"_s << 0
        << u"Fruits[Agrumes[Citrons[](Citron)](Orange) Rouges[]()](Pomme Banane) ; Boissons*[](Eau)"_s << true << true;
}

void TestCommandesRayons::modifierRayon_deplacerCopier()
{
    QFETCH(QString, edite);
    QFETCH(QString, destination);
    QFETCH(int, choix);
    QFETCH(QString, foret);
    QFETCH(bool, resteDansLaBase);
    QFETCH(bool, refuse);

    TRayon* r = b->rayon(edite);
    TRayon* d = b->rayon(destination);
    QVERIFY(r && d);
    const QString nouveauNom = r->getNom() + u'*';
    QVERIFY(b->f().selectionnerRayon(r));
    bool caseDecochee = false;
    b->interactions->surDialogue([&](QWidget* w) {
        auto* dialogue = qobject_cast<TformRayon*>(w);
        dialogue->edNom->setText(nouveauNom);
        dialogue->cbDeplacerCopier->setChecked(true);
        dialogue->rgChoixRayon->setItemIndex(choix);
        const QModelIndexList tous = dialogue->modeleArbre().match(
            dialogue->modeleArbre().index(0, 0), RoleRayon, QVariant::fromValue(static_cast<void*>(d)), 1,
            Qt::MatchRecursive);
        QCOMPARE(tous.size(), 1);
        dialogue->arbreRayons->selectionModel()->setCurrentIndex(tous.first(), QItemSelectionModel::ClearAndSelect);
        dialogue->btValider->click();
        caseDecochee = !dialogue->cbDeplacerCopier->isChecked();
    });

    b->lancer("modifierRayon");

    QCOMPARE(decrire(b->dm->listeRayons), foret);
    QCOMPARE(b->f().texteStatut(),
             u"Modification du rayon \""_s + nouveauNom + u"\" ["_s + horodatageTest + u"] (Opération terminée)"_s);
    // Après un déplacement l'original a quitté la base : aucun nœud n'est sélectionné.
    QCOMPARE(b->f().rayonSelectionne(), resteDansLaBase ? r : nullptr);
    // Un refus est muet : seule la case décochée le montre.
    QCOMPARE(caseDecochee, refuse);
    QVERIFY(b->interactions->messages().isEmpty());
}

void TestCommandesRayons::modifierRayon_copieProfondeIndependante()
{
    TRayon* agrumes = b->rayon(u"Fruits/Agrumes"_s);
    TRayon* boissons = b->rayon(u"Boissons"_s);
    QVERIFY(b->f().selectionnerRayon(agrumes));
    b->interactions->surDialogue([&](QWidget* w) {
        auto* d = qobject_cast<TformRayon*>(w);
        d->cbDeplacerCopier->setChecked(true);
        d->rgChoixRayon->setItemIndex(1);
        const QModelIndex racineBoissons = d->modeleArbre().index(1, 0);
        QCOMPARE(rayonDuNoeud(racineBoissons), boissons);
        d->arbreRayons->selectionModel()->setCurrentIndex(racineBoissons, QItemSelectionModel::ClearAndSelect);
        d->btValider->click();
    });
    b->lancer("modifierRayon");

    QCOMPARE(boissons->getNbRayonsFils(), 1);
    TRayon* copie = boissons->getRayonFils(0);
    QVERIFY(copie != agrumes);
    QCOMPARE(copie->getPere(), boissons);
    // Chaque élément est neuf : changer la copie laisse l'original intact.
    copie->getRayonFils(0)->getArticle(0)->setNom(u"Citron vert"_s);
    copie->getArticle(0)->setPrix(9);
    copie->getRayonFils(0)->setNom(u"Limes"_s);
    QCOMPARE(agrumes->getRayonFils(0)->getNom(), u"Citrons"_s);
    QCOMPARE(agrumes->getRayonFils(0)->getArticle(0)->getNom(), u"Citron"_s);
    QCOMPARE(agrumes->getArticle(0)->getPrix(), 0.5);
    QCOMPARE(copie->getRayonFils(0)->getPere(), copie);
}

void TestCommandesRayons::modifierRayon_sansDestination_refuse()
{
    TRayon* agrumes = b->rayon(u"Fruits/Agrumes"_s);
    QVERIFY(b->f().selectionnerRayon(agrumes));
    bool caseDecochee = false;
    b->interactions->surDialogue([&](QWidget* w) {
        auto* d = qobject_cast<TformRayon*>(w);
        d->edNom->setText(u"Agrumes bio"_s);
        d->cbDeplacerCopier->setChecked(true);
        d->rgChoixRayon->setItemIndex(0);
        d->arbreRayons->clearSelection();
        d->btValider->click();
        caseDecochee = !d->cbDeplacerCopier->isChecked();
    });
    b->lancer("modifierRayon");

    QVERIFY(caseDecochee);
    QCOMPARE(b->interactions->questionsDe(GenreQuestion::Erreur).size(), 0);
    QCOMPARE(agrumes->getNom(), u"Agrumes bio"_s);
    QCOMPARE(agrumes->getPere(), b->rayon(u"Fruits"_s));
    QCOMPARE(b->f().rayonSelectionne(), agrumes);
}

void TestCommandesRayons::modifierRayon_destinationTropProfonde_grisee()
{
    // Agrumes (deux niveaux) tient encore sous le 98e niveau d'une chaîne sous Boissons, plus sous le 99e.
    TRayon* profond = b->rayon(u"Boissons"_s);
    while (profond->getProfondeur() < profondeurMaxRayons - 1)
        profond = profond->ajouterRayonFils(u"N"_s, clWhite, profond);
    TRayon* agrumes = b->rayon(u"Fruits/Agrumes"_s);
    b->f().majArbreRayonsExecute();
    QVERIFY(b->f().selectionnerRayon(agrumes));
    b->interactions->surDialogue([&](QWidget* w) {
        auto* dialogue = qobject_cast<TformRayon*>(w);
        const auto drapeaux = [&](const TRayon* r) {
            const QModelIndexList trouves = dialogue->modeleArbre().match(
                dialogue->modeleArbre().index(0, 0), RoleRayon, QVariant::fromValue(static_cast<void*>(const_cast<TRayon*>(r))),
                1, Qt::MatchRecursive);
            return trouves.isEmpty() ? Qt::ItemFlags() : dialogue->modeleArbre().itemFromIndex(trouves.first())->flags();
        };
        QVERIFY(!(drapeaux(profond) & (Qt::ItemIsSelectable | Qt::ItemIsEnabled)));
        QVERIFY(drapeaux(profond->getPere()) & Qt::ItemIsSelectable);
        QVERIFY(drapeaux(b->rayon(u"Fruits/Rouges"_s)) & Qt::ItemIsSelectable);
        dialogue->btAnnuler->click();
    });
    b->lancer("modifierRayon");
    QCOMPARE(b->interactions->questionsDe(GenreQuestion::Dialogue).size(), 1);
}

void TestCommandesRayons::majArbreRayons_trieSelonLaLocaleAChaqueNiveau()
{
    TRayon* fruits = b->rayon(u"Fruits"_s);
    fruits->ajouterRayonFils(u"écorces"_s, clWhite, fruits);
    fruits->ajouterRayonFils(u"Zestes"_s, clWhite, fruits);
    b->dm->ajouterRayonRacine(u"Épices"_s);
    b->dm->ajouterRayonRacine(u"boulangerie"_s);
    b->lancer("majArbreRayons");
    QCOMPARE(b->arbre(), (QStringList{u"Boissons"_s, u"boulangerie"_s, u"Épices"_s, u"Fruits"_s, u"  Agrumes"_s,
                                      u"    Citrons"_s, u"  écorces"_s, u"  Rouges"_s, u"  Zestes"_s}));
    // Le modèle, lui, garde l'ordre d'ajout.
    QCOMPARE(b->dm->listeRayons.last()->getNom(), u"boulangerie"_s);
}

QTEST_MAIN(TestCommandesRayons)
#include "tst_commandesRayons.moc"
