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

const QString& ligne(const QStringList& lignes, int i)
{
    if (i >= lignes.size())
        throw EListError(QStringLiteral("Indice de liste hors limites (%1)").arg(i));
    return lignes.at(i);
}

} // namespace

bool cheminRetenable(const QString& chemin)
{
    return normaliserAnsi(chemin) == chemin;
}

QString cheminConfiguration()
{
    return repertoireDonnees() + QStringLiteral("Vatrelix.conf");
}

ConfigurationAppli lireConfiguration()
{
    ConfigurationAppli config;
    const QString chemin = cheminConfiguration();
    if (QFileInfo::exists(chemin)) {
        // Octets de contrôle compris (Ctrl-Z final d'un vieil éditeur, données abîmées) : la
        // conversion ligne à ligne s'arrête d'elle-même à la première ligne illisible.
        config.lignesConfig = lireLignes(chemin, TailleMax::configuration);
    } else {
        config.lignesConfig = lignesParDefaut();
    }

    // Par position ; la première ligne fautive arrête la lecture, les suivantes gardent
    // leurs valeurs de création. Seule la ligne d'état le dit.
    int numero = 1;
    try {
        const QStringList& l = config.lignesConfig;
        config.couleurHaut = StringToColor(ligne(l, 0));
        numero = 2;
        config.couleurBas = StringToColor(ligne(l, 1));
        numero = 3;
        config.couleurTexte = StringToColor(ligne(l, 2));
        numero = 4;
        config.fichierLC = ligne(l, 3);
        numero = 5;
        config.afficherCompagnon = StrToBool(ligne(l, 4));
        numero = 6;
        config.nomCompagnon = ligne(l, 5);
        return config;
    } catch (const EConvertError&) {
    } catch (const EListError&) {
    }
    config.avertissement =
        QStringLiteral("Configuration \"%1\" : la ligne %2 est absente ou illisible ; les réglages à partir "
                       "de cette ligne gardent leurs valeurs de départ.")
            .arg(chemin)
            .arg(numero);
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
    // Un chemin que Windows-1252 ne peut pas écrire serait relu comme un autre nom (les
    // caractères absents deviennent '?'), peut-être celui d'un autre fichier : il n'est pas retenu.
    l[3] = cheminRetenable(config.fichierLC) ? config.fichierLC : QString();
    l[4] = BoolToStr(config.afficherCompagnon);
    l[5] = config.nomCompagnon;
    ecrireLignes(cheminConfiguration(), l);
}
