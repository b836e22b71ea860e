#include "ImportAncienneBase.h"

#include "Conversions.h"
#include "FichierTexte.h"
#include "NomsFichiers.h"
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

QList<ArticleAncien> lireEnregistrementsAnciens(const QString& ligne)
{
    QList<ArticleAncien> articles;
    articles.reserve(ligne.size() / largeurEnregistrementAncien + 1);
    for (qsizetype debut = 0; debut < ligne.size(); debut += largeurEnregistrementAncien) {
        const QString enregistrement = ligne.mid(debut, largeurEnregistrementAncien);
        ArticleAncien article;
        // Un "|" couperait toute ligne de liste qui reprend ce nom : il devient un blanc,
        // avant la coupe à droite pour qu'un nom ne finisse jamais par un blanc.
        article.nom = TrimRight(enregistrement.left(largeurNomAncien).replace(u'|', u' '));
        article.prix = StrToFloat(TrimRight(enregistrement.mid(largeurNomAncien)));
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
    base.articles = lireEnregistrementsAnciens(lignes.first());
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
