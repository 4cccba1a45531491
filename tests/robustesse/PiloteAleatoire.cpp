// SPDX-License-Identifier: GPL-3.0-or-later
#include "PiloteAleatoire.h"

#include "ChoixNom.h"
#include "FeuilleGrille.h"
#include "ImageCliquable.h"
#include "Feuille.h"
#include "Invariants.h"
#include "yams1.h"

#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QWindow>

#include <cstdio>

namespace {

QString texteFenetre(QWidget *w) {
    return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char('"') + w->windowTitle() + QLatin1Char('"');
}

// Press and release apart: the press may close (and destroy) the window.
void cliquerFenetre(QWindow *fenetre, Qt::MouseButton bouton, QPoint p) {
    QPointer<QWindow> cible(fenetre);
    if (cible) QTest::mousePress(cible, bouton, {}, p);
    if (cible) QTest::mouseRelease(cible, bouton, {}, p);
}

}  // namespace

PiloteAleatoire::PiloteAleatoire(TFicheYams &fenetre, std::uint64_t graine) : f_(fenetre), alea_(graine) {
    qApp->installEventFilter(this);
    // The dice are drawn from a generator seeded from the clock: a clock of
    // our own keeps a run reproducible from its seed.
    f_.remplacementHorloge = [this] { return static_cast<std::int32_t>(alea_() % 86'400'000); };
}

PiloteAleatoire::~PiloteAleatoire() {
    qApp->removeEventFilter(this);
    f_.remplacementHorloge = nullptr;
}

bool PiloteAleatoire::eventFilter(QObject *objet, QEvent *evenement) {
    if (evenement->type() == QEvent::Show && objet->isWidgetType()) {
        auto *boite = qobject_cast<QMessageBox *>(objet);
        if (boite && boite->windowTitle() == QStringLiteral("Information")) {
            ++annonces;
            ++annoncesDeLaPartie_;
        }
    }
    return false;
}

void PiloteAleatoire::jouer(long long nombre) {
    restants_ = nombre;
    fini_ = false;
    QEventLoop boucle;
    boucle_ = &boucle;
    QTimer::singleShot(0, this, [this] { etape(); });
    boucle.exec();
    boucle_ = nullptr;
    verifier(QStringLiteral("la fin"));
}

QWidget *PiloteAleatoire::fenetreCible() {
    if (QWidget *p = QApplication::activePopupWidget()) return p;
    if (QWidget *m = QApplication::activeModalWidget()) return m;
    // Otherwise any visible window: the main one, or the help viewer.
    QList<QWidget *> fenetres;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible()) fenetres << w;
    if (fenetres.isEmpty() || (f_.isVisible() && alea_() % 5 != 0)) return &f_;
    return fenetres[static_cast<int>(alea_() % static_cast<std::uint64_t>(fenetres.size()))];
}

void PiloteAleatoire::etape() {
    if (restants_ <= 0) {
        if (!fini_) {
            fini_ = true;
            QTimer::singleShot(0, this, [this] { fermerTout(); });
        }
        return;
    }
    const int niveau = QThread::currentThread()->loopLevel();
    if (profondeur_ > 0 && (niveau <= niveauCourant_ || profondeur_ > 40)) {
        QTimer::singleShot(1, this, [this] { etape(); });
        return;
    }
    struct Sortie {
        PiloteAleatoire *p;
        int avant;
        ~Sortie() { --p->profondeur_; p->niveauCourant_ = avant; }
    } sortie{this, niveauCourant_};
    niveauCourant_ = niveau;
    ++profondeur_;

    // "Quitter" and the close box end the program; here the window comes back.
    if (!f_.isVisible()) {
        ++fermeturesFenetre;
        f_.showMaximized();
        f_.activateWindow();
    }
    verifier(dernierEvenement_);

    --restants_;
    ++evenements;
    progres.store(evenements);
    // Scheduled first: if this event opens a modal window, the next one runs in its loop.
    QTimer::singleShot(0, this, [this] { etape(); });

    QWidget *cible = fenetreCible();
    const QString nomCible = texteFenetre(cible);  // the action may destroy it
    if (journal_) std::fprintf(stderr, "%lld -> %s\n", evenements, qPrintable(nomCible));
    const int tirage = static_cast<int>(alea_() % 100);
    QString genre;
    if (qobject_cast<QMenu *>(cible) && tirage < 60) {
        genre = QStringLiteral("commande de menu");
        commandeDeMenu(cible);
    } else if (qobject_cast<TChNom *>(cible) && tirage < 40) {
        genre = QStringLiteral("noms tapés");
        remplirNoms(cible);
    } else if (tirage < 75) {
        genre = QStringLiteral("clic");
        clicAleatoire(cible);
    } else if (tirage < 99) {
        genre = QStringLiteral("touche");
        toucheAleatoire(cible);
    } else {
        genre = QStringLiteral("ouverture de menu");
        ouvrirMenu();
    }
    ++parGenre[genre];
    if (journal_) std::fprintf(stderr, "%lld %s %s\n", evenements, qPrintable(genre), qPrintable(nomCible));
    dernierEvenement_ = QStringLiteral("l'événement %1 (%2 sur %3)").arg(evenements).arg(genre, nomCible);
    verifier(dernierEvenement_);
}

