#include "Palettes.h"

#include "Conversions.h"

#include <QPalette>
#include <QWidget>

void fondCreme(QWidget* vue)
{
    QPalette palette = vue->palette();
    palette.setColor(QPalette::Base, QColor::fromRgb(versQRgb(clCream)));
    vue->setPalette(palette);
}
