#include "RangeeLC.h"

#include "U_VX_FormPrincipale.h"

#include <QBrush>
#include <QFont>

#include <array>

namespace {

constexpr int k_champs = 6;

struct Borne
{
    qsizetype debut = 0;
    qsizetype longueur = -1; // -1 : champ absent (vide)
};

// Même découpe que decouperLigne : six fois, jusqu'au "|" suivant ou tout le reste.
std::array<Borne, k_champs> bornes(QStringView ligne)
{
    std::array<Borne, k_champs> b{};
    const qsizetype n = ligne.size();
    qsizetype debut = 0;
    for (Borne& champ : b) {
        qsizetype i = debut;
        while (i < n && ligne[i] != u'|')
            ++i;
        champ = Borne{debut, i - debut};
        if (i == n)
            break; // plus de "|" : les champs suivants sont absents
        debut = i + 1;
    }
    return b;
}

} // namespace

RangeeLC::RangeeLC(MagasinRangeesLC* magasin, qsizetype indice) : m_magasin(magasin), m_indice(indice) {}

RangeeLC::RangeeLC(const QString& ligne) : m_ligne(ligne) {}

QStringView RangeeLC::ligne() const
{
    if (!m_magasin)
        return m_ligne;
    const QStringList* lignes = m_magasin->lignes;
    // Entre un changement du magasin et le rafraîchissement, une rangée de trop ne montre rien.
    return lignes && m_indice < lignes->size() ? QStringView(lignes->at(m_indice)) : QStringView();
}

QString RangeeLC::champ(int colonne) const
{
    const QStringView l = ligne();
    const Borne b = bornes(l).at(size_t(colonne));
    return b.longueur < 0 ? QString() : l.sliced(b.debut, b.longueur).toString();
}

QVariant RangeeLC::data(int colonne, int role) const
{
    // En mode magasin, case en première colonne ; une ligne cochée est barrée et grisée, à sa place.
    if (const CochesLC* coches = m_magasin ? m_magasin->coches : nullptr; coches && coches->affichees) {
        const bool cochee = coches->cochee(m_indice);
        if (role == Qt::CheckStateRole)
            return colonne == ColLCNb ? QVariant(int(cochee ? Qt::Checked : Qt::Unchecked)) : QVariant();
        if (cochee && role == Qt::FontRole) {
            // Seul l'attribut barré est posé : le reste vient de la police de la vue.
            static const QFont barree = [] {
                QFont f;
                f.setStrikeOut(true);
                return f;
            }();
            return barree;
        }
        if (cochee && role == Qt::ForegroundRole)
            return QBrush(QColor(0x80, 0x80, 0x80));
    }
    if (!m_modifiee && colonne >= 0 && colonne < k_champs) {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return champ(colonne);
        // PU et Total alignés à droite, sans valeur stockée par rangée.
        if (role == Qt::TextAlignmentRole && (colonne == ColLCPU || colonne == ColLCTotal))
            return int(Qt::AlignRight | Qt::AlignVCenter);
    }
    return QTreeWidgetItem::data(colonne, role);
}

void RangeeLC::setData(int colonne, int role, const QVariant& valeur)
{
    // La case cochée d'un clic va aux coches : la rangée montre toujours le magasin.
    if (role == Qt::CheckStateRole && m_magasin && m_magasin->coches) {
        m_magasin->coches->cocher(m_indice, valeur.toInt() == Qt::Checked);
        return;
    }
    if (!m_modifiee) {
        // Première écriture : les textes passent dans le stockage ordinaire de l'élément.
        for (int c = 0; c < k_champs; ++c) {
            QTreeWidgetItem::setData(c, Qt::DisplayRole, champ(c));
            if (c == ColLCPU || c == ColLCTotal)
                QTreeWidgetItem::setData(c, Qt::TextAlignmentRole, int(Qt::AlignRight | Qt::AlignVCenter));
        }
        m_modifiee = true;
        if (m_magasin)
            ++m_magasin->modifiees;
    }
    QTreeWidgetItem::setData(colonne, role, valeur);
}

ComptesLigneLC RangeeLC::champsComptes() const
{
    return comptesLigne(ligne());
}
