#pragma once
// Interactions des bancs : aucune question ne doit être posée pendant une mesure. Chaque
// réponse est « Non » ou refus, une erreur arrête le banc ; un banc dérive pour répondre
// autrement à ce qu'il mesure.
#include "Interactions.h"

#include <cstdio>
#include <cstdlib>

class InteractionsBanc : public Interactions
{
public:
    ReponseMessage message(const QString&, TypeMessage, BoutonsMessage, std::optional<ReponseMessage>) override
    {
        return ReponseMessage::Non;
    }
    QString saisie(const QString&, const QString&, const QString& defaut) override { return defaut; }
    bool ouvrirFichier(DialogueFichier&) override { return false; }
    bool enregistrerFichier(DialogueFichier&) override { return false; }
    bool choisirCouleur(TColor&) override { return false; }
    bool choisirImprimante(QPrinter&) override { return false; }
    void montrerModal(QWidget*) override {}
    void erreurStandard(const QString& message) override
    {
        std::fprintf(stderr, "erreur : %s\n", qPrintable(message));
        std::abort();
    }
};
