#pragma once
// Modèle de lvListeCourses : une rangée par ligne du magasin de la liste, ses six champs en
// colonnes, découpés à la lecture (aucun objet par rangée). Le modèle garde les lignes qu'il
// montre en partage implicite avec le magasin : les copier ne copie aucun texte, et elles
// disent, au rafraîchissement suivant, ce qui a changé.
#include "MagasinLC.h"

#include <QAbstractTableModel>
#include <QStringList>

class ModeleListeCourses : public QAbstractTableModel
{
public:
    explicit ModeleListeCourses(QObject* parent = nullptr);

    // Coches du mode magasin (nul : aucune case). Case, barré et gris se lisent à la peinture :
    // une coche écrite par setData signale sa rangée ; la bascule du mode, l'effacement ou le
    // suivi des coches repeignent la vue sans signal : Qt 6.4 calcule le rectangle de chaque
    // rangée d'un dataChanged, trop lent sur une longue liste.
    void definirCoches(CochesLC* coches) { m_coches = coches; }
    // Amène les rangées à ces lignes : seules les rangées ajoutées, retirées ou changées sont
    // signalées (une suppression d'une ligne ne retire qu'une rangée).
    void synchroniser(const QStringList& lignes);
    // Champ d'une rangée (vide hors des rangées ou champ absent).
    QString texte(int rangee, int colonne) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& valeur, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList m_lignes;
    CochesLC* m_coches = nullptr;
};
