#include "CompressionAcs.h"
#include "EcrivainAcs.h"
#include "LecteurAcs.h"
#include "ManifestePersonnage.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

Q_DECLARE_METATYPE(ErreurAcs)

namespace {

QByteArray lireOctets(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Toutes les trames de toutes les animations, avec et sans bouche : rien ne doit planter.
void composerTout(const PersonnageAcs& p)
{
    for (const AnimationAcs& a : p.animations)
        for (const TrameAcs& t : a.trames) {
            p.composerTrame(t);
            for (const BoucheAcs& b : t.bouches)
                p.composerTrame(t, &b);
        }
    for (const ImageAcs& image : p.images)
        (void)image.regionEnregistree();
}

// Frontières de blocs du fichier : début et fin de chaque bloc désigné par un localisateur.
QList<qsizetype> frontieres(const QByteArray& f)
{
    QSet<qsizetype> positions{0, 4, 12, 20, 28, 36};
    auto lire32 = [&f](qsizetype p) { return qFromLittleEndian<quint32>(f.constData() + p); };
    for (int i = 0; i < 4; ++i) {
        const quint32 debut = lire32(4 + 8 * i);
        positions << debut << debut + lire32(8 + 8 * i);
    }
    // Listes d'images et de sons : localisateur puis somme de contrôle.
    for (int liste : {2, 3}) {
        const quint32 debut = lire32(4 + 8 * liste);
        const quint32 n = lire32(debut);
        for (quint32 i = 0; i < n; ++i) {
            const quint32 bloc = lire32(debut + 4 + 12 * i);
            positions << bloc << bloc + lire32(debut + 8 + 12 * i);
        }
    }
    QList<qsizetype> liste(positions.begin(), positions.end());
    std::sort(liste.begin(), liste.end());
    return liste;
}

// Un personnage synthétique qui emploie toutes les parties du format.
PersonnageAcs personnageComplet()
{
    PersonnageAcs p;
    p.info.guid = QUuid(0x01020304, 0x0506, 0x0708, 9, 10, 11, 12, 13, 14, 15, 16);
    p.info.largeur = 6;
    p.info.hauteur = 5;
    p.info.indexTransparent = 3;
    p.info.drapeaux = DrapeauxAcs::JeuStandard | 0x10;
    p.info.locales = {{0x0409, QStringLiteral("Bob"), QStringLiteral("an example"), QString()},
                      {0x040C, QStringLiteral("Bébert"), QStringLiteral("un exemple « accentué »"), QStringLiteral("x")}};
    VoixAcs voix;
    voix.moteur = QUuid::createUuidV5(QUuid(), QStringLiteral("moteur"));
    voix.vitesse = 150;
    voix.extra = VoixAcs::Extra{0x040C, QStringLiteral("fr"), 2, 40, QStringLiteral("neutre")};
    p.info.voix = voix;
    BulleAcs bulle;
    bulle.couleurFond = qRgb(0xFF, 0xFF, 0xE1);
    bulle.couleurTexte = qRgb(1, 2, 3);
    bulle.police = QStringLiteral("DejaVu Sans");
    p.info.bulle = bulle;
    for (int i = 0; i < 255; ++i) // une palette de 255 entrées existe
        p.info.palette.append(qRgb(i, 255 - i, (i * 3) % 256));
    p.info.iconeMasque = QByteArray(48, '\x11');
    p.info.iconeCouleur = QByteArray(100, '\x22');
    p.images = {ImageAcs::depuisPixels(3, 2, QByteArray("\x01\x03\x02\x03\x03\x04", 6)), ImageAcs(),
                ImageAcs::depuisPixels(6, 5, QByteArray(30, '\x07')), ImageAcs::depuisPixels(1, 1, QByteArray("\x05", 1))};
    p.sons = {QByteArray("RIFF\x04\0\0\0WAVE", 12)};
    AnimationAcs a;
    a.nom = QStringLiteral("Coucou");
    a.transition = TransitionAcs::Retour;
    a.retour = QStringLiteral("CoucouReturn");
    TrameAcs t;
    t.couches = {{0, -2, 3}, {2, 0, 0}};
    t.son = 0;
    t.duree = 12;
    t.sortie = 1;
    t.branches = {{1, 30}, {0, 70}};
    BoucheAcs b;
    b.forme = quint8(FormeBouche::Large3);
    b.remplaceHaut = true;
    b.image = 3;
    b.x = 0;
    b.y = 3;
    b.pointX = 2;
    b.pointY = 4;
    b.region = QByteArray("\x05\x06", 2);
    t.bouches = {b};
    TrameAcs vide;
    vide.duree = 0;
    a.trames = {t, vide};
    AnimationAcs retour;
    retour.nom = QStringLiteral("CoucouReturn");
    retour.transition = TransitionAcs::BranchesSortie;
    retour.trames = {vide};
    p.animations = {a, retour};
    p.etats = {{QStringLiteral("Showing"), {QStringLiteral("COUCOU")}}, {QStringLiteral("Vide"), {}}};
    return p;
}

} // namespace

class TestPersonnageAcs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void samCompile_egalAuManifeste();
    void samCompile_animationsDuProgramme_data();
    void samCompile_animationsDuProgramme();
    void samCompile_trameComposeeCommeLeDessin();
    void samCompile_bouchesEtCouches();
    void ecrireLire_modeleComplet();
    void composer_boucheQuiRemplaceLaCoucheDuHaut();
    void localePreferee_data();
    void localePreferee();
    void signature_data();
    void signature();
    void fichierTronque_auxFrontieresEtAuHasard();
    void fichierAbime_refuseOuLisibleSansPlantage();
    void valeursImpossibles_refusees_data();
    void valeursImpossibles_refusees();
    void manifesteInvalide_ligneSignalee_data();
    void manifesteInvalide_ligneSignalee();

private:
    QByteArray m_sam;
    std::optional<PersonnageAcs> m_manifeste;
};

