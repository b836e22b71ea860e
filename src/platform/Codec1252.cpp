#include "Codec1252.h"

#include <array>
#include <cstring>

namespace {

// Caractères des octets 0x80 à 0x9F ; les cinq octets non définis gardent leur propre valeur.
constexpr std::array<char16_t, 32> k_plage80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

struct TableInverse
{
    // Caractères hors de U+0000..U+00FF représentés dans la page de code, triés.
    std::array<char16_t, 32> caracteres{};
    std::array<char, 32> octets{};
    int taille = 0;
    // Octet de chaque caractère U+0080..U+009F, 0 quand il n'est pas représentable.
    std::array<char, 32> controles{};

    constexpr TableInverse()
    {
        for (int i = 0; i < 32; ++i) {
            const char16_t c = k_plage80[i];
            const char octet = char(0x80 + i);
            if (c < 0x100) {
                controles[c - 0x80] = octet;
                continue;
            }
            int j = taille++;
            while (j > 0 && caracteres[j - 1] > c) {
                caracteres[j] = caracteres[j - 1];
                octets[j] = octets[j - 1];
                --j;
            }
            caracteres[j] = c;
            octets[j] = octet;
        }
    }

    char octetDe(char16_t c) const
    {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
            return char(c);
        if (c < 0xA0)
            return controles[c - 0x80] ? controles[c - 0x80] : '?';
        int bas = 0;
        int haut = taille - 1;
        while (bas <= haut) {
            const int milieu = (bas + haut) / 2;
            if (caracteres[milieu] == c)
                return octets[milieu];
            if (caracteres[milieu] < c)
                bas = milieu + 1;
            else
                haut = milieu - 1;
        }
        return '?';
    }
};

constexpr TableInverse k_inverse;

} // namespace

char* ecrireAnsi(QStringView texte, char* sortie)
{
    const char16_t* c = texte.utf16();
    const char16_t* const fin = c + texte.size();
    for (; c != fin; ++c) {
        const char16_t u = *c;
        if (u < 0x80) {
            *sortie++ = char(u);
            continue;
        }
        // Une paire de substitution est un seul caractère absent de la page de code.
        if (QChar::isHighSurrogate(u) && c + 1 != fin && QChar::isLowSurrogate(c[1]))
            ++c;
        *sortie++ = k_inverse.octetDe(*c);
    }
    return sortie;
}

QByteArray versAnsi(QStringView texte)
{
    QByteArray resultat(texte.size(), Qt::Uninitialized);
    resultat.truncate(ecrireAnsi(texte, resultat.data()) - resultat.constData());
    return resultat;
}

namespace {

// Caractère de chaque octet.
constexpr std::array<char16_t, 256> k_caracteres = [] {
    std::array<char16_t, 256> table{};
    for (int u = 0; u < 256; ++u)
        table[u] = u >= 0x80 && u < 0xA0 ? k_plage80[u - 0x80] : char16_t(u);
    return table;
}();

QString decoderAnsi(const char* octets, qsizetype n)
{
    QString texte(n, Qt::Uninitialized);
    char16_t* sortie = reinterpret_cast<char16_t*>(texte.data());
    for (qsizetype i = 0; i < n; ++i)
        sortie[i] = k_caracteres[static_cast<unsigned char>(octets[i])];
    return texte;
}

} // namespace

QString depuisAnsi(QByteArrayView octets)
{
    return decoderAnsi(octets.data(), octets.size());
}

QStringList lignesDepuisAnsi(QByteArrayView octets)
{
    QStringList lignes;
    const char* p = octets.data();
    const char* const fin = p + octets.size();
    while (p != fin) {
        // Fin de ligne : le premier CR ou LF (un CR suivi d'un LF n'en fait qu'une).
        const auto* lf = static_cast<const char*>(std::memchr(p, '\n', size_t(fin - p)));
        const char* borne = lf ? lf : fin;
        const auto* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(borne - p)));
        const char* finLigne = cr ? cr : borne;
        lignes.append(decoderAnsi(p, finLigne - p));
        if (finLigne == fin)
            break;
        p = finLigne + 1;
        if (*finLigne == '\r' && p != fin && *p == '\n')
            ++p;
    }
    return lignes;
}

QString normaliserAnsi(const QString& texte)
{
    return depuisAnsi(versAnsi(texte));
}
