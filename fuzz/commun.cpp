#include "commun.h"
#include "Emplacements.h"
#include "ParametresRegionaux.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

namespace {
QTemporaryDir* g_dossier = nullptr;
}

void preparerEnvironnementFuzz()
{
    if (g_dossier)
        return;
    // Dossier gardé jusqu'à la fin du processus (libFuzzer sort par exit()).
    g_dossier = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/vatrelix-fuzz-XXXXXX"));
    std::atexit([] { delete g_dossier; g_dossier = nullptr; });
    definirRepertoireExecutable(g_dossier->path());
    ParametresRegionaux::definir(ParametresRegionaux::francais());
}

QString ecrireFichierFuzz(const QString& nom, const uint8_t* donnees, size_t taille)
{
    preparerEnvironnementFuzz();
    const QString chemin = g_dossier->filePath(nom);
    QFile f(chemin);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    f.write(reinterpret_cast<const char*>(donnees), qint64(taille));
    return chemin;
}
