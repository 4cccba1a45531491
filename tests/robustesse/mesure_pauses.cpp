// SPDX-License-Identifier: GPL-3.0-or-later
// The real pause window timed against the game's schedule: two rolls of five
// 500 ms steps, each followed by the computer's 2000 ms thinking pause. Each
// showing must end within 5 ms of its due time. Run by bench/mesurer.sh, not
// by CTest: a loaded machine would fail it for reasons not ours.
#include "Attente.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cstdio>

TEST(PrecisionPauses, ChaquePauseFinitAMoinsDeCinqMillisecondesDeSonEcheance) {
    TDELAI d;
    struct Pause { const char *legende, *texte; int ms; };
    const Pause roule{" ", "Les dés roulent", 500}, reflechit{"CHUT !!! ", "Je réfléchis...", 2000};
    QList<Pause> suite;
    for (int tour = 0; tour < 2; ++tour) {
        for (int pas = 0; pas < 5; ++pas) suite << roule;
        suite << reflechit;
    }
    // Every showing here starts right after the firing that ended the one
    // before, or after a change of interval: each lasts one whole interval.
    double pire = 0;
    int numero = 0;
    for (const Pause &p : suite) {
        QElapsedTimer t;
        t.start();
        d.PauseDELAI(QString::fromUtf8(p.legende), QString::fromUtf8(p.texte), p.ms);
        const double mesure = double(t.nsecsElapsed()) / 1e6;
        const double ecart = mesure - p.ms;
        pire = qMax(pire, qAbs(ecart));
        std::printf("pause %2d  prévue %4d ms  mesurée %8.2f ms  écart %+6.2f ms\n", ++numero, p.ms, mesure, ecart);
        EXPECT_LE(qAbs(ecart), 5.0) << "pause " << numero;
    }
    std::printf("pire écart %.2f ms\n", pire);
}
