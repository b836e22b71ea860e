#include "Conversions.h"
#include "EnvironnementTest.h"
#include "Erreurs.h"
#include "ParametresRegionaux.h"

#include <QTest>

#include <cmath>
#include <limits>

namespace {
const QString nbsp = QString(QChar(0x00A0));

// '_' tient lieu d'espace insécable.
QString nb(const char* texte)
{
    return QString::fromUtf8(texte).replace(u'_', QChar(0x00A0));
}

void reglages(const QString& nom)
{
    ParametresRegionaux::definir(nom == u"fr" ? ParametresRegionaux::francais() : ParametresRegionaux::anglais());
}
} // namespace

class TestConversions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { ParametresRegionaux::definir(ParametresRegionaux::francais()); }

    void strToInt_formesAdmises_data();
    void strToInt_formesAdmises();
    void strToInt_formesRefusees_data();
    void strToInt_formesRefusees();
    void strToInt_messageFrancais();

    void formatFloat_data();
    void formatFloat();

    void floatToStr_data();
    void floatToStr();
    void floatToStr_relu_memeValeur_data();
    void floatToStr_relu_memeValeur();

    void strToFloat_admis_data();
    void strToFloat_admis();
    void strToFloat_refuse_data();
    void strToFloat_refuse();
    void strToFloatDeuxSeparateurs_data();
    void strToFloatDeuxSeparateurs();

    void dateTimeToStr_data();
    void dateTimeToStr();

    void colorToString_data();
    void colorToString();
    void stringToColor_data();
    void stringToColor();
    void stringToColor_refuse_data();
    void stringToColor_refuse();
    void couleursNommees_allerRetour();
    void colorToRGB_data();
    void colorToRGB();
    void qrgb_rougeDansOctetBas();

    void strToBool_data();
    void strToBool();
    void strToBool_refuse_data();
    void strToBool_refuse();

    void stringReplace_data();
    void stringReplace();
    void trimRight_data();
    void trimRight();
};

void TestConversions::strToInt_formesAdmises_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<int>("attendu");
    QTest::newRow("simple") << "42" << 42;
    QTest::newRow("zéros de tête") << "007" << 7;
    QTest::newRow("négatif") << "-15" << -15;
    QTest::newRow("plus") << "+15" << 15;
    QTest::newRow("blancs de tête") << "   12" << 12;
    QTest::newRow("max") << "2147483647" << 2147483647;
    QTest::newRow("min") << "-2147483648" << std::numeric_limits<int>::min();
    QTest::newRow("dollar hexa") << "$1F" << 31;
    QTest::newRow("dollar minuscules") << "$ff" << 255;
    QTest::newRow("0x") << "0x10" << 16;
    QTest::newRow("0X") << "0X10" << 16;
    QTest::newRow("hexa négatif") << "-$10" << -16;
    QTest::newRow("hexa 32 bits") << "$80000005" << int(0x80000005u);
    QTest::newRow("hexa tout à un") << "$FFFFFFFF" << -1;
    QTest::newRow("couleur") << "$0000009B" << 155;
}

void TestConversions::strToInt_formesAdmises()
{
    QFETCH(QString, texte);
    QFETCH(int, attendu);
    QCOMPARE(StrToInt(texte), attendu);
}

void TestConversions::strToInt_formesRefusees_data()
{
    QTest::addColumn<QString>("texte");
    QTest::newRow("vide") << "";
    QTest::newRow("blancs seuls") << "   ";
    QTest::newRow("lettres") << "abc";
    QTest::newRow("blanc final") << "12 ";
    QTest::newRow("signe seul") << "-";
    QTest::newRow("dollar seul") << "$";
    QTest::newRow("0x seul") << "0x";
    QTest::newRow("décimale") << "1,5";
    QTest::newRow("débordement") << "2147483648";
    QTest::newRow("débordement négatif") << "-2147483649";
    QTest::newRow("hexa trop long") << "$100000000";
    QTest::newRow("hexa invalide") << "$1G";
    QTest::newRow("chiffre non ASCII") << QString(QChar(0x0663));
    QTest::newRow("signe après blanc de signe") << "- 5";
}

void TestConversions::strToInt_formesRefusees()
{
    QFETCH(QString, texte);
    QVERIFY_THROWS_EXCEPTION(EConvertError, StrToInt(texte));
}

