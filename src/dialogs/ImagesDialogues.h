#pragma once
// Images des dialogues, dessinées : pas de fichier à livrer ni à perdre.
#include <QIcon>
#include <QPixmap>
#include <QSize>

QIcon imageValider(); // coche verte
QIcon imageAnnuler(); // croix rouge

enum class Decor { Etiquette, Rayonnage, Panier, Compagnon };
// Image décorative de la taille donnée, fond transparent.
QPixmap imageDecor(Decor decor, QSize taille);
