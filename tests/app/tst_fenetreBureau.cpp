// Les manières de bureau de la vraie fenêtre, hors écran : état retenu d'une session à l'autre,
// largeur des colonnes, barre de la liste entière, peinture après menus et couleurs, aide de
// survol dans la ligne d'état.
#include "Conversions.h"
#include "MontageFenetre.h"
#include "OctetsFichier.h"
#include "RepartitionColonnes.h"
#include "TPaintBox.h"

#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QScreen>
#include <QSplitter>
#include <QStandardItemModel>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QWindow>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

class BancBureau : public MontageFenetre<InteractionsScriptees>
{
public:
    BancBureau()
    {
        QFile::copy(EnvironnementTest::source(u"resources/baseVatrelix-exemple.xml"_s), env->chemin(u"baseVatrelix.xml"_s));
        QFile::copy(EnvironnementTest::source(u"resources/baseVatrelixModèle.xml"_s),
                    env->chemin(u"baseVatrelixModèle.xml"_s));
    }
    QString fichierEtat() const { return env->chemin(u"etat/vatrelix.conf"_s); }

    // Fenêtre qui retient son état, montrée, démarrage (base, arbre, compagnon) terminé.
    TFormPrincipale& ouvrir()
    {
        creerFenetre(Demarrage::Arme);
        fenetre->retenirEtatDans(fichierEtat());
        fenetre->show();
        [&] { QTRY_VERIFY(fenetre->demarrageTermine()); }();
        return *fenetre;
    }
    void fermer()
    {
        fenetre.reset();
        dm.reset();
    }
};

QModelIndex noeudNomme(const QStandardItemModel& modele, const QString& nom)
{
    const QModelIndexList trouves = modele.match(modele.index(0, 0), Qt::DisplayRole, nom, 1,
                                                 Qt::MatchExactly | Qt::MatchRecursive);
    return trouves.value(0);
}

// Ce que l'écran montre de la fenêtre (sa mémoire d'affichage), et non un nouveau rendu.
QImage affiche(QWidget& fenetre)
{
    return fenetre.screen()->grabWindow(fenetre.winId()).toImage();
}

} // namespace

class TestFenetreBureau : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { b = std::make_unique<BancBureau>(); }
    void cleanup() { b.reset(); }

    void etat_premiereFoisPuisCommeLaisse();
    void colonnes_nombresAjustesTextesSePartagentLeReste();
    void barreLC_tousLesBoutonsEntiersALaTailleDeDepart();
    void couleurHaut_fondDeLaFenetreSeulement();
    void statut_champDeGaucheRepeintALaNouvelleCouleur();
    void menuReferme_aucunBoutonResteAllume();
    void survol_aideDansLaLigneDEtatPuisRetour();

private:
    std::unique_ptr<BancBureau> b;
};

void TestFenetreBureau::etat_premiereFoisPuisCommeLaisse()
{
    TFormPrincipale& f = b->ouvrir();
    QCOMPARE(f.size(), QSize(690, 474));
    const QModelIndex boissons = noeudNomme(*f.ui.modeleArbreRayon, u"Boissons"_s);
    QVERIFY(boissons.isValid());
    QVERIFY(!f.ui.arbreRayon->isExpanded(boissons));

    f.resize(900, 640);
    f.ui.Splitter1->setSizes({300, 597});
    f.ui.Splitter2->setSizes({120, 177});
    f.colonnesLC()->definirPart(0.3);
    f.ui.arbreRayon->expand(boissons);
    QCoreApplication::processEvents();
    const QList<int> separateur1 = f.ui.Splitter1->sizes();
    const QList<int> separateur2 = f.ui.Splitter2->sizes();
    b->fermer();
    QVERIFY(QFile::exists(b->fichierEtat()));

    TFormPrincipale& g = b->ouvrir();
    QCOMPARE(g.size(), QSize(900, 640));
    QCOMPARE(g.ui.Splitter1->sizes(), separateur1);
    QCOMPARE(g.ui.Splitter2->sizes(), separateur2);
    QCOMPARE(g.colonnesLC()->part(), 0.3);
    QVERIFY(g.ui.arbreRayon->isExpanded(noeudNomme(*g.ui.modeleArbreRayon, u"Boissons"_s)));
    // Agrandie en partant : agrandie au retour.
    g.showMaximized();
    QTRY_VERIFY(g.isMaximized());
    b->fermer();
    QVERIFY(b->ouvrir().isMaximized());
    // Le fichier de configuration n'en garde rien : ses six lignes seulement.
    QCOMPARE(QString::fromLatin1(lireOctetsBruts(b->env->chemin(u"Vatrelix.conf"_s))).count(u"\r\n"_s), 6);
}

void TestFenetreBureau::colonnes_nombresAjustesTextesSePartagentLeReste()
{
    TFormPrincipale& f = b->ouvrir();
    b->dm->listeCourses = QStringList{u"12345|Piles alcalines LR6 paquet de huit|pour la télécommande|Entretien|12,34 €|152381,96 €"_s};
    f.majLCExecute();
    QCoreApplication::processEvents();
    QTreeView& vue = *f.ui.lvListeCourses;
    const QHeaderView& entete = *vue.header();
    for (int c : {ColLCNb, ColLCPU, ColLCTotal})
        QVERIFY2(entete.sectionSize(c) >= static_cast<QAbstractItemView&>(vue).sizeHintForColumn(c), qPrintable(QString::number(c)));
    int somme = 0;
    for (int c = 0; c < entete.count(); ++c)
        somme += entete.sectionSize(c);
    QCOMPARE(somme, vue.viewport()->width());
    const int article = entete.sectionSize(ColLCArticle);
    const int remarque = entete.sectionSize(ColLCRemarque);
    QVERIFY(qAbs(double(article) / (article + remarque) - TFormPrincipale::PartArticleLC) < 0.02);

    // Le bord de l'article tiré : la nouvelle part tient quand la fenêtre grandit.
    vue.header()->resizeSection(ColLCArticle, (article + remarque) / 4);
    f.resize(1000, 600);
    QCoreApplication::processEvents();
    const int a2 = entete.sectionSize(ColLCArticle);
    const int r2 = entete.sectionSize(ColLCRemarque);
    QVERIFY(r2 > remarque);
    QVERIFY(qAbs(double(a2) / (a2 + r2) - 0.25) < 0.02);
}

