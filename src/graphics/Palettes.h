#pragma once
// Palettes partagées par la fenêtre principale et les dialogues.
class QWidget;

// Fond crème (clCream) des vues : arbres et listes.
void fondCreme(QWidget* vue);
