#pragma once
// Page de code Windows-1252 : l'euro est l'octet 0x80 ; un caractère absent devient '?'.
#include <QByteArray>
#include <QString>

#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

QByteArray versAnsi(QStringView texte);
// Écrit texte à partir de sortie, un octet par caractère (texte.size() octets au plus) ;
// rend la fin de ce qui est écrit.
char* ecrireAnsi(QStringView texte, char* sortie);
QString depuisAnsi(QByteArrayView octets);
// Les lignes (fins CR, LF ou CR LF) d'un texte Windows-1252, décodées une à une :
// le même résultat que decouperLignes(depuisAnsi(octets)), sans le texte entier entre deux.
QStringList lignesDepuisAnsi(QByteArrayView octets);
// Le texte tel qu'il sera relu après écriture en Windows-1252.
QString normaliserAnsi(const QString& texte);
