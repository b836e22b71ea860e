#include "RangeeLC.h"

#include "U_VX_FormPrincipale.h"

#include <QBrush>
#include <QFont>

RangeeLC::RangeeLC(const QString& ligne, qsizetype indice, CochesLC* coches)
    : m_indice(indice), m_coches(coches)
{
    definirLigne(ligne, indice);
}

bool RangeeLC::reutilisable() const
{
    return !m_modifiee;
}

void RangeeLC::definirLigne(const QString& ligne, qsizetype indice)
{
    m_ligne = ligne;
    m_indice = indice;
    m_bornesLues = false;
}

void RangeeLC::lireBornes() const
{
    if (m_bornesLues)
        return;
    m_bornesLues = true;
    m_bornes.fill(Borne{});
    // Même découpe que decouperLigne : six fois, jusqu'au "|" suivant ou tout le reste ;
    // une seule lecture de la ligne.
    const QChar* c = m_ligne.constData();
    const qsizetype n = m_ligne.size();
    qsizetype debut = 0;
    for (Borne& b : m_bornes) {
        qsizetype i = debut;
        while (i < n && c[i] != u'|')
            ++i;
        b = Borne{debut, i - debut};
        if (i == n)
            break; // plus de "|" : les champs suivants sont absents
        debut = i + 1;
    }
}

QString RangeeLC::champ(int colonne) const
{
    lireBornes();
    const Borne& b = m_bornes.at(colonne);
    return b.longueur < 0 ? QString() : m_ligne.mid(b.debut, b.longueur);
}

QVariant RangeeLC::data(int colonne, int role) const
{
    // En mode magasin, case en première colonne ; une ligne cochée est barrée et grisée, à sa place.
    if (m_coches && m_coches->affichees) {
        const bool cochee = m_coches->cochee(m_indice);
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
    if (!m_modifiee && colonne >= 0 && colonne < int(m_bornes.size())) {
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
    // La case cochée d'un clic va aux coches : la rangée reste réutilisable.
    if (role == Qt::CheckStateRole && m_coches) {
        m_coches->cocher(m_indice, valeur.toInt() == Qt::Checked);
        return;
    }
    if (!m_modifiee) {
        // Première écriture : les textes passent dans le stockage ordinaire de l'élément.
        m_modifiee = true;
        for (int c = 0; c < int(m_bornes.size()); ++c) {
            QTreeWidgetItem::setData(c, Qt::DisplayRole, champ(c));
            if (c == ColLCPU || c == ColLCTotal)
                QTreeWidgetItem::setData(c, Qt::TextAlignmentRole, int(Qt::AlignRight | Qt::AlignVCenter));
        }
    }
    QTreeWidgetItem::setData(colonne, role, valeur);
}

ComptesLigneLC RangeeLC::champsComptes() const
{
    lireBornes();
    const auto vue = [this](const Borne& b) {
        return b.longueur < 0 ? QStringView() : QStringView(m_ligne).sliced(b.debut, b.longueur);
    };
    return ComptesLigneLC{vue(m_bornes[ColLCNb]), vue(m_bornes[ColLCTotal])};
}
