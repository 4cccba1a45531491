// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One cell of the score sheet for a screen reader: its text, whether it is a
// heading, its headers and whether its row is the selected one.
#include <QAccessible>
#include <QPointer>

class FeuilleGrille;

class AccessibleCelluleFeuille : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    AccessibleCelluleFeuille(FeuilleGrille *feuille, int ligne, int colonne);

    // QAccessibleInterface
    bool isValid() const override;
    QObject *object() const override { return nullptr; }
    QWindow *window() const override;
    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessibleInterface *parent() const override;
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    // QAccessibleTableCellInterface
    bool isSelected() const override;
    QList<QAccessibleInterface *> columnHeaderCells() const override;
    QList<QAccessibleInterface *> rowHeaderCells() const override;
    int columnIndex() const override { return colonne_; }
    int rowIndex() const override { return ligne_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface *table() const override;

private:
    QPointer<FeuilleGrille> feuille_;
    int ligne_;
    int colonne_;
};
