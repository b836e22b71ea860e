#include "TPaintBox.h"

#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent)
{
    // Le gestionnaire couvre toute la surface : pas de fond à effacer avant lui.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent*)
{
    if (!m_peinture)
        return;
    QPainter canevas(this);
    canevas.setFont(font());
    canevas.setPen(m_couleurPolice);
    m_peinture(*this, canevas);
}
