// SPDX-License-Identifier: GPL-3.0-or-later
// The pause window. Most tests end their showings by hand within tens of
// milliseconds; the few marked "real time" check the timer's periods.
#include <cmath>

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include "Attente.h"

namespace {

// Length of one PauseDELAI, in ms.
qint64 duree(TDELAI &d, int intervalleMs, const QString &texte = QStringLiteral("Les dés roulent")) {
    QElapsedTimer chrono;
    chrono.start();
    d.PauseDELAI(QStringLiteral(" "), texte, intervalleMs);
    return chrono.elapsed();
}

// The close box of the title bar: a close request to the native window.
void fermerParLaCase(TDELAI &d) {
    QCloseEvent fermeture;
    QCoreApplication::sendEvent(d.windowHandle(), &fermeture);
}

}  // namespace

TEST(Attente, AspectALaCreation) {
    TDELAI d;
    EXPECT_EQ(d.minimumSize(), QSize(222, 65));
    EXPECT_EQ(d.maximumSize(), QSize(222, 65));
    const Qt::WindowFlags f = d.windowFlags();
    EXPECT_TRUE(f & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(f & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(f & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(d.Label1->geometry(), QRect(32, 16, 161, 29));
    const QFontInfo police(d.Label1->font());
    EXPECT_EQ(police.family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(police.pixelSize(), 24);
    EXPECT_TRUE(police.italic());
    EXPECT_EQ(d.Label1->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_FALSE(d.Timer1->isActive()) << "nothing ticks while the window is hidden";
    EXPECT_EQ(d.Timer1->timerType(), Qt::PreciseTimer);
    EXPECT_EQ(d.intervalle(), 2000);
    EXPECT_GT(d.restantMs(), 1500) << "the period runs from the window's creation";
    EXPECT_FALSE(d.isVisible());
}

// What a showing looks like from inside, and that the window is gone after.
// Centred on the screen: the frame is only known once the window has been
// shown (a window manager adds it), so the second showing is the exact one.
TEST(Attente, PendantLaPauseFenetreModaleCentreeAvecSonTexte) {
    TDELAI d;
    for (int fois = 1; fois <= 2; ++fois) {
        SCOPED_TRACE(fois);
        bool vu = false;
        QTimer::singleShot(30, &d, [&] {
            vu = true;
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(QApplication::activeModalWidget(), &d);
            EXPECT_EQ(d.windowModality(), Qt::ApplicationModal);
            EXPECT_EQ(d.windowTitle(), QStringLiteral("CHUT !!! "));
            EXPECT_EQ(d.Label1->text(), QStringLiteral("Je réfléchis..."));
            const QPoint ecart = d.frameGeometry().center() - d.screen()->availableGeometry().center();
            EXPECT_LE(ecart.manhattanLength(), fois == 1 ? 30 : 2);
            d.close();
        });
        d.PauseDELAI(QStringLiteral("CHUT !!! "), QStringLiteral("Je réfléchis..."), 2000);
        EXPECT_TRUE(vu);
        EXPECT_FALSE(d.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST(Attente, UnTexteTropLargeAgranditLeLibelle) {
    TDELAI d;
    const QString texte = QStringLiteral("Les dés roulent encore");
    QTimer::singleShot(0, &d, [&] { d.close(); });
    d.PauseDELAI(QStringLiteral(" "), texte, 2000);
    EXPECT_EQ(d.Label1->pos(), QPoint(32, 16));
    EXPECT_GE(d.Label1->width(), QFontMetrics(d.Label1->font()).horizontalAdvance(texte));
}

// During a pause the other windows take no input; once it returns they do.
// The clicks go through the window system, as real ones would.
TEST(Attente, LesAutresFenetresRefusentLesClicsPendantLaPause) {
    TDELAI d;
    QPushButton autre(QStringLiteral("autre"));
    autre.setGeometry(50, 50, 100, 30);
    autre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&autre));
    int clics = 0;
    QObject::connect(&autre, &QPushButton::clicked, [&] { ++clics; });
    auto cliquer = [&] { QTest::mouseClick(autre.windowHandle(), Qt::LeftButton, {}, QPoint(50, 15)); };

    QTimer::singleShot(20, &d, cliquer);
    QTimer::singleShot(60, &d, [&] { d.close(); });
    d.PauseDELAI(QStringLiteral(" "), QStringLiteral("Les dés roulent"), 2000);
    EXPECT_EQ(clics, 0);

    cliquer();  // the same click after the pause does reach the button
    EXPECT_EQ(clics, 1);
}

// The firing that ends a showing must find the window still up and modal:
// hiding it there would let a click queued behind the firing reach the main
// window while the handler that paused is still running.
TEST(Attente, LaFenetreResteModaleJusquAuRetourDeLaBoucle) {
    TDELAI d;
    bool visibleALaFin = false, modaleALaFin = false;
    QObject::connect(d.Timer1, &QTimer::timeout, &d, [&] {  // after Timer1Timer
        visibleALaFin = d.isVisible();
        modaleALaFin = QApplication::activeModalWidget() == &d;
    });
    d.PauseDELAI(QStringLiteral(" "), QStringLiteral("Les dés roulent"), 40);
    EXPECT_TRUE(visibleALaFin);
    EXPECT_TRUE(modaleALaFin);
    EXPECT_FALSE(d.isVisible());
}

// Close box, Escape and close(): the caller goes on at once, the window is
// hidden, and the period goes on where it was.
TEST(Attente, FermerTermineLaPauseAussitot) {
    struct Cas {
        const char *nom;
        std::function<void(TDELAI &)> fermer;
    };
    const Cas cas[] = {
        {"case de fermeture", fermerParLaCase},
        {"Echap", [](TDELAI &d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close()", [](TDELAI &d) { d.close(); }},
    };
    for (const Cas &c : cas) {
        SCOPED_TRACE(c.nom);
        TDELAI d;
        qint64 maintenant = 0;
        d.remplacerHorloge([&] { return maintenant; });
        QTimer::singleShot(100, &d, [&] {
            maintenant = 100'000'000;
            c.fermer(d);
        });
        const qint64 ms = duree(d, 2000);
        EXPECT_GE(ms, 95);
        EXPECT_LT(ms, 1500) << "ended by its timer, not by the close";
        EXPECT_FALSE(d.isVisible());
        EXPECT_FALSE(d.Timer1->isActive());
        EXPECT_EQ(d.intervalle(), 2000);
        EXPECT_EQ(d.restantMs(), 1900);
    }
}

namespace {

// Shows the window on the window's own clock set to `maintenantMs`, closes it
// as soon as it is up, and gives the time Timer1 was set for: where the
// showing would have ended.
int finPrevue(TDELAI &d, qint64 &maintenantNs, double maintenantMs, int intervalleMs) {
    maintenantNs = std::llround(maintenantMs * 1e6);
    QTimer::singleShot(0, &d, [&d] { d.close(); });
    d.PauseDELAI(QStringLiteral(" "), QStringLiteral("Les dés roulent"), intervalleMs);
    return d.Timer1->interval();
}

}  // namespace

// Where each showing ends, on the period: a new interval restarts it, so the
// showing lasts a whole one; the same interval leaves it alone, so a roll's
// later steps each last what is left of the period after the dice are drawn;
// firings of the period while the window is hidden change nothing.
TEST(Attente, ChaqueMontreeFinitAuTopSuivantDeLaPeriode) {
    TDELAI d;
    qint64 maintenant = 0;
    d.remplacerHorloge([&] { return maintenant; });
    const struct {
        double appelMs;  // on the window's clock, from its creation
        int intervalle, fin;
        const char *quoi;
    } pas[] = {
        {10, 500, 500, "premier pas d'un lancer (2000 -> 500) : période pleine"},
        {513, 500, 497, "deuxième pas, 3 ms après le top"},
        {1000, 500, 10, "troisième pas, en retard"},
        {1510, 500, 500, "pas qui commence juste sur un top : période pleine"},
        {2004, 2000, 2000, "réflexion de l'ordinateur (500 -> 2000)"},
        {4004, 500, 500, "premier pas du lancer suivant (2000 -> 500)"},
        {5854, 500, 150, "350 ms après un top, trois tops cachés plus tard"},
        {6500, 500, 4, "même intervalle : la période ne repart pas"},
        {7003.6, 500, 1, "0,4 ms avant un top : le temps restant arrondi au-dessus, jamais fini avant le top"},
    };
    for (const auto &p : pas) {
        SCOPED_TRACE(p.quoi);
        EXPECT_EQ(finPrevue(d, maintenant, p.appelMs, p.intervalle), p.fin);
        EXPECT_EQ(d.intervalle(), p.intervalle);
    }
}

// A firing that comes before the due time on the window's clock (Windows'
// timers may) is put off to that time, instead of ending the showing early.
TEST(Attente, UnTopEnAvanceNeFinitPasLaMontree) {
    TDELAI d;
    qint64 maintenant = 0;
    d.remplacerHorloge([&] { return maintenant; });
    bool encoreMontree = false;
    int reArme = -1;
    QTimer::singleShot(0, &d, [&] {
        maintenant = 499'700'000;  // 0.3 ms before the end of the period
        d.Timer1Timer();
        encoreMontree = d.enPause() && d.isVisible();
        reArme = d.Timer1->isActive() ? d.Timer1->interval() : -1;
        maintenant = 500'000'000;
        d.Timer1Timer();
    });
    d.PauseDELAI(QStringLiteral(" "), QStringLiteral("Les dés roulent"), 500);
    EXPECT_TRUE(encoreMontree);
    EXPECT_EQ(reArme, 1);
    EXPECT_FALSE(d.enPause());
}

// Real time: nothing ticks while the window is hidden, and a showing ends on
// its timer, not before. How late it may end on a loaded machine is the
// bench's business, so the upper bound only tells a step from a period of 2 s.
TEST(Attente, TempsReel_RienNeBatCacheEtLaMontreeDureSonTemps) {
    TDELAI d;
    duree(d, 100);  // now in step with a 100 ms period, hidden
    int tops = 0;
    QObject::connect(d.Timer1, &QTimer::timeout, &d, [&] { ++tops; });
    QTest::qWait(350);  // firings of the period while hidden: none may be seen
    EXPECT_EQ(tops, 0);
    EXPECT_FALSE(d.isVisible());
    const qint64 ms = duree(d, 500);  // a new interval: a whole period
    EXPECT_EQ(tops, 1);
    EXPECT_GE(ms, 499);
    EXPECT_LT(ms, 1500);
    EXPECT_FALSE(d.isVisible());
}

// The game's tests replace the showing: no window, no wait, the calls kept.
TEST(Attente, PauseRemplaceeNeMontreRienEtNAttendPas) {
    struct Appel {
        QString legende, texte;
        int ms;
    };
    QList<Appel> appels;
    TDELAI d;
    d.remplacerPause([&](const QString &l, const QString &t, int ms) {
        EXPECT_FALSE(d.isVisible());
        appels.append({l, t, ms});
    });
    ASSERT_TRUE(d.pauseRemplacee());
    QElapsedTimer chrono;
    chrono.start();
    for (int i = 0; i < 5; ++i) d.PauseDELAI(QStringLiteral(" "), QStringLiteral("Les dés roulent"), 500);
    d.PauseDELAI(QStringLiteral("CHUT !!! "), QStringLiteral("Je réfléchis..."), 2000);
    EXPECT_LT(chrono.elapsed(), 400) << "a real pause lasts 500 ms";
    ASSERT_EQ(appels.size(), 6);
    EXPECT_EQ(appels[4].ms, 500);
    EXPECT_EQ(appels[5].legende, QStringLiteral("CHUT !!! "));
    EXPECT_EQ(appels[5].texte, QStringLiteral("Je réfléchis..."));
    EXPECT_EQ(appels[5].ms, 2000);
    EXPECT_EQ(d.intervalle(), 2000);  // the real window was not touched

    // An empty function puts the real window back.
    d.remplacerPause({});
    bool montree = false;
    QTimer::singleShot(20, &d, [&] { montree = d.isVisible(); d.close(); });
    d.PauseDELAI(QStringLiteral(" "), QStringLiteral("x"), 2000);
    EXPECT_TRUE(montree);
    EXPECT_EQ(appels.size(), 6);
}
