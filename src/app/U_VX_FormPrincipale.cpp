// Construction de la fenêtre principale : disposition, tailles, polices, couleurs.
#include "U_VX_FormPrincipale.h"

#include "ArbreRayons.h"
#include "ControlesPeints.h"
#include "Conversions.h"
#include "ImagesVatrelix.h"
#include "Interactions.h"
#include "ModeleListeCourses.h"
#include "Palettes.h"
#include "ProgressionFenetre.h"
#include "RepartitionColonnes.h"
#include "RechercheArticles.h"
#include "TPaintBox.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

// "MS Sans Serif 8 pt" n'existe pas ici : la police sans empattement par défaut, à 8 points.
QFont policeFiche(bool grasse = false)
{
    QFont police = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    police.setPointSize(8);
    police.setBold(grasse);
    return police;
}

QWidget* panneau(QWidget* parent, const QString& nom)
{
    auto* p = new QWidget(parent);
    p->setObjectName(nom);
    return p;
}

QVBoxLayout* colonne(QWidget* panneau)
{
    auto* disposition = new QVBoxLayout(panneau);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->setSpacing(0);
    return disposition;
}

TPaintBox* boiteDessin(QWidget* parent, const QString& nom, int hauteur)
{
    auto* boite = new TPaintBox(parent);
    boite->setObjectName(nom);
    boite->setFont(policeFiche(true));
    if (hauteur > 0)
        boite->setFixedHeight(hauteur);
    return boite;
}

QSplitter* separateur(Qt::Orientation sens, QWidget* parent, const QString& nom)
{
    auto* s = new QSplitter(sens, parent);
    s->setObjectName(nom);
    s->setHandleWidth(3);
    s->setChildrenCollapsible(false);
    return s;
}

} // namespace

TFormPrincipale::TFormPrincipale(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FormPrincipale"));
    setWindowTitle(titreApplication());
    setWindowIcon(iconePanier());
    setFont(policeFiche());
    // La configuration est lue avant tout autre contrôle, comme à la création de la fiche.
    lireConfigAppli();
    construireFiche();
    construireRecherche();
    construireActions();
    construireHistoriques();
    construireMenus();
    construireListesRecentes();
    preparerCasesImpression();
    construireBarres();
    brancherPeintures();
    // Avant le glisser-déposer : ses gestionnaires de touche voient la touche les premiers.
    brancherClavier();
    brancherGlisserDeposer();
    // Après les autres filtres de la liste : Espace y coche avant eux.
    brancherMagasin();

    // La taille de départ, bornée par l'écran (petit écran, grande échelle), centrée.
    resize(690, 474);
    if (const QScreen* ecran = screen()) {
        const QRect zone = ecran->availableGeometry();
        resize(size().boundedTo(zone.size()));
        move(zone.center() - rect().center());
    }

    ui.timerDemarrage = new QTimer(this);
    ui.timerDemarrage->setObjectName(QStringLiteral("timerDemarrage"));
    ui.timerDemarrage->setInterval(5);
    ui.timerDemarrage->setSingleShot(true);
    connect(ui.timerDemarrage, &QTimer::timeout, this, [this] { executer(&TFormPrincipale::timerDemarrageTimer); });
    // Le minuteur est armé dès la création ; il ne peut battre qu'une fois la boucle lancée.
    ui.timerDemarrage->start();
}

void TFormPrincipale::attacherModuleDonnees(TdmVatrelix* module)
{
    dm = module;
}

void TFormPrincipale::attacherDialogues(TFormArticle* article, TformRayon* rayon, TformLC* quantite,
                                        TformOptions* options)
{
    FormArticle = article;
    formRayon = rayon;
    formLC = quantite;
    formOptions = options;
}

