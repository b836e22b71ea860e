#pragma once
// Le module de données : la forêt des rayons, le magasin des lignes de la liste de
// courses et la base d'articles XML. Classe ordinaire, sans widget.
#include "Couleurs.h"
#include "FichierTexte.h"

#include <QList>
#include <QString>
#include <QStringList>

class TRayon;

// Reçoit l'avancement d'un chargement ou d'un enregistrement ("0" à "100") et doit
// le redessiner aussitôt, avant que l'opération ne continue.
class ProgressionBase
{
public:
    virtual ~ProgressionBase() = default;
    virtual void progression(const QString& pourcentage) = 0;
};

class TdmVatrelix
{
public:
    TdmVatrelix();
    // Détache toute la forêt puis détruit les rebuts.
    ~TdmVatrelix();
    TdmVatrelix(const TdmVatrelix&) = delete;
    TdmVatrelix& operator=(const TdmVatrelix&) = delete;

    // Les rayons racines, dans l'ordre ; leur père est nul.
    QList<TRayon*> listeRayons;
    // Les lignes de la liste de courses, telles qu'elles seront écrites.
    QStringList listeCourses;

    // Ajoute un nouveau rayon racine en fin de liste et le rend.
    TRayon* ajouterRayonRacine(const QString& nom);
    TRayon* ajouterRayonRacine(const QString& nom, TColor couleur);
    // Détache chaque racine, de la dernière à la première.
    void viderListeRayons();
    // Détache la première racine qui est r ; sans effet si r n'est pas une racine.
    void retirerRayonRacine(TRayon* r);
    void retirerRayonRacine(int i);
    // Ajoute à cible une copie profonde de source ; rend la copie. EProfondeurRayons, sans
    // rien changer, quand la copie dépasserait profondeurMaxRayons.
    TRayon* copierRayon(const TRayon* source, TRayon* cible);
    // Copie les fils puis les articles de source dans copie, encore vide.
    void copierContenuRayon(const TRayon* source, TRayon* copie);

    // Détruit les éléments détachés (les rebuts sont communs au processus) ; à n'appeler
    // que quand aucune vue ne les montre plus.
    void viderRebuts();

    // Base d'articles "baseVatrelix.xml" du dossier de l'exécutable.
    // Lève EXmlErreur, EConvertError ou EFichierErreur ; un chargement interrompu garde
    // les racines complètes lues avant l'erreur, un enregistrement raté ne touche à rien.
    void chargerBase(ProgressionBase& progression);
    void enregistrerBase(ProgressionBase& progression);

    // Rend au système les pages libres du tas. Après un chargement, le document analysé (plusieurs
    // fois la taille du fichier) a été libéré entre les nœuds du modèle : sans cela, la mémoire
    // résidente garderait sa pointe d'un rechargement à l'autre.
    static void rendreMemoireLibre();
    // La base sur le disque a changé depuis sa lecture ou son dernier enregistrement
    // (autre programme, éditeur) : l'écraser perdrait ce changement.
    bool baseChangeeSurDisque() const;

    static QString cheminBase();
    static QString cheminModele();

private:
    EmpreinteFichier m_empreinteBase;
};