void TestPersonnageAcs::initTestCase()
{
    m_sam = lireOctets(QStringLiteral(SAM_ACS));
    QVERIFY2(!m_sam.isEmpty(), SAM_ACS);
    const ResultatManifeste r = lireManifestePersonnage(QStringLiteral(MANIFESTE_SAM));
    QVERIFY2(r.personnage, qPrintable(r.erreur));
    m_manifeste = r.personnage;
}

void TestPersonnageAcs::samCompile_egalAuManifeste()
{
    const ResultatLectureAcs r = lirePersonnageAcs(m_sam);
    QVERIFY2(r, qPrintable(r.message));
    const PersonnageAcs& lu = *r.personnage;
    const PersonnageAcs& m = *m_manifeste;

    QCOMPARE(lu.info.guid, m.info.guid);
    QCOMPARE(lu.info.largeur, quint16(128));
    QCOMPARE(lu.info.hauteur, quint16(128));
    QCOMPARE(lu.info.indexTransparent, m.info.indexTransparent);
    QCOMPARE(lu.info.palette, m.info.palette);
    QCOMPARE(lu.info.drapeaux, m.info.drapeaux | DrapeauxAcs::Voix | DrapeauxAcs::Bulle);
    QVERIFY(lu.info.localePreferee());
    QCOMPARE(lu.info.localePreferee()->langue, quint16(0x040C));
    QCOMPARE(lu.info.localePreferee()->nom, QStringLiteral("Sam"));
    QVERIFY(lu.info.localePreferee()->description.contains(QStringLiteral("épicier")));
    QVERIFY(lu.info.bulle && m.info.bulle);
    QCOMPARE(lu.info.bulle->couleurFond, qRgb(0xFF, 0xFF, 0xE1));
    QCOMPARE(lu.info.bulle->police, m.info.bulle->police);
    QCOMPARE(lu.info.bulle->hauteurPolice, m.info.bulle->hauteurPolice);
    QVERIFY(lu.info.voix && lu.info.voix->extra);
    QCOMPARE(lu.info.voix->extra->langue, quint16(0x040C));

    QCOMPARE(lu.etats.size(), m.etats.size());
    for (qsizetype i = 0; i < m.etats.size(); ++i) {
        QCOMPARE(lu.etats[i].nom, m.etats[i].nom);
        QCOMPARE(lu.etats[i].animations, m.etats[i].animations);
    }
    QCOMPARE(lu.animations.size(), m.animations.size());
    for (qsizetype i = 0; i < m.animations.size(); ++i) {
        const AnimationAcs& a = lu.animations[i];
        const AnimationAcs& b = m.animations[i];
        QCOMPARE(a.nom, b.nom);
        QCOMPARE(a.transition, b.transition);
        QCOMPARE(a.retour, b.retour);
        QCOMPARE(a.trames.size(), b.trames.size());
        for (qsizetype j = 0; j < b.trames.size(); ++j)
            QVERIFY2(a.trames[j] == b.trames[j], qPrintable(QStringLiteral("%1, trame %2").arg(a.nom).arg(j)));
    }
    QCOMPARE(lu.images.size(), m.images.size());
    for (qsizetype i = 0; i < m.images.size(); ++i) {
        QCOMPARE(lu.images[i].largeur(), m.images[i].largeur());
        QCOMPARE(lu.images[i].hauteur(), m.images[i].hauteur());
        QCOMPARE(lu.images[i].pixels(), m.images[i].pixels());
        // La région enregistrée couvre exactement les pixels opaques.
        const auto region = lu.images[i].regionEnregistree();
        QVERIFY(region.has_value());
        QCOMPARE(*region, regionOpaque(m.images[i].pixels(), m.images[i].largeur(), m.images[i].hauteur(),
                                       m.info.indexTransparent));
    }
}

