#pragma once
// Dossier de l'exécutable : tous les fichiers de données du programme s'y trouvent.
#include <QString>

// Chemin du dossier de l'exécutable, avec son "/" final.
QString repertoireExecutable();
// Les tests remplacent ce dossier par un dossier temporaire (vide : celui de l'exécutable).
void definirRepertoireExecutable(const QString& dossier);
// Le « dossier Windows » de la plate-forme d'origine : sous Linux, le programme est une
// installation portable, c'est donc le dossier de l'exécutable.
QString repertoireWindows();
