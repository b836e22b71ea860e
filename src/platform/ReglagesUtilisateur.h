#pragma once
// Réglages de l'utilisateur que les fichiers d'origine n'ont pas de place pour tenir (état des
// fenêtres, coches, ordre du magasin, listes récentes…) : un fichier INI du dossier de
// configuration de l'utilisateur, jamais Vatrelix.conf ni la base.
#include <QSettings>
#include <QString>

// Chemin du fichier : $XDG_CONFIG_HOME/vatrelix/vatrelix.ini (~/.config par défaut).
QString cheminReglagesUtilisateur();
// Les réglages, ouverts à la première demande ; un seul objet pour tout le programme.
QSettings& reglagesUtilisateur();
// Les tests placent le fichier dans un dossier à eux (vide : l'emplacement ordinaire).
void definirDossierReglagesUtilisateur(const QString& dossier);
