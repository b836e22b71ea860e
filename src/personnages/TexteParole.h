#pragma once
// Texte d'une requête de parole : les balises (barre oblique inverse, nom, valeur, barre) sont
// retirées de la bulle ; la balise Map donne le texte dit puis le texte montré.
#include <QList>
#include <QString>
#include <QStringList>

// Un pas de la parole, dans l'ordre du texte : ce que la voix dit ou change.
struct ElementParole
{
    enum class Genre { Texte, Pause, Signet, Vitesse, Hauteur, Emphase, Reinitialiser };
    Genre genre = Genre::Texte;
    QString dit;           // Texte : ce que dit la voix
    int valeur = 0;        // Pause : ms ; Signet : numéro ; Vitesse : mots/min ; Hauteur : Hz
    int debutAffiche = 0;  // Texte : plage du texte affiché qu'il couvre
    int finAffiche = 0;
    bool carte = false;    // Texte venu d'une balise Map : dit et affiché diffèrent

    bool operator==(const ElementParole&) const = default;
};

struct TexteParole
{
    QString affiche;         // ce que montre la bulle
    QString prononce;        // ce que dirait la voix
    QList<int> signets;      // numéros des balises \Mrk=n\ …
    QList<int> positionsSignets; // … et leur position dans le texte affiché
    QList<ElementParole> elements;
};

TexteParole analyserTexteParole(const QString& texte);

// Position dans le texte affiché atteinte quand la voix a dit les finDit premiers caractères
// d'un élément Texte.
int positionAffichee(const ElementParole& element, int finDit);

// Coupe aux espaces pour tenir en caracteresParLigne ; un mot plus long est coupé net.
QStringList couperLignes(const QString& texte, int caracteresParLigne);

// Durée d'affichage d'une parole sans voix : 60 ms par caractère, au moins 1,5 s.
constexpr int MsParCaractere = 60;
constexpr int DureeMinimaleParole = 1500;
int dureeParole(const QString& texteAffiche);
