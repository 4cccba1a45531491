// SPDX-License-Identifier: GPL-3.0-or-later
#include "LecteurEcran.h"

#include "AccessibleAnnonce.h"
#include "FeuilleGrille.h"
#include "ImageCliquable.h"
#include "yams1.h"

#include "Feuille.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

using namespace feuille;

LecteurEcran::LecteurEcran(TFicheYams *fenetre)
    : QObject(fenetre), f_(fenetre), annonce_(new AccessibleAnnonce(fenetre)),
      idAnnonce_(QAccessible::registerAccessibleInterface(annonce_)) {
    for (int i = 1; i <= 5; ++i) f_->de(i)->installEventFilter(this);
    f_->B_Lancer->installEventFilter(this);
    f_->BtGrille->installEventFilter(this);
    f_->installEventFilter(this);
    // The show/hide command says the sheet's new look (after the window's own handler).
    connect(f_->BtGrille, &QPushButton::clicked, this, [this] { dire(f_->BtGrille->text()); });
}

LecteurEcran::~LecteurEcran() { QAccessible::deleteAccessibleInterface(idAnnonce_); }

QString LecteurEcran::derniereAnnonce() const { return annonce_->text(QAccessible::Name); }

bool LecteurEcran::tourOrdi() const {
    const EtatJeu &e = f_->jeu().etat();
    return e.ContreOrdi && !e.TourJoueur1;
}

QString LecteurEcran::jet() const {
    if (!f_->jeu().etat().TourEnCours) return {};
    QStringList faces, gardes;
    for (int i = 1; i <= 5; ++i) {
        faces << QString::number(faces_[static_cast<std::size_t>(i)]);
        if (f_->marqueVisible(i)) gardes << QString::number(i);
    }
    QString texte = faces.join(QLatin1String(", "));
    if (!gardes.isEmpty()) texte += QStringLiteral(" ; gardés : ") + gardes.join(QLatin1String(", "));
    return texte;
}

QString LecteurEcran::descriptionBase(QWidget *w) const {
    if (w == f_->B_Lancer) return jet();
    if (w == f_->BtGrille) {
        const QString aspect = f_->grilleVisible() ? QStringLiteral("feuille affichée") : QStringLiteral("feuille cachée");
        const QString j = jet();
        return j.isEmpty() ? aspect : aspect + QStringLiteral(" ; ") + j;
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
        const QString nom = QStringLiteral("Dé %1 : %2").arg(i).arg(faces_[static_cast<std::size_t>(i)]);
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
        marqueEnAttente_ = QStringLiteral("%1 : %2 en %3").arg(f_->Grille->texte(colonne, LigneTitres), texte,
                                                               f_->Grille->texte(ColonneNom, ligne));
        colonneMarquee_ = colonne;
    }
    if (ligne == TOTAL_GENERAL && !marqueEnAttente_.isEmpty() && !texte.isEmpty())
        marqueEnAttente_ += QStringLiteral(", total ") + texte;
}

// After a recording the label names the next player: the score written and
// who plays now are said together.
void LecteurEcran::joueurNomme() {
    if (marqueEnAttente_.isEmpty()) return;
    QString texte = marqueEnAttente_ + QStringLiteral(". ");
    marqueEnAttente_.clear();
    bool pleine = true;
    for (int c = ColonneJoueur1; c <= ColonneJoueur2; ++c)
        for (int l = AS; l <= TOTAL_GENERAL; ++l) pleine = pleine && !f_->Grille->texte(c, l).isEmpty();
    const QString suivant = f_->EtiJoueur->text();
    if (pleine)
        texte += QStringLiteral("Partie finie.");
    else if (tourOrdi()) {
        // Said with its first pause, once the focus has left the sheet that
        // its roll hides: the reader speaks that move first.
        pourOrdi_ = texte + suivant + QStringLiteral(" joue.");
        return;
    } else
        texte += QStringLiteral("À %1 de jouer.").arg(suivant);
    // The computer records just as its last pause window closes.
    if (f_->jeu().etat().ContreOrdi && colonneMarquee_ == ColonneJoueur2)
        direApresRetour(texte);
    else
        dire(texte);
}

// The computer's thinking pause follows each of its rolls: its throw, with
// the dice it held for it.
void LecteurEcran::pause(const QString &texte) {
    if (!pourOrdi_.isEmpty()) {
        dire(pourOrdi_);
        pourOrdi_.clear();
    } else if (tourOrdi() && f_->jeu().etat().TourEnCours && texte != QStringLiteral("Les dés roulent")) {
        dire(f_->EtiJoueur->text() + QStringLiteral(" : ") + jet());
    }
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
        if (garder) emit f_->de(cible)->clic();
    }
    return true;
}
