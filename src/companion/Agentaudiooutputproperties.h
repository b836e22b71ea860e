#pragma once
// Réglages de la sortie audio du serveur.
#include "Agentbase.h"

class TAgentAudioOutputProperties : public TAgentBase
{
public:
    explicit TAgentAudioOutputProperties(TMSAgent* agent);
    void InitializeInterface() override;

    bool GetEnabled();
    int GetStatus();
    bool GetUsingSoundEffects();
};
