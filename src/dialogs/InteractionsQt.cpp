#include "InteractionsQt.h"

#include "ControlesDialogues.h"
#include "Conversions.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// Termine la boucle modale quand le widget observé se cache ou disparaît.
class FinModale : public QObject
{
public:
    FinModale(QWidget* widget, QEventLoop& boucle) : m_boucle(boucle) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() == QEvent::Hide || evenement->type() == QEvent::Destroy)
            m_boucle.quit();
        return QObject::eventFilter(objet, evenement);
    }

private:
    QEventLoop& m_boucle;
};

// Dialogue de fichier qui refuse, avec un message, un nom tapé contenant un guillemet : le
// dialogue de Qt lit les guillemets comme une liste de noms ("a" "b") et rendrait un autre
// nom, voire un autre dossier, que celui tapé.
class DialogueFichierQt : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override
    {
        // Le champ du nom n'existe qu'avec le dialogue de Qt ; un dialogue natif rend le nom tel quel.
        const auto* nom = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (nom && nom->isVisible() && nom->text().contains(u'"')) {
            const QString texte = acceptMode() == AcceptSave
                                      ? QStringLiteral("Un nom de fichier ne peut pas contenir de guillemet (\").\n"
                                                       "Tapez un autre nom.")
                                      : QStringLiteral("Un fichier dont le nom contient un guillemet (\") ne peut "
                                                       "pas être ouvert ici.\nRenommez-le d'abord.");
            QMessageBox boite(QMessageBox::Warning, titreApplication(), texte, QMessageBox::Ok, this);
            boite.exec();
            return;
        }
        QFileDialog::accept();
    }
};

} // namespace

InteractionsQt::InteractionsQt(QWidget* parent) : m_parent(parent) {}

QWidget* InteractionsQt::parentBoites() const
{
    return m_parent ? m_parent : QApplication::activeWindow();
}

ReponseMessage InteractionsQt::message(const QString& texte, TypeMessage type, BoutonsMessage boutons,
                                       std::optional<ReponseMessage> defaut)
{
    QMessageBox::Icon icone = QMessageBox::NoIcon;
    switch (type) {
    case TypeMessage::Avertissement:
        icone = QMessageBox::Warning;
        break;
    case TypeMessage::Confirmation:
        icone = QMessageBox::Question;
        break;
    case TypeMessage::Erreur:
        icone = QMessageBox::Critical;
        break;
    case TypeMessage::Simple:
        break;
    }

    QMessageBox::StandardButtons standards = QMessageBox::Ok;
    QMessageBox::StandardButton premier = QMessageBox::Ok;
    QMessageBox::StandardButton fermeture = QMessageBox::Ok;
    ReponseMessage reponseFermeture = ReponseMessage::Ok;
    switch (boutons) {
    case BoutonsMessage::Ok:
        break;
    case BoutonsMessage::OuiNon:
        standards = QMessageBox::Yes | QMessageBox::No;
        premier = QMessageBox::Yes;
        fermeture = QMessageBox::No;
        reponseFermeture = ReponseMessage::Non;
        break;
    case BoutonsMessage::OuiNonAnnuler:
        standards = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        premier = QMessageBox::Yes;
        fermeture = QMessageBox::Cancel;
        reponseFermeture = ReponseMessage::Annuler;
        break;
    }

    if (defaut) {
        switch (*defaut) {
        case ReponseMessage::Ok: premier = QMessageBox::Ok; break;
        case ReponseMessage::Oui: premier = QMessageBox::Yes; break;
        case ReponseMessage::Non: premier = QMessageBox::No; break;
        case ReponseMessage::Annuler: premier = QMessageBox::Cancel; break;
        }
    }

    QMessageBox boite(icone, titreApplication(), texte, standards, parentBoites());
    boite.setDefaultButton(premier);
    // Échap et la case de fermeture répondent comme ce bouton.
    boite.setEscapeButton(fermeture);
    boite.exec();

    QAbstractButton* clique = boite.clickedButton();
    switch (clique ? boite.standardButton(clique) : fermeture) {
    case QMessageBox::Ok:
        return ReponseMessage::Ok;
    case QMessageBox::Yes:
        return ReponseMessage::Oui;
    case QMessageBox::No:
        return ReponseMessage::Non;
    case QMessageBox::Cancel:
        return ReponseMessage::Annuler;
    default:
        return reponseFermeture;
    }
}

