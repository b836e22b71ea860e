// Durée d'impression en PDF d'une longue liste : bench_impression [lignes] [fichier.pdf]
#include "ParametresRegionaux.h"
#include "U_vx_impression.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    ParametresRegionaux::definir(ParametresRegionaux::francais());

    const QStringList arguments = application.arguments();
    const int nbLignes = arguments.size() > 1 ? arguments[1].toInt() : 10000;
    QTemporaryDir dossier;
    const QString pdf = arguments.size() > 2 ? arguments[2] : dossier.filePath(QStringLiteral("liste.pdf"));

    const QStringList rayons{QStringLiteral("Crèmerie"), QStringLiteral("Épicerie"), QStringLiteral("Boissons"),
                             QStringLiteral("Fruits et légumes")};
    QStringList lignes;
    for (int i = 0; i < nbLignes; ++i)
        lignes << QStringLiteral("%1|Article numéro %2|remarque %3|%4|%5,%6 €|%7,%6 €")
                      .arg(i % 9 + 1).arg(i).arg(i % 17).arg(rayons[(i / 7) % rayons.size()])
                      .arg(i % 40).arg(i % 100, 2, 10, QLatin1Char('0')).arg((i % 40) * (i % 9 + 1));

    QPrinter imprimante(QPrinter::HighResolution);
    reglerSortiePdf(imprimante, pdf);
    QElapsedTimer chrono;
    chrono.start();
    imprimerSurImprimante(imprimante, lignes, QStringLiteral("/tmp/longue.lvtx"), 123456.78);
    const qint64 ms = chrono.elapsed();

    QTextStream(stdout) << nbLignes << " lignes imprimées en PDF en " << ms << " ms ("
                        << QFileInfo(pdf).size() / 1024 << " Kio)\n";
    return 0;
}
