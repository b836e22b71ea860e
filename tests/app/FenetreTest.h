#pragma once
// Banc commun des tests de la liste, du glisser-déposer et des options : la vraie fenêtre
// principale avec ses quatre dialogues, la base modèle à côté de l'exécutable (voir MontageFenetre.h).
#include "Codec1252.h"
#include "MontageFenetre.h"
#include "OctetsFichier.h"
#include "TPaintBox.h"
#include "U_Article.h"
#include "U_VX_FormArticle.h"
#include "U_VX_FormLC.h"
#include "U_VX_FormRayon.h"
#include "U_VX_Options.h"
#include "U_rayon.h"
#include "U_vx_impression.h"

#include <QFile>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

// Le dialogue d'impression règle une sortie PDF avant de répondre, quand un fichier est donné.
class InteractionsPdf : public InteractionsScriptees
{
public:
    QString fichierPdf;
    bool choisirImprimante(QPrinter& imprimante) override
    {
        if (!fichierPdf.isEmpty())
            reglerSortiePdf(imprimante, fichierPdf);
        return InteractionsScriptees::choisirImprimante(imprimante);
    }
};

class FenetreTest : public MontageFenetre<InteractionsPdf>
{
public:
    FenetreTest()
    {
        QFile::copy(EnvironnementTest::source(QStringLiteral("resources/baseVatrelixModèle.xml")),
                    env->chemin(QStringLiteral("baseVatrelixModèle.xml")));
        creerFenetre();
        formArticle = new TFormArticle(fenetre.get());
        formRayon = new TformRayon(*dm, fenetre.get());
        formLC = new TformLC(fenetre.get());
        formOptions = new TformOptions(fenetre.get());
        fenetre->attacherDialogues(formArticle, formRayon, formLC, formOptions);
        fenetre->majLCExecute();
    }

    QStringList& lignes() { return dm->listeCourses; }
    QString pied() const { return fenetre->ui.barreFactureLC->hint(); }

    // Rayon racine avec ses articles (nom, prix, remarque).
    TRayon* rayon(const QString& nom, const QList<std::tuple<QString, double, QString>>& articles = {})
    {
        TRayon* r = dm->ajouterRayonRacine(nom);
        for (const auto& [n, p, rq] : articles)
            r->creerArticle(n, p, rq);
        return r;
    }

    QModelIndex noeud(const TRayon* r, const QModelIndex& parent = {}) const
    {
        const QStandardItemModel* m = fenetre->ui.modeleArbreRayon;
        for (int i = 0; i < m->rowCount(parent); ++i) {
            const QModelIndex index = m->index(i, 0, parent);
            if (rayonDuNoeud(index) == r)
                return index;
            if (const QModelIndex t = noeud(r, index); t.isValid())
                return t;
        }
        return {};
    }

    // Reconstruit l'arbre, sélectionne le rayon et liste ses articles.
    void choisirRayon(TRayon* r)
    {
        fenetre->majArbreRayonsExecute();
        fenetre->ui.arbreRayon->expandAll();
        fenetre->ui.arbreRayon->setCurrentIndex(noeud(r));
        listerArticles(r);
    }

    void listerArticles(TRayon* r)
    {
        QTreeWidget* liste = fenetre->ui.listeArticles;
        liste->clear();
        for (int i = 0; r && i < r->getNbArticles(); ++i) {
            TArticle* a = r->getArticle(i);
            auto* item = new QTreeWidgetItem(liste, QStringList{a->getNom(), QString(), a->getRemarque()});
            item->setData(0, RoleArticle, QVariant::fromValue(static_cast<void*>(a)));
        }
    }

    // Pose des lignes dans le magasin et rafraîchit.
    void poser(const QStringList& l)
    {
        dm->listeCourses = l;
        fenetre->majLCExecute();
    }

    void choisirLignes(const QList<int>& indices)
    {
        QTreeView& vue = *fenetre->ui.lvListeCourses;
        vue.clearSelection();
        for (int i : indices)
            vue.selectionModel()->select(vue.model()->index(i, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    // Le dialogue de quantité répond q (validation) ou, avec q <= 0, annule.
    void repondreQuantite(int q)
    {
        interactions->surDialogue([q](QWidget* w) {
            auto* d = static_cast<TformLC*>(w);
            if (q > 0) {
                d->seNb->setValue(q);
                d->btValiderClick();
            } else {
                d->btAnnulerClick();
            }
        });
    }

    // Démarre le compagnon "Sam" sur le serveur double, sans salut.
    void allumerCompagnon()
    {
        fenetre->reglages.nomCompagnon = QStringLiteral("Sam");
        demarrerSam();
    }

    static QString statutDate(const QString& debut) { return debut + horodatageTest + QLatin1Char(']'); }

    TFormArticle* formArticle = nullptr;
    TformRayon* formRayon = nullptr;
    TformLC* formLC = nullptr;
    TformOptions* formOptions = nullptr;
};
