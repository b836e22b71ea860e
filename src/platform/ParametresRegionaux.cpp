#include "ParametresRegionaux.h"

#include "Codec1252.h"

#include <QLocale>

namespace {

// Retire les jetons de fuseau horaire ("t", "tt"…) hors des littéraux entre apostrophes,
// avec les blancs qui les séparent du reste du format.
QString sansFuseau(const QString& format)
{
    QString resultat;
    bool dansLitteral = false;
    for (QChar c : format) {
        if (c == u'\'')
            dansLitteral = !dansLitteral;
        if (!dansLitteral && c == u't')
            continue;
        resultat.append(c);
    }
    return resultat.trimmed();
}

QString nomLocale()
{
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LC_TIME", "LANG"}) {
        const QString valeur = qEnvironmentVariable(variable);
        if (!valeur.isEmpty())
            return valeur;
    }
    return QString();
}

ParametresRegionaux& parametresCourants()
{
    static ParametresRegionaux courants = ParametresRegionaux::depuisEnvironnement();
    return courants;
}

} // namespace

ParametresRegionaux ParametresRegionaux::francais()
{
    return ParametresRegionaux{};
}

ParametresRegionaux ParametresRegionaux::anglais()
{
    ParametresRegionaux p;
    p.separateurDecimal = u'.';
    p.separateurMilliers = u',';
    p.formatDateCourte = QStringLiteral("M/d/yyyy");
    p.formatHeureLongue = QStringLiteral("h:mm:ss AP");
    return p;
}

ParametresRegionaux ParametresRegionaux::depuisEnvironnement()
{
    QString nom = nomLocale();
    // "fr_FR.UTF-8@euro" -> "fr_FR"
    nom = nom.section(u'.', 0, 0).section(u'@', 0, 0);
    if (nom.isEmpty() || nom == u"C" || nom == u"POSIX")
        return francais();

    const QLocale locale(nom);
    if (locale.language() == QLocale::C)
        return francais();

    ParametresRegionaux p;
    p.separateurDecimal = locale.decimalPoint().isEmpty() ? QChar(u',') : locale.decimalPoint().at(0);
    const QString groupe = locale.groupSeparator();
    QChar milliers = groupe.isEmpty() ? QChar(0x00A0) : groupe.at(0);
    // Le séparateur doit survivre à l'écriture en Windows-1252 (U+202F n'y est pas).
    if (normaliserAnsi(QString(milliers)) != QString(milliers))
        milliers = QChar(0x00A0);
    p.separateurMilliers = milliers;
    p.formatDateCourte = locale.dateFormat(QLocale::ShortFormat);
    p.formatHeureLongue = sansFuseau(locale.timeFormat(QLocale::LongFormat));
    return p;
}

const ParametresRegionaux& ParametresRegionaux::courants()
{
    return parametresCourants();
}

void ParametresRegionaux::definir(const ParametresRegionaux& p)
{
    parametresCourants() = p;
}
