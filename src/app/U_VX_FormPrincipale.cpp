// Construction de la fenêtre principale : disposition, tailles, polices, couleurs.
#include "U_VX_FormPrincipale.h"

#include "ArbreRayons.h"
#include "ControlesPeints.h"
#include "Conversions.h"
#include "ProgressionFenetre.h"
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
#include <QVBoxLayout>

TFormPrincipale* FormPrincipale = nullptr;

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

void fondCreme(QAbstractItemView* vue)
{
    QPalette palette = vue->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(versQRgb(clCream)));
    vue->setPalette(palette);
}

} // namespace

TFormPrincipale::TFormPrincipale(QWidget* parent) : QWidget(parent)
{
    FormPrincipale = this;
    setObjectName(QStringLiteral("FormPrincipale"));
    setWindowTitle(QStringLiteral("Tavelquirn - Vatrelix 2006"));
    setFont(policeFiche());
    // La configuration est lue avant tout autre contrôle, comme à la création de la fiche.
    lireConfigAppli();
    construireFiche();
    construireActions();
    construireMenus();
    construireBarres();
    brancherPeintures();
    brancherGlisserDeposer();

    resize(690, 474);
    if (const QScreen* ecran = screen())
        move(ecran->availableGeometry().center() - rect().center());

    timerDemarrage = new QTimer(this);
    timerDemarrage->setObjectName(QStringLiteral("timerDemarrage"));
    timerDemarrage->setInterval(5);
    timerDemarrage->setSingleShot(true);
    connect(timerDemarrage, &QTimer::timeout, this, [this] { executer(&TFormPrincipale::timerDemarrageTimer); });
    // Le minuteur est armé dès la création ; il ne peut battre qu'une fois la boucle lancée.
    timerDemarrage->start();
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

    barreOutilsMenu = new TBarreDegradee(QStringLiteral("barreOutilsMenu"), this);
    barreOutilsMenu->setFixedHeight(24);
    barreOutilsMenu->setFont(policeFiche(true));
    barreOutilsMenu->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // Des entrées de menu : pas de flèche sous les libellés.
    barreOutilsMenu->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    disposition->addWidget(barreOutilsMenu);

    barreOutilsPrincipale = new TBarreDegradee(QStringLiteral("barreOutilsPrincipale"), this);
    barreOutilsPrincipale->setFixedHeight(24);
    barreOutilsPrincipale->setIconSize(QSize(16, 16));
    barreOutilsPrincipale->setToolButtonStyle(Qt::ToolButtonIconOnly);
    disposition->addWidget(barreOutilsPrincipale);

    Splitter1 = separateur(Qt::Horizontal, this, QStringLiteral("Splitter1"));
    panelRayons = construirePanelRayons();
    panelListeCourses = construirePanelListeCourses();
    Splitter1->addWidget(panelRayons);
    Splitter1->addWidget(panelListeCourses);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({381, 690 - 381 - 3});
    disposition->addWidget(Splitter1, 1);

    barreStatus2 = construireBarreStatut();
    disposition->addWidget(barreStatus2);
}

