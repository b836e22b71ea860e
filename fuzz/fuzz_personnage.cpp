// Fichier de personnage lu, chaque image décodée et chaque trame composée.
#include "commun.h"
#include "LecteurAcs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    const ResultatLectureAcs r =
        lirePersonnageAcs(QByteArray(reinterpret_cast<const char*>(donnees), qsizetype(taille)));
    if (!r)
        return 0;
    const PersonnageAcs& p = *r.personnage;
    p.verifierImages();
    for (const AnimationAcs& a : p.animations) {
        for (const TrameAcs& t : a.trames) {
            p.composerTrame(t);
            for (const BoucheAcs& b : t.bouches)
                p.composerTrame(t, &b);
        }
    }
    return 0;
}
