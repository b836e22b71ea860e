// Base d'articles XML chargée dans la forêt, puis réenregistrée et relue.
#include "commun.h"
#include "Erreurs.h"
#include "U_VX_DataModule.h"

namespace {
struct SansProgression : ProgressionBase
{
    void progression(const QString&) override {}
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    ecrireFichierFuzz(QStringLiteral("baseVatrelix.xml"), donnees, taille);
    SansProgression p;
    TdmVatrelix dm;
    try {
        dm.chargerBase(p);
    } catch (const EVatrelix&) {
        return 0;
    }
    // Une base acceptée doit se réécrire et se relire sans erreur.
    try {
        dm.enregistrerBase(p);
        TdmVatrelix relu;
        relu.chargerBase(p);
    } catch (const EVatrelix&) {
        std::abort();
    }
    return 0;
}
