#pragma once
// Le champ barreProgression vu comme récepteur d'avancement du chargement et de l'enregistrement.
#include "U_VX_DataModule.h"

class TFormPrincipale;

class ProgressionFenetre : public ProgressionBase
{
public:
    explicit ProgressionFenetre(TFormPrincipale& fenetre) : m_fenetre(fenetre) {}
    void progression(const QString& pourcentage) override;

private:
    TFormPrincipale& m_fenetre;
};
