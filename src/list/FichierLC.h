#pragma once
// Fichiers de liste de courses (.lvtx) : une ligne du magasin par ligne de texte,
// en Windows-1252, chacune suivie de CR LF.
#include "FichierTexte.h"
#include "LigneLC.h"

#include <QString>
#include <QStringList>

// Extension imposée par les commandes d'enregistrement.
inline constexpr char16_t kExtensionLC[] = u".lvtx";
// Filtre des dialogues de fichier.
QString filtreFichierLC();

// Chemin choisi dans le dialogue d'enregistrement -> chemin enregistré : seule la
// dernière extension du nom est remplacée par ".lvtx" (ajoutée quand il n'y en a pas).
// Le dossier va jusqu'au dernier "\", ":" ou "/".
QString nomFichierLC(const QString& cheminChoisi);

// Lit le fichier entier (CR LF, LF ou CR ; dernière ligne sans fin comptée ; lignes vides
// gardées), sans vérifier les champs. EFichierErreur s'il ne se lit pas ou qu'une ligne dépasse
// longueurMaxLigneLC. empreinte (facultative) reçoit celle du fichier lu.
QStringList lireFichierLC(const QString& chemin, EmpreinteFichier* empreinte = nullptr);
// Écrit les lignes de façon atomique ; une liste vide donne un fichier de 0 octet. Rend
// l'empreinte du fichier écrit.
EmpreinteFichier ecrireFichierLC(const QString& chemin, const QStringList& lignes);
// Lit une liste et vérifie que chaque ligne se relit au rafraîchissement (Nb et Total) ; sinon
// EFichierErreur nommant le fichier et la ligne : une liste n'est jamais à moitié ouverte.
QStringList lireListeLC(const QString& chemin, EmpreinteFichier* empreinte = nullptr, TotauxLC* totaux = nullptr);
// Ajoute en fin de liste les lignes d'un autre fichier, lues et vérifiées comme lireListeLC ;
// rien n'est ajouté s'il est refusé.
void importerFichierLC(const QString& chemin, QStringList& lignes);
