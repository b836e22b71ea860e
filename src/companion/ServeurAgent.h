#pragma once
// Interface C++ du serveur de personnages : les appels que le composant agent utilise.
// Chaque appel rend un code de résultat 32 bits (négatif : échec).
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QVariant>
#include <functional>
#include <memory>

using CodeResultat = qint32;

constexpr CodeResultat codeResultat(quint32 valeur) { return static_cast<CodeResultat>(valeur); }
constexpr bool echec(CodeResultat code) { return code < 0; }

constexpr CodeResultat S_OK_AGENT = 0;
constexpr CodeResultat E_NOTIMPL_AGENT = codeResultat(0x80004001);
constexpr CodeResultat E_NOINTERFACE_AGENT = codeResultat(0x80004002);
constexpr CodeResultat E_FAIL_AGENT = codeResultat(0x80004005);
constexpr CodeResultat E_INVALIDARG_AGENT = codeResultat(0x80070057);
constexpr CodeResultat REGDB_E_CLASSNOTREG_AGENT = codeResultat(0x80040154);

// Identifiants publics du serveur et de son récepteur de notifications.
constexpr QUuid CLSID_AgentServer(0xD45FD2FC, 0x5C6E, 0x11D1, 0x9E, 0xC1, 0x00, 0xC0, 0x4F, 0xD7, 0x08, 0x1F);
constexpr QUuid IID_IAgentEx(0x48D12BA0, 0x5B77, 0x11D1, 0x9E, 0xC1, 0x00, 0xC0, 0x4F, 0xD7, 0x08, 0x1F);
constexpr QUuid IID_IAgentNotifySink(0x00D18159, 0x8466, 0x11D0, 0xAC, 0x63, 0x00, 0xC0, 0x4F, 0xD9, 0x75, 0x75);
constexpr QUuid IID_IAgentNotifySinkEx(0x08C75162, 0x3C9C, 0x11D1, 0x91, 0xFE, 0x00, 0xC0, 0x4F, 0xD7, 0x01, 0xA5);
constexpr QUuid IID_IUnknown(0x00000000, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46);

// Contexte de création : serveurs en processus, locaux et distants.
constexpr int CLSCTX_SERVEUR_AGENT = 0x15;

// Propriété dynamique que le service de personnages pose sur la fenêtre d'un personnage ;
// le composant y lit la « classe » de la fenêtre.
inline constexpr char ProprieteClasseFenetre[] = "classeFenetre";
inline constexpr char ClasseFenetrePersonnage[] = "AgentAnim";

// Objet à propriétés : lecture et écriture par numéro de propriété.
class IProprietesAgent
{
public:
    virtual ~IProprietesAgent() = default;
    virtual CodeResultat Lire(int propriete, QVariant& valeur);
    virtual CodeResultat Ecrire(int propriete, const QVariant& valeur);
};

enum class ProprietePersonnage {
    Name, Description, ExtraData, Guid, Version, LanguageID, Visible, ActiveState, IdleOn,
    SoundEffectsOn, AutoPopup, HelpFile, HelpContextID, HelpModeOn, MoveCause, VisibilityCause,
    OtherClients, SRModeID, SRStatus, TTSModeID, TTSPitch, TTSSpeed, OriginalSize
};

enum class ProprieteBulle {
    BackColor, BorderColor, Enabled, FontCharSet, FontName, FontSize, FontStyle, ForeColor,
    NumberOfLines, CharsPerLine, Style, Visible
};

enum class ProprieteCommandes {
    Caption, DefaultCommand, FontName, FontSize, GlobalVoiceCommandsEnabled, HelpContextID,
    Visible, Voice, VoiceCaption
};

enum class ProprieteCommande {
    Caption, ConfidenceText, ConfidenceThreshold, Enabled, HelpContextID, Voice, VoiceCaption, Visible
};

// Fenêtre des commandes et feuille de propriétés : Position en QPoint, Size en QSize.
enum class ProprieteFenetreAgent { Visible, Position, Size, Page };
enum class ProprieteEntreeVocale { Enabled, HotKey, ListeningTip };
enum class ProprieteSortieAudio { Enabled, UsingSoundEffects, Status };

class ICommandeAgent : public IProprietesAgent
{
};

class ICommandesAgent : public IProprietesAgent
{
public:
    virtual CodeResultat Add(const QString& legende, const QString& voix, bool actif, bool visible, qint32& numero);
    virtual CodeResultat Insert(const QString& legende, const QString& voix, bool actif, bool visible,
                                qint32 reference, bool avant, qint32& numero);
    virtual CodeResultat Remove(qint32 numero);
    virtual CodeResultat RemoveAll();
    virtual CodeResultat GetCommand(qint32 numero, std::shared_ptr<ICommandeAgent>& commande);
};

class IBulleAgent : public IProprietesAgent
{
};

class IFenetreCommandesAgent : public IProprietesAgent
{
};

class IFeuilleProprietesAgent : public IProprietesAgent
{
};

class IEntreeVocaleAgent : public IProprietesAgent
{
};

class ISortieAudioAgent : public IProprietesAgent
{
};

// Les choix d'une commande reconnue, passés avec la notification Command.
class IEntreeUtilisateurAgent
{
public:
    virtual ~IEntreeUtilisateurAgent() = default;
    virtual CodeResultat GetCount(int& nombre) = 0;
    virtual CodeResultat GetItemID(int indice, qint32& numero) = 0;
    virtual CodeResultat GetItemConfidence(int indice, int& confiance) = 0;
    virtual CodeResultat GetItemText(int indice, QString& texte) = 0;
};

