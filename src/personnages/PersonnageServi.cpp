#include "PersonnageServi.h"

#include "AttachePersonnages.h"

#include "Agentbase.h"
#include "DepartPersonnage.h"
#include "ServeurPersonnages.h"
#include "TexteParole.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QScreen>

// Objet bulle rendu au composant ; il survit au personnage sans rien pouvoir faire.
class BulleServie : public IBulleAgent
{
public:
    explicit BulleServie(PersonnageServi* personnage) : m_personnage(personnage) {}
    void detacher() { m_personnage = nullptr; }
    CodeResultat Lire(int propriete, QVariant& valeur) override
    {
        return m_personnage ? m_personnage->lireBulle(propriete, valeur) : AGENT_E_PERSONNAGE_DECHARGE;
    }
    CodeResultat Ecrire(int propriete, const QVariant& valeur) override
    {
        return m_personnage ? m_personnage->ecrireBulle(propriete, valeur) : AGENT_E_PERSONNAGE_DECHARGE;
    }

private:
    PersonnageServi* m_personnage;
};

namespace {
QColor couleurAcs(QRgb rgb) { return QColor::fromRgb(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

// Type d'arrêt (StopAll) d'une requête.
qint32 typeArret(TypeRequete type)
{
    switch (type) {
    case TypeRequete::Deplacer: return astMove;
    case TypeRequete::Parler: return astSpeak;
    case TypeRequete::Montrer:
    case TypeRequete::Cacher: return astVisible;
    case TypeRequete::Chargement: return 0;
    default: return astPlay;
    }
}
} // namespace

PersonnageServi::PersonnageServi(ServeurPersonnages& serveur, qint32 numero,
                                 std::shared_ptr<const PersonnageAcs> modele, QString nomFichier)
    : m_serveur(&serveur), m_numero(numero), m_modele(std::move(modele)), m_nomFichier(std::move(nomFichier)),
      m_fenetre(std::make_unique<FenetrePersonnage>()), m_bulle(std::make_unique<FenetreBulle>()),
      m_cache(24 * 1024) // coût en Kio
{
    m_objetBulle = std::make_shared<BulleServie>(this);
    if (const LocaleAcs* locale = m_modele->info.localePreferee()) {
        m_nom = locale->nom;
        m_description = locale->description;
    }
    if (m_nom.isEmpty())
        m_nom = m_nomFichier;

    const BulleAcs bulle = m_modele->info.bulle.value_or(BulleAcs{});
    m_bulleActive = m_modele->info.bulle.has_value();
    m_style.texte = couleurAcs(bulle.couleurTexte);
    m_style.fond = couleurAcs(bulle.couleurFond);
    m_style.bordure = couleurAcs(bulle.couleurBordure);
    m_style.police = QFont(bulle.police.isEmpty() ? QStringLiteral("Sans Serif") : bulle.police);
    // Hauteur négative : hauteur des caractères en pixels ; positive : hauteur de cellule.
    const int hauteur = std::clamp(std::abs(bulle.hauteurPolice), 6, 72);
    m_style.police.setPixelSize(bulle.hauteurPolice < 0 ? hauteur : std::max(6, hauteur * 4 / 5));
    m_style.police.setWeight(QFont::Weight(std::clamp<int>(bulle.graisse ? bulle.graisse : 400, 100, 900)));
    m_style.lignes = bulle.lignes;
    m_style.caracteresParLigne = bulle.caracteresParLigne;
    m_styleBulle = ((m_modele->info.drapeaux & DrapeauxAcs::BulleAjusteeAuTexte) ? absSizeToText : 0)
        | ((m_modele->info.drapeaux & DrapeauxAcs::SansMasquageAuto) ? 0 : absAutoHide)
        | ((m_modele->info.drapeaux & DrapeauxAcs::SansRythmeAuto) ? 0 : absAutoPace);
    m_style.tailleAuTexte = m_styleBulle & absSizeToText;
    m_bulle->definirStyle(m_style);

    Temporisation& temps = serveur.temps();
    m_reveilTrame = temps.creerReveil([this] { surReveilTrame(); });
    m_reveilParole = temps.creerReveil([this] { surPasParole(); });
    m_reveilDeplacement = temps.creerReveil([this] { surPasDeplacement(); });
    m_reveilRepos = temps.creerReveil([this] { surReveilRepos(); });
    m_reveilBulle = temps.creerReveil([this] { cacherBulle(); });

    // Position de départ : en bas à droite de l'écran du programme, entière même à grande échelle.
    const QSize taille(std::max<int>(1, m_modele->info.largeur), std::max<int>(1, m_modele->info.hauteur));
    const QScreen* ecran = ecranPersonnages(QPoint());
    const QRect zone = ecran ? ecran->availableGeometry() : QRect(0, 0, 1024, 768);
    m_fenetre->setGeometry(QRect(dansZoneDisponible(zone.bottomRight() - QPoint(taille.width() + 40, taille.height() + 40),
                                                    taille, ecran),
                                 taille));
    m_fenetre->setTitle(m_nom);

    FenetrePersonnage::Rappels rappels;
    rappels.clic = [this](int touches, QPoint p) {
        if (!m_serveur)
            return;
        // En mode aide, le clic sur le personnage termine l'aide au lieu d'être un clic.
        if (m_modeAide) {
            definirModeAide(false);
            m_serveur->notifier(m_numero, [n = m_numero](IRecepteurAgent& r) { r.HelpComplete(n, 0, ahsCharacter); });
            return;
        }
        m_serveur->notifier(m_numero, [n = m_numero, touches, p](IRecepteurAgent& r) { r.Click(n, touches, p.x(), p.y()); });
    };
    rappels.doubleClic = [this](int touches, QPoint p) {
        if (m_serveur)
            m_serveur->notifier(m_numero, [n = m_numero, touches, p](IRecepteurAgent& r) { r.DblClick(n, touches, p.x(), p.y()); });
    };
    rappels.debutGlisser = [this](int touches, QPoint p) {
        if (m_serveur)
            m_serveur->notifier(m_numero, [n = m_numero, touches, p](IRecepteurAgent& r) { r.DragStart(n, touches, p.x(), p.y()); });
    };
    rappels.finGlisser = [this](int touches, QPoint p) {
        if (!m_serveur)
            return;
        m_causeDeplacement = amcUserMoved;
        const QPoint position = m_fenetre->position();
        m_serveur->notifier(m_numero, [n = m_numero, touches, p](IRecepteurAgent& r) { r.DragComplete(n, touches, p.x(), p.y()); });
        m_serveur->notifier(m_numero, [n = m_numero, position](IRecepteurAgent& r) {
            r.Move(n, position.x(), position.y(), amcUserMoved);
        });
        if (m_bulle->isVisible())
            montrerBulle(m_texteBulle);
    };
    m_fenetre->definirRappels(std::move(rappels));
    montrerPose();
}

PersonnageServi::~PersonnageServi()
{
    detacher();
}

void PersonnageServi::detacher(bool laisserPartir)
{
    if (laisserPartir && m_serveur && visible())
        confierDepart();
    couperVoix();
    if (m_objetBulle)
        m_objetBulle->detacher();
    for (Reveil* r : {m_reveilTrame.get(), m_reveilParole.get(), m_reveilDeplacement.get(), m_reveilRepos.get(),
                      m_reveilBulle.get()})
        if (r)
            r->desarmer();
    m_file.clear();
    m_courante.reset();
    m_finLecture = nullptr;
    m_suite.clear();
    m_lecture = Etape{};
    // Les fenêtres partent avec l'attache : une fenêtre « AgentAnim » orpheline serait prise
    // par le prochain personnage chargé.
    m_cache.clear();
    m_fenetre.reset();
    m_bulle.reset();
    m_serveur = nullptr;
}

void PersonnageServi::confierDepart()
{
    auto departDemande = [](const RequetePersonnage& r) { return r.type == TypeRequete::Cacher && !r.rapide; };
    const bool courant = m_courante && departDemande(*m_courante);
    if (!courant && std::none_of(m_file.begin(), m_file.end(), departDemande))
        return;
    const AnimationAcs* depart = nullptr;
    int trame = 0;
    if (courant && m_lecture.animation && m_modele->animationsEtat(u"Hiding").contains(m_lecture.animation->nom, Qt::CaseInsensitive)) {
        depart = m_lecture.animation;
        trame = m_lecture.trame;
    } else {
        const QStringList noms = m_modele->animationsEtat(u"Hiding");
        depart = noms.isEmpty() ? nullptr : m_modele->animation(noms.first());
    }
    m_bulle->hide();
    if (!depart || depart->trames.isEmpty()) {
        m_fenetre->hide();
        return;
    }
    new DepartPersonnage(std::move(m_fenetre), m_modele, *depart, trame, m_serveur->temps());
}

bool PersonnageServi::visible() const { return m_fenetre && m_fenetre->isVisible(); }


QString PersonnageServi::animationCourante() const
{
    return m_lecture.animation ? m_lecture.animation->nom : QString();
}

// ---- File des requêtes ----

CodeResultat PersonnageServi::enfiler(RequetePersonnage requete, qint32& numero)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    requete.numero = m_serveur->nouvelleRequete();
    numero = requete.numero;
    m_file.push_back(requete);
    quitterRepos();
    demarrerSuivante();
    return S_OK_AGENT;
}

void PersonnageServi::enfilerChargement(qint32 requete)
{
    RequetePersonnage r;
    r.numero = requete;
    r.type = TypeRequete::Chargement;
    m_file.push_back(r);
    demarrerSuivante();
}

void PersonnageServi::demarrerSuivante()
{
    // Une requête finie aussitôt rappelle cette fonction : la boucle prend la suite.
    if (m_enDemarrage) {
        m_relancer = true;
        return;
    }
    m_enDemarrage = true;
    do {
        m_relancer = false;
        if (!m_serveur || m_suspendu || m_courante || m_phase == Phase::Sortie || m_phase == Phase::Inactif)
            break;
        if (m_file.empty()) {
            m_phase = Phase::Repos;
            programmerRepos();
            break;
        }
        m_courante = m_file.front();
        m_file.pop_front();
        m_phase = Phase::Requete;
        const qint32 numero = m_courante->numero;
        m_serveur->notifier(m_numero, [numero](IRecepteurAgent& r) { r.RequestStart(numero); });
        executer(*m_courante);
    } while (m_relancer);
    m_enDemarrage = false;
}

void PersonnageServi::notifierFin(qint32 requete, qint32 statut)
{
    if (!m_serveur)
        return;
    m_serveur->notifier(m_numero, [requete, statut](IRecepteurAgent& r) { r.RequestComplete(requete, statut); });
    m_serveur->requeteTerminee(requete);
}

void PersonnageServi::terminerCourante(qint32 statut)
{
    if (!m_courante)
        return;
    const qint32 numero = m_courante->numero;
    m_courante.reset();
    couperVoix();
    m_reveilParole->desarmer();
    m_reveilDeplacement->desarmer();
    if (m_boucheCourante >= 0 && m_affichee.animation)
        montrerImage(*m_affichee.animation, m_affichee.trame, -1);
    m_boucheCourante = -1;
    notifierFin(numero, statut);
    if (!m_serveur)
        return;
    if (lectureActive()) {
        // Un geste arrêté en cours finit par ses branches de sortie ou son animation de retour.
        m_phase = Phase::Sortie;
        arreterLecture([this] {
            m_phase = Phase::Repos;
            demarrerSuivante();
        });
        return;
    }
    m_phase = Phase::Repos;
    demarrerSuivante();
}

void PersonnageServi::executer(RequetePersonnage requete)
{
    auto reussie = [this] { terminerCourante(StatutRequete::Reussie); };
    switch (requete.type) {
    case TypeRequete::Chargement:
        reussie();
        return;
    case TypeRequete::Montrer: {
        if (visible()) {
            reussie();
            return;
        }
        const AnimationAcs* animation = requete.rapide ? nullptr : animationEtat(QStringLiteral("Showing"));
        if (!animation) {
            montrerPose();
            montrerFenetre();
            reussie();
            return;
        }
        QList<Etape> etapes = transitionAvant(animation);
        etapes.append(Etape{animation, 0, false});
        // La première trame est posée avant que la fenêtre paraisse.
        montrerImage(*animation, 0, -1);
        montrerFenetre();
        lancer(etapes, reussie);
        return;
    }
    case TypeRequete::Cacher: {
        if (!visible()) {
            reussie();
            return;
        }
        cacherBulle();
        const AnimationAcs* animation = requete.rapide ? nullptr : animationEtat(QStringLiteral("Hiding"));
        auto fin = [this] {
            cacherFenetre();
            terminerCourante(StatutRequete::Reussie);
        };
        if (!animation) {
            fin();
            return;
        }
        QList<Etape> etapes = transitionAvant(animation);
        etapes.append(Etape{animation, 0, false});
        lancer(etapes, fin);
        return;
    }
    case TypeRequete::Jouer: {
        if (!visible()) {
            reussie();
            return;
        }
        QList<Etape> etapes = transitionAvant(requete.animation);
        etapes.append(Etape{requete.animation, 0, false});
        lancer(etapes, reussie);
        return;
    }
    case TypeRequete::Parler:
        commencerParole(requete);
        return;
    case TypeRequete::Deplacer:
        commencerDeplacement(requete);
        return;
    case TypeRequete::Attendre:
        if (!m_serveur->requeteVivante(requete.autre))
            reussie();
        return;
    case TypeRequete::Interrompre:
        m_serveur->interrompreRequete(requete.autre);
        // L'interruption peut avoir terminé la requête courante de ce personnage.
        if (m_courante && m_courante->numero == requete.numero)
            reussie();
        return;
    }
}

// ---- Requêtes de l'interface ----

CodeResultat PersonnageServi::enfilerVisibilite(TypeRequete type, bool rapide, qint32& numero)
{
    RequetePersonnage r;
    r.type = type;
    r.rapide = rapide;
    return enfiler(r, numero);
}

CodeResultat PersonnageServi::enfilerParole(const QString& texte, bool pensee, qint32& numero)
{
    RequetePersonnage r;
    r.type = TypeRequete::Parler;
    r.pensee = pensee;
    r.texte = texte;
    return enfiler(r, numero);
}

CodeResultat PersonnageServi::enfilerSurAutre(TypeRequete type, qint32 autre, qint32& numero)
{
    RequetePersonnage r;
    r.type = type;
    r.autre = autre;
    return enfiler(r, numero);
}

CodeResultat PersonnageServi::Show(bool rapide, qint32& requete)
{
    return enfilerVisibilite(TypeRequete::Montrer, rapide, requete);
}

CodeResultat PersonnageServi::Hide(bool rapide, qint32& requete)
{
    return enfilerVisibilite(TypeRequete::Cacher, rapide, requete);
}

CodeResultat PersonnageServi::Speak(const QString& texte, const QString& lien, qint32& requete)
{
    if (texte.isEmpty() && lien.isEmpty())
        return E_INVALIDARG_AGENT;
    // Le service ne lit pas de son enregistré : dire le texte seul tromperait l'appelant.
    if (!lien.isEmpty())
        return E_NOTIMPL_AGENT;
    return enfilerParole(texte, false, requete);
}

CodeResultat PersonnageServi::Think(const QString& texte, qint32& requete)
{
    if (texte.isEmpty())
        return E_INVALIDARG_AGENT;
    return enfilerParole(texte, true, requete);
}

CodeResultat PersonnageServi::GestureAt(int x, int y, qint32& requete)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    // Les états se nomment du côté du personnage : un point à droite de l'écran est à sa gauche.
    const QPoint ecart = QPoint(x, y) - m_fenetre->geometry().center();
    QString etat;
    if (std::abs(ecart.x()) >= std::abs(ecart.y()))
        etat = ecart.x() > 0 ? QStringLiteral("GesturingLeft") : QStringLiteral("GesturingRight");
    else
        etat = ecart.y() > 0 ? QStringLiteral("GesturingDown") : QStringLiteral("GesturingUp");
    RequetePersonnage r;
    r.type = TypeRequete::Jouer;
    r.animation = animationEtat(etat);
    if (!r.animation)
        r.type = TypeRequete::Chargement; // état absent : la requête finit aussitôt
    return enfiler(r, requete);
}

