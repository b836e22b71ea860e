#include "Agentctrl.h"
#include "Agentnotifysink.h"

TAgentCtrl::TAgentCtrl(TMSAgent* agent) : TAgentBase(agent) {}

TAgentCtrl::~TAgentCtrl()
{
    Disconnect();
}

void TAgentCtrl::Connect()
{
    if (FServeur)
        return;
    FInstallationSondee = true;
    const CodeResultat creation = creerServeurAgent(CLSID_AgentServer, IID_IAgentEx, CLSCTX_SERVEUR_AGENT, FServeur);
    if (FServeur)
        FServeurInstalle = true;
    verifierResultat(creation);
    if (!FServeur)
        throw EMSAgentBadResult(E_FAIL_AGENT);

    FRecepteur = std::make_unique<TAgentNotifySink>(GetAgent());
    const CodeResultat enregistrement = FServeur->Register(FRecepteur.get(), FNumeroEnregistrement);
    if (echec(enregistrement)) {
        FNumeroEnregistrement = -1;
        throw EMSAgentBadResult(enregistrement, QString::fromLatin1(sAgtRegisterNotificationSink));
    }
}

void TAgentCtrl::Disconnect()
{
    if (FServeur && FNumeroEnregistrement != -1)
        FServeur->Unregister(FNumeroEnregistrement);
    FNumeroEnregistrement = -1;
    FServeur.reset();
    FRecepteur.reset();
}

bool TAgentCtrl::Installed()
{
    if (!FInstallationSondee) {
        FInstallationSondee = true;
        std::shared_ptr<IServeurAgent> essai;
        creerServeurAgent(CLSID_AgentServer, IID_IAgentEx, CLSCTX_SERVEUR_AGENT, essai);
        FServeurInstalle = static_cast<bool>(essai);
    }
    return FServeurInstalle;
}
