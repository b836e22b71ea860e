// L'aide : un texte livré avec le programme (ressource Markdown), montré dans une fenêtre
// non modale ; la table des raccourcis et le dossier des données y sont écrits à l'ouverture.
#include "U_VX_FormPrincipale.h"

#include "Emplacements.h"
#include "Erreurs.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

const QString kRessourceAide = u":/aide/aide.md"_s;

// Tableau Markdown des commandes qui ont un raccourci, dans l'ordre de la table.
QString tableRaccourcis()
{
    QString table = u"| Raccourci | Commande |\n|---|---|\n"_s;
    for (const DefinitionCommande& c : TFormPrincipale::tableCommandes()) {
        if (c.raccourci.isEmpty())
            continue;
        table += u"| "_s + c.raccourci.toString(QKeySequence::NativeText) + u" | "_s + c.hint + u" |\n"_s;
    }
    return table;
}

QString texteAide()
{
    // Une ressource compilée dans le programme, pas un fichier du disque : QFile la lit.
    QFile ressource(kRessourceAide);
    if (!ressource.open(QIODevice::ReadOnly))
        throw EFichierErreur(u"L'aide de Vatrelix est introuvable dans le programme."_s);
    QString texte = QString::fromUtf8(ressource.readAll());
    texte.replace(u"{raccourcis}"_s, tableRaccourcis());
    texte.replace(u"{dossier}"_s, QDir::toNativeSeparators(repertoireDonnees()));
    return texte;
}

} // namespace

void TFormPrincipale::afficherAideExecute()
{
    // Hors de tout espace de noms : la bibliothèque statique n'enregistre pas seule sa ressource.
    Q_INIT_RESOURCE(aide);
    if (!ui.fenetreAide) {
        // Fenêtre à part, non modale (show, jamais exec) : on garde la main sur la liste en
        // lisant l'aide ; Échap la ferme comme tout dialogue.
        auto* fenetre = new QDialog(this);
        fenetre->setObjectName(u"fenetreAide"_s);
        fenetre->setWindowTitle(u"Aide de Vatrelix"_s);
        fenetre->setAccessibleName(u"Aide de Vatrelix"_s);
        auto* disposition = new QVBoxLayout(fenetre);
        auto* texte = new QTextBrowser(fenetre);
        texte->setObjectName(u"texteAide"_s);
        texte->setAccessibleName(u"Texte de l'aide"_s);
        texte->setOpenLinks(false);
        disposition->addWidget(texte, 1);
        auto* fermer = new QPushButton(u"&Fermer"_s, fenetre);
        fermer->setObjectName(u"btFermerAide"_s);
        fermer->setAccessibleDescription(u"Ferme l'aide"_s);
        disposition->addWidget(fermer, 0, Qt::AlignRight);
        connect(fermer, &QPushButton::clicked, fenetre, &QWidget::close);
        fenetre->resize(620, 640);
        ui.fenetreAide = fenetre;
    }
    // Relu à chaque ouverture : le dossier des données peut avoir changé.
    auto* texte = ui.fenetreAide->findChild<QTextBrowser*>(u"texteAide"_s);
    texte->setMarkdown(texteAide());
    ui.fenetreAide->show();
    ui.fenetreAide->raise();
    ui.fenetreAide->activateWindow();
    texte->setFocus();
}
