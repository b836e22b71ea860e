#include "Agentballoon.h"
#include "Agentcharacters.h"

namespace {
using P = ProprieteBulle;
}

TAgentBalloon::TAgentBalloon(TAgentCharacter* personnage) : TAgentBase(personnage) {}

void TAgentBalloon::InitializeInterface()
{
    auto* personnage = static_cast<TAgentCharacter*>(Parent());
    const auto interfacePersonnage = personnage->InterfacePersonnage();
    if (!interfacePersonnage)
        throw EMSAgentNotLoaded();
    std::shared_ptr<IBulleAgent> bulle;
    verifierResultat(interfacePersonnage->GetBalloon(bulle));
    BindInterface(bulle);
}

QColor TAgentBalloon::GetBackgroundColor() { return LirePropriete<QColor>(P::BackColor, sBalGetBalloonBackgroundColor); }
CodeResultat TAgentBalloon::SetBackgroundColor(const QColor& valeur)
{
    return EcrirePropriete(P::BackColor, valeur, sBalSetBalloonBackgroundColor);
}
QColor TAgentBalloon::GetBorderColor() { return LirePropriete<QColor>(P::BorderColor, sBalGetBalloonBorderColor); }
CodeResultat TAgentBalloon::SetBorderColor(const QColor& valeur)
{
    return EcrirePropriete(P::BorderColor, valeur, sBalSetBalloonBorderColor);
}
bool TAgentBalloon::GetEnabled() { return LirePropriete<bool>(P::Enabled, sBalGetBalloonEnabled); }
CodeResultat TAgentBalloon::SetEnabled(bool valeur) { return EcrirePropriete(P::Enabled, valeur, sBalSetBalloonEnabled); }
int TAgentBalloon::GetFontCharset() { return LirePropriete<int>(P::FontCharSet, sBalGetBalloonFontCharset); }
CodeResultat TAgentBalloon::SetFontCharset(int valeur)
{
    return EcrirePropriete(P::FontCharSet, valeur, sBalSetBalloonFontCharset);
}
QString TAgentBalloon::GetFontName() { return LirePropriete<QString>(P::FontName, sBalGetBalloonFontName); }
CodeResultat TAgentBalloon::SetFontName(const QString& valeur)
{
    return EcrirePropriete(P::FontName, valeur, sBalSetBalloonFontName);
}
int TAgentBalloon::GetFontSize() { return LirePropriete<int>(P::FontSize, sBalGetBalloonFontSize); }
CodeResultat TAgentBalloon::SetFontSize(int valeur) { return EcrirePropriete(P::FontSize, valeur, sBalSetBalloonFontSize); }
int TAgentBalloon::GetFontStyle() { return LirePropriete<int>(P::FontStyle, sBalGetBalloonFontStyle); }
CodeResultat TAgentBalloon::SetFontStyle(int valeur) { return EcrirePropriete(P::FontStyle, valeur, sBalSetBalloonFontStyle); }
QColor TAgentBalloon::GetForegroundColor() { return LirePropriete<QColor>(P::ForeColor, sBalGetBalloonForegroundColor); }
CodeResultat TAgentBalloon::SetForegroundColor(const QColor& valeur)
{
    return EcrirePropriete(P::ForeColor, valeur, sBalSetBalloonForegroundColor);
}
int TAgentBalloon::GetNumLines() { return LirePropriete<int>(P::NumberOfLines, sBalGetNumberLinesBalloon); }
CodeResultat TAgentBalloon::SetNumLines(int valeur) { return EcrirePropriete(P::NumberOfLines, valeur, sBalSetNumberLinesBalloon); }
int TAgentBalloon::GetNumCharsPerLine() { return LirePropriete<int>(P::CharsPerLine, sBalGetNumberCharactersPerLineBalloon); }
CodeResultat TAgentBalloon::SetNumCharsPerLine(int valeur)
{
    return EcrirePropriete(P::CharsPerLine, valeur, sBalSetNumberCharactersPerLineBalloon);
}
TAgentBalloonStyle TAgentBalloon::GetStyle()
{
    return TAgentBalloonStyle::fromInt(LirePropriete<int>(P::Style, sBalGetBalloonStyle));
}
CodeResultat TAgentBalloon::SetStyle(TAgentBalloonStyle valeur)
{
    return EcrirePropriete(P::Style, valeur.toInt(), sBalSetBalloonStyle);
}
bool TAgentBalloon::GetVisible() { return LirePropriete<bool>(P::Visible, sBalGetBalloonVisibility); }
CodeResultat TAgentBalloon::Show() { return EcrirePropriete(P::Visible, true, sBalShowBalloon); }
CodeResultat TAgentBalloon::Hide() { return EcrirePropriete(P::Visible, false, sBalHideBalloon); }

CodeResultat TAgentBalloon::Refresh()
{
    return Garde(QString::fromLatin1(sBalResetBalloonSettings), [&] {
        UnloadInterface();
        InitializeInterface();
    });
}
