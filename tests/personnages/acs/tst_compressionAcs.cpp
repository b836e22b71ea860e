#include "CompressionAcs.h"
#include "ManifestePersonnage.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(ErreurFlux)

namespace {

// Écrivain de bits indépendant du code testé : poids faible d'abord, octet 0 à 0x00.
class Flux
{
public:
    Flux() { m_octets.append('\0'); }
    Flux& bits(quint32 valeur, int nb)
    {
        for (int i = 0; i < nb; ++i, ++m_nb) {
            if (m_nb % 8 == 0)
                m_octets.append('\0');
            if ((valeur >> i) & 1u)
                m_octets.data()[m_octets.size() - 1] |= char(1 << (m_nb % 8));
        }
        return *this;
    }
    Flux& uns(int nb) { return bits(0xFFFFFFFFu, nb); }
    Flux& litteral(char c) { return bits(0, 1).bits(uchar(c), 8); }
    Flux& litteraux(QByteArrayView texte)
    {
        for (char c : texte)
            litteral(c);
        return *this;
    }
    // classe 0 à 3, valeur brute du décalage, préfixe k et valeur v de la longueur
    Flux& copie(int classe, quint32 brut, int k, quint32 v)
    {
        static const int nbBits[] = {6, 9, 12, 20};
        bits(1, 1).uns(classe);
        if (classe < 3)
            bits(0, 1);
        return bits(brut, nbBits[classe]).uns(k).bits(0, 1).bits(v, k);
    }
    QByteArray fin(int octetsFinaux = 3)
    {
        uns(24);
        if (m_nb % 8)
            uns(8 - m_nb % 8);
        return m_octets + QByteArray(octetsFinaux, char(0xFF));
    }

private:
    QByteArray m_octets;
    int m_nb = 0;
};

QByteArray motif(int n)
{
    QByteArray b;
    for (int i = 0; i < n; ++i)
        b.append(char('a' + (i * 7 + i / 26) % 26));
    return b;
}

} // namespace

class TestCompressionAcs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exempleDocumente_octetsExacts();
    void fluxConstruits_decompresses_data();
    void fluxConstruits_decompresses();
    void fluxInvalides_refuses_data();
    void fluxInvalides_refuses();
    void allerRetour_exact_data();
    void allerRetour_exact();
    void imagesDeSam_allerRetourEtGain();
    void fluxAbimes_sansPlantage();
};

void TestCompressionAcs::exempleDocumente_octetsExacts()
{
    const QByteArray attendu = QByteArray::fromHex("008208 15D4D0 FFFFFF FFFFFF");
    QCOMPARE(decompresserAcs(attendu, 7).value_or(QByteArray()), QByteArray("ABABABC"));
    // Le compresseur trouve la même copie recouvrante que l'exemple.
    QCOMPARE(compresserAcs("ABABABC").toHex(' '), attendu.toHex(' '));
}

void TestCompressionAcs::fluxConstruits_decompresses_data()
{
    QTest::addColumn<QByteArray>("flux");
    QTest::addColumn<QByteArray>("attendu");

    const QByteArray m = motif(5000);
    QTest::newRow("littéraux seuls") << Flux().litteraux("Sam!").fin() << QByteArray("Sam!");
    QTest::newRow("sortie vide, un 0xFF de plus") << Flux().fin(4) << QByteArray();
    QTest::newRow("recouvrement décalage 1") << Flux().litteral('z').copie(0, 0, 3, 2).fin() << QByteArray(12, 'z');
    QTest::newRow("classe 0, décalage 64") << Flux().litteraux(m.left(64)).copie(0, 63, 0, 0).fin()
                                           << m.left(64) + m.left(2);
    QTest::newRow("classe 1, décalage 65") << Flux().litteraux(m.left(65)).copie(1, 0, 1, 0).fin()
                                           << m.left(65) + m.left(3);
    QTest::newRow("classe 1, décalage 576") << Flux().litteraux(m.left(576)).copie(1, 511, 2, 3).fin()
                                            << m.left(576) + m.left(8);
    QTest::newRow("classe 2, décalage 577") << Flux().litteraux(m.left(600)).copie(2, 0, 0, 0).fin()
                                            << m.left(600) + m.mid(23, 2);
    QTest::newRow("classe 2, décalage 4672") << Flux().litteraux(m.left(4672)).copie(2, 4095, 1, 1).fin()
                                             << m.left(4672) + m.left(4);
    // En classe 3 la longueur gagne un octet : k = 0 donne 3.
    QTest::newRow("classe 3, décalage 4673") << Flux().litteraux(m.left(4673)).copie(3, 0, 0, 0).fin()
                                             << m.left(4673) + m.left(3);
    QTest::newRow("longueur maximale, k = 11") << Flux().litteral('q').copie(0, 0, 11, 2047).fin()
                                               << QByteArray(4097, 'q');
    QTest::newRow("octets de fin en plus") << Flux().litteraux("ab").fin(5) << QByteArray("ab");
}

