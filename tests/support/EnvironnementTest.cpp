#include "EnvironnementTest.h"

#include "Emplacements.h"
#include "ParametresRegionaux.h"

#include <QDir>

EnvironnementTest::EnvironnementTest()
{
    definirRepertoireExecutable(dossier());
    ParametresRegionaux::definir(ParametresRegionaux::francais());
}

EnvironnementTest::~EnvironnementTest()
{
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
