// Base d'articles XML : chargement et enregistrement de la forêt des rayons.
#include "U_VX_DataModule.h"

#include "Conversions.h"
#include "DocumentXml.h"
#include "Emplacements.h"
#include "Erreurs.h"
#include "JournalModele.h"
#include "U_Article.h"
#include "U_rayon.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cstring>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <algorithm>
#include <atomic>
#include <deque>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>

namespace {

template<size_t N>
bool nomEst(const pugi::xml_node& noeud, const char (&nom)[N])
{
    // Noms comparés exactement, casse comprise ; le zéro final compris dans la comparaison.
    const char* n = noeud.name();
    for (size_t i = 0; i < N; ++i)
        if (n[i] != nom[i])
            return false;
    return true;
}

QString versQString(const char* utf8)
{
    return QString::fromUtf8(utf8, qsizetype(std::strlen(utf8)));
}

// Élément texte : son texte rangé dans l'élément même (lecture avec parse_embed_pcdata) et
// aucun enfant, ou un seul enfant, de texte (une section CDATA).
bool estElementTexte(const pugi::xml_node& element)
{
    const pugi::xml_node enfant = element.first_child();
    if (*element.value() != 0)
        return !enfant;
    return enfant && !enfant.next_sibling()
           && (enfant.type() == pugi::node_pcdata || enfant.type() == pugi::node_cdata);
}

// Le texte d'un élément texte.
const char* texteDe(const pugi::xml_node& element)
{
    return *element.value() != 0 ? element.value() : element.first_child().value();
}

QString lireTexteElement(const pugi::xml_node& element)
{
    return versQString(texteDe(element));
}

// Retire noeud et tout son sous-arbre, les feuilles d'abord : pugixml détruit un sous-arbre
// récursivement, ce qu'un élément imbriqué très profondément ferait déborder.
void retirerSansRecursion(pugi::xml_node parent, pugi::xml_node noeud)
{
    pugi::xml_node courant = noeud;
    for (;;) {
        while (pugi::xml_node dernier = courant.last_child())
            courant = dernier;
        if (courant == noeud)
            break;
        pugi::xml_node pere = courant.parent();
        pere.remove_child(courant);
        courant = pere;
    }
    parent.remove_child(noeud);
}

// Lecture d'un document déjà analysé dans la forêt.
class Lecteur
{
public:
    explicit Lecteur(const QString& chemin) : m_chemin(chemin) {}

    // Un "rayonRacine" et tout son contenu ; inexplore : il garde des nœuds non lus qui ont
    // des enfants (une imbrication de profondeur quelconque peut s'y cacher).
    std::unique_ptr<TRayon> lireRacine(const pugi::xml_node& element, bool& inexplore)
    {
        m_inexplore = false;
        QString nom;
        QString couleur;
        lireNomCouleur(element, nom, couleur);
        auto rayon = std::make_unique<TRayon>(nom, convertirCouleur(couleur, nom));
        chargerContenu(element, rayon.get(), 1);
        inexplore = m_inexplore;
        return rayon;
    }

private:
    // Un nœud passé sans être lu peut cacher une imbrication de profondeur quelconque.
    void ignorer(const pugi::xml_node& noeud)
    {
        if (noeud.first_child())
            m_inexplore = true;
    }

    // Élément gardé pour plus tard : s'il n'est pas un élément texte, il compte comme passé.
    pugi::xml_node element(const pugi::xml_node& enfant)
    {
        if (!estElementTexte(enfant))
            ignorer(enfant);
        return enfant;
    }

    QString valeurDe(const pugi::xml_node& enfant)
    {
        if (enfant.type() == pugi::node_element && estElementTexte(enfant))
            return lireTexteElement(enfant);
        ignorer(enfant);
        return QString();
    }

    // Les remarques se répètent ("-", "en promotion"…) : une remarque courte déjà lue est
    // reprise (texte partagé), sans nouvelle copie.
    QString remarqueDe(const pugi::xml_node& enfant)
    {
        if (enfant.type() != pugi::node_element || !estElementTexte(enfant))
            return valeurDe(enfant);
        const char* texte = texteDe(enfant);
        const size_t longueur = std::strlen(texte);
        if (longueur > k_longueurRemarqueRetenue)
            return versQString(texte);
        const std::string_view cle(texte, longueur);
        if (const auto trouvee = m_remarques.find(cle); trouvee != m_remarques.end())
            return trouvee->second;
        QString remarque = versQString(texte);
        if (m_remarques.size() < k_remarquesRetenues)
            m_remarques.emplace(cle, remarque);
        return remarque;
    }

