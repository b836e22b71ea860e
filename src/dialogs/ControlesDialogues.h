#pragma once
// Contrôles communs aux dialogues : champ de saisie à touches Entrée/Échap et filtre de
// caractères, bulle de refus, image cliquable de 33 × 33, groupe de boutons radio indexé.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <optional>

class QRadioButton;

class ChampSaisie : public QLineEdit
{
public:
    // Rend le caractère à insérer à la place de c, ou rien pour l'avaler.
    using FiltreCaractere = std::function<std::optional<QChar>(QChar c)>;

    explicit ChampSaisie(QWidget* parent = nullptr);

    // Entrée et Échap sont consommées ici ; sans gestionnaire elles ne font rien.
    std::function<void()> surEntree;
    std::function<void()> surEchap;

    // Le filtre vaut pour la frappe comme pour le collage et le glisser-déposer.
    void definirFiltre(FiltreCaractere filtre);

protected:
    void keyPressEvent(QKeyEvent* evenement) override;
};

// Pose un filtre sur un champ quelconque (celui d'une boîte de saisie de Qt, par exemple).
void filtrerSaisie(QLineEdit& champ, ChampSaisie::FiltreCaractere filtre);

// Filtre d'un champ d'une ligne : avale ce qu'un document XML ne peut pas porter, ainsi que
// tabulation, CR et LF, qui casseraient un nom ou une ligne de liste.
ChampSaisie::FiltreCaractere filtreUneLigne();
// Le même, qui avale aussi "|", le séparateur des champs d'une ligne de liste.
ChampSaisie::FiltreCaractere filtreSansBarre();

// Bulle brève sous un champ, avec un bip : dit pourquoi une frappe vient d'être refusée.
// Elle se cache seule après quelques secondes.
class BulleRefus : public QLabel
{
public:
    explicit BulleRefus(QWidget* parent);
    void signaler(const QWidget& champ, const QString& raison);

private:
    QTimer m_minuterie;
};

// Image utilisée comme bouton : 33 × 33, sans prise de focus.
QToolButton* creerBoutonImage(QWidget* parent, const QIcon& image, const QString& infobulle);

// Groupe de boutons radio à la manière d'un TRadioGroup : un indice, -1 sans choix.
class TRadioGroup : public QGroupBox
{
public:
    TRadioGroup(const QString& titre, const QStringList& elements, QWidget* parent = nullptr);
    int itemIndex() const;
    void setItemIndex(int indice);
    QRadioButton* bouton(int indice) const { return m_boutons.at(indice); }

private:
    QList<QRadioButton*> m_boutons;
};
