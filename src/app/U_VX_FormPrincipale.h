#pragma once
// La fenêtre principale : arbre des rayons, articles du rayon choisi et liste de courses
// côte à côte, barres peintes, table des commandes et cycle de vie de l'application.
// Une seule classe, répartie en fichiers par préoccupation (U_VX_FormPrincipale_*.cpp).
#include "Configuration.h"
#include "FichierTexte.h"
#include "MagasinLC.h"

#include <QColor>
#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>
#include <memory>

class QAbstractItemView;
class QAction;
class QLabel;
class QMenu;
class QMimeData;
class QPrinter;
class QScrollArea;
class QSplitter;
class QStandardItemModel;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;
class QTreeWidget;
class ModeleListeCourses;
class QLineEdit;
class IndexRecherche;
class ModeleResultats;
struct ResultatRecherche;
class TPaintBox;
class TdmVatrelix;
class TRayon;
class TArticle;
struct TotauxLC;
class QTreeWidgetItem;
class QUndoStack;
class TFormArticle;
class TformRayon;
class TformLC;
class TformOptions;
class TformOrdreMagasin;
class ProgressionFenetre;
class RepartitionColonnes;
class TFormPrincipale;

using GestionnaireCommande = void (TFormPrincipale::*)();

// Survol d'un bouton de la commande : ni bulle ni parole, ou une bulle que le compagnon dit d'abord.
enum class Bulle : bool { Aucune, Dite };

// Une ligne de la table des commandes.
struct DefinitionCommande
{
    QString nom;
    QString categorie;   // vide : sans catégorie
    QString libelle;
    QString hint;        // vide : sans bulle ni parole
    QKeySequence raccourci;
    int icone;           // ImageVatrelix (ImagesVatrelix.h)
    GestionnaireCommande executer;
    Bulle bulle;
};

// Élément d'une barre d'outils : une commande ou un bouton déroulant nommé, ou bien
// un séparateur de la largeur donnée (commande vide).
struct ElementBarre
{
    QString commande;
    int separateur = 0;
};

// Un menu : son libellé, son icône (ImageVatrelix ; ImgAucune : aucune) et ses éléments, dans
// l'ordre. Un élément est un nom de commande, "-" pour un séparateur, ou ">" suivi du libellé
// d'un sous-menu.
struct DefinitionMenu
{
    QString libelle;
    int icone;
    QStringList elements;
};

// Colonnes des vues en liste.
enum ColonneArticles : int { ColArticleNom, ColArticlePrix, ColArticleRemarque };
enum ColonneLC : int { ColLCNb, ColLCArticle, ColLCRemarque, ColLCRayon, ColLCPU, ColLCTotal };

// Tags des trois vues. Des entiers : ils vivent dans la propriété "tag" de chaque vue et
// voyagent, écrits en chiffres, dans les données d'un glissement (kTypeGlisser).
enum TagVue : int { TagArbreRayons = 1, TagListeArticles = 2, TagListeCourses = 3 };

// Codes de touche virtuelle nommés. Les gestionnaires de touche reçoivent un int et non ce
// type : toute touche a un code, les lettres et les chiffres celui de leur caractère ASCII,
// F1 à F24 ceux qui suivent ToucheF1.
enum ToucheVirtuelle : int {
    ToucheEntree = 13, ToucheMaj = 16, ToucheCtrl = 17, ToucheAlt = 18, ToucheEchap = 27, ToucheEspace = 32,
    ToucheGauche = 37, ToucheHaut = 38, ToucheDroite = 39, ToucheBas = 40, ToucheSuppr = 46, ToucheX = 88,
    ToucheF1 = 112, ToucheF9 = 120,
};

