#include "VoixEspeak.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QObject>
#include <QPointer>

#include <espeak-ng/speak_lib.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <thread>

FormeBouche formeBouchePhoneme(QStringView phoneme)
{
    if (phoneme.isEmpty() || phoneme.front() == u'_')
        return FormeBouche::Fermee;
    const char16_t c = phoneme.front().unicode();
    const bool nasale = phoneme.contains(u'~');
    switch (c) {
    case u'm':
    case u'b':
    case u'p': return FormeBouche::Fermee;
    case u'a':
    case u'A': return nasale ? FormeBouche::Large2 : FormeBouche::Large3;
    case u'E':
    case u'O':
    case u'9':
    case u'W': return FormeBouche::Large2;
    case u'e':
    case u'o':
    case u'2':
    case u'@':
    case u'&': return FormeBouche::Large1;
    case u'i':
    case u'y':
    case u'u':
    case u'j':
    case u'w':
    case u'H': return FormeBouche::Etroite;
    default: return FormeBouche::Moyenne;
    }
}

int vitesseMoteur(int motsParMinute) { return std::clamp(motsParMinute, 80, 450); }

int hauteurMoteur(int hertz)
{
    // 120 Hz : voix neutre ; un demi-point par hertz.
    return std::clamp(50 + (hertz - 120) / 2, 0, 100);
}

namespace {
constexpr int VitesseParDefaut = 175;
constexpr int MorceauMs = 20; // granularité des écritures : la position suit à 20 ms près

struct Travail
{
    qint64 ticket = 0;
    QList<ElementParole> elements;
    ReglagesVoix reglages;
    VoixSynthese::Rappel rappel;
};

struct Date
{
    double instant = 0; // ms depuis le début de la parole
    EvenementVoix evenement;
};
} // namespace

struct VoixEspeak::Etat
{
    FabriqueSortie fabrique;
    // Contexte des rappels : vit sur le fil de l'interface.
    std::unique_ptr<QObject> contexte = std::make_unique<QObject>();
    std::set<qint64> actifs; // fil de l'interface seulement

    std::mutex mutex;
    std::condition_variable signal;
    std::deque<Travail> file;
    std::set<qint64> coupes;
    bool fin = false;
    std::thread fil;

    // Fil de la voix.
    int frequence = 0;
    bool moteurPret = false;
    std::atomic<qint64> enCours{0};
    std::unique_ptr<SortieAudio> sortie;
    double ecritMs = 0;
    double baseMs = 0;      // début du morceau en cours de synthèse
    const ElementParole* element = nullptr;
    std::deque<Date> dates;
    const Travail* travail = nullptr;
    bool abandon = false;

    bool coupe(qint64 ticket)
    {
        std::lock_guard verrou(mutex);
        return coupes.count(ticket) > 0;
    }
    void poster(const Travail& t, EvenementVoix e)
    {
        QMetaObject::invokeMethod(
            contexte.get(),
            [this, ticket = t.ticket, rappel = t.rappel, e] {
                if (!actifs.count(ticket))
                    return;
                if (e.genre == EvenementVoix::Genre::Fin || e.genre == EvenementVoix::Genre::Indisponible)
                    actifs.erase(ticket);
                rappel(e);
            },
            Qt::QueuedConnection);
    }
    // Envoie les événements dont l'instant est entendu.
    void distribuer(bool tout)
    {
        const double entendu = tout ? 1e300 : ecritMs - sortie->latence();
        while (!dates.empty() && dates.front().instant <= entendu) {
            poster(*travail, dates.front().evenement);
            dates.pop_front();
        }
    }
    bool jouer(const qint16* echantillons, int nombre)
    {
        const int parMorceau = std::max(1, frequence * MorceauMs / 1000);
        for (int i = 0; i < nombre; i += parMorceau) {
            if (abandon || coupe(travail->ticket)) {
                abandon = true;
                return false;
            }
            const int n = std::min(parMorceau, nombre - i);
            if (!sortie->ecrire(echantillons + i, n)) {
                abandon = true;
                return false;
            }
            ecritMs += n * 1000.0 / frequence;
            distribuer(false);
        }
        return true;
    }
    void silence(int ms)
    {
        const std::vector<qint16> vide(size_t(std::max(0, frequence * ms / 1000)), 0);
        jouer(vide.data(), int(vide.size()));
    }

