// Tout au clavier : touches d'accès et F10 sur la barre de menus, Entrée et Inser dans les
// vues, menus contextuels tirés de la table des commandes, ordre de tabulation, cadre du
// focus, et noms accessibles des contrôles de la fenêtre.
#include "U_VX_FormPrincipale.h"

#include "ImagesVatrelix.h"
#include "TPaintBox.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScrollArea>
#include <QShortcut>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

// Libellé d'une commande tel qu'un lecteur d'écran le dit : sans "&" ni points de suite ;
// une commande sans vrai libellé (le sien est son nom) est dite par son hint.
QString nomParle(const DefinitionCommande& c)
{
    if (c.libelle == c.nom)
        return c.hint;
    QString texte = c.libelle;
    texte.remove(u'&');
    if (texte.endsWith(u"..."))
        texte.chop(3);
    return texte;
}

// Cadre de deux pixels dans la couleur de sélection, posé sur le contrôle qui a le focus :
// le style seul ne montre pas le focus d'une vue.
class CadreFocus : public QWidget
{
public:
    explicit CadreFocus(QWidget* parent) : QWidget(parent)
    {
        setObjectName(u"cadreFocus"_s);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    void suivre(QWidget* controle)
    {
        if (m_suivi)
            m_suivi->removeEventFilter(this);
        m_suivi = controle;
        if (!controle) {
            hide();
            return;
        }
        setParent(controle);
        setGeometry(controle->rect());
        controle->installEventFilter(this);
        raise();
        show();
    }

    QWidget* suivi() const { return m_suivi; }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (objet == m_suivi && evenement->type() == QEvent::Resize)
            setGeometry(m_suivi->rect());
        return false;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter canevas(this);
        QPen plume(palette().color(QPalette::Highlight), 2);
        plume.setJoinStyle(Qt::MiterJoin);
        canevas.setPen(plume);
        canevas.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

private:
    QPointer<QWidget> m_suivi;
};

// Entrée et Inser dans les vues, navigation gauche-droite entre les menus principaux et
// touches d'accès de la barre de menus.
class FiltreClavier : public QObject
{
public:
    explicit FiltreClavier(TFormPrincipale& f) : QObject(&f), m_f(f) {}

    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::Shortcut) {
            // Touche d'accès d'un bouton de la barre de menus : son menu, premier élément choisi.
            const int i = indiceBouton(objet);
            if (i >= 0) {
                m_f.ouvrirMenuPrincipal(i);
                return true;
            }
            return false;
        }
        if (evenement->type() != QEvent::KeyPress)
            return false;
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (const int i = m_f.ui.MainMenu1.indexOf(qobject_cast<QMenu*>(objet)); i >= 0)
            return naviguerMenus(i, *touche);
        const Qt::KeyboardModifiers autres = touche->modifiers() & ~Qt::KeypadModifier;
        if (touche->key() == Qt::Key_F10 && autres == Qt::ShiftModifier) {
            // Maj+F10 comme la touche Menu : le menu de la vue, sous l'élément courant.
            auto* vue = static_cast<QAbstractItemView*>(objet);
            const QRect courant = vue->visualRect(vue->currentIndex());
            Q_EMIT vue->customContextMenuRequested(courant.isValid() ? courant.center() : QPoint(0, 0));
            return true;
        }
        if (autres != Qt::NoModifier)
            return false;
        const bool entree = touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter;
        // La touche a déjà été vue par le gestionnaire de touche de la vue (touche spéciale relâchée).
        if (objet == m_f.ui.listeArticles && (entree || touche->key() == Qt::Key_Insert)) {
            m_f.action(u"ajouterDansLC"_s)->trigger();
            return true;
        }
        if (objet == m_f.ui.lvListeCourses && entree) {
            m_f.action(u"modifierNbLC"_s)->trigger();
            return true;
        }
        return false;
    }

private:
    int indiceBouton(QObject* objet) const
    {
        for (int i = 0; i < m_f.ui.MainMenu1.size(); ++i)
            if (objet == m_f.ui.barreOutilsMenu->widgetForAction(m_f.ui.MainMenu1[i]->menuAction()))
                return i;
        return -1;
    }

    // Gauche et Droite passent au menu voisin, comme dans une barre de menus ; Droite sur un
    // sous-menu l'ouvre.
    bool naviguerMenus(int indice, const QKeyEvent& touche)
    {
        QMenu* menu = m_f.ui.MainMenu1[indice];
        int pas = 0;
        if (touche.key() == Qt::Key_Left)
            pas = -1;
        else if (touche.key() == Qt::Key_Right && !(menu->activeAction() && menu->activeAction()->menu()))
            pas = 1;
        if (pas == 0)
            return false;
        const int n = int(m_f.ui.MainMenu1.size());
        menu->close();
        m_f.ouvrirMenuPrincipal((indice + pas + n) % n);
        return true;
    }

    TFormPrincipale& m_f;
};

} // namespace

