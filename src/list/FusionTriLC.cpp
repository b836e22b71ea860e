#include "FusionTriLC.h"

#include "Conversions.h"
#include "Erreurs.h"
#include "LigneLC.h"

#include <QHash>

#include <algorithm>
#include <utility>
#include <vector>

QString cleLigne(const QString& ligne)
{
    const qsizetype debut = ligne.indexOf(u'|') + 1;
    const qsizetype euro = ligne.indexOf(u'€');
    if (euro < debut) {
        return QString();
    }
    return ligne.mid(debut, euro - debut + 1);
}

double prixUnitaireCle(const QString& cle)
{
    qsizetype debut = 0;
    for (int n = 0; n < 3 && debut <= cle.size(); ++n) {
        const qsizetype barre = cle.indexOf(u'|', debut);
        debut = barre < 0 ? cle.size() + 1 : barre + 1;
    }
    return lireMontantLC(sansEuro(cle.mid(debut)));
}

void fusionnerLignesLC(QStringList& lignes)
{
    const qsizetype n = lignes.size();
    // Index des lignes par clé, en ordre croissant : la plus proche au-dessus de i est
    // la dernière de la liste une fois i retirée (les lignes sous i ont déjà été traitées).
    std::vector<QString> cles(static_cast<size_t>(n));
    QHash<QString, std::vector<qsizetype>> parCle;
    for (qsizetype i = 0; i < n; ++i) {
        cles[size_t(i)] = cleLigne(lignes.at(i));
        parCle[cles[size_t(i)]].push_back(i);
    }
    std::vector<bool> supprimee(static_cast<size_t>(n), false);

    // Les suppressions sont appliquées en une fois, même quand une conversion échoue.
    const auto compacter = [&] {
        QStringList restantes;
        restantes.reserve(n);
        for (qsizetype i = 0; i < n; ++i) {
            if (!supprimee[size_t(i)]) {
                restantes.append(lignes.at(i));
            }
        }
        lignes.swap(restantes);
    };

    try {
        for (qsizetype i = n - 1; i >= 0; --i) {
            std::vector<qsizetype>& memes = parCle[cles[size_t(i)]];
            memes.pop_back(); // i est la plus basse ligne encore en jeu pour sa clé
            if (memes.empty()) {
                continue;
            }
            const qsizetype j = memes.back();
            const QString& cleJ = cles[size_t(j)];
            qint64 quantite = 0;
            try {
                quantite = StrToInt(decouperLigne(lignes.at(i)).nb);
            } catch (const EConvertError& erreur) {
                throw erreurDeLigne(erreur, i);
            }
            try {
                quantite += StrToInt(decouperLigne(lignes.at(j)).nb);
                lignes[j] = composerLigneFusion(quantite, cleJ, prixUnitaireCle(cleJ));
            } catch (const EConvertError& erreur) {
                throw erreurDeLigne(erreur, j);
            }
            supprimee[size_t(i)] = true;

            // Une clé ne change que si le Nb contenait un "€" : on la recalcule.
            const QString nouvelle = cleLigne(lignes.at(j));
            if (nouvelle != cleJ) {
                memes.pop_back();
                std::vector<qsizetype>& autres = parCle[nouvelle];
                autres.insert(std::lower_bound(autres.begin(), autres.end(), j), j);
                cles[size_t(j)] = nouvelle;
            }
        }
    } catch (...) {
        compacter();
        throw;
    }
    compacter();
}

QString rayonLigne(const QString& ligne)
{
    return decouperLigne(ligne).rayon;
}

namespace {

// Séquence d'indices avec rotation et ajout en O(log n) : arbre cartésien à clés implicites.
class SequenceTournante
{
public:
    explicit SequenceTournante(size_t capacite)
    {
        noeuds_.reserve(capacite);
    }

    size_t taille() const
    {
        return racine_ < 0 ? 0 : noeuds_[size_t(racine_)].taille;
    }

