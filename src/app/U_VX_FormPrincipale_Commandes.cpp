// La table des commandes (des données), les menus et barres d'outils qui en sont tirés,
// et le répartiteur unique des commandes, des hints et de toute autre entrée.
#include "U_VX_FormPrincipale.h"

#include "ControlesPeints.h"
#include "Erreurs.h"
#include "ImagesVatrelix.h"
#include "Interactions.h"
#include "U_vx_compagnon.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QScopeGuard>
#include <QToolButton>

using namespace Qt::StringLiterals;
using F = TFormPrincipale;

namespace {

QKeySequence touches(const char* texte)
{
    return QKeySequence(QString::fromLatin1(texte), QKeySequence::PortableText);
}

// Nom d'une édition dans l'historique : le libellé de sa commande, sans marque d'accès ni points
// de suspension ; l'aide quand le libellé n'est que le nom interne.
QString nomEdition(GestionnaireCommande gestionnaire)
{
    for (const DefinitionCommande& c : TFormPrincipale::tableCommandes()) {
        if (c.executer != gestionnaire)
            continue;
        QString nom = c.libelle == c.nom ? c.hint : c.libelle;
        nom.remove(u'&');
        while (nom.endsWith(u'.'))
            nom.chop(1);
        return nom;
    }
    return u"Modification"_s;
}

} // namespace

