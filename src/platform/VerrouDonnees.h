#pragma once
// Un seul programme écrit dans un dossier de données : sans quoi deux copies enregistreraient
// chacune leur base et leur configuration par-dessus celles de l'autre.
#include <QString>

#include <memory>

class QLockFile;

// Prend le verrou du dossier (fichier ".vatrelix.lock", libéré à la destruction ou à la mort du
// processus). Nul quand une autre copie vivante le tient : message dit alors laquelle.
// Un dossier où l'on ne peut rien créer ne se verrouille pas : personne ne pourra y écrire,
// le programme démarre (avec un verrou vide, non nul).
std::unique_ptr<QLockFile> verrouillerDossierDonnees(const QString& dossier, QString& message);
