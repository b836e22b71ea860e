#include "VerificationXml.h"

#include "Conversions.h"
#include "Erreurs.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

enum class Encodage { Utf8, Latin1, Utf16LE, Utf16BE, Utf32LE, Utf32BE };

// encoding_auto résolu comme pugixml le fait : marque d'ordre des octets, puis "<" écrit en
// UTF-32 ou UTF-16, sinon UTF-8. (Une déclaration ISO-8859-1 est déjà résolue par l'appelant.)
Encodage encodageEffectif(const QByteArray& octets, pugi::xml_encoding encodage)
{
    switch (encodage) {
    case pugi::encoding_utf8: return Encodage::Utf8;
    case pugi::encoding_latin1: return Encodage::Latin1;
    case pugi::encoding_utf16_le: return Encodage::Utf16LE;
    case pugi::encoding_utf16_be: return Encodage::Utf16BE;
    case pugi::encoding_utf32_le: return Encodage::Utf32LE;
    case pugi::encoding_utf32_be: return Encodage::Utf32BE;
    default: break;
    }
    if (octets.size() < 4)
        return Encodage::Utf8;
    const auto o = [&](int i) { return static_cast<unsigned char>(octets.at(i)); };
    if (o(0) == 0 && o(1) == 0 && o(2) == 0xFE && o(3) == 0xFF)
        return Encodage::Utf32BE;
    if (o(0) == 0xFF && o(1) == 0xFE && o(2) == 0 && o(3) == 0)
        return Encodage::Utf32LE;
    if (o(0) == 0xFE && o(1) == 0xFF)
        return Encodage::Utf16BE;
    if (o(0) == 0xFF && o(1) == 0xFE)
        return Encodage::Utf16LE;
    if (o(0) == 0 && o(1) == 0 && o(2) == 0 && o(3) == '<')
        return Encodage::Utf32BE;
    if (o(0) == '<' && o(1) == 0 && o(2) == 0 && o(3) == 0)
        return Encodage::Utf32LE;
    if (o(0) == 0 && o(1) == '<')
        return Encodage::Utf16BE;
    if (o(0) == '<' && o(1) == 0)
        return Encodage::Utf16LE;
    return Encodage::Utf8;
}

QString prefixe(const QString& chemin)
{
    return QStringLiteral("Le fichier « %1 » n'est pas un document XML valide : ").arg(chemin);
}

QString codePoint(char32_t c)
{
    return QStringLiteral("U+%1").arg(quint32(c), 4, 16, QLatin1Char('0')).toUpper();
}

// Ligne (comptée depuis 1) de la position : CR LF, LF ou CR finissent une ligne.
template<typename Texte>
qsizetype ligneDe(const Texte& texte, qsizetype position)
{
    qsizetype ligne = 1;
    for (qsizetype i = 0; i < position && i < texte.size(); ++i) {
        if (texte.at(i) == u'\n' || (texte.at(i) == u'\r' && (i + 1 >= texte.size() || texte.at(i + 1) != u'\n')))
            ++ligne;
    }
    return ligne;
}

// ------------------------------------------------------------ UTF-16 et UTF-32

// Décode en vérifiant chaque unité ; une faute lève EXmlErreur avec la ligne du texte décodé.
QString decoderUtf16(const QString& chemin, const QByteArray& octets, bool grosBout)
{
    const auto* p = reinterpret_cast<const unsigned char*>(octets.constData());
    const qsizetype n = octets.size() / 2;
    QString texte(n, Qt::Uninitialized);
    char16_t* sortie = reinterpret_cast<char16_t*>(texte.data());
    for (qsizetype i = 0; i < n; ++i)
        sortie[i] = grosBout ? char16_t(p[2 * i] << 8 | p[2 * i + 1]) : char16_t(p[2 * i + 1] << 8 | p[2 * i]);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = sortie[i];
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(sortie[i + 1])) {
            ++i;
        } else if (QChar::isSurrogate(u)) {
            throw EXmlErreur(prefixe(chemin)
                             + QStringLiteral("la ligne %1 contient un demi-caractère UTF-16 isolé (%2).")
                                   .arg(ligneDe(texte, i))
                                   .arg(codePoint(u)));
        }
    }
    if (octets.size() % 2 != 0)
        throw EXmlErreur(prefixe(chemin) + raisonFichierCoupe());
    return texte;
}