const QList<DefinitionCommande>& TFormPrincipale::tableCommandes()
{
    // Ordre, libellés, hints, raccourcis et icônes de la table d'actions de la fiche.
    static const QList<DefinitionCommande> table = {
        {u"ajouterRayon"_s, u"Rayons"_s, u"&Ajouter un rayon..."_s, u"Ajouter un rayon"_s,
         {}, ImgRayon, &F::ajouterRayonExecute, Bulle::Dite},
        {u"choisirCouleurHaut"_s, u"Configuration"_s, u"Couleur &Haut"_s, {},
         {}, ImgConfiguration, &F::choisirCouleurHautExecute, Bulle::Aucune},
        {u"ajouterRayonRacine"_s, u"Rayons"_s, u"Ajouter un rayon &racine..."_s, u"Ajouter un rayon racine"_s,
         {}, ImgRayonRacine, &F::ajouterRayonRacineExecute, Bulle::Dite},
        {u"choisirCouleurBas"_s, u"Configuration"_s, u"Couleur &Bas"_s, {},
         {}, ImgConfiguration, &F::choisirCouleurBasExecute, Bulle::Aucune},
        {u"enregistrerConfigAppli"_s, u"Configuration"_s, u"enregistrerConfigAppli"_s, {},
         {}, ImgConfiguration, &F::enregistrerConfigAppliExecute, Bulle::Aucune},
        {u"quitter"_s, {}, u"&Quitter"_s, u"Quitter Vatrelix"_s,
         {}, ImgQuitter, &F::quitterExecute, Bulle::Dite},
        {u"imprimer"_s, u"ListeCourses"_s, u"Im&primer"_s, u"Imprimer la liste courante"_s,
         touches("Ctrl+P"), ImgImprimer, &F::imprimerExecute, Bulle::Dite},
        {u"ouvrirListe"_s, u"ListeCourses"_s, u"&Ouvrir..."_s, u"Ouvrir une liste de courses"_s,
         touches("Ctrl+O"), ImgOuvrir, &F::ouvrirListeExecute, Bulle::Dite},
        {u"nouvelleListe"_s, u"ListeCourses"_s, u"&Nouvelle Liste"_s, u"Nouvelle Liste"_s,
         touches("Ctrl+N"), ImgNouveau, &F::nouvelleListeExecute, Bulle::Dite},
        {u"ajouterDansLC"_s, u"ListeCourses"_s, u"&Ajouter..."_s, u"Ajouter un article dans la liste"_s,
         {}, ImgAjouterDansLC, &F::ajouterDansLCExecute, Bulle::Dite},
        {u"modifierNbLC"_s, u"ListeCourses"_s, u"&Modifier..."_s, u"Modifier le nombre d'articles à acheter"_s,
         {}, ImgModifierNbLC, &F::modifierNbLCExecute, Bulle::Dite},
        {u"supprimerDeLC"_s, u"ListeCourses"_s, u"&Supprimer"_s, u"Supprimer l'article de la liste"_s,
         {}, ImgSupprimerDeLC, &F::supprimerDeLCExecute, Bulle::Dite},
        {u"fusionnerLignesLC"_s, u"ListeCourses"_s, u"&Fusionner lignes"_s,
         u"Fusionner les lignes de la liste de courses"_s,
         {}, ImgFusionner, &F::fusionnerLignesLCExecute, Bulle::Dite},
        {u"importerLC"_s, u"ListeCourses"_s, u"&Importer Liste"_s, u"Importer une autre liste de courses"_s,
         touches("Ctrl+I"), ImgImporter, &F::importerLCExecute, Bulle::Dite},
        {u"modifierRayon"_s, u"Rayons"_s, u"&Modifier le rayon..."_s, u"Modifier le rayon"_s,
         {}, ImgModifierRayon, &F::modifierRayonExecute, Bulle::Dite},
        {u"supprimerRayon"_s, u"Rayons"_s, u"&Supprimer le rayon"_s, u"Supprimer le rayon"_s,
         {}, ImgSupprimerRayon, &F::supprimerRayonExecute, Bulle::Dite},
        // "Acticles" : la catégorie porte ce nom dans la fiche.
        {u"ajouterArticle"_s, u"Acticles"_s, u"&Ajouter un article..."_s, u"Ajouter un nouvel Article"_s,
         {}, ImgNouveau, &F::ajouterArticleExecute, Bulle::Dite},
        {u"modifierArticle"_s, u"Acticles"_s, u"&Modifier l'article..."_s, u"Modifier l'article sélectionné"_s,
         {}, ImgModifierArticle, &F::modifierArticleExecute, Bulle::Dite},
        {u"supprimerArticle"_s, u"Acticles"_s, u"&Supprimer l'article"_s, u"Supprimer l'article du rayon"_s,
         {}, ImgSupprimerArticle, &F::supprimerArticleExecute, Bulle::Dite},
        {u"configurerOptions"_s, u"Configuration"_s, u"&Options..."_s, u"Modifier les options de l'application"_s,
         {}, ImgConfiguration, &F::configurerOptionsExecute, Bulle::Dite},
        {u"enregistrerBD"_s, u"BaseArticles"_s, u"Enregi&strer Base"_s,
         u"Enregistrer les modifications de la base d'article"_s,
         touches("Ctrl+Alt+S"), ImgEnregistrer, &F::enregistrerBDExecute, Bulle::Dite},
        {u"enregistrerLC"_s, u"ListeCourses"_s, u"Enregi&strer Liste"_s, u"Enregistrer la liste de courses"_s,
         touches("Ctrl+S"), ImgEnregistrer, &F::enregistrerLCExecute, Bulle::Dite},
        {u"enregistrerLCSous"_s, u"ListeCourses"_s, u"En&registrer Liste sous..."_s,
         u"Enregistrer la liste de courses sous..."_s,
         touches("Ctrl+R"), ImgEnregistrerSous, &F::enregistrerLCSousExecute, Bulle::Dite},
        {u"importerBD"_s, u"BaseArticles"_s, u"&Importer Base..."_s, u"Importer des articles d'une ancienne version"_s,
         touches("Ctrl+Alt+I"), ImgImporter, &F::importerBDExecute, Bulle::Dite},
        {u"rechargerBD"_s, u"BaseArticles"_s, u"&Recharger Base"_s, u"Recharger la base d'articles"_s,
         touches("Ctrl+Alt+O"), ImgRafraichir, &F::rechargerBDExecute, Bulle::Dite},
        {u"repeindreTousDegrades"_s, u"Configuration"_s, u"repeindreTousDegrades"_s, {},
         {}, ImgConfiguration, &F::repeindreTousDegradesExecute, Bulle::Aucune},
        {u"majArbreRayons"_s, u"Rayons"_s, u"majArbreRayons"_s, {},
         {}, ImgRafraichir, &F::majArbreRayonsExecute, Bulle::Aucune},
        {u"majListeArticles"_s, u"Acticles"_s, u"majListeArticles"_s, {},
         {}, ImgRafraichir, &F::majListeArticlesExecute, Bulle::Aucune},
        {u"aPropos"_s, {}, u"À &propos..."_s, u"À propos de Vatrelix"_s,
         {}, ImgAPropos, &F::aProposExecute, Bulle::Dite},
        {u"majLC"_s, u"ListeCourses"_s, u"majLC"_s, {},
         {}, ImgRafraichir, &F::majLCExecute, Bulle::Aucune},
        {u"trierLC"_s, u"ListeCourses"_s, u"trierLC"_s, u"Trier la liste par rayon"_s,
         touches("Ctrl+T"), ImgTrier, &F::trierLCExecute, Bulle::Dite},
        {u"modeMagasin"_s, u"ListeCourses"_s, u"Mode &magasin"_s,
         u"Cocher les articles achetés au fil des rayons"_s,
         touches("Ctrl+M"), ImgModifierNbLC, &F::modeMagasinExecute, Bulle::Dite},
        {u"effacerCoches"_s, u"ListeCourses"_s, u"&Effacer les coches"_s, u"Décocher toute la liste de courses"_s,
         touches("Ctrl+Shift+M"), ImgSupprimerDeLC, &F::effacerCochesExecute, Bulle::Dite},
        {u"ordreMagasin"_s, u"ListeCourses"_s, u"O&rdre du magasin..."_s,
         u"Ranger les rayons dans l'ordre où vous les parcourez"_s,
         {}, ImgRayonRacine, &F::ordreMagasinExecute, Bulle::Dite},
        {u"trierLCMagasin"_s, u"ListeCourses"_s, u"&Trier dans l'ordre du magasin"_s,
         u"Trier la liste dans l'ordre de passage des rayons"_s,
         touches("Ctrl+Shift+T"), ImgTrier, &F::trierLCMagasinExecute, Bulle::Dite},
        {u"afficherAide"_s, {}, u"&Aide..."_s, u"Afficher l'aide de Vatrelix"_s,
         touches("F1"), ImgAPropos, &F::afficherAideExecute, Bulle::Dite},
        {u"rechercher"_s, u"Acticles"_s, u"Rec&hercher un article"_s, u"Rechercher un article par son nom"_s,
         touches("Ctrl+F"), ImgModifierArticle, &F::rechercherExecute, Bulle::Dite},
        {u"apercuImpression"_s, u"ListeCourses"_s, u"Aperçu &avant impression..."_s,
         u"Voir les pages de la liste avant de l'imprimer"_s,
         touches("Ctrl+Shift+P"), ImgImprimer, &F::apercuImpressionExecute, Bulle::Dite},
        {u"copierLC"_s, u"ListeCourses"_s, u"&Copier la liste"_s, u"Copier la liste de courses en texte"_s,
         touches("Ctrl+C"), ImgEnregistrerSous, &F::copierLCExecute, Bulle::Dite},
        {u"exporterLC"_s, u"ListeCourses"_s, u"E&xporter la liste..."_s,
         u"Exporter la liste de courses pour un tableur ou en texte"_s,
         touches("Ctrl+E"), ImgEnregistrerSous, &F::exporterLCExecute, Bulle::Dite},
        {u"casesImpression"_s, u"ListeCourses"_s, u"Cases à coc&her à l'impression"_s,
         u"Imprimer une case à cocher devant chaque article"_s,
         {}, ImgImprimer, &F::casesImpressionExecute, Bulle::Dite},
        {u"annuler"_s, u"Edition"_s, u"A&nnuler"_s, u"Annuler la dernière modification"_s,
         touches("Ctrl+Z"), ImgRafraichir, &F::annulerExecute, Bulle::Dite},
        {u"retablir"_s, u"Edition"_s, u"&Rétablir"_s, u"Rétablir la modification annulée"_s,
         touches("Ctrl+Y"), ImgRafraichir, &F::retablirExecute, Bulle::Dite},
    };
    return table;
}

