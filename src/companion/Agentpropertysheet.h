#pragma once
// Feuille de propriétés du serveur.
#include "Agentbase.h"
#include <QPoint>
#include <QSize>

class TAgentPropertySheet : public TAgentBase
{
public:
    explicit TAgentPropertySheet(TMSAgent* agent);
    void InitializeInterface() override;

    TAgentPropertyPage GetPage();
    CodeResultat SetPage(TAgentPropertyPage page);
    QPoint GetPosition();
    QSize GetSize();
    bool GetVisible();
    CodeResultat Show();
    CodeResultat Hide();
};
