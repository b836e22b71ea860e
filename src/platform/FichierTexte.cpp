#include "FichierTexte.h"

#include "Codec1252.h"
#include "Erreurs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <limits>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Les octets sont écrits et comptés dans l'empreinte par blocs de cette taille.
constexpr qsizetype k_bloc = 64 * 1024;
constexpr size_t k_graineEmpreinte = 0x5661747265;
// Nom des temporaires : ".NOM.vatrelix-PID-XXXXXX" ; le PID dit si l'écrivain vit encore.
const QString k_marqueTemporaire = QStringLiteral(".vatrelix-");

QString raisonSysteme(int erreur)
{
    switch (erreur) {
    case ENOENT: return QStringLiteral("le fichier ou son dossier n'existe pas");
    case EACCES:
    case EPERM: return QStringLiteral("accès refusé");
    case EISDIR: return QStringLiteral("c'est un dossier");
    case ENOSPC: return QStringLiteral("le disque est plein");
    case EDQUOT: return QStringLiteral("le quota du disque est atteint");
    case EFBIG: return QStringLiteral("le fichier dépasse la taille permise");
    case EROFS: return QStringLiteral("le disque est en lecture seule");
    case EIO: return QStringLiteral("erreur d'entrée-sortie du disque");
    case ENAMETOOLONG: return QStringLiteral("nom de fichier trop long");
    case ENOTDIR: return QStringLiteral("un élément du chemin n'est pas un dossier");
    case ELOOP: return QStringLiteral("trop de liens symboliques");
    default: return QString::fromLocal8Bit(std::strerror(erreur));
    }
}

QString mio(qint64 octets)
{
    return QString::number(double(octets) / (1024.0 * 1024.0), 'f', octets < (10LL << 20) ? 1 : 0);
}

[[noreturn]] void echecLecture(const QString& chemin, const QString& raison)
{
    throw EFichierErreur(QStringLiteral("Impossible d'ouvrir le fichier \"%1\" : %2").arg(chemin, raison));
}

[[noreturn]] void echecEcriture(const QString& chemin, const QString& raison)
{
    throw EFichierErreur(QStringLiteral("Impossible d'écrire le fichier \"%1\" : %2").arg(chemin, raison));
}

// Refuse tout ce qui n'est pas un fichier ordinaire, sans l'ouvrir ni le lire.
void verifierOrdinaire(const QString& chemin, const struct stat& etat, qint64 tailleMax)
{
    if (S_ISDIR(etat.st_mode))
        echecLecture(chemin, QStringLiteral("c'est un dossier"));
    if (!S_ISREG(etat.st_mode))
        echecLecture(chemin, QStringLiteral("ce n'est pas un fichier ordinaire (tube, périphérique ou prise)"));
    if (etat.st_size > tailleMax) {
        echecLecture(chemin, QStringLiteral("le fichier est trop gros (%1 Mio ; au plus %2 Mio)")
                                 .arg(mio(etat.st_size), mio(tailleMax)));
    }
}

// Écrit tout le tampon, en reprenant les écritures partielles et interrompues.
bool ecrireTout(int fd, const char* donnees, qsizetype taille, int& erreur)
{
    while (taille > 0) {
        const ssize_t n = ::write(fd, donnees, size_t(taille));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            erreur = errno;
            return false;
        }
        donnees += n;
        taille -= n;
    }
    return true;
}

size_t chainer(size_t empreinte, QByteArrayView bloc)
{
    return qHash(bloc, empreinte);
}

bool ecrivainVivant(qint64 pid)
{
    if (pid <= 0 || pid == qint64(::getpid()))
        return true;
    return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

} // namespace

QStringList decouperLignes(const QString& texte)
{
    QStringList lignes;
    const qsizetype n = texte.size();
    qsizetype debut = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texte.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lignes.append(texte.mid(debut, i - debut));
        if (c == u'\r' && i + 1 < n && texte.at(i + 1) == u'\n')
            ++i;
        debut = i + 1;
    }
    if (debut < n)
        lignes.append(texte.mid(debut));
    return lignes;
}

