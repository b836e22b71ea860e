#pragma once
// Double du serveur de personnages : note chaque appel, distribue les numéros de personnage
// et de requête, répond le code choisi par le test et envoie les notifications à la demande,
// mises en file sur le fil de l'interface comme le ferait le vrai serveur.
// Tout est dans l'en-tête : seuls les tests qui lient le compagnon l'incluent.
#include "ServeurAgent.h"
#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QMetaObject>
#include <functional>
#include <map>
#include <memory>

struct AppelAgent
{
    QString nom;
    qint32 personnage = 0; // 0 : appel au serveur lui-même
    QVariantList arguments;
};

// État partagé entre le serveur double et ses personnages.
struct JournalAgent
{
    QList<AppelAgent> appels;
    QHash<QString, CodeResultat> resultats; // code rendu par nom d'appel, 0 sinon
    qint32 prochainPersonnage = 1;
    qint32 prochaineRequete = 1;
    QSize taille{128, 128};
    QPoint position{0, 0};
    bool autoPopup = false;
    QStringList animations{QStringLiteral("Wave"), QStringLiteral("Suggest"), QStringLiteral("Sad")};
    // Propriétés écrites (ou posées par le test), relues telles quelles ; clé : cle(objet, numéro).
    QHash<QString, QVariant> proprietes;
    // Le serveur fournit sortie audio, entrée vocale, fenêtre des commandes et feuille de
    // propriétés ; sinon il les ignore (E_NOTIMPL), comme le service de personnages.
    bool sousObjets = false;

    static QString cle(const QString& objet, int propriete) { return objet + u'/' + QString::number(propriete); }

    CodeResultat noter(const QString& nom, qint32 personnage, const QVariantList& arguments = {})
    {
        appels.append(AppelAgent{nom, personnage, arguments});
        return resultats.value(nom, S_OK_AGENT);
    }
};

// Objet à propriétés (bulle, commandes, fenêtre des commandes…) : ce qui s'écrit se relit ;
// chaque accès est noté « Objet.Lire » ou « Objet.Ecrire ».
template <class I>
class ProprietesAgentDouble : public I
{
public:
    ProprietesAgentDouble(std::shared_ptr<JournalAgent> journal, QString objet)
        : m_journal(std::move(journal)), m_objet(std::move(objet)) {}

    CodeResultat Lire(int propriete, QVariant& valeur) override
    {
        valeur = m_journal->proprietes.value(JournalAgent::cle(m_objet, propriete));
        return m_journal->noter(m_objet + QStringLiteral(".Lire"), 0, {propriete});
    }
    CodeResultat Ecrire(int propriete, const QVariant& valeur) override
    {
        const CodeResultat code = m_journal->noter(m_objet + QStringLiteral(".Ecrire"), 0, {propriete, valeur});
        if (!echec(code))
            m_journal->proprietes.insert(JournalAgent::cle(m_objet, propriete), valeur);
        return code;
    }

protected:
    std::shared_ptr<JournalAgent> m_journal;
    QString m_objet;
};

// Commandes d'un personnage : numéros distribués à partir de 100.
class CommandesAgentDouble : public ProprietesAgentDouble<ICommandesAgent>
{
public:
    explicit CommandesAgentDouble(std::shared_ptr<JournalAgent> journal)
        : ProprietesAgentDouble(std::move(journal), QStringLiteral("Commands")) {}

    CodeResultat Add(const QString& legende, const QString& voix, bool actif, bool visible, qint32& numero) override
    {
        const CodeResultat code = m_journal->noter(QStringLiteral("Commands.Add"), 0, {legende, voix, actif, visible});
        if (!echec(code))
            creer(numero);
        return code;
    }
    CodeResultat Insert(const QString& legende, const QString& voix, bool actif, bool visible, qint32 reference,
                        bool avant, qint32& numero) override
    {
        const CodeResultat code = m_journal->noter(QStringLiteral("Commands.Insert"), 0,
                                                   {legende, voix, actif, visible, reference, avant});
        if (!echec(code))
            creer(numero);
        return code;
    }
    CodeResultat Remove(qint32 numero) override
    {
        m_commandes.erase(numero);
        return m_journal->noter(QStringLiteral("Commands.Remove"), 0, {numero});
    }
    CodeResultat RemoveAll() override
    {
        m_commandes.clear();
        return m_journal->noter(QStringLiteral("Commands.RemoveAll"), 0);
    }
    CodeResultat GetCommand(qint32 numero, std::shared_ptr<ICommandeAgent>& commande) override
    {
        const auto it = m_commandes.find(numero);
        if (it == m_commandes.end())
            return E_INVALIDARG_AGENT;
        commande = it->second;
        return S_OK_AGENT;
    }

private:
    void creer(qint32& numero)
    {
        numero = m_prochaine++;
        m_commandes[numero] = std::make_shared<ProprietesAgentDouble<ICommandeAgent>>(m_journal, QStringLiteral("Command"));
    }

