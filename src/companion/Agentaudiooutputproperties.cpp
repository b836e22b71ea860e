#include "Agentaudiooutputproperties.h"
#include "MSAgent.h"

namespace {
using P = ProprieteSortieAudio;
}

TAgentAudioOutputProperties::TAgentAudioOutputProperties(TMSAgent* agent) : TAgentBase(agent) {}

void TAgentAudioOutputProperties::InitializeInterface()
{
    GetAgent()->CheckConnected();
    std::shared_ptr<ISortieAudioAgent> sortie;
    verifierResultat(GetAgent()->GetInterface()->GetAudioOutput(sortie));
    BindInterface(sortie);
}

bool TAgentAudioOutputProperties::GetEnabled() { return LirePropriete<bool>(P::Enabled, sAudGetAudioOutputEnabled); }
int TAgentAudioOutputProperties::GetStatus() { return LirePropriete<int>(P::Status, sAudGetAudioOutputStatus); }
bool TAgentAudioOutputProperties::GetUsingSoundEffects()
{
    return LirePropriete<bool>(P::UsingSoundEffects, sAudGetAudioOutputUsesSoundEffects);
}
