#include "CanevasEnregistreur.h"

namespace {
QString texteStyle(StylesPolice style)
{
    QString s;
    if (style.testFlag(StylePolice::Gras))
        s += u'G';
    if (style.testFlag(StylePolice::Italique))
        s += u'I';
    return s.isEmpty() ? QStringLiteral("-") : s;
}

template <typename T>
QList<T> dePage(const QList<T>& tout, int page)
{
    if (page == 0)
        return tout;
    QList<T> choisis;
    for (const T& element : tout)
        if (element.page == page)
            choisis.append(element);
    return choisis;
}
} // namespace

CanevasEnregistreur::CanevasEnregistreur(int largeur, int hauteur) : m_largeur(largeur), m_hauteur(hauteur) {}

void CanevasEnregistreur::exigerDocument(const char* operation) const
{
    if (!m_documentOuvert)
        throw EImpressionErreur(QStringLiteral("Opération d'impression hors document : ") + QLatin1StringView(operation));
}

void CanevasEnregistreur::commencerDocument()
{
    if (m_documentOuvert)
        throw EImpressionErreur(QStringLiteral("Impression déjà en cours"));
    m_documentOuvert = true;
    ++m_nbDocuments;
    m_page = 1;
    m_journal.append(QStringLiteral("commencerDocument"));
}

void CanevasEnregistreur::nouvellePage()
{
    exigerDocument("nouvellePage");
    ++m_page;
    m_journal.append(QStringLiteral("nouvellePage %1").arg(m_page));
}

void CanevasEnregistreur::terminerDocument()
{
    exigerDocument("terminerDocument");
    m_documentOuvert = false;
    m_journal.append(QStringLiteral("terminerDocument"));
}

void CanevasEnregistreur::definirPolice(const QString& nom)
{
    m_police = nom;
    m_journal.append(QStringLiteral("police ") + nom);
}

void CanevasEnregistreur::definirTaille(int points)
{
    m_taille = points;
    m_journal.append(QStringLiteral("taille %1").arg(points));
}

void CanevasEnregistreur::definirStyle(StylesPolice style)
{
    m_style = style;
    m_journal.append(QStringLiteral("style ") + texteStyle(style));
}

void CanevasEnregistreur::pinceauTransparent()
{
    m_transparent = true;
    m_journal.append(QStringLiteral("pinceauTransparent"));
}

void CanevasEnregistreur::pinceauPlein(const QColor& couleur)
{
    m_transparent = false;
    m_couleurPinceau = couleur;
    m_journal.append(QStringLiteral("pinceauPlein ") + couleur.name());
}

int CanevasEnregistreur::largeurTexte(const QString& texte)
{
    return int(texte.size()) * m_taille;
}

int CanevasEnregistreur::hauteurTexte(const QString&)
{
    return 2 * m_taille;
}

void CanevasEnregistreur::ecrireTexte(int x, int y, const QString& texte)
{
    exigerDocument("ecrireTexte");
    m_textes.append({m_page, x, y, texte, m_police, m_taille, m_style, m_transparent});
    m_journal.append(QStringLiteral("texte %1,%2 [%3 %4 %5] %6")
                         .arg(x).arg(y).arg(m_police).arg(m_taille).arg(texteStyle(m_style), texte));
}

void CanevasEnregistreur::deplacerVers(int x, int y)
{
    exigerDocument("deplacerVers");
    m_x = x;
    m_y = y;
}

void CanevasEnregistreur::tracerVers(int x, int y)
{
    exigerDocument("tracerVers");
    m_traits.append({m_page, m_x, m_y, x, y});
    m_journal.append(QStringLiteral("trait %1,%2 -> %3,%4").arg(m_x).arg(m_y).arg(x).arg(y));
    m_x = x;
    m_y = y;
}

void CanevasEnregistreur::encadrer(const QRect& rectangle)
{
    exigerDocument("encadrer");
    m_cadres.append({m_page, rectangle, m_couleurPinceau});
    m_journal.append(QStringLiteral("cadre %1,%2,%3,%4 %5")
                         .arg(rectangle.left()).arg(rectangle.top())
                         .arg(rectangle.left() + rectangle.width()).arg(rectangle.top() + rectangle.height())
                         .arg(m_couleurPinceau.name()));
}

QList<TexteDessine> CanevasEnregistreur::textes(int page) const { return dePage(m_textes, page); }
QList<TraitDessine> CanevasEnregistreur::traits(int page) const { return dePage(m_traits, page); }
QList<CadreDessine> CanevasEnregistreur::cadres(int page) const { return dePage(m_cadres, page); }

TexteDessine CanevasEnregistreur::texte(int page, const QString& contenu) const
{
    for (const TexteDessine& t : m_textes)
        if (t.page == page && t.texte == contenu)
            return t;
    return {};
}

QList<TexteDessine> CanevasEnregistreur::textesCommencantPar(const QString& prefixe, int page) const
{
    QList<TexteDessine> choisis;
    for (const TexteDessine& t : dePage(m_textes, page))
        if (t.texte.startsWith(prefixe))
            choisis.append(t);
    return choisis;
}
