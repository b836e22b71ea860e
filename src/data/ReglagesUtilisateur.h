#pragma once
// L'état que le fichier de configuration n'a pas (fenêtre, séparateurs, colonnes, arbre) :
// un fichier INI de l'utilisateur, jamais Vatrelix.conf.
#include <QSettings>
#include <QString>

class ReglagesUtilisateur : public QSettings
{
public:
    explicit ReglagesUtilisateur(const QString& fichier) : QSettings(fichier, QSettings::IniFormat) {}
    // <dossier de configuration de l'utilisateur>/<organisation>/<application>.conf, là où
    // QSettings le mettrait ; vide tant que l'application n'a pas de nom.
    static QString fichierParDefaut();
};