QByteArray lireOctets(const QString& chemin, qint64 tailleMax)
{
    const QByteArray nom = QFile::encodeName(chemin);
    struct stat etat {};
    // Le genre du fichier est vérifié avant de l'ouvrir : ouvrir certains périphériques agit déjà.
    if (::stat(nom.constData(), &etat) != 0)
        echecLecture(chemin, errno == ENOENT ? QStringLiteral("le fichier n'existe pas") : raisonSysteme(errno));
    verifierOrdinaire(chemin, etat, tailleMax);
    // Sans blocage : si le fichier a été remplacé par un tube entre-temps, l'ouverture ne l'attend pas.
    const int fd = ::open(nom.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        echecLecture(chemin, raisonSysteme(errno));
    struct Fermeture
    {
        int fd;
        ~Fermeture() { ::close(fd); }
    } fermeture{fd};
    if (::fstat(fd, &etat) != 0)
        echecLecture(chemin, raisonSysteme(errno));
    verifierOrdinaire(chemin, etat, tailleMax);

    QByteArray octets(qsizetype(etat.st_size), Qt::Uninitialized);
    qsizetype lus = 0;
    const auto lire = [&](char* tampon, qsizetype taille) {
        for (;;) {
            const ssize_t n = ::read(fd, tampon, size_t(taille));
            if (n >= 0)
                return qsizetype(n);
            if (errno != EINTR)
                throw EFichierErreur(QStringLiteral("Impossible de lire le fichier \"%1\" : %2")
                                         .arg(chemin, raisonSysteme(errno)));
        }
    };
    while (lus < octets.size()) {
        const qsizetype n = lire(octets.data() + lus, octets.size() - lus);
        if (n == 0)
            break;
        lus += n;
    }
    octets.truncate(lus);
    // Un fichier qui grandit pendant la lecture est suivi, jusqu'à la taille maximale.
    char suite[16 * 1024];
    for (qsizetype n; (n = lire(suite, qsizetype(sizeof suite))) > 0;) {
        octets.append(suite, n);
        if (octets.size() > tailleMax)
            echecLecture(chemin, QStringLiteral("le fichier est trop gros (au plus %1 Mio)").arg(mio(tailleMax)));
    }
    return octets;
}

QStringList lireLignes(const QString& chemin, qint64 tailleMax)
{
    return lignesDepuisAnsi(lireOctets(chemin, tailleMax));
}

QString cibleReelle(const QString& chemin)
{
    QString courant = QFileInfo(chemin).absoluteFilePath();
    // Au plus 40 liens, comme le noyau ; une boucle échouera à l'ouverture.
    for (int i = 0; i < 40; ++i) {
        const QFileInfo info(courant);
        if (!info.isSymLink())
            return courant;
        courant = info.symLinkTarget();
    }
    return courant;
}

struct SortieAtomique::Etat
{
    QString chemin;      // le chemin demandé, pour les messages et la sauvegarde
    QString cible;       // le fichier réellement remplacé
    QString temporaire;
    int fd = -1;
    QByteArray tampon;
    size_t empreinte = k_graineEmpreinte;
    bool valide = false;

    void vider()
    {
        if (tampon.isEmpty())
            return;
        ecrireDirect(tampon);
        tampon.clear();
    }

    // L'empreinte est chaînée bloc de k_bloc octets par bloc, comme empreinteOctets.
    void ecrireDirect(QByteArrayView octets)
    {
        int erreur = 0;
        if (!ecrireTout(fd, octets.data(), octets.size(), erreur))
            echecEcriture(chemin, raisonSysteme(erreur));
        for (qsizetype debut = 0; debut < octets.size(); debut += k_bloc)
            empreinte = chainer(empreinte, octets.sliced(debut, std::min(k_bloc, octets.size() - debut)));
    }
};

SortieAtomique::SortieAtomique(const QString& chemin) : d(std::make_unique<Etat>())
{
    d->chemin = chemin;
    d->cible = cibleReelle(chemin);
    const QFileInfo infoCible(d->cible);
    if (infoCible.isDir())
        echecEcriture(chemin, QStringLiteral("c'est un dossier"));

    // Droits de l'ancien fichier gardés ; un nouveau fichier suit le masque de l'utilisateur.
    mode_t droits = 0666;
    struct stat ancien {};
    if (::stat(QFile::encodeName(d->cible).constData(), &ancien) == 0)
        droits = ancien.st_mode & 07777;

    const QString prefixe = infoCible.absolutePath() + QStringLiteral("/.") + infoCible.fileName() + k_marqueTemporaire
                            + QString::number(::getpid()) + u'-';
    static const char k_alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int essai = 0; essai < 100 && d->fd < 0; ++essai) {
        QString suffixe(6, u'x');
        for (QChar& c : suffixe)
            c = QLatin1Char(k_alphabet[QRandomGenerator::global()->bounded(int(sizeof(k_alphabet) - 1))]);
        d->temporaire = prefixe + suffixe;
        d->fd = ::open(QFile::encodeName(d->temporaire).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                       droits);
        if (d->fd < 0 && errno != EEXIST)
            echecEcriture(chemin, raisonSysteme(errno));
    }
    if (d->fd < 0)
        echecEcriture(chemin, QStringLiteral("aucun fichier temporaire n'a pu être créé"));
    // Le masque de création a pu retirer des droits de l'ancien fichier : on les rend.
    if (droits != 0666)
        ::fchmod(d->fd, droits);
    d->tampon.reserve(k_bloc);
}

