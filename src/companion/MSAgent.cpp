#include "MSAgent.h"
#include "Agentaudiooutputproperties.h"
#include "Agentcharacters.h"
#include "Agentcommands.h"
#include "Agentcommandwindow.h"
#include "Agentctrl.h"
#include "Agentpropertysheet.h"
#include "Agentspeechinputproperties.h"
#include "Agentuserinput.h"

namespace {
QString ctx(const char* texte) { return QString::fromLatin1(texte); }

// Crée et lie un sous-objet au premier usage ; aucun en cas d'échec.
template <class T>
T* sousObjet(TMSAgent* agent, std::unique_ptr<T>& objet, const char* contexte)
{
    if (!objet) {
        try {
            auto nouveau = std::make_unique<T>(agent);
            nouveau->InitializeInterface();
            objet = std::move(nouveau);
        } catch (...) {
            agent->ErrorOccured(ctx(contexte));
            return nullptr;
        }
    }
    agent->ResetLastError();
    return objet.get();
}

// ErrorOccured tire code et message de l'exception en cours : on la lève pour la lui donner.
void signalerIntrouvable(TMSAgent* agent, const char* contexte)
{
    try {
        throw EMSAgentObjectNotFound();
    } catch (...) {
        agent->ErrorOccured(ctx(contexte));
    }
}
} // namespace

TMSAgent::TMSAgent(QObject* proprietaire) : QObject(proprietaire), FControl(std::make_unique<TAgentCtrl>(this)) {}

TMSAgent::~TMSAgent()
{
    Disconnect();
    FDestroying = true;
    detruireSousObjets();
    FControl.reset();
}

bool TMSAgent::GetConnected() const
{
    return FControl && FControl->GetIsLoaded();
}

void TMSAgent::SetConnected(bool valeur)
{
    if (valeur)
        Connect();
    else
        Disconnect();
}

bool TMSAgent::Connect()
{
    if (GetConnected())
        return true;
    try {
        FControl->Connect();
    } catch (...) {
        FControl->Disconnect();
        ErrorOccured(ctx(sAgtCreateInstanceMSAgentControl));
        return false;
    }
    FireConnectEvent();
    ResetLastError();
    return true;
}

void TMSAgent::detruireSousObjets()
{
    // Ordre fixé : personnages, sortie audio, fenêtre des commandes, feuille, entrée vocale.
    const auto detruire = [this](auto& objet, const char* contexte) {
        try {
            objet.reset();
        } catch (...) {
            ErrorOccured(ctx(contexte));
        }
    };
    detruire(FCharacters, sAgtUnloadCharacters);
    detruire(FAudioOutput, sAgtUnloadAudioOutput);
    detruire(FCommandWindow, sAgtUnloadCommandWindow);
    detruire(FPropertySheet, sAgtUnloadPropertySheet);
    detruire(FSpeechInput, sAgtUnloadSpeechInput);
}

void TMSAgent::Disconnect()
{
    if (!GetConnected())
        return;
    detruireSousObjets();
    FControl->Disconnect();
    FireDisconnectEvent();
    ResetLastError();
}

void TMSAgent::CheckConnected() const
{
    if (!GetConnected())
        throw EMSAgentNotConnected(ctx(sAgtInstanceNotLoaded));
}

bool TMSAgent::GetInstalled()
{
    return FControl->Installed();
}

const std::shared_ptr<IServeurAgent>& TMSAgent::GetInterface() const
{
    return FControl->Serveur();
}

void TMSAgent::ReleaseInterfaces()
{
    detruireSousObjets();
}

TAgentCharacters* TMSAgent::GetCharacters()
{
    if (!FCharacters) {
        try {
            FCharacters = std::make_unique<TAgentCharacters>(this);
        } catch (...) {
            ErrorOccured(ctx(sAgtGetCharactersCollection));
            return nullptr;
        }
    }
    return FCharacters.get();
}

TAgentAudioOutputProperties* TMSAgent::GetAudioOutput()
{
    return sousObjet(this, FAudioOutput, sAgtGetAudioOutputProperties);
}

TAgentCommandWindow* TMSAgent::GetCommandWindow()
{
    return sousObjet(this, FCommandWindow, sAgtGetCommandWindow);
}

TAgentPropertySheet* TMSAgent::GetPropertySheet()
{
    return sousObjet(this, FPropertySheet, sAgtGetPropertySheet);
}

TAgentSpeechInputProperties* TMSAgent::GetSpeechInput()
{
    return sousObjet(this, FSpeechInput, sAgtGetSpeechInput);
}

TAgentCharacter* TMSAgent::personnageDuNumero(qint32 numero) const
{
    return FCharacters ? FCharacters->CharacterByID(numero) : nullptr;
}

TAgentCharacter* TMSAgent::GetCharacter(qint32 numero)
{
    try {
        TAgentCharacter* personnage = personnageDuNumero(numero);
        if (!personnage)
            throw EMSAgentObjectNotFound();
        ResetLastError();
        return personnage;
    } catch (...) {
        ErrorOccured(ctx(sAgtRetrieveRequestedCharacter));
        return nullptr;
    }
}

