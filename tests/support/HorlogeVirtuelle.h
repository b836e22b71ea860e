#pragma once
// Horloge des tests : le temps ne passe que lorsqu'on attend, et personne ne dort.
#include "Horloge.h"

#include <functional>

class HorlogeVirtuelle : public Horloge
{
public:
    explicit HorlogeVirtuelle(const QDateTime& depart = QDateTime(QDate(2006, 3, 14), QTime(10, 30, 0)));
    ~HorlogeVirtuelle() override;
    HorlogeVirtuelle(const HorlogeVirtuelle&) = delete;
    HorlogeVirtuelle& operator=(const HorlogeVirtuelle&) = delete;

    // Installe cette horloge pour le processus ; le destructeur rend l'horloge réelle.
    void installer();
    void desinstaller();

    void fixer(const QDateTime& moment);
    void avancer(qint64 millisecondes); // sans compter comme une attente

    // Les patiences comptent aussi comme des attentes.
    qint64 totalAttendu() const { return m_totalAttendu; }
    int nombreAttentes() const { return m_nombreAttentes; }
    int nombrePatiences() const { return m_nombrePatiences; }
    // Appelé à chaque patience, après les événements en file : le test y fait passer le temps
    // de ses autres horloges ou y tente des commandes pendant l'attente.
    std::function<void(int millisecondes)> pendantPatience;

    QDateTime maintenant() const override;
    void attendre(int millisecondes) override;
    void patienter(int millisecondes) override;
    qint64 millisecondesEcoulees() const override;

private:
    QDateTime m_moment;
    qint64 m_ecoule = 0;
    qint64 m_totalAttendu = 0;
    int m_nombreAttentes = 0;
    int m_nombrePatiences = 0;
    bool m_installee = false;
};
