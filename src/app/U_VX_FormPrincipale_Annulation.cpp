// Annuler et rétablir : un historique par document. Celui de la base rejoue à l'envers le
// journal des opérations du modèle (JournalModele) ; celui de la liste ne garde que les lignes
// qui changent, dans un budget d'octets. Le titre de la fenêtre suit la liste.
#include "U_VX_FormPrincipale.h"

#include "Interactions.h"
#include "JournalModele.h"
#include "U_VX_DataModule.h"

#include <QAction>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QUndoStack>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// Un pas d'un des deux historiques ; son rang ordonne les pas des deux. Poussé une fois fait :
// le premier redo() que QUndoStack appelle n'a rien à faire.
class PasHistorique : public QUndoCommand
{
public:
    PasHistorique(TFormPrincipale& f, const QString& nom, quint64 rang) : QUndoCommand(nom), f(f), rang(rang) {}
    TFormPrincipale& f;
    const quint64 rang;

protected:
    bool dejaFait = true;
};

class PasBase : public PasHistorique
{
public:
    PasBase(TFormPrincipale& f, const QString& nom, quint64 rang, JournalModele journal)
        : PasHistorique(f, nom, rang), journal(std::move(journal))
    {
    }
    void undo() override
    {
        journal.defaire(f.dmVatrelix()->listeRayons);
        f.apresHistoriqueBase();
    }
    void redo() override
    {
        if (std::exchange(dejaFait, false))
            return;
        journal.refaire(f.dmVatrelix()->listeRayons);
        f.apresHistoriqueBase();
    }

private:
    const JournalModele journal;
};

// Ce qu'un pas de la liste garde : les lignes du milieu qui changent (le début et la fin
// communs se reprennent de la liste courante), les coches, et d'où vient la liste si le pas
// change de fichier (nouvelle liste).
struct ContenuPasListe
{
    qsizetype debut = 0; // lignes communes au début
    qsizetype fin = 0;   // lignes communes à la fin
    QStringList avant;
    QStringList apres;
    TFormPrincipale::EtatListe etatAvant; // sans lignes ; lignesEnregistrees si fichier seulement
    TFormPrincipale::EtatListe etatApres;
    bool fichier = false;
    qint64 octets = 0;

    static std::shared_ptr<const ContenuPasListe> entre(TFormPrincipale::EtatListe a, TFormPrincipale::EtatListe b)
    {
        auto c = std::make_shared<ContenuPasListe>();
        const PartiesCommunesLC communes = partiesCommunes(a.lignes, b.lignes);
        c->debut = communes.debut;
        c->fin = communes.fin;
        c->avant = a.lignes.mid(c->debut, a.lignes.size() - c->debut - c->fin);
        c->apres = b.lignes.mid(c->debut, b.lignes.size() - c->debut - c->fin);
        c->fichier = a.fichier != b.fichier;
        // Des listes neuves, non vidées : clear() d'une liste partagée en garderait la capacité.
        a.lignes = QStringList();
        b.lignes = QStringList();
        if (!c->fichier) {
            a.lignesEnregistrees = QStringList();
            b.lignesEnregistrees = QStringList();
        }
        const auto octets = [](const QStringList& l) {
            qint64 t = 0;
            for (const QString& x : l)
                t += qint64(sizeof(QString)) + 2 * x.size();
            return t;
        };
        c->octets = octets(c->avant) + octets(c->apres) + octets(a.lignesEnregistrees) + octets(b.lignesEnregistrees)
                    + qint64(sizeof(qsizetype)) * qint64(a.coches.size() + b.coches.size());
        c->etatAvant = std::move(a);
        c->etatApres = std::move(b);
        return c;
    }

    // L'état d'un côté, ses lignes recomposées à partir de celles de l'autre côté ; rien si
    // courantes n'est pas l'autre côté.
    std::optional<TFormPrincipale::EtatListe> etat(const QStringList& courantes, bool versAvant) const
    {
        const QStringList& quitte = versAvant ? apres : avant;
        if (courantes.size() != debut + quitte.size() + fin)
            return std::nullopt;
        TFormPrincipale::EtatListe e = versAvant ? etatAvant : etatApres;
        e.lignes.reserve(debut + (versAvant ? avant : apres).size() + fin);
        e.lignes << courantes.mid(0, debut) << (versAvant ? avant : apres) << courantes.mid(courantes.size() - fin);
        return e;
    }
};

