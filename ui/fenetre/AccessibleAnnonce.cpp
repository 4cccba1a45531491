// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleAnnonce.h"

#include <QWidget>

void AccessibleAnnonce::dire(const QString &texte) {
    texte_ = texte;
    QAccessibleEvent evenement(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&evenement);
}

QWindow *AccessibleAnnonce::window() const { return fenetre_ ? fenetre_->windowHandle() : nullptr; }

QAccessibleInterface *AccessibleAnnonce::parent() const {
    QWidget *parent = barre_ ? barre_.data() : fenetre_.data();
    return parent ? QAccessible::queryAccessibleInterface(parent) : nullptr;
}

QAccessible::State AccessibleAnnonce::state() const {
    QAccessible::State s;
    s.readOnly = true;
    return s;
}
