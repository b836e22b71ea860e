#pragma once
// Traductions françaises des textes de Qt lui-même (boutons Oui, Non, Annuler…).
class QCoreApplication;

// Vrai quand le catalogue qtbase_fr a été trouvé et installé.
bool installerTraductionsFrancaises(QCoreApplication& application);
