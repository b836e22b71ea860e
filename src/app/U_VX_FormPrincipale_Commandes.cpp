// La table des commandes (des données), les menus et barres d'outils qui en sont tirés,
// le répartiteur unique et les gestionnaires de hint.
#include "U_VX_FormPrincipale.h"

#include "ControlesPeints.h"
#include "Erreurs.h"
#include "ImagesVatrelix.h"
#include "Interactions.h"
#include "U_vx_compagnon.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QToolButton>

using namespace Qt::StringLiterals;
using F = TFormPrincipale;

namespace {

QKeySequence touches(const char* texte)
{
    return QKeySequence(QString::fromLatin1(texte), QKeySequence::PortableText);
}

// Une erreur d'un gestionnaire s'affiche en erreur standard et ne remonte pas à la boucle d'événements.
template <class Gestionnaire>
void avecErreurStandard(Gestionnaire&& gestionnaire)
{
    try {
        gestionnaire();
    } catch (const EVatrelix& e) {
        Interactions::courantes().erreurStandard(e.message());
    } catch (const std::exception& e) {
        Interactions::courantes().erreurStandard(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace

const QList<DefinitionCommande>& TFormPrincipale::tableCommandes()
{
    // Ordre, libellés, hints, raccourcis et icônes de la table d'actions de la fiche.
    static const QList<DefinitionCommande> table = {
        {u"ajouterRayon"_s, u"Rayons"_s, u"&Ajouter un rayon..."_s, u"Ajouter un rayon"_s, {}, 18,
         &F::ajouterRayonExecute, &F::ajouterRayonHint},
        {u"choisirCouleurHaut"_s, u"Configuration"_s, u"Couleur &Haut"_s, {}, {}, 7,
         &F::choisirCouleurHautExecute, nullptr},
        {u"ajouterRayonRacine"_s, u"Rayons"_s, u"Ajouter un rayon &racine..."_s, u"Ajouter un rayon racine"_s, {}, 29,
         &F::ajouterRayonRacineExecute, &F::ajouterRayonRacineHint},
        {u"choisirCouleurBas"_s, u"Configuration"_s, u"Couleur &Bas"_s, {}, {}, 7,
         &F::choisirCouleurBasExecute, nullptr},
        {u"enregistrerConfigAppli"_s, u"Configuration"_s, u"enregistrerConfigAppli"_s, {}, {}, 7,
         &F::enregistrerConfigAppliExecute, nullptr},
        {u"quitter"_s, {}, u"&Quitter"_s, u"Quitter Vatrelix"_s, {}, 13,
         &F::quitterExecute, &F::quitterHint},
        {u"imprimer"_s, u"ListeCourses"_s, u"Im&primer"_s, u"Imprimer la liste courante"_s, touches("Ctrl+P"), 20,
         &F::imprimerExecute, &F::imprimerHint},
        {u"ouvrirListe"_s, u"ListeCourses"_s, u"&Ouvrir..."_s, u"Ouvrir une liste de courses"_s, touches("Ctrl+O"), 9,
         &F::ouvrirListeExecute, &F::ouvrirListeHint},
        {u"nouvelleListe"_s, u"ListeCourses"_s, u"&Nouvelle Liste"_s, u"Nouvelle Liste"_s, touches("Ctrl+N"), 14,
         &F::nouvelleListeExecute, &F::nouvelleListeHint},
        {u"ajouterDansLC"_s, u"ListeCourses"_s, u"&Ajouter..."_s, u"Ajouter un article dans la liste"_s, {}, 25,
         &F::ajouterDansLCExecute, &F::ajouterDansLCHint},
        {u"modifierNbLC"_s, u"ListeCourses"_s, u"&Modifier..."_s, u"Modifier le nombre d'articles à acheter"_s, {}, 26,
         &F::modifierNbLCExecute, &F::modifierNbLCHint},
        {u"supprimerDeLC"_s, u"ListeCourses"_s, u"&Supprimer"_s, u"Supprimer l'article de la liste"_s, {}, 27,
         &F::supprimerDeLCExecute, &F::supprimerDeLCHint},
        {u"fusionnerLignesLC"_s, u"ListeCourses"_s, u"&Fusionner lignes"_s,
         u"Fusionner les lignes de la liste de courses"_s, {}, 22,
         &F::fusionnerLignesLCExecute, &F::fusionnerLignesLCHint},
        {u"importerLC"_s, u"ListeCourses"_s, u"&Importer Liste"_s, u"Importer une autre liste de courses"_s,
         touches("Ctrl+I"), 19, &F::importerLCExecute, &F::importerLCHint},
        {u"modifierRayon"_s, u"Rayons"_s, u"&Modifier le rayon..."_s, u"Modifier le rayon"_s, {}, 17,
         &F::modifierRayonExecute, &F::modifierRayonHint},
        {u"supprimerRayon"_s, u"Rayons"_s, u"&Supprimer le rayon"_s, u"Supprimer le rayon"_s, {}, 12,
         &F::supprimerRayonExecute, &F::supprimerRayonHint},
        // "Acticles" : la catégorie porte ce nom dans la fiche.
        {u"ajouterArticle"_s, u"Acticles"_s, u"&Ajouter un article..."_s, u"Ajouter un nouvel Article"_s, {}, 14,
         &F::ajouterArticleExecute, &F::ajouterArticleHint},
        {u"modifierArticle"_s, u"Acticles"_s, u"&Modifier l'article..."_s, u"Modifier l'article sélectionné"_s, {}, 10,
         &F::modifierArticleExecute, &F::modifierArticleHint},
        {u"supprimerArticle"_s, u"Acticles"_s, u"&Supprimer l'article"_s, u"Supprimer l'article du rayon"_s, {}, 8,
         &F::supprimerArticleExecute, &F::supprimerArticleHint},
        {u"configurerOptions"_s, u"Configuration"_s, u"&Options..."_s, u"Modifier les options de l'application"_s,
         {}, 7, &F::configurerOptionsExecute, &F::configurerOptionsHint},
        {u"enregistrerBD"_s, u"BaseArticles"_s, u"Enregi&strer Base"_s,
         u"Enregistrer les modifications de la base d'article"_s, touches("Ctrl+Alt+S"), 0,
         &F::enregistrerBDExecute, &F::enregistrerBDHint},
        {u"enregistrerLC"_s, u"ListeCourses"_s, u"Enregi&strer Liste"_s, u"Enregistrer la liste de courses"_s,
         touches("Ctrl+S"), 0, &F::enregistrerLCExecute, &F::enregistrerLCHint},
        {u"enregistrerLCSous"_s, u"ListeCourses"_s, u"En&register Liste sous..."_s,
         u"Enregistrer la liste de courses sous..."_s, touches("Ctrl+R"), 24,
         &F::enregistrerLCSousExecute, &F::enregistrerLCSousHint},
        {u"importerBD"_s, u"BaseArticles"_s, u"&Importer Base..."_s, u"Importer des articles d'une ancienne version"_s,
         touches("Ctrl+Alt+I"), 19, &F::importerBDExecute, &F::importerBDHint},
        {u"rechargerBD"_s, u"BaseArticles"_s, u"&Recharger Base"_s, u"Recharger la base d'articles"_s,
         touches("Ctrl+Alt+O"), 28, &F::rechargerBDExecute, &F::rechargerBDHint},
        {u"repeindreTousDegrades"_s, u"Configuration"_s, u"repeindreTousDegrades"_s, {}, {}, 7,
         &F::repeindreTousDegradesExecute, nullptr},
        {u"majArbreRayons"_s, u"Rayons"_s, u"majArbreRayons"_s, {}, {}, 28, &F::majArbreRayonsExecute, nullptr},
        {u"majListeArticles"_s, u"Acticles"_s, u"majListeArticles"_s, {}, {}, 28,
         &F::majListeArticlesExecute, nullptr},
        {u"aPropos"_s, {}, u"A &propos..."_s, u"A propos de Vatrelix"_s, {}, 29, &F::aProposExecute, &F::aProposHint},
        {u"majLC"_s, u"ListeCourses"_s, u"majLC"_s, {}, {}, 28, &F::majLCExecute, nullptr},
        {u"trierLC"_s, u"ListeCourses"_s, u"trierLC"_s, u"Trier la liste par rayon"_s, touches("Ctrl+T"), 31,
         &F::trierLCExecute, &F::trierLCHint},
    };
    return table;
}

const QList<DefinitionMenu>& TFormPrincipale::menusPrincipaux()
{
    static const QList<DefinitionMenu> menus = {
        {u"&Fichier"_s, -1,
         {u"enregistrerBD"_s, u"importerBD"_s, u"rechargerBD"_s, u"-"_s, u"nouvelleListe"_s, u"ouvrirListe"_s,
          u"enregistrerLC"_s, u"enregistrerLCSous"_s, u"importerLC"_s, u"-"_s, u"quitter"_s}},
        {u"&Edition"_s, -1,
         {u">&Ajouter Rayon"_s, u"modifierRayon"_s, u"supprimerRayon"_s, u"-"_s, u"ajouterArticle"_s,
          u"modifierArticle"_s, u"supprimerArticle"_s}},
        {u"&Affichage"_s, -1, {u">&Couleurs"_s}},
        {u"&Outils"_s, -1, {u"configurerOptions"_s}},
        {u"&?"_s, -1, {u"aPropos"_s}},
    };
    return menus;
}

const QList<DefinitionMenu>& TFormPrincipale::sousMenus()
{
    static const QList<DefinitionMenu> menus = {
        {u"&Ajouter Rayon"_s, 11, {u"ajouterRayon"_s, u"ajouterRayonRacine"_s}},
        {u"&Couleurs"_s, 7, {u"choisirCouleurHaut"_s, u"choisirCouleurBas"_s}},
    };
    return menus;
}

const QList<ElementBarre>& TFormPrincipale::elementsBarre(const QString& barre)
{
    static const QHash<QString, QList<ElementBarre>> barres = {
        {u"barreOutilsPrincipale"_s,
         {{u"enregistrerBD"_s}, {u"importerBD"_s}, {u"rechargerBD"_s}, {{}, 8}, {u"btlAjouterRayon"_s},
          {u"modifierRayon"_s}, {u"supprimerRayon"_s}, {{}, 9}, {u"ajouterArticle"_s}, {u"modifierArticle"_s},
          {u"supprimerArticle"_s}, {{}, 11}, {u"btAffichageGeneral"_s}, {u"configurerOptions"_s}}},
        {u"barreOutilsRayons"_s,
         {{u"ajouterArticle"_s}, {u"modifierArticle"_s}, {u"supprimerArticle"_s}, {{}, 22}, {u"ajouterDansLC"_s}}},
        {u"barreOutilsLC"_s,
         {{u"ajouterDansLC"_s}, {u"modifierNbLC"_s}, {u"supprimerDeLC"_s}, {{}, 8}, {u"fusionnerLignesLC"_s},
          {u"trierLC"_s}, {u"importerLC"_s}, {{}, 22}, {u"nouvelleListe"_s}, {u"ouvrirListe"_s},
          {u"enregistrerLC"_s}, {u"enregistrerLCSous"_s}, {{}, 8}, {u"imprimer"_s}}},
    };
    static const QList<ElementBarre> aucune;
    const auto it = barres.constFind(barre);
    return it == barres.cend() ? aucune : *it;
}

const DefinitionCommande* TFormPrincipale::commande(const QString& nom)
{
    for (const DefinitionCommande& c : tableCommandes())
        if (c.nom == nom)
            return &c;
    return nullptr;
}

void TFormPrincipale::executer(GestionnaireCommande gestionnaire)
{
    // L'attente du départ du compagnon sert la boucle d'événements : une commande qui y
    // arriverait (fermeture par le gestionnaire de fenêtres, minuterie) n'est pas lancée.
    if (compagnonEnArret())
        return;
    avecErreurStandard([&] { (this->*gestionnaire)(); });
}

void TFormPrincipale::executerHint(GestionnaireHint gestionnaire, const QString& hint)
{
    avecErreurStandard([&] { (this->*gestionnaire)(hint); });
}

void TFormPrincipale::construireActions()
{
    for (const DefinitionCommande& c : tableCommandes()) {
        auto* a = new QAction(iconeVatrelix(c.icone), c.libelle, this);
        a->setObjectName(c.nom);
        a->setToolTip(c.hint);
        a->setStatusTip(c.hint);
        a->setIconVisibleInMenu(true);
        if (!c.raccourci.isEmpty())
            a->setShortcut(c.raccourci);
        const GestionnaireCommande g = c.executer;
        connect(a, &QAction::triggered, this, [this, g] { executer(g); });
        // Les raccourcis valent dans toute la fenêtre, avec ou sans élément de menu.
        addAction(a);
        listeActions.insert(c.nom, a);
    }
}

void TFormPrincipale::construireMenus()
{
    QHash<QString, QMenu*> sous;
    for (const DefinitionMenu& d : sousMenus()) {
        auto* m = new QMenu(d.libelle, this);
        m->setIcon(iconeVatrelix(d.icone));
        for (const QString& e : d.elements)
            m->addAction(action(e));
        sous.insert(d.libelle, m);
    }
    menuAjouterRayon = sous.value(u"&Ajouter Rayon"_s);
    menuAjouterRayon->setObjectName(u"menuAjouterRayon"_s);
    menuCouleurs = sous.value(u"&Couleurs"_s);
    menuCouleurs->setObjectName(u"menuCouleurs"_s);

    for (const DefinitionMenu& d : menusPrincipaux()) {
        auto* m = new QMenu(d.libelle, this);
        for (const QString& e : d.elements) {
            if (e == u"-")
                m->addSeparator();
            else if (e.startsWith(u'>'))
                m->addMenu(sous.value(e.mid(1)));
            else
                m->addAction(action(e));
        }
        MainMenu1.append(m);
        // Le menu principal n'existe que sous forme de boutons déroulants.
        barreOutilsMenu->addAction(m->menuAction());
        auto* bouton = qobject_cast<QToolButton*>(barreOutilsMenu->widgetForAction(m->menuAction()));
        bouton->setPopupMode(QToolButton::InstantPopup);
        bouton->setFixedSize(69, 21);
        bouton->setFont(barreOutilsMenu->font());
        bouton->setAutoRaise(true);
        bouton->installEventFilter(this);
    }
}

void TFormPrincipale::construireBarres()
{
    btlAjouterRayon = new QToolButton(barreOutilsPrincipale);
    btlAjouterRayon->setObjectName(u"btlAjouterRayon"_s);
    btlAjouterRayon->setText(u"&Ajouter Rayon"_s);
    btlAjouterRayon->setIcon(iconeVatrelix(11));
    btlAjouterRayon->setMenu(menuAjouterRayon);
    btlAjouterRayon->setPopupMode(QToolButton::MenuButtonPopup);
    // La partie bouton ajoute un rayon fils ; la flèche ouvre le sous-menu.
    connect(btlAjouterRayon, &QToolButton::clicked, this, [this] { executer(&F::ajouterRayonExecute); });

    btAffichageGeneral = new QToolButton(barreOutilsPrincipale);
    btAffichageGeneral->setObjectName(u"btAffichageGeneral"_s);
    btAffichageGeneral->setText(u"&Couleurs"_s);
    btAffichageGeneral->setIcon(iconeVatrelix(7));
    btAffichageGeneral->setMenu(menuCouleurs);
    btAffichageGeneral->setPopupMode(QToolButton::MenuButtonPopup);

    remplirBarre(barreOutilsPrincipale, u"barreOutilsPrincipale"_s);
    remplirBarre(barreOutilsRayons, u"barreOutilsRayons"_s);
    remplirBarre(barreOutilsLC, u"barreOutilsLC"_s);
    barreOutilsLC->adjustSize();
}

void TFormPrincipale::remplirBarre(QToolBar* barre, const QString& nom)
{
    const int largeurBouton = nom == u"barreOutilsPrincipale" ? 33 : nom == u"barreOutilsRayons" ? 41 : 0;
    for (const ElementBarre& e : elementsBarre(nom)) {
        QToolButton* bouton = nullptr;
        if (e.commande.isEmpty()) {
            // Séparateur de la largeur de la fiche.
            auto* espace = new QWidget(barre);
            espace->setFixedWidth(e.separateur);
            barre->addWidget(espace);
            continue;
        }
        if (e.commande == u"btlAjouterRayon" || e.commande == u"btAffichageGeneral") {
            bouton = e.commande == u"btlAjouterRayon" ? btlAjouterRayon : btAffichageGeneral;
            bouton->setAutoRaise(true);
            barre->addWidget(bouton);
        } else {
            QAction* a = action(e.commande);
            barre->addAction(a);
            bouton = qobject_cast<QToolButton*>(barre->widgetForAction(a));
        }
        if (largeurBouton > 0)
            bouton->setFixedWidth(largeurBouton + (bouton->popupMode() == QToolButton::MenuButtonPopup ? 12 : 0));
        bouton->installEventFilter(this);
    }
}

bool TFormPrincipale::eventFilter(QObject* objet, QEvent* evenement)
{
    if (evenement->type() == QEvent::ToolTip) {
        auto* bouton = qobject_cast<QToolButton*>(objet);
        QAction* a = bouton ? bouton->defaultAction() : nullptr;
        const DefinitionCommande* c = a ? commande(a->objectName()) : nullptr;
        if (!c || !c->indice)
            return true; // bouton sans commande : ni bulle ni parole
        // La bulle va paraître : le hint passe d'abord au compagnon.
        executerHint(c->indice, a->toolTip());
    }
    return QWidget::eventFilter(objet, evenement);
}

void TFormPrincipale::direHint(const QString& hint)
{
    parlerCompagnon(hint);
}

void TFormPrincipale::ajouterRayonHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::ajouterRayonRacineHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::quitterHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::imprimerHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::ouvrirListeHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::nouvelleListeHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::ajouterDansLCHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::modifierNbLCHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::supprimerDeLCHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::fusionnerLignesLCHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::importerLCHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::modifierRayonHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::supprimerRayonHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::ajouterArticleHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::modifierArticleHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::supprimerArticleHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::configurerOptionsHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::enregistrerBDHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::enregistrerLCHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::enregistrerLCSousHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::importerBDHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::rechargerBDHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::aProposHint(const QString& hint) { direHint(hint); }
void TFormPrincipale::trierLCHint(const QString& hint) { direHint(hint); }
