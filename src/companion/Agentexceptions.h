#pragma once
// Exceptions du composant agent : chacune porte son code de résultat.
#include "Agentconsts.h"
#include "Erreurs.h"

class EMSAgentError : public EVatrelix
{
public:
    EMSAgentError(const QString& message, CodeResultat code) : EVatrelix(message), m_code(code) {}
    CodeResultat ErrorCode() const noexcept { return m_code; }

private:
    CodeResultat m_code;
};

// Le serveur a rendu un résultat d'échec.
class EMSAgentBadResult : public EMSAgentError
{
public:
    explicit EMSAgentBadResult(CodeResultat code, const QString& message = QString())
        : EMSAgentError(message, code) {}
};

#define VX_EXCEPTION_AGENT(Nom, Code) \
    class Nom : public EMSAgentError \
    { \
    public: \
        explicit Nom(const QString& message = QString()) : EMSAgentError(message, Code) {} \
    };

VX_EXCEPTION_AGENT(EMSAgentNotConnected, AGENT_E_NON_CONNECTE)
VX_EXCEPTION_AGENT(EMSAgentNotLoaded, AGENT_E_NON_CHARGE)
VX_EXCEPTION_AGENT(EMSAgentObjectNotFound, AGENT_E_INTROUVABLE)
VX_EXCEPTION_AGENT(EMSAgentValueOutOfRange, AGENT_E_HORS_LIMITES)
VX_EXCEPTION_AGENT(EMSAgentEmptyValue, AGENT_E_VALEUR_VIDE)
VX_EXCEPTION_AGENT(EMSAgentInitFailed, AGENT_E_INIT)

#undef VX_EXCEPTION_AGENT

// Lève EMSAgentBadResult quand le code est un échec.
inline void verifierResultat(CodeResultat code, const QString& message = QString())
{
    if (echec(code))
        throw EMSAgentBadResult(code, message);
}
