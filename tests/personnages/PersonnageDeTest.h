#pragma once
// Petit personnage construit en code : carrés de couleur, états et animations des cas testés.
#include "PersonnageAcs.h"

namespace PaletteTest {
constexpr quint8 Transparent = 0;
constexpr quint8 Rouge = 1;
constexpr quint8 Vert = 2;
constexpr quint8 Bleu = 3;
constexpr quint8 Jaune = 4;
}

inline const QList<QRgb> couleursTest{qRgb(255, 0, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                      qRgb(255, 255, 0)};

// Image 32 × 32 : un disque plein de la couleur donnée, transparent autour.
inline ImageAcs imageTest(quint8 couleur)
{
    QByteArray pixels(32 * 32, char(PaletteTest::Transparent));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if ((x - 16) * (x - 16) + (y - 16) * (y - 16) <= 12 * 12)
                pixels[y * 32 + x] = char(couleur);
    return ImageAcs::depuisPixels(32, 32, pixels);
}

// Trame d'une couche de l'image donnée (indice = couleur), durée en centièmes.
inline TrameAcs trameTest(quint8 couleur, int duree = 10)
{
    TrameAcs t;
    t.couches.append(CoucheAcs{couleur, 0, 0});
    t.duree = quint16(duree);
    return t;
}

inline AnimationAcs animationTest(const QString& nom, QList<TrameAcs> trames,
                                  TransitionAcs transition = TransitionAcs::Aucune, const QString& retour = {})
{
    AnimationAcs a;
    a.nom = nom;
    a.trames = std::move(trames);
    a.transition = transition;
    a.retour = retour;
    return a;
}

inline PersonnageAcs construirePersonnageTest()
{
    PersonnageAcs p;
    p.info.largeur = 32;
    p.info.hauteur = 32;
    p.info.indexTransparent = PaletteTest::Transparent;
    p.info.drapeaux = DrapeauxAcs::Bulle;
    for (int i = 0; i < 256; ++i)
        p.info.palette.append(i < couleursTest.size() ? couleursTest.at(i) : qRgb(0, 0, 0));
    p.info.locales.append(LocaleAcs{LangueFrancais, QStringLiteral("Testeur"), QStringLiteral("Personnage d'essai"), {}});
    BulleAcs bulle;
    bulle.lignes = 3;
    bulle.caracteresParLigne = 20;
    bulle.couleurTexte = qRgb(10, 20, 30);
    bulle.couleurFond = qRgb(200, 220, 240);
    bulle.couleurBordure = qRgb(40, 50, 60);
    bulle.police = QStringLiteral("DejaVu Sans");
    bulle.hauteurPolice = -13;
    p.info.bulle = bulle;
    p.images = {ImageAcs(), imageTest(PaletteTest::Rouge), imageTest(PaletteTest::Vert), imageTest(PaletteTest::Bleu),
                imageTest(PaletteTest::Jaune)};

    using namespace PaletteTest;
    // Boucle : 0 → 1 → 0 … ; arrêtée, elle sort par la trame verte 2.
    TrameAcs boucle1 = trameTest(Rouge);
    boucle1.branches.append(BrancheAcs{0, 100});
    boucle1.sortie = 2;
    TrameAcs boucle0 = trameTest(Rouge);
    boucle0.sortie = 2;
    // Parole : une trame avec deux formes de bouche.
    TrameAcs parle = trameTest(Bleu, 20);
    BoucheAcs ouverte;
    ouverte.forme = quint8(FormeBouche::Large2);
    ouverte.image = Jaune;
    parle.bouches.append(ouverte);
    BoucheAcs fermee = ouverte;
    fermee.forme = quint8(FormeBouche::Fermee);
    fermee.image = Bleu;
    parle.bouches.append(fermee);

    TrameAcs boucleMove = trameTest(Rouge);
    boucleMove.branches.append(BrancheAcs{0, 100});
    p.animations = {
        animationTest(QStringLiteral("RestPose"), {trameTest(Bleu)}),
        animationTest(QStringLiteral("Show"), {trameTest(Vert), trameTest(Bleu)}),
        animationTest(QStringLiteral("Hide"), {trameTest(Bleu), trameTest(Vert)}),
        animationTest(QStringLiteral("Wave"), {trameTest(Rouge), trameTest(Vert), trameTest(Rouge)}),
        animationTest(QStringLiteral("Write"), {trameTest(Rouge), trameTest(Rouge)}, TransitionAcs::Retour,
                      QStringLiteral("WRITERETURN")),
        animationTest(QStringLiteral("WriteReturn"), {trameTest(Vert)}),
        animationTest(QStringLiteral("Boucle"), {boucle0, boucle1, trameTest(Vert)}, TransitionAcs::BranchesSortie),
        animationTest(QStringLiteral("Speak"), {parle}),
        animationTest(QStringLiteral("Move"), {trameTest(Jaune), boucleMove}),
        animationTest(QStringLiteral("Idle1"), {trameTest(Jaune, 50)}),
        animationTest(QStringLiteral("Vide"), {TrameAcs{}}),
    };
    p.animations.last().trames.first().duree = 0;
    p.etats = {
        EtatAcs{QStringLiteral("Showing"), {QStringLiteral("SHOW")}},
        EtatAcs{QStringLiteral("Hiding"), {QStringLiteral("HIDE")}},
        EtatAcs{QStringLiteral("Speaking"), {QStringLiteral("SPEAK")}},
        EtatAcs{QStringLiteral("MovingLeft"), {QStringLiteral("MOVE")}},
        EtatAcs{QStringLiteral("MovingRight"), {QStringLiteral("MOVE")}},
        EtatAcs{QStringLiteral("MovingUp"), {QStringLiteral("MOVE")}},
        EtatAcs{QStringLiteral("MovingDown"), {QStringLiteral("MOVE")}},
        EtatAcs{QStringLiteral("IdlingLevel1"), {QStringLiteral("IDLE1")}},
        EtatAcs{QStringLiteral("GesturingLeft"), {QStringLiteral("WAVE")}},
        EtatAcs{QStringLiteral("GesturingRight"), {QStringLiteral("WRITE")}},
    };
    return p;
}