QString decoderUtf32(const QString& chemin, const QByteArray& octets, bool grosBout)
{
    const auto* p = reinterpret_cast<const unsigned char*>(octets.constData());
    const qsizetype n = octets.size() / 4;
    QString texte;
    texte.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char* q = p + 4 * i;
        const char32_t c = grosBout ? char32_t(q[0]) << 24 | char32_t(q[1]) << 16 | char32_t(q[2]) << 8 | q[3]
                                    : char32_t(q[3]) << 24 | char32_t(q[2]) << 16 | char32_t(q[1]) << 8 | q[0];
        if (c > 0x10FFFF || QChar::isSurrogate(c)) {
            throw EXmlErreur(prefixe(chemin)
                             + QStringLiteral("la ligne %1 contient la valeur %2, qui n'est pas un caractère UTF-32.")
                                   .arg(ligneDe(texte, texte.size()))
                                   .arg(codePoint(c)));
        }
        texte.append(QChar::fromUcs4(c));
    }
    if (octets.size() % 4 != 0)
        throw EXmlErreur(prefixe(chemin) + raisonFichierCoupe());
    return texte;
}

// ------------------------------------------------------------ UTF-8

// Genre d'un octet pour l'examen : la plupart sont ordinaires et passent sans autre test.
enum Genre : std::uint8_t {
    Ordinaire,
    Controle,    // contrôle interdit (tout sauf tabulation, LF, CR)
    NonAscii,    // début d'une séquence UTF-8 (ou octet invalide)
    Esperluette, // peut-être une référence de caractère
    Ouverture,   // "!" ou "?" : après "<", début d'un commentaire, d'une section CDATA, d'une instruction
    Fin,         // peut-être la fin du commentaire, de la section ou de l'instruction en cours
};

using TableGenres = std::array<std::uint8_t, 256>;

// Dans le texte, les balises et la DOCTYPE, "&", "!" et "?" comptent (pas "<" : les balises
// ordinaires, de loin les plus nombreuses, passent par le chemin rapide) ; ailleurs, seule la
// fin compte.
constexpr TableGenres tableGenres(char fin)
{
    TableGenres t{};
    for (int c = 0; c < 0x20; ++c)
        t[c] = (c == '\t' || c == '\n' || c == '\r') ? Ordinaire : Controle;
    for (int c = 0x80; c < 0x100; ++c)
        t[c] = NonAscii;
    if (fin == 0) {
        t['&'] = Esperluette;
        t['!'] = Ouverture;
        t['?'] = Ouverture;
    } else {
        t[static_cast<unsigned char>(fin)] = Fin;
    }
    return t;
}

constexpr TableGenres k_texte = tableGenres(0);
constexpr TableGenres k_commentaire = tableGenres('-');
constexpr TableGenres k_cdata = tableGenres(']');
constexpr TableGenres k_instruction = tableGenres('?');

bool commencePar(const unsigned char* p, qsizetype reste, const char* motif)
{
    const auto longueur = qsizetype(std::strlen(motif));
    return reste >= longueur && std::memcmp(p, motif, size_t(longueur)) == 0;
}

enum class Sequence { Valide, Invalide, Coupee };