void TFormPrincipale::construireFiche()
{
    auto* disposition = colonne(this);

    ui.barreOutilsMenu = new TBarreDegradee(QStringLiteral("barreOutilsMenu"), this);
    ui.barreOutilsMenu->setFixedHeight(24);
    ui.barreOutilsMenu->setFont(policeFiche(true));
    ui.barreOutilsMenu->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Des entrées de menu : pas de flèche sous les libellés.
    ui.barreOutilsMenu->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    disposition->addWidget(ui.barreOutilsMenu);

    ui.barreOutilsPrincipale = new TBarreDegradee(QStringLiteral("barreOutilsPrincipale"), this);
    ui.barreOutilsPrincipale->setFixedHeight(24);
    ui.barreOutilsPrincipale->setIconSize(QSize(16, 16));
    ui.barreOutilsPrincipale->setToolButtonStyle(Qt::ToolButtonIconOnly);
    disposition->addWidget(ui.barreOutilsPrincipale);

    ui.Splitter1 = separateur(Qt::Horizontal, this, QStringLiteral("Splitter1"));
    ui.panelRayons = construirePanelRayons();
    ui.panelListeCourses = construirePanelListeCourses();
    ui.Splitter1->addWidget(ui.panelRayons);
    ui.Splitter1->addWidget(ui.panelListeCourses);
    ui.Splitter1->setStretchFactor(0, 0);
    ui.Splitter1->setStretchFactor(1, 1);
    ui.Splitter1->setSizes({381, 690 - 381 - 3});
    disposition->addWidget(ui.Splitter1, 1);

    ui.barreStatus2 = construireBarreStatut();
    disposition->addWidget(ui.barreStatus2);
}

QWidget* TFormPrincipale::construirePanelRayons()
{
    QWidget* panel = panneau(this, QStringLiteral("panelRayons"));
    auto* disposition = colonne(panel);
    ui.titreRayons = boiteDessin(panel, QStringLiteral("titreRayons"), 20);
    disposition->addWidget(ui.titreRayons);

    ui.Splitter2 = separateur(Qt::Horizontal, panel, QStringLiteral("Splitter2"));
    ui.arbreRayon = new QTreeView(ui.Splitter2);
    ui.arbreRayon->setObjectName(QStringLiteral("arbreRayon"));
    ui.arbreRayon->setProperty("tag", TagArbreRayons);
    ui.modeleArbreRayon = new QStandardItemModel(ui.arbreRayon);
    ui.arbreRayon->setModel(ui.modeleArbreRayon);
    ui.arbreRayon->setHeaderHidden(true);
    ui.arbreRayon->setIndentation(19);
    ui.arbreRayon->setIconSize(QSize(16, 16));
    ui.arbreRayon->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.arbreRayon->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.arbreRayon->setSelectionMode(QAbstractItemView::SingleSelection);
    ui.arbreRayon->setDragEnabled(true);
    fondCreme(ui.arbreRayon);
    // Tout changement du nœud sélectionné recharge la liste d'articles.
    connect(ui.arbreRayon->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { executer(&TFormPrincipale::arbreRayonChange); });

    ui.panelListeArticles = panneau(ui.Splitter2, QStringLiteral("panelListeArticles"));
    auto* colonneArticles = colonne(ui.panelListeArticles);
    ui.lbListeArticles = new QLabel(QStringLiteral("Liste d'articles :"), ui.panelListeArticles);
    ui.lbListeArticles->setObjectName(QStringLiteral("lbListeArticles"));
    colonneArticles->addWidget(ui.lbListeArticles);

    ui.listeArticles = new QTreeWidget(ui.panelListeArticles);
    ui.listeArticles->setObjectName(QStringLiteral("listeArticles"));
    ui.listeArticles->setProperty("tag", TagListeArticles);
    ui.listeArticles->setColumnCount(3);
    ui.listeArticles->setHeaderLabels({QStringLiteral("Nom"), QStringLiteral("Prix"), QStringLiteral("Remarque")});
    ui.listeArticles->headerItem()->setTextAlignment(ColArticlePrix, Qt::AlignRight | Qt::AlignVCenter);
    m_colonnesArticles = new RepartitionColonnes(*ui.listeArticles, ColArticleNom, ColArticleRemarque,
                                                 {ColArticlePrix}, {}, PartNomArticles);
    ui.listeArticles->setRootIsDecorated(false);
    ui.listeArticles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui.listeArticles->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.listeArticles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.listeArticles->setSortingEnabled(true);
    ui.listeArticles->sortByColumn(ColArticleNom, Qt::AscendingOrder);
    // Toujours triée par nom : les en-têtes ne changent pas l'ordre.
    ui.listeArticles->header()->setSectionsClickable(false);
    ui.listeArticles->setDragEnabled(true);
    ui.listeArticles->setMinimumSize(200, 100);
    ui.listeArticles->setItemDelegate(new TDelegueGrille(ui.listeArticles));
    fondCreme(ui.listeArticles);
    colonneArticles->addWidget(ui.listeArticles, 1);

    ui.panelOutilsArticles = panneau(ui.panelListeArticles, QStringLiteral("panelOutilsArticles"));
    ui.panelOutilsArticles->setFixedHeight(28);
    auto* ligneOutils = new QHBoxLayout(ui.panelOutilsArticles);
    ligneOutils->setContentsMargins(0, 0, 0, 0);
    ui.barreOutilsRayons = new TBarreDegradee(QStringLiteral("barreOutilsRayons"), ui.panelOutilsArticles);
    ui.barreOutilsRayons->setIconSize(QSize(16, 16));
    ligneOutils->addWidget(ui.barreOutilsRayons);
    colonneArticles->addWidget(ui.panelOutilsArticles);

    ui.Splitter2->addWidget(ui.arbreRayon);
    ui.Splitter2->addWidget(ui.panelListeArticles);
    ui.Splitter2->setStretchFactor(0, 0);
    ui.Splitter2->setStretchFactor(1, 1);
    ui.Splitter2->setSizes({176, 381 - 176 - 3});
    disposition->addWidget(ui.Splitter2, 1);
    return panel;
}