    void boucle();
    void dire(const Travail& t);
    void synthetiser(const ElementParole& e, const QString& texte, int decalage, int vitesse, int hauteur, bool emphase);
};

namespace {
VoixEspeak::Etat* etatCourant = nullptr; // le moteur est unique : un seul état le sert

int rappelMoteur(short* echantillons, int nombre, espeak_EVENT* evenements)
{
    VoixEspeak::Etat* etat = etatCourant;
    if (!etat || !etat->travail)
        return 1;
    for (espeak_EVENT* e = evenements; e && e->type != espeakEVENT_LIST_TERMINATED; ++e) {
        const double instant = etat->baseMs + e->audio_position;
        const auto decalage = reinterpret_cast<qintptr>(e->user_data);
        if (e->type == espeakEVENT_WORD && etat->element) {
            const int fin = int(decalage) + e->text_position - 1 + e->length;
            etat->dates.push_back({instant, {EvenementVoix::Genre::Mot, positionAffichee(*etat->element, fin)}});
        } else if (e->type == espeakEVENT_PHONEME) {
            const QString nom = QString::fromUtf8(e->id.string, int(qstrnlen(e->id.string, 8)));
            etat->dates.push_back({instant, {EvenementVoix::Genre::Phoneme, int(formeBouchePhoneme(nom))}});
        }
    }
    if (echantillons && nombre > 0 && !etat->jouer(echantillons, nombre))
        return 1; // coupé : la synthèse s'arrête
    return etat->abandon ? 1 : 0;
}

bool voixMbrolaPresente()
{
    return QFileInfo::exists(QStringLiteral("/usr/share/mbrola/fr4/fr4"))
        || QFileInfo::exists(QStringLiteral("/usr/share/mbrola/fr4"));
}
} // namespace

void VoixEspeak::Etat::boucle()
{
    frequence = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 100, nullptr,
                                  espeakINITIALIZE_PHONEME_EVENTS | espeakINITIALIZE_DONT_EXIT);
    if (frequence > 0) {
        moteurPret = (voixMbrolaPresente() && espeak_SetVoiceByName("mb-fr4") == EE_OK)
            || espeak_SetVoiceByName("fr") == EE_OK;
        espeak_SetSynthCallback(&rappelMoteur);
    }
    for (;;) {
        Travail t;
        {
            std::unique_lock verrou(mutex);
            signal.wait(verrou, [this] { return fin || !file.empty(); });
            if (fin)
                break;
            t = std::move(file.front());
            file.pop_front();
            if (coupes.erase(t.ticket))
                continue;
            enCours = t.ticket;
        }
        dire(t);
        std::lock_guard verrou(mutex);
        coupes.erase(t.ticket);
        enCours = 0;
    }
    if (frequence > 0)
        espeak_Terminate();
}