CodeResultat PersonnageServi::Prepare(int type, const QString& nom, bool fileAttente, qint32& requete)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    Q_UNUSED(fileAttente); // tout est déjà en mémoire : rien à précharger
    const QStringList noms = nom.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& n : noms) {
        const bool connu = type == aptState ? m_modele->etat(n.trimmed()) != nullptr
                                            : type == aptAnimation && m_modele->animation(n.trimmed()) != nullptr;
        if (type != aptWave && !connu)
            return AGENT_E_ANIMATION_INTROUVABLE;
    }
    RequetePersonnage r;
    r.type = TypeRequete::Chargement;
    return enfiler(r, requete);
}

CodeResultat PersonnageServi::Play(const QString& animation, qint32& requete)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    const AnimationAcs* trouvee = m_modele->animation(animation);
    // Animation absente : échec immédiat, aucune requête n'est créée.
    if (!trouvee)
        return AGENT_E_ANIMATION_INTROUVABLE;
    RequetePersonnage r;
    r.type = TypeRequete::Jouer;
    r.animation = trouvee;
    r.texte = trouvee->nom;
    return enfiler(r, requete);
}

CodeResultat PersonnageServi::MoveTo(int x, int y, int vitesse, qint32& requete)
{
    RequetePersonnage r;
    r.type = TypeRequete::Deplacer;
    r.cible = QPoint(x, y);
    r.vitesse = vitesse;
    return enfiler(r, requete);
}

