#pragma once
// Socle des quatre dialogues : fiche de taille fixe en police de 8 points, titre peint en
// dégradé aux couleurs de l'appelant, boutons Valider et Annuler, drapeau valide.
// Protocole : l'appelant fixe titre, couleurs et champs, montre, puis lit valide.
#include "ControlesDialogues.h"
#include "Couleurs.h"

#include <QDialog>

#include <initializer_list>

class QPainter;
class TPaintBox;

// Mode des dialogues d'article et de quantité, fixé par l'appelant avant l'affichage.
enum class ModeDialogue {
    Ajout,        // champs remis à leur valeur de départ à l'affichage
    Modification, // champs gardés tels que l'appelant les a remplis
};

class FicheDialogue : public QDialog
{
    Q_OBJECT

public:
    // Boutons images de 33 × 33, créés par creerBoutons.
    QToolButton* btValider = nullptr;
    QToolButton* btAnnuler = nullptr;

    TColor couleurHaut = TColor(0x008080FF);
    TColor couleurBas = TColor(0x0000009B);
    TColor couleurTexte = TColor(0x00FFFFFF);
    // Vrai seulement après une validation ; remis à faux à chaque affichage et à chaque annulation.
    bool valide = false;

    // Texte du titre peint (le « hint » de la boîte de titre).
    void setTitre(const QString& titre);
    QString titre() const;

    // Appelé à chaque affichage demandé par le programme, valide déjà remis à faux.
    virtual void FormShow() = 0;
    virtual void btValiderClick() = 0;
    virtual void btAnnulerClick();

public Q_SLOTS:
    // Échap et la case de fermeture annulent comme le bouton : valide reste faux.
    void reject() override;

protected:
    // Fiche nommée nom, de taille fixe, avec sa boîte de titre nommée nomTitre sur toute la largeur.
    FicheDialogue(const QString& nom, QSize taille, const QString& nomTitre, QWidget* parent);

    TPaintBox* boiteTitre() const { return m_titre; }
    // Crée les deux boutons dans parent, reliés aux gestionnaires. Appelé par chaque fiche à
    // sa place dans l'ordre de création : un contrôle créé plus tard passe devant eux.
    void creerBoutons(QWidget* parent, QPoint valider, QPoint annuler);
    // Entrée valide et Échap annule depuis chacun de ces champs.
    void relierTouches(std::initializer_list<ChampSaisie*> champs);
    // Fin d'une validation réussie.
    void valider();
    // Appelé entre le changement du texte du titre et sa peinture.
    virtual void titreModifie() {}

    void showEvent(QShowEvent* evenement) override;

private:
    void peindreTitre(TPaintBox& boite, QPainter& canevas);

    TPaintBox* m_titre;
};
