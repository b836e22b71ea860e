#include "Traductions.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

// Ce que le catalogue français de Qt laisse en anglais dans les dialogues que le programme
// montre (fichiers, impression) : contexte, texte source, traduction.
struct Complement
{
    const char* contexte;
    const char* source;
    const char16_t* traduction;
};

constexpr Complement complements[] = {
    {"QAbstractFileIconProvider", "Folder", u"Dossier"},
    {"QAbstractFileIconProvider", "File", u"Fichier"},
    {"QAbstractFileIconProvider", "Drive", u"Lecteur"},
    {"QAbstractFileIconProvider", "Unknown", u"Inconnu"},
    {"QAbstractFileIconProvider", "%1 File", u"Fichier %1"},
    {"QPrintPropertiesDialog", "Printer Properties", u"Propriétés de l'imprimante"},
    {"QPrintPropertiesDialog", "Advanced", u"Avancé"},
    {"QPrintPropertiesDialog", "Conflicts", u"Conflits"},
    {"QPrintPropertiesDialog", "There are conflicts in some options. Do you want to fix them?",
     u"Certaines options sont en conflit. Voulez-vous les corriger ?"},
    {"QPrintPropertiesWidget", "Advanced", u"Avancé"},
    {"QPrintPropertiesWidget", "Job Options", u"Options de la tâche"},
    {"QPrintDialog", "Print current page", u"Imprimer la page courante"},
    {"QPrintDialog", "Print selection", u"Imprimer la sélection"},
    {"QPrintDialog", "Print range", u"Pages à imprimer"},
    {"QUnixPrintWidget", "Print to File (PDF)", u"Imprimer dans un fichier (PDF)"},
    {"QUnixPrintWidget", "Local file", u"Fichier local"},
    {"QUnixPrintWidget", "Write PDF file", u"Écrire un fichier PDF"},
    {"QUnixPrintWidget", "Print To File ...", u"Imprimer dans un fichier..."},
    {"QUnixPrintWidget", "&Options >>", u"&Options >>"},
    {"QUnixPrintWidget", "&Options <<", u"&Options <<"},
};

// Installé après le catalogue de Qt, donc consulté avant lui : ne répond que pour ses textes.
class TraducteurComplementaire : public QTranslator
{
public:
    explicit TraducteurComplementaire(QObject* parent) : QTranslator(parent)
    {
        for (const Complement& c : complements)
            m_textes.insert(cle(c.contexte, c.source), QString::fromUtf16(c.traduction));
    }

    QString translate(const char* contexte, const char* source, const char* = nullptr, int = -1) const override
    {
        return m_textes.value(cle(contexte, source));
    }
    bool isEmpty() const override { return false; }

private:
    static QByteArray cle(const char* contexte, const char* source)
    {
        return QByteArray(contexte) + '\x04' + QByteArray(source);
    }
    QHash<QByteArray, QString> m_textes;
};

} // namespace

bool installerTraductionsFrancaises(QCoreApplication& application)
{
    auto* traducteur = new QTranslator(&application);
    const bool qt = traducteur->load(QStringLiteral("qtbase_fr"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (qt)
        QCoreApplication::installTranslator(traducteur);
    else
        delete traducteur;
    // Les compléments valent même sans le catalogue de Qt.
    QCoreApplication::installTranslator(new TraducteurComplementaire(&application));
    return qt;
}
