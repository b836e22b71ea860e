// Réglages : lus à la construction de la fenêtre, écrits à sa destruction.
#include "U_VX_FormPrincipale.h"

#include "Configuration.h"

void TFormPrincipale::lireConfigAppli()
{
    // Un fichier présent mais illisible lève : la fenêtre n'est pas construite.
    const ConfigurationAppli config = lireConfiguration();
    couleurHaut = config.couleurHaut;
    couleurBas = config.couleurBas;
    couleurTexte = config.couleurTexte;
    fichierLC = config.fichierLC;
    afficherCompagnon = config.afficherCompagnon;
    nomCompagnon = config.nomCompagnon;
    lignesConfig = config.lignesConfig;
    m_avertissementConfiguration = config.avertissement;
}

void TFormPrincipale::enregistrerConfigAppliExecute()
{
    ConfigurationAppli config;
    config.couleurHaut = couleurHaut;
    config.couleurBas = couleurBas;
    config.couleurTexte = couleurTexte;
    config.fichierLC = fichierLC;
    config.afficherCompagnon = afficherCompagnon;
    config.nomCompagnon = nomCompagnon;
    config.lignesConfig = lignesConfig;
    enregistrerConfiguration(config);
    lignesConfig = config.lignesConfig;
}
