#pragma once
// L'article : un nom, un prix unitaire en euros et une courte remarque.
#include <QString>

class TArticle
{
public:
    // La remarque d'un article neuf est "-" tant que rien ne la fixe.
    TArticle(const QString& nom, double prix);

    QString getNom() const { return nom; }
    void setNom(const QString& valeur) { nom = valeur; }
    double getPrix() const { return prix; }
    void setPrix(double valeur) { prix = valeur; }
    QString getRemarque() const { return remarque; }
    void setRemarque(const QString& valeur) { remarque = valeur; }

private:
    QString nom;
    double prix;
    QString remarque;
};
