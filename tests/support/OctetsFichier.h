#pragma once
// Fichiers écrits et relus octet pour octet par les tests, sans passer par le code testé
// (ni copie de sauvegarde, ni écriture atomique, ni plafond de taille).
#include <QByteArray>
#include <QString>

// Crée ou remplace le fichier avec exactement ces octets ; un échec fait échouer le test.
void ecrireOctetsBruts(const QString& chemin, const QByteArray& octets);
// Les octets du fichier ; siAbsent quand il ne peut pas être lu.
QByteArray lireOctetsBruts(const QString& chemin, const QByteArray& siAbsent = {});
