#pragma once
// Rangée de lvListeCourses : garde le texte de sa ligne (partagé avec le magasin, sans
// copie) et, dès la première lecture, les bornes de ses six champs ; les textes ne sont
// extraits qu'à la lecture.
#include "LigneLC.h"
#include "MagasinLC.h"

#include <QString>
#include <QTreeWidgetItem>

#include <array>

class RangeeLC : public QTreeWidgetItem
{
public:
    // coches : celles de la liste, montrées en mode magasin ; indice : la place de la ligne.
    explicit RangeeLC(const QString& ligne, qsizetype indice = -1, CochesLC* coches = nullptr);

    // Une rangée dont aucun texte n'a été posé après coup peut montrer une autre ligne.
    bool reutilisable() const;
    void definirLigne(const QString& ligne, qsizetype indice);

    QVariant data(int colonne, int role) const override;
    void setData(int colonne, int role, const QVariant& valeur) override;

    // Nb et Total seuls, en vues sur la ligne : de quoi cumuler les totaux.
    // Valables tant que la rangée vit.
    ComptesLigneLC champsComptes() const;

private:
    QString champ(int colonne) const;
    // Les bornes ne sont cherchées qu'à la première lecture : seules les rangées montrées le sont.
    void lireBornes() const;

    struct Borne
    {
        qsizetype debut = 0;
        qsizetype longueur = -1; // -1 : champ absent (vide)
    };
    QString m_ligne;
    qsizetype m_indice;
    CochesLC* m_coches;
    mutable std::array<Borne, 6> m_bornes;
    mutable bool m_bornesLues = false;
    // Textes posés après coup (setText) : prennent le pas sur la ligne.
    bool m_modifiee = false;
};