class PasListe : public PasHistorique
{
public:
    PasListe(TFormPrincipale& f, const QString& nom, quint64 rang, std::shared_ptr<const ContenuPasListe> contenu)
        : PasHistorique(f, nom, rang), contenu(std::move(contenu))
    {
    }
    void undo() override { aller(true); }
    void redo() override
    {
        if (!std::exchange(dejaFait, false))
            aller(false);
    }

    const std::shared_ptr<const ContenuPasListe> contenu;

private:
    void aller(bool versAvant)
    {
        if (const auto e = contenu->etat(f.dmVatrelix()->listeCourses, versAvant))
            f.restaurerListe(*e, contenu->fichier);
        else
            qWarning("Historique de la liste : la liste ne correspond plus au pas, rien n'est changé.");
    }
};

quint64 rangDe(const QUndoCommand* pas)
{
    const auto* p = dynamic_cast<const PasHistorique*>(pas);
    return p ? p->rang : 0;
}

// L'historique dont le pas à défaire est le plus récent ; nul : rien à défaire.
QUndoStack* historiqueADefaire(QUndoStack* a, QUndoStack* b)
{
    if (!a->canUndo() || !b->canUndo())
        return a->canUndo() ? a : b->canUndo() ? b : nullptr;
    return rangDe(a->command(a->index() - 1)) > rangDe(b->command(b->index() - 1)) ? a : b;
}

// L'historique dont le pas à refaire est le plus ancien ; nul : rien à refaire.
QUndoStack* historiqueARefaire(QUndoStack* a, QUndoStack* b)
{
    if (!a->canRedo() || !b->canRedo())
        return a->canRedo() ? a : b->canRedo() ? b : nullptr;
    return rangDe(a->command(a->index())) < rangDe(b->command(b->index())) ? a : b;
}

} // namespace

void TFormPrincipale::construireHistoriques()
{
    m_historiqueBase = new QUndoStack(this);
    m_historiqueListe = new QUndoStack(this);
    // Cent pas par document : un pas oublié ne détruit rien (les rebuts gardent ses éléments).
    m_historiqueBase->setUndoLimit(100);
    m_historiqueListe->setUndoLimit(100);
    for (QUndoStack* h : {m_historiqueBase, m_historiqueListe})
        connect(h, &QUndoStack::indexChanged, this, [this] { majActionsHistorique(); });
    // Ctrl+Maj+Z rétablit aussi.
    action(u"retablir"_s)->setShortcuts({QKeySequence(u"Ctrl+Y"_s), QKeySequence(u"Ctrl+Shift+Z"_s)});
    majActionsHistorique();
}

void TFormPrincipale::majActionsHistorique()
{
    // Les libellés de la table, suivis du nom de l'édition.
    const auto suivre = [this](const QString& nom, QUndoStack* h, const QString& texte) {
        QAction* a = action(nom);
        const QString libelle = commande(nom)->libelle;
        a->setText(h ? libelle + u' ' + texte : libelle);
        a->setEnabled(h != nullptr);
    };
    QUndoStack* defaire = historiqueADefaire(m_historiqueBase, m_historiqueListe);
    QUndoStack* refaire = historiqueARefaire(m_historiqueBase, m_historiqueListe);
    suivre(u"annuler"_s, defaire, defaire ? defaire->undoText() : QString());
    suivre(u"retablir"_s, refaire, refaire ? refaire->redoText() : QString());
    majTitre();
}

void TFormPrincipale::executerEdition(const QString& nom, const std::function<void()>& action)
{
    JournalModele journal;
    const EtatListe avant = etatListe();
    const quint64 oublisBase = m_oublisBase;
    const quint64 oublisListe = m_oublisListe;
    {
        const JournalModele::Enregistrement enregistrement(journal);
        executerHorsCommande(action);
    }
    // Même levée en chemin, ce qui a été changé reste défaisable.
    if (!journal.estVide() && oublisBase == m_oublisBase)
        m_historiqueBase->push(new PasBase(*this, nom, ++m_rangEdition, std::move(journal)));
    if (dm && dm->listeCourses != avant.lignes && oublisListe == m_oublisListe) {
        m_historiqueListe->push(new PasListe(*this, nom, ++m_rangEdition, ContenuPasListe::entre(avant, etatListe())));
        tenirBudgetHistoriqueListe();
    }
    majTitre();
}

