// SPDX-License-Identifier: GPL-3.0-or-later
// The about box: its controls as drawn, and its modal showing.
#include "Apropos.h"
#include "ImageEtiree.h"
#include "PiloteModal.h"
#include "RouteurAide.h"

#include <QFile>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct Place {
    const char *nom;
    QRect geometrie;
    const char *parent;
};

TEST(Apropos, PlacesDesControles) {
    TAboutBox boite;
    EXPECT_EQ(boite.windowTitle(), QStringLiteral("A propos"));
    EXPECT_EQ(boite.size(), QSize(298, 213));
    EXPECT_EQ(boite.minimumSize(), boite.maximumSize()); // cannot be resized
    const Place places[] = {
        {"Panel1", QRect(8, 8, 281, 161), "AboutBox"},
        {"ProgramIcon", QRect(8, 16, 49, 41), "Panel1"},
        {"ProductName", QRect(80, 16, 80, 23), "Panel1"},
        {"Version", QRect(188, 20, 64, 15), "Panel1"},
        {"OKButton", QRect(111, 180, 75, 25), "AboutBox"},
    };
    for (const Place &p : places) {
        SCOPED_TRACE(p.nom);
        auto *w = boite.findChild<QWidget *>(QString::fromLatin1(p.nom));
        ASSERT_NE(w, nullptr);
        // Labels may grow to the right to show their whole text, nothing else moves.
        EXPECT_EQ(w->pos(), p.geometrie.topLeft());
        EXPECT_EQ(w->height(), p.geometrie.height());
        if (qobject_cast<QLabel *>(w) && w != boite.ProgramIcon) {
            EXPECT_GE(w->width(), p.geometrie.width());
            EXPECT_LE(w->width(), p.geometrie.width() + 3);
        } else {
            EXPECT_EQ(w->width(), p.geometrie.width());
        }
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(p.parent));
    }
}

struct Texte {
    const char *nom;
    const char *texte;
    const char *famille;
    int pixels;
    bool gras;
    QColor couleur;
};

TEST(Apropos, TextesPolicesEtCouleurs) {
    TAboutBox boite;
    boite.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));
    const QImage image = boite.grab().toImage();
    const Texte textes[] = {
        {"ProductName", "KUBRIX", "Liberation Serif", 21, false, QColor(255, 255, 0)},
        {"Version", "Version 3.0", "Liberation Serif", 13, true, QColor(0, 0, 0)},
    };
    for (const Texte &t : textes) {
        SCOPED_TRACE(t.nom);
        auto *etiquette = boite.findChild<QLabel *>(QString::fromLatin1(t.nom));
        ASSERT_NE(etiquette, nullptr);
        EXPECT_EQ(etiquette->text(), QString::fromUtf8(t.texte));
        const QFontInfo info(etiquette->font());
        EXPECT_EQ(info.family(), QString::fromLatin1(t.famille));
        EXPECT_EQ(info.pixelSize(), t.pixels);
        EXPECT_EQ(info.bold(), t.gras);
        EXPECT_FALSE(info.italic());
        EXPECT_LE(etiquette->sizeHint().width(), etiquette->width()); // the whole text shows
        // Drawn in its colour although the panel is disabled: count its pixels in the box's picture.
        const QRect zone(etiquette->mapTo(&boite, QPoint(0, 0)), etiquette->size());
        int pixels = 0;
        for (int y = zone.top(); y <= zone.bottom(); ++y)
            for (int x = zone.left(); x <= zone.right(); ++x) pixels += image.pixelColor(x, y) == t.couleur;
        EXPECT_GT(pixels, 30);
    }
    const QFontInfo boiteInfo(boite.font());
    EXPECT_EQ(boiteInfo.family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(boiteInfo.pixelSize(), 11);
    EXPECT_EQ(QFontInfo(boite.OKButton->font()).pixelSize(), 11);
    EXPECT_EQ(boite.OKButton->text(), QStringLiteral("OK"));
}

TEST(Apropos, PanneauDesactiveEtBiseaute) {
    TAboutBox boite;
    boite.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));
    EXPECT_FALSE(boite.Panel1->isEnabled());
    for (QWidget *w : {static_cast<QWidget *>(boite.ProgramIcon), static_cast<QWidget *>(boite.ProductName),
                       static_cast<QWidget *>(boite.Version)})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    // Etched edge: a dark line then a light one along the top, the reverse at the bottom.
    const QImage image = boite.grab().toImage();
    const QPalette pal = boite.palette();
    const int x = 8 + 140;
    EXPECT_EQ(image.pixelColor(x, 8), pal.color(QPalette::Disabled, QPalette::Dark));
    EXPECT_EQ(image.pixelColor(x, 9), pal.color(QPalette::Disabled, QPalette::Light));
    EXPECT_EQ(image.pixelColor(x, 8 + 161 - 2), pal.color(QPalette::Disabled, QPalette::Dark));
    EXPECT_EQ(image.pixelColor(x, 8 + 161 - 1), pal.color(QPalette::Disabled, QPalette::Light));
    // Inside: the dialog's own colour.
    EXPECT_EQ(image.pixelColor(x, 120), image.pixelColor(4, 120));
}

