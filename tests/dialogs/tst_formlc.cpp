// Dialogue de quantité : protocole d'ajout et de modification, total recalculé, refus de 0,
// frappes refusées visiblement, montants lisibles entiers.
#include "EnvironnementTest.h"
#include "InteractionsScriptees.h"
#include "TPaintBox.h"
#include "U_VX_FormLC.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

#include <memory>

namespace {
const QString kRefusEntier =
    QStringLiteral("La quantité se compte en unités entières : seuls les chiffres sont admis.");
const QString kRefusMaximum = QStringLiteral("La quantité ne peut pas dépasser 99999.");
} // namespace

class TestFormLC : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnvironnementTest> m_env;
    std::unique_ptr<InteractionsScriptees> m_interactions;
    std::unique_ptr<TformLC> m_form;

    void preparer(ModeDialogue mode, const QString& pu, int quantite = 0)
    {
        m_form->setWindowTitle(QStringLiteral("Vatrelix ACHAT"));
        m_form->setTitre(QStringLiteral("Nombre d'article(s) - Lait"));
        m_form->modeModification = mode;
        if (mode == ModeDialogue::Modification)
            m_form->setQuantite(quantite);
        m_form->setPrixUnitaire(pu);
    }

    // Texte de la bulle de refus montrée, vide sans bulle.
    QString refusMontre() const
    {
        const auto* bulle = m_form->findChild<QLabel*>(QStringLiteral("bulleRefus"));
        return bulle && bulle->isVisible() ? bulle->text() : QString();
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
        QTest::addColumn<ModeDialogue>("mode");
        QTest::addColumn<int>("quantiteAppelant");
        QTest::addColumn<QString>("pu");
        QTest::addColumn<int>("quantite");
        QTest::addColumn<QString>("total");
        const ModeDialogue ajout = ModeDialogue::Ajout, modification = ModeDialogue::Modification;
        QTest::newRow("ajout : 1") << ajout << 7 << "0,89" << 1 << "0,89";
        QTest::newRow("modification : 4") << modification << 4 << "0,89" << 4 << "3,56";
        QTest::newRow("modification au-delà du maximum") << modification << 150000 << "1,00" << 99999 << "99999,00";
        QTest::newRow("arrondi") << modification << 3 << "0,33" << 3 << "0,99";
    }
    void affichage_quantiteEtTotal()
    {
        QFETCH(ModeDialogue, mode);
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
        QTest::addColumn<bool>("colle"); // collé d'un coup plutôt que tapé
        QTest::addColumn<int>("touche");
        QTest::addColumn<bool>("ouvert");
        QTest::addColumn<bool>("valide");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("quantite");
        QTest::addColumn<QString>("refus"); // texte de la bulle, vide sans refus
        const int entree = Qt::Key_Return;
        QTest::newRow("3 puis Entrée") << "3" << false << entree << false << true << "2,67" << 3 << "";
        QTest::newRow("12 puis Entrée du pavé") << "12" << false << int(Qt::Key_Enter) << false << true << "10,68" << 12
                                                << "";
        QTest::newRow("0 puis Entrée : reste ouvert") << "0" << false << entree << true << false << "0,00" << 0 << "";
        QTest::newRow("5 puis Échap") << "5" << false << int(Qt::Key_Escape) << false << false << "4,45" << 5 << "";
        QTest::newRow("lettre refusée") << "x2" << false << entree << false << true << "1,78" << 2 << kRefusEntier;
        QTest::newRow("virgule refusée") << "2," << false << entree << false << true << "1,78" << 2 << kRefusEntier;
        QTest::newRow("point refusé") << "2." << false << entree << false << true << "1,78" << 2 << kRefusEntier;
        QTest::newRow("1,5 collé refusé") << "1,5" << true << entree << false << true << "0,89" << 1 << kRefusEntier;
        QTest::newRow("sixième chiffre refusé") << "999999" << false << entree << false << true << "88999,11" << 99999
                                                << kRefusMaximum;
    }
    void saisie_fermeture()
    {
        QFETCH(QString, tape);
        QFETCH(bool, colle);
        QFETCH(int, touche);
        QFETCH(bool, ouvert);
        QFETCH(bool, valide);
        QFETCH(QString, total);
        QFETCH(int, quantite);
        QFETCH(QString, refus);
        preparer(ModeDialogue::Ajout, QStringLiteral("0,89"));
        m_form->show();
        if (colle) {
            QApplication::clipboard()->setText(tape);
            m_form->seNb->selectAll();
            QTest::keyClick(m_form->seNb, Qt::Key_V, Qt::ControlModifier);
        } else {
            taper(tape);
        }
        QCOMPARE(m_form->lbTotal->text(), total);
        QCOMPARE(refusMontre(), refus);
        QTest::keyClick(m_form->seNb, Qt::Key(touche));
        QCOMPARE(m_form->isVisible(), ouvert);
        QVERIFY(refusMontre().isEmpty());
        QCOMPARE(m_form->valide, valide);
        if (valide)
            QCOMPARE(m_form->quantite(), quantite);
    }

    void disposition_valeursEntieres_data()
    {
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("pu");
        QTest::addColumn<bool>("ordinaire"); // taille et positions décrites
        QTest::newRow("ordinaire") << "Lait" << "0,89" << true;
        QTest::newRow("prix tapé le plus long") << "Lait" << "99999999,99" << false;
        QTest::newRow("prix d'une base") << "Lait" << "1000000000,00" << false;
        QTest::newRow("nom de 25 caractères larges") << QString(25, u'W') << "0,89" << false;
    }
    void disposition_valeursEntieres()
    {
        QFETCH(QString, article);
        QFETCH(QString, pu);
        QFETCH(bool, ordinaire);
        preparer(ModeDialogue::Ajout, pu);
        m_form->setTitre(QStringLiteral("Nombre d'article(s) - ") + article);
        m_form->show();
        taper(QStringLiteral("99999"));
        QCOMPARE(m_form->quantite(), 99999);

        // Chaque montant se lit entier, sans chevaucher libellé, signe euro, image ni bouton.
        const QRect fenetre = m_form->rect();
        for (QLabel* montant : {m_form->lbPU, m_form->lbTotal}) {
            QVERIFY(!montant->text().isEmpty());
            QVERIFY2(montant->fontMetrics().horizontalAdvance(montant->text()) <= montant->contentsRect().width(),
                     qPrintable(montant->text()));
            for (QWidget* autre : std::initializer_list<QWidget*>{m_form->Label2, m_form->Label3, m_form->Label6,
                                                                  m_form->Label7, m_form->ImageForm, m_form->btValider,
                                                                  m_form->btAnnuler}) {
                QVERIFY2(!montant->geometry().intersects(autre->geometry()), qPrintable(autre->objectName()));
                QVERIFY(fenetre.contains(autre->geometry()));
            }
        }
        QVERIFY(m_form->titreForm->fontMetrics().horizontalAdvance(m_form->titre()) <= m_form->titreForm->width());
        if (ordinaire) {
            QCOMPARE(m_form->size(), QSize(269, 114));
            QCOMPARE(m_form->Label6->pos(), QPoint(152, 76));
            QCOMPARE(m_form->btValider->pos(), QPoint(184, 80));
        }
    }

    void zero_boutonValider_resteOuvertPuisCorrige()
    {
        preparer(ModeDialogue::Ajout, QStringLiteral("2,00"));
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
        preparer(ModeDialogue::Ajout, QStringLiteral("1,00"));
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
        preparer(ModeDialogue::Ajout, QStringLiteral("1,00"));
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
        preparer(ModeDialogue::Modification, QStringLiteral("0.89"), 2);
        m_form->show();
        QCOMPARE(m_interactions->questionsDe(GenreQuestion::Erreur).size(), 1);
        QVERIFY(m_form->lbTotal->text().isEmpty());
        QTest::keyClick(m_form->seNb, Qt::Key_Return);
        QVERIFY(m_form->valide);
        QCOMPARE(m_form->quantite(), 2);
    }

    void titre_couleurDuTexte()
    {
        preparer(ModeDialogue::Ajout, QStringLiteral("1,00"));
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