    std::map<qint32, std::shared_ptr<ICommandeAgent>> m_commandes;
    qint32 m_prochaine = 100;
};

// Choix reconnus d'une commande, pour la notification Command.
class EntreeUtilisateurDouble : public IEntreeUtilisateurAgent
{
public:
    struct Choix { qint32 numero; int confiance; QString texte; };
    QList<Choix> choix;

    CodeResultat GetCount(int& nombre) override
    {
        nombre = static_cast<int>(choix.size());
        return S_OK_AGENT;
    }
    CodeResultat GetItemID(int i, qint32& numero) override
    {
        return lire(i, [&](const Choix& c) { numero = c.numero; });
    }
    CodeResultat GetItemConfidence(int i, int& confiance) override
    {
        return lire(i, [&](const Choix& c) { confiance = c.confiance; });
    }
    CodeResultat GetItemText(int i, QString& texte) override
    {
        return lire(i, [&](const Choix& c) { texte = c.texte; });
    }

private:
    template <class F>
    CodeResultat lire(int i, F&& f)
    {
        if (i < 0 || i >= choix.size())
            return E_INVALIDARG_AGENT;
        f(choix.at(i));
        return S_OK_AGENT;
    }
};

class PersonnageAgentDouble : public IPersonnageAgent
{
public:
    PersonnageAgentDouble(std::shared_ptr<JournalAgent> journal, qint32 numero, QString nom)
        : m_journal(std::move(journal)), m_numero(numero), m_nom(std::move(nom)) {}

    qint32 numero() const { return m_numero; }

    CodeResultat Show(bool rapide, qint32& requete) override { return requeteNotee(QStringLiteral("Show"), {rapide}, requete); }
    CodeResultat Hide(bool rapide, qint32& requete) override { return requeteNotee(QStringLiteral("Hide"), {rapide}, requete); }
    CodeResultat Speak(const QString& texte, const QString& lien, qint32& requete) override
    {
        return requeteNotee(QStringLiteral("Speak"), {texte, lien}, requete);
    }
    CodeResultat Play(const QString& animation, qint32& requete) override
    {
        return requeteNotee(QStringLiteral("Play"), {animation}, requete);
    }
    CodeResultat MoveTo(int x, int y, int vitesse, qint32& requete) override
    {
        return requeteNotee(QStringLiteral("MoveTo"), {x, y, vitesse}, requete);
    }
    CodeResultat GestureAt(int x, int y, qint32& requete) override
    {
        return requeteNotee(QStringLiteral("GestureAt"), {x, y}, requete);
    }
    CodeResultat Think(const QString& texte, qint32& requete) override
    {
        return requeteNotee(QStringLiteral("Think"), {texte}, requete);
    }
    CodeResultat Wait(qint32 attendue, qint32& requete) override
    {
        return requeteNotee(QStringLiteral("Wait"), {attendue}, requete);
    }
    CodeResultat Interrupt(qint32 interrompue, qint32& requete) override
    {
        return requeteNotee(QStringLiteral("Interrupt"), {interrompue}, requete);
    }
    CodeResultat Prepare(int type, const QString& nom, bool fileAttente, qint32& requete) override
    {
        return requeteNotee(QStringLiteral("Prepare"), {type, nom, fileAttente}, requete);
    }
    CodeResultat Listen(bool ecoute) override { return m_journal->noter(QStringLiteral("Listen"), m_numero, {ecoute}); }
    CodeResultat Activate(int etat) override { return m_journal->noter(QStringLiteral("Activate"), m_numero, {etat}); }
    CodeResultat ShowPopupMenu(int x, int y) override
    {
        return m_journal->noter(QStringLiteral("ShowPopupMenu"), m_numero, {x, y});
    }
    CodeResultat SetPosition(int x, int y) override
    {
        const CodeResultat code = m_journal->noter(QStringLiteral("SetPosition"), m_numero, {x, y});
        if (!echec(code))
            m_journal->position = QPoint(x, y);
        return code;
    }
    CodeResultat SetSize(int largeur, int hauteur) override
    {
        const CodeResultat code = m_journal->noter(QStringLiteral("SetSize"), m_numero, {largeur, hauteur});
        if (!echec(code))
            m_journal->taille = QSize(largeur, hauteur);
        return code;
    }
    CodeResultat GetSize(int& largeur, int& hauteur) override
    {
        largeur = m_journal->taille.width();
        hauteur = m_journal->taille.height();
        return m_journal->noter(QStringLiteral("GetSize"), m_numero);
    }
    CodeResultat GetPosition(int& x, int& y) override
    {
        x = m_journal->position.x();
        y = m_journal->position.y();
        return m_journal->noter(QStringLiteral("GetPosition"), m_numero);
    }
    CodeResultat Stop(qint32 requete) override { return m_journal->noter(QStringLiteral("Stop"), m_numero, {requete}); }
    CodeResultat StopAll(qint32 types) override { return m_journal->noter(QStringLiteral("StopAll"), m_numero, {types}); }
    CodeResultat GetAnimationNames(QStringList& noms) override
    {
        noms = m_journal->animations;
        return m_journal->noter(QStringLiteral("GetAnimationNames"), m_numero);
    }
    CodeResultat GetCommands(std::shared_ptr<ICommandesAgent>& commandes) override
    {
        if (!m_commandes)
            m_commandes = std::make_shared<CommandesAgentDouble>(m_journal);
        commandes = m_commandes;
        return m_journal->noter(QStringLiteral("GetCommands"), m_numero);
    }
    CodeResultat GetBalloon(std::shared_ptr<IBulleAgent>& bulle) override
    {
        const CodeResultat code = m_journal->noter(QStringLiteral("GetBalloon"), m_numero);
        if (!echec(code))
            bulle = std::make_shared<ProprietesAgentDouble<IBulleAgent>>(m_journal, QStringLiteral("Balloon"));
        return code;
    }
    // Ce qui a été écrit se relit ; sinon le nom tiré du fichier et l'AutoPopup du journal.
    CodeResultat Lire(int propriete, QVariant& valeur) override
    {
        const QString cle = JournalAgent::cle(QStringLiteral("Character"), propriete);
        if (m_journal->proprietes.contains(cle))
            valeur = m_journal->proprietes.value(cle);
        else if (static_cast<ProprietePersonnage>(propriete) == ProprietePersonnage::Name)
            valeur = m_nom;
        else if (static_cast<ProprietePersonnage>(propriete) == ProprietePersonnage::AutoPopup)
            valeur = m_journal->autoPopup;
        else
            valeur = QVariant();
        return m_journal->noter(QStringLiteral("Character.Lire"), m_numero, {propriete});
    }
    CodeResultat Ecrire(int propriete, const QVariant& valeur) override
    {
        const CodeResultat code = m_journal->noter(QStringLiteral("Character.Ecrire"), m_numero, {propriete, valeur});
        if (!echec(code))
            m_journal->proprietes.insert(JournalAgent::cle(QStringLiteral("Character"), propriete), valeur);
        return code;
    }

private:
    CodeResultat requeteNotee(const QString& nom, const QVariantList& arguments, qint32& requete)
    {
        const CodeResultat code = m_journal->noter(nom, m_numero, arguments);
        requete = echec(code) ? 0 : m_journal->prochaineRequete++;
        return code;
    }

