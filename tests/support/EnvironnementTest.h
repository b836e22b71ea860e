#pragma once
// Un départ neuf par test : dossier d'exécutable temporaire et réglages régionaux français.
#include <QString>
#include <QTemporaryDir>

class EnvironnementTest
{
public:
    EnvironnementTest();
    ~EnvironnementTest();
    EnvironnementTest(const EnvironnementTest&) = delete;
    EnvironnementTest& operator=(const EnvironnementTest&) = delete;

    // Dossier tenant lieu de dossier de l'exécutable, avec son "/" final.
    QString dossier() const;
    QString chemin(const QString& nom) const;
    // Fichier du dépôt (ressources, données de test), à partir de la racine des sources.
    static QString source(const QString& relatif);

private:
    QTemporaryDir m_dossier;
};
