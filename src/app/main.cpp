// Point d'entrée : ligne de commande, verrou du dossier de données (ou remise à la copie qui
// le tient), fenêtre principale (qui lit la configuration), module de données, dialogues,
// puis la boucle d'événements.
#include "AttachePersonnages.h"
#include "DepartPersonnage.h"
#include "Emplacements.h"
#include "Erreurs.h"
#include "InteractionsQt.h"
#include "LigneCommande.h"
#include "MesureDemarrage.h"
#include "ParametresRegionaux.h"
#include "ReglagesUtilisateur.h"
#include "RemiseInstance.h"
#include "PlateformeAffichage.h"
#include "ServeurPersonnages.h"
#include "StyleVatrelix.h"
#include "Traductions.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormArticle.h"
#include "U_VX_FormLC.h"
#include "U_VX_FormPrincipale.h"
#include "U_VX_FormRayon.h"
#include "U_VX_Options.h"
#include "U_vx_compagnon.h"
#include "VerrouDonnees.h"

#include <QApplication>
#include <QDir>
#include <QLockFile>

#include <cstdio>

namespace {

// Une seconde copie attend au plus ce temps que la première prenne sa liste.
constexpr int k_delaiRemiseMs = 5000;

} // namespace

int main(int argc, char* argv[])
{
    // Aide, version et arguments refusés : avant l'application, sans affichage.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const LigneCommande ligne = analyserLigneCommande(arguments, QDir::currentPath());
    if (ligne.action != LigneCommande::Action::Demarrer) {
        std::FILE* sortie = ligne.action == LigneCommande::Action::Refus ? stderr : stdout;
        std::fputs(ligne.texte.toUtf8().constData(), sortie);
        return codeSortie(ligne);
    }
    // Sous Wayland, le compagnon ne pourrait pas se placer : X11 par XWayland quand il est là.
    choisirPlateformeAffichage();
    // Les arguments sont lus : Qt n'en reçoit aucun (un nom de fichier n'est pas une option de Qt).
    int argcQt = 1;
    QApplication application(argcQt, argv);
    QApplication::setStyle(new StyleVatrelix);
    // Pas de nom d'affichage : Qt l'ajouterait à chaque titre de fenêtre
    // ("… - Tavelquirn - Vatrelix 2006").
    QCoreApplication::setOrganizationName(QStringLiteral("Tavelquirn"));
    QCoreApplication::setApplicationName(QStringLiteral("vatrelix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VATRELIX_VERSION));
    installerTraductionsFrancaises(application);
    ParametresRegionaux::definir(ParametresRegionaux::depuisEnvironnement());
    InteractionsQt interactions;
    Interactions::definir(&interactions);
    // Un seul écrivain par dossier de données : une seconde copie remet sa liste à la première
    // et s'arrête avant d'avoir lu quoi que ce soit ; sans réponse de la première, elle le dit.
    QString dejaOuvert;
    const std::unique_ptr<QLockFile> verrou = verrouillerDossierDonnees(repertoireDonnees(), dejaOuvert);
    if (!verrou) {
        if (remettreAInstance(nomServeurInstance(repertoireDonnees()), ligne.fichier, k_delaiRemiseMs)) {
            Interactions::definir(nullptr);
            return 0;
        }
        interactions.message(dejaOuvert, TypeMessage::Avertissement, BoutonsMessage::Ok);
        Interactions::definir(nullptr);
        return 1;
    }
    // Programme installé en lecture seule : la base d'exemple va au dossier de l'utilisateur.
    if (!preparerRepertoireDonnees())
        interactions.message(QStringLiteral("La base d'exemple n'a pas pu être copiée dans \"%1\".")
                                 .arg(QDir::toNativeSeparators(repertoireDonnees())),
                             TypeMessage::Avertissement, BoutonsMessage::Ok);
    // Le serveur de personnages du programme tient lieu du service d'agents de la plate-forme.
    enregistrerServicePersonnages();

    int code = 0;
    try {
        TFormPrincipale fenetre;
        interactions.definirParent(&fenetre);
        fenetre.retenirEtatDans(cheminReglagesUtilisateur());
        QApplication::setWindowIcon(fenetre.windowIcon());
        // Le compagnon appartient à la fenêtre principale, dont la fenêtre native naît ici.
        fenetre.winId();
        attacherPersonnagesA(fenetre.windowHandle());
        TdmVatrelix dmVatrelix;
        initialiserCompagnon();
        fenetre.attacherModuleDonnees(&dmVatrelix);
        // Les dialogues vivent jusqu'à la fin, enfants de la fenêtre principale.
        fenetre.attacherDialogues(new TFormArticle(&fenetre), new TformRayon(dmVatrelix, &fenetre),
                                  new TformLC(&fenetre), new TformOptions(&fenetre));
        // Les copies suivantes remettent leur liste à celle-ci.
        ServeurInstance serveur;
        QObject::connect(&serveur, &ServeurInstance::remise, &fenetre,
                         [&fenetre](const QString& chemin) { fenetre.recevoirListeRemise(chemin); });
        serveur.ecouter(nomServeurInstance(repertoireDonnees()));
        if (!ligne.fichier.isEmpty())
            fenetre.ouvrirAuDemarrage(ligne.fichier);
        mesurerDemarrage(fenetre);
        enregistrerBaseSurDemande(fenetre);
        fenetre.show();
        code = application.exec();
        // Un départ encore en cours à la sortie va à son terme (borné), la fenêtre encore là.
        DepartPersonnage::laisserFinir();
        terminerCompagnon();
    } catch (const EVatrelix& e) {
        interactions.definirParent(nullptr);
        interactions.erreurStandard(e.message());
    } catch (const std::exception& e) {
        interactions.definirParent(nullptr);
        interactions.erreurStandard(QString::fromLocal8Bit(e.what()));
    }
    Interactions::definir(nullptr);
    return code;
}
