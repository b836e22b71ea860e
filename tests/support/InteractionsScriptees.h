#pragma once
// Interactions des tests : chaque réponse vient d'une file remplie par le test,
// chaque question posée est consignée dans `questions`.
#include "Interactions.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>
#include <optional>

enum class GenreQuestion { Message, Saisie, OuvrirFichier, EnregistrerFichier, Couleur, Impression, Dialogue, Erreur };

struct QuestionPosee
{
    GenreQuestion genre = GenreQuestion::Message;
    QString texte;  // message, invite de saisie, message d'erreur
    QString titre;  // titre de la saisie, du dialogue de fichier, ou titre de fenêtre du dialogue
    QString defaut; // texte par défaut de la saisie
    ReponseMessage defautMessage = ReponseMessage::Ok; // bouton choisi par Entrée
    TypeMessage type = TypeMessage::Simple;
    BoutonsMessage boutons = BoutonsMessage::Ok;
    DialogueFichier fichier; // réglages reçus par le dialogue de fichier
    TColor couleur = 0;      // couleur proposée au dialogue de couleur
    bool inattendue = false; // aucune réponse n'attendait dans la file
};

class InteractionsScriptees : public Interactions
{
public:
    InteractionsScriptees() = default;
    ~InteractionsScriptees() override;
    InteractionsScriptees(const InteractionsScriptees&) = delete;
    InteractionsScriptees& operator=(const InteractionsScriptees&) = delete;

    // Installe ces interactions comme celles du processus ; le destructeur les retire.
    void installer();
    void desinstaller();

    void repondre(ReponseMessage reponse);
    void repondreSaisie(const QString& texte);
    void annulerSaisie();
    void repondreFichier(const QString& chemin); // ouverture comme enregistrement
    void annulerFichier();
    void repondreCouleur(TColor couleur);
    void annulerCouleur();
    void repondreImpression(bool lancer);
    // Reçoit le dialogue déjà montré ; doit le remplir puis le fermer (par ses boutons).
    void surDialogue(std::function<void(QWidget*)> action);

    // Réponses restées dans les files.
    int reponsesRestantes() const;
    // Questions de ce genre posées jusqu'ici.
    QList<QuestionPosee> questionsDe(GenreQuestion genre) const;
    QStringList messages() const; // textes des boîtes de message, dans l'ordre

    QList<QuestionPosee> questions;
    int inattendues = 0;
    int dialoguesNonFermes = 0; // dialogues encore visibles après leur action

    ReponseMessage message(const QString& texte, TypeMessage type, BoutonsMessage boutons,
                           std::optional<ReponseMessage> defaut = std::nullopt) override;
    QString saisie(const QString& titre, const QString& invite, const QString& defaut) override;
    bool ouvrirFichier(DialogueFichier& dialogue) override;
    bool enregistrerFichier(DialogueFichier& dialogue) override;
    bool choisirCouleur(TColor& couleur) override;
    bool choisirImprimante(QPrinter& imprimante) override;
    void montrerModal(QWidget* dialogue) override;
    void erreurStandard(const QString& message) override;

private:
    bool fichier(GenreQuestion genre, DialogueFichier& dialogue);
    QuestionPosee& consigner(GenreQuestion genre, bool inattendue);

    std::deque<ReponseMessage> m_messages;
    std::deque<std::optional<QString>> m_saisies;
    std::deque<std::optional<QString>> m_fichiers;
    std::deque<std::optional<TColor>> m_couleurs;
    std::deque<bool> m_impressions;
    std::deque<std::function<void(QWidget*)>> m_dialogues;
    bool m_installees = false;
};
