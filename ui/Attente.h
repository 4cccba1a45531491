#pragma once
// The pause window: a small modal window that shows a caption and one line of
// text and ends itself at the next firing of its periodic timer. Rolls show it
// five times as their animation, the computer once after each of its rolls.
#include <QDialog>
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

    // True while PauseDELAI runs its loop.
    bool enPause() const { return boucle_ != nullptr; }

    QLabel *Label1;
    QTimer *Timer1;

public slots:
    // Ends the showing under way; a firing while hidden changes nothing.
    void Timer1Timer();

protected:
    // The close box, Escape and close() all come through here: end the pause
    // at once, but leave hiding to PauseDELAI (see there).
    void done(int resultat) override;

private:
    QEventLoop *boucle_ = nullptr;
    FonctionPause remplacement_;
};
