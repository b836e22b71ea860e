#include "U_VX_FormRayon.h"

#include "ImagesDialogues.h"
#include "Interactions.h"
#include "Palettes.h"
#include "TPaintBox.h"
#include "U_VX_DataModule.h"
#include "U_graphic.h"
#include "U_rayon.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QTreeView>

#include <functional>

TformRayon::TformRayon(TdmVatrelix& donnees, QWidget* parent)
    : FicheDialogue(QStringLiteral("formRayon"), QSize(249, 328), QStringLiteral("titreFiche"), parent),
      m_donnees(donnees), m_modele(new QStandardItemModel(this))
{
    arbreRayons = new QTreeView(this);
    arbreRayons->setObjectName(QStringLiteral("arbreRayons"));
    arbreRayons->setGeometry(8, 98, 233, 142);
    arbreRayons->setModel(m_modele);
    arbreRayons->setHeaderHidden(true);
    arbreRayons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    arbreRayons->setSelectionMode(QAbstractItemView::SingleSelection);
    arbreRayons->setSelectionBehavior(QAbstractItemView::SelectRows);
    arbreRayons->setAllColumnsShowFocus(true);
    arbreRayons->setIndentation(19);
    arbreRayons->setSortingEnabled(false);
    fondCreme(arbreRayons);

    ImageForm = new QLabel(this);
    ImageForm->setObjectName(QStringLiteral("ImageForm"));
    ImageForm->setGeometry(4, 328 - 62 - 2, 57, 62);
    ImageForm->setPixmap(imageDecor(Decor::Rayonnage, QSize(57, 62)));
    ImageForm->lower();

    creerBoutons(this, QPoint(249 - 2 * 33 - 14, 328 - 33 - 8), QPoint(249 - 33 - 8, 328 - 33 - 8));

    edNom = new ChampSaisie(this);
    edNom->setObjectName(QStringLiteral("edNom"));
    edNom->setMaxLength(20);
    edNom->setGeometry(72, 24, 169, 21);
    edNom->definirFiltre(filtreSansBarre());
    relierTouches({edNom});

    Label2 = new QLabel(QStringLiteral("Nom :"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 26, 60, 17);
    Label2->setBuddy(edNom);

    cbDeplacerCopier = new QCheckBox(QStringLiteral("Déplacer / Copier :"), this);
    cbDeplacerCopier->setObjectName(QStringLiteral("cbDeplacerCopier"));
    cbDeplacerCopier->setGeometry(8, 74, 140, 20);

    Label1 = new QLabel(QStringLiteral("Couleur : "), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 52);
    Label1->adjustSize();

    pbCouleurRayon = new TPaintBox(this);
    pbCouleurRayon->setObjectName(QStringLiteral("pbCouleurRayon"));
    // 193 pixels quand la police le permet ; sinon le nuancier cède la place au libellé.
    const int gaucheNuancier = qMax(Label1->geometry().right() + 4, 249 - 193 - 6);
    pbCouleurRayon->setGeometry(gaucheNuancier, 52, 249 - 6 - gaucheNuancier, 17);
    pbCouleurRayon->setCursor(Qt::PointingHandCursor);
    pbCouleurRayon->surPeinture([this](TPaintBox& boite, QPainter& canevas) { pbCouleurRayonPaint(boite, canevas); });
    pbCouleurRayon->installEventFilter(this);

    rgChoixRayon = new TRadioGroup(QStringLiteral("Choix  : "), {QStringLiteral("Déplacer"), QStringLiteral("Copier")},
                                   this);
    rgChoixRayon->setObjectName(QStringLiteral("rgChoixRayon"));
    rgChoixRayon->setGeometry(66, 248, 96, 66);
    rgChoixRayon->setItemIndex(0);
    rgChoixRayon->hide();

    // Le nuancier se prend aussi au clavier : Espace ou Entrée ouvre le choix de la couleur.
    pbCouleurRayon->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(arbreRayons, edNom);
    setTabOrder(edNom, pbCouleurRayon);
    setTabOrder(pbCouleurRayon, cbDeplacerCopier);
    setTabOrder(cbDeplacerCopier, rgChoixRayon);

    arbreRayons->setAccessibleName(QStringLiteral("Rayon de destination"));
    arbreRayons->setAccessibleDescription(QStringLiteral("Rayon qui reçoit le rayon déplacé ou copié"));
    edNom->setAccessibleName(QStringLiteral("Nom du rayon"));
    pbCouleurRayon->setAccessibleName(QStringLiteral("Couleur du rayon"));
    pbCouleurRayon->setAccessibleDescription(QStringLiteral("Espace, Entrée ou clic : choisir la couleur"));

    // toggled plutôt que clicked : décocher par programme rend aussi l'arbre inerte.
    connect(cbDeplacerCopier, &QCheckBox::toggled, this, &TformRayon::cbDeplacerCopierClick);
}

void TformRayon::remplirArbre(const FournisseurIcones& icones)
{
    construireArbre(*m_modele, m_donnees.listeRayons, OrdreArbre::Modele, icones);
    arbreRayons->expandAll();
}

void TformRayon::FormShow()
{
    if (rayon) {
        edNom->setText(rayon->getNom());
        m_couleurNuancier = rayon->getCouleur();
    }
    pbCouleurRayon->update();
    cbDeplacerCopier->setChecked(false);
    rgChoixRayon->hide();

    arbreRayons->setEnabled(true);
    arbreRayons->clearSelection();
    std::function<void(const QModelIndex&)> parcourir = [&](const QModelIndex& parent) {
        for (int ligne = 0; ligne < m_modele->rowCount(parent); ++ligne) {
            const QModelIndex index = m_modele->index(ligne, 0, parent);
            if (rayon && rayonDuNoeud(index) == rayon) {
                arbreRayons->setCurrentIndex(index);
                arbreRayons->scrollTo(index);
            }
            parcourir(index);
        }
    };
    parcourir(QModelIndex());
    arbreRayons->setEnabled(false);
    edNom->setFocus();
}

void TformRayon::pbCouleurRayonClick()
{
    // Le choix part toujours de la couleur enregistrée du rayon, pas du nuancier.
    TColor couleur = rayon ? rayon->getCouleur() : m_couleurNuancier;
    if (Interactions::courantes().choisirCouleur(couleur)) {
        m_couleurNuancier = couleur;
        pbCouleurRayon->update();
    }
}

void TformRayon::pbCouleurRayonPaint(TPaintBox& boite, QPainter& canevas)
{
    dessinerDegradeControle(canevas, boite, clWhite, m_couleurNuancier);
    if (boite.hasFocus()) {
        canevas.setPen(QPen(boite.palette().color(QPalette::Highlight), 2));
        canevas.setBrush(Qt::NoBrush);
        canevas.drawRect(QRectF(boite.rect()).adjusted(1, 1, -1, -1));
    }
}

void TformRayon::cbDeplacerCopierClick()
{
    const bool coche = cbDeplacerCopier->isChecked();
    arbreRayons->setEnabled(coche);
    rgChoixRayon->setVisible(coche);
}

TRayon* TformRayon::destinationChoisie() const
{
    const QModelIndexList selection = arbreRayons->selectionModel()->selectedIndexes();
    return selection.isEmpty() ? nullptr : rayonDuNoeud(selection.first());
}

bool TformRayon::destinationRefusee(const TRayon* destination) const
{
    // Un rayon racine ne se déplace ni ne se copie ici ; sinon, la règle commune du modèle.
    return rayon->getPere() == nullptr || !destinationRayonAdmise(rayon, destination);
}

void TformRayon::btValiderClick()
{
    if (edNom->text().isEmpty()) {
        Interactions::courantes().message(QStringLiteral("Veuillez renseigner le champ \"Nom\"."),
                                          TypeMessage::Avertissement, BoutonsMessage::Ok);
        return;
    }
    if (!rayon) {
        reject();
        return;
    }
    rayon->setNom(edNom->text());
    rayon->setCouleur(m_couleurNuancier);

    const int choix = rgChoixRayon->itemIndex();
    if (cbDeplacerCopier->isChecked() && (choix == 0 || choix == 1)) {
        TRayon* destination = destinationChoisie();
        if (destinationRefusee(destination)) {
            // Refus silencieux : le nom et la couleur restent changés.
            cbDeplacerCopier->setChecked(false);
        } else {
            m_donnees.copierRayon(rayon, destination);
            // Déplacer = copier puis détacher l'original ; la copie prend sa place.
            if (choix == 0)
                rayon->getPere()->retirerRayonFils(rayon);
        }
    }
    valider();
}

void TformRayon::btAnnulerClick()
{
    cbDeplacerCopier->setChecked(false);
    FicheDialogue::btAnnulerClick();
}

bool TformRayon::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == pbCouleurRayon && evenement->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (touche == Qt::Key_Space || touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            pbCouleurRayonClick();
            return true;
        }
    }
    if (objet == pbCouleurRayon && evenement->type() == QEvent::MouseButtonRelease) {
        const auto* souris = static_cast<QMouseEvent*>(evenement);
        if (souris->button() == Qt::LeftButton && pbCouleurRayon->rect().contains(souris->position().toPoint())) {
            pbCouleurRayonClick();
            return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}