void TestPersonnageAcs::samCompile_animationsDuProgramme_data()
{
    QTest::addColumn<QString>("nom");
    for (const char* nom : {"Wave", "Sad", "Write", "WriteReturn", "DoMagic1", "DoMagic2", "RestPose", "Pleased", "Blink",
                            "Process", "Congratulate", "Surprised", "Read", "ReadReturn", "Think", "Suggest",
                            "Acknowledge"})
        QTest::newRow(nom) << QString::fromLatin1(nom);
    // Les états, en majuscules comme dans les fichiers classiques.
    for (const char* etat : {"SHOWING", "HIDING", "SPEAKING", "MOVINGLEFT", "MOVINGRIGHT", "MOVINGUP", "MOVINGDOWN",
                             "GESTURINGLEFT", "GESTURINGRIGHT", "GESTURINGUP", "GESTURINGDOWN", "IDLINGLEVEL1",
                             "IDLINGLEVEL2", "IDLINGLEVEL3"})
        QTest::newRow(etat) << QStringLiteral("état:") + QString::fromLatin1(etat);
}

void TestPersonnageAcs::samCompile_animationsDuProgramme()
{
    QFETCH(QString, nom);
    const ResultatLectureAcs r = lirePersonnageAcs(m_sam);
    QVERIFY(r);
    QStringList animations;
    if (nom.startsWith(QStringLiteral("état:"))) {
        animations = r.personnage->animationsEtat(nom.mid(5));
        QVERIFY(!animations.isEmpty());
    } else {
        animations = {nom.toUpper()};
    }
    for (const QString& a : animations) {
        const AnimationAcs* animation = r.personnage->animation(a);
        QVERIFY2(animation, qPrintable(a));
        QVERIFY(!animation->trames.isEmpty());
        if (animation->transition == TransitionAcs::Retour)
            QVERIFY(r.personnage->animation(animation->retour.toUpper()));
    }
    if (!nom.startsWith(QStringLiteral("état:")) && nom != u"RestPose" && nom != u"Blink" && !nom.endsWith(u"Return")
        && nom != u"DoMagic1")
        QVERIFY(r.personnage->animation(nom)->trames.size() >= 4);
    QVERIFY(!r.personnage->animation(QStringLiteral("Danse")));
}

