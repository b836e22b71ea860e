// Lecteur d'animations, parole, déplacement et repos d'un personnage servi.
#include "Agentbase.h"
#include "PersonnageServi.h"

#include "AttachePersonnages.h"
#include "ServeurPersonnages.h"
#include "TexteParole.h"

#include <QBitmap>

namespace {
int tirage(std::mt19937& hasard, int n)
{
    return n <= 1 ? 0 : int(std::uniform_int_distribution<int>(0, n - 1)(hasard));
}
} // namespace

const AnimationAcs* PersonnageServi::animationEtat(const QString& etat)
{
    const QStringList noms = m_modele->animationsEtat(etat);
    QList<const AnimationAcs*> possibles;
    for (const QString& nom : noms)
        if (const AnimationAcs* a = m_modele->animation(nom); a && !a->trames.isEmpty())
            possibles.append(a);
    if (possibles.isEmpty())
        return nullptr;
    return possibles.at(tirage(m_serveur->hasard(), int(possibles.size())));
}

QList<PersonnageServi::Etape> PersonnageServi::transitionAvant(const AnimationAcs* prochaine)
{
    QList<Etape> etapes;
    if (m_retourEnAttente) {
        // Jouer soi-même l'animation de retour (Write puis WriteReturn) la consomme.
        if (m_retourEnAttente != prochaine)
            etapes.append(Etape{m_retourEnAttente, 0, false});
    } else if (m_sortieEnAttente.animation) {
        etapes.append(m_sortieEnAttente);
    }
    m_retourEnAttente = nullptr;
    m_sortieEnAttente = Etape{};
    return etapes;
}

void PersonnageServi::lancer(QList<Etape> etapes, std::function<void()> fin)
{
    m_suite = std::move(etapes);
    m_finLecture = std::move(fin);
    etapeSuivante();
}

void PersonnageServi::etapeSuivante()
{
    while (!m_suite.isEmpty()) {
        const Etape etape = m_suite.takeFirst();
        if (!etape.animation || etape.trame < 0 || etape.trame >= etape.animation->trames.size())
            continue;
        m_lecture = etape;
        m_tramesJouees = 0;
        m_journal.append(etape.animation->nom);
        afficherTrame();
        return;
    }
    m_lecture = Etape{};
    m_reveilTrame->desarmer();
    if (auto fin = std::exchange(m_finLecture, nullptr))
        fin();
}

void PersonnageServi::afficherTrame()
{
    const TrameAcs& trame = m_lecture.animation->trames.at(m_lecture.trame);
    // Une trame sans image garde l'image précédente.
    if (!trame.couches.isEmpty())
        montrerImage(*m_lecture.animation, m_lecture.trame, m_boucheCourante);
    if (trame.son != AucunSon && m_effetsSonores && trame.son < m_modele->sons.size())
        m_serveur->jouerSon(m_modele->sons.at(trame.son));
    m_reveilTrame->armer(int(trame.duree) * 10);
}

void PersonnageServi::surReveilTrame()
{
    if (!lectureActive())
        return;
    const AnimationAcs& animation = *m_lecture.animation;
    const TrameAcs& trame = animation.trames.at(m_lecture.trame);
    ++m_tramesJouees;
    int suivante = m_lecture.trame + 1;
    if (m_lecture.sortie) {
        suivante = trame.aSortie() && trame.sortie != m_lecture.trame ? trame.sortie : -1;
    } else if (!trame.branches.isEmpty()) {
        // Une requête attend : les boucles d'un geste ne sont plus reprises, il va à sa fin.
        // La parole et le déplacement finissent à leur heure : leurs boucles continuent.
        const bool presse = !m_file.empty()
            && !(m_courante && (m_courante->type == TypeRequete::Parler || m_courante->type == TypeRequete::Deplacer));
        const int tire = tirage(m_serveur->hasard(), 100);
        int cumul = 0;
        for (const BrancheAcs& b : trame.branches) {
            cumul += b.probabilite;
            if (tire < cumul) {
                const bool boucle = b.trame <= m_lecture.trame;
                if (!(boucle && presse))
                    suivante = b.trame;
                break;
            }
        }
    }
    if (m_tramesJouees >= TramesMaximalesAnimation)
        suivante = -1;
    if (suivante < 0 || suivante >= animation.trames.size()) {
        finAnimation();
        return;
    }
    m_lecture.trame = suivante;
    afficherTrame();
}

