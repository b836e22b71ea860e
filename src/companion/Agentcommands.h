#pragma once
// Commandes d'un personnage et leur collection.
#include "Agentbase.h"
#include <map>

class TAgentCharacter;
class TAgentCommands;

class TAgentCommand : public TAgentBase
{
public:
    TAgentCommand(TAgentCommands* commandes, qint32 numero);
    void InitializeInterface() override;
    qint32 ID() const { return FNumero; }

    QString GetCaption();
    CodeResultat SetCaption(const QString& valeur);
    QString GetConfidenceText();
    CodeResultat SetConfidenceText(const QString& valeur);
    int GetConfidenceThreshold();
    CodeResultat SetConfidenceThreshold(int valeur);
    bool GetEnabled();
    CodeResultat SetEnabled(bool valeur);
    qint32 GetHelpContextID();
    CodeResultat SetHelpContextID(qint32 valeur);
    QString GetVoice();
    CodeResultat SetVoice(const QString& valeur);
    QString GetVoiceCaption();
    CodeResultat SetVoiceCaption(const QString& valeur);
    bool GetVisible();
    CodeResultat SetVisible(bool valeur);

private:
    qint32 FNumero;
};

class TAgentCommands : public TAgentBase
{
public:
    explicit TAgentCommands(TAgentCharacter* personnage);
    ~TAgentCommands() override;
    void InitializeInterface() override;

    // Rend la nouvelle commande, ou aucune en cas d'échec.
    TAgentCommand* Add(const QString& legende, const QString& voix, bool actif = true, bool visible = true);
    TAgentCommand* Insert(const QString& legende, const QString& voix, bool actif, bool visible,
                          qint32 reference, bool avant);
    CodeResultat Remove(qint32 numero);
    CodeResultat RemoveAll();
    TAgentCommand* CreateCommand(qint32 numero);
    TAgentCommand* GetCommandFromList(qint32 numero);
    TAgentCommand* Command(qint32 numero) { return GetCommandFromList(numero); }
    // Commande déjà connue de ce numéro, sans rien enregistrer.
    TAgentCommand* CommandeConnue(qint32 numero) const;
    int GetCount() const { return static_cast<int>(FCommandes.size()); }

    QString GetCaption();
    CodeResultat SetCaption(const QString& valeur);
    TAgentCommand* GetDefaultCommand();
    CodeResultat SetDefaultCommand(TAgentCommand* commande);
    qint32 GetDefaultCommandID();
    CodeResultat SetDefaultCommandID(qint32 valeur);
    QString GetFontName();
    CodeResultat SetFontName(const QString& valeur);
    int GetFontSize();
    CodeResultat SetFontSize(int valeur);
    bool GetGlobalEnabled();
    CodeResultat SetGlobalEnabled(bool valeur);
    qint32 GetHelpContextID();
    CodeResultat SetHelpContextID(qint32 valeur);
    bool GetVisible();
    CodeResultat SetVisible(bool valeur);
    QString GetVoice();
    CodeResultat SetVoice(const QString& valeur);
    QString GetVoiceCaption();
    CodeResultat SetVoiceCaption(const QString& valeur);

    std::shared_ptr<ICommandesAgent> InterfaceCommandes() const { return InterfaceDe<ICommandesAgent>(); }

private:
    std::map<qint32, std::unique_ptr<TAgentCommand>> FCommandes;
};
