#pragma once
// Le temps et l'attente passent par ici : les tests y mettent une horloge virtuelle.
#include <QDateTime>

class Horloge
{
public:
    virtual ~Horloge() = default;
    virtual QDateTime maintenant() const;
    virtual void attendre(int millisecondes); // bloque le fil appelant
    // Attend en servant la boucle d'événements : minuteries, notifications et peintures suivent
    // leur cours ; les entrées de l'utilisateur (souris, clavier) sont différées après l'attente.
    virtual void patienter(int millisecondes);
    virtual qint64 millisecondesEcoulees() const; // horloge monotone

    static Horloge& courante();
    static void definir(Horloge* horloge); // nullptr : horloge réelle
};
