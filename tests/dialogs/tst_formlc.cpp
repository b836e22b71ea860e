// Dialogue de quantité : protocole d'ajout et de modification, total recalculé, refus de 0.
#include "EnvironnementTest.h"
#include "InteractionsScriptees.h"
#include "TPaintBox.h"
#include "U_VX_FormLC.h"

#include <QLabel>
#include <QSpinBox>
#include <QTest>

#include <memory>

class TestFormLC : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnvironnementTest> m_env;
    std::unique_ptr<InteractionsScriptees> m_interactions;
    std::unique_ptr<TformLC> m_form;

    void preparer(int mode, const QString& pu, int quantite = 0)
    {
        m_form->setWindowTitle(QStringLiteral("Vatrelix ACHAT"));
        m_form->setTitre(QStringLiteral("Nombre d'article(s) - Lait"));
        m_form->modeModification = mode;
        if (mode == 1)
            m_form->setQuantite(quantite);
        m_form->setPrixUnitaire(pu);
    }

    // Remplace la quantité comme un utilisateur : tout sélectionner puis taper.
    void taper(const QString& texte)
    {
        m_form->seNb->selectAll();
        QTest::keyClicks(m_form->seNb, texte);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<EnvironnementTest>();
        m_interactions = std::make_unique<InteractionsScriptees>();
        m_interactions->installer();
        m_form = std::make_unique<TformLC>();
    }
    void cleanup()
    {
        m_form.reset();
        QCOMPARE(m_interactions->inattendues, 0);
        m_interactions.reset();
        m_env.reset();
    }

    void affichage_quantiteEtTotal_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("quantiteAppelant");
        QTest::addColumn<QString>("pu");
        QTest::addColumn<int>("quantite");
        QTest::addColumn<QString>("total");
        QTest::newRow("ajout : 1") << 0 << 7 << "0,89" << 1 << "0,89";
        QTest::newRow("modification : 4") << 1 << 4 << "0,89" << 4 << "3,56";
        QTest::newRow("modification au-delà du maximum") << 1 << 150000 << "1,00" << 99999 << "99999,00";
        QTest::newRow("arrondi") << 1 << 3 << "0,33" << 3 << "0,99";
    }
    void affichage_quantiteEtTotal()
    {
        QFETCH(int, mode);
        QFETCH(int, quantiteAppelant);
        QFETCH(QString, pu);
        QFETCH(int, quantite);
        QFETCH(QString, total);
        m_form->setQuantite(quantiteAppelant); // reste d'une demande précédente
        preparer(mode, pu, quantiteAppelant);
        m_form->show();
        QCOMPARE(m_form->quantite(), quantite);
        QCOMPARE(m_form->lbTotal->text(), total);
        QVERIFY(!m_form->valide);
    }

    void saisie_fermeture_data()
    {
        QTest::addColumn<QString>("tape");
        QTest::addColumn<int>("touche");
        QTest::addColumn<bool>("ouvert");
        QTest::addColumn<bool>("valide");
        QTest::addColumn<QString>("total");
        QTest::newRow("3 puis Entrée") << "3" << int(Qt::Key_Return) << false << true << "2,67";
        QTest::newRow("12 puis Entrée du pavé") << "12" << int(Qt::Key_Enter) << false << true << "10,68";
        QTest::newRow("0 puis Entrée : reste ouvert") << "0" << int(Qt::Key_Return) << true << false << "0,00";
        QTest::newRow("5 puis Échap") << "5" << int(Qt::Key_Escape) << false << false << "4,45";
        QTest::newRow("lettres ignorées") << "x2" << int(Qt::Key_Return) << false << true << "1,78";
    }
    void saisie_fermeture()
    {
        QFETCH(QString, tape);
        QFETCH(int, touche);
        QFETCH(bool, ouvert);
        QFETCH(bool, valide);
        QFETCH(QString, total);
        preparer(0, QStringLiteral("0,89"));
        m_form->show();
        taper(tape);
        QCOMPARE(m_form->lbTotal->text(), total);
        QTest::keyClick(m_form->seNb, Qt::Key(touche));
        QCOMPARE(m_form->isVisible(), ouvert);
        QCOMPARE(m_form->valide, valide);
        if (valide)
            QCOMPARE(m_form->quantite(), tape.remove(u'x').toInt());
    }

    void zero_boutonValider_resteOuvertPuisCorrige()
    {
        preparer(0, QStringLiteral("2,00"));
        m_form->show();
        taper(QStringLiteral("0"));
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);
        QVERIFY(m_form->isVisible());
        QVERIFY(!m_form->valide);
        taper(QStringLiteral("2"));
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);
        QVERIFY(!m_form->isVisible());
        QVERIFY(m_form->valide);
        QCOMPARE(m_form->quantite(), 2);
    }

    void annulation_boutonEtCaseDeFermeture()
    {
        preparer(0, QStringLiteral("1,00"));
        m_form->show();
        taper(QStringLiteral("9"));
        QVERIFY(m_form->close());
        QVERIFY(!m_form->valide);

        m_form->show();
        QTest::mouseClick(m_form->btAnnuler, Qt::LeftButton);
        QVERIFY(!m_form->isVisible());
        QVERIFY(!m_form->valide);
    }

    void valide_remisAFauxAChaqueAffichage()
    {
        preparer(0, QStringLiteral("1,00"));
        m_interactions->surDialogue([](QWidget* d) { QTest::keyClick(static_cast<TformLC*>(d)->seNb, Qt::Key_Return); });
        m_interactions->surDialogue([](QWidget*) {}); // fermé sans réponse
        Interactions::courantes().montrerModal(m_form.get());
        QVERIFY(m_form->valide);
        Interactions::courantes().montrerModal(m_form.get());
        QVERIFY(!m_form->valide);
        QCOMPARE(m_interactions->dialoguesNonFermes, 1);
    }

    void prixIllisible_signaleSansFermer()
    {
        // PU d'une liste écrite avec un point, relue sous réglages français.
        preparer(1, QStringLiteral("0.89"), 2);
        m_form->show();
        QCOMPARE(m_interactions->questionsDe(GenreQuestion::Erreur).size(), 1);
        QVERIFY(m_form->lbTotal->text().isEmpty());
        QTest::keyClick(m_form->seNb, Qt::Key_Return);
        QVERIFY(m_form->valide);
        QCOMPARE(m_form->quantite(), 2);
    }

    void titre_couleurDuTexte()
    {
        preparer(0, QStringLiteral("1,00"));
        m_form->couleurHaut = TColor(0x00000000);
        m_form->couleurBas = TColor(0x00000000);
        m_form->couleurTexte = TColor(0x0000FFFF); // jaune
        m_form->show();
        const QImage image = m_form->titreForm->grab().toImage();
        bool jaune = false;
        for (int x = 0; x < image.width() && !jaune; ++x)
            for (int y = 0; y < image.height() && !jaune; ++y)
                jaune = image.pixelColor(x, y) == QColor(255, 255, 0);
        QVERIFY(jaune);
    }
};

QTEST_MAIN(TestFormLC)
#include "tst_formlc.moc"
