// Recherche d'articles : champ au-dessus de la liste d'articles, résultats dans une vue sur
// modèle (aucun élément de widget par résultat), ajout à la liste par le dialogue de quantité.
#include "U_VX_FormPrincipale.h"

#include "ArbreRayons.h"
#include "Conversions.h"
#include "RechercheArticles.h"
#include "SelectionVues.h"
#include "U_VX_DataModule.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

enum ColonneResultats : int { ColResNom, ColResPrix, ColResRemarque, ColResRayon, NbColonnesResultats };

class ModeleResultats : public QAbstractTableModel
{
public:
    ModeleResultats(const IndexRecherche& index, QObject* parent) : QAbstractTableModel(parent), m_index(index) {}

    void montrer(const std::vector<int>& lignes)
    {
        beginResetModel();
        m_lignes = lignes;
        endResetModel();
    }
    const ResultatRecherche& resultat(int rangee) const { return m_index.resultat(m_lignes[size_t(rangee)]); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_lignes.size()); }
    int columnCount(const QModelIndex& = {}) const override { return NbColonnesResultats; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::TextAlignmentRole && index.column() == ColResPrix)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        const ResultatRecherche& r = resultat(index.row());
        switch (index.column()) {
        case ColResNom: return r.nom;
        case ColResPrix: return FloatToStr(r.prix) + QStringLiteral(" €");
        case ColResRemarque: return r.remarque;
        default: return r.nomRayon;
        }
    }

    QVariant headerData(int section, Qt::Orientation sens, int role) const override
    {
        if (sens != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const QStringList titres{u"Nom"_s, u"Prix"_s, u"Remarque"_s, u"Rayon"_s};
        return titres.value(section);
    }

private:
    const IndexRecherche& m_index;
    std::vector<int> m_lignes;
};

namespace {

// Échap vide le champ ; Entrée (et Inser dans les résultats) ajoute les résultats choisis ;
// Bas passe du champ aux résultats.
class ClavierRecherche : public QObject
{
public:
    explicit ClavierRecherche(TFormPrincipale& f) : QObject(&f), m_f(f) {}

    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::FocusIn && objet == m_f.ui.champRecherche)
            m_f.executerHorsCommande([this] { m_f.preparerRecherche(); });
        if (evenement->type() != QEvent::KeyPress)
            return false;
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if ((touche->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        switch (touche->key()) {
        case Qt::Key_Escape:
            m_f.ui.champRecherche->clear();
            m_f.ui.champRecherche->setFocus();
            return true;
        case Qt::Key_Insert:
            if (objet != m_f.ui.resultatsRecherche)
                return false;
            [[fallthrough]];
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!m_f.rechercheActive())
                return false;
            m_f.action(u"ajouterDansLC"_s)->trigger();
            return true;
        case Qt::Key_Down:
            if (objet != m_f.ui.champRecherche || !m_f.rechercheActive())
                return false;
            m_f.ui.resultatsRecherche->setFocus();
            return true;
        default:
            return false;
        }
    }

private:
    TFormPrincipale& m_f;
};

} // namespace