void PersonnageServi::finAnimation()
{
    const AnimationAcs& animation = *m_lecture.animation;
    const TrameAcs& derniere = animation.trames.at(m_lecture.trame);
    // Transition due avant la prochaine animation.
    if (!m_lecture.sortie) {
        if (animation.transition == TransitionAcs::Retour && !animation.retour.isEmpty())
            m_retourEnAttente = m_modele->animation(animation.retour);
        else if (animation.transition == TransitionAcs::BranchesSortie && derniere.aSortie()
                 && derniere.sortie != m_lecture.trame)
            m_sortieEnAttente = Etape{&animation, derniere.sortie, true};
    }
    etapeSuivante();
}

void PersonnageServi::arreterLecture(std::function<void()> ensuite)
{
    if (!lectureActive()) {
        if (ensuite)
            ensuite();
        return;
    }
    const AnimationAcs& animation = *m_lecture.animation;
    const TrameAcs& trame = animation.trames.at(m_lecture.trame);
    m_suite.clear();
    m_finLecture = std::move(ensuite);
    if (m_lecture.sortie)
        return; // déjà sur le chemin de sortie
    if (animation.transition == TransitionAcs::BranchesSortie && trame.aSortie()) {
        m_lecture.sortie = true;
        return; // la trame courante finit sa durée puis suit les sorties
    }
    m_reveilTrame->desarmer();
    const AnimationAcs* retour = animation.transition == TransitionAcs::Retour && !animation.retour.isEmpty()
        ? m_modele->animation(animation.retour) : nullptr;
    if (retour && retour != &animation)
        m_suite.append(Etape{retour, 0, false});
    m_retourEnAttente = nullptr;
    m_sortieEnAttente = Etape{};
    etapeSuivante();
}

const PersonnageServi::TrameComposee* PersonnageServi::composer(const AnimationAcs& animation, int trame, int bouche)
{
    const qsizetype indice = &animation - m_modele->animations.constData();
    const quint64 cle = (quint64(indice) << 32) | (quint64(trame) << 8) | quint64(bouche + 1);
    if (const TrameComposee* dejaFaite = m_cache.object(cle))
        return dejaFaite;
    const TrameAcs& t = animation.trames.at(trame);
    const BoucheAcs* b = bouche >= 0 ? t.bouche(FormeBouche(bouche)) : nullptr;
    auto composee = std::make_unique<TrameComposee>();
    composee->image = m_modele->composerTrame(t, b).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (composee->image.isNull())
        return nullptr;
    composee->masque = QRegion(QBitmap::fromImage(composee->image.createAlphaMask()));
    const int cout = std::max<int>(1, int(composee->image.sizeInBytes() / 1024));
    const TrameComposee* resultat = composee.get();
    m_cache.insert(cle, composee.release(), cout);
    return resultat;
}

void PersonnageServi::montrerImage(const AnimationAcs& animation, int trame, int bouche)
{
    m_affichee = Etape{&animation, trame, false};
    if (const TrameComposee* t = composer(animation, trame, bouche))
        m_fenetre->afficherTrame(t->image, t->masque);
}

void PersonnageServi::montrerPose()
{
    // Pose de repos : première trame de RestPose, sinon dernière trame de l'apparition.
    if (const AnimationAcs* repos = m_modele->animation(u"RestPose"); repos && !repos->trames.isEmpty()) {
        montrerImage(*repos, 0, -1);
        return;
    }
    for (const QString& nom : m_modele->animationsEtat(u"Showing"))
        if (const AnimationAcs* a = m_modele->animation(nom); a && !a->trames.isEmpty()) {
            montrerImage(*a, int(a->trames.size()) - 1, -1);
            return;
        }
    for (const AnimationAcs& a : m_modele->animations)
        if (!a.trames.isEmpty()) {
            montrerImage(a, 0, -1);
            return;
        }
}

// ---- Fenêtres ----

void PersonnageServi::montrerFenetre()
{
    if (visible())
        return;
    m_fenetre->show();
    m_causeVisibilite = avsProgramShowed;
    m_serveur->notifier(m_numero, [n = m_numero](IRecepteurAgent& r) { r.VisibleState(n, true, avsProgramShowed); });
}

