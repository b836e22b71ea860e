// Le personnage : commandes directes et propriétés lues ou écrites sur le serveur.
#include "Agentballoon.h"
#include "Agentcharacters.h"
#include "Agentcommands.h"
#include "MSAgent.h"

namespace {
QString ctx(const char* texte) { return QString::fromLatin1(texte); }
using P = ProprietePersonnage;
} // namespace

CodeResultat TAgentCharacter::Stop(qint32 requete)
{
    return Garde(ctx(sChrStopCharacter), [&] {
        CheckLoaded();
        verifierResultat(Personnage()->Stop(requete));
    });
}

CodeResultat TAgentCharacter::StopAll(qint32 types)
{
    return Garde(ctx(sChrStopCharacter), [&] {
        CheckLoaded();
        verifierResultat(Personnage()->StopAll(types));
    });
}

CodeResultat TAgentCharacter::Listen(bool ecoute)
{
    return Garde(ctx(sChrSetCharacterListening), [&] {
        CheckLoaded();
        verifierResultat(Personnage()->Listen(ecoute));
    });
}

CodeResultat TAgentCharacter::SetCharacterAsTopMost()
{
    return Garde(ctx(sChrSetCharacterAsTopMost), [&] {
        CheckLoaded();
        verifierResultat(Personnage()->Activate(aasInputActive));
    });
}

CodeResultat TAgentCharacter::SetClientAsActive()
{
    return Garde(ctx(sChrSetClientAsActive), [&] {
        CheckLoaded();
        verifierResultat(Personnage()->Activate(aasActive));
    });
}

CodeResultat TAgentCharacter::SetClientAsNonActive()
{
    return Garde(ctx(sChrSetClientAsNonactive), [&] {
        CheckLoaded();
        verifierResultat(Personnage()->Activate(aasNotActive));
    });
}

CodeResultat TAgentCharacter::ShowPopupMenu(int x, int y)
{
    return Garde(ctx(sChrShowCharacterPopupMenu), [&] {
        CheckLoaded();
        verifierResultat(Personnage()->ShowPopupMenu(x, y));
    });
}

TAgentCharacterAnimationsList TAgentCharacter::GetAnimations()
{
    return GardeLecture<QStringList>(ctx(sChrGetAnimationNames), QStringList(), [&] {
        CheckLoaded();
        QStringList noms;
        verifierResultat(Personnage()->GetAnimationNames(noms));
        FAnimations = noms;
        return FAnimations;
    });
}

bool TAgentCharacter::SupportsAnimation(const QString& animation)
{
    return GetAnimations().contains(animation, Qt::CaseInsensitive);
}

TAgentBalloon* TAgentCharacter::GetBalloon()
{
    return GardeLecture<TAgentBalloon*>(ctx(sChrGetCharacterBalloon), nullptr, [&] {
        if (!FBalloon) {
            CheckLoaded();
            auto bulle = std::make_unique<TAgentBalloon>(this);
            bulle->InitializeInterface();
            FBalloon = std::move(bulle);
        }
        return FBalloon.get();
    });
}

TAgentCommands* TAgentCharacter::GetCommands()
{
    return GardeLecture<TAgentCommands*>(ctx(sChrGetCharacterCommands), nullptr, [&] {
        if (!FCommands) {
            CheckLoaded();
            auto commandes = std::make_unique<TAgentCommands>(this);
            commandes->InitializeInterface();
            FCommands = std::move(commandes);
        }
        return FCommands.get();
    });
}

QPoint TAgentCharacter::GetPosition()
{
    return GardeLecture<QPoint>(ctx(sChrGetCharacterPosition), QPoint(AGENT_E_HORS_LIMITES, 0), [&] {
        CheckLoaded();
        int x = 0;
        int y = 0;
        verifierResultat(Personnage()->GetPosition(x, y));
        return QPoint(x, y);
    });
}

CodeResultat TAgentCharacter::SetPosition(const QPoint& position)
{
    return Garde(ctx(sChrSetCharacterPosition), [&] {
        CheckLoaded();
        verifierResultat(Personnage()->SetPosition(position.x(), position.y()));
    });
}

QSize TAgentCharacter::GetSize()
{
    return GardeLecture<QSize>(ctx(sChrGetCharacterSize), QSize(AGENT_E_HORS_LIMITES, 0), [&] {
        CheckLoaded();
        int cx = 0;
        int cy = 0;
        verifierResultat(Personnage()->GetSize(cx, cy));
        return QSize(cx, cy);
    });
}

