#include "NomsFichiers.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

bool estSeparateur(QChar c)
{
    return c == u'\\' || c == u'/';
}

bool estDelimiteur(QChar c)
{
    return estSeparateur(c) || c == u':';
}

// Indice du dernier délimiteur parmi ceux donnés, -1 sans délimiteur.
qsizetype dernierDelimiteur(const QString& chemin, bool avecPoint)
{
    for (qsizetype i = chemin.size() - 1; i >= 0; --i) {
        const QChar c = chemin.at(i);
        if (estDelimiteur(c) || (avecPoint && c == u'.'))
            return i;
    }
    return -1;
}

// Jokers * et ? ; la casse est ignorée.
bool correspond(QStringView nom, QStringView motif)
{
    qsizetype n = 0;
    qsizetype m = 0;
    qsizetype etoile = -1;
    qsizetype reprise = 0;
    while (n < nom.size()) {
        if (m < motif.size()
            && (motif.at(m) == u'?' || motif.at(m).toCaseFolded() == nom.at(n).toCaseFolded())) {
            ++n;
            ++m;
        } else if (m < motif.size() && motif.at(m) == u'*') {
            etoile = m++;
            reprise = n;
        } else if (etoile >= 0) {
            m = etoile + 1;
            n = ++reprise;
        } else {
            return false;
        }
    }
    while (m < motif.size() && motif.at(m) == u'*')
        ++m;
    return m == motif.size();
}

} // namespace

QString ExtractFilePath(const QString& chemin)
{
    return chemin.left(dernierDelimiteur(chemin, false) + 1);
}

QString ExtractFileDir(const QString& chemin)
{
    qsizetype i = dernierDelimiteur(chemin, false);
    // Le séparateur final tombe, sauf s'il est seul ("/") ou suit un autre délimiteur ("C:\").
    if (i > 0 && estSeparateur(chemin.at(i)) && !estDelimiteur(chemin.at(i - 1)))
        --i;
    return chemin.left(i + 1);
}

QString ExtractFileName(const QString& chemin)
{
    return chemin.mid(dernierDelimiteur(chemin, false) + 1);
}

QString ExtractFileExt(const QString& chemin)
{
    const qsizetype i = dernierDelimiteur(chemin, true);
    if (i >= 0 && chemin.at(i) == u'.')
        return chemin.mid(i);
    return QString();
}

bool FileExists(const QString& chemin)
{
    return !chemin.isEmpty() && QFileInfo(chemin).isFile();
}

QList<TSearchRec> chercherFichiers(const QString& motif, int attributs)
{
    QString dossier = ExtractFilePath(motif);
    const QString nomMotif = ExtractFileName(motif);
    if (dossier.isEmpty())
        dossier = QStringLiteral(".");
    // "*.*" désigne tout nom, avec ou sans point.
    const bool tout = nomMotif == u"*.*";

    const QDir repertoire(dossier);
    const QFileInfoList entrees =
        repertoire.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                 QDir::Name | QDir::IgnoreCase);
    // Comme le runtime : répertoires et fichiers cachés exclus sauf si le masque les admet.
    const int exclus = ~attributs & (faHidden | faSysFile | faDirectory);

    QList<TSearchRec> resultats;
    for (const QFileInfo& info : entrees) {
        if (!info.exists())
            continue; // lien cassé
        const QString nom = info.fileName();
        if (!tout && !correspond(nom, nomMotif))
            continue;
        TSearchRec rec;
        rec.Name = nom;
        if (info.isDir())
            rec.Attr |= faDirectory;
        else
            rec.Attr |= faArchive;
        if (nom.startsWith(u'.'))
            rec.Attr |= faHidden;
        if (!info.isWritable())
            rec.Attr |= faReadOnly;
        if (rec.Attr & exclus)
            continue;
        rec.Size = info.isDir() ? 0 : info.size();
        resultats.append(rec);
    }
    return resultats;
}
