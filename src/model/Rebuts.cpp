#include "Rebuts.h"

#include "U_Article.h"
#include "U_rayon.h"

#include <QList>

namespace {

struct Reserve
{
    QList<TRayon*> rayons;
    QList<TArticle*> articles;

    ~Reserve() { detruire(); }

    void detruire()
    {
        // Échange d'abord : détruire ne doit pas revisiter une liste en cours de vidage.
        QList<TRayon*> r;
        QList<TArticle*> a;
        r.swap(rayons);
        a.swap(articles);
        qDeleteAll(a);
        qDeleteAll(r);
    }
};

Reserve& reserve()
{
    static Reserve instance;
    return instance;
}

} // namespace

namespace Rebuts {

void deposer(TRayon* rayon)
{
    if (rayon)
        reserve().rayons.append(rayon);
}

void deposer(TArticle* article)
{
    if (article)
        reserve().articles.append(article);
}

void reprendre(TRayon* rayon)
{
    const qsizetype i = reserve().rayons.lastIndexOf(rayon);
    if (i >= 0)
        reserve().rayons.removeAt(i);
}

void reprendre(TArticle* article)
{
    const qsizetype i = reserve().articles.lastIndexOf(article);
    if (i >= 0)
        reserve().articles.removeAt(i);
}

void vider()
{
    reserve().detruire();
}

qsizetype nombre()
{
    return reserve().rayons.size() + reserve().articles.size();
}

} // namespace Rebuts
