#pragma once
// Import d'une base d'articles de l'ancienne génération : la première ligne du fichier
// est une suite d'enregistrements de 50 caractères (nom sur 40, prix sur 10), sans séparateur.
// Tout est lu et vérifié avant que la forêt ne change : un fichier fautif ne laisse rien.
#include "Couleurs.h"
#include "Erreurs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class TArticle;
class TRayon;
class TdmVatrelix;

// Le fichier n'a pas de première ligne ou ses caractères 41 à 50 ne sont pas un nombre.
class EBaseIncompatible : public EVatrelix
{
public:
    EBaseIncompatible();
};

constexpr int largeurEnregistrementAncien = 50;
constexpr int largeurNomAncien = 40;
// Couleur du rayon créé par l'import (clSkyBlue).
constexpr TColor couleurRayonImporte = clSkyBlue;

struct ArticleAncien
{
    QString nom;
    double prix = 0;
};

struct AncienneBase
{
    QString nomRayon;
    QList<ArticleAncien> articles;
};

// Vrai quand la première ligne existe et que ses caractères 41 à 50 se lisent comme un nombre.
bool ancienneBaseCompatible(const QStringList& lignes);
// Les enregistrements d'une ligne, dans l'ordre ; EConvertError, nommant chemin et le numéro
// de l'enregistrement (compté depuis 1), sur le premier prix illisible (dernier enregistrement
// de moins de 41 caractères compris) ou hors de ±prixMaxArticle. "|" et les caractères interdits
// en XML des noms deviennent des blancs.
QList<ArticleAncien> lireEnregistrementsAnciens(const QString& ligne, const QString& chemin = QString());
// Nom du fichier sans dossier, privé de chaque occurrence de son extension (casse exacte).
QString nomRayonImporte(const QString& chemin);
// Lit le fichier (Windows-1252) puis vérifie tout ; EFichierErreur, EBaseIncompatible, EConvertError.
AncienneBase lireAncienneBase(const QString& chemin);
// Ajoute le rayon racine et ses articles (remarque vide) ; surArticle suit chaque article.
TRayon* importerAncienneBase(TdmVatrelix& dm, const AncienneBase& base,
                             const std::function<void(const TRayon&, const TArticle&)>& surArticle = {});