void TestCompressionAcs::fluxConstruits_decompresses()
{
    QFETCH(QByteArray, flux);
    QFETCH(QByteArray, attendu);
    ErreurFlux erreur = ErreurFlux::LongueurInvalide;
    const auto sortie = decompresserAcs(flux, attendu.size(), &erreur);
    QCOMPARE(erreur, ErreurFlux::Aucune);
    QVERIFY(sortie.has_value());
    QCOMPARE(*sortie, attendu);
}

void TestCompressionAcs::fluxInvalides_refuses_data()
{
    QTest::addColumn<QByteArray>("flux");
    QTest::addColumn<int>("taille");
    QTest::addColumn<ErreurFlux>("erreur");

    const QByteArray abc = Flux().litteraux("abc").fin();
    QTest::newRow("moins de 8 octets") << QByteArray::fromHex("00FFFFFFFFFFFF") << 0 << ErreurFlux::FluxTropCourt;
    QTest::newRow("sortie vide en 7 octets") << Flux().fin() << 0 << ErreurFlux::FluxTropCourt;
    QTest::newRow("premier octet non nul") << QByteArray("\x01", 1) + abc.mid(1) << 3 << ErreurFlux::PremierOctet;
    QTest::newRow("flux coupé") << abc.left(abc.size() - 2) << 3 << ErreurFlux::FinManquante;
    QTest::newRow("octet de fin altéré") << abc.left(abc.size() - 1) + '\xFE' << 3 << ErreurFlux::FinManquante;
    QTest::newRow("décalage avant le début") << Flux().litteral('a').copie(0, 1, 0, 0).fin() << 3
                                             << ErreurFlux::DecalageHorsSortie;
    QTest::newRow("copie au-delà de la taille") << Flux().litteral('a').copie(0, 0, 2, 0).fin() << 3
                                                << ErreurFlux::SortieDepassee;
    QTest::newRow("littéral au-delà de la taille") << abc << 2 << ErreurFlux::SortieDepassee;
    QTest::newRow("marqueur avant la fin") << abc << 4 << ErreurFlux::SortieIncomplete;
    QTest::newRow("préfixe de longueur 12") << Flux().litteral('a').copie(0, 0, 12, 0).fin() << 9000
                                            << ErreurFlux::LongueurInvalide;
    QTest::newRow("moins de trois octets après le marqueur") << Flux().litteraux("abc").fin(2) << 3
                                                             << ErreurFlux::FinManquante;
}

void TestCompressionAcs::fluxInvalides_refuses()
{
    QFETCH(QByteArray, flux);
    QFETCH(int, taille);
    QFETCH(ErreurFlux, erreur);
    ErreurFlux obtenue = ErreurFlux::Aucune;
    QVERIFY(!decompresserAcs(flux, taille, &obtenue).has_value());
    QCOMPARE(obtenue, erreur);
}

