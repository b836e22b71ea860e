#pragma once
// Modèle interne d'un personnage : informations, états, animations, images et sons.
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <optional>

// Formes de bouche des superpositions, dans l'ordre du format.
enum class FormeBouche : quint8 { Fermee = 0, Large1, Large2, Large3, Large4, Moyenne, Etroite };
constexpr int NombreFormesBouche = 7;

// Bits du mot de drapeaux des informations du personnage.
namespace DrapeauxAcs {
constexpr quint32 Voix = 0x20;
constexpr quint32 Bulle = 0x200;
constexpr quint32 BulleAjusteeAuTexte = 0x10000;
constexpr quint32 SansMasquageAuto = 0x20000;
constexpr quint32 SansRythmeAuto = 0x40000;
constexpr quint32 JeuStandard = 0x100000;
}

constexpr quint16 AucunSon = 0xFFFF;
constexpr quint16 LangueFrancais = 0x0C;
constexpr quint16 LangueAnglais = 0x09;

struct CoucheAcs
{
    quint32 image = 0;
    qint16 x = 0;
    qint16 y = 0;
    bool operator==(const CoucheAcs&) const = default;
};

struct BrancheAcs
{
    quint16 trame = 0;
    quint16 probabilite = 0; // en pour cent
    bool operator==(const BrancheAcs&) const = default;
};

struct BoucheAcs
{
    quint8 forme = 0;           // FormeBouche
    bool remplaceHaut = false;  // remplace la couche du dessus au lieu de s'y ajouter
    quint16 image = 0;
    quint8 inconnu = 0;
    QByteArray region;          // données de région éventuelles, gardées telles quelles
    qint16 x = 0;
    qint16 y = 0;
    quint16 pointX = 0;         // un point à l'intérieur de la bouche
    quint16 pointY = 0;
    bool operator==(const BoucheAcs&) const = default;
};

struct TrameAcs
{
    QList<CoucheAcs> couches;   // la première listée est dessinée au-dessus
    quint16 son = AucunSon;
    quint16 duree = 10;         // en centièmes de seconde
    qint16 sortie = -1;         // trame de sortie ; négatif : aucune
    QList<BrancheAcs> branches;
    QList<BoucheAcs> bouches;

    bool aSortie() const { return sortie >= 0; }
    const BoucheAcs* bouche(FormeBouche forme) const;
    bool operator==(const TrameAcs&) const = default;
};

enum class TransitionAcs : quint8 { Retour = 0, BranchesSortie = 1, Aucune = 2 };

struct AnimationAcs
{
    QString nom;
    TransitionAcs transition = TransitionAcs::Aucune;
    QString retour;             // animation de retour (transition Retour)
    QList<TrameAcs> trames;
};

struct EtatAcs
{
    QString nom;
    QStringList animations;
};

struct LocaleAcs
{
    quint16 langue = 0;         // LANGID
    QString nom;
    QString description;
    QString extra;
};

struct BulleAcs
{
    quint8 lignes = 2;
    quint8 caracteresParLigne = 32;
    QRgb couleurTexte = 0xFF000000;
    QRgb couleurFond = 0xFFFFFFE1;
    QRgb couleurBordure = 0xFF000000;
    QString police;
    qint32 hauteurPolice = -13; // négatif : hauteur des caractères
    quint16 graisse = 400;
    quint32 style = 0;
};

struct VoixAcs
{
    struct Extra
    {
        quint16 langue = 0;
        QString dialecte;
        quint16 genre = 0;      // 1 femme, 2 homme
        quint16 age = 0;
        QString style;
    };
    QUuid moteur;
    QUuid mode;
    quint32 vitesse = 0xFFFFFFFF; // valeur par défaut
    quint16 hauteur = 0xFFFF;
    std::optional<Extra> extra;
};

struct InfoAcs
{
    quint16 versionMineure = 1;
    quint16 versionMajeure = 2;
    QUuid guid;
    quint16 largeur = 0;
    quint16 hauteur = 0;
    quint8 indexTransparent = 0;
    quint32 drapeaux = 0;
    QList<LocaleAcs> locales;
    std::optional<VoixAcs> voix;
    std::optional<BulleAcs> bulle;
    QList<QRgb> palette;
    QByteArray iconeMasque;     // DIB du masque de l'icône, vide sans icône
    QByteArray iconeCouleur;

    // Français, puis anglais, puis la première ; nullptr sans aucune.
    const LocaleAcs* localePreferee() const;
};

// Image à index de palette. Les images lues restent compressées jusqu'au premier accès.
class ImageAcs
{
public:
    ImageAcs() = default; // emplacement vide
    static ImageAcs depuisPixels(int largeur, int hauteur, QByteArray indicesHautEnBas);
    static ImageAcs depuisFichier(int largeur, int hauteur, bool compressee, QByteArray donnees,
                                  quint32 tailleRegionCompressee, quint32 tailleRegion, QByteArray region);

    bool estVide() const { return !m_presente; }
    int largeur() const { return m_largeur; }
    int hauteur() const { return m_hauteur; }
    // Lignes de haut en bas, largeur octets par ligne ; vide si les données sont invalides.
    const QByteArray& pixels() const;
    bool decodable() const;
    // Rectangles de la région enregistrée (haut en bas) ; nullopt si elle est absente ou invalide.
    std::optional<QList<QRect>> regionEnregistree() const;

private:
    bool m_presente = false;
    int m_largeur = 0;
    int m_hauteur = 0;
    bool m_compressee = false;
    QByteArray m_donnees;
    quint32 m_tailleRegionCompressee = 0;
    quint32 m_tailleRegion = 0;
    QByteArray m_region;
    mutable bool m_decodee = false;
    mutable QByteArray m_pixels;
};

// Rectangles des suites de pixels opaques de chaque ligne, ordonnés par y puis x.
QList<QRect> regionOpaque(const QByteArray& pixels, int largeur, int hauteur, quint8 indexTransparent);

class PersonnageAcs
{
public:
    InfoAcs info;
    QList<EtatAcs> etats;
    QList<AnimationAcs> animations;
    QList<ImageAcs> images;
    QList<QByteArray> sons; // fichiers RIFF WAVE complets

    // Recherches sans égard à la casse ; nullptr si absent.
    const AnimationAcs* animation(QStringView nom) const;
    const EtatAcs* etat(QStringView nom) const;
    QStringList animationsEtat(QStringView nom) const;

    // Compose une trame (couches de bas en haut, index transparent sauté, bouche éventuelle)
    // dans une image ARGB32 à la taille du personnage.
    QImage composerTrame(const TrameAcs& trame, const BoucheAcs* bouche = nullptr) const;

    // Décode toutes les images : faux si l'une d'elles est invalide.
    bool verifierImages() const;
};
