// Glisser-déposer entre les trois vues et touches spéciales : déplacement ou copie de
// rayons et d'articles, achat par dépôt sur la liste de courses, touche Suppr de chaque vue.
#include "U_VX_FormPrincipale.h"

#include "ArbreRayons.h"
#include "CurseursGlisser.h"
#include "SelectionVues.h"
#include "U_Article.h"
#include "U_VX_DataModule.h"
#include "U_rayon.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>

const QString TFormPrincipale::kTypeGlisser = QStringLiteral("application/x-vatrelix-vue");

namespace {

int tagDe(const QObject* vue)
{
    return vue ? vue->property("tag").toInt() : 0;
}

// Vue arborescente (l'arbre des rayons) de ce tag.
bool estArbre(const QObject* vue, int tag)
{
    return qobject_cast<const QTreeView*>(vue) && !qobject_cast<const QTreeWidget*>(vue) && tagDe(vue) == tag;
}

// Vue en liste (articles, liste de courses) de ce tag ; le tag de l'arbre n'en est pas un.
bool estListe(const QObject* vue, int tag)
{
    return tag != TagArbreRayons && qobject_cast<const QTreeView*>(vue) && tagDe(vue) == tag;
}

// Code de touche virtuelle : seules comptent Ctrl, Suppr, X et F9 ; les autres gardent un
// code distinct de ceux-là.
int codeVirtuel(const QKeyEvent& e)
{
    const int k = e.key();
    switch (k) {
    case Qt::Key_Control: return ToucheCtrl;
    case Qt::Key_Shift: return ToucheMaj;
    case Qt::Key_Alt: return ToucheAlt;
    case Qt::Key_Delete: return ToucheSuppr;
    case Qt::Key_Escape: return ToucheEchap;
    case Qt::Key_Return:
    case Qt::Key_Enter: return ToucheEntree;
    case Qt::Key_Space: return ToucheEspace;
    case Qt::Key_Left: return ToucheGauche;
    case Qt::Key_Up: return ToucheHaut;
    case Qt::Key_Right: return ToucheDroite;
    case Qt::Key_Down: return ToucheBas;
    default: break;
    }
    // Lettres et chiffres : leur code ASCII, qui est aussi celui de Qt.
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))
        return k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return ToucheF1 + (k - Qt::Key_F1);
    return 0;
}

// Branche les événements de glissement et de clavier des vues sur les gestionnaires.
class FiltreGlisserDeposer : public QObject
{
public:
    explicit FiltreGlisserDeposer(TFormPrincipale& f) : QObject(&f), m_f(f) {}

    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        switch (evenement->type()) {
        case QEvent::KeyPress:
            touche(objet, static_cast<QKeyEvent*>(evenement), true);
            return false; // la vue traite la touche comme d'habitude
        case QEvent::KeyRelease:
            touche(objet, static_cast<QKeyEvent*>(evenement), false);
            return false;
        case QEvent::FocusOut:
            // Le relâchement ira ailleurs (dialogue, autre fenêtre) : la touche ne reste pas retenue.
            m_f.relacherToucheSpeciale();
            return false;
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(evenement)->button() == Qt::LeftButton)
                m_appui = static_cast<QMouseEvent*>(evenement)->position().toPoint();
            return false;
        case QEvent::MouseMove:
            return glisserDepuis(vueDe(objet), *static_cast<QMouseEvent*>(evenement));
        case QEvent::DragEnter:
        case QEvent::DragMove:
            survol(vueDe(objet), *static_cast<QDragMoveEvent*>(evenement));
            return true;
        case QEvent::DragLeave:
            return true;
        case QEvent::Drop:
            depot(vueDe(objet), *static_cast<QDropEvent*>(evenement));
            return true;
        default:
            return false;
        }
    }

