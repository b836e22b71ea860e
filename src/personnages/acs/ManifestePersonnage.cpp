#include "ManifestePersonnage.h"

#include "Erreurs.h"
#include "FichierTexte.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>

namespace {

struct EchecManifeste
{
    QString message;
};

[[noreturn]] void echouer(const QString& message) { throw EchecManifeste{message}; }

QStringList decouper(const QString& ligne)
{
    QStringList mots;
    QString mot;
    bool guillemets = false;
    bool enMot = false;
    for (QChar c : ligne) {
        if (c == u'"') {
            guillemets = !guillemets;
            enMot = true;
        } else if (c.isSpace() && !guillemets) {
            if (enMot)
                mots.append(mot);
            mot.clear();
            enMot = false;
        } else {
            mot += c;
            enMot = true;
        }
    }
    if (guillemets)
        echouer(QStringLiteral("guillemet non fermé"));
    if (enMot)
        mots.append(mot);
    return mots;
}

long entier(const QString& texte, long min, long max, int base = 10)
{
    bool ok = false;
    const long v = texte.toLong(&ok, base);
    if (!ok || v < min || v > max)
        echouer(QStringLiteral("nombre invalide « %1 »").arg(texte));
    return v;
}

QRgb couleur(const QString& texte)
{
    const QColor c = QColor::fromString(texte);
    if (!c.isValid())
        echouer(QStringLiteral("couleur invalide « %1 »").arg(texte));
    return c.rgb();
}

class Compilateur
{
public:
    explicit Compilateur(const QString& chemin) : m_dossier(QFileInfo(chemin).absoluteDir()) {}

    void instruction(const QStringList& m)
    {
        const QString& cle = m.first();
        auto exiger = [&m](qsizetype n) {
            if (m.size() < n)
                echouer(QStringLiteral("arguments manquants"));
        };
        InfoAcs& info = m_p.info;
        if (cle == u"guid") {
            exiger(2);
            info.guid = QUuid::fromString(m[1]);
            if (info.guid.isNull())
                echouer(QStringLiteral("identifiant invalide"));
        } else if (cle == u"taille") {
            exiger(3);
            info.largeur = quint16(entier(m[1], 1, 4096));
            info.hauteur = quint16(entier(m[2], 1, 4096));
        } else if (cle == u"transparent") {
            exiger(2);
            info.indexTransparent = quint8(entier(m[1], 0, 255));
        } else if (cle == u"drapeaux") {
            static const QHash<QString, quint32> noms{{QStringLiteral("bulle-ajustee"), DrapeauxAcs::BulleAjusteeAuTexte},
                                                      {QStringLiteral("sans-masquage-auto"), DrapeauxAcs::SansMasquageAuto},
                                                      {QStringLiteral("sans-rythme-auto"), DrapeauxAcs::SansRythmeAuto},
                                                      {QStringLiteral("jeu-standard"), DrapeauxAcs::JeuStandard}};
            for (qsizetype i = 1; i < m.size(); ++i) {
                if (!noms.contains(m[i]))
                    echouer(QStringLiteral("drapeau inconnu « %1 »").arg(m[i]));
                info.drapeaux |= noms.value(m[i]);
            }
        } else if (cle == u"nom") {
            exiger(4);
            info.locales.append(LocaleAcs{quint16(entier(m[1], 0, 0xFFFF, 16)), m[2], m[3], m.value(4)});
        } else if (cle == u"bulle") {
            exiger(9);
            BulleAcs b;
            b.lignes = quint8(entier(m[1], 1, 255));
            b.caracteresParLigne = quint8(entier(m[2], 1, 255));
            b.couleurTexte = couleur(m[3]);
            b.couleurFond = couleur(m[4]);
            b.couleurBordure = couleur(m[5]);
            b.hauteurPolice = qint32(entier(m[6], -1000, 1000));
            b.graisse = quint16(entier(m[7], 0, 1000));
            b.police = m[8];
            info.bulle = b;
        } else if (cle == u"voix") {
            exiger(4);
            VoixAcs v;
            VoixAcs::Extra e;
            e.langue = quint16(entier(m[1], 0, 0xFFFF, 16));
            e.genre = quint16(entier(m[2], 0, 2));
            e.age = quint16(entier(m[3], 0, 200));
            v.extra = e;
            info.voix = v;
        } else if (cle == u"etat") {
            exiger(3);
            m_p.etats.append(EtatAcs{m[1], m.mid(2)});
        } else if (cle == u"animation") {
            exiger(2);
            finirAnimation();
            AnimationAcs a;
            a.nom = m[1];
            const QString transition = m.value(2, QStringLiteral("aucune"));
            if (transition == u"aucune")
                a.transition = TransitionAcs::Aucune;
            else if (transition == u"sortie")
                a.transition = TransitionAcs::BranchesSortie;
            else if (transition == u"retour") {
                exiger(4);
                a.transition = TransitionAcs::Retour;
                a.retour = m[3];
            } else
                echouer(QStringLiteral("transition inconnue « %1 »").arg(transition));
            m_animation = a;
        } else if (cle == u"trame") {
            exiger(2);
            if (!m_animation)
                echouer(QStringLiteral("trame hors d'une animation"));
            TrameAcs t;
            t.duree = quint16(entier(m[1], 0, 0xFFFF));
            for (qsizetype i = 2; i < m.size(); ++i)
                optionTrame(t, m[i]);
            m_animation->trames.append(t);
        } else if (cle == u"couche") {
            exiger(4);
            trameCourante().couches.append(CoucheAcs{image(m[1]), qint16(entier(m[2], -32768, 32767)),
                                                     qint16(entier(m[3], -32768, 32767))});
        } else if (cle == u"bouche") {
            exiger(5);
            static const QStringList formes{QStringLiteral("fermee"), QStringLiteral("large1"), QStringLiteral("large2"),
                                            QStringLiteral("large3"), QStringLiteral("large4"), QStringLiteral("moyenne"),
                                            QStringLiteral("etroite")};
            BoucheAcs b;
            const qsizetype forme = formes.indexOf(m[1]);
            if (forme < 0)
                echouer(QStringLiteral("forme de bouche inconnue « %1 »").arg(m[1]));
            b.forme = quint8(forme);
            b.image = quint16(image(m[2]));
            b.x = qint16(entier(m[3], -32768, 32767));
            b.y = qint16(entier(m[4], -32768, 32767));
            for (qsizetype i = 5; i < m.size(); ++i) {
                if (m[i] == u"remplace")
                    b.remplaceHaut = true;
                else if (m[i].startsWith(u"point=")) {
                    const QStringList xy = m[i].mid(6).split(u',');
                    if (xy.size() != 2)
                        echouer(QStringLiteral("point invalide"));
                    b.pointX = quint16(entier(xy[0], 0, 0xFFFF));
                    b.pointY = quint16(entier(xy[1], 0, 0xFFFF));
                } else
                    echouer(QStringLiteral("option de bouche inconnue « %1 »").arg(m[i]));
            }
            trameCourante().bouches.append(b);
        } else {
            echouer(QStringLiteral("instruction inconnue « %1 »").arg(cle));
        }
    }

