// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChoixNom.h"

#include "Avertissement.h"

#include "systeme/Centrage.h"
#include "systeme/Couleurs.h"
#include "systeme/Polices.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "Noms.h"

QValidator::State TChNom::ValidateurMajuscules::validate(QString &texte, int &) const {
    for (QChar &c : texte) c = c.toUpper();
    return Acceptable;
}

TChNom::TChNom(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Bevel1(new QFrame(this)),
      Label1(new QLabel(QStringLiteral("Entrez le Nom du  premier joueur:"), this)),
      Nom1(new QLineEdit(this)),
      Label2(new QLabel(QStringLiteral("Entrez le Nom du second joueur:"), this)),
      Nom2(new QLineEdit(this)),
      OKBtn(new QPushButton(QStringLiteral("OK"), this)),
      CancelBtn(new QPushButton(QStringLiteral("Annuler"), this)) {
    setObjectName(QStringLiteral("ChNom"));
    setWindowTitle(QStringLiteral("Saisie du nom des joueurs"));
    setFixedSize(313, 214);
    setSizeGripEnabled(false);
    setFont(police("Liberation Sans", 11));

    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 297, 161);

    // The labels size themselves: at 16 px the first text is wider than the
    // 235 px it was laid out for, and a fixed box would clip it.
    const struct { QLabel *etiquette; QLineEdit *champ; const char *nomEtiquette, *nomChamp; int haut; } rangees[] = {
        {Label1, Nom1, "Label1", "Nom1", 24},
        {Label2, Nom2, "Label2", "Nom2", 96},
    };
    for (const auto &r : rangees) {
        r.etiquette->setObjectName(QLatin1String(r.nomEtiquette));
        r.etiquette->setFont(police("Liberation Sans", 16));
        colorer(r.etiquette, QPalette::WindowText, Qt::black);
        r.etiquette->move(32, r.haut);
        r.etiquette->adjustSize();
        r.champ->setObjectName(QLatin1String(r.nomChamp));
        r.champ->setFont(police("Liberation Sans", 16));
        colorer(r.champ, QPalette::Text, Qt::black);
        r.champ->setGeometry(32, r.haut + 24, 129, 28);
        r.champ->setValidator(new ValidateurMajuscules(r.champ));
        r.etiquette->setBuddy(r.champ);
        // Their names for a screen reader, without the colon that speech-dispatcher says aloud.
        r.etiquette->setAccessibleName(r.etiquette->text().remove(QLatin1Char(':')).simplified());
        r.champ->setAccessibleName(r.etiquette->accessibleName());
    }

    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(79, 180, 75, 25);
    OKBtn->setDefault(true);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(159, 180, 75, 25);
    CancelBtn->setAutoDefault(true);  // focused, it takes Enter: Enter on Annuler cancels

    setTabOrder(Nom1, Nom2);
    setTabOrder(Nom2, OKBtn);
    setTabOrder(OKBtn, CancelBtn);

    connect(OKBtn, &QPushButton::clicked, this, &TChNom::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TChNom::reject);  // Escape and the close box too
}

void TChNom::montrerSecondNom(bool visible) {
    Label2->setVisible(visible);
    Nom2->setVisible(visible);
}

ResultatNoms TChNom::demander(bool deuxJoueurs) {
    montrerSecondNom(deuxJoueurs);
    const bool ok = exec() == QDialog::Accepted;
    return {ok, Nom1->text().toStdString(), Nom2->text().toStdString()};
}

void TChNom::OKBtnClick() {
    setResult(QDialog::Accepted);
    // isVisibleTo: the dialog itself may be hidden while a test drives it.
    if (nomsAcceptables(Nom1->text().toStdString(), Nom2->text().toStdString(), Nom2->isVisibleTo(this))) {
        accept();
        return;
    }
    Bip();
    avertir(this, QString::fromUtf8(MessageNomsManquants.data(), qsizetype(MessageNomsManquants.size())));
    setResult(0);
}

void TChNom::Bip() { QApplication::beep(); }

void TChNom::setVisible(bool visible) {
    if (visible && !isVisible()) centrerSurEcran(this);
    QDialog::setVisible(visible);
}

void TChNom::showEvent(QShowEvent *evenement) {
    QDialog::showEvent(evenement);
    Nom1->setFocus(Qt::OtherFocusReason);
}