    void ajouter(qsizetype valeur)
    {
        graine_ ^= graine_ << 13;
        graine_ ^= graine_ >> 7;
        graine_ ^= graine_ << 17;
        noeuds_.push_back(Noeud{valeur, graine_, -1, -1, 1});
        racine_ = fusionner(racine_, int(noeuds_.size() - 1));
    }

    // Les k premiers éléments passent à la fin.
    void tourner(size_t k)
    {
        const size_t n = taille();
        if (n == 0 || k % n == 0) {
            return;
        }
        auto [tete, reste] = couper(racine_, k % n);
        racine_ = fusionner(reste, tete);
    }

    void parcourir(std::vector<qsizetype>& sortie) const
    {
        std::vector<int> pile;
        int courant = racine_;
        while (courant >= 0 || !pile.empty()) {
            while (courant >= 0) {
                pile.push_back(courant);
                courant = noeuds_[size_t(courant)].gauche;
            }
            courant = pile.back();
            pile.pop_back();
            sortie.push_back(noeuds_[size_t(courant)].valeur);
            courant = noeuds_[size_t(courant)].droite;
        }
    }

private:
    struct Noeud
    {
        qsizetype valeur;
        quint64 priorite;
        int gauche;
        int droite;
        size_t taille;
    };

    size_t tailleDe(int i) const
    {
        return i < 0 ? 0 : noeuds_[size_t(i)].taille;
    }
    void recalculer(int i)
    {
        Noeud& n = noeuds_[size_t(i)];
        n.taille = 1 + tailleDe(n.gauche) + tailleDe(n.droite);
    }
    int fusionner(int a, int b)
    {
        if (a < 0) {
            return b;
        }
        if (b < 0) {
            return a;
        }
        if (noeuds_[size_t(a)].priorite > noeuds_[size_t(b)].priorite) {
            noeuds_[size_t(a)].droite = fusionner(noeuds_[size_t(a)].droite, b);
            recalculer(a);
            return a;
        }
        noeuds_[size_t(b)].gauche = fusionner(a, noeuds_[size_t(b)].gauche);
        recalculer(b);
        return b;
    }
    // (k premiers, reste)
    std::pair<int, int> couper(int i, size_t k)
    {
        if (i < 0) {
            return {-1, -1};
        }
        Noeud& n = noeuds_[size_t(i)];
        if (tailleDe(n.gauche) >= k) {
            auto [g, d] = couper(n.gauche, k);
            noeuds_[size_t(i)].gauche = d;
            recalculer(i);
            return {g, i};
        }
        auto [g, d] = couper(n.droite, k - tailleDe(n.gauche) - 1);
        noeuds_[size_t(i)].droite = g;
        recalculer(i);
        return {i, d};
    }

