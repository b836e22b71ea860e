#pragma once
// Traductions françaises des textes de Qt lui-même (boutons Oui, Non, Annuler…), et celles
// que son catalogue n'a pas pour les dialogues de fichier et d'impression.
class QCoreApplication;

// Vrai quand le catalogue qtbase_fr a été trouvé et installé.
bool installerTraductionsFrancaises(QCoreApplication& application);
