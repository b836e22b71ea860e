// Le personnage : création, requêtes, placement et propriétés.
#include "Agentballoon.h"
#include "Agentcharacters.h"
#include "Agentcommands.h"
#include "Emplacements.h"
#include "MSAgent.h"
#include <QGuiApplication>
#include <QWindow>

namespace {
QString ctx(const char* texte) { return QString::fromLatin1(texte); }

QString avecNom(const char* texte, const QString& nom)
{
    return ctx(texte).replace(QLatin1String("%s"), nom);
}
} // namespace

TAgentCharacter::TAgentCharacter(TAgentCharacters* collection, const QString& identifiant, const QString& fournisseur)
    : TAgentBase(collection), FCharacterID(identifiant)
{
    LoadInterface(fournisseur);
    InitFileSpecs(fournisseur);
    CheckHandle();
    CheckPointerFactor();
    QVariant autoPopup;
    if (!echec(Personnage()->Lire(static_cast<int>(ProprietePersonnage::AutoPopup), autoPopup)))
        FAutoPopup = autoPopup.toBool();
}

TAgentCharacter::~TAgentCharacter()
{
    RemoveAllRequests();
    FBalloon.reset();
    FCommands.reset();
    FAnimations.clear();
    const bool charge = GetIsLoaded();
    UnloadInterface();
    if (charge)
        if (const auto& serveur = GetAgent()->GetInterface())
            serveur->Unload(FNumero);
}

TAgentCharacters* TAgentCharacter::Collection() const
{
    return static_cast<TAgentCharacters*>(Parent());
}

CodeResultat TAgentCharacter::ErrorOccured(const QString& contexte)
{
    FLastError = TAgentBase::ErrorOccured(contexte);
    return FLastError;
}

void TAgentCharacter::ResetLastError()
{
    FLastError = S_OK_AGENT;
    TAgentBase::ResetLastError();
}

void TAgentCharacter::LoadInterface(const QString& fournisseur)
{
    const auto& serveur = GetAgent()->GetInterface();
    if (!serveur)
        throw EMSAgentNotConnected(ctx(sChsLoadCharacterFile));
    const QVariant variante = fournisseur.isEmpty() ? QVariant() : QVariant(fournisseur);
    qint32 requete = 0;
    verifierResultat(serveur->Load(variante, FNumero, requete));
    std::shared_ptr<IPersonnageAgent> personnage;
    const CodeResultat code = serveur->GetCharacterEx(FNumero, personnage);
    if (echec(code) || !personnage) {
        serveur->Unload(FNumero);
        throw EMSAgentBadResult(echec(code) ? code : E_FAIL_AGENT);
    }
    BindInterface(personnage);
}

void TAgentCharacter::InitFileSpecs(const QString& fournisseur)
{
    if (fournisseur.isEmpty()) {
        FDefaultCharacter = true;
        FFileName.clear();
        FFolder.clear();
        FFullPath.clear();
        return;
    }
    FDefaultCharacter = false;
    const qsizetype delimiteur = std::max(fournisseur.lastIndexOf(QLatin1Char('\\')),
                                          fournisseur.lastIndexOf(QLatin1Char('/')));
    if (delimiteur < 0) {
        FFolder = repertoirePersonnagePour(fournisseur);
        FFileName = fournisseur;
    } else {
        FFolder = fournisseur.left(delimiteur + 1);
        FFileName = fournisseur.mid(delimiteur + 1);
        // Sous Linux, un chemin commençant par "/" est absolu lui aussi.
        const bool absolu = (FFolder.size() > 1 && FFolder.at(1) == QLatin1Char(':'))
            || FFolder.startsWith(QLatin1String("\\\\")) || FFolder.startsWith(QLatin1Char('/'))
            || FFolder.left(7).compare(QLatin1String("http://"), Qt::CaseInsensitive) == 0;
        if (!absolu)
            FFolder = TAgentCharacters::GetCharFolder() + FFolder;
    }
    FFullPath = FFolder + FFileName;
}

void TAgentCharacter::CheckHandle()
{
    // Première fenêtre de premier niveau de classe "AgentAnim" qu'aucun personnage ne possède.
    const QList<QWindow*> fenetres = QGuiApplication::topLevelWindows();
    for (QWindow* fenetre : fenetres) {
        const QString classe = fenetre->property(ProprieteClasseFenetre).toString().left(LongueurClasseFenetre);
        if (classe.compare(QLatin1String(ClasseFenetrePersonnage), Qt::CaseInsensitive) != 0)
            continue;
        if (Collection()->CharacterByWindow(fenetre))
            continue;
        FFenetre = fenetre;
        return;
    }
}

