#pragma once
// Emplacements des fichiers : le dossier du programme (ce qui est livré) et le dossier de données
// (ce que l'utilisateur écrit). Installation portable : les deux sont le dossier de l'exécutable.
// Programme installé dans un dossier en lecture seule : les données vont dans le dossier de
// données de l'utilisateur ($XDG_DATA_HOME/vatrelix/, par défaut ~/.local/share/vatrelix/).
#include <QString>
#include <QStringList>

// Chemin du dossier de l'exécutable, avec son "/" final : modèle de base, personnages livrés,
// base d'exemple.
QString repertoireExecutable();
// Les tests remplacent ce dossier par un dossier temporaire (vide : celui de l'exécutable).
// Le dossier de données suit, sauf s'il est remplacé lui aussi.
void definirRepertoireExecutable(const QString& dossier);
// Le « dossier Windows » de la plate-forme d'origine : sous Linux, le programme est une
// installation portable, c'est donc le dossier de l'exécutable.
QString repertoireWindows();

// Dossier de données, avec son "/" final : base et sa sauvegarde, configuration, verrou,
// personnages ajoutés par l'utilisateur. Créé au besoin.
QString repertoireDonnees();
// Les tests imposent un dossier de données distinct (vide : retour à la règle).
void definirRepertoireDonnees(const QString& dossier);
// La règle : le dossier du programme quand il est inscriptible, sinon celui de l'utilisateur
// (dossierUtilisateur vide : $XDG_DATA_HOME/vatrelix/ ou ~/.local/share/vatrelix/).
QString choisirRepertoireDonnees(const QString& programme, bool programmeInscriptible,
                                 const QString& dossierUtilisateur = QString());
// Vrai quand les données vivent à côté du programme.
bool installationPortable();

// Premier démarrage d'une installation en lecture seule : la base d'exemple livrée est copiée
// dans le dossier de données quand aucune base n'y est. Rend faux si la copie a échoué.
bool preparerRepertoireDonnees();

// Nom du fichier du dossier qui porte ce nom à la casse près ; vide sans lui.
QString entreeSansCasse(const QString& dossier, const QString& nom);

// Dossiers des personnages, celui de l'utilisateur d'abord quand il diffère du dossier livré.
QStringList repertoiresPersonnages();
// Dossier (parmi les précédents) qui contient ce fichier, à la casse près ; à défaut, le
// dossier livré.
QString repertoirePersonnagePour(const QString& fichier);
