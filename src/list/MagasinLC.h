#pragma once
// Les courses dans le magasin : coches des lignes achetées (jamais écrites dans la liste) et
// ordre de passage des rayons.
#include "LigneLC.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Coches des lignes de la liste. Elles suivent leurs lignes : quand la liste change, une ligne
// garde sa coche tant que son texte reste (parmi des lignes identiques, autant de coches
// qu'avant) ; une ligne nouvelle ou modifiée part décochée.
class CochesLC
{
public:
    // Le mode magasin montre les cases ; les coches existent hors du mode.
    bool affichees = false;
    // Appelé après chaque bascule par cocher().
    std::function<void()> apresBascule;

    // Vrai quand des coches existaient avant ou existent après (de quoi les retenir de nouveau).
    bool suivre(const QStringList& lignes);
    // Plus aucune coche ; les lignes sont retenues telles quelles.
    void oublier(const QStringList& lignes);
    bool cochee(qsizetype indice) const;
    void cocher(qsizetype indice, bool cochee);
    qsizetype nombre() const { return m_nombre; }
    // Rangs des lignes cochées, croissants.
    std::vector<qsizetype> indices() const;
    // Exactement ces coches sur ces lignes (rangs hors des lignes ignorés), sans apresBascule.
    void poser(const QStringList& lignes, const std::vector<qsizetype>& indices);
    // Nb et Total cumulés des lignes cochées.
    TotauxLC totauxCoches() const;

    // "empreinte:indices" des coches, vide sans coche ; restaurer() ne les reprend que sur des
    // lignes de même empreinte (faux sinon, et les coches restent vides).
    QString enregistrement() const;
    bool restaurer(const QStringList& lignes, const QString& enregistrement);

private:
    const QString& empreinte() const;

    QStringList m_lignes;
    std::vector<char> m_coches;
    qsizetype m_nombre = 0;
    mutable QString m_empreinte; // calculée à la demande, oubliée quand les lignes changent
};

// Lignes communes au début et à la fin de deux états d'une liste (jamais plus que la plus courte) :
// entre elles, ce qui a changé. Des lignes partagées se comparent sans être lues.
struct PartiesCommunesLC
{
    qsizetype debut = 0;
    qsizetype fin = 0;
};
PartiesCommunesLC partiesCommunes(const QStringList& avant, const QStringList& apres);

// Séparateur des noms d'un chemin de rayon : un caractère de contrôle que XML 1.0 interdit dans
// un nom, donc jamais dans un nom de rayon.
inline constexpr QChar kSeparateurChemin = QChar(0x1F);

// Ordre de passage : les chemins enregistrés encore existants, dans leur ordre, puis les autres
// chemins existants (pas encore placés) dans l'ordre ordinal ; chaque chemin une fois.
QStringList ordonnerRayonsMagasin(const QStringList& enregistres, const QStringList& existants);
// Noms des rayons (dernier nom de chaque chemin) dans l'ordre des chemins.
QStringList nomsRayonsMagasin(const QStringList& chemins);
