// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives the real window with random input: clicks of any button anywhere on
// the window and its dialogs, menu openings and commands, keys, random names.
// Each event is scheduled before the previous one runs, so that the next one
// reaches whatever modal window that one opened (its own loop runs it). After
// every event the game's state is checked against its invariants.
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <map>
#include <random>

class TFicheYams;
class QWidget;

class PiloteAleatoire : public QObject {
public:
    PiloteAleatoire(TFicheYams &fenetre, std::uint64_t graine);
    ~PiloteAleatoire() override;

    // Sends `nombre` events, then closes every dialog left open and returns.
    void jouer(long long nombre);

    long long evenements = 0;         // events sent
    long long verifications = 0;      // invariant checks made
    long long fautesTotal = 0;        // broken invariants found, all checks together
    QStringList fautes;               // the first ones, with the event that led there
    int rempliesMax = 0;              // most recordings seen in one game
    long long partiesFinies = 0;      // games that reached their 26th recording
    long long annonces = 0;           // end-of-game announcements shown
    long long fermeturesFenetre = 0;  // "Quitter" or the close box: the window was shown again
    std::map<QString, long long> parGenre;  // events by kind
    std::atomic<long long> progres{0};      // read by the watchdog thread

    // Random text of every kind the name fields may meet.
    static QString nomAleatoire(std::mt19937_64 &alea);

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    void etape();
    void fermerTout();
    void verifier(const QString &apres);
    QWidget *fenetreCible();

    void clicAleatoire(QWidget *fenetre);
    void toucheAleatoire(QWidget *fenetre);
    void ouvrirMenu();
    void commandeDeMenu(QWidget *menu);
    void remplirNoms(QWidget *dialogue);

    TFicheYams &f_;
    std::mt19937_64 alea_;
    long long restants_ = 0;
    // QTest processes events after each one it sends, which would run the
    // next step inside this one, under a window that may be going away: a
    // step runs nested only in an event loop that this one entered (a modal
    // window's), otherwise it waits for the next turn of the loop.
    int profondeur_ = 0;
    int niveauCourant_ = -1;
    bool fini_ = false;
    const bool journal_ = qEnvironmentVariableIsSet("KUBRIX_JOURNAL");  // each event on stderr
    class QEventLoop *boucle_ = nullptr;

    // What the last check saw: filled cells must keep their text until a new game.
    int rempliesAvant_ = 0;
    QStringList cellulesAvant_;
    long long annoncesDeLaPartie_ = 0;
    QString dernierEvenement_;
};
