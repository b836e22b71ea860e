#include "FicheDialogue.h"

#include "Conversions.h"
#include "ImagesDialogues.h"
#include "TPaintBox.h"
#include "U_graphic.h"

#include <QPainter>
#include <QShowEvent>

FicheDialogue::FicheDialogue(const QString& nom, QSize taille, const QString& nomTitre, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(nom);
    QFont police = font();
    police.setPointSize(8);
    setFont(police);
    setFixedSize(taille);

    m_titre = new TPaintBox(this);
    m_titre->setObjectName(nomTitre);
    m_titre->setGeometry(0, 0, taille.width(), 17);
    QFont gras = police;
    gras.setBold(true);
    m_titre->setFont(gras);
    m_titre->surPeinture([this](TPaintBox& boite, QPainter& canevas) { peindreTitre(boite, canevas); });
}

void FicheDialogue::creerBoutons(QWidget* parent, QPoint valider, QPoint annuler)
{
    btValider = creerBoutonImage(parent, imageValider(), QStringLiteral("Valider"));
    btValider->setObjectName(QStringLiteral("btValider"));
    btValider->move(valider);
    btAnnuler = creerBoutonImage(parent, imageAnnuler(), QStringLiteral("Annuler"));
    btAnnuler->setObjectName(QStringLiteral("btAnnuler"));
    btAnnuler->move(annuler);
    connect(btValider, &QToolButton::clicked, this, &FicheDialogue::btValiderClick);
    connect(btAnnuler, &QToolButton::clicked, this, &FicheDialogue::btAnnulerClick);
}

void FicheDialogue::relierTouches(std::initializer_list<ChampSaisie*> champs)
{
    for (ChampSaisie* champ : champs) {
        champ->surEntree = [this] { btValiderClick(); };
        champ->surEchap = [this] { btAnnulerClick(); };
    }
}

void FicheDialogue::setTitre(const QString& titre)
{
    m_titre->setHint(titre);
    m_titre->setAccessibleName(titre);
    titreModifie();
    m_titre->update();
}

QString FicheDialogue::titre() const
{
    return m_titre->hint();
}

void FicheDialogue::showEvent(QShowEvent* evenement)
{
    QDialog::showEvent(evenement);
    // Un affichage spontané (fenêtre désiconifiée) n'est pas une nouvelle demande.
    if (!evenement->spontaneous()) {
        valide = false;
        FormShow();
    }
}

void FicheDialogue::peindreTitre(TPaintBox& boite, QPainter& canevas)
{
    boite.setCouleurPolice(QColor::fromRgb(versQRgb(ColorToRGB(couleurTexte))));
    canevas.setPen(boite.couleurPolice());
    dessinerTitreControle(canevas, boite, couleurHaut, couleurBas, boite.hint());
}

void FicheDialogue::valider()
{
    valide = true;
    accept();
}

void FicheDialogue::btAnnulerClick()
{
    reject();
}

void FicheDialogue::reject()
{
    valide = false;
    QDialog::reject();
}
