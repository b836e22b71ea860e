#include "DessinSam.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <cmath>

namespace {

// Palette fixe : chaque couleur est un aplat, aucun dégradé.
const QColor Contour(0x3B, 0x26, 0x19);
const QColor Peau(0xF6, 0xC8, 0xA0);
const QColor PeauOmbre(0xE0, 0x9E, 0x78);
const QColor Joue(0xF0, 0x90, 0x80);
const QColor JoueVive(0xE8, 0x60, 0x60);
const QColor Cheveux(0x7A, 0x48, 0x28);
const QColor Casquette(0x2E, 0x7D, 0x4F);
const QColor CasquetteSombre(0x1F, 0x5A, 0x38);
const QColor Chemise(0xF7, 0xF7, 0xF0);
const QColor ChemiseOmbre(0xC8, 0xCE, 0xD8);
const QColor Tablier(0x3F, 0x9B, 0x62);
const QColor TablierSombre(0x2B, 0x70, 0x46);
const QColor Noeud(0xD0, 0x3A, 0x3A);
const QColor Pantalon(0x5C, 0x46, 0x36);
const QColor Chaussure(0x2A, 0x22, 0x1E);
const QColor Oeil(0x2B, 0x1D, 0x14);
const QColor Blanc(0xFF, 0xFF, 0xFF);
const QColor BoucheFond(0x6A, 0x1E, 0x22);
const QColor Langue(0xE0, 0x6A, 0x6A);
const QColor CrayonJaune(0xF2, 0xC2, 0x33);
const QColor Gomme(0xF0, 0x8C, 0xA8);
const QColor LigneBleue(0x6A, 0x8F, 0xD0);
const QColor Couverture(0xB8, 0x3A, 0x3A);
const QColor Etincelle(0xFF, 0xE1, 0x4A);
const QColor EtincelleBleue(0x8F, 0xE6, 0xF5);
const QColor Gris(0xA0, 0xA6, 0xAE);
const QColor GrisSombre(0x6E, 0x74, 0x7C);
const QColor AmpouleEteinte(0xE8, 0xE8, 0xD0);
const QColor Eau(0x6C, 0xB8, 0xF0);
const QColor Violet(0x9A, 0x6A, 0xD8);

constexpr double Pi = 3.14159265358979;

void ellipse(QPainter& p, const QRect& r, const QColor& fond, const QColor& contour = Contour)
{
    p.setPen(contour.isValid() ? QPen(contour, 1) : QPen(Qt::NoPen));
    p.setBrush(fond);
    p.drawEllipse(r);
}

void rectangle(QPainter& p, const QRect& r, const QColor& fond, const QColor& contour = Contour)
{
    p.setPen(contour.isValid() ? QPen(contour, 1) : QPen(Qt::NoPen));
    p.setBrush(fond);
    p.drawRect(r);
}

void polygone(QPainter& p, const QPolygon& poly, const QColor& fond, const QColor& contour = Contour)
{
    p.setPen(contour.isValid() ? QPen(contour, 1) : QPen(Qt::NoPen));
    p.setBrush(fond);
    p.drawPolygon(poly);
}

void ligne(QPainter& p, QPointF a, QPointF b, const QColor& c, int largeur)
{
    p.setPen(QPen(c, largeur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(a, b);
}

void polyligne(QPainter& p, const QPolygon& poly, const QColor& c, int largeur)
{
    p.setPen(QPen(c, largeur, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(poly);
}

// Trait épais cerné : contour d'abord, aplat ensuite.
void traitCerne(QPainter& p, QPointF a, QPointF b, const QColor& c, int largeur)
{
    ligne(p, a, b, Contour, largeur + 2);
    ligne(p, a, b, c, largeur);
}

QPointF direction(int angle, bool droite)
{
    const double r = angle * Pi / 180.0;
    return {(droite ? 1.0 : -1.0) * std::sin(r), std::cos(r)};
}

void etoile(QPainter& p, QPoint c, int rayon, const QColor& couleur)
{
    ligne(p, c - QPoint(rayon, 0), c + QPoint(rayon, 0), couleur, 1);
    ligne(p, c - QPoint(0, rayon), c + QPoint(0, rayon), couleur, 1);
    if (rayon >= 3) {
        rectangle(p, QRect(c.x() - 1, c.y() - 1, 3, 3), couleur, QColor());
        p.setPen(Blanc);
        p.drawPoint(c);
    }
}

void engrenage(QPainter& p, QPoint c, int rayon, int angle)
{
    QPolygon dents;
    constexpr int NbDents = 8;
    for (int i = 0; i < NbDents * 4; ++i) {
        const double a = (angle + i * 360.0 / (NbDents * 4)) * Pi / 180.0;
        const int r = (i % 4 < 2) ? rayon + 2 : rayon;
        dents << QPoint(c.x() + int(std::lround(r * std::cos(a))), c.y() + int(std::lround(r * std::sin(a))));
    }
    polygone(p, dents, Gris);
    ellipse(p, QRect(c.x() - 2, c.y() - 2, 4, 4), GrisSombre);
}

void lettreZ(QPainter& p, QPoint o, int t)
{
    polyligne(p, QPolygon({o, o + QPoint(t, 0), o + QPoint(0, t), o + QPoint(t, t)}), LigneBleue, 2);
}

void dessinerJambes(QPainter& p, const Pose& pose)
{
    const int leve = 2;
    const int dyG = pose.pas < 0 ? -leve : 0;
    const int dyD = pose.pas > 0 ? -leve : 0;
    rectangle(p, QRect(51, 108 + dyG, 11, 12), Pantalon);
    rectangle(p, QRect(66, 108 + dyD, 11, 12), Pantalon);
    ellipse(p, QRect(46, 118 + dyG, 16, 7), Chaussure);
    ellipse(p, QRect(66, 118 + dyD, 16, 7), Chaussure);
    p.setPen(Gris);
    p.drawLine(50, 120 + dyG, 54, 120 + dyG);
    p.drawLine(70, 120 + dyD, 74, 120 + dyD);
}

void dessinerTorse(QPainter& p, const Pose& pose)
{
    p.setPen(QPen(Contour, 1));
    p.setBrush(Chemise);
    p.drawRoundedRect(QRect(44, 67, 40, 44), 9, 9);
    // ombre du flanc droit
    rectangle(p, QRect(79, 78, 4, 26), ChemiseOmbre, QColor());
    // tablier : bavette, jupe, ceinture, bretelles, poche
    rectangle(p, QRect(52, 76, 24, 15), Tablier);
    polygone(p, QPolygon({{47, 90}, {81, 90}, {83, 112}, {45, 112}}), Tablier);
    rectangle(p, QRect(47, 89, 34, 3), TablierSombre);
    ligne(p, {53, 76}, {49, 68}, TablierSombre, 2);
    ligne(p, {75, 76}, {79, 68}, TablierSombre, 2);
    rectangle(p, QRect(56, 97, 16, 9), TablierSombre);
    const bool crayonEnMain = pose.objetDroit == Objet::Crayon || pose.objetGauche == Objet::Crayon;
    if (!crayonEnMain) {
        rectangle(p, QRect(66, 91, 3, 7), CrayonJaune);
        rectangle(p, QRect(66, 89, 3, 2), Gomme);
    }
    // nœud papillon
    polygone(p, QPolygon({{57, 67}, {64, 71}, {57, 75}}), Noeud);
    polygone(p, QPolygon({{71, 67}, {64, 71}, {71, 75}}), Noeud);
    rectangle(p, QRect(62, 69, 4, 4), Noeud);
}

void dessinerBouche(QPainter& p, BoucheSam bouche)
{
    switch (bouche) {
    case BoucheSam::Sourire:
        polyligne(p, QPolygon({{58, 63}, {60, 66}, {68, 66}, {70, 63}}), BoucheFond, 1);
        polyligne(p, QPolygon({{61, 67}, {67, 67}}), BoucheFond, 1);
        break;
    case BoucheSam::GrandSourire:
        polygone(p, QPolygon({{57, 63}, {71, 63}, {68, 69}, {60, 69}}), BoucheFond);
        rectangle(p, QRect(59, 64, 10, 1), Blanc, QColor());
        rectangle(p, QRect(61, 67, 6, 2), Langue, QColor());
        break;
    case BoucheSam::Ouverte: ellipse(p, QRect(59, 62, 10, 6), BoucheFond); break;
    case BoucheSam::O: ellipse(p, QRect(61, 62, 6, 6), BoucheFond); break;
    case BoucheSam::Triste:
        polyligne(p, QPolygon({{58, 68}, {60, 65}, {68, 65}, {70, 68}}), BoucheFond, 1);
        break;
    case BoucheSam::Plate: polyligne(p, QPolygon({{59, 66}, {69, 66}}), BoucheFond, 1); break;
    case BoucheSam::Baillement:
        ellipse(p, QRect(57, 61, 14, 9), BoucheFond);
        rectangle(p, QRect(60, 67, 8, 2), Langue, QColor());
        break;
    case BoucheSam::Fermee:
        polyligne(p, QPolygon({{58, 64}, {60, 65}, {68, 65}, {70, 64}}), BoucheFond, 1);
        break;
    case BoucheSam::Large1: ellipse(p, QRect(58, 64, 12, 2), BoucheFond); break;
    case BoucheSam::Large2:
        ellipse(p, QRect(57, 63, 14, 4), BoucheFond);
        break;
    case BoucheSam::Large3:
        ellipse(p, QRect(57, 62, 14, 6), BoucheFond);
        rectangle(p, QRect(60, 63, 8, 1), Blanc, QColor());
        rectangle(p, QRect(61, 66, 6, 1), Langue, QColor());
        break;
    case BoucheSam::Large4:
        ellipse(p, QRect(56, 62, 16, 7), BoucheFond);
        rectangle(p, QRect(59, 63, 10, 1), Blanc, QColor());
        rectangle(p, QRect(60, 66, 8, 2), Langue, QColor());
        break;
    case BoucheSam::Moyenne: ellipse(p, QRect(59, 62, 10, 6), BoucheFond); break;
    case BoucheSam::Etroite: ellipse(p, QRect(61, 62, 6, 5), BoucheFond); break;
    }
}

void dessinerYeux(QPainter& p, const Pose& pose)
{
    for (int cote = 0; cote < 2; ++cote) {
        const int x = cote == 0 ? 52 : 70;
        const int y = 41;
        const int rx = pose.regardX;
        const int ry = pose.regardY;
        switch (pose.yeux) {
        case Yeux::Ouverts:
            ellipse(p, QRect(x + rx, y + ry, 6, 8), Oeil, QColor());
            rectangle(p, QRect(x + 1 + rx, y + 2 + ry, 2, 2), Blanc, QColor());
            break;
        case Yeux::Grands:
            ellipse(p, QRect(x - 2, y - 2, 10, 12), Blanc);
            ellipse(p, QRect(x + 1 + rx, y + 1 + ry, 5, 6), Oeil, QColor());
            rectangle(p, QRect(x + 2 + rx, y + 2 + ry, 1, 1), Blanc, QColor());
            break;
        case Yeux::MiClos:
            ellipse(p, QRect(x + rx, y + 3 + ry, 6, 5), Oeil, QColor());
            ligne(p, QPoint(x - 1, y + 3), QPoint(x + 7, y + 3), Contour, 1);
            break;
        case Yeux::Fermes:
            polyligne(p, QPolygon({{x - 1, y + 5}, {x + 1, y + 6}, {x + 5, y + 6}, {x + 7, y + 5}}), Contour, 2);
            break;
        case Yeux::Heureux:
            polyligne(p, QPolygon({{x - 1, y + 6}, {x + 3, y + 2}, {x + 7, y + 6}}), Contour, 2);
            break;
        }
    }
    // sourcils
    QLine g, d;
    switch (pose.sourcils) {
    case Sourcils::Normaux: g = QLine(51, 37, 58, 36); d = QLine(70, 36, 77, 37); break;
    case Sourcils::Leves: g = QLine(51, 34, 58, 33); d = QLine(70, 33, 77, 34); break;
    case Sourcils::Tristes: g = QLine(51, 38, 58, 35); d = QLine(70, 35, 77, 38); break;
    case Sourcils::Fronces: g = QLine(51, 35, 58, 38); d = QLine(70, 38, 77, 35); break;
    }
    ligne(p, g.p1(), g.p2(), Cheveux, 2);
    ligne(p, d.p1(), d.p2(), Cheveux, 2);
}

void dessinerTete(QPainter& p, const Pose& pose)
{
    // oreilles
    ellipse(p, QRect(35, 44, 8, 11), Peau);
    ellipse(p, QRect(85, 44, 8, 11), Peau);
    rectangle(p, QRect(38, 47, 2, 5), PeauOmbre, QColor());
    rectangle(p, QRect(88, 47, 2, 5), PeauOmbre, QColor());
    // visage
    const QRect visage(40, 26, 48, 44);
    ellipse(p, visage, Peau);
    // favoris
    ellipse(p, QRect(38, 30, 8, 14), Cheveux);
    ellipse(p, QRect(82, 30, 8, 14), Cheveux);
    // casquette plate : calotte puis visière
    p.save();
    p.setClipRect(QRect(0, 0, TailleSam, 31));
    ellipse(p, QRect(39, 9, 50, 32), Casquette);
    p.restore();
    ligne(p, {50, 14}, {78, 14}, CasquetteSombre, 1);
    ellipse(p, QRect(61, 7, 6, 4), CasquetteSombre);
    p.setPen(QPen(Contour, 1));
    p.setBrush(CasquetteSombre);
    p.drawRoundedRect(QRect(36, 27, 56, 6), 3, 3);

    dessinerYeux(p, pose);
    // joues
    const QColor joue = (pose.effets & Effet::Rougeur) ? JoueVive : Joue;
    ellipse(p, QRect(44, 53, 8, 5), joue, QColor());
    ellipse(p, QRect(76, 53, 8, 5), joue, QColor());
    // bouche sous la moustache, limitée au visage
    p.save();
    QPainterPath chemin;
    chemin.addEllipse(visage.adjusted(1, 1, -1, -1));
    p.setClipPath(chemin);
    dessinerBouche(p, pose.bouche);
    p.restore();
    // moustache en deux touffes, puis le nez par-dessus
    ellipse(p, QRect(49, 56, 15, 7), Cheveux);
    ellipse(p, QRect(64, 56, 15, 7), Cheveux);
    ligne(p, {54, 58}, {59, 58}, QColor(0x9A, 0x62, 0x38), 1);
    ligne(p, {69, 58}, {74, 58}, QColor(0x9A, 0x62, 0x38), 1);
    ellipse(p, QRect(59, 49, 10, 8), PeauOmbre);
    rectangle(p, QRect(61, 51, 2, 2), Peau, QColor());
}

// Rend la position de la main.
QPointF dessinerBras(QPainter& p, QPointF epaule, const Bras& bras, bool droite, Objet objet)
{
    const QPointF coude = epaule + 13.0 * direction(bras.epaule, droite);
    const QPointF dirAvantBras = direction(bras.coude, droite);
    const QPointF main = coude + 12.0 * dirAvantBras;
    ligne(p, epaule, coude, Contour, 10);
    ligne(p, coude, main, Contour, 8);
    ligne(p, epaule, coude, Chemise, 8);
    ligne(p, coude, main, Peau, 6);
    ligne(p, coude - 1.0 * direction(bras.epaule, droite), coude + 1.0 * dirAvantBras, ChemiseOmbre, 7);
    switch (objet) {
    case Objet::Doigt: traitCerne(p, main, main + 7.0 * dirAvantBras, Peau, 2); break;
    case Objet::Pouce: traitCerne(p, main, main + QPointF(0, -7), Peau, 2); break;
    case Objet::Baguette: {
        const QPointF bout = main + 18.0 * dirAvantBras;
        traitCerne(p, main, bout, QColor(0x30, 0x30, 0x38), 2);
        ligne(p, bout - 3.0 * dirAvantBras, bout, Blanc, 2);
        break;
    }
    case Objet::Crayon: {
        const QPointF gomme = main + QPointF(droite ? 4 : -4, -9);
        const QPointF pointe = main + QPointF(droite ? -3 : 3, 4);
        traitCerne(p, gomme, pointe, CrayonJaune, 3);
        ligne(p, gomme, gomme + (pointe - gomme) * 0.2, Gomme, 3);
        ligne(p, pointe, pointe, Contour, 3);
        break;
    }
    case Objet::Aucun: break;
    }
    ellipse(p, QRect(int(main.x()) - 4, int(main.y()) - 4, 9, 9), Peau);
    return main;
}

void dessinerCarnet(QPainter& p)
{
    rectangle(p, QRect(49, 77, 19, 23), Blanc);
    for (int y = 83; y <= 95; y += 4)
        ligne(p, QPoint(52, y), QPoint(65, y), LigneBleue, 1);
    for (int x = 52; x <= 64; x += 4)
        rectangle(p, QRect(x, 76, 2, 3), Noeud, QColor());
}

void dessinerLivre(QPainter& p, int phase)
{
    polygone(p, QPolygon({{44, 81}, {64, 84}, {84, 81}, {84, 99}, {64, 102}, {44, 99}}), Couverture);
    polygone(p, QPolygon({{46, 79}, {64, 82}, {64, 99}, {46, 96}}), Blanc);
    polygone(p, QPolygon({{64, 82}, {82, 79}, {82, 96}, {64, 99}}), Blanc);
    for (int i = 0; i < 4; ++i) {
        const int y = 84 + 3 * i;
        ligne(p, QPoint(49, y), QPoint(61, y + 2), Gris, 1);
        ligne(p, QPoint(67, y + 2), QPoint(79 - ((i + phase) % 3) * 2, y), Gris, 1);
    }
}

void dessinerEffets(QPainter& p, const Pose& pose, QPointF mainDroite)
{
    const int e = pose.effets;
    const int phase = pose.phase;
    if (e & Effet::Etincelles) {
        static const QPoint positions[] = {{12, 20}, {108, 16}, {20, 60}, {112, 56}, {30, 8}, {96, 40}, {10, 92}, {116, 88}};
        for (int i = 0; i < 8; ++i) {
            if ((i + phase) % 3 == 0)
                continue;
            const QPoint c = positions[i] + QPoint(0, ((phase + i) % 2) * 2);
            etoile(p, c, (i + phase) % 2 ? 3 : 2, i % 2 ? Etincelle : EtincelleBleue);
        }
        if (pose.objetDroit == Objet::Baguette)
            etoile(p, mainDroite.toPoint(), 4, Etincelle);
    }
    if (e & (Effet::Ampoule | Effet::AmpouleAllumee)) {
        const bool allumee = e & Effet::AmpouleAllumee;
        if (allumee)
            for (int i = 0; i < 8; ++i) {
                const double a = i * Pi / 4;
                const QPointF c(104, 14);
                ligne(p, c + 9.0 * QPointF(std::cos(a), std::sin(a)), c + 12.0 * QPointF(std::cos(a), std::sin(a)),
                      Etincelle, 1);
            }
        ellipse(p, QRect(98, 7, 12, 12), allumee ? Etincelle : AmpouleEteinte);
        rectangle(p, QRect(101, 19, 6, 5), Gris);
        ligne(p, QPoint(101, 21), QPoint(106, 21), GrisSombre, 1);
    }
    if (e & Effet::Engrenages) {
        engrenage(p, {100, 16}, 8, phase * 15);
        engrenage(p, {114, 30}, 6, -phase * 20 + 10);
    }
    if (e & Effet::Confettis) {
        static const QColor couleurs[] = {Noeud, Etincelle, LigneBleue, Tablier, Violet, Gomme};
        quint32 graine = 7;
        for (int i = 0; i < 18; ++i) {
            graine = graine * 1103515245u + 12345u;
            const int x = int((graine >> 8) % 124) + 2;
            graine = graine * 1103515245u + 12345u;
            const int y = (int((graine >> 8) % 60) + phase * 7) % 70;
            if (x > 38 && x < 90 && y > 6)
                continue; // pas sur le visage
            rectangle(p, QRect(x, y, (i % 2) ? 3 : 2, (i % 2) ? 2 : 3), couleurs[i % 6], QColor());
        }
    }
    if (e & Effet::Zzz) {
        const int n = phase % 3 + 1;
        for (int i = 0; i < n; ++i)
            lettreZ(p, QPoint(88 + 9 * i, 30 - 10 * i), 4 + 2 * i);
    }
    if (e & Effet::Larme) {
        const int y = 50 + (phase % 3) * 3;
        ellipse(p, QRect(50, y, 4, 6), Eau, QColor(0x3A, 0x78, 0xB8));
    }
    if (e & Effet::Exclamation) {
        rectangle(p, QRect(98, 4, 5, 14), Noeud);
        rectangle(p, QRect(98, 21, 5, 5), Noeud);
    }
    if (e & Effet::Pensee) {
        ellipse(p, QRect(86, 32, 4, 4), Blanc);
        if (phase >= 1)
            ellipse(p, QRect(91, 23, 6, 6), Blanc);
        if (phase >= 2) {
            ellipse(p, QRect(96, 2, 28, 18), Blanc);
            // point d'interrogation en traits
            polyligne(p, QPolygon({{106, 7}, {108, 5}, {112, 5}, {114, 7}, {114, 9}, {110, 11}, {110, 13}}), Violet, 2);
            rectangle(p, QRect(109, 15, 2, 2), Violet, QColor());
        }
    }
    if (e & Effet::Coeur) {
        const int y = 20 - (phase % 3) * 3;
        polygone(p, QPolygon({{98, y}, {101, y - 3}, {104, y}, {107, y - 3}, {110, y}, {104, y + 7}}), Noeud);
    }
    if (e & Effet::Traits) {
        const int s = pose.dx >= 0 ? -1 : 1;
        for (int i = 0; i < 3; ++i) {
            const int x = s < 0 ? 34 - 4 * (i % 2) : 94 + 4 * (i % 2);
            ligne(p, QPoint(x, 74 + 12 * i), QPoint(x + 8 * s, 74 + 12 * i), Gris, 1);
        }
    }
}

} // namespace

QImage dessinerSam(const Pose& pose)
{
    QImage image(TailleSam, TailleSam, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (pose.echelle < 1.0) {
        p.translate(64, 125);
        p.scale(pose.echelle, pose.echelle);
        p.translate(-64, -125);
    }
    if (pose.effetsSeuls) {
        dessinerEffets(p, pose, {});
        p.end();
        return image;
    }
    p.save();
    p.translate(pose.dx, pose.dy);
    dessinerJambes(p, pose);
    dessinerTorse(p, pose);
    p.save();
    p.translate(pose.teteDx, pose.teteDy);
    dessinerTete(p, pose);
    p.restore();
    if (pose.effets & Effet::Carnet)
        dessinerCarnet(p);
    if (pose.effets & Effet::Livre)
        dessinerLivre(p, pose.phase);
    dessinerBras(p, {48, 73}, pose.gauche, false, pose.objetGauche);
    const QPointF mainDroite = dessinerBras(p, {80, 73}, pose.droit, true, pose.objetDroit);
    p.restore();
    // bout de la baguette : la main prolongée le long de l'avant-bras
    const QPointF bout = mainDroite + 18.0 * direction(pose.droit.coude, true);
    dessinerEffets(p, pose, bout + QPointF(pose.dx, pose.dy));
    p.end();
    return image;
}
