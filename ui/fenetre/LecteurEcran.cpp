// SPDX-License-Identifier: GPL-3.0-or-later
#include "LecteurEcran.h"

#include "AccessibleAnnonce.h"
#include "FeuilleGrille.h"
#include "ImageCliquable.h"
#include "yams1.h"

#include "Feuille.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QWindow>
#include <functional>

using namespace feuille;

namespace {
// An application's filter sees every object's events: the activations are
// filtered apart from the keys that LecteurEcran watches on its controls.
class FiltreApplication : public QObject {
public:
    FiltreApplication(QObject *parent, std::function<bool(QObject *, QEvent *)> f) : QObject(parent), f_(std::move(f)) {}
    bool eventFilter(QObject *objet, QEvent *evenement) override { return f_(objet, evenement); }

private:
    std::function<bool(QObject *, QEvent *)> f_;
};
}  // namespace

LecteurEcran::LecteurEcran(TFicheYams *fenetre)
    : QObject(fenetre), f_(fenetre), annonce_(new AccessibleAnnonce(fenetre, fenetre->StatusBar)),
      idAnnonce_(QAccessible::registerAccessibleInterface(annonce_)) {
    for (int i = 1; i <= 5; ++i) f_->de(i)->installEventFilter(this);
    f_->B_Lancer->installEventFilter(this);
    f_->BtGrille->installEventFilter(this);
    f_->installEventFilter(this);
    // The show/hide command says the sheet's new look (after the window's own handler).
    connect(f_->BtGrille, &QPushButton::clicked, this, [this] { dire(f_->BtGrille->text()); });
    // A menu closed without a choice after it reset a game: said once the
    // reader has said where the focus is back, since a choice comes after the hiding.
    connect(f_->MenuNouvelle, &QMenu::aboutToHide, this, [this] {
        QMetaObject::invokeMethod(this, [this] {
            if (!partieEffacee_) return;
            partieEffacee_ = false;
            dire(QStringLiteral("La partie recommence. À %1 de jouer.").arg(f_->EtiJoueur->text()));
        }, Qt::QueuedConnection);
    });
}

LecteurEcran::~LecteurEcran() { QAccessible::deleteAccessibleInterface(idAnnonce_); }

QString LecteurEcran::derniereAnnonce() const { return annonce_->text(QAccessible::Name); }

bool LecteurEcran::tourOrdi() const {
    const EtatJeu &e = f_->jeu().etat();
    return e.ContreOrdi && !e.TourJoueur1;
}

// Texts without colons or semicolons: speech-dispatcher's default
// configuration says them aloud ("deux points", "point virgule").
QString LecteurEcran::faces() const {
    QStringList liste;
    for (int i = 1; i <= 5; ++i) liste << QString::number(faces_[static_cast<std::size_t>(i)]);
    return liste.join(QLatin1String(", "));
}

QString LecteurEcran::jet() const {
    if (!f_->jeu().etat().TourEnCours) return {};
    QStringList gardes;
    for (int i = 1; i <= 5; ++i)
        if (f_->marqueVisible(i)) gardes << QString::number(i);
    QString texte = faces();
    if (!gardes.isEmpty()) texte += QStringLiteral(", gardés ") + gardes.join(QLatin1String(", "));
    return texte;
}

QString LecteurEcran::descriptionBase(QWidget *w) const {
    const QString j = roule_ ? QString() : jet();
    if (w == f_->B_Lancer) return j;
    if (w == f_->BtGrille) {
        const QString aspect = f_->grilleVisible() ? QStringLiteral("feuille affichée") : QStringLiteral("feuille cachée");
        return j.isEmpty() ? aspect : aspect + QStringLiteral(", ") + j;
    }
    for (int i = 1; i <= 5; ++i)
        if (w == f_->de(i) && f_->jeu().etat().TourEnCours)
            return f_->marqueVisible(i) ? QStringLiteral("gardé") : QStringLiteral("libre");
    return {};
}

// Only a real change is sent: each one is an event.
void LecteurEcran::decrire(QWidget *w, const QString &texte) {
    if (w->accessibleDescription() != texte) w->setAccessibleDescription(texte);
}

void LecteurEcran::dire(const QString &texte) { annonce_->dire(texte); }

// Once the window is active again: the reader first says the window and its
// focused control, which would cut short anything said before.
void LecteurEcran::direApresRetour(const QString &texte) {
    if (f_->isActiveWindow())
        dire(texte);
    else
        apresRetour_ = texte;
}

