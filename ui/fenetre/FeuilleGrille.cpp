// SPDX-License-Identifier: GPL-3.0-or-later
#include "FeuilleGrille.h"

#include "systeme/Polices.h"

#include <QAccessible>
#include <algorithm>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

using namespace feuille;

namespace {
const QColor CouleurTraits(192, 192, 192);
const QColor CouleurFixe(128, 0, 0);
const QColor CouleurCellule(0, 128, 128);
const QColor CouleurTexte(255, 255, 0);

// Headings: the columns before the players', and the row of titles.
bool estFixe(int colonne, int ligne) { return colonne < ColonneJoueur1 || ligne == LigneTitres; }
}  // namespace

FeuilleGrille::FeuilleGrille(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Grille"));
    setFixedSize(grille::Largeur, grille::Hauteur);
    setToolTip(QStringLiteral("Cliquez sur la ligne de votre choix"));
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted
    setFont(police("Liberation Serif", 12, StylePolice::Grasse));
}

bool FeuilleGrille::dansLaGrille(int colonne, int ligne) {
    return colonne >= 0 && colonne < grille::NbColonnes && ligne >= 0 && ligne < grille::NbLignes;
}

QString FeuilleGrille::texte(int colonne, int ligne) const {
    return dansLaGrille(colonne, ligne) ? textes_[colonne][ligne] : QString();
}

void FeuilleGrille::ecrire(int colonne, int ligne, const QString &texte) {
    if (!dansLaGrille(colonne, ligne) || textes_[colonne][ligne] == texte) return;
    textes_[colonne][ligne] = texte;
    update(grille::gaucheColonne(colonne), grille::hautLigne(ligne), grille::LargeurColonne[colonne],
           grille::HauteurLigne);
    notifierCellule(ligne, colonne, QAccessible::NameChanged);  // a screen reader speaks the new score
}

void FeuilleGrille::notifierCellule(int ligne, int colonne, QAccessible::Event type) {
    if (!QAccessible::isActive() || ligne < 0) return;
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(this);
    if (QAccessibleInterface *cellule = table ? table->tableInterface()->cellAt(ligne, colonne) : nullptr) {
        QAccessibleEvent evenement(cellule, type);
        QAccessible::updateAccessibility(&evenement);
    }
}

void FeuilleGrille::selectionnerLigne(int ligne) {
    if (ligne < AS || ligne > TOTAL_GENERAL) ligne = -1;
    if (ligne == ligneSelectionnee_) return;
    const int ancienne = ligneSelectionnee_;
    ligneSelectionnee_ = ligne;
    update();
    for (int c = ColonneJoueur1; c <= ColonneJoueur2; ++c) {
        notifierCellule(ancienne, c, QAccessible::SelectionRemove);
        notifierCellule(ligne, c, QAccessible::SelectionAdd);
    }
    if (hasFocus()) annoncerCelluleCourante();
}

void FeuilleGrille::definirColonneJoueur(int colonne) {
    if ((colonne != ColonneJoueur1 && colonne != ColonneJoueur2) || colonne == colonneJoueur_) return;
    colonneJoueur_ = colonne;
    if (hasFocus()) annoncerCelluleCourante();  // the reader follows the player's column
}

// The screen reader follows the player's cell of the selected row.
void FeuilleGrille::annoncerCelluleCourante() {
    if (ligneSelectionnee_ >= AS) notifierCellule(ligneSelectionnee_, colonneJoueur_, QAccessible::Focus);
}