QWidget* TFormPrincipale::construirePanelListeCourses()
{
    QWidget* panel = panneau(this, QStringLiteral("panelListeCourses"));
    auto* disposition = colonne(panel);
    ui.titreListeCourses = boiteDessin(panel, QStringLiteral("titreListeCourses"), 20);
    disposition->addWidget(ui.titreListeCourses);

    ui.lvListeCourses = new QTreeView(panel);
    ui.lvListeCourses->setObjectName(QStringLiteral("lvListeCourses"));
    ui.lvListeCourses->setProperty("tag", TagListeCourses);
    // Titres, alignements et textes des rangées viennent du modèle, qui lit le magasin.
    ui.modeleListeCourses = new ModeleListeCourses(ui.lvListeCourses);
    ui.modeleListeCourses->definirCoches(&m_coches);
    ui.lvListeCourses->setModel(ui.modeleListeCourses);
    // Toutes les rangées ont la même hauteur : la vue ne la demande pas à chacune.
    ui.lvListeCourses->setUniformRowHeights(true);
    ui.lvListeCourses->header()->setMinimumSectionSize(2);
    // Deux pixels : chaque rangée garde son rayon, pratiquement caché.
    ui.lvListeCourses->setColumnWidth(ColLCRayon, 2);
    m_colonnesLC = new RepartitionColonnes(*ui.lvListeCourses, ColLCArticle, ColLCRemarque,
                                           {ColLCNb, ColLCPU, ColLCTotal}, {ColLCRayon}, PartArticleLC);
    ui.lvListeCourses->setRootIsDecorated(false);
    ui.lvListeCourses->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui.lvListeCourses->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.lvListeCourses->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.lvListeCourses->setMinimumWidth(100);
    ui.lvListeCourses->setAcceptDrops(true);
    ui.lvListeCourses->setItemDelegate(new TDelegueGrille(ui.lvListeCourses));
    disposition->addWidget(ui.lvListeCourses, 1);

    ui.barreFactureLC = boiteDessin(panel, QStringLiteral("barreFactureLC"), 17);
    disposition->addWidget(ui.barreFactureLC);

    ui.panelCommandesListeCourses = panneau(panel, QStringLiteral("panelCommandesListeCourses"));
    ui.panelCommandesListeCourses->setFixedHeight(28);
    auto* ligne = new QHBoxLayout(ui.panelCommandesListeCourses);
    ligne->setContentsMargins(0, 0, 0, 0);
    ui.pscrollerListeCourses = new QScrollArea(ui.panelCommandesListeCourses);
    ui.pscrollerListeCourses->setObjectName(QStringLiteral("pscrollerListeCourses"));
    ui.pscrollerListeCourses->setFrameShape(QFrame::NoFrame);
    // Défilement par flèches, comme un défileur de page : pas de barre qui mangerait la hauteur.
    ui.pscrollerListeCourses->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.pscrollerListeCourses->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.pscrollerListeCourses->setWidgetResizable(false);
    ui.barreOutilsLC = new TBarreDegradee(QStringLiteral("barreOutilsLC"));
    ui.barreOutilsLC->setIconSize(QSize(16, 16));
    ui.pscrollerListeCourses->setWidget(ui.barreOutilsLC);
    const auto fleche = [this](Qt::ArrowType sens, int pas) {
        auto* b = new QToolButton(ui.panelCommandesListeCourses);
        b->setArrowType(sens);
        b->setAutoRaise(true);
        b->setAutoRepeat(true);
        b->setFixedWidth(12);
        connect(b, &QToolButton::clicked, this, [this, pas] {
            QScrollBar* barre = ui.pscrollerListeCourses->horizontalScrollBar();
            barre->setValue(barre->value() + pas);
        });
        return b;
    };
    QToolButton* gauche = fleche(Qt::LeftArrow, -24);
    QToolButton* droite = fleche(Qt::RightArrow, 24);
    QScrollBar* defilement = ui.pscrollerListeCourses->horizontalScrollBar();
    const auto majFleches = [gauche, droite, defilement] {
        gauche->setVisible(defilement->maximum() > 0);
        droite->setVisible(defilement->maximum() > 0);
        gauche->setEnabled(defilement->value() > defilement->minimum());
        droite->setEnabled(defilement->value() < defilement->maximum());
    };
    connect(defilement, &QScrollBar::rangeChanged, this, majFleches);
    connect(defilement, &QScrollBar::valueChanged, this, majFleches);
    majFleches();
    ligne->addWidget(gauche);
    ligne->addWidget(ui.pscrollerListeCourses, 1);
    ligne->addWidget(droite);
    disposition->addWidget(ui.panelCommandesListeCourses);
    return panel;
}

