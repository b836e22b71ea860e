// La vraie fenêtre principale, hors écran, avec les interactions scriptées, un dossier
// d'exécutable temporaire, les réglages français et le double du serveur de personnages
// (MontageFenetre.h).
#include "Codec1252.h"
#include "Conversions.h"
#include "DisquePlein.h"
#include "Emplacements.h"
#include "MontageFenetre.h"
#include "OctetsFichier.h"
#include "TPaintBox.h"
#include "U_rayon.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QHelpEvent>
#include <QMenu>
#include <QStandardItemModel>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTreeView>
#include <QTreeWidget>
#include <QWidgetAction>
#include <QWindow>
#include <QtTest>

#include <memory>
#include <optional>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList lignesListe{QStringLiteral("2|Lait|demi-écrémé|Crèmerie|0,89 €|1,78 €"),
                              QStringLiteral("1|Baguette|-|Boulangerie|0,95 €|0,95 €")};

QByteArray lignesCRLF(const QStringList& lignes)
{
    QByteArray octets;
    for (const QString& l : lignes)
        octets += versAnsi(l) + "\r\n";
    return octets;
}

QRgb rgb(int r, int g, int b)
{
    return qRgb(r, g, b);
}

// Décrit une barre d'outils : nom de commande ou de bouton, ou "|largeur" pour un séparateur.
QStringList decrireBarre(QToolBar* barre)
{
    QStringList d;
    for (QAction* a : barre->actions()) {
        if (auto* wa = qobject_cast<QWidgetAction*>(a)) {
            QWidget* w = wa->defaultWidget();
            d << (qobject_cast<QToolButton*>(w) ? w->objectName() : u'|' + QString::number(w->width()));
        } else if (QWidget* w = barre->widgetForAction(a); w && !qobject_cast<QToolButton*>(w)) {
            d << u'|' + QString::number(w->width());
        } else {
            d << a->objectName();
        }
    }
    return d;
}

QStringList decrireMenu(const QMenu* menu)
{
    QStringList d;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            d << QStringLiteral("-");
        else if (a->menu())
            d << u'>' + a->menu()->title();
        else
            d << a->objectName();
    }
    return d;
}

// Interactions scriptées ; une fois la fenêtre donnée, la première question demande d'abord
// la fermeture de la fenêtre pendant qu'elle est ouverte.
class InteractionsFermantLaFenetre : public InteractionsScriptees
{
public:
    TFormPrincipale* fenetre = nullptr;
    int fermeturesRefusees = 0;
    ReponseMessage message(const QString& texte, TypeMessage type, BoutonsMessage boutons,
                           std::optional<ReponseMessage> defaut) override
    {
        if (fenetre && questions.isEmpty()) {
            // Demande de fermeture du gestionnaire de fenêtres pendant que la question est ouverte.
            QCloseEvent fermeture;
            QApplication::sendEvent(fenetre, &fermeture);
            fermeturesRefusees += fermeture.isAccepted() ? 0 : 1;
        }
        return InteractionsScriptees::message(texte, type, boutons, defaut);
    }
};

// La fenêtre de chaque test, montée sur la base modèle ; son démarrage différé reste armé.
class BancFormPrincipale : public MontageFenetre<InteractionsFermantLaFenetre>
{
public:
    BancFormPrincipale()
    {
        QVERIFY(QFile::copy(EnvironnementTest::source(QStringLiteral("resources/baseVatrelixModèle.xml")),
                            env->chemin(QStringLiteral("baseVatrelixModèle.xml"))));
    }
    void creer() { creerFenetre(Demarrage::Arme); }
};

} // namespace

class TestFormPrincipale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void table_commandes_data();
    void table_commandes();
    void table_ordreEtNombre();
    void menus_etBarres_dansLOrdre();
    void commandesSansMenuNiBouton();
    void raccourcis_seulsCeuxDeLaTable();
    void raccourci_sansMenu_agit();
    void disposition_tagsEtColonnes();

    void demarrage_baseListePuisCompagnon();
    void demarrage_compagnonEteint_aucuneRequete();
    void demarrage_compagnonPlaceApresLaFenetre();
    void demarrage_derniereListe_data();
    void demarrage_derniereListe();
    void demarrage_listeDemandee_data();
    void demarrage_listeDemandee();

    void sortie_data();
    void sortie();
    void sortie_commandesPendantLeDepart_refusees();
    void sortie_fermeturePendantLaQuestion_uneSeuleSequence();

    void recharger_abandonneLesModificationsSansQuestion();
    void recharger_baseIllisible_statutEtJaugeRestent();
    void enregistrer_statutGardeLHeure();
    void baseNonChargee_enregistrer_demandeConfirmation_data();
    void baseNonChargee_enregistrer_demandeConfirmation();
    void baseNonChargee_sortie_oui_nEcrasePasEtResteOuvert();
    void enregistrerBase_protections_data();
    void enregistrerBase_protections();
    void demarrage_configurationAbimee_demarreEtLeDit();

    void configuration_apresExecution_data();
    void configuration_apresExecution();

    void degrade_titreEtMenu_rangeesAttendues();
    void degrade_titreSaisi_data();
    void degrade_titreSaisi();
    void jauge_largeurRemplie_data();
    void jauge_largeurRemplie();
    void jauge_pixelsPeints();

    void hint_boutons_data();
    void hint_boutons();
    void aPropos_lectureEtBoite();
    void couleurs_choixEtAnnulation_data();
    void couleurs_choixEtAnnulation();
    void majLC_ligneIllisible_rangeesGardeesPiedInchange();

private:
    void copierBase();
    void ecrireConfig(const QStringList& lignes);
    TFormPrincipale& creer();
    TFormPrincipale& demarrer();
    void detruire();

    std::unique_ptr<BancFormPrincipale> b;
};

void TestFormPrincipale::init()
{
    b = std::make_unique<BancFormPrincipale>();
}

void TestFormPrincipale::cleanup()
{
    b.reset();
}

void TestFormPrincipale::detruire()
{
    b->fenetre.reset();
    b->dm.reset();
}

void TestFormPrincipale::copierBase()
{
    QVERIFY(QFile::copy(EnvironnementTest::source(QStringLiteral("resources/baseVatrelix-exemple.xml")),
                        b->env->chemin(QStringLiteral("baseVatrelix.xml"))));
}

void TestFormPrincipale::ecrireConfig(const QStringList& lignes)
{
    ecrireOctetsBruts(b->env->chemin(QStringLiteral("Vatrelix.conf")), lignesCRLF(lignes));
}

TFormPrincipale& TestFormPrincipale::creer()
{
    b->creer();
    return b->f();
}

TFormPrincipale& TestFormPrincipale::demarrer()
{
    TFormPrincipale& f = creer();
    f.show();
    // Le minuteur de démarrage bat une fois, la boucle d'événements lancée ; le compagnon part
    // quand la fenêtre est exposée.
    [&] { QTRY_VERIFY(f.demarrageTermine()); }();
    return f;
}

// ---------------------------------------------------------------- table des commandes

