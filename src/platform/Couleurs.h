#pragma once
// TColor : 0x00BBGGRR, ou 0x80000000 + numéro de couleur système.
#include <QtGlobal>

using TColor = qint32;

constexpr TColor clBlack = 0x00000000;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clCream = 0x00F0FBFF;
constexpr TColor clSkyBlue = 0x00F0CAA6;
constexpr TColor clBtnFace = TColor(0x8000000F);
constexpr TColor clWindowText = TColor(0x80000008);
constexpr TColor clDesktop = TColor(0x80000001);          // couleur système 1
constexpr TColor clGradientActiveCaption = TColor(0x8000001B); // couleur système 27

// Couleur RGB composée comme TColor (rouge dans l'octet bas).
constexpr TColor RGBCouleur(int r, int g, int b)
{
    return TColor((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
