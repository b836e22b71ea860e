#include "Agentbase.h"
#include "MSAgent.h"

TAgentBase::TAgentBase(TMSAgent* agent) : FAgent(agent) {}

TAgentBase::TAgentBase(TAgentBase* parent) : FParent(parent) {}

TMSAgent* TAgentBase::GetAgent() const
{
    // Remonte les parents jusqu'au composant.
    const TAgentBase* objet = this;
    while (objet->FParent)
        objet = objet->FParent;
    return objet->FAgent;
}

void TAgentBase::BindInterface(std::shared_ptr<IProprietesAgent> interfaceObjet)
{
    if (!interfaceObjet)
        throw EMSAgentNotLoaded(QString::fromLatin1(sGenBindInterface));
    FInterface = std::move(interfaceObjet);
}

void TAgentBase::UnloadInterface()
{
    FInterface.reset();
}

void TAgentBase::CheckLoaded(const QString& texte) const
{
    if (!GetIsLoaded())
        throw EMSAgentNotLoaded(texte);
}

void TAgentBase::CheckLoaded(const QString& texte, const QString& argument) const
{
    if (!GetIsLoaded())
        throw EMSAgentNotLoaded(QString(texte).replace(QLatin1String("%s"), argument));
}

CodeResultat TAgentBase::ErrorOccured(const QString& contexte)
{
    return GetAgent()->ErrorOccured(contexte);
}

CodeResultat TAgentBase::ErrorOccured(const QString& contexte, const QString& argument)
{
    return ErrorOccured(QString(contexte).replace(QLatin1String("%s"), argument));
}

void TAgentBase::ResetLastError()
{
    GetAgent()->ResetLastError();
}
