#pragma once
// Contrôle des octets d'un document XML avant son analyse. pugixml n'en vérifie ni l'encodage
// ni les caractères : un octet qui n'est pas de l'UTF-8 deviendrait U+FFFD au prochain
// enregistrement, un caractère de contrôle (brut ou en référence, &#1;) serait réécrit dans
// une forme que tout lecteur XML strict refuse. Ce que la base ne peut pas rendre tel quel
// est donc refusé à la lecture, en nommant la ligne.
#include <QByteArray>
#include <QString>

#include <pugixml.hpp>

// Ramène octets en UTF-8 (UTF-16, UTF-32 et ISO-8859-1 transcodés ; encoding_auto résolu
// comme pugixml le ferait), puis vérifie que le texte est de l'UTF-8 valide et ne contient
// aucun caractère interdit en XML 1.0, ni brut ni en référence hors commentaires, sections
// CDATA et instructions de traitement. Lève EXmlErreur en nommant chemin et la ligne.
void ramenerEnUtf8Verifie(const QString& chemin, QByteArray& octets, pugi::xml_encoding encodage);

// "le fichier se termine avant la fin du document ..." : la cause dite d'un fichier coupé.
QString raisonFichierCoupe();