void TestConversions::strToInt_messageFrancais()
{
    try {
        StrToInt(QStringLiteral("abc"));
        QFAIL("pas d'exception");
    } catch (const EConvertError& e) {
        QCOMPARE(e.message(), QStringLiteral("'abc' n'est pas une valeur entière correcte"));
    }
}

void TestConversions::formatFloat_data()
{
    QTest::addColumn<QString>("reglage");
    QTest::addColumn<QString>("motif");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<QString>("attendu");
    const QString ligne = QStringLiteral("0.00");
    const QString total = QStringLiteral("#,##0.00");
    QTest::newRow("zéro") << "fr" << ligne << 0.0 << "0,00";
    QTest::newRow("entier") << "fr" << ligne << 2.0 << "2,00";
    QTest::newRow("prix") << "fr" << ligne << 0.89 << "0,89";
    QTest::newRow("produit") << "fr" << ligne << 2 * 0.89 << "1,78";
    QTest::newRow("mi-chemin exact vers le haut") << "fr" << ligne << 0.125 << "0,13";
    QTest::newRow("mi-chemin exact négatif") << "fr" << ligne << -0.125 << "-0,13";
    QTest::newRow("1,005 est sous la moitié") << "fr" << ligne << 1.005 << "1,00";
    QTest::newRow("2,675 est sous la moitié") << "fr" << ligne << 2.675 << "2,67";
    QTest::newRow("demi-centime") << "fr" << ligne << 0.005 << "0,01";
    QTest::newRow("retenue") << "fr" << ligne << 9.999 << "10,00";
    QTest::newRow("retenue complète") << "fr" << ligne << 999.995 << "1000,00";
    QTest::newRow("pas de groupement") << "fr" << ligne << 1241.5 << "1241,50";
    QTest::newRow("négatif") << "fr" << ligne << -3.5 << "-3,50";
    QTest::newRow("négatif arrondi à zéro") << "fr" << ligne << -0.001 << "0,00";
    QTest::newRow("très petit") << "fr" << ligne << 1e-20 << "0,00";
    QTest::newRow("grand") << "fr" << ligne << 1e20 << "100000000000000000000,00";
    QTest::newRow("anglais") << "en" << ligne << 1241.5 << "1241.50";
    QTest::newRow("total sous mille") << "fr" << total << 999.99 << "999,99";
    QTest::newRow("total mille") << "fr" << total << 1241.5 << nb("1_241,50");
    QTest::newRow("total million") << "fr" << total << 1234567.891 << nb("1_234_567,89");
    QTest::newRow("total retenue vers mille") << "fr" << total << 999.999 << nb("1_000,00");
    QTest::newRow("total négatif") << "fr" << total << -1241.5 << nb("-1_241,50");
    QTest::newRow("total petit") << "fr" << total << 0.5 << "0,50";
    QTest::newRow("total anglais") << "en" << total << 1234567.5 << "1,234,567.50";
    QTest::newRow("sans décimales") << "fr" << QStringLiteral("0") << 2.5 << "3";
    QTest::newRow("dièses décimaux") << "fr" << QStringLiteral("0.##") << 2.5 << "2,5";
}

void TestConversions::formatFloat()
{
    QFETCH(QString, reglage);
    QFETCH(QString, motif);
    QFETCH(double, valeur);
    QFETCH(QString, attendu);
    reglages(reglage);
    QCOMPARE(FormatFloat(motif, valeur), attendu);
}

