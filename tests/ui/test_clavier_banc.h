// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real window driven by key presses only: keys go through the window
// system's path (shortcuts, focus, modal blocking) as a user's do.
#include "BancFenetre.h"

#include "Feuille.h"
#include "Invariants.h"

#include <QKeyEvent>

struct BancClavier : BancFenetre {
    // A key to whatever takes it: the open menu, else the main window. Under
    // the offscreen platform no window is active after a modal one closes (a
    // window manager would activate it again), so it is activated first.
    void touche(int touche, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        if (QWidget *menu = QApplication::activePopupWidget()) {
            QTest::keyClick(menu, Qt::Key(touche), mods);
            return;
        }
        if (!f->isActiveWindow()) {
            f->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(f.get()));
        }
        QTest::keyClick(f->windowHandle(), Qt::Key(touche), mods);
    }

    // Tab until `cible` has the focus; fails when it is not in the chain.
    void focaliser(QWidget *cible) {
        for (int i = 0; i < 8 && QApplication::focusWidget() != cible; ++i) touche(Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), cible) << cible->metaObject()->className();
    }

    // Moves the sheet's selection to `ligne` with the arrow keys (the sheet has the focus).
    void allerALaLigne(int ligne) {
        for (int i = 0; i < 20 && f->Grille->ligneSelectionnee() != ligne; ++i)
            touche(f->Grille->ligneSelectionnee() < ligne ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(f->Grille->ligneSelectionnee(), ligne);
    }

    void verifier() {
        const VueControles vue{f->B_Lancer->text().toStdString(), f->B_Lancer->isEnabled(),
                               f->EtiJoueur->text().toStdString()};
        for (const auto &faute : verifierInvariants(e(), *f, vue)) ADD_FAILURE() << faute;
    }

    std::array<bool, 6> gardes() {
        std::array<bool, 6> g{};
        for (int i = 1; i <= 5; ++i) g[static_cast<std::size_t>(i)] = !f->marque(i)->isHidden();
        return g;
    }
};

// Answers every message box with the Return key and keeps their texts.
inline PiloteModal *repondreMessagesAuClavier(QStringList &textes, int nombre = 1000) {
    return new PiloteModal(estBoiteMessage,
                           [&textes](QWidget *w) {
                               textes << qobject_cast<QMessageBox *>(w)->text();
                               QTest::keyClick(w, Qt::Key_Return);
                           },
                           nombre, 100000);
}

// Types the names into the dialog's fields, Tab between them, and Return.
inline PiloteModal *taperNoms(const QString &nom1, const QString &nom2) {
    return new PiloteModal([](QWidget *w) { return qobject_cast<TChNom *>(w) != nullptr; },
                           [=](QWidget *w) {
                               auto *d = qobject_cast<TChNom *>(w);
                               d->Nom1->clear();
                               d->Nom2->clear();
                               d->Nom1->setFocus();
                               QTest::keyClicks(d->focusWidget(), nom1);
                               if (!d->Nom2->isHidden()) {
                                   QTest::keyClick(d->focusWidget(), Qt::Key_Tab);
                                   QTest::keyClicks(d->focusWidget(), nom2);
                               }
                               QTest::keyClick(d->focusWidget(), Qt::Key_Return);
                           });
}
