#include "DocumentXml.h"

#include "Codec1252.h"
#include "Erreurs.h"
#include "FichierTexte.h"
#include "VerificationXml.h"

#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace {

QString statutEnFrancais(pugi::xml_parse_status statut)
{
    switch (statut) {
    case pugi::status_file_not_found: return QStringLiteral("fichier introuvable");
    case pugi::status_io_error: return QStringLiteral("erreur de lecture");
    case pugi::status_out_of_memory: return QStringLiteral("mémoire insuffisante");
    case pugi::status_unrecognized_tag: return QStringLiteral("balise non reconnue");
    case pugi::status_bad_pi: return QStringLiteral("instruction de traitement incorrecte");
    case pugi::status_bad_comment: return QStringLiteral("commentaire incorrect");
    case pugi::status_bad_cdata: return QStringLiteral("section CDATA incorrecte");
    case pugi::status_bad_doctype: return QStringLiteral("déclaration de type de document incorrecte");
    case pugi::status_bad_pcdata: return QStringLiteral("texte incorrect");
    case pugi::status_bad_start_element: return QStringLiteral("balise ouvrante incorrecte");
    case pugi::status_bad_attribute: return QStringLiteral("attribut incorrect");
    case pugi::status_bad_end_element: return QStringLiteral("balise fermante incorrecte");
    case pugi::status_end_element_mismatch: return QStringLiteral("balise fermante sans balise ouvrante correspondante");
    case pugi::status_append_invalid_root: return QStringLiteral("nœud impossible à ajouter");
    case pugi::status_no_document_element: return QStringLiteral("aucun élément racine");
    default: return QStringLiteral("erreur d'analyse");
    }
}

bool commencePar(const QByteArray& octets, const char* prefixe, int taille)
{
    return octets.size() >= taille && std::memcmp(octets.constData(), prefixe, size_t(taille)) == 0;
}

// Encodage à donner à pugixml ; les octets Windows-1252 sont d'abord transcodés en UTF-8.
pugi::xml_encoding choisirEncodage(const QString& chemin, QByteArray& octets)
{
    // Une marque d'ordre des octets décide seule (UTF-8, UTF-16, UTF-32).
    if (commencePar(octets, "\xEF\xBB\xBF", 3) || commencePar(octets, "\xFF\xFE", 2)
        || commencePar(octets, "\xFE\xFF", 2))
        return pugi::encoding_auto;
    if (!octets.startsWith("<?xml"))
        return pugi::encoding_auto; // UTF-16 sans BOM compris : pugixml le reconnaît
    // La déclaration tient dans les premiers octets ; inutile de parcourir tout le fichier.
    const qsizetype fin = QByteArrayView(octets).first(qMin<qsizetype>(octets.size(), 512)).indexOf("?>");
    if (fin < 0)
        return pugi::encoding_auto; // déclaration mal formée : l'analyse le dira
    static const QRegularExpression motif(QStringLiteral("encoding\\s*=\\s*[\"']([^\"']*)[\"']"));
    const QRegularExpressionMatch m = motif.match(QString::fromLatin1(octets.left(fin)));
    if (!m.hasMatch())
        return pugi::encoding_utf8;
    const QString nom = m.captured(1).toLower();
    if (nom == u"utf-8" || nom == u"utf8")
        return pugi::encoding_utf8;
    if (nom == u"utf-16")
        return pugi::encoding_auto;
    if (nom == u"iso-8859-1" || nom == u"iso8859-1" || nom == u"iso_8859-1" || nom == u"latin1"
        || nom == u"latin-1" || nom == u"l1" || nom == u"us-ascii" || nom == u"ascii")
        return pugi::encoding_latin1;
    if (nom == u"windows-1252" || nom == u"cp1252" || nom == u"x-cp1252") {
        octets = depuisAnsi(octets).toUtf8();
        return pugi::encoding_utf8;
    }
    throw EXmlErreur(QStringLiteral("Le fichier « %1 » est écrit dans un encodage non pris en charge : « %2 ».")
                         .arg(chemin, m.captured(1)));
}

