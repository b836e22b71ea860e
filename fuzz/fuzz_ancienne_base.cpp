// Base de l'ancienne génération lue, vérifiée puis importée dans une forêt.
#include "commun.h"
#include "Erreurs.h"
#include "ImportAncienneBase.h"
#include "U_VX_DataModule.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const QString chemin = ecrireFichierFuzz(QStringLiteral("ancienne.dat"), donnees, taille);
    try {
        const AncienneBase base = lireAncienneBase(chemin);
        TdmVatrelix dm;
        importerAncienneBase(dm, base);
    } catch (const EVatrelix&) {
    }
    return 0;
}
