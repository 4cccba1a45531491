#include "AccessibleDe.h"

#include "ImageCliquable.h"

AccessibleDe::AccessibleDe(ImageCliquable *de) : QAccessibleWidget(de, QAccessible::Button) {}

QStringList AccessibleDe::actionNames() const { return {pressAction()}; }

void AccessibleDe::doAction(const QString &action) {
    if (action == pressAction()) emit static_cast<ImageCliquable *>(widget())->clic();
}

// The window's keys 1 to 5 do what a press does; the number ends the name De1…De5.
QStringList AccessibleDe::keyBindingsForAction(const QString &action) const {
    const QString nom = widget()->objectName();
    if (action != pressAction() || !nom.startsWith(QLatin1String("De"))) return {};
    return {nom.mid(2)};
}