QString TMSAgent::GetVersion()
{
    try {
        CheckConnected();
        qint16 majeure = 0;
        qint16 mineure = 0;
        CheckResult(GetInterface()->GetVersion(majeure, mineure));
        ResetLastError();
        return QStringLiteral("%1.%2").arg(majeure).arg(mineure);
    } catch (...) {
        ErrorOccured(ctx(sAgtGetMSAgentVersion));
        return QString();
    }
}

qint32 TMSAgent::GetVersionLong()
{
    try {
        CheckConnected();
        qint16 majeure = 0;
        qint16 mineure = 0;
        CheckResult(GetInterface()->GetVersion(majeure, mineure));
        ResetLastError();
        return (static_cast<qint32>(majeure) << 16) | static_cast<quint16>(mineure);
    } catch (...) {
        ErrorOccured(ctx(sAgtGetMSAgentVersion));
        return 0;
    }
}

CodeResultat TMSAgent::ShowDefaultCharacterProperties(int x, int y)
{
    try {
        CheckConnected();
        CheckResult(GetInterface()->ShowDefaultCharacterProperties(x, y, false));
        ResetLastError();
        return S_OK_AGENT;
    } catch (...) {
        return ErrorOccured(ctx(sAgtShowDefaultCharacterPropertySheet));
    }
}

void TMSAgent::CheckResult(CodeResultat code) const
{
    verifierResultat(code);
}

CodeResultat TMSAgent::ErrorOccured(const QString& contexte)
{
    CodeResultat code = AGENT_E_ERREUR;
    QString message = contexte;
    const auto ajouter = [&message](const QString& texte) {
        if (!texte.isEmpty())
            message += QStringLiteral(": ") + texte;
    };
    if (std::current_exception()) {
        try {
            throw;
        } catch (const EMSAgentError& e) {
            code = e.ErrorCode();
            ajouter(e.message());
        } catch (const EVatrelix& e) {
            ajouter(e.message());
        } catch (const std::exception& e) {
            ajouter(QString::fromLocal8Bit(e.what()));
        } catch (...) {
        }
    }
    FLastError = code;
    FLastErrorMessage = message;
    FireErrorEvent(message, code);
    return code;
}

void TMSAgent::ResetLastError()
{
    FLastError = S_OK_AGENT;
    FLastErrorMessage.clear();
}

TAgentKeys TMSAgent::KeyDataToSet(int touches)
{
    // Bits du serveur dans l'ordre des membres de l'ensemble.
    static const int bits[] = {0x01, 0x10, 0x02, 0x04, 0x08, 0x20, 0x1000};
    TAgentKeys ensemble;
    for (int i = 0; i < 7; ++i)
        if (touches & bits[i])
            ensemble |= static_cast<TAgentKey>(1 << i);
    return ensemble;
}

// --- Déclenchement des événements ---

void TMSAgent::FireActiveClientChangeEvent(qint32 personnage, qint32 etat)
{
    if (FDestroying || !OnActiveClientChange)
        return;
    OnActiveClientChange(this, personnageDuNumero(personnage), static_cast<TAgentClientState>(etat));
}

void TMSAgent::FireActivateInputStateEvent(qint32 personnage, bool active)
{
    if (FDestroying || !OnActivateInputState)
        return;
    OnActivateInputState(this, personnageDuNumero(personnage), active ? aisActive : aisInactive);
}

void TMSAgent::FireBalloonVisibleStateEvent(qint32 personnage, bool visible)
{
    if (FDestroying || !OnBalloonVisibleState)
        return;
    OnBalloonVisibleState(this, personnageDuNumero(personnage), visible ? absVisible : absHidden);
}

void TMSAgent::FireBookmarkEvent(qint32 signet)
{
    if (FDestroying || !OnBookmark)
        return;
    OnBookmark(this, signet);
}

void TMSAgent::FireClickEvent(qint32 personnage, int touches, int x, int y)
{
    if (FDestroying)
        return;
    const TAgentKeys cles = KeyDataToSet(touches);
    const QPoint position(x, y);
    if (OnClick)
        OnClick(this, personnageDuNumero(personnage), cles, position);
    // Relu après le gestionnaire, qui a pu décharger le personnage.
    TAgentCharacter* apres = personnageDuNumero(personnage);
    if (apres && cles.testFlag(akRightButton) && apres->PopupMenu && apres->AutoPopupLu())
        apres->PopupMenu(position);
}

void TMSAgent::FireCommandEvent(qint32 commande, IEntreeUtilisateurAgent* entree)
{
    if (FDestroying || !OnCommand)
        return;
    TAgentCommand* trouvee = nullptr;
    TAgentCharacter* personnage = FCharacters ? FCharacters->FindByCommand(commande, &trouvee) : nullptr;
    std::unique_ptr<TAgentUserInput> choix;
    try {
        choix = std::make_unique<TAgentUserInput>(this, entree);
    } catch (...) {
        ErrorOccured(ctx(sGenQueryUserInputInformation));
        return;
    }
    OnCommand(this, personnage, trouvee, choix.get());
}

