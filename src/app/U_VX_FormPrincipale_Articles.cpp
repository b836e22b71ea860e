// Commandes des articles et remplissage de la liste d'articles.
#include "U_VX_FormPrincipale.h"

#include "ArbreRayons.h"
#include "Conversions.h"
#include "Interactions.h"
#include "U_Article.h"
#include "U_VX_FormArticle.h"
#include "U_rayon.h"
#include "U_vx_compagnon.h"

#include <QCollator>
#include <QLineEdit>
#include <QLocale>
#include <QTreeWidget>

#include <algorithm>

namespace {

// Ordre des noms selon la locale ; sans locale nommée (C, POSIX), celui du français.
const QCollator& collationArticles()
{
    static const QCollator collation = [] {
        QLocale locale;
        if (locale.language() == QLocale::C)
            locale = QLocale(QLocale::French, QLocale::France);
        QCollator c{locale};
        c.setNumericMode(false);
        return c;
    }();
    return collation;
}

// Élément de la liste d'articles : trié par nom selon la collation de la locale.
class ElementArticle : public QTreeWidgetItem
{
public:
    explicit ElementArticle(const TArticle& article)
        : QTreeWidgetItem(QStringList{article.getNom(), FloatToStr(article.getPrix()) + QStringLiteral(" €"),
                                      article.getRemarque()})
    {
        setData(ColArticleNom, RoleArticle, QVariant::fromValue(static_cast<void*>(const_cast<TArticle*>(&article))));
        setTextAlignment(ColArticlePrix, Qt::AlignRight | Qt::AlignVCenter);
    }

    bool operator<(const QTreeWidgetItem& autre) const override
    {
        // La liste se trie toujours sur le nom, quelle que soit la colonne.
        return collationArticles().compare(text(ColArticleNom), autre.text(ColArticleNom)) < 0;
    }
};

// Remplit un champ sans le tronquer : un texte venu de la base (nom importé de 40 caractères,
// prix de 10) peut dépasser la longueur de frappe du champ, qui est rendue à la fin de la portée.
class TexteEntier
{
public:
    TexteEntier(QLineEdit& champ, const QString& texte) : m_champ(champ), m_longueur(champ.maxLength())
    {
        m_champ.setMaxLength(qMax(m_longueur, int(texte.size())));
        m_champ.setText(texte);
    }
    ~TexteEntier() { m_champ.setMaxLength(m_longueur); }
    TexteEntier(const TexteEntier&) = delete;
    TexteEntier& operator=(const TexteEntier&) = delete;

private:
    QLineEdit& m_champ;
    int m_longueur;
};

} // namespace

TArticle* TFormPrincipale::articleDeLElement(const QTreeWidgetItem* element)
{
    if (!element)
        return nullptr;
    return static_cast<TArticle*>(element->data(ColArticleNom, RoleArticle).value<void*>());
}

QList<TArticle*> TFormPrincipale::articlesSelectionnes() const
{
    // Ordre de la liste affichée, pas celui de la sélection.
    QList<TArticle*> articles;
    const int n = ui.listeArticles->topLevelItemCount();
    for (int i = 0; i < n; ++i) {
        const QTreeWidgetItem* element = ui.listeArticles->topLevelItem(i);
        if (element->isSelected())
            if (TArticle* article = articleDeLElement(element))
                articles.append(article);
    }
    return articles;
}

void TFormPrincipale::arbreRayonChange()
{
    majListeArticlesExecute();
}

void TFormPrincipale::majListeArticlesExecute()
{
    // Les résultats d'une recherche suivent la base.
    if (rechercheActive())
        lancerRecherche();
    const TRayon* rayon = rayonSelectionne();
    if (!rayon)
        return;
    const int n = rayon->getNbArticles();
    QList<QTreeWidgetItem*> elements;
    elements.reserve(n);
    for (int i = 0; i < n; ++i)
        elements.append(new ElementArticle(*rayon->getArticle(i)));
    // Tri coupé pendant le remplissage puis fait une fois : même ordre, stable, bien plus vite.
    ui.listeArticles->setUpdatesEnabled(false);
    ui.listeArticles->setSortingEnabled(false);
    ui.listeArticles->clear();
    ui.listeArticles->addTopLevelItems(elements);
    ui.listeArticles->setSortingEnabled(true);
    ui.listeArticles->sortByColumn(ColArticleNom, Qt::AscendingOrder);
    ui.listeArticles->setUpdatesEnabled(true);
}

