#include "U_vx_impression.h"

#include "CanevasQPainter.h"
#include "Conversions.h"
#include "Horloge.h"
#include "NomsFichiers.h"

#include <QPageLayout>
#include <QPrinter>

#include <limits>

const QString kLigneProduit = QStringLiteral("Tavelquirn - Vatrelix");
const QString kNoticeFabricant = QStringLiteral("Imprimé avec Vatrelix, logiciel libre de listes de courses");

namespace {
const QString kPolice = QStringLiteral("Times New Roman");
// Texte servant à mesurer la hauteur d'une ligne du corps.
const QString kEchantillon = QStringLiteral("Hg");
constexpr int kResolutionPdf = 600;

// Prend le texte jusqu'au prochain "|" ; sans "|", tout le reste, et le reste devient vide.
QString prendreCellule(QString& reste)
{
    const qsizetype barre = reste.indexOf(u'|');
    if (barre < 0) {
        QString cellule = reste;
        reste.clear();
        return cellule;
    }
    QString cellule = reste.left(barre);
    reste.remove(0, barre + 1);
    return cellule;
}

// Limite basse d'une rangée : au-delà, elle passe à la page suivante.
int limiteRangees(const MiseEnPage& page)
{
    return page.bas - page.hauteurLigne - 5;
}

// Une cellule vide ne laisse rien sur la page : on ne la trace pas.
void ecrireCellule(CanevasImpression& canevas, int x, int y, const QString& texte)
{
    if (!texte.isEmpty())
        canevas.ecrireTexte(x, y, texte);
}

void ecrireADroite(CanevasImpression& canevas, int bordDroit, int y, const QString& texte)
{
    ecrireCellule(canevas, bordDroit - canevas.largeurTexte(texte), y, texte);
}

// Cellules d'une rangée ; le rayon n'est écrit que s'il change d'une rangée à l'autre.
void imprimerRangee(CanevasImpression& canevas, const MiseEnPage& page, int y, const CellulesRangee& cellules,
                    bool rangeeDeTotal, QString& rayonPrecedent)
{
    ecrireCellule(canevas, page.colNb, y, cellules.nb);
    ecrireCellule(canevas, page.colArticle, y, cellules.article);
    ecrireCellule(canevas, page.colRemarque, y, cellules.remarque);
    if (cellules.rayon != rayonPrecedent)
        ecrireCellule(canevas, page.colRayon, y, cellules.rayon);
    rayonPrecedent = cellules.rayon;

    // Sur la rangée de total, "Total :" et le montant en gras, le style revenant au normal après chacun.
    const auto ecrireMontant = [&](int bordDroit, const QString& texte) {
        if (rangeeDeTotal)
            canevas.definirStyle(StylePolice::Gras);
        ecrireADroite(canevas, bordDroit, y, texte);
        if (rangeeDeTotal)
            canevas.definirStyle({});
    };
    ecrireMontant(page.colTotal - 2 * page.unite, cellules.pu);
    ecrireMontant(page.droite - page.unite, cellules.total);
}
} // namespace

MiseEnPage calculerMiseEnPage(int largeurPage, int hauteurPage)
{
    MiseEnPage page;
    page.largeurPage = largeurPage;
    page.hauteurPage = hauteurPage;
    page.bas = hauteurPage - 250;
    page.droite = largeurPage - 100;
    // Division entière voulue : les colonnes tombent sur des unités entières.
    page.unite = (page.droite - page.gauche) / 100;
    page.colNb = page.gauche + 1 * page.unite;
    page.colArticle = page.gauche + 8 * page.unite;
    page.colRemarque = page.gauche + 35 * page.unite;
    page.colRayon = page.gauche + 55 * page.unite;
    page.colPU = page.gauche + 75 * page.unite;
    page.colTotal = page.gauche + 87 * page.unite;
    return page;
}

int rangeesParPage(const MiseEnPage& page)
{
    // Le plus petit j tel que curseurY + j × hauteurLigne > limite ; une page trop
    // petite pour une seule rangée en reçoit une quand même (sinon division par zéro).
    const int place = limiteRangees(page) - page.curseurY;
    if (place < 0)
        return 1;
    if (page.hauteurLigne <= 0)
        return std::numeric_limits<int>::max();
    return place / page.hauteurLigne + 1;
}

