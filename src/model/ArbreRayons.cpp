#include "ArbreRayons.h"

#include "Codec1252.h"
#include "U_rayon.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace {

QStandardItem* creerNoeud(TRayon& rayon, int image, int imageSelection, const FournisseurIcones& icones)
{
    // Le texte est le nom tel que la page de code ANSI le rend.
    auto* noeud = new QStandardItem(normaliserAnsi(rayon.getNom()));
    noeud->setEditable(false);
    noeud->setData(QVariant::fromValue(static_cast<void*>(&rayon)), RoleRayon);
    noeud->setData(image, RoleImage);
    noeud->setData(imageSelection, RoleImageSelection);
    if (icones)
        noeud->setIcon(icones(image, imageSelection));
    return noeud;
}

// Ordre alphabétique stable : à texte égal, l'ordre d'insertion (celui du modèle) demeure.
void trierNoeuds(QList<QStandardItem*>& noeuds, const QCollator& collation)
{
    if (noeuds.size() < 2)
        return;
    QList<std::pair<QCollatorSortKey, QStandardItem*>> cles;
    cles.reserve(noeuds.size());
    for (QStandardItem* n : noeuds)
        cles.append({collation.sortKey(n->text()), n});
    std::stable_sort(cles.begin(), cles.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    for (qsizetype i = 0; i < cles.size(); ++i)
        noeuds[i] = cles[i].second;
}

QCollator collationLocale()
{
    // Sans locale nommée (C, POSIX), l'ordre est celui du français, comme les réglages régionaux.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::French, QLocale::France);
    QCollator collation{locale};
    collation.setNumericMode(false);
    return collation;
}

// Construit la rangée des fils de rayon (triée ou non) puis l'accroche d'un coup.
void remplirFils(QStandardItem& noeud, const TRayon& rayon, OrdreArbre ordre, const FournisseurIcones& icones,
                 const QCollator* collation)
{
    const int n = rayon.getNbRayonsFils();
    if (n == 0)
        return;
    QList<QStandardItem*> fils;
    fils.reserve(n);
    for (int i = 0; i < n; ++i) {
        TRayon* c = rayon.getRayonFils(i);
        QStandardItem* enfant = creerNoeud(*c, imageRayon, imageRayonSelection, icones);
        remplirFils(*enfant, *c, ordre, icones, collation);
        fils.append(enfant);
    }
    if (collation)
        trierNoeuds(fils, *collation);
    noeud.appendRows(fils);
}

void trierNiveau(QStandardItem& parent, const QCollator& collation)
{
    const int n = parent.rowCount();
    if (n == 0)
        return;
    QList<QStandardItem*> fils;
    fils.reserve(n);
    for (int i = 0; i < n; ++i)
        fils.append(parent.child(i));
    QList<QStandardItem*> tries = fils;
    trierNoeuds(tries, collation);
    if (tries != fils) {
        // takeChild laisse la rangée en place : seuls les éléments changent de case,
        // sans retrait ni insertion de rangée ou de colonne.
        for (int i = 0; i < n; ++i)
            parent.takeChild(i);
        for (int i = 0; i < n; ++i)
            parent.setChild(i, tries[i]);
    }
    for (QStandardItem* f : tries)
        trierNiveau(*f, collation);
}

} // namespace

void construireArbre(QStandardItemModel& arbre, const QList<TRayon*>& rayons, OrdreArbre ordre,
                     const FournisseurIcones& icones)
{
    arbre.removeRows(0, arbre.rowCount());
    // Une colonne d'abord : l'ajout des rangées n'insère pas de colonne en même temps.
    if (arbre.columnCount() != 1)
        arbre.setColumnCount(1);
    const QCollator collation = collationLocale();
    const QCollator* tri = ordre == OrdreArbre::Trie ? &collation : nullptr;
    QList<QStandardItem*> racines;
    racines.reserve(rayons.size());
    for (TRayon* r : rayons) {
        QStandardItem* noeud = creerNoeud(*r, imageRayonRacine, imageRayonRacineSelection, icones);
        remplirFils(*noeud, *r, ordre, icones, tri);
        racines.append(noeud);
    }
    if (tri)
        trierNoeuds(racines, collation);
    if (!racines.isEmpty())
        arbre.invisibleRootItem()->appendRows(racines);
}

void ajouterNoeudsFils(QStandardItem& noeud, const TRayon& rayon, OrdreArbre ordre, const FournisseurIcones& icones)
{
    const QCollator collation = collationLocale();
    remplirFils(noeud, rayon, ordre, icones, ordre == OrdreArbre::Trie ? &collation : nullptr);
}

void trierArbre(QStandardItemModel& arbre)
{
    trierNiveau(*arbre.invisibleRootItem(), collationLocale());
}

TRayon* rayonDuNoeud(const QModelIndex& index)
{
    if (!index.isValid())
        return nullptr;
    return static_cast<TRayon*>(index.data(RoleRayon).value<void*>());
}

TRayon* rayonDuNoeud(const QStandardItem* noeud)
{
    if (!noeud)
        return nullptr;
    return static_cast<TRayon*>(noeud->data(RoleRayon).value<void*>());
}
