#include "Agentcommands.h"
#include "Agentcharacters.h"
#include "MSAgent.h"

namespace {
QString ctx(const char* texte) { return QString::fromLatin1(texte); }
using PC = ProprieteCommande;
using PS = ProprieteCommandes;
} // namespace

TAgentCommand::TAgentCommand(TAgentCommands* commandes, qint32 numero) : TAgentBase(commandes), FNumero(numero) {}

void TAgentCommand::InitializeInterface()
{
    const auto commandes = static_cast<TAgentCommands*>(Parent())->InterfaceCommandes();
    if (!commandes)
        throw EMSAgentNotLoaded();
    std::shared_ptr<ICommandeAgent> commande;
    verifierResultat(commandes->GetCommand(FNumero, commande));
    BindInterface(commande);
}

QString TAgentCommand::GetCaption() { return LirePropriete<QString>(PC::Caption, sCmdGetCommandCaption); }
CodeResultat TAgentCommand::SetCaption(const QString& v) { return EcrirePropriete(PC::Caption, v, sCmdSetCommandCaption); }
QString TAgentCommand::GetConfidenceText() { return LirePropriete<QString>(PC::ConfidenceText, sCmdGetCommandConfidenceText); }
CodeResultat TAgentCommand::SetConfidenceText(const QString& v)
{
    return EcrirePropriete(PC::ConfidenceText, v, sCmdSetCommandConfidenceText);
}
int TAgentCommand::GetConfidenceThreshold()
{
    return LirePropriete<int>(PC::ConfidenceThreshold, sCmdGetCommandConfidenceThreshold);
}
CodeResultat TAgentCommand::SetConfidenceThreshold(int v)
{
    return EcrirePropriete(PC::ConfidenceThreshold, v, sCmdSetCommandConfidenceThreshold);
}
bool TAgentCommand::GetEnabled() { return LirePropriete<bool>(PC::Enabled, sCmdGetCommandEnabled); }
CodeResultat TAgentCommand::SetEnabled(bool v) { return EcrirePropriete(PC::Enabled, v, sCmdSetCommandEnabled); }
qint32 TAgentCommand::GetHelpContextID() { return LirePropriete<qint32>(PC::HelpContextID, sCmdGetCommandHelpContext); }
CodeResultat TAgentCommand::SetHelpContextID(qint32 v)
{
    return EcrirePropriete(PC::HelpContextID, v, sCmdSetCommandHelpContext);
}
QString TAgentCommand::GetVoice() { return LirePropriete<QString>(PC::Voice, sCmdGetCommandVoice); }
CodeResultat TAgentCommand::SetVoice(const QString& v) { return EcrirePropriete(PC::Voice, v, sCmdSetCommandVoice); }
QString TAgentCommand::GetVoiceCaption() { return LirePropriete<QString>(PC::VoiceCaption, sCmdGetCommandVoiceCaption); }
CodeResultat TAgentCommand::SetVoiceCaption(const QString& v)
{
    return EcrirePropriete(PC::VoiceCaption, v, sCmdSetCommandVoiceCaption);
}
bool TAgentCommand::GetVisible() { return LirePropriete<bool>(PC::Visible, sCmdGetCommandVisibility); }
CodeResultat TAgentCommand::SetVisible(bool v) { return EcrirePropriete(PC::Visible, v, sCmdSetCommandVisibility); }

TAgentCommands::TAgentCommands(TAgentCharacter* personnage) : TAgentBase(personnage) {}

TAgentCommands::~TAgentCommands() = default;

void TAgentCommands::InitializeInterface()
{
    const auto personnage = static_cast<TAgentCharacter*>(Parent())->InterfacePersonnage();
    if (!personnage)
        throw EMSAgentNotLoaded();
    std::shared_ptr<ICommandesAgent> commandes;
    verifierResultat(personnage->GetCommands(commandes));
    BindInterface(commandes);
}

TAgentCommand* TAgentCommands::CreateCommand(qint32 numero)
{
    return GardeLecture<TAgentCommand*>(ctx(sCmsCreateNewCommand), nullptr, [&] {
        auto commande = std::make_unique<TAgentCommand>(this, numero);
        commande->InitializeInterface();
        TAgentCommand* resultat = commande.get();
        FCommandes[numero] = std::move(commande);
        return resultat;
    });
}

TAgentCommand* TAgentCommands::Add(const QString& legende, const QString& voix, bool actif, bool visible)
{
    qint32 numero = 0;
    const CodeResultat code = Garde(ctx(sCmsAddNewCommand), [&] {
        CheckLoaded();
        verifierResultat(InterfaceCommandes()->Add(legende, voix, actif, visible, numero));
    });
    return echec(code) ? nullptr : CreateCommand(numero);
}

TAgentCommand* TAgentCommands::Insert(const QString& legende, const QString& voix, bool actif, bool visible,
                                      qint32 reference, bool avant)
{
    qint32 numero = 0;
    const CodeResultat code = Garde(ctx(sCmsInsertNewCommand), [&] {
        CheckLoaded();
        verifierResultat(InterfaceCommandes()->Insert(legende, voix, actif, visible, reference, avant, numero));
    });
    return echec(code) ? nullptr : CreateCommand(numero);
}

