// Import d'une base d'articles de l'ancienne version.
#include "U_VX_FormPrincipale.h"

#include "ImportAncienneBase.h"
#include "Interactions.h"
#include "U_Article.h"
#include "U_VX_DataModule.h"
#include "U_rayon.h"
#include "U_vx_compagnon.h"

void TFormPrincipale::importerBDExecute()
{
    Interactions& interactions = Interactions::courantes();
    DialogueFichier dialogue;
    dialogue.titre = QStringLiteral("Importation de base d'articles");
    dialogue.filtre = QStringLiteral("Base d'articles Vatrelix 2004 (*.txt)|*.txt|");
    if (!interactions.ouvrirFichier(dialogue))
        return;

    // Tout est lu et vérifié d'abord : une erreur plus loin dans le fichier ne laisse rien.
    AncienneBase base;
    try {
        base = lireAncienneBase(dialogue.nomFichier);
    } catch (const EBaseIncompatible& e) {
        animerCompagnon(QStringLiteral("Surprised"));
        interactions.message(e.message(), TypeMessage::Erreur, BoutonsMessage::Ok);
        return;
    }

    const QString debut = QStringLiteral("Importation d'articles dans \"") + base.nomRayon + u'"';
    importerAncienneBase(*dm, base, [&](const TRayon&, const TArticle& article) {
        ecrireStatut(debut + QStringLiteral(" -> \"") + article.getNom() + u'"');
    });
    ecrireStatut(debut + QStringLiteral(" -> Terminée"));
    majArbreRayonsExecute();
}
