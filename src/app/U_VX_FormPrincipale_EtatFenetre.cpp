// État de la fenêtre d'une session à l'autre : taille, place, agrandissement, séparateurs,
// colonnes et rayons ouverts, dans les réglages de l'utilisateur (jamais Vatrelix.conf).
#include "U_VX_FormPrincipale.h"

#include "RepartitionColonnes.h"

#include <QSettings>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTreeView>
#include <QTreeWidget>

namespace {

const QString cleGeometrie = QStringLiteral("fenetre/geometrie");
const QString cleRayonsOuverts = QStringLiteral("fenetre/rayonsOuverts");
const QString clePartArticles = QStringLiteral("colonnes/listeArticles");
const QString clePartLC = QStringLiteral("colonnes/lvListeCourses");

QString cleSeparateur(const QSplitter* s)
{
    return QStringLiteral("separateurs/") + s->objectName();
}

// Chemins (noms depuis la racine) des nœuds ouverts sous parent.
void cheminsOuverts(const QTreeView& arbre, const QModelIndex& parent, QStringList chemin, QVariantList& chemins)
{
    const QAbstractItemModel* modele = arbre.model();
    for (int i = 0; i < modele->rowCount(parent); ++i) {
        const QModelIndex index = modele->index(i, 0, parent);
        if (!arbre.isExpanded(index))
            continue;
        QStringList suite = chemin;
        suite << index.data().toString();
        chemins << QVariant(suite);
        cheminsOuverts(arbre, index, suite, chemins);
    }
}

// Ouvre chaque nœud de ce chemin ; des rayons de même nom s'ouvrent tous.
void ouvrirChemin(QTreeView& arbre, const QModelIndex& parent, const QStringList& chemin, qsizetype rang)
{
    if (rang >= chemin.size())
        return;
    const QAbstractItemModel* modele = arbre.model();
    for (int i = 0; i < modele->rowCount(parent); ++i) {
        const QModelIndex index = modele->index(i, 0, parent);
        if (index.data().toString() != chemin.at(rang))
            continue;
        arbre.expand(index);
        ouvrirChemin(arbre, index, chemin, rang + 1);
    }
}

} // namespace

void TFormPrincipale::retenirEtatDans(const QString& fichier)
{
    m_fichierEtat = fichier;
    if (fichier.isEmpty())
        return;
    const QSettings etat(fichier, QSettings::IniFormat);
    // Une géométrie illisible laisse la taille et la place de la première fois.
    restoreGeometry(etat.value(cleGeometrie).toByteArray());
    for (QSplitter* s : {ui.Splitter1, ui.Splitter2, ui.Splitter3})
        s->restoreState(etat.value(cleSeparateur(s)).toByteArray());
    m_colonnesArticles->definirPart(etat.value(clePartArticles, PartNomArticles).toDouble());
    m_colonnesLC->definirPart(etat.value(clePartLC, PartArticleLC).toDouble());
    m_rayonsARouvrir.clear();
    const QVariantList chemins = etat.value(cleRayonsOuverts).toList();
    for (const QVariant& chemin : chemins)
        m_rayonsARouvrir << chemin.toStringList();
}

void TFormPrincipale::rouvrirRayonsRetenus()
{
    // Une fois, au remplissage de l'arbre par le démarrage : ensuite l'utilisateur décide. L'arbre
    // vidé avant la lecture de la base ne compte pas.
    if (ui.modeleArbreRayon->rowCount() == 0)
        return;
    const QList<QStringList> chemins = std::exchange(m_rayonsARouvrir, {});
    for (const QStringList& chemin : chemins)
        ouvrirChemin(*ui.arbreRayon, QModelIndex(), chemin, 0);
}

void TFormPrincipale::enregistrerEtatFenetre()
{
    if (m_fichierEtat.isEmpty())
        return;
    QSettings etat(m_fichierEtat, QSettings::IniFormat);
    etat.setValue(cleGeometrie, saveGeometry());
    for (const QSplitter* s : {ui.Splitter1, ui.Splitter2, ui.Splitter3})
        etat.setValue(cleSeparateur(s), s->saveState());
    etat.setValue(clePartArticles, m_colonnesArticles->part());
    etat.setValue(clePartLC, m_colonnesLC->part());
    QVariantList chemins;
    cheminsOuverts(*ui.arbreRayon, QModelIndex(), {}, chemins);
    // Arbre jamais rempli (base illisible) : les rayons ouverts de la dernière fois restent.
    if (ui.modeleArbreRayon->rowCount() > 0 || m_rayonsARouvrir.isEmpty())
        etat.setValue(cleRayonsOuverts, chemins);
    etat.sync();
}
