#include "DepartPersonnage.h"

#include "Horloge.h"
#include "ServeurAgent.h"

#include <QBitmap>
#include <QCoreApplication>

namespace {
int g_departs = 0;
}

DepartPersonnage::DepartPersonnage(std::unique_ptr<FenetrePersonnage> fenetre,
                                   std::shared_ptr<const PersonnageAcs> modele, const AnimationAcs& animation, int trame,
                                   Temporisation& temps)
    : QObject(QCoreApplication::instance()), m_fenetre(std::move(fenetre)), m_modele(std::move(modele)),
      m_animation(animation), m_trame(std::max(0, trame))
{
    ++g_departs;
    m_fenetre->setProperty(ProprieteClasseFenetre, QVariant());
    m_fenetre->definirRappels({});
    m_reveil = temps.creerReveil([this] { trameSuivante(); });
    // Les branches sont ignorées : le départ va droit à sa dernière trame.
    m_trame -= 1;
    trameSuivante();
}

int DepartPersonnage::enCours() { return g_departs; }

void DepartPersonnage::laisserFinir(int delaiMaximal)
{
    constexpr int Pas = 20;
    Horloge& horloge = Horloge::courante();
    const qint64 debut = horloge.millisecondesEcoulees();
    while (g_departs > 0 && horloge.millisecondesEcoulees() - debut < delaiMaximal)
        horloge.patienter(Pas);
}

void DepartPersonnage::trameSuivante()
{
    ++m_trame;
    if (m_trame >= m_animation.trames.size()) {
        m_fenetre->hide();
        m_fenetre.reset();
        --g_departs;
        // Le réveil en cours d'appel ne peut pas être détruit ici.
        deleteLater();
        return;
    }
    const TrameAcs& trame = m_animation.trames.at(m_trame);
    if (!trame.couches.isEmpty()) {
        const QImage image = m_modele->composerTrame(trame).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        m_fenetre->afficherTrame(image, QRegion(QBitmap::fromImage(image.createAlphaMask())));
    }
    m_reveil->armer(int(trame.duree) * 10);
}