// Les contrôles de la fiche, sous leurs noms (objectName), réunis comme dans une classe
// d'interface générée : créés par la construction de la fenêtre, qui les possède.
struct ControlesFormPrincipale
{
    QToolBar* barreOutilsMenu = nullptr;
    QToolBar* barreOutilsPrincipale = nullptr;
    QList<QMenu*> MainMenu1;
    QMenu* menuAjouterRayon = nullptr;
    QMenu* menuCouleurs = nullptr;
    QToolButton* btlAjouterRayon = nullptr;
    QToolButton* btAffichageGeneral = nullptr;
    QWidget* barreStatus2 = nullptr;
    TPaintBox* barreStatusP0 = nullptr;
    QSplitter* Splitter3 = nullptr;
    TPaintBox* barreStatusP1 = nullptr;
    TPaintBox* barreProgression = nullptr;
    QWidget* panelRayons = nullptr;
    TPaintBox* titreRayons = nullptr;
    QSplitter* Splitter2 = nullptr;
    QTreeView* arbreRayon = nullptr;
    QStandardItemModel* modeleArbreRayon = nullptr;
    QWidget* panelListeArticles = nullptr;
    QLabel* lbListeArticles = nullptr;
    QTreeWidget* listeArticles = nullptr;
    // Recherche : le champ au-dessus de la liste d'articles et les résultats, montrés à la
    // place de la liste tant que le champ n'est pas vide.
    QLineEdit* champRecherche = nullptr;
    QTreeView* resultatsRecherche = nullptr;
    QWidget* panelOutilsArticles = nullptr;
    QToolBar* barreOutilsRayons = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* panelListeCourses = nullptr;
    TPaintBox* titreListeCourses = nullptr;
    QTreeView* lvListeCourses = nullptr;
    ModeleListeCourses* modeleListeCourses = nullptr;
    // Fichier > Listes récentes, refait à chaque ouverture du menu.
    QMenu* menuListesRecentes = nullptr;
    TPaintBox* barreFactureLC = nullptr;
    QWidget* panelCommandesListeCourses = nullptr;
    QScrollArea* pscrollerListeCourses = nullptr;
    QToolBar* barreOutilsLC = nullptr;
    QTimer* timerDemarrage = nullptr;
    // Menus contextuels des trois vues, tirés de menusContextuels().
    QMenu* menuArbreRayon = nullptr;
    QMenu* menuListeArticles = nullptr;
    QMenu* menuListeCourses = nullptr;
    // Cadre qui suit le contrôle qui a le focus.
    QWidget* cadreFocus = nullptr;
    // Fenêtre d'aide, non modale, créée à la première demande.
    QWidget* fenetreAide = nullptr;
};

class TFormPrincipale : public QWidget
{
public:
    explicit TFormPrincipale(QWidget* parent = nullptr);
    ~TFormPrincipale() override;

    // Le module de données, créé après la fenêtre (ordre du point d'entrée).
    void attacherModuleDonnees(TdmVatrelix* module);
    TdmVatrelix* dmVatrelix() const { return dm; }
    // Les quatre dialogues, créés après le module de données.
    void attacherDialogues(TFormArticle* article, TformRayon* rayon, TformLC* quantite, TformOptions* options);
    TFormArticle* FormArticle = nullptr;
    TformRayon* formRayon = nullptr;
    TformLC* formLC = nullptr;
    TformOptions* formOptions = nullptr;

    // --- Table des commandes ---
    static const QList<DefinitionCommande>& tableCommandes();
    // Menus principaux dans l'ordre de barreOutilsMenu, puis les sous-menus.
    static const QList<DefinitionMenu>& menusPrincipaux();
    static const QList<DefinitionMenu>& sousMenus();
    static const QList<ElementBarre>& elementsBarre(const QString& barre);
    static const DefinitionCommande* commande(const QString& nom);
    // Menus contextuels : libellé = nom de la vue, éléments comme ceux d'un menu ; un élément
    // "commande=Libellé" montre la commande sous ce libellé.
    static const QList<DefinitionMenu>& menusContextuels();
    // Ouvre le menu principal de cet indice sous son bouton, premier élément actif (clavier).
    void ouvrirMenuPrincipal(int indice);
    QAction* action(const QString& nom) const { return listeActions.value(nom); }
    // Entrée unique de toute commande : refusée pendant le départ du compagnon ; l'erreur
    // levée s'affiche dans la boîte standard.
    void executer(GestionnaireCommande gestionnaire);
    // Le hint d'une commande qui le dit (Bulle::Dite) passe au compagnon.
    void executerHint(const QString& hint);
    // Ce qui n'est pas une commande (dépôt, destruction) : l'erreur levée s'affiche de même.
    void executerHorsCommande(const std::function<void()>& action);

