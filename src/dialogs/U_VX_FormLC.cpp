#include "U_VX_FormLC.h"

#include "Conversions.h"
#include "Erreurs.h"
#include "ImagesDialogues.h"
#include "Interactions.h"
#include "TPaintBox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>

namespace {

QLabel* creerLibelle(QWidget* parent, const char* nom, const QString& texte, int x, int y)
{
    auto* libelle = new QLabel(texte, parent);
    libelle->setObjectName(QLatin1String(nom));
    libelle->move(x, y);
    libelle->adjustSize();
    return libelle;
}

// Boîte de quantité stricte : un texte qui n'est pas fait que de chiffres est refusé entier,
// sans quoi la boîte lirait "1,5" comme 15 (virgule prise pour un séparateur de milliers, ou
// avalée en silence). Chaque refus est annoncé à surRefus avec sa raison.
class ChampQuantite : public QSpinBox
{
public:
    using QSpinBox::QSpinBox;

    std::function<void(const QString& raison)> surRefus;

protected:
    QValidator::State validate(QString& texte, int& position) const override
    {
        const bool chiffres = std::all_of(texte.cbegin(), texte.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        const QValidator::State etat = chiffres ? QSpinBox::validate(texte, position) : QValidator::Invalid;
        // La boîte ne valide que ce qui entre : un refus répond toujours à une saisie.
        if (etat == QValidator::Invalid && surRefus) {
            surRefus(chiffres ? QStringLiteral("La quantité ne peut pas dépasser ") + IntToStr(maximum()) + u'.'
                              : QStringLiteral("La quantité se compte en unités entières : seuls les chiffres "
                                               "sont admis."));
        }
        return etat;
    }
};

// Positions et largeurs décrites, pour des montants ordinaires.
constexpr int kLargeurFenetre = 269;
constexpr int kGaucheMontants = 72;
constexpr int kDroiteMontants = 148;
constexpr int kGaucheImage = 176;

} // namespace

TformLC::TformLC(QWidget* parent)
    : FicheDialogue(QStringLiteral("formLC"), QSize(kLargeurFenetre, 114), QStringLiteral("titreForm"), parent)
{
    Label1 = creerLibelle(this, "Label1", QStringLiteral("Nombre d'article(s) :"), 8, 24);
    Label1->setFont(titreForm->font());
    Label1->adjustSize();

    auto* champQuantite = new ChampQuantite(this);
    seNb = champQuantite;
    seNb->setObjectName(QStringLiteral("seNb"));
    seNb->setGeometry(24, 40, 137, 30);
    QFont grande = font();
    grande.setPointSize(12);
    grande.setBold(true);
    seNb->setFont(grande);
    seNb->setRange(1, 99999);
    seNb->setValue(1);
    seNb->installEventFilter(this);
    seNb->setAccessibleName(QStringLiteral("Nombre d'articles"));
    seNb->setAccessibleDescription(QStringLiteral("Quantité à acheter, en unités entières"));

    Label2 = creerLibelle(this, "Label2", QStringLiteral("Prix unitaire :"), 8, 76);
    // Montants alignés à droite contre le signe euro ; disposer() les place.
    lbPU = creerLibelle(this, "lbPU", QString(), kGaucheMontants, 76);
    lbPU->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6 = creerLibelle(this, "Label6", QStringLiteral("€"), 152, 76);
    Label3 = creerLibelle(this, "Label3", QStringLiteral("Total :"), 8, 94);
    lbTotal = creerLibelle(this, "lbTotal", QString(), kGaucheMontants, 94);
    lbTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label7 = creerLibelle(this, "Label7", QStringLiteral("€"), 152, 94);

    ImageForm = new QLabel(this);
    ImageForm->setObjectName(QStringLiteral("ImageForm"));
    ImageForm->setGeometry(176, 16, 89, 65);
    ImageForm->setAlignment(Qt::AlignCenter);
    ImageForm->setPixmap(imageDecor(Decor::Panier, QSize(89, 60)));

    // Après l'image, qu'ils chevauchent d'une rangée : ils passent devant elle.
    creerBoutons(this, QPoint(184, 80), QPoint(224, 80));

    m_bulleRefus = new BulleRefus(this);
    champQuantite->surRefus = [this](const QString& raison) { m_bulleRefus->signaler(*seNb, raison); };
    disposer();

    // Le champ d'édition de la boîte signale aussi un texte hors plage (0), que la boîte tait.
    connect(seNb->findChild<QLineEdit*>(), &QLineEdit::textChanged, this, &TformLC::seNbChange);
}

void TformLC::setPrixUnitaire(const QString& texte)
{
    lbPU->setText(texte);
    disposer();
}

void TformLC::disposer()
{
    ensurePolished();
    for (QLabel* libelle : {Label2, Label3, Label6, Label7})
        libelle->adjustSize();
    // Colonne des montants : à droite des libellés, bord droit décrit tant qu'il suffit.
    const QFontMetrics mesure(lbPU->font());
    const int gauche = std::max({kGaucheMontants, Label2->geometry().right() + 4, Label3->geometry().right() + 4});
    const int besoin = std::max(mesure.horizontalAdvance(lbPU->text()), largeurTotalMax(mesure));
    const int droite = std::max(kDroiteMontants, gauche + besoin);
    const int hauteur = std::max(lbPU->sizeHint().height(), mesure.height());
    lbPU->setGeometry(gauche, 76, droite - gauche, hauteur);
    lbTotal->setGeometry(gauche, 94, droite - gauche, hauteur);
    Label6->move(droite + 4, 76);
    Label7->move(droite + 4, 94);

    // Image et boutons glissent à droite, et la fenêtre s'élargit, quand montants ou titre débordent.
    const int finMontants = droite + 4 + std::max(Label6->width(), Label7->width()) + 4;
    const int finTitre = QFontMetrics(titreForm->font()).horizontalAdvance(titre()) + 16;
    const int decalage = std::max({0, finMontants - kGaucheImage, finTitre - kLargeurFenetre});
    ImageForm->move(kGaucheImage + decalage, 16);
    btValider->move(184 + decalage, 80);
    btAnnuler->move(224 + decalage, 80);
    setFixedSize(kLargeurFenetre + decalage, 114);
    titreForm->setGeometry(0, 0, width(), 17);
}

int TformLC::largeurTotalMax(const QFontMetrics& mesure) const
{
    double prix = 0;
    try {
        prix = StrToFloat(lbPU->text());
    } catch (const EConvertError&) {
        return 0;
    }
    // Le total de la plus grande quantité, chaque chiffre pris au plus large : tout autre
    // total a au plus autant de chiffres.
    QChar large = u'0';
    for (char16_t c = u'1'; c <= u'9'; ++c) {
        if (mesure.horizontalAdvance(QChar(c)) > mesure.horizontalAdvance(large))
            large = QChar(c);
    }
    QString texte = FormatFloat(QStringLiteral("0.00"), prix * seNb->maximum());
    for (QChar& c : texte) {
        if (c >= u'0' && c <= u'9')
            c = large;
    }
    return mesure.horizontalAdvance(texte);
}

int TformLC::quantite() const
{
    // Le texte fait foi : la boîte garderait sinon la dernière valeur dans la plage.
    bool ok = false;
    const int n = seNb->cleanText().toInt(&ok);
    return ok ? n : 0;
}

void TformLC::setQuantite(int quantite)
{
    seNb->setValue(quantite);
}

void TformLC::showEvent(QShowEvent* evenement)
{
    // Disposé avant que QDialog ne centre la fenêtre : sa largeur peut changer.
    if (!evenement->spontaneous())
        disposer();
    FicheDialogue::showEvent(evenement);
}

void TformLC::hideEvent(QHideEvent* evenement)
{
    m_bulleRefus->hide();
    QDialog::hideEvent(evenement);
}

void TformLC::FormShow()
{
    if (modeModification == ModeDialogue::Ajout)
        seNb->setValue(1);
    seNbChange();
    seNb->setFocus();
    // La quantité proposée est sélectionnée : le premier chiffre tapé la remplace.
    seNb->selectAll();
}

void TformLC::seNbChange()
{
    // L'appelant fixe prix et quantité dans l'ordre qu'il veut : l'affichage recalcule.
    if (!isVisible())
        return;
    // Un prix illisible (liste écrite sous d'autres réglages) est signalé sans fermer le dialogue.
    try {
        lbTotal->setText(FormatFloat(QStringLiteral("0.00"), StrToFloat(lbPU->text()) * quantite()));
    } catch (const EConvertError& erreur) {
        lbTotal->clear();
        Interactions::courantes().erreurStandard(erreur.message());
    }
}

void TformLC::btValiderClick()
{
    if (quantite() >= 1)
        valider();
    else
        valide = false;
}

bool TformLC::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == seNb && evenement->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        // Avant la boîte : elle ramènerait sinon un 0 tapé à la dernière valeur admise.
        if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
            btValiderClick();
            return true;
        }
        if (touche->key() == Qt::Key_Escape) {
            btAnnulerClick();
            return true;
        }
    }
    return QDialog::eventFilter(objet, evenement);
}
