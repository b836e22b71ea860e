#include "Agentcharacters.h"
#include "Agentcommands.h"
#include "Emplacements.h"
#include "MSAgent.h"
#include "NomsFichiers.h"
#include <QCursor>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

TAgentCharacters::TAgentCharacters(TMSAgent* agent) : TAgentBase(agent)
{
    try {
        // La « fenêtre de messages » cachée qui reçoit la minuterie de la souris.
        FFenetreMessages = std::make_unique<QObject>();
        FMinuterie = new QTimer(FFenetreMessages.get());
        FMinuterie->setInterval(IntervalleMinuterieSouris);
        QObject::connect(FMinuterie, &QTimer::timeout, FFenetreMessages.get(),
                         [this] { WndProc(IdMinuterieSouris); });
    } catch (...) {
        FFenetreMessages.reset();
        throw EMSAgentInitFailed(QString::fromLatin1(sGenInitializationFailed));
    }
}

TAgentCharacters::~TAgentCharacters()
{
    if (FMinuterie)
        FMinuterie->stop();
    // Détruire un personnage retire ses requêtes de la table : vider la liste d'abord.
    while (!FCharacters.empty()) {
        std::unique_ptr<TAgentCharacter> dernier = std::move(FCharacters.back());
        FCharacters.pop_back();
    }
}

void TAgentCharacters::InternalLoad(const QString& identifiant, const QString& fournisseur)
{
    TMSAgent* agent = GetAgent();
    if (!agent->GetConnected())
        throw EMSAgentNotConnected(QString::fromLatin1(sChsLoadCharacterFile));
    auto personnage = std::make_unique<TAgentCharacter>(this, identifiant, fournisseur);
    TAgentCharacter* nouveau = personnage.get();
    FCharacters.push_back(std::move(personnage));
    if (!FFirstLoad) {
        // Lu une fois au premier chargement ; la valeur n'est pas gardée.
        nouveau->GetTTSModeID();
        FFirstLoad = true;
    }
    agent->FireLoadEvent(nouveau);
    CheckTimer();
}

CodeResultat TAgentCharacters::Load(const QString& identifiant, const QString& fournisseur)
{
    return Garde(QString::fromLatin1(sChsCreateNewCharacter), [&] { InternalLoad(identifiant, fournisseur); });
}

CodeResultat TAgentCharacters::LoadDefaultCharacter(const QString& identifiant)
{
    return Load(identifiant, QString());
}

TAgentCharacter* TAgentCharacters::CharacterByIndex(int indice)
{
    return GardeLecture<TAgentCharacter*>(QString::fromLatin1(sChsRetrieveRequestedCharacterIndex), nullptr, [&] {
        if (indice < 0 || indice >= GetCount())
            throw EMSAgentValueOutOfRange();
        return FCharacters[static_cast<size_t>(indice)].get();
    });
}

bool TAgentCharacters::Contient(const TAgentCharacter* personnage) const
{
    return std::any_of(FCharacters.begin(), FCharacters.end(),
                       [&](const auto& p) { return p.get() == personnage; });
}

TAgentCharacter* TAgentCharacters::CharacterByID(qint32 numero)
{
    for (const auto& personnage : FCharacters)
        if (personnage->Numero() == numero)
            return personnage.get();
    return nullptr;
}

TAgentCharacter* TAgentCharacters::CharacterByWindow(const QWindow* fenetre)
{
    if (!fenetre)
        return nullptr;
    for (const auto& personnage : FCharacters)
        if (personnage->Fenetre() == fenetre)
            return personnage.get();
    return nullptr;
}

TAgentCharacter* TAgentCharacters::GetCharacter(const QString& identifiant)
{
    return GardeLecture<TAgentCharacter*>(QString::fromLatin1(sChsRetrieveRequestedCharacterNickname), nullptr, [&] {
        if (identifiant.isEmpty())
            throw EMSAgentEmptyValue();
        // Premier dans l'ordre de chargement, casse ignorée.
        for (const auto& personnage : FCharacters)
            if (personnage->CharacterID().compare(identifiant, Qt::CaseInsensitive) == 0)
                return personnage.get();
        return static_cast<TAgentCharacter*>(nullptr);
    });
}

TAgentCharacter* TAgentCharacters::FindByCommand(qint32 commande, TAgentCommand** trouvee)
{
    for (const auto& personnage : FCharacters) {
        TAgentCommands* commandes = personnage->CommandesExistantes();
        if (!commandes)
            continue;
        if (TAgentCommand* c = commandes->CommandeConnue(commande)) {
            if (trouvee)
                *trouvee = c;
            return personnage.get();
        }
    }
    return nullptr;
}

TAgentCharacter* TAgentCharacters::FindByRequest(qint32 requete) const
{
    for (const TAgentRequest& r : FRequests)
        if (r.numero == requete)
            return r.personnage;
    return nullptr;
}

