// Index de recherche des articles : clés repliées et ordre alphabétique calculés une fois.
#include "RechercheArticles.h"

#include "U_Article.h"
#include "U_rayon.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <iterator>
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

bool IndexRecherche::inchangee(const QList<TRayon*>& foret) const
{
    // Parcours préfixe comparé à la trace, sans rien copier.
    size_t k = 0;
    bool identique = m_generation != 0;
    auto suivre = [&](const TArticle* article, const TRayon* rayon, const QString& nom, const QString& remarque, double prix) {
        if (!identique)
            return;
        if (k >= m_traces.size()) {
            identique = false;
            return;
        }
        identique = m_traces[k++].montre(article, rayon, nom, remarque, prix);
    };
    auto parcourir = [&](auto&& soi, const TRayon* r) -> void {
        suivre(nullptr, r, r->getNom(), {}, r->getNbRayonsFils());
        for (int i = 0; identique && i < r->getNbArticles(); ++i) {
            const TArticle* a = r->getArticle(i);
            suivre(a, r, a->getNom(), a->getRemarque(), a->getPrix());
        }
        for (int i = 0; identique && i < r->getNbRayonsFils(); ++i)
            soi(soi, r->getRayonFils(i));
    };
    for (const TRayon* r : foret)
        if (identique)
            parcourir(parcourir, r);
    return identique && k == m_traces.size();
}

bool IndexRecherche::actualiser(const QList<TRayon*>& foret)
{
    if (inchangee(foret))
        return false;
    mettreAJour(foret);
    return true;
}

void IndexRecherche::mettreAJour(const QList<TRayon*>& foret)
{
    std::vector<Trace>& nouvelles = m_tamponTraces;
    nouvelles.clear();
    nouvelles.reserve(m_traces.size() + 16);
    m_intervalles.clear();
    int rang = 0;
    auto parcourir = [&](auto&& soi, TRayon* r) -> void {
        const int debut = rang++;
        nouvelles.push_back({nullptr, r, r->getNom(), {}, double(r->getNbRayonsFils()), debut});
        for (int i = 0; i < r->getNbArticles(); ++i) {
            TArticle* a = r->getArticle(i);
            nouvelles.push_back({a, r, a->getNom(), a->getRemarque(), a->getPrix(), debut});
        }
        for (int i = 0; i < r->getNbRayonsFils(); ++i)
            soi(soi, r->getRayonFils(i));
        m_intervalles.insert(r, {debut, rang});
    };
    for (TRayon* r : foret)
        parcourir(parcourir, r);

    // Ce qui a changé tient entre un début et une fin communs aux deux parcours.
    const size_t m = m_traces.size(), n = nouvelles.size();
    size_t debut = 0;
    while (debut < m && debut < n && m_traces[debut] == nouvelles[debut])
        ++debut;
    size_t fin = 0; // longueur de la fin commune
    while (fin < m - debut && fin < n - debut && m_traces[m - 1 - fin] == nouvelles[n - 1 - fin])
        ++fin;
    // Un rayon changé (nom, place) change le rayon montré par ses articles, qui le suivent.
    size_t finNouvelles = n - fin;
    for (size_t k = debut; k < finNouvelles; ++k) {
        if (nouvelles[k].article)
            continue;
        size_t j = k + 1;
        while (j < n && nouvelles[j].article)
            ++j;
        finNouvelles = std::max(finNouvelles, j);
    }
    fin = n - finNouvelles;
    const size_t finAnciennes = m - fin;

    // Les entrées gardées, renumérotées et tassées sur place ; celles du milieu ancien disparaissent.
    for (size_t k = debut; k < finAnciennes; ++k)
        if (m_traces[k].article)
            m_entrees[size_t(m_traces[k].entree)].trace = -1;
    size_t gardees = 0;
    for (Entree& e : m_entrees) {
        if (e.trace < 0)
            continue;
        if (size_t(e.trace) >= finAnciennes)
            e.trace = int(size_t(e.trace) - m + n);
        e.ordreRayon = nouvelles[size_t(e.trace)].rang;
        if (&e != &m_entrees[gardees])
            m_entrees[gardees] = std::move(e);
        ++gardees;
    }
    m_entrees.erase(m_entrees.begin() + qsizetype(gardees), m_entrees.end());

    // Les articles du milieu nouveau : repliés, avec leurs clés de tri (une par rayon).
    std::vector<Entree> neuves;
    neuves.reserve(finNouvelles - debut);
    QHash<const TRayon*, std::shared_ptr<const QCollatorSortKey>> clesRayons;
    for (size_t k = debut; k < finNouvelles; ++k) {
        const Trace& t = nouvelles[k];
        if (!t.article)
            continue;
        auto cleRayon = clesRayons.constFind(t.rayon);
        if (cleRayon == clesRayons.cend())
            cleRayon = clesRayons.insert(t.rayon, std::make_shared<const QCollatorSortKey>(
                                                      collationFrancaise().sortKey(t.rayon->getNom())));
        neuves.push_back({{t.article, t.rayon, t.nom, t.remarque, t.prix, t.rayon->getNom()},
                          replierTexte(t.nom) + u'\n' + replierTexte(t.remarque),
                          t.rang,
                          int(k),
                          std::make_unique<const QCollatorSortKey>(collationFrancaise().sortKey(t.nom)),
                          *cleRayon});
    }
    // Nom, puis nom du rayon, puis ordre du parcours : un ordre total, le même qu'une
    // construction complète quelle que soit la part gardée.
    const auto avant = [](const Entree& a, const Entree& b) {
        if (const int c = a.cleNom->compare(*b.cleNom))
            return c < 0;
        if (a.cleRayon != b.cleRayon)
            if (const int c = a.cleRayon->compare(*b.cleRayon))
                return c < 0;
        return a.trace < b.trace;
    };
    // Tri des rangs, non des entrées (lourdes à déplacer).
    std::vector<int> ordre(neuves.size());
    for (size_t i = 0; i < ordre.size(); ++i)
        ordre[i] = int(i);
    std::sort(ordre.begin(), ordre.end(), [&](int a, int b) { return avant(neuves[size_t(a)], neuves[size_t(b)]); });
    // Chaque nouvelle entrée trouve sa place par dichotomie ; les gardées passent par blocs.
    std::vector<Entree>& fusion = m_tamponEntrees;
    fusion.clear();
    fusion.reserve(m_entrees.size() + neuves.size());
    auto suivante = m_entrees.begin();
    for (const int i : ordre) {
        Entree& e = neuves[size_t(i)];
        const auto place = suivante == m_entrees.end() ? suivante : std::upper_bound(suivante, m_entrees.end(), e, avant);
        std::move(suivante, place, std::back_inserter(fusion));
        fusion.push_back(std::move(e));
        suivante = place;
    }
    std::move(suivante, m_entrees.end(), std::back_inserter(fusion));
    m_entrees.swap(fusion);
    fusion.clear();
    for (size_t i = 0; i < m_entrees.size(); ++i)
        nouvelles[size_t(m_entrees[i].trace)].entree = int(i);
    m_traces.swap(nouvelles);
    nouvelles.clear();
    ++m_generation;
}

void IndexRecherche::vider()
{
    // Les chaînes gardées retiendraient en mémoire celles de la forêt détruite.
    std::vector<Entree>().swap(m_entrees);
    std::vector<Trace>().swap(m_traces);
    std::vector<Entree>().swap(m_tamponEntrees);
    std::vector<Trace>().swap(m_tamponTraces);
    m_intervalles.clear();
    std::vector<int>().swap(m_resultats);
    m_texte.clear();
    m_portee = nullptr;
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
