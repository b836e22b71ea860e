#pragma once
// Le rayon : un nom, une couleur, des rayons fils et des articles, dans l'ordre d'ajout.
//
// Propriété : un rayon possède ses fils et ses articles (son destructeur les détruit).
// Retirer un élément ne le détruit jamais : il part, avec tout son sous-arbre, aux rebuts
// (Rebuts.h), où une vue peut encore le désigner sans risque jusqu'à ce que le module de
// données vide les rebuts. Un élément retiré n'est rattaché que par le journal des changements
// (JournalModele.h), qui le reprend d'abord aux rebuts.
#include "Couleurs.h"
#include "Erreurs.h"

#include <QList>
#include <QString>

class TArticle;

// Nombre maximal de niveaux de rayons, une racine étant au niveau 1. Le chargement, l'arbre,
// la copie, l'enregistrement et la destruction parcourent la forêt récursivement : une base
// imbriquée sur des dizaines de milliers de niveaux ferait déborder la pile. Cent niveaux
// dépassent de loin tout rangement de magasin ; chaque entrée refuse d'aller au-delà.
constexpr int profondeurMaxRayons = 100;

// Un ajout, une copie ou un déplacement imbriquerait des rayons au-delà de profondeurMaxRayons.
class EProfondeurRayons : public EVatrelix
{
    using EVatrelix::EVatrelix;
};

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
    // Nom et couleur : un changement est noté au journal ouvert (JournalModele.h).
    void setNom(const QString& valeur);
    TColor getCouleur() const { return couleur; }
    void setCouleur(TColor valeur);
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

    // Niveau du rayon : 1 pour une racine, un de plus à chaque père.
    int getProfondeur() const;
    // Nombre de niveaux de son sous-arbre, lui compris : 1 pour un rayon sans fils.
    int getHauteur() const;

private:
    friend class JournalModele;
    QString nom;
    TColor couleur;
    QList<TRayon*> rayonsFils;
    QList<TArticle*> articles;
    TRayon* pere;
};

// Vrai quand une copie de source placée sous cible ne dépasse pas profondeurMaxRayons.
bool copieRayonAdmise(const TRayon* source, const TRayon* cible);
// Vrai quand cible peut recevoir source (copie ou déplacement) : ni lui-même, ni son père, où rien
// ne changerait, ni un rayon de son propre sous-arbre, ni au-delà de profondeurMaxRayons.
// Faux quand l'un des deux manque.
bool destinationRayonAdmise(const TRayon* source, const TRayon* cible);
// Vrai quand pere peut recevoir un rayon fils sans dépasser profondeurMaxRayons.
bool filsRayonAdmis(const TRayon* pere);
// "… ne peuvent pas être imbriqués sur plus de 100 niveaux." : fin commune des refus.
QString texteProfondeurMaxRayons();
