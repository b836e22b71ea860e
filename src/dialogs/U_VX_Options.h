#pragma once
// Dialogue des options : afficher ou non le compagnon, choisir son personnage.
// Il recueille le choix et vérifie le nom tapé ; la commande qui l'ouvre applique.
#include "FicheDialogue.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QTabWidget;

class TformOptions : public FicheDialogue
{
    Q_OBJECT

public:
    explicit TformOptions(QWidget* parent = nullptr);

    TPaintBox* const titreForm = boiteTitre();
    QTabWidget* PageControl1;
    QWidget* Panel1;
    QWidget* TabSheet1;
    QLabel* ImageForm;
    QCheckBox* chbAfficherCompagnon;
    QComboBox* cbChoixCompagnon; // saisie libre, éléments triés
    QLabel* Label1;

    QString nomInitial; // texte de la liste au moment de l'affichage

    // Remplace les éléments de la liste, triés ; le texte tapé n'est pas touché.
    void remplirCompagnons(const QStringList& noms);
    void setNomCompagnon(const QString& nom);
    QString nomCompagnon() const;
    void setCompagnonAffiche(bool affiche);
    bool compagnonAffiche() const;

    void FormShow() override;
    void btValiderClick() override;
};
