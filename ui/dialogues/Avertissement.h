// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The warning box of a dialog that refuses to close (the name dialog): a
// message box with the title "Avertissement", the warning icon and "OK".
#include <QString>

class QWidget;

// On the desktop the box is modal and waited for. In a web browser, Qt waits
// in a nested loop only one level deep, and the dialog that warns already
// waits in its own: the box is then shown modal to the dialog and left to
// close itself, which comes to the same since the dialog stays open anyway.
void avertir(QWidget *parent, const QString &texte);