QString InteractionsQt::saisie(const QString& titre, const QString& invite, const QString& defaut)
{
    QInputDialog dialogue(parentBoites());
    dialogue.setInputMode(QInputDialog::TextInput);
    dialogue.setWindowTitle(titre);
    dialogue.setLabelText(invite);
    dialogue.setTextValue(defaut);
    // Le texte d'une ligne va dans la base (nom d'un nouveau rayon) : rien qu'un document XML
    // ne puisse porter, ni tabulation ni fin de ligne.
    if (auto* champ = dialogue.findChild<QLineEdit*>())
        filtrerSaisie(*champ, filtreUneLigne());
    if (dialogue.exec() != QDialog::Accepted)
        return defaut;
    return dialogue.textValue();
}

QString InteractionsQt::convertirFiltre(const QString& filtre)
{
    const QStringList morceaux = filtre.split(u'|');
    QStringList filtres;
    for (qsizetype i = 0; i + 1 < morceaux.size(); i += 2) {
        QString motifs = morceaux.at(i + 1);
        motifs.replace(u';', u' ');
        filtres.append(morceaux.at(i) + QStringLiteral(" (") + motifs.simplified() + u')');
    }
    return filtres.join(QStringLiteral(";;"));
}

bool InteractionsQt::dialogueFichier(DialogueFichier& reglages, bool enregistrer)
{
    QString dossier = reglages.dossierInitial;
    if (dossier.isEmpty())
        dossier = m_dernierDossier;

    DialogueFichierQt dialogue(parentBoites(), reglages.titre, dossier, convertirFiltre(reglages.filtre));
    dialogue.setAcceptMode(enregistrer ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialogue.setFileMode(enregistrer ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // L'appelant décide seul de remplacer un fichier existant.
    dialogue.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (!reglages.nomFichier.isEmpty()) {
        const QFileInfo info(reglages.nomFichier);
        if (reglages.dossierInitial.isEmpty() && info.isAbsolute())
            dialogue.setDirectory(info.absolutePath());
        dialogue.selectFile(info.fileName());
    }
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return false;
    reglages.nomFichier = dialogue.selectedFiles().constFirst();
    reglages.filtreChoisi = int(qMax(0, dialogue.nameFilters().indexOf(dialogue.selectedNameFilter())));
    m_dernierDossier = QFileInfo(reglages.nomFichier).absolutePath();
    return true;
}

bool InteractionsQt::ouvrirFichier(DialogueFichier& dialogue)
{
    return dialogueFichier(dialogue, false);
}

bool InteractionsQt::enregistrerFichier(DialogueFichier& dialogue)
{
    return dialogueFichier(dialogue, true);
}

bool InteractionsQt::choisirCouleur(TColor& couleur)
{
    QColorDialog dialogue(QColor(versQRgb(couleur)), parentBoites());
    if (dialogue.exec() != QDialog::Accepted)
        return false;
    couleur = depuisQRgb(dialogue.selectedColor().rgb());
    return true;
}

bool InteractionsQt::choisirImprimante(QPrinter& imprimante)
{
    QPrintDialog dialogue(&imprimante, parentBoites());
    return dialogue.exec() == QDialog::Accepted;
}

void InteractionsQt::montrerModal(QWidget* dialogue)
{
    if (auto* d = qobject_cast<QDialog*>(dialogue)) {
        d->exec();
        return;
    }
    // Un widget qui n'est pas un QDialog : boucle modale jusqu'à ce qu'il se cache.
    QPointer<QWidget> garde(dialogue);
    QEventLoop boucle;
    FinModale fin(dialogue, boucle);
    dialogue->setWindowModality(Qt::ApplicationModal);
    dialogue->show();
    if (garde && garde->isVisible())
        boucle.exec(QEventLoop::DialogExec);
    if (garde)
        garde->removeEventFilter(&fin);
}

void InteractionsQt::erreurStandard(const QString& message)
{
    QMessageBox boite(QMessageBox::Critical, titreApplication(), message, QMessageBox::Ok, parentBoites());
    boite.exec();
}
