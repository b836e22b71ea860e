#pragma once
// Style du programme : celui de la plate-forme, dont les touches d'accès des menus, boutons
// et libellés restent soulignées (certains thèmes ne les montrent qu'après un appui sur Alt).
#include <QProxyStyle>

class StyleVatrelix : public QProxyStyle
{
public:
    int styleHint(StyleHint indice, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* retour = nullptr) const override;
};