SortieAtomique::~SortieAtomique()
{
    if (d->fd >= 0)
        ::close(d->fd);
    if (!d->valide && !d->temporaire.isEmpty())
        ::unlink(QFile::encodeName(d->temporaire).constData());
}

void SortieAtomique::ecrire(QByteArrayView octets)
{
    while (!octets.isEmpty()) {
        // Les blocs entiers d'un grand texte partent sans passer par le tampon.
        if (d->tampon.isEmpty() && octets.size() >= k_bloc) {
            const QByteArrayView bloc = octets.first(octets.size() - octets.size() % k_bloc);
            d->ecrireDirect(bloc);
            octets = octets.sliced(bloc.size());
            continue;
        }
        const qsizetype place = k_bloc - d->tampon.size();
        const qsizetype n = std::min(place, octets.size());
        d->tampon.append(octets.first(n));
        octets = octets.sliced(n);
        if (d->tampon.size() == k_bloc)
            d->vider();
    }
}

void SortieAtomique::valider(Sauvegarde sauvegarde)
{
    d->vider();
    // fsync puis close : une erreur d'écriture différée (disque plein, quota) se voit ici.
    if (::fsync(d->fd) != 0 && errno != EINVAL)
        echecEcriture(d->chemin, raisonSysteme(errno));
    const int fd = d->fd;
    d->fd = -1;
    if (::close(fd) != 0)
        echecEcriture(d->chemin, raisonSysteme(errno));

    const QByteArray cible = QFile::encodeName(d->cible);
    if (sauvegarde == Sauvegarde::FichierBak && QFileInfo::exists(d->cible)) {
        const QString nomBak = d->chemin + QStringLiteral(".bak");
        const QByteArray bak = QFile::encodeName(nomBak);
        if (::unlink(bak.constData()) != 0 && errno != ENOENT)
            throw EFichierErreur(QStringLiteral("Impossible de remplacer la sauvegarde \"%1\" : %2")
                                     .arg(nomBak, raisonSysteme(errno)));
        // Lien dur vers le fichier réel (instantané) : après le renommage, il garde seul
        // l'ancienne version. Copie quand le lien est impossible (autre disque).
        if (::link(cible.constData(), bak.constData()) != 0) {
            try {
                ecrireOctets(nomBak, lireOctets(d->cible, std::numeric_limits<qint64>::max()), Sauvegarde::Aucune);
            } catch (const EFichierErreur& e) {
                throw EFichierErreur(QStringLiteral("Impossible de garder l'ancienne version de \"%1\" dans \"%2\" : %3")
                                         .arg(d->chemin, nomBak, e.message()));
            }
        }
    }
    if (::rename(QFile::encodeName(d->temporaire).constData(), cible.constData()) != 0)
        echecEcriture(d->chemin, raisonSysteme(errno));
    d->valide = true;
    // Le renommage lui-même est rendu durable par la synchronisation du dossier.
    const int dossier = ::open(QFile::encodeName(QFileInfo(d->cible).absolutePath()).constData(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dossier >= 0) {
        ::fsync(dossier);
        ::close(dossier);
    }
}

size_t SortieAtomique::empreinteContenu() const
{
    return d->empreinte;
}

void ecrireOctets(const QString& chemin, const QByteArray& octets, Sauvegarde sauvegarde)
{
    SortieAtomique sortie(chemin);
    sortie.ecrire(octets);
    sortie.valider(sauvegarde);
}

QByteArray octetsLignes(const QStringList& lignes)
{
    qsizetype taille = 0;
    for (const QString& ligne : lignes)
        taille += ligne.size() + 2;
    QByteArray octets(taille, Qt::Uninitialized);
    char* sortie = octets.data();
    for (const QString& ligne : lignes) {
        sortie = ecrireAnsi(ligne, sortie);
        *sortie++ = '\r';
        *sortie++ = '\n';
    }
    // Une paire de substitution donne un seul octet : le texte peut être plus court que prévu.
    octets.truncate(sortie - octets.constData());
    return octets;
}

void ecrireLignes(const QString& chemin, const QStringList& lignes)
{
    ecrireOctets(chemin, octetsLignes(lignes), Sauvegarde::Aucune);
}

int supprimerTemporairesOrphelins(const QString& dossier)
{
    static const QRegularExpression motif(QStringLiteral("^\\..+\\.vatrelix-(\\d{1,10})-[A-Za-z0-9]{6}$"));
    int supprimes = 0;
    const QDir d(dossier);
    const QStringList noms = d.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& nom : noms) {
        const QRegularExpressionMatch m = motif.match(nom);
        if (!m.hasMatch() || ecrivainVivant(m.captured(1).toLongLong()))
            continue;
        // Seulement un fichier ordinaire : jamais un lien ni rien d'autre portant ce nom.
        struct stat etat {};
        const QByteArray chemin = QFile::encodeName(d.filePath(nom));
        if (::lstat(chemin.constData(), &etat) == 0 && S_ISREG(etat.st_mode) && ::unlink(chemin.constData()) == 0)
            ++supprimes;
    }
    return supprimes;
}

