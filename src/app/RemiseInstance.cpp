#include "RemiseInstance.h"

#include "Horloge.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr QByteArrayView k_entete = "VXR1";
constexpr qsizetype k_tailleEntete = 8; // "VXR1" et la longueur
constexpr char k_accuse = '\x06';
// Un client muet ou trop lent est coupé au bout de ce temps.
constexpr int k_patienceClientMs = 5000;
// Au-delà, le chemin d'une socket locale ne tient plus dans sockaddr_un.
constexpr qsizetype k_longueurMaxSocket = 100;

// Connexion coupée sans accusé ; la socket part avec elle.
void couper(QLocalSocket* client)
{
    client->abort();
    client->deleteLater();
}

} // namespace

QString nomServeurInstance(const QString& dossierDonnees)
{
    const QFileInfo dossier(dossierDonnees);
    const QString canonique = dossier.canonicalFilePath();
    const QString chemin = canonique.isEmpty() ? QDir::cleanPath(dossier.absoluteFilePath()) : canonique;
    const QByteArray empreinte = QCryptographicHash::hash(chemin.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    const QString nom = u"vatrelix-%1-%2"_s.arg(::getuid()).arg(QLatin1StringView(empreinte));
    // Le dossier d'exécution de l'utilisateur n'est lisible que de lui.
    const QString execution = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(execution) && QFileInfo(execution).isDir()) {
        const QString complet = QDir(execution).filePath(nom);
        if (QFile::encodeName(complet).size() <= k_longueurMaxSocket)
            return complet;
    }
    return nom;
}

QByteArray messageRemise(const QString& chemin)
{
    const QByteArray utf8 = chemin.toUtf8();
    QByteArray message = k_entete.toByteArray();
    message.resize(k_tailleEntete);
    qToBigEndian<quint32>(quint32(utf8.size()), message.data() + k_entete.size());
    return message + utf8;
}

LectureRemise lireMessageRemise(const QByteArray& recu, QString& chemin)
{
    const qsizetype debut = std::min(recu.size(), k_entete.size());
    if (QByteArrayView(recu).first(debut) != k_entete.first(debut))
        return LectureRemise::Invalide;
    if (recu.size() < k_tailleEntete)
        return LectureRemise::Incomplete;
    const quint32 taille = qFromBigEndian<quint32>(recu.constData() + k_entete.size());
    if (taille > quint32(k_tailleMaxRemise))
        return LectureRemise::Invalide;
    if (recu.size() < k_tailleEntete + qsizetype(taille))
        return LectureRemise::Incomplete;
    // Un seul chemin : rien après lui.
    if (recu.size() > k_tailleEntete + qsizetype(taille))
        return LectureRemise::Invalide;
    // UTF-8 strict ; une marque d'ordre n'est pas retirée (le chemin ne serait plus absolu).
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString texte = utf8(QByteArrayView(recu).sliced(k_tailleEntete));
    if (utf8.hasError() || texte.contains(QChar(0)) || (!texte.isEmpty() && !QDir::isAbsolutePath(texte)))
        return LectureRemise::Invalide;
    chemin = texte;
    return LectureRemise::Complete;
}

bool remettreAInstance(const QString& nomServeur, const QString& chemin, int delaiMs)
{
    Horloge& horloge = Horloge::courante();
    const qint64 fin = horloge.millisecondesEcoulees() + delaiMs;
    const auto reste = [&] { return int(std::max<qint64>(0, fin - horloge.millisecondesEcoulees())); };
    QLocalSocket socket;
    // L'instance qui tient le verrou peut ne pas écouter encore : elle démarre.
    for (;;) {
        socket.connectToServer(nomServeur);
        if (socket.waitForConnected(reste()))
            break;
        if (reste() == 0)
            return false;
        horloge.attendre(std::min(100, reste()));
    }
    socket.write(messageRemise(chemin));
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(reste()))
            return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(reste()))
            return false;
    char accuse = 0;
    return socket.getChar(&accuse) && accuse == k_accuse;
}

ServeurInstance::ServeurInstance(QObject* parent) : QObject(parent), m_serveur(new QLocalServer(this))
{
    m_serveur->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_serveur, &QLocalServer::newConnection, this, &ServeurInstance::accueillir);
}

bool ServeurInstance::ecouter(const QString& nom)
{
    QLocalServer::removeServer(nom);
    return m_serveur->listen(nom);
}

void ServeurInstance::accueillir()
{
    while (QLocalSocket* client = m_serveur->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] { lire(client); });
        QTimer::singleShot(k_patienceClientMs, client, [client] { couper(client); });
        // Ce qui est arrivé avec la connexion ne redonnera pas de readyRead.
        if (client->bytesAvailable() > 0)
            lire(client);
    }
}

void ServeurInstance::lire(QLocalSocket* client)
{
    // Rien n'est consommé avant le message entier : la taille lue reste bornée par l'en-tête.
    if (client->bytesAvailable() > k_tailleEntete + k_tailleMaxRemise) {
        couper(client);
        return;
    }
    QString chemin;
    switch (lireMessageRemise(client->peek(client->bytesAvailable()), chemin)) {
    case LectureRemise::Incomplete:
        return;
    case LectureRemise::Invalide:
        couper(client);
        return;
    case LectureRemise::Complete:
        break;
    }
    // Un seul message par connexion.
    client->disconnect(this);
    client->readAll();
    client->putChar(k_accuse);
    client->flush();
    client->disconnectFromServer();
    Q_EMIT remise(chemin);
}
