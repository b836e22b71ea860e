#include "InteractionsScriptees.h"

#include <QWidget>

InteractionsScriptees::~InteractionsScriptees()
{
    desinstaller();
}

void InteractionsScriptees::installer()
{
    Interactions::definir(this);
    m_installees = true;
}

void InteractionsScriptees::desinstaller()
{
    if (m_installees)
        Interactions::definir(nullptr);
    m_installees = false;
}

void InteractionsScriptees::repondre(ReponseMessage reponse)
{
    m_messages.push_back(reponse);
}

void InteractionsScriptees::repondreSaisie(const QString& texte)
{
    m_saisies.emplace_back(texte);
}

void InteractionsScriptees::annulerSaisie()
{
    m_saisies.emplace_back(std::nullopt);
}

void InteractionsScriptees::repondreFichier(const QString& chemin)
{
    m_fichiers.emplace_back(chemin);
}

void InteractionsScriptees::annulerFichier()
{
    m_fichiers.emplace_back(std::nullopt);
}

void InteractionsScriptees::repondreCouleur(TColor couleur)
{
    m_couleurs.emplace_back(couleur);
}

void InteractionsScriptees::annulerCouleur()
{
    m_couleurs.emplace_back(std::nullopt);
}

void InteractionsScriptees::repondreImpression(bool lancer)
{
    m_impressions.push_back(lancer);
}

void InteractionsScriptees::surDialogue(std::function<void(QWidget*)> action)
{
    m_dialogues.push_back(std::move(action));
}

int InteractionsScriptees::reponsesRestantes() const
{
    return int(m_messages.size() + m_saisies.size() + m_fichiers.size() + m_couleurs.size()
               + m_impressions.size() + m_dialogues.size());
}

QList<QuestionPosee> InteractionsScriptees::questionsDe(GenreQuestion genre) const
{
    QList<QuestionPosee> resultat;
    for (const QuestionPosee& q : questions) {
        if (q.genre == genre)
            resultat.append(q);
    }
    return resultat;
}

QStringList InteractionsScriptees::messages() const
{
    QStringList textes;
    for (const QuestionPosee& q : questions) {
        if (q.genre == GenreQuestion::Message)
            textes.append(q.texte);
    }
    return textes;
}

QuestionPosee& InteractionsScriptees::consigner(GenreQuestion genre, bool inattendue)
{
    QuestionPosee q;
    q.genre = genre;
    q.inattendue = inattendue;
    if (inattendue)
        ++inattendues;
    questions.append(q);
    return questions.last();
}

ReponseMessage InteractionsScriptees::message(const QString& texte, TypeMessage type, BoutonsMessage boutons,
                                             std::optional<ReponseMessage> defaut)
{
    QuestionPosee& q = consigner(GenreQuestion::Message, m_messages.empty());
    q.texte = texte;
    q.type = type;
    q.boutons = boutons;
    q.defautMessage = defaut.value_or(boutons == BoutonsMessage::Ok ? ReponseMessage::Ok : ReponseMessage::Oui);
    if (m_messages.empty()) {
        // Sans réponse prévue : ce que donnerait la fermeture de la boîte.
        switch (boutons) {
        case BoutonsMessage::Ok:
            return ReponseMessage::Ok;
        case BoutonsMessage::OuiNon:
            return ReponseMessage::Non;
        case BoutonsMessage::OuiNonAnnuler:
            return ReponseMessage::Annuler;
        }
    }
    const ReponseMessage reponse = m_messages.front();
    m_messages.pop_front();
    return reponse;
}

QString InteractionsScriptees::saisie(const QString& titre, const QString& invite, const QString& defaut)
{
    QuestionPosee& q = consigner(GenreQuestion::Saisie, m_saisies.empty());
    q.titre = titre;
    q.texte = invite;
    q.defaut = defaut;
    if (m_saisies.empty())
        return defaut;
    const std::optional<QString> reponse = m_saisies.front();
    m_saisies.pop_front();
    return reponse.value_or(defaut);
}

bool InteractionsScriptees::fichier(GenreQuestion genre, DialogueFichier& dialogue)
{
    QuestionPosee& q = consigner(genre, m_fichiers.empty());
    q.titre = dialogue.titre;
    q.fichier = dialogue;
    if (m_fichiers.empty())
        return false;
    const std::optional<QString> reponse = m_fichiers.front();
    m_fichiers.pop_front();
    if (!reponse)
        return false;
    dialogue.nomFichier = *reponse;
    return true;
}

bool InteractionsScriptees::ouvrirFichier(DialogueFichier& dialogue)
{
    return fichier(GenreQuestion::OuvrirFichier, dialogue);
}

bool InteractionsScriptees::enregistrerFichier(DialogueFichier& dialogue)
{
    return fichier(GenreQuestion::EnregistrerFichier, dialogue);
}

bool InteractionsScriptees::choisirCouleur(TColor& couleur)
{
    QuestionPosee& q = consigner(GenreQuestion::Couleur, m_couleurs.empty());
    q.couleur = couleur;
    if (m_couleurs.empty())
        return false;
    const std::optional<TColor> reponse = m_couleurs.front();
    m_couleurs.pop_front();
    if (!reponse)
        return false;
    couleur = *reponse;
    return true;
}

bool InteractionsScriptees::choisirImprimante(QPrinter&)
{
    consigner(GenreQuestion::Impression, m_impressions.empty());
    if (m_impressions.empty())
        return false;
    const bool lancer = m_impressions.front();
    m_impressions.pop_front();
    return lancer;
}

void InteractionsScriptees::montrerModal(QWidget* dialogue)
{
    consigner(GenreQuestion::Dialogue, m_dialogues.empty()).titre = dialogue->windowTitle();
    if (m_dialogues.empty())
        return;
    // L'action peut poser d'autres questions : on garde l'indice, pas une référence.
    const qsizetype indice = questions.size() - 1;
    const std::function<void(QWidget*)> action = std::move(m_dialogues.front());
    m_dialogues.pop_front();
    // L'affichage déclenche l'événement d'apparition, comme le ferait la boucle modale.
    dialogue->show();
    questions[indice].titre = dialogue->windowTitle();
    action(dialogue);
    if (dialogue->isVisible()) {
        ++dialoguesNonFermes;
        dialogue->hide();
    }
}

void InteractionsScriptees::erreurStandard(const QString& message)
{
    QuestionPosee& q = consigner(GenreQuestion::Erreur, false);
    q.texte = message;
    q.type = TypeMessage::Erreur;
}
