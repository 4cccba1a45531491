// SPDX-License-Identifier: GPL-3.0-or-later
#include "PremiereImage.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

// Watches the window's first exposure: a widget window paints and flushes its
// frame while handling it, so a call queued then runs once the frame is out.
class Guet : public QObject {
public:
    Guet(QWidget *fenetre, std::function<void()> suite) : QObject(fenetre), fenetre_(fenetre), suite_(std::move(suite)) {
        fenetre_->installEventFilter(this);  // the native window does not exist before the widget is shown
        if (QWindow *w = fenetre_->windowHandle()) w->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *objet, QEvent *e) override {
        if (objet == fenetre_ && e->type() == QEvent::Show && fenetre_->windowHandle()) {
            fenetre_->windowHandle()->installEventFilter(this);
        } else if (objet != fenetre_ && e->type() == QEvent::Expose && !lance_) {
            lance_ = true;
            QTimer::singleShot(0, this, [this] {
                suite_();
                deleteLater();
            });
        }
        return false;
    }

private:
    QWidget *fenetre_;
    std::function<void()> suite_;
    bool lance_ = false;
};

}  // namespace

void apresPremiereImage(QWidget *fenetre, std::function<void()> suite) { new Guet(fenetre, std::move(suite)); }