void TestFenetreBureau::barreLC_tousLesBoutonsEntiersALaTailleDeDepart()
{
    TFormPrincipale& f = b->ouvrir();
    QWidget* panneau = f.ui.panelCommandesListeCourses;
    int boutons = 0;
    for (QToolButton* bouton : f.ui.barreOutilsLC->findChildren<QToolButton*>()) {
        if (bouton->objectName() == u"qt_toolbar_ext_button") {
            QVERIFY(!bouton->isVisible());
            continue;
        }
        QVERIFY(bouton->isVisible());
        const QRect place(bouton->mapTo(panneau, QPoint(0, 0)), bouton->size());
        QVERIFY2(panneau->rect().contains(place), qPrintable(bouton->defaultAction()->objectName()));
        ++boutons;
    }
    QCOMPARE(boutons, 11);
    // Pas de défilement : le défileur montre déjà tout.
    QCOMPARE(f.ui.pscrollerListeCourses->horizontalScrollBar()->maximum(), 0);
}

void TestFenetreBureau::couleurHaut_fondDeLaFenetreSeulement()
{
    TFormPrincipale& f = b->ouvrir();
    const QColor avant = f.ui.panelListeArticles->palette().color(QPalette::Window);
    b->interactions->repondreCouleur(RGBCouleur(10, 200, 30));
    f.action(u"choisirCouleurHaut"_s)->trigger();
    for (QWidget* w : std::initializer_list<QWidget*>{f.ui.panelRayons, f.ui.panelListeArticles, f.ui.panelListeCourses,
                                                      f.ui.lvListeCourses, f.ui.barreStatus2})
        QCOMPARE(w->palette().color(QPalette::Window), avant);
    // Là où aucun contrôle ne la couvre, la fenêtre montre la couleur choisie.
    QImage rendu(f.size(), QImage::Format_RGB32);
    f.render(&rendu, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    QCOMPARE(rendu.pixelColor(0, 0), QColor(10, 200, 30));
}

void TestFenetreBureau::statut_champDeGaucheRepeintALaNouvelleCouleur()
{
    TFormPrincipale& f = b->ouvrir();
    b->interactions->repondreCouleur(RGBCouleur(0, 0, 255));
    f.action(u"choisirCouleurBas"_s)->trigger();
    const QImage ecran = affiche(f);
    for (TPaintBox* champ : {f.ui.barreStatusP0, f.ui.barreStatusP1}) {
        const QPoint bas = champ->mapTo(&f, QPoint(2, champ->height() - 1));
        QCOMPARE(ecran.pixelColor(bas), QColor(0, 0, 255));
    }
}

void TestFenetreBureau::menuReferme_aucunBoutonResteAllume()
{
    TFormPrincipale& f = b->ouvrir();
    QCursor::setPos(f.mapToGlobal(QPoint(f.width() / 2, f.height() / 2)));
    QMenu* fichier = f.ui.MainMenu1.first();
    auto* bouton = qobject_cast<QToolButton*>(f.ui.barreOutilsMenu->widgetForAction(fichier->menuAction()));
    // La couleur des libellés, lisible sur le dégradé, avant toute ouverture.
    const QColor couleurLibelles = bouton->palette().color(QPalette::ButtonText);
    QTimer::singleShot(0, fichier, [fichier] { QTest::keyClick(fichier, Qt::Key_Escape); });
    bouton->setAttribute(Qt::WA_UnderMouse, true);
    bouton->showMenu();
    QTRY_VERIFY(!bouton->testAttribute(Qt::WA_UnderMouse));
    QVERIFY(!bouton->isDown());
    // Les libellés gardent leur couleur.
    for (QToolButton* autre : f.ui.barreOutilsMenu->findChildren<QToolButton*>())
        QCOMPARE(autre->palette().color(QPalette::ButtonText), couleurLibelles);
}

void TestFenetreBureau::survol_aideDansLaLigneDEtatPuisRetour()
{
    TFormPrincipale& f = b->ouvrir();
    f.ecrireStatut(u"Opération en cours"_s);
    QWidget* imprimer = f.ui.barreOutilsLC->widgetForAction(f.action(u"imprimer"_s));
    QEnterEvent entree(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(imprimer, &entree);
    QCOMPARE(f.texteStatut(), u"Imprimer la liste courante"_s);
    QEvent sortie(QEvent::Leave);
    QApplication::sendEvent(imprimer, &sortie);
    QCOMPARE(f.texteStatut(), u"Opération en cours"_s);
    // Sans aide (bouton déroulant) : rien ne change.
    QApplication::sendEvent(f.ui.btAffichageGeneral, &entree);
    QCOMPARE(f.texteStatut(), u"Opération en cours"_s);
}

QTEST_MAIN(TestFenetreBureau)
#include "tst_fenetreBureau.moc"
