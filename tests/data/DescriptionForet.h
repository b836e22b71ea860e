#pragma once
// Description textuelle d'une forêt, pour comparer deux forêts d'un coup d'œil.
#include "U_Article.h"
#include "U_rayon.h"

#include <QList>
#include <QString>

// Forme : Nom#couleur[fils...](article:prix:remarque ...) ; vérifie aussi les pères.
inline QString decrireRayon(const TRayon* r, const TRayon* pereAttendu)
{
    QString s = r->getNom() + u'#' + QString::number(quint32(r->getCouleur()), 16);
    if (r->getPere() != pereAttendu)
        s += QStringLiteral("!PERE");
    s += u'[';
    for (int i = 0; i < r->getNbRayonsFils(); ++i)
        s += decrireRayon(r->getRayonFils(i), r) + u' ';
    s += QStringLiteral("](");
    for (int i = 0; i < r->getNbArticles(); ++i) {
        const TArticle* a = r->getArticle(i);
        s += a->getNom() + u':' + QString::number(a->getPrix(), 'g', 17) + u':' + a->getRemarque() + u' ';
    }
    return s + u')';
}

inline QString decrireForet(const QList<TRayon*>& racines)
{
    QString s;
    for (const TRayon* r : racines)
        s += decrireRayon(r, nullptr) + u'\n';
    return s;
}
