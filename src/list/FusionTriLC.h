#pragma once
// Fusion des lignes d'un même achat et tri de la liste par rayon, sur le magasin des lignes.
#include <QString>
#include <QStringList>

// Clé d'achat : du caractère suivant le premier "|" jusqu'au premier "€" inclus,
// soit Article|Remarque|Rayon|PU pour une ligne bien formée ; vide sans "€" après le "|".
QString cleLigne(const QString& ligne);

// Prix unitaire d'une ligne pour la fusion : ce qui suit le troisième "|" de la clé,
// sans " €", lu en montant (EConvertError s'il ne se lit pas ou sort de ±montantMaxLC).
double prixUnitaireCle(const QString& cle);

// Chaque ligne, de la dernière à la première, rejoint la plus proche ligne de même clé
// au-dessus d'elle : quantités additionnées, total recalculé, ligne du bas supprimée.
// Une conversion impossible ou une ligne fusionnée qui ne se relirait pas lève EConvertError
// nommant la ligne ; les fusions déjà faites restent.
void fusionnerLignesLC(QStringList& lignes);

// Rayon d'une ligne pour le tri : le champ entre le troisième et le quatrième "|".
QString rayonLigne(const QString& ligne);

// Tri par échanges (non stable) selon l'ordre ordinal UTF-16 des rayons : pour chaque i,
// chaque j > i dont le rayon précède celui de i est échangé avec lui. Le résultat est calculé
// en O(n log n), sans dérouler les échanges.
void trierLC(QStringList& lignes);

// Même tri par échanges, les rayons rangés dans l'ordre du magasin : un nom placé prend sa
// première place dans ordreRayons (des rayons homonymes ne se distinguent pas sur une ligne),
// les rayons non placés viennent après, entre eux dans l'ordre ordinal.
void trierLCOrdreMagasin(QStringList& lignes, const QStringList& ordreRayons);
