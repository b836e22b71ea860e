// Dialogue de rayon : renommage, couleur, déplacements et copies acceptés ou refusés.
#include "EnvironnementTest.h"
#include "InteractionsScriptees.h"
#include "Rebuts.h"
#include "TPaintBox.h"
#include "U_Article.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormRayon.h"
#include "U_rayon.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>

#include <memory>

namespace {

// Forêt décrite en une ligne : Nom(fils...)[articles...].
QString decrire(const TRayon* r)
{
    QStringList fils;
    for (int i = 0; i < r->getNbRayonsFils(); ++i)
        fils << decrire(r->getRayonFils(i));
    QStringList articles;
    for (int i = 0; i < r->getNbArticles(); ++i)
        articles << r->getArticle(i)->getNom();
    QString texte = r->getNom();
    if (!fils.isEmpty())
        texte += u'(' + fils.join(u',') + u')';
    if (!articles.isEmpty())
        texte += u'[' + articles.join(u',') + u']';
    return texte;
}

QString decrire(const QList<TRayon*>& racines)
{
    QStringList textes;
    for (const TRayon* r : racines)
        textes << decrire(r);
    return textes.join(u',');
}

const QString kForet = QStringLiteral("Alimentation(Crèmerie(Fromages[Comté])[Lait,Beurre],Boulangerie),Boissons");
constexpr TColor kCouleurCremerie = TColor(0x00AABBCC);

} // namespace

