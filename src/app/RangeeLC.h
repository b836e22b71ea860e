#pragma once
// Rangée de lvListeCourses : une vue sur une ligne du magasin. Une rangée de la vue montre la
// ligne de même rang du magasin, lue à chaque affichage (aucune copie, aucun travail par
// rangée au rafraîchissement) ; une rangée seule garde sa propre ligne. Les textes des six
// champs ne sont découpés qu'à la lecture.
#include "LigneLC.h"
#include "MagasinLC.h"

#include <QString>
#include <QStringList>
#include <QTreeWidgetItem>

// Ce que les rangées d'une vue partagent : le magasin qu'elles montrent, les coches du mode
// magasin, et le nombre de rangées dont un texte a été posé après coup (elles ne montrent plus
// le magasin).
struct MagasinRangeesLC
{
    const QStringList* lignes = nullptr;
    CochesLC* coches = nullptr;
    int modifiees = 0;
};

class RangeeLC : public QTreeWidgetItem
{
public:
    RangeeLC(MagasinRangeesLC* magasin, qsizetype indice);
    explicit RangeeLC(const QString& ligne);

    QVariant data(int colonne, int role) const override;
    void setData(int colonne, int role, const QVariant& valeur) override;

    // Vraie quand la rangée montre la ligne de son rang, sans texte posé après coup.
    bool montreLeMagasin() const { return m_magasin && !m_modifiee; }
    // Nb et Total seuls, en vues sur la ligne : valables tant qu'elle ne change pas.
    ComptesLigneLC champsComptes() const;

private:
    QStringView ligne() const;
    QString champ(int colonne) const;

    MagasinRangeesLC* m_magasin = nullptr;
    qsizetype m_indice = 0;
    QString m_ligne; // rangée seule
    // Textes posés après coup (setText) : prennent le pas sur la ligne.
    bool m_modifiee = false;
};
