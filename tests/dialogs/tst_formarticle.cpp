// Dialogue d'article : ordre des contrôles de validation, filtres de frappe, Entrée et Échap.
#include "EnvironnementTest.h"
#include "InteractionsScriptees.h"
#include "ParametresRegionaux.h"
#include "TPaintBox.h"
#include "U_VX_FormArticle.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <memory>

namespace {
const QString kNomVide = QStringLiteral("Veuillez renseigner le champ \"Nom\".");
const QString kPrixVide = QStringLiteral("Veuillez renseigner le champ \"Prix\".");
const QString kPrixMauvais = QStringLiteral("Mauvais format pour le prix.\nRenseigner le champ \"Prix\".");
} // namespace

class TestFormArticle : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnvironnementTest> m_env;
    std::unique_ptr<InteractionsScriptees> m_interactions;
    std::unique_ptr<TFormArticle> m_form;

    // Montre le dialogue comme le ferait l'appelant, en modification (les champs restent).
    void montrer(const QString& nom, const QString& prix, const QString& remarque)
    {
        m_form->modeModification = ModeDialogue::Modification;
        m_form->edNom->setText(nom);
        m_form->edPrix->setText(prix);
        m_form->memoRemarque->setText(remarque);
        m_form->show();
    }

    ChampSaisie* champ(const QString& nom) { return m_form->findChild<ChampSaisie*>(nom); }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<EnvironnementTest>();
        m_interactions = std::make_unique<InteractionsScriptees>();
        m_interactions->installer();
        m_form = std::make_unique<TFormArticle>();
    }
    void cleanup()
    {
        m_form.reset();
        QCOMPARE(m_interactions->inattendues, 0);
        m_interactions.reset();
        m_env.reset();
    }

    void valider_ordreDesControles_data()
    {
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("prix");
        QTest::addColumn<QString>("message"); // vide : validé sans message
        QTest::addColumn<QString>("prixApres");
        QTest::newRow("tout vide : le nom d'abord") << "" << "" << kNomVide << "";
        QTest::newRow("nom vide, prix donné") << "" << "2,5" << kNomVide << "2,5";
        QTest::newRow("prix vide") << "Lait" << "" << kPrixVide << "";
        QTest::newRow("barre dans le prix") << "Lait" << "1|5" << kPrixMauvais << "";
        QTest::newRow("deux virgules") << "Lait" << "1,2,3" << kPrixMauvais << "";
        QTest::newRow("correct") << "Lait" << "0,89" << "" << "0,89";
        QTest::newRow("nom d'espaces admis") << "   " << "1" << "" << "1";
    }
    void valider_ordreDesControles()
    {
        QFETCH(QString, nom);
        QFETCH(QString, prix);
        QFETCH(QString, message);
        QFETCH(QString, prixApres);
        montrer(nom, prix, QString());
        if (!message.isEmpty())
            m_interactions->repondre(ReponseMessage::Ok);
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);

        QCOMPARE(m_interactions->messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(m_interactions->questionsDe(GenreQuestion::Message).first().type, TypeMessage::Avertissement);
        }
        QCOMPARE(m_form->valide, message.isEmpty());
        QCOMPARE(m_form->isVisible(), !message.isEmpty());
        QCOMPARE(m_form->edPrix->text(), prixApres);
    }

    void frappe_filtres_data()
    {
        QTest::addColumn<QString>("champ");
        QTest::addColumn<QString>("tape");
        QTest::addColumn<QString>("attendu");
        QTest::newRow("prix : point devient virgule") << "edPrix" << "1.5" << "1,5";
        QTest::newRow("prix : lettres et moins refusés") << "edPrix" << "-a1b2" << "12";
        QTest::newRow("prix : barre admise") << "edPrix" << "1|2" << "1|2";
        QTest::newRow("prix : huit caractères") << "edPrix" << "1234567890" << "12345678";
        QTest::newRow("prix : espace refusé") << "edPrix" << "1 000" << "1000";
        QTest::newRow("nom : barre avalée") << "edNom" << "Lait|bio" << "Laitbio";
        QTest::newRow("nom : 25 caractères") << "edNom" << "abcdefghijklmnopqrstuvwxyz" << "abcdefghijklmnopqrstuvwxy";
        QTest::newRow("nom : autres caractères") << "edNom" << "Pain 1.5-x" << "Pain 1.5-x";
        QTest::newRow("remarque : barre avalée") << "memoRemarque" << "|demi|" << "demi";
        QTest::newRow("remarque : 20 caractères") << "memoRemarque" << "0123456789abcdefghijkl"
                                                  << "0123456789abcdefghij";
    }
    void frappe_filtres()
    {
        QFETCH(QString, champ);
        QFETCH(QString, tape);
        QFETCH(QString, attendu);
        montrer(QString(), QString(), QString());
        ChampSaisie* c = this->champ(champ);
        QVERIFY(c);
        QTest::keyClicks(c, tape);
        QCOMPARE(c->text(), attendu);
    }

    void collage_filtre_data()
    {
        QTest::addColumn<QString>("champ");
        QTest::addColumn<QString>("colle");
        QTest::addColumn<QString>("attendu");
        // Ce qu'un document XML ne peut pas porter, et tabulation et fins de ligne.
        const QString controles = QStringLiteral("a\u0001b\tc\r\nd\u001Fe\uFFFEf\uFFFF|g");
        QTest::newRow("prix") << "edPrix" << "ab1.5|x" << "1,5|";
        QTest::newRow("nom : barre avalée") << "edNom" << "ab1.5|x" << "ab1.5x";
        QTest::newRow("nom : contrôles avalés") << "edNom" << controles << "abcdefg";
        QTest::newRow("remarque : contrôles avalés") << "memoRemarque" << controles << "abcdefg";
    }
    void collage_filtre()
    {
        QFETCH(QString, champ);
        QFETCH(QString, colle);
        QFETCH(QString, attendu);
        montrer(QString(), QString(), QString());
        QApplication::clipboard()->setText(colle);
        QTest::keyClick(this->champ(champ), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(this->champ(champ)->text(), attendu);
    }

    void touches_entreeEchap_data()
    {
        QTest::addColumn<QString>("champ");
        QTest::addColumn<int>("touche");
        QTest::addColumn<bool>("valide");
        for (const char* nom : {"edNom", "edPrix", "memoRemarque"}) {
            QTest::addRow("%s Entrée", nom) << QString::fromLatin1(nom) << int(Qt::Key_Return) << true;
            QTest::addRow("%s Entrée du pavé", nom) << QString::fromLatin1(nom) << int(Qt::Key_Enter) << true;
            QTest::addRow("%s Échap", nom) << QString::fromLatin1(nom) << int(Qt::Key_Escape) << false;
        }
    }
    void touches_entreeEchap()
    {
        QFETCH(QString, champ);
        QFETCH(int, touche);
        QFETCH(bool, valide);
        montrer(QStringLiteral("Lait"), QStringLiteral("0,89"), QStringLiteral("bio"));
        QTest::keyClick(this->champ(champ), Qt::Key(touche));
        QCOMPARE(m_form->valide, valide);
        QVERIFY(!m_form->isVisible());
        QCOMPARE(m_form->result(), valide ? int(QDialog::Accepted) : int(QDialog::Rejected));
    }

    void entree_valideAvecControles()
    {
        montrer(QString(), QStringLiteral("1"), QString());
        m_interactions->repondre(ReponseMessage::Ok);
        QTest::keyClick(m_form->memoRemarque, Qt::Key_Return);
        QCOMPARE(m_interactions->messages(), QStringList{kNomVide});
        QVERIFY(m_form->isVisible());
        QVERIFY(!m_form->valide);
    }

    void affichage_modeEtValide()
    {
        montrer(QStringLiteral("Lait"), QStringLiteral("0,89"), QStringLiteral("bio"));
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);
        QVERIFY(m_form->valide);

        // Modification : les champs fixés par l'appelant restent, valide repart à faux.
        m_form->show();
        QVERIFY(!m_form->valide);
        QCOMPARE(m_form->edNom->text(), QStringLiteral("Lait"));
        m_form->hide();

        // Nouvel article : les trois champs sont vidés.
        m_form->modeModification = ModeDialogue::Ajout;
        m_form->show();
        QVERIFY(m_form->edNom->text().isEmpty());
        QVERIFY(m_form->edPrix->text().isEmpty());
        QVERIFY(m_form->memoRemarque->text().isEmpty());
    }

    void caseDeFermeture_annule()
    {
        montrer(QStringLiteral("Lait"), QStringLiteral("0,89"), QString());
        QVERIFY(m_form->close());
        QVERIFY(!m_form->valide);
        QVERIFY(!m_form->isVisible());
    }

    void montrerModal_parLesInteractions()
    {
        m_form->setWindowTitle(QStringLiteral("Vatrelix - ARTICLE"));
        m_form->setTitre(QStringLiteral("NOUVEL ARTICLE"));
        m_interactions->surDialogue([](QWidget* d) {
            auto* f = static_cast<TFormArticle*>(d);
            QTest::keyClicks(f->edNom, QStringLiteral("Beurre"));
            QTest::keyClicks(f->edPrix, QStringLiteral("2.35"));
            QTest::keyClick(f->edPrix, Qt::Key_Return);
        });
        Interactions::courantes().montrerModal(m_form.get());
        QVERIFY(m_form->valide);
        QCOMPARE(m_form->edPrix->text(), QStringLiteral("2,35"));
        QCOMPARE(m_interactions->questionsDe(GenreQuestion::Dialogue).first().titre,
                 QStringLiteral("Vatrelix - ARTICLE"));
        QCOMPARE(m_form->titre(), QStringLiteral("NOUVEL ARTICLE"));
    }

    void reglagesAPoint_prixDecimalAdmis()
    {
        // L'un ou l'autre séparateur devient celui des réglages, que la conversion lit.
        ParametresRegionaux::definir(ParametresRegionaux::anglais());
        montrer(QStringLiteral("Lait"), QString(), QString());
        QTest::keyClicks(m_form->edPrix, QStringLiteral("1,5"));
        QCOMPARE(m_form->edPrix->text(), QStringLiteral("1.5"));
        m_form->edPrix->clear();
        QTest::keyClicks(m_form->edPrix, QStringLiteral("2.5"));
        QCOMPARE(m_form->edPrix->text(), QStringLiteral("2.5"));
        QTest::keyClick(m_form->edPrix, Qt::Key_Return);
        QVERIFY(m_form->valide);
        QCOMPARE(m_interactions->messages(), QStringList());
    }

    void titre_degradeEtTexte()
    {
        m_form->couleurHaut = TColor(0x00FF0000);
        m_form->couleurBas = TColor(0x000000FF);
        m_form->setTitre(QStringLiteral("NOUVEL ARTICLE"));
        montrer(QString(), QString(), QString());
        const QImage image = m_form->titreFiche->grab().toImage();
        QCOMPARE(image.height(), 17);
        // Rangée du bas : exactement la couleur du bas (rouge), coin gauche sans texte.
        QCOMPARE(image.pixelColor(0, 16), QColor(255, 0, 0));
        // Du texte blanc est posé quelque part au centre.
        bool blanc = false;
        for (int x = 100; x < 200 && !blanc; ++x)
            for (int y = 0; y < 17 && !blanc; ++y)
                blanc = image.pixelColor(x, y) == QColor(Qt::white);
        QVERIFY(blanc);
    }
};

QTEST_MAIN(TestFormArticle)
#include "tst_formarticle.moc"
