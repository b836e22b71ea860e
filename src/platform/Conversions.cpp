#include "Conversions.h"

#include "Erreurs.h"
#include "ParametresRegionaux.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

QString guillemets(const QString& texte)
{
    return u'\'' + texte + u'\'';
}

[[noreturn]] void entierIncorrect(const QString& texte)
{
    throw EConvertError(guillemets(texte) + QStringLiteral(" n'est pas une valeur entière correcte"));
}

[[noreturn]] void reelIncorrect(const QString& texte)
{
    throw EConvertError(guillemets(texte)
                        + QStringLiteral(" n'est pas une valeur en virgule flottante correcte"));
}

int valeurHexa(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Décomposition décimale d'un double positif fini : valeur = 0,chiffres × 10^exposant.
struct Decimale
{
    std::string chiffres; // sans zéros de tête
    int exposant = 0;     // nombre de chiffres avant la virgule
};

Decimale decomposer(double valeur, int chiffresSignificatifs)
{
    // to_chars ignore la locale C du processus, contrairement à printf.
    char tampon[64];
    const auto resultat = std::to_chars(tampon, tampon + sizeof tampon, valeur, std::chars_format::scientific,
                                        chiffresSignificatifs - 1);
    // Forme "d.ddddde±xx"
    Decimale d;
    const char* p = tampon;
    for (; p != resultat.ptr && *p != 'e'; ++p) {
        if (*p != '.')
            d.chiffres.push_back(*p);
    }
    const char* exposant = p + 1;
    if (exposant != resultat.ptr && *exposant == '+')
        ++exposant; // from_chars ne lit pas le '+'
    std::from_chars(exposant, resultat.ptr, d.exposant);
    ++d.exposant;
    return d;
}

void retirerZerosFinaux(std::string& chiffres)
{
    while (chiffres.size() > 1 && chiffres.back() == '0')
        chiffres.pop_back();
}

// Chiffres entiers de valeur × 10^decimales, arrondis à mi-chemin loin de zéro
// sur le développement à 17 chiffres significatifs.
std::string arrondirFixe(double valeur, int decimales)
{
    if (valeur == 0)
        return "0";
    const Decimale d = decomposer(valeur, 17);
    const int garder = d.exposant + decimales;
    if (garder < 0)
        return "0";
    std::string resultat;
    if (garder >= int(d.chiffres.size())) {
        resultat = d.chiffres + std::string(garder - d.chiffres.size(), '0');
        return resultat;
    }
    resultat = d.chiffres.substr(0, garder);
    if (d.chiffres[garder] >= '5') {
        int i = int(resultat.size()) - 1;
        while (i >= 0 && resultat[i] == '9')
            resultat[i--] = '0';
        if (i < 0)
            resultat.insert(resultat.begin(), '1');
        else
            ++resultat[i];
    }
    if (resultat.empty())
        resultat = "0";
    return resultat;
}

QString texteSpecial(double valeur)
{
    if (std::isnan(valeur))
        return QStringLiteral("NAN");
    return valeur < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// Motif simple : [#,0]* puis éventuellement '.' et [0#]*.
struct Motif
{
    bool groupement = false;
    int entiersMin = 0;
    int decimalesMin = 0;
    int decimalesMax = 0;
};

Motif analyserMotif(const QString& motif)
{
    Motif m;
    bool apresPoint = false;
    for (QChar c : motif) {
        if (c == u'.' && !apresPoint) {
            apresPoint = true;
        } else if (c == u'0' || c == u'#') {
            if (apresPoint) {
                ++m.decimalesMax;
                if (c == u'0')
                    m.decimalesMin = m.decimalesMax;
            } else if (c == u'0') {
                ++m.entiersMin;
            }
        } else if (c == u',' && !apresPoint) {
            m.groupement = true;
        } else {
            throw EConvertError(QStringLiteral("Motif de format non pris en charge : ") + motif);
        }
    }
    return m;
}

QString grouper(const QString& entiers, QChar separateur)
{
    QString resultat;
    resultat.reserve(entiers.size() + entiers.size() / 3);
    for (qsizetype i = 0; i < entiers.size(); ++i) {
        if (i > 0 && (entiers.size() - i) % 3 == 0)
            resultat.append(separateur);
        resultat.append(entiers.at(i));
    }
    return resultat;
}

// Au plus 15 chiffres, sans exposant : mantisse et puissance de dix sont exactes, leur quotient
// est arrondi au plus près, comme from_chars le ferait du texte.
constexpr int k_chiffresExacts = 15;

double valeurExacte(quint64 mantisse, int decimales, bool negatif)
{
    static constexpr double k_puissances[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const double lu = double(mantisse) / k_puissances[decimales];
    return negatif ? -lu : lu;
}

// Lecture d'un réel : blancs autour, signe, chiffres, un séparateur décimal, exposant.
bool lireReel(const QString& texte, bool deuxSeparateurs, double& valeur)
{
    const QChar separateur = ParametresRegionaux::courants().separateurDecimal;
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && (texte.at(debut) == u' ' || texte.at(debut) == u'\t'))
        ++debut;
    while (fin > debut && (texte.at(fin - 1) == u' ' || texte.at(fin - 1) == u'\t'))
        --fin;

    std::string ascii;
    ascii.reserve(fin - debut);
    qsizetype i = debut;
    if (i < fin && (texte.at(i) == u'+' || texte.at(i) == u'-'))
        ascii.push_back(char(texte.at(i++).unicode()));
    int chiffres = 0;
    int decimales = 0;
    quint64 mantisse = 0;
    bool virgule = false;
    for (; i < fin; ++i) {
        const QChar c = texte.at(i);
        if (c >= u'0' && c <= u'9') {
            ascii.push_back(char(c.unicode()));
            ++chiffres;
            decimales += virgule;
            mantisse = mantisse * 10 + (c.unicode() - u'0');
        } else if (!virgule && (c == separateur || (deuxSeparateurs && (c == u',' || c == u'.')))) {
            ascii.push_back('.');
            virgule = true;
        } else {
            break;
        }
    }
    if (chiffres == 0)
        return false;
    bool exposantNegatif = false;
    if (i < fin && (texte.at(i) == u'E' || texte.at(i) == u'e')) {
        ascii.push_back('e');
        ++i;
        if (i < fin && (texte.at(i) == u'+' || texte.at(i) == u'-')) {
            exposantNegatif = texte.at(i) == u'-';
            ascii.push_back(char(texte.at(i++).unicode()));
        }
        int chiffresExposant = 0;
        for (; i < fin && texte.at(i) >= u'0' && texte.at(i) <= u'9'; ++i, ++chiffresExposant)
            ascii.push_back(char(texte.at(i).unicode()));
        if (chiffresExposant == 0)
            return false;
    }
    if (i != fin)
        return false;

    const bool negatif = ascii.front() == '-';
    if (chiffres <= k_chiffresExacts && ascii.find('e') == std::string::npos) {
        valeur = valeurExacte(mantisse, decimales, negatif);
        return true;
    }

    // from_chars ne lit pas le '+' de tête.
    const char* premier = ascii.data();
    if (ascii.front() == '+' || negatif)
        ++premier;
    double lu = 0;
    const auto [fin_lue, erreur] = std::from_chars(premier, ascii.data() + ascii.size(), lu);
    if (erreur == std::errc::result_out_of_range) {
        // Trop petit : zéro ; trop grand : erreur.
        if (!exposantNegatif)
            return false;
        lu = 0;
    } else if (erreur != std::errc() || fin_lue != ascii.data() + ascii.size()) {
        return false;
    }
    valeur = negatif ? -lu : lu;
    return true;
}

struct CouleurNommee
{
    TColor valeur;
    const char16_t* nom;
};

constexpr TColor systeme(int numero)
{
    return TColor(0x80000000u + unsigned(numero));
}

// Table des couleurs nommées de la boîte à outils, dans son ordre.
constexpr CouleurNommee k_couleurs[] = {
    {0x000000, u"clBlack"},
    {0x000080, u"clMaroon"},
    {0x008000, u"clGreen"},
    {0x008080, u"clOlive"},
    {0x800000, u"clNavy"},
    {0x800080, u"clPurple"},
    {0x808000, u"clTeal"},
    {0x808080, u"clGray"},
    {0xC0C0C0, u"clSilver"},
    {0x0000FF, u"clRed"},
    {0x00FF00, u"clLime"},
    {0x00FFFF, u"clYellow"},
    {0xFF0000, u"clBlue"},
    {0xFF00FF, u"clFuchsia"},
    {0xFFFF00, u"clAqua"},
    {0xFFFFFF, u"clWhite"},
    {0xC0DCC0, u"clMoneyGreen"},
    {0xF0CAA6, u"clSkyBlue"},
    {0xF0FBFF, u"clCream"},
    {0xA4A0A0, u"clMedGray"},
    {systeme(0), u"clScrollBar"},
    {systeme(1), u"clBackground"},
    {systeme(2), u"clActiveCaption"},
    {systeme(3), u"clInactiveCaption"},
    {systeme(4), u"clMenu"},
    {systeme(5), u"clWindow"},
    {systeme(6), u"clWindowFrame"},
    {systeme(7), u"clMenuText"},
    {systeme(8), u"clWindowText"},
    {systeme(9), u"clCaptionText"},
    {systeme(10), u"clActiveBorder"},
    {systeme(11), u"clInactiveBorder"},
    {systeme(12), u"clAppWorkSpace"},
    {systeme(13), u"clHighlight"},
    {systeme(14), u"clHighlightText"},
    {systeme(15), u"clBtnFace"},
    {systeme(16), u"clBtnShadow"},
    {systeme(17), u"clGrayText"},
    {systeme(18), u"clBtnText"},
    {systeme(19), u"clInactiveCaptionText"},
    {systeme(20), u"clBtnHighlight"},
    {systeme(21), u"cl3DDkShadow"},
    {systeme(22), u"cl3DLight"},
    {systeme(23), u"clInfoText"},
    {systeme(24), u"clInfoBk"},
    {systeme(26), u"clHotLight"},
    {systeme(27), u"clGradientActiveCaption"},
    {systeme(28), u"clGradientInactiveCaption"},
    {systeme(29), u"clMenuHighlight"},
    {systeme(30), u"clMenuBar"},
    {0x1FFFFFFF, u"clNone"},
    {0x20000000, u"clDefault"},
};

// Valeurs classiques des couleurs système 0 à 30 (apparence Windows classique).
constexpr TColor k_couleursSysteme[31] = {
    RGBCouleur(212, 208, 200), // 0 barre de défilement
    RGBCouleur(58, 110, 165),  // 1 bureau
    RGBCouleur(10, 36, 106),   // 2 titre actif
    RGBCouleur(128, 128, 128), // 3 titre inactif
    RGBCouleur(212, 208, 200), // 4 menu
    RGBCouleur(255, 255, 255), // 5 fenêtre
    RGBCouleur(0, 0, 0),       // 6 cadre de fenêtre
    RGBCouleur(0, 0, 0),       // 7 texte de menu
    RGBCouleur(0, 0, 0),       // 8 texte de fenêtre
    RGBCouleur(255, 255, 255), // 9 texte de titre
    RGBCouleur(212, 208, 200), // 10 bordure active
    RGBCouleur(212, 208, 200), // 11 bordure inactive
    RGBCouleur(128, 128, 128), // 12 espace de travail
    RGBCouleur(10, 36, 106),   // 13 sélection
    RGBCouleur(255, 255, 255), // 14 texte sélectionné
    RGBCouleur(212, 208, 200), // 15 face de bouton
    RGBCouleur(128, 128, 128), // 16 ombre de bouton
    RGBCouleur(128, 128, 128), // 17 texte grisé
    RGBCouleur(0, 0, 0),       // 18 texte de bouton
    RGBCouleur(212, 208, 200), // 19 texte de titre inactif
    RGBCouleur(255, 255, 255), // 20 reflet de bouton
    RGBCouleur(64, 64, 64),    // 21 ombre 3D sombre
    RGBCouleur(212, 208, 200), // 22 lumière 3D
    RGBCouleur(0, 0, 0),       // 23 texte d'info-bulle
    RGBCouleur(255, 255, 225), // 24 fond d'info-bulle
    RGBCouleur(180, 180, 180), // 25 sans usage
    RGBCouleur(0, 0, 128),     // 26 lien survolé
    RGBCouleur(166, 202, 240), // 27 dégradé du titre actif
    RGBCouleur(192, 192, 192), // 28 dégradé du titre inactif
    RGBCouleur(10, 36, 106),   // 29 sélection de menu
    RGBCouleur(212, 208, 200), // 30 barre de menu
};

} // namespace

QString IntToStr(qint64 valeur)
{
    return QString::number(valeur);
}

int StrToInt(const QString& texte)
{
    qsizetype i = 0;
    const qsizetype n = texte.size();
    while (i < n && texte.at(i) == u' ')
        ++i;
    bool negatif = false;
    if (i < n && (texte.at(i) == u'+' || texte.at(i) == u'-'))
        negatif = texte.at(i++) == u'-';

    bool hexa = false;
    if (i < n && texte.at(i) == u'$') {
        hexa = true;
        ++i;
    } else if (i + 1 < n && texte.at(i) == u'0' && (texte.at(i + 1) == u'x' || texte.at(i + 1) == u'X')) {
        hexa = true;
        i += 2;
    }
    if (i == n)
        entierIncorrect(texte);

    quint64 valeur = 0;
    for (; i < n; ++i) {
        const int chiffre = valeurHexa(texte.at(i));
        if (chiffre < 0 || (!hexa && chiffre > 9))
            entierIncorrect(texte);
        valeur = valeur * (hexa ? 16 : 10) + quint64(chiffre);
        if (valeur > 0xFFFFFFFFull)
            entierIncorrect(texte);
    }
    if (hexa) {
        // La forme hexadécimale couvre les 32 bits : "$80000005" est négatif.
        const auto bits = quint32(valeur);
        return negatif ? -qint32(bits) : qint32(bits);
    }
    if (negatif) {
        if (valeur > 0x80000000ull)
            entierIncorrect(texte);
        return int(-qint64(valeur));
    }
    if (valeur > 0x7FFFFFFFull)
        entierIncorrect(texte);
    return int(valeur);
}

QString FormatFloat(const QString& motif, double valeur)
{
    if (!std::isfinite(valeur))
        return texteSpecial(valeur);
    const Motif m = analyserMotif(motif);
    const ParametresRegionaux& p = ParametresRegionaux::courants();

    const std::string chiffres = arrondirFixe(std::fabs(valeur), m.decimalesMax);
    // Les decimalesMax derniers chiffres sont les décimales.
    const size_t coupure = chiffres.size() > size_t(m.decimalesMax) ? chiffres.size() - m.decimalesMax : 0;
    QString entiers = QString::fromLatin1(chiffres.substr(0, coupure));
    QString decimales = QString::fromLatin1(chiffres.substr(coupure)).rightJustified(m.decimalesMax, u'0');
    while (decimales.size() > m.decimalesMin && decimales.endsWith(u'0'))
        decimales.chop(1);
    while (entiers.startsWith(u'0'))
        entiers.remove(0, 1);
    if (entiers.size() < m.entiersMin)
        entiers = entiers.rightJustified(m.entiersMin, u'0');
    if (m.groupement)
        entiers = grouper(entiers, p.separateurMilliers);

    QString resultat = entiers;
    if (!decimales.isEmpty())
        resultat += p.separateurDecimal + decimales;
    if (resultat.isEmpty())
        resultat = QStringLiteral("0");
    // Un montant arrondi à zéro ne garde pas de signe.
    const bool zero = chiffres.find_first_not_of('0') == std::string::npos;
    if (valeur < 0 && !zero)
        resultat.prepend(u'-');
    return resultat;
}

QString FloatToStr(double valeur)
{
    if (!std::isfinite(valeur))
        return texteSpecial(valeur);
    if (valeur == 0)
        return QStringLiteral("0");
    const QChar separateur = ParametresRegionaux::courants().separateurDecimal;
    // Un nombre exact de centimes (un prix) : ses 15 chiffres significatifs sont ceux des centimes,
    // écrits sans passer par le développement décimal complet.
    const double absolu = std::fabs(valeur);
    if (absolu < 1e11) {
        const double centiemes = std::round(absolu * 100);
        if (centiemes / 100 == absolu) {
            // Écrit de droite à gauche : centimes sans zéro final, séparateur, partie entière, signe.
            char16_t tampon[24];
            char16_t* debut = std::end(tampon);
            auto c = qint64(centiemes);
            if (const int decimales = int(c % 100); decimales != 0) {
                if (decimales % 10 != 0)
                    *--debut = char16_t(u'0' + decimales % 10);
                *--debut = char16_t(u'0' + decimales / 10);
                *--debut = separateur.unicode();
            }
            c /= 100;
            do {
                *--debut = char16_t(u'0' + c % 10);
                c /= 10;
            } while (c != 0);
            if (valeur < 0)
                *--debut = u'-';
            return QString(reinterpret_cast<const QChar*>(debut), std::end(tampon) - debut);
        }
    }
    Decimale d = decomposer(absolu, 15);
    retirerZerosFinaux(d.chiffres);
    const int taille = int(d.chiffres.size());

    QString resultat = valeur < 0 ? QStringLiteral("-") : QString();
    if (d.exposant < -4 || d.exposant > 15) {
        // Forme exponentielle : 1,5E20, 1E-6.
        resultat += QChar(char16_t(d.chiffres[0]));
        if (taille > 1)
            resultat += separateur + QString::fromLatin1(d.chiffres.substr(1));
        resultat += u'E' + QString::number(d.exposant - 1);
    } else if (d.exposant <= 0) {
        resultat += u'0' + QString(separateur) + QString(-d.exposant, u'0') + QString::fromLatin1(d.chiffres);
    } else if (d.exposant >= taille) {
        resultat += QString::fromLatin1(d.chiffres) + QString(d.exposant - taille, u'0');
    } else {
        resultat += QString::fromLatin1(d.chiffres.substr(0, d.exposant)) + separateur
                    + QString::fromLatin1(d.chiffres.substr(d.exposant));
    }
    return resultat;
}

double StrToFloat(const QString& texte)
{
    double valeur = 0;
    if (!lireReel(texte, false, valeur))
        reelIncorrect(texte);
    return valeur;
}

bool lireReelSimple(const char* debut, const char* fin, double& valeur)
{
    while (debut != fin && (*debut == ' ' || *debut == '\t'))
        ++debut;
    while (fin != debut && (fin[-1] == ' ' || fin[-1] == '\t'))
        --fin;
    bool negatif = false;
    if (debut != fin && (*debut == '+' || *debut == '-'))
        negatif = *debut++ == '-';
    quint64 mantisse = 0;
    int chiffres = 0;
    int decimales = 0;
    bool virgule = false;
    for (; debut != fin; ++debut) {
        const char c = *debut;
        if (c >= '0' && c <= '9') {
            mantisse = mantisse * 10 + quint64(c - '0');
            ++chiffres;
            decimales += virgule;
        } else if (!virgule && (c == ',' || c == '.')) {
            virgule = true;
        } else {
            return false;
        }
    }
    if (chiffres == 0 || chiffres > k_chiffresExacts)
        return false;
    valeur = valeurExacte(mantisse, decimales, negatif);
    return true;
}

double StrToFloatDeuxSeparateurs(const QString& texte)
{
    double valeur = 0;
    if (!lireReel(texte, true, valeur))
        reelIncorrect(texte);
    return valeur;
}

QString DateTimeToStr(const QDateTime& moment)
{
    const ParametresRegionaux& p = ParametresRegionaux::courants();
    return moment.date().toString(p.formatDateCourte) + u' ' + moment.time().toString(p.formatHeureLongue);
}

QString ColorToString(TColor couleur)
{
    for (const CouleurNommee& c : k_couleurs) {
        if (c.valeur == couleur)
            return QString::fromUtf16(c.nom);
    }
    return u'$' + QStringLiteral("%1").arg(quint32(couleur), 8, 16, QChar(u'0')).toUpper();
}

bool IdentToColor(const QString& ident, TColor& couleur)
{
    for (const CouleurNommee& c : k_couleurs) {
        if (ident.compare(QStringView(c.nom), Qt::CaseInsensitive) == 0) {
            couleur = c.valeur;
            return true;
        }
    }
    return false;
}

TColor StringToColor(const QString& texte)
{
    TColor couleur = 0;
    if (IdentToColor(texte, couleur))
        return couleur;
    return StrToInt(texte);
}

TColor ColorToRGB(TColor couleur)
{
    if (couleur >= 0)
        return couleur;
    const int numero = couleur & 0xFF;
    return numero < 31 ? k_couleursSysteme[numero] : clBlack;
}

QRgb versQRgb(TColor couleurRGB)
{
    const TColor c = ColorToRGB(couleurRGB);
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TColor depuisQRgb(QRgb rgb)
{
    return RGBCouleur(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

QString BoolToStr(bool valeur)
{
    return valeur ? QStringLiteral("-1") : QStringLiteral("0");
}

bool StrToBool(const QString& texte)
{
    double valeur = 0;
    if (lireReel(texte, false, valeur))
        return valeur != 0;
    if (texte.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (texte.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    throw EConvertError(guillemets(texte) + QStringLiteral(" n'est pas une valeur booléenne correcte"));
}

QString StringReplace(const QString& texte, const QString& ancien, const QString& nouveau,
                      Qt::CaseSensitivity casse)
{
    // Un motif vide ne remplace rien (QString::replace l'insérerait partout).
    if (ancien.isEmpty())
        return texte;
    QString resultat = texte;
    resultat.replace(ancien, nouveau, casse);
    return resultat;
}

QString TrimRight(const QString& texte)
{
    qsizetype fin = texte.size();
    while (fin > 0 && texte.at(fin - 1).unicode() <= u' ')
        --fin;
    return texte.left(fin);
}

QString sansCaracteresInterditsXml(const QString& texte)
{
    const auto interdit = [](QChar c) { return caractereInterditXml(c.unicode()); };
    // Sans caractère interdit (le cas courant), le texte est rendu sans copie.
    if (std::none_of(texte.cbegin(), texte.cend(), interdit))
        return texte;
    QString resultat = texte;
    std::replace_if(resultat.begin(), resultat.end(), interdit, QChar(u' '));
    return resultat;
}
