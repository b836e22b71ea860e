#pragma once
// Source de temps des animations : les trames, les déplacements et la parole passent par des
// réveils ; les tests remplacent la source réelle par une source pilotée à la main.
#include <QtGlobal>
#include <functional>
#include <memory>

class Reveil
{
public:
    virtual ~Reveil() = default;
    // Programme l'action dans delai ms (remplace un armement en cours).
    virtual void armer(int delai) = 0;
    virtual void desarmer() = 0;
    virtual bool arme() const = 0;
};

class Temporisation
{
public:
    virtual ~Temporisation() = default;
    virtual qint64 maintenant() const = 0; // millisecondes, monotone
    virtual std::unique_ptr<Reveil> creerReveil(std::function<void()> action) = 0;
};

// Source réelle : minuteries à un coup de la boucle d'événements.
Temporisation& temporisationReelle();