    // Chaque élément repart de valeurs vides : rien n'est hérité du précédent.
    void lireNomCouleur(const pugi::xml_node& rayon, QString& nom, QString& couleur)
    {
        for (pugi::xml_node enfant = rayon.first_child(); enfant; enfant = enfant.next_sibling()) {
            if (nomEst(enfant, "nom"))
                nom = valeurDe(enfant);
            else if (nomEst(enfant, "couleur"))
                couleur = valeurDe(enfant);
        }
    }

    // Fils et articles, dans l'ordre du document, quel que soit l'ordre des deux listes.
    // profondeur : niveau de rayon (1 pour une racine).
    void chargerContenu(const pugi::xml_node& element, TRayon* rayon, int profondeur)
    {
        for (pugi::xml_node enfant = element.first_child(); enfant; enfant = enfant.next_sibling()) {
            if (nomEst(enfant, "rayonsFils"))
                chargerRayonsFils(enfant, rayon, profondeur);
            else if (nomEst(enfant, "articles"))
                chargerArticles(enfant, rayon);
            else if (!nomEst(enfant, "nom") && !nomEst(enfant, "couleur"))
                ignorer(enfant);
        }
    }

    void chargerRayonsFils(const pugi::xml_node& rayonsFils, TRayon* pere, int profondeurPere)
    {
        for (pugi::xml_node enfant = rayonsFils.first_child(); enfant; enfant = enfant.next_sibling()) {
            if (!nomEst(enfant, "rayon")) {
                ignorer(enfant);
                continue;
            }
            QString nom;
            QString couleur;
            lireNomCouleur(enfant, nom, couleur);
            // Refusé avant de descendre : la récursion ne dépasse jamais la limite.
            if (profondeurPere >= profondeurMaxRayons) {
                throw EXmlErreur(QStringLiteral("Base d'articles « %1 » : le rayon « %2 », sous « %3 », dépasse la "
                                                "profondeur admise ; ")
                                     .arg(m_chemin, nom, pere->getNom())
                                 + texteProfondeurMaxRayons());
            }
            TRayon* rayon = pere->ajouterRayonFils(nom, convertirCouleur(couleur, nom), pere);
            chargerContenu(enfant, rayon, profondeurPere + 1);
        }
    }

    void chargerArticles(const pugi::xml_node& articles, TRayon* rayon)
    {
        for (pugi::xml_node enfant = articles.first_child(); enfant; enfant = enfant.next_sibling()) {
            if (!nomEst(enfant, "article")) {
                ignorer(enfant);
                continue;
            }
            QString nom;
            pugi::xml_node prix;
            QString remarque;
            for (pugi::xml_node valeur = enfant.first_child(); valeur; valeur = valeur.next_sibling()) {
                if (nomEst(valeur, "nom"))
                    nom = valeurDe(valeur);
                else if (nomEst(valeur, "prix"))
                    prix = element(valeur);
                else if (nomEst(valeur, "remarque"))
                    remarque = remarqueDe(valeur);
                else
                    ignorer(valeur);
            }
            rayon->creerArticle(nom, lirePrix(prix, nom), remarque);
        }
    }

    // Le dernier élément "prix" de l'article (nul s'il n'y en a pas) : la forme simple est lue
    // sans passer par le texte, toute autre comme convertirPrix la lit.
    double lirePrix(const pugi::xml_node& element, const QString& nomArticle)
    {
        if (element && estElementTexte(element)) {
            const char* texte = texteDe(element);
            double prix = 0;
            if (lireReelSimple(texte, texte + std::strlen(texte), prix) && prixArticleAdmis(prix))
                return prix;
        }
        return convertirPrix(element ? valeurDe(element) : QString(), nomArticle);
    }

