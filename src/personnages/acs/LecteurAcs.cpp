#include "LecteurAcs.h"

#include "Erreurs.h"
#include "FichierTexte.h"

#include <QtEndian>

namespace {

constexpr quint32 SignatureAcs = 0xABCDABC3;
constexpr uchar SignatureDocumentCompose[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
constexpr int TailleEnTete = 36;
// Au-delà, une boîte de personnage n'est pas plausible.
constexpr int DimensionMax = 4096;
// Expansion maximale du flux compressé : environ 4097 octets pour 31 bits.
constexpr qint64 ExpansionMax = 1100;

struct EchecLecture
{
    ErreurAcs erreur;
    QString detail;
};

[[noreturn]] void echouer(ErreurAcs erreur, const QString& detail)
{
    throw EchecLecture{erreur, detail};
}

struct Localisateur
{
    quint32 position = 0;
    quint32 taille = 0;
};

// Curseur borné à un bloc du fichier.
class Curseur
{
public:
    Curseur(const QByteArray& fichier, qint64 debut, qint64 fin, QString bloc)
        : m_octets(reinterpret_cast<const uchar*>(fichier.constData())), m_pos(debut), m_fin(fin),
          m_bloc(std::move(bloc))
    {
    }

    qint64 reste() const { return m_fin - m_pos; }
    void exiger(qint64 n) const
    {
        if (n < 0 || n > reste())
            echouer(ErreurAcs::Tronque, QStringLiteral("bloc %1 trop court").arg(m_bloc));
    }
    // Un nombre d'éléments d'au moins tailleMin octets chacun doit tenir dans le reste.
    void exigerNombre(quint64 nombre, qint64 tailleMin) const
    {
        if (nombre * quint64(tailleMin) > quint64(reste()))
            echouer(ErreurAcs::Tronque, QStringLiteral("nombre d'éléments impossible dans le bloc %1").arg(m_bloc));
    }
    quint8 u8()
    {
        exiger(1);
        return m_octets[m_pos++];
    }
    quint16 u16() { return lire<quint16>(); }
    qint16 i16() { return lire<qint16>(); }
    quint32 u32() { return lire<quint32>(); }
    qint32 i32() { return lire<qint32>(); }
    QUuid guid()
    {
        exiger(16);
        const uchar* p = m_octets + m_pos;
        m_pos += 16;
        return QUuid(qFromLittleEndian<quint32>(p), qFromLittleEndian<quint16>(p + 4), qFromLittleEndian<quint16>(p + 6),
                     p[8], p[9], p[10], p[11], p[12], p[13], p[14], p[15]);
    }
    QString chaine()
    {
        const quint32 n = u32();
        if (n == 0)
            return {};
        exigerNombre(quint64(n) + 1, 2);
        QString s(qsizetype(n), Qt::Uninitialized);
        for (quint32 i = 0; i < n; ++i)
            s[qsizetype(i)] = QChar(qFromLittleEndian<quint16>(m_octets + m_pos + 2 * i));
        m_pos += 2 * qint64(n) + 2; // NUL final
        return s;
    }
    QByteArray octets(qint64 n)
    {
        exiger(n);
        QByteArray b(reinterpret_cast<const char*>(m_octets + m_pos), qsizetype(n));
        m_pos += n;
        return b;
    }
    Localisateur localisateur()
    {
        Localisateur l;
        l.position = u32();
        l.taille = u32();
        return l;
    }

private:
    template<typename T>
    T lire()
    {
        exiger(sizeof(T));
        const T v = qFromLittleEndian<T>(m_octets + m_pos);
        m_pos += sizeof(T);
        return v;
    }

    const uchar* m_octets;
    qint64 m_pos;
    qint64 m_fin;
    QString m_bloc;
};

class Lecteur
{
public:
    explicit Lecteur(const QByteArray& fichier) : m_fichier(fichier) {}

    std::shared_ptr<PersonnageAcs> lire()
    {
        auto p = std::make_shared<PersonnageAcs>();
        Curseur entete(m_fichier, 0, m_fichier.size(), QStringLiteral("d'en-tête"));
        entete.u32(); // signature déjà vérifiée
        const Localisateur info = entete.localisateur();
        const Localisateur animations = entete.localisateur();
        const Localisateur images = entete.localisateur();
        const Localisateur sons = entete.localisateur();
        // Les images et les sons d'abord : les trames sont vérifiées contre leur nombre.
        lireImages(bloc(images, QStringLiteral("des images")), *p);
        lireSons(bloc(sons, QStringLiteral("des sons")), *p);
        lireInfo(bloc(info, QStringLiteral("des informations")), *p);
        lireAnimations(bloc(animations, QStringLiteral("des animations")), *p);
        return p;
    }

private:
    Curseur bloc(const Localisateur& l, const QString& nom) const
    {
        if (qint64(l.position) + qint64(l.taille) > m_fichier.size())
            echouer(ErreurAcs::Tronque, QStringLiteral("le bloc %1 sort du fichier").arg(nom));
        return Curseur(m_fichier, l.position, qint64(l.position) + l.taille, nom);
    }

    void lireInfo(Curseur c, PersonnageAcs& p)
    {
        InfoAcs& info = p.info;
        info.versionMineure = c.u16();
        info.versionMajeure = c.u16();
        const Localisateur locales = c.localisateur();
        info.guid = c.guid();
        info.largeur = c.u16();
        info.hauteur = c.u16();
        if (info.largeur == 0 || info.hauteur == 0 || info.largeur > DimensionMax || info.hauteur > DimensionMax)
            echouer(ErreurAcs::Corrompu, QStringLiteral("taille du personnage impossible"));
        info.indexTransparent = c.u8();
        info.drapeaux = c.u32();
        c.u16();
        c.u16();
        if (info.drapeaux & DrapeauxAcs::Voix)
            info.voix = lireVoix(c);
        if (info.drapeaux & DrapeauxAcs::Bulle)
            info.bulle = lireBulle(c);
        const quint32 nbCouleurs = c.u32();
        if (nbCouleurs > 256)
            echouer(ErreurAcs::Corrompu, QStringLiteral("palette de plus de 256 couleurs"));
        c.exigerNombre(nbCouleurs, 4);
        info.palette.reserve(nbCouleurs);
        for (quint32 i = 0; i < nbCouleurs; ++i) {
            const quint32 bgr0 = c.u32(); // octets B, G, R, 0
            info.palette.append(qRgb(int((bgr0 >> 16) & 0xFF), int((bgr0 >> 8) & 0xFF), int(bgr0 & 0xFF)));
        }
        if (c.u8()) {
            info.iconeMasque = c.octets(c.u32());
            info.iconeCouleur = c.octets(c.u32());
        }
        const quint16 nbEtats = c.u16();
        c.exigerNombre(nbEtats, 6);
        for (quint16 i = 0; i < nbEtats; ++i) {
            EtatAcs etat;
            etat.nom = c.chaine();
            const quint16 k = c.u16();
            c.exigerNombre(k, 4);
            for (quint16 j = 0; j < k; ++j)
                etat.animations.append(c.chaine());
            p.etats.append(etat);
        }
        lireLocales(bloc(locales, QStringLiteral("des noms localisés")), info);
    }

    VoixAcs lireVoix(Curseur& c)
    {
        VoixAcs v;
        v.moteur = c.guid();
        v.mode = c.guid();
        v.vitesse = c.u32();
        v.hauteur = c.u16();
        if (c.u8() == 1) {
            VoixAcs::Extra e;
            e.langue = c.u16();
            e.dialecte = c.chaine();
            e.genre = c.u16();
            e.age = c.u16();
            e.style = c.chaine();
            v.extra = e;
        }
        return v;
    }

    BulleAcs lireBulle(Curseur& c)
    {
        BulleAcs b;
        b.lignes = c.u8();
        b.caracteresParLigne = c.u8();
        // Couleurs de bulle : R, G, B, 0 (à l'inverse de la palette).
        auto couleur = [&c]() {
            const quint32 rgb0 = c.u32();
            return qRgb(int(rgb0 & 0xFF), int((rgb0 >> 8) & 0xFF), int((rgb0 >> 16) & 0xFF));
        };
        b.couleurTexte = couleur();
        b.couleurFond = couleur();
        b.couleurBordure = couleur();
        b.police = c.chaine();
        b.hauteurPolice = c.i32();
        b.graisse = c.u16();
        b.style = c.u32();
        return b;
    }

    void lireLocales(Curseur c, InfoAcs& info)
    {
        const quint16 n = c.u16();
        c.exigerNombre(n, 14);
        for (quint16 i = 0; i < n; ++i) {
            LocaleAcs l;
            l.langue = c.u16();
            l.nom = c.chaine();
            l.description = c.chaine();
            l.extra = c.chaine();
            info.locales.append(l);
        }
    }

    void lireImages(Curseur c, PersonnageAcs& p)
    {
        const quint32 n = c.u32();
        c.exigerNombre(n, 12);
        p.images.reserve(qsizetype(n));
        for (quint32 i = 0; i < n; ++i) {
            const Localisateur l = c.localisateur();
            c.u32(); // somme de contrôle ignorée
            p.images.append(lireImage(bloc(l, QStringLiteral("d'une image"))));
        }
    }

    ImageAcs lireImage(Curseur c)
    {
        if (c.u8() == 0)
            return ImageAcs();
        const quint16 largeur = c.u16();
        const quint16 hauteur = c.u16();
        if (largeur > DimensionMax || hauteur > DimensionMax)
            echouer(ErreurAcs::Corrompu, QStringLiteral("image trop grande"));
        const bool compressee = c.u8() != 0;
        const quint32 taille = c.u32();
        QByteArray donnees = c.octets(taille);
        const qint64 tailleDecompressee = ((qint64(largeur) + 3) & ~qint64(3)) * hauteur;
        if (compressee ? tailleDecompressee > qint64(taille) * ExpansionMax : tailleDecompressee > qint64(taille))
            echouer(ErreurAcs::Corrompu, QStringLiteral("taille d'image incompatible avec ses données"));
        const quint32 tailleRegionCompressee = c.u32();
        const quint32 tailleRegion = c.u32();
        QByteArray region;
        if (tailleRegionCompressee > 0) {
            region = c.octets(tailleRegionCompressee);
            if (qint64(tailleRegion) > qint64(tailleRegionCompressee) * ExpansionMax)
                echouer(ErreurAcs::Corrompu, QStringLiteral("taille de région incompatible avec ses données"));
        } else {
            region = c.octets(tailleRegion);
        }
        return ImageAcs::depuisFichier(largeur, hauteur, compressee, std::move(donnees), tailleRegionCompressee,
                                       tailleRegion, std::move(region));
    }

    void lireSons(Curseur c, PersonnageAcs& p)
    {
        const quint32 n = c.u32();
        c.exigerNombre(n, 12);
        for (quint32 i = 0; i < n; ++i) {
            const Localisateur l = c.localisateur();
            c.u32();
            Curseur s = bloc(l, QStringLiteral("d'un son"));
            p.sons.append(s.octets(s.reste()));
        }
    }

    void lireAnimations(Curseur c, PersonnageAcs& p)
    {
        const quint32 n = c.u32();
        c.exigerNombre(n, 12);
        for (quint32 i = 0; i < n; ++i) {
            const QString nom = c.chaine();
            const Localisateur l = c.localisateur();
            AnimationAcs a = lireAnimation(bloc(l, QStringLiteral("d'une animation")), p);
            a.nom = nom;
            p.animations.append(a);
        }
    }

    AnimationAcs lireAnimation(Curseur c, const PersonnageAcs& p)
    {
        AnimationAcs a;
        a.nom = c.chaine();
        const quint8 transition = c.u8();
        if (transition > 2)
            echouer(ErreurAcs::Corrompu, QStringLiteral("transition d'animation inconnue"));
        a.transition = TransitionAcs(transition);
        a.retour = c.chaine();
        const quint16 nbTrames = c.u16();
        c.exigerNombre(nbTrames, 10);
        auto indexImage = [&p](quint32 index) {
            if (index >= quint32(p.images.size()))
                echouer(ErreurAcs::Corrompu, QStringLiteral("image inexistante dans une trame"));
            return index;
        };
        for (quint16 i = 0; i < nbTrames; ++i) {
            TrameAcs t;
            const quint16 nbCouches = c.u16();
            c.exigerNombre(nbCouches, 8);
            for (quint16 j = 0; j < nbCouches; ++j) {
                CoucheAcs couche;
                couche.image = indexImage(c.u32());
                couche.x = c.i16();
                couche.y = c.i16();
                t.couches.append(couche);
            }
            t.son = c.u16();
            if (t.son != AucunSon && t.son >= p.sons.size())
                echouer(ErreurAcs::Corrompu, QStringLiteral("son inexistant dans une trame"));
            t.duree = c.u16();
            t.sortie = c.i16();
            if (t.sortie < 0)
                t.sortie = -1; // -1 et -2 : aucune
            else if (t.sortie >= nbTrames)
                echouer(ErreurAcs::Corrompu, QStringLiteral("trame de sortie inexistante"));
            const quint8 nbBranches = c.u8();
            c.exigerNombre(nbBranches, 4);
            for (quint8 j = 0; j < nbBranches; ++j) {
                BrancheAcs b;
                b.trame = c.u16();
                b.probabilite = c.u16();
                if (b.trame >= nbTrames)
                    echouer(ErreurAcs::Corrompu, QStringLiteral("branche vers une trame inexistante"));
                t.branches.append(b);
            }
            const quint8 nbBouches = c.u8();
            c.exigerNombre(nbBouches, 14);
            for (quint8 j = 0; j < nbBouches; ++j) {
                BoucheAcs b;
                b.forme = c.u8();
                b.remplaceHaut = c.u8() != 0;
                b.image = quint16(indexImage(c.u16()));
                b.inconnu = c.u8();
                if (c.u8())
                    b.region = c.octets(c.u32());
                b.x = c.i16();
                b.y = c.i16();
                b.pointX = c.u16();
                b.pointY = c.u16();
                t.bouches.append(b);
            }
            a.trames.append(t);
        }
        return a;
    }

    const QByteArray& m_fichier;
};

} // namespace

QString messageErreurAcs(ErreurAcs erreur)
{
    switch (erreur) {
    case ErreurAcs::Aucune: return QStringLiteral("Aucune erreur.");
    case ErreurAcs::FichierIllisible: return QStringLiteral("Le fichier du personnage est illisible.");
    case ErreurAcs::FormatAncien:
        return QStringLiteral("Ce fichier de personnage est d'une ancienne génération (1.5), non prise en charge.");
    case ErreurAcs::FormatInconnu: return QStringLiteral("Ce fichier n'est pas un fichier de personnage.");
    case ErreurAcs::Tronque: return QStringLiteral("Le fichier du personnage est tronqué.");
    case ErreurAcs::Corrompu: return QStringLiteral("Le fichier du personnage est endommagé.");
    }
    return {};
}

ResultatLectureAcs lirePersonnageAcs(const QByteArray& octets)
{
    ResultatLectureAcs r;
    auto refuser = [&r](ErreurAcs erreur, const QString& detail) {
        r.erreur = erreur;
        r.message = messageErreurAcs(erreur);
        if (!detail.isEmpty())
            r.message += QStringLiteral(" (%1)").arg(detail);
        return r;
    };
    if (octets.size() >= 8 && memcmp(octets.constData(), SignatureDocumentCompose, 8) == 0)
        return refuser(ErreurAcs::FormatAncien, {});
    if (octets.size() < 4 || qFromLittleEndian<quint32>(octets.constData()) != SignatureAcs)
        return refuser(ErreurAcs::FormatInconnu, {});
    if (octets.size() < TailleEnTete)
        return refuser(ErreurAcs::Tronque, QStringLiteral("en-tête incomplet"));
    try {
        r.personnage = Lecteur(octets).lire();
    } catch (const EchecLecture& e) {
        return refuser(e.erreur, e.detail);
    }
    return r;
}

ResultatLectureAcs lireFichierPersonnageAcs(const QString& chemin)
{
    try {
        return lirePersonnageAcs(lireOctets(chemin, TailleMax::personnage));
    } catch (const EFichierErreur& e) {
        ResultatLectureAcs r;
        r.erreur = ErreurAcs::FichierIllisible;
        r.message = messageErreurAcs(r.erreur) + QStringLiteral(" (%1)").arg(e.message());
        return r;
    }
}