const QList<DefinitionMenu>& TFormPrincipale::menusPrincipaux()
{
    static const QList<DefinitionMenu> menus = {
        {u"&Fichier"_s, ImgAucune,
         {u"enregistrerBD"_s, u"importerBD"_s, u"rechargerBD"_s, u"-"_s, u"nouvelleListe"_s, u"ouvrirListe"_s,
          u"enregistrerLC"_s, u"enregistrerLCSous"_s, u"importerLC"_s, u">Listes ré&centes"_s, u"-"_s,
          u"exporterLC"_s, u"imprimer"_s, u"apercuImpression"_s, u"casesImpression"_s, u"-"_s,
          u"quitter"_s}},
        {u"&Edition"_s, ImgAucune,
         {u"annuler"_s, u"retablir"_s, u"-"_s, u">&Ajouter Rayon"_s, u"modifierRayon"_s, u"supprimerRayon"_s, u"-"_s, u"ajouterArticle"_s,
          u"modifierArticle"_s, u"supprimerArticle"_s, u"-"_s, u"rechercher"_s, u"copierLC"_s}},
        {u"&Affichage"_s, ImgAucune, {u">&Couleurs"_s, u"-"_s, u"modeMagasin"_s, u"effacerCoches"_s}},
        {u"&Outils"_s, ImgAucune, {u"configurerOptions"_s, u"-"_s, u"ordreMagasin"_s, u"trierLCMagasin"_s}},
        {u"&?"_s, ImgAucune, {u"afficherAide"_s, u"-"_s, u"aPropos"_s}},
    };
    return menus;
}

