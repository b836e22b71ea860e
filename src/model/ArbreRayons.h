#pragma once
// Liaison de la forêt des rayons à une vue arborescente : un nœud par rayon.
// Les nœuds ne portent que le rayon et les indices de ses images ; l'arbre est
// reconstruit en entier après tout changement de la forêt.
#include <QIcon>
#include <QList>
#include <QStandardItem>
#include <QStandardItemModel>

#include <functional>

class TRayon;
class TArticle;

// Rôles de données des vues : restent des entiers nus, c'est l'API de Qt qui les attend.
enum RoleDonnees : int {
    RoleRayon = Qt::UserRole + 1,  // TRayon* d'un nœud de l'arbre
    RoleImage,                     // indice de l'image du nœud
    RoleImageSelection,            // indice de l'image du nœud sélectionné
    RoleArticle,                   // TArticle* d'un élément de la liste d'articles
};

// Indices de la liste d'images partagée.
constexpr int imageRayonRacine = 29;
constexpr int imageRayonRacineSelection = 19;
constexpr int imageRayon = 18;
constexpr int imageRayonSelection = 16;

// Icône d'un nœud d'après ses deux indices d'image (normal, sélectionné).
using FournisseurIcones = std::function<QIcon(int image, int imageSelection)>;

enum class OrdreArbre {
    Modele, // ordre des listes du modèle (arbre du dialogue des rayons)
    Trie,   // chaque nœud inséré à sa place alphabétique parmi ses frères (arbre principal)
};

// Vide le modèle puis y met un nœud par rayon de la forêt.
void construireArbre(QStandardItemModel& arbre, const QList<TRayon*>& rayons,
                     OrdreArbre ordre = OrdreArbre::Modele, const FournisseurIcones& icones = {});
// Ajoute sous noeud les nœuds des fils de rayon, récursivement.
void ajouterNoeudsFils(QStandardItem& noeud, const TRayon& rayon,
                       OrdreArbre ordre = OrdreArbre::Modele, const FournisseurIcones& icones = {});
// Trie tout l'arbre, à chaque niveau, selon l'ordre du texte de la locale ; stable.
void trierArbre(QStandardItemModel& arbre);

// Rayon porté par un index de vue (nul si aucun).
TRayon* rayonDuNoeud(const QModelIndex& index);
TRayon* rayonDuNoeud(const QStandardItem* noeud);
