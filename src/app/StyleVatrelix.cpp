#include "StyleVatrelix.h"

int StyleVatrelix::styleHint(StyleHint indice, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* retour) const
{
    if (indice == SH_UnderlineShortcut)
        return 1;
    return QProxyStyle::styleHint(indice, option, widget, retour);
}