    std::shared_ptr<JournalAgent> m_journal;
    qint32 m_numero;
    QString m_nom;
    std::shared_ptr<CommandesAgentDouble> m_commandes;
};

class ServeurAgentDouble : public IServeurAgent, public std::enable_shared_from_this<ServeurAgentDouble>
{
public:
    ServeurAgentDouble() : m_journal(std::make_shared<JournalAgent>()) {}

    JournalAgent& journal() { return *m_journal; }
    const QList<AppelAgent>& appels() const { return m_journal->appels; }
    void repondre(const QString& appel, CodeResultat code) { m_journal->resultats.insert(appel, code); }
    int nombre(const QString& appel) const
    {
        int n = 0;
        for (const AppelAgent& a : m_journal->appels)
            n += a.nom == appel ? 1 : 0;
        return n;
    }
    QList<AppelAgent> appelsDe(const QString& appel) const
    {
        QList<AppelAgent> resultat;
        for (const AppelAgent& a : m_journal->appels)
            if (a.nom == appel)
                resultat.append(a);
        return resultat;
    }
    // Noms des appels, dans l'ordre, sauf les lectures de propriétés.
    QStringList sequence() const
    {
        QStringList noms;
        for (const AppelAgent& a : m_journal->appels)
            if (!a.nom.endsWith(QLatin1String(".Lire")) && a.nom != QLatin1String("GetSize"))
                noms.append(a.nom);
        return noms;
    }
    void oublierAppels() { m_journal->appels.clear(); }
    IRecepteurAgent* recepteur() const { return m_recepteur; }
    qint32 dernierPersonnage() const { return m_journal->prochainPersonnage - 1; }
    qint32 derniereRequete() const { return m_journal->prochaineRequete - 1; }

