#include "JournalModele.h"

#include "Rebuts.h"
#include "U_Article.h"
#include "U_rayon.h"

namespace {
// Par fil : la lecture de la base remplit la forêt sur deux fils, sans journal.
thread_local JournalModele* t_courant = nullptr;
} // namespace

JournalModele* JournalModele::courant()
{
    return t_courant;
}

void JournalModele::noter(Pas pas)
{
    if (t_courant)
        t_courant->m_pas.append(std::move(pas));
}

JournalModele::Enregistrement::Enregistrement(JournalModele& journal) : m_precedent(t_courant)
{
    t_courant = &journal;
}

JournalModele::Enregistrement::~Enregistrement()
{
    t_courant = m_precedent;
}

JournalModele::Suspension::Suspension() : m_precedent(t_courant)
{
    t_courant = nullptr;
}

JournalModele::Suspension::~Suspension()
{
    t_courant = m_precedent;
}

void JournalModele::defaire(QList<TRayon*>& racines) const
{
    const Suspension suspension;
    for (qsizetype i = m_pas.size() - 1; i >= 0; --i)
        appliquer(m_pas.at(i), false, racines);
}

void JournalModele::refaire(QList<TRayon*>& racines) const
{
    const Suspension suspension;
    for (const Pas& pas : m_pas)
        appliquer(pas, true, racines);
}

void JournalModele::appliquer(const Pas& pas, bool sens, QList<TRayon*>& racines) const
{
    // sens : vrai pour refaire le pas, faux pour le défaire.
    switch (pas.genre) {
    case Genre::RayonAttache:
    case Genre::RayonDetache: {
        QList<TRayon*>& fils = pas.pere ? pas.pere->rayonsFils : racines;
        if (sens == (pas.genre == Genre::RayonAttache)) {
            Rebuts::reprendre(pas.rayon);
            fils.insert(pas.indice, pas.rayon);
        } else {
            Rebuts::deposer(fils.takeAt(pas.indice));
        }
        break;
    }
    case Genre::ArticleAttache:
    case Genre::ArticleDetache: {
        QList<TArticle*>& articles = pas.pere->articles;
        if (sens == (pas.genre == Genre::ArticleAttache)) {
            Rebuts::reprendre(pas.article);
            articles.insert(pas.indice, pas.article);
        } else {
            Rebuts::deposer(articles.takeAt(pas.indice));
        }
        break;
    }
    case Genre::NomRayon:
        pas.rayon->nom = sens ? pas.texteApres : pas.texteAvant;
        break;
    case Genre::CouleurRayon:
        pas.rayon->couleur = sens ? pas.couleurApres : pas.couleurAvant;
        break;
    case Genre::NomArticle:
        pas.article->nom = sens ? pas.texteApres : pas.texteAvant;
        break;
    case Genre::PrixArticle:
        pas.article->prix = sens ? pas.prixApres : pas.prixAvant;
        break;
    case Genre::RemarqueArticle:
        pas.article->remarque = sens ? pas.texteApres : pas.texteAvant;
        break;
    }
}