size_t empreinteOctets(QByteArrayView octets)
{
    size_t empreinte = k_graineEmpreinte;
    for (qsizetype debut = 0; debut < octets.size(); debut += k_bloc)
        empreinte = chainer(empreinte, octets.sliced(debut, std::min(k_bloc, octets.size() - debut)));
    return empreinte;
}

EmpreinteFichier empreinteAbsent()
{
    EmpreinteFichier e;
    e.connue = true;
    return e;
}

EmpreinteFichier empreinteFichier(const QString& chemin, size_t contenu)
{
    EmpreinteFichier e = empreinteAbsent();
    struct stat etat {};
    if (::stat(QFile::encodeName(chemin).constData(), &etat) != 0)
        return e;
    e.existe = true;
    e.taille = etat.st_size;
    e.modification = qint64(etat.st_mtim.tv_sec) * 1000000000 + etat.st_mtim.tv_nsec;
    e.inode = quint64(etat.st_ino) ^ (quint64(etat.st_dev) << 48);
    e.contenu = contenu;
    return e;
}

bool fichierChange(const QString& chemin, const EmpreinteFichier& empreinte)
{
    if (!empreinte.connue)
        return false;
    const EmpreinteFichier maintenant = empreinteFichier(chemin, 0);
    if (!maintenant.existe)
        return false;
    if (!empreinte.existe)
        return true;
    if (maintenant.taille != empreinte.taille)
        return true;
    if (maintenant.modification == empreinte.modification && maintenant.inode == empreinte.inode)
        return false;
    // Même taille, autre date ou autre nœud : seul le contenu tranche.
    try {
        return empreinteOctets(lireOctets(chemin, std::numeric_limits<qint64>::max())) != empreinte.contenu;
    } catch (const EFichierErreur&) {
        return true;
    }
}
