// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pause window: a small modal window that shows a caption and one line of
// text and ends itself at the next firing of its periodic timer. Rolls show it
// five times as their animation, the computer once after each of its rolls.
//
// The period runs from the window's creation to the end of the program, but
// nothing ticks while the window is hidden: the period's phase is kept as a
// time origin, and Timer1 is armed, once, only for the showing under way, up
// to the period's next firing.
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QString>
#include <QTimer>
#include <functional>

class QEventLoop;

class TDELAI : public QDialog {
    Q_OBJECT
public:
    // What PauseDELAI does instead of showing the window, when one is set:
    // the game's tests run whole games without waiting this way.
    using FonctionPause = std::function<void(const QString &legende, const QString &texte, int intervalleMs)>;

    explicit TDELAI(QWidget *parent = nullptr);

    // Shows the window modally until the next firing of Timer1 or a close by
    // the user, then hides it. Input to the other windows is refused all along.
    void PauseDELAI(const QString &legende, const QString &texte, int intervalleMs);

    // Replaces the showing by `f` (an empty function puts the window back).
    void remplacerPause(FonctionPause f) { remplacement_ = std::move(f); }
    bool pauseRemplacee() const { return static_cast<bool>(remplacement_); }

    // The period's clock: nanoseconds since the window's creation. The tests
    // set their own to check where a showing ends without waiting for it.
    using FonctionHorloge = std::function<qint64()>;
    void remplacerHorloge(FonctionHorloge f) { horlogeRemplacee_ = std::move(f); }

    // True while PauseDELAI runs its loop.
    bool enPause() const { return boucle_ != nullptr; }

    // Under X and Wayland the window manager or the compositor places the
    // window anew each time it is shown again (mutter one title bar higher
    // every other time), so there it stays shown from one PauseDELAI to the
    // next of the same handler (the five steps of a roll, ORDY's whole turn)
    // and is hidden once the program is back in its event loop. Between two
    // pauses no event is handled, and until that hiding it stays modal: the
    // other windows take no input all along. On by default on X and Wayland.
    void garderEntrePauses(bool garder) { garderEntrePauses_ = garder; }

    // The period (2000 ms at creation) and the time left to its next firing.
    int intervalle() const { return intervalle_; }
    qint64 restantMs() const { return (restantNs(maintenantNs()) + 500'000) / 1'000'000; }

    QLabel *Label1;
    QTimer *Timer1;

public slots:
    // Ends the showing under way; a firing while hidden changes nothing.
    void Timer1Timer();

protected:
    // The close box, Escape and close() all come through here: end the pause
    // at once, but leave hiding to PauseDELAI (see there).
    void done(int resultat) override;
    // A window manager that draws a minimise button anyway (kwin) takes the
    // main window away with the pause window: both come back at once.
    void changeEvent(QEvent *evenement) override;

private:
    // A different value restarts the period now; the same value leaves it alone.
    void changerIntervalle(int intervalleMs, qint64 maintenantNs);
    qint64 restantNs(qint64 maintenantNs) const;
    void armerTimer1();
    qint64 maintenantNs() const { return horlogeRemplacee_ ? horlogeRemplacee_() : horloge_.nsecsElapsed(); }
    void refuserReduction();
    void cacher();

    QEventLoop *boucle_ = nullptr;
    qint64 echeanceNs_ = 0;   // when the running showing ends, on horloge_
    FonctionPause remplacement_;
    QElapsedTimer horloge_;   // started at creation
    FonctionHorloge horlogeRemplacee_;
    qint64 origineNs_ = 0;    // start of the running period, on horloge_
    int intervalle_ = 2000;
    bool garderEntrePauses_ = false;
    bool rendreLaMain_ = false;  // minimised during this showing: activate the owner after it
    bool fermeeParLUtilisateur_ = false;
    QTimer *cacher_;  // the deferred hiding of garderEntrePauses
};
