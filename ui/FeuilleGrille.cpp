#include "FeuilleGrille.h"

#include <QMouseEvent>
#include <QPainter>

namespace {
const QColor CouleurTraits(192, 192, 192);
const QColor CouleurFixe(128, 0, 0);
const QColor CouleurCellule(0, 128, 128);
const QColor CouleurTexte(255, 255, 0);

// Headings: columns 0 and 1, and row 0.
bool estFixe(int colonne, int ligne) { return colonne < 2 || ligne == 0; }
}  // namespace

FeuilleGrille::FeuilleGrille(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Grille"));
    setFixedSize(grille::Largeur, grille::Hauteur);
    setToolTip(QStringLiteral("Cliquez sur la ligne de votre choix"));
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted

    QFont police(QStringLiteral("Liberation Serif"));
    police.setPixelSize(12);
    police.setBold(true);
    setFont(police);
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
}

void FeuilleGrille::selectionnerLigne(int ligne) {
    if (ligne < 1 || ligne >= grille::NbLignes) ligne = -1;
    if (ligne == ligneSelectionnee_) return;
    ligneSelectionnee_ = ligne;
    update();
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
}

void FeuilleGrille::mousePressEvent(QMouseEvent *evenement) {
    // A left press on a player cell selects its row; headings select nothing.
    if (evenement->button() == Qt::LeftButton) {
        const QPoint pt = evenement->position().toPoint();
        const Cellule cel = celluleSous(pt.x(), pt.y());
        if (cel.colonne >= 2 && cel.ligne >= 1) selectionnerLigne(cel.ligne);
    }
    QWidget::mousePressEvent(evenement);
}

void FeuilleGrille::mouseReleaseEvent(QMouseEvent *evenement) {
    const QPoint pt = evenement->position().toPoint();
    const Cellule cel = celluleSous(pt.x(), pt.y());
    emit sourisRelachee(cel.colonne, cel.ligne, pt.x(), pt.y(), evenement->button());
    evenement->accept();
}
