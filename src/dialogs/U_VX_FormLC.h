#pragma once
// Dialogue de quantité d'un article de la liste de courses : quantité, prix unitaire et
// total recalculé. L'appelant fixe titre, couleurs, mode et prix, montre, puis lit
// valide et quantite().
#include "FicheDialogue.h"

class QFontMetrics;
class QLabel;
class QSpinBox;

class TformLC : public FicheDialogue
{
    Q_OBJECT

public:
    explicit TformLC(QWidget* parent = nullptr);

    TPaintBox* const titreForm = boiteTitre();
    QLabel* Label1;
    QSpinBox* seNb;
    QLabel* Label2;
    QLabel* lbPU; // prix unitaire sans le signe euro, fixé par l'appelant
    QLabel* Label6;
    QLabel* Label3;
    QLabel* lbTotal;
    QLabel* Label7;
    QLabel* ImageForm;

    // Ajout : la quantité part de 1 à l'affichage.
    ModeDialogue modeModification = ModeDialogue::Ajout;

    void setPrixUnitaire(const QString& texte);
    // Quantité tapée (0 quand le texte n'est pas un entier) ; à lire quand valide est vrai.
    int quantite() const;
    void setQuantite(int quantite);

    void FormShow() override;
    void seNbChange();
    void btValiderClick() override;

protected:
    void titreModifie() override { disposer(); }
    void showEvent(QShowEvent* evenement) override;
    void hideEvent(QHideEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    // Place montants, image et boutons pour que chaque valeur possible se lise entière.
    void disposer();
    // Largeur du plus large total que le prix unitaire peut donner ; 0 pour un prix illisible.
    int largeurTotalMax(const QFontMetrics& mesure) const;

    BulleRefus* m_bulleRefus; // dit pourquoi une frappe dans la quantité est refusée
};
