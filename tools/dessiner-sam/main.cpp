// Dessine les images de Sam dans un dossier : dessiner-sam DOSSIER [PLANCHE.png]
// La planche facultative rassemble toutes les images agrandies, pour les regarder.
#include "DessinSam.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>
#include <functional>

namespace {

using Modif = std::function<void(Pose&)>;

Pose pose(const Modif& m = {})
{
    Pose p;
    if (m)
        m(p);
    return p;
}

QList<std::pair<QString, Pose>> poses()
{
    QList<std::pair<QString, Pose>> liste;
    auto ajouter = [&liste](const char* nom, const Modif& m = {}) { liste.append({QString::fromLatin1(nom), pose(m)}); };

    ajouter("repos");
    ajouter("cligne-mi", [](Pose& p) { p.yeux = Yeux::MiClos; });
    ajouter("cligne-ferme", [](Pose& p) { p.yeux = Yeux::Fermes; });

    // salut de la main droite
    ajouter("salut-leve", [](Pose& p) { p.droit = {80, 150}; p.bouche = BoucheSam::GrandSourire; });
    for (int i = 0; i < 3; ++i)
        ajouter(QByteArray("salut-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            static const int coudes[] = {160, 200, 135};
            p.droit = {140, coudes[i]};
            p.bouche = BoucheSam::GrandSourire;
            p.yeux = i == 1 ? Yeux::Heureux : Yeux::Ouverts;
            p.sourcils = Sourcils::Leves;
        });

    // tristesse, larme qui coule
    for (int i = 0; i < 4; ++i)
        ajouter(QByteArray("triste-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.teteDy = 2;
            p.regardY = 2;
            p.sourcils = Sourcils::Tristes;
            p.bouche = BoucheSam::Triste;
            p.gauche = {4, 0};
            p.droit = {4, 0};
            p.dy = 1;
            if (i > 0) {
                p.effets = Effet::Larme;
                p.phase = i - 1;
            }
        });

    // écriture : crayon tiré de la poche, carnet, trois positions du crayon
    ajouter("ecrire-sortir", [](Pose& p) { p.droit = {0, -35}; p.regardY = 2; p.regardX = 1; });
    ajouter("ecrire-prend", [](Pose& p) {
        p.droit = {25, -60};
        p.objetDroit = Objet::Crayon;
        p.gauche = {10, -70};
        p.effets = Effet::Carnet;
        p.regardY = 2;
    });
    for (int i = 0; i < 3; ++i)
        ajouter(QByteArray("ecrire-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            static const int coudes[] = {-80, -92, -72};
            static const int epaules[] = {30, 22, 36};
            p.droit = {epaules[i], coudes[i]};
            p.objetDroit = Objet::Crayon;
            p.gauche = {10, -70};
            p.effets = Effet::Carnet;
            p.regardY = 2;
            p.regardX = i - 1;
            p.bouche = i == 1 ? BoucheSam::Plate : BoucheSam::Sourire;
        });

    // magie : baguette levée puis agitée, étincelles en couche séparée
    ajouter("magie-1", [](Pose& p) { p.droit = {40, 60}; p.objetDroit = Objet::Baguette; });
    ajouter("magie-2", [](Pose& p) {
        p.droit = {120, 150};
        p.objetDroit = Objet::Baguette;
        p.regardY = -2;
        p.regardX = 1;
        p.sourcils = Sourcils::Leves;
    });
    for (int i = 0; i < 4; ++i)
        ajouter(QByteArray("magie-" + QByteArray::number(i + 3)).constData(), [i](Pose& p) {
            static const int coudes[] = {180, 140, 200, 160};
            p.droit = {145, coudes[i]};
            p.objetDroit = Objet::Baguette;
            p.regardY = -2;
            p.regardX = 1;
            p.bouche = BoucheSam::GrandSourire;
            p.sourcils = Sourcils::Leves;
            p.effets = Effet::Etincelles;
            p.phase = i;
            p.dy = i % 2 ? -1 : 0;
        });
    for (int i = 0; i < 4; ++i)
        ajouter(QByteArray("etincelles-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.effetsSeuls = true;
            p.effets = Effet::Etincelles;
            p.phase = i + 1;
        });

    // contentement
    for (int i = 0; i < 2; ++i)
        ajouter(QByteArray("content-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.yeux = Yeux::Heureux;
            p.bouche = BoucheSam::GrandSourire;
            p.effets = Effet::Rougeur | Effet::Coeur;
            p.phase = i;
            p.gauche = {14, -55};
            p.droit = {14, -55};
            p.dy = i ? -2 : 0;
        });

    // traitement : engrenages au-dessus de la tête
    for (int i = 0; i < 6; ++i)
        ajouter(QByteArray("traiter-" + QByteArray::number(i)).constData(), [i](Pose& p) {
            p.effets = Effet::Engrenages;
            p.phase = i;
            p.regardY = -2;
            p.regardX = 2;
            p.sourcils = Sourcils::Fronces;
            p.bouche = BoucheSam::Plate;
            p.droit = {12, -140};
        });

    // félicitations : bras levés, confettis en couche séparée
    ajouter("bravo-1", [](Pose& p) { p.gauche = {90, 130}; p.droit = {90, 130}; p.bouche = BoucheSam::GrandSourire; });
    for (int i = 0; i < 2; ++i)
        ajouter(QByteArray("bravo-" + QByteArray::number(i + 2)).constData(), [i](Pose& p) {
            p.gauche = {120 + 5 * i, 145 + 10 * i};
            p.droit = {120 + 5 * i, 145 + 10 * i};
            p.yeux = Yeux::Heureux;
            p.bouche = BoucheSam::GrandSourire;
            p.dy = i ? -3 : 0;
            p.effets = Effet::Rougeur;
        });
    for (int i = 0; i < 5; ++i)
        ajouter(QByteArray("confettis-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.effetsSeuls = true;
            p.effets = Effet::Confettis;
            p.phase = i;
        });

    // surprise
    for (int i = 0; i < 2; ++i)
        ajouter(QByteArray("surpris-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.yeux = Yeux::Grands;
            p.sourcils = Sourcils::Leves;
            p.bouche = BoucheSam::O;
            p.gauche = {55, 100};
            p.droit = {55, 100};
            p.effets = Effet::Exclamation;
            p.dy = i ? 0 : -4;
        });

    // lecture
    ajouter("lire-sortir", [](Pose& p) { p.gauche = {10, -30}; p.droit = {10, -30}; p.regardY = 2; });
    for (int i = 0; i < 3; ++i)
        ajouter(QByteArray("lire-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.gauche = {15, -55};
            p.droit = {15, -55};
            p.effets = Effet::Livre;
            p.phase = i;
            p.teteDy = 1;
            p.regardY = 2;
            p.regardX = i - 1;
            p.bouche = i == 2 ? BoucheSam::Fermee : BoucheSam::Sourire;
        });

    // réflexion : main au menton, bulles de pensée
    for (int i = 0; i < 3; ++i)
        ajouter(QByteArray("penser-" + QByteArray::number(i)).constData(), [i](Pose& p) {
            p.droit = {12, -140};
            p.regardY = -2;
            p.regardX = 2;
            p.sourcils = i ? Sourcils::Fronces : Sourcils::Normaux;
            p.bouche = BoucheSam::Plate;
            p.effets = Effet::Pensee;
            p.phase = i;
        });

    // suggestion : index levé, ampoule qui s'allume
    ajouter("suggerer-1", [](Pose& p) { p.droit = {90, 150}; p.objetDroit = Objet::Doigt; p.effets = Effet::Ampoule; });
    for (int i = 0; i < 2; ++i)
        ajouter(QByteArray("suggerer-" + QByteArray::number(i + 2)).constData(), [i](Pose& p) {
            p.droit = {150, 175};
            p.objetDroit = Objet::Doigt;
            p.effets = Effet::AmpouleAllumee;
            p.sourcils = Sourcils::Leves;
            p.bouche = BoucheSam::GrandSourire;
            p.regardX = 2;
            p.regardY = -1;
            p.dy = i ? -1 : 0;
        });

    // acquiescement : signe de tête et pouce levé
    ajouter("acquiescer-1", [](Pose& p) { p.teteDy = 3; p.yeux = Yeux::Heureux; p.droit = {30, -110}; });
    ajouter("acquiescer-2", [](Pose& p) {
        p.yeux = Yeux::Heureux;
        p.bouche = BoucheSam::GrandSourire;
        p.droit = {30, -110};
        p.objetDroit = Objet::Pouce;
    });

    // apparition et disparition : Sam grandit depuis ses pieds
    for (int i = 0; i < 3; ++i)
        ajouter(QByteArray("taille-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.echelle = 0.25 * (i + 1);
            p.yeux = i == 0 ? Yeux::Fermes : Yeux::Ouverts;
        });

    // déplacements
    for (int i = 0; i < 2; ++i) {
        ajouter(QByteArray("marche-g-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.dx = -2;
            p.regardX = -2;
            p.pas = i ? 1 : -1;
            p.gauche = {i ? 30 : -10, i ? 20 : -5};
            p.droit = {i ? -10 : 30, i ? -5 : 20};
            p.effets = Effet::Traits;
        });
        ajouter(QByteArray("marche-d-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.dx = 2;
            p.regardX = 2;
            p.pas = i ? -1 : 1;
            p.gauche = {i ? 30 : -10, i ? 20 : -5};
            p.droit = {i ? -10 : 30, i ? -5 : 20};
            p.effets = Effet::Traits;
        });
        ajouter(QByteArray("monter-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.gauche = {150 + 10 * i, 170};
            p.droit = {150 + 10 * i, 170};
            p.regardY = -2;
            p.dy = i ? -3 : -1;
            p.bouche = BoucheSam::O;
        });
        ajouter(QByteArray("descendre-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.gauche = {70 + 10 * i, 80};
            p.droit = {70 + 10 * i, 80};
            p.regardY = 2;
            p.dy = i ? 1 : 0;
            p.bouche = BoucheSam::O;
        });
    }

    // gestes vers les quatre côtés
    for (int i = 0; i < 2; ++i) {
        const bool plein = i == 1;
        ajouter(plein ? "geste-g-2" : "geste-g-1", [plein](Pose& p) {
            p.gauche = {plein ? 85 : 50, plein ? 92 : 60};
            p.objetGauche = plein ? Objet::Doigt : Objet::Aucun;
            p.regardX = -2;
            p.teteDx = -1;
        });
        ajouter(plein ? "geste-d-2" : "geste-d-1", [plein](Pose& p) {
            p.droit = {plein ? 85 : 50, plein ? 92 : 60};
            p.objetDroit = plein ? Objet::Doigt : Objet::Aucun;
            p.regardX = 2;
            p.teteDx = 1;
        });
        ajouter(plein ? "geste-h-2" : "geste-h-1", [plein](Pose& p) {
            p.droit = {plein ? 160 : 100, plein ? 178 : 150};
            p.objetDroit = plein ? Objet::Doigt : Objet::Aucun;
            p.regardY = -2;
            p.regardX = 1;
            p.sourcils = Sourcils::Leves;
        });
        ajouter(plein ? "geste-b-2" : "geste-b-1", [plein](Pose& p) {
            p.droit = {plein ? 35 : 20, plein ? 30 : 10};
            p.objetDroit = plein ? Objet::Doigt : Objet::Aucun;
            p.regardY = 2;
            p.regardX = 2;
            p.teteDy = plein ? 1 : 0;
        });
    }

    // attente
    ajouter("regard-g", [](Pose& p) { p.regardX = -2; p.teteDx = -1; });
    ajouter("regard-d", [](Pose& p) { p.regardX = 2; p.teteDx = 1; });
    for (int i = 0; i < 2; ++i)
        ajouter(QByteArray("siffler-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.regardY = -2;
            p.regardX = i ? 2 : -1;
            p.bouche = BoucheSam::Etroite;
            p.sourcils = Sourcils::Leves;
            p.teteDx = i ? 1 : -1;
            p.gauche = {8, -40};
            p.droit = {8, -40};
        });
    for (int i = 0; i < 3; ++i)
        ajouter(QByteArray("baille-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.gauche = {i == 0 ? 90 : 125, i == 0 ? 140 : 160};
            p.droit = {i == 0 ? 90 : 125, i == 0 ? 140 : 160};
            p.yeux = i == 2 ? Yeux::Fermes : Yeux::MiClos;
            p.bouche = i == 0 ? BoucheSam::Ouverte : BoucheSam::Baillement;
            p.dy = i == 2 ? -1 : 0;
        });
    for (int i = 0; i < 3; ++i)
        ajouter(QByteArray("dort-" + QByteArray::number(i + 1)).constData(), [i](Pose& p) {
            p.yeux = Yeux::Fermes;
            p.teteDy = 2 + (i == 1 ? 1 : 0);
            p.bouche = BoucheSam::Etroite;
            p.effets = Effet::Zzz;
            p.phase = i;
            p.gauche = {6, 2};
            p.droit = {6, 2};
        });
    return liste;
}

// Bouches parlantes : la zone de la bouche découpée dans la pose de repos.
const QRect ZoneBouche(54, 60, 20, 11);

QList<std::pair<QString, BoucheSam>> bouches()
{
    return {{QStringLiteral("bouche-fermee"), BoucheSam::Fermee},   {QStringLiteral("bouche-large1"), BoucheSam::Large1},
            {QStringLiteral("bouche-large2"), BoucheSam::Large2},   {QStringLiteral("bouche-large3"), BoucheSam::Large3},
            {QStringLiteral("bouche-large4"), BoucheSam::Large4},   {QStringLiteral("bouche-moyenne"), BoucheSam::Moyenne},
            {QStringLiteral("bouche-etroite"), BoucheSam::Etroite}};
}

} // namespace