void FeuilleGrille::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(rect(), CouleurTraits);  // the lines, and the strips past the last cells
    const QPalette &pal = palette();
    for (int c = 0; c < grille::NbColonnes; ++c) {
        for (int r = 0; r < grille::NbLignes; ++r) {
            const QRect cellule(grille::gaucheColonne(c), grille::hautLigne(r), grille::LargeurColonne[c],
                                grille::HauteurLigne);
            const bool fixe = estFixe(c, r);
            const bool selectionnee = !fixe && r == ligneSelectionnee_;
            p.fillRect(cellule, selectionnee ? pal.color(QPalette::Active, QPalette::Highlight)
                                             : (fixe ? CouleurFixe : CouleurCellule));
            const QString &t = textes_[c][r];
            if (t.isEmpty()) continue;
            p.setPen(selectionnee ? pal.color(QPalette::Active, QPalette::HighlightedText) : CouleurTexte);
            // drawText clips to the rectangle: a long name stays inside its cell.
            p.drawText(cellule.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, t);
        }
    }
    // With the keyboard focus, a dotted frame shows the row Enter would choose.
    if (hasFocus() && ligneSelectionnee_ >= AS) {
        const int gauche = grille::gaucheColonne(ColonneJoueur1);
        const QRect rangee(gauche, grille::hautLigne(ligneSelectionnee_),
                           grille::gaucheColonne(ColonneJoueur2 + 1) - grille::EpaisseurTrait - gauche,
                           grille::HauteurLigne);
        p.setPen(QPen(pal.color(QPalette::Active, QPalette::HighlightedText), 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(rangee.adjusted(0, 0, -1, -1));
    }
}

bool FeuilleGrille::toucheDeLaFeuille(const QKeyEvent *evenement) {
    if (evenement->modifiers() & ~Qt::KeypadModifier) return false;
    switch (evenement->key()) {
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_Home: case Qt::Key_End:
    case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Return: case Qt::Key_Enter: case Qt::Key_Space:
        return true;
    default:
        return false;
    }
}

// Every cell shows and hides with the sheet: a reader that met a cell while
// the sheet was hidden would otherwise leave it out when it reads a row.
void FeuilleGrille::signalerVisibilite(bool visible) {
    if (!QAccessible::isActive()) return;
    for (int l = 0; l < grille::NbLignes; ++l)
        for (int c = 0; c < grille::NbColonnes; ++c)
            notifierCellule(l, c, visible ? QAccessible::ObjectShow : QAccessible::ObjectHide);
}

bool FeuilleGrille::event(QEvent *evenement) {
    if (evenement->type() == QEvent::Show || evenement->type() == QEvent::Hide)
        signalerVisibilite(evenement->type() == QEvent::Show);
    // Enter belongs to the sheet while it has the focus, not to the window's
    // default button.
    if (evenement->type() == QEvent::ShortcutOverride && toucheDeLaFeuille(static_cast<QKeyEvent *>(evenement))) {
        evenement->accept();
        return true;
    }
    return QWidget::event(evenement);
}

void FeuilleGrille::keyPressEvent(QKeyEvent *evenement) {
    if (!toucheDeLaFeuille(evenement)) {
        QWidget::keyPressEvent(evenement);
        return;
    }
    constexpr int premiere = AS, derniere = TOTAL_GENERAL;
    const int actuelle = ligneSelectionnee_;
    switch (evenement->key()) {
    case Qt::Key_Up: selectionnerLigne(actuelle < premiere ? derniere : std::max(premiere, actuelle - 1)); break;
    case Qt::Key_Down: selectionnerLigne(actuelle < premiere ? premiere : std::min(derniere, actuelle + 1)); break;
    case Qt::Key_Home: case Qt::Key_PageUp: selectionnerLigne(premiere); break;
    case Qt::Key_End: case Qt::Key_PageDown: selectionnerLigne(derniere); break;
    default:  // Enter, Space
        if (!evenement->isAutoRepeat() && ligneSelectionnee_ >= AS) emit ligneValidee(ligneSelectionnee_);
        break;
    }
    evenement->accept();
}

void FeuilleGrille::focusInEvent(QFocusEvent *evenement) {
    QWidget::focusInEvent(evenement);
    update();
    // After the sheet's own focus event, which Qt sends once this returns:
    // the reader then goes on to the highlighted cell and reads it.
    QMetaObject::invokeMethod(this, [this] { if (hasFocus()) annoncerCelluleCourante(); }, Qt::QueuedConnection);
}

void FeuilleGrille::focusOutEvent(QFocusEvent *evenement) {
    QWidget::focusOutEvent(evenement);
    update();
}

void FeuilleGrille::mousePressEvent(QMouseEvent *evenement) {
    // A left press on a player cell selects its row; headings select nothing.
    if (evenement->button() == Qt::LeftButton) {
        const QPoint pt = evenement->position().toPoint();
        const Cellule cel = celluleSous(pt.x(), pt.y());
        if (cel.colonne >= ColonneJoueur1 && cel.ligne >= AS) selectionnerLigne(cel.ligne);
    }
    QWidget::mousePressEvent(evenement);
}

void FeuilleGrille::mouseReleaseEvent(QMouseEvent *evenement) {
    const QPoint pt = evenement->position().toPoint();
    const Cellule cel = celluleSous(pt.x(), pt.y());
    emit sourisRelachee(cel.colonne, cel.ligne, pt.x(), pt.y(), evenement->button());
    evenement->accept();
}
