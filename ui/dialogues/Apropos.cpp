// SPDX-License-Identifier: GPL-3.0-or-later
#include "Apropos.h"

#include "ImageEtiree.h"

#include "aide/RouteurAide.h"
#include "systeme/Centrage.h"
#include "systeme/Couleurs.h"
#include "systeme/ImagesNettes.h"
#include "systeme/Polices.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

// Labels size themselves to their text, never below the box drawn for them:
// the serif of the last "X" of "KUBRIX" reaches one pixel past 80.
void elargirAuTexte(QLabel *etiquette) {
    etiquette->resize(qMax(etiquette->width(), etiquette->sizeHint().width()), etiquette->height());
}

QPixmap iconeDuProgramme(qreal ratio) {
    QPixmap image = imageNette(QStringLiteral(":/images/icone.png"), ratio);
    if (image.isNull()) image = QApplication::windowIcon().pixmap(32, 32);
    return image;
}

} // namespace

TAboutBox::TAboutBox(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      Panel1(new QFrame(this)),
      ProgramIcon(new ImageEtiree(Panel1)),
      ProductName(new QLabel(QStringLiteral("KUBRIX"), Panel1)),
      Version(new QLabel(QStringLiteral("Version 3.0"), Panel1)),
      OKButton(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("A propos"));
    setFixedSize(298, 213);
    setFont(police("Liberation Sans", 11));
    setProperty(RouteurAide::ProprieteContexte, RouteurAide::ContexteNouvellePartie);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(8, 8, 281, 161);
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken); // lowered outer bevel, raised inner bevel
    Panel1->setLineWidth(1);
    Panel1->setMidLineWidth(0);
    Panel1->setEnabled(false); // nothing inside takes the focus or clicks

    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setGeometry(8, 16, 49, 41);
    ProgramIcon->definirImage(iconeDuProgramme(devicePixelRatioF()));

    ProductName->setObjectName(QStringLiteral("ProductName"));
    ProductName->setGeometry(80, 16, 80, 23);
    ProductName->setFont(police("Liberation Serif", 21));
    colorer(ProductName, QPalette::WindowText, QColor(255, 255, 0));  // kept when the panel is disabled
    elargirAuTexte(ProductName);

    Version->setObjectName(QStringLiteral("Version"));
    Version->setGeometry(188, 20, 64, 15);
    Version->setFont(police("Liberation Serif", 13, StylePolice::Grasse));
    colorer(Version, QPalette::WindowText, QColor(0, 0, 0));
    elargirAuTexte(Version);

    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    // Orca reads a dialog's labels only from three words up: the box says its
    // text through its description, which it reads when the box opens.
    setAccessibleDescription(ProductName->text() + QStringLiteral(", ") + Version->text());
}

void TAboutBox::showEvent(QShowEvent *evenement) {
    ProgramIcon->definirImage(iconeDuProgramme(devicePixelRatioF()));  // the screen's density is known now
    centrerSurEcran(this);
    QDialog::showEvent(evenement);
}
