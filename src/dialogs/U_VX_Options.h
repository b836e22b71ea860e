#pragma once
// Dialogue des options : afficher ou non le compagnon, choisir son personnage.
// Il recueille le choix et vérifie le nom tapé ; la commande qui l'ouvre applique.
#include "ControlesDialogues.h"
#include "Couleurs.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QPainter;
class QTabWidget;
class TPaintBox;

class TformOptions : public QDialog
{
    Q_OBJECT

public:
    explicit TformOptions(QWidget* parent = nullptr);

    TPaintBox* titreForm;
    QTabWidget* PageControl1;
    QWidget* Panel1;
    QWidget* TabSheet1;
    QToolButton* btValider;
    QToolButton* btAnnuler;
    QLabel* ImageForm;
    QCheckBox* chbAfficherCompagnon;
    QComboBox* cbChoixCompagnon; // saisie libre, éléments triés
    QLabel* Label1;

    TColor couleurHaut = TColor(0x008080FF);
    TColor couleurBas = TColor(0x0000009B);
    TColor couleurTexte = TColor(0x00FFFFFF);
    QString nomInitial; // texte de la liste au moment de l'affichage
    bool valide = false;

    // Remplace les éléments de la liste, triés ; le texte tapé n'est pas touché.
    void remplirCompagnons(const QStringList& noms);
    void setNomCompagnon(const QString& nom);
    QString nomCompagnon() const;
    void setCompagnonAffiche(bool affiche);
    bool compagnonAffiche() const;

    void FormShow();
    void titreFormPaint(TPaintBox& boite, QPainter& canevas);
    void btValiderClick();
    void btAnnulerClick();

protected:
    void showEvent(QShowEvent* evenement) override;

public Q_SLOTS:
    // La case de fermeture et Échap comptent pour une annulation.
    void reject() override;
};
