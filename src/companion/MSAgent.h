#pragma once
// Composant agent : la connexion au serveur de personnages, ses sous-objets, le canal
// d'erreur et les événements.
#include "Agentbase.h"
#include <QObject>
#include <QPoint>
#include <functional>

class TAgentCtrl;
class TAgentCharacters;
class TAgentCharacter;
class TAgentCommand;
class TAgentUserInput;
class TAgentAudioOutputProperties;
class TAgentCommandWindow;
class TAgentPropertySheet;
class TAgentSpeechInputProperties;

class TMSAgent : public QObject
{
public:
    explicit TMSAgent(QObject* proprietaire = nullptr);
    ~TMSAgent() override;

    // Connexion
    bool GetConnected() const;
    void SetConnected(bool valeur);
    bool Connect();
    void Disconnect();
    void CheckConnected() const;
    bool GetInstalled();
    const std::shared_ptr<IServeurAgent>& GetInterface() const;
    void ReleaseInterfaces();

    // Sous-objets, créés au premier usage
    TAgentCharacters* GetCharacters();
    TAgentAudioOutputProperties* GetAudioOutput();
    TAgentCommandWindow* GetCommandWindow();
    TAgentPropertySheet* GetPropertySheet();
    TAgentSpeechInputProperties* GetSpeechInput();
    TAgentCharacter* GetCharacter(qint32 numero);
    QString GetVersion();
    qint32 GetVersionLong();
    CodeResultat ShowDefaultCharacterProperties(int x, int y);

    // Canal d'erreur
    CodeResultat LastError() const { return FLastError; }
    QString LastErrorMessage() const { return FLastErrorMessage; }
    void CheckResult(CodeResultat code) const;
    CodeResultat ErrorOccured(const QString& contexte);
    void ResetLastError();

    static TAgentKeys KeyDataToSet(int touches);
    bool Dragging() const { return FDragging; }
    bool Destroying() const { return FDestroying; }

    // Événements publiés, dans leur ordre déclaré
    std::function<void(TMSAgent*, TAgentCharacter*, TAgentClientState)> OnActiveClientChange;
    std::function<void(TMSAgent*, TAgentCharacter*, TAgentInputState)> OnActivateInputState;
    std::function<void(TMSAgent*, TAgentCharacter*, TAgentBalloonState)> OnBalloonVisibleState;
    std::function<void(TMSAgent*, int)> OnBookmark;
    std::function<void(TMSAgent*, TAgentCharacter*, TAgentKeys, QPoint)> OnClick;
    std::function<void(TMSAgent*, TAgentCharacter*, TAgentCommand*, TAgentUserInput*)> OnCommand;
    std::function<void(TMSAgent*)> OnConnect;
    std::function<void(TMSAgent*, TAgentCharacter*, TAgentKeys, QPoint)> OnDblClick;
    std::function<void(TMSAgent*, const QString&)> OnDefaultCharacterChange;
    std::function<void(TMSAgent*)> OnDisconnect;
    std::function<void(TMSAgent*, TAgentCharacter*, TAgentKeys, QPoint)> OnDragComplete;
    std::function<void(TMSAgent*, TAgentCharacter*, TAgentKeys, QPoint)> OnDragStart;
    std::function<void(TMSAgent*, const QString&, CodeResultat)> OnError;
    std::function<void(TMSAgent*, TAgentCharacter*, qint32, TAgentHelpState)> OnHelpComplete;
    std::function<void(TMSAgent*, TAgentCharacter*, TAgentIdleState)> OnIdle;
    std::function<void(TMSAgent*, TAgentCharacter*, bool, TAgentListenState)> OnListeningState;
    std::function<void(TMSAgent*, TAgentCharacter*, QPoint, TAgentMoveCause)> OnMove;
    std::function<void(TMSAgent*, TAgentCharacter*, QPoint)> OnMouseMove;
    std::function<void(TMSAgent*, TAgentCharacter*)> OnLoad;
    std::function<void(TMSAgent*)> OnPropertyChange;
    std::function<void(TMSAgent*, TAgentCharacter*, qint32, int)> OnRequestComplete;
    std::function<void(TMSAgent*, TAgentCharacter*, qint32)> OnRequestStart;
    std::function<void(TMSAgent*, TAgentCharacter*, int, int)> OnSize;
    std::function<void(TMSAgent*, TAgentCharacter*)> OnUnload;
    std::function<void(TMSAgent*, TAgentCharacter*, bool, TAgentVisibleState)> OnVisibleState;

    // Déclenchement, appelé par le récepteur de notifications et par le composant
    void FireActiveClientChangeEvent(qint32 personnage, qint32 etat);
    void FireActivateInputStateEvent(qint32 personnage, bool active);
    void FireBalloonVisibleStateEvent(qint32 personnage, bool visible);
    void FireBookmarkEvent(qint32 signet);
    void FireClickEvent(qint32 personnage, int touches, int x, int y);
    void FireCommandEvent(qint32 commande, IEntreeUtilisateurAgent* entree);
    void FireConnectEvent();
    void FireDblClickEvent(qint32 personnage, int touches, int x, int y);
    void FireDefaultCharacterChangeEvent(const QString& guid);
    void FireDisconnectEvent();
    void FireDragCompleteEvent(qint32 personnage, int touches, int x, int y);
    void FireDragStartEvent(qint32 personnage, int touches, int x, int y);
    void FireErrorEvent(const QString& message, CodeResultat code);
    void FireHelpCompleteEvent(qint32 personnage, qint32 commande, qint32 cause);
    void FireIdleEvent(qint32 personnage, bool debut);
    void FireListeningStateEvent(qint32 personnage, bool ecoute, qint32 cause);
    void FireMoveEvent(qint32 personnage, int x, int y, qint32 cause);
    void FireMouseMoveEvent(TAgentCharacter* personnage, const QPoint& position);
    void FireLoadEvent(TAgentCharacter* personnage);
    void FirePropertyChangeEvent();
    void FireRequestCompleteEvent(qint32 requete, qint32 statut);
    void FireRequestStartEvent(qint32 requete);
    void FireSizeEvent(qint32 personnage, int largeur, int hauteur);
    void FireUnloadEvent(TAgentCharacter* personnage);
    void FireVisibleStateEvent(qint32 personnage, bool visible, qint32 cause);

private:
    // Personnage d'un numéro du serveur, sans rien enregistrer quand il manque.
    TAgentCharacter* personnageDuNumero(qint32 numero) const;
    void detruireSousObjets();

    std::unique_ptr<TAgentCtrl> FControl;
    std::unique_ptr<TAgentCharacters> FCharacters;
    std::unique_ptr<TAgentAudioOutputProperties> FAudioOutput;
    std::unique_ptr<TAgentCommandWindow> FCommandWindow;
    std::unique_ptr<TAgentPropertySheet> FPropertySheet;
    std::unique_ptr<TAgentSpeechInputProperties> FSpeechInput;
    CodeResultat FLastError = S_OK_AGENT;
    QString FLastErrorMessage;
    bool FDragging = false;
    bool FDestroying = false;
};
