#pragma once
// Base des enveloppes du composant agent et types énumérés communs.
#include "Agentexceptions.h"
#include <QFlags>
#include <memory>

class TMSAgent;

// Côté d'un contrôle où placer le personnage ; l'ordre des valeurs est fixé.
enum TAgentSide { asRight = 0, asLeft = 1, asTop = 2, asBottom = 3, asCenter = 4 };

// Touches et boutons d'une notification ; le membre i est le bit 1 << i.
enum TAgentKey : quint8 {
    akLeftButton = 1 << 0,   // 0x01
    akMiddleButton = 1 << 1, // 0x10
    akRightButton = 1 << 2,  // 0x02 : le menu surgissant
    akShift = 1 << 3,        // 0x04
    akControl = 1 << 4,      // 0x08
    akXButton = 1 << 5,      // 0x20
    akAlt = 1 << 6           // 0x1000
};
Q_DECLARE_FLAGS(TAgentKeys, TAgentKey)
Q_DECLARE_OPERATORS_FOR_FLAGS(TAgentKeys)

enum TAgentClientState { acsNotActive, acsActive, acsInputActive };
enum TAgentInputState { aisInactive, aisActive };
enum TAgentBalloonState { absHidden, absVisible };
enum TAgentHelpState {
    ahsNone, ahsCommand, ahsOtherProgram, ahsOpenCommandsWindow, ahsCloseCommandsWindow,
    ahsShowCharacter, ahsHideCharacter, ahsCharacter
};
enum TAgentIdleState { aidsStop, aidsStart };
enum TAgentListenState {
    alsNone, alsProgramDisabled, alsProgramTimedOut, alsUserTimedOut, alsUserReleasedKey,
    alsUserUtteranceEnded, alsClientDeactivated, alsDefaultCharChange, alsUserDisabled
};
enum TAgentMoveCause { amcNeverMoved, amcUserMoved, amcProgramMoved, amcOtherProgramMoved, amcSystemMoved };
enum TAgentVisibleState {
    avsNeverShown, avsUserHid, avsUserShowed, avsProgramHid, avsProgramShowed,
    avsOtherProgramHid, avsOtherProgramShowed, avsUserHidViaCharacterMenu
};
enum TAgentStopType : qint32 {
    astPlay = 1, astMove = 2, astSpeak = 4, astPrepare = 8, astNonQueuedPrepare = 16,
    astVisible = 32, astAll = -1
};
enum TAgentPrepareType { aptAnimation, aptState, aptWave };
enum TAgentActiveState { aasNotActive, aasActive, aasInputActive };
enum TAgentBalloonStyleItem : quint8 {
    absEnabled = 0x1, absSizeToText = 0x2, absAutoHide = 0x4, absAutoPace = 0x8
};
Q_DECLARE_FLAGS(TAgentBalloonStyle, TAgentBalloonStyleItem)
Q_DECLARE_OPERATORS_FOR_FLAGS(TAgentBalloonStyle)
enum TAgentPropertyPage { appOutput, appSpeech, appCopyright };

class TAgentBase
{
public:
    explicit TAgentBase(TMSAgent* agent);
    explicit TAgentBase(TAgentBase* parent);
    virtual ~TAgentBase() = default;
    TAgentBase(const TAgentBase&) = delete;
    TAgentBase& operator=(const TAgentBase&) = delete;

    TMSAgent* GetAgent() const;
    TAgentBase* Parent() const { return FParent; }
    virtual bool GetIsLoaded() const { return static_cast<bool>(FInterface); }

    void BindInterface(std::shared_ptr<IProprietesAgent> interfaceObjet);
    void UnloadInterface();
    // Obtient l'interface auprès du parent ; redéfini par chaque enveloppe.
    virtual void InitializeInterface() {}

    void CheckLoaded(const QString& texte = QString()) const;
    void CheckLoaded(const QString& texte, const QString& argument) const;
    // À appeler dans un gestionnaire catch : enregistre l'échec en cours.
    virtual CodeResultat ErrorOccured(const QString& contexte);
    CodeResultat ErrorOccured(const QString& contexte, const QString& argument);
    virtual void ResetLastError();

protected:
    template <class I>
    std::shared_ptr<I> InterfaceDe() const { return std::static_pointer_cast<I>(FInterface); }

    // Exécute f sous garde : 0 et dernière erreur remise à zéro, ou le code enregistré.
    template <class F>
    CodeResultat Garde(const QString& contexte, F&& f)
    {
        try {
            f();
            ResetLastError();
            return S_OK_AGENT;
        } catch (...) {
            return ErrorOccured(contexte);
        }
    }

    // Lecture sous garde : la valeur par défaut en cas d'échec.
    template <class T, class F>
    T GardeLecture(const QString& contexte, T defaut, F&& f)
    {
        try {
            T valeur = f();
            ResetLastError();
            return valeur;
        } catch (...) {
            ErrorOccured(contexte);
            return defaut;
        }
    }

    template <class T, class P>
    T LirePropriete(P propriete, const char* contexte, T defaut = T())
    {
        return GardeLecture<T>(QString::fromLatin1(contexte), defaut, [&] {
            CheckLoaded();
            QVariant valeur;
            verifierResultat(FInterface->Lire(static_cast<int>(propriete), valeur));
            return valeur.value<T>();
        });
    }

    template <class P>
    CodeResultat EcrirePropriete(P propriete, const QVariant& valeur, const char* contexte)
    {
        return Garde(QString::fromLatin1(contexte), [&] {
            CheckLoaded();
            verifierResultat(FInterface->Ecrire(static_cast<int>(propriete), valeur));
        });
    }

    std::shared_ptr<IProprietesAgent> FInterface;

private:
    TMSAgent* FAgent = nullptr;
    TAgentBase* FParent = nullptr;
};