// L'erreur de pugixml en mots simples ; un fichier vide ou coupé est dit tel.
QString messageAnalyse(const QString& chemin, const pugi::xml_parse_result& resultat, qsizetype taille,
                       qsizetype dernierChevron, bool blanc)
{
    const QString debut = QStringLiteral("Le fichier « %1 » n'est pas un document XML valide : ").arg(chemin);
    if (blanc)
        return debut + QStringLiteral("le fichier est vide.");
    // pugixml signale la coupure au dernier octet lu, ou dans la construction inachevée qui
    // suit le dernier ">" ; sans élément après une déclaration, le document n'a pas commencé.
    const bool coupe = resultat.status == pugi::status_no_document_element
                           ? dernierChevron >= 0
                           : resultat.offset >= taille - 1 || resultat.offset > dernierChevron;
    if (coupe)
        return debut + raisonFichierCoupe();
    return debut + QStringLiteral("%1 (octet %2).").arg(statutEnFrancais(resultat.status)).arg(resultat.offset);
}

class EcrivainOctets : public pugi::xml_writer
{
public:
    explicit EcrivainOctets(QByteArray& sortie) : m_sortie(sortie) {}
    void write(const void* donnees, size_t taille) override
    {
        m_sortie.append(static_cast<const char*>(donnees), qsizetype(taille));
    }

private:
    QByteArray& m_sortie;
};

} // namespace

namespace {

// Vérifie, puis analyse : sur place dans octets (que le document désigne alors), ou dans une
// copie dont le document prend possession.
void analyser(const QString& chemin, QByteArray& octets, pugi::xml_document& doc, unsigned options, bool surPlace,
              const std::function<void()>& avantAnalyse)
{
    ramenerEnUtf8Verifie(chemin, octets, choisirEncodage(chemin, octets));
    if (avantAnalyse)
        avantAnalyse();
    // Une erreur au-delà du dernier ">" est celle d'un fichier coupé.
    const qsizetype dernierChevron = octets.lastIndexOf('>');
    const bool blanc = std::all_of(octets.cbegin(), octets.cend(), [](char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r';
    });
    // Sans parse_doctype, la DOCTYPE est sautée ; pugixml ne développe que les entités
    // prédéfinies et les références de caractères.
    options &= ~unsigned(pugi::parse_doctype);
    const size_t taille = size_t(octets.size());
    pugi::xml_parse_result resultat;
    if (surPlace) {
        char aucun = 0;
        resultat = doc.load_buffer_inplace(taille > 0 ? octets.data() : &aucun, taille, options, pugi::encoding_utf8);
    } else {
        void* tampon = pugi::get_memory_allocation_function()(taille > 0 ? taille : 1);
        if (!tampon)
            throw EXmlErreur(QStringLiteral("Mémoire insuffisante pour lire le fichier « %1 ».").arg(chemin));
        if (taille > 0)
            std::memcpy(tampon, octets.constData(), taille);
        octets = QByteArray();
        resultat = doc.load_buffer_inplace_own(tampon, taille, options, pugi::encoding_utf8);
    }
    if (!resultat)
        throw EXmlErreur(messageAnalyse(chemin, resultat, qsizetype(taille), dernierChevron, blanc));
}

} // namespace

void analyserOctetsXml(const QString& chemin, QByteArray& octets, pugi::xml_document& doc, unsigned options,
                       const std::function<void()>& avantAnalyse)
{
    // Sans copie : la mémoire de pointe reste d'environ une fois la taille du fichier plus l'arbre.
    analyser(chemin, octets, doc, options, true, avantAnalyse);
}

void analyserFichierXml(const QString& chemin, pugi::xml_document& doc, unsigned options, qint64 tailleMax)
{
    QByteArray octets = lireOctets(chemin, tailleMax);
    analyser(chemin, octets, doc, options, false, {});
}

QByteArray serialiserXml(const pugi::xml_document& doc)
{
    QByteArray sortie;
    EcrivainOctets ecrivain(sortie);
    // format_no_declaration : ne garder que la déclaration présente dans le document.
    doc.save(ecrivain, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return sortie;
}
