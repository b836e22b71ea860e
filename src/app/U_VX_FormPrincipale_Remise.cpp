// Listes venues d'ailleurs : celle de la ligne de commande au démarrage, celles qu'une
// seconde copie remet à la fenêtre en cours. Toutes passent par l'ouverture de la commande Ouvrir.
#include "U_VX_FormPrincipale.h"

#include "FichierTexte.h"
#include "U_vx_compagnon.h"

#include <QApplication>
#include <QTimer>

namespace {

// Une liste remise pendant une commande, un dialogue ou un menu attend, vue à ce rythme.
constexpr int k_attenteRemiseMs = 200;

} // namespace

void TFormPrincipale::ouvrirAuDemarrage(const QString& chemin)
{
    m_listeDemandee = chemin;
}

bool TFormPrincipale::ouvrirListeDemandee()
{
    const QString chemin = std::exchange(m_listeDemandee, QString());
    if (chemin.isEmpty())
        return false;
    // Refusée, elle est signalée comme par la commande Ouvrir, et rien n'est ouvert.
    bool ouverte = false;
    executerHorsCommande([&] {
        ouvrirFichierLC(chemin);
        ouverte = reglages.fichierLC == chemin;
    });
    // La dernière liste était celle-là : elle n'est pas relue (ni signalée) une seconde fois.
    if (!ouverte && !reglages.fichierLC.isEmpty() && cibleReelle(reglages.fichierLC) == cibleReelle(chemin))
        reglages.fichierLC.clear();
    return ouverte;
}

void TFormPrincipale::recevoirListeRemise(const QString& chemin)
{
    venirAuPremierPlan();
    if (chemin.isEmpty() || m_terminaisonDemandee)
        return;
    m_listesRemises.append(chemin);
    if (!m_attenteRemises) {
        m_attenteRemises = new QTimer(this);
        m_attenteRemises->setInterval(k_attenteRemiseMs);
        connect(m_attenteRemises, &QTimer::timeout, this, [this] { traiterListesRemises(); });
    }
    // Jamais ouverte pendant la réception même : depuis la boucle d'événements.
    if (!m_attenteRemises->isActive())
        m_attenteRemises->start(0);
}

bool TFormPrincipale::occupeePourRemise() const
{
    return m_commandesEnCours > 0 || !demarrageTermine() || m_quitterEnCours || compagnonEnArret()
           || QApplication::activeModalWidget() || QApplication::activePopupWidget();
}

void TFormPrincipale::traiterListesRemises()
{
    m_attenteRemises->stop();
    if (m_terminaisonDemandee)
        m_listesRemises.clear();
    while (!m_listesRemises.isEmpty()) {
        if (occupeePourRemise()) {
            m_attenteRemises->start(k_attenteRemiseMs);
            return;
        }
        const QString chemin = m_listesRemises.takeFirst();
        executerHorsCommande([&] { ouvrirFichierLC(chemin); });
        majTitre();
    }
}

void TFormPrincipale::venirAuPremierPlan()
{
    if (!isVisible())
        return;
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
    // Un dialogue ouvert reste devant la fenêtre.
    if (QWidget* dialogue = QApplication::activeModalWidget()) {
        dialogue->raise();
        dialogue->activateWindow();
    }
}
