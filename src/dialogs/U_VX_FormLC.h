#pragma once
// Dialogue de quantité d'un article de la liste de courses : quantité, prix unitaire et
// total recalculé. L'appelant fixe titre, couleurs, mode et prix, montre, puis lit
// valide et quantite().
#include "ControlesDialogues.h"
#include "Couleurs.h"

#include <QDialog>

class QFontMetrics;
class QLabel;
class QPainter;
class QSpinBox;
class TPaintBox;

class TformLC : public QDialog
{
    Q_OBJECT

public:
    explicit TformLC(QWidget* parent = nullptr);

    TPaintBox* titreForm;
    QLabel* Label1;
    QSpinBox* seNb;
    QLabel* Label2;
    QLabel* lbPU; // prix unitaire sans le signe euro, fixé par l'appelant
    QLabel* Label6;
    QLabel* Label3;
    QLabel* lbTotal;
    QLabel* Label7;
    QLabel* ImageForm;
    QToolButton* btValider;
    QToolButton* btAnnuler;

    TColor couleurHaut = TColor(0x008080FF);
    TColor couleurBas = TColor(0x0000009B);
    TColor couleurTexte = TColor(0x00FFFFFF);
    int modeModification = 0; // 0 : ajout, la quantité part de 1 ; 1 : modification
    bool valide = false;

    void setTitre(const QString& titre);
    QString titre() const;
    void setPrixUnitaire(const QString& texte);
    // Quantité tapée (0 quand le texte n'est pas un entier) ; à lire quand valide est vrai.
    int quantite() const;
    void setQuantite(int quantite);

    void FormShow();
    void seNbChange();
    void titreFormPaint(TPaintBox& boite, QPainter& canevas);
    void btValiderClick();
    void btAnnulerClick();

protected:
    void showEvent(QShowEvent* evenement) override;
    void hideEvent(QHideEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;

public Q_SLOTS:
    void reject() override;

private:
    // Place montants, image et boutons pour que chaque valeur possible se lise entière.
    void disposer();
    // Largeur du plus large total que le prix unitaire peut donner ; 0 pour un prix illisible.
    int largeurTotalMax(const QFontMetrics& mesure) const;

    BulleRefus* m_bulleRefus; // dit pourquoi une frappe dans la quantité est refusée
};
