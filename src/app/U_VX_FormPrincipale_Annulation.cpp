// Annuler et rétablir : un historique par document. Celui de la base rejoue à l'envers le
// journal des opérations du modèle (JournalModele) ; celui de la liste reprend les lignes
// d'avant et d'après, partagées sans copie. Le titre de la fenêtre suit la liste.
#include "U_VX_FormPrincipale.h"

#include "Interactions.h"
#include "JournalModele.h"
#include "U_VX_DataModule.h"

#include <QAction>
#include <QFileInfo>
#include <QTreeWidget>
#include <QUndoStack>

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

class PasListe : public PasHistorique
{
public:
    PasListe(TFormPrincipale& f, const QString& nom, quint64 rang, TFormPrincipale::EtatListe avant,
             TFormPrincipale::EtatListe apres)
        : PasHistorique(f, nom, rang), avant(std::move(avant)), apres(std::move(apres)),
          fichier(this->avant.fichier != this->apres.fichier)
    {
    }
    void undo() override { f.restaurerListe(avant, fichier); }
    void redo() override
    {
        if (!std::exchange(dejaFait, false))
            f.restaurerListe(apres, fichier);
    }

private:
    const TFormPrincipale::EtatListe avant;
    const TFormPrincipale::EtatListe apres;
    // Le pas change de fichier (nouvelle liste) : le fichier et son enregistrement suivent.
    const bool fichier;
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
    if (dm && dm->listeCourses != avant.lignes && oublisListe == m_oublisListe)
        m_historiqueListe->push(new PasListe(*this, nom, ++m_rangEdition, avant, etatListe()));
    majTitre();
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
    return {lignesLC(), reglages.fichierLC, m_lignesEnregistrees, m_cheminEmpreinteLC, m_empreinteLC};
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
