#include "SortieAudio.h"


#include <pulse/error.h>
#include <sndfile.h>
#include <pulse/simple.h>

#include <algorithm>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

namespace {
constexpr int TamponMs = 60;

class SortieBureau : public SortieAudio
{
public:
    ~SortieBureau() override
    {
        if (m_flux)
            pa_simple_free(m_flux);
    }
    bool ouvrir(int frequence, int canaux) override
    {
        pa_sample_spec format{PA_SAMPLE_S16LE, quint32(frequence), quint8(canaux)};
        if (!pa_sample_spec_valid(&format))
            return false;
        // Petit tampon : le premier échantillon part vite et la position suit la voix.
        pa_buffer_attr tampon;
        tampon.maxlength = quint32(-1);
        tampon.tlength = quint32(pa_usec_to_bytes(TamponMs * 1000, &format));
        tampon.prebuf = quint32(-1);
        tampon.minreq = quint32(-1);
        tampon.fragsize = quint32(-1);
        int erreur = 0;
        m_flux = pa_simple_new(nullptr, "Vatrelix", PA_STREAM_PLAYBACK, nullptr, "Parole", &format, nullptr,
                               &tampon, &erreur);
        return m_flux != nullptr;
    }
    bool ecrire(const qint16* echantillons, int nombre) override
    {
        int erreur = 0;
        return m_flux && pa_simple_write(m_flux, echantillons, size_t(nombre) * 2, &erreur) >= 0;
    }
    int latence() override
    {
        int erreur = 0;
        const pa_usec_t us = m_flux ? pa_simple_get_latency(m_flux, &erreur) : 0;
        return us == pa_usec_t(-1) ? 0 : int(us / 1000);
    }
    void attendreFin() override
    {
        int erreur = 0;
        if (m_flux)
            pa_simple_drain(m_flux, &erreur);
    }
    void abandonner() override
    {
        int erreur = 0;
        if (m_flux)
            pa_simple_flush(m_flux, &erreur);
    }

private:
    pa_simple* m_flux = nullptr;
};

class SortieMuette : public SortieAudio
{
public:
    using Horloge = std::chrono::steady_clock;
    explicit SortieMuette(std::function<void(Horloge::time_point)> premier) : m_premier(std::move(premier)) {}
    bool ouvrir(int frequence, int canaux) override
    {
        m_parMs = double(frequence) * canaux / 1000.0;
        return m_parMs > 0;
    }
    bool ecrire(const qint16* echantillons, int nombre) override
    {
        if (!m_debut)
            m_debut = Horloge::now();
        // Premier échantillon audible : son instant de lecture dans le flux.
        for (int i = 0; i < nombre && m_premier; ++i)
            if (std::abs(echantillons[i]) > 64) {
                const double ms = m_ecritMs + i / m_parMs;
                std::exchange(m_premier, nullptr)(*m_debut + std::chrono::microseconds(qint64(ms * 1000)));
            }
        m_ecritMs += nombre / m_parMs;
        // Le tampon se vide au rythme réel : on attend qu'il ait de la place.
        const double enTrop = m_ecritMs - joueMs() - TamponMs;
        if (enTrop > 0)
            std::this_thread::sleep_for(std::chrono::microseconds(qint64(enTrop * 1000)));
        return true;
    }
    int latence() override { return int(std::max(0.0, m_ecritMs - joueMs())); }
    void attendreFin() override
    {
        const int reste = latence();
        if (reste > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(reste));
    }
    void abandonner() override { m_ecritMs = joueMs(); }

private:
    double joueMs() const
    {
        return m_debut ? std::chrono::duration<double, std::milli>(Horloge::now() - *m_debut).count() : 0.0;
    }
    std::function<void(Horloge::time_point)> m_premier;
    std::optional<Horloge::time_point> m_debut;
    double m_parMs = 0;
    double m_ecritMs = 0;
};

// Fil des sons : une file, un son à la fois.
class FilSons
{
public:
    FilSons() : m_fil([this] { boucle(); }) {}
    ~FilSons()
    {
        {
            std::lock_guard verrou(m_mutex);
            m_fin = true;
        }
        m_signal.notify_all();
        m_fil.join();
    }
    void ajouter(const QByteArray& fichier)
    {
        {
            std::lock_guard verrou(m_mutex);
            if (m_file.size() >= 4)
                return; // trop en retard : ce son n'a plus de sens
            m_file.push_back(fichier);
        }
        m_signal.notify_one();
    }

private:
    bool arret()
    {
        std::lock_guard verrou(m_mutex);
        return m_fin;
    }
    void boucle()
    {
        for (;;) {
            QByteArray fichier;
            {
                std::unique_lock verrou(m_mutex);
                m_signal.wait(verrou, [this] { return m_fin || !m_file.empty(); });
                if (m_fin)
                    return;
                fichier = m_file.front();
                m_file.pop_front();
            }
            SonDecode son;
            if (!decoderWave(fichier, son))
                continue;
            auto sortie = creerSortieBureau();
            if (!sortie->ouvrir(son.frequence, son.canaux))
                continue;
            // Par morceaux de 50 ms : la fin du programme n'attend pas la fin du son.
            const size_t morceau = size_t(std::max(1, son.frequence / 20) * son.canaux); // trames entières
            bool coupe = false;
            for (size_t i = 0; i < son.echantillons.size() && !coupe; i += morceau) {
                const size_t n = std::min(morceau, son.echantillons.size() - i);
                coupe = !sortie->ecrire(son.echantillons.data() + i, int(n)) || arret();
            }
            if (!coupe)
                sortie->attendreFin();
        }
    }
    std::mutex m_mutex;
    std::condition_variable m_signal;
    std::deque<QByteArray> m_file;
    bool m_fin = false;
    std::thread m_fil;
};
} // namespace

