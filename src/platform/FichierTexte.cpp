#include "FichierTexte.h"

#include "Codec1252.h"
#include "Erreurs.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString raisonLecture(const QString& chemin, const QFile& fichier)
{
    const QFileInfo info(chemin);
    if (!info.exists())
        return QStringLiteral("le fichier n'existe pas");
    if (info.isDir())
        return QStringLiteral("c'est un dossier");
    if (!info.isReadable())
        return QStringLiteral("accès refusé");
    return fichier.errorString();
}

[[noreturn]] void echecEcriture(const QString& chemin, const QString& raison)
{
    throw EFichierErreur(QStringLiteral("Impossible d'écrire le fichier \"%1\" : %2").arg(chemin, raison));
}

} // namespace

QStringList decouperLignes(const QString& texte)
{
    QStringList lignes;
    const qsizetype n = texte.size();
    qsizetype debut = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texte.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lignes.append(texte.mid(debut, i - debut));
        if (c == u'\r' && i + 1 < n && texte.at(i + 1) == u'\n')
            ++i;
        debut = i + 1;
    }
    if (debut < n)
        lignes.append(texte.mid(debut));
    return lignes;
}

QByteArray lireOctets(const QString& chemin)
{
    QFile fichier(chemin);
    // Un dossier s'ouvre sous Linux mais ne se lit pas : on le refuse d'emblée.
    if (QFileInfo(chemin).isDir() || !fichier.open(QIODevice::ReadOnly))
        throw EFichierErreur(QStringLiteral("Impossible d'ouvrir le fichier \"%1\" : %2")
                                 .arg(chemin, raisonLecture(chemin, fichier)));
    QByteArray octets = fichier.readAll();
    if (fichier.error() != QFileDevice::NoError)
        throw EFichierErreur(QStringLiteral("Impossible de lire le fichier \"%1\" : %2")
                                 .arg(chemin, fichier.errorString()));
    return octets;
}

QStringList lireLignes(const QString& chemin)
{
    return decouperLignes(depuisAnsi(lireOctets(chemin)));
}

void ecrireOctets(const QString& chemin, const QByteArray& octets)
{
    if (QFileInfo(chemin).isDir())
        echecEcriture(chemin, QStringLiteral("c'est un dossier"));
    // Fichier temporaire renommé sur l'ancien : un échec laisse l'ancien fichier entier.
    QSaveFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly))
        echecEcriture(chemin, fichier.errorString());
    if (fichier.write(octets) != octets.size()) {
        const QString raison = fichier.errorString();
        fichier.cancelWriting();
        echecEcriture(chemin, raison);
    }
    if (!fichier.commit())
        echecEcriture(chemin, fichier.errorString());
}

void ecrireLignes(const QString& chemin, const QStringList& lignes)
{
    QByteArray octets;
    qsizetype taille = 0;
    for (const QString& ligne : lignes)
        taille += ligne.size() + 2;
    octets.reserve(taille);
    for (const QString& ligne : lignes) {
        octets += versAnsi(ligne);
        octets += "\r\n";
    }
    ecrireOctets(chemin, octets);
}
