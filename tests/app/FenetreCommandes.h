#pragma once
// Banc commun des tests de commandes : la vraie fenêtre principale exposée, son module
// de données et ses deux dialogues d'édition, compagnon chargé (voir MontageFenetre.h).
#include "MontageFenetre.h"
#include "U_Article.h"
#include "U_VX_FormArticle.h"
#include "U_VX_FormRayon.h"
#include "U_rayon.h"

#include <QAction>
#include <QStandardItemModel>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

class FenetreCommandes : public MontageFenetre<InteractionsScriptees>
{
public:
    FenetreCommandes()
    {
        creerFenetre();
        fenetre->attacherDialogues(new TFormArticle(fenetre.get()), new TformRayon(*dm, fenetre.get()), nullptr,
                                   nullptr);
        fenetre->show();
        // Exposée : la ligne d'état se peint aussitôt qu'on l'écrit.
        exposee = QTest::qWaitForWindowExposed(fenetre.get());
        demarrerSam();
    }

    // Lance une commande comme le ferait son action (par le répartiteur).
    void lancer(const char* commande) { fenetre->action(QString::fromLatin1(commande))->trigger(); }

    // Rayon racine ou descendant, par son chemin de noms ("Fruits/Agrumes").
    TRayon* rayon(const QString& chemin) const
    {
        const QStringList noms = chemin.split(u'/');
        TRayon* courant = nullptr;
        for (const QString& nom : noms) {
            TRayon* suivant = nullptr;
            if (!courant) {
                for (TRayon* r : dm->listeRayons)
                    if (r->getNom() == nom && !suivant)
                        suivant = r;
            } else {
                for (int i = 0; i < courant->getNbRayonsFils() && !suivant; ++i)
                    if (courant->getRayonFils(i)->getNom() == nom)
                        suivant = courant->getRayonFils(i);
            }
            if (!suivant)
                return nullptr;
            courant = suivant;
        }
        return courant;
    }

    // Arbre affiché : un nœud par ligne, indenté de deux blancs par niveau.
    QStringList arbre() const
    {
        QStringList lignes;
        decrire(QModelIndex(), 0, lignes);
        return lignes;
    }

    // Noms affichés dans la liste d'articles, dans l'ordre.
    QStringList listeNoms() const
    {
        QStringList noms;
        for (int i = 0; i < fenetre->ui.listeArticles->topLevelItemCount(); ++i)
            noms << fenetre->ui.listeArticles->topLevelItem(i)->text(ColArticleNom);
        return noms;
    }

    bool exposee = false;

private:
    void decrire(const QModelIndex& parent, int niveau, QStringList& lignes) const
    {
        const QStandardItemModel& m = *fenetre->ui.modeleArbreRayon;
        for (int i = 0; i < m.rowCount(parent); ++i) {
            const QModelIndex index = m.index(i, 0, parent);
            lignes << QString(2 * niveau, u' ') + index.data().toString();
            decrire(index, niveau + 1, lignes);
        }
    }
};
