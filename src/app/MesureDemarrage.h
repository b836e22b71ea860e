#pragma once
// Mesure du démarrage pour les bancs : quand VATRELIX_MESURE_DEMARRAGE donne l'instant du
// lancement (horloge monotone, en ns), le programme écrit sur sa sortie standard le temps
// écoulé jusqu'à sa première peinture (« premier_affichage_ms ») et jusqu'à la fin du
// démarrage (« demarrage_ms »), puis s'arrête. Sans la variable, rien ne change.
class TFormPrincipale;

// À appeler avant de montrer la fenêtre.
void mesurerDemarrage(TFormPrincipale& fenetre);
