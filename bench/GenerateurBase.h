#pragma once
// Bases d'articles synthétiques pour les mesures : trois niveaux de rayons,
// une vingtaine d'articles par rayon, des noms français vraisemblables.
#include <QString>

class TdmVatrelix;

// Remplit dm d'une forêt d'exactement nbArticles articles (tirage reproductible).
void genererForet(TdmVatrelix& dm, int nbArticles);

// Écrit dans dossier (avec "/" final) la base "baseVatrelix.xml" de nbArticles articles.
void genererFichierBase(const QString& dossier, int nbArticles);
