// Dialogue des options : affichage et choix du compagnon.
#include "U_VX_FormPrincipale.h"

#include "Interactions.h"
#include "U_VX_Options.h"
#include "Agentconsts.h"
#include "U_vx_compagnon.h"

void TFormPrincipale::configurerOptionsExecute()
{
    animerCompagnon(QStringLiteral("Think"));
    parlerCompagnon(QStringLiteral("Options"));
    if (!formOptions)
        return;
    QStringList noms;
    listerCompagnons(noms);
    formOptions->remplirCompagnons(noms);
    formOptions->setNomCompagnon(reglages.nomCompagnon);
    formOptions->setCompagnonAffiche(compagnonAffiche);
    formOptions->couleurHaut = reglages.couleurHaut;
    formOptions->couleurBas = reglages.couleurBas;
    formOptions->couleurTexte = reglages.couleurTexte;
    // La case de fermeture compte pour une annulation : rien ne doit rester d'une validation passée.
    formOptions->valide = false;
    Interactions::courantes().montrerModal(formOptions);
    if (!formOptions->valide)
        return;
    reglages.afficherCompagnon = formOptions->compagnonAffiche();
    const QString nom = formOptions->nomCompagnon();
    if (nom == reglages.nomCompagnon && reglages.afficherCompagnon == compagnonAffiche)
        return;
    // Redémarrage sans salut, à la place qu'il avait (la dernière où on l'a vu, s'il était éteint).
    if (TAgentCharacter* p = compagnonAffiche ? personnage() : nullptr) {
        const QPoint place = p->GetPosition();
        if (place.x() != AGENT_E_HORS_LIMITES)
            m_placeCompagnon = place;
    }
    arreterCompagnon(reglages.nomCompagnon);
    compagnonAffiche = reglages.afficherCompagnon;
    reglages.nomCompagnon = nom;
    ObjetFenetre objet;
    objet.origineEcran = ui.panelCommandesListeCourses->mapToGlobal(QPoint(0, 0));
    objet.largeur = ui.panelCommandesListeCourses->width();
    objet.hauteur = ui.panelCommandesListeCourses->height();
    objet.nom = ui.panelCommandesListeCourses->objectName();
    demarrerCompagnon(reglages.nomCompagnon, objet, m_placeCompagnon);
}