CodeResultat PersonnageServi::Wait(qint32 requeteAttendue, qint32& requete)
{
    return enfilerSurAutre(TypeRequete::Attendre, requeteAttendue, requete);
}

CodeResultat PersonnageServi::Interrupt(qint32 requeteInterrompue, qint32& requete)
{
    return enfilerSurAutre(TypeRequete::Interrompre, requeteInterrompue, requete);
}

bool PersonnageServi::possedeRequete(qint32 requete) const
{
    if (m_courante && m_courante->numero == requete)
        return true;
    return std::any_of(m_file.begin(), m_file.end(), [&](const RequetePersonnage& r) { return r.numero == requete; });
}

void PersonnageServi::surRequeteTerminee(qint32 requete)
{
    if (m_courante && m_courante->type == TypeRequete::Attendre && m_courante->autre == requete)
        terminerCourante(StatutRequete::Reussie);
}

CodeResultat PersonnageServi::Stop(qint32 requete)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    if (m_courante && m_courante->numero == requete) {
        terminerCourante(StatutRequete::Interrompue);
        return S_OK_AGENT;
    }
    const auto it = std::find_if(m_file.begin(), m_file.end(), [&](const RequetePersonnage& r) { return r.numero == requete; });
    if (it == m_file.end())
        return AGENT_E_REQUETE_INCONNUE;
    m_file.erase(it);
    notifierFin(requete, StatutRequete::Interrompue);
    return S_OK_AGENT;
}