int compterPages(const MiseEnPage& page, qsizetype nbLignes)
{
    // nbLignes + 1 rangées, total compris.
    return int(1 + nbLignes / rangeesParPage(page));
}

CellulesRangee decouperCellules(const QString& rangee)
{
    CellulesRangee cellules;
    QString reste = rangee;
    const qsizetype barre = reste.indexOf(u'|');
    if (barre >= 0) {
        cellules.nb = reste.left(barre);
        reste.remove(0, barre + 1);
    }
    cellules.article = prendreCellule(reste);
    cellules.remarque = prendreCellule(reste);
    cellules.rayon = prendreCellule(reste);
    cellules.pu = prendreCellule(reste);
    cellules.total = prendreCellule(reste);
    return cellules;
}

QString rangeeTotal(double totalLC)
{
    return QStringLiteral("||||Total :|") + FormatFloat(QStringLiteral("#,##0.00"), totalLC) + QStringLiteral(" €");
}

QString titrePage()
{
    return QStringLiteral("LISTE DE COURSES DU ") + DateTimeToStr(Horloge::courante().maintenant());
}

void imprimerEntete(CanevasImpression& canevas, MiseEnPage& page)
{
    canevas.definirTaille(16);
    canevas.definirStyle(StylePolice::Gras);
    canevas.pinceauTransparent();

    // Date et heure reprises à chaque page.
    const QString titre = titrePage();
    page.hauteurTitre = canevas.hauteurTexte(titre);
    // Centré sur toute la largeur ; y absolu, indépendant de la marge haute.
    canevas.ecrireTexte((page.largeurPage - canevas.largeurTexte(titre)) / 2, 15, titre);

    const int hautTableau = page.haut + page.hauteurTitre;
    page.cadre = QRect(page.gauche, hautTableau, page.droite - page.gauche, page.bas - hautTableau);

    canevas.definirTaille(10);
    const int yIntitules = hautTableau + 5;
    canevas.ecrireTexte(page.colNb, yIntitules, QStringLiteral("NB"));
    canevas.ecrireTexte(page.colArticle, yIntitules, QStringLiteral("ARTICLE"));
    canevas.ecrireTexte(page.colRemarque, yIntitules, QStringLiteral("REMARQUE"));
    canevas.ecrireTexte(page.colRayon, yIntitules, QStringLiteral("RAYON"));
    canevas.ecrireTexte(page.colPU, yIntitules, QStringLiteral("PU"));
    canevas.ecrireTexte(page.colTotal, yIntitules, QStringLiteral("TOTAL"));

    canevas.definirStyle({});
    const int yFilet = hautTableau + page.hauteurLigne + 10;
    canevas.deplacerVers(page.gauche, yFilet);
    canevas.tracerVers(page.droite, yFilet);
    page.curseurY = yFilet + 10;
}

void imprimerPied(CanevasImpression& canevas, const MiseEnPage& page, const QString& fichierLC)
{
    canevas.pinceauPlein(Qt::black);
    canevas.encadrer(page.cadre);

    // Pas de séparateur avant Nb : le cadre ferme le tableau à gauche et à droite.
    const int hautSeparateurs = page.haut + page.hauteurTitre + 5;
    for (const int colonne : {page.colArticle, page.colRemarque, page.colRayon, page.colPU, page.colTotal}) {
        canevas.deplacerVers(colonne - page.unite, hautSeparateurs);
        canevas.tracerVers(colonne - page.unite, page.bas);
    }

    canevas.definirTaille(10);
    canevas.definirStyle(StylePolice::Italique);
    canevas.pinceauTransparent();
    canevas.ecrireTexte(page.gauche, page.bas + 10, QStringLiteral("Fichier : ") + ExtractFileName(fichierLC));
    const QString numero = QStringLiteral("Page %1 sur %2").arg(page.pageCourante).arg(page.nbPages);
    canevas.ecrireTexte(page.gauche, page.bas + canevas.hauteurTexte(numero) + 5, numero);

    canevas.definirTaille(8);
    canevas.definirStyle(StylePolice::Gras | StylePolice::Italique);
    ecrireADroite(canevas, page.droite, page.bas + 10, kLigneProduit);
    ecrireADroite(canevas, page.droite, page.bas + 10 + canevas.hauteurTexte(kLigneProduit), kNoticeFabricant);
}

