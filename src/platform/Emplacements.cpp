#include "Emplacements.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString g_remplacement;

QString avecSeparateurFinal(QString dossier)
{
    if (!dossier.endsWith(u'/'))
        dossier += u'/';
    return dossier;
}

} // namespace

QString repertoireExecutable()
{
    if (!g_remplacement.isEmpty())
        return g_remplacement;
    if (QCoreApplication::instance())
        return avecSeparateurFinal(QCoreApplication::applicationDirPath());
    // Sans objet application : le lien du noyau vers l'exécutable en cours.
    const QFileInfo exe(QStringLiteral("/proc/self/exe"));
    return avecSeparateurFinal(QFileInfo(exe.canonicalFilePath()).absolutePath());
}

void definirRepertoireExecutable(const QString& dossier)
{
    g_remplacement = dossier.isEmpty() ? QString() : avecSeparateurFinal(dossier);
}

QString repertoireWindows()
{
    // Le programme est une installation portable : ce qu'il attend du dossier système
    // (les personnages du compagnon) est livré à côté de l'exécutable.
    return repertoireExecutable();
}