void TFormPrincipale::construireRecherche()
{
    m_indexRecherche = std::make_unique<IndexRecherche>();
    ui.champRecherche = new QLineEdit(ui.panelListeArticles);
    ui.champRecherche->setObjectName(u"champRecherche"_s);
    ui.champRecherche->setPlaceholderText(u"Rechercher un article (Ctrl+F)"_s);
    ui.champRecherche->setClearButtonEnabled(true);
    for (QToolButton* vider : ui.champRecherche->findChildren<QToolButton*>())
        vider->setAccessibleName(u"Vider la recherche"_s);
    ui.champRecherche->setAccessibleName(u"Rechercher un article"_s);
    ui.champRecherche->setAccessibleDescription(
        u"Filtre par nom et remarque les articles du rayon choisi et de ses sous-rayons, ou de toute la base ; "
        "Entrée ajoute les résultats choisis à la liste, Échap vide le champ."_s);

    ui.resultatsRecherche = new QTreeView(ui.panelListeArticles);
    ui.resultatsRecherche->setObjectName(u"resultatsRecherche"_s);
    m_modeleResultats = new ModeleResultats(*m_indexRecherche, ui.resultatsRecherche);
    ui.resultatsRecherche->setModel(m_modeleResultats);
    ui.resultatsRecherche->setRootIsDecorated(false);
    ui.resultatsRecherche->setUniformRowHeights(true);
    ui.resultatsRecherche->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ui.resultatsRecherche->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.resultatsRecherche->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui.resultatsRecherche->header()->setSectionsClickable(false);
    ui.resultatsRecherche->setColumnWidth(ColResNom, 100);
    ui.resultatsRecherche->setColumnWidth(ColResPrix, 50);
    ui.resultatsRecherche->setMinimumSize(200, 100);
    ui.resultatsRecherche->setAccessibleName(u"Articles trouvés"_s);
    ui.resultatsRecherche->setAccessibleDescription(
        u"Entrée ajoute les articles choisis à la liste de courses ; Échap vide la recherche."_s);
    ui.resultatsRecherche->hide();

    auto* colonne = static_cast<QVBoxLayout*>(ui.panelListeArticles->layout());
    const int place = colonne->indexOf(ui.listeArticles);
    colonne->insertWidget(place, ui.champRecherche);
    colonne->insertWidget(place + 2, ui.resultatsRecherche, 1);

    auto* clavier = new ClavierRecherche(*this);
    ui.champRecherche->installEventFilter(clavier);
    ui.resultatsRecherche->installEventFilter(clavier);
    connect(ui.champRecherche, &QLineEdit::textChanged, this, [this] { executer(&TFormPrincipale::lancerRecherche); });
    connect(ui.resultatsRecherche, &QTreeView::doubleClicked, this, [this] { action(u"ajouterDansLC"_s)->trigger(); });
    // Un autre rayon choisi change la portée de la recherche.
    connect(ui.arbreRayon->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (rechercheActive())
            executer(&TFormPrincipale::lancerRecherche);
    });
}

bool TFormPrincipale::rechercheActive() const
{
    return ui.champRecherche && !ui.champRecherche->text().trimmed().isEmpty();
}

void TFormPrincipale::rechercherExecute()
{
    // Le focus quitte la vue : sa touche spéciale n'est plus tenue.
    relacherToucheSpeciale();
    ui.champRecherche->setFocus(Qt::ShortcutFocusReason);
    ui.champRecherche->selectAll();
}

void TFormPrincipale::preparerRecherche()
{
    if (dm)
        m_indexRecherche->actualiser(dm->listeRayons);
}

void TFormPrincipale::oublierIndexRecherche()
{
    m_modeleResultats->montrer({});
    m_indexRecherche->vider();
}

void TFormPrincipale::apresRelectureRecherche()
{
    // Une recherche active a déjà suivi la nouvelle base (liste d'articles rafraîchie).
    if (ui.champRecherche->hasFocus() && !rechercheActive())
        preparerRecherche();
}

void TFormPrincipale::lancerRecherche()
{
    const bool active = rechercheActive() && dm;
    if (!active) {
        m_modeleResultats->montrer({});
        if (ui.resultatsRecherche->isVisibleTo(ui.panelListeArticles)) {
            const bool focus = ui.resultatsRecherche->hasFocus();
            ui.resultatsRecherche->hide();
            ui.listeArticles->show();
            if (focus)
                ui.champRecherche->setFocus();
        }
        return;
    }
    m_indexRecherche->actualiser(dm->listeRayons);
    m_modeleResultats->montrer(m_indexRecherche->chercher(ui.champRecherche->text(), rayonChoisi(*ui.arbreRayon)));
    if (!ui.resultatsRecherche->isVisibleTo(ui.panelListeArticles)) {
        // Les commandes des articles n'agissent pas sur une sélection cachée.
        ui.listeArticles->clearSelection();
        ui.listeArticles->hide();
        ui.resultatsRecherche->show();
    }
    if (m_modeleResultats->rowCount() > 0)
        ui.resultatsRecherche->setCurrentIndex(m_modeleResultats->index(0, 0));
}

QList<ResultatRecherche> TFormPrincipale::resultatsChoisis()
{
    // La base a changé sans que la recherche le sache : les résultats montrés ne valent plus.
    if (m_indexRecherche->actualiser(dm->listeRayons)) {
        lancerRecherche();
        return {};
    }
    QList<ResultatRecherche> choisis;
    const QModelIndexList rangees = ui.resultatsRecherche->selectionModel()->selectedRows();
    QList<int> ordre;
    for (const QModelIndex& i : rangees)
        ordre.append(i.row());
    std::sort(ordre.begin(), ordre.end());
    for (int r : ordre)
        choisis.append(m_modeleResultats->resultat(r));
    return choisis;
}
