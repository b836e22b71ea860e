#pragma once
// Page de code Windows-1252 : l'euro est l'octet 0x80 ; un caractère absent devient '?'.
#include <QByteArray>
#include <QString>

QByteArray versAnsi(const QString& texte);
QString depuisAnsi(const QByteArray& octets);
// Le texte tel qu'il sera relu après écriture en Windows-1252.
QString normaliserAnsi(const QString& texte);
