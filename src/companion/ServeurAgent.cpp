#include "ServeurAgent.h"

// Par défaut, un appel que le serveur ne connaît pas rend E_NOTIMPL.
CodeResultat IProprietesAgent::Lire(int, QVariant&) { return E_NOTIMPL_AGENT; }
CodeResultat IProprietesAgent::Ecrire(int, const QVariant&) { return E_NOTIMPL_AGENT; }

CodeResultat ICommandesAgent::Add(const QString&, const QString&, bool, bool, qint32&) { return E_NOTIMPL_AGENT; }
CodeResultat ICommandesAgent::Insert(const QString&, const QString&, bool, bool, qint32, bool, qint32&)
{
    return E_NOTIMPL_AGENT;
}
CodeResultat ICommandesAgent::Remove(qint32) { return E_NOTIMPL_AGENT; }
CodeResultat ICommandesAgent::RemoveAll() { return E_NOTIMPL_AGENT; }
CodeResultat ICommandesAgent::GetCommand(qint32, std::shared_ptr<ICommandeAgent>&) { return E_NOTIMPL_AGENT; }

CodeResultat IPersonnageAgent::SetPosition(int, int) { return E_NOTIMPL_AGENT; }
CodeResultat IPersonnageAgent::SetSize(int, int) { return E_NOTIMPL_AGENT; }
CodeResultat IPersonnageAgent::GestureAt(int, int, qint32&) { return E_NOTIMPL_AGENT; }
CodeResultat IPersonnageAgent::Think(const QString&, qint32&) { return E_NOTIMPL_AGENT; }
CodeResultat IPersonnageAgent::Prepare(int, const QString&, bool, qint32&) { return E_NOTIMPL_AGENT; }
CodeResultat IPersonnageAgent::Listen(bool) { return E_NOTIMPL_AGENT; }
CodeResultat IPersonnageAgent::Activate(int) { return E_NOTIMPL_AGENT; }
CodeResultat IPersonnageAgent::ShowPopupMenu(int, int) { return E_NOTIMPL_AGENT; }
CodeResultat IPersonnageAgent::GetAnimationNames(QStringList&) { return E_NOTIMPL_AGENT; }
CodeResultat IPersonnageAgent::GetBalloon(std::shared_ptr<IBulleAgent>&) { return E_NOTIMPL_AGENT; }
CodeResultat IPersonnageAgent::GetCommands(std::shared_ptr<ICommandesAgent>&) { return E_NOTIMPL_AGENT; }

CodeResultat IServeurAgent::GetVersion(qint16&, qint16&) { return E_NOTIMPL_AGENT; }
CodeResultat IServeurAgent::ShowDefaultCharacterProperties(int, int, bool) { return E_NOTIMPL_AGENT; }
CodeResultat IServeurAgent::GetAudioOutput(std::shared_ptr<ISortieAudioAgent>&) { return E_NOTIMPL_AGENT; }
CodeResultat IServeurAgent::GetSpeechInput(std::shared_ptr<IEntreeVocaleAgent>&) { return E_NOTIMPL_AGENT; }
CodeResultat IServeurAgent::GetCommandWindow(std::shared_ptr<IFenetreCommandesAgent>&) { return E_NOTIMPL_AGENT; }
CodeResultat IServeurAgent::GetPropertySheet(std::shared_ptr<IFeuilleProprietesAgent>&) { return E_NOTIMPL_AGENT; }

namespace {
FabriqueServeurAgent& fabriqueEnregistree()
{
    static FabriqueServeurAgent fabrique;
    return fabrique;
}
} // namespace

void enregistrerServeurAgent(FabriqueServeurAgent fabrique)
{
    fabriqueEnregistree() = std::move(fabrique);
}

CodeResultat creerServeurAgent(const QUuid& clsid, const QUuid& iid, int contexte,
                               std::shared_ptr<IServeurAgent>& serveur)
{
    serveur.reset();
    const FabriqueServeurAgent& fabrique = fabriqueEnregistree();
    // Seul le serveur de personnages est connu ; il ne se trouve que s'il est enregistré.
    if (clsid != CLSID_AgentServer || !fabrique || (contexte & CLSCTX_SERVEUR_AGENT) == 0)
        return REGDB_E_CLASSNOTREG_AGENT;
    if (iid != IID_IAgentEx && iid != IID_IUnknown)
        return E_NOINTERFACE_AGENT;
    serveur = fabrique();
    return serveur ? S_OK_AGENT : REGDB_E_CLASSNOTREG_AGENT;
}