void TestFormPrincipale::table_commandes_data()
{
    QTest::addColumn<QString>("nom");
    QTest::addColumn<QString>("categorie");
    QTest::addColumn<QString>("libelle");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("raccourci");
    QTest::addColumn<int>("icone");

    const auto ligne = [](const char* nom, const char* cat, const QString& lib, const QString& hint,
                          const char* racc, int icone) {
        QTest::newRow(nom) << QString::fromLatin1(nom) << QString::fromLatin1(cat) << lib << hint
                           << QString::fromLatin1(racc) << icone;
    };
    ligne("ajouterRayon", "Rayons", u"&Ajouter un rayon..."_s, u"Ajouter un rayon"_s, "", 18);
    ligne("choisirCouleurHaut", "Configuration", u"Couleur &Haut"_s, {}, "", 7);
    ligne("ajouterRayonRacine", "Rayons", u"Ajouter un rayon &racine..."_s, u"Ajouter un rayon racine"_s, "", 29);
    ligne("choisirCouleurBas", "Configuration", u"Couleur &Bas"_s, {}, "", 7);
    ligne("enregistrerConfigAppli", "Configuration", u"enregistrerConfigAppli"_s, {}, "", 7);
    ligne("quitter", "", u"&Quitter"_s, u"Quitter Vatrelix"_s, "", 13);
    ligne("imprimer", "ListeCourses", u"Im&primer"_s, u"Imprimer la liste courante"_s, "Ctrl+P", 20);
    ligne("ouvrirListe", "ListeCourses", u"&Ouvrir..."_s, u"Ouvrir une liste de courses"_s, "Ctrl+O", 9);
    ligne("nouvelleListe", "ListeCourses", u"&Nouvelle Liste"_s, u"Nouvelle Liste"_s, "Ctrl+N", 14);
    ligne("ajouterDansLC", "ListeCourses", u"&Ajouter..."_s, u"Ajouter un article dans la liste"_s, "", 25);
    ligne("modifierNbLC", "ListeCourses", u"&Modifier..."_s, u"Modifier le nombre d'articles à acheter"_s, "", 26);
    ligne("supprimerDeLC", "ListeCourses", u"&Supprimer"_s, u"Supprimer l'article de la liste"_s, "", 27);
    ligne("fusionnerLignesLC", "ListeCourses", u"&Fusionner lignes"_s, u"Fusionner les lignes de la liste de courses"_s,
          "", 22);
    ligne("importerLC", "ListeCourses", u"&Importer Liste"_s, u"Importer une autre liste de courses"_s, "Ctrl+I", 19);
    ligne("modifierRayon", "Rayons", u"&Modifier le rayon..."_s, u"Modifier le rayon"_s, "", 17);
    ligne("supprimerRayon", "Rayons", u"&Supprimer le rayon"_s, u"Supprimer le rayon"_s, "", 12);
    ligne("ajouterArticle", "Acticles", u"&Ajouter un article..."_s, u"Ajouter un nouvel Article"_s, "", 14);
    ligne("modifierArticle", "Acticles", u"&Modifier l'article..."_s, u"Modifier l'article sélectionné"_s, "", 10);
    ligne("supprimerArticle", "Acticles", u"&Supprimer l'article"_s, u"Supprimer l'article du rayon"_s, "", 8);
    ligne("configurerOptions", "Configuration", u"&Options..."_s, u"Modifier les options de l'application"_s, "", 7);
    ligne("enregistrerBD", "BaseArticles", u"Enregi&strer Base"_s,
          u"Enregistrer les modifications de la base d'article"_s, "Ctrl+Alt+S", 0);
    ligne("enregistrerLC", "ListeCourses", u"Enregi&strer Liste"_s, u"Enregistrer la liste de courses"_s, "Ctrl+S", 0);
    ligne("enregistrerLCSous", "ListeCourses", u"En&registrer Liste sous..."_s,
          u"Enregistrer la liste de courses sous..."_s, "Ctrl+R", 24);
    ligne("importerBD", "BaseArticles", u"&Importer Base..."_s, u"Importer des articles d'une ancienne version"_s,
          "Ctrl+Alt+I", 19);
    ligne("rechargerBD", "BaseArticles", u"&Recharger Base"_s, u"Recharger la base d'articles"_s, "Ctrl+Alt+O", 28);
    ligne("repeindreTousDegrades", "Configuration", u"repeindreTousDegrades"_s, {}, "", 7);
    ligne("majArbreRayons", "Rayons", u"majArbreRayons"_s, {}, "", 28);
    ligne("majListeArticles", "Acticles", u"majListeArticles"_s, {}, "", 28);
    ligne("aPropos", "", u"À &propos..."_s, u"À propos de Vatrelix"_s, "", 29);
    ligne("majLC", "ListeCourses", u"majLC"_s, {}, "", 28);
    ligne("trierLC", "ListeCourses", u"trierLC"_s, u"Trier la liste par rayon"_s, "Ctrl+T", 31);
    ligne("modeMagasin", "ListeCourses", u"Mode &magasin"_s, u"Cocher les articles achetés au fil des rayons"_s,
          "Ctrl+M", 26);
    ligne("effacerCoches", "ListeCourses", u"&Effacer les coches"_s, u"Décocher toute la liste de courses"_s,
          "Ctrl+Shift+M", 27);
    ligne("ordreMagasin", "ListeCourses", u"O&rdre du magasin..."_s,
          u"Ranger les rayons dans l'ordre où vous les parcourez"_s, "", 29);
    ligne("trierLCMagasin", "ListeCourses", u"&Trier dans l'ordre du magasin"_s,
          u"Trier la liste dans l'ordre de passage des rayons"_s, "Ctrl+Shift+T", 31);
    ligne("afficherAide", "", u"&Aide..."_s, u"Afficher l'aide de Vatrelix"_s, "F1", 29);
    ligne("rechercher", "Acticles", u"Rec&hercher un article"_s, u"Rechercher un article par son nom"_s, "Ctrl+F",
          10);
    ligne("apercuImpression", "ListeCourses", u"Aperçu &avant impression..."_s,
          u"Voir les pages de la liste avant de l'imprimer"_s, "Ctrl+Shift+P", 20);
    ligne("copierLC", "ListeCourses", u"&Copier la liste"_s, u"Copier la liste de courses en texte"_s, "Ctrl+C", 24);
    ligne("exporterLC", "ListeCourses", u"E&xporter la liste..."_s,
          u"Exporter la liste de courses pour un tableur ou en texte"_s, "Ctrl+E", 24);
    ligne("casesImpression", "ListeCourses", u"Cases à coc&her à l'impression"_s,
          u"Imprimer une case à cocher devant chaque article"_s, "", 20);
    ligne("annuler", "Edition", u"A&nnuler"_s, u"Annuler la dernière modification"_s, "Ctrl+Z", 28);
    ligne("retablir", "Edition", u"&Rétablir"_s, u"Rétablir la modification annulée"_s, "Ctrl+Y", 28);
}

void TestFormPrincipale::table_commandes()
{
    QFETCH(QString, nom);
    QFETCH(QString, categorie);
    QFETCH(QString, libelle);
    QFETCH(QString, hint);
    QFETCH(QString, raccourci);
    QFETCH(int, icone);

    const DefinitionCommande* c = TFormPrincipale::commande(nom);
    QVERIFY(c);
    QCOMPARE(c->categorie, categorie);
    QCOMPARE(c->icone, icone);
    QVERIFY(c->executer);
    // Le compagnon dit le hint de chaque commande qui en a un, et d'elles seules.
    QCOMPARE(c->bulle == Bulle::Dite, !hint.isEmpty());

    TFormPrincipale& f = creer();
    QAction* a = f.action(nom);
    QVERIFY(a);
    QCOMPARE(a->text(), libelle);
    QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), raccourci);
    if (!hint.isEmpty())
        QCOMPARE(a->toolTip(), hint);
    QVERIFY(!a->icon().isNull());
}

void TestFormPrincipale::table_ordreEtNombre()
{
    QStringList noms;
    for (const DefinitionCommande& c : TFormPrincipale::tableCommandes())
        noms << c.nom;
    const QStringList attendus{
        u"ajouterRayon"_s, u"choisirCouleurHaut"_s, u"ajouterRayonRacine"_s, u"choisirCouleurBas"_s,
        u"enregistrerConfigAppli"_s, u"quitter"_s, u"imprimer"_s, u"ouvrirListe"_s, u"nouvelleListe"_s,
        u"ajouterDansLC"_s, u"modifierNbLC"_s, u"supprimerDeLC"_s, u"fusionnerLignesLC"_s, u"importerLC"_s,
        u"modifierRayon"_s, u"supprimerRayon"_s, u"ajouterArticle"_s, u"modifierArticle"_s,
        u"supprimerArticle"_s, u"configurerOptions"_s, u"enregistrerBD"_s, u"enregistrerLC"_s,
        u"enregistrerLCSous"_s, u"importerBD"_s, u"rechargerBD"_s, u"repeindreTousDegrades"_s,
        u"majArbreRayons"_s, u"majListeArticles"_s, u"aPropos"_s, u"majLC"_s, u"trierLC"_s, u"modeMagasin"_s,
        u"effacerCoches"_s, u"ordreMagasin"_s, u"trierLCMagasin"_s, u"afficherAide"_s, u"rechercher"_s,
        u"apercuImpression"_s, u"copierLC"_s, u"exporterLC"_s, u"casesImpression"_s,
        u"annuler"_s, u"retablir"_s};
    QCOMPARE(noms, attendus);
    int hints = 0;
    for (const DefinitionCommande& c : TFormPrincipale::tableCommandes())
        hints += c.hint.isEmpty() ? 0 : 1;
    QCOMPARE(hints, 36);
}

