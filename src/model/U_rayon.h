#pragma once
// Le rayon : un nom, une couleur, des rayons fils et des articles, dans l'ordre d'ajout.
//
// Propriété : un rayon possède ses fils et ses articles (son destructeur les détruit).
// Retirer un élément ne le détruit jamais : il part, avec tout son sous-arbre, aux rebuts
// (Rebuts.h), où une vue peut encore le désigner sans risque jusqu'à ce que le module de
// données vide les rebuts. Un élément retiré ne doit donc jamais être rattaché.
#include "Couleurs.h"

#include <QList>
#include <QString>

class TArticle;

class TRayon
{
public:
    explicit TRayon(const QString& nom);
    TRayon(const QString& nom, TColor couleur);
    TRayon(const QString& nom, TColor couleur, TRayon* pere);
    ~TRayon();
    TRayon(const TRayon&) = delete;
    TRayon& operator=(const TRayon&) = delete;

    QString getNom() const { return nom; }
    void setNom(const QString& valeur) { nom = valeur; }
    TColor getCouleur() const { return couleur; }
    void setCouleur(TColor valeur) { couleur = valeur; }
    TRayon* getPere() const { return pere; }
    void setPere(TRayon* valeur) { pere = valeur; }

    int getNbRayonsFils() const { return int(rayonsFils.size()); }
    TRayon* getRayonFils(int i) const;
    int indiceRayonFils(const TRayon* r) const;
    // Le nouveau rayon est ajouté en dernier fils et rendu.
    TRayon* ajouterRayonFils(const QString& nom, TColor couleur, TRayon* pere);
    void retirerRayonFils(int i);
    void retirerRayonFils(TRayon* r);

    int getNbArticles() const { return int(articles.size()); }
    TArticle* getArticle(int i) const;
    int indiceArticle(const TArticle* a) const;
    TArticle* creerArticle(const QString& nom, double prix, const QString& remarque);
    void retirerArticle(int i);
    void retirerArticle(TArticle* a);

    // Vrai quand r est un descendant (fils, petit-fils...) ; jamais le rayon lui-même.
    bool contientRayon(const TRayon* r) const;
    bool estDescendantDe(const TRayon* autre) const;

private:
    QString nom;
    TColor couleur;
    QList<TRayon*> rayonsFils;
    QList<TArticle*> articles;
    TRayon* pere;
};
