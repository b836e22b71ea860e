#include "Agentcommandwindow.h"
#include "MSAgent.h"

namespace {
using P = ProprieteFenetreAgent;
}

TAgentCommandWindow::TAgentCommandWindow(TMSAgent* agent) : TAgentBase(agent) {}

void TAgentCommandWindow::InitializeInterface()
{
    GetAgent()->CheckConnected();
    std::shared_ptr<IFenetreCommandesAgent> fenetre;
    verifierResultat(GetAgent()->GetInterface()->GetCommandWindow(fenetre));
    BindInterface(fenetre);
}

QPoint TAgentCommandWindow::GetPosition()
{
    return LirePropriete<QPoint>(P::Position, sCmwGetCommandWindowPosition, QPoint(AGENT_E_HORS_LIMITES, 0));
}
QSize TAgentCommandWindow::GetSize()
{
    return LirePropriete<QSize>(P::Size, sCmwGetCommandWindowSize, QSize(AGENT_E_HORS_LIMITES, 0));
}
bool TAgentCommandWindow::GetVisible() { return LirePropriete<bool>(P::Visible, sCmwGetCommandWindowVisibility); }
CodeResultat TAgentCommandWindow::Show() { return EcrirePropriete(P::Visible, true, sCmwShowCommandWindow); }
CodeResultat TAgentCommandWindow::Hide() { return EcrirePropriete(P::Visible, false, sCmwHideCommandWindow); }
