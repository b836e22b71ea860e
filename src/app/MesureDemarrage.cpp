#include "MesureDemarrage.h"

#include "U_VX_FormPrincipale.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <ctime>
#include <exception>

namespace {

double millisecondesDepuis(qint64 lancementNs)
{
    timespec maintenant{};
    clock_gettime(CLOCK_MONOTONIC, &maintenant);
    const qint64 ns = qint64(maintenant.tv_sec) * 1000000000 + maintenant.tv_nsec;
    return double(ns - lancementNs) / 1e6;
}

// Note le premier événement de peinture reçu par la fenêtre ou l'un de ses contrôles.
class GuetPeinture : public QObject
{
public:
    GuetPeinture(TFormPrincipale& fenetre, qint64 lancement) : QObject(&fenetre), m_fenetre(fenetre), m_lancement(lancement)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() != QEvent::Paint)
            return false;
        auto* controle = qobject_cast<QWidget*>(objet);
        if (controle && (controle == &m_fenetre || m_fenetre.isAncestorOf(controle))) {
            std::printf("premier_affichage_ms %.3f\n", millisecondesDepuis(m_lancement));
            std::fflush(stdout);
            QCoreApplication::instance()->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    TFormPrincipale& m_fenetre;
    qint64 m_lancement;
};

} // namespace

void mesurerDemarrage(TFormPrincipale& fenetre)
{
    bool lu = false;
    const qint64 lancement = qEnvironmentVariable("VATRELIX_MESURE_DEMARRAGE").toLongLong(&lu);
    if (!lu)
        return;
    new GuetPeinture(fenetre, lancement);
    fenetre.apresDemarrage = [lancement] {
        std::printf("demarrage_ms %.3f\n", millisecondesDepuis(lancement));
        std::fflush(stdout);
        QCoreApplication::exit(0);
    };
}

void enregistrerBaseSurDemande(TFormPrincipale& fenetre)
{
    if (qEnvironmentVariable("VATRELIX_ESSAI_ENREGISTRER_BASE") != u"1")
        return;
    fenetre.apresDemarrage = [&fenetre] {
        int code = 3;
        try {
            if (fenetre.enregistrerBase())
                code = 0;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
        }
        QCoreApplication::exit(code);
    };
}