class TestFormRayon : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnvironnementTest> m_env;
    std::unique_ptr<InteractionsScriptees> m_interactions;
    std::unique_ptr<TdmVatrelix> m_dm;
    std::unique_ptr<TformRayon> m_form;
    TRayon* m_alimentation = nullptr;
    TRayon* m_cremerie = nullptr;
    TRayon* m_fromages = nullptr;
    TRayon* m_boulangerie = nullptr;
    TRayon* m_boissons = nullptr;

    TRayon* rayonNomme(const QString& nom)
    {
        for (TRayon* r : {m_alimentation, m_cremerie, m_fromages, m_boulangerie, m_boissons})
            if (r->getNom() == nom)
                return r;
        return nullptr;
    }

    QModelIndex noeudDe(const TRayon* rayon, const QModelIndex& parent = QModelIndex())
    {
        QStandardItemModel& modele = m_form->modeleArbre();
        for (int i = 0; i < modele.rowCount(parent); ++i) {
            const QModelIndex index = modele.index(i, 0, parent);
            if (rayonDuNoeud(index) == rayon)
                return index;
            const QModelIndex trouve = noeudDe(rayon, index);
            if (trouve.isValid())
                return trouve;
        }
        return QModelIndex();
    }

    void montrer(TRayon* rayon)
    {
        m_form->setWindowTitle(QStringLiteral("Vatrelix - RAYON"));
        m_form->setTitre(QStringLiteral("MODIFICATION DE RAYON"));
        m_form->rayon = rayon;
        m_form->remplirArbre();
        m_form->show();
    }

    // Coche la case puis clique le nœud de destination (aucun : Ctrl+clic sur la sélection).
    void choisirDestination(const TRayon* destination, int choix)
    {
        m_form->cbDeplacerCopier->click();
        m_form->rgChoixRayon->bouton(choix)->click();
        QTreeView* arbre = m_form->arbreRayons;
        if (destination) {
            const QModelIndex index = noeudDe(destination);
            QVERIFY(index.isValid());
            QTest::mouseClick(arbre->viewport(), Qt::LeftButton, {}, arbre->visualRect(index).center());
            QCOMPARE(rayonDuNoeud(arbre->currentIndex()), destination);
        } else {
            const QModelIndex index = arbre->currentIndex();
            QTest::mouseClick(arbre->viewport(), Qt::LeftButton, Qt::ControlModifier, arbre->visualRect(index).center());
            QVERIFY(arbre->selectionModel()->selectedIndexes().isEmpty());
        }
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<EnvironnementTest>();
        m_interactions = std::make_unique<InteractionsScriptees>();
        m_interactions->installer();
        m_dm = std::make_unique<TdmVatrelix>();
        m_alimentation = m_dm->ajouterRayonRacine(QStringLiteral("Alimentation"), clCream);
        m_cremerie = m_alimentation->ajouterRayonFils(QStringLiteral("Crèmerie"), kCouleurCremerie, m_alimentation);
        m_fromages = m_cremerie->ajouterRayonFils(QStringLiteral("Fromages"), clWhite, m_cremerie);
        m_fromages->creerArticle(QStringLiteral("Comté"), 12.5, QStringLiteral("AOP"));
        m_cremerie->creerArticle(QStringLiteral("Lait"), 0.89, QStringLiteral("-"));
        m_cremerie->creerArticle(QStringLiteral("Beurre"), 2.1, QStringLiteral("doux"));
        m_boulangerie = m_alimentation->ajouterRayonFils(QStringLiteral("Boulangerie"), clWhite, m_alimentation);
        m_boissons = m_dm->ajouterRayonRacine(QStringLiteral("Boissons"));
        m_form = std::make_unique<TformRayon>(*m_dm);
        QCOMPARE(decrire(m_dm->listeRayons), kForet);
    }
    void cleanup()
    {
        m_form.reset();
        m_dm.reset();
        QCOMPARE(m_interactions->inattendues, 0);
        m_interactions.reset();
        m_env.reset();
    }

    void affichage_arbreGriseSurLeRayon()
    {
        m_form->rgChoixRayon->setItemIndex(1);
        montrer(m_fromages);
        QCOMPARE(m_form->edNom->text(), QStringLiteral("Fromages"));
        QVERIFY(!m_form->cbDeplacerCopier->isChecked());
        QVERIFY(m_form->rgChoixRayon->isHidden());
        QVERIFY(!m_form->arbreRayons->isEnabled());
        QCOMPARE(rayonDuNoeud(m_form->arbreRayons->selectionModel()->selectedIndexes().value(0)), m_fromages);
        // Arbre dans l'ordre du modèle, non trié.
        QCOMPARE(m_form->modeleArbre().index(0, 0).data().toString(), QStringLiteral("Alimentation"));
        m_form->cbDeplacerCopier->click();
        QVERIFY(m_form->arbreRayons->isEnabled());
        QVERIFY(m_form->rgChoixRayon->isVisible());
        QCOMPARE(m_form->rgChoixRayon->itemIndex(), 1);
    }

    void valider_caseDecochee_renommeSeulement()
    {
        montrer(m_cremerie);
        m_form->cbDeplacerCopier->click();
        QTest::mouseClick(m_form->arbreRayons->viewport(), Qt::LeftButton, {},
                          m_form->arbreRayons->visualRect(noeudDe(m_boissons)).center());
        m_form->cbDeplacerCopier->click(); // décochée : la destination choisie ne compte plus
        m_form->edNom->clear();
        QTest::keyClicks(m_form->edNom, QStringLiteral("Frais"));
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);
        QVERIFY(!m_form->isVisible());
        QCOMPARE(decrire(m_dm->listeRayons), QString(kForet).replace(QStringLiteral("Crèmerie"), QStringLiteral("Frais")));
        QCOMPARE(m_cremerie->getCouleur(), kCouleurCremerie);
    }

    void deplacerCopier_refuses_data()
    {
        QTest::addColumn<QString>("edite");
        QTest::addColumn<QString>("destination"); // vide : aucun nœud sélectionné
        QTest::addColumn<int>("choix");
        QTest::newRow("racine") << "Alimentation" << "Boissons" << 0;
        QTest::newRow("racine copiée") << "Boissons" << "Boulangerie" << 1;
        QTest::newRow("sous lui-même") << "Crèmerie" << "Crèmerie" << 0;
        QTest::newRow("sous son fils") << "Crèmerie" << "Fromages" << 0;
        QTest::newRow("copie sous son fils") << "Crèmerie" << "Fromages" << 1;
        QTest::newRow("sous son père") << "Crèmerie" << "Alimentation" << 0;
        QTest::newRow("sans sélection") << "Crèmerie" << "" << 0;
        QTest::newRow("copie sans sélection") << "Fromages" << "" << 1;
    }
    void deplacerCopier_refuses()
    {
        QFETCH(QString, edite);
        QFETCH(QString, destination);
        QFETCH(int, choix);
        TRayon* rayon = rayonNomme(edite);
        montrer(rayon);
        choisirDestination(destination.isEmpty() ? nullptr : rayonNomme(destination), choix);
        m_form->edNom->setText(QStringLiteral("Renommé"));
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);

        // Refus silencieux : pas de message, renommage fait, forêt inchangée, case décochée.
        QVERIFY(m_interactions->messages().isEmpty());
        QVERIFY(!m_form->isVisible());
        QCOMPARE(rayon->getNom(), QStringLiteral("Renommé"));
        QCOMPARE(decrire(m_dm->listeRayons), QString(kForet).replace(edite, QStringLiteral("Renommé")));
        QVERIFY(!m_form->cbDeplacerCopier->isChecked());
        QVERIFY(!m_form->arbreRayons->isEnabled());
        QVERIFY(m_form->rgChoixRayon->isHidden());
    }

    // La copie dépasserait la profondeur maximale : refusée comme les autres, même choisie par programme.
    void deplacerCopier_tropProfond_refuse()
    {
        TRayon* fond = m_boissons;
        while (fond->getProfondeur() < profondeurMaxRayons)
            fond = fond->ajouterRayonFils(QStringLiteral("N"), clWhite, fond);
        montrer(m_cremerie);
        m_form->cbDeplacerCopier->click();
        m_form->rgChoixRayon->bouton(1)->click();
        m_form->arbreRayons->setCurrentIndex(noeudDe(fond->getPere()));
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);
        QVERIFY(!m_form->isVisible());
        QCOMPARE(fond->getPere()->getNbRayonsFils(), 1);
        QCOMPARE(m_alimentation->getNbRayonsFils(), 2);
    }

    void copier_sousUnFrere_copieProfonde()
    {
        montrer(m_cremerie);
        m_interactions->repondreCouleur(TColor(0x00112233));
        QTest::mouseClick(m_form->pbCouleurRayon, Qt::LeftButton);
        choisirDestination(m_boulangerie, 1);
        m_form->edNom->setText(QStringLiteral("Frais"));
        QTest::keyClick(m_form->edNom, Qt::Key_Return);

        QCOMPARE(decrire(m_dm->listeRayons),
                 QStringLiteral("Alimentation(Frais(Fromages[Comté])[Lait,Beurre],"
                                "Boulangerie(Frais(Fromages[Comté])[Lait,Beurre])),Boissons"));
        TRayon* copie = m_boulangerie->getRayonFils(0);
        QVERIFY(copie != m_cremerie);
        QCOMPARE(copie->getPere(), m_boulangerie);
        QCOMPARE(copie->getCouleur(), TColor(0x00112233));
        QCOMPARE(copie->getRayonFils(0)->getPere(), copie);
        QVERIFY(copie->getRayonFils(0) != m_fromages);
        QCOMPARE(copie->getArticle(1)->getRemarque(), QStringLiteral("doux"));
        // Les deux exemplaires sont indépendants.
        copie->getArticle(0)->setNom(QStringLiteral("Lait cru"));
        QCOMPARE(m_cremerie->getArticle(0)->getNom(), QStringLiteral("Lait"));
    }

    void deplacer_sousUneAutreRacine()
    {
        montrer(m_cremerie);
        choisirDestination(m_boissons, 0);
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);
        QCOMPARE(decrire(m_dm->listeRayons),
                 QStringLiteral("Alimentation(Boulangerie),Boissons(Crèmerie(Fromages[Comté])[Lait,Beurre])"));
        QVERIFY(m_boissons->getRayonFils(0) != m_cremerie);
        QCOMPARE(m_alimentation->indiceRayonFils(m_cremerie), -1);
        // L'original détaché reste lisible par l'appelant (message d'état).
        QCOMPARE(m_cremerie->getNom(), QStringLiteral("Crèmerie"));
        QVERIFY(Rebuts::nombre() >= 1);
    }

    void deplacer_sousUnNeveu()
    {
        montrer(m_boulangerie);
        choisirDestination(m_fromages, 0);
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);
        QCOMPARE(decrire(m_dm->listeRayons),
                 QStringLiteral("Alimentation(Crèmerie(Fromages(Boulangerie)[Comté])[Lait,Beurre]),Boissons"));
    }

    void couleur_choisiePuisAnnulee()
    {
        montrer(m_cremerie);
        m_interactions->repondreCouleur(TColor(0x000000FF));
        m_interactions->repondreCouleur(TColor(0x0000FF00));
        QTest::mouseClick(m_form->pbCouleurRayon, Qt::LeftButton);
        QCOMPARE(m_form->couleurNuancier(), TColor(0x000000FF));
        // Le nuancier va du blanc à la couleur choisie.
        const QImage image = m_form->pbCouleurRayon->grab().toImage();
        QCOMPARE(image.pixelColor(5, image.height() - 1), QColor(255, 0, 0));
        // Le second choix, au clavier (Espace), repart de la couleur enregistrée du rayon.
        QTest::keyClick(m_form->pbCouleurRayon, Qt::Key_Space);
        const QList<QuestionPosee> couleurs = m_interactions->questionsDe(GenreQuestion::Couleur);
        QCOMPARE(couleurs.size(), 2);
        QCOMPARE(couleurs.at(0).couleur, kCouleurCremerie);
        QCOMPARE(couleurs.at(1).couleur, kCouleurCremerie);
        QTest::keyClick(m_form->edNom, Qt::Key_Escape);
        QVERIFY(!m_form->isVisible());
        QCOMPARE(m_cremerie->getCouleur(), kCouleurCremerie);
        QCOMPARE(m_cremerie->getNom(), QStringLiteral("Crèmerie"));
    }

    void couleur_choixAnnule_nuancierInchange()
    {
        montrer(m_cremerie);
        m_interactions->annulerCouleur();
        QTest::mouseClick(m_form->pbCouleurRayon, Qt::LeftButton);
        QCOMPARE(m_form->couleurNuancier(), kCouleurCremerie);
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);
        QCOMPARE(m_cremerie->getCouleur(), kCouleurCremerie);
    }

    void nomVide_avertitEtResteOuvert()
    {
        montrer(m_cremerie);
        choisirDestination(m_boissons, 0);
        m_form->edNom->clear();
        m_interactions->repondre(ReponseMessage::Ok);
        QTest::keyClick(m_form->edNom, Qt::Key_Return);
        QCOMPARE(m_interactions->messages(), QStringList{QStringLiteral("Veuillez renseigner le champ \"Nom\".")});
        QVERIFY(m_form->isVisible());
        QCOMPARE(decrire(m_dm->listeRayons), kForet);
    }

    void nom_filtreEtVingtCaracteres()
    {
        montrer(m_cremerie);
        m_form->edNom->clear();
        QTest::keyClicks(m_form->edNom, QStringLiteral("Fruits|Legumes|Primeurs du jour"));
        QCOMPARE(m_form->edNom->text(), QStringLiteral("FruitsLegumesPrimeur"));
        // Collés, les caractères qu'un document XML ne peut pas porter et les fins de ligne
        // sont avalés comme "|".
        m_form->edNom->clear();
        QApplication::clipboard()->setText(QStringLiteral("Fruits\t\u0001|\uFFFF\r\nLégumes"));
        QTest::keyClick(m_form->edNom, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_form->edNom->text(), QStringLiteral("FruitsLégumes"));
    }

    void annuler_rienNeChange_choixGarde()
    {
        montrer(m_cremerie);
        choisirDestination(m_boissons, 1);
        m_form->edNom->setText(QStringLiteral("Autre"));
        QTest::mouseClick(m_form->btAnnuler, Qt::LeftButton);
        QCOMPARE(decrire(m_dm->listeRayons), kForet);
        QVERIFY(!m_form->cbDeplacerCopier->isChecked());

        // La case de fermeture non plus ne change rien ; le choix « Copier » demeure.
        montrer(m_cremerie);
        QCOMPARE(m_form->edNom->text(), QStringLiteral("Crèmerie"));
        QCOMPARE(m_form->rgChoixRayon->itemIndex(), 1);
        m_form->edNom->setText(QStringLiteral("Autre"));
        QVERIFY(m_form->close());
        QCOMPARE(decrire(m_dm->listeRayons), kForet);
    }
};

QTEST_MAIN(TestFormRayon)
#include "tst_formrayon.moc"