void PersonnageServi::cacherFenetre()
{
    cacherBulle();
    if (!visible())
        return;
    m_fenetre->hide();
    m_reveilRepos->desarmer();
    m_causeVisibilite = avsProgramHid;
    m_serveur->notifier(m_numero, [n = m_numero](IRecepteurAgent& r) { r.VisibleState(n, false, avsProgramHid); });
}

void PersonnageServi::montrerBulle(const QString& texte)
{
    m_reveilBulle->desarmer();
    if (!m_bulleActive || !visible() || !m_serveur)
        return;
    const bool etaitVisible = m_bulle->isVisible();
    m_texteBulle = texte;
    m_bulle->montrerTexte(texte, m_fenetre->geometry());
    if (!etaitVisible)
        m_serveur->notifier(m_numero, [n = m_numero](IRecepteurAgent& r) { r.BalloonVisibleState(n, true); });
}

void PersonnageServi::cacherBulle()
{
    m_reveilBulle->desarmer();
    if (!m_bulle || !m_bulle->isVisible())
        return;
    m_bulle->hide();
    if (m_serveur)
        m_serveur->notifier(m_numero, [n = m_numero](IRecepteurAgent& r) { r.BalloonVisibleState(n, false); });
}

// ---- Parole ----

void PersonnageServi::commencerParole(const RequetePersonnage& requete)
{
    const TexteParole texte = analyserTexteParole(requete.texte);
    m_texteAffiche = texte.affiche;
    m_signets = texte.signets;
    m_positionsSignets = texte.positionsSignets;
    m_dureeParole = dureeParole(texte.affiche);
    m_ecoulementParole = 0;
    m_boucheCourante = -1;
    if (visible()) {
        if (const AnimationAcs* parle = animationEtat(QStringLiteral("Speaking"))) {
            QList<Etape> etapes = transitionAvant(parle);
            etapes.append(Etape{parle, 0, false});
            lancer(etapes, nullptr); // la fin de la parole termine la requête, pas l'animation
        }
        // Sans rythme automatique, le texte paraît en entier dès le début.
        montrerBulle(rythmeAuto() ? QString() : m_texteAffiche);
    }
    VoixSynthese* voix = m_serveur->voix();
    if (!voix || requete.pensee || texte.prononce.trimmed().isEmpty()) {
        m_reveilParole->armer(PasParole);
        return;
    }
    ReglagesVoix reglages;
    if (const auto& v = m_modele->info.voix) {
        if (v->vitesse != 0xFFFFFFFF)
            reglages.vitesse = int(std::min<quint32>(v->vitesse, 1000));
        if (v->hauteur != 0xFFFF)
            reglages.hauteur = v->hauteur;
    }
    m_ticketVoix = voix->dire(texte.elements, reglages, [this](const EvenementVoix& e) { surEvenementVoix(e); });
}

void PersonnageServi::couperVoix()
{
    if (const qint64 ticket = std::exchange(m_ticketVoix, 0); ticket && m_serveur && m_serveur->voix())
        m_serveur->voix()->couper(ticket);
}

void PersonnageServi::surEvenementVoix(const EvenementVoix& evenement)
{
    if (!m_ticketVoix || !m_courante || m_courante->type != TypeRequete::Parler)
        return;
    using G = EvenementVoix::Genre;
    switch (evenement.genre) {
    case G::Indisponible:
        // Sans voix : la bulle seule, au rythme du texte.
        m_ticketVoix = 0;
        m_reveilParole->armer(PasParole);
        return;
    case G::Mot: {
        qsizetype n = std::clamp<qsizetype>(evenement.valeur, 0, m_texteAffiche.size());
        while (n < m_texteAffiche.size() && !m_texteAffiche.at(n).isSpace())
            ++n;
        if (visible() && rythmeAuto() && n > m_texteBulle.size())
            montrerBulle(m_texteAffiche.left(n));
        return;
    }
    case G::Phoneme:
        montrerBouche(FormeBouche(evenement.valeur));
        return;
    case G::Signet: {
        const qsizetype i = m_signets.indexOf(evenement.valeur);
        if (i >= 0) {
            m_signets.removeAt(i);
            m_positionsSignets.removeAt(i);
        }
        m_serveur->notifier(m_numero, [signet = evenement.valeur](IRecepteurAgent& r) { r.BookMark(signet); });
        return;
    }
    case G::Fin:
        m_ticketVoix = 0;
        finirParole();
        return;
    }
}

