// L'aide d'un bouton ou d'une entrée de menu survolés paraît dans la ligne d'état, comme dans
// sa bulle ; le texte d'opération revient quand la souris s'en va.
#include "U_VX_FormPrincipale.h"

#include "TPaintBox.h"

#include <QAction>
#include <QStatusTipEvent>

void TFormPrincipale::brancherAidesSurvol()
{
    // Les boutons liés à une commande reprennent l'aide de leur action (QToolButton suit ses changements).
    for (const DefinitionCommande& c : tableCommandes())
        if (QAction* a = action(c.nom); a && c.bulle == Bulle::Dite)
            a->setStatusTip(c.hint);
}

bool TFormPrincipale::event(QEvent* evenement)
{
    if (evenement->type() != QEvent::StatusTip)
        return QWidget::event(evenement);
    const QString aide = static_cast<QStatusTipEvent*>(evenement)->tip();
    if (!aide.isEmpty()) {
        const QString avant = m_statutAvantAide.value_or(texteStatut());
        ui.barreStatusP1->setHint(aide);
        ui.barreStatusP1->repaint();
        m_statutAvantAide = avant;
    } else if (m_statutAvantAide) {
        // Copie d'abord : ecrireStatut vide le texte retenu.
        const QString avant = *std::exchange(m_statutAvantAide, std::nullopt);
        ecrireStatut(avant);
    }
    return true;
}
