#pragma once
// Contrôles de la fenêtre principale peints par ses gestionnaires : barres d'outils au
// fond dégradé et vues en liste quadrillées.
#include <QStyledItemDelegate>
#include <QToolBar>

#include <functional>

class QPainter;

// Barre d'outils dont le fond est dessiné par un gestionnaire ; les boutons se dessinent ensuite.
class TBarreDegradee : public QToolBar
{
public:
    using GestionnaireFond = std::function<void(TBarreDegradee&, QPainter&)>;
    explicit TBarreDegradee(const QString& nom, QWidget* parent = nullptr);
    void surDessinFond(GestionnaireFond gestionnaire) { m_fond = std::move(gestionnaire); }

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    GestionnaireFond m_fond;
};

// Lignes de grille d'une vue en liste (bord droit et bas de chaque cellule).
class TDelegueGrille : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* peintre, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
