// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windowing platform to ask Qt for, before the application is built.
//
// Under Wayland a program cannot place its windows: each showing of the pause
// window would be put somewhere new by the compositor, and the dialogs would
// not open centred. When the session also offers X (XWayland) and the user
// has chosen nothing, the game runs through X, where it places its windows.
#include <QByteArray>

// The values of QT_QPA_PLATFORM, WAYLAND_DISPLAY, XDG_SESSION_TYPE and
// DISPLAY; an empty result leaves the choice to Qt.
QByteArray plateformeVoulue(const QByteArray &qtQpaPlatform, const QByteArray &waylandDisplay,
                            const QByteArray &xdgSessionType, const QByteArray &display);

// Sets QT_QPA_PLATFORM from the process's environment when needed.
void choisirPlateforme();

// True where a window manager or a compositor places each window that is
// shown anew, and may place it elsewhere than the time before: X (mutter puts
// a window shown again by another reference than the first time) and Wayland.
bool fenetresPlaceesParLeSysteme();