    std::vector<Noeud> noeuds_;
    int racine_ = -1;
    quint64 graine_ = 0x9E3779B97F4A7C15ull;
};

// Tri par échanges selon le rang de chaque ligne (0 <= rang < nbRangs, plus petit d'abord).
void trierSelonRangs(QStringList& lignes, const std::vector<size_t>& rang, size_t nbRangs)
{
    const qsizetype n = lignes.size();

    // L'ordre final du tri par échanges se calcule sans le dérouler. Le passage i porte le
    // minimum courant de i vers la droite et dépose chaque ancien minimum à la place du
    // suivant, strictement plus petit. Pour un rayon r, seules comptent les lignes de rayon
    // plus petit (P) : tant qu'il en reste, chaque passage en place une, la première ; si des
    // lignes de r la précèdent, la première d'entre elles prend sa place, derrière les autres.
    // En regroupant les lignes de r par nombre de P qui les précèdent, l'ordre final de r
    // s'obtient en ajoutant chaque groupe à une séquence que chaque P consommé fait tourner
    // d'un cran ; les lignes de r suivent ensuite dans cet ordre.
    std::vector<size_t> fenwick(nbRangs + 1, 0);
    const auto compterAvant = [&](size_t r) { // lignes vues de rang < r
        size_t total = 0;
        for (size_t k = r; k > 0; k -= k & (~k + 1)) {
            total += fenwick[k];
        }
        return total;
    };
    std::vector<size_t> precedes(static_cast<size_t>(n));
    std::vector<std::vector<qsizetype>> parRang(nbRangs);
    for (qsizetype i = 0; i < n; ++i) {
        const size_t r = rang[size_t(i)];
        precedes[size_t(i)] = compterAvant(r);
        for (size_t k = r + 1; k <= nbRangs; k += k & (~k + 1)) {
            ++fenwick[k];
        }
        parRang[r].push_back(i);
    }

    std::vector<qsizetype> origine;
    origine.reserve(size_t(n));
    size_t plusPetites = 0; // lignes de rang inférieur au rang traité
    for (size_t r = 0; r < nbRangs; ++r) {
        const std::vector<qsizetype>& groupe = parRang[r];
        if (groupe.size() == 1) {
            origine.push_back(groupe.front());
        } else {
            SequenceTournante sequence(groupe.size());
            size_t consommees = 0;
            for (const qsizetype i : groupe) {
                const size_t p = precedes[size_t(i)];
                sequence.tourner(p - consommees);
                consommees = p;
                sequence.ajouter(i);
            }
            sequence.tourner(plusPetites - consommees);
            sequence.parcourir(origine);
        }
        plusPetites += groupe.size();
    }

    QStringList triees;
    triees.reserve(n);
    for (const qsizetype i : origine) {
        triees.append(lignes.at(i));
    }
    lignes.swap(triees);
}

bool avantOrdinal(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

// Rayon de chaque ligne, extrait une fois.
std::vector<QString> rayonsDesLignes(const QStringList& lignes)
{
    std::vector<QString> rayons(static_cast<size_t>(lignes.size()));
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        rayons[size_t(i)] = rayonLigne(lignes.at(i));
    }
    return rayons;
}

} // namespace

void trierLC(QStringList& lignes)
{
    // Chaque rayon est remplacé par son rang dans l'ordre ordinal.
    const std::vector<QString> rayons = rayonsDesLignes(lignes);
    std::vector<QString> distincts = rayons;
    std::sort(distincts.begin(), distincts.end(), avantOrdinal);
    distincts.erase(std::unique(distincts.begin(), distincts.end()), distincts.end());
    std::vector<size_t> rang(rayons.size());
    for (size_t i = 0; i < rayons.size(); ++i) {
        rang[i] = size_t(std::lower_bound(distincts.begin(), distincts.end(), rayons[i], avantOrdinal)
                         - distincts.begin());
    }
    trierSelonRangs(lignes, rang, distincts.size());
}

void trierLCOrdreMagasin(QStringList& lignes, const QStringList& ordreRayons)
{
    // Rang d'un rayon placé : sa première place dans l'ordre du magasin.
    QHash<QString, size_t> place;
    place.reserve(ordreRayons.size());
    for (const QString& nom : ordreRayons) {
        if (!place.contains(nom)) { // un nom déjà placé garde sa première place
            place.insert(nom, size_t(place.size()));
        }
    }
    const std::vector<QString> rayons = rayonsDesLignes(lignes);
    // Les rayons non placés suivent, entre eux dans l'ordre ordinal.
    std::vector<QString> nonPlaces;
    for (const QString& r : rayons) {
        if (!place.contains(r)) {
            nonPlaces.push_back(r);
        }
    }
    std::sort(nonPlaces.begin(), nonPlaces.end(), avantOrdinal);
    nonPlaces.erase(std::unique(nonPlaces.begin(), nonPlaces.end()), nonPlaces.end());
    const size_t nbPlaces = size_t(place.size());
    std::vector<size_t> rang(rayons.size());
    for (size_t i = 0; i < rayons.size(); ++i) {
        const auto p = place.constFind(rayons[i]);
        rang[i] = p != place.cend() ? *p
                                    : nbPlaces
                                          + size_t(std::lower_bound(nonPlaces.begin(), nonPlaces.end(), rayons[i],
                                                                    avantOrdinal)
                                                   - nonPlaces.begin());
    }
    trierSelonRangs(lignes, rang, nbPlaces + nonPlaces.size());
}
