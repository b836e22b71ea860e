#include "ServeurPersonnages.h"

#include "Erreurs.h"
#include "FichierTexte.h"
#include "SortieAudio.h"
#include "VoixEspeak.h"

#include "Emplacements.h"
#include "LecteurAcs.h"
#include "PersonnageServi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>
#include <QRandomGenerator>

namespace {
// Fichier existant de même nom à la casse près (les noms viennent d'une plate-forme qui l'ignore).
QString trouverSansCasse(const QString& chemin)
{
    if (QFileInfo::exists(chemin))
        return chemin;
    const QFileInfo info(chemin);
    const QString entree = entreeSansCasse(info.absolutePath(), info.fileName());
    return entree.isEmpty() ? chemin : QDir(info.absolutePath()).filePath(entree);
}

CodeResultat codeErreurAcs(ErreurAcs erreur)
{
    switch (erreur) {
    case ErreurAcs::Aucune: return S_OK_AGENT;
    case ErreurAcs::FichierIllisible: return E_ACCES_REFUSE;
    case ErreurAcs::FormatAncien: return AGENT_E_FORMAT_ANCIEN;
    case ErreurAcs::FormatInconnu: return AGENT_E_FORMAT_INCONNU;
    case ErreurAcs::Tronque:
    case ErreurAcs::Corrompu: return AGENT_E_FICHIER_CORROMPU;
    }
    return AGENT_E_FICHIER_CORROMPU;
}

// Lecteurs connus, choisis par les premiers octets du fichier.
struct Lecteur
{
    QByteArrayView signature;
    CodeResultat (*lire)(const QByteArray& octets, std::shared_ptr<const PersonnageAcs>& modele);
};

CodeResultat lireAcs(const QByteArray& octets, std::shared_ptr<const PersonnageAcs>& modele)
{
    ResultatLectureAcs resultat = lirePersonnageAcs(octets);
    if (!resultat)
        return codeErreurAcs(resultat.erreur == ErreurAcs::Aucune ? ErreurAcs::Corrompu : resultat.erreur);
    const InfoAcs& info = resultat.personnage->info;
    if (info.largeur == 0 || info.hauteur == 0 || info.largeur > TailleMaximalePersonnage
        || info.hauteur > TailleMaximalePersonnage)
        return AGENT_E_FICHIER_CORROMPU;
    // Toutes les images décodées dès le chargement (quelque 50 ms pour 4 Mo) : une image
    // abîmée rendrait le personnage invisible, sa bulle seule à l'écran.
    if (!resultat.personnage->verifierImages())
        return AGENT_E_FICHIER_CORROMPU;
    modele = std::move(resultat.personnage);
    return S_OK_AGENT;
}

CodeResultat refuserAncien(const QByteArray&, std::shared_ptr<const PersonnageAcs>&)
{
    return AGENT_E_FORMAT_ANCIEN;
}

const Lecteur lecteurs[] = {
    {QByteArrayView("\xC3\xAB\xCD\xAB", 4), &lireAcs},
    {QByteArrayView("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8), &refuserAncien},
};
} // namespace

ServeurPersonnages::ServeurPersonnages() : ServeurPersonnages(Options{}) {}

ServeurPersonnages::ServeurPersonnages(Options options)
    : m_temps(options.temps ? options.temps : &temporisationReelle()),
      m_hasard(options.graine.value_or(QRandomGenerator::global()->generate())),
      m_delaiRepos(std::max(100, options.delaiRepos)), m_voix(std::move(options.voix)),
      m_jouerSon(std::move(options.jouerSon))
{
    // Le temps réel seul s'accorde à une sortie audio réelle.
    if (!options.temps) {
        if (!m_voix)
            m_voix = voixSysteme();
        if (!m_jouerSon)
            m_jouerSon = &jouerSonPersonnage;
    }
}

ServeurPersonnages::~ServeurPersonnages()
{
    for (auto& [numero, personnage] : m_personnages)
        personnage->detacher();
}

CodeResultat ServeurPersonnages::Register(IRecepteurAgent* recepteur, qint32& numero)
{
    if (!recepteur)
        return E_INVALIDARG_AGENT;
    numero = m_prochainRecepteur++;
    m_recepteurs[numero] = recepteur;
    return S_OK_AGENT;
}

CodeResultat ServeurPersonnages::Unregister(qint32 numero)
{
    return m_recepteurs.erase(numero) ? S_OK_AGENT : E_INVALIDARG_AGENT;
}

QString ServeurPersonnages::cheminFournisseur(const QString& fournisseur)
{
    QString chemin = fournisseur.trimmed();
    chemin.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (chemin.isEmpty())
        chemin = QStringLiteral("Sam.acs"); // personnage par défaut
    // Nom seul : le dossier de l'utilisateur d'abord, puis celui des personnages livrés.
    if (!QDir::isAbsolutePath(chemin))
        chemin = repertoirePersonnagePour(chemin) + chemin;
    return trouverSansCasse(chemin);
}

CodeResultat ServeurPersonnages::chargerModele(const QString& chemin, std::shared_ptr<const PersonnageAcs>& modele)
{
    const QFileInfo info(chemin);
    if (!info.exists() || info.isDir())
        return E_FICHIER_INTROUVABLE;
    QByteArray octets;
    try {
        // Fichier ordinaire de taille raisonnable seulement : un tube bloquerait, /dev/zero ne finirait pas.
        octets = lireOctets(chemin, TailleMax::personnage);
    } catch (const EFichierErreur&) {
        return E_ACCES_REFUSE;
    }
    for (const Lecteur& lecteur : lecteurs)
        if (octets.startsWith(lecteur.signature))
            return lecteur.lire(octets, modele);
    return AGENT_E_FORMAT_INCONNU;
}

CodeResultat ServeurPersonnages::Load(const QVariant& fournisseur, qint32& personnage, qint32& requete)
{
    // Pas de chargement par le réseau.
    const QString texte = fournisseur.toString();
    if (texte.startsWith(QLatin1String("http:"), Qt::CaseInsensitive)
        || texte.startsWith(QLatin1String("https:"), Qt::CaseInsensitive))
        return E_INVALIDARG_AGENT;
    const QString chemin = cheminFournisseur(texte);
    std::shared_ptr<const PersonnageAcs> modele;
    const CodeResultat code = chargerModele(chemin, modele);
    if (echec(code))
        return code;
    personnage = m_prochainPersonnage++;
    auto servi = std::make_shared<PersonnageServi>(*this, personnage, std::move(modele), QFileInfo(chemin).completeBaseName());
    m_personnages[personnage] = servi;
    requete = nouvelleRequete();
    servi->enfilerChargement(requete);
    return S_OK_AGENT;
}

CodeResultat ServeurPersonnages::Unload(qint32 personnage)
{
    const auto it = m_personnages.find(personnage);
    if (it == m_personnages.end())
        return AGENT_E_PERSONNAGE_INCONNU;
    const std::shared_ptr<PersonnageServi> servi = it->second;
    m_personnages.erase(it);
    servi->detacher(true);
    return S_OK_AGENT;
}

CodeResultat ServeurPersonnages::GetCharacterEx(qint32 personnage, std::shared_ptr<IPersonnageAgent>& interfacePersonnage)
{
    const auto it = m_personnages.find(personnage);
    if (it == m_personnages.end())
        return AGENT_E_PERSONNAGE_INCONNU;
    interfacePersonnage = it->second;
    return S_OK_AGENT;
}

CodeResultat ServeurPersonnages::GetVersion(qint16& majeure, qint16& mineure)
{
    majeure = 2;
    mineure = 0;
    return S_OK_AGENT;
}

void ServeurPersonnages::notifier(qint32 personnage, std::function<void(IRecepteurAgent&)> notification)
{
    std::weak_ptr<ServeurPersonnages> faible = weak_from_this();
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [faible, personnage, notification = std::move(notification)] {
            const auto serveur = faible.lock();
            if (!serveur)
                return;
            if (personnage != 0 && !serveur->m_personnages.count(personnage))
                return;
            // Un récepteur peut se retirer pendant la distribution : on relit la table à chaque pas.
            std::vector<qint32> numeros;
            for (const auto& [numero, r] : serveur->m_recepteurs)
                numeros.push_back(numero);
            for (qint32 numero : numeros) {
                const auto it = serveur->m_recepteurs.find(numero);
                if (it != serveur->m_recepteurs.end())
                    notification(*it->second);
            }
        },
        Qt::QueuedConnection);
}

bool ServeurPersonnages::requeteVivante(qint32 requete) const
{
    for (const auto& [numero, personnage] : m_personnages)
        if (personnage->possedeRequete(requete))
            return true;
    return false;
}

void ServeurPersonnages::requeteTerminee(qint32 requete)
{
    // Copie : une requête Wait terminée peut en terminer d'autres.
    std::vector<std::shared_ptr<PersonnageServi>> personnages;
    for (const auto& [numero, personnage] : m_personnages)
        personnages.push_back(personnage);
    for (const auto& personnage : personnages)
        if (personnage->attache())
            personnage->surRequeteTerminee(requete);
}

bool ServeurPersonnages::interrompreRequete(qint32 requete)
{
    for (const auto& [numero, personnage] : m_personnages)
        if (personnage->possedeRequete(requete))
            return !echec(personnage->Stop(requete));
    return false;
}

PersonnageServi* ServeurPersonnages::personnage(qint32 numero) const
{
    const auto it = m_personnages.find(numero);
    return it == m_personnages.end() ? nullptr : it->second.get();
}

void enregistrerServicePersonnages()
{
    enregistrerServeurAgent([] { return std::static_pointer_cast<IServeurAgent>(std::make_shared<ServeurPersonnages>()); });
}