QWidget* TFormPrincipale::construirePanelRayons()
{
    QWidget* panel = panneau(this, QStringLiteral("panelRayons"));
    auto* disposition = colonne(panel);
    titreRayons = boiteDessin(panel, QStringLiteral("titreRayons"), 20);
    disposition->addWidget(titreRayons);

    Splitter2 = separateur(Qt::Horizontal, panel, QStringLiteral("Splitter2"));
    arbreRayon = new QTreeView(Splitter2);
    arbreRayon->setObjectName(QStringLiteral("arbreRayon"));
    arbreRayon->setProperty("tag", TagArbreRayons);
    modeleArbreRayon = new QStandardItemModel(arbreRayon);
    arbreRayon->setModel(modeleArbreRayon);
    arbreRayon->setHeaderHidden(true);
    arbreRayon->setIndentation(19);
    arbreRayon->setIconSize(QSize(16, 16));
    arbreRayon->setEditTriggers(QAbstractItemView::NoEditTriggers);
    arbreRayon->setSelectionBehavior(QAbstractItemView::SelectRows);
    arbreRayon->setSelectionMode(QAbstractItemView::SingleSelection);
    arbreRayon->setDragEnabled(true);
    fondCreme(arbreRayon);
    // Tout changement du nœud sélectionné recharge la liste d'articles.
    connect(arbreRayon->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { executer(&TFormPrincipale::arbreRayonChange); });

    panelListeArticles = panneau(Splitter2, QStringLiteral("panelListeArticles"));
    auto* colonneArticles = colonne(panelListeArticles);
    lbListeArticles = new QLabel(QStringLiteral("Liste d'articles :"), panelListeArticles);
    lbListeArticles->setObjectName(QStringLiteral("lbListeArticles"));
    colonneArticles->addWidget(lbListeArticles);

    listeArticles = new QTreeWidget(panelListeArticles);
    listeArticles->setObjectName(QStringLiteral("listeArticles"));
    listeArticles->setProperty("tag", TagListeArticles);
    listeArticles->setColumnCount(3);
    listeArticles->setHeaderLabels({QStringLiteral("Nom"), QStringLiteral("Prix"), QStringLiteral("Remarque")});
    listeArticles->headerItem()->setTextAlignment(ColArticlePrix, Qt::AlignRight | Qt::AlignVCenter);
    listeArticles->setColumnWidth(ColArticleNom, 100);
    listeArticles->setColumnWidth(ColArticlePrix, 50);
    listeArticles->header()->setStretchLastSection(true);
    listeArticles->setRootIsDecorated(false);
    listeArticles->setSelectionMode(QAbstractItemView::ExtendedSelection);
    listeArticles->setSelectionBehavior(QAbstractItemView::SelectRows);
    listeArticles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listeArticles->setSortingEnabled(true);
    listeArticles->sortByColumn(ColArticleNom, Qt::AscendingOrder);
    // Toujours triée par nom : les en-têtes ne changent pas l'ordre.
    listeArticles->header()->setSectionsClickable(false);
    listeArticles->setDragEnabled(true);
    listeArticles->setMinimumSize(200, 100);
    listeArticles->setItemDelegate(new TDelegueGrille(listeArticles));
    fondCreme(listeArticles);
    colonneArticles->addWidget(listeArticles, 1);

    panelOutilsArticles = panneau(panelListeArticles, QStringLiteral("panelOutilsArticles"));
    panelOutilsArticles->setFixedHeight(28);
    auto* ligneOutils = new QHBoxLayout(panelOutilsArticles);
    ligneOutils->setContentsMargins(0, 0, 0, 0);
    barreOutilsRayons = new TBarreDegradee(QStringLiteral("barreOutilsRayons"), panelOutilsArticles);
    barreOutilsRayons->setIconSize(QSize(16, 16));
    ligneOutils->addWidget(barreOutilsRayons);
    colonneArticles->addWidget(panelOutilsArticles);

    Splitter2->addWidget(arbreRayon);
    Splitter2->addWidget(panelListeArticles);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter2->setSizes({176, 381 - 176 - 3});
    disposition->addWidget(Splitter2, 1);
    return panel;
}