    TColor convertirCouleur(const QString& texte, const QString& nomRayon) const
    {
        if (texte.isEmpty()) {
            throw EConvertError(QStringLiteral("Base d'articles « %1 » : le rayon « %2 » n'a pas de couleur.")
                                    .arg(m_chemin, nomRayon));
        }
        try {
            return StringToColor(texte);
        } catch (const EConvertError&) {
            throw EConvertError(
                QStringLiteral("Base d'articles « %1 » : la couleur « %2 » du rayon « %3 » n'est pas une couleur valide.")
                    .arg(m_chemin, texte, nomRayon));
        }
    }

    double convertirPrix(const QString& texte, const QString& nomArticle) const
    {
        if (texte.isEmpty()) {
            throw EConvertError(QStringLiteral("Base d'articles « %1 » : l'article « %2 » n'a pas de prix.")
                                    .arg(m_chemin, nomArticle));
        }
        double prix = 0;
        try {
            // "," comme "." : une base reste lisible quels que soient les réglages régionaux.
            prix = StrToFloatDeuxSeparateurs(texte);
        } catch (const EConvertError&) {
            throw EConvertError(
                QStringLiteral("Base d'articles « %1 » : le prix « %2 » de l'article « %3 » n'est pas un nombre valide.")
                    .arg(m_chemin, texte, nomArticle));
        }
        if (!prixArticleAdmis(prix)) {
            throw EConvertError(QStringLiteral("Base d'articles « %1 » : le prix « %2 » de l'article « %3 » dépasse "
                                               "%4 € en valeur absolue.")
                                    .arg(m_chemin, texte, nomArticle, FormatFloat(QStringLiteral("#,##0"), prixMaxArticle)));
        }
        return prix;
    }

    QString m_chemin;
    bool m_inexplore = false; // la racine en cours a des nœuds non lus qui ont des enfants
    // Clés désignant le texte du document, qui vit plus longtemps que le lecteur.
    static constexpr size_t k_longueurRemarqueRetenue = 48;
    static constexpr size_t k_remarquesRetenues = 512;
    std::unordered_map<std::string_view, QString> m_remarques;
};

// Écriture de la forêt en flux, octet pour octet comme pugixml l'écrirait sans mise en forme :
// un élément vide s'écrit "<nom/>", un texte garde tout sauf "&", "<" et ">", échappés. Le
// tampon part dans la sortie par blocs : ni arbre ni texte entier en mémoire.
class EcrivainFlux
{
public:
    explicit EcrivainFlux(SortieAtomique& sortie) : m_sortie(sortie) { m_tampon.reserve(k_tailleTampon + 1024); }

    void brut(QByteArrayView octets)
    {
        m_tampon.append(octets.data(), size_t(octets.size()));
        vidangerSiPlein();
    }

    template<size_t N>
    void ouvrir(const char (&nom)[N])
    {
        m_tampon += '<';
        m_tampon.append(nom, N - 1);
        m_tampon += '>';
    }

    template<size_t N>
    void fermer(const char (&nom)[N])
    {
        m_tampon.append("</", 2);
        m_tampon.append(nom, N - 1);
        m_tampon += '>';
        vidangerSiPlein();
    }

    template<size_t N>
    void vide(const char (&nom)[N])
    {
        m_tampon += '<';
        m_tampon.append(nom, N - 1);
        m_tampon.append("/>", 2);
    }

    template<size_t N>
    void texte(const char (&nom)[N], const QString& valeur)
    {
        if (valeur.isEmpty()) {
            vide(nom);
            return;
        }
        ouvrir(nom);
        if (!ecrireTexteSimple(valeur))
            echapper(sansCaracteresInterditsXml(valeur).toUtf8());
        fermer(nom);
    }

    template<size_t N>
    void rayon(const char (&nom)[N], const TRayon* r)
    {
        ouvrir(nom);
        texte("nom", r->getNom());
        texte("couleur", ColorToString(r->getCouleur()));
        const int nbFils = r->getNbRayonsFils();
        if (nbFils == 0) {
            vide("rayonsFils");
        } else {
            ouvrir("rayonsFils");
            for (int i = 0; i < nbFils; ++i)
                rayon("rayon", r->getRayonFils(i));
            fermer("rayonsFils");
        }
        const int nbArticles = r->getNbArticles();
        if (nbArticles == 0) {
            vide("articles");
        } else {
            ouvrir("articles");
            for (int i = 0; i < nbArticles; ++i) {
                const TArticle* a = r->getArticle(i);
                ouvrir("article");
                texte("nom", a->getNom());
                texte("prix", FloatToStr(a->getPrix()));
                texte("remarque", a->getRemarque());
                fermer("article");
            }
            fermer("articles");
        }
        fermer(nom);
    }