CodeResultat PersonnageServi::StopAll(qint32 types)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    QList<qint32> arretees;
    for (auto it = m_file.begin(); it != m_file.end();) {
        if (typeArret(it->type) & types) {
            arretees.append(it->numero);
            it = m_file.erase(it);
        } else {
            ++it;
        }
    }
    // La courante d'abord, puis la file dans l'ordre ; rien ne démarre entre-temps.
    m_suspendu = true;
    if (m_courante && (typeArret(m_courante->type) & types))
        terminerCourante(StatutRequete::Interrompue);
    for (qint32 numero : std::as_const(arretees))
        notifierFin(numero, StatutRequete::Interrompue);
    m_suspendu = false;
    demarrerSuivante();
    return S_OK_AGENT;
}

CodeResultat PersonnageServi::Activate(int etat)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    if (etat < aasNotActive || etat > aasInputActive)
        return E_INVALIDARG_AGENT;
    m_etatActif = etat;
    // Un seul client par personnage : au premier plan, le personnage passe devant les fenêtres.
    if (etat == aasInputActive && visible()) {
        m_fenetre->raise();
        if (m_bulle->isVisible())
            m_bulle->raise();
    }
    return S_OK_AGENT;
}

void PersonnageServi::definirModeAide(bool actif)
{
    m_modeAide = actif;
    if (actif)
        m_fenetre->setCursor(Qt::WhatsThisCursor);
    else
        m_fenetre->unsetCursor();
}

