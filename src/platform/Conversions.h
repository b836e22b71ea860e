#pragma once
// Conversions du runtime : nombres, monnaie, dates, couleurs, booléens, chaînes.
// Un échec de lecture lève EConvertError avec un message français.
#include "Couleurs.h"
#include <QDateTime>
#include <QRgb>
#include <QString>

QString IntToStr(qint64 valeur);
// Entier décimal (blancs de tête admis, signe, forme hexadécimale "$1F") ; toute autre forme échoue.
int StrToInt(const QString& texte);

// Motifs utilisés : "0.00" et "#,##0.00" (séparateurs régionaux, arrondi à deux décimales).
QString FormatFloat(const QString& motif, double valeur);
// Forme la plus courte, 15 chiffres significatifs, séparateur décimal régional, sans groupement.
QString FloatToStr(double valeur);
// Lit le séparateur décimal régional seulement ; blancs autour admis ; échoue sinon.
double StrToFloat(const QString& texte);
// Variante de lecture tolérante : accepte ',' comme '.' comme séparateur décimal (sans groupement).
double StrToFloatDeuxSeparateurs(const QString& texte);
// Lecture rapide, en ASCII, de la forme la plus simple admise par StrToFloatDeuxSeparateurs
// (blancs, signe, au plus 15 chiffres dont une partie décimale après ',' ou '.', sans
// exposant) : même valeur qu'elle ; faux pour toute autre forme, à lire par elle.
bool lireReelSimple(const char* debut, const char* fin, double& valeur);

// Date courte régionale, un espace, heure longue régionale.
QString DateTimeToStr(const QDateTime& moment);

QString ColorToString(TColor couleur);
TColor StringToColor(const QString& texte);
// Vrai et valeur lue quand le texte est un identifiant de couleur connu (casse ignorée).
bool IdentToColor(const QString& ident, TColor& couleur);
// Couleur système résolue par une table de valeurs classiques ; retourne 0x00BBGGRR.
TColor ColorToRGB(TColor couleur);
// 0x00BBGGRR -> QColor/QRgb et retour.
QRgb versQRgb(TColor couleurRGB);
TColor depuisQRgb(QRgb rgb);

QString BoolToStr(bool valeur); // "-1" / "0"
bool StrToBool(const QString& texte);

QString StringReplace(const QString& texte, const QString& ancien, const QString& nouveau,
                      Qt::CaseSensitivity casse = Qt::CaseSensitive);
QString TrimRight(const QString& texte);

// Caractère qu'un document XML 1.0 ne peut pas porter, même en référence : contrôle autre
// que tabulation, LF et CR ; U+FFFE et U+FFFF.
constexpr bool caractereInterditXml(char16_t c)
{
    return (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c == 0xFFFE || c == 0xFFFF;
}

// Le texte où chaque caractère interdit en XML devient un blanc, comme "|" à l'import d'une
// ancienne base : ce qui entre par un fichier sans pouvoir être enregistré reste lisible.
QString sansCaracteresInterditsXml(const QString& texte);