    // --- Annuler et rétablir (U_VX_FormPrincipale_Annulation.cpp) ---
    // Une édition : ce qu'elle change dans la base et dans la liste entre, sous ce nom, dans
    // l'historique de chaque document ; l'erreur levée s'affiche comme pour une commande.
    void executerEdition(const QString& nom, const std::function<void()>& action);
    // Défait ou refait la dernière édition, de la base ou de la liste, la plus récente d'abord.
    void annulerExecute();
    void retablirExecute();
    QUndoStack* historiqueBase() const { return m_historiqueBase; }
    QUndoStack* historiqueListe() const { return m_historiqueListe; }
    // La base est relue, une liste est ouverte : son historique repart de rien, et l'édition en
    // cours n'y entre pas.
    void oublierHistoriqueBase();
    void oublierHistoriqueListe();
    // Le titre : le fichier de la liste, « * » tant qu'elle n'est pas enregistrée, puis celui
    // de l'application.
    QString titreFenetre() const;
    void majTitre();
    // Après un pas de l'historique de la base : les vues suivent le modèle.
    void apresHistoriqueBase();
    // La liste et ce qui dit d'où elle vient, repris tels quels par l'historique.
    struct EtatListe
    {
        QStringList lignes;
        QString fichier;
        QStringList lignesEnregistrees;
        QString cheminEmpreinte;
        EmpreinteFichier empreinte;
        std::vector<qsizetype> coches; // rangs des lignes cochées
    };
    EtatListe etatListe() const;
    // Octets que les pas de l'historique de la liste gardent au plus ensemble ; les plus anciens
    // sont oubliés au-delà (le dernier pas est toujours gardé).
    qint64 budgetHistoriqueListe = qint64(64) << 20;
    // fichier : remettre aussi le fichier et son enregistrement (nouvelle liste défaite).
    void restaurerListe(const EtatListe& etat, bool fichier);

    // --- Réglages (fichier de configuration) : lus à la construction, écrits à la destruction ---
    ConfigurationAppli reglages;
    // --- État ---
    // La touche spéciale de la vue (Ctrl, ou X et F9 dans la liste d'articles) est tenue.
    bool toucheSpeciale = false;
    // Total de la liste de courses, tel que son pied l'affiche.
    double totalLC = 0;

