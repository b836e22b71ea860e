#pragma once
// Fenêtre d'un personnage : sans cadre, au-dessus des autres, sans prise de focus, peinte
// depuis la trame courante ; les pixels transparents laissent passer les clics (masque).
#include <QImage>
#include <QPoint>
#include <QRasterWindow>
#include <QRegion>
#include <functional>

// Mot des touches et boutons des notifications de souris.
namespace ToucheSouris {
constexpr int Gauche = 0x01;
constexpr int Droite = 0x02;
constexpr int Majuscule = 0x04;
constexpr int Controle = 0x08;
constexpr int Milieu = 0x10;
constexpr int BoutonX = 0x20;
constexpr int Alt = 0x1000;
}

// Faux sur les plates-formes sans forme de fenêtre (offscreen, minimal).
bool masquesPossibles();

// Pose les drapeaux communs aux fenêtres du service (personnage et bulle).
void preparerFenetreFlottante(QWindow& fenetre);

class FenetrePersonnage : public QRasterWindow
{
    Q_OBJECT
public:
    struct Rappels
    {
        std::function<void(int touches, QPoint global)> clic;
        std::function<void(int touches, QPoint global)> doubleClic;
        std::function<void(int touches, QPoint global)> debutGlisser;
        std::function<void(int touches, QPoint global)> finGlisser;
    };

    FenetrePersonnage();

    void definirRappels(Rappels rappels) { m_rappels = std::move(rappels); }
    // Image (ARGB prémultipliée, à la taille d'origine) et masque de ses pixels opaques.
    void afficherTrame(const QImage& image, const QRegion& masque);
    const QImage& trame() const { return m_image; }
    // Taille d'affichage : la trame et son masque sont mis à l'échelle.
    void redimensionner(const QSize& taille);
    // Masque à la taille de la fenêtre (posé sur la fenêtre quand la plate-forme le permet).
    const QRegion& masqueApplique() const { return m_masqueApplique; }
    // La fenêtre telle qu'elle se peint, dans une image transparente.
    QImage rendu() const;
    int nombrePeintures() const { return m_peintures; }
    qint64 nanosecondesPeinture() const { return m_nsPeinture; } // cumul des peintures

    static int motTouches(Qt::MouseButtons boutons, Qt::KeyboardModifiers modificateurs);

protected:
    void paintEvent(QPaintEvent* evenement) override;
    void resizeEvent(QResizeEvent* evenement) override;
    void mousePressEvent(QMouseEvent* evenement) override;
    void mouseMoveEvent(QMouseEvent* evenement) override;
    void mouseReleaseEvent(QMouseEvent* evenement) override;
    void mouseDoubleClickEvent(QMouseEvent* evenement) override;

private:
    void peindre(QPainter& peintre) const;
    void appliquerMasque();

    Rappels m_rappels;
    QImage m_image;
    QRegion m_masque;
    QRegion m_masqueApplique;
    bool m_appuye = false;
    bool m_glisse = false;
    bool m_doubleClic = false;
    QPoint m_departCurseur;
    QPoint m_departFenetre;
    int m_touchesAppui = 0;
    int m_peintures = 0;
    qint64 m_nsPeinture = 0;
};
