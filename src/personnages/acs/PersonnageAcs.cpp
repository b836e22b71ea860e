#include "PersonnageAcs.h"

#include "CompressionAcs.h"

#include <QtEndian>

const BoucheAcs* TrameAcs::bouche(FormeBouche forme) const
{
    for (const BoucheAcs& b : bouches)
        if (b.forme == quint8(forme))
            return &b;
    return nullptr;
}

const LocaleAcs* InfoAcs::localePreferee() const
{
    // Certains identifiants ne portent que la langue principale : comparer sur 10 bits.
    for (quint16 langue : {LangueFrancais, LangueAnglais})
        for (const LocaleAcs& l : locales)
            if ((l.langue & 0x3FF) == langue)
                return &l;
    return locales.isEmpty() ? nullptr : &locales.first();
}

ImageAcs ImageAcs::depuisPixels(int largeur, int hauteur, QByteArray indicesHautEnBas)
{
    ImageAcs image;
    image.m_presente = true;
    image.m_largeur = largeur;
    image.m_hauteur = hauteur;
    image.m_decodee = true;
    if (indicesHautEnBas.size() == qsizetype(largeur) * hauteur)
        image.m_pixels = std::move(indicesHautEnBas);
    return image;
}

ImageAcs ImageAcs::depuisFichier(int largeur, int hauteur, bool compressee, QByteArray donnees,
                                 quint32 tailleRegionCompressee, quint32 tailleRegion, QByteArray region)
{
    ImageAcs image;
    image.m_presente = true;
    image.m_largeur = largeur;
    image.m_hauteur = hauteur;
    image.m_compressee = compressee;
    image.m_donnees = std::move(donnees);
    image.m_tailleRegionCompressee = tailleRegionCompressee;
    image.m_tailleRegion = tailleRegion;
    image.m_region = std::move(region);
    return image;
}

const QByteArray& ImageAcs::pixels() const
{
    if (m_decodee)
        return m_pixels;
    m_decodee = true;
    if (!m_presente)
        return m_pixels;
    // Lignes de bas en haut, alignées sur 4 octets.
    const qsizetype pas = (qsizetype(m_largeur) + 3) & ~qsizetype(3);
    const qsizetype taille = pas * m_hauteur;
    QByteArray brut;
    if (m_compressee) {
        auto sortie = decompresserAcs(m_donnees, taille);
        if (!sortie)
            return m_pixels;
        brut = std::move(*sortie);
    } else {
        if (m_donnees.size() < taille)
            return m_pixels;
        brut = m_donnees;
    }
    QByteArray pixels(qsizetype(m_largeur) * m_hauteur, Qt::Uninitialized);
    for (int y = 0; y < m_hauteur; ++y)
        memcpy(pixels.data() + qsizetype(y) * m_largeur, brut.constData() + (m_hauteur - 1 - y) * pas, size_t(m_largeur));
    m_pixels = std::move(pixels);
    return m_pixels;
}

bool ImageAcs::decodable() const
{
    return estVide() || pixels().size() == qsizetype(m_largeur) * m_hauteur;
}

std::optional<QList<QRect>> ImageAcs::regionEnregistree() const
{
    if (m_tailleRegion == 0 && m_tailleRegionCompressee == 0)
        return std::nullopt;
    QByteArray donnees;
    if (m_tailleRegionCompressee > 0) {
        auto sortie = decompresserAcs(m_region, m_tailleRegion);
        if (!sortie)
            return std::nullopt;
        donnees = std::move(*sortie);
    } else {
        donnees = m_region;
    }
    constexpr qsizetype TailleEnTete = 32;
    if (donnees.size() < TailleEnTete)
        return std::nullopt;
    const auto* d = reinterpret_cast<const uchar*>(donnees.constData());
    const quint32 nombre = qFromLittleEndian<quint32>(d + 8);
    if (nombre > quint32((donnees.size() - TailleEnTete) / 16))
        return std::nullopt;
    QList<QRect> rectangles;
    rectangles.reserve(qsizetype(nombre));
    for (quint32 i = 0; i < nombre; ++i) {
        const uchar* r = d + TailleEnTete + 16 * i;
        const qint32 gauche = qFromLittleEndian<qint32>(r);
        const qint32 haut = qFromLittleEndian<qint32>(r + 4);
        const qint32 droite = qFromLittleEndian<qint32>(r + 8);
        const qint32 bas = qFromLittleEndian<qint32>(r + 12);
        rectangles.append(QRect(QPoint(gauche, haut), QPoint(droite - 1, bas - 1)));
    }
    return rectangles;
}