void LecteurEcran::faceMontree(int de, int face) {
    faces_[static_cast<std::size_t>(de)] = face;
    actualiser();
}

void LecteurEcran::actualiser() {
    int change = 0;
    for (int i = 1; i <= 5; ++i) {
        const QString nom = QStringLiteral("Dé %1, %2").arg(i).arg(faces_[static_cast<std::size_t>(i)]);
        if (f_->de(i)->accessibleName() != nom) f_->de(i)->setAccessibleName(nom);
        const bool garde = f_->marqueVisible(i);
        if (garde != gardes_[static_cast<std::size_t>(i)]) change = i;
        gardes_[static_cast<std::size_t>(i)] = garde;
    }
    for (QWidget *w : {static_cast<QWidget *>(f_->B_Lancer), static_cast<QWidget *>(f_->BtGrille),
                       static_cast<QWidget *>(f_->De1), static_cast<QWidget *>(f_->De2),
                       static_cast<QWidget *>(f_->De3), static_cast<QWidget *>(f_->De4),
                       static_cast<QWidget *>(f_->De5)})
        decrire(w, descriptionBase(w));

    // Told once the handler has returned: a new game or a hand-over clears
    // the holds and ends the turn, which a hold by the player does not.
    if (change && !gardeAnnoncee_) {
        gardeAnnoncee_ = change;
        QMetaObject::invokeMethod(this, [this] { annoncerGarde(); }, Qt::QueuedConnection);
    }
}

// A hold by the player (not the computer's): the focused die says its
// state, any other control the whole throw.
void LecteurEcran::annoncerGarde() {
    const int de = gardeAnnoncee_;
    gardeAnnoncee_ = 0;
    if (!f_->jeu().etat().TourEnCours || tourOrdi()) return;
    QWidget *focus = QApplication::focusWidget();
    dire(focus && focus == f_->de(de) ? descriptionBase(focus) : jet());
}

void LecteurEcran::celluleEcrite(int colonne, int ligne, const QString &texte) {
    if ((colonne == ColonneJoueur1 || colonne == ColonneJoueur2) && estLigneDeMarque(ligne) && !texte.isEmpty()) {
        marqueEnAttente_ = QStringLiteral("%1 en %2").arg(texte, f_->Grille->texte(ColonneNom, ligne));
        colonneMarquee_ = colonne;
    }
    if (ligne == TOTAL_GENERAL && !marqueEnAttente_.isEmpty() && !texte.isEmpty())
        marqueEnAttente_ += QStringLiteral(", total ") + texte;
}

// The winner and both grand totals, as the sheet shows them.
QString LecteurEcran::resultat() const {
    const auto nom = [this](int c) { return f_->Grille->texte(c, LigneTitres); };
    const auto total = [this](int c) { return f_->Grille->texte(c, TOTAL_GENERAL); };
    const int gagnante = f_->jeu().colonneGagnante();
    if (gagnante == 0)
        return QStringLiteral("Égalité, %1 %2, %3 %4.").arg(nom(ColonneJoueur1), total(ColonneJoueur1),
                                                            nom(ColonneJoueur2), total(ColonneJoueur2));
    const int perdante = gagnante == ColonneJoueur1 ? ColonneJoueur2 : ColonneJoueur1;
    return QStringLiteral("%1 gagne avec %2, %3 %4.").arg(nom(gagnante), total(gagnante), nom(perdante), total(perdante));
}

// After a recording the label names the next player: the score written and
// who plays now are said together, in one message, so that none cuts another.
void LecteurEcran::joueurNomme() {
    if (marqueEnAttente_.isEmpty()) return;
    const QString nom = f_->Grille->texte(colonneMarquee_, LigneTitres);
    QString texte;
    if (f_->jeu().etat().ContreOrdi && colonneMarquee_ == ColonneJoueur2 && !jetOrdi_.isEmpty())
        texte = QStringLiteral("%1, %2. %3. ").arg(nom, jetOrdi_, marqueEnAttente_);  // its last throw with it
    else
        texte = QStringLiteral("%1, %2. ").arg(nom, marqueEnAttente_);
    marqueEnAttente_.clear();
    jetOrdi_.clear();
    bool pleine = true;
    for (int c = ColonneJoueur1; c <= ColonneJoueur2; ++c)
        for (int l = AS; l <= TOTAL_GENERAL; ++l) pleine = pleine && !f_->Grille->texte(c, l).isEmpty();
    const QString suivant = f_->EtiJoueur->text();
    if (pleine) {
        // The result's message box comes next: said once it has closed.
        apresRetour_ = texte + QStringLiteral("Partie finie. ") + resultat();
    } else if (tourOrdi()) {
        // Said with its first roll, once the focus has left the sheet that
        // the roll hides: the reader speaks that move first.
        pourOrdi_ = texte + suivant + QStringLiteral(" joue.");
    } else {
        dire(texte + QStringLiteral("À %1 de jouer.").arg(suivant));
    }
}

