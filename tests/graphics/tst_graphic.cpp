// Dégradés et titres : rangées de pixels comparées à l'arithmétique entière attendue.
#include "Conversions.h"
#include "EnvironnementTest.h"
#include "U_graphic.h"

#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

constexpr QRgb temoin = 0xFF123456; // fond de départ : tout pixel non peint le garde

QImage peindre(TColor haut, TColor bas, int hauteur, int largeur, int imageH = 24, int imageW = 40)
{
    QImage image(imageW, imageH, QImage::Format_RGB32);
    image.fill(temoin);
    QPainter p(&image);
    dessinerDegrade(p, haut, bas, hauteur, largeur);
    return image;
}

QRgb rgb(int r, int g, int b)
{
    return qRgb(r, g, b);
}

} // namespace

class TestGraphic : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void degrade_rangees_data();
    void degrade_rangees();
    void degrade_hauteurNulleOuNegative_rienNestPeint_data();
    void degrade_hauteurNulleOuNegative_rienNestPeint();
    void degrade_largeurRespectee();
    void degrade_couleurSysteme_resolue();
    void titre_texteCentreDepuisLaMesure();
    void titre_texteTropLarge_commenceAGauche();
    void texteLisible_data();
    void texteLisible();

private:
    EnvironnementTest m_env;
};

void TestGraphic::degrade_rangees_data()
{
    QTest::addColumn<int>("haut");
    QTest::addColumn<int>("bas");
    QTest::addColumn<int>("hauteur");
    QTest::addColumn<int>("y");
    QTest::addColumn<uint>("attendu");

    const TColor saumon = 0x008080FF; // 255, 128, 128
    const TColor rouge = 0x0000009B;  // 155, 0, 0
    // Couleurs par défaut sur 20 pixels : pas de 5 en rouge, de 6 en vert et bleu.
    QTest::newRow("defaut bas") << saumon << rouge << 20 << 19 << uint(rgb(155, 0, 0));
    QTest::newRow("defaut milieu") << saumon << rouge << 20 << 10 << uint(rgb(200, 54, 54));
    QTest::newRow("defaut haut tronque") << saumon << rouge << 20 << 0 << uint(rgb(250, 114, 114));
    // Paire inversée : pas négatifs tronqués vers zéro, (0 - 128) div 20 = -6.
    QTest::newRow("inverse bas") << rouge << saumon << 20 << 19 << uint(rgb(255, 128, 128));
    QTest::newRow("inverse haut") << rouge << saumon << 20 << 0 << uint(rgb(160, 14, 14));
    // Écart inférieur à la hauteur : le canal ne bouge pas.
    QTest::newRow("ecart faible") << TColor(0x00000010) << TColor(0x00000000) << 20 << 0 << uint(rgb(0, 0, 0));
    QTest::newRow("egales haut") << TColor(0x00336699) << TColor(0x00336699) << 20 << 0 << uint(rgb(0x99, 0x66, 0x33));
    QTest::newRow("egales bas") << TColor(0x00336699) << TColor(0x00336699) << 20 << 19 << uint(rgb(0x99, 0x66, 0x33));
    QTest::newRow("hauteur 1") << saumon << rouge << 1 << 0 << uint(rgb(155, 0, 0));
    QTest::newRow("hauteur 1 rien dessous") << saumon << rouge << 1 << 1 << uint(temoin);
    // Le dégradé blanc -> bas d'une hauteur 17 : (255 - 155) div 17 = 5.
    QTest::newRow("pied 17") << clWhite << rouge << 17 << 0 << uint(rgb(155 + 16 * 5, 16 * 15, 16 * 15));
}

void TestGraphic::degrade_rangees()
{
    QFETCH(int, haut);
    QFETCH(int, bas);
    QFETCH(int, hauteur);
    QFETCH(int, y);
    QFETCH(uint, attendu);
    const QImage image = peindre(haut, bas, hauteur, 30);
    // Toute la rangée a la même couleur, une ligne par rangée.
    for (int x = 0; x < 30; ++x)
        QCOMPARE(QString::number(image.pixel(x, y), 16), QString::number(attendu, 16));
}

void TestGraphic::degrade_hauteurNulleOuNegative_rienNestPeint_data()
{
    QTest::addColumn<int>("hauteur");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -5;
}

void TestGraphic::degrade_hauteurNulleOuNegative_rienNestPeint()
{
    QFETCH(int, hauteur);
    const QImage image = peindre(0x008080FF, 0x0000009B, hauteur, 30);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixel(x, y), temoin);
}

void TestGraphic::degrade_largeurRespectee()
{
    const QImage image = peindre(0x008080FF, 0x0000009B, 20, 25);
    // La ligne va de 0 à la largeur exclue.
    QCOMPARE(image.pixel(24, 19), rgb(155, 0, 0));
    QCOMPARE(image.pixel(25, 19), temoin);
    QCOMPARE(image.pixel(0, 20), temoin);
}

