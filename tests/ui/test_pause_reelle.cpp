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
    // From the start of showing `i` to the end of showing `j`.
    qint64 duree(int i, int j) const { return montrees[j].fin - montrees[i].debut; }
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
    cliquer(f->B_Lancer);
    // A timer never fires early: the lower bounds only allow for the moment
    // the window takes to show after its end was fixed. How late it may end
    // on a loaded machine belongs to the bench: the upper bounds only tell the
    // right period from the wrong one.
    ASSERT_EQ(chrono.montrees.size(), 5);
    for (const auto &m : chrono.montrees) EXPECT_EQ(m.legende, " ");
    EXPECT_GE(chrono.duree(0, 0), 450) << "a new interval: a whole period";
    EXPECT_GE(chrono.duree(0, 4), 2450) << "five periods of 500 ms";
    EXPECT_LT(chrono.duree(0, 4), 4000) << "not periods of 2000 ms";
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
    cliquerCase(2, CHANCE);
    ASSERT_EQ(chrono.montrees.size(), 6);
    // The roll goes on with the 500 ms period already running: its first step
    // takes what is left of it.
    EXPECT_GE(chrono.duree(0, 4), 1950);
    EXPECT_LT(chrono.duree(0, 4), 4000);
    EXPECT_EQ(chrono.montrees[5].legende, "CHUT !!! ");
    EXPECT_GE(chrono.duree(5, 5), 1950) << "a new interval: a whole period";
    EXPECT_LT(chrono.duree(5, 5), 3500);
    EXPECT_EQ(f->Grille->texte(3, YAMS), "50");
    delai->removeEventFilter(&chrono);
}
