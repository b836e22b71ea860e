#pragma once
// Objet de connexion : l'interface du serveur et l'enregistrement du récepteur de notifications.
#include "Agentbase.h"

class TAgentNotifySink;

class TAgentCtrl : public TAgentBase
{
public:
    explicit TAgentCtrl(TMSAgent* agent);
    ~TAgentCtrl() override;

    bool GetIsLoaded() const override { return static_cast<bool>(FServeur); }
    // Crée le serveur et enregistre le récepteur ; lève en cas d'échec.
    void Connect();
    // Désenregistre le récepteur et libère le serveur ; ne lève jamais.
    void Disconnect();
    // Sonde unique de l'installation du serveur.
    bool Installed();

    const std::shared_ptr<IServeurAgent>& Serveur() const { return FServeur; }

private:
    std::shared_ptr<IServeurAgent> FServeur;
    std::unique_ptr<TAgentNotifySink> FRecepteur;
    qint32 FNumeroEnregistrement = -1;
    bool FInstallationSondee = false;
    bool FServeurInstalle = false;
};
