#pragma once
// Banc commun des tests du serveur de personnages : dossier d'exécutable et temps manuel neufs,
// serveur enregistré comme fabrique, composant connecté, notifications tenues dans un journal.
#include "EcrivainAcs.h"
#include "EnvironnementTest.h"
#include "MSAgent.h"
#include "PersonnageServi.h"
#include "ServeurPersonnages.h"
#include "TemporisationManuelle.h"
#include "Agentcharacters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QTest>

#include <functional>
#include <memory>

// Un événement reçu par le composant, en texte : "start 3", "complete 3 0", "visible 1"…
using Journal = QStringList;

// Livre les notifications en file, sans attente réelle.
inline void livrer()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::sendPostedEvents();
}

// Couleur opaque la plus fréquente de l'image, sans son alpha.
inline QRgb couleurDominante(const QImage& image)
{
    QHash<QRgb, int> compte;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                ++compte[image.pixel(x, y) & 0xFFFFFF];
    QRgb meilleure = 0;
    int n = -1;
    for (auto it = compte.cbegin(); it != compte.cend(); ++it)
        if (it.value() > n) {
            n = it.value();
            meilleure = it.key();
        }
    return meilleure;
}

inline QString dossierPersonnages(const EnvironnementTest& env) { return env.dossier() + QStringLiteral("MSAgent/Chars/"); }

inline void ecrireFichier(const QString& chemin, const QByteArray& octets)
{
    QDir().mkpath(QFileInfo(chemin).absolutePath());
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(octets), octets.size());
}

// Base privée des classes de test : init() appelle preparer(), cleanup() arreterServeur() puis liberer().
class BancPersonnages
{
protected:
    void preparer()
    {
        m_env = std::make_unique<EnvironnementTest>();
        m_temps = std::make_unique<TemporisationManuelle>();
        m_journal.clear();
    }

    // Écrit le personnage dans le dossier des personnages de l'exécutable.
    void ecrirePersonnage(const QString& fichier, const PersonnageAcs& personnage)
    {
        ecrireFichier(dossierPersonnages(*m_env) + fichier, ecrirePersonnageAcs(personnage));
    }

    // Enregistre la fabrique d'un serveur sur le temps manuel et crée le composant, encore déconnecté :
    // le journal se branche avant la connexion.
    void creerAgent(ServeurPersonnages::Options options)
    {
        options.temps = m_temps.get();
        enregistrerServeurAgent([this, options] {
            auto serveur = std::make_shared<ServeurPersonnages>(options);
            m_serveur = serveur;
            return std::static_pointer_cast<IServeurAgent>(serveur);
        });
        m_agent = std::make_unique<TMSAgent>();
    }

    void connecter()
    {
        m_agent->SetConnected(true);
        QVERIFY(m_agent->GetConnected());
    }

    // Notes des requêtes, signets, repos et états de la bulle.
    void noterRequetes(const std::function<void(const QString&)>& noter)
    {
        m_agent->OnRequestStart = [noter](TMSAgent*, TAgentCharacter*, qint32 r) { noter(QStringLiteral("start %1").arg(r)); };
        m_agent->OnRequestComplete = [noter](TMSAgent*, TAgentCharacter*, qint32 r, int s) {
            noter(QStringLiteral("complete %1 %2").arg(r).arg(s));
        };
        m_agent->OnBookmark = [noter](TMSAgent*, int signet) { noter(QStringLiteral("signet %1").arg(signet)); };
        m_agent->OnIdle = [noter](TMSAgent*, TAgentCharacter*, TAgentIdleState e) { noter(QStringLiteral("idle %1").arg(int(e))); };
        m_agent->OnBalloonVisibleState = [noter](TMSAgent*, TAgentCharacter*, TAgentBalloonState e) {
            noter(QStringLiteral("bulle %1").arg(int(e)));
        };
    }

    // Le composant détruit et la fabrique retirée, le serveur ne doit plus exister.
    void arreterServeur()
    {
        m_agent.reset();
        livrer();
        enregistrerServeurAgent(nullptr);
        QVERIFY(m_serveur.expired());
    }

    void liberer()
    {
        m_temps.reset();
        m_env.reset();
    }

    TAgentCharacter* chargerPersonnage(const QString& nom, const QString& fournisseur)
    {
        TAgentCharacters* personnages = m_agent->GetCharacters();
        if (!personnages || echec(personnages->Load(nom, fournisseur)))
            return nullptr;
        livrer();
        return personnages->CharacterByIndex(personnages->GetCount() - 1);
    }

    PersonnageServi* servi(TAgentCharacter* personnage) const
    {
        const auto serveur = m_serveur.lock();
        return serveur && personnage ? serveur->personnage(personnage->Numero()) : nullptr;
    }

    // Avance le temps par pas de 10 ms en livrant les notifications à chaque pas.
    void avancer(qint64 ms)
    {
        for (qint64 t = 0; t < ms; t += 10) {
            m_temps->avancer(std::min<qint64>(10, ms - t));
            livrer();
        }
    }

    std::unique_ptr<EnvironnementTest> m_env;
    std::unique_ptr<TemporisationManuelle> m_temps;
    std::weak_ptr<ServeurPersonnages> m_serveur;
    std::unique_ptr<TMSAgent> m_agent;
    Journal m_journal;
};
