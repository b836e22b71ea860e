#include "ModeleListeCourses.h"

#include "U_VX_FormPrincipale.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include <algorithm>

namespace {

constexpr int k_champs = 6;

// Même découpe que decouperLigne : le champ de ce rang jusqu'au "|" suivant ou tout le reste ;
// un champ absent est vide.
QStringView champ(QStringView ligne, int colonne)
{
    qsizetype debut = 0;
    for (int c = 0; c < colonne; ++c) {
        const qsizetype barre = ligne.indexOf(u'|', debut);
        if (barre < 0)
            return {};
        debut = barre + 1;
    }
    const qsizetype barre = ligne.indexOf(u'|', debut);
    return ligne.sliced(debut, (barre < 0 ? ligne.size() : barre) - debut);
}

bool estMontant(int colonne)
{
    return colonne == ColLCPU || colonne == ColLCTotal;
}

} // namespace

ModeleListeCourses::ModeleListeCourses(QObject* parent) : QAbstractTableModel(parent) {}

void ModeleListeCourses::synchroniser(const QStringList& lignes)
{
    const qsizetype avant = m_lignes.size();
    const qsizetype apres = lignes.size();
    // Les mêmes lignes, encore partagées avec le magasin : rien n'a changé.
    if (avant == apres && m_lignes.constData() == lignes.constData())
        return;
    // Début et fin communs : entre eux, les rangées changées.
    const auto [debut, fin] = partiesCommunes(m_lignes, lignes);
    const qsizetype changeesAvant = avant - debut - fin;
    const qsizetype changeesApres = apres - debut - fin;
    const qsizetype changees = std::min(changeesAvant, changeesApres);
    // Les premières rangées changées gardent leur place ; le surplus part ou arrive après elles,
    // puis elles prennent leur nouveau texte (entre les deux, elles gardent l'ancien).
    QStringList etape = lignes;
    if (changees > 0 && changeesAvant != changeesApres) {
        for (qsizetype i = debut; i < debut + changees; ++i)
            etape[i] = m_lignes.at(i);
    }
    if (changeesAvant > changeesApres) {
        beginRemoveRows({}, int(debut + changees), int(debut + changeesAvant - 1));
        m_lignes = etape;
        endRemoveRows();
    } else if (changeesApres > changeesAvant) {
        beginInsertRows({}, int(debut + changees), int(debut + changeesApres - 1));
        m_lignes = etape;
        endInsertRows();
    }
    m_lignes = lignes;
    if (changees > 0)
        Q_EMIT dataChanged(index(int(debut), 0), index(int(debut + changees - 1), k_champs - 1));
}

QString ModeleListeCourses::texte(int rangee, int colonne) const
{
    if (rangee < 0 || rangee >= m_lignes.size() || colonne < 0 || colonne >= k_champs)
        return {};
    return champ(m_lignes.at(rangee), colonne).toString();
}

int ModeleListeCourses::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_lignes.size());
}

int ModeleListeCourses::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : k_champs;
}

QVariant ModeleListeCourses::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int rangee = index.row();
    const int colonne = index.column();
    // En mode magasin, case en première colonne ; une ligne cochée est barrée et grisée, à sa place.
    if (m_coches && m_coches->affichees) {
        const bool cochee = m_coches->cochee(rangee);
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
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return texte(rangee, colonne);
    if (role == Qt::TextAlignmentRole && estMontant(colonne))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

bool ModeleListeCourses::setData(const QModelIndex& index, const QVariant& valeur, int role)
{
    // Seule la case d'une ligne s'écrit, et dans les coches : les textes sont ceux du magasin.
    if (role != Qt::CheckStateRole || !m_coches || !m_coches->affichees || index.column() != ColLCNb
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    m_coches->cocher(index.row(), valeur.toInt() == Qt::Checked);
    Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), k_champs - 1),
                       {Qt::CheckStateRole, Qt::FontRole, Qt::ForegroundRole});
    return true;
}

Qt::ItemFlags ModeleListeCourses::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled | Qt::ItemIsUserCheckable
           | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
}

QVariant ModeleListeCourses::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= k_champs)
        return {};
    if (role == Qt::DisplayRole) {
        static const QStringList titres{QStringLiteral("Nb"),    QStringLiteral("Article"), QStringLiteral("Remarque"),
                                        QStringLiteral("Rayon"), QStringLiteral("PU"),      QStringLiteral("Total")};
        return titres.at(section);
    }
    if (role == Qt::TextAlignmentRole && estMontant(section))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}
