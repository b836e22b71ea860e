#pragma once
// Bulle de paroles d'un personnage.
#include "Agentbase.h"
#include <QColor>

class TAgentCharacter;

class TAgentBalloon : public TAgentBase
{
public:
    explicit TAgentBalloon(TAgentCharacter* personnage);
    void InitializeInterface() override;

    QColor GetBackgroundColor();
    CodeResultat SetBackgroundColor(const QColor& valeur);
    QColor GetBorderColor();
    CodeResultat SetBorderColor(const QColor& valeur);
    bool GetEnabled();
    CodeResultat SetEnabled(bool valeur);
    int GetFontCharset();
    CodeResultat SetFontCharset(int valeur);
    QString GetFontName();
    CodeResultat SetFontName(const QString& valeur);
    int GetFontSize();
    CodeResultat SetFontSize(int valeur);
    int GetFontStyle();
    CodeResultat SetFontStyle(int valeur);
    QColor GetForegroundColor();
    CodeResultat SetForegroundColor(const QColor& valeur);
    int GetNumLines();
    CodeResultat SetNumLines(int valeur);
    int GetNumCharsPerLine();
    CodeResultat SetNumCharsPerLine(int valeur);
    TAgentBalloonStyle GetStyle();
    CodeResultat SetStyle(TAgentBalloonStyle valeur);
    bool GetVisible();
    CodeResultat Show();
    CodeResultat Hide();
    // Relit les réglages de la bulle auprès du serveur.
    CodeResultat Refresh();
};