void PiloteAleatoire::fermerTout() {
    QWidget *w = QApplication::activePopupWidget();
    if (!w) w = QApplication::activeModalWidget();
    if (w) {
        if (auto *boite = qobject_cast<QMessageBox *>(w)) boite->done(QMessageBox::Ok);
        else w->close();
        QTimer::singleShot(0, this, [this] { fermerTout(); });
        return;
    }
    if (boucle_) boucle_->quit();
}

void PiloteAleatoire::clicAleatoire(QWidget *fenetre) {
    static const Qt::MouseButton boutons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton, Qt::RightButton,
                                              Qt::MiddleButton};
    const Qt::MouseButton bouton = boutons[alea_() % 5];
    QPoint p;
    // Many clicks aim at the game's own controls, a game must reach its end.
    if (fenetre == &f_ && alea_() % 5 < 2) {
        QWidget *utiles[] = {f_.B_Lancer, f_.B_Lancer, f_.BtGrille, f_.de(static_cast<int>(1 + alea_() % 5)), f_.Grille, f_.Grille};
        QWidget *w = utiles[alea_() % 6];
        if (w->isVisible()) {
            const QPoint local(static_cast<int>(alea_() % static_cast<std::uint64_t>(w->width())),
                               static_cast<int>(alea_() % static_cast<std::uint64_t>(w->height())));
            cliquerFenetre(fenetre->windowHandle(), alea_() % 4 ? Qt::LeftButton : Qt::RightButton, w->mapTo(fenetre, local));
            return;
        }
    }
    // Half the other clicks aim at a visible control (the dice, the buttons, the
    // sheet's cells): pure chance would seldom finish a game.
    QList<QWidget *> enfants;
    for (QWidget *w : fenetre->findChildren<QWidget *>())
        if (w->isVisible() && w->window() == fenetre && w->width() > 0 && w->height() > 0) enfants << w;
    if (!enfants.isEmpty() && alea_() % 2 == 0) {
        QWidget *w = enfants[static_cast<int>(alea_() % static_cast<std::uint64_t>(enfants.size()))];
        const QPoint local(static_cast<int>(alea_() % static_cast<std::uint64_t>(w->width())),
                           static_cast<int>(alea_() % static_cast<std::uint64_t>(w->height())));
        // A control may reach beyond its window (a label with a very long name).
        p = w->mapTo(fenetre, local);
        p = QPoint(qBound(0, p.x(), fenetre->width() - 1), qBound(0, p.y(), fenetre->height() - 1));
    } else {
        p = QPoint(static_cast<int>(alea_() % static_cast<std::uint64_t>(qMax(1, fenetre->width()))),
                   static_cast<int>(alea_() % static_cast<std::uint64_t>(qMax(1, fenetre->height()))));
    }
    // Through the window system's path, so that modality blocks as for a user.
    cliquerFenetre(fenetre->windowHandle(), bouton, p);
}

void PiloteAleatoire::toucheAleatoire(QWidget *fenetre) {
    struct Touche { Qt::Key touche; Qt::KeyboardModifiers modificateurs; };
    static const Touche touches[] = {
        {Qt::Key_F1, {}},     {Qt::Key_Escape, {}}, {Qt::Key_Return, {}}, {Qt::Key_Enter, {}},
        {Qt::Key_Space, {}},  {Qt::Key_Tab, {}},    {Qt::Key_Tab, Qt::ShiftModifier},
        {Qt::Key_Left, {}},   {Qt::Key_Right, {}},  {Qt::Key_Up, {}},     {Qt::Key_Down, {}},
        {Qt::Key_N, Qt::AltModifier}, {Qt::Key_A, Qt::AltModifier}, {Qt::Key_Q, Qt::AltModifier},
        {Qt::Key_1, {}},      {Qt::Key_E, {}},      {Qt::Key_Backspace, {}}, {Qt::Key_F4, Qt::AltModifier},
    };
    const Touche *t = &touches[alea_() % (sizeof touches / sizeof touches[0])];
    if (t->touche == Qt::Key_N && alea_() % 4) t = &touches[2];  // a new game, but seldom: games must end
    // To the focused control of the window on top (the window system's key
    // path, driven synchronously by QTest, crashed inside Qt's shortcut
    // lookup when the key closed a popup menu).
    QPointer<QWidget> cible = QApplication::focusWidget();
    if (!cible || cible->window() != fenetre) cible = fenetre;
    // Press and release apart: the press may close (and destroy) the window.
    if (cible) QTest::keyPress(cible, t->touche, t->modificateurs);
    if (cible) QTest::keyRelease(cible, t->touche, t->modificateurs);
}

