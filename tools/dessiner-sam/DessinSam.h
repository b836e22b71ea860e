#pragma once
// Sam, l'épicier de Vatrelix : dessin en aplats d'une pose, sans anticrénelage.
#include <QImage>

constexpr int TailleSam = 128;

enum class Yeux { Ouverts, MiClos, Fermes, Heureux, Grands };
enum class Sourcils { Normaux, Leves, Tristes, Fronces };
enum class BoucheSam { Sourire, GrandSourire, Ouverte, O, Triste, Plate, Baillement,
                       Fermee, Large1, Large2, Large3, Large4, Moyenne, Etroite };
enum class Objet { Aucun, Crayon, Baguette, Doigt, Pouce };

// Effets dessinés autour de Sam.
namespace Effet {
constexpr int Etincelles = 1 << 0;
constexpr int Ampoule = 1 << 1;
constexpr int AmpouleAllumee = 1 << 2;
constexpr int Engrenages = 1 << 3;
constexpr int Confettis = 1 << 4;
constexpr int Zzz = 1 << 5;
constexpr int Larme = 1 << 6;
constexpr int Exclamation = 1 << 7;
constexpr int Pensee = 1 << 8;
constexpr int Carnet = 1 << 9;   // carnet tenu devant la poitrine
constexpr int Livre = 1 << 10;   // livre ouvert tenu des deux mains
constexpr int Rougeur = 1 << 11; // joues très roses
constexpr int Coeur = 1 << 12;
constexpr int Traits = 1 << 13;  // traits de mouvement
}

// Angles en degrés depuis la verticale descendante, positifs vers l'extérieur.
struct Bras
{
    int epaule = 12;
    int coude = 5;
};

struct Pose
{
    int dx = 0, dy = 0;          // décalage du corps entier
    int teteDx = 0, teteDy = 0;  // décalage de la tête
    Yeux yeux = Yeux::Ouverts;
    int regardX = 0, regardY = 0;
    Sourcils sourcils = Sourcils::Normaux;
    BoucheSam bouche = BoucheSam::Sourire;
    Bras gauche, droit;          // gauche et droite de l'écran
    Objet objetGauche = Objet::Aucun, objetDroit = Objet::Aucun;
    int effets = 0;
    int phase = 0;               // fait varier les effets d'une trame à l'autre
    double echelle = 1.0;        // apparition et disparition
    int pas = 0;                 // marche : -1, 0, 1
    bool effetsSeuls = false;    // image des seuls effets, posée en couche au-dessus
};

QImage dessinerSam(const Pose& pose);