double TAgentCharacter::FacteurPointage(const QString& nom)
{
    struct Facteur { const char* nom; double valeur; };
    static const Facteur table[] = {{"Merlin", 0.333}, {"Genie", 0.333}, {"Robby", 0.111}, {"Peedy", 0.445}};
    for (const Facteur& f : table)
        if (nom.compare(QLatin1String(f.nom), Qt::CaseInsensitive) == 0)
            return f.valeur;
    return FacteurPointageDefaut;
}

void TAgentCharacter::CheckPointerFactor()
{
    QVariant nom;
    Personnage()->Lire(static_cast<int>(ProprietePersonnage::Name), nom);
    FPointerFactor = FacteurPointage(nom.toString());
}

void TAgentCharacter::AddRequestToList(qint32 requete)
{
    Collection()->RequestsModifiables().append(TAgentRequest{requete, this});
}

void TAgentCharacter::RemoveAllRequests()
{
    TAgentRequestList& table = Collection()->RequestsModifiables();
    for (qsizetype i = table.size() - 1; i >= 0; --i)
        if (table[i].personnage == this)
            table.removeAt(i);
}

template <class F>
CodeResultat TAgentCharacter::Requete(const QString& contexte, F&& appel)
{
    return Garde(contexte, [&] {
        CheckLoaded();
        qint32 requete = 0;
        verifierResultat(appel(*Personnage(), requete));
        FLastRequestID = requete;
        AddRequestToList(requete);
    });
}

CodeResultat TAgentCharacter::Show(bool rapide)
{
    return Requete(ctx(sChrShowCharacter), [&](IPersonnageAgent& p, qint32& r) { return p.Show(rapide, r); });
}

CodeResultat TAgentCharacter::Hide(bool rapide)
{
    return Requete(ctx(sChrHideCharacter), [&](IPersonnageAgent& p, qint32& r) { return p.Hide(rapide, r); });
}

CodeResultat TAgentCharacter::Speak(const QString& texte, const QString& lien)
{
    return Requete(ctx(sChrSpeakTextUrl), [&](IPersonnageAgent& p, qint32& r) {
        if (texte.isEmpty() && lien.isEmpty())
            throw EMSAgentEmptyValue();
        return p.Speak(texte, lien, r);
    });
}

CodeResultat TAgentCharacter::Play(const QString& animation)
{
    return Requete(avecNom(sChrPlayAnimationNom, animation), [&](IPersonnageAgent& p, qint32& r) {
        if (animation.isEmpty())
            throw EMSAgentEmptyValue();
        return p.Play(animation, r);
    });
}

CodeResultat TAgentCharacter::Think(const QString& texte)
{
    return Requete(ctx(sChrThinkText), [&](IPersonnageAgent& p, qint32& r) {
        if (texte.isEmpty())
            throw EMSAgentEmptyValue();
        return p.Think(texte, r);
    });
}

CodeResultat TAgentCharacter::Prepare(TAgentPrepareType type, const QString& nom, bool fileAttente)
{
    return Requete(avecNom(sChrPrepareRequestedCharacterDataNom, nom), [&](IPersonnageAgent& p, qint32& r) {
        if (nom.isEmpty())
            throw EMSAgentEmptyValue();
        return p.Prepare(static_cast<int>(type), nom, fileAttente, r);
    });
}

CodeResultat TAgentCharacter::GestureAt(int x, int y)
{
    return Requete(ctx(sChrGestureAtCoordinates), [&](IPersonnageAgent& p, qint32& r) { return p.GestureAt(x, y, r); });
}

CodeResultat TAgentCharacter::GestureAt(const QPoint& point)
{
    return GestureAt(point.x(), point.y());
}

CodeResultat TAgentCharacter::Wait(qint32 requete)
{
    return Requete(ctx(sChrWaitCharacterRequest), [&](IPersonnageAgent& p, qint32& r) { return p.Wait(requete, r); });
}

CodeResultat TAgentCharacter::Interrupt(qint32 requete)
{
    return Requete(ctx(sChrInterruptCharacter), [&](IPersonnageAgent& p, qint32& r) { return p.Interrupt(requete, r); });
}

