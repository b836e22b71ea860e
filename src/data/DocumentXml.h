#pragma once
// Lecture et écriture de documents XML (pugixml) pour la base d'articles.
#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

#include <functional>

// Analyse le fichier dans doc. Encodages admis : UTF-8, UTF-16 (BOM), ISO-8859-1 et
// Windows-1252 déclarés. Une DOCTYPE est ignorée : aucune entité n'est jamais développée.
// Lève EFichierErreur (lecture, fichier qui n'est pas ordinaire ou trop gros) ou EXmlErreur
// (document mal formé, encodage inconnu).
void analyserFichierXml(const QString& chemin, pugi::xml_document& doc, unsigned options, qint64 tailleMax);

// Même analyse sur des octets déjà lus, sur place et sans copie : le document désigne alors
// octets (transcodés en UTF-8 au besoin), qui doivent vivre au moins aussi longtemps que lui.
// chemin ne sert qu'aux messages. avantAnalyse, s'il est donné, est appelé une fois les octets
// vérifiés, avant que l'analyse ne les modifie.
void analyserOctetsXml(const QString& chemin, QByteArray& octets, pugi::xml_document& doc, unsigned options,
                       const std::function<void()>& avantAnalyse = {});

// Sérialisation brute (sans blanc ajouté), en UTF-8, sans BOM.
QByteArray serialiserXml(const pugi::xml_document& doc);
