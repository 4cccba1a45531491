// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours the windows give their own controls.
#include <QColor>
#include <QPalette>

class QWidget;

// One role of the widget's palette in one colour, in every colour group: a
// label keeps its colour when its parent is disabled, as it was drawn.
void colorer(QWidget *widget, QPalette::ColorRole role, const QColor &couleur);