private:
    // Les événements de souris et de glissement arrivent au viewport de la vue.
    QAbstractItemView* vueDe(QObject* objet) const
    {
        for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(m_f.ui.arbreRayon),
                                     static_cast<QAbstractItemView*>(m_f.ui.listeArticles),
                                     static_cast<QAbstractItemView*>(m_f.ui.lvListeCourses)})
            if (objet == v || objet == v->viewport())
                return v;
        return nullptr;
    }

    void touche(QObject* objet, const QKeyEvent* e, bool enfoncee)
    {
        QAbstractItemView* vue = vueDe(objet);
        const int code = codeVirtuel(*e);
        if (vue == m_f.ui.arbreRayon)
            enfoncee ? m_f.arbreRayonKeyDown(code) : m_f.arbreRayonKeyUp(code);
        else if (vue == m_f.ui.listeArticles)
            enfoncee ? m_f.listeArticlesKeyDown(code) : m_f.listeArticlesKeyUp(code);
        else if (vue == m_f.ui.lvListeCourses)
            enfoncee ? m_f.lvListeCoursesKeyDown(code) : m_f.lvListeCoursesKeyUp(code);
    }

    // L'arbre et la liste d'articles lancent eux-mêmes le glissement, avec la vue source
    // dans les données (le dépôt la retrouve même sans glissement du système).
    bool glisserDepuis(QAbstractItemView* vue, const QMouseEvent& e)
    {
        if (!vue || vue == m_f.ui.lvListeCourses || !(e.buttons() & Qt::LeftButton))
            return false;
        const QPoint ici = e.position().toPoint();
        if ((ici - m_appui).manhattanLength() < QApplication::startDragDistance())
            return false;
        if (!vue->indexAt(m_appui).isValid() || !vue->selectionModel()->hasSelection())
            return false;
        QDrag* glisser = creerGlissement(vue);
        ++m_f.glissementsLances;
        glisser->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
        return true;
    }

    QObject* sourceDe(const QDropEvent& e) const
    {
        if (QObject* s = e.source())
            return s;
        // Glissement simulé ou venu d'ailleurs : la vue nommée par les données.
        if (!e.mimeData() || !e.mimeData()->hasFormat(TFormPrincipale::kTypeGlisser))
            return nullptr;
        switch (e.mimeData()->data(TFormPrincipale::kTypeGlisser).toInt()) {
        case TagArbreRayons: return m_f.ui.arbreRayon;
        case TagListeArticles: return m_f.ui.listeArticles;
        default: return nullptr;
        }
    }

    bool accepte(QAbstractItemView* cible, QObject* source, const QPoint& position)
    {
        bool accepter = false;
        if (cible == m_f.ui.arbreRayon)
            m_f.arbreRayonDragOver(cible, source, position, accepter);
        else if (cible == m_f.ui.listeArticles)
            m_f.listeArticlesDragOver(cible, source, position, accepter);
        else if (cible == m_f.ui.lvListeCourses)
            m_f.lvListeCoursesDragOver(cible, source, position, accepter);
        return accepter;
    }

    // La touche spéciale suit le clavier réel quand c'est Ctrl : un Ctrl retenu mais relâché
    // ne compte plus, un Ctrl tenu compte là où il est la touche spéciale de la vue.
    void synchroniserCtrl(QAbstractItemView* cible, QObject* source, Qt::KeyboardModifiers modificateurs)
    {
        const bool ctrl = modificateurs.testFlag(Qt::ControlModifier);
        const bool ctrlCompte =
            (cible == m_f.ui.arbreRayon && estArbre(source, TagArbreRayons)) || cible == m_f.ui.lvListeCourses;
        if (ctrl && ctrlCompte)
            m_f.retenirCtrl();
        else if (!ctrl)
            m_f.relacherCtrl();
    }

    void survol(QAbstractItemView* cible, QDragMoveEvent& e)
    {
        QObject* source = sourceDe(e);
        synchroniserCtrl(cible, source, e.modifiers());
        const QPoint position = e.position().toPoint();
        bool ok = accepte(cible, source, position);
        // L'entrée dans l'arbre est acceptée dès que la source peut y être déposée :
        // le survol de chaque nœud décide ensuite.
        if (e.type() == QEvent::DragEnter && cible == m_f.ui.arbreRayon)
            ok = ok || estArbre(source, TagArbreRayons) || tagDe(source) == TagListeArticles;
        if (!ok) {
            e.ignore();
            return;
        }
        // L'action choisit l'image du glissement : main ou glissement multiple selon la touche
        // spéciale, comme curseurGlisserArbre (pris d'elle, sans valeur périmée hors nœud).
        const bool copie = m_f.toucheSpeciale && cible == m_f.ui.arbreRayon;
        e.setDropAction(actionDuCurseur(copie ? Qt::DragCopyCursor : Qt::PointingHandCursor));
        e.accept();
    }

    void depot(QAbstractItemView* cible, QDropEvent& e)
    {
        QObject* source = sourceDe(e);
        synchroniserCtrl(cible, source, e.modifiers());
        const QPoint position = e.position().toPoint();
        if (!accepte(cible, source, position)) {
            e.ignore();
            return;
        }
        e.setDropAction(Qt::CopyAction); // la source ne retire rien : le gestionnaire s'en charge
        e.accept();
        const QString nom = cible != m_f.ui.arbreRayon ? QStringLiteral("Glisser dans la liste")
                            : m_f.toucheSpeciale            ? QStringLiteral("Copier par glissement")
                                                            : QStringLiteral("Déplacer par glissement");
        m_f.executerEdition(nom, [&] {
            if (cible == m_f.ui.arbreRayon)
                m_f.arbreRayonDragDrop(cible, source, position);
            else if (cible == m_f.ui.lvListeCourses)
                m_f.lvListeCoursesDragDrop(cible, source, position);
        });
    }

    TFormPrincipale& m_f;
    QPoint m_appui;
};

} // namespace

