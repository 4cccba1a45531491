// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's fonts, Liberation Sans and Liberation Serif. Each face comes
// from the system when the system has the very file the program carries
// (Debian's fonts-liberation2), and from the program's resources otherwise:
// the game looks the same either way, and needs no copy when it has one.
#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>

// One of these faces at a size in pixels, as the windows were drawn.
enum class StylePolice { Normale, Grasse, Italique };
QFont police(const char *famille, int pixels, StylePolice style = StylePolice::Normale);

// The system's file for this face (through fontconfig), or nothing.
QString fichierSysteme(const QString &famille, const QString &style);

// Registers the carried faces for which `trouver` gives no identical file,
// and returns their resource paths.
QStringList chargerPolices(
    const std::function<QString(const QString &famille, const QString &style)> &trouver = fichierSysteme);
