// La fenêtre au clavier : touches d'accès et F10, Entrée et Inser dans les vues, menus
// contextuels, tabulation et cadre du focus, noms accessibles, aide (F1).
#include "FenetreTest.h"
#include "Emplacements.h"
#include "StyleVatrelix.h"

#include <QAccessible>
#include <QDir>
#include <QMenu>
#include <QScrollArea>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

const QString baguette = u"1|Baguette|-|Boulangerie|0,95 €|0,95 €"_s;

void fermerMenus()
{
    while (QWidget* menu = QApplication::activePopupWidget())
        menu->close();
}

// Ce que montre un élément de menu : libellé et raccourci, "-" pour un séparateur.
QStringList decrire(const QMenu* menu)
{
    QStringList d;
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator())
            d << u"-"_s;
        else
            d << a->text() + (a->shortcut().isEmpty() ? QString() : u'\t' + a->shortcut().toString());
    }
    return d;
}

// Nom d'un contrôle qui prend le focus : sa commande pour un bouton, sinon son nom d'objet.
QString designation(const QWidget* w)
{
    if (const auto* b = qobject_cast<const QToolButton*>(w); b && b->defaultAction())
        return b->defaultAction()->objectName();
    return w ? w->objectName() : QString();
}

// Un contrôle qui se clique ou se prend au clavier.
bool interactif(const QWidget* w)
{
    return qobject_cast<const QAbstractButton*>(w) || (w->focusPolicy() & Qt::TabFocus);
}

QString nomAccessible(QWidget* w)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Contrôles interactifs sans nom accessible de cette fenêtre ; le champ d'une boîte à
// nombre ou d'une liste déroulante compte sous le nom de sa boîte.
QStringList sansNom(QWidget* fenetre)
{
    QStringList manquants;
    for (QWidget* w : fenetre->findChildren<QWidget*>()) {
        if (w->window() != fenetre || !interactif(w) || !nomAccessible(w).isEmpty())
            continue;
        QWidget* boite = w->parentWidget();
        if (boite && w->focusProxy() == boite && !nomAccessible(boite).isEmpty())
            continue;
        manquants << fenetre->objectName() + u'/' + w->objectName() + u" ("_s
                         + QString::fromLatin1(w->metaObject()->className()) + u')';
    }
    return manquants;
}

} // namespace

class TestClavier : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setStyle(new StyleVatrelix); }
    void init() { m = std::make_unique<FenetreTest>(); }
    void cleanup()
    {
        fermerMenus();
        m.reset();
    }

    void menus_toucheAcces_data();
    void menus_toucheAcces();
    void vues_toucheOuDoubleClic_data();
    void vues_toucheOuDoubleClic();
    void menusContextuels_data();
    void menusContextuels();
    void tabulation_ordreEtCadre();
    void accessibilite_controlesNommes();
    void aide_F1_fenetreNonModale();

private:
    void montrer()
    {
        m->f().show();
        QVERIFY(QTest::qWaitForWindowActive(&m->f()));
    }

    std::unique_ptr<FenetreTest> m;
};

void TestClavier::menus_toucheAcces_data()
{
    QTest::addColumn<QKeySequence>("touches");
    QTest::addColumn<QString>("menu");    // titre du menu ouvert ; vide : aucun
    QTest::addColumn<QString>("element"); // élément choisi d'emblée

    QTest::newRow("Alt+F") << QKeySequence(u"Alt+F"_s) << u"&Fichier"_s << u"Enregi&strer Base"_s;
    QTest::newRow("Alt+E") << QKeySequence(u"Alt+E"_s) << u"&Edition"_s << u"&Ajouter Rayon"_s;
    QTest::newRow("Alt+O") << QKeySequence(u"Alt+O"_s) << u"&Outils"_s << u"&Options..."_s;
    QTest::newRow("F10") << QKeySequence(u"F10"_s) << u"&Fichier"_s << u"Enregi&strer Base"_s;
    QTest::newRow("F10 puis Gauche : le dernier") << QKeySequence(u"F10, Left"_s) << u"&?"_s << u"&Aide..."_s;
    QTest::newRow("Alt+O puis Droite") << QKeySequence(u"Alt+O, Right"_s) << u"&?"_s << u"&Aide..."_s;
    QTest::newRow("Droite sur un sous-menu l'ouvre")
        << QKeySequence(u"Alt+A, Right"_s) << u"&Couleurs"_s << u"Couleur &Haut"_s;
    QTest::newRow("Échap ferme") << QKeySequence(u"Alt+F, Esc"_s) << QString() << QString();
}

