#pragma once
// Un seul Vatrelix par dossier de données : la copie qui tient le verrou écoute sur un serveur
// local ; une seconde copie lui remet la liste demandée (ou rien : la première vient au premier
// plan), attend l'accusé de réception et s'arrête.
// Message : "VXR1", longueur du chemin (4 octets, poids fort d'abord), chemin absolu en UTF-8 ;
// l'accusé est un octet. Tout autre message est refusé : connexion coupée, sans accusé.
#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// Taille maximale du chemin remis, en octets.
inline constexpr int k_tailleMaxRemise = 16 * 1024;

// Nom du serveur du dossier de données pour l'utilisateur courant : dans son dossier
// d'exécution privé quand le bureau en donne un, sinon dans le dossier temporaire.
QString nomServeurInstance(const QString& dossierDonnees);

// Le message qui remet ce chemin (vide : venir au premier plan).
QByteArray messageRemise(const QString& chemin);

enum class LectureRemise { Incomplete, Complete, Invalide };
// Lit ce qui est reçu jusqu'ici ; Complete : chemin reçoit le chemin remis.
LectureRemise lireMessageRemise(const QByteArray& recu, QString& chemin);

// Côté seconde copie, bloquant et sans boucle d'événements : vrai quand l'instance en cours a
// accusé réception dans le délai. Le serveur peut naître pendant ce délai (instance en démarrage).
bool remettreAInstance(const QString& nomServeur, const QString& chemin, int delaiMs);

// Côté instance en cours.
class ServeurInstance : public QObject
{
    Q_OBJECT
public:
    explicit ServeurInstance(QObject* parent = nullptr);
    // Écoute sous ce nom (un reste d'une copie disparue est retiré : le verrou est à nous).
    // Faux quand c'est impossible : les copies suivantes diront alors le verrou.
    bool ecouter(const QString& nom);

Q_SIGNALS:
    // Émis après l'accusé : chemin absolu de la liste remise, vide pour venir au premier plan.
    void remise(const QString& chemin);

private:
    void accueillir();
    void lire(QLocalSocket* client);

    QLocalServer* m_serveur;
};
