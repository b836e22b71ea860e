#pragma once
// Les fenêtres du service (personnages, bulles) appartiennent à la fenêtre principale du
// programme quand elle est donnée : posées sur elle et non au-dessus des autres applications,
// cachées quand elle est réduite et rendues avec elle, déplacées avec elle à la même distance.
// Elles restent toujours dans la zone disponible de l'écran.
#include <QPoint>
#include <QSize>

class QScreen;
class QWindow;

// Nulle : les fenêtres du service restent au-dessus de toutes les autres (service seul).
void attacherPersonnagesA(QWindow* proprietaire);
QWindow* proprietairePersonnages();
// Inscrit une fenêtre du service (appelé à sa création).
void inscrireFenetrePersonnages(QWindow& fenetre);

// L'écran des personnages : celui de la fenêtre propriétaire, sinon celui du point, sinon le principal.
const QScreen* ecranPersonnages(QPoint point);
// La place la plus proche de voulue où une boîte de cette taille tient entière dans la zone
// disponible de l'écran (en pixels indépendants de l'échelle, comme les positions de Qt).
QPoint dansZoneDisponible(QPoint voulue, QSize taille, const QScreen* ecran);
