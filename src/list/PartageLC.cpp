// Texte, CSV et fichier texte de la liste de courses.
#include "PartageLC.h"

#include "LigneLC.h"

using namespace Qt::StringLiterals;

namespace {

// Montant d'un champ "1,50 €" en décimales françaises, sans symbole ; tel quel s'il ne se lit pas.
QString montantFrancais(const QString& champ)
{
    const QString texte = sansEuro(champ).trimmed();
    try {
        return QString::number(lireMontantLC(texte), 'f', 2).replace(u'.', u',');
    } catch (const EConvertError&) {
        return texte;
    }
}

QList<int> toutes(qsizetype n)
{
    QList<int> indices;
    indices.reserve(n);
    for (int i = 0; i < n; ++i)
        indices.append(i);
    return indices;
}

} // namespace

QString texteListePartage(const QStringList& lignes, const QList<int>& indices)
{
    const QList<int> choisies = indices.isEmpty() ? toutes(lignes.size()) : indices;
    QString texte;
    TotauxLC totaux;
    for (int i : choisies) {
        const ChampsLigneLC c = decouperLigne(lignes.at(i));
        cumulerLigne(totaux, c, i);
        texte += c.nb + u" × "_s + c.article + u" — "_s + c.total + u'\n';
    }
    return texte + u"Total : "_s + texteMontant(totaux.total) + u'\n';
}

QString champCSV(const QString& champ)
{
    const bool guillemets = champ.contains(u';') || champ.contains(u'"') || champ.contains(u'\n')
                            || champ.contains(u'\r')
                            || (!champ.isEmpty() && (champ.front().isSpace() || champ.back().isSpace()));
    if (!guillemets)
        return champ;
    QString echappe = champ;
    echappe.replace(u"\""_s, u"\"\""_s);
    return u'"' + echappe + u'"';
}

QByteArray octetsCSV(const QStringList& lignes)
{
    const auto rangee = [](const QStringList& champs) {
        QStringList cellules;
        for (const QString& c : champs)
            cellules << champCSV(c);
        return cellules.join(u';') + u"\r\n"_s;
    };
    QString texte = rangee({u"Quantité"_s, u"Article"_s, u"Remarque"_s, u"Rayon"_s, u"Prix unitaire (€)"_s,
                            u"Total (€)"_s});
    TotauxLC totaux;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const ChampsLigneLC c = decouperLigne(lignes.at(i));
        cumulerLigne(totaux, c, i);
        texte += rangee({c.nb, c.article, c.remarque, c.rayon, montantFrancais(c.pu), montantFrancais(c.total)});
    }
    texte += rangee({QString::number(totaux.nbArticles), {}, {}, {}, u"Total"_s,
                     QString::number(totaux.total, 'f', 2).replace(u'.', u',')});
    return QByteArray("\xEF\xBB\xBF") + texte.toUtf8();
}

QByteArray octetsTexte(const QStringList& lignes)
{
    return texteListePartage(lignes).toUtf8();
}
