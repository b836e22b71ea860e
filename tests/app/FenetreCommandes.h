#pragma once
// Banc commun des tests de commandes : la vraie fenêtre principale hors écran, son module
// de données et ses deux dialogues d'édition, les interactions scriptées, l'horloge
// virtuelle, les réglages français et le double du serveur de personnages, compagnon chargé.
#include "EnvironnementTest.h"
#include "HorlogeVirtuelle.h"
#include "InteractionsScriptees.h"
#include "Rebuts.h"
#include "ServeurAgentDouble.h"
#include "U_Article.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormArticle.h"
#include "U_VX_FormPrincipale.h"
#include "U_VX_FormRayon.h"
#include "U_rayon.h"
#include "U_vx_compagnon.h"

#include <QAction>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <memory>

// Horodatage de l'horloge virtuelle, en réglages français.
inline const QString horodatageTest = QStringLiteral("14/03/2006 10:30:00");

class FenetreCommandes
{
public:
    FenetreCommandes()
    {
        env = std::make_unique<EnvironnementTest>();
        horloge = std::make_unique<HorlogeVirtuelle>();
        horloge->installer();
        interactions = std::make_unique<InteractionsScriptees>();
        interactions->installer();
        serveur = std::make_unique<ServeurAgentDoubleInstalle>();
        initialiserCompagnon();

        fenetre = std::make_unique<TFormPrincipale>();
        // Le démarrage (base, liste, compagnon) n'est pas l'objet de ces tests.
        fenetre->timerDemarrage->stop();
        dm = std::make_unique<TdmVatrelix>();
        fenetre->attacherModuleDonnees(dm.get());
        fenetre->attacherDialogues(new TFormArticle(fenetre.get()), new TformRayon(*dm, fenetre.get()), nullptr,
                                   nullptr);
        fenetre->show();
        // Exposée : la ligne d'état se peint aussitôt qu'on l'écrit.
        exposee = QTest::qWaitForWindowExposed(fenetre.get());

        compagnonAffiche = true;
        demarrerCompagnon(QStringLiteral("Sam"), ObjetFenetre{});
        (*serveur)->oublierAppels();
    }

    ~FenetreCommandes()
    {
        fenetre.reset();
        dm.reset();
        terminerCompagnon();
        compagnonAffiche = false;
        serveur.reset();
        interactions.reset();
        horloge.reset();
        env.reset();
        Rebuts::vider();
    }

    FenetreCommandes(const FenetreCommandes&) = delete;
    FenetreCommandes& operator=(const FenetreCommandes&) = delete;

    TFormPrincipale& f() { return *fenetre; }

    // Lance une commande comme le ferait son action (par le répartiteur).
    void lancer(const char* commande) { fenetre->action(QString::fromLatin1(commande))->trigger(); }

    // Animations jouées par le compagnon depuis le dernier oubli.
    QStringList animations() const
    {
        QStringList noms;
        for (const AppelAgent& a : (*serveur)->appelsDe(QStringLiteral("Play")))
            noms << a.arguments.value(0).toString();
        return noms;
    }

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
        for (int i = 0; i < fenetre->listeArticles->topLevelItemCount(); ++i)
            noms << fenetre->listeArticles->topLevelItem(i)->text(ColArticleNom);
        return noms;
    }

    // Sélectionne les éléments de la liste d'articles qui portent ces noms.
    void selectionnerArticles(const QStringList& noms)
    {
        fenetre->listeArticles->clearSelection();
        for (int i = 0; i < fenetre->listeArticles->topLevelItemCount(); ++i) {
            QTreeWidgetItem* e = fenetre->listeArticles->topLevelItem(i);
            if (noms.contains(e->text(ColArticleNom)))
                e->setSelected(true);
        }
    }

    std::unique_ptr<EnvironnementTest> env;
    std::unique_ptr<HorlogeVirtuelle> horloge;
    std::unique_ptr<InteractionsScriptees> interactions;
    std::unique_ptr<ServeurAgentDoubleInstalle> serveur;
    std::unique_ptr<TFormPrincipale> fenetre;
    std::unique_ptr<TdmVatrelix> dm;
    bool exposee = false;

private:
    void decrire(const QModelIndex& parent, int niveau, QStringList& lignes) const
    {
        const QStandardItemModel& m = *fenetre->modeleArbreRayon;
        for (int i = 0; i < m.rowCount(parent); ++i) {
            const QModelIndex index = m.index(i, 0, parent);
            lignes << QString(2 * niveau, u' ') + index.data().toString();
            decrire(index, niveau + 1, lignes);
        }
    }
};
