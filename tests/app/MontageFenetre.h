#pragma once
// Montage commun des bancs de la fenêtre principale : dossier d'exécutable temporaire et
// réglages français, horloge virtuelle, interactions scriptées, double du serveur de
// personnages, puis la vraie fenêtre hors écran avec son module de données.
#include "EnvironnementTest.h"
#include "HorlogeVirtuelle.h"
#include "InteractionsScriptees.h"
#include "Rebuts.h"
#include "SelectionTest.h"
#include "ServeurAgentDouble.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormPrincipale.h"
#include "U_vx_compagnon.h"

#include <QTimer>
#include <QTreeWidget>

#include <memory>

// Horodatage de l'horloge virtuelle, en réglages français.
inline const QString horodatageTest = QStringLiteral("14/03/2006 10:30:00");

// Interactions : InteractionsScriptees ou une classe dérivée, que le banc expose sous son vrai type.
template <class Interactions>
class MontageFenetre
{
public:
    MontageFenetre(const MontageFenetre&) = delete;
    MontageFenetre& operator=(const MontageFenetre&) = delete;

    TFormPrincipale& f() { return *fenetre; }

    // Ne laisse sélectionnés que les articles de la liste qui portent ces noms.
    void choisirArticles(const QStringList& noms) { selectionnerParNom(*fenetre->ui.listeArticles, noms); }

    // Animations jouées par le compagnon depuis le dernier oubli.
    QStringList animations() const
    {
        QStringList noms;
        for (const AppelAgent& a : (*serveur)->appelsDe(QStringLiteral("Play")))
            noms << a.arguments.value(0).toString();
        return noms;
    }

    std::unique_ptr<EnvironnementTest> env;
    std::unique_ptr<HorlogeVirtuelle> horloge;
    std::unique_ptr<Interactions> interactions;
    std::unique_ptr<ServeurAgentDoubleInstalle> serveur;
    std::unique_ptr<TFormPrincipale> fenetre;
    std::unique_ptr<TdmVatrelix> dm;

protected:
    MontageFenetre()
    {
        env = std::make_unique<EnvironnementTest>();
        horloge = std::make_unique<HorlogeVirtuelle>();
        horloge->installer();
        interactions = std::make_unique<Interactions>();
        interactions->installer();
        serveur = std::make_unique<ServeurAgentDoubleInstalle>();
        compagnonAffiche = false;
        initialiserCompagnon();
    }

    // La fenêtre d'abord, le serveur et l'horloge qu'elle a pu appeler ensuite.
    ~MontageFenetre()
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

    // Par défaut, le démarrage différé (base, liste, compagnon) est arrêté : chaque banc pose
    // le sien. Armé, il bat une fois la boucle d'événements lancée, comme au point d'entrée.
    enum class Demarrage { Arrete, Arme };
    void creerFenetre(Demarrage demarrage = Demarrage::Arrete)
    {
        fenetre = std::make_unique<TFormPrincipale>();
        if (demarrage == Demarrage::Arrete)
            fenetre->ui.timerDemarrage->stop();
        dm = std::make_unique<TdmVatrelix>();
        fenetre->attacherModuleDonnees(dm.get());
    }

    // Compagnon "Sam" démarré sur le serveur double, sans salut ; ses appels sont oubliés.
    void demarrerSam()
    {
        compagnonAffiche = true;
        demarrerCompagnon(QStringLiteral("Sam"), ObjetFenetre{});
        (*serveur)->oublierAppels();
    }
};
