#pragma once
// Voix du moteur de synthèse du système, en français : synthèse et lecture sur un fil à part,
// événements rendus au fil de l'interface quand la sortie audio les a joués.
#include "SortieAudio.h"
#include "VoixSynthese.h"

#include <memory>

class VoixEspeak : public VoixSynthese
{
public:
    using FabriqueSortie = std::function<std::unique_ptr<SortieAudio>()>;
    // À construire sur le fil de l'interface ; le moteur se charge sur le fil de la voix.
    explicit VoixEspeak(FabriqueSortie fabrique = creerSortieBureau);
    ~VoixEspeak() override;
    VoixEspeak(const VoixEspeak&) = delete;
    VoixEspeak& operator=(const VoixEspeak&) = delete;

    qint64 dire(const QList<ElementParole>& elements, ReglagesVoix reglages, Rappel rappel) override;
    void couper(qint64 ticket) override;

    struct Etat;

private:
    std::shared_ptr<Etat> m_etat;
};

// La voix du programme, partagée (un seul moteur par processus).
std::shared_ptr<VoixSynthese> voixSysteme();
