#include "ImportAncienneBase.h"

#include "Conversions.h"
#include "FichierTexte.h"
#include "NomsFichiers.h"
#include "U_Article.h"
#include "U_VX_DataModule.h"
#include "U_rayon.h"

EBaseIncompatible::EBaseIncompatible()
    : EVatrelix(QStringLiteral("Le fichier n'est pas compatible ou est vide !"))
{
}

bool ancienneBaseCompatible(const QStringList& lignes)
{
    if (lignes.isEmpty())
        return false;
    try {
        StrToFloat(lignes.first().mid(largeurNomAncien, largeurEnregistrementAncien - largeurNomAncien));
    } catch (const EConvertError&) {
        return false;
    }
    return true;
}

QList<ArticleAncien> lireEnregistrementsAnciens(const QString& ligne, const QString& chemin)
{
    QList<ArticleAncien> articles;
    articles.reserve(ligne.size() / largeurEnregistrementAncien + 1);
    for (qsizetype debut = 0; debut < ligne.size(); debut += largeurEnregistrementAncien) {
        const QString enregistrement = ligne.mid(debut, largeurEnregistrementAncien);
        const qsizetype numero = debut / largeurEnregistrementAncien + 1;
        ArticleAncien article;
        // Un "|" couperait toute ligne de liste qui reprend ce nom, un caractère de contrôle
        // rendrait la base impossible à enregistrer : chacun devient un blanc, avant la coupe
        // à droite pour qu'un nom ne finisse jamais par un blanc.
        article.nom = TrimRight(sansCaracteresInterditsXml(enregistrement.left(largeurNomAncien).replace(u'|', u' ')));
        const QString textePrix = TrimRight(enregistrement.mid(largeurNomAncien));
        const QString lieu = QStringLiteral("Fichier « %1 », enregistrement %2 : ").arg(chemin).arg(numero);
        try {
            article.prix = StrToFloat(textePrix);
        } catch (const EConvertError&) {
            throw EConvertError(lieu + QStringLiteral("le prix « %1 » de l'article « %2 » n'est pas un nombre valide.")
                                           .arg(textePrix, article.nom));
        }
        if (!prixArticleAdmis(article.prix)) {
            throw EConvertError(lieu + QStringLiteral("le prix « %1 » de l'article « %2 » dépasse %3 € en valeur absolue.")
                                           .arg(textePrix, article.nom,
                                                FormatFloat(QStringLiteral("#,##0"), prixMaxArticle)));
        }
        articles.append(article);
    }
    return articles;
}

QString nomRayonImporte(const QString& chemin)
{
    QString nom = ExtractFileName(chemin);
    const QString extension = ExtractFileExt(nom);
    if (!extension.isEmpty())
        nom.remove(extension, Qt::CaseSensitive);
    return nom;
}

AncienneBase lireAncienneBase(const QString& chemin)
{
    const QStringList lignes = lireLignes(chemin, TailleMax::ancienneBase);
    if (!ancienneBaseCompatible(lignes))
        throw EBaseIncompatible();
    AncienneBase base;
    base.nomRayon = nomRayonImporte(chemin);
    base.articles = lireEnregistrementsAnciens(lignes.first(), chemin);
    return base;
}

TRayon* importerAncienneBase(TdmVatrelix& dm, const AncienneBase& base,
                             const std::function<void(const TRayon&, const TArticle&)>& surArticle)
{
    TRayon* rayon = dm.ajouterRayonRacine(base.nomRayon, couleurRayonImporte);
    for (const ArticleAncien& a : base.articles) {
        const TArticle* article = rayon->creerArticle(a.nom, a.prix, QString());
        if (surArticle)
            surArticle(*rayon, *article);
    }
    return rayon;
}
