#include "GenerateurBase.h"

#include "Emplacements.h"
#include "Rebuts.h"
#include "U_VX_DataModule.h"
#include "U_rayon.h"

#include <QList>
#include <QStringList>

#include <cmath>
#include <random>

namespace {

const QStringList k_rayons{
    QStringLiteral("Fruits et légumes"), QStringLiteral("Crèmerie"), QStringLiteral("Boucherie"),
    QStringLiteral("Poissonnerie"), QStringLiteral("Épicerie salée"), QStringLiteral("Épicerie sucrée"),
    QStringLiteral("Boissons"), QStringLiteral("Surgelés"), QStringLiteral("Hygiène & beauté"),
    QStringLiteral("Entretien"), QStringLiteral("Boulangerie"), QStringLiteral("Bébé"),
    QStringLiteral("Animalerie"), QStringLiteral("Bazar"), QStringLiteral("Traiteur")};
const QStringList k_sousRayons{
    QStringLiteral("Bio"), QStringLiteral("Régional"), QStringLiteral("Promotions"), QStringLiteral("Vrac"),
    QStringLiteral("Premier prix"), QStringLiteral("Marques"), QStringLiteral("Du monde"),
    QStringLiteral("Sans gluten"), QStringLiteral("Frais"), QStringLiteral("Conserves")};
const QStringList k_produits{
    QStringLiteral("Pommes golden"), QStringLiteral("Poires conférence"), QStringLiteral("Lait demi-écrémé"),
    QStringLiteral("Beurre doux"), QStringLiteral("Crème fraîche épaisse"), QStringLiteral("Œufs plein air"),
    QStringLiteral("Emmental râpé"), QStringLiteral("Yaourts nature"), QStringLiteral("Jambon blanc"),
    QStringLiteral("Pâtes coquillettes"), QStringLiteral("Riz basmati"), QStringLiteral("Café moulu"),
    QStringLiteral("Thé vert"), QStringLiteral("Chocolat noir 70 %"), QStringLiteral("Confiture d'abricots"),
    QStringLiteral("Eau gazeuse"), QStringLiteral("Jus d'orange"), QStringLiteral("Bière blonde"),
    QStringLiteral("Petits pois carottes"), QStringLiteral("Haricots verts"), QStringLiteral("Filets de cabillaud"),
    QStringLiteral("Steaks hachés"), QStringLiteral("Savon de Marseille"), QStringLiteral("Lessive liquide"),
    QStringLiteral("Éponges"), QStringLiteral("Baguette tradition"), QStringLiteral("Croissants"),
    QStringLiteral("Couches taille 4"), QStringLiteral("Croquettes chat"), QStringLiteral("Piles AA")};
const QStringList k_formats{
    QStringLiteral("250 g"), QStringLiteral("500 g"), QStringLiteral("1 kg"), QStringLiteral("1 l"),
    QStringLiteral("6 × 33 cl"), QStringLiteral("lot de 2"), QStringLiteral("x12"), QStringLiteral("format familial")};
const QStringList k_remarques{
    QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("-"), QStringLiteral("en promotion"),
    QStringLiteral("marque distributeur"), QStringLiteral("à vérifier"), QStringLiteral("<si possible>"),
    QStringLiteral("préférer le bio & local")};
const QList<TColor> k_couleurs{clWhite, clCream, clSkyBlue, clBtnFace, 0x008080FF, 0x00C0FFC0, 0x00FFE0C0};

} // namespace

void genererForet(TdmVatrelix& dm, int nbArticles)
{
    std::mt19937 alea(20061);
    auto tirer = [&](const QStringList& l) { return l.at(int(alea() % unsigned(l.size()))); };

    // Environ vingt articles par rayon, répartis sur trois niveaux.
    const int nbRayons = std::max(3, nbArticles / 20);
    const int parNiveau = std::max(1, int(std::cbrt(double(nbRayons))));
    QList<TRayon*> rayons;
    QList<TRayon*> niveau2;
    for (int r = 0; r < parNiveau && rayons.size() < nbRayons; ++r) {
        TRayon* racine = dm.ajouterRayonRacine(k_rayons.at(r % k_rayons.size())
                                                   + (r >= k_rayons.size() ? QStringLiteral(" %1").arg(r) : QString()),
                                               k_couleurs.at(r % k_couleurs.size()));
        rayons.append(racine);
    }
    for (int i = 0; rayons.size() < nbRayons && i < parNiveau * parNiveau; ++i) {
        TRayon* pere = rayons.at(i % parNiveau);
        TRayon* fils = pere->ajouterRayonFils(tirer(k_sousRayons), k_couleurs.at(i % k_couleurs.size()), pere);
        rayons.append(fils);
        niveau2.append(fils);
    }
    for (int i = 0; rayons.size() < nbRayons; ++i) {
        TRayon* pere = niveau2.at(i % niveau2.size());
        TRayon* fils = pere->ajouterRayonFils(tirer(k_sousRayons) + QStringLiteral(" ") + tirer(k_formats),
                                              k_couleurs.at(i % k_couleurs.size()), pere);
        rayons.append(fils);
    }
    for (int a = 0; a < nbArticles; ++a) {
        TRayon* rayon = rayons.at(a % rayons.size());
        const double prix = double(15 + alea() % 2585) / 100.0;
        rayon->creerArticle(tirer(k_produits) + u' ' + tirer(k_formats), prix, tirer(k_remarques));
    }
}

void genererFichierBase(const QString& dossier, int nbArticles)
{
    definirRepertoireExecutable(dossier);
    {
        TdmVatrelix dm;
        genererForet(dm, nbArticles);
        struct Muette : ProgressionBase
        {
            void progression(const QString&) override {}
        } muette;
        dm.enregistrerBase(muette);
    }
    Rebuts::vider();
}
