// Cycle de vie : démarrage différé, rechargement et enregistrement de la base,
// sortie avec ses deux questions, fermeture de la fenêtre.
#include "U_VX_FormPrincipale.h"

#include "Erreurs.h"
#include "Interactions.h"
#include "NomsFichiers.h"
#include "ProgressionFenetre.h"
#include "U_VX_DataModule.h"
#include "U_vx_compagnon.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QTreeWidget>

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
    timerDemarrage->stop();
    rechargerBDExecute();
    try {
        chargerLC(fichierLC);
    } catch (const EFichierErreur& e) {
        // Dernière liste disparue : dit une fois, chemin oublié, le démarrage continue.
        Interactions::courantes().erreurStandard(e.message());
        fichierLC.clear();
    }
    lancerCompagnon();
}

void TFormPrincipale::rechargerBDExecute()
{
    montrerProgression(QStringLiteral("0"));
    ecrireStatut(QStringLiteral("Chargement de la base...  [") + horodatage() + u']');
    dm->viderListeRayons();
    // Tant que la lecture n'a pas abouti, la base en mémoire n'est pas celle du fichier.
    m_baseNonChargee = true;
    dm->chargerBase(*m_progression);
    m_baseNonChargee = false;
    ecrireStatut(QStringLiteral("Chargement de la base... Terminé ! [") + horodatage() + u']');
    majArbreRayonsExecute();
    listeArticles->clear();
    // Plus aucune vue ne montre les rayons détachés : ils peuvent être détruits.
    dm->viderRebuts();
    cacherProgression();
}

bool TFormPrincipale::confirmerEcrasementBase()
{
    if (!FileExists(TdmVatrelix::cheminBase()))
        return true;
    const ReponseMessage r = Interactions::courantes().message(
        QStringLiteral("La base d'articles n'a pas pu être chargée : l'enregistrer remplacerait le fichier "
                       "\"baseVatrelix.xml\" qui n'a pas été lu.\nVoulez-vous vraiment écraser ce fichier ?"),
        TypeMessage::Avertissement, BoutonsMessage::OuiNon);
    return r == ReponseMessage::Oui;
}

void TFormPrincipale::enregistrerBDExecute()
{
    if (m_baseNonChargee && !confirmerEcrasementBase())
        return;
    animerCompagnon(QStringLiteral("Acknowledge"));
    montrerProgression(QStringLiteral("0"));
    ecrireStatut(QStringLiteral("Enregistrement de la base... [") + horodatage() + u']');
    dm->enregistrerBase(*m_progression);
    m_baseNonChargee = false;
    cacherProgression();
}

void TFormPrincipale::quitterExecute()
{
    if (m_quitterEnCours || m_terminaisonDemandee)
        return;
    const Drapeau enCours(m_quitterEnCours);
    animerCompagnon(QStringLiteral("Wave"));

    Interactions& interactions = Interactions::courantes();
    ReponseMessage r = interactions.message(
        QStringLiteral("Voulez-vous enregistrer les modifications apportées à la base d'articles ?"),
        TypeMessage::Confirmation, BoutonsMessage::OuiNonAnnuler);
    if (r == ReponseMessage::Annuler)
        return;
    if (r == ReponseMessage::Oui)
        enregistrerBDExecute();

    r = interactions.message(QStringLiteral("Voulez-vous enregistrer les modifications apportées à la liste de courses ?"),
                             TypeMessage::Confirmation, BoutonsMessage::OuiNonAnnuler);
    if (r == ReponseMessage::Annuler)
        return;
    if (r == ReponseMessage::Oui)
        enregistrerLCExecute();

    montrerProgression(QStringLiteral("50"));
    ecrireStatut(QStringLiteral("Fermeture du compagnon... Veuillez patienter"));
    arreterCompagnon(nomCompagnon);
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
