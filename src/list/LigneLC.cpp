#include "LigneLC.h"

#include "Codec1252.h"
#include "Conversions.h"
#include "Erreurs.h"

namespace {
const QString kEuro = QStringLiteral(" €");

// Prend le texte jusqu'au prochain "|" (exclu) à partir de debut ; avance debut après lui,
// ou à la fin quand il n'y en a plus.
QString prendreChamp(const QString& ligne, qsizetype& debut)
{
    if (debut > ligne.size()) {
        return QString();
    }
    const qsizetype barre = ligne.indexOf(u'|', debut);
    if (barre < 0) {
        const QString reste = ligne.mid(debut);
        debut = ligne.size() + 1;
        return reste;
    }
    const QString champ = ligne.mid(debut, barre - debut);
    debut = barre + 1;
    return champ;
}
} // namespace

ChampsLigneLC decouperLigne(const QString& ligne)
{
    ChampsLigneLC champs;
    qsizetype debut = 0;
    champs.nb = prendreChamp(ligne, debut);
    champs.article = prendreChamp(ligne, debut);
    champs.remarque = prendreChamp(ligne, debut);
    champs.rayon = prendreChamp(ligne, debut);
    champs.pu = prendreChamp(ligne, debut);
    // Un "|" de trop décale la découpe : ce qui suit un sixième "|" n'est pas lu.
    champs.total = prendreChamp(ligne, debut);
    return champs;
}

QString texteMontant(double montant)
{
    return FormatFloat(QStringLiteral("0.00"), montant) + kEuro;
}

QString sansEuro(const QString& montant)
{
    return StringReplace(montant, kEuro, QString());
}

QString composerLigne(qint64 quantite, const QString& article, const QString& remarque,
                      const QString& rayon, double prix)
{
    // Le produit est pris en flottant depuis la quantité entière.
    const double total = double(quantite) * prix;
    const QString ligne = IntToStr(quantite) + u'|' + article + u'|' + remarque + u'|' + rayon + u'|'
                          + texteMontant(prix) + u'|' + texteMontant(total);
    return normaliserAnsi(ligne);
}

QString composerLigne(qint64 quantite, const QString& article, const QString& remarque,
                      const QString& rayon, const QString& textePU)
{
    const double prix = StrToFloat(textePU);
    const QString ligne = IntToStr(quantite) + u'|' + article + u'|' + remarque + u'|' + rayon + u'|'
                          + textePU + kEuro + u'|' + texteMontant(double(quantite) * prix);
    return normaliserAnsi(ligne);
}

void cumulerLigne(TotauxLC& totaux, const ChampsLigneLC& champs, qsizetype indice)
{
    try {
        const int nb = StrToInt(champs.nb);
        const double total = StrToFloat(sansEuro(champs.total));
        totaux.nbArticles += nb;
        totaux.total += total;
    } catch (const EConvertError& erreur) {
        throw EConvertError(erreur.message() + QStringLiteral(" (ligne %1 de la liste de courses)").arg(indice + 1));
    }
}

TotauxLC calculerTotaux(const QStringList& lignes)
{
    TotauxLC totaux;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        cumulerLigne(totaux, decouperLigne(lignes.at(i)), i);
    }
    return totaux;
}

QString texteFactureLC(const TotauxLC& totaux)
{
    return IntToStr(totaux.nbArticles) + QStringLiteral(" articles - Total : ")
           + FormatFloat(QStringLiteral("#,##0.00"), totaux.total) + kEuro;
}
