// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A die for a screen reader: a button named "Dé 1 : 5" whose description
// says whether it is held, and whose press holds or releases it as a click does.
#include <QAccessibleWidget>

class ImageCliquable;

class AccessibleDe : public QAccessibleWidget {
public:
    AccessibleDe(ImageCliquable *de, int numero);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &action) override;
    QStringList keyBindingsForAction(const QString &action) const override;

private:
    int numero_;
};
