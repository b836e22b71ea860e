#pragma once
// Départ d'un personnage déchargé avant la fin de son animation de départ (l'attente de
// l'appelant n'y a pas suffi, ou il n'a pas attendu) : le départ se joue après coup, hors de
// tout serveur, puis la fenêtre disparaît.
#include "FenetrePersonnage.h"
#include "PersonnageAcs.h"
#include "Temporisation.h"

#include <QObject>
#include <memory>

class DepartPersonnage : public QObject
{
    Q_OBJECT
public:
    // La fenêtre perd sa classe de personnage : aucun nouveau personnage ne la prendra.
    DepartPersonnage(std::unique_ptr<FenetrePersonnage> fenetre, std::shared_ptr<const PersonnageAcs> modele,
                     const AnimationAcs& animation, int trame, Temporisation& temps);

    // Nombre de départs encore en cours dans le processus.
    static int enCours();
    // Sortie du programme : sert la boucle d'événements jusqu'à la fin des départs en cours,
    // sans dépasser delaiMaximal ms (un fichier peut donner des trames de plusieurs minutes).
    static void laisserFinir(int delaiMaximal = AttenteMaximaleDeparts);
    static constexpr int AttenteMaximaleDeparts = 5000;

private:
    void trameSuivante();

    std::unique_ptr<FenetrePersonnage> m_fenetre;
    std::shared_ptr<const PersonnageAcs> m_modele;
    const AnimationAcs& m_animation;
    int m_trame;
    std::unique_ptr<Reveil> m_reveil;
};
