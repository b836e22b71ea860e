#pragma once
// Réglages régionaux explicites : toutes les conversions les lisent, les tests les fixent.
#include <QChar>
#include <QString>

struct ParametresRegionaux
{
    QChar separateurDecimal = u',';
    QChar separateurMilliers = QChar(0x00A0);
    QString formatDateCourte = QStringLiteral("dd/MM/yyyy");
    QString formatHeureLongue = QStringLiteral("HH:mm:ss");

    static ParametresRegionaux francais();
    static ParametresRegionaux anglais(); // '.', ',', MM/dd/yyyy, h:mm:ss AP
    // Réglages de la locale de l'utilisateur ; français quand l'environnement n'en nomme aucune (C, POSIX).
    static ParametresRegionaux depuisEnvironnement();

    // Réglages en vigueur pour tout le processus.
    static const ParametresRegionaux& courants();
    static void definir(const ParametresRegionaux& p);
};