    void vider()
    {
        m_sortie.ecrire(QByteArrayView(m_tampon.data(), qsizetype(m_tampon.size())));
        m_tampon.clear();
    }

private:
    static constexpr size_t k_tailleTampon = 64 * 1024;

    void vidangerSiPlein()
    {
        if (m_tampon.size() >= k_tailleTampon)
            vider();
    }

    // Le texte sans paire de substitution (le cas courant), en une passe : UTF-8, caractères
    // interdits en XML changés en blancs, "&", "<" et ">" échappés ; faux, rien d'écrit, sinon.
    bool ecrireTexteSimple(const QString& valeur)
    {
        const size_t debut = m_tampon.size();
        m_tampon.resize(debut + size_t(valeur.size()) * 5);
        char* sortie = m_tampon.data() + debut;
        for (const QChar qc : valeur) {
            char16_t c = qc.unicode();
            if (c >= 0xD800 && c <= 0xDFFF) {
                m_tampon.resize(debut);
                return false;
            }
            if (caractereInterditXml(c))
                c = u' ';
            if (c < 0x80) {
                if (c == u'&')
                    sortie = std::copy_n("&amp;", 5, sortie);
                else if (c == u'<')
                    sortie = std::copy_n("&lt;", 4, sortie);
                else if (c == u'>')
                    sortie = std::copy_n("&gt;", 4, sortie);
                else
                    *sortie++ = char(c);
            } else if (c < 0x800) {
                *sortie++ = char(0xC0 | (c >> 6));
                *sortie++ = char(0x80 | (c & 0x3F));
            } else {
                *sortie++ = char(0xE0 | (c >> 12));
                *sortie++ = char(0x80 | ((c >> 6) & 0x3F));
                *sortie++ = char(0x80 | (c & 0x3F));
            }
        }
        m_tampon.resize(size_t(sortie - m_tampon.data()));
        return true;
    }

    void echapper(const QByteArray& utf8)
    {
        const char* debut = utf8.constData();
        const char* const fin = debut + utf8.size();
        for (const char* c = debut; c != fin; ++c) {
            if (*c != '&' && *c != '<' && *c != '>')
                continue;
            m_tampon.append(debut, size_t(c - debut));
            m_tampon.append(*c == '&' ? "&amp;" : *c == '<' ? "&lt;" : "&gt;");
            debut = c + 1;
        }
        m_tampon.append(debut, size_t(fin - debut));
    }

    SortieAtomique& m_sortie;
    std::string m_tampon;
};

// Les "rayonRacine" d'une "listeRayons", lus sur deux fils quand la base est grande : chaque
// racine est indépendante. Les racines complètes sont ajoutées dans l'ordre du document jusqu'à
// la première en erreur, dont l'erreur est relancée. Chaque racine lue est retirée du document
// (par le fil principal seulement) : la mémoire de ses nœuds sert au modèle.
class LectureRacines
{
public:
    LectureRacines(const QString& chemin, pugi::xml_node listeRayons) : m_chemin(chemin), m_liste(listeRayons)
    {
        for (pugi::xml_node enfant = listeRayons.first_child(); enfant; enfant = enfant.next_sibling())
            if (nomEst(enfant, "rayonRacine"))
                m_racines.emplace_back(enfant);
    }

    void lire(bool deuxFils, QList<TRayon*>& racines)
    {
        std::thread aide;
        if (deuxFils && m_racines.size() > 1)
            aide = std::thread([this] { travailler(false); });
        try {
            travailler(true);
        } catch (...) {
            // Erreur hors d'une racine (mémoire) : l'autre fil est attendu avant tout abandon.
            m_suivant = m_racines.size();
            if (aide.joinable())
                aide.join();
            throw;
        }
        if (aide.joinable())
            aide.join();
        retirerLues();
        for (Racine& r : m_racines) {
            if (r.erreur)
                std::rethrow_exception(r.erreur);
            racines.append(r.rayon.release());
        }
    }

private:
    struct Racine
    {
        explicit Racine(pugi::xml_node n) : noeud(n) {}
        pugi::xml_node noeud;
        std::unique_ptr<TRayon> rayon;
        std::exception_ptr erreur;
        bool inexplore = false;
        bool retiree = false;
        std::atomic<bool> lue{false};
    };

