#include "U_Article.h"

#include "JournalModele.h"

using Genre = JournalModele::Genre;

TArticle::TArticle(const QString& nom, double prix)
    : nom(nom), prix(prix), remarque(QStringLiteral("-"))
{
}

TArticle::TArticle(const QString& nom, double prix, const QString& remarque) : nom(nom), prix(prix), remarque(remarque)
{
}

void TArticle::setNom(const QString& valeur)
{
    if (JournalModele::courant() && valeur != nom)
        JournalModele::noter({.genre = Genre::NomArticle, .article = this, .texteAvant = nom, .texteApres = valeur});
    nom = valeur;
}

void TArticle::setPrix(double valeur)
{
    if (JournalModele::courant() && valeur != prix)
        JournalModele::noter({.genre = Genre::PrixArticle, .article = this, .prixAvant = prix, .prixApres = valeur});
    prix = valeur;
}

void TArticle::setRemarque(const QString& valeur)
{
    if (JournalModele::courant() && valeur != remarque)
        JournalModele::noter(
            {.genre = Genre::RemarqueArticle, .article = this, .texteAvant = remarque, .texteApres = valeur});
    remarque = valeur;
}
