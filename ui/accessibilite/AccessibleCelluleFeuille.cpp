// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleCelluleFeuille.h"

#include "fenetre/FeuilleGrille.h"

using namespace feuille;

AccessibleCelluleFeuille::AccessibleCelluleFeuille(FeuilleGrille *feuille, int ligne, int colonne)
    : feuille_(feuille), ligne_(ligne), colonne_(colonne) {}

bool AccessibleCelluleFeuille::isValid() const { return !feuille_.isNull(); }

QWindow *AccessibleCelluleFeuille::window() const {
    QAccessibleInterface *t = table();
    return t ? t->window() : nullptr;
}

void *AccessibleCelluleFeuille::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface *>(this);
    return nullptr;
}

QAccessibleInterface *AccessibleCelluleFeuille::parent() const { return table(); }

QAccessibleInterface *AccessibleCelluleFeuille::table() const {
    return feuille_ ? QAccessible::queryAccessibleInterface(feuille_.data()) : nullptr;
}

// A player's cell says its player too: Orca 43 reads a Qt table's row cell by
// cell, by their names, without the column headers.
QString AccessibleCelluleFeuille::text(QAccessible::Text t) const {
    if (!feuille_ || t != QAccessible::Name) return {};
    const QString texte = feuille_->texte(colonne_, ligne_);
    if (ligne_ == LigneTitres || colonne_ < ColonneJoueur1) return texte;
    return QStringLiteral("%1, %2").arg(feuille_->texte(colonne_, LigneTitres), texte.isEmpty() ? QStringLiteral("libre") : texte);
}

QRect AccessibleCelluleFeuille::rect() const {
    if (!feuille_) return {};
    const QRect local(grille::gaucheColonne(colonne_), grille::hautLigne(ligne_), grille::LargeurColonne[colonne_],
                      grille::HauteurLigne);
    return local.translated(feuille_->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role AccessibleCelluleFeuille::role() const {
    if (ligne_ == LigneTitres) return QAccessible::ColumnHeader;
    if (colonne_ < ColonneJoueur1) return QAccessible::RowHeader;
    return QAccessible::Cell;
}

QAccessible::State AccessibleCelluleFeuille::state() const {
    QAccessible::State s;
    if (!feuille_) {
        s.invalid = true;
        return s;
    }
    s.readOnly = true;
    if (!feuille_->isVisible()) s.invisible = true;
    if (ligne_ >= AS && colonne_ >= ColonneJoueur1) {
        s.selectable = true;
        s.selected = isSelected();
        s.focusable = true;
        s.focused = s.selected && feuille_->hasFocus() && colonne_ == feuille_->colonneJoueur();
    }
    return s;
}

bool AccessibleCelluleFeuille::isSelected() const {
    return feuille_ && colonne_ >= ColonneJoueur1 && ligne_ >= AS && ligne_ == feuille_->ligneSelectionnee();
}

// The heading row heads its own column too: over AT-SPI a column's header is
// asked of the cell in row 0.
QList<QAccessibleInterface *> AccessibleCelluleFeuille::columnHeaderCells() const {
    QAccessibleInterface *t = table();
    if (!t) return {};
    return {t->tableInterface()->cellAt(LigneTitres, colonne_)};
}

QList<QAccessibleInterface *> AccessibleCelluleFeuille::rowHeaderCells() const {
    QAccessibleInterface *t = table();
    if (!t || ligne_ == LigneTitres || colonne_ == ColonneNom) return {};
    return {t->tableInterface()->cellAt(ligne_, ColonneNom)};
}
