#include "InteractionsQt.h"
#include "Traductions.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {
// Agit sur la boîte modale dès qu'elle est ouverte.
void quandModale(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action] {
        QWidget* modale = QApplication::activeModalWidget();
        QVERIFY(modale);
        action(modale);
    });
}
} // namespace

class TestInteractionsQt : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Le nom de l'application n'est pas le titre des boîtes.
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("Appli")); }
    void convertirFiltre_data();
    void convertirFiltre();
    void message_fermer_data();
    void message_fermer();
    void message_boutonOui();
    void message_entreeChoisitLeDefaut_data();
    void message_entreeChoisitLeDefaut();
    void saisie_data();
    void saisie();
    void enregistrerFichier_nomTape_data();
    void enregistrerFichier_nomTape();
    void montrerModal_widgetOrdinaire_rendLaMainQuandIlSeCache();
    void traductions_boutonsEnFrancais();
};

void TestInteractionsQt::convertirFiltre_data()
{
    QTest::addColumn<QString>("filtre");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("liste") << "Fichier Liste de courses (.lvtx)|*.lvtx" << "Fichier Liste de courses (.lvtx) (*.lvtx)";
    QTest::newRow("deux filtres") << "Texte|*.txt|Tous|*.*" << "Texte (*.txt);;Tous (*.*)";
    QTest::newRow("motifs multiples") << "Bases|*.xml;*.txt" << "Bases (*.xml *.txt)";
    QTest::newRow("vide") << "" << "";
    QTest::newRow("libellé orphelin ignoré") << "Texte|*.txt|Seul" << "Texte (*.txt)";
}

void TestInteractionsQt::convertirFiltre()
{
    QFETCH(QString, filtre);
    QFETCH(QString, attendu);
    QCOMPARE(InteractionsQt::convertirFiltre(filtre), attendu);
}

void TestInteractionsQt::message_fermer_data()
{
    QTest::addColumn<TypeMessage>("type");
    QTest::addColumn<BoutonsMessage>("boutons");
    QTest::addColumn<int>("icone");
    QTest::addColumn<int>("nombreBoutons");
    QTest::addColumn<ReponseMessage>("attendu");
    QTest::newRow("avertissement Ok") << TypeMessage::Avertissement << BoutonsMessage::Ok
                                      << int(QMessageBox::Warning) << 1 << ReponseMessage::Ok;
    QTest::newRow("confirmation OuiNon") << TypeMessage::Confirmation << BoutonsMessage::OuiNon
                                         << int(QMessageBox::Question) << 2 << ReponseMessage::Non;
    QTest::newRow("confirmation OuiNonAnnuler") << TypeMessage::Confirmation << BoutonsMessage::OuiNonAnnuler
                                                << int(QMessageBox::Question) << 3 << ReponseMessage::Annuler;
    QTest::newRow("erreur") << TypeMessage::Erreur << BoutonsMessage::Ok << int(QMessageBox::Critical) << 1
                            << ReponseMessage::Ok;
    QTest::newRow("simple") << TypeMessage::Simple << BoutonsMessage::Ok << int(QMessageBox::NoIcon) << 1
                            << ReponseMessage::Ok;
}

void TestInteractionsQt::message_fermer()
{
    QFETCH(TypeMessage, type);
    QFETCH(BoutonsMessage, boutons);
    QFETCH(int, icone);
    QFETCH(int, nombreBoutons);
    QFETCH(ReponseMessage, attendu);
    InteractionsQt interactions;
    int iconeVue = -1;
    qsizetype boutonsVus = -1;
    QString titre;
    quandModale([&](QWidget* w) {
        auto* boite = qobject_cast<QMessageBox*>(w);
        QVERIFY(boite);
        iconeVue = boite->icon();
        boutonsVus = boite->buttons().size();
        titre = boite->windowTitle();
        QTest::keyClick(boite, Qt::Key_Escape);
    });
    QCOMPARE(interactions.message(QStringLiteral("Texte"), type, boutons), attendu);
    QCOMPARE(iconeVue, icone);
    QCOMPARE(boutonsVus, nombreBoutons);
    QCOMPARE(titre, titreApplication());
}

void TestInteractionsQt::message_boutonOui()
{
    InteractionsQt interactions;
    quandModale([](QWidget* w) {
        auto* boite = qobject_cast<QMessageBox*>(w);
        QVERIFY(boite);
        boite->button(QMessageBox::Yes)->click();
    });
    QCOMPARE(interactions.message(QStringLiteral("Sûr ?"), TypeMessage::Confirmation, BoutonsMessage::OuiNonAnnuler),
             ReponseMessage::Oui);
}

void TestInteractionsQt::message_entreeChoisitLeDefaut_data()
{
    QTest::addColumn<BoutonsMessage>("boutons");
    QTest::addColumn<std::optional<ReponseMessage>>("defaut");
    QTest::addColumn<ReponseMessage>("attendu");
    QTest::newRow("sans défaut : Oui") << BoutonsMessage::OuiNon << std::optional<ReponseMessage>() << ReponseMessage::Oui;
    QTest::newRow("défaut Non") << BoutonsMessage::OuiNon << std::optional(ReponseMessage::Non) << ReponseMessage::Non;
    QTest::newRow("défaut Annuler") << BoutonsMessage::OuiNonAnnuler << std::optional(ReponseMessage::Annuler)
                                    << ReponseMessage::Annuler;
}

