#include "Agentuserinput.h"

namespace {
QString ctx(const char* texte) { return QString::fromLatin1(texte); }
}

TAgentUserInput::TAgentUserInput(TMSAgent* agent, IEntreeUtilisateurAgent* entree) : TAgentBase(agent), FEntree(entree)
{
    if (!FEntree)
        throw EMSAgentNotLoaded();
}

int TAgentUserInput::GetCount()
{
    return GardeLecture<int>(ctx(sUsiGetNumberCommandAlternatives), 0, [&] {
        CheckLoaded();
        int nombre = 0;
        verifierResultat(FEntree->GetCount(nombre));
        return nombre;
    });
}

int TAgentUserInput::ItemConfidence(int indice)
{
    return GardeLecture<int>(ctx(sUsiGetCommandItemConfidence), 0, [&] {
        CheckLoaded();
        int confiance = 0;
        verifierResultat(FEntree->GetItemConfidence(indice, confiance));
        return confiance;
    });
}

qint32 TAgentUserInput::ItemID(int indice)
{
    return GardeLecture<qint32>(ctx(sUsiGetCommandItemID), 0, [&] {
        CheckLoaded();
        qint32 numero = 0;
        verifierResultat(FEntree->GetItemID(indice, numero));
        return numero;
    });
}

QString TAgentUserInput::ItemText(int indice)
{
    return GardeLecture<QString>(ctx(sUsiGetCommandItemText), QString(), [&] {
        CheckLoaded();
        QString texte;
        verifierResultat(FEntree->GetItemText(indice, texte));
        return texte;
    });
}
