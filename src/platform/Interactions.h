#pragma once
// Le seul passage de toute interaction modale : boîtes de message, boîte de saisie,
// dialogues d'ouverture, d'enregistrement, de couleur et d'impression, affichage modal
// des dialogues du programme, boîte d'erreur standard.
// L'implémentation Qt montre de vrais widgets ; celle des tests répond depuis une file.
#include "Couleurs.h"
#include <QString>

#include <optional>

class QPrinter;
class QWidget;

// Titre de l'application : légende de la fenêtre principale et titre des boîtes de message.
inline QString titreApplication()
{
    return QStringLiteral("Tavelquirn - Vatrelix 2006");
}

enum class TypeMessage { Avertissement, Confirmation, Erreur, Simple };
enum class BoutonsMessage { Ok, OuiNon, OuiNonAnnuler };
enum class ReponseMessage { Ok, Oui, Non, Annuler };

// Réglages d'un dialogue de fichier ; le filtre est au format "Libellé|*.ext|Libellé|*.x".
struct DialogueFichier
{
    QString titre;
    QString filtre;
    QString nomFichier;     // prérempli ; reçoit le chemin choisi
    QString dossierInitial; // vide : celui du dernier usage
    int filtreChoisi = 0;   // reçoit le rang (depuis 0) du type de fichier choisi
};

class Interactions
{
public:
    virtual ~Interactions() = default;

    // Fermer la boîte autrement qu'avec un bouton répond Annuler (Non pour Oui+Non, Ok pour Ok).
    // defaut : le bouton qu'Entrée choisit ; sans valeur, le premier (Oui ou Ok). Une question
    // qui peut écraser ou perdre des données propose la réponse sans danger.
    virtual ReponseMessage message(const QString& texte, TypeMessage type, BoutonsMessage boutons,
                                   std::optional<ReponseMessage> defaut = std::nullopt) = 0;
    // Le texte tapé, ou le texte par défaut quand l'utilisateur annule.
    virtual QString saisie(const QString& titre, const QString& invite, const QString& defaut) = 0;
    // Vrai quand l'utilisateur confirme ; dialogue.nomFichier reçoit alors le chemin choisi.
    virtual bool ouvrirFichier(DialogueFichier& dialogue) = 0;
    virtual bool enregistrerFichier(DialogueFichier& dialogue) = 0;
    // Vrai quand l'utilisateur confirme ; couleur reçoit la couleur choisie (0x00BBGGRR).
    virtual bool choisirCouleur(TColor& couleur) = 0;
    // Vrai quand l'utilisateur lance l'impression sur l'imprimante réglée.
    virtual bool choisirImprimante(QPrinter& imprimante) = 0;
    // Montre un dialogue du programme de façon modale ; rend la main à sa fermeture.
    virtual void montrerModal(QWidget* dialogue) = 0;
    // La boîte d'erreur standard de l'application.
    virtual void erreurStandard(const QString& message) = 0;

    static Interactions& courantes();
    static void definir(Interactions* interactions);
};
