#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Tavelquirn - Vatrelix 2006"));
    QMainWindow fenetre;
    fenetre.setWindowTitle(QStringLiteral("Tavelquirn - Vatrelix 2006"));
    fenetre.resize(690, 474);
    fenetre.show();
    return application.exec();
}