void TestPersonnageAcs::samCompile_trameComposeeCommeLeDessin()
{
    const ResultatLectureAcs r = lirePersonnageAcs(m_sam);
    QVERIFY(r);
    const AnimationAcs* repos = r.personnage->animation(QStringLiteral("restpose"));
    QVERIFY(repos);
    const QImage image = r.personnage->composerTrame(repos->trames.first());
    QCOMPARE(image.size(), QSize(128, 128));
    QCOMPARE(image.format(), QImage::Format_ARGB32);
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(127, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(64, 100)), 255); // le tablier
    QCOMPARE(qAlpha(image.pixel(64, 48)), 255);  // le visage
    // Pixel pour pixel, la trame composée est le dessin source.
    const QImage dessin = QImage(QStringLiteral(MANIFESTE_SAM).replace(QStringLiteral("manifeste.txt"),
                                                                       QStringLiteral("repos.png")))
                              .convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(dessin.size(), image.size());
    int opaques = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            const QRgb attendu = dessin.pixel(x, y);
            const QRgb obtenu = image.pixel(x, y);
            if (qAlpha(attendu) >= 128) {
                ++opaques;
                QCOMPARE(obtenu, attendu | 0xFF000000u);
            } else {
                QCOMPARE(qAlpha(obtenu), 0);
            }
        }
    QVERIFY(opaques > 3000);
}

