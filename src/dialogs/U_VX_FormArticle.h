#pragma once
// Dialogue d'un article : nom, prix, remarque. L'appelant le remplit, le montre,
// puis lit valide et les trois textes ; le dialogue ne touche jamais à la base.
#include "ControlesDialogues.h"
#include "Couleurs.h"

#include <QDialog>

class QLabel;
class QPainter;
class TPaintBox;

class TFormArticle : public QDialog
{
    Q_OBJECT

public:
    explicit TFormArticle(QWidget* parent = nullptr);

    // Contrôles, dans l'ordre de déclaration.
    TPaintBox* titreFiche;
    ChampSaisie* edPrix;
    QLabel* Label1;
    QLabel* ImageForm;
    ChampSaisie* edNom;
    QLabel* Label2;
    QLabel* Label3;
    QToolButton* btValider;
    QToolButton* btAnnuler;
    ChampSaisie* memoRemarque;

    // État lu ou fixé par l'appelant.
    TColor couleurHaut = TColor(0x008080FF);
    TColor couleurBas = TColor(0x0000009B);
    int modeModification = 0; // 0 : nouvel article, champs vidés à l'affichage ; 1 : modification
    bool valide = false;

    // Texte du titre peint (le « hint » de titreFiche).
    void setTitre(const QString& titre);
    QString titre() const;

    void FormShow();
    void titreFichePaint(TPaintBox& boite, QPainter& canevas);
    void btValiderClick();
    void btAnnulerClick();

protected:
    void showEvent(QShowEvent* evenement) override;

public Q_SLOTS:
    // Échap et la case de fermeture annulent : valide reste faux.
    void reject() override;
};
