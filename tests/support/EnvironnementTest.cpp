#include "EnvironnementTest.h"

#include "Emplacements.h"
#include "ParametresRegionaux.h"
#include "ReglagesUtilisateur.h"

#include <QDir>

EnvironnementTest::EnvironnementTest()
{
    definirRepertoireExecutable(dossier());
    // Les réglages de l'utilisateur restent dans le dossier du test, jamais dans le vrai.
    definirDossierReglagesUtilisateur(dossier() + QStringLiteral("config-utilisateur"));
    ParametresRegionaux::definir(ParametresRegionaux::francais());
}

EnvironnementTest::~EnvironnementTest()
{
    definirDossierReglagesUtilisateur(QString());
    definirRepertoireExecutable(QString());
}

QString EnvironnementTest::dossier() const
{
    return m_dossier.path() + u'/';
}

QString EnvironnementTest::chemin(const QString& nom) const
{
    return dossier() + nom;
}

QString EnvironnementTest::source(const QString& relatif)
{
    const QString racine = qEnvironmentVariable("VATRELIX_SOURCES");
    return QDir(racine).filePath(relatif);
}
