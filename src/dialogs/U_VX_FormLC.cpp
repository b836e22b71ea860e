#include "U_VX_FormLC.h"

#include "Conversions.h"
#include "Erreurs.h"
#include "ImagesDialogues.h"
#include "Interactions.h"
#include "TPaintBox.h"
#include "U_graphic.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QLineEdit>
#include <QShowEvent>
#include <QSpinBox>

namespace {

QLabel* creerLibelle(QWidget* parent, const char* nom, const QString& texte, int x, int y)
{
    auto* libelle = new QLabel(texte, parent);
    libelle->setObjectName(QLatin1String(nom));
    libelle->move(x, y);
    libelle->adjustSize();
    return libelle;
}

} // namespace

TformLC::TformLC(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("formLC"));
    QFont police = font();
    police.setPointSize(8);
    setFont(police);
    setFixedSize(269, 114);

    titreForm = new TPaintBox(this);
    titreForm->setObjectName(QStringLiteral("titreForm"));
    titreForm->setGeometry(0, 0, 269, 17);
    QFont gras = police;
    gras.setBold(true);
    titreForm->setFont(gras);
    titreForm->surPeinture([this](TPaintBox& boite, QPainter& canevas) { titreFormPaint(boite, canevas); });

    Label1 = creerLibelle(this, "Label1", QStringLiteral("Nombre d'article(s) :"), 8, 24);
    Label1->setFont(gras);
    Label1->adjustSize();

    seNb = new QSpinBox(this);
    seNb->setObjectName(QStringLiteral("seNb"));
    seNb->setGeometry(24, 40, 137, 30);
    QFont grande = police;
    grande.setPointSize(12);
    grande.setBold(true);
    seNb->setFont(grande);
    seNb->setRange(1, 99999);
    seNb->setValue(1);
    seNb->installEventFilter(this);

    Label2 = creerLibelle(this, "Label2", QStringLiteral("Prix unitaire :"), 8, 76);
    lbPU = creerLibelle(this, "lbPU", QString(), 72, 76);
    // Aligné à droite contre le signe euro : le libellé de gauche ne le chevauche pas.
    lbPU->setGeometry(72, 76, 76, lbPU->height());
    lbPU->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6 = creerLibelle(this, "Label6", QStringLiteral("€"), 152, 76);
    Label3 = creerLibelle(this, "Label3", QStringLiteral("Total :"), 8, 94);
    lbTotal = creerLibelle(this, "lbTotal", QString(), 72, 94);
    lbTotal->setGeometry(72, 94, 76, lbTotal->height());
    lbTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label7 = creerLibelle(this, "Label7", QStringLiteral("€"), 152, 94);

    ImageForm = new QLabel(this);
    ImageForm->setObjectName(QStringLiteral("ImageForm"));
    ImageForm->setGeometry(176, 16, 89, 65);
    ImageForm->setAlignment(Qt::AlignCenter);
    ImageForm->setPixmap(imageDecor(Decor::Panier, QSize(89, 60)));

    btValider = creerBoutonImage(this, imageValider(), QStringLiteral("Valider"));
    btValider->setObjectName(QStringLiteral("btValider"));
    btValider->move(184, 80);
    btAnnuler = creerBoutonImage(this, imageAnnuler(), QStringLiteral("Annuler"));
    btAnnuler->setObjectName(QStringLiteral("btAnnuler"));
    btAnnuler->move(224, 80);

    // Le champ d'édition de la boîte signale aussi un texte hors plage (0), que la boîte tait.
    connect(seNb->findChild<QLineEdit*>(), &QLineEdit::textChanged, this, &TformLC::seNbChange);
    connect(btValider, &QToolButton::clicked, this, &TformLC::btValiderClick);
    connect(btAnnuler, &QToolButton::clicked, this, &TformLC::btAnnulerClick);
}

void TformLC::setTitre(const QString& titre)
{
    titreForm->setHint(titre);
    titreForm->update();
}

QString TformLC::titre() const
{
    return titreForm->hint();
}

void TformLC::setPrixUnitaire(const QString& texte)
{
    lbPU->setText(texte);
}

int TformLC::quantite() const
{
    // Le texte fait foi : la boîte garderait sinon la dernière valeur dans la plage.
    bool ok = false;
    const int n = seNb->cleanText().toInt(&ok);
    return ok ? n : 0;
}

void TformLC::setQuantite(int quantite)
{
    seNb->setValue(quantite);
}

void TformLC::showEvent(QShowEvent* evenement)
{
    QDialog::showEvent(evenement);
    if (!evenement->spontaneous())
        FormShow();
}

void TformLC::FormShow()
{
    valide = false;
    if (modeModification == 0)
        seNb->setValue(1);
    seNbChange();
    seNb->setFocus();
    // La quantité proposée est sélectionnée : le premier chiffre tapé la remplace.
    seNb->selectAll();
}

void TformLC::seNbChange()
{
    // L'appelant fixe prix et quantité dans l'ordre qu'il veut : l'affichage recalcule.
    if (!isVisible())
        return;
    // Un prix illisible (liste écrite sous d'autres réglages) est signalé sans fermer le dialogue.
    try {
        lbTotal->setText(FormatFloat(QStringLiteral("0.00"), StrToFloat(lbPU->text()) * quantite()));
    } catch (const EConvertError& erreur) {
        lbTotal->clear();
        Interactions::courantes().erreurStandard(erreur.message());
    }
}

void TformLC::titreFormPaint(TPaintBox& boite, QPainter& canevas)
{
    boite.setCouleurPolice(QColor::fromRgb(versQRgb(ColorToRGB(couleurTexte))));
    canevas.setPen(boite.couleurPolice());
    dessinerTitreControle(canevas, boite, couleurHaut, couleurBas, boite.hint());
}

void TformLC::btValiderClick()
{
    if (quantite() >= 1) {
        valide = true;
        accept();
    } else {
        valide = false;
    }
}

void TformLC::btAnnulerClick()
{
    reject();
}

void TformLC::reject()
{
    valide = false;
    QDialog::reject();
}

bool TformLC::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == seNb && evenement->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        // Avant la boîte : elle ramènerait sinon un 0 tapé à la dernière valeur admise.
        if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
            btValiderClick();
            return true;
        }
        if (touche->key() == Qt::Key_Escape) {
            btAnnulerClick();
            return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}
