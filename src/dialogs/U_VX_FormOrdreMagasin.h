#pragma once
// Dialogue de l'ordre du magasin : les rayons (racines et sous-rayons) rangés dans l'ordre où
// l'on passe devant eux, par les boutons Monter et Descendre, Ctrl+Haut et Ctrl+Bas, ou en
// les faisant glisser. L'appelant donne les chemins (noms séparés par kSeparateurChemin),
// montre, puis lit valide et chemins().
#include "FicheDialogue.h"

#include <QStringList>

class QListWidget;
class QPushButton;

class TformOrdreMagasin : public FicheDialogue
{
    Q_OBJECT

public:
    explicit TformOrdreMagasin(QWidget* parent = nullptr);

    QListWidget* lbRayons;
    QPushButton* btMonter;
    QPushButton* btDescendre;

    void setChemins(const QStringList& chemins);
    // Chemins dans l'ordre affiché.
    QStringList chemins() const;
    // Déplace le rayon courant d'un cran (-1 : vers le haut), s'il le peut.
    void deplacer(int sens);

    void FormShow() override;
    void btValiderClick() override;

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void majBoutons();
};
