#include "LigneLC.h"

#include "Codec1252.h"
#include "Conversions.h"
#include "Erreurs.h"

#include <cmath>

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

double lireMontantLC(const QString& texte)
{
    const double montant = StrToFloat(texte);
    if (!(std::fabs(montant) <= montantMaxLC)) {
        throw EConvertError(u'\'' + texte + QStringLiteral("' n'est pas un montant admis : au plus ")
                            + FormatFloat(QStringLiteral("#,##0"), montantMaxLC) + QStringLiteral(" € en valeur absolue"));
    }
    return montant;
}

EConvertError erreurDeLigne(const EConvertError& erreur, qsizetype indice)
{
    return EConvertError(erreur.message() + QStringLiteral(" (ligne %1 de la liste de courses)").arg(indice + 1));
}

namespace {

// Un nom très long ne doit pas noyer le message.
QString abrege(const QString& texte)
{
    constexpr qsizetype k_longueur = 60;
    return texte.size() <= k_longueur ? texte : texte.left(k_longueur) + u'…';
}

// "|" décalerait les champs, CR et LF couperaient la ligne en plusieurs à la relecture.
QString champTexte(const QString& texte)
{
    QString champ = texte;
    for (QChar& c : champ) {
        if (c == u'|' || c == u'\r' || c == u'\n')
            c = u' ';
    }
    return champ;
}

// Une ligne que la liste ne relirait pas n'est jamais composée.
QString verifierLigne(const QString& ligne, qint64 quantite, double prix, double total, const QString& article)
{
    if (quantite > quantiteMaxLC || quantite < -quantiteMaxLC) {
        throw EConvertError(QStringLiteral("La quantité %1 de l'article « %2 » dépasse la plus grande quantité admise (%3).")
                                .arg(IntToStr(quantite), abrege(article), IntToStr(quantiteMaxLC)));
    }
    if (!(std::fabs(prix) <= montantMaxLC && std::fabs(total) <= montantMaxLC)) {
        throw EConvertError(QStringLiteral("Le montant de la ligne de l'article « %1 » dépasse %2 € en valeur absolue.")
                                .arg(abrege(article), FormatFloat(QStringLiteral("#,##0"), montantMaxLC)));
    }
    if (ligne.size() > longueurMaxLigneLC) {
        throw EConvertError(QStringLiteral("La ligne de l'article « %1 » compterait %2 caractères ; une ligne de liste "
                                           "de courses en compte au plus %3.")
                                .arg(abrege(article), IntToStr(ligne.size()), IntToStr(longueurMaxLigneLC)));
    }
    return ligne;
}

} // namespace

QString composerLigne(qint64 quantite, const QString& article, const QString& remarque,
                      const QString& rayon, double prix)
{
    // Le produit est pris en flottant depuis la quantité entière.
    const double total = double(quantite) * prix;
    const QString ligne = IntToStr(quantite) + u'|' + champTexte(article) + u'|' + champTexte(remarque) + u'|'
                          + champTexte(rayon) + u'|' + texteMontant(prix) + u'|' + texteMontant(total);
    return verifierLigne(normaliserAnsi(ligne), quantite, prix, total, article);
}

QString composerLigne(qint64 quantite, const QString& article, const QString& remarque,
                      const QString& rayon, const QString& textePU, qsizetype indice)
{
    try {
        const double prix = lireMontantLC(textePU);
        const double total = double(quantite) * prix;
        const QString ligne = IntToStr(quantite) + u'|' + champTexte(article) + u'|' + champTexte(remarque) + u'|'
                              + champTexte(rayon) + u'|' + textePU + kEuro + u'|' + texteMontant(total);
        return verifierLigne(normaliserAnsi(ligne), quantite, prix, total, article);
    } catch (const EConvertError& erreur) {
        if (indice < 0)
            throw;
        throw erreurDeLigne(erreur, indice);
    }
}

QString composerLigneFusion(qint64 quantite, const QString& cle, double prix)
{
    const double total = double(quantite) * prix;
    const QString ligne = IntToStr(quantite) + u'|' + cle + u'|' + texteMontant(total);
    return verifierLigne(ligne, quantite, prix, total, cle.left(cle.indexOf(u'|')));
}

ComptesLigneLC comptesLigne(QStringView ligne)
{
    // Même découpe que decouperLigne, sans copie et en une lecture : Nb est le premier champ,
    // Total le sixième.
    ComptesLigneLC comptes;
    const qsizetype n = ligne.size();
    qsizetype debut = 0;
    for (int champ = 0; champ < 6; ++champ) {
        qsizetype i = debut;
        while (i < n && ligne[i] != u'|')
            ++i;
        if (champ == 0)
            comptes.nb = ligne.sliced(0, i);
        else if (champ == 5)
            comptes.total = ligne.sliced(debut, i - debut);
        if (i == n)
            break;
        debut = i + 1;
    }
    return comptes;
}

namespace {

// Montant lu d'un Total : le " €" final retiré sans copie ; toute autre forme passe par sansEuro.
double lireTotal(QStringView total)
{
    QStringView sansSigne = total;
    if (sansSigne.endsWith(kEuro))
        sansSigne.chop(kEuro.size());
    if (sansSigne.contains(u'€'))
        return lireMontantLC(sansEuro(total.toString()));
    return lireMontantLC(QString::fromRawData(sansSigne.data(), sansSigne.size()));
}

} // namespace

void cumulerLigne(TotauxLC& totaux, const ComptesLigneLC& comptes, qsizetype indice)
{
    try {
        const int nb = StrToInt(QString::fromRawData(comptes.nb.data(), comptes.nb.size()));
        const double total = lireTotal(comptes.total);
        totaux.nbArticles += nb;
        totaux.total += total;
    } catch (const EConvertError& erreur) {
        throw erreurDeLigne(erreur, indice);
    }
}

void cumulerLigne(TotauxLC& totaux, const ChampsLigneLC& champs, qsizetype indice)
{
    cumulerLigne(totaux, ComptesLigneLC{champs.nb, champs.total}, indice);
}

TotauxLC calculerTotaux(const QStringList& lignes)
{
    TotauxLC totaux;
    for (qsizetype i = 0; i < lignes.size(); ++i)
        cumulerLigne(totaux, comptesLigne(lignes.at(i)), i);
    return totaux;
}

QString texteFactureLC(const TotauxLC& totaux)
{
    return IntToStr(totaux.nbArticles) + QStringLiteral(" articles - Total : ")
           + FormatFloat(QStringLiteral("#,##0.00"), totaux.total) + kEuro;
}
