#pragma once
// Un personnage chargé par le service : sa file de requêtes, le lecteur d'animations,
// sa fenêtre et sa bulle.
#include "Agentbase.h"
#include "FenetreBulle.h"
#include "FenetrePersonnage.h"
#include "PersonnageAcs.h"
#include "ServeurAgent.h"
#include "Temporisation.h"
#include "VoixSynthese.h"

#include <QCache>
#include <deque>
#include <memory>
#include <optional>

class ServeurPersonnages;
class BulleServie;

enum class TypeRequete { Chargement, Montrer, Cacher, Jouer, Parler, Deplacer, Attendre, Interrompre };

struct RequetePersonnage
{
    qint32 numero = 0;
    TypeRequete type = TypeRequete::Jouer;
    bool rapide = false;
    bool pensee = false; // Think : bulle seule, rien n'est dit
    QString texte;
    const AnimationAcs* animation = nullptr;
    QPoint cible;
    int vitesse = 0;
    qint32 autre = 0; // requête attendue ou interrompue
};

// Pas de déplacement animé, en ms.
constexpr int PasDeplacement = 20;
// Pas de la parole (bouche et texte de la bulle), en ms.
constexpr int PasParole = 100;
// La bulle reste affichée ce temps après la fin de la parole.
constexpr int AttenteMasquageBulle = 1500;
// Niveaux de repos : le 2 après ce nombre de délais de repos sans requête, le 3 après l'autre.
constexpr int DelaisReposNiveau2 = 4;
constexpr int DelaisReposNiveau3 = 8;
// Trames jouées au plus par une animation qui boucle quand une requête attend.
constexpr int TramesMaximalesAnimation = 2000;

class PersonnageServi : public IPersonnageAgent
{
public:
    PersonnageServi(ServeurPersonnages& serveur, qint32 numero, std::shared_ptr<const PersonnageAcs> modele,
                    QString nomFichier);
    ~PersonnageServi() override;
    PersonnageServi(const PersonnageServi&) = delete;
    PersonnageServi& operator=(const PersonnageServi&) = delete;

    qint32 numero() const { return m_numero; }
    const PersonnageAcs& modele() const { return *m_modele; }
    // Détache du serveur : arrêt des minuteries, fermeture des fenêtres, requêtes oubliées.
    // laisserPartir : un départ (Hide) demandé et pas encore joué se joue après coup.
    void detacher(bool laisserPartir = false);
    bool attache() const { return m_serveur != nullptr; }
    void enfilerChargement(qint32 requete);

    CodeResultat Show(bool rapide, qint32& requete) override;
    CodeResultat Hide(bool rapide, qint32& requete) override;
    CodeResultat Speak(const QString& texte, const QString& lien, qint32& requete) override;
    CodeResultat Think(const QString& texte, qint32& requete) override;
    CodeResultat GestureAt(int x, int y, qint32& requete) override;
    CodeResultat Prepare(int type, const QString& nom, bool fileAttente, qint32& requete) override;
    CodeResultat Play(const QString& animation, qint32& requete) override;
    CodeResultat MoveTo(int x, int y, int vitesse, qint32& requete) override;
    CodeResultat GetSize(int& largeur, int& hauteur) override;
    CodeResultat GetPosition(int& x, int& y) override;
    CodeResultat SetPosition(int x, int y) override;
    CodeResultat SetSize(int largeur, int hauteur) override;
    CodeResultat Stop(qint32 requete) override;
    CodeResultat StopAll(qint32 types) override;
    CodeResultat Wait(qint32 requeteAttendue, qint32& requete) override;
    CodeResultat Interrupt(qint32 requeteInterrompue, qint32& requete) override;
    CodeResultat Activate(int etat) override;
    CodeResultat GetAnimationNames(QStringList& noms) override;
    CodeResultat GetBalloon(std::shared_ptr<IBulleAgent>& bulle) override;
    CodeResultat Lire(int propriete, QVariant& valeur) override;
    CodeResultat Ecrire(int propriete, const QVariant& valeur) override;

    // Pour le serveur : requêtes d'autres personnages.
    bool possedeRequete(qint32 requete) const;
    void surRequeteTerminee(qint32 requete);

    // Bulle (objet IBulleAgent).
    CodeResultat lireBulle(int propriete, QVariant& valeur) const;
    CodeResultat ecrireBulle(int propriete, const QVariant& valeur);

    // Pour les tests et la mesure.
    FenetrePersonnage* fenetre() const { return m_fenetre.get(); }
    FenetreBulle* fenetreBulle() const { return m_bulle.get(); }
    bool visible() const;
    bool auRepos() const { return m_phase == Phase::Repos && !m_courante && m_file.empty(); }
    QString animationCourante() const;
    int niveauRepos() const { return m_niveauRepos; }
    QString texteBulle() const { return m_texteBulle; }
    QStringList journalAnimations() const { return m_journal; }
    void viderJournal() { m_journal.clear(); }

private:
    enum class Phase { Repos, Requete, Sortie, Inactif };
    struct Etape
    {
        const AnimationAcs* animation = nullptr;
        int trame = 0;
        bool sortie = false; // suit les branches de sortie depuis cette trame
    };
    struct TrameComposee
    {
        QImage image;
        QRegion masque;
    };

