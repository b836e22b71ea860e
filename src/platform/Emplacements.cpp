#include "Emplacements.h"

#include "Erreurs.h"
#include "FichierTexte.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {

QString g_remplacement;
QString g_donneesImposees;
// Dossier de données retenu au premier appel : il ne change pas en cours de route.
QString g_donneesCalculees;

QString avecSeparateurFinal(QString dossier)
{
    if (!dossier.endsWith(u'/'))
        dossier += u'/';
    return dossier;
}

bool inscriptible(const QString& dossier)
{
    return ::access(QFile::encodeName(dossier).constData(), W_OK | X_OK) == 0;
}

const QString k_base = QStringLiteral("baseVatrelix.xml");

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
    g_donneesCalculees.clear();
}

QString repertoireWindows()
{
    // Le programme est une installation portable : ce qu'il attend du dossier système
    // (les personnages du compagnon) est livré à côté de l'exécutable.
    return repertoireExecutable();
}

QString choisirRepertoireDonnees(const QString& programme, bool programmeInscriptible,
                                 const QString& dossierUtilisateur)
{
    if (programmeInscriptible)
        return avecSeparateurFinal(programme);
    QString racine = dossierUtilisateur;
    if (racine.isEmpty())
        racine = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (racine.isEmpty())
        racine = QDir::homePath() + QStringLiteral("/.local/share");
    return avecSeparateurFinal(racine) + QStringLiteral("vatrelix/");
}

QString repertoireDonnees()
{
    if (!g_donneesImposees.isEmpty())
        return g_donneesImposees;
    // Un dossier d'exécutable remplacé (tests) vaut installation portable.
    if (!g_remplacement.isEmpty())
        return g_remplacement;
    if (g_donneesCalculees.isEmpty()) {
        const QString programme = repertoireExecutable();
        g_donneesCalculees = choisirRepertoireDonnees(programme, inscriptible(programme));
        QDir().mkpath(g_donneesCalculees);
    }
    return g_donneesCalculees;
}

void definirRepertoireDonnees(const QString& dossier)
{
    g_donneesImposees = dossier.isEmpty() ? QString() : avecSeparateurFinal(dossier);
    if (!g_donneesImposees.isEmpty())
        QDir().mkpath(g_donneesImposees);
}

bool installationPortable()
{
    return QFileInfo(repertoireDonnees()) == QFileInfo(repertoireExecutable());
}

bool preparerRepertoireDonnees()
{
    if (installationPortable())
        return true;
    const QString cible = repertoireDonnees() + k_base;
    const QString exemple = repertoireExecutable() + k_base;
    // Un lien cassé compte comme une base en place : il n'est jamais remplacé par l'exemple.
    if (QFileInfo(cible).exists() || QFileInfo(cible).isSymLink() || !QFileInfo::exists(exemple))
        return true;
    try {
        ecrireOctets(cible, lireOctets(exemple, TailleMax::base), Sauvegarde::Aucune);
    } catch (const EVatrelix&) {
        return false;
    }
    return true;
}

QStringList repertoiresPersonnages()
{
    const QString sousDossier = QStringLiteral("MSAgent/Chars/");
    const QString livre = repertoireWindows() + sousDossier;
    if (installationPortable())
        return {livre};
    return {repertoireDonnees() + sousDossier, livre};
}

QString entreeSansCasse(const QString& dossier, const QString& nom)
{
    const QStringList entrees = QDir(dossier).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entree : entrees)
        if (entree.compare(nom, Qt::CaseInsensitive) == 0)
            return entree;
    return {};
}

QString repertoirePersonnagePour(const QString& fichier)
{
    const QStringList dossiers = repertoiresPersonnages();
    for (const QString& dossier : dossiers)
        if (!entreeSansCasse(dossier, fichier).isEmpty())
            return dossier;
    return dossiers.constLast();
}
