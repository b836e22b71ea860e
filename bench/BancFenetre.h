#pragma once
// Les bancs qui mesurent la vraie fenêtre : hors écran, dans un dossier temporaire qui tient
// lieu de dossier du programme et de dossier des réglages de l'utilisateur (rien n'est écrit
// ailleurs), compagnon initialisé ; la fenêtre et son module de données vivent le temps des bancs.
#include "Emplacements.h"
#include "Interactions.h"
#include "ParametresRegionaux.h"
#include "ReglagesUtilisateur.h"
#include "U_VX_DataModule.h"
#include "U_VX_FormPrincipale.h"
#include "U_vx_compagnon.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <memory>

// fenetre, dm et dossier (avec son "/" final) sont posés avant les bancs et remis à zéro après.
inline int lancerBancsFenetre(int argc, char** argv, Interactions& interactions, TFormPrincipale*& fenetre,
                              TdmVatrelix*& dm, QString& dossier)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ParametresRegionaux::definir(ParametresRegionaux::francais());
    Interactions::definir(&interactions);
    initialiserCompagnon();
    QTemporaryDir temporaire;
    dossier = temporaire.path() + u'/';
    definirRepertoireExecutable(dossier);
    definirDossierReglagesUtilisateur(dossier + QStringLiteral("config-utilisateur"));
    {
        auto f = std::make_unique<TFormPrincipale>();
        f->ui.timerDemarrage->stop();
        TdmVatrelix module;
        f->attacherModuleDonnees(&module);
        f->show();
        fenetre = f.get();
        dm = &module;
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        f.reset();
        fenetre = nullptr;
        dm = nullptr;
    }
    terminerCompagnon();
    definirDossierReglagesUtilisateur(QString());
    definirRepertoireExecutable(QString());
    Interactions::definir(nullptr);
    return 0;
}