void TFormPrincipale::tenirBudgetHistoriqueListe()
{
    // Juste après un ajout : tous les pas sont à défaire. Les plus récents qui tiennent dans le
    // budget sont gardés, dans une pile refaite (QUndoStack ne retire pas ses premiers pas).
    const int nombre = m_historiqueListe->count();
    qint64 total = 0;
    int gardes = 0;
    while (gardes < nombre) {
        const auto* pas = static_cast<const PasListe*>(m_historiqueListe->command(nombre - 1 - gardes));
        total += pas->contenu->octets;
        if (gardes > 0 && total > budgetHistoriqueListe)
            break;
        ++gardes;
    }
    if (gardes == nombre)
        return;
    std::vector<std::unique_ptr<PasListe>> copies;
    for (int i = nombre - gardes; i < nombre; ++i) {
        const auto* pas = static_cast<const PasListe*>(m_historiqueListe->command(i));
        copies.push_back(std::make_unique<PasListe>(*this, pas->text(), pas->rang, pas->contenu));
    }
    {
        const QSignalBlocker silence(m_historiqueListe);
        m_historiqueListe->clear();
        for (auto& pas : copies)
            m_historiqueListe->push(pas.release());
    }
    majActionsHistorique();
}

void TFormPrincipale::oublierHistoriqueBase()
{
    ++m_oublisBase;
    m_historiqueBase->clear();
}

void TFormPrincipale::oublierHistoriqueListe()
{
    ++m_oublisListe;
    m_historiqueListe->clear();
}

void TFormPrincipale::annulerExecute()
{
    if (QUndoStack* h = historiqueADefaire(m_historiqueBase, m_historiqueListe)) {
        const QString nom = h->undoText();
        h->undo();
        ecrireStatut(u"Annulation : "_s + nom + u" ["_s + horodatage() + u']');
    }
}

void TFormPrincipale::retablirExecute()
{
    if (QUndoStack* h = historiqueARefaire(m_historiqueBase, m_historiqueListe)) {
        const QString nom = h->redoText();
        h->redo();
        ecrireStatut(u"Rétablissement : "_s + nom + u" ["_s + horodatage() + u']');
    }
}

void TFormPrincipale::apresHistoriqueBase()
{
    // Le rayon choisi reste choisi s'il est encore dans la forêt ; sinon la liste d'articles
    // ne montre plus rien qui en soit sorti.
    TRayon* choisi = rayonSelectionne();
    majArbreRayonsExecute();
    if (choisi && selectionnerRayon(choisi))
        majListeArticlesExecute();
    else
        ui.listeArticles->clear();
}

TFormPrincipale::EtatListe TFormPrincipale::etatListe() const
{
    return {lignesLC(), reglages.fichierLC, m_lignesEnregistrees, m_cheminEmpreinteLC, m_empreinteLC, m_coches.indices()};
}

void TFormPrincipale::restaurerListe(const EtatListe& etat, bool fichier)
{
    dm->listeCourses = etat.lignes;
    if (fichier) {
        reglages.fichierLC = etat.fichier;
        m_lignesEnregistrees = etat.lignesEnregistrees;
        m_cheminEmpreinteLC = etat.cheminEmpreinte;
        m_empreinteLC = etat.empreinte;
    }
    majLCExecute();
    // Les coches suivent les lignes par leur texte ; le pas remet exactement les siennes.
    if (m_coches.indices() != etat.coches) {
        m_coches.poser(dm->listeCourses, etat.coches);
        cochesBasculees();
    }
    majTitre();
}

QString TFormPrincipale::titreFenetre() const
{
    const bool modifiee = listeModifiee();
    const QString nom = QFileInfo(reglages.fichierLC).fileName();
    if (nom.isEmpty() && !modifiee)
        return titreApplication();
    return (nom.isEmpty() ? u"Nouvelle liste"_s : nom) + (modifiee ? u"*"_s : QString()) + u" - "_s
           + titreApplication();
}

void TFormPrincipale::majTitre()
{
    setWindowTitle(titreFenetre());
}
