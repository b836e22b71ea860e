#pragma once
// La ligne de la liste de courses : six champs joints par "|"
// (Nb|Article|Remarque|Rayon|PU|Total), PU et Total suivis de " €".
#include "Erreurs.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// Longueur maximale d'une ligne de liste, en caractères, fin de ligne non comprise : la lecture
// d'un fichier refuse une ligne plus longue, le programme n'en compose donc aucune.
constexpr qsizetype longueurMaxLigneLC = 4096;
// Plus grand montant (PU, Total) d'une ligne, en euros et en valeur absolue : au-delà, un double
// ne garde plus les centimes et les totaux s'approchent de l'infini ("INF €"), que le
// rafraîchissement ne relit pas.
constexpr double montantMaxLC = 1e15;
// Plus grande quantité (Nb) d'une ligne : le Nb est relu en entier de 32 bits.
constexpr qint64 quantiteMaxLC = 2147483647;

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
// Montant lu d'un texte sans " €" (séparateur décimal régional) : EConvertError s'il ne se lit
// pas ou dépasse montantMaxLC en valeur absolue.
double lireMontantLC(const QString& texte);

// Chaque ligne composée se relit telle quelle : dans ses champs de texte, "|", CR et LF
// deviennent des blancs ; une quantité illisible, un montant hors de ±montantMaxLC ou une
// ligne de plus de longueurMaxLigneLC caractères lèvent EConvertError.

// Ligne d'un ajout : q|nom|remarque|rayon|prix €|q×prix €, ramenée au jeu Windows-1252.
QString composerLigne(qint64 quantite, const QString& article, const QString& remarque,
                      const QString& rayon, double prix);
// Ligne d'une modification : le PU garde son texte (sans " €"), le total est recalculé
// depuis ce texte lu en nombre. indice (compté depuis 0) nomme la ligne dans les erreurs.
QString composerLigne(qint64 quantite, const QString& article, const QString& remarque,
                      const QString& rayon, const QString& textePU, qsizetype indice = -1);
// Ligne d'une fusion : q|cle|q×prix €, la clé (Article|Remarque|Rayon|PU €) reprise telle quelle.
QString composerLigneFusion(qint64 quantite, const QString& cle, double prix);
// L'erreur complétée du numéro de la ligne (indice compté depuis 0, affiché depuis 1).
EConvertError erreurDeLigne(const EConvertError& erreur, qsizetype indice);

struct TotauxLC
{
    qint64 nbArticles = 0; // somme des quantités, pas du nombre de lignes
    double total = 0;      // somme des totaux tels qu'écrits (déjà arrondis au centime)
};

// Nb et Total d'une ligne, en vues sur elle, découpés comme par decouperLigne ; valables tant
// que la ligne vit.
struct ComptesLigneLC
{
    QStringView nb;
    QStringView total;
};
ComptesLigneLC comptesLigne(QStringView ligne);

// Ajoute une ligne aux totaux ; un Nb ou un Total illisible lève EConvertError en
// nommant la ligne (indice compté depuis 0, affiché depuis 1) et laisse les totaux intacts.
void cumulerLigne(TotauxLC& totaux, const ComptesLigneLC& comptes, qsizetype indice);
void cumulerLigne(TotauxLC& totaux, const ChampsLigneLC& champs, qsizetype indice);
TotauxLC calculerTotaux(const QStringList& lignes);

// "n articles - Total : 1 241,50 €"
QString texteFactureLC(const TotauxLC& totaux);
