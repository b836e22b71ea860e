#pragma once
// Voix des tests : dit chaque lettre en 40 ms sur l'horloge virtuelle, un événement Mot au
// début de chaque mot, un Phoneme par lettre, les signets et pauses à leur place, puis Fin.
#include "Temporisation.h"
#include "VoixSynthese.h"

#include <deque>

class VoixFactice : public VoixSynthese
{
public:
    static constexpr int MsParLettre = 40;

    explicit VoixFactice(Temporisation& temps) : m_temps(temps), m_reveil(temps.creerReveil([this] { pas(); })) {}

    bool disponible = true;
    QList<ReglagesVoix> reglagesRecus;
    QList<qint64> coupes;

    qint64 dire(const QList<ElementParole>& elements, ReglagesVoix reglages, Rappel rappel) override
    {
        const qint64 ticket = m_prochain++;
        reglagesRecus.append(reglages);
        Parole p{ticket, std::move(rappel), {}};
        qint64 t = 0;
        using G = ElementParole::Genre;
        if (!disponible) {
            p.dates.push_back({0, {EvenementVoix::Genre::Indisponible, 0}});
        } else {
            for (const ElementParole& e : elements) {
                if (e.genre == G::Pause)
                    t += e.valeur;
                else if (e.genre == G::Signet)
                    p.dates.push_back({t, {EvenementVoix::Genre::Signet, e.valeur}});
                if (e.genre != G::Texte)
                    continue;
                qsizetype i = 0;
                while (i < e.dit.size()) {
                    while (i < e.dit.size() && e.dit.at(i).isSpace())
                        ++i;
                    qsizetype fin = i;
                    while (fin < e.dit.size() && !e.dit.at(fin).isSpace())
                        ++fin;
                    if (fin == i)
                        break;
                    p.dates.push_back({t, {EvenementVoix::Genre::Mot, positionAffichee(e, int(fin))}});
                    for (; i < fin; ++i) {
                        const QString lettre(e.dit.at(i));
                        p.dates.push_back({t, {EvenementVoix::Genre::Phoneme, int(formeBouchePhoneme(lettre))}});
                        t += MsParLettre;
                    }
                }
            }
            p.dates.push_back({t, {EvenementVoix::Genre::Fin, 0}});
        }
        m_file.push_back(std::move(p));
        if (m_file.size() == 1)
            demarrer();
        return ticket;
    }

    void couper(qint64 ticket) override
    {
        coupes.append(ticket);
        for (auto it = m_file.begin(); it != m_file.end(); ++it)
            if (it->ticket == ticket) {
                const bool courante = it == m_file.begin();
                m_file.erase(it);
                if (courante) {
                    m_reveil->desarmer();
                    demarrer();
                }
                return;
            }
    }

private:
    struct Date
    {
        qint64 instant;
        EvenementVoix evenement;
    };
    struct Parole
    {
        qint64 ticket;
        Rappel rappel;
        std::deque<Date> dates;
    };

    void demarrer()
    {
        if (m_file.empty())
            return;
        m_debut = m_temps.maintenant();
        // Jamais dans l'appel : au plus tôt au prochain tour.
        armerSuivant();
    }
    void armerSuivant()
    {
        if (!m_file.empty() && !m_file.front().dates.empty())
            m_reveil->armer(int(std::max<qint64>(0, m_debut + m_file.front().dates.front().instant - m_temps.maintenant())));
    }
    void pas()
    {
        if (m_file.empty())
            return;
        const qint64 ticket = m_file.front().ticket;
        const qint64 maintenant = m_temps.maintenant() - m_debut;
        while (!m_file.empty() && m_file.front().ticket == ticket && !m_file.front().dates.empty()
               && m_file.front().dates.front().instant <= maintenant) {
            Parole& p = m_file.front();
            const EvenementVoix e = p.dates.front().evenement;
            p.dates.pop_front();
            const bool derniere = p.dates.empty();
            const Rappel rappel = p.rappel;
            if (derniere)
                m_file.pop_front();
            rappel(e); // peut couper ou dire à nouveau
            if (derniere) {
                demarrer();
                return;
            }
        }
        armerSuivant();
    }

    Temporisation& m_temps;
    std::unique_ptr<Reveil> m_reveil;
    std::deque<Parole> m_file;
    qint64 m_prochain = 1;
    qint64 m_debut = 0;
};
