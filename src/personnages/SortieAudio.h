#pragma once
// Sortie audio du fil de la voix et des sons : échantillons 16 bits signés entrelacés.
#include <QByteArray>
#include <QtGlobal>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

class SortieAudio
{
public:
    virtual ~SortieAudio() = default;
    virtual bool ouvrir(int frequence, int canaux) = 0;
    // Bloque tant que le tampon de la sortie est plein.
    virtual bool ecrire(const qint16* echantillons, int nombre) = 0;
    // Durée (ms) de ce qui est écrit mais pas encore entendu.
    virtual int latence() = 0;
    virtual void attendreFin() = 0; // tout entendu
    virtual void abandonner() = 0;  // ce qui reste dans le tampon est jeté
};

// Serveur de son du bureau ; ouvrir() échoue quand il n'y en a pas.
std::unique_ptr<SortieAudio> creerSortieBureau();

// Sortie muette au rythme réel (tampon de 60 ms) : mesure sans carte son. Le rappel reçoit
// l'instant où le premier échantillon non silencieux serait entendu.
std::unique_ptr<SortieAudio> creerSortieMuette(std::function<void(std::chrono::steady_clock::time_point)> premier);

// Son d'un fichier RIFF WAVE, en 16 bits.
struct SonDecode
{
    int frequence = 0;
    int canaux = 0;
    std::vector<qint16> echantillons;
};
// Tout codage que libsndfile lit dans un WAVE (PCM, ADPCM Microsoft et IMA, loi A et µ...),
// mono ou stéréo, une minute au plus ; faux pour un autre format ou un fichier illisible.
bool decoderWave(const QByteArray& fichier, SonDecode& son);

// Joue les sons des personnages sur un fil à part, sans attendre ; silencieux sans sortie.
void jouerSonPersonnage(const QByteArray& fichierWave);
