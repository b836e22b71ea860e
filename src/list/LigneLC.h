#pragma once
// La ligne de la liste de courses : six champs joints par "|"
// (Nb|Article|Remarque|Rayon|PU|Total), PU et Total suivis de " €".
#include <QString>
#include <QStringList>

// Longueur maximale d'une ligne de liste : bien au-delà de toute ligne réelle, assez court pour
// que la vue reste vive. Une ligne plus longue n'est ni composée ni lue.
inline constexpr qsizetype longueurMaxLigneLC = 4096;

struct ChampsLigneLC
{
    QString nb;
    QString article;
    QString remarque;
    QString rayon;
    QString pu;
    QString total;
};

// Découpe comme le rafraîchissement : six fois, le texte jusqu'au "|" suivant ou tout
// le reste ; un champ manquant est vide.
ChampsLigneLC decouperLigne(const QString& ligne);

// Montant d'une ligne : FormatFloat("0.00") suivi de " €".
QString texteMontant(double montant);
// Texte lu d'un montant : chaque " €" retiré.
QString sansEuro(const QString& montant);

// Ligne d'un ajout : q|nom|remarque|rayon|prix €|q×prix €, ramenée au jeu Windows-1252.
QString composerLigne(qint64 quantite, const QString& article, const QString& remarque,
                      const QString& rayon, double prix);
// Ligne d'une modification : le PU garde son texte (sans " €"), le total est recalculé
// depuis ce texte lu en nombre (EConvertError s'il ne se lit pas).
QString composerLigne(qint64 quantite, const QString& article, const QString& remarque,
                      const QString& rayon, const QString& textePU);

struct TotauxLC
{
    qint64 nbArticles = 0; // somme des quantités, pas du nombre de lignes
    double total = 0;      // somme des totaux tels qu'écrits (déjà arrondis au centime)
};

// Ajoute une ligne aux totaux ; un Nb ou un Total illisible lève EConvertError en
// nommant la ligne (indice compté depuis 0, affiché depuis 1) et laisse les totaux intacts.
void cumulerLigne(TotauxLC& totaux, const ChampsLigneLC& champs, qsizetype indice);
TotauxLC calculerTotaux(const QStringList& lignes);

// "n articles - Total : 1 241,50 €"
QString texteFactureLC(const TotauxLC& totaux);
