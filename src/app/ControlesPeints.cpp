#include "ControlesPeints.h"

#include <QPainter>

TBarreDegradee::TBarreDegradee(const QString& nom, QWidget* parent) : QToolBar(parent)
{
    setObjectName(nom);
    setMovable(false);
    setFloatable(false);
}

void TBarreDegradee::paintEvent(QPaintEvent* evenement)
{
    if (!m_fond) {
        QToolBar::paintEvent(evenement);
        return;
    }
    QPainter canevas(this);
    m_fond(*this, canevas);
}

void TDelegueGrille::paint(QPainter* peintre, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(peintre, option, index);
    peintre->save();
    peintre->setPen(QColor(0xC0, 0xC0, 0xC0));
    const QRect r = option.rect;
    peintre->drawLine(r.right(), r.top(), r.right(), r.bottom());
    peintre->drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    peintre->restore();
}