    // Prend les racines une à une ; le fil principal retire du document celles qui sont lues.
    void travailler(bool principal)
    {
        Lecteur lecteur(m_chemin); // un par fil : ses remarques retenues servent à toutes ses racines
        for (size_t k = m_suivant++; k < m_racines.size(); k = m_suivant++) {
            Racine& r = m_racines[k];
            try {
                r.rayon = lecteur.lireRacine(r.noeud, r.inexplore);
            } catch (...) {
                r.erreur = std::current_exception();
            }
            r.lue.store(true, std::memory_order_release);
            if (principal)
                retirerLues();
        }
    }

    // Une racine lue ne sert plus : l'autre fil ne lit jamais que l'intérieur de la sienne.
    void retirerLues()
    {
        for (Racine& r : m_racines) {
            if (r.retiree || !r.lue.load(std::memory_order_acquire) || r.erreur)
                continue;
            r.retiree = true;
            // La partie lue est bornée par profondeurMaxRayons : pugixml peut la détruire
            // récursivement, bien plus vite que nœud à nœud.
            if (r.inexplore)
                retirerSansRecursion(m_liste, r.noeud);
            else
                m_liste.remove_child(r.noeud);
        }
    }

    const QString& m_chemin;
    pugi::xml_node m_liste;
    std::deque<Racine> m_racines;
    std::atomic<size_t> m_suivant{0};
};

// Au-delà, le second fil vaut ce qu'il coûte.
constexpr qsizetype k_tailleLectureParallele = 1024 * 1024;

// Le texte d'un élément est rangé dans l'élément même : deux fois moins de nœuds à créer.
constexpr unsigned k_optionsLecture = pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;
// Le modèle est recopié tel quel : sa déclaration, ses commentaires et instructions.
constexpr unsigned k_optionsModele = pugi::parse_default | pugi::parse_declaration | pugi::parse_comments
                                     | pugi::parse_pi;

// Le document de départ : le modèle, ou, sans modèle, une déclaration UTF-8 et un
// élément Vatrelix_BASE vide.
void preparerModele(const QString& chemin, pugi::xml_document& doc)
{
    if (!QFileInfo::exists(chemin)) {
        pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "UTF-8";
        doc.append_child("Vatrelix_BASE");
        return;
    }
    analyserFichierXml(chemin, doc, k_optionsModele, TailleMax::modele);
    const pugi::xml_node racine = doc.document_element();
    if (!racine)
        throw EXmlErreur(QStringLiteral("Le modèle « %1 » n'a pas d'élément racine.").arg(chemin));
    if (racine.find_child([](const pugi::xml_node& n) { return n.type() == pugi::node_element; })) {
        throw EXmlErreur(QStringLiteral("Le modèle « %1 » ne doit contenir aucun élément sous « %2 ».")
                             .arg(chemin, versQString(racine.name())));
    }
    // Le fichier est écrit en UTF-8 : la déclaration doit le dire.
    pugi::xml_node declaration = doc.first_child();
    if (declaration.type() == pugi::node_declaration) {
        pugi::xml_attribute encodage = declaration.attribute("encoding");
        if (encodage && QByteArray(encodage.value()).toLower() != "utf-8")
            encodage.set_value("UTF-8");
    }
}

} // namespace

QString TdmVatrelix::cheminBase()
{
    return repertoireDonnees() + QStringLiteral("baseVatrelix.xml");
}

QString TdmVatrelix::cheminModele()
{
    return repertoireExecutable() + QStringLiteral("baseVatrelixModèle.xml");
}