QMimeData* TFormPrincipale::donneesGlisser(const QObject* source)
{
    auto* donnees = new QMimeData;
    donnees->setData(kTypeGlisser, QByteArray::number(tagDe(source)));
    return donnees;
}

QDrag* creerGlissement(QAbstractItemView* source)
{
    auto* glisser = new QDrag(source);
    glisser->setMimeData(TFormPrincipale::donneesGlisser(source));
    if (estArbre(source, TagArbreRayons))
        poserCurseursArbre(*glisser);
    return glisser;
}

void TFormPrincipale::brancherGlisserDeposer()
{
    auto* filtre = new FiltreGlisserDeposer(*this);
    m_filtreVues = filtre;
    for (QAbstractItemView* vue : {static_cast<QAbstractItemView*>(ui.arbreRayon),
                                   static_cast<QAbstractItemView*>(ui.listeArticles),
                                   static_cast<QAbstractItemView*>(ui.lvListeCourses)}) {
        vue->setAcceptDrops(true);
        vue->installEventFilter(filtre);
        vue->viewport()->installEventFilter(filtre);
    }
}

// ------------------------------------------------------------------ glisser-déposer

void TFormPrincipale::arbreRayonDragOver(QObject* cible, QObject* source, const QPoint& position, bool& accepter)
{
    accepter = false;
    const auto* arbre = qobject_cast<const QTreeView*>(cible);
    const QModelIndex noeud = arbre ? arbre->indexAt(position) : QModelIndex();
    if (estArbre(source, TagArbreRayons) && estArbre(cible, TagArbreRayons) && noeud.isValid()) {
        const TRayon* s = rayonChoisi(*ui.arbreRayon);
        const TRayon* t = rayonDuNoeud(noeud);
        curseurGlisserArbre = toucheSpeciale ? Qt::DragCopyCursor : Qt::PointingHandCursor;
        accepter = destinationRayonAdmise(s, t);
    } else if (tagDe(source) == TagListeArticles && tagDe(cible) == TagArbreRayons) {
        accepter = noeud.isValid();
    }
}

void TFormPrincipale::arbreRayonDragDrop(QObject* cible, QObject* source, const QPoint& position)
{
    const auto* arbre = qobject_cast<const QTreeView*>(cible);
    if (!arbre)
        return;
    if (estArbre(source, TagArbreRayons) && estArbre(cible, TagArbreRayons)) {
        TRayon* s = rayonChoisi(*ui.arbreRayon);
        TRayon* t = rayonDuNoeud(arbre->indexAt(position));
        if (!destinationRayonAdmise(s, t))
            return;
        dm->copierRayon(s, t);
        if (!toucheSpeciale) {
            if (TRayon* pere = s->getPere())
                pere->retirerRayonFils(s);
            else
                dm->retirerRayonRacine(s);
        }
        majArbreRayonsExecute();
        // La sélection recharge la liste d'articles du rayon cible.
        selectionnerRayon(t);
        return;
    }
    if (tagDe(source) == TagListeArticles && tagDe(cible) == TagArbreRayons) {
        TRayon* s = rayonChoisi(*ui.arbreRayon);
        if (!s)
            return;
        for (TArticle* r : articlesChoisis(*ui.listeArticles)) {
            TRayon* t = rayonDuNoeud(arbre->indexAt(position));
            if (!t)
                return;
            t->creerArticle(r->getNom(), r->getPrix(), r->getRemarque());
            if (!toucheSpeciale)
                s->retirerArticle(r);
        }
        majListeArticlesExecute();
    }
}

