#pragma once
// Boîte de dessin : garde son texte (son « hint ») et délègue sa peinture à un gestionnaire.
#include <QColor>
#include <QString>
#include <QWidget>

#include <functional>

class QPainter;

class TPaintBox : public QWidget
{
public:
    using GestionnairePeinture = std::function<void(TPaintBox&, QPainter&)>;

    explicit TPaintBox(QWidget* parent = nullptr);

    const QString& hint() const { return m_hint; }
    // Le texte se lit aussi par l'accessibilité (lecteurs d'écran) : c'est la description.
    void setHint(const QString& texte)
    {
        m_hint = texte;
        setAccessibleDescription(texte);
    }

    // Couleur de la police du canevas : blanche à la création.
    const QColor& couleurPolice() const { return m_couleurPolice; }
    void setCouleurPolice(const QColor& couleur) { m_couleurPolice = couleur; }

    void surPeinture(GestionnairePeinture gestionnaire) { m_peinture = std::move(gestionnaire); }

protected:
    void paintEvent(QPaintEvent* evenement) override;

private:
    QString m_hint;
    QColor m_couleurPolice = Qt::white;
    GestionnairePeinture m_peinture;
};
