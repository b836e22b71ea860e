#pragma once
// Partage de la liste de courses hors du programme : texte à coller dans un message, fichier
// CSV pour un tableur (UTF-8, point-virgule, décimales à virgule), fichier texte.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Les lignes d'indices donnés (toutes quand la liste est vide), une par ligne de texte :
// "3 × Lait demi-écrémé — 2,67 €", puis "Total : 2,67 €". Un Nb ou un Total illisible lève
// EConvertError en nommant la ligne.
QString texteListePartage(const QStringList& lignes, const QList<int>& indices = {});

// Champ CSV : entre guillemets (doublés à l'intérieur) s'il contient ";", '"', un saut de
// ligne ou un blanc en bord.
QString champCSV(const QString& champ);
// Le fichier CSV de toute la liste : marque d'ordre UTF-8 (les tableurs reconnaissent ainsi
// l'encodage), en-tête, une rangée par ligne, rangée du total ; fins de ligne CR LF.
QByteArray octetsCSV(const QStringList& lignes);
// Le fichier texte : le texte partagé de toute la liste, en UTF-8.
QByteArray octetsTexte(const QStringList& lignes);
