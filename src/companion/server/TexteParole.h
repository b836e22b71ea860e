#pragma once
// Texte d'une requête de parole : les balises (barre oblique inverse, nom, valeur, barre) sont
// retirées de la bulle ; la balise Map donne le texte dit puis le texte montré.
#include <QList>
#include <QString>
#include <QStringList>

struct TexteParole
{
    QString affiche;         // ce que montre la bulle
    QString prononce;        // ce que dirait la voix
    QList<int> signets;      // numéros des balises \Mrk=n\ …
    QList<int> positionsSignets; // … et leur position dans le texte affiché
};

TexteParole analyserTexteParole(const QString& texte);

// Coupe aux espaces pour tenir en caracteresParLigne ; un mot plus long est coupé net.
QStringList couperLignes(const QString& texte, int caracteresParLigne);

// Durée d'affichage d'une parole sans voix : 60 ms par caractère, au moins 1,5 s.
constexpr int MsParCaractere = 60;
constexpr int DureeMinimaleParole = 1500;
int dureeParole(const QString& texteAffiche);
