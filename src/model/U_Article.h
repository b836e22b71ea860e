#pragma once
// L'article : un nom, un prix unitaire en euros et une courte remarque.
#include <QString>

// Plus grand prix unitaire admis, en euros et en valeur absolue, pour un article lu d'un
// fichier : au-delà, les totaux de la liste de courses perdent leurs centimes ou deviennent
// infinis ("INF €") et ne se relisent plus. Un milliard d'euros suffit à tout article réel.
constexpr double prixMaxArticle = 1e9;

// Prix fini, de -prixMaxArticle à prixMaxArticle (NaN échoue aux deux comparaisons).
constexpr bool prixArticleAdmis(double prix)
{
    return prix >= -prixMaxArticle && prix <= prixMaxArticle;
}

class TArticle
{
public:
    // La remarque d'un article neuf est "-" tant que rien ne la fixe.
    TArticle(const QString& nom, double prix);
    TArticle(const QString& nom, double prix, const QString& remarque);

    QString getNom() const { return nom; }
    // Un changement est noté au journal ouvert (JournalModele.h).
    void setNom(const QString& valeur);
    double getPrix() const { return prix; }
    void setPrix(double valeur);
    QString getRemarque() const { return remarque; }
    void setRemarque(const QString& valeur);

private:
    friend class JournalModele;
    QString nom;
    double prix;
    QString remarque;
};
