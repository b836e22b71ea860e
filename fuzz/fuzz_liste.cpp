// Fichier de liste lu, puis totaux, fusion et tri comme les commandes les enchaînent.
#include "commun.h"
#include "Erreurs.h"
#include "FichierLC.h"
#include "FusionTriLC.h"
#include "LigneLC.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const QString chemin = ecrireFichierFuzz(QStringLiteral("liste.lvtx"), donnees, taille);
    QStringList lignes;
    try {
        lignes = lireFichierLC(chemin);
    } catch (const EVatrelix&) {
        return 0;
    }
    try {
        texteFactureLC(calculerTotaux(lignes));
    } catch (const EVatrelix&) {
    }
    QStringList fusion = lignes;
    try {
        fusionnerLignesLC(fusion);
    } catch (const EVatrelix&) {
    }
    // La fusion ne fait que retirer des lignes ; le tri n'en perd ni n'en invente.
    if (fusion.size() > lignes.size())
        std::abort();
    const qsizetype avant = lignes.size();
    trierLC(fusion);
    trierLC(lignes);
    if (lignes.size() != avant)
        std::abort();
    try {
        ecrireFichierLC(chemin, lignes);
    } catch (const EVatrelix&) {
    }
    return 0;
}
