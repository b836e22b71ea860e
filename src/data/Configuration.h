#pragma once
// Le fichier de configuration "Vatrelix.conf" : six lignes repérées par leur position,
// en Windows-1252. Les lignes au-delà de la sixième sont gardées telles quelles.
#include "Couleurs.h"

#include <QString>
#include <QStringList>

struct ConfigurationAppli
{
    // Valeurs de création : noir, vide, faux.
    TColor couleurHaut = 0;
    TColor couleurBas = 0;
    TColor couleurTexte = 0;
    QString fichierLC;
    bool afficherCompagnon = false;
    QString nomCompagnon;
    // Les lignes lues, ou les six valeurs par défaut.
    QStringList lignesConfig;
    // Vide quand les six réglages ont été lus ; sinon, pour la ligne d'état, la ligne où la
    // lecture s'est arrêtée.
    QString avertissement;
};

QString cheminConfiguration();

// Vrai quand le fichier de configuration peut retenir ce chemin tel quel (Windows-1252).
bool cheminRetenable(const QString& chemin);

// Sans fichier : les valeurs par défaut (rien n'est écrit). La conversion s'arrête sans
// message à la première ligne absente ou illisible ; les réglages suivants gardent leurs
// valeurs de création (l'avertissement le dit). Lève EFichierErreur si le fichier existe mais
// ne peut être lu, n'est pas un fichier ordinaire ou est démesuré.
ConfigurationAppli lireConfiguration();

// Remplace les lignes 1 à 6 par les réglages (complétées s'il en manquait), garde les
// suivantes, et écrit le tout en CR LF, de façon atomique. Lève EFichierErreur.
void enregistrerConfiguration(ConfigurationAppli& config);
