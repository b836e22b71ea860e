#pragma once
// Exceptions du programme : le message est le texte français que l'utilisateur lira.
#include <QString>
#include <exception>

class EVatrelix : public std::exception
{
public:
    explicit EVatrelix(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Conversion de texte impossible (nombre, couleur, booléen).
class EConvertError : public EVatrelix { using EVatrelix::EVatrelix; };
// Indice hors de la liste.
class EListError : public EVatrelix { using EVatrelix::EVatrelix; };
// Fichier illisible, impossible à écrire, absent.
class EFichierErreur : public EVatrelix { using EVatrelix::EVatrelix; };
// Document XML mal formé ou de forme inattendue.
class EXmlErreur : public EVatrelix { using EVatrelix::EVatrelix; };
