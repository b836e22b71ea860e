#pragma once
// Flux compressé des images et régions des personnages : LZ77 en bits, poids faible d'abord.
#include <QByteArray>
#include <QByteArrayView>
#include <optional>

enum class ErreurFlux {
    Aucune,
    FluxTropCourt,      // moins de 8 octets
    PremierOctet,       // le premier octet n'est pas 0x00
    FinManquante,       // moins de six 0xFF en fin de flux
    FluxEpuise,         // bits épuisés avant le marqueur de fin
    DecalageHorsSortie, // copie depuis avant le début de la sortie
    SortieDepassee,     // plus d'octets que la taille attendue
    LongueurInvalide,   // préfixe de longueur de 12 bits ou plus
    SortieIncomplete,   // marqueur de fin avant que la sortie soit pleine
};

// Décompresse exactement tailleAttendue octets ; rend nullopt (et l'erreur) sinon.
std::optional<QByteArray> decompresserAcs(QByteArrayView flux, qsizetype tailleAttendue,
                                          ErreurFlux* erreur = nullptr);

// Compresse avec de vraies correspondances ; le flux se relit par decompresserAcs.
QByteArray compresserAcs(QByteArrayView donnees);

// Flux de littéraux seuls (forme la plus simple du format).
QByteArray compresserAcsLitteraux(QByteArrayView donnees);