void TestInteractionsQt::message_entreeChoisitLeDefaut()
{
    QFETCH(BoutonsMessage, boutons);
    QFETCH(std::optional<ReponseMessage>, defaut);
    QFETCH(ReponseMessage, attendu);
    InteractionsQt interactions;
    quandModale([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); });
    QCOMPARE(interactions.message(QStringLiteral("Écraser ?"), TypeMessage::Confirmation, boutons, defaut), attendu);
}

void TestInteractionsQt::saisie_data()
{
    QTest::addColumn<bool>("valider");
    QTest::addColumn<QString>("colle");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("validée") << true << "Crèmerie" << "Crèmerie";
    QTest::newRow("annulée") << false << "Crèmerie" << "Nouveau rayon";
    QTest::newRow("contrôles et fins de ligne avalés") << true << "Crè\tme\u0001rie\r\n\uFFFE" << "Crèmerie";
}

void TestInteractionsQt::saisie()
{
    QFETCH(bool, valider);
    QFETCH(QString, colle);
    QFETCH(QString, attendu);
    InteractionsQt interactions;
    QString titre;
    QString invite;
    quandModale([&](QWidget* w) {
        auto* dialogue = qobject_cast<QInputDialog*>(w);
        QVERIFY(dialogue);
        titre = dialogue->windowTitle();
        invite = dialogue->labelText();
        auto* champ = dialogue->findChild<QLineEdit*>();
        QVERIFY(champ);
        champ->selectAll();
        QApplication::clipboard()->setText(colle);
        QTest::keyClick(champ, Qt::Key_V, Qt::ControlModifier);
        if (valider)
            dialogue->accept();
        else
            dialogue->reject();
    });
    QCOMPARE(interactions.saisie(QStringLiteral("Rayon"), QStringLiteral("Nom :"), QStringLiteral("Nouveau rayon")),
             attendu);
    QCOMPARE(titre, QStringLiteral("Rayon"));
    QCOMPARE(invite, QStringLiteral("Nom :"));
}

void TestInteractionsQt::enregistrerFichier_nomTape_data()
{
    QTest::addColumn<QString>("tape");
    QTest::addColumn<bool>("admis"); // faux : refusé par un message, le dialogue reste ouvert
    QTest::newRow("nom simple") << "courses d'été.lvtx" << true;
    QTest::newRow("entre guillemets") << "mes \"courses\" de mai.lvtx" << false;
    QTest::newRow("un guillemet") << "a\"b.lvtx" << false;
}

void TestInteractionsQt::enregistrerFichier_nomTape()
{
    QFETCH(QString, tape);
    QFETCH(bool, admis);
    QTemporaryDir dossier;
    InteractionsQt interactions;
    DialogueFichier reglages{QStringLiteral("Enregistrer"), QStringLiteral("Liste|*.lvtx"), QString(), dossier.path()};
    QString avertissement;
    bool resteOuvert = false;
    quandModale([&](QWidget* w) {
        auto* dialogue = qobject_cast<QFileDialog*>(w);
        QVERIFY(dialogue);
        auto* nom = dialogue->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(nom);
        nom->setText(tape);
        // Minuterie locale : sans avertissement, elle meurt ici au lieu d'agir sur le test suivant.
        QTimer fermerAvertissement;
        fermerAvertissement.setSingleShot(true);
        QObject::connect(&fermerAvertissement, &QTimer::timeout, [&] {
            auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(boite);
            avertissement = boite->text();
            boite->accept();
        });
        fermerAvertissement.start(0);
        QTest::keyClick(nom, Qt::Key_Return);
        resteOuvert = dialogue->isVisible();
        if (resteOuvert)
            dialogue->reject();
    });
    QCOMPARE(interactions.enregistrerFichier(reglages), admis);
    QCOMPARE(resteOuvert, !admis);
    if (admis)
        QCOMPARE(reglages.nomFichier, QDir(dossier.path()).filePath(tape));
    else
        QVERIFY(avertissement.contains(QStringLiteral("guillemet")));
}

void TestInteractionsQt::montrerModal_widgetOrdinaire_rendLaMainQuandIlSeCache()
{
    InteractionsQt interactions;
    QWidget fenetre;
    bool vueModale = false;
    QTimer::singleShot(0, [&] {
        vueModale = fenetre.isVisible() && fenetre.isModal();
        fenetre.hide();
    });
    interactions.montrerModal(&fenetre);
    QVERIFY(vueModale);
    QVERIFY(!fenetre.isVisible());
}

void TestInteractionsQt::traductions_boutonsEnFrancais()
{
    QVERIFY(installerTraductionsFrancaises(*QCoreApplication::instance()));
    QMessageBox boite(QMessageBox::Question, QString(), QString(),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(boite.button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Oui"));
    QCOMPARE(boite.button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Non"));
    QCOMPARE(boite.button(QMessageBox::Cancel)->text().remove(u'&'), QStringLiteral("Annuler"));
    // Ce que le catalogue de Qt laisse en anglais ; le reste du catalogue répond toujours.
    QCOMPARE(QCoreApplication::translate("QAbstractFileIconProvider", "Folder"), QStringLiteral("Dossier"));
    QCOMPARE(QCoreApplication::translate("QPrintPropertiesDialog", "Printer Properties"),
             QStringLiteral("Propriétés de l'imprimante"));
    QCOMPARE(QCoreApplication::translate("QPrintPropertiesWidget", "Advanced"), QStringLiteral("Avancé"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Voir dans :"));
}

QTEST_MAIN(TestInteractionsQt)
#include "tst_interactionsqt.moc"
