#include "ControlesDialogues.h"

#include "Conversions.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>
#include <QToolTip>
#include <QValidator>
#include <QVBoxLayout>

namespace {

// Applique le filtre à tout texte qui entre : le validateur peut réécrire la saisie.
class ValidateurFiltre : public QValidator
{
public:
    ValidateurFiltre(ChampSaisie::FiltreCaractere filtre, QObject* parent)
        : QValidator(parent), m_filtre(std::move(filtre))
    {
    }

    State validate(QString& texte, int& position) const override
    {
        QString filtre;
        filtre.reserve(texte.size());
        int nouvellePosition = position;
        for (qsizetype i = 0; i < texte.size(); ++i) {
            const std::optional<QChar> c = m_filtre(texte.at(i));
            if (c) {
                filtre.append(*c);
            } else if (i < position) {
                --nouvellePosition;
            }
        }
        texte = filtre;
        position = nouvellePosition;
        return Acceptable;
    }

private:
    ChampSaisie::FiltreCaractere m_filtre;
};

} // namespace

ChampSaisie::ChampSaisie(QWidget* parent) : QLineEdit(parent) {}

void ChampSaisie::definirFiltre(FiltreCaractere filtre)
{
    filtrerSaisie(*this, std::move(filtre));
}

void filtrerSaisie(QLineEdit& champ, ChampSaisie::FiltreCaractere filtre)
{
    champ.setValidator(new ValidateurFiltre(std::move(filtre), &champ));
}

void ChampSaisie::keyPressEvent(QKeyEvent* evenement)
{
    switch (evenement->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        evenement->accept();
        if (surEntree)
            surEntree();
        return;
    case Qt::Key_Escape:
        evenement->accept();
        if (surEchap)
            surEchap();
        return;
    default:
        QLineEdit::keyPressEvent(evenement);
    }
}

ChampSaisie::FiltreCaractere filtreUneLigne()
{
    return [](QChar c) -> std::optional<QChar> {
        if (caractereInterditXml(c.unicode()) || c == u'\t' || c == u'\r' || c == u'\n')
            return std::nullopt;
        return c;
    };
}

ChampSaisie::FiltreCaractere filtreSansBarre()
{
    return [uneLigne = filtreUneLigne()](QChar c) -> std::optional<QChar> {
        if (c == u'|')
            return std::nullopt;
        return uneLigne(c);
    };
}

BulleRefus::BulleRefus(QWidget* parent) : QLabel(parent, Qt::ToolTip)
{
    setObjectName(QStringLiteral("bulleRefus"));
    setPalette(QToolTip::palette());
    setFont(QToolTip::font());
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(3);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_minuterie.setSingleShot(true);
    m_minuterie.setInterval(4000);
    connect(&m_minuterie, &QTimer::timeout, this, &QWidget::hide);
}

void BulleRefus::signaler(const QWidget& champ, const QString& raison)
{
    QApplication::beep();
    setText(raison);
    adjustSize();
    move(champ.mapToGlobal(QPoint(0, champ.height() + 2)));
    show();
    raise();
    m_minuterie.start();
}

QToolButton* creerBoutonImage(QWidget* parent, const QIcon& image, const QString& infobulle)
{
    auto* bouton = new QToolButton(parent);
    bouton->setIcon(image);
    bouton->setIconSize(QSize(33, 33));
    bouton->setFixedSize(33, 33);
    bouton->setAutoRaise(true);
    bouton->setFocusPolicy(Qt::NoFocus);
    bouton->setToolTip(infobulle);
    bouton->setAccessibleName(infobulle);
    bouton->setCursor(Qt::PointingHandCursor);
    return bouton;
}

TRadioGroup::TRadioGroup(const QString& titre, const QStringList& elements, QWidget* parent)
    : QGroupBox(titre, parent)
{
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(8, 4, 8, 4);
    disposition->setSpacing(2);
    for (const QString& element : elements) {
        auto* bouton = new QRadioButton(element, this);
        disposition->addWidget(bouton);
        m_boutons.append(bouton);
    }
}

int TRadioGroup::itemIndex() const
{
    for (qsizetype i = 0; i < m_boutons.size(); ++i) {
        if (m_boutons.at(i)->isChecked())
            return int(i);
    }
    return -1;
}

void TRadioGroup::setItemIndex(int indice)
{
    if (indice >= 0 && indice < m_boutons.size())
        m_boutons.at(indice)->setChecked(true);
}