    // --- Commandes : base et cycle de vie ---
    void rechargerBDExecute();
    void enregistrerBDExecute();
    void quitterExecute();
    void enregistrerConfigAppliExecute();
    void timerDemarrageTimer();
    // Le démarrage proprement dit, la fenêtre peinte : base, dernière liste, compagnon.
    void demarrer();
    // --- Listes venues d'ailleurs (U_VX_FormPrincipale_Remise.cpp) ---
    // La liste que le démarrage ouvre, comme la commande Ouvrir, à la place de la dernière ;
    // illisible, elle est signalée et la dernière liste est rouverte.
    void ouvrirAuDemarrage(const QString& chemin);
    // Liste remise par une seconde copie (vide : rien à ouvrir) : la fenêtre vient au premier
    // plan, puis l'ouvre comme la commande Ouvrir, questions comprises, dès qu'aucune commande,
    // aucun dialogue ni menu n'est en cours.
    void recevoirListeRemise(const QString& chemin);
    // Pas du démarrage qui allume le compagnon, le place à côté des boutons de la liste et le
    // fait saluer ; reporté tant que la fenêtre montrée n'a pas reçu sa place définitive.
    void lancerCompagnon();
    // --- Commandes : peinture et configuration ---
    void choisirCouleurHautExecute();
    void choisirCouleurBasExecute();
    void repeindreTousDegradesExecute();
    void aProposExecute();
    void afficherAideExecute();
    void configurerOptionsExecute();
    // --- Commandes : rayons ---
    void ajouterRayonExecute();
    void ajouterRayonRacineExecute();
    void modifierRayonExecute();
    void supprimerRayonExecute();
    void majArbreRayonsExecute();
    // --- Commandes : articles ---
    void ajouterArticleExecute();
    void modifierArticleExecute();
    void supprimerArticleExecute();
    void majListeArticlesExecute();
    // Changement du nœud sélectionné de arbreRayon : la liste d'articles est rechargée.
    void arbreRayonChange();
    // Rayon du nœud sélectionné de arbreRayon ; nul sans sélection.
    TRayon* rayonSelectionne() const;
    // Sélectionne le nœud de ce rayon (par identité) ; faux s'il n'est pas dans l'arbre.
    bool selectionnerRayon(const TRayon* rayon);
    // Articles des éléments sélectionnés de listeArticles, dans l'ordre de la liste.
    QList<TArticle*> articlesSelectionnes() const;
    // Article porté par un élément de listeArticles (nul si aucun).
    static TArticle* articleDeLElement(const QTreeWidgetItem* element);
    void importerBDExecute();
    // --- Recherche (U_VX_FormPrincipale_Recherche.cpp) ---
    void rechercherExecute();
    // Filtre les articles selon le champ ; le premier résultat est choisi.
    void lancerRecherche();
    bool rechercheActive() const;
    // Construit l'index s'il le faut, avant la première frappe (le champ prend le focus).
    void preparerRecherche();
    // La base va être relue : l'index et les résultats montrés lâchent l'ancienne forêt.
    void oublierIndexRecherche();
    // Après la relecture : l'index est refait tout de suite si le champ de recherche a le focus.
    void apresRelectureRecherche();
    // Les résultats choisis ; vide (et la recherche relancée) si la base a changé depuis.
    QList<ResultatRecherche> resultatsChoisis();
    // --- Aperçu et partage (U_VX_FormPrincipale_Impression.cpp, U_VX_FormPrincipale_Partage.cpp) ---
    void apercuImpressionExecute();
    // Impression des lignes données sur l'imprimante choisie, annoncée et notée au statut.
    void imprimerListe(QPrinter& imprimante, const QStringList& lignes, const QString& fichier, double total, bool cases);
    // Colonne de cases à cocher à l'impression (réglage de l'utilisateur, sans par défaut).
    void casesImpressionExecute();
    static bool casesAImprimer();
    void copierLCExecute();
    void exporterLCExecute();
    // Listes récentes : la plus récente d'abord, huit au plus.
    static QStringList listesRecentes();
    void retenirListeRecente(const QString& chemin);
    void ouvrirListeRecente(const QString& chemin);
    // --- Commandes : liste de courses ---
    void ajouterDansLCExecute();
    void modifierNbLCExecute();
    void supprimerDeLCExecute();
    void majLCExecute();
    // Rafraîchit la vue de la liste ; connus : ses totaux, s'ils viennent d'être calculés.
    void rafraichirLC(const TotauxLC* connus);
    void nouvelleListeExecute();
    void ouvrirListeExecute();
    void enregistrerLCExecute();
    void enregistrerLCSousExecute();
    void importerLCExecute();
    void fusionnerLignesLCExecute();
    void trierLCExecute();
    void imprimerExecute();
    // --- Commandes : dans le magasin (U_VX_FormPrincipale_Magasin.cpp) ---
    void modeMagasinExecute();
    void effacerCochesExecute();
    void ordreMagasinExecute();
    void trierLCMagasinExecute();
    // Coches des lignes de la liste, lues par ses rangées.
    CochesLC& cochesLC() { return m_coches; }
    // Dialogue de l'ordre du magasin, créé à la première demande.
    TformOrdreMagasin* formOrdreMagasin = nullptr;
    void chargerLC(const QString& chemin);
    // Ouvre ce fichier de liste comme la commande Ouvrir, après son dialogue.
    void ouvrirFichierLC(const QString& chemin);
    // La liste a des modifications pas encore enregistrées (depuis son ouverture, son
    // enregistrement ou sa création).
    bool listeModifiee() const { return m_lignesEnregistrees != lignesLC(); }
    // Issue d'un enregistrement : écrit, annulé (dialogue fermé), ou refusé (écrasement refusé).
    enum class Enregistrement { Ecrit, Annule, Refuse };
    // Enregistrer la liste (enregistrerLCExecute) ; rend ce qui s'est passé.
    Enregistrement enregistrerListe();
    // Enregistrer la base (enregistrerBDExecute) ; faux quand rien n'a été écrit.
    bool enregistrerBase();
    // --- Glisser-déposer et clavier (positions dans le viewport de la cible) ---
    void arbreRayonDragOver(QObject* cible, QObject* source, const QPoint& position, bool& accepter);
    void arbreRayonDragDrop(QObject* cible, QObject* source, const QPoint& position);
    void listeArticlesDragOver(QObject* cible, QObject* source, const QPoint& position, bool& accepter);
    void lvListeCoursesDragOver(QObject* cible, QObject* source, const QPoint& position, bool& accepter);
    void lvListeCoursesDragDrop(QObject* cible, QObject* source, const QPoint& position);
    // touche : code de touche virtuelle (ToucheVirtuelle).
    void arbreRayonKeyDown(int touche);
    void arbreRayonKeyUp(int touche);
    void listeArticlesKeyDown(int touche);
    void listeArticlesKeyUp(int touche);
    void lvListeCoursesKeyDown(int touche);
    void lvListeCoursesKeyUp(int touche);
    // La touche spéciale n'est plus tenue (relâchée, vue ou fenêtre quittée).
    void relacherToucheSpeciale();
    // Ctrl est réellement tenu (glissement en cours) ou ne l'est plus.
    void retenirCtrl();
    void relacherCtrl();
    // Touche enfoncée dans une vue : touche spéciale, Suppr (lance la suppression de la vue) ou autre.
    void toucheEnfoncee(bool speciale, const QString& libelleSpeciale, bool suppression,
                        GestionnaireCommande supprimer);
    // Curseur du survol de l'arbre par un rayon : main, ou copie avec la touche spéciale.
    Qt::CursorShape curseurGlisserArbre = Qt::ArrowCursor;
    // Données d'un glissement parti de cette vue : son tag (TagVue) sous kTypeGlisser.
    static QMimeData* donneesGlisser(const QObject* source);
    static const QString kTypeGlisser;
    int glissementsLances = 0;

