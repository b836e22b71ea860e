#pragma once
// Forme ouverte d'un personnage : un manifeste texte et des images PNG à côté de lui.
//
// Une instruction par ligne, mots séparés par des espaces, textes entre guillemets ;
// une ligne qui commence par # est un commentaire. Instructions :
//   guid {…}                              identifiant du personnage
//   taille LARGEUR HAUTEUR                boîte du personnage
//   transparent INDEX                     index de palette réservé à la transparence
//   drapeaux MOT…                         bulle-ajustee, sans-masquage-auto, sans-rythme-auto, jeu-standard
//   nom LANGID "nom" "description"        LANGID en hexadécimal (040C français)
//   bulle LIGNES CARACTERES #texte #fond #bordure HAUTEUR GRAISSE "police"
//   voix LANGID GENRE AGE                 GENRE : 1 femme, 2 homme
//   etat NOM ANIMATION…
//   animation NOM [aucune | sortie | retour ANIMATION]
//   trame DUREE [sortie=N] [branche=N:POURCENT]… [son=F.wav] [IMAGE[@X,Y]]…
//   couche IMAGE X Y                      couche de plus, sous les précédentes
//   bouche FORME IMAGE X Y [remplace] [point=X,Y]
// DUREE en centièmes de seconde ; trames numérotées à partir de 0 dans leur animation ;
// la première couche d'une trame est dessinée au-dessus ; FORME : fermee, large1 à large4,
// moyenne, etroite. La palette est faite des couleurs des images dans leur ordre d'apparition ;
// un pixel d'alpha inférieur à 128 est transparent.
#include "PersonnageAcs.h"

#include <QString>
#include <optional>

struct ResultatManifeste
{
    std::optional<PersonnageAcs> personnage;
    QString erreur; // « fichier:ligne: message »
};

ResultatManifeste lireManifestePersonnage(const QString& chemin);