TEST(Apropos, IconeDuProgrammeEtireeEtPasGrisee) {
    if (!QFile::exists(QStringLiteral(":/images/icone.png"))) GTEST_SKIP() << "pas d'icône dans les ressources";
    const QImage source = QImage(QStringLiteral(":/images/icone.png")).convertToFormat(QImage::Format_ARGB32);
    TAboutBox boite;
    boite.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&boite));
    const QImage icone = boite.ProgramIcon->grab().toImage();
    ASSERT_EQ(icone.size(), QSize(49, 41));
    // The darkest pixel of the picture (a pip) stays as dark in the box: the disabled panel greys nothing.
    auto plusSombre = [](const QImage &im) {
        int min = 255;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                if (qAlpha(im.pixel(x, y)) == 255) min = qMin(min, qGray(im.pixel(x, y)));
        return min;
    };
    EXPECT_LE(plusSombre(icone), plusSombre(source) + 24);
    // Stretched over the whole control, not a 32 x 32 picture in its corner.
    auto colonneDessinee = [&](int x) {
        for (int y = 0; y < icone.height(); ++y)
            if (icone.pixelColor(x, y) != boite.palette().color(QPalette::Window)) return true;
        return false;
    };
    EXPECT_TRUE(colonneDessinee(44) || colonneDessinee(46));
}

TEST(Apropos, AideContexte3) {
    TAboutBox boite;
    EXPECT_EQ(RouteurAide::contexteDe(boite.OKButton), RouteurAide::ContexteNouvellePartie);
}

// ---------------------------------------------------------------- modal showing

enum class Fermeture { ClicOk, Entree, Echap, CaseFermeture };

TEST(Apropos, MontreeModalementCentreeEtFermee) {
    const struct {
        const char *nom;
        Fermeture fermeture;
        int resultat;
    } cas[] = {{"clic sur OK", Fermeture::ClicOk, QDialog::Accepted},
               {"Entrée", Fermeture::Entree, QDialog::Accepted},
               {"Échap", Fermeture::Echap, QDialog::Rejected},
               {"case de fermeture", Fermeture::CaseFermeture, QDialog::Rejected}};
    QMainWindow fenetre;
    fenetre.resize(300, 200);
    fenetre.move(0, 0);
    fenetre.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenetre));
    auto *sonde = new QPushButton(QStringLiteral("sonde"), &fenetre);
    sonde->setGeometry(0, 0, 60, 40);
    sonde->show();
    int clics = 0;
    QObject::connect(sonde, &QPushButton::clicked, [&clics] { ++clics; });
    QTest::mouseClick(fenetre.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    ASSERT_EQ(clics, 1); // the probe works while no box is up
    TAboutBox boite(&fenetre); // created once and reused, as the game does
    for (const auto &c : cas) {
        SCOPED_TRACE(c.nom);
        bool modale = false, fenetreBloquee = false;
        QPoint ecart;
        PiloteModal pilote([&](QWidget *w) { return w == &boite; },
                           [&](QWidget *w) {
                               modale = QApplication::activeModalWidget() == w &&
                                        boite.windowModality() == Qt::ApplicationModal;
                               const QRect zone = boite.screen()->availableGeometry();
                               ecart = boite.frameGeometry().center() - zone.center();
                               // The main window takes no click while the box is up.
                               const int avant = clics;
                               QTest::mouseClick(fenetre.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
                               fenetreBloquee = clics == avant;
                               switch (c.fermeture) {
                               case Fermeture::ClicOk:
                                   QTest::mouseClick(boite.windowHandle(), Qt::LeftButton, {},
                                                     boite.OKButton->geometry().center());
                                   break;
                               case Fermeture::Entree: QTest::keyClick(boite.windowHandle(), Qt::Key_Return); break;
                               case Fermeture::Echap: QTest::keyClick(boite.windowHandle(), Qt::Key_Escape); break;
                               case Fermeture::CaseFermeture: boite.close(); break;
                               }
                           },
                           1, 5000);
        EXPECT_EQ(boite.exec(), c.resultat);
        EXPECT_FALSE(pilote.tempsEcoule);
        EXPECT_TRUE(modale);
        EXPECT_TRUE(fenetreBloquee);
        EXPECT_LE(std::abs(ecart.x()), 1);
        EXPECT_LE(std::abs(ecart.y()), 1);
        EXPECT_FALSE(boite.isVisible());
    }
}

} // namespace
