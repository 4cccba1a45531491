// SPDX-License-Identifier: GPL-3.0-or-later
// The score sheet: geometry, mouse, colours (read back from the drawn pixels)
// and selection.
#include <QFontInfo>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

#include "FeuilleGrille.h"

namespace {

const QColor Argent(192, 192, 192);
const QColor Bordeaux(128, 0, 0);
const QColor Sarcelle(0, 128, 128);
const QColor Jaune(255, 255, 0);

QImage image(FeuilleGrille &g) { return g.grab().toImage(); }

QRect rectCellule(int c, int r) {
    return {grille::gaucheColonne(c), grille::hautLigne(r), grille::LargeurColonne[c], grille::HauteurLigne};
}

// How many pixels of `zone` have the colour `couleur`.
int compter(const QImage &img, const QRect &zone, const QColor &couleur) {
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x) n += img.pixelColor(x, y).rgb() == couleur.rgb() ? 1 : 0;
    return n;
}

struct Relache {
    int colonne, ligne, x, y;
    Qt::MouseButton bouton;
};

}  // namespace

TEST(FeuilleGrille, TailleFixeBulleEtPolice) {
    FeuilleGrille g;
    EXPECT_EQ(g.size(), QSize(391, 361));
    EXPECT_EQ(g.minimumSize(), QSize(391, 361));
    EXPECT_EQ(g.maximumSize(), QSize(391, 361));
    EXPECT_EQ(g.toolTip(), QStringLiteral("Cliquez sur la ligne de votre choix"));
    const QFontInfo police(g.font());
    EXPECT_EQ(police.family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(police.pixelSize(), 12);
    EXPECT_TRUE(police.bold());
    EXPECT_EQ(image(g).size(), QSize(391, 361));
}

// Any button's release reports the cell under the point (a line belongs to
// the cell left of or above it) and the point; off the cells, (-1, -1).
TEST(FeuilleGrille, RelacheDeToutBoutonDonneLaCelluleSousLePoint) {
    const struct {
        QPoint p;
        int colonne, ligne;
    } points[] = {  // (0, 0) would not do: QTest clicks the centre for a null point
        {{0, 1}, 0, 0},       {{5, 5}, 0, 0},       {{119, 17}, 0, 0},    {{120, 19}, 0, 0},
        {{121, 20}, 0, 1},    {{122, 0}, 1, 0},     {{130, 25}, 1, 1},    {{230, 45}, 2, 2},
        {{305, 100}, 2, 5},   {{306, 100}, 3, 5},   {{310, 345}, 3, 17},  {{387, 359}, 3, 17},
        {{388, 100}, -1, -1}, {{390, 0}, -1, -1},   {{200, 360}, -1, -1}, {{390, 360}, -1, -1},
    };
    const Qt::MouseButton boutons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    FeuilleGrille g;
    QList<Relache> vus;
    QObject::connect(&g, &FeuilleGrille::sourisRelachee,
                     [&](int c, int r, int x, int y, Qt::MouseButton b) { vus.append({c, r, x, y, b}); });
    for (const auto &pt : points) {
        for (Qt::MouseButton b : boutons) {
            SCOPED_TRACE(testing::Message() << "(" << pt.p.x() << "," << pt.p.y() << ") bouton " << int(b));
            vus.clear();
            QTest::mouseClick(&g, b, {}, pt.p);
            ASSERT_EQ(vus.size(), 1);
            EXPECT_EQ(vus[0].colonne, pt.colonne);
            EXPECT_EQ(vus[0].ligne, pt.ligne);
            EXPECT_EQ(QPoint(vus[0].x, vus[0].y), pt.p);
            EXPECT_EQ(vus[0].bouton, b);
        }
    }
}

// A left click on a player cell selects its row; headings and other buttons
// leave the selection alone.
TEST(FeuilleGrille, UnClicGaucheSurUneCelluleDeJoueurSelectionneSaLigne) {
    const struct {
        const char *comment;
        Qt::MouseButton bouton;
        int colonne, ligne;
        int selection;  // afterwards, starting from row 17
    } cas[] = {
        {"joueur 1, ligne 5", Qt::LeftButton, 2, 5, 5},
        {"joueur 2, ligne 1", Qt::LeftButton, 3, 1, 1},
        {"nom de ligne", Qt::LeftButton, 0, 9, 17},
        {"marque", Qt::LeftButton, 1, 9, 17},
        {"en-tete d'un joueur", Qt::LeftButton, 2, 0, 17},
        {"bouton droit", Qt::RightButton, 3, 9, 17},
        {"bouton du milieu", Qt::MiddleButton, 2, 9, 17},
    };
    for (const auto &c : cas) {
        SCOPED_TRACE(c.comment);
        FeuilleGrille g;
        g.selectionnerLigne(17);
        const auto centre = grille::centreCellule(c.colonne, c.ligne);
        QTest::mouseClick(&g, c.bouton, {}, QPoint(centre.x, centre.y));
        EXPECT_EQ(g.ligneSelectionnee(), c.selection);
    }
}

TEST(FeuilleGrille, SeulesLesLignes1A17PeuventEtreSelectionnees) {
    const struct { int demande, obtenue; } cas[] = {{1, 1}, {17, 17}, {0, -1}, {18, -1}, {-5, -1}};
    for (const auto &c : cas) {
        FeuilleGrille g;
        g.selectionnerLigne(c.demande);
        EXPECT_EQ(g.ligneSelectionnee(), c.obtenue) << c.demande;
    }
}

TEST(FeuilleGrille, TextesDesCellules) {
    FeuilleGrille g;
    EXPECT_TRUE(g.texte(2, 5).isEmpty());  // a free row
    g.ecrire(2, 5, QStringLiteral("0"));
    g.ecrire(3, 0, QStringLiteral("ÉLOÏSE 😀"));
    EXPECT_EQ(g.texte(2, 5), QStringLiteral("0"));
    EXPECT_EQ(g.texte(3, 0), QStringLiteral("ÉLOÏSE 😀"));
    EXPECT_TRUE(g.texte(3, 5).isEmpty());
    g.ecrire(2, 5, QString());
    EXPECT_TRUE(g.texte(2, 5).isEmpty());
    // Outside the sheet: nothing to read, nothing written.
    g.ecrire(4, 0, QStringLiteral("x"));
    g.ecrire(0, 18, QStringLiteral("x"));
    g.ecrire(-1, -1, QStringLiteral("x"));
    EXPECT_TRUE(g.texte(4, 0).isEmpty());
    EXPECT_TRUE(g.texte(0, 18).isEmpty());
    EXPECT_TRUE(g.texte(-1, -1).isEmpty());
}

// Colours read from the drawn sheet, in empty cells and on the lines.
TEST(FeuilleGrille, CouleursDesCellulesEtDesTraits) {
    const struct {
        const char *comment;
        QRect zone;
        QColor couleur;
    } zones[] = {
        {"en-tete (0,0)", rectCellule(0, 0), Bordeaux},
        {"marque (1,1)", rectCellule(1, 1), Bordeaux},
        {"en-tete joueur (3,0)", rectCellule(3, 0), Bordeaux},
        {"cellule joueur (2,1)", rectCellule(2, 1), Sarcelle},
        {"cellule joueur (3,17)", rectCellule(3, 17), Sarcelle},
        {"trait vertical apres la colonne 0", {120, 0, 2, 361}, Argent},
        {"trait horizontal apres la ligne 0", {0, 18, 388, 2}, Argent},
        {"bande a droite", {388, 0, 3, 361}, Argent},
        {"bande du bas", {0, 360, 391, 1}, Argent},
    };
    FeuilleGrille g;
    const QImage img = image(g);
    for (const auto &z : zones) {
        SCOPED_TRACE(z.comment);
        EXPECT_EQ(compter(img, z.zone, z.couleur), z.zone.width() * z.zone.height());
    }
}

TEST(FeuilleGrille, TexteJauneDansLesCellules) {
    FeuilleGrille g;
    g.ecrire(0, 17, QStringLiteral("TOTAL GENERAL"));
    g.ecrire(2, 6, QStringLiteral("18"));
    const QImage img = image(g);
    EXPECT_GT(compter(img, rectCellule(0, 17), Jaune), 20);
    EXPECT_GT(compter(img, rectCellule(2, 6), Jaune), 10);
    EXPECT_EQ(compter(img, rectCellule(3, 6), Jaune), 0);
}

// The selected row is drawn in the system's selection colours, across the
// two player columns only.
TEST(FeuilleGrille, LigneSelectionneeAuxCouleursDeSelection) {
    FeuilleGrille g;
    const QColor fond = g.palette().color(QPalette::Active, QPalette::Highlight);
    const QColor texte = g.palette().color(QPalette::Active, QPalette::HighlightedText);
    ASSERT_NE(fond.rgb(), Sarcelle.rgb());
    g.ecrire(0, 5, QStringLiteral("CINQ"));
    g.ecrire(2, 5, QStringLiteral("15"));
    g.selectionnerLigne(5);
    QImage img = image(g);
    EXPECT_EQ(compter(img, rectCellule(3, 5), fond), 80 * 18);
    EXPECT_GT(compter(img, rectCellule(2, 5), fond), 80 * 18 / 2);
    EXPECT_GT(compter(img, rectCellule(2, 5), texte), 5);
    EXPECT_EQ(compter(img, rectCellule(2, 5), Jaune), 0);
    EXPECT_EQ(compter(img, rectCellule(1, 5), Bordeaux), 100 * 18);
    EXPECT_GT(compter(img, rectCellule(0, 5), Jaune), 5);  // headings keep their look
    EXPECT_EQ(compter(img, rectCellule(2, 4), Sarcelle), 80 * 18);
    EXPECT_EQ(compter(img, rectCellule(2, 6), Sarcelle), 80 * 18);

    g.selectionnerLigne(17);  // moving the selection redraws the old row plain
    img = image(g);
    EXPECT_EQ(compter(img, rectCellule(3, 5), Sarcelle), 80 * 18);
    EXPECT_EQ(compter(img, rectCellule(3, 17), fond), 80 * 18);
}

// A very long name stays in its own heading cell.
TEST(FeuilleGrille, UnNomTresLongResteDansSaCellule) {
    FeuilleGrille g;
    g.ecrire(2, 0, QString(10000, QLatin1Char('W')) + QStringLiteral("😀"));
    const QImage img = image(g);
    EXPECT_GT(compter(img, rectCellule(2, 0), Jaune), 50);
    EXPECT_EQ(compter(img, {304, 0, 2, 20}, Argent), 2 * 20);  // the line after it
    EXPECT_EQ(compter(img, rectCellule(3, 0), Bordeaux), 80 * 18);
    EXPECT_EQ(compter(img, rectCellule(2, 1), Sarcelle), 80 * 18);
}