// The computer's throw is told with what it does of it: at its next roll,
// with the dice it holds, or with the row it scores. Told at once, the
// score that follows the thinking pause would cut it short.
void LecteurEcran::pause(const QString &texte, QWidget *fenetrePause) {
    // First among the application's filters, before the reader's bridge.
    fenetrePause_ = fenetrePause;
    if (!filtreActivations_)
        filtreActivations_ = new FiltreApplication(this, [this](QObject *o, QEvent *e) { return masquerActivation(o, e); });
    qApp->removeEventFilter(filtreActivations_);
    qApp->installEventFilter(filtreActivations_);
    const bool roulement = texte == QStringLiteral("Les dés roulent");
    if (roulement && !roule_) {
        roule_ = true;
        actualiser();
    }
    if (!pourOrdi_.isEmpty()) {
        dire(pourOrdi_);
        pourOrdi_.clear();
    } else if (roulement && tourOrdi() && !jetOrdi_.isEmpty()) {
        QStringList gardes;
        for (int i = 1; i <= 5; ++i)
            if (f_->marqueVisible(i)) gardes << QString::number(i);
        dire(QStringLiteral("%1, %2, %3.").arg(f_->EtiJoueur->text(), jetOrdi_,
                                               gardes.isEmpty() ? QStringLiteral("relance tout")
                                                                : QStringLiteral("garde ") + gardes.join(QLatin1String(", "))));
        jetOrdi_.clear();
    }
}

void LecteurEcran::pauseFinie(const QString &texte) {
    if (texte == QStringLiteral("Les dés roulent")) return;
    roule_ = false;
    if (tourOrdi() && f_->jeu().etat().TourEnCours) jetOrdi_ = faces();
}

// After the third roll the focus has gone from the disabled roll button to
// the next one, whose name the reader starts saying: the faces cut it short.
void LecteurEcran::lancerFini() {
    roule_ = false;
    actualiser();
    QString texte = jet();
    if (!f_->B_Lancer->isEnabled()) texte += QStringLiteral(". Plus de lancer.");
    dire(texte);
}

void LecteurEcran::menuOuvert(bool partieEnCours) { partieEffacee_ = partieEnCours; }

void LecteurEcran::partieChoisie() { partieEffacee_ = false; }

void LecteurEcran::partieCommencee() {
    direApresRetour(QStringLiteral("À %1 de jouer.").arg(f_->EtiJoueur->text()));
}

void LecteurEcran::rienAJouer() {
    if (f_->jeu().etat().TourEnCours) return;
    dire(f_->B_Lancer->isEnabled() ? QStringLiteral("Lancez d'abord les dés.") : QStringLiteral("Pas de partie en cours."));
}

bool LecteurEcran::partieEngagee() const {
    if (f_->jeu().etat().TourEnCours) return true;
    for (int c = ColonneJoueur1; c <= ColonneJoueur2; ++c)
        for (int l = AS; l <= TOTAL_GENERAL; ++l)
            if (!f_->Grille->texte(c, l).isEmpty()) return true;
    return false;
}

// Tab goes on from the show/hide button to the five dice, then back to the
// roll button. The dice stay out of the window's own focus chain, so that
// the focus at start-up and after a dialog stays where a sighted player sees
// it; they draw no focus mark.
QWidget *LecteurEcran::suivant(QWidget *w, bool avant) const {
    int de = 0;
    for (int i = 1; i <= 5; ++i)
        if (w == f_->de(i)) de = i;
    if (avant) {
        if (w == f_->BtGrille) return f_->de(1);
        if (de == 5) return f_->B_Lancer->isEnabled() ? f_->B_Lancer : nullptr;
        return de ? f_->de(de + 1) : nullptr;
    }
    if (w == f_->B_Lancer) return f_->de(5);
    if (de == 1) return f_->BtGrille;
    return de ? f_->de(de - 1) : nullptr;
}

