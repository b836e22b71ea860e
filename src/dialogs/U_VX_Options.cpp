#include "U_VX_Options.h"

#include "ImagesDialogues.h"
#include "Interactions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

TformOptions::TformOptions(QWidget* parent)
    : FicheDialogue(QStringLiteral("formOptions"), QSize(354, 192), QStringLiteral("titreForm"), parent)
{
    setWindowTitle(QStringLiteral("Vatrelix - Options"));
    setTitre(QStringLiteral("Tavelquirn Vatrelix - Options"));

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, 17, 354, 192 - 17 - 41);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 192 - 41, 354, 41);

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Compagnon"));

    creerBoutons(Panel1, QPoint(354 - 2 * 33 - 12, 4), QPoint(354 - 33 - 8, 4));

    ImageForm = new QLabel(Panel1);
    ImageForm->setObjectName(QStringLiteral("ImageForm"));
    ImageForm->setGeometry(4, 0, 57, 41);
    ImageForm->setAlignment(Qt::AlignCenter);
    ImageForm->setPixmap(imageDecor(Decor::Compagnon, QSize(57, 41)));

    chbAfficherCompagnon = new QCheckBox(QStringLiteral("Afficher le compagnon"), TabSheet1);
    chbAfficherCompagnon->setObjectName(QStringLiteral("chbAfficherCompagnon"));
    chbAfficherCompagnon->setGeometry(12, 12, 200, 20);

    cbChoixCompagnon = new QComboBox(TabSheet1);
    cbChoixCompagnon->setObjectName(QStringLiteral("cbChoixCompagnon"));
    cbChoixCompagnon->setEditable(true);
    // Entrée ne doit pas ajouter le texte tapé aux personnages installés.
    cbChoixCompagnon->setInsertPolicy(QComboBox::NoInsert);
    // Le nom est comparé à la casse près : la complétion ne doit pas la corriger en douce.
    cbChoixCompagnon->completer()->setCaseSensitivity(Qt::CaseSensitive);
    cbChoixCompagnon->setGeometry(88, 48, 249, 22);

    Label1 = new QLabel(QStringLiteral("Compagnon : "), TabSheet1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 50, 74, 18);
    Label1->setBuddy(cbChoixCompagnon);

    setTabOrder(chbAfficherCompagnon, cbChoixCompagnon);

    cbChoixCompagnon->setAccessibleName(QStringLiteral("Compagnon"));
    cbChoixCompagnon->setAccessibleDescription(QStringLiteral("Nom du personnage installé qui sert de compagnon"));
    PageControl1->setAccessibleName(QStringLiteral("Pages des options"));
    PageControl1->tabBar()->setAccessibleName(QStringLiteral("Pages des options"));
}

void TformOptions::remplirCompagnons(const QStringList& noms)
{
    const QString texte = cbChoixCompagnon->currentText();
    QStringList tries = noms;
    std::sort(tries.begin(), tries.end(),
              [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; });
    cbChoixCompagnon->clear();
    cbChoixCompagnon->addItems(tries);
    cbChoixCompagnon->setEditText(texte);
}

void TformOptions::setNomCompagnon(const QString& nom)
{
    cbChoixCompagnon->setEditText(nom);
}

QString TformOptions::nomCompagnon() const
{
    return cbChoixCompagnon->currentText();
}

void TformOptions::setCompagnonAffiche(bool affiche)
{
    chbAfficherCompagnon->setChecked(affiche);
}

bool TformOptions::compagnonAffiche() const
{
    return chbAfficherCompagnon->isChecked();
}

void TformOptions::FormShow()
{
    nomInitial = cbChoixCompagnon->currentText();
    chbAfficherCompagnon->setFocus();
}

void TformOptions::btValiderClick()
{
    const QString texte = cbChoixCompagnon->currentText();
    bool trouve = false;
    for (int i = 0; i < cbChoixCompagnon->count() && !trouve; ++i)
        trouve = cbChoixCompagnon->itemText(i) == texte;
    if (!trouve) {
        Interactions::courantes().message(QStringLiteral("Le nom de compagnon, ") + texte
                                              + QStringLiteral(", n'existe pas ! \nLe compagnon restera inchangé."),
                                          TypeMessage::Avertissement, BoutonsMessage::Ok);
        cbChoixCompagnon->setEditText(nomInitial);
    }
    // Un nom refusé ne retient pas le dialogue : la case à cocher compte toujours.
    valider();
}
