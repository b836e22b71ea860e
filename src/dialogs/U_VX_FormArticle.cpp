#include "U_VX_FormArticle.h"

#include "Conversions.h"
#include "Erreurs.h"
#include "ImagesDialogues.h"
#include "Interactions.h"
#include "ParametresRegionaux.h"

#include <QLabel>

namespace {

// Prix : chiffres, "," "." et "|" seulement. L'un ou l'autre séparateur devient celui des
// réglages régionaux, le seul que la conversion lit. "|" passe ici mais fait échouer la
// conversion à la validation.
std::optional<QChar> filtrePrix(QChar c)
{
    const QChar separateur = ParametresRegionaux::courants().separateurDecimal;
    if (c == u'.' || c == u',' || c == separateur)
        return separateur;
    if (c == u'|' || (c >= u'0' && c <= u'9'))
        return c;
    return std::nullopt;
}

} // namespace

TFormArticle::TFormArticle(QWidget* parent)
    : FicheDialogue(QStringLiteral("FormArticle"), QSize(292, 132), QStringLiteral("titreFiche"), parent)
{
    edPrix = new ChampSaisie(this);
    edPrix->setObjectName(QStringLiteral("edPrix"));
    edPrix->setMaxLength(8);
    edPrix->setGeometry(80, 52, 105, 21);
    edPrix->definirFiltre(filtrePrix);

    Label1 = new QLabel(QStringLiteral("Prix :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(8, 54, 70, 17);
    Label1->setBuddy(edPrix);

    ImageForm = new QLabel(this);
    ImageForm->setObjectName(QStringLiteral("ImageForm"));
    ImageForm->setGeometry(196, 22, 89, 65);
    ImageForm->setPixmap(imageDecor(Decor::Etiquette, QSize(89, 65)));

    edNom = new ChampSaisie(this);
    edNom->setObjectName(QStringLiteral("edNom"));
    edNom->setMaxLength(25);
    edNom->setGeometry(80, 26, 105, 21);
    // Un "|" dans un nom casserait chaque ligne de liste qui le reprend ; un caractère de
    // contrôle, la base XML.
    edNom->definirFiltre(filtreSansBarre());

    Label2 = new QLabel(QStringLiteral("Nom :"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 28, 70, 17);
    Label2->setBuddy(edNom);

    Label3 = new QLabel(QStringLiteral("Remarque :"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(8, 80, 70, 17);

    creerBoutons(this, QPoint(212, 94), QPoint(250, 94));

    memoRemarque = new ChampSaisie(this);
    memoRemarque->setObjectName(QStringLiteral("memoRemarque"));
    memoRemarque->setMaxLength(20);
    memoRemarque->setGeometry(80, 78, 105, 21);
    memoRemarque->definirFiltre(filtreSansBarre());
    Label3->setBuddy(memoRemarque);

    relierTouches({edNom, edPrix, memoRemarque});
    setTabOrder(edNom, edPrix);
    setTabOrder(edPrix, memoRemarque);

    edNom->setAccessibleName(QStringLiteral("Nom de l'article"));
    edPrix->setAccessibleName(QStringLiteral("Prix de l'article"));
    edPrix->setAccessibleDescription(QStringLiteral("Prix unitaire en euros"));
    memoRemarque->setAccessibleName(QStringLiteral("Remarque"));
}

void TFormArticle::FormShow()
{
    if (modeModification == ModeDialogue::Ajout) {
        edNom->clear();
        edPrix->clear();
        memoRemarque->clear();
    }
    edNom->setFocus();
}

void TFormArticle::btValiderClick()
{
    Interactions& interactions = Interactions::courantes();
    if (edNom->text().isEmpty()) {
        interactions.message(QStringLiteral("Veuillez renseigner le champ \"Nom\"."), TypeMessage::Avertissement,
                             BoutonsMessage::Ok);
        return;
    }
    if (edPrix->text().isEmpty()) {
        interactions.message(QStringLiteral("Veuillez renseigner le champ \"Prix\"."), TypeMessage::Avertissement,
                             BoutonsMessage::Ok);
        return;
    }
    // Seule la réussite compte : la valeur est relue par l'appelant.
    try {
        StrToFloat(edPrix->text());
    } catch (const EConvertError&) {
        interactions.message(QStringLiteral("Mauvais format pour le prix.\nRenseigner le champ \"Prix\"."),
                             TypeMessage::Avertissement, BoutonsMessage::Ok);
        edPrix->clear();
        edPrix->setFocus();
        return;
    }
    valider();
}