void TAgentCharacter::demanderDeplacement(int x, int y, int vitesse)
{
    CheckLoaded();
    qint32 requete = 0;
    verifierResultat(Personnage()->MoveTo(x, y, vitesse, requete));
    FLastRequestID = requete;
    AddRequestToList(requete);
}

CodeResultat TAgentCharacter::MoveToXY(int x, int y, int vitesse)
{
    return Garde(ctx(sChrMoveCharacter), [&] { demanderDeplacement(x, y, vitesse); });
}

CodeResultat TAgentCharacter::MoveToXY(const QPoint& point, int vitesse)
{
    return MoveToXY(point.x(), point.y(), vitesse);
}

bool TAgentCharacter::GetMoveCoordinates(const ObjetFenetre& controle, TAgentSide cote, QPoint& cible)
{
    const QSize taille = GetSize();
    if (taille.width() == AGENT_E_HORS_LIMITES)
        return false;
    const int cx = taille.width();
    const int cy = taille.height();
    const QPoint o = controle.origineEcran;
    const int w = controle.largeur;
    const int h = controle.hauteur;
    // Divisions entières tronquées ; cy × f en flottant, différence tronquée.
    const auto niveau = [&] { return static_cast<int>(o.y() + h / 2 - cy * FPointerFactor); };
    switch (cote) {
    case asRight: cible = QPoint(o.x() + w + 5, niveau()); break;
    case asLeft: cible = QPoint(o.x() - cx - 5, niveau()); break;
    case asTop: cible = QPoint(o.x() + (w - cx) / 2, o.y() - cy - 5); break;
    case asBottom: cible = QPoint(o.x() + (w - cx) / 2, o.y() + h + 5); break;
    case asCenter: cible = QPoint(o.x() + (w - cx) / 2, o.y() + (h - cy) / 2); break;
    }
    return true;
}

bool TAgentCharacter::GetGestureCoordinates(const ObjetFenetre& controle, QPoint& cible)
{
    // Le geste vise le milieu du contrôle.
    cible = QPoint(controle.origineEcran.x() + controle.largeur / 2, controle.origineEcran.y() + controle.hauteur / 2);
    return true;
}

CodeResultat TAgentCharacter::MoveToSideOfObject(const ObjetFenetre* controle, TAgentSide cote)
{
    const QString contexte = controle && !controle->nom.isEmpty() ? avecNom(sChrMoveObjectNom, controle->nom)
                                                                   : ctx(sChrMoveObject);
    return Garde(contexte, [&] {
        if (!controle)
            throw EMSAgentObjectNotFound();
        CheckLoaded();
        QPoint cible;
        // Taille illisible : rien n'est demandé.
        if (!GetMoveCoordinates(*controle, cote, cible))
            throw EMSAgentValueOutOfRange();
        demanderDeplacement(cible.x(), cible.y(), VitesseDeplacement);
    });
}

CodeResultat TAgentCharacter::MoveToObject(const ObjetFenetre* controle)
{
    return MoveToSideOfObject(controle, asCenter);
}

CodeResultat TAgentCharacter::GestureAtObject(const ObjetFenetre* controle)
{
    const QString contexte = controle && !controle->nom.isEmpty() ? avecNom(sChrGestureAtObjectNom, controle->nom)
                                                                   : ctx(sChrGestureAtObject);
    return Requete(contexte, [&](IPersonnageAgent& p, qint32& r) {
        if (!controle)
            throw EMSAgentObjectNotFound();
        QPoint cible;
        GetGestureCoordinates(*controle, cible);
        return p.GestureAt(cible.x(), cible.y(), r);
    });
}

CodeResultat TAgentCharacter::MoveToSideAndGesture(const ObjetFenetre* controle, TAgentSide cote)
{
    return Garde(ctx(sChrMoveSideObject), [&] {
        if (!controle)
            throw EMSAgentObjectNotFound();
        CheckLoaded();
        QPoint cible;
        if (!GetMoveCoordinates(*controle, cote, cible))
            throw EMSAgentValueOutOfRange();
        demanderDeplacement(cible.x(), cible.y(), VitesseDeplacement);
        QPoint geste;
        GetGestureCoordinates(*controle, geste);
        qint32 requete = 0;
        verifierResultat(Personnage()->GestureAt(geste.x(), geste.y(), requete));
        FLastRequestID = requete;
        AddRequestToList(requete);
    });
}

CodeResultat TAgentCharacter::MoveAndGestureAtObject(const ObjetFenetre* controle, TAgentSide cote)
{
    return MoveToSideAndGesture(controle, cote);
}
