#include "RangeeLC.h"

#include "U_VX_FormPrincipale.h"

RangeeLC::RangeeLC(const QString& ligne) : m_ligne(ligne)
{
    // Même découpe que decouperLigne : six fois, jusqu'au "|" suivant ou tout le reste.
    qsizetype debut = 0;
    for (Borne& b : m_bornes) {
        if (debut > m_ligne.size())
            break;
        const qsizetype barre = m_ligne.indexOf(u'|', debut);
        b.debut = debut;
        b.longueur = (barre < 0 ? m_ligne.size() : barre) - debut;
        debut = barre < 0 ? m_ligne.size() + 1 : barre + 1;
    }
}

QString RangeeLC::champ(int colonne) const
{
    const Borne& b = m_bornes.at(colonne);
    return b.longueur < 0 ? QString() : m_ligne.mid(b.debut, b.longueur);
}

QVariant RangeeLC::data(int colonne, int role) const
{
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

ChampsLigneLC RangeeLC::champsComptes() const
{
    ChampsLigneLC champs;
    const auto vue = [this](const Borne& b) {
        return b.longueur < 0 ? QString() : QString::fromRawData(m_ligne.constData() + b.debut, b.longueur);
    };
    champs.nb = vue(m_bornes[ColLCNb]);
    champs.total = vue(m_bornes[ColLCTotal]);
    return champs;
}