const QList<DefinitionMenu>& TFormPrincipale::menusContextuels()
{
    static const QList<DefinitionMenu> menus = {
        {u"arbreRayon"_s, ImgAucune,
         {u"ajouterRayon"_s, u"ajouterRayonRacine"_s, u"modifierRayon"_s, u"supprimerRayon"_s, u"-"_s,
          u"ajouterArticle"_s}},
        {u"listeArticles"_s, ImgAucune,
         {u"ajouterDansLC"_s, u"-"_s, u"ajouterArticle"_s, u"modifierArticle"_s, u"supprimerArticle"_s}},
        {u"lvListeCourses"_s, ImgAucune,
         {u"modifierNbLC"_s, u"supprimerDeLC"_s, u"-"_s, u"fusionnerLignesLC"_s, u"trierLC=&Trier par rayon"_s,
          u"trierLCMagasin=Trier dans l'ordre du m&agasin"_s, u"importerLC"_s, u"-"_s, u"nouvelleListe"_s, u"ouvrirListe"_s, u"enregistrerLC"_s,
          u"enregistrerLCSous"_s, u"-"_s, u"imprimer"_s, u"-"_s, u"modeMagasin=Mode ma&gasin"_s,
          u"effacerCoches"_s}},
    };
    return menus;
}

