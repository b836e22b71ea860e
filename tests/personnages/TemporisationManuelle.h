#pragma once
// Source de temps des tests : les réveils ne partent que lorsque le test avance le temps.
#include "Temporisation.h"

#include <algorithm>
#include <vector>

class TemporisationManuelle : public Temporisation
{
public:
    qint64 maintenant() const override { return m_maintenant; }

    std::unique_ptr<Reveil> creerReveil(std::function<void()> action) override
    {
        return std::make_unique<ReveilManuel>(*this, std::move(action));
    }

    // Fait partir, dans l'ordre des échéances, chaque réveil dû d'ici ms millisecondes.
    void avancer(qint64 ms)
    {
        const qint64 fin = m_maintenant + ms;
        for (int garde = 0; garde < 1000000; ++garde) {
            ReveilManuel* suivant = nullptr;
            for (ReveilManuel* r : m_reveils)
                if (r->echeance >= 0 && r->echeance <= fin
                    && (!suivant || r->echeance < suivant->echeance
                        || (r->echeance == suivant->echeance && r->ordre < suivant->ordre)))
                    suivant = r;
            if (!suivant)
                break;
            m_maintenant = std::max(m_maintenant, suivant->echeance);
            suivant->echeance = -1;
            suivant->action();
        }
        m_maintenant = fin;
    }

    int reveilsArmes() const
    {
        return int(std::count_if(m_reveils.begin(), m_reveils.end(), [](const ReveilManuel* r) { return r->echeance >= 0; }));
    }

private:
    struct ReveilManuel : Reveil
    {
        ReveilManuel(TemporisationManuelle& t, std::function<void()> a) : source(t), action(std::move(a))
        {
            source.m_reveils.push_back(this);
        }
        ~ReveilManuel() override { std::erase(source.m_reveils, this); }
        void armer(int delai) override
        {
            echeance = source.m_maintenant + std::max(0, delai);
            ordre = source.m_ordre++;
        }
        void desarmer() override { echeance = -1; }
        bool arme() const override { return echeance >= 0; }

        TemporisationManuelle& source;
        std::function<void()> action;
        qint64 echeance = -1;
        qint64 ordre = 0;
    };

    std::vector<ReveilManuel*> m_reveils;
    qint64 m_maintenant = 0;
    qint64 m_ordre = 0;
};
