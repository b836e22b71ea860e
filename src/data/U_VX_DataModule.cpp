#include "U_VX_DataModule.h"

#include "JournalModele.h"
#include "Rebuts.h"
#include "U_Article.h"
#include "U_rayon.h"

TdmVatrelix::TdmVatrelix() = default;

TdmVatrelix::~TdmVatrelix()
{
    viderListeRayons();
    viderRebuts();
}

TRayon* TdmVatrelix::ajouterRayonRacine(const QString& nom)
{
    return ajouterRayonRacine(nom, clWhite);
}

TRayon* TdmVatrelix::ajouterRayonRacine(const QString& nom, TColor couleur)
{
    auto* rayon = new TRayon(nom, couleur);
    listeRayons.append(rayon);
    JournalModele::noter(
        {.genre = JournalModele::Genre::RayonAttache, .rayon = rayon, .indice = int(listeRayons.size() - 1)});
    return rayon;
}

void TdmVatrelix::viderListeRayons()
{
    while (!listeRayons.isEmpty())
        retirerRayonRacine(int(listeRayons.size() - 1));
}

void TdmVatrelix::retirerRayonRacine(TRayon* r)
{
    const qsizetype i = listeRayons.indexOf(r);
    if (i >= 0)
        retirerRayonRacine(int(i));
}

void TdmVatrelix::retirerRayonRacine(int i)
{
    TRayon* r = listeRayons.takeAt(i);
    JournalModele::noter({.genre = JournalModele::Genre::RayonDetache, .rayon = r, .indice = i});
    Rebuts::deposer(r);
}

TRayon* TdmVatrelix::copierRayon(const TRayon* source, TRayon* cible)
{
    // Vérifié avant tout ajout : une copie refusée ne laisse rien derrière elle.
    if (!copieRayonAdmise(source, cible)) {
        throw EProfondeurRayons(QStringLiteral("Impossible de copier le rayon « %1 » dans « %2 » : ")
                                    .arg(source->getNom(), cible->getNom())
                                + texteProfondeurMaxRayons());
    }
    if (cible == source || source->contientRayon(cible)) {
        // La copie tomberait dans la source en cours de lecture : on copie d'abord
        // un instantané, sans quoi la copie se recopierait sans fin.
        TRayon instantane(source->getNom(), source->getCouleur());
        {
            // L'instantané meurt ici : le journal n'en garde rien.
            const JournalModele::Suspension suspension;
            copierContenuRayon(source, &instantane);
        }
        return copierRayon(&instantane, cible);
    }
    TRayon* copie = cible->ajouterRayonFils(source->getNom(), source->getCouleur(), cible);
    copierContenuRayon(source, copie);
    return copie;
}

void TdmVatrelix::copierContenuRayon(const TRayon* source, TRayon* copie)
{
    // Les fils d'abord, puis les articles, chacun dans l'ordre de la source.
    const int nbFils = source->getNbRayonsFils();
    for (int i = 0; i < nbFils; ++i) {
        const TRayon* fils = source->getRayonFils(i);
        TRayon* copieFils = copie->ajouterRayonFils(fils->getNom(), fils->getCouleur(), copie);
        copierContenuRayon(fils, copieFils);
    }
    const int nbArticles = source->getNbArticles();
    for (int i = 0; i < nbArticles; ++i) {
        const TArticle* a = source->getArticle(i);
        copie->creerArticle(a->getNom(), a->getPrix(), a->getRemarque());
    }
}

void TdmVatrelix::viderRebuts()
{
    Rebuts::vider();
}
