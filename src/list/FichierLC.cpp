#include "FichierLC.h"

#include "Codec1252.h"
#include "Erreurs.h"
#include "FichierTexte.h"
#include "LigneLC.h"

QString filtreFichierLC()
{
    return QStringLiteral("Fichier Liste de courses (.lvtx)|*.lvtx");
}

QString nomFichierLC(const QString& cheminChoisi)
{
    qsizetype delimiteur = -1;
    for (qsizetype i = cheminChoisi.size() - 1; i >= 0; --i) {
        const QChar c = cheminChoisi.at(i);
        if (c == u'\\' || c == u':' || c == u'/') {
            delimiteur = i;
            break;
        }
    }
    const QString dossier = cheminChoisi.left(delimiteur + 1);
    QString nom = cheminChoisi.mid(delimiteur + 1);
    // Seule l'extension finale part : "a.b.b" donne "a.b.lvtx", pas "a.lvtx".
    const qsizetype point = nom.lastIndexOf(u'.');
    if (point >= 0) {
        nom.truncate(point);
    }
    return dossier + nom + QString::fromUtf16(kExtensionLC);
}

QStringList lireFichierLC(const QString& chemin, EmpreinteFichier* empreinte)
{
    const QByteArray octets = lireOctets(chemin, TailleMax::liste);
    if (empreinte)
        *empreinte = empreinteFichier(chemin, empreinteOctets(octets));
    QStringList lignes = lignesDepuisAnsi(octets);
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        if (lignes.at(i).size() > longueurMaxLigneLC) {
            throw EFichierErreur(QStringLiteral("Le fichier \"%1\" n'est pas une liste de courses lisible : sa ligne %2 "
                                                "compte %3 caractères (au plus %4).")
                                     .arg(chemin)
                                     .arg(i + 1)
                                     .arg(lignes.at(i).size())
                                     .arg(longueurMaxLigneLC));
        }
    }
    return lignes;
}

EmpreinteFichier ecrireFichierLC(const QString& chemin, const QStringList& lignes)
{
    SortieAtomique sortie(chemin);
    sortie.ecrire(octetsLignes(lignes));
    sortie.valider();
    return empreinteFichier(chemin, sortie.empreinteContenu());
}

QStringList lireListeLC(const QString& chemin, EmpreinteFichier* empreinte, TotauxLC* totaux)
{
    QStringList lignes = lireFichierLC(chemin, empreinte);
    try {
        const TotauxLC calcules = calculerTotaux(lignes);
        if (totaux)
            *totaux = calcules;
    } catch (const EConvertError& e) {
        throw EFichierErreur(QStringLiteral("Le fichier \"%1\" n'est pas une liste de courses lisible : %2")
                                 .arg(chemin, e.message()));
    }
    return lignes;
}

void importerFichierLC(const QString& chemin, QStringList& lignes)
{
    // Lecture et vérification complètes d'abord : un refus laisse la liste intacte.
    lignes.append(lireListeLC(chemin));
}
