#include "ReglagesUtilisateur.h"

#include <QCoreApplication>
#include <QStandardPaths>

QString ReglagesUtilisateur::fichierParDefaut()
{
    const QString application = QCoreApplication::applicationName();
    const QString dossier = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (application.isEmpty() || dossier.isEmpty())
        return {};
    QString chemin = dossier + u'/';
    if (!QCoreApplication::organizationName().isEmpty())
        chemin += QCoreApplication::organizationName() + u'/';
    return chemin + application + QStringLiteral(".conf");
}