void TFormPrincipale::listeArticlesDragOver(QObject* cible, QObject* source, const QPoint&, bool& accepter)
{
    // La cible est la liste d'articles elle-même, jamais la liste de courses : tout dépôt y est refusé.
    accepter = tagDe(source) == TagListeArticles && tagDe(cible) == TagListeCourses;
}

void TFormPrincipale::lvListeCoursesDragOver(QObject* cible, QObject* source, const QPoint&, bool& accepter)
{
    accepter = estListe(source, TagListeArticles) && estListe(cible, TagListeCourses);
}

void TFormPrincipale::lvListeCoursesDragDrop(QObject* cible, QObject* source, const QPoint& position)
{
    bool accepter = false;
    lvListeCoursesDragOver(cible, source, position, accepter);
    if (!accepter)
        return;
    ajouterDansLCExecute();
    majLCExecute();
}

// ------------------------------------------------------------------ touches

void TFormPrincipale::toucheEnfoncee(bool speciale, const QString& libelleSpeciale, bool suppression,
                                     GestionnaireCommande supprimer)
{
    m_toucheSpecialeCtrl = false;
    if (speciale) {
        toucheSpeciale = true;
        m_toucheSpecialeCtrl = libelleSpeciale == u"Ctrl";
        ecrireTouche(libelleSpeciale);
    } else if (suppression) {
        toucheSpeciale = false;
        ecrireTouche(QStringLiteral("Suppr"));
        executer(supprimer);
        ecrireTouche(QString());
    } else {
        toucheSpeciale = false;
        ecrireTouche(QString());
    }
}

void TFormPrincipale::arbreRayonKeyDown(int touche)
{
    toucheEnfoncee(touche == ToucheCtrl, QStringLiteral("Ctrl"), touche == ToucheSuppr,
                   &TFormPrincipale::supprimerRayonExecute);
}

void TFormPrincipale::listeArticlesKeyDown(int touche)
{
    toucheEnfoncee(touche == ToucheF9 || touche == ToucheX, QStringLiteral("Spécial"), touche == ToucheSuppr,
                   &TFormPrincipale::supprimerArticleExecute);
}

void TFormPrincipale::lvListeCoursesKeyDown(int touche)
{
    toucheEnfoncee(touche == ToucheCtrl, QStringLiteral("Ctrl"), touche == ToucheSuppr,
                   &TFormPrincipale::supprimerDeLCExecute);
}

void TFormPrincipale::arbreRayonKeyUp(int)
{
    relacherToucheSpeciale();
}

void TFormPrincipale::listeArticlesKeyUp(int)
{
    relacherToucheSpeciale();
}

void TFormPrincipale::lvListeCoursesKeyUp(int)
{
    relacherToucheSpeciale();
}

void TFormPrincipale::changeEvent(QEvent* evenement)
{
    // Fenêtre quittée, touche tenue : son relâchement ira à une autre fenêtre.
    if (evenement->type() == QEvent::ActivationChange && !isActiveWindow())
        relacherToucheSpeciale();
    QWidget::changeEvent(evenement);
}

void TFormPrincipale::relacherToucheSpeciale()
{
    m_toucheSpecialeCtrl = false;
    if (!toucheSpeciale && texteTouche().isEmpty())
        return;
    toucheSpeciale = false;
    ecrireTouche(QString());
}

void TFormPrincipale::retenirCtrl()
{
    if (toucheSpeciale && m_toucheSpecialeCtrl)
        return;
    toucheSpeciale = true;
    m_toucheSpecialeCtrl = true;
    ecrireTouche(QStringLiteral("Ctrl"));
}

void TFormPrincipale::relacherCtrl()
{
    if (m_toucheSpecialeCtrl)
        relacherToucheSpeciale();
}