QWidget* TFormPrincipale::construireBarreStatut()
{
    QWidget* barre = panneau(this, QStringLiteral("barreStatus2"));
    barre->setFixedHeight(20);
    auto* ligne = new QHBoxLayout(barre);
    ligne->setContentsMargins(0, 0, 0, 0);
    ligne->setSpacing(0);

    ui.Splitter3 = separateur(Qt::Horizontal, barre, QStringLiteral("Splitter3"));
    // Un trait pendant le glissement, le redimensionnement à la fin seulement.
    ui.Splitter3->setOpaqueResize(false);
    ui.barreStatusP0 = boiteDessin(ui.Splitter3, QStringLiteral("barreStatusP0"), 0);
    ui.barreStatusP1 = boiteDessin(ui.Splitter3, QStringLiteral("barreStatusP1"), 0);
    ui.Splitter3->addWidget(ui.barreStatusP0);
    ui.Splitter3->addWidget(ui.barreStatusP1);
    ui.Splitter3->setStretchFactor(0, 0);
    ui.Splitter3->setStretchFactor(1, 1);
    ui.Splitter3->setSizes({65, 400});
    ligne->addWidget(ui.Splitter3, 1);

    ui.barreProgression = boiteDessin(barre, QStringLiteral("barreProgression"), 0);
    ui.barreProgression->setFixedWidth(200);
    ui.barreProgression->setHint(QStringLiteral("0"));
    ui.barreProgression->hide();
    ligne->addWidget(ui.barreProgression);

    m_progression = new ProgressionFenetre(*this);
    return barre;
}

TFormPrincipale::~TFormPrincipale()
{
    delete m_filtreVues;
    enregistrerEtatFenetre();
    // FormDestroy : la configuration n'est écrite qu'ici, même pendant le départ du compagnon.
    // Réglages non écrits (fichier court ou disque refusant l'écriture) : la boîte standard le dit.
    executerHorsCommande([this] { enregistrerConfigAppliExecute(); });
    delete m_progression;
    // Les historiques, vidés à leur destruction, ne doivent plus toucher aux actions.
    m_historiqueBase->disconnect(this);
    m_historiqueListe->disconnect(this);
    delete m_historiqueBase;
    delete m_historiqueListe;
    // Le modèle de la liste lit les coches, membre détruit avant les contrôles : il les lâche d'abord.
    ui.modeleListeCourses->definirCoches(nullptr);
}
