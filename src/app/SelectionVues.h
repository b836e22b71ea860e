#pragma once
// Lecture des sélections des vues de la fenêtre principale.
#include "ArbreRayons.h"

#include <QItemSelectionModel>
#include <QList>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>

class TArticle;
class TRayon;

// Indices des rangées sélectionnées d'une liste à éléments, croissants.
inline QList<int> rangeesSelectionnees(const QTreeWidget& vue)
{
    QList<int> indices;
    for (int i = 0; i < vue.topLevelItemCount(); ++i)
        if (vue.topLevelItem(i)->isSelected())
            indices.append(i);
    return indices;
}

// Indices des rangées sélectionnées d'une vue en liste sur un modèle, croissants, lus dans les
// plages de la sélection (sans parcourir les rangées).
inline QList<int> rangeesSelectionnees(const QTreeView& vue)
{
    QList<int> indices;
    for (const QItemSelectionRange& plage : vue.selectionModel()->selection())
        for (int i = plage.top(); i <= plage.bottom(); ++i)
            indices.append(i);
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

// Le rayon du nœud sélectionné de l'arbre (nul sans sélection).
inline TRayon* rayonChoisi(const QTreeView& arbre)
{
    const QModelIndexList choisis = arbre.selectionModel()->selectedIndexes();
    return choisis.isEmpty() ? nullptr : rayonDuNoeud(choisis.first());
}

// Les articles des rangées sélectionnées, dans l'ordre de la liste.
inline QList<TArticle*> articlesChoisis(const QTreeWidget& liste)
{
    QList<TArticle*> articles;
    for (int i : rangeesSelectionnees(liste))
        if (auto* a = static_cast<TArticle*>(liste.topLevelItem(i)->data(0, RoleArticle).value<void*>()))
            articles.append(a);
    return articles;
}