// Bouche de la trame montrée la plus proche de la forme voulue ; sans bouche : image seule.
void PersonnageServi::montrerBouche(FormeBouche forme)
{
    if (!m_affichee.animation || !visible())
        return;
    const TrameAcs& trame = m_affichee.animation->trames.at(m_affichee.trame);
    if (trame.bouches.isEmpty())
        return;
    QList<FormeBouche> essais{forme};
    switch (forme) {
    case FormeBouche::Large4: essais << FormeBouche::Large3 << FormeBouche::Large2 << FormeBouche::Large1; break;
    case FormeBouche::Large3: essais << FormeBouche::Large2 << FormeBouche::Large4 << FormeBouche::Large1; break;
    case FormeBouche::Large2: essais << FormeBouche::Large1 << FormeBouche::Large3 << FormeBouche::Moyenne; break;
    case FormeBouche::Large1: essais << FormeBouche::Moyenne << FormeBouche::Large2; break;
    case FormeBouche::Moyenne: essais << FormeBouche::Large1 << FormeBouche::Etroite; break;
    case FormeBouche::Etroite: essais << FormeBouche::Moyenne << FormeBouche::Large1; break;
    case FormeBouche::Fermee: break;
    }
    int choisie = -1; // bouche fermée absente : celle de l'image
    for (FormeBouche f : std::as_const(essais))
        if (trame.bouche(f)) {
            choisie = int(f);
            break;
        }
    if (choisie == m_boucheCourante)
        return;
    m_boucheCourante = choisie;
    montrerImage(*m_affichee.animation, m_affichee.trame, m_boucheCourante);
}

void PersonnageServi::finirParole()
{
    notifierSignets(m_texteAffiche.size());
    montrerBulle(m_texteAffiche);
    if (m_bulle->isVisible() && (m_styleBulle & absAutoHide))
        m_reveilBulle->armer(AttenteMasquageBulle);
    terminerCourante(StatutRequete::Reussie);
}

void PersonnageServi::surPasParole()
{
    if (!m_courante || m_courante->type != TypeRequete::Parler)
        return;
    m_ecoulementParole += PasParole;
    if (m_ecoulementParole >= m_dureeParole) {
        finirParole();
        return;
    }
    // Le texte paraît au rythme de la parole, par mots entiers.
    qsizetype n = qsizetype(qint64(m_texteAffiche.size()) * m_ecoulementParole / m_dureeParole);
    while (n < m_texteAffiche.size() && !m_texteAffiche.at(n).isSpace())
        ++n;
    notifierSignets(n);
    if (visible() && rythmeAuto())
        montrerBulle(m_texteAffiche.left(n));
    // Bouche : une forme tirée à chaque pas, sur les trames qui en ont.
    if (m_affichee.animation && visible()) {
        const TrameAcs& trame = m_affichee.animation->trames.at(m_affichee.trame);
        if (!trame.bouches.isEmpty()) {
            const BoucheAcs& b = trame.bouches.at(tirage(m_serveur->hasard(), int(trame.bouches.size())));
            m_boucheCourante = b.forme;
            montrerImage(*m_affichee.animation, m_affichee.trame, m_boucheCourante);
        }
    }
    m_reveilParole->armer(PasParole);
}

// Signets atteints par le texte déjà dit, dans l'ordre.
void PersonnageServi::notifierSignets(qsizetype jusquA)
{
    while (!m_signets.isEmpty() && m_positionsSignets.first() <= jusquA) {
        const int signet = m_signets.takeFirst();
        m_positionsSignets.removeFirst();
        m_serveur->notifier(m_numero, [signet](IRecepteurAgent& r) { r.BookMark(signet); });
    }
}

// ---- Déplacement ----