    // Envoie une notification plus tard, depuis la boucle d'événements, au récepteur enregistré
    // à ce moment-là (aucun : rien n'est envoyé).
    void envoyer(std::function<void(IRecepteurAgent&)> notification)
    {
        std::weak_ptr<ServeurAgentDouble> faible = weak_from_this();
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [faible, notification = std::move(notification)] {
                if (const auto serveur = faible.lock())
                    if (serveur->m_recepteur)
                        notification(*serveur->m_recepteur);
            },
            Qt::QueuedConnection);
    }

    CodeResultat Register(IRecepteurAgent* recepteur, qint32& numero) override
    {
        const CodeResultat code = m_journal->noter(QStringLiteral("Register"), 0);
        if (echec(code))
            return code;
        m_recepteur = recepteur;
        numero = 7;
        return code;
    }
    CodeResultat Unregister(qint32 numero) override
    {
        m_recepteur = nullptr;
        return m_journal->noter(QStringLiteral("Unregister"), 0, {numero});
    }
    CodeResultat Load(const QVariant& fournisseur, qint32& personnage, qint32& requete) override
    {
        const CodeResultat code = m_journal->noter(QStringLiteral("Load"), 0, {fournisseur});
        if (echec(code))
            return code;
        personnage = m_journal->prochainPersonnage++;
        requete = m_journal->prochaineRequete++;
        // Le nom du personnage est celui de son fichier, sans extension.
        QString nom = fournisseur.toString();
        nom = nom.mid(nom.lastIndexOf(QLatin1Char('/')) + 1);
        nom = nom.left(nom.indexOf(QLatin1Char('.')) < 0 ? nom.size() : nom.indexOf(QLatin1Char('.')));
        m_personnages[personnage] = std::make_shared<PersonnageAgentDouble>(m_journal, personnage, nom);
        return code;
    }
    CodeResultat Unload(qint32 personnage) override
    {
        m_personnages.erase(personnage);
        return m_journal->noter(QStringLiteral("Unload"), 0, {personnage});
    }
    CodeResultat GetCharacterEx(qint32 personnage, std::shared_ptr<IPersonnageAgent>& interfacePersonnage) override
    {
        const CodeResultat code = m_journal->noter(QStringLiteral("GetCharacterEx"), 0, {personnage});
        if (echec(code))
            return code;
        const auto it = m_personnages.find(personnage);
        if (it == m_personnages.end())
            return E_INVALIDARG_AGENT;
        interfacePersonnage = it->second;
        return code;
    }
    CodeResultat GetVersion(qint16& majeure, qint16& mineure) override
    {
        majeure = 2;
        mineure = 5;
        return m_journal->noter(QStringLiteral("GetVersion"), 0);
    }
    CodeResultat ShowDefaultCharacterProperties(int x, int y, bool positionParDefaut) override
    {
        return m_journal->noter(QStringLiteral("ShowDefaultCharacterProperties"), 0, {x, y, positionParDefaut});
    }
    CodeResultat GetAudioOutput(std::shared_ptr<ISortieAudioAgent>& sortie) override
    {
        return sousObjet(QStringLiteral("AudioOutput"), sortie);
    }
    CodeResultat GetSpeechInput(std::shared_ptr<IEntreeVocaleAgent>& entree) override
    {
        return sousObjet(QStringLiteral("SpeechInput"), entree);
    }
    CodeResultat GetCommandWindow(std::shared_ptr<IFenetreCommandesAgent>& fenetre) override
    {
        return sousObjet(QStringLiteral("CommandWindow"), fenetre);
    }
    CodeResultat GetPropertySheet(std::shared_ptr<IFeuilleProprietesAgent>& feuille) override
    {
        return sousObjet(QStringLiteral("PropertySheet"), feuille);
    }

private:
    template <class I>
    CodeResultat sousObjet(const QString& objet, std::shared_ptr<I>& resultat)
    {
        if (!m_journal->sousObjets)
            return E_NOTIMPL_AGENT;
        const CodeResultat code = m_journal->noter(QStringLiteral("Get") + objet, 0);
        if (!echec(code))
            resultat = std::make_shared<ProprietesAgentDouble<I>>(m_journal, objet);
        return code;
    }

    std::shared_ptr<JournalAgent> m_journal;
    std::map<qint32, std::shared_ptr<PersonnageAgentDouble>> m_personnages;
    IRecepteurAgent* m_recepteur = nullptr;
};

// Enregistre un serveur double neuf pour la durée de vie de l'objet.
class ServeurAgentDoubleInstalle
{
public:
    ServeurAgentDoubleInstalle() : serveur(std::make_shared<ServeurAgentDouble>())
    {
        enregistrerServeurAgent([s = serveur] { return std::static_pointer_cast<IServeurAgent>(s); });
    }
    ~ServeurAgentDoubleInstalle() { enregistrerServeurAgent(nullptr); }
    ServeurAgentDoubleInstalle(const ServeurAgentDoubleInstalle&) = delete;
    ServeurAgentDoubleInstalle& operator=(const ServeurAgentDoubleInstalle&) = delete;

    ServeurAgentDouble* operator->() const { return serveur.get(); }

    std::shared_ptr<ServeurAgentDouble> serveur;
};
