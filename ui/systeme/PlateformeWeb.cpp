// SPDX-License-Identifier: GPL-3.0-or-later
// The platform in a web browser: there is only one (Qt's wasm), Qt itself
// places the windows on the page, and the game does the little a window
// manager would (the keyboard handed on) and the page's end.
#include "Plateforme.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <emscripten.h>

namespace {

// A page cannot close itself: when the game ends (Quitter, or the main
// window's close box) the page says so and offers the game again.
EM_JS(void, pageTerminee, (), {
    if (window.kubrixTermine) window.kubrixTermine();
});

// In the page there is no window manager to hand the keyboard on: a window
// shown again (the name dialog, the pause window) is not made active, nor
// is the one left when another hides. The keys then reach no window until
// a click makes one active. This hands the keyboard on as a desktop's
// manager does: to the window shown, or else to the modal window that waits,
// or else to the window beneath.
class Activation : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override {
        const auto type = evenement->type();
        if (type == QEvent::Quit && objet == qApp) pageTerminee();  // the main loop never returns in a page
        if (type != QEvent::Show && type != QEvent::Hide) return false;
        auto *fenetre = qobject_cast<QWidget *>(objet);
        if (!fenetre || !fenetre->isWindow() || fenetre->windowType() == Qt::Popup ||
            fenetre->windowType() == Qt::ToolTip)
            return false;
        // Once shown or hidden for the platform too, in the loop that waits.
        QTimer::singleShot(0, this, [montre = type == QEvent::Show, fenetre = QPointer<QWidget>(fenetre),
                                     dessous = QPointer<QWidget>(fenetre->parentWidget())] {
            activer(montre ? fenetre.data() : nullptr, dessous.data());
        });
        return false;
    }

private:
    static void activer(QWidget *montree, QWidget *dessous) {
        QWidget *cible = QApplication::activeModalWidget();
        if (!cible && montree && montree->isVisible()) cible = montree;
        if (!cible && dessous && dessous->window()->isVisible()) cible = dessous->window();
        if (!cible)
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->isVisible() && !w->parentWidget() && w->windowType() != Qt::Popup) cible = w;
        if (cible && !cible->isActiveWindow()) cible->activateWindow();
    }
};

void installerActivation() { qApp->installEventFilter(new Activation(qApp)); }
Q_COREAPP_STARTUP_FUNCTION(installerActivation)

}  // namespace

QByteArray plateformeVoulue(const QByteArray &, const QByteArray &, const QByteArray &, const QByteArray &) {
    return {};
}

void choisirPlateforme() {
    // The help file lies beside the program on the desktop; the page carries
    // it in its resources and puts it in the current folder of its in-memory
    // file system, where the help router looks for it.
    QFile::copy(QStringLiteral(":/web/KUBRIX.HLP"), QDir::current().filePath(QStringLiteral("KUBRIX.HLP")));
}

bool fenetresPlaceesParLeSysteme() { return false; }
