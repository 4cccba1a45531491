// SPDX-License-Identifier: GPL-3.0-or-later
#include "Plateforme.h"

#include <QGuiApplication>
#include <QtGlobal>

QByteArray plateformeVoulue(const QByteArray &qtQpaPlatform, const QByteArray &waylandDisplay,
                            const QByteArray &xdgSessionType, const QByteArray &display) {
    if (!qtQpaPlatform.isEmpty() || display.isEmpty()) return {};
    if (waylandDisplay.isEmpty() && xdgSessionType != "wayland") return {};
    // Wayland still, should Qt's X plugin be missing.
    return QByteArrayLiteral("xcb;wayland");
}

bool fenetresPlaceesParLeSysteme() {
    const QString p = QGuiApplication::platformName();
    return p == QLatin1String("xcb") || p.startsWith(QLatin1String("wayland"));
}

void choisirPlateforme() {
    const QByteArray p = plateformeVoulue(qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"),
                                          qgetenv("XDG_SESSION_TYPE"), qgetenv("DISPLAY"));
    if (!p.isEmpty()) qputenv("QT_QPA_PLATFORM", p);
}