void sautDePage(CanevasImpression& canevas, MiseEnPage& page, const QString& fichierLC)
{
    imprimerPied(canevas, page, fichierLC);
    canevas.nouvellePage();
    imprimerEntete(canevas, page);
    ++page.pageCourante;
}

QRect caseACocher(const MiseEnPage& page, int y)
{
    const int cote = page.hauteurLigne * 2 / 3;
    return QRect(page.colArticle - 2 * page.unite - cote, y + (page.hauteurLigne - cote) / 2, cote, cote);
}

void imprimerLC(CanevasImpression& canevas, const QStringList& lignes, const QString& fichierLC, double totalLC,
                bool casesACocher)
{
    canevas.commencerDocument();
    canevas.definirPolice(kPolice);

    MiseEnPage page = calculerMiseEnPage(canevas.largeurPage(), canevas.hauteurPage());
    canevas.definirTaille(10);
    canevas.definirStyle({});
    page.hauteurLigne = canevas.hauteurTexte(kEchantillon);

    imprimerEntete(canevas, page);
    page.pageCourante = 1;
    // Passe à blanc : toutes les pages reçoivent autant de rangées que la première.
    page.nbPages = compterPages(page, lignes.size());

    // Rangées 0..N-1 : les lignes ; rangée N : le total.
    const qsizetype n = lignes.size();
    qsizetype premiereDeLaPage = 0;
    QString rayonPrecedent; // gardé d'une page à l'autre
    for (qsizetype j = 0; j <= n; ++j) {
        int y = page.curseurY + int(j - premiereDeLaPage) * page.hauteurLigne;
        // La première rangée d'une page y reste, même si la page est trop petite.
        if (j > premiereDeLaPage && limiteRangees(page) < y) {
            sautDePage(canevas, page, fichierLC);
            premiereDeLaPage = j;
            y = page.curseurY;
        }
        const bool rangeeDeTotal = j == n;
        const CellulesRangee cellules = decouperCellules(rangeeDeTotal ? rangeeTotal(totalLC) : lignes.at(j));
        imprimerRangee(canevas, page, y, cellules, rangeeDeTotal, rayonPrecedent);
        if (casesACocher && !rangeeDeTotal) {
            canevas.pinceauPlein(Qt::black);
            canevas.encadrer(caseACocher(page, y));
            canevas.pinceauTransparent();
        }

        canevas.deplacerVers(page.gauche, y + page.hauteurLigne);
        canevas.tracerVers(page.droite, y + page.hauteurLigne);
    }

    imprimerPied(canevas, page, fichierLC);
    canevas.terminerDocument();
}

void imprimerSurImprimante(QPrinter& imprimante, const QStringList& lignes, const QString& fichierLC,
                           double totalLC, bool casesACocher)
{
    // Sortie PDF : 600 points par pouce. À 1200, la bande fixe de 250 unités sous le
    // tableau ne tient plus les deux lignes du pied, rejetées au bord de la feuille.
    if (imprimante.outputFormat() == QPrinter::PdfFormat && imprimante.resolution() != kResolutionPdf)
        imprimante.setResolution(kResolutionPdf);
    CanevasQPainter canevas(imprimante);
    imprimerLC(canevas, lignes, fichierLC, totalLC, casesACocher);
}

void reglerSortiePdf(QPrinter& imprimante, const QString& fichierPdf)
{
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(fichierPdf);
    imprimante.setResolution(kResolutionPdf);
    imprimante.setPageSize(QPageSize(QPageSize::A4));
    imprimante.setPageOrientation(QPageLayout::Portrait);
    imprimante.setFullPage(false);
}
