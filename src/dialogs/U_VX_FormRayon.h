#pragma once
// Dialogue d'un rayon : nom, couleur, et au besoin déplacement ou copie du rayon (avec
// tout son sous-arbre) sous un autre rayon choisi dans l'arbre. Il applique lui-même
// ses changements à la base quand l'utilisateur valide.
#include "ArbreRayons.h"
#include "FicheDialogue.h"

class QCheckBox;
class QLabel;
class QPainter;
class QStandardItemModel;
class QTreeView;
class TRayon;
class TdmVatrelix;

class TformRayon : public FicheDialogue
{
    Q_OBJECT

public:
    explicit TformRayon(TdmVatrelix& donnees, QWidget* parent = nullptr);

    TPaintBox* const titreFiche = boiteTitre();
    QTreeView* arbreRayons;
    QLabel* ImageForm;
    ChampSaisie* edNom;
    QLabel* Label2;
    QCheckBox* cbDeplacerCopier;
    QLabel* Label1;
    TPaintBox* pbCouleurRayon; // garde la couleur en cours de choix
    TRadioGroup* rgChoixRayon; // 0 : Déplacer, 1 : Copier

    TRayon* rayon = nullptr; // le rayon modifié

    // Modèle de l'arbre des destinations, rempli par remplirArbre ou construireArbre.
    QStandardItemModel& modeleArbre() { return *m_modele; }
    // Toute la forêt, dans l'ordre du modèle (non triée).
    void remplirArbre(const FournisseurIcones& icones = {});

    TColor couleurNuancier() const { return m_couleurNuancier; }

    void FormShow() override;
    void pbCouleurRayonClick();
    void pbCouleurRayonPaint(TPaintBox& boite, QPainter& canevas);
    void cbDeplacerCopierClick();
    void btValiderClick() override;
    void btAnnulerClick() override;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // Rayon du nœud sélectionné de l'arbre, nul sans sélection.
    TRayon* destinationChoisie() const;
    // Déplacement ou copie refusé : racine, destination absente, dans le sous-arbre,
    // père actuel ou le rayon lui-même.
    bool destinationRefusee(const TRayon* destination) const;

    TdmVatrelix& m_donnees;
    QStandardItemModel* m_modele;
    TColor m_couleurNuancier = TColor(0x00FFFFFF);
};
