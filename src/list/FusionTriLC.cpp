#include "FusionTriLC.h"

#include "Conversions.h"
#include "LigneLC.h"

#include <QHash>

#include <algorithm>
#include <vector>

QString cleLigne(const QString& ligne)
{
    const qsizetype debut = ligne.indexOf(u'|') + 1;
    const qsizetype euro = ligne.indexOf(u'€');
    if (euro < debut) {
        return QString();
    }
    return ligne.mid(debut, euro - debut + 1);
}

double prixUnitaireCle(const QString& cle)
{
    qsizetype debut = 0;
    for (int n = 0; n < 3 && debut <= cle.size(); ++n) {
        const qsizetype barre = cle.indexOf(u'|', debut);
        debut = barre < 0 ? cle.size() + 1 : barre + 1;
    }
    return StrToFloat(sansEuro(cle.mid(debut)));
}

void fusionnerLignesLC(QStringList& lignes)
{
    const qsizetype n = lignes.size();
    // Index des lignes par clé, en ordre croissant : la plus proche au-dessus de i est
    // la dernière de la liste une fois i retirée (les lignes sous i ont déjà été traitées).
    std::vector<QString> cles(static_cast<size_t>(n));
    QHash<QString, std::vector<qsizetype>> parCle;
    for (qsizetype i = 0; i < n; ++i) {
        cles[size_t(i)] = cleLigne(lignes.at(i));
        parCle[cles[size_t(i)]].push_back(i);
    }
    std::vector<bool> supprimee(static_cast<size_t>(n), false);

    // Les suppressions sont appliquées en une fois, même quand une conversion échoue.
    const auto compacter = [&] {
        QStringList restantes;
        restantes.reserve(n);
        for (qsizetype i = 0; i < n; ++i) {
            if (!supprimee[size_t(i)]) {
                restantes.append(lignes.at(i));
            }
        }
        lignes.swap(restantes);
    };

    try {
        for (qsizetype i = n - 1; i >= 0; --i) {
            std::vector<qsizetype>& memes = parCle[cles[size_t(i)]];
            memes.pop_back(); // i est la plus basse ligne encore en jeu pour sa clé
            if (memes.empty()) {
                continue;
            }
            const qsizetype j = memes.back();
            const qint64 quantite = qint64(StrToInt(decouperLigne(lignes.at(i)).nb))
                                    + qint64(StrToInt(decouperLigne(lignes.at(j)).nb));
            const QString& cleJ = cles[size_t(j)];
            const double prix = prixUnitaireCle(cleJ);
            lignes[j] = IntToStr(quantite) + u'|' + cleJ + u'|' + texteMontant(double(quantite) * prix);
            supprimee[size_t(i)] = true;

            // Une clé ne change que si le Nb contenait un "€" : on la recalcule.
            const QString nouvelle = cleLigne(lignes.at(j));
            if (nouvelle != cleJ) {
                memes.pop_back();
                std::vector<qsizetype>& autres = parCle[nouvelle];
                autres.insert(std::lower_bound(autres.begin(), autres.end(), j), j);
                cles[size_t(j)] = nouvelle;
            }
        }
    } catch (...) {
        compacter();
        throw;
    }
    compacter();
}

QString rayonLigne(const QString& ligne)
{
    return decouperLigne(ligne).rayon;
}

void trierLC(QStringList& lignes)
{
    const qsizetype n = lignes.size();
    // Chaque rayon est extrait une fois et remplacé par son rang dans l'ordre ordinal :
    // comparer les rangs donne exactement les mêmes échanges que comparer les textes.
    std::vector<QString> rayons(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i) {
        rayons[size_t(i)] = rayonLigne(lignes.at(i));
    }
    std::vector<QString> distincts = rayons;
    std::sort(distincts.begin(), distincts.end(),
              [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseSensitive) < 0; });
    distincts.erase(std::unique(distincts.begin(), distincts.end()), distincts.end());

    std::vector<qsizetype> rang(static_cast<size_t>(n));
    std::vector<qsizetype> origine(static_cast<size_t>(n));
    for (qsizetype i = 0; i < n; ++i) {
        rang[size_t(i)] = std::lower_bound(distincts.begin(), distincts.end(), rayons[size_t(i)],
                                           [](const QString& a, const QString& b) {
                                               return QString::compare(a, b, Qt::CaseSensitive) < 0;
                                           })
                          - distincts.begin();
        origine[size_t(i)] = i;
    }

    // Tri par échanges tel quel : son ordre final fait foi, il n'est pas stable.
    for (qsizetype i = 0; i < n; ++i) {
        for (qsizetype j = i + 1; j < n; ++j) {
            if (rang[size_t(i)] > rang[size_t(j)]) {
                std::swap(rang[size_t(i)], rang[size_t(j)]);
                std::swap(origine[size_t(i)], origine[size_t(j)]);
            }
        }
    }

    QStringList triees;
    triees.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        triees.append(lignes.at(origine[size_t(i)]));
    }
    lignes.swap(triees);
}
