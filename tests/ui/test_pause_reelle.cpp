// SPDX-License-Identifier: GPL-3.0-or-later
// The real pause window in a real game: how long a roll's five steps and the
// computer's thinking pause last, and that the window takes no click meanwhile.
#include "BancFenetre.h"

#include <QElapsedTimer>

using namespace feuille;

namespace {

// Times every showing of the pause window.
struct Chrono : QObject {
    QElapsedTimer t;
    qint64 debut = -1;
    struct Montree {
        QString legende;
        qint64 debut, fin;
    };
    QList<Montree> montrees;
    Chrono() { t.start(); }
    bool eventFilter(QObject *o, QEvent *e) override {
        auto *d = qobject_cast<TDELAI *>(o);
        if (d && e->type() == QEvent::Show) debut = t.elapsed();
        if (d && e->type() == QEvent::Hide && debut >= 0) {
            montrees.push_back({d->windowTitle(), debut, t.elapsed()});
            debut = -1;
        }
        return false;
    }
    // From `depuis` to the end of showing `j`.
    qint64 jusquA(int j, qint64 depuis) const { return montrees[j].fin - depuis; }
    // Every showing, for a failure's message.
    std::string liste(qint64 depuis) const {
        std::string r;
        for (const Montree &m : montrees)
            r += ' ' + std::to_string(m.debut - depuis) + '-' + std::to_string(m.fin - depuis);
        return r;
    }
};

}  // namespace

TEST_F(BancFenetre, TempsReel_UnLancerPuisUneReflexionDOrdy) {
    delai->remplacerPause({});  // the real window
    {
        std::unique_ptr<PiloteModal> p(repondreNoms("anne", ""));
        ouvrirMenuNouvelle(f->N1Joueur1);
    }
    Chrono chrono;
    delai->installEventFilter(&chrono);

    // The human's first roll: the interval changes from 2000 to 500, so every
    // step lasts a full 500 ms. A click on the roll button during the roll is
    // refused by the modal window.
    QTimer::singleShot(700, [&] {
        // Through the window system, as a real click: blocked by the modal pause.
        const QPoint p = f->B_Lancer->mapTo(f.get(), f->B_Lancer->rect().center());
        QTest::mouseClick(f->windowHandle(), Qt::LeftButton, {}, p);
    });
    qint64 depart = chrono.t.elapsed();
    cliquer(f->B_Lancer);
    // Each showing ends on a firing of the period, and a timer never fires
    // early: counted from before the click, the lower bounds are exact however
    // late the window shows. How late it may end on a loaded machine belongs
    // to the bench: the upper bounds only tell the right period from the wrong one.
    SCOPED_TRACE(chrono.liste(depart));
    ASSERT_EQ(chrono.montrees.size(), 5);
    for (const auto &m : chrono.montrees) EXPECT_EQ(m.legende, " ");
    EXPECT_GE(chrono.jusquA(0, depart), 499) << "a new interval: a whole period";
    EXPECT_GE(chrono.jusquA(4, depart), 2499) << "five periods of 500 ms";
    EXPECT_LT(chrono.jusquA(4, depart), 6000) << "not periods of 2000 ms";
    EXPECT_EQ(e().NumLancer, 2) << "the click during the pause did not roll again";

    // The human records; ORDY's first roll is five sixes, recorded after one
    // thinking pause of a full 2000 ms.
    chrono.montrees.clear();
    f->remplacementHorloge = [] {
        // five sixes on the fifth pass
        for (std::int32_t h = 0;; ++h) {
            Hasard r;
            r.graine(static_cast<std::uint32_t>(h));
            int six = 0;
            for (int i = 0; i < 25; ++i) six = (r.Random(6) == 5 && i >= 20) ? six + 1 : six;
            if (six == 5) return h;
        }
    };
    cliquer(f->BtGrille);
    depart = chrono.t.elapsed();
    cliquerCase(2, CHANCE);
    ASSERT_EQ(chrono.montrees.size(), 6);
    // The roll goes on with the 500 ms period already running: its first step
    // takes what is left of it, then four whole ones.
    EXPECT_GE(chrono.jusquA(4, depart), 1999);
    EXPECT_LT(chrono.jusquA(4, depart), 6000);
    EXPECT_EQ(chrono.montrees[5].legende, "CHUT !!! ");
    EXPECT_GE(chrono.jusquA(5, chrono.montrees[4].fin), 1999) << "a new interval: a whole period";
    EXPECT_LT(chrono.jusquA(5, chrono.montrees[4].fin), 5000);
    EXPECT_EQ(f->Grille->texte(3, YAMS), "50");
    delai->removeEventFilter(&chrono);
}
