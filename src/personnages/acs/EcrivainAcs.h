#pragma once
// Écriture d'un personnage au format 2.x : images compressées, régions en suites de pixels.
#include "PersonnageAcs.h"

#include <QByteArray>
#include <QString>

// Rend le fichier complet ; vide (et le message) si le modèle ne peut pas s'écrire.
QByteArray ecrirePersonnageAcs(const PersonnageAcs& personnage, QString* erreur = nullptr);
bool enregistrerPersonnageAcs(const PersonnageAcs& personnage, const QString& chemin, QString* erreur = nullptr);
