#include "CompressionAcs.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// Classes de décalage : bits lus, valeur ajoutée.
constexpr std::array<int, 4> BitsDecalage{6, 9, 12, 20};
constexpr std::array<quint32, 4> AjoutDecalage{1, 65, 577, 4673};
constexpr quint32 MarqueurFin = 0xFFFFF;
constexpr int LongueurMaxPrefixe = 11;
constexpr int OctetsFinaux = 3; // 0xFF suivant l'octet du marqueur

class LecteurBits
{
public:
    LecteurBits(const uchar* octets, qsizetype taille) : m_octets(octets), m_nbBits(taille * 8) {}

    bool lire(int nb, quint32& valeur)
    {
        if (m_pos + nb > m_nbBits)
            return false;
        valeur = 0;
        for (int i = 0; i < nb; ++i, ++m_pos) {
            const quint32 bit = (m_octets[m_pos >> 3] >> (m_pos & 7)) & 1u;
            valeur |= bit << i;
        }
        return true;
    }
    // Compte les 1 jusqu'au premier 0 (consommé), sans dépasser max.
    bool compterUns(int max, int& compte)
    {
        compte = 0;
        quint32 bit = 0;
        while (compte < max) {
            if (!lire(1, bit))
                return false;
            if (!bit)
                return true;
            ++compte;
        }
        return true;
    }
    qint64 position() const { return m_pos; }

private:
    const uchar* m_octets;
    qint64 m_nbBits;
    qint64 m_pos = 0;
};

class EcrivainBits
{
public:
    EcrivainBits() { m_sortie.append('\0'); }
    void ecrire(quint32 valeur, int nb)
    {
        for (int i = 0; i < nb; ++i) {
            if (m_nbBits == 0)
                m_sortie.append('\0');
            if ((valeur >> i) & 1u)
                m_sortie.data()[m_sortie.size() - 1] |= char(1u << m_nbBits);
            m_nbBits = (m_nbBits + 1) & 7;
        }
    }
    void uns(int nb) { ecrire(0xFFFFFFFFu, nb); }
    QByteArray terminer()
    {
        // marqueur : drapeau 1, classe 111, vingt bits à 1 ; bourrage à 1 ; trois 0xFF.
        uns(24);
        if (m_nbBits)
            uns(8 - m_nbBits);
        m_sortie.append(OctetsFinaux, char(0xFF));
        // Un flux vide ferait 7 octets, refusés à la lecture : un 0xFF de plus.
        if (m_sortie.size() < 8)
            m_sortie.append(char(0xFF));
        return std::move(m_sortie);
    }

private:
    QByteArray m_sortie;
    int m_nbBits = 0;
};

int classeDecalage(quint32 decalage)
{
    for (int c = 0; c < 3; ++c)
        if (decalage < AjoutDecalage[c + 1])
            return c;
    return 3;
}

// Longueur maximale codable pour une classe : v + 2^k + 1 (+1 en classe 3), k ≤ 11.
constexpr qsizetype longueurMax(int classe)
{
    return (1 << LongueurMaxPrefixe) - 1 + (1 << LongueurMaxPrefixe) + 1 + (classe == 3 ? 1 : 0);
}
constexpr qsizetype longueurMin(int classe) { return classe == 3 ? 3 : 2; }

int prefixeLongueur(qsizetype longueur, int classe)
{
    const quint32 m = quint32(longueur - 1 - (classe == 3 ? 1 : 0));
    int k = 0;
    while ((m >> (k + 1)) != 0)
        ++k;
    return k;
}

int coutCorrespondance(quint32 decalage, qsizetype longueur)
{
    const int c = classeDecalage(decalage);
    const int k = prefixeLongueur(longueur, c);
    return 1 + std::min(c + 1, 3) + BitsDecalage[c] + (k + 1) + k;
}

void ecrireCorrespondance(EcrivainBits& w, quint32 decalage, qsizetype longueur)
{
    const int c = classeDecalage(decalage);
    w.ecrire(1, 1);
    w.uns(c);
    if (c < 3)
        w.ecrire(0, 1);
    w.ecrire(decalage - AjoutDecalage[c], BitsDecalage[c]);
    const int k = prefixeLongueur(longueur, c);
    const quint32 m = quint32(longueur - 1 - (c == 3 ? 1 : 0));
    w.uns(k);
    w.ecrire(0, 1);
    w.ecrire(m - (1u << k), k);
}

} // namespace

