#include "MagasinLC.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>

#include <algorithm>

bool CochesLC::suivre(const QStringList& lignes)
{
    if (lignes == m_lignes)
        return false;
    const bool avant = m_nombre > 0;
    // Coches restantes par texte de ligne.
    QHash<QString, int> restantes;
    if (avant) {
        for (qsizetype i = 0; i < m_lignes.size(); ++i)
            if (m_coches[size_t(i)])
                ++restantes[m_lignes.at(i)];
    }
    m_lignes = lignes;
    m_empreinte.clear();
    m_coches.assign(size_t(lignes.size()), 0);
    m_nombre = 0;
    for (qsizetype i = 0; !restantes.isEmpty() && i < lignes.size(); ++i) {
        const auto r = restantes.find(lignes.at(i));
        if (r == restantes.end())
            continue;
        m_coches[size_t(i)] = 1;
        ++m_nombre;
        if (--*r == 0)
            restantes.erase(r);
    }
    return avant || m_nombre > 0;
}

void CochesLC::oublier(const QStringList& lignes)
{
    m_lignes = lignes;
    m_empreinte.clear();
    m_coches.assign(size_t(lignes.size()), 0);
    m_nombre = 0;
}

bool CochesLC::cochee(qsizetype indice) const
{
    return indice >= 0 && indice < qsizetype(m_coches.size()) && m_coches[size_t(indice)];
}

void CochesLC::cocher(qsizetype indice, bool cochee)
{
    if (indice < 0 || indice >= qsizetype(m_coches.size()) || bool(m_coches[size_t(indice)]) == cochee)
        return;
    m_coches[size_t(indice)] = cochee ? 1 : 0;
    m_nombre += cochee ? 1 : -1;
    if (apresBascule)
        apresBascule();
}

std::vector<qsizetype> CochesLC::indices() const
{
    std::vector<qsizetype> rangs;
    rangs.reserve(size_t(m_nombre));
    for (size_t i = 0; i < m_coches.size() && qsizetype(rangs.size()) < m_nombre; ++i)
        if (m_coches[i])
            rangs.push_back(qsizetype(i));
    return rangs;
}

void CochesLC::poser(const QStringList& lignes, const std::vector<qsizetype>& indices)
{
    m_lignes = lignes;
    m_empreinte.clear();
    m_coches.assign(size_t(lignes.size()), 0);
    m_nombre = 0;
    for (const qsizetype i : indices)
        if (i >= 0 && i < lignes.size() && !m_coches[size_t(i)]) {
            m_coches[size_t(i)] = 1;
            ++m_nombre;
        }
}

TotauxLC CochesLC::totauxCoches() const
{
    TotauxLC totaux;
    for (qsizetype i = 0; i < m_lignes.size(); ++i)
        if (m_coches[size_t(i)])
            cumulerLigne(totaux, comptesLigne(m_lignes.at(i)), i);
    return totaux;
}

const QString& CochesLC::empreinte() const
{
    if (m_empreinte.isEmpty()) {
        QCryptographicHash hachage(QCryptographicHash::Sha1);
        for (const QString& ligne : m_lignes) {
            hachage.addData(QByteArrayView(reinterpret_cast<const char*>(ligne.constData()),
                                           ligne.size() * qsizetype(sizeof(QChar))));
            hachage.addData(QByteArrayView("\0\n", 2)); // fin de ligne, qu'aucun texte de ligne ne contient
        }
        m_empreinte = QString::fromLatin1(hachage.result().toHex());
    }
    return m_empreinte;
}

QString CochesLC::enregistrement() const
{
    if (m_nombre == 0)
        return {};
    QString texte = empreinte() + u':';
    bool premier = true;
    for (size_t i = 0; i < m_coches.size(); ++i) {
        if (!m_coches[i])
            continue;
        if (!premier)
            texte += u',';
        texte += QString::number(i);
        premier = false;
    }
    return texte;
}

bool CochesLC::restaurer(const QStringList& lignes, const QString& enregistrement)
{
    oublier(lignes);
    const qsizetype deuxPoints = enregistrement.indexOf(u':');
    if (deuxPoints < 0 || QStringView(enregistrement).left(deuxPoints) != empreinte())
        return false;
    // Lu avec méfiance : le fichier des réglages a pu être retouché à la main.
    const QStringList indices = enregistrement.mid(deuxPoints + 1).split(u',', Qt::SkipEmptyParts);
    for (const QString& texte : indices) {
        bool lu = false;
        const qsizetype i = texte.toLongLong(&lu);
        if (lu && i >= 0 && i < lignes.size() && !m_coches[size_t(i)]) {
            m_coches[size_t(i)] = 1;
            ++m_nombre;
        }
    }
    return m_nombre > 0;
}

QStringList ordonnerRayonsMagasin(const QStringList& enregistres, const QStringList& existants)
{
    const QSet<QString> presents(existants.cbegin(), existants.cend());
    QSet<QString> places;
    QStringList ordre;
    ordre.reserve(presents.size());
    for (const QString& chemin : enregistres)
        if (presents.contains(chemin) && !places.contains(chemin)) {
            places.insert(chemin);
            ordre << chemin;
        }
    QStringList nouveaux;
    for (const QString& chemin : existants)
        if (!places.contains(chemin)) {
            places.insert(chemin);
            nouveaux << chemin;
        }
    std::sort(nouveaux.begin(), nouveaux.end(),
              [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseSensitive) < 0; });
    return ordre + nouveaux;
}

QStringList nomsRayonsMagasin(const QStringList& chemins)
{
    QStringList noms;
    noms.reserve(chemins.size());
    for (const QString& chemin : chemins)
        noms << chemin.section(kSeparateurChemin, -1);
    return noms;
}

PartiesCommunesLC partiesCommunes(const QStringList& avant, const QStringList& apres)
{
    const auto memeLigne = [](const QString& a, const QString& b) {
        return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
    };
    PartiesCommunesLC c;
    const qsizetype n = std::min(avant.size(), apres.size());
    while (c.debut < n && memeLigne(avant.at(c.debut), apres.at(c.debut)))
        ++c.debut;
    while (c.fin < n - c.debut && memeLigne(avant.at(avant.size() - 1 - c.fin), apres.at(apres.size() - 1 - c.fin)))
        ++c.fin;
    return c;
}
