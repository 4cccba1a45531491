// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real main window with its dialogs, for tests driven through the widgets.
// Pauses take no time (they are recorded instead) unless a test keeps them.
#include "Apropos.h"
#include "Attente.h"
#include "ChoixNom.h"
#include "FeuilleGrille.h"
#include "ImageCliquable.h"
#include "Marque.h"
#include "PiloteModal.h"
#include "Sons.h"
#include "yams1.h"

#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

struct PauseVue {
    QString legende, texte;
    int intervalleMs;
};

class BancFenetre : public ::testing::Test {
protected:
    std::unique_ptr<TFicheYams> f = std::make_unique<TFicheYams>();
    TAboutBox *aboutBox = new TAboutBox(f.get());
    TDELAI *delai = new TDELAI(f.get());
    TChNom *chNom = new TChNom(f.get());
    QList<PauseVue> pauses;

    BancFenetre() {
        f->relier(aboutBox, delai, chNom);
        delai->remplacerPause([this](const QString &l, const QString &t, int ms) { pauses.push_back({l, t, ms}); });
        f->show();
        f->activateWindow();
    }

    EtatJeu &e() { return f->jeu().etat(); }

    // Opens "&Nouvelle partie" as a user does (the game is reset on the
    // opening) and, when asked, picks an entry by clicking it.
    void ouvrirMenuNouvelle(QAction *entree = nullptr) {
        f->activateWindow();
        f->MenuPrincipal->setActiveAction(f->MenuNouvelle->menuAction());
        ASSERT_TRUE(f->MenuNouvelle->isVisible());
        if (entree) {
            QTest::mouseClick(f->MenuNouvelle, Qt::LeftButton, {}, f->MenuNouvelle->actionGeometry(entree).center());
        } else {
            f->MenuNouvelle->close();
        }
        QApplication::processEvents();
    }

    void cliquer(QWidget *w, Qt::MouseButton b = Qt::LeftButton, QPoint p = {}) {
        QTest::mouseClick(w, b, {}, p.isNull() ? w->rect().center() : p);
    }

    // A click on cell (colonne, ligne) of the sheet.
    void cliquerCase(int colonne, int ligne, Qt::MouseButton b = Qt::LeftButton) {
        const auto c = grille::centreCellule(colonne, ligne);
        cliquer(f->Grille, b, QPoint(c.x, c.y));
    }

    QImage image(QLabel *l) { return l->pixmap().toImage(); }
    int faceMontree(int de) {
        for (int v = 1; v <= 6; ++v)
            if (image(f->de(de)) == f->faceStockee(v).toImage()) return v;
        return 0;
    }
};

// Fills the name dialog and presses OK (or Annuler when `ok` is false).
inline PiloteModal *repondreNoms(const QString &nom1, const QString &nom2, bool ok = true) {
    return new PiloteModal([](QWidget *w) { return qobject_cast<TChNom *>(w) != nullptr; },
                           [=](QWidget *w) {
                               auto *d = qobject_cast<TChNom *>(w);
                               d->Nom1->setText(nom1);
                               d->Nom2->setText(nom2);
                               (ok ? d->OKBtn : d->CancelBtn)->click();
                           });
}
