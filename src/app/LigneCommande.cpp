#include "LigneCommande.h"

#include <QDir>

using namespace Qt::StringLiterals;

namespace {

LigneCommande refus(const QString& raison)
{
    return {LigneCommande::Action::Refus, {},
            u"vatrelix : "_s + raison + u"\nEssayez « vatrelix --help » pour plus d'informations.\n"_s};
}

QString texteAide()
{
    return u"Utilisation : vatrelix [FICHIER.lvtx]\n"
           "Compose des listes de courses à partir d'une base d'articles.\n"
           "\n"
           "  FICHIER.lvtx    ouvre cette liste de courses au démarrage, à la place de la\n"
           "                  dernière liste ouverte. Si Vatrelix est déjà ouvert sur le même\n"
           "                  dossier de données, la liste lui est remise et il l'ouvre.\n"
           "  -h, --help      affiche cette aide et sort\n"
           "  -v, --version   affiche la version et sort\n"
           "\n"
           "Sans fichier, Vatrelix rouvre la dernière liste ; déjà ouvert, il vient au premier plan.\n"_s;
}

} // namespace

LigneCommande analyserLigneCommande(const QStringList& arguments, const QString& dossierCourant)
{
    LigneCommande ligne;
    bool options = true;
    for (const QString& a : arguments) {
        if (options && a == u"--") {
            options = false;
            continue;
        }
        if (options && (a == u"-h" || a == u"--help"))
            return {LigneCommande::Action::Aide, {}, texteAide()};
        if (options && (a == u"-v" || a == u"--version"))
            return {LigneCommande::Action::Version, {}, u"Vatrelix version "_s + QStringLiteral(VATRELIX_VERSION) + u'\n'};
        if (options && a.startsWith(u'-') && a.size() > 1)
            return refus(u"option inconnue « %1 »."_s.arg(a));
        if (a.isEmpty())
            return refus(u"nom de fichier vide."_s);
        if (!ligne.fichier.isEmpty())
            return refus(u"une seule liste de courses à la fois (« %1 » est de trop)."_s.arg(a));
        ligne.fichier = QDir::cleanPath(QDir(dossierCourant).absoluteFilePath(a));
    }
    return ligne;
}

int codeSortie(const LigneCommande& ligne)
{
    return ligne.action == LigneCommande::Action::Refus ? 2 : 0;
}
