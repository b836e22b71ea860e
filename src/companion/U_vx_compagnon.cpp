#include "U_vx_compagnon.h"
#include "Codec1252.h"
#include "Emplacements.h"
#include "Horloge.h"
#include "MSAgent.h"
#include "NomsFichiers.h"

#include <QScopeGuard>

bool compagnonAffiche = false;

namespace {
struct EtatCompagnon
{
    std::unique_ptr<TMSAgent> agent;
    TAgentCharacter* personnage = nullptr;
    // Vrai quand la demande d'apparition a été acceptée : l'arrêt attend alors le départ.
    bool montre = false;
    // Arrêt en cours : l'attente du départ sert la boucle, une opération pourrait y revenir.
    bool enArret = false;
};

EtatCompagnon& etat()
{
    static EtatCompagnon e;
    return e;
}

// Le personnage courant, s'il est encore dans la collection.
TAgentCharacter* personnageValide()
{
    EtatCompagnon& e = etat();
    if (!e.personnage || !e.agent || !e.agent->GetConnected())
        return nullptr;
    // Sans créer la collection : elle existe dès qu'un personnage a été chargé.
    TAgentCharacters* personnages = e.agent->GetCharacters();
    return personnages && personnages->Contient(e.personnage) ? e.personnage : nullptr;
}
} // namespace

void initialiserCompagnon()
{
    if (!etat().agent)
        etat().agent = std::make_unique<TMSAgent>();
}

void terminerCompagnon()
{
    EtatCompagnon& e = etat();
    e.personnage = nullptr;
    e.montre = false;
    e.agent.reset();
}

TMSAgent& fabriqueAgent()
{
    initialiserCompagnon();
    return *etat().agent;
}

TAgentCharacter* personnage()
{
    return personnageValide();
}

bool compagnonEnArret()
{
    return etat().enArret;
}

void parlerCompagnon(const QString& texte)
{
    // Pendant le départ, plus rien ne s'ajoute à ce que le personnage a à jouer.
    if (!compagnonAffiche || etat().enArret)
        return;
    // Après un démarrage manqué, il n'y a personne pour parler.
    if (TAgentCharacter* p = personnageValide())
        p->Speak(normaliserAnsi(texte), QString());
}

void animerCompagnon(const QString& animation)
{
    if (!compagnonAffiche || etat().enArret)
        return;
    try {
        if (TAgentCharacter* p = personnageValide())
            p->Play(normaliserAnsi(animation));
    } catch (...) {
        // Une animation refusée ne doit jamais interrompre la commande.
    }
}

void demarrerCompagnon(const QString& nom, const ObjetFenetre& controle, std::optional<QPoint> place)
{
    if (!compagnonAffiche || etat().enArret)
        return;
    EtatCompagnon& e = etat();
    TMSAgent& agent = fabriqueAgent();
    e.personnage = nullptr;
    e.montre = false;
    agent.SetConnected(true);
    TAgentCharacters* personnages = agent.GetCharacters();
    if (!personnages)
        return;
    // Les noms passaient en texte 8 bits : ce qui n'a pas de place en Windows-1252 devient '?'.
    const QString nomAnsi = normaliserAnsi(nom);
    personnages->Load(nomAnsi, nomAnsi + QStringLiteral(".acs"));
    e.personnage = personnages->CharacterByIndex(0);
    if (!e.personnage)
        return;
    if (place)
        e.personnage->SetPosition(*place);
    else
        e.personnage->MoveToSideOfObject(&controle, asRight);
    e.montre = !echec(e.personnage->Show(false));
}

void arreterCompagnon(const QString& nom)
{
    EtatCompagnon& e = etat();
    // Un arrêt demandé pendant l'attente d'un autre : le premier va à son terme.
    if (!compagnonAffiche || e.enArret)
        return;
    e.enArret = true;
    const auto finArret = qScopeGuard([&e] { e.enArret = false; });
    if (TAgentCharacter* p = personnageValide()) {
        p->Hide(false);
        // Le serveur joue l'animation de départ pendant cette attente, qui laisse vivre
        // l'interface ; inutile si rien n'a paru.
        if (e.montre)
            Horloge::courante().patienter(AttenteArretCompagnon);
    }
    TMSAgent& agent = fabriqueAgent();
    if (agent.GetConnected())
        if (TAgentCharacters* personnages = agent.GetCharacters())
            personnages->Unload(normaliserAnsi(nom));
    e.personnage = nullptr;
    e.montre = false;
    agent.SetConnected(false);
}

QString baliseSalutation()
{
    // \Map="prononcé"="affiché"\ : le nom et l'année sont écrits comme ils se disent.
    return QStringLiteral("\\Map=\"Bonjour et bienvenue dans Vatrelix deux mille six.\""
                          "=\"Bonjour et bienvenue dans Vatrelix 2006.\"\\");
}

void saluerCompagnon()
{
    animerCompagnon(QStringLiteral("Wave"));
    parlerCompagnon(baliseSalutation());
    animerCompagnon(QStringLiteral("Suggest"));
    parlerCompagnon(QStringLiteral("Je vous aiderai durant l'utilisation de ce logiciel."));
}

void listerCompagnons(QStringList& liste)
{
    liste.clear();
    // Les personnages ajoutés par l'utilisateur d'abord, puis ceux qui sont livrés.
    for (const QString& dossier : repertoiresPersonnages()) {
        const QStringList precedents = liste; // un personnage de l'utilisateur cache celui qui est livré
        const QList<TSearchRec> entrees = chercherFichiers(dossier + QStringLiteral("*.acs"), faAnyFile);
        for (const TSearchRec& entree : entrees) {
            // Ni dossier, ni fichier caché ou système : seuls les fichiers ordinaires, lecture seule compris.
            if (entree.Attr & (faDirectory | faHidden | faSysFile))
                continue;
            const QString nom = QString(entree.Name).replace(QLatin1String(".acs"), QString(), Qt::CaseInsensitive);
            if (!precedents.contains(nom, Qt::CaseInsensitive))
                liste.append(nom);
        }
    }
}
