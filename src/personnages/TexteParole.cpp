#include "TexteParole.h"

#include <algorithm>

namespace {
// Lit un texte entre guillemets à partir de i (sur le guillemet ouvrant) ; "" vaut un guillemet.
bool lireGuillemets(const QString& s, qsizetype& i, QString& sortie)
{
    if (i >= s.size() || s.at(i) != QLatin1Char('"'))
        return false;
    ++i;
    while (i < s.size()) {
        const QChar c = s.at(i++);
        if (c == QLatin1Char('"')) {
            if (i < s.size() && s.at(i) == QLatin1Char('"')) {
                sortie += c;
                ++i;
                continue;
            }
            return true;
        }
        sortie += c;
    }
    return false;
}
} // namespace

namespace {
// Accumule le texte ordinaire en éléments Texte où dit et affiché vont de pair.
class Constructeur
{
public:
    explicit Constructeur(TexteParole& r) : m_r(r) {}

    void ordinaire(const QString& s)
    {
        if (s.isEmpty())
            return;
        if (m_courant < 0) {
            ElementParole e;
            e.debutAffiche = int(m_r.affiche.size());
            e.finAffiche = e.debutAffiche;
            m_r.elements.append(e);
            m_courant = int(m_r.elements.size()) - 1;
        }
        ElementParole& e = m_r.elements[m_courant];
        e.dit += s;
        e.finAffiche += int(s.size());
        m_r.affiche += s;
        m_r.prononce += s;
    }
    void carte(QString dit, QString montre)
    {
        // Les balises glissées dans les deux textes ne sont ni dites ni montrées.
        if (dit.contains(QLatin1Char('\\')))
            dit = analyserTexteParole(dit).prononce;
        if (montre.contains(QLatin1Char('\\')))
            montre = analyserTexteParole(montre).affiche;
        ElementParole e;
        e.dit = dit;
        e.debutAffiche = int(m_r.affiche.size());
        e.finAffiche = e.debutAffiche + int(montre.size());
        e.carte = true;
        m_r.affiche += montre;
        m_r.prononce += dit;
        ajouter(e);
    }
    void reglage(ElementParole::Genre genre, int valeur = 0)
    {
        ElementParole e;
        e.genre = genre;
        e.valeur = valeur;
        ajouter(e);
    }

private:
    void ajouter(const ElementParole& e)
    {
        m_r.elements.append(e);
        m_courant = -1;
    }
    TexteParole& m_r;
    int m_courant = -1;
};

bool entier(const QString& s, int& valeur)
{
    bool ok = false;
    valeur = s.trimmed().toInt(&ok);
    return ok;
}
} // namespace

TexteParole analyserTexteParole(const QString& texte)
{
    TexteParole r;
    Constructeur c(r);
    const QChar barre = QLatin1Char('\\');
    qsizetype i = 0;
    while (i < texte.size()) {
        const qsizetype balise = texte.indexOf(barre, i);
        if (balise < 0) {
            c.ordinaire(texte.mid(i));
            break;
        }
        c.ordinaire(texte.mid(i, balise - i));
        i = balise;
        // "\\" : une barre littérale.
        if (i + 1 < texte.size() && texte.at(i + 1) == barre) {
            c.ordinaire(QString(barre));
            i += 2;
            continue;
        }
        const qsizetype fin = texte.indexOf(barre, i + 1);
        const QString nom = texte.mid(i + 1, 3);
        auto estNom = [&](const char* n) { return nom.compare(QLatin1String(n), Qt::CaseInsensitive) == 0; };
        if (estNom("Map") && i + 4 < texte.size() && texte.at(i + 4) == QLatin1Char('=')) {
            qsizetype j = i + 5;
            QString dit, montre;
            if (lireGuillemets(texte, j, dit) && j < texte.size() && texte.at(j) == QLatin1Char('=')) {
                ++j;
                if (lireGuillemets(texte, j, montre) && j < texte.size() && texte.at(j) == barre) {
                    c.carte(dit, montre);
                    i = j + 1;
                    continue;
                }
            }
        }
        // Balise non refermée : le reste est montré tel quel mais jamais dit.
        if (fin < 0) {
            r.affiche += texte.mid(i);
            break;
        }
        const QString corps = texte.mid(i + 1, fin - i - 1);
        const qsizetype egal = corps.indexOf(QLatin1Char('='));
        const QString valeurTexte = egal >= 0 ? corps.mid(egal + 1) : QString();
        const bool avecValeur = egal == 3;
        int valeur = 0;
        if (estNom("Mrk") && avecValeur && entier(valeurTexte, valeur)) {
            r.signets.append(valeur);
            r.positionsSignets.append(int(r.affiche.size()));
            c.reglage(ElementParole::Genre::Signet, valeur);
        } else if (estNom("Pau") && avecValeur && entier(valeurTexte, valeur) && valeur > 0) {
            c.reglage(ElementParole::Genre::Pause, std::min(valeur, 60000));
        } else if (estNom("Spd") && avecValeur && entier(valeurTexte, valeur) && valeur > 0) {
            c.reglage(ElementParole::Genre::Vitesse, valeur);
        } else if (estNom("Pit") && avecValeur && entier(valeurTexte, valeur) && valeur > 0) {
            c.reglage(ElementParole::Genre::Hauteur, valeur);
        } else if (estNom("Emp") && corps.size() == 3) {
            c.reglage(ElementParole::Genre::Emphase);
        } else if (estNom("Rst") && corps.size() == 3) {
            c.reglage(ElementParole::Genre::Reinitialiser);
        }
        // Toute autre balise est ignorée.
        i = fin + 1;
    }
    return r;
}

int positionAffichee(const ElementParole& element, int finDit)
{
    const int n = int(element.dit.size());
    const int dit = std::clamp(finDit, 0, n);
    if (!element.carte)
        return std::min(element.debutAffiche + dit, element.finAffiche);
    // Texte montré révélé en proportion de ce qui est dit, entier à la fin.
    if (n == 0 || dit >= n)
        return element.finAffiche;
    return element.debutAffiche + int(qint64(element.finAffiche - element.debutAffiche) * dit / n);
}

QStringList couperLignes(const QString& texte, int caracteresParLigne)
{
    QStringList lignes;
    const int largeur = std::max(1, caracteresParLigne);
    const QStringList paragraphes = texte.split(QLatin1Char('\n'));
    for (const QString& paragraphe : paragraphes) {
        QString ligne;
        const QStringList mots = paragraphe.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (QString mot : mots) {
            while (mot.size() > largeur) {
                if (!ligne.isEmpty()) {
                    lignes.append(ligne);
                    ligne.clear();
                }
                lignes.append(mot.left(largeur));
                mot = mot.mid(largeur);
            }
            if (mot.isEmpty())
                continue;
            if (ligne.isEmpty())
                ligne = mot;
            else if (ligne.size() + 1 + mot.size() <= largeur)
                ligne += QLatin1Char(' ') + mot;
            else {
                lignes.append(ligne);
                ligne = mot;
            }
        }
        if (!ligne.isEmpty() || mots.isEmpty())
            lignes.append(ligne);
    }
    return lignes;
}

int dureeParole(const QString& texteAffiche)
{
    const qint64 duree = qint64(texteAffiche.size()) * MsParCaractere;
    return int(std::clamp<qint64>(duree, DureeMinimaleParole, 120000));
}