    // --- Ligne d'état ---
    // Texte de l'opération (barreStatusP1), redessiné aussitôt.
    void ecrireStatut(const QString& texte);
    // Texte de la touche (barreStatusP0), redessiné aussitôt.
    void ecrireTouche(const QString& texte);
    // Pourcentage de barreProgression ("0" à "100"), redessiné aussitôt.
    void ecrireProgression(const QString& pourcentage);
    void montrerProgression(const QString& pourcentage);
    void cacherProgression();
    QString texteStatut() const;
    QString texteTouche() const;
    QString texteProgression() const;
    // " [date heure]" : l'horodatage des lignes d'état.
    static QString horodatage();
    // Largeur remplie de la jauge : (largeur div 100) × pourcentage.
    static int largeurJauge(int largeur, int pourcentage);
    // Vrai quand quitterExecute a demandé la fin de la boucle d'événements.
    bool terminaisonDemandee() const { return m_terminaisonDemandee; }
    // Vrai quand la base n'a pas pu être lue : son enregistrement demande confirmation.
    bool baseNonChargee() const { return m_baseNonChargee; }
    // Vrai quand le démarrage du compagnon attend la première exposition de la fenêtre.
    bool compagnonEnAttenteDePlacement() const { return m_attenteExposition != nullptr; }
    // Vrai quand le démarrage différé est allé à son terme, compagnon placé compris.
    bool demarrageTermine() const;
    // Appelé à la fin du démarrage différé (mesure du démarrage).
    std::function<void()> apresDemarrage;

