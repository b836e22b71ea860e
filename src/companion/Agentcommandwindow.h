#pragma once
// Fenêtre des commandes vocales du serveur.
#include "Agentbase.h"
#include <QPoint>
#include <QSize>

class TAgentCommandWindow : public TAgentBase
{
public:
    explicit TAgentCommandWindow(TMSAgent* agent);
    void InitializeInterface() override;

    QPoint GetPosition();
    QSize GetSize();
    bool GetVisible();
    CodeResultat Show();
    CodeResultat Hide();
};