void PiloteAleatoire::ouvrirMenu() {
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        // A user cannot reach the menu bar now; the click is tried anyway.
        clicAleatoire(fenetreCible());
        return;
    }
    f_.activateWindow();
    QMenu *menu = alea_() % 3 ? f_.MenuAide : f_.MenuNouvelle;
    f_.MenuPrincipal->setActiveAction(menu->menuAction());  // runs aboutToShow, as a click does
}

void PiloteAleatoire::commandeDeMenu(QWidget *fenetre) {
    auto *menu = static_cast<QMenu *>(fenetre);
    QList<QAction *> actions;
    for (QAction *a : menu->actions())
        if (a->isVisible() && !a->isSeparator()) actions << a;
    if (actions.isEmpty() || !menu->windowHandle()) return;
    QAction *a = actions[static_cast<int>(alea_() % static_cast<std::uint64_t>(actions.size()))];
    cliquerFenetre(menu->windowHandle(), Qt::LeftButton, menu->actionGeometry(a).center());
}

void PiloteAleatoire::remplirNoms(QWidget *dialogue) {
    auto *d = static_cast<TChNom *>(dialogue);
    d->Nom1->setText(nomAleatoire(alea_));
    d->Nom2->setText(nomAleatoire(alea_));
    if (alea_() % 2) QTest::keyClicks(d->Nom1, QStringLiteral("e z"));  // typed keys go through QTest as ASCII only
}

QString PiloteAleatoire::nomAleatoire(std::mt19937_64 &alea) {
    static const QString morceaux[] = {
        QString(),
        QStringLiteral("   "),
        QStringLiteral("éloïse çà ÿ"),
        QStringLiteral("😀🎲👩‍👩‍👧"),
        QStringLiteral("שלום עולם"),
        QStringLiteral("مرحبا"),
        QStringLiteral("a\tb\nc\x01\x1b"),
        QStringLiteral("\u202Eorue\u202C"),
        QStringLiteral("ORDY"),
        QStringLiteral("straße ǆ ﬁ"),
    };
    switch (alea() % 4) {
    case 0: return morceaux[alea() % (sizeof morceaux / sizeof morceaux[0])];
    case 1: return QString(static_cast<int>(alea() % 10'001), QChar(u'A' + static_cast<char16_t>(alea() % 26)));
    default: {
        QString s;
        const int n = static_cast<int>(alea() % 40);
        for (int i = 0; i < n; ++i) {
            const auto &m = morceaux[alea() % (sizeof morceaux / sizeof morceaux[0])];
            s += m.isEmpty() ? QString(QChar(char16_t(1 + alea() % 0xD7FF))) : m;
        }
        return s;
    }
    }
}

void PiloteAleatoire::verifier(const QString &apres) {
    ++verifications;
    const EtatJeu &e = f_.jeu().etat();
    VueControles vue{f_.B_Lancer->text().toStdString(), f_.B_Lancer->isEnabled(), f_.EtiJoueur->text().toStdString()};
    QStringList ici;
    for (const auto &faute : verifierInvariants(e, f_, vue)) ici << QString::fromStdString(faute);

    const int remplies = lignesRemplies(f_, feuille::ColonneJoueur1) + lignesRemplies(f_, feuille::ColonneJoueur2);
    QStringList cellules;
    for (int k = feuille::ColonneJoueur1; k <= feuille::ColonneJoueur2; ++k)
        for (int l = 1; l <= 17; ++l)
            if (feuille::estLigneDeMarque(l)) cellules << QString::fromStdString(f_.texteCellule(k, l));

    if (remplies == 0) annoncesDeLaPartie_ = 0;  // a new game (or none yet)
    if (remplies > 26) ici << QStringLiteral("plus de 26 inscriptions");
    if (remplies < rempliesAvant_ && remplies != 0) ici << QStringLiteral("des inscriptions ont disparu sans nouvelle partie");
    if (remplies >= rempliesAvant_ && remplies - rempliesAvant_ > 2)
        ici << QStringLiteral("plus de deux inscriptions en un événement");
    if (remplies > 0 && remplies >= rempliesAvant_ && cellulesAvant_.size() == cellules.size())
        for (int i = 0; i < cellules.size(); ++i)
            if (!cellulesAvant_[i].isEmpty() && cellules[i] != cellulesAvant_[i])
                ici << QStringLiteral("une case remplie a changé");
    if (remplies == 26) {
        if (annoncesDeLaPartie_ != 1) ici << QStringLiteral("%1 annonces pour une partie finie").arg(annoncesDeLaPartie_);
        if (f_.B_Lancer->isEnabled()) ici << QStringLiteral("bouton de lancer actif après la fin");
        if (rempliesAvant_ != 26) ++partiesFinies;
    } else if (annoncesDeLaPartie_ != 0) {
        ici << QStringLiteral("annonce avant la fin de la partie");
    }
    rempliesMax = qMax(rempliesMax, remplies);
    rempliesAvant_ = remplies;
    cellulesAvant_ = cellules;

    if (!ici.isEmpty()) {
        fautesTotal += ici.size();
        if (fautes.size() < 20) fautes << QStringLiteral("après %1 : %2").arg(apres, ici.join(QStringLiteral("; ")));
    }
}