std::unique_ptr<SortieAudio> creerSortieBureau() { return std::make_unique<SortieBureau>(); }

std::unique_ptr<SortieAudio> creerSortieMuette(std::function<void(std::chrono::steady_clock::time_point)> premier)
{
    return std::make_unique<SortieMuette>(std::move(premier));
}

namespace {
// Lecture en mémoire pour libsndfile.
struct LectureMemoire
{
    const QByteArray* donnees;
    sf_count_t position = 0;
};

sf_count_t tailleMemoire(void* l) { return static_cast<LectureMemoire*>(l)->donnees->size(); }

sf_count_t chercherMemoire(sf_count_t decalage, int origine, void* l)
{
    auto* m = static_cast<LectureMemoire*>(l);
    const sf_count_t base = origine == SEEK_CUR ? m->position : origine == SEEK_END ? m->donnees->size() : 0;
    m->position = std::clamp<sf_count_t>(base + decalage, 0, m->donnees->size());
    return m->position;
}

sf_count_t lireMemoire(void* tampon, sf_count_t nombre, void* l)
{
    auto* m = static_cast<LectureMemoire*>(l);
    const sf_count_t n = std::clamp<sf_count_t>(m->donnees->size() - m->position, 0, nombre);
    std::memcpy(tampon, m->donnees->constData() + m->position, size_t(n));
    m->position += n;
    return n;
}

sf_count_t ecrireMemoire(const void*, sf_count_t, void*) { return 0; }

sf_count_t positionMemoire(void* l) { return static_cast<LectureMemoire*>(l)->position; }
} // namespace

bool decoderWave(const QByteArray& fichier, SonDecode& son)
{
    if (fichier.size() < 12 || !fichier.startsWith("RIFF") || fichier.mid(8, 4) != "WAVE")
        return false;
    SF_VIRTUAL_IO io{&tailleMemoire, &chercherMemoire, &lireMemoire, &ecrireMemoire, &positionMemoire};
    LectureMemoire lecture{&fichier};
    SF_INFO info{};
    SNDFILE* f = sf_open_virtual(&io, SFM_READ, &info, &lecture);
    if (!f)
        return false;
    const bool utilisable = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV && info.channels >= 1
        && info.channels <= 2 && info.samplerate >= 1000 && info.samplerate <= 192000;
    // Durée plafonnée : un en-tête démesuré ne réserve pas de mémoire pour rien.
    const sf_count_t trames = std::min<sf_count_t>(info.frames, sf_count_t(info.samplerate) * 60);
    bool lu = false;
    if (utilisable && trames >= 0) {
        son.frequence = info.samplerate;
        son.canaux = info.channels;
        son.echantillons.assign(size_t(trames) * size_t(info.channels), 0);
        const sf_count_t obtenues = sf_readf_short(f, son.echantillons.data(), trames);
        // Données tronquées : on garde ce qui est là.
        son.echantillons.resize(size_t(std::max<sf_count_t>(0, obtenues)) * size_t(info.channels));
        lu = true;
    }
    sf_close(f);
    return lu;
}

void jouerSonPersonnage(const QByteArray& fichierWave)
{
    static FilSons fil;
    fil.ajouter(fichierWave);
}