CodeResultat TAgentCharacter::SetSize(const QSize& taille)
{
    return Garde(ctx(sChrSetCharacterSize), [&] {
        CheckLoaded();
        verifierResultat(Personnage()->SetSize(taille.width(), taille.height()));
    });
}

int TAgentCharacter::GetLeft() { return GetPosition().x(); }
int TAgentCharacter::GetTop()
{
    const QPoint p = GetPosition();
    return p.x() == AGENT_E_HORS_LIMITES ? AGENT_E_HORS_LIMITES : p.y();
}
int TAgentCharacter::GetWidth() { return GetSize().width(); }
int TAgentCharacter::GetHeight()
{
    const QSize t = GetSize();
    return t.width() == AGENT_E_HORS_LIMITES ? AGENT_E_HORS_LIMITES : t.height();
}

CodeResultat TAgentCharacter::SetLeft(int valeur)
{
    const QPoint p = GetPosition();
    return p.x() == AGENT_E_HORS_LIMITES ? GetAgent()->LastError() : SetPosition(QPoint(valeur, p.y()));
}

CodeResultat TAgentCharacter::SetTop(int valeur)
{
    const QPoint p = GetPosition();
    return p.x() == AGENT_E_HORS_LIMITES ? GetAgent()->LastError() : SetPosition(QPoint(p.x(), valeur));
}

CodeResultat TAgentCharacter::SetWidth(int valeur)
{
    const QSize t = GetSize();
    return t.width() == AGENT_E_HORS_LIMITES ? GetAgent()->LastError() : SetSize(QSize(valeur, t.height()));
}

CodeResultat TAgentCharacter::SetHeight(int valeur)
{
    const QSize t = GetSize();
    return t.width() == AGENT_E_HORS_LIMITES ? GetAgent()->LastError() : SetSize(QSize(t.width(), valeur));
}

QSize TAgentCharacter::GetOriginalSize()
{
    return LirePropriete<QSize>(P::OriginalSize, sChrGetCharacterOriginalSizes, QSize(AGENT_E_HORS_LIMITES, 0));
}

TAgentActiveState TAgentCharacter::GetActiveState()
{
    return static_cast<TAgentActiveState>(LirePropriete<int>(P::ActiveState, sChrGetCharacterActiveState));
}

CodeResultat TAgentCharacter::SetActiveState(TAgentActiveState etat)
{
    return Garde(ctx(sChrSetCharacterActiveState), [&] {
        CheckLoaded();
        verifierResultat(Personnage()->Activate(etat));
    });
}

bool TAgentCharacter::GetAutoPopup()
{
    const bool valeur = LirePropriete<bool>(P::AutoPopup, sChrGetCharacterAutoPopupEnabled);
    if (GetAgent()->LastError() == S_OK_AGENT)
        FAutoPopup = valeur;
    return valeur;
}

CodeResultat TAgentCharacter::SetAutoPopup(bool valeur)
{
    const CodeResultat code = EcrirePropriete(P::AutoPopup, valeur, sChrSetCharacterAutoPopup);
    if (!echec(code))
        FAutoPopup = valeur;
    return code;
}