    PersonnageAcs terminer()
    {
        finirAnimation();
        if (m_p.info.largeur == 0)
            echouer(QStringLiteral("taille du personnage manquante"));
        for (const EtatAcs& e : m_p.etats)
            for (const QString& a : e.animations)
                if (!m_p.animation(a))
                    echouer(QStringLiteral("l'état %1 désigne l'animation inconnue %2").arg(e.nom, a));
        for (const AnimationAcs& a : m_p.animations)
            if (a.transition == TransitionAcs::Retour && !m_p.animation(a.retour))
                echouer(QStringLiteral("animation de retour inconnue %1").arg(a.retour));
        construirePalette();
        return m_p;
    }

private:
    TrameAcs& trameCourante()
    {
        if (!m_animation || m_animation->trames.isEmpty())
            echouer(QStringLiteral("couche ou bouche hors d'une trame"));
        return m_animation->trames.last();
    }

    void optionTrame(TrameAcs& t, const QString& option)
    {
        if (option.startsWith(u"sortie=")) {
            t.sortie = qint16(entier(option.mid(7), 0, 32767));
        } else if (option.startsWith(u"branche=")) {
            const QStringList parties = option.mid(8).split(u':');
            if (parties.size() != 2)
                echouer(QStringLiteral("branche invalide « %1 »").arg(option));
            t.branches.append(BrancheAcs{quint16(entier(parties[0], 0, 0xFFFF)), quint16(entier(parties[1], 0, 100))});
        } else if (option.startsWith(u"son=")) {
            t.son = son(option.mid(4));
        } else {
            // Image, éventuellement suivie de @X,Y.
            const qsizetype arobase = option.indexOf(u'@');
            CoucheAcs c;
            c.image = image(option.left(arobase));
            if (arobase >= 0) {
                const QStringList xy = option.mid(arobase + 1).split(u',');
                if (xy.size() != 2)
                    echouer(QStringLiteral("position invalide « %1 »").arg(option));
                c.x = qint16(entier(xy[0], -32768, 32767));
                c.y = qint16(entier(xy[1], -32768, 32767));
            }
            t.couches.append(c);
        }
    }

    void finirAnimation()
    {
        if (!m_animation)
            return;
        const AnimationAcs& a = *m_animation;
        if (a.trames.isEmpty())
            echouer(QStringLiteral("animation %1 sans trame").arg(a.nom));
        if (m_p.animation(a.nom))
            echouer(QStringLiteral("animation %1 en double").arg(a.nom));
        for (const TrameAcs& t : a.trames) {
            int somme = 0;
            for (const BrancheAcs& b : t.branches) {
                somme += b.probabilite;
                if (b.trame >= a.trames.size())
                    echouer(QStringLiteral("branche hors de l'animation %1").arg(a.nom));
            }
            if (somme > 100)
                echouer(QStringLiteral("branches de plus de 100 %% dans %1").arg(a.nom));
            if (t.sortie >= a.trames.size())
                echouer(QStringLiteral("sortie hors de l'animation %1").arg(a.nom));
        }
        m_p.animations.append(a);
        m_animation.reset();
    }

