// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader sees of the score sheet: a table of 4 columns and
// 18 rows whose cells give their texts, with row 0 as column headers, the two
// first columns as row headers and the selected row.
#include <QAccessibleWidget>
#include <QHash>

class FeuilleGrille;

class AccessibleFeuille : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleFeuille(FeuilleGrille *feuille);
    ~AccessibleFeuille() override;

    FeuilleGrille *feuille() const;

    // QAccessibleInterface
    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *enfant) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;

    // QAccessibleTableInterface
    QAccessibleInterface *caption() const override { return nullptr; }
    QAccessibleInterface *summary() const override { return nullptr; }
    QAccessibleInterface *cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface *> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
    // One interface per cell, made on demand and kept for the table's life.
    mutable QHash<int, QAccessible::Id> cellules_;
};
