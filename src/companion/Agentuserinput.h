#pragma once
// Choix d'une commande reconnue ; ne vit que le temps de l'événement OnCommand.
#include "Agentbase.h"

class TAgentUserInput : public TAgentBase
{
public:
    TAgentUserInput(TMSAgent* agent, IEntreeUtilisateurAgent* entree);
    bool GetIsLoaded() const override { return FEntree != nullptr; }

    int GetCount();
    int ItemConfidence(int indice);
    qint32 ItemID(int indice);
    QString ItemText(int indice);

private:
    IEntreeUtilisateurAgent* FEntree;
};