int main(int argc, char* argv[])
{
    // Aucun affichage n'est nécessaire pour dessiner dans des images.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage : dessiner-sam DOSSIER [PLANCHE.png]\n");
        return 2;
    }
    QDir dossier(args[1]);
    dossier.mkpath(QStringLiteral("."));
    QList<std::pair<QString, QImage>> images;
    for (const auto& [nom, p] : poses())
        images.append({nom, dessinerSam(p)});
    for (const auto& [nom, forme] : bouches()) {
        Pose p;
        p.bouche = forme;
        images.append({nom, dessinerSam(p).copy(ZoneBouche)});
    }
    for (const auto& [nom, image] : images)
        if (!image.save(dossier.filePath(nom + QStringLiteral(".png")))) {
            std::fprintf(stderr, "écriture impossible : %s\n", qPrintable(nom));
            return 1;
        }
    if (args.size() > 2) {
        constexpr int Colonnes = 10;
        constexpr int Case = 2 * TailleSam + 4;
        const int lignes = int((images.size() + Colonnes - 1) / Colonnes);
        QImage planche(Colonnes * Case, lignes * Case, QImage::Format_ARGB32);
        planche.fill(QColor(0xD8, 0xE8, 0xF0));
        QPainter p(&planche);
        for (qsizetype i = 0; i < images.size(); ++i) {
            const QImage& im = images[i].second;
            p.drawImage(QRect(int(i % Colonnes) * Case, int(i / Colonnes) * Case, im.width() * 2, im.height() * 2), im);
        }
        p.end();
        planche.save(args[2]);
    }
    std::printf("%lld images écrites dans %s\n", static_cast<long long>(images.size()), qPrintable(dossier.absolutePath()));
    return 0;
}
