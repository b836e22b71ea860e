// Fichier de configuration lu puis réenregistré.
#include "commun.h"
#include "Configuration.h"
#include "Erreurs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    ecrireFichierFuzz(QStringLiteral("Vatrelix.conf"), donnees, taille);
    try {
        ConfigurationAppli config = lireConfiguration();
        enregistrerConfiguration(config);
        // Ce qui vient d'être écrit se relit aux mêmes réglages.
        const ConfigurationAppli relue = lireConfiguration();
        if (relue.couleurHaut != config.couleurHaut || relue.afficherCompagnon != config.afficherCompagnon)
            std::abort();
    } catch (const EVatrelix&) {
    }
    return 0;
}
