#include "SelectionTest.h"

#include <QTreeWidget>

void selectionnerParNom(QTreeWidget& vue, const QStringList& noms)
{
    vue.clearSelection();
    for (int i = 0; i < vue.topLevelItemCount(); ++i)
        if (noms.contains(vue.topLevelItem(i)->text(0)))
            vue.topLevelItem(i)->setSelected(true);
}