void TestConversions::floatToStr_data()
{
    QTest::addColumn<QString>("reglage");
    QTest::addColumn<double>("valeur");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("zéro") << "fr" << 0.0 << "0";
    QTest::newRow("entier") << "fr" << 2.0 << "2";
    QTest::newRow("un et demi") << "fr" << 1.5 << "1,5";
    QTest::newRow("un dixième") << "fr" << 0.1 << "0,1";
    QTest::newRow("somme inexacte") << "fr" << 0.1 + 0.2 << "0,3";
    QTest::newRow("prix") << "fr" << 0.89 << "0,89";
    QTest::newRow("centimes inexacts") << "fr" << 1.15 << "1,15";
    QTest::newRow("cinq centimes") << "fr" << 0.05 << "0,05";
    QTest::newRow("grand prix") << "fr" << 99999999999.99 << "99999999999,99";
    QTest::newRow("au-delà des prix") << "fr" << 100000000000.5 << "100000000000,5";
    QTest::newRow("millièmes") << "fr" << 12345.678 << "12345,678";
    QTest::newRow("prix négatif anglais") << "en" << -0.5 << "-0.5";
    QTest::newRow("sans groupement") << "fr" << 1234567.891 << "1234567,891";
    QTest::newRow("négatif") << "fr" << -2.25 << "-2,25";
    QTest::newRow("anglais") << "en" << 1.5 << "1.5";
    QTest::newRow("tiers") << "fr" << 1.0 / 3 << "0,333333333333333";
    QTest::newRow("deux tiers arrondi") << "fr" << 2.0 / 3 << "0,666666666666667";
    QTest::newRow("1e-5 fixe") << "fr" << 0.00001 << "0,00001";
    QTest::newRow("1e-4") << "fr" << 0.0001 << "0,0001";
    QTest::newRow("1e-6 exposant") << "fr" << 1e-6 << "1E-6";
    QTest::newRow("petit négatif") << "fr" << -2.5e-7 << "-2,5E-7";
    QTest::newRow("15 chiffres entiers") << "fr" << 999999999999999.0 << "999999999999999";
    QTest::newRow("16 chiffres entiers") << "fr" << 1e15 << "1E15";
    QTest::newRow("grand") << "fr" << 1.5e20 << "1,5E20";
    QTest::newRow("arrondi à 15 chiffres vers 16 entiers") << "fr" << 999999999999999.9 << "1E15";
    QTest::newRow("grand anglais") << "en" << 1.5e20 << "1.5E20";
}

void TestConversions::floatToStr()
{
    QFETCH(QString, reglage);
    QFETCH(double, valeur);
    QFETCH(QString, attendu);
    reglages(reglage);
    QCOMPARE(FloatToStr(valeur), attendu);
}

void TestConversions::floatToStr_relu_memeValeur_data()
{
    QTest::addColumn<double>("valeur");
    for (double v : {0.89, 12.5, 1.99, 1234.56, 0.07, 3.3, 1e-7, 123456789012.25})
        QTest::newRow(qPrintable(QString::number(v))) << v;
}

void TestConversions::floatToStr_relu_memeValeur()
{
    QFETCH(double, valeur);
    QCOMPARE(StrToFloat(FloatToStr(valeur)), valeur);
}

void TestConversions::strToFloat_admis_data()
{
    QTest::addColumn<QString>("reglage");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<double>("attendu");
    QTest::newRow("entier") << "fr" << "2" << 2.0;
    QTest::newRow("virgule") << "fr" << "1,5" << 1.5;
    QTest::newRow("blancs autour") << "fr" << "  1,5  " << 1.5;
    QTest::newRow("signe") << "fr" << "-0,25" << -0.25;
    QTest::newRow("plus") << "fr" << "+3" << 3.0;
    QTest::newRow("virgule de tête") << "fr" << ",5" << 0.5;
    QTest::newRow("virgule finale") << "fr" << "5," << 5.0;
    QTest::newRow("exposant") << "fr" << "1,5E3" << 1500.0;
    QTest::newRow("exposant minuscule négatif") << "fr" << "25e-1" << 2.5;
    QTest::newRow("exposant signé plus") << "fr" << "1E+2" << 100.0;
    QTest::newRow("sous-dépassement") << "fr" << "1E-400" << 0.0;
    QTest::newRow("point en anglais") << "en" << "1.5" << 1.5;
}

void TestConversions::strToFloat_admis()
{
    QFETCH(QString, reglage);
    QFETCH(QString, texte);
    QFETCH(double, attendu);
    reglages(reglage);
    QCOMPARE(StrToFloat(texte), attendu);
}

void TestConversions::strToFloat_refuse_data()
{
    QTest::addColumn<QString>("reglage");
    QTest::addColumn<QString>("texte");
    QTest::newRow("vide") << "fr" << "";
    QTest::newRow("blancs") << "fr" << "  ";
    QTest::newRow("point en français") << "fr" << "1.5";
    QTest::newRow("virgule en anglais") << "en" << "1,5";
    QTest::newRow("deux virgules") << "fr" << "1,2,3";
    QTest::newRow("groupement") << "fr" << nb("1_241,50");
    QTest::newRow("groupement anglais") << "en" << "1,241.50";
    QTest::newRow("euro") << "fr" << "0,89 €";
    QTest::newRow("lettres") << "fr" << "abc";
    QTest::newRow("virgule seule") << "fr" << ",";
    QTest::newRow("signe seul") << "fr" << "-";
    QTest::newRow("exposant sans chiffres") << "fr" << "1E";
    QTest::newRow("exposant seul") << "fr" << "E5";
    QTest::newRow("débordement") << "fr" << "1E400";
    QTest::newRow("infini") << "fr" << "INF";
    QTest::newRow("hexa") << "fr" << "$10";
}

