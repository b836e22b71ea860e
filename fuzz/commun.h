#pragma once
// Outils communs aux cibles : dossier d'exécutable temporaire et réglages français.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// Prépare une fois le dossier temporaire (remplaçant le dossier de l'exécutable).
void preparerEnvironnementFuzz();
// Écrit les octets dans le fichier nommé du dossier temporaire ; rend son chemin.
QString ecrireFichierFuzz(const QString& nom, const uint8_t* donnees, size_t taille);
