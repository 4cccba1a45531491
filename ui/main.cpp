// SPDX-License-Identifier: GPL-3.0-or-later
// KUBRIX: a game of Yams for one player against the computer or two players.
#include "accessibilite/AccessibleFabrique.h"
#include "dialogues/Apropos.h"
#include "dialogues/Attente.h"
#include "dialogues/ChoixNom.h"
#include "fenetre/yams1.h"
#include "systeme/ImagesNettes.h"
#include "systeme/Plateforme.h"
#include "systeme/Polices.h"
#include "systeme/PremiereImage.h"
#include "systeme/StyleJeu.h"
#include "systeme/TraductionQt.h"

#include <QApplication>

int main(int argc, char **argv) {
    choisirPlateforme();  // X rather than Wayland when both are there
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KUBRIX"));
    QApplication::setDesktopFileName(QStringLiteral("kubrix"));
    QApplication::setStyle(new StyleJeu);
    installerFabriqueAccessible();  // the sheet and the dice, as a screen reader sees them

    // Our own fonts, so that the look does not depend on the system's.
    chargerPolices();
    chargerTraductionQt();

    // The windows, created once, in this order; each lives for the whole run.
    // The dialogs come right after the main window's first frame, which
    // does not need them and so does not wait for them.
    TFicheYams FicheYams;
    apresPremiereImage(&FicheYams, [&FicheYams] {
        FicheYams.setWindowIcon(iconeToutesTailles());  // 32 px until then: the first frame needs no more
        auto *AboutBox = new TAboutBox(&FicheYams);
        auto *DELAI = new TDELAI(&FicheYams);
        auto *ChNom = new TChNom(&FicheYams);
        FicheYams.relier(AboutBox, DELAI, ChNom);
    });

    FicheYams.showMaximized();
    return QApplication::exec();
}