void TestClavier::menus_toucheAcces()
{
    QFETCH(QKeySequence, touches);
    QFETCH(QString, menu);
    QFETCH(QString, element);
    montrer();
    TFormPrincipale& f = m->f();
    // Les libellés de la barre gardent leur touche d'accès, soulignée par le style.
    QWidget* fichier = f.ui.barreOutilsMenu->widgetForAction(f.ui.MainMenu1[0]->menuAction());
    QCOMPARE(qobject_cast<QToolButton*>(fichier)->text(), u"&Fichier"_s);
    QVERIFY(fichier->style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, fichier));

    for (int i = 0; i < touches.count(); ++i) {
        QWidget* cible = QApplication::activePopupWidget();
        if (!cible)
            cible = QApplication::focusWidget() ? QApplication::focusWidget() : &f;
        QTest::keyClick(cible, touches[i].key(), touches[i].keyboardModifiers());
    }
    auto* ouvert = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QCOMPARE(ouvert ? ouvert->title() : QString(), menu);
    if (ouvert) {
        QVERIFY(ouvert->activeAction());
        QCOMPARE(ouvert->activeAction()->text(), element);
    }
}

void TestClavier::vues_toucheOuDoubleClic_data()
{
    QTest::addColumn<QString>("vue");
    QTest::addColumn<int>("touche"); // 0 : double-clic sur la ligne choisie
    QTest::addColumn<int>("modificateurs");
    QTest::addColumn<QStringList>("lignes");

    const QStringList ajout{baguette, u"3|Lait|demi-écrémé|Crèmerie|0,89 €|2,67 €"_s};
    const QStringList modification{u"3|Baguette|-|Boulangerie|0,95 €|2,85 €"_s};
    const int aucun = Qt::NoModifier;
    QTest::newRow("articles, Entrée") << u"listeArticles"_s << int(Qt::Key_Return) << aucun << ajout;
    QTest::newRow("articles, Entrée du pavé")
        << u"listeArticles"_s << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << ajout;
    QTest::newRow("articles, Inser") << u"listeArticles"_s << int(Qt::Key_Insert) << aucun << ajout;
    QTest::newRow("articles, Ctrl+Entrée : rien")
        << u"listeArticles"_s << int(Qt::Key_Return) << int(Qt::ControlModifier) << QStringList{baguette};
    QTest::newRow("articles, double-clic : rien") << u"listeArticles"_s << 0 << aucun << QStringList{baguette};
    QTest::newRow("liste, Entrée") << u"lvListeCourses"_s << int(Qt::Key_Return) << aucun << modification;
    QTest::newRow("liste, double-clic") << u"lvListeCourses"_s << 0 << aucun << modification;
    QTest::newRow("liste, Inser : rien") << u"lvListeCourses"_s << int(Qt::Key_Insert) << aucun << QStringList{baguette};
}

void TestClavier::vues_toucheOuDoubleClic()
{
    QFETCH(QString, vue);
    QFETCH(int, touche);
    QFETCH(int, modificateurs);
    QFETCH(QStringList, lignes);
    TRayon* cremerie = m->rayon(u"Crèmerie"_s, {{u"Lait"_s, 0.89, u"demi-écrémé"_s}, {u"Beurre"_s, 2.1, u"doux"_s}});
    m->choisirRayon(cremerie);
    m->choisirArticles({u"Lait"_s});
    m->poser({baguette});
    m->choisirLignes({0});
    m->repondreQuantite(3);
    montrer();

    auto* v = m->f().findChild<QTreeView*>(vue);
    if (touche) {
        QTest::keyClick(v, Qt::Key(touche), Qt::KeyboardModifiers(modificateurs));
    } else {
        const QRect rangee = v->visualRect(v->model()->index(v->selectionModel()->selectedRows().constFirst().row(), 0));
        // Le premier clic, puis le second qui fait le double-clic.
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, rangee.center());
        QTest::mouseDClick(v->viewport(), Qt::LeftButton, {}, rangee.center());
    }
    QCOMPARE(m->lignes(), lignes);
    // Sans effet, le dialogue de quantité n'a pas été montré : sa réponse attend encore.
    QCOMPARE(m->interactions->reponsesRestantes(), lignes == QStringList{baguette} ? 1 : 0);
}

