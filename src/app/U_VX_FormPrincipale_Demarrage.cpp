// Cycle de vie : démarrage différé, rechargement et enregistrement de la base,
// sortie avec ses deux questions, fermeture de la fenêtre.
#include "U_VX_FormPrincipale.h"

#include "AttenteExposition.h"
#include "Configuration.h"
#include "Emplacements.h"
#include "Erreurs.h"
#include "FichierTexte.h"
#include "Interactions.h"
#include "NomsFichiers.h"
#include "ProgressionFenetre.h"
#include "U_VX_DataModule.h"
#include "U_vx_compagnon.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>
#include <QWindow>

namespace {

// Remet un drapeau à faux en sortant de la portée, même sur exception.
class Drapeau
{
public:
    explicit Drapeau(bool& drapeau) : m_drapeau(drapeau) { m_drapeau = true; }
    ~Drapeau() { m_drapeau = false; }
    Drapeau(const Drapeau&) = delete;
    Drapeau& operator=(const Drapeau&) = delete;

private:
    bool& m_drapeau;
};

} // namespace

void TFormPrincipale::timerDemarrageTimer()
{
    ui.timerDemarrage->stop();
    // La fenêtre et sa jauge se peignent avant la lecture de la base, quelle qu'en soit la
    // taille : montrée mais pas encore exposée, elle est attendue (une seconde au plus).
    QWindow* fenetre = windowHandle();
    if (isVisible() && fenetre && !fenetre->isExposed()) {
        if (!m_attentePeinture)
            m_attentePeinture = new AttenteExposition(fenetre, this, [this] {
                m_attentePeinture = nullptr;
                executer(&TFormPrincipale::demarrer);
            }, k_attentePeintureMaxMs);
        return;
    }
    demarrer();
}

bool TFormPrincipale::demarrageTermine() const
{
    return !ui.timerDemarrage->isActive() && !m_attentePeinture && !m_attenteExposition;
}

void TFormPrincipale::demarrer()
{
    nettoyerTemporairesOrphelins();
    rechargerBDExecute();
    if (!ouvrirListeDemandee()) {
        try {
            chargerLC(reglages.fichierLC);
        } catch (const std::exception& e) {
            // Dernière liste illisible, quelle qu'en soit la raison : dit une fois, chemin oublié,
            // le démarrage continue.
            const auto* vatrelix = dynamic_cast<const EVatrelix*>(&e);
            Interactions::courantes().erreurStandard(vatrelix ? vatrelix->message()
                                                              : QString::fromLocal8Bit(e.what()));
            reglages.fichierLC.clear();
        }
    }
    if (!reglages.avertissement.isEmpty())
        ecrireStatut(reglages.avertissement);
    lancerCompagnon();
    if (apresDemarrage)
        apresDemarrage();
}

void TFormPrincipale::rechargerBDExecute()
{
    montrerProgression(QStringLiteral("0"));
    ecrireStatut(QStringLiteral("Chargement de la base...  [") + horodatage() + u']');
    // Les vues lâchent l'ancienne base, détruite avant la lecture : la mémoire ne tient jamais
    // les deux bases à la fois.
    oublierIndexRecherche();
    dm->viderListeRayons();
    majArbreRayonsExecute();
    ui.listeArticles->clear();
    // L'historique désigne des éléments de l'ancienne base : oublié avant qu'ils ne soient détruits.
    oublierHistoriqueBase();
    dm->viderRebuts();
    // Tant que la lecture n'a pas abouti, la base en mémoire n'est pas celle du fichier.
    m_baseNonChargee = true;
    dm->chargerBase(*m_progression);
    m_baseNonChargee = false;
    ecrireStatut(QStringLiteral("Chargement de la base... Terminé ! [") + horodatage() + u']');
    majArbreRayonsExecute();
    TdmVatrelix::rendreMemoireLibre();
    cacherProgression();
    apresRelectureRecherche();
}

bool TFormPrincipale::confirmerEcrasementBase()
{
    if (!FileExists(TdmVatrelix::cheminBase()))
        return true;
    const ReponseMessage r = Interactions::courantes().message(
        QStringLiteral("La base d'articles n'a pas pu être chargée : l'enregistrer remplacerait le fichier "
                       "\"baseVatrelix.xml\" qui n'a pas été lu.\nVoulez-vous vraiment écraser ce fichier ?"),
        TypeMessage::Avertissement, BoutonsMessage::OuiNon, ReponseMessage::Non);
    return r == ReponseMessage::Oui;
}