// Séquence UTF-8 bien formée au sens strict (ni forme trop longue, ni demi-caractère UTF-16,
// ni valeur au-delà de U+10FFFF) ; rend sa longueur et le caractère. Coupee : bien commencée
// mais interrompue par la fin du texte.
Sequence lireUtf8(const unsigned char* p, qsizetype reste, int& longueur, char32_t& c)
{
    const unsigned char tete = p[0];
    unsigned char min = 0x80;
    unsigned char max = 0xBF;
    if (tete >= 0xC2 && tete <= 0xDF) {
        longueur = 2;
        c = tete & 0x1F;
    } else if (tete >= 0xE0 && tete <= 0xEF) {
        longueur = 3;
        c = tete & 0x0F;
        if (tete == 0xE0)
            min = 0xA0;
        else if (tete == 0xED)
            max = 0x9F;
    } else if (tete >= 0xF0 && tete <= 0xF4) {
        longueur = 4;
        c = tete & 0x07;
        if (tete == 0xF0)
            min = 0x90;
        else if (tete == 0xF4)
            max = 0x8F;
    } else {
        return Sequence::Invalide;
    }
    for (int k = 1; k < longueur; ++k) {
        if (k >= reste)
            return Sequence::Coupee;
        if (p[k] < min || p[k] > max)
            return Sequence::Invalide;
        min = 0x80;
        max = 0xBF;
        c = c << 6 | (p[k] & 0x3F);
    }
    return Sequence::Valide;
}

int valeurChiffre(unsigned char c, bool hexa)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (hexa && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
        return (c | 0x20) - 'a' + 10;
    return -1;
}

// Référence de caractère commençant à p ("&#65;", "&#x41;"), lue comme pugixml la lit ;
// longueur 0 quand ce n'en est pas une (pugixml la laisse alors comme texte).
struct Reference
{
    qsizetype longueur = 0;
    char32_t valeur = 0; // plafonnée à 0x110000 : au-delà, aucune n'est un caractère
};

Reference lireReference(const unsigned char* p, qsizetype reste)
{
    Reference r;
    if (reste < 3 || p[1] != '#')
        return r;
    qsizetype j = 2;
    const bool hexa = p[j] == 'x';
    if (hexa)
        ++j;
    const qsizetype debutChiffres = j;
    char32_t valeur = 0;
    for (; j < reste; ++j) {
        const int chiffre = valeurChiffre(p[j], hexa);
        if (chiffre < 0)
            break;
        valeur = qMin<char32_t>(valeur * (hexa ? 16 : 10) + char32_t(chiffre), 0x110000);
    }
    if (j == debutChiffres || j >= reste || p[j] != ';')
        return r;
    r.longueur = j + 1;
    r.valeur = valeur;
    return r;
}

bool caractereAdmis(char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    return c > 0xFFFF || !caractereInterditXml(char16_t(c));
}

// Vrai quand l'un des huit octets n'est peut-être pas ordinaire dans le texte : non ASCII,
// contrôle (tabulation et fins de ligne comprises), "&", "!" ou "?".
bool motAExaminer(const unsigned char* p)
{
    constexpr std::uint64_t un = 0x0101010101010101ull;
    constexpr std::uint64_t haut = 0x8080808080808080ull;
    std::uint64_t mot;
    std::memcpy(&mot, p, sizeof mot);
    const auto octetNul = [&](std::uint64_t v) { return (v - un) & ~v & haut; };
    const std::uint64_t sousEspace = (mot - un * 0x20) & ~mot & haut;
    return ((mot & haut) | sousEspace | octetNul(mot ^ (un * '&')) | octetNul(mot ^ (un * '!'))
            | octetNul(mot ^ (un * '?')))
           != 0;
}

// Première faute du texte UTF-8, ou position -1.
struct Faute
{
    qsizetype position = -1;
    QString raison;          // "la ligne %1 contient ..." : %1 reçoit la ligne
    bool finDuTexte = false; // texte coupé : aucune ligne à nommer
};