void TestClavier::menusContextuels_data()
{
    QTest::addColumn<QString>("vue");
    QTest::addColumn<bool>("clavier"); // Maj+F10 plutôt que le clic droit
    QTest::addColumn<QStringList>("elements");

    QTest::newRow("rayons") << u"arbreRayon"_s << false
                            << QStringList{u"&Ajouter un rayon..."_s, u"Ajouter un rayon &racine..."_s,
                                           u"&Modifier le rayon..."_s, u"&Supprimer le rayon"_s, u"-"_s,
                                           u"&Ajouter un article..."_s};
    QTest::newRow("articles, Maj+F10") << u"listeArticles"_s << true
                              << QStringList{u"&Ajouter..."_s, u"-"_s, u"&Ajouter un article..."_s,
                                             u"&Modifier l'article..."_s, u"&Supprimer l'article"_s};
    QTest::newRow("liste") << u"lvListeCourses"_s << false
                           << QStringList{u"&Modifier..."_s, u"&Supprimer"_s, u"-"_s, u"&Fusionner lignes"_s,
                                          u"&Trier par rayon\tCtrl+T"_s,
                                          u"Trier dans l'ordre du m&agasin\tCtrl+Shift+T"_s,
                                          u"&Importer Liste\tCtrl+I"_s, u"-"_s,
                                          u"&Nouvelle Liste\tCtrl+N"_s, u"&Ouvrir...\tCtrl+O"_s,
                                          u"Enregi&strer Liste\tCtrl+S"_s, u"En&registrer Liste sous...\tCtrl+R"_s,
                                          u"-"_s, u"Im&primer\tCtrl+P"_s, u"-"_s, u"Mode ma&gasin\tCtrl+M"_s,
                                          u"&Effacer les coches\tCtrl+Shift+M"_s};
}

void TestClavier::menusContextuels()
{
    QFETCH(QString, vue);
    QFETCH(bool, clavier);
    QFETCH(QStringList, elements);
    TFormPrincipale& f = m->f();
    montrer();
    auto* v = f.findChild<QAbstractItemView*>(vue);
    if (clavier) {
        QTest::keyClick(v, Qt::Key_F10, Qt::ShiftModifier);
    } else {
        const QPoint ici(10, 10);
        QContextMenuEvent clicDroit(QContextMenuEvent::Mouse, ici, v->viewport()->mapToGlobal(ici));
        QApplication::sendEvent(v->viewport(), &clicDroit);
    }

    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(decrire(menu), elements);
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        QVERIFY(a->isEnabled());
        QVERIFY(a->isShortcutVisibleInContextMenu() || a->shortcut().isEmpty());
        // Un élément qui n'est pas l'action de la table la déclenche.
        QAction* commande = f.action(a->objectName());
        QVERIFY(commande);
        if (a != commande) {
            QSignalSpy declenchee(commande, &QAction::triggered);
            a->trigger();
            QCOMPARE(declenchee.size(), 1);
        }
    }
}

