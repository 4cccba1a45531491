// SPDX-License-Identifier: GPL-3.0-or-later
// Wayland: the platform asked for at start-up, and the pause window that
// stays in place through a roll where the compositor places every new window.
#include "Attente.h"
#include "Plateforme.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(Plateforme, XQuandLaSessionLOffreAussiEtQueRienNEstChoisi) {
    struct Cas {
        const char *qpa, *wayland, *session, *display, *attendu;
    } const cas[] = {
        {"", "wayland-0", "", ":0", "xcb;wayland"},     // Wayland with XWayland
        {"", "", "wayland", ":0", "xcb;wayland"},       // told by the session type alone
        {"wayland", "wayland-0", "", ":0", ""},         // the user's choice is kept
        {"", "wayland-0", "wayland", "", ""},           // Wayland alone
        {"", "", "x11", ":0", ""},                      // plain X: Qt takes it anyway
    };
    for (const Cas &c : cas)
        EXPECT_EQ(plateformeVoulue(c.qpa, c.wayland, c.session, c.display), QByteArray(c.attendu))
            << c.qpa << " / " << c.wayland << " / " << c.session << " / " << c.display;
}

namespace {
struct CompteurMontrees : QObject {
    int montrees = 0;
    bool eventFilter(QObject *, QEvent *e) override {
        montrees += e->type() == QEvent::Show;
        return false;
    }
};
}  // namespace

// Each new showing would be a new window that the compositor puts anywhere:
// the window is shown once for the pauses of one handler and stays modal
// between them, then hidden by the event loop; a close by the user hides it at once.
TEST(Plateforme, SousWaylandLaFenetreDAttenteResteMontreeDUnePauseALAutre) {
    TDELAI d;
    d.garderEntrePauses(true);
    CompteurMontrees compteur;
    d.installEventFilter(&compteur);
    for (int i = 0; i < 5; ++i) {
        d.PauseDELAI(QStringLiteral(" "), QStringLiteral("Les dés roulent"), 20);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(QApplication::activeModalWidget(), &d);
    }
    d.PauseDELAI(QStringLiteral("CHUT !!! "), QStringLiteral("Je réfléchis..."), 30);
    EXPECT_EQ(compteur.montrees, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible(); }, 10000));

    QTimer::singleShot(10, &d, [&] { d.close(); });
    d.PauseDELAI(QStringLiteral(" "), QStringLiteral("Les dés roulent"), 2000);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(compteur.montrees, 2);
}
