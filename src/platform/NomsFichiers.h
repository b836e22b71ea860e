#pragma once
// Services de noms de fichiers : "\", ":" et "/" sont des délimiteurs.
#include <QList>
#include <QString>

QString ExtractFilePath(const QString& chemin); // dossier avec son délimiteur final
QString ExtractFileDir(const QString& chemin);  // dossier sans le délimiteur final
QString ExtractFileName(const QString& chemin);
QString ExtractFileExt(const QString& chemin);  // depuis le dernier '.' du nom, vide sinon
bool FileExists(const QString& chemin);

// Attributs de fichier du runtime.
constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

struct TSearchRec
{
    QString Name;
    int Attr = 0;
    qint64 Size = 0;
};

// Entrées d'un dossier dont le nom correspond au motif (jokers * et ?, casse ignorée)
// et dont les attributs sont admis par le masque (les fichiers ordinaires le sont toujours).
// motif : chemin complet, par exemple "/x/MSAgent/Chars/*.acs".
QList<TSearchRec> chercherFichiers(const QString& motif, int attributs);