// The pause window takes the focus as it shows and gives it back as it
// closes: the reader would say it, then the main window and its focused
// control again, before the faces and over what it was saying. Those moves,
// from the main window to the pause window and straight back, are not passed
// on to the reader: Qt tells it on the widgets' activation events and on
// their native windows' focus events. Qt's own state changes as ever, and
// any other window's activation is told as before.
bool LecteurEcran::masquerActivation(QObject *objet, QEvent *evenement) {
    if (!fenetrePause_) return false;
    const QEvent::Type t = evenement->type();
    if (evenement->spontaneous() && (t == QEvent::FocusIn || t == QEvent::FocusOut)) {
        if (objet == fenetrePause_->windowHandle()) return true;
        const bool versPause = QGuiApplication::focusWindow() == fenetrePause_->windowHandle();
        return objet == f_->windowHandle() && (t == QEvent::FocusOut ? versPause : retourMasque_);
    }
    if (t != QEvent::WindowActivate && t != QEvent::WindowDeactivate && t != QEvent::ActivationChange) return false;
    if (objet == fenetrePause_) {
        if (t == QEvent::WindowDeactivate)  // back to the main window, not to a message box
            retourMasque_ = !QApplication::activeWindow() || QApplication::activeWindow() == f_;
        return true;
    }
    if (objet != f_) {
        if (t == QEvent::WindowActivate) retourMasque_ = false;
        return false;
    }
    if (t == QEvent::WindowActivate && retourMasque_) {
        retourMasque_ = false;
        finMasque_ = true;  // and its ActivationChange, which follows
        return true;
    }
    if (t == QEvent::ActivationChange && finMasque_) {
        finMasque_ = false;
        return true;
    }
    return t != QEvent::WindowActivate && QApplication::activeWindow() == fenetrePause_;
}

bool LecteurEcran::eventFilter(QObject *objet, QEvent *evenement) {
    if (objet == f_) {
        if (evenement->type() == QEvent::WindowActivate && !apresRetour_.isEmpty())
            // After the activation's own events, which the reader speaks first.
            QMetaObject::invokeMethod(this, [this] {
                if (apresRetour_.isEmpty()) return;
                dire(apresRetour_);
                apresRetour_.clear();
            }, Qt::QueuedConnection);
        return QObject::eventFilter(objet, evenement);
    }
    if (evenement->type() != QEvent::ShortcutOverride && evenement->type() != QEvent::KeyPress)
        return QObject::eventFilter(objet, evenement);
    auto *w = static_cast<QWidget *>(objet);
    const auto *touche = static_cast<QKeyEvent *>(evenement);
    if ((touche->key() == Qt::Key_Tab || touche->key() == Qt::Key_Backtab) &&
        !(touche->modifiers() & ~Qt::ShiftModifier)) {
        const bool avant = touche->key() == Qt::Key_Tab && !(touche->modifiers() & Qt::ShiftModifier);
        QWidget *cible = suivant(w, avant);
        if (!cible) return QObject::eventFilter(objet, evenement);
        if (evenement->type() == QEvent::KeyPress) cible->setFocus(avant ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        evenement->accept();
        return true;
    }
    int de = 0;
    for (int i = 1; i <= 5; ++i)
        if (objet == f_->de(i)) de = i;
    if (de == 0 || (touche->modifiers() & ~Qt::KeypadModifier)) return QObject::eventFilter(objet, evenement);

    // On a focused die: Space holds it, 1 to 5 go to that die and hold it,
    // the arrows go from die to die.
    int cible = 0;
    bool garder = false;
    switch (touche->key()) {
    case Qt::Key_Space: cible = de; garder = true; break;
    case Qt::Key_1: case Qt::Key_2: case Qt::Key_3: case Qt::Key_4: case Qt::Key_5:
        cible = touche->key() - Qt::Key_0; garder = true; break;
    case Qt::Key_Left: case Qt::Key_Up: cible = de == 1 ? 5 : de - 1; break;
    case Qt::Key_Right: case Qt::Key_Down: cible = de == 5 ? 1 : de + 1; break;
    default: return QObject::eventFilter(objet, evenement);
    }
    evenement->accept();
    if (evenement->type() == QEvent::KeyPress && !touche->isAutoRepeat()) {
        f_->de(cible)->setFocus(Qt::OtherFocusReason);
        if (garder) {
            rienAJouer();
            emit f_->de(cible)->clic();
        }
    }
    return true;
}
