#include "U_VX_FormOrdreMagasin.h"

#include "MagasinLC.h"
#include "TPaintBox.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int kRoleChemin = Qt::UserRole;

QPushButton* creerBouton(QWidget* parent, const char* nom, const QString& texte, const QRect& place)
{
    auto* bouton = new QPushButton(texte, parent);
    bouton->setObjectName(QLatin1String(nom));
    bouton->setGeometry(place);
    // Entrée valide le dialogue, jamais un déplacement.
    bouton->setAutoDefault(false);
    return bouton;
}

} // namespace

TformOrdreMagasin::TformOrdreMagasin(QWidget* parent)
    : FicheDialogue(QStringLiteral("formOrdreMagasin"), QSize(330, 330), QStringLiteral("titreForm"), parent)
{
    setWindowTitle(QStringLiteral("Vatrelix ORDRE DU MAGASIN"));
    setTitre(QStringLiteral("Ordre de passage des rayons"));

    auto* invite = new QLabel(QStringLiteral("&Rayons, du premier au dernier :"), this);
    invite->setObjectName(QStringLiteral("lbInvite"));
    invite->move(8, 22);
    invite->adjustSize();

    lbRayons = new QListWidget(this);
    lbRayons->setObjectName(QStringLiteral("lbRayons"));
    lbRayons->setGeometry(8, 40, 226, 282);
    lbRayons->setDragDropMode(QAbstractItemView::InternalMove);
    lbRayons->setDefaultDropAction(Qt::MoveAction);
    lbRayons->setSelectionMode(QAbstractItemView::SingleSelection);
    lbRayons->setAccessibleName(QStringLiteral("Rayons dans l'ordre du magasin"));
    lbRayons->setAccessibleDescription(
        QStringLiteral("Ctrl+Haut et Ctrl+Bas déplacent le rayon choisi ; on peut aussi le faire glisser"));
    lbRayons->installEventFilter(this);
    invite->setBuddy(lbRayons);

    btMonter = creerBouton(this, "btMonter", QStringLiteral("&Monter"), QRect(242, 40, 80, 26));
    btMonter->setToolTip(QStringLiteral("Passer ce rayon avant le précédent (Ctrl+Haut)"));
    btDescendre = creerBouton(this, "btDescendre", QStringLiteral("&Descendre"), QRect(242, 72, 80, 26));
    btDescendre->setToolTip(QStringLiteral("Passer ce rayon après le suivant (Ctrl+Bas)"));
    connect(btMonter, &QPushButton::clicked, this, [this] { deplacer(-1); });
    connect(btDescendre, &QPushButton::clicked, this, [this] { deplacer(1); });
    connect(lbRayons, &QListWidget::currentRowChanged, this, [this] { majBoutons(); });
    // Un glissement déplace aussi la rangée courante.
    connect(lbRayons->model(), &QAbstractItemModel::rowsMoved, this, [this] { majBoutons(); });

    creerBoutons(this, QPoint(248, 289), QPoint(289, 289));
    majBoutons();
}

void TformOrdreMagasin::setChemins(const QStringList& chemins)
{
    lbRayons->clear();
    for (const QString& chemin : chemins) {
        auto* element = new QListWidgetItem(QString(chemin).replace(kSeparateurChemin, QStringLiteral(" › ")));
        element->setData(kRoleChemin, chemin);
        element->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled);
        lbRayons->addItem(element);
    }
    lbRayons->setCurrentRow(chemins.isEmpty() ? -1 : 0);
    majBoutons();
}

QStringList TformOrdreMagasin::chemins() const
{
    QStringList resultat;
    for (int i = 0; i < lbRayons->count(); ++i)
        resultat << lbRayons->item(i)->data(kRoleChemin).toString();
    return resultat;
}

void TformOrdreMagasin::deplacer(int sens)
{
    const int ligne = lbRayons->currentRow();
    const int cible = ligne + sens;
    if (ligne < 0 || cible < 0 || cible >= lbRayons->count())
        return;
    QListWidgetItem* element = lbRayons->takeItem(ligne);
    lbRayons->insertItem(cible, element);
    lbRayons->setCurrentRow(cible);
    majBoutons();
}

void TformOrdreMagasin::majBoutons()
{
    const int ligne = lbRayons->currentRow();
    btMonter->setEnabled(ligne > 0);
    btDescendre->setEnabled(ligne >= 0 && ligne + 1 < lbRayons->count());
}

void TformOrdreMagasin::FormShow()
{
    lbRayons->setFocus();
}

void TformOrdreMagasin::btValiderClick()
{
    valider();
}

bool TformOrdreMagasin::eventFilter(QObject* objet, QEvent* evenement)
{
    if (objet == lbRayons && evenement->type() == QEvent::KeyPress) {
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        if (touche->modifiers() == Qt::ControlModifier
            && (touche->key() == Qt::Key_Up || touche->key() == Qt::Key_Down)) {
            deplacer(touche->key() == Qt::Key_Up ? -1 : 1);
            return true;
        }
        if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
            btValiderClick();
            return true;
        }
    }
    return FicheDialogue::eventFilter(objet, evenement);
}