    // --- État de la fenêtre (U_VX_FormPrincipale_EtatFenetre.cpp) ---
    // L'état de la fenêtre vit dans ce fichier (ReglagesUtilisateur) : taille, place,
    // séparateurs et colonnes relus aussitôt, rayons ouverts au premier remplissage de
    // l'arbre ; le tout écrit à la destruction. Sans appel, rien n'est lu ni écrit.
    void retenirEtatDans(const QString& fichier);
    void enregistrerEtatFenetre();
    // Parts par défaut du nom dans la liste d'articles, de l'article dans la liste de courses.
    static constexpr double PartNomArticles = 0.5;
    static constexpr double PartArticleLC = 0.6;
    // Largeur des boutons de barreOutilsLC : tous tiennent dans la fenêtre de départ.
    static constexpr int LargeurBoutonLC = 23;
    RepartitionColonnes* colonnesArticles() const { return m_colonnesArticles; }
    RepartitionColonnes* colonnesLC() const { return m_colonnesLC; }

    // --- Contrôles ---
    ControlesFormPrincipale ui;

protected:
    void closeEvent(QCloseEvent* evenement) override;
    void changeEvent(QEvent* evenement) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    bool event(QEvent* evenement) override;
    void paintEvent(QPaintEvent* evenement) override;

private:
    // Construction (U_VX_FormPrincipale.cpp).
    void construireFiche();
    QWidget* construirePanelRayons();
    QWidget* construirePanelListeCourses();
    QWidget* construireBarreStatut();
    // Commandes (U_VX_FormPrincipale_Commandes.cpp).
    void construireActions();
    void construireMenus();
    void construireBarres();
    void remplirBarre(QToolBar* barre, const QString& nom);
    // Peinture (U_VX_FormPrincipale_Statut.cpp, U_VX_FormPrincipale_Peinture.cpp).
    void brancherPeintures();
    void peindreBarresOutils();
    void appliquerCouleurTexte(QToolBar* barre);
    // L'aide d'une commande survolée paraît aussi dans la ligne d'état (U_VX_FormPrincipale_AideSurvol.cpp).
    void brancherAidesSurvol();
    // Réglages (U_VX_FormPrincipale_Configuration.cpp) et base (U_VX_FormPrincipale_Demarrage.cpp).
    void lireConfigAppli();
    bool confirmerEcrasementBase();
    // Le fichier a changé sur le disque : l'écraser ? (réponse par défaut : non).
    bool confirmerEcrasementModifie(const QString& chemin);
    void nettoyerTemporairesOrphelins();
    // Listes venues d'ailleurs : la demandée au démarrage (faux si aucune n'a été ouverte),
    // celles remises en attente que la fenêtre soit libre.
    bool ouvrirListeDemandee();
    bool occupeePourRemise() const;
    void traiterListesRemises();
    void venirAuPremierPlan();
    QString m_listeDemandee;
    QStringList m_listesRemises;
    QTimer* m_attenteRemises = nullptr;
    // Commandes en cours (executerHorsCommande), imbriquées comprises.
    int m_commandesEnCours = 0;
    // Glisser-déposer et touches des trois vues (U_VX_FormPrincipale_GlisserDeposer.cpp).
    void brancherGlisserDeposer();
    // Clavier, menus contextuels, focus et noms accessibles (U_VX_FormPrincipale_Clavier.cpp).
    void brancherClavier();
    void nommerControles();
    void montrerMenuContextuel(QAbstractItemView* vue, QMenu* menu, const QPoint& position);
    // Champ et vue de la recherche (U_VX_FormPrincipale_Recherche.cpp).
    void construireRecherche();
    void construireListesRecentes();
    void preparerCasesImpression();
    // Liste dans fichierLC, retenu comme dernier enregistrement, annoncée (U_VX_FormPrincipale_ListeCourses.cpp).
    // Faux quand l'écrasement d'un fichier changé sur le disque est refusé. remplacementConfirme :
    // l'utilisateur vient d'accepter de remplacer ce fichier.
    bool ecrireLC(const QString& annonce, bool remplacementConfirme);
    // Vide la liste (animations, magasin, fichierLC, statut), sans question.
    void commencerNouvelleListe();
    // Retient la liste telle qu'elle est sur le disque dans chemin.
    void retenirListeEnregistree(const QString& chemin, const EmpreinteFichier& empreinte);
    const QStringList& lignesLC() const;
    // Dans le magasin (U_VX_FormPrincipale_Magasin.cpp).
    void brancherMagasin();
    // Les coches suivent la liste qui vient de changer ; totaux : ceux de toute la liste.
    void suivreCoches(const TotauxLC& totaux);
    // Texte du pied : celui de la liste, puis ce qui reste à acheter en mode magasin.
    QString texteFactureMagasin() const;
    // Une coche a basculé : vue, pied, réglages.
    void cochesBasculees();
    // Coches de la liste du fichier chemin : reprises si ce fichier vient d'être lu, sinon retenues.
    void retenirCoches(const QString& chemin);
    void enregistrerCoches();