void TestConversions::strToFloat_refuse()
{
    QFETCH(QString, reglage);
    QFETCH(QString, texte);
    reglages(reglage);
    QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloat(texte));
    if (texte == u"1.5") {
        try {
            StrToFloat(texte);
        } catch (const EConvertError& e) {
            QCOMPARE(e.message(), QStringLiteral("'1.5' n'est pas une valeur en virgule flottante correcte"));
        }
    }
}

void TestConversions::strToFloatDeuxSeparateurs_data()
{
    QTest::addColumn<QString>("reglage");
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("valide");
    QTest::addColumn<double>("attendu");
    QTest::newRow("point en français") << "fr" << "1.5" << true << 1.5;
    QTest::newRow("virgule en anglais") << "en" << "1,5" << true << 1.5;
    QTest::newRow("virgule") << "fr" << "0,89" << true << 0.89;
    QTest::newRow("deux séparateurs mêlés") << "fr" << "1.000,5" << false << 0.0;
    QTest::newRow("groupement") << "fr" << nb("1_000") << false << 0.0;
    QTest::newRow("blancs et signe") << "fr" << " \t-12,05 " << true << -12.05;
    QTest::newRow("partie entière seule") << "fr" << "7." << true << 7.0;
    QTest::newRow("partie décimale seule") << "fr" << ",5" << true << 0.5;
    QTest::newRow("15 chiffres") << "fr" << "1234567890123,45" << true << 1234567890123.45;
    QTest::newRow("16 chiffres") << "fr" << "12345678901234,56" << true << 12345678901234.56;
    QTest::newRow("exposant") << "fr" << "1,5E2" << true << 150.0;
    QTest::newRow("signe seul") << "fr" << "-" << false << 0.0;
}

void TestConversions::strToFloatDeuxSeparateurs()
{
    QFETCH(QString, reglage);
    QFETCH(QString, texte);
    QFETCH(bool, valide);
    QFETCH(double, attendu);
    reglages(reglage);
    if (valide)
        QCOMPARE(StrToFloatDeuxSeparateurs(texte), attendu);
    else
        QVERIFY_THROWS_EXCEPTION(EConvertError, StrToFloatDeuxSeparateurs(texte));
    // La lecture rapide rend la même valeur, ou renvoie à la lecture complète.
    const QByteArray ascii = texte.toLatin1();
    double rapide = 0;
    if (lireReelSimple(ascii.constBegin(), ascii.constEnd(), rapide)) {
        QVERIFY(valide);
        QCOMPARE(rapide, attendu);
    }
}

void TestConversions::dateTimeToStr_data()
{
    QTest::addColumn<QString>("reglage");
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("attendu");
    const QDateTime apresMidi(QDate(2006, 3, 4), QTime(15, 7, 9));
    const QDateTime matin(QDate(2006, 11, 24), QTime(0, 5, 0));
    QTest::newRow("français") << "fr" << apresMidi << "04/03/2006 15:07:09";
    QTest::newRow("français minuit") << "fr" << matin << "24/11/2006 00:05:00";
    QTest::newRow("anglais") << "en" << apresMidi << "3/4/2006 3:07:09 PM";
    QTest::newRow("anglais minuit") << "en" << matin << "11/24/2006 12:05:00 AM";
}

void TestConversions::dateTimeToStr()
{
    QFETCH(QString, reglage);
    QFETCH(QDateTime, moment);
    QFETCH(QString, attendu);
    reglages(reglage);
    QCOMPARE(DateTimeToStr(moment), attendu);
}