const QList<DefinitionMenu>& TFormPrincipale::sousMenus()
{
    static const QList<DefinitionMenu> menus = {
        {u"&Ajouter Rayon"_s, ImgMenuAjouterRayon, {u"ajouterRayon"_s, u"ajouterRayonRacine"_s}},
        {u"&Couleurs"_s, ImgConfiguration, {u"choisirCouleurHaut"_s, u"choisirCouleurBas"_s}},
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
    // L'historique ne retient pas ses propres pas, ni ce qui repart des fichiers (il est alors
    // oublié) : rien n'y est noté pendant la lecture.
    if (gestionnaire == &F::annulerExecute || gestionnaire == &F::retablirExecute
        || gestionnaire == &F::rechargerBDExecute || gestionnaire == &F::ouvrirListeExecute
        || gestionnaire == &F::timerDemarrageTimer) {
        executerHorsCommande([&] { (this->*gestionnaire)(); });
        majTitre();
        return;
    }
    executerEdition(nomEdition(gestionnaire), [&] { (this->*gestionnaire)(); });
}

void TFormPrincipale::executerHint(const QString& hint)
{
    executerHorsCommande([&] { parlerCompagnon(hint); });
}

void TFormPrincipale::executerHorsCommande(const std::function<void()>& action)
{
    // Le seul endroit où une erreur devient un message : elle ne remonte pas à la boucle
    // d'événements, l'application continue.
    ++m_commandesEnCours;
    const auto fin = qScopeGuard([this] { --m_commandesEnCours; });
    try {
        action();
    } catch (const EVatrelix& e) {
        Interactions::courantes().erreurStandard(e.message());
    } catch (const std::exception& e) {
        Interactions::courantes().erreurStandard(QString::fromLocal8Bit(e.what()));
    }
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
    ui.menuAjouterRayon = sous.value(u"&Ajouter Rayon"_s);
    ui.menuAjouterRayon->setObjectName(u"menuAjouterRayon"_s);
    ui.menuCouleurs = sous.value(u"&Couleurs"_s);
    ui.menuCouleurs->setObjectName(u"menuCouleurs"_s);

    for (const DefinitionMenu& d : menusPrincipaux()) {
        auto* m = new QMenu(d.libelle, this);
        for (const QString& e : d.elements) {
            if (e == u"-")
                m->addSeparator();
            else if (e == u">Listes ré&centes")
                ui.menuListesRecentes = m->addMenu(e.mid(1));
            else if (e.startsWith(u'>'))
                m->addMenu(sous.value(e.mid(1)));
            else
                m->addAction(action(e));
        }
        ui.MainMenu1.append(m);
        // Le menu principal n'existe que sous forme de boutons déroulants.
        ui.barreOutilsMenu->addAction(m->menuAction());
        auto* bouton = qobject_cast<QToolButton*>(ui.barreOutilsMenu->widgetForAction(m->menuAction()));
        bouton->setPopupMode(QToolButton::InstantPopup);
        bouton->setFixedSize(69, 21);
        bouton->setFont(ui.barreOutilsMenu->font());
        bouton->setAutoRaise(true);
        bouton->installEventFilter(this);
    }
}

void TFormPrincipale::construireBarres()
{
    ui.btlAjouterRayon = new QToolButton(ui.barreOutilsPrincipale);
    ui.btlAjouterRayon->setObjectName(u"btlAjouterRayon"_s);
    ui.btlAjouterRayon->setText(u"&Ajouter Rayon"_s);
    ui.btlAjouterRayon->setIcon(iconeVatrelix(ImgMenuAjouterRayon));
    ui.btlAjouterRayon->setMenu(ui.menuAjouterRayon);
    ui.btlAjouterRayon->setPopupMode(QToolButton::MenuButtonPopup);
    // La partie bouton ajoute un rayon fils ; la flèche ouvre le sous-menu.
    connect(ui.btlAjouterRayon, &QToolButton::clicked, this, [this] { executer(&F::ajouterRayonExecute); });

    ui.btAffichageGeneral = new QToolButton(ui.barreOutilsPrincipale);
    ui.btAffichageGeneral->setObjectName(u"btAffichageGeneral"_s);
    ui.btAffichageGeneral->setText(u"&Couleurs"_s);
    ui.btAffichageGeneral->setIcon(iconeVatrelix(ImgConfiguration));
    ui.btAffichageGeneral->setMenu(ui.menuCouleurs);
    ui.btAffichageGeneral->setPopupMode(QToolButton::MenuButtonPopup);

    remplirBarre(ui.barreOutilsPrincipale, u"barreOutilsPrincipale"_s);
    remplirBarre(ui.barreOutilsRayons, u"barreOutilsRayons"_s);
    remplirBarre(ui.barreOutilsLC, u"barreOutilsLC"_s);
    // Boutons serrés, à la hauteur du panneau : à la taille de départ, tous se voient en entier
    // sans défilement ; la barre prend la largeur de tous ses boutons (pas de flèche de débordement).
    ui.barreOutilsLC->setStyleSheet(u"QToolBar { spacing: 0px; padding: 0px; border: none; }"_s);
    ui.barreOutilsLC->setFixedHeight(ui.panelCommandesListeCourses->height());
    for (QToolButton* bouton : ui.barreOutilsLC->findChildren<QToolButton*>())
        if (bouton->defaultAction())
            bouton->setFixedSize(LargeurBoutonLC, ui.panelCommandesListeCourses->height());
    ui.barreOutilsLC->setFixedWidth(ui.barreOutilsLC->sizeHint().width());
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
            bouton = e.commande == u"btlAjouterRayon" ? ui.btlAjouterRayon : ui.btAffichageGeneral;
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
        if (!c || c->bulle == Bulle::Aucune)
            return true; // ni bulle ni parole
        // La bulle va paraître : le hint passe d'abord au compagnon.
        executerHint(a->toolTip());
    }
    return QWidget::eventFilter(objet, evenement);
}