void TFormPrincipale::ouvrirMenuPrincipal(int indice)
{
    if (indice < 0 || indice >= ui.MainMenu1.size())
        return;
    QMenu* menu = ui.MainMenu1[indice];
    const QWidget* bouton = ui.barreOutilsMenu->widgetForAction(menu->menuAction());
    menu->popup(bouton->mapToGlobal(QPoint(0, bouton->height())));
    // Premier élément choisi comme par la flèche du bas : un sous-menu en tête reste fermé.
    QKeyEvent bas(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(menu, &bas);
}

void TFormPrincipale::montrerMenuContextuel(QAbstractItemView* vue, QMenu* menu, const QPoint& position)
{
    menu->popup(vue->viewport()->mapToGlobal(position));
}

void TFormPrincipale::brancherClavier()
{
    auto* filtre = new FiltreClavier(*this);

    // Barre de menus : le libellé du bouton garde sa touche d'accès, soulignée, qui ouvre le menu.
    for (QMenu* menu : std::as_const(ui.MainMenu1)) {
        menu->menuAction()->setIconText(menu->title());
        ui.barreOutilsMenu->widgetForAction(menu->menuAction())->installEventFilter(filtre);
        menu->installEventFilter(filtre);
    }
    // Les libellés des boutons déroulants ne se voient pas : pas de touche d'accès cachée.
    ui.btlAjouterRayon->setShortcut(QKeySequence());
    ui.btAffichageGeneral->setShortcut(QKeySequence());
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setObjectName(u"raccourciMenus"_s);
    connect(f10, &QShortcut::activated, this, [this] { ouvrirMenuPrincipal(0); });

    // Entrée et Inser dans la liste d'articles, Entrée et double-clic dans la liste de courses,
    // Maj+F10 dans les trois vues.
    ui.arbreRayon->installEventFilter(filtre);
    ui.listeArticles->installEventFilter(filtre);
    ui.lvListeCourses->installEventFilter(filtre);
    connect(ui.lvListeCourses, &QAbstractItemView::doubleClicked, this,
            [this] { action(u"modifierNbLC"_s)->trigger(); });

    // Menus contextuels : les actions de la table, avec leur raccourci.
    for (QAction* a : std::as_const(listeActions))
        a->setShortcutVisibleInContextMenu(true);
    for (const DefinitionMenu& d : menusContextuels()) {
        auto* vue = findChild<QAbstractItemView*>(d.libelle);
        auto* menu = new QMenu(this);
        menu->setObjectName(u"menu_"_s + d.libelle);
        for (const QString& e : d.elements) {
            if (e == u"-") {
                menu->addSeparator();
                continue;
            }
            const QString nom = e.section(u'=', 0, 0);
            QAction* a = action(nom);
            if (!e.contains(u'=')) {
                menu->addAction(a);
                continue;
            }
            // Même commande sous un libellé lisible ; le raccourci s'affiche sans être pris deux fois.
            auto* copie = new QAction(a->icon(), e.section(u'=', 1) + u'\t'
                                                     + a->shortcut().toString(QKeySequence::NativeText), menu);
            copie->setObjectName(nom);
            copie->setEnabled(a->isEnabled());
            // Une commande à bascule montre son état (cochée) sous les deux libellés.
            connect(a, &QAction::changed, copie, [a, copie] {
                copie->setEnabled(a->isEnabled());
                copie->setCheckable(a->isCheckable());
                copie->setChecked(a->isChecked());
            });
            connect(copie, &QAction::triggered, a, &QAction::trigger);
            menu->addAction(copie);
        }
        vue->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(vue, &QWidget::customContextMenuRequested, this,
                [this, vue, menu](const QPoint& p) { montrerMenuContextuel(vue, menu, p); });
        if (vue == ui.arbreRayon)
            ui.menuArbreRayon = menu;
        else if (vue == ui.listeArticles)
            ui.menuListeArticles = menu;
        else
            ui.menuListeCourses = menu;
    }

    // Tabulation : barre principale, arbre, articles et leurs boutons, liste et ses boutons.
    // Les boutons prennent le focus au clavier seulement : un clic le laisse à la vue.
    QList<QWidget*> ordre;
    const auto boutons = [&ordre](QToolBar* barre) {
        for (QAction* a : barre->actions())
            if (auto* b = qobject_cast<QToolButton*>(barre->widgetForAction(a))) {
                b->setFocusPolicy(Qt::TabFocus);
                ordre << b;
            }
    };
    boutons(ui.barreOutilsPrincipale);
    ordre << ui.arbreRayon << ui.champRecherche << ui.listeArticles << ui.resultatsRecherche;
    boutons(ui.barreOutilsRayons);
    ordre << ui.lvListeCourses;
    boutons(ui.barreOutilsLC);
    for (int i = 1; i < ordre.size(); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);
    // Défileur et flèches : la souris seule ; le focus d'un bouton fait défiler jusqu'à lui.
    ui.pscrollerListeCourses->setFocusPolicy(Qt::NoFocus);
    for (QToolButton* fleche : ui.panelCommandesListeCourses->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        fleche->setFocusPolicy(Qt::NoFocus);
    ui.arbreRayon->setFocus();

    auto* cadre = new CadreFocus(this);
    ui.cadreFocus = cadre;
    const QSet<QWidget*> suivis(ordre.cbegin(), ordre.cend());
    connect(qApp, &QApplication::focusChanged, cadre, [this, cadre, suivis](QWidget*, QWidget* maintenant) {
        if (!suivis.contains(maintenant)) {
            cadre->suivre(nullptr);
            return;
        }
        cadre->suivre(maintenant);
        if (ui.barreOutilsLC->isAncestorOf(maintenant))
            ui.pscrollerListeCourses->ensureWidgetVisible(maintenant);
    });

    nommerControles();
}

void TFormPrincipale::nommerControles()
{
    const auto nommer = [](QWidget* w, const QString& nom, const QString& description = {}) {
        w->setAccessibleName(nom);
        if (!description.isEmpty())
            w->setAccessibleDescription(description);
    };
    nommer(ui.arbreRayon, u"Rayons"_s,
           u"Arbre des rayons. Suppr supprime le rayon choisi ; menu contextuel : commandes des rayons."_s);
    nommer(ui.listeArticles, u"Articles du rayon"_s,
           u"Entrée ou Inser ajoute les articles choisis à la liste de courses ; Suppr les supprime du rayon."_s);
    nommer(ui.lvListeCourses, u"Liste de courses"_s,
           u"Entrée ou double-clic change la quantité des lignes choisies ; Suppr les retire de la liste."_s);
    nommer(ui.barreOutilsMenu, u"Barre de menus"_s, u"Alt et la lettre soulignée, ou F10, ouvrent un menu."_s);
    nommer(ui.barreOutilsPrincipale, u"Commandes de la base"_s);
    nommer(ui.barreOutilsRayons, u"Commandes des articles"_s);
    nommer(ui.barreOutilsLC, u"Commandes de la liste de courses"_s);
    nommer(ui.titreRayons, u"Rayons"_s);
    nommer(ui.titreListeCourses, u"Liste de courses"_s);
    nommer(ui.barreStatusP0, u"Touche spéciale"_s);
    nommer(ui.barreStatusP1, u"Dernière opération"_s);
    nommer(ui.barreProgression, u"Progression"_s);
    nommer(ui.barreFactureLC, u"Nombre d'articles et total de la liste"_s);
    nommer(ui.btlAjouterRayon, u"Ajouter un rayon"_s, u"Ajouter un rayon ; la flèche propose aussi un rayon racine"_s);
    nommer(ui.btAffichageGeneral, u"Couleurs"_s, u"Choisir les couleurs des dégradés"_s);

    for (QMenu* menu : std::as_const(ui.MainMenu1)) {
        QString titre = menu->title();
        titre.remove(u'&');
        nommer(ui.barreOutilsMenu->widgetForAction(menu->menuAction()), titre == u"?" ? u"Aide"_s : titre);
    }
    for (QToolBar* barre : {ui.barreOutilsPrincipale, ui.barreOutilsRayons, ui.barreOutilsLC}) {
        for (QAction* a : barre->actions()) {
            const DefinitionCommande* c = commande(a->objectName());
            if (QWidget* b = barre->widgetForAction(a); c && b)
                nommer(b, nomParle(*c), c->hint);
        }
    }
    for (QToolBar* barre : findChildren<QToolBar*>())
        for (QToolButton* b : barre->findChildren<QToolButton*>(u"qt_toolbar_ext_button"_s))
            nommer(b, u"Autres boutons"_s);
    for (QToolButton* fleche : ui.panelCommandesListeCourses->findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        nommer(fleche, fleche->arrowType() == Qt::LeftArrow ? u"Boutons précédents"_s : u"Boutons suivants"_s,
               u"Fait défiler les boutons de la liste de courses"_s);
}
