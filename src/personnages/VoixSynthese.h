#pragma once
// Voix des personnages : un moteur dit une liste d'éléments de parole et rend, sur le fil de
// l'interface et au moment où ils sont entendus, les mots, les phonèmes et les signets.
#include "PersonnageAcs.h"
#include "TexteParole.h"

#include <functional>

struct EvenementVoix
{
    enum class Genre {
        Mot,          // valeur : fin du mot dit, en position du texte affiché
        Phoneme,      // valeur : FormeBouche
        Signet,       // valeur : numéro du signet
        Fin,          // tout a été entendu
        Indisponible, // pas de voix ou pas de sortie audio : rien ne sera dit
    };
    Genre genre = Genre::Fin;
    int valeur = 0;
};

// Réglages de départ (ceux du personnage) ; 0 : valeur du moteur.
struct ReglagesVoix
{
    int vitesse = 0; // mots par minute
    int hauteur = 0; // Hz
};

class VoixSynthese
{
public:
    using Rappel = std::function<void(const EvenementVoix&)>;
    virtual ~VoixSynthese() = default;
    // Met une parole en file (une seule voix à la fois) et rend son ticket. Le rappel reçoit
    // les événements dans l'ordre, finis par Fin ou Indisponible, jamais pendant cet appel.
    virtual qint64 dire(const QList<ElementParole>& elements, ReglagesVoix reglages, Rappel rappel) = 0;
    // Coupe la parole (ou l'ôte de la file) : plus aucun rappel pour ce ticket.
    virtual void couper(qint64 ticket) = 0;
};

// Forme de bouche d'un phonème (mnémonique du moteur) : fermée pour m, b, p et les silences,
// ouverte selon la voyelle, étroite pour i, u, y et leurs semi-voyelles, moyenne sinon.
FormeBouche formeBouchePhoneme(QStringView phoneme);

// Réglages du moteur tirés des valeurs des balises.
int vitesseMoteur(int motsParMinute); // bornée à ce que le moteur accepte
int hauteurMoteur(int hertz);         // 0..100, 50 pour la voix neutre
