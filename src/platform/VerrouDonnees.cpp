#include "VerrouDonnees.h"

#include <QDir>
#include <QLockFile>

std::unique_ptr<QLockFile> verrouillerDossierDonnees(const QString& dossier, QString& message)
{
    auto verrou = std::make_unique<QLockFile>(QDir(dossier).filePath(QStringLiteral(".vatrelix.lock")));
    // Jamais périmé par l'âge : seul un processus disparu libère le verrou.
    verrou->setStaleLockTime(0);
    if (verrou->tryLock(0))
        return verrou;
    if (verrou->error() != QLockFile::LockFailedError)
        return verrou;
    qint64 pid = 0;
    QString machine;
    QString application;
    verrou->getLockInfo(&pid, &machine, &application);
    message = QStringLiteral("Vatrelix est déjà ouvert sur le dossier de données \"%1\" (processus %2%3).\n"
                             "Un seul Vatrelix à la fois peut modifier la base d'articles, les listes et la "
                             "configuration de ce dossier : utilisez la fenêtre déjà ouverte.")
                  .arg(QDir::toNativeSeparators(dossier))
                  .arg(pid)
                  .arg(machine.isEmpty() ? QString() : QStringLiteral(" sur ") + machine);
    return nullptr;
}