void TestGraphic::degrade_couleurSysteme_resolue()
{
    const QImage image = peindre(clWhite, clGradientActiveCaption, 10, 10);
    QCOMPARE(image.pixel(3, 9), versQRgb(ColorToRGB(clGradientActiveCaption)) | 0xFF000000u);
}

void TestGraphic::titre_texteCentreDepuisLaMesure()
{
    const int w = 200, h = 20;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(temoin);
    QPainter p(&image);
    QFont police = p.font();
    police.setPointSize(8);
    police.setBold(true);
    p.setFont(police);
    p.setPen(Qt::white);
    const QString texte = QStringLiteral("RAYONS");
    dessinerTitre(p, 0x00000000, 0x00000000, h, w, texte);
    p.end();

    const QFontMetrics mesure(police);
    const int x0 = (w - mesure.horizontalAdvance(texte)) / 2;
    const int y0 = (h - mesure.height()) / 2;
    int gauche = w, droite = -1, haut = h, bas = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (qRed(image.pixel(x, y)) > 128) {
                gauche = std::min(gauche, x);
                droite = std::max(droite, x);
                haut = std::min(haut, y);
                bas = std::max(bas, y);
            }
    QVERIFY2(droite >= 0, "aucun pixel de texte");
    // L'encre tient dans la boîte mesurée, placée en (x0, y0).
    QVERIFY(gauche >= x0 - 1);
    QVERIFY(droite <= x0 + mesure.horizontalAdvance(texte));
    QVERIFY(haut >= y0);
    QVERIFY(bas < y0 + mesure.height());
    // Le fond reste le dégradé (noir), pas de pavé derrière le texte.
    QCOMPARE(image.pixel(x0, y0), rgb(0, 0, 0));
}

void TestGraphic::titre_texteTropLarge_commenceAGauche()
{
    const int w = 20, h = 20;
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(temoin);
    QPainter p(&image);
    p.setPen(Qt::white);
    dessinerTitre(p, 0x00000000, 0x00000000, h, w, QStringLiteral("MMMMMMMMMMMM"));
    p.end();
    // Décalage négatif : le texte est quand même dessiné, coupé des deux côtés.
    int colonnesEncrees = 0;
    for (int x = 0; x < w; ++x) {
        bool encre = false;
        for (int y = 0; y < h; ++y)
            encre = encre || qRed(image.pixel(x, y)) > 128;
        colonnesEncrees += encre ? 1 : 0;
    }
    QVERIFY(colonnesEncrees > w / 2);
}

void TestGraphic::texteLisible_data()
{
    QTest::addColumn<uint>("haut");
    QTest::addColumn<uint>("bas");
    QTest::addColumn<QColor>("voulue");
    QTest::addColumn<QColor>("attendue");

    const QColor blanc(Qt::white), noir(Qt::black);
    // Saumon vers rouge sombre, blanc : contraste moyen 4,7, la couleur décrite reste.
    QTest::newRow("couleurs par défaut") << 0x008080FFu << 0x0000009Bu << blanc << blanc;
    QTest::newRow("blanc sur blanc") << 0x00FFFFFFu << 0x00FFFFFFu << blanc << noir;
    QTest::newRow("noir sur noir") << 0x00000000u << 0x00000000u << noir << blanc;
    QTest::newRow("noir sur crème") << 0x00F0FBFFu << 0x00F0FBFFu << noir << noir;
    QTest::newRow("jaune sur blanc") << 0x00FFFFFFu << 0x00C0FFFFu << QColor(Qt::yellow) << noir;
    QTest::newRow("bleu sur bleu sombre") << 0x00800000u << 0x00400000u << QColor(Qt::blue) << blanc;
}

void TestGraphic::texteLisible()
{
    QFETCH(uint, haut);
    QFETCH(uint, bas);
    QFETCH(QColor, voulue);
    QFETCH(QColor, attendue);
    QCOMPARE(couleurTexteLisible(voulue, TColor(haut), TColor(bas), 20, 3, 16), attendue);

    // Le titre peint prend cette couleur, et rend au canevas la plume de l'appelant.
    QImage image(60, 20, QImage::Format_RGB32);
    QPainter p(&image);
    p.setPen(voulue);
    dessinerTitre(p, TColor(haut), TColor(bas), 20, 60, QStringLiteral("IIII"));
    QCOMPARE(p.pen().color(), voulue);
    p.end();
    // De l'encre proche de la couleur attendue (le lissage adoucit les bords).
    bool encre = false;
    for (int y = 0; y < 20 && !encre; ++y)
        for (int x = 0; x < 60 && !encre; ++x) {
            const QRgb c = image.pixel(x, y);
            encre = std::max({std::abs(qRed(c) - attendue.red()), std::abs(qGreen(c) - attendue.green()),
                              std::abs(qBlue(c) - attendue.blue())}) < 64;
        }
    QVERIFY(encre);
}

QTEST_MAIN(TestGraphic)
#include "tst_graphic.moc"
