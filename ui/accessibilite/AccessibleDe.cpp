// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleDe.h"

#include "fenetre/ImageCliquable.h"

AccessibleDe::AccessibleDe(ImageCliquable *de, int numero) : QAccessibleWidget(de, QAccessible::Button), numero_(numero) {}

// Its own description only, never the tooltip, which would be read at every focus.
QString AccessibleDe::text(QAccessible::Text t) const {
    if (t == QAccessible::Description) return widget()->accessibleDescription();
    return QAccessibleWidget::text(t);
}

// Tab reaches it, though it is out of the window's own focus chain.
QAccessible::State AccessibleDe::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.focusable = true;
    return s;
}

QStringList AccessibleDe::actionNames() const { return {pressAction()}; }

void AccessibleDe::doAction(const QString &action) {
    if (action == pressAction()) emit static_cast<ImageCliquable *>(widget())->clic();
}

// The window's keys 1 to 5 do what a press does.
QStringList AccessibleDe::keyBindingsForAction(const QString &action) const {
    if (action != pressAction() || numero_ < 1) return {};
    return {QString::number(numero_)};
}
