#pragma once
// Le service de personnages : charge les personnages, joue les requêtes de chacun dans l'ordre
// reçu, les dessine et renvoie les notifications, toujours mises en file (jamais dans l'appel).
#include "ServeurAgent.h"
#include "Temporisation.h"
#include "VoixSynthese.h"

#include <map>
#include <memory>
#include <random>

class PersonnageAcs;
class PersonnageServi;

// Codes de résultat propres au service.
constexpr CodeResultat E_FICHIER_INTROUVABLE = codeResultat(0x80070002);
constexpr CodeResultat E_ACCES_REFUSE = codeResultat(0x80070005);
constexpr CodeResultat AGENT_E_FORMAT_INCONNU = codeResultat(0x80048001);
constexpr CodeResultat AGENT_E_FORMAT_ANCIEN = codeResultat(0x80048002);
constexpr CodeResultat AGENT_E_FICHIER_CORROMPU = codeResultat(0x80048003);
constexpr CodeResultat AGENT_E_ANIMATION_INTROUVABLE = codeResultat(0x80048010);
constexpr CodeResultat AGENT_E_PERSONNAGE_DECHARGE = codeResultat(0x80048011);
constexpr CodeResultat AGENT_E_REQUETE_INCONNUE = codeResultat(0x80048012);
constexpr CodeResultat AGENT_E_PERSONNAGE_INCONNU = codeResultat(0x80048013);

// Statut d'une requête terminée (notification RequestComplete).
namespace StatutRequete {
constexpr qint32 Reussie = 0;
constexpr qint32 Echouee = 1;
constexpr qint32 Interrompue = 3;
}

// Plus grande boîte de personnage acceptée : au-delà, le fichier est tenu pour corrompu.
constexpr int TailleMaximalePersonnage = 1024;

class ServeurPersonnages : public IServeurAgent, public std::enable_shared_from_this<ServeurPersonnages>
{
public:
    struct Options
    {
        Temporisation* temps = nullptr; // nullptr : minuteries réelles
        std::optional<quint32> graine;  // hasard des branches et du repos ; absent : aléatoire
        int delaiRepos = 8000;          // ms sans requête avant le repos
        // Voix et sons ; absents avec des minuteries réelles : ceux du système ; sinon muets.
        std::shared_ptr<VoixSynthese> voix;
        std::function<void(const QByteArray&)> jouerSon;
    };

    ServeurPersonnages();
    explicit ServeurPersonnages(Options options);
    ~ServeurPersonnages() override;
    ServeurPersonnages(const ServeurPersonnages&) = delete;
    ServeurPersonnages& operator=(const ServeurPersonnages&) = delete;

    CodeResultat Register(IRecepteurAgent* recepteur, qint32& numero) override;
    CodeResultat Unregister(qint32 numero) override;
    CodeResultat Load(const QVariant& fournisseur, qint32& personnage, qint32& requete) override;
    CodeResultat Unload(qint32 personnage) override;
    CodeResultat GetCharacterEx(qint32 personnage, std::shared_ptr<IPersonnageAgent>& interfacePersonnage) override;
    CodeResultat GetVersion(qint16& majeure, qint16& mineure) override;

    // Outils des personnages.
    Temporisation& temps() { return *m_temps; }
    std::mt19937& hasard() { return m_hasard; }
    int delaiRepos() const { return m_delaiRepos; }
    VoixSynthese* voix() const { return m_voix.get(); }
    void jouerSon(const QByteArray& fichierWave) const
    {
        if (m_jouerSon)
            m_jouerSon(fichierWave);
    }
    qint32 nouvelleRequete() { return m_prochaineRequete++; }
    // Met la notification en file ; elle part vers les récepteurs enregistrés à ce moment-là,
    // et seulement si le personnage nommé (0 : aucun) est encore chargé.
    void notifier(qint32 personnage, std::function<void(IRecepteurAgent&)> notification);
    bool requeteVivante(qint32 requete) const;
    void requeteTerminee(qint32 requete);
    bool interrompreRequete(qint32 requete);
    PersonnageServi* personnage(qint32 numero) const;

    // Le fournisseur comme le résoudrait la plate-forme : un nom seul dans le dossier des
    // personnages, un chemin absolu tel quel ; la casse du nom de fichier n'importe pas.
    static QString cheminFournisseur(const QString& fournisseur);
    // Lecteur choisi par les octets de signature.
    static CodeResultat chargerModele(const QString& chemin, std::shared_ptr<const PersonnageAcs>& modele);

private:
    Temporisation* m_temps;
    std::mt19937 m_hasard;
    int m_delaiRepos;
    std::shared_ptr<VoixSynthese> m_voix;
    std::function<void(const QByteArray&)> m_jouerSon;
    std::map<qint32, IRecepteurAgent*> m_recepteurs;
    std::map<qint32, std::shared_ptr<PersonnageServi>> m_personnages;
    qint32 m_prochainRecepteur = 1;
    qint32 m_prochainPersonnage = 1;
    qint32 m_prochaineRequete = 1;
};

// Enregistre le service comme serveur de personnages du composant agent (au démarrage).
void enregistrerServicePersonnages();
