#include "TexteParole.h"

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

TexteParole analyserTexteParole(const QString& texte)
{
    TexteParole r;
    const QChar barre = QLatin1Char('\\');
    qsizetype i = 0;
    while (i < texte.size()) {
        const QChar c = texte.at(i);
        if (c != barre) {
            r.affiche += c;
            r.prononce += c;
            ++i;
            continue;
        }
        // "\\" : une barre littérale.
        if (i + 1 < texte.size() && texte.at(i + 1) == barre) {
            r.affiche += barre;
            r.prononce += barre;
            i += 2;
            continue;
        }
        const qsizetype fin = texte.indexOf(barre, i + 1);
        const QString nom = texte.mid(i + 1, 3);
        if (nom.compare(QLatin1String("Map"), Qt::CaseInsensitive) == 0 && i + 4 < texte.size()
            && texte.at(i + 4) == QLatin1Char('=')) {
            qsizetype j = i + 5;
            QString dit, montre;
            if (lireGuillemets(texte, j, dit) && j < texte.size() && texte.at(j) == QLatin1Char('=')) {
                ++j;
                if (lireGuillemets(texte, j, montre) && j < texte.size() && texte.at(j) == barre) {
                    r.affiche += montre;
                    r.prononce += dit;
                    i = j + 1;
                    continue;
                }
            }
        }
        // Balise non refermée : le reste est du texte ordinaire.
        if (fin < 0) {
            r.affiche += texte.mid(i);
            r.prononce += texte.mid(i);
            break;
        }
        if (nom.compare(QLatin1String("Mrk"), Qt::CaseInsensitive) == 0 && i + 4 < fin
            && texte.at(i + 4) == QLatin1Char('=')) {
            bool ok = false;
            const int signet = texte.mid(i + 5, fin - i - 5).trimmed().toInt(&ok);
            if (ok) {
                r.signets.append(signet);
                r.positionsSignets.append(int(r.affiche.size()));
            }
        }
        i = fin + 1;
    }
    return r;
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