CodeResultat TAgentCommands::Remove(qint32 numero)
{
    return Garde(ctx(sCmsRemoveCommand), [&] {
        CheckLoaded();
        verifierResultat(InterfaceCommandes()->Remove(numero));
        FCommandes.erase(numero);
    });
}

CodeResultat TAgentCommands::RemoveAll()
{
    return Garde(ctx(sCmsRemoveCommands), [&] {
        CheckLoaded();
        verifierResultat(InterfaceCommandes()->RemoveAll());
        FCommandes.clear();
    });
}

TAgentCommand* TAgentCommands::CommandeConnue(qint32 numero) const
{
    const auto it = FCommandes.find(numero);
    return it == FCommandes.end() ? nullptr : it->second.get();
}

TAgentCommand* TAgentCommands::GetCommandFromList(qint32 numero)
{
    if (TAgentCommand* connue = CommandeConnue(numero))
        return connue;
    return GardeLecture<TAgentCommand*>(ctx(sCmsGetCommandFromList), nullptr, [&] {
        CheckLoaded();
        TAgentCommand* commande = CreateCommand(numero);
        if (!commande)
            throw EMSAgentObjectNotFound();
        return commande;
    });
}

QString TAgentCommands::GetCaption() { return LirePropriete<QString>(PS::Caption, sCmsGetCommandCollectionCaption); }
CodeResultat TAgentCommands::SetCaption(const QString& v)
{
    return EcrirePropriete(PS::Caption, v, sCmsSetCommandCollectionCaption);
}
TAgentCommand* TAgentCommands::GetDefaultCommand()
{
    const qint32 numero = GetDefaultCommandID();
    return echec(GetAgent()->LastError()) ? nullptr : GetCommandFromList(numero);
}
CodeResultat TAgentCommands::SetDefaultCommand(TAgentCommand* commande)
{
    return Garde(ctx(sCmsSetDefaultCommand), [&] {
        if (!commande)
            throw EMSAgentObjectNotFound();
        CheckLoaded();
        verifierResultat(FInterface->Ecrire(static_cast<int>(PS::DefaultCommand), commande->ID()));
    });
}
qint32 TAgentCommands::GetDefaultCommandID() { return LirePropriete<qint32>(PS::DefaultCommand, sCmsGetDefaultCommandID); }
CodeResultat TAgentCommands::SetDefaultCommandID(qint32 v)
{
    return EcrirePropriete(PS::DefaultCommand, v, sCmsSetDefaultCommandID);
}
QString TAgentCommands::GetFontName() { return LirePropriete<QString>(PS::FontName, sCmsGetCommandCollectionFontName); }
CodeResultat TAgentCommands::SetFontName(const QString& v)
{
    return EcrirePropriete(PS::FontName, v, sCmsSetCommandCollectionFontName);
}
int TAgentCommands::GetFontSize() { return LirePropriete<int>(PS::FontSize, sCmsGetCommandCollectionFontSize); }
CodeResultat TAgentCommands::SetFontSize(int v) { return EcrirePropriete(PS::FontSize, v, sCmsSetCommandCollectionFontSize); }
bool TAgentCommands::GetGlobalEnabled()
{
    return LirePropriete<bool>(PS::GlobalVoiceCommandsEnabled, sCmsGetGlobalVoiceCommandsAreEnabled);
}
CodeResultat TAgentCommands::SetGlobalEnabled(bool v)
{
    return EcrirePropriete(PS::GlobalVoiceCommandsEnabled, v, sCmsSetGlobalVoiceCommandsAreEnabled);
}
qint32 TAgentCommands::GetHelpContextID()
{
    return LirePropriete<qint32>(PS::HelpContextID, sCmsGetCommandCollectionHelpContext);
}
CodeResultat TAgentCommands::SetHelpContextID(qint32 v)
{
    // Le message du composant n'a pas de variante d'écriture : celui de la lecture sert.
    return EcrirePropriete(PS::HelpContextID, v, sCmsGetCommandCollectionHelpContext);
}
bool TAgentCommands::GetVisible() { return LirePropriete<bool>(PS::Visible, sCmsGetCommandCollectionVisibility); }
CodeResultat TAgentCommands::SetVisible(bool v) { return EcrirePropriete(PS::Visible, v, sCmsSetCommandsCollectionVisibility); }
QString TAgentCommands::GetVoice() { return LirePropriete<QString>(PS::Voice, sCmsGetCommandCollectionVoice); }
CodeResultat TAgentCommands::SetVoice(const QString& v) { return EcrirePropriete(PS::Voice, v, sCmsSetCommandCollectionVoice); }
QString TAgentCommands::GetVoiceCaption()
{
    return LirePropriete<QString>(PS::VoiceCaption, sCmsGetCommandCollectionVoiceCaption);
}
CodeResultat TAgentCommands::SetVoiceCaption(const QString& v)
{
    return EcrirePropriete(PS::VoiceCaption, v, sCmsSetCommandsCollectionVoiceCaption);
}