void TestConversions::colorToString_data()
{
    QTest::addColumn<TColor>("couleur");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("blanc") << clWhite << "clWhite";
    QTest::newRow("crème") << clCream << "clCream";
    QTest::newRow("bleu ciel") << clSkyBlue << "clSkyBlue";
    QTest::newRow("noir") << clBlack << "clBlack";
    QTest::newRow("rouge") << TColor(0x0000FF) << "clRed";
    QTest::newRow("face de bouton") << clBtnFace << "clBtnFace";
    QTest::newRow("texte de fenêtre") << clWindowText << "clWindowText";
    QTest::newRow("bureau") << clDesktop << "clBackground";
    QTest::newRow("dégradé actif") << clGradientActiveCaption << "clGradientActiveCaption";
    QTest::newRow("aucune") << TColor(0x1FFFFFFF) << "clNone";
    QTest::newRow("défaut") << TColor(0x20000000) << "clDefault";
    QTest::newRow("rose") << RGBCouleur(255, 128, 128) << "$008080FF";
    QTest::newRow("rouge sombre") << RGBCouleur(155, 0, 0) << "$0000009B";
    QTest::newRow("bleu vif") << RGBCouleur(0, 128, 255) << "$00FF8000";
    QTest::newRow("système sans nom") << TColor(0x80000019) << "$80000019";
}

void TestConversions::colorToString()
{
    QFETCH(TColor, couleur);
    QFETCH(QString, attendu);
    QCOMPARE(ColorToString(couleur), attendu);
}

void TestConversions::stringToColor_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<TColor>("attendu");
    QTest::newRow("identifiant") << "clWhite" << clWhite;
    QTest::newRow("minuscules") << "clwhite" << clWhite;
    QTest::newRow("majuscules") << "CLCREAM" << clCream;
    QTest::newRow("système") << "clBtnFace" << clBtnFace;
    QTest::newRow("hexa") << "$008080FF" << RGBCouleur(255, 128, 128);
    QTest::newRow("hexa court") << "$0000009B" << RGBCouleur(155, 0, 0);
    QTest::newRow("hexa système") << "$80000005" << TColor(0x80000005);
    QTest::newRow("décimal") << "255" << TColor(255);
    QTest::newRow("décimal négatif") << "-2147483633" << clBtnFace;
}

void TestConversions::stringToColor()
{
    QFETCH(QString, texte);
    QFETCH(TColor, attendu);
    QCOMPARE(StringToColor(texte), attendu);
}

void TestConversions::stringToColor_refuse_data()
{
    QTest::addColumn<QString>("texte");
    QTest::newRow("mot") << "rouge";
    QTest::newRow("vide") << "";
    QTest::newRow("identifiant tronqué") << "clWhit";
    QTest::newRow("blanc autour") << "clWhite ";
}

void TestConversions::stringToColor_refuse()
{
    QFETCH(QString, texte);
    QVERIFY_THROWS_EXCEPTION(EConvertError, StringToColor(texte));
    TColor c = 123;
    QVERIFY(!IdentToColor(texte, c));
    QCOMPARE(c, TColor(123));
}

void TestConversions::couleursNommees_allerRetour()
{
    // Toute couleur écrite se relit à l'identique, nommée ou non.
    const TColor couleurs[] = {clBlack, TColor(0x000080), TColor(0x008000), TColor(0xA4A0A0),
                               TColor(0xC0DCC0), TColor(0x80000000), TColor(0x8000001E),
                               TColor(0x8000001A), TColor(0x1FFFFFFF), RGBCouleur(1, 2, 3)};
    for (TColor c : couleurs)
        QCOMPARE(StringToColor(ColorToString(c)), c);
    QCOMPARE(ColorToString(TColor(0x8000001A)), QStringLiteral("clHotLight"));
    QCOMPARE(ColorToString(TColor(0x8000001E)), QStringLiteral("clMenuBar"));
    QCOMPARE(ColorToString(TColor(0xA4A0A0)), QStringLiteral("clMedGray"));
}

void TestConversions::colorToRGB_data()
{
    QTest::addColumn<TColor>("couleur");
    QTest::addColumn<TColor>("attendu");
    QTest::newRow("ordinaire inchangée") << RGBCouleur(1, 2, 3) << RGBCouleur(1, 2, 3);
    QTest::newRow("bureau") << clDesktop << RGBCouleur(58, 110, 165);
    QTest::newRow("dégradé actif") << clGradientActiveCaption << RGBCouleur(166, 202, 240);
    QTest::newRow("face de bouton") << clBtnFace << RGBCouleur(212, 208, 200);
    QTest::newRow("fenêtre") << TColor(0x80000005) << clWhite;
    QTest::newRow("texte de fenêtre") << clWindowText << clBlack;
    QTest::newRow("barre de menu") << TColor(0x8000001E) << RGBCouleur(212, 208, 200);
}

