#include "U_rayon.h"

#include "Erreurs.h"
#include "JournalModele.h"
#include "Rebuts.h"
#include "U_Article.h"

namespace {

// Un indice hors de 0 .. nombre - 1 est une erreur de l'appelant.
void verifierIndice(qsizetype i, qsizetype nombre)
{
    if (i < 0 || i >= nombre)
        throw EListError(QStringLiteral("Indice de liste hors limites (%1)").arg(i));
}

using Genre = JournalModele::Genre;

} // namespace

TRayon::TRayon(const QString& nom) : TRayon(nom, clWhite, nullptr) {}

TRayon::TRayon(const QString& nom, TColor couleur) : TRayon(nom, couleur, nullptr) {}

TRayon::TRayon(const QString& nom, TColor couleur, TRayon* pere)
    : nom(nom), couleur(couleur), pere(pere)
{
}

TRayon::~TRayon()
{
    qDeleteAll(articles);
    qDeleteAll(rayonsFils);
}

void TRayon::setNom(const QString& valeur)
{
    if (JournalModele::courant() && valeur != nom)
        JournalModele::noter({.genre = Genre::NomRayon, .rayon = this, .texteAvant = nom, .texteApres = valeur});
    nom = valeur;
}

void TRayon::setCouleur(TColor valeur)
{
    if (JournalModele::courant() && valeur != couleur)
        JournalModele::noter(
            {.genre = Genre::CouleurRayon, .rayon = this, .couleurAvant = couleur, .couleurApres = valeur});
    couleur = valeur;
}

TRayon* TRayon::getRayonFils(int i) const
{
    verifierIndice(i, rayonsFils.size());
    return rayonsFils.at(i);
}

int TRayon::indiceRayonFils(const TRayon* r) const
{
    // Recherche par identité : les noms ne sont pas uniques.
    for (qsizetype i = 0; i < rayonsFils.size(); ++i)
        if (rayonsFils.at(i) == r)
            return int(i);
    return -1;
}

TRayon* TRayon::ajouterRayonFils(const QString& nom, TColor couleur, TRayon* pere)
{
    auto* fils = new TRayon(nom, couleur, pere);
    rayonsFils.append(fils);
    if (JournalModele::courant())
        JournalModele::noter(
            {.genre = Genre::RayonAttache, .rayon = fils, .pere = this, .indice = int(rayonsFils.size() - 1)});
    return fils;
}

void TRayon::retirerRayonFils(int i)
{
    verifierIndice(i, rayonsFils.size());
    // Le fils garde son sous-arbre et son père : il n'est que détaché.
    TRayon* fils = rayonsFils.takeAt(i);
    if (JournalModele::courant())
        JournalModele::noter({.genre = Genre::RayonDetache, .rayon = fils, .pere = this, .indice = i});
    Rebuts::deposer(fils);
}

void TRayon::retirerRayonFils(TRayon* r)
{
    const int i = indiceRayonFils(r);
    if (i >= 0)
        retirerRayonFils(i);
}

TArticle* TRayon::getArticle(int i) const
{
    verifierIndice(i, articles.size());
    return articles.at(i);
}

int TRayon::indiceArticle(const TArticle* a) const
{
    for (qsizetype i = 0; i < articles.size(); ++i)
        if (articles.at(i) == a)
            return int(i);
    return -1;
}

TArticle* TRayon::creerArticle(const QString& nom, double prix, const QString& remarque)
{
    auto* article = new TArticle(nom, prix, remarque);
    articles.append(article);
    if (JournalModele::courant()) {
        JournalModele::noter(
            {.genre = Genre::ArticleAttache, .pere = this, .article = article, .indice = int(articles.size() - 1)});
    }
    return article;
}

void TRayon::retirerArticle(int i)
{
    verifierIndice(i, articles.size());
    TArticle* article = articles.takeAt(i);
    if (JournalModele::courant())
        JournalModele::noter({.genre = Genre::ArticleDetache, .pere = this, .article = article, .indice = i});
    Rebuts::deposer(article);
}

void TRayon::retirerArticle(TArticle* a)
{
    const int i = indiceArticle(a);
    if (i >= 0)
        retirerArticle(i);
}

bool TRayon::contientRayon(const TRayon* r) const
{
    // Profondeur d'abord, par identité ; le rayon lui-même n'est jamais comparé.
    for (const TRayon* fils : rayonsFils) {
        if (fils == r || fils->contientRayon(r))
            return true;
    }
    return false;
}

bool TRayon::estDescendantDe(const TRayon* autre) const
{
    return autre != nullptr && autre->contientRayon(this);
}

int TRayon::getProfondeur() const
{
    int profondeur = 1;
    for (const TRayon* p = pere; p; p = p->pere)
        ++profondeur;
    return profondeur;
}

int TRayon::getHauteur() const
{
    // Parcours par niveaux, sans récursion : la hauteur d'un sous-arbre quelconque se mesure
    // avant de le copier, sans dépendre de la pile.
    int hauteur = 0;
    QList<const TRayon*> niveau{this};
    while (!niveau.isEmpty()) {
        ++hauteur;
        QList<const TRayon*> suivant;
        for (const TRayon* r : niveau)
            for (const TRayon* fils : r->rayonsFils)
                suivant.append(fils);
        niveau.swap(suivant);
    }
    return hauteur;
}

bool copieRayonAdmise(const TRayon* source, const TRayon* cible)
{
    return cible->getProfondeur() + source->getHauteur() <= profondeurMaxRayons;
}

bool destinationRayonAdmise(const TRayon* source, const TRayon* cible)
{
    return source && cible && cible != source && cible != source->getPere() && !source->contientRayon(cible)
           && copieRayonAdmise(source, cible);
}

bool filsRayonAdmis(const TRayon* pere)
{
    return pere->getProfondeur() < profondeurMaxRayons;
}

QString texteProfondeurMaxRayons()
{
    return QStringLiteral("les rayons ne peuvent pas être imbriqués sur plus de %1 niveaux.").arg(profondeurMaxRayons);
}
