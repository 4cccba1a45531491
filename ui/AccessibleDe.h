#pragma once
// A die for a screen reader: a button whose name the window keeps as
// "Dé 1 : 5, gardé", and whose press holds or releases it as a click does.
#include <QAccessibleWidget>

class ImageCliquable;

class AccessibleDe : public QAccessibleWidget {
public:
    explicit AccessibleDe(ImageCliquable *de);

    QStringList actionNames() const override;
    void doAction(const QString &action) override;
    QStringList keyBindingsForAction(const QString &action) const override;
};
