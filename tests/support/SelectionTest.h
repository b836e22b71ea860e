#pragma once
// Sélection des rangées d'une vue en liste, comme l'utilisateur la ferait.
#include <QStringList>

class QTreeWidget;

// Ne laisse sélectionnées que les rangées dont la première colonne porte l'un de ces noms.
void selectionnerParNom(QTreeWidget& vue, const QStringList& noms);
