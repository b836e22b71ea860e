// Index de recherche des articles : clés repliées et ordre alphabétique calculés une fois.
#include "RechercheArticles.h"

#include "U_Article.h"
#include "U_rayon.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <tuple>

namespace {

// Repli complet : décomposition, marques retirées, ligatures, casse.
QString replierLentement(const QString& texte)
{
    const QString decompose = texte.normalized(QString::NormalizationForm_KD);
    QString replie;
    replie.reserve(decompose.size());
    for (const QChar c : decompose) {
        switch (c.category()) {
        case QChar::Mark_NonSpacing:
        case QChar::Mark_SpacingCombining:
        case QChar::Mark_Enclosing:
            continue;
        default:
            break;
        }
        switch (c.unicode()) {
        case 0x0152: case 0x0153: replie += QLatin1String("oe"); break; // Œ œ
        case 0x00C6: case 0x00E6: replie += QLatin1String("ae"); break; // Æ æ
        case 0x00DF: replie += QLatin1String("ss"); break;             // ß
        default: replie += c.toCaseFolded(); break;
        }
    }
    return replie;
}

// Replis des caractères latins (jusqu'à U+024F), calculés une fois : le cas courant sans normalisation.
constexpr char16_t kFinTableReplis = 0x0250;
const std::array<QString, kFinTableReplis>& tableReplis()
{
    static const auto table = [] {
        std::array<QString, kFinTableReplis> t;
        for (char16_t c = 0; c < kFinTableReplis; ++c)
            t[c] = replierLentement(QString(QChar(c)));
        return t;
    }();
    return table;
}

} // namespace

QString replierTexte(const QString& texte)
{
    const auto& table = tableReplis();
    QString replie;
    replie.reserve(texte.size());
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const char16_t c = texte.at(i).unicode();
        if (c >= kFinTableReplis) {
            // Le reste (marque combinante, autre écriture) passe par le repli complet.
            replie += replierLentement(texte.mid(i));
            break;
        }
        replie += table[c];
    }
    return replie;
}

namespace {

const QCollator& collationFrancaise()
{
    static const QCollator collation{QLocale(QLocale::French, QLocale::France)};
    return collation;
}

} // namespace

bool IndexRecherche::actualiser(const QList<TRayon*>& foret)
{
    // Parcours préfixe comparé à la trace de la dernière construction, sans rien copier.
    size_t k = 0;
    bool identique = true;
    auto suivre = [&](const void* objet, const QString& nom, const QString& remarque, double prix) {
        if (!identique)
            return;
        if (k >= m_traces.size()) {
            identique = false;
            return;
        }
        const Trace& t = m_traces[k++];
        identique = t.objet == objet && t.prix == prix && t.nom == nom && t.remarque == remarque;
    };
    auto parcourir = [&](auto&& soi, const TRayon* r) -> void {
        suivre(r, r->getNom(), {}, r->getNbRayonsFils());
        for (int i = 0; identique && i < r->getNbArticles(); ++i) {
            const TArticle* a = r->getArticle(i);
            suivre(a, a->getNom(), a->getRemarque(), a->getPrix());
        }
        for (int i = 0; identique && i < r->getNbRayonsFils(); ++i)
            soi(soi, r->getRayonFils(i));
    };
    for (const TRayon* r : foret)
        if (identique)
            parcourir(parcourir, r);
    if (identique && k == m_traces.size() && m_generation != 0)
        return false;
    construire(foret);
    return true;
}

void IndexRecherche::construire(const QList<TRayon*>& foret)
{
    m_entrees.clear();
    m_traces.clear();
    m_intervalles.clear();
    int rang = 0;
    auto parcourir = [&](auto&& soi, TRayon* r) -> void {
        const int debut = rang++;
        m_traces.push_back({r, r->getNom(), {}, double(r->getNbRayonsFils())});
        for (int i = 0; i < r->getNbArticles(); ++i) {
            TArticle* a = r->getArticle(i);
            m_traces.push_back({a, a->getNom(), a->getRemarque(), a->getPrix()});
            m_entrees.push_back({{a, r, a->getNom(), a->getRemarque(), a->getPrix(), r->getNom()}, replierTexte(a->getNom()) + u'\n' + replierTexte(a->getRemarque()), debut});
        }
        for (int i = 0; i < r->getNbRayonsFils(); ++i)
            soi(soi, r->getRayonFils(i));
        m_intervalles.insert(r, {debut, rang});
    };
    for (TRayon* r : foret)
        parcourir(parcourir, r);

    // Tri par clés de collation calculées une fois : nom, puis nom du rayon.
    // Une clé par rayon, partagée par ses articles.
    std::vector<QCollatorSortKey> noms;
    std::vector<QCollatorSortKey> clesRayons;
    std::vector<int> rayons; // rang de la clé du rayon de chaque entrée
    noms.reserve(m_entrees.size());
    rayons.reserve(m_entrees.size());
    QHash<const TRayon*, int> rangsRayons;
    for (const Entree& e : m_entrees) {
        noms.push_back(collationFrancaise().sortKey(e.resultat.nom));
        auto it = rangsRayons.constFind(e.resultat.rayon);
        if (it == rangsRayons.cend()) {
            clesRayons.push_back(collationFrancaise().sortKey(e.resultat.nomRayon));
            it = rangsRayons.insert(e.resultat.rayon, int(clesRayons.size()) - 1);
        }
        rayons.push_back(*it);
    }
    std::vector<int> ordre(m_entrees.size());
    for (size_t i = 0; i < ordre.size(); ++i)
        ordre[i] = int(i);
    std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) {
        const int c = noms[size_t(a)].compare(noms[size_t(b)]);
        return c != 0 ? c < 0 : clesRayons[size_t(rayons[size_t(a)])].compare(clesRayons[size_t(rayons[size_t(b)])]) < 0;
    });
    std::vector<Entree> triees;
    triees.reserve(m_entrees.size());
    for (int i : ordre)
        triees.push_back(std::move(m_entrees[size_t(i)]));
    m_entrees = std::move(triees);
    ++m_generation;
}

const std::vector<int>& IndexRecherche::chercher(const QString& texte, const TRayon* portee)
{
    const QString replie = replierTexte(texte).simplified();
    const bool prolonge = m_generationResultats == m_generation && portee == m_portee && replie.startsWith(m_texte);
    const QStringList mots = replie.split(u' ', Qt::SkipEmptyParts);
    int debut = 0, fin = 0;
    if (portee) {
        const auto it = m_intervalles.constFind(portee);
        if (it != m_intervalles.cend())
            std::tie(debut, fin) = *it;
    }
    auto retenu = [&](int i) {
        const Entree& e = m_entrees[size_t(i)];
        if (portee && (e.ordreRayon < debut || e.ordreRayon >= fin))
            return false;
        for (const QString& m : mots)
            if (!e.cle.contains(m))
                return false;
        return true;
    };
    std::vector<int> resultats;
    if (prolonge) {
        for (int i : m_resultats)
            if (retenu(i))
                resultats.push_back(i);
    } else {
        for (int i = 0; i < taille(); ++i)
            if (retenu(i))
                resultats.push_back(i);
    }
    m_resultats = std::move(resultats);
    m_texte = replie;
    m_portee = portee;
    m_generationResultats = m_generation;
    return m_resultats;
}
