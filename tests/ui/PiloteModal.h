// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers modal windows for the tests. It watches every Show event of the
// application; for each modal top-level window that `filtre` accepts it queues
// `action`, which then runs inside the window's own loop (acting inside the
// Show event itself would end the window before its loop has started, and the
// loop would then never return). A watchdog closes any modal window still
// open after `delaiMaxMs`, so that a test fails instead of hanging; it keeps
// watching after the last window is answered, in case the answer failed to
// close it.
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

class PiloteModal : public QObject {
public:
    using Filtre = std::function<bool(QWidget *)>;
    using Action = std::function<void(QWidget *)>;

    PiloteModal(Filtre filtre, Action action, int nombre = 1, int delaiMaxMs = 30000)
        : filtre_(std::move(filtre)), action_(std::move(action)), nombre_(nombre) {
        qApp->installEventFilter(this);
        chien_.setSingleShot(true);
        connect(&chien_, &QTimer::timeout, this, [this] {
            for (int i = 0; i < 20; ++i) {
                QWidget *w = QApplication::activeModalWidget();
                if (!w) break;
                tempsEcoule = true;
                w->close();
            }
        });
        chien_.start(delaiMaxMs);
    }
    ~PiloteModal() override { qApp->removeEventFilter(this); }

    int traites = 0;           // windows answered
    bool tempsEcoule = false;  // the watchdog had to close something
    QStringList vus;           // class of every modal window shown, in order

    bool fini() const { return traites >= nombre_; }

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override {
        if (evenement->type() != QEvent::Show || !objet->isWidgetType()) return false;
        auto *w = static_cast<QWidget *>(objet);
        if (!w->isWindow() || !w->isModal()) return false;
        vus << QString::fromLatin1(w->metaObject()->className());
        if (!fini() && filtre_(w)) {
            ++traites;
            QPointer<QWidget> p(w);
            QTimer::singleShot(0, this, [this, p] {
                if (p && p->isVisible()) action_(p);
            });
        }
        return false;
    }

private:
    Filtre filtre_;
    Action action_;
    int nombre_;
    QTimer chien_;
};

inline bool estBoiteMessage(QWidget *w) { return qobject_cast<QMessageBox *>(w) != nullptr; }

inline void cliquerOk(QWidget *w) {
    auto *boite = qobject_cast<QMessageBox *>(w);
    if (QAbstractButton *b = boite ? boite->button(QMessageBox::Ok) : nullptr) b->click();
    else w->close();
}