Faute chercherFaute(const QByteArray& octets)
{
    const auto* p = reinterpret_cast<const unsigned char*>(octets.constData());
    const qsizetype n = octets.size();
    const TableGenres* table = &k_texte;
    const char* finZone = nullptr; // fin du commentaire, de la section ou de l'instruction en cours
    qsizetype i = 0;
    while (i < n) {
        // Chemin rapide : huit octets d'ASCII ordinaire à la fois, dans le texte et les balises.
        if (table == &k_texte) {
            while (i + 8 <= n && !motAExaminer(p + i))
                i += 8;
        }
        // Puis au plus un mot octet par octet : une tabulation ou une fin de ligne n'arrête que lui.
        const qsizetype borne = qMin(n, i + 8);
        while (i < borne && (*table)[p[i]] == Ordinaire)
            ++i;
        if (i == borne)
            continue;
        switch ((*table)[p[i]]) {
        case Controle:
            return {i, QStringLiteral("la ligne %1 contient le caractère de contrôle ") + codePoint(p[i])
                           + QStringLiteral(", interdit en XML.")};
        case NonAscii: {
            int longueur = 0;
            char32_t c = 0;
            const Sequence sequence = lireUtf8(p + i, n - i, longueur, c);
            if (sequence == Sequence::Coupee)
                return {i, raisonFichierCoupe(), true};
            if (sequence == Sequence::Invalide) {
                return {i, QStringLiteral("la ligne %1 contient des octets qui ne sont pas de l'UTF-8 valide ; le "
                                          "fichier a sans doute été enregistré dans un autre encodage.")};
            }
            if (!caractereAdmis(c))
                return {i, QStringLiteral("la ligne %1 contient le caractère ") + codePoint(c)
                               + QStringLiteral(", interdit en XML.")};
            i += longueur;
            break;
        }
        case Esperluette: {
            const Reference r = lireReference(p + i, n - i);
            if (r.longueur > 0 && !caractereAdmis(r.valeur)) {
                const QString texte = QString::fromLatin1(reinterpret_cast<const char*>(p + i), qMin<qsizetype>(r.longueur, 16));
                return {i, QStringLiteral("la ligne %1 contient la référence « ") + texte
                               + QStringLiteral(" » à un caractère interdit en XML.")};
            }
            i += qMax<qsizetype>(r.longueur, 1);
            break;
        }
        case Ouverture:
            // Les références n'y sont pas reconnues : "&#1;" y est du texte.
            if (i == 0 || p[i - 1] != '<') {
                ++i;
            } else if (commencePar(p + i, n - i, "!--")) {
                table = &k_commentaire;
                finZone = "-->";
                i += 3;
            } else if (commencePar(p + i, n - i, "![CDATA[")) {
                table = &k_cdata;
                finZone = "]]>";
                i += 8;
            } else if (p[i] == '?') {
                table = &k_instruction;
                finZone = "?>";
                ++i;
            } else {
                ++i; // DOCTYPE ou autre déclaration : examinée comme le texte
            }
            break;
        case Fin:
            if (commencePar(p + i, n - i, finZone)) {
                i += qsizetype(std::strlen(finZone));
                table = &k_texte;
                finZone = nullptr;
            } else {
                ++i;
            }
            break;
        default:
            ++i;
            break;
        }
    }
    return {};
}

} // namespace

QString raisonFichierCoupe()
{
    return QStringLiteral("le fichier se termine avant la fin du document ; il a sans doute été coupé.");
}

void ramenerEnUtf8Verifie(const QString& chemin, QByteArray& octets, pugi::xml_encoding encodage)
{
    switch (encodageEffectif(octets, encodage)) {
    case Encodage::Utf8: break;
    case Encodage::Latin1: octets = QString::fromLatin1(octets).toUtf8(); break;
    case Encodage::Utf16LE: octets = decoderUtf16(chemin, octets, false).toUtf8(); break;
    case Encodage::Utf16BE: octets = decoderUtf16(chemin, octets, true).toUtf8(); break;
    case Encodage::Utf32LE: octets = decoderUtf32(chemin, octets, false).toUtf8(); break;
    case Encodage::Utf32BE: octets = decoderUtf32(chemin, octets, true).toUtf8(); break;
    }
    // Un texte transcodé garde ses fins de ligne : la ligne nommée est celle du fichier.
    const Faute faute = chercherFaute(octets);
    if (faute.position >= 0) {
        const QString raison = faute.finDuTexte ? faute.raison : faute.raison.arg(ligneDe(octets, faute.position));
        throw EXmlErreur(prefixe(chemin) + raison);
    }
}
