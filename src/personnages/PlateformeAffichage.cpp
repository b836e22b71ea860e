#include "PlateformeAffichage.h"

#include <QString>
#include <QtGlobal>

QByteArray choisirPlateformeAffichage()
{
    // Un choix explicite de l'utilisateur l'emporte.
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return {};
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || qEnvironmentVariable("XDG_SESSION_TYPE").compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    // DISPLAY posé dans une session Wayland : XWayland est disponible.
    if (!wayland || qEnvironmentVariableIsEmpty("DISPLAY"))
        return {};
    qputenv("QT_QPA_PLATFORM", "xcb");
    return QByteArrayLiteral("xcb");
}