CodeResultat PersonnageServi::GetSize(int& largeur, int& hauteur)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    largeur = m_fenetre->width();
    hauteur = m_fenetre->height();
    return S_OK_AGENT;
}

CodeResultat PersonnageServi::GetPosition(int& x, int& y)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    x = m_fenetre->x();
    y = m_fenetre->y();
    return S_OK_AGENT;
}

CodeResultat PersonnageServi::SetPosition(int x, int y)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    const QPoint place = dansZoneDisponible(QPoint(x, y), m_fenetre->size(), ecranPersonnages(QPoint(x, y)));
    x = place.x();
    y = place.y();
    m_fenetre->setPosition(place);
    m_causeDeplacement = amcProgramMoved;
    m_serveur->notifier(m_numero, [n = m_numero, x, y](IRecepteurAgent& r) { r.Move(n, x, y, amcProgramMoved); });
    return S_OK_AGENT;
}

CodeResultat PersonnageServi::SetSize(int largeur, int hauteur)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    if (largeur <= 0 || hauteur <= 0 || largeur > 4 * TailleMaximalePersonnage || hauteur > 4 * TailleMaximalePersonnage)
        return E_INVALIDARG_AGENT;
    m_fenetre->redimensionner(QSize(largeur, hauteur));
    m_serveur->notifier(m_numero, [n = m_numero, largeur, hauteur](IRecepteurAgent& r) { r.Size(n, largeur, hauteur); });
    return S_OK_AGENT;
}

