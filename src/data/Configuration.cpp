#include "Configuration.h"

#include "Codec1252.h"
#include "Conversions.h"
#include "Emplacements.h"
#include "Erreurs.h"
#include "FichierTexte.h"

#include <QFileInfo>

namespace {

constexpr int k_nbLignes = 6;

QStringList lignesParDefaut()
{
    return {QStringLiteral("$008080FF"), QStringLiteral("$0000009B"), QStringLiteral("clWhite"), QString(),
            QStringLiteral("-1"), QStringLiteral("Sam")};
}

// Un fichier texte ne contient aucun caractère de contrôle hormis tabulation et fins de ligne.
bool estTexte(const QByteArray& octets)
{
    for (const char c : octets) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && u != '\t' && u != '\n' && u != '\r')
            return false;
    }
    return true;
}

const QString& ligne(const QStringList& lignes, int i)
{
    if (i >= lignes.size())
        throw EListError(QStringLiteral("Indice de liste hors limites (%1)").arg(i));
    return lignes.at(i);
}

} // namespace

QString cheminConfiguration()
{
    return repertoireExecutable() + QStringLiteral("Vatrelix.conf");
}

ConfigurationAppli lireConfiguration()
{
    ConfigurationAppli config;
    const QString chemin = cheminConfiguration();
    if (QFileInfo::exists(chemin)) {
        const QByteArray octets = lireOctets(chemin);
        if (!estTexte(octets)) {
            throw EFichierErreur(
                QStringLiteral("Le fichier de configuration « %1 » n'est pas un fichier texte : il contient des données binaires.")
                    .arg(chemin));
        }
        config.lignesConfig = decouperLignes(depuisAnsi(octets));
    } else {
        config.lignesConfig = lignesParDefaut();
    }

    // Par position ; la première ligne fautive arrête la lecture sans message.
    try {
        const QStringList& l = config.lignesConfig;
        config.couleurHaut = StringToColor(ligne(l, 0));
        config.couleurBas = StringToColor(ligne(l, 1));
        config.couleurTexte = StringToColor(ligne(l, 2));
        config.fichierLC = ligne(l, 3);
        config.afficherCompagnon = StrToBool(ligne(l, 4));
        config.nomCompagnon = ligne(l, 5);
    } catch (const EConvertError&) {
    } catch (const EListError&) {
    }
    return config;
}

void enregistrerConfiguration(ConfigurationAppli& config)
{
    QStringList& l = config.lignesConfig;
    // Un fichier trop court est complété plutôt que de faire échouer l'écriture.
    while (l.size() < k_nbLignes)
        l.append(QString());
    l[0] = ColorToString(config.couleurHaut);
    l[1] = ColorToString(config.couleurBas);
    l[2] = ColorToString(config.couleurTexte);
    l[3] = config.fichierLC;
    l[4] = BoolToStr(config.afficherCompagnon);
    l[5] = config.nomCompagnon;
    ecrireLignes(cheminConfiguration(), l);
}
