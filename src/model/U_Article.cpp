#include "U_Article.h"

TArticle::TArticle(const QString& nom, double prix)
    : nom(nom), prix(prix), remarque(QStringLiteral("-"))
{
}
