#pragma once
// Le seul chemin de lecture et le seul chemin d'écriture des fichiers du programme.
// Lecture : fichier ordinaire d'une taille raisonnable, vérifié avant toute lecture (un tube
// ou un périphérique bloquerait, /dev/zero ne finirait pas). Écriture : temporaire à côté de
// la cible réelle (celle d'un lien symbolique), chaque écriture vérifiée, synchronisé, puis
// renommé sur l'ancien fichier ; un échec laisse l'ancien fichier octet pour octet.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <memory>

// Tailles maximales acceptées à la lecture, par genre de fichier.
namespace TailleMax {
inline constexpr qint64 configuration = 1LL << 20; // six réglages et quelques lignes gardées
inline constexpr qint64 modele = 1LL << 20;        // un élément racine vide
inline constexpr qint64 liste = 32LL << 20;        // plusieurs centaines de milliers de lignes
inline constexpr qint64 ancienneBase = 16LL << 20; // 300 000 enregistrements de 50 caractères
inline constexpr qint64 base = 512LL << 20;        // plusieurs millions d'articles
inline constexpr qint64 personnage = 128LL << 20;  // les plus gros personnages font quelques Mo
} // namespace TailleMax

// Découpe en lignes : CR LF, LF ou CR ; dernière ligne sans fin comptée ; lignes vides gardées.
QStringList decouperLignes(const QString& texte);

// Lit tout le fichier. EFichierErreur, nommant le fichier, s'il est absent, illisible, n'est
// pas un fichier ordinaire (dossier, tube, périphérique, prise) ou dépasse tailleMax octets.
QByteArray lireOctets(const QString& chemin, qint64 tailleMax);
// Même chose décodée de Windows-1252 et découpée en lignes.
QStringList lireLignes(const QString& chemin, qint64 tailleMax);

// Ce que devient l'ancienne version du fichier remplacé.
enum class Sauvegarde { Aucune, FichierBak };

// Cible réelle d'un chemin : celle d'un lien symbolique, suivie de lien en lien (même quand
// elle n'existe pas encore) ; le chemin lui-même sinon.
QString cibleReelle(const QString& chemin);

// Écriture atomique par morceaux : les octets vont dans un temporaire du dossier de la cible
// réelle ; valider() les synchronise et renomme le temporaire sur la cible. Détruite sans
// validation, elle supprime le temporaire. Chaque opération lève EFichierErreur.
class SortieAtomique
{
public:
    explicit SortieAtomique(const QString& chemin);
    ~SortieAtomique();
    SortieAtomique(const SortieAtomique&) = delete;
    SortieAtomique& operator=(const SortieAtomique&) = delete;

    void ecrire(QByteArrayView octets);
    // Avec Sauvegarde::FichierBak, l'ancienne version (une vraie copie, jamais un lien)
    // devient chemin + ".bak" avant le remplacement.
    void valider(Sauvegarde sauvegarde = Sauvegarde::Aucune);
    // Empreinte des octets écrits (valable après valider()).
    size_t empreinteContenu() const;

private:
    struct Etat;
    std::unique_ptr<Etat> d;
};

void ecrireOctets(const QString& chemin, const QByteArray& octets, Sauvegarde sauvegarde);
// Écrit chaque ligne suivie de CR LF, en Windows-1252 (un caractère absent devient '?').
void ecrireLignes(const QString& chemin, const QStringList& lignes);
// Octets de ces lignes tels qu'ecrireLignes les écrit.
QByteArray octetsLignes(const QStringList& lignes);

// Supprime du dossier les temporaires d'écriture laissés par un processus disparu (écriture
// interrompue) ; rien d'autre n'est touché. Rend le nombre de fichiers supprimés.
int supprimerTemporairesOrphelins(const QString& dossier);

// Ce qu'on sait d'un fichier lu ou écrit, pour savoir s'il a changé depuis sur le disque.
struct EmpreinteFichier
{
    bool connue = false; // faux : aucune lecture ni écriture encore
    bool existe = false;
    qint64 taille = 0;
    qint64 modification = 0; // en nanosecondes (au grain de l'horloge du noyau)
    quint64 inode = 0;       // un fichier remplacé par renommage change de nœud
    size_t contenu = 0;      // empreinte des octets
};

size_t empreinteOctets(QByteArrayView octets);
// L'empreinte du fichier tel qu'il est maintenant sur le disque, dont on connaît le contenu.
EmpreinteFichier empreinteFichier(const QString& chemin, size_t contenu);
// L'empreinte d'un fichier absent.
EmpreinteFichier empreinteAbsent();
// Vrai quand l'écraser maintenant perdrait un changement fait depuis l'empreinte : le fichier
// est apparu ou a un autre contenu (une date changée sans que les octets changent ne compte
// pas ; un fichier disparu n'a rien à perdre).
bool fichierChange(const QString& chemin, const EmpreinteFichier& empreinte);