void TestCompressionAcs::allerRetour_exact_data()
{
    QTest::addColumn<QByteArray>("donnees");
    QTest::addColumn<bool>("compressible");

    QRandomGenerator alea(20061);
    auto hasard = [&alea](int n, int valeurs) {
        QByteArray b(n, Qt::Uninitialized);
        for (char& c : b)
            c = char(alea.bounded(valeurs));
        return b;
    };
    QTest::newRow("vide") << QByteArray() << false;
    QTest::newRow("un octet") << QByteArray(1, '\xFF') << false;
    QTest::newRow("octets 0xFF") << QByteArray(300, '\xFF') << true;
    QTest::newRow("hasard 1000") << hasard(1000, 256) << false;
    QTest::newRow("hasard 70000") << hasard(70000, 256) << false;
    QTest::newRow("hasard à 4 valeurs") << hasard(20000, 4) << true;
    QTest::newRow("zéros 100000") << QByteArray(100000, '\0') << true;
    // Bloc aléatoire répété à 6000 octets : seules des copies de classe 3 le réduisent.
    const QByteArray bloc = hasard(6000, 256);
    QTest::newRow("répétition lointaine") << bloc + bloc + bloc << true;
}

void TestCompressionAcs::allerRetour_exact()
{
    QFETCH(QByteArray, donnees);
    QFETCH(bool, compressible);
    const QByteArray compresse = compresserAcs(donnees);
    const auto relu = decompresserAcs(compresse, donnees.size());
    QVERIFY(relu.has_value());
    QCOMPARE(*relu, donnees);
    const QByteArray litteraux = compresserAcsLitteraux(donnees);
    QCOMPARE(decompresserAcs(litteraux, donnees.size()).value_or(QByteArray("?")), donnees);
    QVERIFY(compresse.size() <= litteraux.size());
    if (compressible)
        QVERIFY2(compresse.size() * 2 < litteraux.size(), qPrintable(QString::number(compresse.size())));
}

void TestCompressionAcs::imagesDeSam_allerRetourEtGain()
{
    const ResultatManifeste m = lireManifestePersonnage(QStringLiteral(MANIFESTE_SAM));
    QVERIFY2(m.personnage, qPrintable(m.erreur));
    qsizetype brut = 0;
    qsizetype compresse = 0;
    for (const ImageAcs& image : m.personnage->images) {
        // Même mise en forme que dans le fichier : lignes de bas en haut, pas de 4 octets.
        const int w = image.largeur();
        const int pas = (w + 3) & ~3;
        QByteArray lignes(qsizetype(pas) * image.hauteur(), '\0');
        for (int y = 0; y < image.hauteur(); ++y)
            memcpy(lignes.data() + qsizetype(image.hauteur() - 1 - y) * pas,
                   image.pixels().constData() + qsizetype(y) * w, size_t(w));
        const QByteArray flux = compresserAcs(lignes);
        QCOMPARE(decompresserAcs(flux, lignes.size()).value_or(QByteArray()), lignes);
        brut += lignes.size();
        compresse += flux.size();
    }
    QVERIFY(m.personnage->images.size() > 50);
    // Des aplats : bien plus petits qu'en littéraux (9 bits par octet).
    QVERIFY2(compresse * 5 < brut, qPrintable(QStringLiteral("%1 / %2").arg(compresse).arg(brut)));
}

void TestCompressionAcs::fluxAbimes_sansPlantage()
{
    QRandomGenerator alea(7);
    const QByteArray donnees = motif(3000) + QByteArray(2000, 'x') + motif(1000);
    const QByteArray flux = compresserAcs(donnees);
    int refuses = 0;
    for (int essai = 0; essai < 3000; ++essai) {
        QByteArray abime = flux;
        const int nb = 1 + alea.bounded(4);
        for (int i = 0; i < nb; ++i)
            abime[alea.bounded(abime.size())] ^= char(1 << alea.bounded(8));
        const qsizetype taille = essai % 3 == 0 ? donnees.size() + alea.bounded(-50, 50) : donnees.size();
        ErreurFlux erreur = ErreurFlux::Aucune;
        const auto sortie = decompresserAcs(abime, taille, &erreur);
        if (sortie)
            QCOMPARE(sortie->size(), taille); // accepté : exactement la taille demandée
        else
            ++refuses;
    }
    QVERIFY(refuses > 1000);
}

QTEST_GUILESS_MAIN(TestCompressionAcs)
#include "tst_compressionAcs.moc"
