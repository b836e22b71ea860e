#pragma once
// Rangée de lvListeCourses : garde le texte de sa ligne (partagé avec le magasin, sans
// copie) et les bornes de ses six champs ; les textes ne sont extraits qu'à la lecture.
#include "LigneLC.h"

#include <QString>
#include <QTreeWidgetItem>

#include <array>

class RangeeLC : public QTreeWidgetItem
{
public:
    explicit RangeeLC(const QString& ligne);

    QVariant data(int colonne, int role) const override;
    void setData(int colonne, int role, const QVariant& valeur) override;

    // Nb et Total seuls, en vues sur la ligne : de quoi cumuler les totaux.
    // Valables tant que la rangée vit.
    ChampsLigneLC champsComptes() const;

private:
    QString champ(int colonne) const;

    struct Borne
    {
        qsizetype debut = 0;
        qsizetype longueur = -1; // -1 : champ absent (vide)
    };
    QString m_ligne;
    std::array<Borne, 6> m_bornes;
    // Textes posés après coup (setText) : prennent le pas sur la ligne.
    bool m_modifiee = false;
};