bool TAgentCharacters::RemoveRequest(qint32 requete)
{
    for (qsizetype i = 0; i < FRequests.size(); ++i)
        if (FRequests[i].numero == requete) {
            FRequests.removeAt(i);
            return true;
        }
    return false;
}

CodeResultat TAgentCharacters::Unload(TAgentCharacter* personnage)
{
    return Garde(QString::fromLatin1(sChrUnloadCharacter), [&] {
        if (!personnage)
            throw EMSAgentObjectNotFound();
        // Un personnage déjà en cours de déchargement (depuis OnUnload) n'est plus à trouver.
        if (!Contient(personnage) || personnage->EnDechargement())
            throw EMSAgentObjectNotFound();
        personnage->MarquerDechargement();
        GetAgent()->FireUnloadEvent(personnage);
        // Relu après l'événement : le gestionnaire a pu charger d'autres personnages.
        auto it = std::find_if(FCharacters.begin(), FCharacters.end(),
                               [&](const auto& p) { return p.get() == personnage; });
        std::unique_ptr<TAgentCharacter> retire = std::move(*it);
        FCharacters.erase(it);
        retire.reset();
        CheckTimer();
    });
}

CodeResultat TAgentCharacters::Unload(qint32 numero)
{
    return Unload(CharacterByID(numero));
}

CodeResultat TAgentCharacters::Unload(const QString& identifiant)
{
    return Unload(GetCharacter(identifiant));
}

CodeResultat TAgentCharacters::UnloadAll()
{
    CodeResultat resultat = S_OK_AGENT;
    while (!FCharacters.empty()) {
        const CodeResultat code = Unload(FCharacters.back().get());
        if (echec(code)) {
            resultat = code;
            break;
        }
    }
    return resultat;
}

QString TAgentCharacters::GetCharFolder()
{
    // Recalculé à chaque appel : le dossier de l'exécutable peut être remplacé (tests).
    QString dossier = repertoireWindows();
    if (!dossier.isEmpty() && !dossier.endsWith(QLatin1Char('/')))
        dossier += QLatin1Char('/');
    return dossier + QStringLiteral("MSAgent/Chars/");
}

QStringList TAgentCharacters::GetInstalledChars()
{
    if (FInstalledChars.rafraichie)
        return FInstalledChars.fichiers;
    return GardeLecture<QStringList>(QString::fromLatin1(sChsRefreshListInstalledCharacters), QStringList(), [&] {
        FInstalledChars.fichiers.clear();
        // Les personnages de l'utilisateur puis ceux qui sont livrés ; un nom n'y paraît qu'une fois.
        for (const QString& dossier : repertoiresPersonnages()) {
            const QStringList precedents = FInstalledChars.fichiers;
            const QList<TSearchRec> entrees = chercherFichiers(dossier + QStringLiteral("*.AC?"),
                                                               faReadOnly | faHidden | faSysFile | faArchive);
            for (const TSearchRec& entree : entrees) {
                if (entree.Attr & faDirectory)
                    continue;
                const QString extension = ExtractFileExt(entree.Name);
                if ((extension.compare(QLatin1String(".acs"), Qt::CaseInsensitive) == 0
                     || extension.compare(QLatin1String(".acf"), Qt::CaseInsensitive) == 0)
                    && !precedents.contains(entree.Name.toLower()))
                    FInstalledChars.fichiers.append(entree.Name.toLower());
            }
        }
        FInstalledChars.rafraichie = true;
        return FInstalledChars.fichiers;
    });
}

void TAgentCharacters::StartTimer()
{
    if (!FMinuterie->isActive()) {
        FDernierePosition = QPoint(-1, -1);
        FMinuterie->start();
    }
}

void TAgentCharacters::StopTimer()
{
    FMinuterie->stop();
}

void TAgentCharacters::CheckTimer()
{
    if (GetCount() > 0)
        StartTimer();
    else
        StopTimer();
}

bool TAgentCharacters::TimerActive() const
{
    return FMinuterie && FMinuterie->isActive();
}

void TAgentCharacters::WndProc(int minuterie)
{
    if (minuterie == IdMinuterieSouris)
        TimerOccured();
}

void TAgentCharacters::TimerOccured()
{
    const QPoint position = QCursor::pos();
    if (position == FDernierePosition)
        return;
    FDernierePosition = position;
    TMSAgent* agent = GetAgent();
    if (agent->Dragging() || !agent->OnMouseMove || agent->Destroying())
        return;
    TAgentCharacter* personnage = CharacterByWindow(QGuiApplication::topLevelAt(position));
    if (!personnage)
        return;
    const QPoint coin = personnage->GetPosition();
    if (coin.x() == AGENT_E_HORS_LIMITES)
        return;
    agent->FireMouseMoveEvent(personnage, position - coin);
}
