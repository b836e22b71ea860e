// Dans le magasin : mode à cases (coches des lignes achetées, gardées dans les réglages de
// l'utilisateur pour le fichier de la liste) et tri dans l'ordre de passage des rayons.
#include "U_VX_FormPrincipale.h"

#include "Conversions.h"
#include "FusionTriLC.h"
#include "Interactions.h"
#include "ModeleListeCourses.h"
#include "ReglagesUtilisateur.h"
#include "SelectionVues.h"
#include "TPaintBox.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormOrdreMagasin.h"
#include "U_rayon.h"
#include "U_vx_compagnon.h"

#include <QAction>
#include <QCryptographicHash>
#include <QKeyEvent>
#include <QTreeView>

#include <cmath>

namespace {

const QString kCleModeMagasin = QStringLiteral("magasin/modeActif");
const QString kCleOrdreMagasin = QStringLiteral("magasin/ordreRayons");

// Clé des coches d'un fichier de liste : son chemin haché (un chemin n'est pas une clé INI sûre).
QString cleCoches(const QString& chemin)
{
    return QStringLiteral("coches/")
           + QString::fromLatin1(QCryptographicHash::hash(chemin.toUtf8(), QCryptographicHash::Sha1).toHex());
}

void cheminsDe(const TRayon& rayon, const QString& prefixe, QStringList& chemins)
{
    const QString chemin = prefixe.isEmpty() ? rayon.getNom() : prefixe + kSeparateurChemin + rayon.getNom();
    chemins << chemin;
    for (int i = 0; i < rayon.getNbRayonsFils(); ++i)
        cheminsDe(*rayon.getRayonFils(i), chemin, chemins);
}

// Espace coche ou décoche les lignes choisies, toutes ensemble, en mode magasin.
class FiltreCoches : public QObject
{
public:
    FiltreCoches(TFormPrincipale& f, QObject* parent) : QObject(parent), m_f(f) {}

protected:
    bool eventFilter(QObject*, QEvent* evenement) override
    {
        if (evenement->type() != QEvent::KeyPress || !m_f.cochesLC().affichees)
            return false;
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->key() != Qt::Key_Space || touche->modifiers() != Qt::NoModifier)
            return false;
        QList<int> indices = rangeesSelectionnees(*m_f.ui.lvListeCourses);
        if (indices.isEmpty() && m_f.ui.lvListeCourses->currentIndex().isValid())
            indices << m_f.ui.lvListeCourses->currentIndex().row();
        const CochesLC& coches = m_f.cochesLC();
        // Une seule décochée suffit pour tout cocher ; toutes cochées, Espace les décoche.
        bool toutes = true;
        for (int i : indices)
            toutes = toutes && coches.cochee(i);
        // Par le modèle, comme un clic sur la case : chaque rangée cochée est signalée.
        ModeleListeCourses& modele = *m_f.ui.modeleListeCourses;
        for (int i : indices)
            modele.setData(modele.index(i, ColLCNb), int(toutes ? Qt::Unchecked : Qt::Checked), Qt::CheckStateRole);
        return true;
    }

private:
    TFormPrincipale& m_f;
};

} // namespace

void TFormPrincipale::brancherMagasin()
{
    QAction* mode = action(QStringLiteral("modeMagasin"));
    mode->setCheckable(true);
    m_coches.affichees = reglagesUtilisateur().value(kCleModeMagasin, false).toBool();
    mode->setChecked(m_coches.affichees);
    m_coches.apresBascule = [this] { cochesBasculees(); };
    ui.lvListeCourses->installEventFilter(new FiltreCoches(*this, this));
}

void TFormPrincipale::modeMagasinExecute()
{
    m_coches.affichees = !m_coches.affichees;
    action(QStringLiteral("modeMagasin"))->setChecked(m_coches.affichees);
    reglagesUtilisateur().setValue(kCleModeMagasin, m_coches.affichees);
    // Les rangées lisent les coches à la peinture : rien à reconstruire.
    ui.lvListeCourses->viewport()->update();
    ui.barreFactureLC->setHint(texteFactureMagasin());
    ui.barreFactureLC->repaint();
    ecrireStatut((m_coches.affichees ? QStringLiteral("Mode magasin : cochez les articles achetés [")
                                     : QStringLiteral("Fin du mode magasin ["))
                 + horodatage() + u']');
}

