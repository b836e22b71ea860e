#pragma once
// Récepteur des notifications : tout est transmis au composant, toujours avec succès.
#include "ServeurAgent.h"

class TMSAgent;

class TAgentNotifySink : public IRecepteurAgent
{
public:
    explicit TAgentNotifySink(TMSAgent* agent) : FAgent(agent) {}

    CodeResultat QueryInterface(const QUuid& iid) override;
    CodeResultat Command(qint32 commande, IEntreeUtilisateurAgent* entree) override;
    CodeResultat ActivateInputState(qint32 personnage, bool active) override;
    CodeResultat Restart() override;
    CodeResultat Shutdown() override;
    CodeResultat VisibleState(qint32 personnage, bool visible, qint32 cause) override;
    CodeResultat Click(qint32 personnage, int touches, int x, int y) override;
    CodeResultat DblClick(qint32 personnage, int touches, int x, int y) override;
    CodeResultat DragStart(qint32 personnage, int touches, int x, int y) override;
    CodeResultat DragComplete(qint32 personnage, int touches, int x, int y) override;
    CodeResultat RequestStart(qint32 requete) override;
    CodeResultat RequestComplete(qint32 requete, qint32 statut) override;
    CodeResultat BookMark(qint32 signet) override;
    CodeResultat Idle(qint32 personnage, bool debut) override;
    CodeResultat Move(qint32 personnage, int x, int y, qint32 cause) override;
    CodeResultat Size(qint32 personnage, int largeur, int hauteur) override;
    CodeResultat BalloonVisibleState(qint32 personnage, bool visible) override;
    CodeResultat HelpComplete(qint32 personnage, qint32 commande, qint32 cause) override;
    CodeResultat ListeningState(qint32 personnage, bool ecoute, qint32 cause) override;
    CodeResultat DefaultCharacterChange(const QString& guid) override;
    CodeResultat AgentPropertyChange() override;
    CodeResultat ActiveClientChange(qint32 personnage, qint32 etat) override;

private:
    // Transmet sous garde : rien de ce que lève le gestionnaire ne remonte au serveur.
    template <class F>
    CodeResultat transmettre(F&& f)
    {
        try {
            f();
        } catch (...) {
        }
        return S_OK_AGENT;
    }

    TMSAgent* FAgent;
};