    void confierDepart();
    CodeResultat enfiler(RequetePersonnage requete, qint32& numero);
    // Montrer ou cacher ; dire ou penser un texte ; attendre ou interrompre une autre requête.
    CodeResultat enfilerVisibilite(TypeRequete type, bool rapide, qint32& numero);
    CodeResultat enfilerParole(const QString& texte, bool pensee, qint32& numero);
    CodeResultat enfilerSurAutre(TypeRequete type, qint32 autre, qint32& numero);
    void demarrerSuivante();
    void executer(RequetePersonnage requete);
    void terminerCourante(qint32 statut);
    void notifierFin(qint32 requete, qint32 statut);

    // Lecteur d'animations.
    QList<Etape> transitionAvant(const AnimationAcs* prochaine);
    void lancer(QList<Etape> etapes, std::function<void()> fin);
    void etapeSuivante();
    void afficherTrame();
    void surReveilTrame();
    void finAnimation();
    void arreterLecture(std::function<void()> ensuite);
    bool lectureActive() const { return m_lecture.animation != nullptr; }
    const AnimationAcs* animationEtat(const QString& etat);
    void montrerImage(const AnimationAcs& animation, int trame, int bouche);
    const TrameComposee* composer(const AnimationAcs& animation, int trame, int bouche);
    void montrerPose();

    // Parole, déplacement, repos.
    void commencerParole(const RequetePersonnage& requete);
    void surPasParole();
    void surEvenementVoix(const EvenementVoix& evenement);
    void finirParole();
    void couperVoix();
    void montrerBouche(FormeBouche forme);
    void commencerDeplacement(const RequetePersonnage& requete);
    void surPasDeplacement();
    void programmerRepos();
    void surReveilRepos();
    void quitterRepos();
    void montrerBulle(const QString& texte);
    void cacherBulle();
    void montrerFenetre();
    void cacherFenetre();
    void definirModeAide(bool actif);
    // Style de la bulle (absEnabled… absAutoPace), le bit « active » compris.
    qint32 styleBulle() const;
    bool rythmeAuto() const { return m_styleBulle & absAutoPace; }

    ServeurPersonnages* m_serveur;
    qint32 m_numero;
    std::shared_ptr<const PersonnageAcs> m_modele;
    QString m_nomFichier;
    QString m_nom;
    QString m_description;

    std::unique_ptr<FenetrePersonnage> m_fenetre;
    std::unique_ptr<FenetreBulle> m_bulle;
    std::shared_ptr<BulleServie> m_objetBulle;
    QCache<quint64, TrameComposee> m_cache;

    std::deque<RequetePersonnage> m_file;
    std::optional<RequetePersonnage> m_courante;
    Phase m_phase = Phase::Repos;
    bool m_suspendu = false;
    bool m_enDemarrage = false; // garde : les fins immédiates s'enchaînent sans récursion
    bool m_relancer = false;

    // Lecture en cours.
    Etape m_lecture;
    int m_tramesJouees = 0;
    QList<Etape> m_suite;
    std::function<void()> m_finLecture;
    // Transition due avant la prochaine animation : animation de retour ou branches de sortie.
    const AnimationAcs* m_retourEnAttente = nullptr;
    Etape m_sortieEnAttente;
    int m_boucheCourante = -1;
    Etape m_affichee; // dernière trame montrée

    std::unique_ptr<Reveil> m_reveilTrame;
    std::unique_ptr<Reveil> m_reveilParole;
    std::unique_ptr<Reveil> m_reveilDeplacement;
    std::unique_ptr<Reveil> m_reveilRepos;
    std::unique_ptr<Reveil> m_reveilBulle;

    // Parole en cours.
    QString m_texteAffiche;
    QString m_texteBulle; // texte montré par la bulle en ce moment
    QList<int> m_signets;
    QList<int> m_positionsSignets;
    void notifierSignets(qsizetype jusquA);
    qint64 m_ticketVoix = 0; // parole confiée à la voix ; 0 : rythme sans voix
    int m_dureeParole = 0;
    int m_ecoulementParole = 0;
    // Déplacement en cours.
    QPoint m_departDeplacement;
    QPoint m_cibleDeplacement;
    int m_dureeDeplacement = 0;
    int m_ecoulementDeplacement = 0;

    bool m_reposActif = true;
    bool m_reposNotifie = false;
    int m_niveauRepos = 0;
    qint64 m_debutRepos = -1; // instant de la dernière activité, pour le niveau de repos
    bool m_bulleActive = true;
    bool m_effetsSonores = true;
    bool m_autoPopup = false;
    qint32 m_styleBulle = 0; // sans le bit « active », tenu par m_bulleActive
    int m_jeuCaracteres = 1; // jeu de caractères de la police de la bulle : celui par défaut
    StyleBulle m_style;
    QString m_fichierAide;
    qint32 m_contexteAide = 0;
    bool m_modeAide = false;
    qint32 m_etatActif = aasActive;
    qint32 m_causeDeplacement = 0;
    qint32 m_causeVisibilite = 0;
    QStringList m_journal; // animations jouées, dans l'ordre
};
