// Dialogue des options : nom de compagnon vérifié à la casse près, annulations.
#include "EnvironnementTest.h"
#include "InteractionsScriptees.h"
#include "U_VX_Options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <memory>

class TestFormOptions : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<EnvironnementTest> m_env;
    std::unique_ptr<InteractionsScriptees> m_interactions;
    std::unique_ptr<TformOptions> m_form;

    // Préparation de la commande : éléments, nom et interrupteur courants.
    void montrer(const QStringList& installes, const QString& nom, bool affiche)
    {
        m_form->remplirCompagnons(installes);
        m_form->setNomCompagnon(nom);
        m_form->setCompagnonAffiche(affiche);
        m_form->show();
    }

    void taperNom(const QString& nom)
    {
        QLineEdit* edition = m_form->cbChoixCompagnon->lineEdit();
        edition->selectAll();
        QTest::keyClick(edition, Qt::Key_Backspace);
        QTest::keyClicks(edition, nom);
    }

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<EnvironnementTest>();
        m_interactions = std::make_unique<InteractionsScriptees>();
        m_interactions->installer();
        m_form = std::make_unique<TformOptions>();
    }
    void cleanup()
    {
        m_form.reset();
        QCOMPARE(m_interactions->inattendues, 0);
        m_interactions.reset();
        m_env.reset();
    }

    void creation_titreEtNonValide()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Vatrelix - Options"));
        QCOMPARE(m_form->PageControl1->tabText(0), QStringLiteral("Compagnon"));
        QVERIFY(!m_form->valide);
    }

    void valider_nomVerifie_data()
    {
        QTest::addColumn<QStringList>("installes");
        QTest::addColumn<QString>("tape"); // vide : le nom n'est pas touché
        QTest::addColumn<bool>("cocher");  // inverser la case
        QTest::addColumn<QString>("nomFinal");
        QTest::addColumn<bool>("averti");
        const QStringList trois{"Peedy", "Merlin", "Genie"};
        QTest::newRow("rien changé") << trois << "" << false << "Merlin" << false;
        QTest::newRow("autre personnage") << trois << "Peedy" << false << "Peedy" << false;
        QTest::newRow("nom inconnu, case changée") << trois << "Bob" << true << "Merlin" << true;
        QTest::newRow("autre casse") << trois << "merlin" << false << "Merlin" << true;
        QTest::newRow("liste vide") << QStringList() << "Genie" << true << "Merlin" << true;
        QTest::newRow("liste vide, rien tapé") << QStringList() << "" << false << "Merlin" << true;
    }
    void valider_nomVerifie()
    {
        QFETCH(QStringList, installes);
        QFETCH(QString, tape);
        QFETCH(bool, cocher);
        QFETCH(QString, nomFinal);
        QFETCH(bool, averti);
        montrer(installes, QStringLiteral("Merlin"), true);
        QCOMPARE(m_form->nomInitial, QStringLiteral("Merlin"));
        if (!tape.isEmpty())
            taperNom(tape);
        if (cocher)
            m_form->chbAfficherCompagnon->click();
        const QString nomTape = m_form->nomCompagnon();
        if (averti)
            m_interactions->repondre(ReponseMessage::Ok);
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);

        QCOMPARE(m_interactions->messages(),
                 averti ? QStringList{QStringLiteral("Le nom de compagnon, ") + nomTape
                                      + QStringLiteral(", n'existe pas ! \nLe compagnon restera inchangé.")}
                        : QStringList());
        QVERIFY(m_form->valide);
        QVERIFY(!m_form->isVisible());
        QCOMPARE(m_form->nomCompagnon(), nomFinal);
        QCOMPARE(m_form->compagnonAffiche(), !cocher);
    }

    void annulations_data()
    {
        QTest::addColumn<QString>("maniere");
        QTest::newRow("bouton") << "bouton";
        QTest::newRow("case de fermeture") << "fermeture";
        QTest::newRow("Échap") << "echap";
    }
    void annulations()
    {
        QFETCH(QString, maniere);
        // Un premier usage validé : valide ne doit pas en rester vrai.
        montrer({"Merlin"}, QStringLiteral("Merlin"), true);
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);
        QVERIFY(m_form->valide);

        m_form->show();
        m_form->chbAfficherCompagnon->click();
        if (maniere == u"bouton")
            QTest::mouseClick(m_form->btAnnuler, Qt::LeftButton);
        else if (maniere == u"fermeture")
            QVERIFY(m_form->close());
        else
            QTest::keyClick(m_form->chbAfficherCompagnon, Qt::Key_Escape);
        QVERIFY(!m_form->isVisible());
        QVERIFY(!m_form->valide);
    }

    void liste_trieeEtEntreeNAjoutePas()
    {
        montrer({"Peedy", "merlin", "Genie", "Robby"}, QStringLiteral("Genie"), false);
        QStringList elements;
        for (int i = 0; i < m_form->cbChoixCompagnon->count(); ++i)
            elements << m_form->cbChoixCompagnon->itemText(i);
        QCOMPARE(elements, (QStringList{"Genie", "merlin", "Peedy", "Robby"}));
        QCOMPARE(m_form->nomCompagnon(), QStringLiteral("Genie"));

        // Entrée dans la liste ne fait pas d'un nom tapé un personnage installé.
        taperNom(QStringLiteral("Bob"));
        QTest::keyClick(m_form->cbChoixCompagnon->lineEdit(), Qt::Key_Return);
        QCOMPARE(m_form->cbChoixCompagnon->count(), 4);
        QVERIFY(m_form->isVisible());
        m_interactions->repondre(ReponseMessage::Ok);
        QTest::mouseClick(m_form->btValider, Qt::LeftButton);
        QCOMPARE(m_form->nomCompagnon(), QStringLiteral("Genie"));
    }
};

QTEST_MAIN(TestFormOptions)
#include "tst_formoptions.moc"
