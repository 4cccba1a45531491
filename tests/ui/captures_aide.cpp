// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the about box and of the help viewer at each topic, for the docs.
// Written only when KUBRIX_CAPTURES names a folder: KUBRIX_CAPTURES=docs ./tests_ui --gtest_filter=Captures.*
#include "Apropos.h"
#include "RouteurAide.h"
#include "VisionneuseAide.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString dossierCaptures() {
    return qEnvironmentVariable("KUBRIX_CAPTURES");
}

void enregistrer(QWidget *w, const QString &nom) {
    const QImage image = w->grab().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), w->size());
    const QString chemin = QDir(dossierCaptures()).filePath(nom);
    EXPECT_TRUE(image.save(chemin, "PNG")) << chemin.toStdString();
}

TEST(Captures, AproposEtAide) {
    if (dossierCaptures().isEmpty()) GTEST_SKIP() << "KUBRIX_CAPTURES n'est pas défini";
    ASSERT_TRUE(QDir().mkpath(dossierCaptures()));

    TAboutBox boite;
    boite.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));
    enregistrer(&boite, QStringLiteral("apropos.png"));
    boite.hide();

    QMainWindow fenetre;
    fenetre.show();
    RouteurAide routeur(&fenetre);
    routeur.definirDossiers({QStringLiteral(KUBRIX_AIDE)});
    for (int contexte = 0; contexte <= 3; ++contexte) {
        routeur.ouvrirAide(contexte);
        ASSERT_TRUE(routeur.visionneuse()->fichierAffiche());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(routeur.visionneuse()));
        enregistrer(routeur.visionneuse(), QStringLiteral("aide-ctx%1.png").arg(contexte));
    }
    QTemporaryDir vide;
    routeur.definirDossiers({vide.path()});
    routeur.ouvrirAide(2);
    enregistrer(routeur.visionneuse(), QStringLiteral("aide-absente.png"));
}

} // namespace
