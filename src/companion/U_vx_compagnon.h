#pragma once
// Service du compagnon : les opérations que toutes les commandes appellent.
#include "Agentcharacters.h"
#include <QPoint>
#include <QStringList>

#include <optional>

class TMSAgent;

// Le compagnon est affiché ; tout sauf listerCompagnons est sans effet tant qu'il est faux.
extern bool compagnonAffiche;

// Crée le composant agent du processus (fenêtre principale, au démarrage).
void initialiserCompagnon();
// Détruit le composant agent et oublie le personnage (fin du programme).
void terminerCompagnon();
// Le composant agent ; créé au premier appel si initialiserCompagnon ne l'a pas été.
TMSAgent& fabriqueAgent();
// Le personnage que pilotent les opérations ; nul tant qu'aucun n'est chargé.
TAgentCharacter* personnage();

void parlerCompagnon(const QString& texte);
void animerCompagnon(const QString& animation);
// place : le personnage y paraît (là où il était avant d'être éteint) au lieu d'aller à côté du contrôle.
void demarrerCompagnon(const QString& nom, const ObjetFenetre& controle, std::optional<QPoint> place = std::nullopt);
void arreterCompagnon(const QString& nom);
void saluerCompagnon();
void listerCompagnons(QStringList& liste);
// Vrai pendant l'arrêt du compagnon : l'attente de son départ sert la boucle d'événements, et
// rien d'autre ne doit démarrer alors (les opérations du service y sont sans effet).
bool compagnonEnArret();

// Durée de l'attente de l'animation de départ, en millisecondes.
constexpr int AttenteArretCompagnon = 3000;
// Balise de salutation : texte prononcé puis texte de la bulle.
QString baliseSalutation();
