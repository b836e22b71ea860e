#include "PlateformeAffichage.h"

#include <QTest>

// Le choix se fait avant toute application Qt : le test n'en crée pas.
class TestPlateformeAffichage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void choisir_x11SeulementSousWaylandAvecXWayland_data();
    void choisir_x11SeulementSousWaylandAvecXWayland();
};

void TestPlateformeAffichage::choisir_x11SeulementSousWaylandAvecXWayland_data()
{
    QTest::addColumn<QByteArray>("plateforme");
    QTest::addColumn<QByteArray>("waylandDisplay");
    QTest::addColumn<QByteArray>("typeSession");
    QTest::addColumn<QByteArray>("display");
    QTest::addColumn<QByteArray>("attendu");
    QTest::newRow("wayland et xwayland") << QByteArray() << QByteArray("wayland-0") << QByteArray("wayland")
                                         << QByteArray(":0") << QByteArray("xcb");
    QTest::newRow("type de session seul") << QByteArray() << QByteArray() << QByteArray("Wayland") << QByteArray(":1")
                                          << QByteArray("xcb");
    QTest::newRow("wayland sans xwayland") << QByteArray() << QByteArray("wayland-0") << QByteArray("wayland")
                                           << QByteArray() << QByteArray();
    QTest::newRow("session x11") << QByteArray() << QByteArray() << QByteArray("x11") << QByteArray(":0") << QByteArray();
    QTest::newRow("choix explicite gardé") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray("wayland")
                                           << QByteArray(":0") << QByteArray();
}

void TestPlateformeAffichage::choisir_x11SeulementSousWaylandAvecXWayland()
{
    QFETCH(QByteArray, plateforme);
    QFETCH(QByteArray, waylandDisplay);
    QFETCH(QByteArray, typeSession);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, attendu);
    const QByteArray sauvee = qgetenv("QT_QPA_PLATFORM");
    auto poser = [](const char* nom, const QByteArray& valeur) {
        if (valeur.isEmpty())
            qunsetenv(nom);
        else
            qputenv(nom, valeur);
    };
    poser("QT_QPA_PLATFORM", plateforme);
    poser("WAYLAND_DISPLAY", waylandDisplay);
    poser("XDG_SESSION_TYPE", typeSession);
    poser("DISPLAY", display);
    QCOMPARE(choisirPlateformeAffichage(), attendu);
    QCOMPARE(qgetenv("QT_QPA_PLATFORM"), attendu.isEmpty() ? plateforme : attendu);
    poser("QT_QPA_PLATFORM", sauvee);
}

QTEST_APPLESS_MAIN(TestPlateformeAffichage)
#include "tst_plateformeAffichage.moc"
