#pragma once
// Impression de la liste de courses : tableau encadré, une rangée par ligne et une
// rangée de total, titre daté sur chaque page, pied avec fichier et numéro de page.
// Tout est tracé sur un CanevasImpression, en unités de l'appareil.
#include "CanevasImpression.h"

#include <QRect>
#include <QString>
#include <QStringList>

class QPrinter;

// Mise en page d'un travail d'impression.
struct MiseEnPage
{
    int largeurPage = 0;
    int hauteurPage = 0;
    int haut = 50;
    int bas = 0;
    int gauche = 100;
    int droite = 0;
    int unite = 0;
    int colNb = 0;
    int colArticle = 0;
    int colRemarque = 0;
    int colRayon = 0;
    int colPU = 0;
    int colTotal = 0;
    int hauteurTitre = 0;
    int hauteurLigne = 0; // police du corps : 10 pt, normale
    int curseurY = 0;     // y de la première rangée de la page
    QRect cadre;          // points de (gauche, haut + hauteurTitre) à (droite, bas) exclus
    int pageCourante = 1;
    int nbPages = 1;
};

// Marges, unité et colonnes pour une page de cette taille.
MiseEnPage calculerMiseEnPage(int largeurPage, int hauteurPage);

// Rangées tenant sur une page (au moins une), et pages pour nbLignes lignes plus le total.
// Demandent hauteurLigne et curseurY.
int rangeesParPage(const MiseEnPage& page);
int compterPages(const MiseEnPage& page, qsizetype nbLignes);

// Cellules d'une rangée imprimée : Nb jusqu'au premier "|" (vide sans "|"), puis cinq
// cellules jusqu'au "|" suivant ; au-delà d'un sixième "|", rien n'est imprimé.
struct CellulesRangee
{
    QString nb;
    QString article;
    QString remarque;
    QString rayon;
    QString pu;
    QString total;
};
CellulesRangee decouperCellules(const QString& rangee);

// Texte de la rangée de total : "||||Total :|" + total "#,##0.00" + " €".
QString rangeeTotal(double totalLC);

// Titre de page, le nom du fabricant et sa notice.
QString titrePage();
extern const QString kLigneProduit;
extern const QString kNoticeFabricant;

// Un document complet : en-tête, rangées, total, pieds et sauts de page. casesACocher : une case
// vide au bout de la colonne Nb de chaque ligne, pour cocher sur papier (le total n'en a pas).
void imprimerLC(CanevasImpression& canevas, const QStringList& lignes, const QString& fichierLC, double totalLC,
                bool casesACocher = false);
// Case à cocher d'une rangée dont le haut est en y.
QRect caseACocher(const MiseEnPage& page, int y);

// En-tête de la page courante : titre centré, intitulés, filet ; fixe hauteurTitre, cadre, curseurY.
void imprimerEntete(CanevasImpression& canevas, MiseEnPage& page);
// Cadre, séparateurs de colonnes et pied de la page courante.
void imprimerPied(CanevasImpression& canevas, const MiseEnPage& page, const QString& fichierLC);
// Pied de la page, nouvelle page, en-tête de la nouvelle ; pageCourante avance de 1.
void sautDePage(CanevasImpression& canevas, MiseEnPage& page, const QString& fichierLC);

// Imprime sur l'imprimante réglée par le dialogue d'impression (ou sa sortie PDF,
// toujours à 600 points par pouce). Lève EImpressionErreur quand le service d'impression refuse.
void imprimerSurImprimante(QPrinter& imprimante, const QStringList& lignes, const QString& fichierLC,
                           double totalLC, bool casesACocher = false);
// Règle l'imprimante pour un fichier PDF A4 à 600 points par pouce, sans écran ni imprimante.
void reglerSortiePdf(QPrinter& imprimante, const QString& fichierPdf);
