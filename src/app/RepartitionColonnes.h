#pragma once
// Largeurs des colonnes d'une vue en liste : les nombres à la largeur de leur contenu, les
// colonnes fixes telles quelles, et deux colonnes de texte qui se partagent la place restante.
// La part de la première se règle en tirant son bord ; la seconde prend le reste.
#include <QList>
#include <QObject>

class QTreeView;

class RepartitionColonnes : public QObject
{
public:
    // nombres : colonnes ajustées à leur contenu ; fixes : colonnes gardant leur largeur.
    RepartitionColonnes(QTreeView& vue, int texte, int reste, const QList<int>& nombres, const QList<int>& fixes,
                        double part);
    // Part de la colonne texte dans la place des deux colonnes de texte (0,1 à 0,9).
    double part() const { return m_part; }
    void definirPart(double part);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    int placeTexte() const;
    void repartir();

    QTreeView& m_vue;
    QObject* m_viewport = nullptr;
    int m_texte;
    int m_reste;
    double m_part;
    bool m_repartition = false;
    bool m_repartitionPrevue = false;
};
