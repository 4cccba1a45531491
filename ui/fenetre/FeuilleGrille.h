// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The score sheet: 4 columns by 18 rows of text cells, drawn by hand so that
// the 2 px lines, the colours and the selection are exactly what the game
// shows, and so that nothing changes unless the game or a click says so.
#include <QAccessible>
#include <QString>
#include <QWidget>
#include <array>

#include "Controles.h"
#include "Feuille.h"
#include "GeometrieGrille.h"

class FeuilleGrille : public QWidget {
    Q_OBJECT
public:
    explicit FeuilleGrille(QWidget *parent = nullptr);

    // Texts of the cells; column 0..3, row 0..17. Out of range: empty text,
    // and writing does nothing.
    QString texte(int colonne, int ligne) const;
    void ecrire(int colonne, int ligne, const QString &texte);

    // The selected row (-1: none). Only rows 1..17 can be selected.
    int ligneSelectionnee() const { return ligneSelectionnee_; }
    void selectionnerLigne(int ligne);

    // The player column whose cells the keyboard and the screen reader point
    // at (2 or 3); the window keeps it on the player to play.
    int colonneJoueur() const { return colonneJoueur_; }
    void definirColonneJoueur(int colonne);

    // The cell under a point of the widget, {-1, -1} on none.
    static Cellule celluleSous(int x, int y) { return grille::celluleSous(x, y); }

    QSize sizeHint() const override { return {grille::Largeur, grille::Hauteur}; }

signals:
    // Any mouse button released over the sheet: the cell under the point
    // (-1, -1 on the lines past the last cells) and the point itself.
    void sourisRelachee(int colonne, int ligne, int x, int y, Qt::MouseButton bouton);
    // Enter or Space with the focus: the selected row is chosen.
    void ligneValidee(int ligne);

protected:
    void paintEvent(QPaintEvent *evenement) override;
    void mousePressEvent(QMouseEvent *evenement) override;
    void mouseReleaseEvent(QMouseEvent *evenement) override;
    void keyPressEvent(QKeyEvent *evenement) override;
    bool event(QEvent *evenement) override;
    void focusInEvent(QFocusEvent *evenement) override;
    void focusOutEvent(QFocusEvent *evenement) override;

private:
    static bool dansLaGrille(int colonne, int ligne);
    static bool toucheDeLaFeuille(const QKeyEvent *evenement);
    void annoncerCelluleCourante();
    void signalerVisibilite(bool visible);
    void notifierCellule(int ligne, int colonne, QAccessible::Event type);

    std::array<std::array<QString, grille::NbLignes>, grille::NbColonnes> textes_;
    int ligneSelectionnee_ = -1;
    int colonneJoueur_ = feuille::ColonneJoueur1;
};
