// Démarrage du compagnon : il se place à côté des boutons de la liste de courses une fois la
// fenêtre posée par le gestionnaire de fenêtres.
#include "U_VX_FormPrincipale.h"

#include "AttenteExposition.h"
#include "U_vx_compagnon.h"

#include <QEvent>
#include <QWindow>


namespace {

ObjetFenetre objetFenetre(const QWidget& controle)
{
    ObjetFenetre objet;
    objet.origineEcran = controle.mapToGlobal(QPoint(0, 0));
    objet.largeur = controle.width();
    objet.hauteur = controle.height();
    objet.nom = controle.objectName();
    return objet;
}

} // namespace

void TFormPrincipale::lancerCompagnon()
{
    if (m_terminaisonDemandee)
        return;
    // Tant qu'elle n'est pas exposée, la fenêtre montrée n'a pas sa place définitive : le
    // gestionnaire de fenêtres la décale encore (de la hauteur de sa barre de titre).
    QWindow* fenetre = windowHandle();
    if (isVisible() && fenetre && !fenetre->isExposed()) {
        if (!m_attenteExposition)
            m_attenteExposition = new AttenteExposition(fenetre, this, [this] {
                m_attenteExposition = nullptr;
                executer(&TFormPrincipale::lancerCompagnon);
            });
        return;
    }
    compagnonAffiche = reglages.afficherCompagnon;
    demarrerCompagnon(reglages.nomCompagnon, objetFenetre(*ui.panelCommandesListeCourses));
    saluerCompagnon();
}