    quint32 image(const QString& fichier)
    {
        if (fichier.isEmpty())
            echouer(QStringLiteral("nom d'image vide"));
        const auto trouve = m_indexImages.constFind(fichier);
        if (trouve != m_indexImages.cend())
            return *trouve;
        const QImage img = QImage::fromData(lire(fichier, QStringLiteral("image")));
        if (img.isNull())
            echouer(QStringLiteral("image illisible « %1 »").arg(fichier));
        m_sources.append(img.convertToFormat(QImage::Format_ARGB32));
        m_p.images.append(ImageAcs());
        const quint32 index = quint32(m_p.images.size() - 1);
        m_indexImages.insert(fichier, index);
        return index;
    }

    // Un fichier du dossier du manifeste, par le seul chemin de lecture.
    QByteArray lire(const QString& fichier, const QString& genre) const
    {
        try {
            return lireOctets(m_dossier.filePath(fichier), TailleMax::personnage);
        } catch (const EFichierErreur& e) {
            echouer(QStringLiteral("%1 illisible « %2 » (%3)").arg(genre, fichier, e.message()));
        }
    }

    quint16 son(const QString& fichier)
    {
        const auto trouve = m_indexSons.constFind(fichier);
        if (trouve != m_indexSons.cend())
            return *trouve;
        const QByteArray octets = lire(fichier, QStringLiteral("son"));
        if (!octets.startsWith("RIFF") || octets.mid(8, 4) != "WAVE")
            echouer(QStringLiteral("« %1 » n'est pas un fichier WAVE").arg(fichier));
        m_p.sons.append(octets);
        const quint16 index = quint16(m_p.sons.size() - 1);
        m_indexSons.insert(fichier, index);
        return index;
    }

    // Palette : les couleurs opaques dans leur ordre d'apparition, l'index transparent réservé.
    void construirePalette()
    {
        const quint8 transparent = m_p.info.indexTransparent;
        QList<QRgb> palette;
        QHash<QRgb, quint8> index;
        auto prochainIndex = [&]() {
            if (palette.size() == transparent)
                palette.append(qRgb(255, 0, 255));
            if (palette.size() >= 256)
                echouer(QStringLiteral("plus de 255 couleurs dans les images"));
            return quint8(palette.size());
        };
        for (qsizetype i = 0; i < m_sources.size(); ++i) {
            const QImage& src = m_sources.at(i);
            QByteArray pixels(qsizetype(src.width()) * src.height(), Qt::Uninitialized);
            for (int y = 0; y < src.height(); ++y) {
                const auto* ligne = reinterpret_cast<const QRgb*>(src.constScanLine(y));
                for (int x = 0; x < src.width(); ++x) {
                    quint8 valeur = transparent;
                    if (qAlpha(ligne[x]) >= 128) {
                        const QRgb c = ligne[x] | 0xFF000000u;
                        auto trouve = index.constFind(c);
                        if (trouve == index.cend()) {
                            const quint8 n = prochainIndex();
                            palette.append(c);
                            trouve = index.insert(c, n);
                        }
                        valeur = *trouve;
                    }
                    pixels[qsizetype(y) * src.width() + x] = char(valeur);
                }
            }
            m_p.images[i] = ImageAcs::depuisPixels(src.width(), src.height(), pixels);
        }
        while (palette.size() < 256)
            palette.append(palette.size() == transparent ? qRgb(255, 0, 255) : qRgb(0, 0, 0));
        m_p.info.palette = palette;
    }

    QDir m_dossier;
    PersonnageAcs m_p;
    std::optional<AnimationAcs> m_animation;
    QHash<QString, quint32> m_indexImages;
    QHash<QString, quint16> m_indexSons;
    QList<QImage> m_sources;
};

} // namespace

ResultatManifeste lireManifestePersonnage(const QString& chemin)
{
    ResultatManifeste r;
    QStringList lignes;
    try {
        lignes = decouperLignes(QString::fromUtf8(lireOctets(chemin, TailleMax::configuration)));
    } catch (const EFichierErreur& e) {
        r.erreur = e.message();
        return r;
    }
    Compilateur compilateur(chemin);
    int numero = 0;
    try {
        for (const QString& brute : std::as_const(lignes)) {
            ++numero;
            const QString ligne = brute.trimmed();
            if (ligne.isEmpty() || ligne.startsWith(u'#'))
                continue;
            compilateur.instruction(decouper(ligne));
        }
        numero = 0;
        r.personnage = compilateur.terminer();
    } catch (const EchecManifeste& e) {
        r.erreur = numero > 0 ? QStringLiteral("%1:%2: %3").arg(chemin).arg(numero).arg(e.message)
                              : QStringLiteral("%1: %2").arg(chemin, e.message);
    }
    return r;
}
