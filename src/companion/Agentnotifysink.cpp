#include "Agentnotifysink.h"
#include "MSAgent.h"

CodeResultat TAgentNotifySink::QueryInterface(const QUuid& iid)
{
    return iid == IID_IAgentNotifySink || iid == IID_IAgentNotifySinkEx || iid == IID_IUnknown ? S_OK_AGENT
                                                                                                 : E_NOINTERFACE_AGENT;
}

CodeResultat TAgentNotifySink::Command(qint32 commande, IEntreeUtilisateurAgent* entree)
{
    return transmettre([&] { FAgent->FireCommandEvent(commande, entree); });
}
CodeResultat TAgentNotifySink::ActivateInputState(qint32 personnage, bool active)
{
    return transmettre([&] { FAgent->FireActivateInputStateEvent(personnage, active); });
}
// Redémarrage et arrêt du serveur : acquittés, ignorés.
CodeResultat TAgentNotifySink::Restart() { return S_OK_AGENT; }
CodeResultat TAgentNotifySink::Shutdown() { return S_OK_AGENT; }
CodeResultat TAgentNotifySink::VisibleState(qint32 personnage, bool visible, qint32 cause)
{
    return transmettre([&] { FAgent->FireVisibleStateEvent(personnage, visible, cause); });
}
CodeResultat TAgentNotifySink::Click(qint32 personnage, int touches, int x, int y)
{
    return transmettre([&] { FAgent->FireClickEvent(personnage, touches, x, y); });
}
CodeResultat TAgentNotifySink::DblClick(qint32 personnage, int touches, int x, int y)
{
    return transmettre([&] { FAgent->FireDblClickEvent(personnage, touches, x, y); });
}
CodeResultat TAgentNotifySink::DragStart(qint32 personnage, int touches, int x, int y)
{
    return transmettre([&] { FAgent->FireDragStartEvent(personnage, touches, x, y); });
}
CodeResultat TAgentNotifySink::DragComplete(qint32 personnage, int touches, int x, int y)
{
    return transmettre([&] { FAgent->FireDragCompleteEvent(personnage, touches, x, y); });
}
CodeResultat TAgentNotifySink::RequestStart(qint32 requete)
{
    return transmettre([&] { FAgent->FireRequestStartEvent(requete); });
}
CodeResultat TAgentNotifySink::RequestComplete(qint32 requete, qint32 statut)
{
    return transmettre([&] { FAgent->FireRequestCompleteEvent(requete, statut); });
}
CodeResultat TAgentNotifySink::BookMark(qint32 signet)
{
    return transmettre([&] { FAgent->FireBookmarkEvent(signet); });
}
CodeResultat TAgentNotifySink::Idle(qint32 personnage, bool debut)
{
    return transmettre([&] { FAgent->FireIdleEvent(personnage, debut); });
}
CodeResultat TAgentNotifySink::Move(qint32 personnage, int x, int y, qint32 cause)
{
    return transmettre([&] { FAgent->FireMoveEvent(personnage, x, y, cause); });
}
CodeResultat TAgentNotifySink::Size(qint32 personnage, int largeur, int hauteur)
{
    return transmettre([&] { FAgent->FireSizeEvent(personnage, largeur, hauteur); });
}
CodeResultat TAgentNotifySink::BalloonVisibleState(qint32 personnage, bool visible)
{
    return transmettre([&] { FAgent->FireBalloonVisibleStateEvent(personnage, visible); });
}
CodeResultat TAgentNotifySink::HelpComplete(qint32 personnage, qint32 commande, qint32 cause)
{
    return transmettre([&] { FAgent->FireHelpCompleteEvent(personnage, commande, cause); });
}
CodeResultat TAgentNotifySink::ListeningState(qint32 personnage, bool ecoute, qint32 cause)
{
    return transmettre([&] { FAgent->FireListeningStateEvent(personnage, ecoute, cause); });
}
CodeResultat TAgentNotifySink::DefaultCharacterChange(const QString& guid)
{
    return transmettre([&] { FAgent->FireDefaultCharacterChangeEvent(guid); });
}
CodeResultat TAgentNotifySink::AgentPropertyChange()
{
    return transmettre([&] { FAgent->FirePropertyChangeEvent(); });
}
CodeResultat TAgentNotifySink::ActiveClientChange(qint32 personnage, qint32 etat)
{
    return transmettre([&] { FAgent->FireActiveClientChangeEvent(personnage, etat); });
}