void VoixEspeak::Etat::dire(const Travail& t)
{
    if (!moteurPret) {
        poster(t, {EvenementVoix::Genre::Indisponible, 0});
        return;
    }
    sortie = fabrique();
    if (!sortie || !sortie->ouvrir(frequence, 1)) {
        sortie.reset();
        poster(t, {EvenementVoix::Genre::Indisponible, 0});
        return;
    }
    travail = &t;
    etatCourant = this;
    ecritMs = 0;
    abandon = false;
    dates.clear();
    int vitesse = t.reglages.vitesse > 0 ? vitesseMoteur(t.reglages.vitesse) : VitesseParDefaut;
    int hauteur = t.reglages.hauteur > 0 ? hauteurMoteur(t.reglages.hauteur) : 50;
    bool emphase = false;
    using G = ElementParole::Genre;
    for (const ElementParole& e : t.elements) {
        if (abandon)
            break;
        switch (e.genre) {
        case G::Texte: {
            if (emphase && !e.carte) {
                // L'emphase porte sur le premier mot.
                const QString texte = e.dit;
                qsizetype i = 0;
                while (i < texte.size() && texte.at(i).isSpace())
                    ++i;
                while (i < texte.size() && !texte.at(i).isSpace())
                    ++i;
                synthetiser(e, texte.left(i), 0, vitesse, hauteur, true);
                if (i < texte.size() && !abandon)
                    synthetiser(e, texte.mid(i), int(i), vitesse, hauteur, false);
            } else {
                synthetiser(e, e.dit, 0, vitesse, hauteur, emphase);
            }
            emphase = false;
            break;
        }
        case G::Pause: silence(e.valeur); break;
        case G::Signet: dates.push_back({ecritMs, {EvenementVoix::Genre::Signet, e.valeur}}); break;
        case G::Vitesse: vitesse = vitesseMoteur(e.valeur); break;
        case G::Hauteur: hauteur = hauteurMoteur(e.valeur); break;
        case G::Emphase: emphase = true; break;
        case G::Reinitialiser:
            vitesse = t.reglages.vitesse > 0 ? vitesseMoteur(t.reglages.vitesse) : VitesseParDefaut;
            hauteur = t.reglages.hauteur > 0 ? hauteurMoteur(t.reglages.hauteur) : 50;
            emphase = false;
            break;
        }
    }
    if (abandon || coupe(t.ticket)) {
        sortie->abandonner();
    } else {
        sortie->attendreFin();
        distribuer(true);
        poster(t, {EvenementVoix::Genre::Fin, 0});
    }
    sortie.reset();
    travail = nullptr;
    element = nullptr;
}

void VoixEspeak::Etat::synthetiser(const ElementParole& e, const QString& texte, int decalage, int vitesse,
                                   int hauteur, bool emphase)
{
    if (texte.trimmed().isEmpty())
        return;
    element = &e;
    baseMs = ecritMs;
    espeak_SetParameter(espeakRATE, emphase ? vitesse * 85 / 100 : vitesse, 0);
    espeak_SetParameter(espeakPITCH, emphase ? std::min(100, hauteur + 15) : hauteur, 0);
    espeak_SetParameter(espeakVOLUME, emphase ? 130 : 100, 0);
    const std::wstring large = texte.toStdWString();
    espeak_Synth(large.c_str(), (large.size() + 1) * sizeof(wchar_t), 0, POS_CHARACTER, 0, espeakCHARS_WCHAR,
                 nullptr, reinterpret_cast<void*>(qintptr(decalage)));
    element = nullptr;
}

VoixEspeak::VoixEspeak(FabriqueSortie fabrique) : m_etat(std::make_shared<Etat>())
{
    m_etat->fabrique = std::move(fabrique);
    m_etat->fil = std::thread([e = m_etat.get()] { e->boucle(); });
}

VoixEspeak::~VoixEspeak()
{
    {
        std::lock_guard verrou(m_etat->mutex);
        m_etat->fin = true;
        for (const Travail& t : m_etat->file)
            m_etat->coupes.insert(t.ticket);
        if (m_etat->enCours)
            m_etat->coupes.insert(m_etat->enCours);
    }
    m_etat->signal.notify_all();
    m_etat->fil.join();
    m_etat->actifs.clear();
}

qint64 VoixEspeak::dire(const QList<ElementParole>& elements, ReglagesVoix reglages, Rappel rappel)
{
    static std::atomic<qint64> prochain{1};
    const qint64 ticket = prochain++;
    m_etat->actifs.insert(ticket);
    {
        std::lock_guard verrou(m_etat->mutex);
        m_etat->file.push_back(Travail{ticket, elements, reglages, std::move(rappel)});
    }
    m_etat->signal.notify_one();
    return ticket;
}

void VoixEspeak::couper(qint64 ticket)
{
    if (!m_etat->actifs.erase(ticket))
        return;
    std::lock_guard verrou(m_etat->mutex);
    m_etat->coupes.insert(ticket);
}

std::shared_ptr<VoixSynthese> voixSysteme()
{
    static std::shared_ptr<VoixSynthese> voix = std::make_shared<VoixEspeak>();
    return voix;
}
