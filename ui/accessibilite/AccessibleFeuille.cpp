// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleFeuille.h"

#include "AccessibleCelluleFeuille.h"
#include "fenetre/FeuilleGrille.h"

using namespace feuille;

AccessibleFeuille::AccessibleFeuille(FeuilleGrille *feuille) : QAccessibleWidget(feuille, QAccessible::Table) {}

AccessibleFeuille::~AccessibleFeuille() {
    for (QAccessible::Id id : std::as_const(cellules_)) QAccessible::deleteAccessibleInterface(id);
}

FeuilleGrille *AccessibleFeuille::feuille() const { return static_cast<FeuilleGrille *>(widget()); }

void *AccessibleFeuille::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

// No description: the tooltip would be read at every focus.
QString AccessibleFeuille::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return QStringLiteral("Feuille de marque");
    if (t == QAccessible::Description) return widget()->accessibleDescription();
    return QAccessibleWidget::text(t);
}

int AccessibleFeuille::childCount() const { return grille::NbColonnes * grille::NbLignes; }

QAccessibleInterface *AccessibleFeuille::child(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    return cellAt(index / grille::NbColonnes, index % grille::NbColonnes);
}

int AccessibleFeuille::indexOfChild(const QAccessibleInterface *enfant) const {
    if (!enfant) return -1;
    const QAccessible::Id id = QAccessible::uniqueId(const_cast<QAccessibleInterface *>(enfant));
    for (auto it = cellules_.cbegin(); it != cellules_.cend(); ++it)
        if (it.value() == id) return it.key();
    return -1;
}

QAccessibleInterface *AccessibleFeuille::childAt(int x, int y) const {
    const QPoint p = feuille()->mapFromGlobal(QPoint(x, y));
    const Cellule c = FeuilleGrille::celluleSous(p.x(), p.y());
    return c.ligne < 0 ? nullptr : cellAt(c.ligne, c.colonne);
}

QAccessibleInterface *AccessibleFeuille::focusChild() const {
    if (!feuille()->hasFocus() || feuille()->ligneSelectionnee() < AS) return nullptr;
    return cellAt(feuille()->ligneSelectionnee(), feuille()->colonneJoueur());
}

QAccessibleInterface *AccessibleFeuille::cellAt(int row, int column) const {
    if (row < 0 || row >= grille::NbLignes || column < 0 || column >= grille::NbColonnes) return nullptr;
    const int index = row * grille::NbColonnes + column;
    auto it = cellules_.constFind(index);
    if (it != cellules_.cend()) return QAccessible::accessibleInterface(it.value());
    auto *cellule = new AccessibleCelluleFeuille(feuille(), row, column);
    cellules_.insert(index, QAccessible::registerAccessibleInterface(cellule));
    return cellule;
}

// The selection spans the two player cells of the selected row.
int AccessibleFeuille::selectedCellCount() const { return feuille()->ligneSelectionnee() >= AS ? 2 : 0; }

QList<QAccessibleInterface *> AccessibleFeuille::selectedCells() const {
    const int ligne = feuille()->ligneSelectionnee();
    if (ligne < AS) return {};
    return {cellAt(ligne, ColonneJoueur1), cellAt(ligne, ColonneJoueur2)};
}

QString AccessibleFeuille::columnDescription(int column) const { return feuille()->texte(column, LigneTitres); }

QString AccessibleFeuille::rowDescription(int row) const { return row >= AS ? feuille()->texte(ColonneNom, row) : QString(); }

int AccessibleFeuille::selectedRowCount() const { return feuille()->ligneSelectionnee() >= AS ? 1 : 0; }

int AccessibleFeuille::columnCount() const { return grille::NbColonnes; }

int AccessibleFeuille::rowCount() const { return grille::NbLignes; }

QList<int> AccessibleFeuille::selectedRows() const {
    const int ligne = feuille()->ligneSelectionnee();
    return ligne >= 1 ? QList<int>{ligne} : QList<int>{};
}

bool AccessibleFeuille::isRowSelected(int row) const { return row >= 1 && row == feuille()->ligneSelectionnee(); }

// Selecting moves the highlight only; choosing a row stays with Enter or a click.
bool AccessibleFeuille::selectRow(int row) {
    if (row < 1 || row >= grille::NbLignes) return false;
    feuille()->selectionnerLigne(row);
    return true;
}