void TestConversions::colorToRGB()
{
    QFETCH(TColor, couleur);
    QFETCH(TColor, attendu);
    QCOMPARE(ColorToRGB(couleur), attendu);
}

void TestConversions::qrgb_rougeDansOctetBas()
{
    QCOMPARE(versQRgb(RGBCouleur(255, 128, 0)), qRgb(255, 128, 0));
    QCOMPARE(versQRgb(TColor(0x0000009B)), qRgb(155, 0, 0));
    QCOMPARE(versQRgb(clBtnFace), qRgb(212, 208, 200));
    QCOMPARE(depuisQRgb(qRgb(0, 128, 255)), TColor(0x00FF8000));
    QCOMPARE(depuisQRgb(qRgba(1, 2, 3, 0)), RGBCouleur(1, 2, 3));
}

void TestConversions::strToBool_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<bool>("attendu");
    QTest::newRow("-1") << "-1" << true;
    QTest::newRow("1") << "1" << true;
    QTest::newRow("0") << "0" << false;
    QTest::newRow("décimal non nul") << "0,5" << true;
    QTest::newRow("zéro décimal") << "0,0" << false;
    QTest::newRow("True") << "True" << true;
    QTest::newRow("TRUE") << "TRUE" << true;
    QTest::newRow("true") << "true" << true;
    QTest::newRow("False") << "False" << false;
    QTest::newRow("fAlSe") << "fAlSe" << false;
    QTest::newRow("écrit vrai") << BoolToStr(true) << true;
    QTest::newRow("écrit faux") << BoolToStr(false) << false;
}

void TestConversions::strToBool()
{
    QFETCH(QString, texte);
    QFETCH(bool, attendu);
    QCOMPARE(StrToBool(texte), attendu);
}

void TestConversions::strToBool_refuse_data()
{
    QTest::addColumn<QString>("texte");
    QTest::newRow("vide") << "";
    QTest::newRow("oui") << "Oui";
    QTest::newRow("point en français") << "0.5";
    QTest::newRow("True entouré") << " True";
    QTest::newRow("T") << "T";
}

void TestConversions::strToBool_refuse()
{
    QFETCH(QString, texte);
    QVERIFY_THROWS_EXCEPTION(EConvertError, StrToBool(texte));
}

void TestConversions::stringReplace_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("ancien");
    QTest::addColumn<QString>("nouveau");
    QTest::addColumn<bool>("ignorerCasse");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("toutes") << "a|b|c" << "|" << ";" << false << "a;b;c";
    QTest::newRow("gauche à droite sans chevauchement") << "aaa" << "aa" << "b" << false << "ba";
    QTest::newRow("remplacement contenant le motif") << "ab" << "a" << "aa" << false << "aab";
    QTest::newRow("casse respectée") << "Ab ab" << "ab" << "x" << false << "Ab x";
    QTest::newRow("casse ignorée") << "Ab ab" << "ab" << "x" << true << "x x";
    QTest::newRow("suppression") << "1 241,50 €" << " €" << "" << false << "1 241,50";
    QTest::newRow("motif vide") << "abc" << "" << "x" << false << "abc";
    QTest::newRow("absent") << "abc" << "z" << "x" << false << "abc";
}

void TestConversions::stringReplace()
{
    QFETCH(QString, texte);
    QFETCH(QString, ancien);
    QFETCH(QString, nouveau);
    QFETCH(bool, ignorerCasse);
    QFETCH(QString, attendu);
    QCOMPARE(StringReplace(texte, ancien, nouveau, ignorerCasse ? Qt::CaseInsensitive : Qt::CaseSensitive),
             attendu);
}

void TestConversions::trimRight_data()
{
    QTest::addColumn<QString>("texte");
    QTest::addColumn<QString>("attendu");
    QTest::newRow("blancs") << "abc   " << "abc";
    QTest::newRow("contrôles") << "abc\t\r\n" << "abc";
    QTest::newRow("blancs de tête gardés") << "  abc " << "  abc";
    QTest::newRow("tout blanc") << "   " << "";
    QTest::newRow("espace insécable gardé") << nb("abc_") << nb("abc_");
    QTest::newRow("vide") << "" << "";
}

void TestConversions::trimRight()
{
    QFETCH(QString, texte);
    QFETCH(QString, attendu);
    QCOMPARE(TrimRight(texte), attendu);
}

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
