#pragma once
// Wayland interdit à une fenêtre de se placer elle-même : le compagnon ne pourrait ni se poser
// à côté de la fenêtre principale ni être déplacé. Quand XWayland est là, le programme prend
// la plate-forme X11. À appeler avant de créer l'application Qt.
#include <QByteArray>

// Rend la plate-forme choisie ("xcb"), ou vide quand rien n'est imposé.
QByteArray choisirPlateformeAffichage();
