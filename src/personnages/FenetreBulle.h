#pragma once
// Bulle de parole : seconde fenêtre flottante, cadre arrondi et queue pointée vers le personnage,
// couleurs et police de la bulle du personnage, texte coupé en lignes de N caractères.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QRasterWindow>
#include <QRect>
#include <QStringList>

struct StyleBulle
{
    QColor texte{Qt::black};
    QColor fond{255, 255, 225};
    QColor bordure{Qt::black};
    QFont police;
    int lignes = 2;
    int caracteresParLigne = 32;
    // Taille au texte : toutes les lignes paraissent (dans la hauteur de l'écran) ; sinon la
    // bulle garde au plus `lignes` lignes et fait défiler le texte.
    bool tailleAuTexte = false;
};

struct PlacementBulle
{
    QPoint position;        // coin haut gauche de la fenêtre
    bool queueEnBas = true; // bulle au-dessus du personnage
    int xQueue = 0;         // abscisse de la pointe, relative à la fenêtre
};

constexpr int HauteurQueueBulle = 14;
constexpr int MargeBulle = 8;

// Au-dessus du personnage si la place le permet, sinon en dessous ; toujours dans l'écran.
PlacementBulle placerBulle(const QRect& personnage, const QSize& taille, const QRect& ecran);

class FenetreBulle : public QRasterWindow
{
    Q_OBJECT
public:
    FenetreBulle();

    void definirStyle(const StyleBulle& style);
    const StyleBulle& style() const { return m_style; }
    // Texte déjà dit (les dernières lignes sont montrées), placé près du personnage.
    void montrerTexte(const QString& texte, const QRect& personnage);
    QStringList lignesAffichees() const { return m_lignes; }
    const QImage& rendu() const { return m_rendu; }

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    void composer(const PlacementBulle& placement);

    StyleBulle m_style;
    QStringList m_lignes;
    QImage m_rendu;
};