QWidget* TFormPrincipale::construirePanelListeCourses()
{
    QWidget* panel = panneau(this, QStringLiteral("panelListeCourses"));
    auto* disposition = colonne(panel);
    titreListeCourses = boiteDessin(panel, QStringLiteral("titreListeCourses"), 20);
    disposition->addWidget(titreListeCourses);

    lvListeCourses = new QTreeWidget(panel);
    lvListeCourses->setObjectName(QStringLiteral("lvListeCourses"));
    lvListeCourses->setProperty("tag", TagListeCourses);
    lvListeCourses->setColumnCount(6);
    lvListeCourses->setHeaderLabels({QStringLiteral("Nb"), QStringLiteral("Article"), QStringLiteral("Remarque"),
                                     QStringLiteral("Rayon"), QStringLiteral("PU"), QStringLiteral("Total")});
    QHeaderView* entete = lvListeCourses->header();
    entete->setStretchLastSection(false);
    entete->setMinimumSectionSize(2);
    entete->setSectionResizeMode(ColLCArticle, QHeaderView::Stretch);
    lvListeCourses->setColumnWidth(ColLCNb, 50);
    lvListeCourses->setColumnWidth(ColLCRemarque, 70);
    // Deux pixels : chaque rangée garde son rayon, pratiquement caché.
    lvListeCourses->setColumnWidth(ColLCRayon, 2);
    lvListeCourses->setColumnWidth(ColLCPU, 60);
    lvListeCourses->setColumnWidth(ColLCTotal, 70);
    lvListeCourses->headerItem()->setTextAlignment(ColLCPU, Qt::AlignRight | Qt::AlignVCenter);
    lvListeCourses->headerItem()->setTextAlignment(ColLCTotal, Qt::AlignRight | Qt::AlignVCenter);
    lvListeCourses->setRootIsDecorated(false);
    lvListeCourses->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvListeCourses->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvListeCourses->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvListeCourses->setMinimumWidth(100);
    lvListeCourses->setAcceptDrops(true);
    lvListeCourses->setItemDelegate(new TDelegueGrille(lvListeCourses));
    disposition->addWidget(lvListeCourses, 1);

    barreFactureLC = boiteDessin(panel, QStringLiteral("barreFactureLC"), 17);
    disposition->addWidget(barreFactureLC);

    panelCommandesListeCourses = panneau(panel, QStringLiteral("panelCommandesListeCourses"));
    panelCommandesListeCourses->setFixedHeight(28);
    auto* ligne = new QHBoxLayout(panelCommandesListeCourses);
    ligne->setContentsMargins(0, 0, 0, 0);
    pscrollerListeCourses = new QScrollArea(panelCommandesListeCourses);
    pscrollerListeCourses->setObjectName(QStringLiteral("pscrollerListeCourses"));
    pscrollerListeCourses->setFrameShape(QFrame::NoFrame);
    // Défilement par flèches, comme un défileur de page : pas de barre qui mangerait la hauteur.
    pscrollerListeCourses->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pscrollerListeCourses->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pscrollerListeCourses->setWidgetResizable(false);
    barreOutilsLC = new TBarreDegradee(QStringLiteral("barreOutilsLC"));
    barreOutilsLC->setIconSize(QSize(16, 16));
    pscrollerListeCourses->setWidget(barreOutilsLC);
    const auto fleche = [this](Qt::ArrowType sens, int pas) {
        auto* b = new QToolButton(panelCommandesListeCourses);
        b->setArrowType(sens);
        b->setAutoRaise(true);
        b->setAutoRepeat(true);
        b->setFixedWidth(12);
        connect(b, &QToolButton::clicked, this, [this, pas] {
            QScrollBar* barre = pscrollerListeCourses->horizontalScrollBar();
            barre->setValue(barre->value() + pas);
        });
        return b;
    };
    QToolButton* gauche = fleche(Qt::LeftArrow, -24);
    QToolButton* droite = fleche(Qt::RightArrow, 24);
    QScrollBar* defilement = pscrollerListeCourses->horizontalScrollBar();
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
    ligne->addWidget(pscrollerListeCourses, 1);
    ligne->addWidget(droite);
    disposition->addWidget(panelCommandesListeCourses);
    return panel;
}

QWidget* TFormPrincipale::construireBarreStatut()
{
    QWidget* barre = panneau(this, QStringLiteral("barreStatus2"));
    barre->setFixedHeight(20);
    auto* ligne = new QHBoxLayout(barre);
    ligne->setContentsMargins(0, 0, 0, 0);
    ligne->setSpacing(0);

    Splitter3 = separateur(Qt::Horizontal, barre, QStringLiteral("Splitter3"));
    // Un trait pendant le glissement, le redimensionnement à la fin seulement.
    Splitter3->setOpaqueResize(false);
    barreStatusP0 = boiteDessin(Splitter3, QStringLiteral("barreStatusP0"), 0);
    barreStatusP1 = boiteDessin(Splitter3, QStringLiteral("barreStatusP1"), 0);
    Splitter3->addWidget(barreStatusP0);
    Splitter3->addWidget(barreStatusP1);
    Splitter3->setStretchFactor(0, 0);
    Splitter3->setStretchFactor(1, 1);
    Splitter3->setSizes({65, 400});
    ligne->addWidget(Splitter3, 1);

    barreProgression = boiteDessin(barre, QStringLiteral("barreProgression"), 0);
    barreProgression->setFixedWidth(200);
    barreProgression->setHint(QStringLiteral("0"));
    barreProgression->hide();
    ligne->addWidget(barreProgression);

    m_progression = new ProgressionFenetre(*this);
    return barre;
}

TFormPrincipale::~TFormPrincipale()
{
    delete m_filtreVues;
    // FormDestroy : la configuration n'est écrite qu'ici, même pendant le départ du compagnon.
    // Réglages non écrits (fichier court ou disque refusant l'écriture) : la boîte standard le dit.
    executerHorsCommande([this] { enregistrerConfigAppliExecute(); });
    lignesConfig.clear();
    delete m_progression;
    if (FormPrincipale == this)
        FormPrincipale = nullptr;
}