void PersonnageServi::commencerDeplacement(const RequetePersonnage& requete)
{
    // Jamais hors de l'écran, ni coupé à son bord (grande échelle).
    m_cibleDeplacement = dansZoneDisponible(requete.cible, m_fenetre->size(), ecranPersonnages(requete.cible));
    m_departDeplacement = m_fenetre->position();
    // Vitesse 0 ou personnage caché : saut immédiat.
    if (requete.vitesse <= 0 || !visible() || m_departDeplacement == m_cibleDeplacement) {
        m_dureeDeplacement = 0;
        m_ecoulementDeplacement = 0;
        surPasDeplacement();
        return;
    }
    m_dureeDeplacement = std::min(requete.vitesse, 60000);
    m_ecoulementDeplacement = 0;
    const QPoint ecart = m_cibleDeplacement - m_departDeplacement;
    QString etat;
    if (std::abs(ecart.x()) >= std::abs(ecart.y()))
        etat = ecart.x() > 0 ? QStringLiteral("MovingRight") : QStringLiteral("MovingLeft");
    else
        etat = ecart.y() > 0 ? QStringLiteral("MovingDown") : QStringLiteral("MovingUp");
    if (const AnimationAcs* bouge = animationEtat(etat)) {
        QList<Etape> etapes = transitionAvant(bouge);
        etapes.append(Etape{bouge, 0, false});
        lancer(etapes, nullptr);
    }
    cacherBulle();
    m_reveilDeplacement->armer(PasDeplacement);
}

void PersonnageServi::surPasDeplacement()
{
    if (!m_courante || m_courante->type != TypeRequete::Deplacer)
        return;
    m_ecoulementDeplacement += m_dureeDeplacement > 0 ? PasDeplacement : 0;
    if (m_ecoulementDeplacement >= m_dureeDeplacement) {
        m_fenetre->setPosition(m_cibleDeplacement);
        m_causeDeplacement = amcProgramMoved;
        const QPoint p = m_cibleDeplacement;
        m_serveur->notifier(m_numero, [n = m_numero, p](IRecepteurAgent& r) { r.Move(n, p.x(), p.y(), amcProgramMoved); });
        terminerCourante(StatutRequete::Reussie);
        return;
    }
    const double t = double(m_ecoulementDeplacement) / m_dureeDeplacement;
    const QPoint ecart = m_cibleDeplacement - m_departDeplacement;
    m_fenetre->setPosition(m_departDeplacement + QPoint(int(ecart.x() * t), int(ecart.y() * t)));
    m_reveilDeplacement->armer(PasDeplacement);
}

// ---- Repos ----

void PersonnageServi::programmerRepos()
{
    if (!m_serveur || !m_reposActif || !visible() || m_phase != Phase::Repos || m_courante || !m_file.empty())
        return;
    if (m_reveilRepos->arme())
        return;
    // Premier repos après le délai ; ensuite à intervalles tirés entre 1 et 3 délais.
    const int delai = m_serveur->delaiRepos();
    if (!m_reposNotifie)
        m_debutRepos = m_serveur->temps().maintenant();
    m_reveilRepos->armer(m_reposNotifie ? delai + tirage(m_serveur->hasard(), 2 * delai + 1) : delai);
}

void PersonnageServi::surReveilRepos()
{
    if (!m_serveur || m_phase != Phase::Repos || m_courante || !m_file.empty() || !visible())
        return;
    if (!m_reposNotifie) {
        m_reposNotifie = true;
        m_serveur->notifier(m_numero, [n = m_numero](IRecepteurAgent& r) { r.Idle(n, true); });
    }
    // Plus le repos dure, plus il est profond ; un niveau absent cède au précédent.
    const qint64 duree = m_serveur->temps().maintenant() - m_debutRepos;
    const qint64 delai = m_serveur->delaiRepos();
    int niveau = duree >= DelaisReposNiveau3 * delai ? 3 : duree >= DelaisReposNiveau2 * delai ? 2 : 1;
    const AnimationAcs* repos = nullptr;
    while (niveau >= 1 && !(repos = animationEtat(QStringLiteral("IdlingLevel%1").arg(niveau))))
        --niveau;
    m_niveauRepos = repos ? niveau : 0;
    if (!repos) {
        programmerRepos();
        return;
    }
    m_phase = Phase::Inactif;
    QList<Etape> etapes = transitionAvant(repos);
    etapes.append(Etape{repos, 0, false});
    lancer(etapes, [this] {
        m_phase = Phase::Repos;
        programmerRepos();
    });
}

void PersonnageServi::quitterRepos()
{
    m_reveilRepos->desarmer();
    m_niveauRepos = 0;
    if (m_reposNotifie) {
        m_reposNotifie = false;
        m_serveur->notifier(m_numero, [n = m_numero](IRecepteurAgent& r) { r.Idle(n, false); });
    }
    if (m_phase == Phase::Inactif) {
        m_phase = Phase::Sortie;
        arreterLecture([this] {
            m_phase = Phase::Repos;
            demarrerSuivante();
        });
    }
}