void TestPersonnageAcs::samCompile_bouchesEtCouches()
{
    const ResultatLectureAcs r = lirePersonnageAcs(m_sam);
    QVERIFY(r);
    const PersonnageAcs& p = *r.personnage;
    const TrameAcs& parole = p.animation(p.animationsEtat(QStringLiteral("Speaking")).first())->trames.first();
    QCOMPARE(parole.bouches.size(), NombreFormesBouche);
    const QImage sansBouche = p.composerTrame(parole);
    QSet<QByteArray> vues;
    for (int forme = 0; forme < NombreFormesBouche; ++forme) {
        const BoucheAcs* b = parole.bouche(FormeBouche(forme));
        QVERIFY(b);
        const QImage avec = p.composerTrame(parole, b);
        const ImageAcs& img = p.images[b->image];
        const QRect zone(b->x, b->y, img.largeur(), img.hauteur());
        // Hors de la zone de la bouche rien ne change ; chaque forme dessine une bouche différente.
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (!zone.contains(x, y) && avec.pixel(x, y) != sansBouche.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 changé par la bouche %3").arg(x).arg(y).arg(forme)));
        const QImage morceau = avec.copy(zone);
        vues.insert(QByteArray(reinterpret_cast<const char*>(morceau.constBits()), morceau.sizeInBytes()));
    }
    QCOMPARE(vues.size(), NombreFormesBouche);

    // Confettis en couche du dessus : leurs pixels recouvrent le corps.
    const AnimationAcs* bravo = p.animation(QStringLiteral("Congratulate"));
    QVERIFY(bravo);
    const auto trame = std::find_if(bravo->trames.cbegin(), bravo->trames.cend(),
                                    [](const TrameAcs& t) { return t.couches.size() == 2; });
    QVERIFY(trame != bravo->trames.cend());
    const QImage compose = p.composerTrame(*trame);
    const ImageAcs& dessus = p.images[trame->couches[0].image];
    int vus = 0;
    for (int y = 0; y < dessus.hauteur(); ++y)
        for (int x = 0; x < dessus.largeur(); ++x) {
            const uchar index = uchar(dessus.pixels()[y * dessus.largeur() + x]);
            if (index != p.info.indexTransparent) {
                ++vus;
                QCOMPARE(compose.pixel(x, y), p.info.palette[index] | 0xFF000000u);
            }
        }
    QVERIFY(vus > 10);
}

void TestPersonnageAcs::ecrireLire_modeleComplet()
{
    const PersonnageAcs p = personnageComplet();
    QString erreur;
    const QByteArray octets = ecrirePersonnageAcs(p, &erreur);
    QVERIFY2(!octets.isEmpty(), qPrintable(erreur));
    const ResultatLectureAcs r = lirePersonnageAcs(octets);
    QVERIFY2(r, qPrintable(r.message));
    const PersonnageAcs& lu = *r.personnage;
    QCOMPARE(lu.info.guid, p.info.guid);
    QCOMPARE(lu.info.drapeaux, p.info.drapeaux | DrapeauxAcs::Voix | DrapeauxAcs::Bulle);
    QCOMPARE(lu.info.palette, p.info.palette);
    QCOMPARE(lu.info.iconeMasque, p.info.iconeMasque);
    QCOMPARE(lu.info.iconeCouleur, p.info.iconeCouleur);
    QCOMPARE(lu.info.locales.size(), 2);
    QCOMPARE(lu.info.locales[1].nom, QStringLiteral("Bébert"));
    QCOMPARE(lu.info.locales[1].description, p.info.locales[1].description);
    QCOMPARE(lu.info.locales[0].extra, QString());
    QCOMPARE(lu.info.voix->moteur, p.info.voix->moteur);
    QCOMPARE(lu.info.voix->vitesse, 150u);
    QCOMPARE(lu.info.voix->extra->style, QStringLiteral("neutre"));
    QCOMPARE(lu.info.voix->extra->age, quint16(40));
    QCOMPARE(lu.info.bulle->couleurTexte, qRgb(1, 2, 3));
    QCOMPARE(lu.info.bulle->couleurFond, qRgb(0xFF, 0xFF, 0xE1));
    QCOMPARE(lu.sons, p.sons);
    QCOMPARE(lu.etats.size(), 2);
    QCOMPARE(lu.etats[1].animations, QStringList());
    QCOMPARE(lu.animation(QStringLiteral("COUCOU"))->retour, QStringLiteral("CoucouReturn"));
    QCOMPARE(lu.animations[1].transition, TransitionAcs::BranchesSortie);
    QVERIFY(lu.animations[0].trames == p.animations[0].trames);
    QVERIFY(lu.images[1].estVide());
    QCOMPARE(lu.images[0].pixels(), p.images[0].pixels());
    // Région : une suite par ligne, de haut en bas.
    QCOMPARE(lu.images[0].regionEnregistree().value_or(QList<QRect>()),
             QList<QRect>({QRect(0, 0, 1, 1), QRect(2, 0, 1, 1), QRect(2, 1, 1, 1)}));
    QCOMPARE(lu.images[2].regionEnregistree().value_or(QList<QRect>()).size(), 5);
    // Sur le disque : palette en B, G, R, 0 ; pixels de bas en haut, lignes de 4 octets.
    QVERIFY(octets.contains(QByteArray::fromHex("03FE0100 06FD0200")));
    const quint32 liste = qFromLittleEndian<quint32>(octets.constData() + 20);
    const quint32 bloc = qFromLittleEndian<quint32>(octets.constData() + liste + 4);
    QCOMPARE(octets.at(bloc), '\x01');
    const quint32 taille = qFromLittleEndian<quint32>(octets.constData() + bloc + 6);
    QCOMPARE(decompresserAcs(octets.mid(bloc + 10, taille), 8).value_or(QByteArray()),
             QByteArray("\x03\x03\x04\x00\x01\x03\x02\x00", 8));
    // Réécrit, le fichier est identique octet pour octet.
    QCOMPARE(ecrirePersonnageAcs(lu), octets);
}

void TestPersonnageAcs::composer_boucheQuiRemplaceLaCoucheDuHaut()
{
    PersonnageAcs p = personnageComplet();
    const TrameAcs& t = p.animations[0].trames[0];
    auto couleur = [&p](int index) { return p.info.palette[index] | 0xFF000000u; };
    // Image 0 (3 × 2, en -2,3) au-dessus de l'image 2 pleine ; l'index 3 est transparent.
    const QImage sans = p.composerTrame(t);
    QCOMPARE(sans.pixel(0, 3), couleur(2));
    QCOMPARE(sans.pixel(0, 4), couleur(4));
    QCOMPARE(sans.pixel(1, 3), couleur(7));
    QCOMPARE(sans.pixel(5, 4), couleur(7));
    QCOMPARE(qAlpha(sans.pixel(5, 0)), 255);
    // La bouche (image 3 en 0,3) remplace la couche du haut : l'image 0 disparaît.
    const QImage avec = p.composerTrame(t, &t.bouches[0]);
    QCOMPARE(avec.pixel(0, 3), couleur(5));
    QCOMPARE(avec.pixel(0, 4), couleur(7));
    // Sans remplacement, elle s'ajoute au-dessus de toutes les couches.
    TrameAcs ajout = t;
    ajout.bouches[0].remplaceHaut = false;
    const QImage ajoutee = p.composerTrame(ajout, &ajout.bouches[0]);
    QCOMPARE(ajoutee.pixel(0, 3), couleur(5));
    QCOMPARE(ajoutee.pixel(0, 4), couleur(4));
}

void TestPersonnageAcs::localePreferee_data()
{
    QTest::addColumn<QList<quint16>>("langues");
    QTest::addColumn<int>("choisie");
    QTest::newRow("français préféré") << QList<quint16>{0x0409, 0x040C} << 1;
    QTest::newRow("français du Canada") << QList<quint16>{0x0407, 0x0C0C} << 1;
    QTest::newRow("langue principale seule") << QList<quint16>{0x0010, 0x0009} << 1;
    QTest::newRow("anglais faute de français") << QList<quint16>{0x0407, 0x0809} << 1;
    QTest::newRow("sinon la première") << QList<quint16>{0x0407, 0x0410} << 0;
    QTest::newRow("aucune") << QList<quint16>{} << -1;
}

void TestPersonnageAcs::localePreferee()
{
    QFETCH(QList<quint16>, langues);
    QFETCH(int, choisie);
    InfoAcs info;
    for (quint16 l : langues)
        info.locales.append(LocaleAcs{l, QString::number(l), {}, {}});
    const LocaleAcs* l = info.localePreferee();
    if (choisie < 0)
        QVERIFY(!l);
    else
        QCOMPARE(l, &info.locales[choisie]);
}

void TestPersonnageAcs::signature_data()
{
    QTest::addColumn<QByteArray>("octets");
    QTest::addColumn<ErreurAcs>("erreur");
    QByteArray compose = QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(504, '\0');
    QTest::newRow("document composé") << compose << ErreurAcs::FormatAncien;
    QTest::newRow("vide") << QByteArray() << ErreurAcs::FormatInconnu;
    QTest::newRow("texte") << QByteArray("Ceci n'est pas un personnage.") << ErreurAcs::FormatInconnu;
    QTest::newRow("signature seule") << QByteArray::fromHex("C3ABCDAB") << ErreurAcs::Tronque;
    QByteArray entete = QByteArray::fromHex("C3ABCDAB") + QByteArray(32, '\0');
    qToLittleEndian<quint32>(1000, entete.data() + 4);
    qToLittleEndian<quint32>(10, entete.data() + 8);
    QTest::newRow("localisateur hors du fichier") << entete << ErreurAcs::Tronque;
}

void TestPersonnageAcs::signature()
{
    QFETCH(QByteArray, octets);
    QFETCH(ErreurAcs, erreur);
    const ResultatLectureAcs r = lirePersonnageAcs(octets);
    QVERIFY(!r);
    QCOMPARE(r.erreur, erreur);
    QVERIFY(!r.personnage);
    QVERIFY(r.message.startsWith(messageErreurAcs(erreur)));
}

void TestPersonnageAcs::fichierTronque_auxFrontieresEtAuHasard()
{
    QList<qsizetype> coupes;
    for (qsizetype f : frontieres(m_sam))
        for (qsizetype d : {-1, 0, 1})
            if (f + d >= 0 && f + d < m_sam.size())
                coupes.append(f + d);
    QVERIFY(coupes.size() > 200);
    QRandomGenerator alea(42);
    for (int i = 0; i < 300; ++i)
        coupes.append(alea.bounded(int(m_sam.size())));
    for (qsizetype taille : coupes) {
        const ResultatLectureAcs r = lirePersonnageAcs(m_sam.left(taille));
        // Les informations du personnage sont à la fin : toute coupe les ampute.
        QVERIFY2(!r, qPrintable(QString::number(taille)));
        QVERIFY(r.erreur == ErreurAcs::Tronque || r.erreur == ErreurAcs::FormatInconnu);
    }
    QVERIFY(lirePersonnageAcs(m_sam));
}

void TestPersonnageAcs::fichierAbime_refuseOuLisibleSansPlantage()
{
    QRandomGenerator alea(2006);
    const QList<qsizetype> zones = frontieres(m_sam);
    int refuses = 0;
    for (int essai = 0; essai < 600; ++essai) {
        QByteArray abime = m_sam;
        const int nb = 1 + alea.bounded(6);
        for (int i = 0; i < nb; ++i) {
            // Une fois sur deux près d'une frontière, là où sont les nombres et les localisateurs.
            qsizetype p = essai % 2 ? alea.bounded(int(abime.size()))
                                    : zones[alea.bounded(int(zones.size()))] + alea.bounded(24);
            p = std::clamp<qsizetype>(p, 4, abime.size() - 1);
            abime[p] = essai % 3 ? char(alea.bounded(256)) : char(0xFF);
        }
        const ResultatLectureAcs r = lirePersonnageAcs(abime);
        if (!r) {
            ++refuses;
            QVERIFY(!r.message.isEmpty());
            continue;
        }
        r.personnage->verifierImages();
        composerTout(*r.personnage);
    }
    QVERIFY(refuses > 0);
}

void TestPersonnageAcs::valeursImpossibles_refusees_data()
{
    QTest::addColumn<int>("cas");
    QTest::newRow("image inexistante dans une couche") << 0;
    QTest::newRow("branche hors de l'animation") << 1;
    QTest::newRow("son inexistant") << 2;
    QTest::newRow("sortie hors de l'animation") << 3;
    QTest::newRow("image de bouche inexistante") << 4;
}

void TestPersonnageAcs::valeursImpossibles_refusees()
{
    QFETCH(int, cas);
    // L'écrivain recopie le modèle tel quel : les défauts arrivent donc jusqu'au fichier.
    PersonnageAcs p = personnageComplet();
    TrameAcs& t = p.animations[0].trames[0];
    switch (cas) {
    case 0: t.couches[1].image = 99; break;
    case 1: t.branches[0].trame = 2; break;
    case 2: t.son = 1; break;
    case 3: t.sortie = 5; break;
    case 4: t.bouches[0].image = 4; break;
    }
    const ResultatLectureAcs r = lirePersonnageAcs(ecrirePersonnageAcs(p));
    QVERIFY(!r);
    QCOMPARE(r.erreur, ErreurAcs::Corrompu);
}

void TestPersonnageAcs::manifesteInvalide_ligneSignalee_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("attendu");
    const QString debut = QStringLiteral("taille 4 4\n");
    QTest::newRow("instruction inconnue") << debut + QStringLiteral("danse 3\n") << QStringLiteral(":2: instruction inconnue");
    QTest::newRow("trame hors animation") << debut + QStringLiteral("trame 10\n") << QStringLiteral(":2: trame hors");
    QTest::newRow("branche trop loin") << debut + QStringLiteral("animation A\ntrame 10 branche=3:50\n")
                                       << QStringLiteral("branche hors de l'animation A");
    QTest::newRow("plus de 100 %") << debut + QStringLiteral("animation A\ntrame 10 branche=0:60 branche=0:50\n")
                                   << QStringLiteral("plus de 100");
    QTest::newRow("état vers une animation absente") << debut + QStringLiteral("etat Showing Show\n")
                                                     << QStringLiteral("animation inconnue Show");
    QTest::newRow("retour absent") << debut + QStringLiteral("animation A retour B\ntrame 10\n")
                                   << QStringLiteral("animation de retour inconnue B");
    QTest::newRow("image absente") << debut + QStringLiteral("animation A\ntrame 10 absente.png\n")
                                   << QStringLiteral(":3: image illisible");
    QTest::newRow("guillemet ouvert") << debut + QStringLiteral("nom 040C \"Sam\n") << QStringLiteral("guillemet");
}

void TestPersonnageAcs::manifesteInvalide_ligneSignalee()
{
    QFETCH(QString, texte);
    QFETCH(QString, attendu);
    QTemporaryDir dossier;
    const QString chemin = dossier.filePath(QStringLiteral("manifeste.txt"));
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(texte.toUtf8());
    f.close();
    const ResultatManifeste r = lireManifestePersonnage(chemin);
    QVERIFY(!r.personnage);
    QVERIFY2(r.erreur.contains(attendu), qPrintable(r.erreur));
}

QTEST_GUILESS_MAIN(TestPersonnageAcs)
#include "tst_personnageAcs.moc"
