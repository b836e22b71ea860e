#include "EcrivainAcs.h"

#include "CompressionAcs.h"
#include "Erreurs.h"
#include "FichierTexte.h"

#include <QtEndian>

namespace {

struct EchecEcriture
{
    QString message;
};

class Tampon
{
public:
    QByteArray octets;

    qsizetype position() const { return octets.size(); }
    void u8(quint8 v) { octets.append(char(v)); }
    void u16(quint16 v) { ajouter<quint16>(v); }
    void i16(qint16 v) { ajouter<qint16>(v); }
    void u32(quint32 v) { ajouter<quint32>(v); }
    void i32(qint32 v) { ajouter<qint32>(v); }
    void guid(const QUuid& g)
    {
        u32(g.data1);
        u16(g.data2);
        u16(g.data3);
        for (uchar b : g.data4)
            u8(b);
    }
    void chaine(const QString& s)
    {
        u32(quint32(s.size()));
        if (s.isEmpty())
            return;
        for (QChar c : s)
            u16(c.unicode());
        u16(0);
    }
    void donnees(const QByteArray& b) { octets.append(b); }
    // Réserve un localisateur, rempli plus tard.
    qsizetype localisateurVide()
    {
        const qsizetype p = position();
        u32(0);
        u32(0);
        return p;
    }
    void remplirLocalisateur(qsizetype emplacement, qsizetype debut, qsizetype fin)
    {
        qToLittleEndian<quint32>(quint32(debut), octets.data() + emplacement);
        qToLittleEndian<quint32>(quint32(fin - debut), octets.data() + emplacement + 4);
    }

private:
    template<typename T>
    void ajouter(T v)
    {
        char b[sizeof(T)];
        qToLittleEndian<T>(v, b);
        octets.append(b, sizeof(T));
    }
};

quint32 rgb0(QRgb c) { return quint32(qRed(c)) | quint32(qGreen(c)) << 8 | quint32(qBlue(c)) << 16; }
quint32 bgr0(QRgb c) { return quint32(qBlue(c)) | quint32(qGreen(c)) << 8 | quint32(qRed(c)) << 16; }

QByteArray regionEnOctets(const QList<QRect>& rectangles)
{
    Tampon t;
    t.u32(32);
    t.u32(1);
    t.u32(quint32(rectangles.size()));
    t.u32(quint32(rectangles.size() * 16));
    QRect englobant;
    for (const QRect& r : rectangles)
        englobant |= r;
    t.i32(englobant.left());
    t.i32(englobant.top());
    t.i32(englobant.isNull() ? 0 : englobant.right() + 1);
    t.i32(englobant.isNull() ? 0 : englobant.bottom() + 1);
    for (const QRect& r : rectangles) {
        t.i32(r.left());
        t.i32(r.top());
        t.i32(r.right() + 1);
        t.i32(r.bottom() + 1);
    }
    return t.octets;
}

void ecrireImage(Tampon& t, const ImageAcs& image, quint8 transparent)
{
    if (image.estVide()) {
        t.u8(0);
        return;
    }
    const int w = image.largeur();
    const int h = image.hauteur();
    if (w > 0xFFFF || h > 0xFFFF || w < 0 || h < 0)
        throw EchecEcriture{QStringLiteral("image trop grande")};
    const QByteArray& pixels = image.pixels();
    if (pixels.size() != qsizetype(w) * h)
        throw EchecEcriture{QStringLiteral("image illisible")};
    // Lignes de bas en haut, alignées sur 4 octets, bourrage à 0.
    const qsizetype pas = (qsizetype(w) + 3) & ~qsizetype(3);
    QByteArray brut(pas * h, '\0');
    for (int y = 0; y < h; ++y)
        memcpy(brut.data() + (h - 1 - y) * pas, pixels.constData() + qsizetype(y) * w, size_t(w));
    const QByteArray compresse = compresserAcs(brut);
    t.u8(1);
    t.u16(quint16(w));
    t.u16(quint16(h));
    t.u8(1);
    t.u32(quint32(compresse.size()));
    t.donnees(compresse);
    const QByteArray region = regionEnOctets(regionOpaque(pixels, w, h, transparent));
    const QByteArray regionCompressee = compresserAcs(region);
    t.u32(quint32(regionCompressee.size()));
    t.u32(quint32(region.size()));
    t.donnees(regionCompressee);
}

void ecrireAnimation(Tampon& t, const AnimationAcs& a)
{
    t.chaine(a.nom);
    t.u8(quint8(a.transition));
    t.chaine(a.transition == TransitionAcs::Retour ? a.retour : QString());
    if (a.trames.size() > 0xFFFF)
        throw EchecEcriture{QStringLiteral("trop de trames dans %1").arg(a.nom)};
    t.u16(quint16(a.trames.size()));
    for (const TrameAcs& f : a.trames) {
        if (f.couches.size() > 0xFFFF || f.branches.size() > 0xFF || f.bouches.size() > 0xFF)
            throw EchecEcriture{QStringLiteral("trame trop chargée dans %1").arg(a.nom)};
        t.u16(quint16(f.couches.size()));
        for (const CoucheAcs& c : f.couches) {
            t.u32(c.image);
            t.i16(c.x);
            t.i16(c.y);
        }
        t.u16(f.son);
        t.u16(f.duree);
        t.i16(f.sortie < 0 ? qint16(-1) : f.sortie);
        t.u8(quint8(f.branches.size()));
        for (const BrancheAcs& b : f.branches) {
            t.u16(b.trame);
            t.u16(b.probabilite);
        }
        t.u8(quint8(f.bouches.size()));
        for (const BoucheAcs& b : f.bouches) {
            t.u8(b.forme);
            t.u8(b.remplaceHaut ? 1 : 0);
            t.u16(b.image);
            t.u8(b.inconnu);
            t.u8(b.region.isEmpty() ? 0 : 1);
            if (!b.region.isEmpty()) {
                t.u32(quint32(b.region.size()));
                t.donnees(b.region);
            }
            t.i16(b.x);
            t.i16(b.y);
            t.u16(b.pointX);
            t.u16(b.pointY);
        }
    }
}

void ecrireInfo(Tampon& t, const PersonnageAcs& p, qsizetype debutLocales, qsizetype finLocales)
{
    const InfoAcs& info = p.info;
    t.u16(info.versionMineure);
    t.u16(info.versionMajeure);
    const qsizetype loc = t.localisateurVide();
    t.remplirLocalisateur(loc, debutLocales, finLocales);
    t.guid(info.guid);
    t.u16(info.largeur);
    t.u16(info.hauteur);
    t.u8(info.indexTransparent);
    quint32 drapeaux = info.drapeaux & ~(DrapeauxAcs::Voix | DrapeauxAcs::Bulle);
    if (info.voix)
        drapeaux |= DrapeauxAcs::Voix;
    if (info.bulle)
        drapeaux |= DrapeauxAcs::Bulle;
    t.u32(drapeaux);
    t.u16(2);
    t.u16(0);
    if (const auto& v = info.voix) {
        t.guid(v->moteur);
        t.guid(v->mode);
        t.u32(v->vitesse);
        t.u16(v->hauteur);
        t.u8(v->extra ? 1 : 0);
        if (const auto& e = v->extra) {
            t.u16(e->langue);
            t.chaine(e->dialecte);
            t.u16(e->genre);
            t.u16(e->age);
            t.chaine(e->style);
        }
    }
    if (const auto& b = info.bulle) {
        t.u8(b->lignes);
        t.u8(b->caracteresParLigne);
        t.u32(rgb0(b->couleurTexte));
        t.u32(rgb0(b->couleurFond));
        t.u32(rgb0(b->couleurBordure));
        t.chaine(b->police);
        t.i32(b->hauteurPolice);
        t.u16(b->graisse);
        t.u32(b->style);
    }
    if (info.palette.size() > 256)
        throw EchecEcriture{QStringLiteral("palette de plus de 256 couleurs")};
    t.u32(quint32(info.palette.size()));
    for (QRgb c : info.palette)
        t.u32(bgr0(c));
    const bool icone = !info.iconeMasque.isEmpty() && !info.iconeCouleur.isEmpty();
    t.u8(icone ? 1 : 0);
    if (icone) {
        t.u32(quint32(info.iconeMasque.size()));
        t.donnees(info.iconeMasque);
        t.u32(quint32(info.iconeCouleur.size()));
        t.donnees(info.iconeCouleur);
    }
    if (p.etats.size() > 0xFFFF)
        throw EchecEcriture{QStringLiteral("trop d'états")};
    t.u16(quint16(p.etats.size()));
    for (const EtatAcs& e : p.etats) {
        t.chaine(e.nom);
        t.u16(quint16(e.animations.size()));
        for (const QString& a : e.animations)
            t.chaine(a);
    }
}

} // namespace

