#pragma once
// Collection des personnages chargés, table des requêtes et personnage.
#include "Agentbase.h"
#include <QPoint>
#include <QPointer>
#include <QSize>
#include <QStringList>
#include <QWindow>
#include <functional>
#include <vector>

class QObject;
class QTimer;
class TAgentCharacters;
class TAgentCharacter;
class TAgentBalloon;
class TAgentCommands;
class TAgentCommand;

// Le contrôle à côté duquel placer un personnage, rempli par la fenêtre principale.
struct ObjetFenetre
{
    QPoint origineEcran; // coin de la zone client, en coordonnées écran
    int largeur = 0;
    int hauteur = 0;
    QString nom;
};

// Requête en cours : numéro rendu par le serveur et personnage qui l'a émise.
struct TAgentRequest
{
    qint32 numero = 0;
    TAgentCharacter* personnage = nullptr;
};
using TAgentRequestList = QList<TAgentRequest>;

// Fichiers de personnages installés, relus une seule fois.
struct TAgentCharacterFileList
{
    QStringList fichiers;
    bool rafraichie = false;
};

using TAgentCharacterAnimationsList = QStringList;

class TAgentCharacter : public TAgentBase
{
public:
    // Charge le fournisseur sur le serveur ; lève en cas d'échec.
    TAgentCharacter(TAgentCharacters* collection, const QString& identifiant, const QString& fournisseur);
    ~TAgentCharacter() override;

    QString CharacterID() const { return FCharacterID; }
    qint32 Numero() const { return FNumero; }
    qint32 LastRequestID() const { return FLastRequestID; }
    CodeResultat CharacterLastError() const { return FLastError; }
    QWindow* Fenetre() const { return FFenetre; }
    QString FileName() const { return FFileName; }
    QString Folder() const { return FFolder; }
    QString FullPath() const { return FFullPath; }
    bool DefaultCharacter() const { return FDefaultCharacter; }
    bool AutoPopupLu() const { return FAutoPopup; }
    bool EnDechargement() const { return FEnDechargement; }
    void MarquerDechargement() { FEnDechargement = true; }

    // Facteur de pointage d'un nom de personnage (casse ignorée).
    static double FacteurPointage(const QString& nom);

    // Requêtes
    CodeResultat Show(bool rapide);
    CodeResultat Hide(bool rapide);
    CodeResultat Speak(const QString& texte, const QString& lien);
    CodeResultat Play(const QString& animation);
    CodeResultat MoveToSideOfObject(const ObjetFenetre* controle, TAgentSide cote);
    CodeResultat MoveToXY(int x, int y, int vitesse);
    CodeResultat MoveToXY(const QPoint& point, int vitesse);
    CodeResultat MoveToObject(const ObjetFenetre* controle);
    CodeResultat MoveToSideAndGesture(const ObjetFenetre* controle, TAgentSide cote);
    CodeResultat MoveAndGestureAtObject(const ObjetFenetre* controle, TAgentSide cote);
    CodeResultat GestureAt(int x, int y);
    CodeResultat GestureAt(const QPoint& point);
    CodeResultat GestureAtObject(const ObjetFenetre* controle);
    CodeResultat Think(const QString& texte);
    CodeResultat Prepare(TAgentPrepareType type, const QString& nom, bool fileAttente);
    CodeResultat Stop(qint32 requete);
    CodeResultat StopAll(qint32 types = astAll);
    CodeResultat Wait(qint32 requete);
    CodeResultat Interrupt(qint32 requete);
    CodeResultat Listen(bool ecoute);
    CodeResultat SetCharacterAsTopMost();
    CodeResultat SetClientAsActive();
    CodeResultat SetClientAsNonActive();
    CodeResultat ShowPopupMenu(int x, int y);
    bool SupportsAnimation(const QString& animation);

    // Coordonnées de placement à côté d'un contrôle ; faux si la taille est illisible.
    bool GetMoveCoordinates(const ObjetFenetre& controle, TAgentSide cote, QPoint& cible);
    bool GetGestureCoordinates(const ObjetFenetre& controle, QPoint& cible);

    void AddRequestToList(qint32 requete);
    void RemoveAllRequests();
    void CheckHandle();
    void CheckPointerFactor();
    void InitFileSpecs(const QString& fournisseur);
    void LoadInterface(const QString& fournisseur);

    std::shared_ptr<IPersonnageAgent> InterfacePersonnage() const { return Personnage(); }

