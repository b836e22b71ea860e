#pragma once
// Réglages de l'entrée vocale du serveur.
#include "Agentbase.h"

class TAgentSpeechInputProperties : public TAgentBase
{
public:
    explicit TAgentSpeechInputProperties(TMSAgent* agent);
    void InitializeInterface() override;

    bool GetEnabled();
    QString GetHotKey();
    bool GetListeningTip();
};