void TestFormPrincipale::menus_etBarres_dansLOrdre()
{
    TFormPrincipale& f = creer();
    QStringList titres;
    for (const QMenu* m : f.ui.MainMenu1)
        titres << m->title();
    QCOMPARE(titres, (QStringList{u"&Fichier"_s, u"&Edition"_s, u"&Affichage"_s, u"&Outils"_s, u"&?"_s}));
    QCOMPARE(decrireMenu(f.ui.MainMenu1[0]),
             (QStringList{u"enregistrerBD"_s, u"importerBD"_s, u"rechargerBD"_s, u"-"_s, u"nouvelleListe"_s,
                          u"ouvrirListe"_s, u"enregistrerLC"_s, u"enregistrerLCSous"_s, u"importerLC"_s,
                          u">Listes ré&centes"_s, u"-"_s, u"exporterLC"_s, u"imprimer"_s, u"apercuImpression"_s,
                          u"casesImpression"_s, u"-"_s, u"quitter"_s}));
    QCOMPARE(decrireMenu(f.ui.MainMenu1[1]),
             (QStringList{u"annuler"_s, u"retablir"_s, u"-"_s, u">&Ajouter Rayon"_s, u"modifierRayon"_s, u"supprimerRayon"_s, u"-"_s,
                          u"ajouterArticle"_s, u"modifierArticle"_s, u"supprimerArticle"_s, u"-"_s,
                          u"rechercher"_s, u"copierLC"_s}));
    QCOMPARE(decrireMenu(f.ui.MainMenu1[2]),
             (QStringList{u">&Couleurs"_s, u"-"_s, u"modeMagasin"_s, u"effacerCoches"_s}));
    QCOMPARE(decrireMenu(f.ui.MainMenu1[3]),
             (QStringList{u"configurerOptions"_s, u"-"_s, u"ordreMagasin"_s, u"trierLCMagasin"_s}));
    QCOMPARE(decrireMenu(f.ui.MainMenu1[4]), (QStringList{u"afficherAide"_s, u"-"_s, u"aPropos"_s}));
    QCOMPARE(decrireMenu(f.ui.menuAjouterRayon), (QStringList{u"ajouterRayon"_s, u"ajouterRayonRacine"_s}));
    QCOMPARE(decrireMenu(f.ui.menuCouleurs), (QStringList{u"choisirCouleurHaut"_s, u"choisirCouleurBas"_s}));

    // Le menu n'existe que par barreOutilsMenu : des boutons qui déroulent leur sous-menu.
    QStringList boutons;
    for (QAction* a : f.ui.barreOutilsMenu->actions()) {
        auto* bouton = qobject_cast<QToolButton*>(f.ui.barreOutilsMenu->widgetForAction(a));
        QVERIFY(bouton);
        QCOMPARE(bouton->popupMode(), QToolButton::InstantPopup);
        QCOMPARE(bouton->size(), QSize(69, 21));
        boutons << a->text();
    }
    QCOMPARE(boutons, titres);

    QCOMPARE(decrireBarre(f.ui.barreOutilsPrincipale),
             (QStringList{u"enregistrerBD"_s, u"importerBD"_s, u"rechargerBD"_s, u"|8"_s, u"btlAjouterRayon"_s,
                          u"modifierRayon"_s, u"supprimerRayon"_s, u"|9"_s, u"ajouterArticle"_s,
                          u"modifierArticle"_s, u"supprimerArticle"_s, u"|11"_s, u"btAffichageGeneral"_s,
                          u"configurerOptions"_s}));
    QCOMPARE(decrireBarre(f.ui.barreOutilsRayons),
             (QStringList{u"ajouterArticle"_s, u"modifierArticle"_s, u"supprimerArticle"_s, u"|22"_s,
                          u"ajouterDansLC"_s}));
    QCOMPARE(decrireBarre(f.ui.barreOutilsLC),
             (QStringList{u"ajouterDansLC"_s, u"modifierNbLC"_s, u"supprimerDeLC"_s, u"|8"_s,
                          u"fusionnerLignesLC"_s, u"trierLC"_s, u"importerLC"_s, u"|22"_s, u"nouvelleListe"_s,
                          u"ouvrirListe"_s, u"enregistrerLC"_s, u"enregistrerLCSous"_s, u"|8"_s,
                          u"imprimer"_s}));

    // Les deux boutons déroulants : le sous-menu, l'icône, aucune commande liée.
    QCOMPARE(f.ui.btlAjouterRayon->menu(), f.ui.menuAjouterRayon);
    QCOMPARE(f.ui.btAffichageGeneral->menu(), f.ui.menuCouleurs);
    QCOMPARE(f.ui.btlAjouterRayon->text(), u"&Ajouter Rayon"_s);
    QCOMPARE(f.ui.btAffichageGeneral->text(), u"&Couleurs"_s);
    QVERIFY(!f.ui.btlAjouterRayon->defaultAction());
    QVERIFY(!f.ui.btAffichageGeneral->defaultAction());
}

void TestFormPrincipale::commandesSansMenuNiBouton()
{
    TFormPrincipale& f = creer();
    QSet<QString> dansMenus, dansBarres;
    QList<const QMenu*> menus(f.ui.MainMenu1.cbegin(), f.ui.MainMenu1.cend());
    menus << f.ui.menuAjouterRayon << f.ui.menuCouleurs;
    for (const QMenu* m : menus)
        for (const QString& e : decrireMenu(m))
            dansMenus.insert(e);
    for (QToolBar* b : {f.ui.barreOutilsPrincipale, f.ui.barreOutilsRayons, f.ui.barreOutilsLC})
        for (const QString& e : decrireBarre(b))
            dansBarres.insert(e);

    QStringList sansMenu, sansRien;
    for (const DefinitionCommande& c : TFormPrincipale::tableCommandes()) {
        if (!dansMenus.contains(c.nom))
            sansMenu << c.nom;
        if (!dansMenus.contains(c.nom) && !dansBarres.contains(c.nom))
            sansRien << c.nom;
    }
    QCOMPARE(sansRien, (QStringList{u"enregistrerConfigAppli"_s, u"repeindreTousDegrades"_s, u"majArbreRayons"_s,
                                    u"majListeArticles"_s, u"majLC"_s}));
    QCOMPARE(sansMenu, (QStringList{u"enregistrerConfigAppli"_s, u"ajouterDansLC"_s,
                                    u"modifierNbLC"_s, u"supprimerDeLC"_s, u"fusionnerLignesLC"_s,
                                    u"repeindreTousDegrades"_s, u"majArbreRayons"_s, u"majListeArticles"_s,
                                    u"majLC"_s, u"trierLC"_s}));
}

void TestFormPrincipale::raccourcis_seulsCeuxDeLaTable()
{
    TFormPrincipale& f = creer();
    QStringList raccourcis;
    for (QAction* a : f.actions()) {
        if (a->shortcut().isEmpty())
            continue;
        raccourcis << a->shortcut().toString(QKeySequence::PortableText);
        // Présente sur la fenêtre : le raccourci vaut sans élément de menu.
        QCOMPARE(a->shortcutContext(), Qt::WindowShortcut);
    }
    raccourcis.sort();
    QCOMPARE(raccourcis, (QStringList{u"Ctrl+Alt+I"_s, u"Ctrl+Alt+O"_s, u"Ctrl+Alt+S"_s, u"Ctrl+C"_s, u"Ctrl+E"_s,
                                      u"Ctrl+F"_s, u"Ctrl+I"_s, u"Ctrl+M"_s, u"Ctrl+N"_s, u"Ctrl+O"_s, u"Ctrl+P"_s,
                                      u"Ctrl+R"_s, u"Ctrl+S"_s, u"Ctrl+Shift+M"_s, u"Ctrl+Shift+P"_s,
                                      u"Ctrl+Shift+T"_s, u"Ctrl+T"_s, u"Ctrl+Y"_s, u"Ctrl+Z"_s, u"F1"_s}));
}

