// Partage de la liste : copie en texte, export CSV ou texte, listes récentes du menu Fichier.
#include "U_VX_FormPrincipale.h"

#include "FichierTexte.h"
#include "Interactions.h"
#include "PartageLC.h"
#include "ReglagesUtilisateur.h"
#include "SelectionVues.h"
#include "U_VX_DataModule.h"
#include "U_vx_compagnon.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace {

const QString kCleListesRecentes = u"listes/recentes"_s;
constexpr int kListesRecentesMax = 8;

} // namespace

void TFormPrincipale::copierLCExecute()
{
    if (dm->listeCourses.isEmpty())
        return;
    const QList<int> choisies = rangeesSelectionnees(*ui.lvListeCourses);
    QGuiApplication::clipboard()->setText(texteListePartage(dm->listeCourses, choisies));
    ecrireStatut((choisies.isEmpty() ? u"Liste de courses copiée"_s
                                     : u"%1 ligne(s) de la liste copiée(s)"_s.arg(choisies.size()))
                 + u" dans le presse-papiers ["_s + horodatage() + u']');
}

void TFormPrincipale::exporterLCExecute()
{
    if (dm->listeCourses.isEmpty()) {
        Interactions::courantes().message(u"La liste de courses est vide : il n'y a rien à exporter."_s,
                                          TypeMessage::Simple, BoutonsMessage::Ok);
        return;
    }
    QString nom = QFileInfo(reglages.fichierLC).completeBaseName();
    if (!nom.isEmpty())
        nom = QFileInfo(reglages.fichierLC).dir().filePath(nom + u".csv"_s);
    DialogueFichier dialogue{u"Exporter la liste de courses"_s,
                             u"Tableur CSV (*.csv)|*.csv|Texte (*.txt)|*.txt"_s, nom, {}};
    if (!Interactions::courantes().enregistrerFichier(dialogue))
        return;
    QString chemin = dialogue.nomFichier;
    // Le type vient de l'extension ; sans extension connue, du type choisi dans le dialogue.
    const QString extension = QFileInfo(chemin).suffix().toLower();
    bool texte = extension == u"txt";
    if (extension != u"csv" && !texte) {
        texte = dialogue.filtreChoisi == 1;
        chemin += texte ? u".txt"_s : u".csv"_s;
    }
    if (QFileInfo::exists(chemin)
        && Interactions::courantes().message(u"Le fichier \"%1\" existe déjà.\nVoulez-vous le remplacer ?"_s.arg(chemin),
                                             TypeMessage::Confirmation, BoutonsMessage::OuiNon, ReponseMessage::Non)
               != ReponseMessage::Oui)
        return;
    ecrireOctets(chemin, texte ? octetsTexte(dm->listeCourses) : octetsCSV(dm->listeCourses), Sauvegarde::Aucune);
    ecrireStatut(u"Exportation de la liste dans '"_s + chemin + u"' ["_s + horodatage() + u']');
}

QStringList TFormPrincipale::listesRecentes()
{
    QStringList listes = reglagesUtilisateur().value(kCleListesRecentes).toStringList();
    listes.removeAll(QString());
    return listes.mid(0, kListesRecentesMax);
}

void TFormPrincipale::retenirListeRecente(const QString& chemin)
{
    if (chemin.isEmpty())
        return;
    const QString absolu = QFileInfo(chemin).absoluteFilePath();
    QStringList listes = listesRecentes();
    listes.removeAll(absolu);
    listes.prepend(absolu);
    reglagesUtilisateur().setValue(kCleListesRecentes, listes.mid(0, kListesRecentesMax));
}

void TFormPrincipale::ouvrirListeRecente(const QString& chemin)
{
    // Une liste disparue quitte le menu ; l'ouverture dit pourquoi, comme la commande Ouvrir.
    if (!QFileInfo(chemin).isFile()) {
        QStringList listes = listesRecentes();
        listes.removeAll(chemin);
        reglagesUtilisateur().setValue(kCleListesRecentes, listes);
    }
    ouvrirFichierLC(chemin);
}

void TFormPrincipale::construireListesRecentes()
{
    ui.menuListesRecentes->setObjectName(u"menuListesRecentes"_s);
    // Refait à chaque ouverture : le menu suit les réglages, qu'un autre passage a pu changer.
    connect(ui.menuListesRecentes, &QMenu::aboutToShow, this, [this] {
        QMenu* menu = ui.menuListesRecentes;
        menu->clear();
        const QStringList listes = listesRecentes();
        for (int i = 0; i < listes.size(); ++i) {
            const QString chemin = listes.at(i);
            QAction* a = menu->addAction(u"&%1 %2"_s.arg(i + 1).arg(QDir::toNativeSeparators(chemin)));
            a->setData(chemin);
            connect(a, &QAction::triggered, this,
                    [this, chemin] {
                        if (!compagnonEnArret())
                            executerHorsCommande([&] { ouvrirListeRecente(chemin); });
                    });
        }
        if (listes.isEmpty())
            menu->addAction(u"(aucune)"_s)->setEnabled(false);
    });
}