void TMSAgent::FireConnectEvent()
{
    if (FDestroying || !OnConnect)
        return;
    OnConnect(this);
}

void TMSAgent::FireDblClickEvent(qint32 personnage, int touches, int x, int y)
{
    if (FDestroying || !OnDblClick)
        return;
    OnDblClick(this, personnageDuNumero(personnage), KeyDataToSet(touches), QPoint(x, y));
}

void TMSAgent::FireDefaultCharacterChangeEvent(const QString& guid)
{
    if (FDestroying || !OnDefaultCharacterChange)
        return;
    OnDefaultCharacterChange(this, guid);
}

void TMSAgent::FireDisconnectEvent()
{
    if (FDestroying || !OnDisconnect)
        return;
    OnDisconnect(this);
}

void TMSAgent::FireDragCompleteEvent(qint32 personnage, int touches, int x, int y)
{
    if (FDestroying)
        return;
    // L'indicateur suit les glissements même sans gestionnaire : la scrutation s'en sert.
    FDragging = false;
    if (OnDragComplete)
        OnDragComplete(this, personnageDuNumero(personnage), KeyDataToSet(touches), QPoint(x, y));
}

void TMSAgent::FireDragStartEvent(qint32 personnage, int touches, int x, int y)
{
    if (FDestroying)
        return;
    FDragging = true;
    if (OnDragStart)
        OnDragStart(this, personnageDuNumero(personnage), KeyDataToSet(touches), QPoint(x, y));
}

void TMSAgent::FireErrorEvent(const QString& message, CodeResultat code)
{
    if (FDestroying || !OnError)
        return;
    OnError(this, message, code);
}

void TMSAgent::FireHelpCompleteEvent(qint32 personnage, qint32 commande, qint32 cause)
{
    if (FDestroying || !OnHelpComplete)
        return;
    OnHelpComplete(this, personnageDuNumero(personnage), commande, static_cast<TAgentHelpState>(cause));
}

void TMSAgent::FireIdleEvent(qint32 personnage, bool debut)
{
    if (FDestroying || !OnIdle)
        return;
    OnIdle(this, personnageDuNumero(personnage), debut ? aidsStart : aidsStop);
}

void TMSAgent::FireListeningStateEvent(qint32 personnage, bool ecoute, qint32 cause)
{
    if (FDestroying || !OnListeningState)
        return;
    OnListeningState(this, personnageDuNumero(personnage), ecoute, static_cast<TAgentListenState>(cause));
}

void TMSAgent::FireMoveEvent(qint32 personnage, int x, int y, qint32 cause)
{
    if (FDestroying || !OnMove)
        return;
    OnMove(this, personnageDuNumero(personnage), QPoint(x, y), static_cast<TAgentMoveCause>(cause));
}

void TMSAgent::FireMouseMoveEvent(TAgentCharacter* personnage, const QPoint& position)
{
    if (FDestroying || !OnMouseMove)
        return;
    OnMouseMove(this, personnage, position);
}

void TMSAgent::FireLoadEvent(TAgentCharacter* personnage)
{
    if (FDestroying || !OnLoad)
        return;
    OnLoad(this, personnage);
}

void TMSAgent::FirePropertyChangeEvent()
{
    if (FDestroying || !OnPropertyChange)
        return;
    OnPropertyChange(this);
}

void TMSAgent::FireRequestCompleteEvent(qint32 requete, qint32 statut)
{
    if (FDestroying)
        return;
    TAgentCharacter* personnage = nullptr;
    if (FCharacters) {
        personnage = FCharacters->FindByRequest(requete);
        // L'enregistrement est retiré avant l'événement, même sans gestionnaire.
        if (!FCharacters->RemoveRequest(requete)) {
            signalerIntrouvable(this, sChsRemoveSpecifiedRequest);
            return;
        }
    }
    if (OnRequestComplete)
        OnRequestComplete(this, personnage, requete, statut);
}

void TMSAgent::FireRequestStartEvent(qint32 requete)
{
    if (FDestroying || !OnRequestStart)
        return;
    TAgentCharacter* personnage = FCharacters ? FCharacters->FindByRequest(requete) : nullptr;
    if (!personnage) {
        signalerIntrouvable(this, sChsRetrieveRequestedCharacterRequest);
        return;
    }
    OnRequestStart(this, personnage, requete);
}

void TMSAgent::FireSizeEvent(qint32 personnage, int largeur, int hauteur)
{
    if (FDestroying || !OnSize)
        return;
    OnSize(this, personnageDuNumero(personnage), largeur, hauteur);
}

void TMSAgent::FireUnloadEvent(TAgentCharacter* personnage)
{
    if (FDestroying || !OnUnload)
        return;
    OnUnload(this, personnage);
}

void TMSAgent::FireVisibleStateEvent(qint32 personnage, bool visible, qint32 cause)
{
    if (FDestroying || !OnVisibleState)
        return;
    OnVisibleState(this, personnageDuNumero(personnage), visible, static_cast<TAgentVisibleState>(cause));
}
