// SPDX-License-Identifier: GPL-3.0-or-later
#include "Attente.h"

#include "Centrage.h"

#include "systeme/Couleurs.h"
#include "systeme/Plateforme.h"
#include "systeme/Polices.h"

#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {
constexpr int LargeurClient = 222;
constexpr int HauteurClient = 65;
constexpr int LargeurTexte = 161;
}  // namespace

TDELAI::TDELAI(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Label1(new QLabel(this)),
      Timer1(new QTimer(this)),
      cacher_(new QTimer(this)) {
    setObjectName(QStringLiteral("DELAI"));
    setFixedSize(LargeurClient, HauteurClient);
    setSizeGripEnabled(false);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(police("Liberation Sans", 24, StylePolice::Italique));
    colorer(Label1, QPalette::WindowText, Qt::black);
    Label1->setGeometry(32, 16, LargeurTexte, 29);

    // A coarse timer moves firings by up to 5 %, which the 500 ms steps show.
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setTimerType(Qt::PreciseTimer);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TDELAI::Timer1Timer);
    horloge_.start();  // the period of 2000 ms starts with the window

    garderEntrePauses_ = fenetresPlaceesParLeSysteme();
    cacher_->setSingleShot(true);
    cacher_->setInterval(0);
    connect(cacher_, &QTimer::timeout, this, &QWidget::hide);

    // The native window now, so that the first showing costs no more than the
    // others. create(), not winId(): winId() would make every sibling native
    // too, the main window's menu bar and central area among them.
    create();
    ensurePolished();
    Label1->ensurePolished();
}

void TDELAI::changerIntervalle(int intervalleMs, qint64 maintenantNs) {
    if (intervalleMs == intervalle_) return;
    intervalle_ = qMax(1, intervalleMs);
    origineNs_ = maintenantNs;
}

// A showing that starts right on a firing lasts a whole period.
qint64 TDELAI::restantNs(qint64 maintenantNs) const {
    const qint64 periode = qint64(intervalle_) * 1'000'000;
    return periode - (maintenantNs - origineNs_) % periode;
}

void TDELAI::PauseDELAI(const QString &legende, const QString &texte, int intervalleMs) {
    if (remplacement_) {
        remplacement_(legende, texte, intervalleMs);
        return;
    }
    if (boucle_) return;  // already showing: modality makes this unreachable from input

    // The due time is fixed by the call, not by how long showing the window takes.
    const qint64 appelNs = maintenantNs();
    changerIntervalle(intervalleMs, appelNs);
    echeanceNs_ = appelNs + restantNs(appelNs);

    setWindowTitle(legende);
    Label1->setText(texte);
    Label1->resize(qMax(LargeurTexte, Label1->sizeHint().width()), Label1->height());

    cacher_->stop();  // still shown from the pause before: it stays where it is
    if (windowModality() != Qt::ApplicationModal) setWindowModality(Qt::ApplicationModal);
    if (!isVisible()) centrerSurEcran(this);
    setResult(0);
    fermeeParLUtilisateur_ = false;
    show();

    QEventLoop boucle;
    boucle_ = &boucle;
    armerTimer1();
    boucle.exec(QEventLoop::DialogExec);
    boucle_ = nullptr;
    Timer1->stop();  // ended by the user: nothing ticks while hidden
    // Hiding only now keeps the window modal until the loop has returned: a
    // click queued while the timer fired is then refused, instead of reaching
    // the main window inside the handler that called us.
    if (garderEntrePauses_ && !fermeeParLUtilisateur_)
        cacher_->start();  // by the event loop that comes next, unless a pause comes first
    else
        hide();
}

// Rounded up: a showing that ended a hair before its firing would let the
// next one start before that firing, and last only the hair.
void TDELAI::armerTimer1() {
    const qint64 resteNs = echeanceNs_ - maintenantNs();
    Timer1->start(int(qMax<qint64>(0, (resteNs + 999'999) / 1'000'000)));
}

// Windows' timers may fire a little before their time on our clock; ending
// the showing there would make the next one last only what is left of the
// period (a roll's step of a millisecond). Such a firing waits for the time.
void TDELAI::Timer1Timer() {
    if (!boucle_) return;
    if (maintenantNs() < echeanceNs_) {
        armerTimer1();
        return;
    }
    boucle_->quit();
}

void TDELAI::done(int resultat) {
    if (boucle_) {
        setResult(resultat);
        fermeeParLUtilisateur_ = true;
        boucle_->quit();
    } else {
        QDialog::done(resultat);
    }
}

void TDELAI::changeEvent(QEvent *evenement) {
    QDialog::changeEvent(evenement);
    if (evenement->type() == QEvent::WindowStateChange && isMinimized())
        QTimer::singleShot(0, this, &TDELAI::refuserReduction);  // the owner's state may come after ours
}

void TDELAI::refuserReduction() {
    if (!isVisible()) return;
    QWidget *proprietaire = parentWidget() ? parentWidget()->window() : nullptr;
    if (proprietaire && proprietaire->isMinimized())
        proprietaire->setWindowState(proprietaire->windowState() & ~Qt::WindowMinimized);
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
}