QList<QRect> regionOpaque(const QByteArray& pixels, int largeur, int hauteur, quint8 indexTransparent)
{
    QList<QRect> rectangles;
    if (pixels.size() < qsizetype(largeur) * hauteur)
        return rectangles;
    const auto* p = reinterpret_cast<const uchar*>(pixels.constData());
    for (int y = 0; y < hauteur; ++y) {
        const uchar* ligne = p + qsizetype(y) * largeur;
        int x = 0;
        while (x < largeur) {
            while (x < largeur && ligne[x] == indexTransparent)
                ++x;
            const int debut = x;
            while (x < largeur && ligne[x] != indexTransparent)
                ++x;
            if (x > debut)
                rectangles.append(QRect(debut, y, x - debut, 1));
        }
    }
    return rectangles;
}

const AnimationAcs* PersonnageAcs::animation(QStringView nom) const
{
    for (const AnimationAcs& a : animations)
        if (QStringView(a.nom).compare(nom, Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

const EtatAcs* PersonnageAcs::etat(QStringView nom) const
{
    for (const EtatAcs& e : etats)
        if (QStringView(e.nom).compare(nom, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

QStringList PersonnageAcs::animationsEtat(QStringView nom) const
{
    const EtatAcs* e = etat(nom);
    return e ? e->animations : QStringList();
}

namespace {

void dessinerImage(QImage& cible, const ImageAcs& image, int x0, int y0, const QList<QRgb>& palette,
                   quint8 transparent)
{
    const QByteArray& pixels = image.pixels();
    if (pixels.isEmpty())
        return;
    const int w = image.largeur();
    const int h = image.hauteur();
    const auto* p = reinterpret_cast<const uchar*>(pixels.constData());
    for (int y = 0; y < h; ++y) {
        const int cy = y0 + y;
        if (cy < 0 || cy >= cible.height())
            continue;
        auto* ligne = reinterpret_cast<QRgb*>(cible.scanLine(cy));
        for (int x = 0; x < w; ++x) {
            const int cx = x0 + x;
            const uchar index = p[qsizetype(y) * w + x];
            if (index == transparent || cx < 0 || cx >= cible.width())
                continue;
            // Un index hors de la palette tombe sur le noir.
            const QRgb couleur = index < palette.size() ? palette.at(index) : 0;
            ligne[cx] = 0xFF000000u | (couleur & 0x00FFFFFFu);
        }
    }
}

} // namespace

QImage PersonnageAcs::composerTrame(const TrameAcs& trame, const BoucheAcs* bouche) const
{
    QImage resultat(info.largeur, info.hauteur, QImage::Format_ARGB32);
    if (resultat.isNull())
        return resultat;
    resultat.fill(Qt::transparent);
    auto dessiner = [&](quint32 index, int x, int y) {
        if (index < quint32(images.size()))
            dessinerImage(resultat, images.at(qsizetype(index)), x, y, info.palette, info.indexTransparent);
    };
    const bool remplace = bouche && bouche->remplaceHaut && !trame.couches.isEmpty();
    for (qsizetype i = trame.couches.size() - 1; i >= 0; --i) {
        if (i == 0 && remplace)
            break;
        const CoucheAcs& c = trame.couches.at(i);
        dessiner(c.image, c.x, c.y);
    }
    if (bouche)
        dessiner(bouche->image, bouche->x, bouche->y);
    return resultat;
}

bool PersonnageAcs::verifierImages() const
{
    for (const ImageAcs& image : images)
        if (!image.decodable())
            return false;
    return true;
}
