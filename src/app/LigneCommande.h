#pragma once
// La ligne de commande : au plus une liste de courses à ouvrir, l'aide ou la version.
// Analysée avant que l'application n'existe : rien ici ne demande d'affichage.
#include <QString>
#include <QStringList>

struct LigneCommande
{
    enum class Action { Demarrer, Aide, Version, Refus };
    Action action = Action::Demarrer;
    // Demarrer : chemin absolu de la liste à ouvrir ; vide : la dernière liste retenue.
    QString fichier;
    // Aide et Version : texte de la sortie standard ; Refus : celui de la sortie d'erreur.
    QString texte;
};

// arguments : sans le nom du programme ; un chemin relatif part de dossierCourant.
// « -- » termine les options : ce qui suit est un nom de fichier, même commencé par « - ».
LigneCommande analyserLigneCommande(const QStringList& arguments, const QString& dossierCourant);

// Code de sortie d'un programme qui ne démarre pas : 0 pour l'aide et la version, 2 pour un refus.
int codeSortie(const LigneCommande& ligne);