bool TFormPrincipale::confirmerEcrasementModifie(const QString& chemin)
{
    const ReponseMessage r = Interactions::courantes().message(
        QStringLiteral("Le fichier \"%1\" a été modifié sur le disque depuis sa lecture ou son dernier "
                       "enregistrement, par un autre programme.\nL'enregistrer maintenant remplacerait ces "
                       "modifications. Voulez-vous vraiment écraser ce fichier ?")
            .arg(chemin),
        TypeMessage::Avertissement, BoutonsMessage::OuiNon, ReponseMessage::Non);
    return r == ReponseMessage::Oui;
}

void TFormPrincipale::enregistrerBDExecute()
{
    enregistrerBase();
}

bool TFormPrincipale::enregistrerBase()
{
    if (m_baseNonChargee && !confirmerEcrasementBase())
        return false;
    if (dm->baseChangeeSurDisque() && !confirmerEcrasementModifie(TdmVatrelix::cheminBase())) {
        ecrireStatut(QStringLiteral("Enregistrement de la base annulé : le fichier a changé sur le disque [")
                     + horodatage() + u']');
        return false;
    }
    animerCompagnon(QStringLiteral("Acknowledge"));
    montrerProgression(QStringLiteral("0"));
    ecrireStatut(QStringLiteral("Enregistrement de la base... [") + horodatage() + u']');
    try {
        dm->enregistrerBase(*m_progression);
    } catch (...) {
        // La jauge garde son dernier pourcentage, jamais 100 : rien n'annonce un succès.
        ecrireStatut(QStringLiteral("Enregistrement de la base... Échec ! [") + horodatage() + u']');
        throw;
    }
    m_baseNonChargee = false;
    cacherProgression();
    return true;
}

void TFormPrincipale::nettoyerTemporairesOrphelins()
{
    // Une écriture interrompue (processus tué) laisse son temporaire à côté de sa cible.
    QStringList dossiers{repertoireDonnees()};
    for (const QString& fichier : {TdmVatrelix::cheminBase(), cheminConfiguration(), reglages.fichierLC})
        if (!fichier.isEmpty())
            dossiers.append(QFileInfo(cibleReelle(fichier)).absolutePath());
    dossiers.removeDuplicates();
    for (const QString& dossier : std::as_const(dossiers))
        supprimerTemporairesOrphelins(dossier);
}

void TFormPrincipale::quitterExecute()
{
    if (m_quitterEnCours || m_terminaisonDemandee)
        return;
    const Drapeau enCours(m_quitterEnCours);
    animerCompagnon(QStringLiteral("Wave"));

    // Entrée seule ne perd ni n'écrase rien : le bouton par défaut est Annuler.
    Interactions& interactions = Interactions::courantes();
    ReponseMessage r = interactions.message(
        QStringLiteral("Voulez-vous enregistrer les modifications apportées à la base d'articles ?"),
        TypeMessage::Confirmation, BoutonsMessage::OuiNonAnnuler, ReponseMessage::Annuler);
    if (r == ReponseMessage::Annuler)
        return;
    // Un écrasement refusé vaut un enregistrement raté : on reste.
    if (r == ReponseMessage::Oui && !enregistrerBase())
        return;

    // Une liste sans modification depuis son ouverture ou son enregistrement n'a rien à perdre.
    if (listeModifiee()) {
        r = interactions.message(
            QStringLiteral("Voulez-vous enregistrer les modifications apportées à la liste de courses ?"),
            TypeMessage::Confirmation, BoutonsMessage::OuiNonAnnuler, ReponseMessage::Annuler);
        if (r == ReponseMessage::Annuler)
            return;
        if (r == ReponseMessage::Oui && enregistrerListe() == Enregistrement::Refuse)
            return;
    }

    montrerProgression(QStringLiteral("50"));
    ecrireStatut(QStringLiteral("Fermeture du compagnon... Veuillez patienter"));
    arreterCompagnon(reglages.nomCompagnon);
    ecrireProgression(QStringLiteral("100"));
    cacherProgression();

    m_terminaisonDemandee = true;
    QCoreApplication::quit();
}

void TFormPrincipale::closeEvent(QCloseEvent* evenement)
{
    if (m_terminaisonDemandee) {
        evenement->accept();
        return;
    }
    // La fenêtre ne se ferme que par la fin de quitterExecute.
    evenement->ignore();
    // Une sortie déjà en cours (question ouverte) ou un dialogue modal : rien de plus.
    if (m_quitterEnCours || QApplication::activeModalWidget())
        return;
    executer(&TFormPrincipale::quitterExecute);
    // Fermeture acceptée seulement quand la sortie est allée à son terme.
    if (m_terminaisonDemandee)
        evenement->accept();
}
