#include "Agentpropertysheet.h"
#include "MSAgent.h"

namespace {
using P = ProprieteFenetreAgent;
}

TAgentPropertySheet::TAgentPropertySheet(TMSAgent* agent) : TAgentBase(agent) {}

void TAgentPropertySheet::InitializeInterface()
{
    GetAgent()->CheckConnected();
    std::shared_ptr<IFeuilleProprietesAgent> feuille;
    verifierResultat(GetAgent()->GetInterface()->GetPropertySheet(feuille));
    BindInterface(feuille);
}

TAgentPropertyPage TAgentPropertySheet::GetPage()
{
    return static_cast<TAgentPropertyPage>(LirePropriete<int>(P::Page, sPrsGetPropertySheetPage));
}
CodeResultat TAgentPropertySheet::SetPage(TAgentPropertyPage page)
{
    return EcrirePropriete(P::Page, static_cast<int>(page), sPrsSetPropertySheetPage);
}
QPoint TAgentPropertySheet::GetPosition()
{
    return LirePropriete<QPoint>(P::Position, sPrsGetPropertySheetPosition, QPoint(AGENT_E_HORS_LIMITES, 0));
}
QSize TAgentPropertySheet::GetSize()
{
    return LirePropriete<QSize>(P::Size, sPrsGetPropertySheetSize, QSize(AGENT_E_HORS_LIMITES, 0));
}
bool TAgentPropertySheet::GetVisible() { return LirePropriete<bool>(P::Visible, sPrsGetPropertySheetVisibility); }
CodeResultat TAgentPropertySheet::Show() { return EcrirePropriete(P::Visible, true, sPrsShowPropertySheet); }
CodeResultat TAgentPropertySheet::Hide() { return EcrirePropriete(P::Visible, false, sPrsHidePropertySheet); }
