// Dialogue des options : affichage et choix du compagnon.
#include "U_VX_FormPrincipale.h"

#include "Interactions.h"
#include "U_VX_Options.h"
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
    formOptions->setNomCompagnon(nomCompagnon);
    formOptions->setCompagnonAffiche(compagnonAffiche);
    formOptions->couleurHaut = couleurHaut;
    formOptions->couleurBas = couleurBas;
    formOptions->couleurTexte = couleurTexte;
    // La case de fermeture compte pour une annulation : rien ne doit rester d'une validation passée.
    formOptions->valide = false;
    Interactions::courantes().montrerModal(formOptions);
    if (!formOptions->valide)
        return;
    afficherCompagnon = formOptions->compagnonAffiche();
    const QString nom = formOptions->nomCompagnon();
    if (nom == nomCompagnon && afficherCompagnon == compagnonAffiche)
        return;
    // Redémarrage sans salut.
    arreterCompagnon(nomCompagnon);
    compagnonAffiche = afficherCompagnon;
    nomCompagnon = nom;
    ObjetFenetre objet;
    objet.origineEcran = panelCommandesListeCourses->mapToGlobal(QPoint(0, 0));
    objet.largeur = panelCommandesListeCourses->width();
    objet.hauteur = panelCommandesListeCourses->height();
    objet.nom = panelCommandesListeCourses->objectName();
    demarrerCompagnon(nomCompagnon, objet);
}
