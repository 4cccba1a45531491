// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader says of the game. Orca speaks a control when it takes
// the focus, with its description, and a notification when it shows; it says
// nothing of a change elsewhere. So the throw lives in the descriptions of the
// two buttons (read when the focus comes back after a roll), a die says whether
// it is held, and each event of the game is told by a notification.
#include <QAccessible>
#include <QObject>
#include <QString>
#include <array>

class AccessibleAnnonce;
class QWidget;
class TFicheYams;

class LecteurEcran : public QObject {
public:
    explicit LecteurEcran(TFicheYams *fenetre);
    ~LecteurEcran() override;

    // Something shown changed: a die's face or marker, a caption, the sheet.
    void faceMontree(int de, int face);
    void actualiser();
    // A cell was written: a score recorded is told at the hand-over.
    void celluleEcrite(int colonne, int ligne, const QString &texte);
    // The label names the player to play: after a recording, the hand-over is told.
    void joueurNomme();
    // The pause window is about to show with this text, and has closed.
    void pause(const QString &texte, QWidget *fenetrePause);
    void pauseFinie(const QString &texte);
    // The player's roll took place: its faces are told.
    void lancerFini();
    // The menu "Nouvelle partie" opened (and reset the game), a kind of game
    // was chosen in it, the names are known.
    void menuOuvert(bool partieEnCours);
    void partieChoisie();
    void partieCommencee();
    // Something was played before the first roll: nothing happens, and it says why.
    void rienAJouer();
    // True once a roll or a score has been made since the last reset.
    bool partieEngagee() const;

    // The throw as said: "5, 4, 5, 2, 5, gardés 1, 3"; empty between turns.
    QString jet() const;
    // The last message told, for the tests.
    QString derniereAnnonce() const;

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;

private:
    bool tourOrdi() const;
    bool masquerActivation(QObject *objet, QEvent *evenement);
    void annoncerGarde();
    void dire(const QString &texte);
    void direApresRetour(const QString &texte);
    void decrire(QWidget *w, const QString &texte);
    QString descriptionBase(QWidget *w) const;
    QString faces() const;
    QString resultat() const;
    QWidget *suivant(QWidget *w, bool avant) const;

    TFicheYams *f_;
    AccessibleAnnonce *annonce_;
    QAccessible::Id idAnnonce_;
    std::array<int, 6> faces_{0, 1, 2, 3, 4, 5};  // what each die shows
    std::array<bool, 6> gardes_{};                // the holds last described
    int gardeAnnoncee_ = 0;                       // a die whose hold is to be told
    QString marqueEnAttente_;                     // the recording not yet told
    QString pourOrdi_;                            // told when the computer's turn starts
    int colonneMarquee_ = 0;
    QString apresRetour_;                         // said when the window is active again
    QString jetOrdi_;                             // the computer's throw, told with what it does of it
    bool roule_ = false;                          // a roll is under way: no throw to describe
    bool partieEffacee_ = false;                  // the menu reset a game in progress
    QWidget *fenetrePause_ = nullptr;             // its (de)activations are kept from the reader
    bool retourMasque_ = false;                   // the main window's activation coming back from it
    bool finMasque_ = false;
    QObject *filtreActivations_ = nullptr;
};