void TFormPrincipale::ajouterArticleExecute()
{
    TRayon* rayon = rayonSelectionne();
    if (!rayon) {
        majListeArticlesExecute();
        return;
    }
    animerCompagnon(QStringLiteral("Write"));
    FormArticle->setWindowTitle(QStringLiteral("Vatrelix - ARTICLE"));
    FormArticle->setTitre(QStringLiteral("NOUVEL ARTICLE"));
    FormArticle->couleurHaut = reglages.couleurHaut;
    FormArticle->couleurBas = reglages.couleurBas;
    FormArticle->modeModification = ModeDialogue::Ajout;
    FormArticle->valide = false;
    Interactions::courantes().montrerModal(FormArticle);
    if (FormArticle->valide) {
        const QString remarque = FormArticle->memoRemarque->text();
        const double prix = StrToFloat(FormArticle->edPrix->text());
        const QString nom = FormArticle->edNom->text();
        rayon->creerArticle(nom, prix, remarque);
        ecrireStatut(QStringLiteral("Ajout de l'article \"") + nom + QStringLiteral("\" dans le rayon \" ")
                     + rayon->getNom() + QStringLiteral("\" [") + horodatage() + u']');
    }
    animerCompagnon(QStringLiteral("WriteReturn"));
    majListeArticlesExecute();
}

void TFormPrincipale::modifierArticleExecute()
{
    if (!rayonSelectionne())
        return;
    const QList<TArticle*> selection = articlesSelectionnes();
    if (selection.isEmpty())
        return;
    animerCompagnon(QStringLiteral("Write"));
    TArticle* article = selection.first();
    FormArticle->setWindowTitle(QStringLiteral("Vatrelix - ARTICLE"));
    FormArticle->setTitre(QStringLiteral("MODIFICATION D'ARTICLE"));
    FormArticle->couleurHaut = reglages.couleurHaut;
    FormArticle->couleurBas = reglages.couleurBas;
    FormArticle->modeModification = ModeDialogue::Modification;
    FormArticle->valide = false;
    QString nom, prix, remarque;
    {
        const TexteEntier champNom(*FormArticle->edNom, article->getNom());
        const TexteEntier champPrix(*FormArticle->edPrix, FloatToStr(article->getPrix()));
        const TexteEntier champRemarque(*FormArticle->memoRemarque, article->getRemarque());
        Interactions::courantes().montrerModal(FormArticle);
        nom = FormArticle->edNom->text();
        prix = FormArticle->edPrix->text();
        remarque = FormArticle->memoRemarque->text();
    }
    if (FormArticle->valide) {
        article->setNom(nom);
        article->setPrix(StrToFloat(prix));
        article->setRemarque(remarque);
        ecrireStatut(QStringLiteral("Modification de l'article \"") + article->getNom() + QStringLiteral("\" [")
                     + horodatage() + u']');
    }
    animerCompagnon(QStringLiteral("WriteReturn"));
    majListeArticlesExecute();
}

void TFormPrincipale::supprimerArticleExecute()
{
    const QList<TArticle*> selection = articlesSelectionnes();
    if (selection.isEmpty())
        return;
    TRayon* rayon = rayonSelectionne();
    if (!rayon)
        return;
    animerCompagnon(QStringLiteral("Sad"));
    for (TArticle* article : selection) {
        ecrireStatut(QStringLiteral("Suppression de l'article \"") + article->getNom()
                     + QStringLiteral("\" du rayon \"") + rayon->getNom() + QStringLiteral("\" [") + horodatage()
                     + u']');
        // Par identité ; l'article détaché part aux rebuts, l'élément qui le montre reste sûr.
        rayon->retirerArticle(article);
    }
    majListeArticlesExecute();
}