CodeResultat PersonnageServi::GetAnimationNames(QStringList& noms)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    noms.clear();
    for (const AnimationAcs& a : m_modele->animations)
        noms.append(a.nom);
    return S_OK_AGENT;
}

CodeResultat PersonnageServi::GetBalloon(std::shared_ptr<IBulleAgent>& bulle)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    bulle = m_objetBulle;
    return S_OK_AGENT;
}

CodeResultat PersonnageServi::Lire(int propriete, QVariant& valeur)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    const InfoAcs& info = m_modele->info;
    const LocaleAcs* locale = info.localePreferee();
    using P = ProprietePersonnage;
    switch (static_cast<P>(propriete)) {
    case P::Name: valeur = m_nom; break;
    case P::Description: valeur = m_description; break;
    case P::ExtraData: valeur = locale ? locale->extra : QString(); break;
    case P::Guid: valeur = info.guid.toString(QUuid::WithBraces).toUpper(); break;
    case P::Version: valeur = QStringLiteral("%1.%2").arg(info.versionMajeure).arg(info.versionMineure); break;
    case P::LanguageID: valeur = qint32(locale ? locale->langue : 0); break;
    case P::Visible: valeur = visible(); break;
    case P::ActiveState: valeur = m_etatActif; break;
    case P::IdleOn: valeur = m_reposActif; break;
    case P::SoundEffectsOn: valeur = m_effetsSonores; break;
    case P::AutoPopup: valeur = m_autoPopup; break;
    case P::HelpFile: valeur = m_fichierAide; break;
    case P::HelpContextID: valeur = m_contexteAide; break;
    case P::HelpModeOn: valeur = m_modeAide; break;
    case P::MoveCause: valeur = m_causeDeplacement; break;
    case P::VisibilityCause: valeur = m_causeVisibilite; break;
    case P::OtherClients: valeur = qint32(0); break;
    case P::SRModeID:
    case P::TTSModeID: valeur = QString(); break;
    case P::SRStatus: valeur = qint32(0); break;
    case P::TTSPitch: valeur = qint32(info.voix && info.voix->hauteur != 0xFFFF ? info.voix->hauteur : 0); break;
    case P::TTSSpeed:
        valeur = qint32(info.voix && info.voix->vitesse != 0xFFFFFFFF ? qint32(info.voix->vitesse) : 0);
        break;
    case P::OriginalSize: valeur = QSize(info.largeur, info.hauteur); break;
    default: return E_INVALIDARG_AGENT;
    }
    return S_OK_AGENT;
}

CodeResultat PersonnageServi::Ecrire(int propriete, const QVariant& valeur)
{
    if (!m_serveur)
        return AGENT_E_PERSONNAGE_DECHARGE;
    using P = ProprietePersonnage;
    switch (static_cast<P>(propriete)) {
    case P::Name:
        m_nom = valeur.toString();
        m_fenetre->setTitle(m_nom);
        break;
    case P::Description: m_description = valeur.toString(); break;
    case P::IdleOn:
        m_reposActif = valeur.toBool();
        if (m_reposActif)
            programmerRepos();
        else
            m_reveilRepos->desarmer();
        break;
    case P::SoundEffectsOn: m_effetsSonores = valeur.toBool(); break;
    case P::AutoPopup: m_autoPopup = valeur.toBool(); break;
    case P::ActiveState: return Activate(valeur.toInt());
    // Le service n'ouvre pas d'aide : le fichier et le contexte restent à la disposition du client.
    case P::HelpFile: m_fichierAide = valeur.toString(); break;
    case P::HelpContextID: m_contexteAide = valeur.toInt(); break;
    case P::HelpModeOn: definirModeAide(valeur.toBool()); break;
    // La voix du service ne parle que français : la langue ne change pas (LanguageID non pris).
    default: return E_NOTIMPL_AGENT;
    }
    return S_OK_AGENT;
}

