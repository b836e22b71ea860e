#pragma once
// Lecture et écriture de fichiers texte entiers, en Windows-1252.
#include <QByteArray>
#include <QString>
#include <QStringList>

// Découpe en lignes : CR LF, LF ou CR ; dernière ligne sans fin comptée ; lignes vides gardées.
QStringList decouperLignes(const QString& texte);
// Lit tout le fichier (Windows-1252) ; EFichierErreur s'il est absent ou illisible.
QStringList lireLignes(const QString& chemin);
QByteArray lireOctets(const QString& chemin);
// Écrit chaque ligne suivie de CR LF, en Windows-1252, de façon atomique ; EFichierErreur sinon.
void ecrireLignes(const QString& chemin, const QStringList& lignes);
void ecrireOctets(const QString& chemin, const QByteArray& octets);
