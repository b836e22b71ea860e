// Fonds dégradés des barres d'outils, commandes de couleur et « À propos ».
#include "U_VX_FormPrincipale.h"

#include "ControlesPeints.h"
#include "Conversions.h"
#include "Emplacements.h"
#include "Interactions.h"
#include "TPaintBox.h"
#include "U_graphic.h"
#include "U_vx_compagnon.h"

#include <QCursor>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <QToolButton>

void TFormPrincipale::appliquerCouleurTexte(QToolBar* barre)
{
    // Libellés lisibles sur le dégradé de la barre (inversé pour la barre de menus).
    const bool menus = barre == ui.barreOutilsMenu;
    const QColor couleur = couleurTexteLisible(QColor::fromRgb(versQRgb(ColorToRGB(reglages.couleurTexte))),
                                               menus ? reglages.couleurBas : reglages.couleurHaut,
                                               menus ? reglages.couleurHaut : reglages.couleurBas, barre->height(), 0,
                                               barre->height());
    const auto boutons = barre->findChildren<QToolButton*>();
    for (QToolButton* bouton : boutons) {
        QPalette palette = bouton->palette();
        palette.setColor(QPalette::ButtonText, couleur);
        palette.setColor(QPalette::WindowText, couleur);
        bouton->setPalette(palette);
    }
}

namespace {

// Un menu refermé (Échap, clic ailleurs) laisse son bouton allumé tant que la souris ne bouge
// pas : le survol est recalculé d'après la place réelle du pointeur, et la barre repeinte.
void eteindreApresMenu(QToolBar* barre, QMenu* menu)
{
    QObject::connect(menu, &QMenu::aboutToHide, barre, [barre] {
        QTimer::singleShot(0, barre, [barre] {
            for (QToolButton* bouton : barre->findChildren<QToolButton*>()) {
                const bool dessous = bouton->isVisible() && bouton->rect().contains(bouton->mapFromGlobal(QCursor::pos()));
                bouton->setAttribute(Qt::WA_UnderMouse, dessous);
                bouton->setDown(false);
            }
            barre->update();
        });
    });
}

} // namespace

void TFormPrincipale::peindreBarresOutils()
{
    // Couleur des libellés posée hors peinture : changer une palette pendant que la barre se
    // peint relance la peinture des boutons, qui restaient alors en blanc.
    appliquerCouleurTexte(ui.barreOutilsMenu);
    appliquerCouleurTexte(ui.barreOutilsPrincipale);
    for (QMenu* menu : std::as_const(ui.MainMenu1))
        eteindreApresMenu(ui.barreOutilsMenu, menu);
    eteindreApresMenu(ui.barreOutilsPrincipale, ui.menuAjouterRayon);
    eteindreApresMenu(ui.barreOutilsPrincipale, ui.menuCouleurs);
    // barreOutilsMenuAdvancedCustomDraw : le seul dégradé inversé de la fenêtre.
    static_cast<TBarreDegradee*>(ui.barreOutilsMenu)->surDessinFond([this](TBarreDegradee& barre, QPainter& canevas) {
        dessinerDegrade(canevas, reglages.couleurBas, reglages.couleurHaut, barre.height(), barre.width());
    });
    // barreOutilsPrincipaleAdvancedCustomDraw
    static_cast<TBarreDegradee*>(ui.barreOutilsPrincipale)
        ->surDessinFond([this](TBarreDegradee& barre, QPainter& canevas) {
            dessinerDegrade(canevas, reglages.couleurHaut, reglages.couleurBas, barre.height(), barre.width());
        });
    // barreOutilsRayonsAdvancedCustomDraw, barreOutilsLCAdvancedCustomDraw : couleurs fixes.
    const auto fondFixe = [](TBarreDegradee& barre, QPainter& canevas) {
        dessinerDegrade(canevas, clWhite, clGradientActiveCaption, barre.height(), barre.width());
    };
    static_cast<TBarreDegradee*>(ui.barreOutilsRayons)->surDessinFond(fondFixe);
    static_cast<TBarreDegradee*>(ui.barreOutilsLC)->surDessinFond(fondFixe);
}

void TFormPrincipale::paintEvent(QPaintEvent*)
{
    // Le fond de la fenêtre, peint par elle seule : une palette le passerait à tous les
    // panneaux et cadres des vues.
    if (!m_fondFenetre.isValid())
        return;
    QPainter canevas(this);
    canevas.fillRect(rect(), m_fondFenetre);
}

void TFormPrincipale::choisirCouleurHautExecute()
{
    TColor couleur = reglages.couleurHaut;
    if (Interactions::courantes().choisirCouleur(couleur)) {
        reglages.couleurHaut = couleur;
        // Le fond de la fenêtre aussi, visible là où aucun contrôle ne le couvre.
        m_fondFenetre = QColor::fromRgb(versQRgb(ColorToRGB(couleur)));
        update();
    }
    repeindreTousDegradesExecute();
}

void TFormPrincipale::choisirCouleurBasExecute()
{
    TColor couleur = reglages.couleurBas;
    if (Interactions::courantes().choisirCouleur(couleur))
        reglages.couleurBas = couleur;
    repeindreTousDegradesExecute();
}

void TFormPrincipale::repeindreTousDegradesExecute()
{
    // Les barres des articles et de la liste ont des couleurs fixes : pas besoin de les repeindre.
    ui.titreRayons->repaint();
    ui.titreListeCourses->repaint();
    ui.barreOutilsMenu->repaint();
    ui.barreOutilsPrincipale->repaint();
    ui.barreStatus2->repaint();
    // Chaque champ aussi : le panneau seul laissait le champ de gauche à l'ancienne couleur.
    ui.barreStatusP0->repaint();
    ui.barreStatusP1->repaint();
    if (ui.barreProgression->isVisible())
        ui.barreProgression->repaint();
    ui.barreFactureLC->repaint();
}

namespace {

const QString texteAPropos = QStringLiteral(
    "Tavelquirn - Vatrelix\n"
    "Conçu et écrit par l'équipe Tavelquirn.\n"
    "Merci de composer vos listes de courses avec ce logiciel.\n"
    "Remarques et idées sont toujours les bienvenues.");

// Moitié parlée : le nom du produit écrit comme il se prononce.
const QString texteAProposParle = QStringLiteral(
    "Tavelquirn, Vatrélix. "
    "Conçu et écrit par l'équipe Tavelquirn. "
    "Merci de composer vos listes de courses avec ce logiciel. "
    "Remarques et idées sont toujours les bienvenues.");

} // namespace

void TFormPrincipale::aProposExecute()
{
    animerCompagnon(QStringLiteral("Read"));
    // Balise \Map : le premier texte est dit, le second montré dans la bulle.
    parlerCompagnon(QStringLiteral("\\Map=\"") + texteAProposParle + QStringLiteral("\"=\"") + texteAPropos + QStringLiteral("\"\\"));
    animerCompagnon(QStringLiteral("ReadReturn"));
    // Les requêtes du compagnon sont asynchrones : la boîte paraît pendant qu'il lit.
    // La boîte dit aussi la version et où sont les données.
    Interactions::courantes().message(texteAPropos + QStringLiteral("\n\nVersion ") + QStringLiteral(VATRELIX_VERSION)
                                          + QStringLiteral("\nDossier des données : ")
                                          + QDir::toNativeSeparators(repertoireDonnees()),
                                      TypeMessage::Simple, BoutonsMessage::Ok);
}