    TdmVatrelix* dm = nullptr;
    QHash<QString, QAction*> listeActions;
    // Historiques de la base et de la liste ; chaque pas porte son rang parmi les deux.
    QUndoStack* m_historiqueBase = nullptr;
    QUndoStack* m_historiqueListe = nullptr;
    quint64 m_rangEdition = 0;
    quint64 m_oublisBase = 0;
    quint64 m_oublisListe = 0;
    void construireHistoriques();
    void majActionsHistorique();
    void tenirBudgetHistoriqueListe();
    ProgressionFenetre* m_progression = nullptr;
    bool m_quitterEnCours = false;
    bool m_terminaisonDemandee = false;
    bool m_baseNonChargee = false;
    // La liste telle qu'elle est dans son fichier (ou vide pour une nouvelle liste) et ce
    // fichier tel qu'il a été lu ou écrit, pour voir s'il a changé depuis sur le disque.
    QStringList m_lignesEnregistrees;
    QString m_cheminEmpreinteLC;
    EmpreinteFichier m_empreinteLC;
    // Le fichier que la commande Ouvrir est en train d'ouvrir : jamais écrit pendant ce temps.
    QString m_fichierEnOuverture;
    // Le dialogue d'enregistrement garde ce qu'il montrait la dernière fois.
    QString m_nomDialogueEnregistrement;
    // La touche spéciale retenue est Ctrl, que l'état réel du clavier peut confirmer.
    bool m_toucheSpecialeCtrl = false;
    QObject* m_attenteExposition = nullptr;
    // Le démarrage attend la première peinture de la fenêtre.
    QObject* m_attentePeinture = nullptr;
    static constexpr int k_attentePeintureMaxMs = 1000;
    // Filtre des événements des trois vues ; retiré d'abord à la destruction (les vues
    // perdent alors le focus, la fenêtre n'est déjà plus entière).
    QObject* m_filtreVues = nullptr;
    // État de la fenêtre : son fichier, et les rayons à rouvrir au prochain remplissage de l'arbre.
    void rouvrirRayonsRetenus();
    QString m_fichierEtat;
    // Fond choisi par « Couleur Haut » (invalide : celui du thème).
    QColor m_fondFenetre;
    // Dernière place connue du compagnon avant qu'il ne soit éteint par les options.
    std::optional<QPoint> m_placeCompagnon;
    // Texte d'opération que l'aide d'un bouton survolé a remplacé ; rendu quand la souris part.
    std::optional<QString> m_statutAvantAide;
    QList<QStringList> m_rayonsARouvrir;
    RepartitionColonnes* m_colonnesArticles = nullptr;
    RepartitionColonnes* m_colonnesLC = nullptr;
    CochesLC m_coches;
    TotauxLC m_totauxLC; // de toute la liste, au dernier rafraîchissement
    // Index de la recherche, construit à la première recherche après un changement de la base.
    std::unique_ptr<IndexRecherche> m_indexRecherche;
    ModeleResultats* m_modeleResultats = nullptr;
};