void TestClavier::tabulation_ordreEtCadre()
{
    montrer();
    TFormPrincipale& f = m->f();
    // La fenêtre s'ouvre le focus sur l'arbre des rayons.
    QCOMPARE(QApplication::focusWidget(), f.ui.arbreRayon);
    QStringList parcours;
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        parcours << designation(focus);
        // Le contrôle qui a le focus porte le cadre, et se voit (les boutons de la liste défilent).
        QCOMPARE(f.ui.cadreFocus->parentWidget(), focus);
        QVERIFY(f.ui.cadreFocus->isVisible());
        QVERIFY2(!focus->visibleRegion().isEmpty(), qPrintable(designation(focus)));
    }
    QCOMPARE(parcours,
             (QStringList{u"champRecherche"_s, u"listeArticles"_s, u"ajouterArticle"_s, u"modifierArticle"_s,
                          u"supprimerArticle"_s,
                          u"ajouterDansLC"_s, u"lvListeCourses"_s, u"ajouterDansLC"_s, u"modifierNbLC"_s,
                          u"supprimerDeLC"_s, u"fusionnerLignesLC"_s, u"trierLC"_s, u"importerLC"_s,
                          u"nouvelleListe"_s, u"ouvrirListe"_s, u"enregistrerLC"_s, u"enregistrerLCSous"_s,
                          u"imprimer"_s, u"enregistrerBD"_s, u"importerBD"_s, u"rechargerBD"_s, u"btlAjouterRayon"_s,
                          u"modifierRayon"_s, u"supprimerRayon"_s, u"ajouterArticle"_s, u"modifierArticle"_s,
                          u"supprimerArticle"_s, u"btAffichageGeneral"_s, u"configurerOptions"_s, u"arbreRayon"_s}));
    // Un clic sur un bouton laisse le focus à la vue.
    f.ui.lvListeCourses->setFocus();
    QTest::mouseClick(f.ui.barreOutilsLC->widgetForAction(f.action(u"trierLC"_s)), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), f.ui.lvListeCourses);
}

void TestClavier::accessibilite_controlesNommes()
{
    TFormPrincipale& f = m->f();
    f.show();
    f.afficherAideExecute();
    QStringList manquants;
    for (QWidget* fenetre : std::initializer_list<QWidget*>{&f, m->formArticle, m->formRayon, m->formLC,
                                                             m->formOptions, f.ui.fenetreAide})
        manquants << sansNom(fenetre);
    QVERIFY2(manquants.isEmpty(), qPrintable(manquants.join(u", ")));
    // Les boutons d'image parlent comme leur commande : "trierLC" se dit par son aide.
    QCOMPARE(nomAccessible(f.ui.barreOutilsLC->widgetForAction(f.action(u"trierLC"_s))), u"Trier la liste par rayon"_s);
    QCOMPARE(f.ui.lvListeCourses->accessibleName(), u"Liste de courses"_s);
    // Une barre peinte se lit : son texte est sa description.
    f.ecrireStatut(u"Tri de la liste"_s);
    QCOMPARE(QAccessible::queryAccessibleInterface(f.ui.barreStatusP1)->text(QAccessible::Description),
             u"Tri de la liste"_s);
}

void TestClavier::aide_F1_fenetreNonModale()
{
    montrer();
    TFormPrincipale& f = m->f();
    QTest::keyClick(&f, Qt::Key_F1);
    QWidget* aide = f.ui.fenetreAide;
    QVERIFY(aide && aide->isVisible());
    QCOMPARE(aide->windowModality(), Qt::NonModal);
    QVERIFY(m->interactions->questions.isEmpty());

    const QString texte = aide->findChild<QTextBrowser*>()->toPlainText();
    for (const QString& partie : {u"Petite visite"_s, u"Au clavier"_s, u"Le compagnon"_s, u"Où sont les fichiers"_s,
                                  QDir::toNativeSeparators(repertoireExecutable())})
        QVERIFY2(texte.contains(partie), qPrintable(partie));
    for (const DefinitionCommande& c : TFormPrincipale::tableCommandes())
        if (!c.raccourci.isEmpty())
            QVERIFY2(texte.contains(c.raccourci.toString(QKeySequence::NativeText)), qPrintable(c.nom));
    QVERIFY(!texte.contains(u'{'));

    QVERIFY(QTest::qWaitForWindowActive(aide));
    QTest::keyClick(aide->focusWidget(), Qt::Key_Escape);
    QVERIFY(!aide->isVisible());
}

QTEST_MAIN(TestClavier)
#include "tst_clavier.moc"