// Un personnage chargé sur le serveur. Les requêtes rendent leur numéro de requête.
class IPersonnageAgent : public IProprietesAgent
{
public:
    virtual CodeResultat Show(bool rapide, qint32& requete) = 0;
    virtual CodeResultat Hide(bool rapide, qint32& requete) = 0;
    virtual CodeResultat Speak(const QString& texte, const QString& lien, qint32& requete) = 0;
    virtual CodeResultat Play(const QString& animation, qint32& requete) = 0;
    virtual CodeResultat MoveTo(int x, int y, int vitesse, qint32& requete) = 0;
    virtual CodeResultat GetSize(int& largeur, int& hauteur) = 0;
    virtual CodeResultat GetPosition(int& x, int& y) = 0;
    virtual CodeResultat Stop(qint32 requete) = 0;
    virtual CodeResultat StopAll(qint32 types) = 0;
    virtual CodeResultat Wait(qint32 requeteAttendue, qint32& requete) = 0;
    virtual CodeResultat Interrupt(qint32 requeteInterrompue, qint32& requete) = 0;

    virtual CodeResultat SetPosition(int x, int y);
    virtual CodeResultat SetSize(int largeur, int hauteur);
    virtual CodeResultat GestureAt(int x, int y, qint32& requete);
    virtual CodeResultat Think(const QString& texte, qint32& requete);
    virtual CodeResultat Prepare(int type, const QString& nom, bool fileAttente, qint32& requete);
    virtual CodeResultat Listen(bool ecoute);
    virtual CodeResultat Activate(int etat);
    virtual CodeResultat ShowPopupMenu(int x, int y);
    virtual CodeResultat GetAnimationNames(QStringList& noms);
    virtual CodeResultat GetBalloon(std::shared_ptr<IBulleAgent>& bulle);
    virtual CodeResultat GetCommands(std::shared_ptr<ICommandesAgent>& commandes);
};

// Récepteur des notifications du serveur, appelé sur le fil de l'interface.
class IRecepteurAgent
{
public:
    virtual ~IRecepteurAgent() = default;
    virtual CodeResultat QueryInterface(const QUuid& iid) = 0;
    virtual CodeResultat Command(qint32 commande, IEntreeUtilisateurAgent* entree) = 0;
    virtual CodeResultat ActivateInputState(qint32 personnage, bool active) = 0;
    virtual CodeResultat Restart() = 0;
    virtual CodeResultat Shutdown() = 0;
    virtual CodeResultat VisibleState(qint32 personnage, bool visible, qint32 cause) = 0;
    virtual CodeResultat Click(qint32 personnage, int touches, int x, int y) = 0;
    virtual CodeResultat DblClick(qint32 personnage, int touches, int x, int y) = 0;
    virtual CodeResultat DragStart(qint32 personnage, int touches, int x, int y) = 0;
    virtual CodeResultat DragComplete(qint32 personnage, int touches, int x, int y) = 0;
    virtual CodeResultat RequestStart(qint32 requete) = 0;
    virtual CodeResultat RequestComplete(qint32 requete, qint32 statut) = 0;
    virtual CodeResultat BookMark(qint32 signet) = 0;
    virtual CodeResultat Idle(qint32 personnage, bool debut) = 0;
    virtual CodeResultat Move(qint32 personnage, int x, int y, qint32 cause) = 0;
    virtual CodeResultat Size(qint32 personnage, int largeur, int hauteur) = 0;
    virtual CodeResultat BalloonVisibleState(qint32 personnage, bool visible) = 0;
    virtual CodeResultat HelpComplete(qint32 personnage, qint32 commande, qint32 cause) = 0;
    virtual CodeResultat ListeningState(qint32 personnage, bool ecoute, qint32 cause) = 0;
    virtual CodeResultat DefaultCharacterChange(const QString& guid) = 0;
    virtual CodeResultat AgentPropertyChange() = 0;
    virtual CodeResultat ActiveClientChange(qint32 personnage, qint32 etat) = 0;
};

// Le serveur lui-même (l'interface IAgentEx).
class IServeurAgent
{
public:
    virtual ~IServeurAgent() = default;
    virtual CodeResultat Register(IRecepteurAgent* recepteur, qint32& numero) = 0;
    virtual CodeResultat Unregister(qint32 numero) = 0;
    // Fournisseur vide (QVariant nul) : le personnage par défaut.
    virtual CodeResultat Load(const QVariant& fournisseur, qint32& personnage, qint32& requete) = 0;
    virtual CodeResultat Unload(qint32 personnage) = 0;
    virtual CodeResultat GetCharacterEx(qint32 personnage, std::shared_ptr<IPersonnageAgent>& interfacePersonnage) = 0;

    virtual CodeResultat GetVersion(qint16& majeure, qint16& mineure);
    virtual CodeResultat ShowDefaultCharacterProperties(int x, int y, bool positionParDefaut);
    virtual CodeResultat GetAudioOutput(std::shared_ptr<ISortieAudioAgent>& sortie);
    virtual CodeResultat GetSpeechInput(std::shared_ptr<IEntreeVocaleAgent>& entree);
    virtual CodeResultat GetCommandWindow(std::shared_ptr<IFenetreCommandesAgent>& fenetre);
    virtual CodeResultat GetPropertySheet(std::shared_ptr<IFeuilleProprietesAgent>& feuille);
};

using FabriqueServeurAgent = std::function<std::shared_ptr<IServeurAgent>()>;

// Crée l'objet serveur ; sans serveur enregistré : REGDB_E_CLASSNOTREG.
CodeResultat creerServeurAgent(const QUuid& clsid, const QUuid& iid, int contexte,
                               std::shared_ptr<IServeurAgent>& serveur);

// Le service de personnages (ou un double de test) s'enregistre ici ; nullptr : aucun serveur.
void enregistrerServeurAgent(FabriqueServeurAgent fabrique);