std::optional<QByteArray> decompresserAcs(QByteArrayView flux, qsizetype tailleAttendue, ErreurFlux* erreur)
{
    auto echouer = [erreur](ErreurFlux e) -> std::optional<QByteArray> {
        if (erreur)
            *erreur = e;
        return std::nullopt;
    };
    const auto* octets = reinterpret_cast<const uchar*>(flux.data());
    const qsizetype n = flux.size();
    if (n < 8 || tailleAttendue < 0)
        return echouer(ErreurFlux::FluxTropCourt);
    if (octets[0] != 0)
        return echouer(ErreurFlux::PremierOctet);
    for (qsizetype i = n - 6; i < n; ++i)
        if (octets[i] != 0xFF)
            return echouer(ErreurFlux::FinManquante);

    QByteArray sortie(tailleAttendue, Qt::Uninitialized);
    char* out = sortie.data();
    qsizetype pos = 0;
    LecteurBits bits(octets + 1, n - 1);
    for (;;) {
        quint32 drapeau = 0;
        if (!bits.lire(1, drapeau))
            return echouer(ErreurFlux::FluxEpuise);
        if (drapeau == 0) {
            quint32 octet = 0;
            if (!bits.lire(8, octet))
                return echouer(ErreurFlux::FluxEpuise);
            if (pos >= tailleAttendue)
                return echouer(ErreurFlux::SortieDepassee);
            out[pos++] = char(octet);
            continue;
        }
        int classe = 0;
        quint32 brut = 0;
        if (!bits.compterUns(3, classe) || !bits.lire(BitsDecalage[classe], brut))
            return echouer(ErreurFlux::FluxEpuise);
        if (classe == 3 && brut == MarqueurFin) {
            if (pos != tailleAttendue)
                return echouer(ErreurFlux::SortieIncomplete);
            // L'octet du marqueur doit être suivi de trois octets au moins.
            const qint64 octetMarqueur = 1 + (bits.position() - 1) / 8;
            if (octetMarqueur + 1 + OctetsFinaux > n)
                return echouer(ErreurFlux::FinManquante);
            if (erreur)
                *erreur = ErreurFlux::Aucune;
            return sortie;
        }
        const quint64 decalage = quint64(brut) + AjoutDecalage[classe];
        int k = 0;
        if (!bits.compterUns(LongueurMaxPrefixe + 1, k))
            return echouer(ErreurFlux::FluxEpuise);
        if (k > LongueurMaxPrefixe)
            return echouer(ErreurFlux::LongueurInvalide);
        quint32 v = 0;
        if (!bits.lire(k, v))
            return echouer(ErreurFlux::FluxEpuise);
        const qsizetype longueur = qsizetype(v) + (qsizetype(1) << k) + 1 + (classe == 3 ? 1 : 0);
        if (decalage > quint64(pos))
            return echouer(ErreurFlux::DecalageHorsSortie);
        if (longueur > tailleAttendue - pos)
            return echouer(ErreurFlux::SortieDepassee);
        // Copie octet par octet : le recouvrement produit des répétitions.
        const char* source = out + pos - qsizetype(decalage);
        for (qsizetype i = 0; i < longueur; ++i)
            out[pos + i] = source[i];
        pos += longueur;
    }
}

QByteArray compresserAcsLitteraux(QByteArrayView donnees)
{
    EcrivainBits w;
    for (char c : donnees) {
        w.ecrire(0, 1);
        w.ecrire(uchar(c), 8);
    }
    return w.terminer();
}

QByteArray compresserAcs(QByteArrayView donnees)
{
    const auto* d = reinterpret_cast<const uchar*>(donnees.data());
    const qsizetype n = donnees.size();
    constexpr int BitsHachage = 15;
    constexpr int MaxCandidats = 64;
    constexpr qsizetype FenetreMax = qsizetype(MarqueurFin - 1) + 4673;
    std::vector<qint32> tete(size_t(1) << BitsHachage, -1);
    std::vector<qint32> precedent(size_t(std::max<qsizetype>(n, 1)), -1);
    auto hacher = [d](qsizetype p) {
        return ((quint32(d[p]) << 10) ^ (quint32(d[p + 1]) << 5) ^ d[p + 2]) & ((1u << BitsHachage) - 1);
    };
    auto inserer = [&](qsizetype p) {
        if (p + 2 < n) {
            const quint32 h = hacher(p);
            precedent[size_t(p)] = tete[h];
            tete[h] = qint32(p);
        }
    };

    EcrivainBits w;
    qsizetype i = 0;
    while (i < n) {
        qsizetype meilleureLongueur = 0;
        quint32 meilleurDecalage = 0;
        int meilleurGain = 0;
        auto essayer = [&](qsizetype candidat) {
            const quint32 decalage = quint32(i - candidat);
            const int c = classeDecalage(decalage);
            const qsizetype limite = std::min(longueurMax(c), n - i);
            qsizetype l = 0;
            while (l < limite && d[candidat + l] == d[i + l])
                ++l;
            if (l < longueurMin(c))
                return;
            const int gain = int(9 * l) - coutCorrespondance(decalage, l);
            if (gain > meilleurGain) {
                meilleurGain = gain;
                meilleureLongueur = l;
                meilleurDecalage = decalage;
            }
        };
        if (i + 2 < n) {
            int candidats = 0;
            for (qint32 p = tete[hacher(i)]; p >= 0 && candidats < MaxCandidats; p = precedent[size_t(p)], ++candidats) {
                if (i - p > FenetreMax)
                    break;
                essayer(p);
            }
        }
        // Correspondances de deux octets, rentables seulement à courte distance.
        if (meilleureLongueur < 3 && i + 1 < n)
            for (qsizetype decalage = 1; decalage <= std::min<qsizetype>(64, i); ++decalage)
                essayer(i - decalage);

        if (meilleureLongueur > 0) {
            ecrireCorrespondance(w, meilleurDecalage, meilleureLongueur);
            for (qsizetype p = i; p < i + meilleureLongueur; ++p)
                inserer(p);
            i += meilleureLongueur;
        } else {
            w.ecrire(0, 1);
            w.ecrire(d[i], 8);
            inserer(i);
            ++i;
        }
    }
    return w.terminer();
}