    // Propriétés
    TAgentActiveState GetActiveState();
    CodeResultat SetActiveState(TAgentActiveState etat);
    TAgentCharacterAnimationsList GetAnimations();
    bool GetAutoPopup();
    CodeResultat SetAutoPopup(bool valeur);
    TAgentBalloon* GetBalloon();
    TAgentCommands* GetCommands();
    // Les commandes déjà obtenues, sans appel au serveur.
    TAgentCommands* CommandesExistantes() const { return FCommands.get(); }
    QString GetDescription();
    CodeResultat SetDescription(const QString& valeur);
    QString GetExtraData();
    QString GetGuid();
    qint32 GetHelpContextID();
    CodeResultat SetHelpContextID(qint32 valeur);
    QString GetHelpFile();
    CodeResultat SetHelpFile(const QString& valeur);
    bool GetHelpModeOn();
    CodeResultat SetHelpModeOn(bool valeur);
    bool GetIdleOn();
    CodeResultat SetIdleOn(bool valeur);
    qint32 GetLanguageID();
    CodeResultat SetLanguageID(qint32 valeur);
    QString GetName();
    CodeResultat SetName(const QString& valeur);
    QSize GetOriginalSize();
    qint32 GetOtherClients();
    QPoint GetPosition();
    CodeResultat SetPosition(const QPoint& position);
    QSize GetSize();
    CodeResultat SetSize(const QSize& taille);
    int GetLeft();
    CodeResultat SetLeft(int valeur);
    int GetTop();
    CodeResultat SetTop(int valeur);
    int GetWidth();
    CodeResultat SetWidth(int valeur);
    int GetHeight();
    CodeResultat SetHeight(int valeur);
    bool GetSoundEffectsOn();
    CodeResultat SetSoundEffectsOn(bool valeur);
    TAgentMoveCause GetMoveCause();
    QString GetSRModeID();
    CodeResultat SetSRModeID(const QString& valeur);
    qint32 GetSRStatus();
    QString GetTTSModeID();
    CodeResultat SetTTSModeID(const QString& valeur);
    qint32 GetTTSPitch();
    qint32 GetTTSSpeed();
    QString GetVersion();
    qint32 GetVersionLong();
    TAgentVisibleState GetVisibilityCause();
    bool GetVisible();

    using TAgentBase::ErrorOccured;
    CodeResultat ErrorOccured(const QString& contexte) override;
    void ResetLastError() override;

    // Menu surgissant facultatif, montré au clic droit quand AutoPopup est actif.
    std::function<void(const QPoint&)> PopupMenu;

private:
    std::shared_ptr<IPersonnageAgent> Personnage() const { return InterfaceDe<IPersonnageAgent>(); }
    TAgentCharacters* Collection() const;
    // Envoie une requête sous garde et range son numéro.
    template <class F>
    CodeResultat Requete(const QString& contexte, F&& appel);
    void demanderDeplacement(int x, int y, int vitesse);

    QString FCharacterID;
    qint32 FNumero = 0;
    qint32 FLastRequestID = 0;
    CodeResultat FLastError = AGENT_E_NON_CHARGE;
    QPointer<QWindow> FFenetre;
    double FPointerFactor = FacteurPointageDefaut;
    QString FFileName;
    QString FFolder;
    QString FFullPath;
    bool FDefaultCharacter = false;
    bool FAutoPopup = false;
    bool FEnDechargement = false;
    std::unique_ptr<TAgentBalloon> FBalloon;
    std::unique_ptr<TAgentCommands> FCommands;
    TAgentCharacterAnimationsList FAnimations;
};

class TAgentCharacters : public TAgentBase
{
public:
    explicit TAgentCharacters(TMSAgent* agent);
    ~TAgentCharacters() override;

    bool GetIsLoaded() const override { return true; }

    CodeResultat Load(const QString& identifiant, const QString& fournisseur);
    CodeResultat LoadDefaultCharacter(const QString& identifiant);
    CodeResultat Unload(TAgentCharacter* personnage);
    CodeResultat Unload(qint32 numero);
    CodeResultat Unload(const QString& identifiant);
    CodeResultat UnloadAll();

    int GetCount() const { return static_cast<int>(FCharacters.size()); }
    // Le personnage est-il encore chargé dans cette collection ?
    bool Contient(const TAgentCharacter* personnage) const;
    TAgentCharacter* CharacterByIndex(int indice);
    TAgentCharacter* CharacterByID(qint32 numero);
    TAgentCharacter* CharacterByWindow(const QWindow* fenetre);
    TAgentCharacter* GetCharacter(const QString& identifiant);
    TAgentCharacter* FindByCommand(qint32 commande, TAgentCommand** trouvee = nullptr);
    TAgentCharacter* FindByRequest(qint32 requete) const;
    bool RemoveRequest(qint32 requete);
    const TAgentRequestList& Requests() const { return FRequests; }
    TAgentRequestList& RequestsModifiables() { return FRequests; }

    QStringList GetInstalledChars();
    // Dossier des personnages : dossier Windows + "MSAgent/Chars/".
    static QString GetCharFolder();

    // Minuterie de scrutation de la souris
    void StartTimer();
    void StopTimer();
    void CheckTimer();
    bool TimerActive() const;
    void TimerOccured();
    void WndProc(int minuterie);

private:
    void InternalLoad(const QString& identifiant, const QString& fournisseur);

    std::vector<std::unique_ptr<TAgentCharacter>> FCharacters;
    TAgentRequestList FRequests;
    TAgentCharacterFileList FInstalledChars;
    bool FFirstLoad = false;
    std::unique_ptr<QObject> FFenetreMessages;
    QTimer* FMinuterie = nullptr;
    QPoint FDernierePosition{-1, -1};
};