void TestFormPrincipale::raccourci_sansMenu_agit()
{
    copierBase();
    TFormPrincipale& f = demarrer();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    f.ecrireStatut(QString());
    b->horloge->fixer(QDateTime(QDate(2006, 3, 15), QTime(9, 0, 0)));
    // Ctrl+Alt+O : rechargerBD, qui n'a pas d'élément de menu ouvert à l'écran.
    QTest::keyClick(&f, Qt::Key_O, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(f.texteStatut(), u"Chargement de la base... Terminé ! [15/03/2006 09:00:00]"_s);
}

void TestFormPrincipale::disposition_tagsEtColonnes()
{
    TFormPrincipale& f = creer();
    QCOMPARE(f.windowTitle(), u"Tavelquirn - Vatrelix 2006"_s);
    QCOMPARE(f.size(), QSize(690, 474));
    QCOMPARE(f.ui.arbreRayon->property("tag").toInt(), 1);
    QCOMPARE(f.ui.listeArticles->property("tag").toInt(), 2);
    QCOMPARE(f.ui.lvListeCourses->property("tag").toInt(), 3);
    QCOMPARE(f.ui.arbreRayon->indentation(), 19);
    QCOMPARE(f.ui.arbreRayon->palette().color(QPalette::Base), QColor(0xFF, 0xFB, 0xF0));
    QCOMPARE(f.ui.lvListeCourses->columnWidth(ColLCRayon), 2);
    QCOMPARE(f.ui.lvListeCourses->model()->headerData(ColLCTotal, Qt::Horizontal).toString(), u"Total"_s);
    QCOMPARE(f.ui.titreRayons->height(), 20);
    QCOMPARE(f.ui.barreFactureLC->height(), 17);
    QCOMPARE(f.ui.barreProgression->width(), 200);
    QVERIFY(f.ui.barreProgression->isHidden());
    QCOMPARE(f.texteProgression(), u"0"_s);
    QCOMPARE(f.font().pointSize(), 8);
    QVERIFY(f.ui.barreStatusP1->font().bold());
}

// ---------------------------------------------------------------- démarrage

void TestFormPrincipale::demarrage_baseListePuisCompagnon()
{
    copierBase();
    const QString liste = b->env->chemin(QStringLiteral("semaine.lvtx"));
    ecrireOctetsBruts(liste, lignesCRLF(lignesListe));
    ecrireConfig({u"$008080FF"_s, u"$0000009B"_s, u"clWhite"_s, liste, u"-1"_s, u"Sam"_s});

    TFormPrincipale& f = creer();
    // Nombre de requêtes du compagnon au moment où l'arbre, puis la liste, se remplissent.
    int appelsArbre = -1, appelsListe = -1;
    connect(f.ui.modeleArbreRayon, &QStandardItemModel::rowsInserted, this,
            [&] { if (appelsArbre < 0) appelsArbre = int((*b->serveur)->appels().size()); });
    connect(f.ui.lvListeCourses->model(), &QAbstractItemModel::rowsInserted, this,
            [&] { if (appelsListe < 0) appelsListe = int((*b->serveur)->appels().size()); });
    f.show();
    QTRY_VERIFY(f.demarrageTermine());

    QCOMPARE(appelsArbre, 0);
    QCOMPARE(appelsListe, 0);
    QCOMPARE(f.ui.modeleArbreRayon->rowCount(), 15);
    QCOMPARE(f.ui.modeleArbreRayon->item(0)->text(), u"Animaux"_s);
    QCOMPARE(b->dm->listeCourses, lignesListe);
    QCOMPARE(f.ui.lvListeCourses->model()->rowCount(), 2);
    QCOMPARE(f.ui.barreFactureLC->hint(), u"3 articles - Total : 2,73 €"_s);
    QCOMPARE(f.texteStatut(), u"Chargement de la base... Terminé ! ["_s + horodatageTest + u']');
    QVERIFY(f.ui.barreProgression->isHidden());
    QVERIFY(b->interactions->questions.isEmpty());

    // Puis le compagnon : chargé, montré, salué, dans cet ordre.
    QVERIFY(compagnonAffiche);
    const QStringList seq = (*b->serveur)->sequence();
    const qsizetype load = seq.indexOf(u"Load"_s);
    const qsizetype show = seq.indexOf(u"Show"_s);
    const qsizetype wave = seq.indexOf(u"Play"_s);
    const qsizetype speak = seq.indexOf(u"Speak"_s);
    QVERIFY(load >= 0);
    QVERIFY(load < show && show < wave && wave < speak);
    QCOMPARE((*b->serveur)->appelsDe(u"Play"_s).first().arguments.first().toString(), u"Wave"_s);
    QVERIFY((*b->serveur)->appelsDe(u"Speak"_s).first().arguments.first().toString().contains(
        u"Bonjour et bienvenue dans Vatrelix 2006."_s));
}

void TestFormPrincipale::demarrage_compagnonEteint_aucuneRequete()
{
    copierBase();
    ecrireConfig({u"$008080FF"_s, u"$0000009B"_s, u"clWhite"_s, {}, u"0"_s, u"Sam"_s});
    TFormPrincipale& f = demarrer();
    QVERIFY(!compagnonAffiche);
    QVERIFY((*b->serveur)->appels().isEmpty());
    // Liste vide : seul le rafraîchissement a lieu.
    QCOMPARE(f.ui.barreFactureLC->hint(), u"0 articles - Total : 0,00 €"_s);
    QCOMPARE(f.totalLC, 0.0);
}

void TestFormPrincipale::demarrage_compagnonPlaceApresLaFenetre()
{
    copierBase();
    ecrireConfig({u"$008080FF"_s, u"$0000009B"_s, u"clWhite"_s, {}, u"-1"_s, u"Sam"_s});
    TFormPrincipale& f = creer();
    f.ui.timerDemarrage->stop();
    f.show();
    // Le minuteur bat avant que la fenêtre soit exposée…
    QVERIFY(!f.windowHandle()->isExposed());
    f.executer(&TFormPrincipale::timerDemarrageTimer);
    // …puis le gestionnaire de fenêtres la pose sous sa barre de titre. La base n'est lue
    // qu'une fois la fenêtre exposée, donc peinte.
    f.move(f.pos() + QPoint(0, 20));
    QCOMPARE(f.ui.modeleArbreRayon->rowCount(), 0);
    QTRY_VERIFY(f.demarrageTermine());
    QCOMPARE(f.ui.modeleArbreRayon->rowCount(), 15);
    QCOMPARE((*b->serveur)->nombre(u"MoveTo"_s), 1);
    const QWidget* panneau = f.ui.panelCommandesListeCourses;
    const QPoint o = panneau->mapToGlobal(QPoint(0, 0));
    const AppelAgent deplacement = (*b->serveur)->appelsDe(u"MoveTo"_s).first();
    QCOMPARE(deplacement.arguments.at(0).toInt(), o.x() + panneau->width() + 5);
    QCOMPARE(deplacement.arguments.at(1).toInt(), int(o.y() + panneau->height() / 2 - 128 * 0.133));
    // Salué après le placement, comme au démarrage ordinaire.
    QCOMPARE((*b->serveur)->appelsDe(u"Play"_s).value(0).arguments.value(0).toString(), u"Wave"_s);
}

void TestFormPrincipale::demarrage_derniereListe_data()
{
    QTest::addColumn<QString>("genre");
    QTest::newRow("disparue") << u"absente"_s;
    QTest::newRow("mal formee") << u"sans separateur"_s;
    QTest::newRow("tube nommé") << u"tube"_s;
    QTest::newRow("ligne démesurée") << u"longue"_s;
}

// Dernière liste illisible pour quelque raison que ce soit : signalée une fois, chemin oublié,
// liste vide, et le démarrage va jusqu'au salut.
void TestFormPrincipale::demarrage_derniereListe()
{
    QFETCH(QString, genre);
    copierBase();
    const QString liste = b->env->chemin(u"partie.lvtx"_s);
    if (genre == u"tube")
        QCOMPARE(::mkfifo(QFile::encodeName(liste).constData(), 0600), 0);
    else if (genre == u"longue")
        ecrireOctetsBruts(liste, "1|" + QByteArray(5000, 'x') + "|-|R|1,00 \x80|1,00 \x80\r\n");
    else if (genre != u"absente")
        ecrireOctetsBruts(liste, genre.toLatin1() + "\r\n");
    ecrireConfig({u"$008080FF"_s, u"$0000009B"_s, u"clWhite"_s, liste, u"-1"_s, u"Sam"_s});
    TFormPrincipale& f = demarrer();
    QCOMPARE(b->interactions->questionsDe(GenreQuestion::Erreur).size(), 1);
    QVERIFY(b->interactions->questionsDe(GenreQuestion::Erreur).first().texte.contains(liste));
    QVERIFY(f.reglages.fichierLC.isEmpty());
    QVERIFY(b->dm->listeCourses.isEmpty());
    QCOMPARE(f.ui.lvListeCourses->model()->rowCount(), 0);
    QCOMPARE((*b->serveur)->nombre(u"Show"_s), 1);
    QVERIFY((*b->serveur)->nombre(u"Speak"_s) >= 1);
    detruire();
    const QList<QByteArray> lignes = lireOctetsBruts(b->env->chemin(u"Vatrelix.conf"_s)).split('\n');
    QCOMPARE(lignes.value(3), QByteArray("\r"));
}

void TestFormPrincipale::demarrage_listeDemandee_data()
{
    QTest::addColumn<bool>("lisible");
    QTest::addColumn<bool>("laDerniere");
    QTest::newRow("lisible") << true << false;
    QTest::newRow("lisible, la dernière") << true << true;
    QTest::newRow("absente : la dernière à la place") << false << false;
    QTest::newRow("absente, la dernière : dit une fois") << false << true;
}

// La liste de la ligne de commande s'ouvre à la place de la dernière, comme par la commande
// Ouvrir ; absente, elle est signalée comme par cette commande et le démarrage continue.
void TestFormPrincipale::demarrage_listeDemandee()
{
    QFETCH(bool, lisible);
    QFETCH(bool, laDerniere);
    copierBase();
    const QString demandee = b->env->chemin(u"demandee.lvtx"_s);
    const QString derniere = laDerniere ? demandee : b->env->chemin(u"derniere.lvtx"_s);
    const QStringList lignesDerniere{lignesListe.first()};
    if (!laDerniere)
        ecrireOctetsBruts(derniere, lignesCRLF(lignesDerniere));
    if (lisible)
        ecrireOctetsBruts(demandee, lignesCRLF(lignesListe));
    ecrireConfig({u"$008080FF"_s, u"$0000009B"_s, u"clWhite"_s, derniere, u"0"_s, u"Sam"_s});
    creer().ouvrirAuDemarrage(demandee);
    TFormPrincipale& f = b->f();
    f.show();
    QTRY_VERIFY(f.demarrageTermine());

    const QList<QuestionPosee> erreurs = b->interactions->questionsDe(GenreQuestion::Erreur);
    QVERIFY(b->interactions->messages().isEmpty());
    if (lisible) {
        QVERIFY(erreurs.isEmpty());
        QCOMPARE(b->dm->listeCourses, lignesListe);
        QCOMPARE(f.reglages.fichierLC, demandee);
        QCOMPARE(f.windowTitle(), u"demandee.lvtx - Tavelquirn - Vatrelix 2006"_s);
        QCOMPARE(TFormPrincipale::listesRecentes().value(0), demandee);
        return;
    }
    QCOMPARE(erreurs.size(), 1);
    QCOMPARE(b->dm->listeCourses, laDerniere ? QStringList() : lignesDerniere);
    QCOMPARE(f.reglages.fichierLC, laDerniere ? QString() : derniere);
    // Le message même de la commande Ouvrir sur ce fichier.
    b->interactions->repondreFichier(demandee);
    f.action(u"ouvrirListe"_s)->trigger();
    QCOMPARE(b->interactions->questionsDe(GenreQuestion::Erreur).value(1).texte, erreurs.first().texte);
}

// ---------------------------------------------------------------- sortie

void TestFormPrincipale::sortie_data()
{
    QTest::addColumn<QList<ReponseMessage>>("reponses");
    QTest::addColumn<bool>("parFermeture");
    QTest::addColumn<bool>("listeModifiee");
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("baseEnregistree");
    QTest::addColumn<bool>("terminee");

    using R = ReponseMessage;
    for (bool fermeture : {false, true}) {
        const QByteArray par = fermeture ? " (fermeture)" : " (commande)";
        QTest::newRow("annuler" + par) << QList<R>{R::Annuler} << fermeture << true << 1 << false << false;
        QTest::newRow("non annuler" + par) << QList<R>{R::Non, R::Annuler} << fermeture << true << 2 << false << false;
        QTest::newRow("oui annuler" + par) << QList<R>{R::Oui, R::Annuler} << fermeture << true << 2 << true << false;
        QTest::newRow("non non" + par) << QList<R>{R::Non, R::Non} << fermeture << true << 2 << false << true;
        QTest::newRow("oui non" + par) << QList<R>{R::Oui, R::Non} << fermeture << true << 2 << true << true;
        // Liste inchangée depuis son ouverture : seule la base est demandée.
        QTest::newRow("liste inchangée" + par) << QList<R>{R::Non} << fermeture << false << 1 << false << true;
    }
}

void TestFormPrincipale::sortie()
{
    QFETCH(QList<ReponseMessage>, reponses);
    QFETCH(bool, parFermeture);
    QFETCH(bool, listeModifiee);
    QFETCH(int, questions);
    QFETCH(bool, baseEnregistree);
    QFETCH(bool, terminee);

    copierBase();
    ecrireConfig({u"$008080FF"_s, u"$0000009B"_s, u"clWhite"_s, {}, u"-1"_s, u"Sam"_s});
    TFormPrincipale& f = demarrer();
    b->dm->ajouterRayonRacine(u"Nouveau rayon"_s);
    if (listeModifiee)
        b->dm->listeCourses = lignesListe;
    (*b->serveur)->oublierAppels();
    for (ReponseMessage r : reponses)
        b->interactions->repondre(r);

    if (parFermeture)
        QCOMPARE(f.close(), terminee);
    else
        f.action(u"quitter"_s)->trigger();

    QCOMPARE(b->interactions->messages().size(), questions);
    QCOMPARE(b->interactions->messages().value(0),
             u"Voulez-vous enregistrer les modifications apportées à la base d'articles ?"_s);
    if (questions > 1)
        QCOMPARE(b->interactions->messages().value(1),
                 u"Voulez-vous enregistrer les modifications apportées à la liste de courses ?"_s);
    QCOMPARE(b->interactions->questions.first().boutons, BoutonsMessage::OuiNonAnnuler);
    // Entrée seule ne perd ni n'écrase rien.
    for (const QuestionPosee& q : std::as_const(b->interactions->questions))
        QCOMPARE(q.defautMessage, ReponseMessage::Annuler);
    QCOMPARE(lireOctetsBruts(b->env->chemin(u"baseVatrelix.xml"_s)).contains("Nouveau rayon"), baseEnregistree);
    QCOMPARE(f.terminaisonDemandee(), terminee);
    // Le compagnon salue de la main d'abord, dans tous les cas.
    QCOMPARE((*b->serveur)->appelsDe(u"Play"_s).value(0).arguments.value(0).toString(), u"Wave"_s);
    QCOMPARE((*b->serveur)->nombre(u"Hide"_s), terminee ? 1 : 0);
    QCOMPARE(b->horloge->totalAttendu(), terminee ? 3000 : 0);
    if (terminee) {
        QCOMPARE(f.texteStatut(), u"Fermeture du compagnon... Veuillez patienter"_s);
        QCOMPARE(f.texteProgression(), u"100"_s);
        QVERIFY(f.ui.barreProgression->isHidden());
    } else {
        QVERIFY(f.isVisible());
    }
}

void TestFormPrincipale::sortie_fermeturePendantLaQuestion_uneSeuleSequence()
{
    copierBase();
    TFormPrincipale& f = demarrer();
    InteractionsFermantLaFenetre* interactions = b->interactions.get();
    interactions->fenetre = &f;
    interactions->repondre(ReponseMessage::Non);
    interactions->repondre(ReponseMessage::Non);
    b->dm->listeCourses = lignesListe;

    QVERIFY(f.close());
    QCOMPARE(interactions->fermeturesRefusees, 1);
    QCOMPARE(interactions->messages().size(), 2);
    QCOMPARE(interactions->inattendues, 0);
    QVERIFY(f.terminaisonDemandee());
    QCOMPARE((*b->serveur)->nombre(u"Hide"_s), 1);
}

void TestFormPrincipale::sortie_commandesPendantLeDepart_refusees()
{
    copierBase();
    ecrireConfig({u"$008080FF"_s, u"$0000009B"_s, u"clWhite"_s, {}, u"-1"_s, u"Sam"_s});
    TFormPrincipale& f = demarrer();
    b->dm->ajouterRayonRacine(u"Nouveau rayon"_s);
    b->dm->listeCourses = lignesListe;
    (*b->serveur)->oublierAppels();
    b->interactions->repondre(ReponseMessage::Non);
    b->interactions->repondre(ReponseMessage::Non);
    // L'attente du départ sert la boucle : ce qui s'y présente ne doit rien lancer.
    bool fermee = true;
    b->horloge->pendantPatience = [&](int) {
        f.action(u"quitter"_s)->trigger();
        f.action(u"enregistrerBD"_s)->trigger();
        fermee = f.close();
    };
    f.action(u"quitter"_s)->trigger();
    QCOMPARE(b->horloge->nombrePatiences(), 1);
    QVERIFY(!fermee);
    QCOMPARE(b->interactions->messages().size(), 2);
    QCOMPARE((*b->serveur)->nombre(u"Hide"_s), 1);
    QVERIFY(!lireOctetsBruts(b->env->chemin(u"baseVatrelix.xml"_s)).contains("Nouveau rayon"));
    QCOMPARE(f.texteStatut(), u"Fermeture du compagnon... Veuillez patienter"_s);
    QVERIFY(f.terminaisonDemandee());
}

// ---------------------------------------------------------------- base

void TestFormPrincipale::recharger_abandonneLesModificationsSansQuestion()
{
    copierBase();
    TFormPrincipale& f = demarrer();
    b->dm->ajouterRayonRacine(u"Temporaire"_s);
    f.majArbreRayonsExecute();
    QCOMPARE(f.ui.modeleArbreRayon->rowCount(), 16);
    b->horloge->fixer(QDateTime(QDate(2006, 3, 14), QTime(11, 0, 5)));
    f.action(u"rechargerBD"_s)->trigger();
    QCOMPARE(b->dm->listeRayons.size(), 15);
    QCOMPARE(f.ui.modeleArbreRayon->rowCount(), 15);
    QVERIFY(b->interactions->questions.isEmpty());
    QCOMPARE(f.texteStatut(), u"Chargement de la base... Terminé ! [14/03/2006 11:00:05]"_s);
    QVERIFY(f.ui.barreProgression->isHidden());
    QCOMPARE(f.ui.listeArticles->topLevelItemCount(), 0);
}

void TestFormPrincipale::recharger_baseIllisible_statutEtJaugeRestent()
{
    ecrireOctetsBruts(b->env->chemin(u"baseVatrelix.xml"_s), "<Vatrelix_BASE><RACINE><listeRayons>");
    const QString liste = b->env->chemin(QStringLiteral("semaine.lvtx"));
    ecrireOctetsBruts(liste, lignesCRLF(lignesListe));
    ecrireConfig({u"$008080FF"_s, u"$0000009B"_s, u"clWhite"_s, liste, u"-1"_s, u"Sam"_s});
    TFormPrincipale& f = demarrer();
    QCOMPARE(b->interactions->questionsDe(GenreQuestion::Erreur).size(), 1);
    // Deux espaces avant le crochet ; la jauge reste visible à son dernier pourcentage.
    QCOMPARE(f.texteStatut(), u"Chargement de la base...  ["_s + horodatageTest + u']');
    QVERIFY(!f.ui.barreProgression->isHidden());
    QVERIFY(f.baseNonChargee());
    // L'échec arrête le démarrage : ni liste rouverte, ni compagnon.
    QVERIFY(b->dm->listeCourses.isEmpty());
    QVERIFY((*b->serveur)->appels().isEmpty());
}

void TestFormPrincipale::enregistrer_statutGardeLHeure()
{
    copierBase();
    TFormPrincipale& f = demarrer();
    b->horloge->fixer(QDateTime(QDate(2006, 3, 14), QTime(12, 34, 56)));
    f.action(u"enregistrerBD"_s)->trigger();
    QCOMPARE(f.texteStatut(), u"Enregistrement de la base... [14/03/2006 12:34:56]"_s);
    QVERIFY(f.ui.barreProgression->isHidden());
    QVERIFY(b->interactions->questions.isEmpty());
}

void TestFormPrincipale::baseNonChargee_enregistrer_demandeConfirmation_data()
{
    QTest::addColumn<ReponseMessage>("reponse");
    QTest::addColumn<bool>("ecrasee");
    QTest::newRow("non : fichier intact") << ReponseMessage::Non << false;
    QTest::newRow("oui : fichier remplace") << ReponseMessage::Oui << true;
}

void TestFormPrincipale::baseNonChargee_enregistrer_demandeConfirmation()
{
    QFETCH(ReponseMessage, reponse);
    QFETCH(bool, ecrasee);
    const QByteArray illisible = "<Vatrelix_BASE><RACINE><listeRayons>";
    ecrireOctetsBruts(b->env->chemin(u"baseVatrelix.xml"_s), illisible);
    TFormPrincipale& f = demarrer();
    b->interactions->repondre(reponse);
    f.action(u"enregistrerBD"_s)->trigger();
    QCOMPARE(b->interactions->messages().size(), 1);
    QVERIFY(b->interactions->messages().first().contains(u"n'a pas pu être chargée"_s));
    QCOMPARE(lireOctetsBruts(b->env->chemin(u"baseVatrelix.xml"_s)) != illisible, ecrasee);
    QCOMPARE(f.baseNonChargee(), !ecrasee);
}

// Un écrasement refusé vaut un enregistrement raté : la sortie s'arrête, rien n'est perdu.
void TestFormPrincipale::baseNonChargee_sortie_oui_nEcrasePasEtResteOuvert()
{
    const QByteArray illisible = "<Vatrelix_BASE><RACINE><listeRayons>";
    ecrireOctetsBruts(b->env->chemin(u"baseVatrelix.xml"_s), illisible);
    TFormPrincipale& f = demarrer();
    // Oui à « enregistrer la base ? », Non à « écraser ? ».
    b->interactions->repondre(ReponseMessage::Oui);
    b->interactions->repondre(ReponseMessage::Non);
    f.action(u"quitter"_s)->trigger();
    QCOMPARE(b->interactions->messages().size(), 2);
    QCOMPARE(b->interactions->questions.last().defautMessage, ReponseMessage::Non);
    QCOMPARE(lireOctetsBruts(b->env->chemin(u"baseVatrelix.xml"_s)), illisible);
    QVERIFY(!f.terminaisonDemandee());
}

void TestFormPrincipale::enregistrerBase_protections_data()
{
    QTest::addColumn<QString>("cas");
    QTest::addColumn<bool>("ecrite");
    QTest::newRow("disque plein") << u"plein"_s << false;
    QTest::newRow("changée ailleurs, non") << u"changée-non"_s << false;
    QTest::newRow("changée ailleurs, oui") << u"changée-oui"_s << true;
    QTest::newRow("effacée ailleurs : rien à perdre") << u"effacée"_s << true;
}

// Un enregistrement qui échoue ne s'annonce pas réussi et laisse l'ancien fichier ; un fichier
// changé sur le disque par un autre programme n'est écrasé qu'avec l'accord de l'utilisateur.
void TestFormPrincipale::enregistrerBase_protections()
{
    QFETCH(QString, cas);
    QFETCH(bool, ecrite);
    copierBase();
    TFormPrincipale& f = demarrer();
    b->dm->ajouterRayonRacine(u"Nouveau rayon"_s);
    const QString base = b->env->chemin(u"baseVatrelix.xml"_s);
    QByteArray avant = lireOctetsBruts(base);
    if (cas == u"plein") {
        const DisquePlein plein(4);
        f.action(u"enregistrerBD"_s)->trigger();
    } else {
        if (cas == u"effacée") {
            QVERIFY(QFile::remove(base));
        } else {
            avant = "<Vatrelix_BASE><RACINE><listeRayons/></RACINE></Vatrelix_BASE>";
            ecrireOctetsBruts(base, avant);
            b->interactions->repondre(cas.endsWith(u"oui") ? ReponseMessage::Oui : ReponseMessage::Non);
        }
        f.action(u"enregistrerBD"_s)->trigger();
    }
    QCOMPARE(lireOctetsBruts(base).contains("Nouveau rayon"), ecrite);
    if (!ecrite)
        QCOMPARE(lireOctetsBruts(base), avant);
    if (cas == u"plein") {
        QCOMPARE(b->interactions->questionsDe(GenreQuestion::Erreur).size(), 1);
        QVERIFY2(f.texteStatut().contains(u"Échec"_s), qPrintable(f.texteStatut()));
        QVERIFY(f.texteProgression() != u"100"_s);
    } else if (cas.startsWith(u"changée")) {
        QCOMPARE(b->interactions->messages().size(), 1);
        QVERIFY(b->interactions->messages().first().contains(u"modifié sur le disque"_s));
        QCOMPARE(b->interactions->questions.first().defautMessage, ReponseMessage::Non);
    } else {
        QVERIFY(b->interactions->questions.isEmpty());
    }
}

// Octets de contrôle dans la configuration : le programme démarre, la ligne d'état le dit.
void TestFormPrincipale::demarrage_configurationAbimee_demarreEtLeDit()
{
    copierBase();
    ecrireOctetsBruts(b->env->chemin(u"Vatrelix.conf"_s), QByteArray("$00FF8000\r\n\x01\x02\0\r\nclWhite\r\n", 25));
    TFormPrincipale& f = demarrer();
    QVERIFY(b->interactions->questions.isEmpty());
    QCOMPARE(b->dm->listeRayons.size(), 15);
    QVERIFY2(f.texteStatut().contains(u"ligne 2 "_s), qPrintable(f.texteStatut()));
    QCOMPARE(f.reglages.couleurHaut, RGBCouleur(0, 128, 255));
    QCOMPARE(f.reglages.couleurBas, clBlack);
}

// ---------------------------------------------------------------- configuration

void TestFormPrincipale::configuration_apresExecution_data()
{
    QTest::addColumn<QByteArray>("avant"); // vide : pas de fichier
    QTest::addColumn<bool>("choisirHaut");
    QTest::addColumn<QByteArray>("apres");
    QTest::addColumn<bool>("disquePlein"); // à la destruction : la boîte standard le dit

    QTest::newRow("sans fichier : les six valeurs par défaut")
        << QByteArray() << false << QByteArray("$008080FF\r\n$0000009B\r\nclWhite\r\n\r\n-1\r\nSam\r\n")
        << false;
    QTest::newRow("septième ligne gardée, booléen réécrit")
        << QByteArray("$008080FF\n$0000009B\nclWhite\n\ntrue\nMerlin\n\xE0 garder\n") << false
        << QByteArray("$008080FF\r\n$0000009B\r\nclWhite\r\n\r\n-1\r\nMerlin\r\n\xE0 garder\r\n") << false;
    QTest::newRow("couleur choisie écrite en hexadécimal")
        << QByteArray() << true << QByteArray("$00FF8000\r\n$0000009B\r\nclWhite\r\n\r\n-1\r\nSam\r\n")
        << false;
    QTest::newRow("disque plein : l'ancien fichier reste, l'erreur est dite")
        << QByteArray("$008080FF\n$0000009B\nclWhite\n\ntrue\nMerlin\n") << true
        << QByteArray("$008080FF\n$0000009B\nclWhite\n\ntrue\nMerlin\n") << true;
}

void TestFormPrincipale::configuration_apresExecution()
{
    QFETCH(QByteArray, avant);
    QFETCH(bool, choisirHaut);
    QFETCH(QByteArray, apres);
    QFETCH(bool, disquePlein);
    const QString chemin = b->env->chemin(u"Vatrelix.conf"_s);
    if (!avant.isEmpty())
        ecrireOctetsBruts(chemin, avant);
    TFormPrincipale& f = creer();
    // Rien n'est écrit avant la destruction de la fenêtre.
    QCOMPARE(lireOctetsBruts(chemin), avant);
    if (choisirHaut) {
        b->interactions->repondreCouleur(RGBCouleur(0, 128, 255));
        f.action(u"choisirCouleurHaut"_s)->trigger();
    }
    {
        std::optional<DisquePlein> plein;
        if (disquePlein)
            plein.emplace(4);
        detruire();
    }
    QCOMPARE(lireOctetsBruts(chemin), apres);
    QCOMPARE(b->interactions->questionsDe(GenreQuestion::Erreur).size(), disquePlein ? 1 : 0);
}

// ---------------------------------------------------------------- peinture

void TestFormPrincipale::degrade_titreEtMenu_rangeesAttendues()
{
    TFormPrincipale& f = creer();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const QImage titre = f.ui.titreRayons->grab().toImage();
    QCOMPARE(titre.height(), 20);
    QCOMPARE(titre.pixel(1, 19), rgb(155, 0, 0));
    QCOMPARE(titre.pixel(1, 10), rgb(200, 54, 54));
    QCOMPARE(titre.pixel(1, 0), rgb(250, 114, 114));
    // La barre de menus va du rouge sombre en haut au saumon en bas : le seul dégradé inversé.
    const QImage menu = f.ui.barreOutilsMenu->grab().toImage();
    const int x = menu.width() - 2;
    QCOMPARE(menu.pixel(x, 23), rgb(255, 128, 128));
    QCOMPARE(menu.pixel(x, 0), rgb(255 - 23 * 4, 128 - 23 * 5, 128 - 23 * 5));
    const QImage principale = f.ui.barreOutilsPrincipale->grab().toImage();
    QCOMPARE(principale.pixel(principale.width() - 2, 23), rgb(155, 0, 0));
    // Barres des articles et de la liste : blanc vers la couleur système 27, sans les couleurs choisies.
    const QImage lc = f.ui.barreOutilsLC->grab().toImage();
    QCOMPARE(lc.pixel(lc.width() - 1, lc.height() - 1), versQRgb(ColorToRGB(clGradientActiveCaption)) | 0xFF000000u);
}

void TestFormPrincipale::degrade_titreSaisi_data()
{
    QTest::addColumn<int>("haut");
    QTest::addColumn<int>("bas");
    QTest::addColumn<int>("hauteur");
    QTest::addColumn<int>("y");
    QTest::addColumn<uint>("attendu");
    QTest::newRow("egales") << 0x00336699 << 0x00336699 << 20 << 0 << uint(rgb(0x99, 0x66, 0x33));
    // (0 - 155) div 20 = -7 : tronqué vers zéro.
    QTest::newRow("inverse haut") << 0x00000000 << 0x0000009B << 20 << 0 << uint(rgb(155 - 19 * 7, 0, 0));
    QTest::newRow("inverse bas") << 0x00000000 << 0x0000009B << 20 << 19 << uint(rgb(155, 0, 0));
    QTest::newRow("hauteur 1") << 0x008080FF << 0x0000009B << 1 << 0 << uint(rgb(155, 0, 0));
}

void TestFormPrincipale::degrade_titreSaisi()
{
    QFETCH(int, haut);
    QFETCH(int, bas);
    QFETCH(int, hauteur);
    QFETCH(int, y);
    QFETCH(uint, attendu);
    TFormPrincipale& f = creer();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.reglages.couleurHaut = haut;
    f.reglages.couleurBas = bas;
    f.ui.titreListeCourses->setFixedHeight(hauteur);
    f.ui.titreListeCourses->resize(f.ui.titreListeCourses->width(), hauteur);
    const QImage image = f.ui.titreListeCourses->grab().toImage();
    QCOMPARE(image.height(), hauteur);
    QCOMPARE(QString::number(image.pixel(1, y), 16), QString::number(attendu, 16));
}

void TestFormPrincipale::jauge_largeurRemplie_data()
{
    QTest::addColumn<int>("largeur");
    QTest::addColumn<int>("pourcentage");
    QTest::addColumn<int>("remplie");
    QTest::newRow("200 à 50") << 200 << 50 << 100;
    QTest::newRow("250 à 100 : bande jamais remplie") << 250 << 100 << 200;
    QTest::newRow("90 à 100 : rien") << 90 << 100 << 0;
    QTest::newRow("199 à 100") << 199 << 100 << 100;
    QTest::newRow("200 à 0") << 200 << 0 << 0;
}

void TestFormPrincipale::jauge_largeurRemplie()
{
    QFETCH(int, largeur);
    QFETCH(int, pourcentage);
    QFETCH(int, remplie);
    QCOMPARE(TFormPrincipale::largeurJauge(largeur, pourcentage), remplie);
}

void TestFormPrincipale::jauge_pixelsPeints()
{
    TFormPrincipale& f = creer();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.montrerProgression(u"50"_s);
    const QImage image = f.ui.barreProgression->grab().toImage();
    const int bas = image.height() - 1;
    QCOMPARE(image.width(), 200);
    // 2 pixels par pour cent : colonnes 0 à 99 blanc -> bureau, la suite dans le dégradé des barres.
    QCOMPARE(image.pixel(0, bas), versQRgb(ColorToRGB(clDesktop)) | 0xFF000000u);
    QCOMPARE(image.pixel(99, bas), versQRgb(ColorToRGB(clDesktop)) | 0xFF000000u);
    QCOMPARE(image.pixel(100, bas), rgb(155, 0, 0));
    QCOMPARE(image.pixel(199, bas), rgb(155, 0, 0));
}

// ---------------------------------------------------------------- hints et commandes simples

void TestFormPrincipale::hint_boutons_data()
{
    QTest::addColumn<QString>("barre");
    QTest::addColumn<QString>("bouton"); // commande ou nom du bouton déroulant
    QTest::addColumn<QString>("parole");

    for (const char* barre : {"barreOutilsPrincipale", "barreOutilsRayons", "barreOutilsLC"})
        for (const ElementBarre& e : TFormPrincipale::elementsBarre(QString::fromLatin1(barre))) {
            if (e.commande.isEmpty())
                continue;
            const DefinitionCommande* c = TFormPrincipale::commande(e.commande);
            QTest::addRow("%s %s", barre, qPrintable(e.commande))
                << QString::fromLatin1(barre) << e.commande << (c ? c->hint : QString());
        }
}

void TestFormPrincipale::hint_boutons()
{
    QFETCH(QString, barre);
    QFETCH(QString, bouton);
    QFETCH(QString, parole);
    copierBase();
    TFormPrincipale& f = demarrer();
    QVERIFY(compagnonAffiche);
    (*b->serveur)->oublierAppels();

    auto* outils = f.findChild<QToolBar*>(barre);
    QVERIFY(outils);
    QToolButton* cible = nullptr;
    for (QToolButton* t : outils->findChildren<QToolButton*>())
        if (t->objectName() == bouton || (t->defaultAction() && t->defaultAction()->objectName() == bouton))
            cible = t;
    QVERIFY(cible);
    QHelpEvent bulle(QEvent::ToolTip, QPoint(2, 2), cible->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(cible, &bulle);
    QToolTip::hideText();

    const QList<AppelAgent> dits = (*b->serveur)->appelsDe(u"Speak"_s);
    if (parole.isEmpty()) {
        QVERIFY(dits.isEmpty());
        // Le filtre a consommé l'événement : pas de bulle.
        QVERIFY(bulle.isAccepted());
    } else {
        QCOMPARE(dits.size(), 1);
        QCOMPARE(dits.first().arguments.value(0).toString(), parole);
    }
}

void TestFormPrincipale::aPropos_lectureEtBoite()
{
    copierBase();
    TFormPrincipale& f = demarrer();
    (*b->serveur)->oublierAppels();
    b->interactions->repondre(ReponseMessage::Ok);
    f.action(u"aPropos"_s)->trigger();

    const QList<QuestionPosee> boites = b->interactions->questionsDe(GenreQuestion::Message);
    QCOMPARE(boites.size(), 1);
    QCOMPARE(boites.first().type, TypeMessage::Simple);
    QCOMPARE(boites.first().boutons, BoutonsMessage::Ok);
    const QStringList lignes = boites.first().texte.split(u'\n');
    // Le crédit en quatre lignes, puis la version du projet et le dossier des données.
    QCOMPARE(lignes.size(), 7);
    QCOMPARE(lignes.first(), u"Tavelquirn - Vatrelix"_s);
    QCOMPARE(lignes[5], u"Version " VATRELIX_VERSION ""_s);
    QCOMPARE(lignes.last(), u"Dossier des données : "_s + QDir::toNativeSeparators(repertoireDonnees()));

    const QList<AppelAgent> jeux = (*b->serveur)->appelsDe(u"Play"_s);
    QCOMPARE(jeux.size(), 2);
    QCOMPARE(jeux[0].arguments.value(0).toString(), u"Read"_s);
    QCOMPARE(jeux[1].arguments.value(0).toString(), u"ReadReturn"_s);
    const QString dit = (*b->serveur)->appelsDe(u"Speak"_s).value(0).arguments.value(0).toString();
    QVERIFY(dit.startsWith(u"\\Map=\""_s));
    QVERIFY(dit.endsWith(u"\\"_s));
    QVERIFY(dit.contains(u"=\"Tavelquirn - Vatrelix\n"_s));
}

void TestFormPrincipale::couleurs_choixEtAnnulation_data()
{
    QTest::addColumn<QString>("commande");
    QTest::addColumn<bool>("confirme");
    QTest::addColumn<int>("haut");
    QTest::addColumn<int>("bas");
    QTest::newRow("haut choisi") << u"choisirCouleurHaut"_s << true << RGBCouleur(1, 2, 3) << 0x0000009B;
    QTest::newRow("haut annulé") << u"choisirCouleurHaut"_s << false << 0x008080FF << 0x0000009B;
    QTest::newRow("bas choisi") << u"choisirCouleurBas"_s << true << 0x008080FF << RGBCouleur(1, 2, 3);
    QTest::newRow("bas annulé") << u"choisirCouleurBas"_s << false << 0x008080FF << 0x0000009B;
}

void TestFormPrincipale::couleurs_choixEtAnnulation()
{
    QFETCH(QString, commande);
    QFETCH(bool, confirme);
    QFETCH(int, haut);
    QFETCH(int, bas);
    TFormPrincipale& f = creer();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    if (confirme)
        b->interactions->repondreCouleur(RGBCouleur(1, 2, 3));
    else
        b->interactions->annulerCouleur();
    f.action(commande)->trigger();
    const QList<QuestionPosee> q = b->interactions->questionsDe(GenreQuestion::Couleur);
    QCOMPARE(q.size(), 1);
    QCOMPARE(q.first().couleur, commande.endsWith(u"Haut") ? TColor(0x008080FF) : TColor(0x0000009B));
    QCOMPARE(f.reglages.couleurHaut, haut);
    QCOMPARE(f.reglages.couleurBas, bas);
    // Le titre repeint porte déjà la nouvelle couleur du bas.
    QCOMPARE(f.ui.titreRayons->grab().toImage().pixel(1, 19), versQRgb(bas) | 0xFF000000u);
}

void TestFormPrincipale::majLC_ligneIllisible_rangeesGardeesPiedInchange()
{
    TFormPrincipale& f = demarrer();
    const QString pied = f.ui.barreFactureLC->hint();
    b->dm->listeCourses = QStringList{lignesListe[0], u"3|Pain|-|Boulangerie|1.00 €|3.00 €"_s, lignesListe[1]};
    f.action(u"majLC"_s)->trigger();
    QCOMPARE(b->interactions->questionsDe(GenreQuestion::Erreur).size(), 1);
    QCOMPARE(f.ui.lvListeCourses->model()->rowCount(), 2);
    QCOMPARE(f.ui.barreFactureLC->hint(), pied);
    QCOMPARE(f.totalLC, 0.0);
    QCOMPARE(f.ui.lvListeCourses->model()->index(0, ColLCTotal).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
}

QTEST_MAIN(TestFormPrincipale)
#include "tst_formPrincipale.moc"
