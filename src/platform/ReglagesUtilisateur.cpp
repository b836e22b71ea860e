#include "ReglagesUtilisateur.h"

#include <QDir>
#include <QStandardPaths>

#include <memory>

namespace {

QString& dossierImpose()
{
    static QString dossier;
    return dossier;
}

std::unique_ptr<QSettings>& reglages()
{
    static std::unique_ptr<QSettings> r;
    return r;
}

} // namespace

QString cheminReglagesUtilisateur()
{
    QString dossier = dossierImpose();
    if (dossier.isEmpty())
        dossier = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/vatrelix");
    return QDir(dossier).filePath(QStringLiteral("vatrelix.ini"));
}

QSettings& reglagesUtilisateur()
{
    if (!reglages())
        reglages() = std::make_unique<QSettings>(cheminReglagesUtilisateur(), QSettings::IniFormat);
    return *reglages();
}

void definirDossierReglagesUtilisateur(const QString& dossier)
{
    reglages().reset();
    dossierImpose() = dossier;
}