QString TAgentCharacter::GetDescription() { return LirePropriete<QString>(P::Description, sChrGetCharacterDescription); }
CodeResultat TAgentCharacter::SetDescription(const QString& valeur)
{
    return EcrirePropriete(P::Description, valeur, sChrSetCharacterDescription);
}
QString TAgentCharacter::GetExtraData() { return LirePropriete<QString>(P::ExtraData, sChrGetCharacterExtraData); }
QString TAgentCharacter::GetGuid() { return LirePropriete<QString>(P::Guid, sChrGetCharacterGUID); }
qint32 TAgentCharacter::GetHelpContextID() { return LirePropriete<qint32>(P::HelpContextID, sChrGetCharacterHelpContext); }
CodeResultat TAgentCharacter::SetHelpContextID(qint32 valeur)
{
    return EcrirePropriete(P::HelpContextID, valeur, sChrSetCharacterHelpContext);
}
QString TAgentCharacter::GetHelpFile() { return LirePropriete<QString>(P::HelpFile, sChrGetCharacterHelpFile); }
CodeResultat TAgentCharacter::SetHelpFile(const QString& valeur)
{
    return EcrirePropriete(P::HelpFile, valeur, sChrSetCharacterHelpFile);
}
bool TAgentCharacter::GetHelpModeOn() { return LirePropriete<bool>(P::HelpModeOn, sChrGetCharacterHelpMode); }
CodeResultat TAgentCharacter::SetHelpModeOn(bool valeur)
{
    return EcrirePropriete(P::HelpModeOn, valeur, sChrSetCharacterHelpMode);
}
bool TAgentCharacter::GetIdleOn() { return LirePropriete<bool>(P::IdleOn, sChrGetCharacterIdleState); }
CodeResultat TAgentCharacter::SetIdleOn(bool valeur)
{
    return EcrirePropriete(P::IdleOn, valeur, sChrSetCharacterIdleState);
}
qint32 TAgentCharacter::GetLanguageID() { return LirePropriete<qint32>(P::LanguageID, sChrGetCharacterLanguageID); }
CodeResultat TAgentCharacter::SetLanguageID(qint32 valeur)
{
    return EcrirePropriete(P::LanguageID, valeur, sChrSetCharacterLanguageID);
}
QString TAgentCharacter::GetName() { return LirePropriete<QString>(P::Name, sChrGetCharacterName); }
CodeResultat TAgentCharacter::SetName(const QString& valeur)
{
    return EcrirePropriete(P::Name, valeur, sChrSetCharacterName);
}
qint32 TAgentCharacter::GetOtherClients()
{
    return LirePropriete<qint32>(P::OtherClients, sChrGetCharacterNumberOtherClients);
}
bool TAgentCharacter::GetSoundEffectsOn() { return LirePropriete<bool>(P::SoundEffectsOn, sChrGetSoundEffectsOn); }
CodeResultat TAgentCharacter::SetSoundEffectsOn(bool valeur)
{
    return EcrirePropriete(P::SoundEffectsOn, valeur, sChrSetSoundEffectsOn);
}
TAgentMoveCause TAgentCharacter::GetMoveCause()
{
    return static_cast<TAgentMoveCause>(LirePropriete<int>(P::MoveCause, sChrGetCharacterLastMoveCause));
}
QString TAgentCharacter::GetSRModeID()
{
    return LirePropriete<QString>(P::SRModeID, sChrGetCharacterSpeechRecognitionModeID);
}
CodeResultat TAgentCharacter::SetSRModeID(const QString& valeur)
{
    return EcrirePropriete(P::SRModeID, valeur, sChrSetSpeechRecognitionModeID);
}
qint32 TAgentCharacter::GetSRStatus()
{
    return LirePropriete<qint32>(P::SRStatus, sChrGetCharacterSpeechRecognitionStatus);
}
QString TAgentCharacter::GetTTSModeID() { return LirePropriete<QString>(P::TTSModeID, sChrGetCharacterTextSpeechModeID); }
CodeResultat TAgentCharacter::SetTTSModeID(const QString& valeur)
{
    return EcrirePropriete(P::TTSModeID, valeur, sChrSetTextSpeechModeID);
}
qint32 TAgentCharacter::GetTTSPitch() { return LirePropriete<qint32>(P::TTSPitch, sChrGetCharacterTextSpeechPitch); }
qint32 TAgentCharacter::GetTTSSpeed() { return LirePropriete<qint32>(P::TTSSpeed, sChrGetCharacterTextSpeechSpeed); }
QString TAgentCharacter::GetVersion() { return LirePropriete<QString>(P::Version, sChrGetCharacterVersion); }
qint32 TAgentCharacter::GetVersionLong()
{
    // "majeure.mineure" : majeure dans le mot haut.
    const QStringList parties = GetVersion().split(QLatin1Char('.'));
    const qint32 majeure = parties.value(0).toInt();
    const qint32 mineure = parties.value(1).toInt();
    return (majeure << 16) | (mineure & 0xFFFF);
}
TAgentVisibleState TAgentCharacter::GetVisibilityCause()
{
    return static_cast<TAgentVisibleState>(LirePropriete<int>(P::VisibilityCause, sChrGetCharacterLastVisibilityCause));
}
bool TAgentCharacter::GetVisible() { return LirePropriete<bool>(P::Visible, sChrGetCharacterVisibleState); }