QByteArray ecrirePersonnageAcs(const PersonnageAcs& p, QString* erreur)
{
    try {
        if (p.info.largeur == 0 || p.info.hauteur == 0)
            throw EchecEcriture{QStringLiteral("taille du personnage nulle")};
        Tampon t;
        t.u32(0xABCDABC3);
        const qsizetype locInfo = t.localisateurVide();
        const qsizetype locAnimations = t.localisateurVide();
        const qsizetype locImages = t.localisateurVide();
        const qsizetype locSons = t.localisateurVide();

        // Blocs d'abord, listes ensuite, informations en dernier.
        QList<std::pair<qsizetype, qsizetype>> blocsAnimations;
        for (const AnimationAcs& a : p.animations) {
            const qsizetype debut = t.position();
            ecrireAnimation(t, a);
            blocsAnimations.append({debut, t.position()});
        }
        QList<std::pair<qsizetype, qsizetype>> blocsImages;
        for (const ImageAcs& image : p.images) {
            const qsizetype debut = t.position();
            ecrireImage(t, image, p.info.indexTransparent);
            blocsImages.append({debut, t.position()});
        }
        QList<std::pair<qsizetype, qsizetype>> blocsSons;
        for (const QByteArray& son : p.sons) {
            const qsizetype debut = t.position();
            t.donnees(son);
            blocsSons.append({debut, t.position()});
        }

        qsizetype debut = t.position();
        t.u32(quint32(p.animations.size()));
        for (qsizetype i = 0; i < p.animations.size(); ++i) {
            t.chaine(p.animations.at(i).nom);
            t.remplirLocalisateur(t.localisateurVide(), blocsAnimations.at(i).first, blocsAnimations.at(i).second);
        }
        t.remplirLocalisateur(locAnimations, debut, t.position());

        debut = t.position();
        t.u32(quint32(blocsImages.size()));
        for (const auto& [d, f] : blocsImages) {
            t.remplirLocalisateur(t.localisateurVide(), d, f);
            t.u32(0); // somme de contrôle
        }
        t.remplirLocalisateur(locImages, debut, t.position());

        debut = t.position();
        t.u32(quint32(blocsSons.size()));
        for (const auto& [d, f] : blocsSons) {
            t.remplirLocalisateur(t.localisateurVide(), d, f);
            t.u32(0);
        }
        t.remplirLocalisateur(locSons, debut, t.position());

        const qsizetype debutLocales = t.position();
        t.u16(quint16(p.info.locales.size()));
        for (const LocaleAcs& l : p.info.locales) {
            t.u16(l.langue);
            t.chaine(l.nom);
            t.chaine(l.description);
            t.chaine(l.extra);
        }
        const qsizetype finLocales = t.position();

        debut = t.position();
        ecrireInfo(t, p, debutLocales, finLocales);
        t.remplirLocalisateur(locInfo, debut, t.position());
        if (t.octets.size() > 0x7FFFFFFF)
            throw EchecEcriture{QStringLiteral("fichier trop gros")};
        return t.octets;
    } catch (const EchecEcriture& e) {
        if (erreur)
            *erreur = e.message;
        return {};
    }
}

bool enregistrerPersonnageAcs(const PersonnageAcs& personnage, const QString& chemin, QString* erreur)
{
    const QByteArray octets = ecrirePersonnageAcs(personnage, erreur);
    if (octets.isEmpty())
        return false;
    try {
        ecrireOctets(chemin, octets, Sauvegarde::Aucune);
    } catch (const EFichierErreur& e) {
        if (erreur)
            *erreur = e.message();
        return false;
    }
    return true;
}
