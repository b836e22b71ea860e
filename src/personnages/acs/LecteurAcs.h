#pragma once
// Lecture d'un fichier de personnage 2.x, vérifiée à chaque octet.
#include "PersonnageAcs.h"

#include <QByteArray>
#include <QString>
#include <memory>

enum class ErreurAcs {
    Aucune,
    FichierIllisible,
    FormatAncien,       // génération 1.5 (document composé)
    FormatInconnu,      // signature inconnue
    Tronque,            // un bloc sort du fichier ou se termine trop tôt
    Corrompu,           // valeur impossible (index, nombre, taille)
};

struct ResultatLectureAcs
{
    ErreurAcs erreur = ErreurAcs::Aucune;
    QString message;    // en français
    std::shared_ptr<PersonnageAcs> personnage;

    explicit operator bool() const { return erreur == ErreurAcs::Aucune && personnage; }
};

// Message français d'un code d'erreur (sans le détail).
QString messageErreurAcs(ErreurAcs erreur);

// Le format est choisi par les octets de signature, jamais par l'extension.
// Les images restent compressées jusqu'à leur premier usage.
ResultatLectureAcs lirePersonnageAcs(const QByteArray& octets);
ResultatLectureAcs lireFichierPersonnageAcs(const QString& chemin);