void TdmVatrelix::chargerBase(ProgressionBase& progression)
{
    // Une base lue ne se défait pas (son rechargement oublie l'historique) : rien n'est noté.
    const JournalModele::Suspension sansJournal;
    progression.progression(QStringLiteral("5"));
    const QString chemin = cheminBase();
    if (!QFileInfo::exists(chemin)) {
        m_empreinteBase = empreinteAbsent();
        return;
    }

    QByteArray octets = lireOctets(chemin, TailleMax::base);
    const qsizetype taille = octets.size();
    const bool deuxFils = taille >= k_tailleLectureParallele && std::thread::hardware_concurrency() > 1;
    pugi::xml_document doc;
    {
        // L'empreinte se calcule sur l'autre cœur pendant la vérification, sur une copie partagée
        // des octets, lâchée avant que l'analyse ne les modifie.
        size_t empreinte = 0;
        std::thread calcul;
        if (deuxFils)
            calcul = std::thread([&empreinte, lus = octets] { empreinte = empreinteOctets(lus); });
        else
            empreinte = empreinteOctets(octets);
        bool notee = false;
        const auto noter = [&] {
            if (calcul.joinable())
                calcul.join();
            // Ce qui a été lu, même si l'analyse échoue : c'est ce fichier-là qu'un enregistrement écraserait.
            m_empreinteBase = empreinteFichier(chemin, empreinte);
            notee = true;
        };
        try {
            analyserOctetsXml(chemin, octets, doc, k_optionsLecture, noter);
        } catch (...) {
            if (!notee)
                noter();
            throw;
        }
    }
    const pugi::xml_node document = doc.document_element();
    if (!document)
        throw EXmlErreur(QStringLiteral("Le fichier « %1 » n'a pas d'élément racine.").arg(chemin));
    // Le premier enfant élément tient lieu de "RACINE" : un commentaire ou un blanc
    // placé avant ne doit pas donner une base vide.
    const pugi::xml_node racine = document.find_child([](const pugi::xml_node& n) {
        return n.type() == pugi::node_element;
    });
    if (!racine) {
        throw EXmlErreur(QStringLiteral("Le fichier « %1 » ne contient aucun élément sous « %2 ».")
                             .arg(chemin, versQString(document.name())));
    }

    int n = 0;
    for (pugi::xml_node enfant = racine.first_child(); enfant; enfant = enfant.next_sibling())
        ++n;
    int i = 0;
    for (pugi::xml_node enfant = racine.first_child(); enfant; enfant = enfant.next_sibling(), ++i) {
        if (nomEst(enfant, "listeRayons"))
            LectureRacines(chemin, enfant).lire(deuxFils, listeRayons);
        // Division entière d'abord, comme la barre l'attend.
        progression.progression(QString::number((90 / n) * i + 5));
    }
    progression.progression(QStringLiteral("100"));
}

void TdmVatrelix::enregistrerBase(ProgressionBase& progression)
{
    progression.progression(QStringLiteral("5"));
    // Le modèle, avec à la place des rayons une marque où couper : ce qui la précède et ce qui
    // la suit encadrent les rayons, écrits en flux entre les deux.
    pugi::xml_document doc;
    preparerModele(cheminModele(), doc);
    pugi::xml_node liste = doc.document_element().append_child("RACINE").append_child("listeRayons");
    const QByteArray marque = "vatrelix-rayons-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    if (!listeRayons.isEmpty())
        liste.append_child(pugi::node_pcdata).set_value(marque.constData());
    const QByteArray cadre = serialiserXml(doc);
    doc.reset();
    const qsizetype coupe = listeRayons.isEmpty() ? cadre.size() : cadre.lastIndexOf(marque);
    progression.progression(QStringLiteral("10"));

    const QString chemin = cheminBase();
    SortieAtomique sortie(chemin);
    EcrivainFlux flux(sortie);
    flux.brut(QByteArrayView(cadre).first(coupe));
    const int n = int(listeRayons.size());
    for (int i = 0; i < n; ++i) {
        progression.progression(QString::number((80 / n) * i + 10));
        flux.rayon("rayonRacine", listeRayons.at(i));
    }
    if (n > 0)
        flux.brut(QByteArrayView(cadre).sliced(coupe + marque.size()));
    flux.vider();
    // Cent pour cent seulement quand le fichier est en place : un échec ne l'annonce pas.
    sortie.valider(Sauvegarde::FichierBak);
    m_empreinteBase = empreinteFichier(chemin, sortie.empreinteContenu());
    progression.progression(QStringLiteral("100"));
}

void TdmVatrelix::rendreMemoireLibre()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

bool TdmVatrelix::baseChangeeSurDisque() const
{
    return fichierChange(cheminBase(), m_empreinteBase);
}
