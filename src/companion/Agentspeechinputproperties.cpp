#include "Agentspeechinputproperties.h"
#include "MSAgent.h"

namespace {
using P = ProprieteEntreeVocale;
}

TAgentSpeechInputProperties::TAgentSpeechInputProperties(TMSAgent* agent) : TAgentBase(agent) {}

void TAgentSpeechInputProperties::InitializeInterface()
{
    GetAgent()->CheckConnected();
    std::shared_ptr<IEntreeVocaleAgent> entree;
    verifierResultat(GetAgent()->GetInterface()->GetSpeechInput(entree));
    BindInterface(entree);
}

bool TAgentSpeechInputProperties::GetEnabled() { return LirePropriete<bool>(P::Enabled, sSpiGetSpeechInputEnabled); }
QString TAgentSpeechInputProperties::GetHotKey() { return LirePropriete<QString>(P::HotKey, sSpiGetSpeechInputHotkey); }
bool TAgentSpeechInputProperties::GetListeningTip()
{
    return LirePropriete<bool>(P::ListeningTip, sSpiGetSpeechInputListeningTipEnabled);
}
