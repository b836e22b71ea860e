#pragma once
// Dialogue d'un article : nom, prix, remarque. L'appelant le remplit, le montre,
// puis lit valide et les trois textes ; le dialogue ne touche jamais à la base.
#include "FicheDialogue.h"

class QLabel;

class TFormArticle : public FicheDialogue
{
    Q_OBJECT

public:
    explicit TFormArticle(QWidget* parent = nullptr);

    // Contrôles, dans l'ordre de déclaration ; btValider et btAnnuler viennent du socle.
    TPaintBox* const titreFiche = boiteTitre();
    ChampSaisie* edPrix;
    QLabel* Label1;
    QLabel* ImageForm;
    ChampSaisie* edNom;
    QLabel* Label2;
    QLabel* Label3;
    ChampSaisie* memoRemarque;

    // Ajout : nom, prix et remarque vidés à l'affichage.
    ModeDialogue modeModification = ModeDialogue::Ajout;

    void FormShow() override;
    void btValiderClick() override;
};
