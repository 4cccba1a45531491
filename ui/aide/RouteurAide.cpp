// SPDX-License-Identifier: GPL-3.0-or-later
#include "RouteurAide.h"

#include "VisionneuseAide.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

RouteurAide::RouteurAide(QWidget *fenetrePrincipale, QObject *parent)
    : QObject(parent), fenetrePrincipale_(fenetrePrincipale), dossiers_(dossiersParDefaut()) {
    qApp->installEventFilter(this);
}

RouteurAide::~RouteurAide() {
    qApp->removeEventFilter(this);
}

QStringList RouteurAide::dossiersParDefaut() {
    return {QCoreApplication::applicationDirPath(), QDir::currentPath()};
}

void RouteurAide::definirDossiers(const QStringList &dossiers) {
    dossiers_ = dossiers;
}

VisionneuseAide *RouteurAide::visionneuse() const {
    return visionneuse_;
}

QString RouteurAide::cheminFichier() const {
    for (const QString &dossier : dossiers_) {
        const QFileInfo info(QDir(dossier), QString::fromLatin1(NomFichierAide));
        if (info.exists()) return info.absoluteFilePath();
    }
    return {};
}

void RouteurAide::ouvrirAide(int contexte) {
    // A window shown while a modal dialog runs is blocked unless it belongs to that dialog.
    QWidget *proprietaire = QApplication::activeModalWidget();
    if (!proprietaire) proprietaire = fenetrePrincipale_;

    if (!visionneuse_) {
        visionneuse_ = new VisionneuseAide(proprietaire);
    } else if (visionneuse_->parentWidget() != proprietaire) {
        const QRect place = visionneuse_->geometry();
        visionneuse_->setParent(proprietaire, Qt::Window); // hides it; shown again below
        visionneuse_->setGeometry(place);
    }

    const QString chemin = cheminFichier();
    if (chemin.isEmpty())
        visionneuse_->signalerAbsence(dossiers_);
    else
        visionneuse_->afficher(chemin, contexte);
    visionneuse_->amenerDevant();
}

int RouteurAide::contexteMenu(QAction *action) {
    for (QAction *courante = action; courante;) {
        const QVariant valeur = courante->property(ProprieteContexte);
        if (valeur.isValid()) return valeur.toInt();
        QAction *parente = nullptr;
        for (QObject *objet : courante->associatedObjects()) {
            auto *menu = qobject_cast<QMenu *>(objet);
            if (menu && menu->menuAction() != courante) {
                parente = menu->menuAction();
                break;
            }
        }
        courante = parente;
    }
    return 0;
}

int RouteurAide::contexteDe(QObject *cible) {
    if (!cible || !cible->isWidgetType()) return -1;
    auto *widget = static_cast<QWidget *>(cible);
    // While a menu is open the key goes to its popup.
    if (auto *menu = qobject_cast<QMenu *>(widget))
        return contexteMenu(menu->activeAction() ? menu->activeAction() : menu->menuAction());
    if (auto *barre = qobject_cast<QMenuBar *>(widget); barre && barre->activeAction())
        return contexteMenu(barre->activeAction());
    const QVariant valeur = widget->window()->property(ProprieteContexte);
    return valeur.isValid() ? valeur.toInt() : -1;
}

bool RouteurAide::eventFilter(QObject *cible, QEvent *evenement) {
    if (evenement->type() != QEvent::KeyPress || !cible->isWidgetType()) return false;
    if (static_cast<QKeyEvent *>(evenement)->key() != Qt::Key_F1) return false;
    const int contexte = contexteDe(cible);
    if (contexte >= 0) ouvrirAide(contexte);
    return true; // F1 means help everywhere, even where there is none
}
