#pragma once
// Le journal des changements de la forêt : tant qu'un enregistrement est ouvert sur le fil
// courant, chaque opération du modèle (rattachement, détachement, nom, couleur, prix,
// remarque) y note de quoi se défaire et se refaire. Défaire rejoue les pas à l'envers.
//
// Un élément détaché par un pas va aux rebuts et en revient quand le pas est refait ou
// défait : le journal ne possède rien. Les rebuts étant vidés au rechargement de la base,
// tout journal qui désigne l'ancienne base doit être oublié avant.
#include "Couleurs.h"

#include <QList>
#include <QString>

class TRayon;
class TArticle;

class JournalModele
{
public:
    enum class Genre : quint8 {
        RayonAttache, RayonDetache, ArticleAttache, ArticleDetache,
        NomRayon, CouleurRayon, NomArticle, PrixArticle, RemarqueArticle
    };
    // Un pas. pere : le conteneur (nul : les racines) ; indice : la place dans ce conteneur.
    struct Pas
    {
        Genre genre;
        TRayon* rayon = nullptr;
        TRayon* pere = nullptr;
        TArticle* article = nullptr;
        int indice = 0;
        QString texteAvant = {}, texteApres = {};
        double prixAvant = 0, prixApres = 0;
        TColor couleurAvant = 0, couleurApres = 0;
    };

    bool estVide() const { return m_pas.isEmpty(); }
    qsizetype nombrePas() const { return m_pas.size(); }
    // racines : la liste des rayons racines de la forêt.
    void defaire(QList<TRayon*>& racines) const;
    void refaire(QList<TRayon*>& racines) const;

    // Le journal ouvert sur ce fil, nul hors enregistrement (ou pendant une suspension).
    static JournalModele* courant();
    static void noter(Pas pas);

    // Ouvre l'enregistrement de ce journal sur le fil courant, jusqu'à sa destruction.
    class Enregistrement
    {
    public:
        explicit Enregistrement(JournalModele& journal);
        ~Enregistrement();
        Enregistrement(const Enregistrement&) = delete;
        Enregistrement& operator=(const Enregistrement&) = delete;

    private:
        JournalModele* m_precedent;
    };
    // Rien n'est noté pendant sa vie (travail sur un rayon temporaire).
    class Suspension
    {
    public:
        Suspension();
        ~Suspension();
        Suspension(const Suspension&) = delete;
        Suspension& operator=(const Suspension&) = delete;

    private:
        JournalModele* m_precedent;
    };

private:
    void appliquer(const Pas& pas, bool sens, QList<TRayon*>& racines) const;
    QList<Pas> m_pas;
};
