// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The name dialog: asks the first player's name, and the second one's in a
// game of two. Created once and reused; its fields keep what was typed last.
// The controls are public, as the window's parts: their headers come along.
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include "Controles.h"

class TChNom : public QDialog {
    Q_OBJECT
public:
    explicit TChNom(QWidget *parent = nullptr);

    // Shows or hides Label2 and Nom2; a hidden second name is not required.
    void montrerSecondNom(bool visible);

    // Runs the dialog modally, asking one name or two. ok is true when it
    // closed by OK; the texts are those of the fields in either case.
    ResultatNoms demander(bool deuxJoueurs);

    // Centred on the screen at each opening, before it appears.
    void setVisible(bool visible) override;

    QFrame *Bevel1;
    QLabel *Label1;
    QLineEdit *Nom1;
    QLabel *Label2;
    QLineEdit *Nom2;
    QPushButton *OKBtn;
    QPushButton *CancelBtn;

    // Turns every character of a field into its capital, one QChar for one,
    // so that the length and the cursor stay where they were ("ß" stays "ß").
    // Typing, pasting, insert() and setText() all go through it.
    class ValidateurMajuscules : public QValidator {
    public:
        using QValidator::QValidator;
        State validate(QString &texte, int &position) const override;
    };

public slots:
    // OK, or Enter in a field: close with OK if the names are there, else
    // beep, warn and stay open with the texts as typed.
    void OKBtnClick();

protected:
    // The system's default beep; a seam for the tests, which cannot hear it.
    virtual void Bip();
    void showEvent(QShowEvent *evenement) override;

};