qint32 PersonnageServi::styleBulle() const
{
    return m_styleBulle | (m_bulleActive ? qint32(absEnabled) : 0);
}

CodeResultat PersonnageServi::lireBulle(int propriete, QVariant& valeur) const
{
    using P = ProprieteBulle;
    switch (static_cast<P>(propriete)) {
    case P::BackColor: valeur = m_style.fond; break;
    case P::BorderColor: valeur = m_style.bordure; break;
    case P::ForeColor: valeur = m_style.texte; break;
    case P::Enabled: valeur = m_bulleActive; break;
    case P::FontCharSet: valeur = m_jeuCaracteres; break;
    case P::FontName: valeur = m_style.police.family(); break;
    // Taille en points, à 96 pixels par pouce.
    case P::FontSize: valeur = (m_style.police.pixelSize() * 72 + 48) / 96; break;
    case P::FontStyle: valeur = (m_style.police.bold() ? 1 : 0) | (m_style.police.italic() ? 2 : 0); break;
    case P::NumberOfLines: valeur = m_style.lignes; break;
    case P::CharsPerLine: valeur = m_style.caracteresParLigne; break;
    case P::Style: valeur = styleBulle(); break;
    case P::Visible: valeur = m_bulle && m_bulle->isVisible(); break;
    default: return E_INVALIDARG_AGENT;
    }
    return S_OK_AGENT;
}

CodeResultat PersonnageServi::ecrireBulle(int propriete, const QVariant& valeur)
{
    using P = ProprieteBulle;
    switch (static_cast<P>(propriete)) {
    case P::BackColor: m_style.fond = valeur.value<QColor>(); break;
    case P::BorderColor: m_style.bordure = valeur.value<QColor>(); break;
    case P::ForeColor: m_style.texte = valeur.value<QColor>(); break;
    case P::Enabled:
        m_bulleActive = valeur.toBool();
        if (!m_bulleActive)
            cacherBulle();
        break;
    case P::FontName: m_style.police.setFamily(valeur.toString()); break;
    case P::FontSize: {
        const int points = valeur.toInt();
        if (points <= 0 || points > 72)
            return E_INVALIDARG_AGENT;
        m_style.police.setPixelSize((points * 96 + 36) / 72);
        break;
    }
    case P::FontStyle:
        m_style.police.setBold(valeur.toInt() & 1);
        m_style.police.setItalic(valeur.toInt() & 2);
        break;
    case P::FontCharSet: {
        // Sans effet sur le dessin (le texte est en Unicode), mais relu tel qu'écrit.
        const int jeu = valeur.toInt();
        if (jeu < 0 || jeu > 255)
            return E_INVALIDARG_AGENT;
        m_jeuCaracteres = jeu;
        return S_OK_AGENT;
    }
    case P::NumberOfLines: {
        const int n = valeur.toInt();
        if (n < 1 || n > 128)
            return E_INVALIDARG_AGENT;
        m_style.lignes = n;
        break;
    }
    case P::CharsPerLine: {
        const int n = valeur.toInt();
        if (n < 8 || n > 255)
            return E_INVALIDARG_AGENT;
        m_style.caracteresParLigne = n;
        break;
    }
    case P::Style: {
        const qint32 style = valeur.toInt();
        m_styleBulle = style & ~qint32(absEnabled);
        m_style.tailleAuTexte = style & absSizeToText;
        // Le bit « active » est la propriété Enabled.
        m_bulleActive = style & absEnabled;
        if (!m_bulleActive)
            cacherBulle();
        break;
    }
    case P::Visible:
        if (valeur.toBool()) {
            if (!m_bulleActive || !visible())
                return E_FAIL_AGENT;
            montrerBulle(m_texteAffiche);
        } else {
            cacherBulle();
        }
        return S_OK_AGENT;
    default: return E_NOTIMPL_AGENT;
    }
    m_bulle->definirStyle(m_style);
    return S_OK_AGENT;
}