void TFormPrincipale::effacerCochesExecute()
{
    m_coches.oublier(dm->listeCourses);
    enregistrerCoches();
    ui.lvListeCourses->viewport()->update();
    ui.barreFactureLC->setHint(texteFactureMagasin());
    ui.barreFactureLC->repaint();
    ecrireStatut(QStringLiteral("Coches effacées [") + horodatage() + u']');
}

void TFormPrincipale::suivreCoches(const TotauxLC& totaux)
{
    m_totauxLC = totaux;
    if (m_coches.suivre(dm->listeCourses))
        enregistrerCoches();
}

QString TFormPrincipale::texteFactureMagasin() const
{
    const QString texte = texteFactureLC(m_totauxLC);
    if (!m_coches.affichees)
        return texte;
    const TotauxLC coches = m_coches.totauxCoches();
    double reste = m_totauxLC.total - coches.total;
    // Une différence de sommes de centimes n'est jamais plus petite qu'un centime, sauf nulle.
    if (std::abs(reste) < 0.005)
        reste = 0;
    return texte + QStringLiteral(" | Reste à acheter : ") + IntToStr(m_totauxLC.nbArticles - coches.nbArticles)
           + QStringLiteral(" articles - ") + FormatFloat(QStringLiteral("#,##0.00"), reste) + QStringLiteral(" €");
}

void TFormPrincipale::cochesBasculees()
{
    executerHorsCommande([this] {
        ui.lvListeCourses->viewport()->update();
        ui.barreFactureLC->setHint(texteFactureMagasin());
        ui.barreFactureLC->repaint();
        enregistrerCoches();
    });
}

void TFormPrincipale::retenirCoches(const QString& chemin)
{
    if (m_coches.nombre() > 0) {
        enregistrerCoches();
        return;
    }
    if (chemin.isEmpty()
        || !m_coches.restaurer(dm->listeCourses, reglagesUtilisateur().value(cleCoches(chemin)).toString()))
        return;
    ui.lvListeCourses->viewport()->update();
    ui.barreFactureLC->setHint(texteFactureMagasin());
    ui.barreFactureLC->repaint();
}

void TFormPrincipale::enregistrerCoches()
{
    // Une liste sans fichier garde ses coches pour la séance seulement.
    if (m_cheminEmpreinteLC.isEmpty())
        return;
    const QString texte = m_coches.enregistrement();
    if (texte.isEmpty())
        reglagesUtilisateur().remove(cleCoches(m_cheminEmpreinteLC));
    else
        reglagesUtilisateur().setValue(cleCoches(m_cheminEmpreinteLC), texte);
}

void TFormPrincipale::ordreMagasinExecute()
{
    QStringList existants;
    for (const TRayon* r : dm->listeRayons)
        cheminsDe(*r, QString(), existants);
    if (!formOrdreMagasin)
        formOrdreMagasin = new TformOrdreMagasin(this);
    formOrdreMagasin->couleurHaut = reglages.couleurHaut;
    formOrdreMagasin->couleurBas = reglages.couleurBas;
    formOrdreMagasin->couleurTexte = reglages.couleurTexte;
    formOrdreMagasin->setChemins(
        ordonnerRayonsMagasin(reglagesUtilisateur().value(kCleOrdreMagasin).toStringList(), existants));
    formOrdreMagasin->valide = false;
    Interactions::courantes().montrerModal(formOrdreMagasin);
    if (!formOrdreMagasin->valide)
        return;
    reglagesUtilisateur().setValue(kCleOrdreMagasin, formOrdreMagasin->chemins());
    ecrireStatut(QStringLiteral("Ordre du magasin enregistré [") + horodatage() + u']');
}

void TFormPrincipale::trierLCMagasinExecute()
{
    // Tant qu'aucun ordre n'est enregistré, le dialogue le demande d'abord.
    if (!reglagesUtilisateur().contains(kCleOrdreMagasin)) {
        ordreMagasinExecute();
        if (!reglagesUtilisateur().contains(kCleOrdreMagasin))
            return;
    }
    trierLCOrdreMagasin(dm->listeCourses, nomsRayonsMagasin(reglagesUtilisateur().value(kCleOrdreMagasin).toStringList()));
    majLCExecute();
    animerCompagnon(QStringLiteral("Congratulate"));
    ecrireStatut(QStringLiteral("Tri dans l'ordre du magasin... Terminé ! [") + horodatage() + u']');
}
