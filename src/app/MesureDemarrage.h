#pragma once
// Modes pilotés par l'environnement, pour les bancs et les essais.
// Mesure du démarrage pour les bancs : quand VATRELIX_MESURE_DEMARRAGE donne l'instant du
// lancement (horloge monotone, en ns), le programme écrit sur sa sortie standard le temps
// écoulé jusqu'à sa première peinture (« premier_affichage_ms ») et jusqu'à la fin du
// démarrage (« demarrage_ms »), puis s'arrête. Sans la variable, rien ne change.
class TFormPrincipale;

// À appeler avant de montrer la fenêtre.
void mesurerDemarrage(TFormPrincipale& fenetre);

// Essai du paquet installé, sans écran ni clavier : quand VATRELIX_ESSAI_ENREGISTRER_BASE vaut
// « 1 », le programme enregistre sa base à la fin du démarrage puis s'arrête, avec le code 0
// quand la base est écrite, 3 sinon (l'erreur sur la sortie d'erreur). Sans la variable, rien
// ne change. À appeler avant de montrer la fenêtre.
void enregistrerBaseSurDemande(TFormPrincipale& fenetre);
