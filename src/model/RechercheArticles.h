#pragma once
// Recherche d'articles par le nom et la remarque, sans tenir compte de la casse ni des accents :
// un index des clés repliées, trié dans l'ordre alphabétique français ; chaque frappe ne fait
// que parcourir ces clés. Après un changement de la forêt, seuls les articles touchés sont
// repliés et placés à nouveau : le reste de l'index est gardé tel quel.
#include <QCollator>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class TArticle;
class TRayon;

// Texte sans casse ni accents : décomposé, marques combinantes retirées, casse repliée ;
// les ligatures (œ, æ, ß) s'écrivent en deux lettres.
QString replierTexte(const QString& texte);

// Un article trouvé, avec les textes qu'il montrait à la construction de l'index : une vue les
// affiche sans toucher aux objets, qu'un rechargement de la base peut avoir détruits.
struct ResultatRecherche
{
    TArticle* article = nullptr;
    TRayon* rayon = nullptr; // le rayon qui tient l'article
    QString nom;
    QString remarque;
    double prix = 0;
    QString nomRayon;
};

class IndexRecherche
{
public:
    // Remet l'index à jour si la forêt a changé depuis (rayons, articles, noms, remarques, prix) ;
    // vrai quand il a changé. L'ordre obtenu est celui d'une construction complète.
    bool actualiser(const QList<TRayon*>& foret);
    // Indices (dans l'ordre alphabétique) des articles du rayon et de ses sous-rayons, ou de toute
    // la forêt (portee nulle), dont le nom ou la remarque contient chaque mot du texte. Une
    // recherche qui prolonge la précédente ne parcourt que ses résultats.
    const std::vector<int>& chercher(const QString& texte, const TRayon* portee);
    // Oublie tout (la forêt va être détruite) : la prochaine mise à jour reconstruit.
    void vider();
    const ResultatRecherche& resultat(int indice) const { return m_entrees[size_t(indice)].resultat; }
    int taille() const { return int(m_entrees.size()); }

private:
    struct Entree
    {
        ResultatRecherche resultat;
        QString cle;     // nom et remarque repliés, séparés par un saut de ligne
        int ordreRayon;  // rang du rayon dans le parcours préfixe de la forêt
        int trace;       // place de l'article dans le parcours : départage les égaux
        // Clés de tri derrière des pointeurs : une entrée se déplace sans toucher aux compteurs.
        std::unique_ptr<const QCollatorSortKey> cleNom;
        std::shared_ptr<const QCollatorSortKey> cleRayon; // partagée par les articles du rayon
    };
    // Ce que la forêt montrait à la dernière mise à jour, dans l'ordre du parcours préfixe :
    // un rayon, puis ses articles, puis ses sous-rayons.
    struct Trace
    {
        TArticle* article; // nul pour un rayon
        TRayon* rayon;     // le rayon lui-même, ou celui qui tient l'article
        QString nom;
        QString remarque;
        double prix;       // nombre de fils pour un rayon
        int rang;          // rang préfixe du rayon (de celui qui tient l'article)
        int entree = -1;   // place de l'entrée de l'article dans m_entrees
        bool montre(const TArticle* a, const TRayon* r, const QString& n, const QString& rem, double p) const
        {
            return article == a && rayon == r && prix == p && nom == n && remarque == rem;
        }
        bool operator==(const Trace& t) const { return montre(t.article, t.rayon, t.nom, t.remarque, t.prix); }
    };
    bool inchangee(const QList<TRayon*>& foret) const;
    void mettreAJour(const QList<TRayon*>& foret);

    std::vector<Entree> m_entrees;
    std::vector<Trace> m_traces;
    // Tampons gardés d'une mise à jour à l'autre (leur capacité évite de nouvelles pages).
    std::vector<Entree> m_tamponEntrees;
    std::vector<Trace> m_tamponTraces;
    // Par rayon : son rang préfixe et la fin (exclue) des rangs de son sous-arbre.
    QHash<const TRayon*, std::pair<int, int>> m_intervalles;
    quint64 m_generation = 0;
    // Dernière recherche, que la frappe suivante peut prolonger.
    QString m_texte; // replié, blancs simplifiés
    const TRayon* m_portee = nullptr;
    quint64 m_generationResultats = ~quint64(0);
    std::vector<int> m_resultats;
};
