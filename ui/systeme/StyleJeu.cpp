// SPDX-License-Identifier: GPL-3.0-or-later
#include "StyleJeu.h"

#include <QAbstractAnimation>
#include <QEvent>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>
#include <QWidget>
#include <optional>

namespace {

// An icon of the style, asked of it the first time it is needed.
class IconeDifferee : public QIconEngine {
public:
    IconeDifferee(const QProxyStyle *style, QStyle::StandardPixmap icone, bool droiteAGauche)
        : style_(style), icone_(icone), droiteAGauche_(droiteAGauche) {}

    void paint(QPainter *p, const QRect &r, QIcon::Mode mode, QIcon::State etat) override {
        vraie().paint(p, r, Qt::AlignCenter, mode, etat);
    }
    QPixmap pixmap(const QSize &taille, QIcon::Mode mode, QIcon::State etat) override {
        return vraie().pixmap(taille, mode, etat);
    }
    QPixmap scaledPixmap(const QSize &taille, QIcon::Mode mode, QIcon::State etat, qreal echelle) override {
        return vraie().pixmap(taille, echelle, mode, etat);
    }
    QSize actualSize(const QSize &taille, QIcon::Mode mode, QIcon::State etat) override {
        return vraie().actualSize(taille, mode, etat);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State etat) override {
        return vraie().availableSizes(mode, etat);
    }
    bool isNull() override { return false; }  // the style has these two icons
    QString key() const override { return QStringLiteral("IconeDifferee"); }
    QIconEngine *clone() const override { return new IconeDifferee(*this); }

private:
    QIcon &vraie() {
        if (!icone_lue_) {
            // The base style's own icon, in the layout direction of the widget
            // that asked for it.
            QStyleOption sens;
            sens.direction = droiteAGauche_ ? Qt::RightToLeft : Qt::LeftToRight;
            icone_lue_ = style_->baseStyle()->standardIcon(icone_, &sens, nullptr);
        }
        return *icone_lue_;
    }

    const QProxyStyle *style_;
    QStyle::StandardPixmap icone_;
    bool droiteAGauche_;
    std::optional<QIcon> icone_lue_;
};

}  // namespace

StyleJeu::StyleJeu() : QProxyStyle(nullptr) {}

QIcon StyleJeu::standardIcon(StandardPixmap icone, const QStyleOption *option, const QWidget *widget) const {
    // Only the overflow arrows: other icons may be null, which some widgets
    // read to lay themselves out, so they come from the base style as they are.
    if (icone != SP_ToolBarHorizontalExtensionButton && icone != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icone, option, widget);
    const bool droiteAGauche = option ? option->direction == Qt::RightToLeft
                                      : (widget ? widget->isRightToLeft() : QGuiApplication::isRightToLeft());
    return QIcon(new IconeDifferee(this, icone, droiteAGauche));
}

void StyleJeu::polish(QWidget *widget) {
    QProxyStyle::polish(widget);
    if (qobject_cast<QPushButton *>(widget)) widget->installEventFilter(this);
}

void StyleJeu::unpolish(QWidget *widget) {
    widget->removeEventFilter(this);
    QProxyStyle::unpolish(widget);
}

// Windows' style makes a default button pulse while its window is active: a
// style animation of 2 s, started again by the frame that ends it, that
// repaints the button 30 times a second, so the program never rests. A frame
// the button refuses stops the animation, and the button keeps the pulse's
// first image: the still default look.
bool StyleJeu::eventFilter(QObject *objet, QEvent *evenement) {
    if (evenement->type() == QEvent::StyleAnimationUpdate) {
        for (QObject *enfant : objet->children()) {
            const auto *animation = qobject_cast<QAbstractAnimation *>(enfant);
            if (animation && animation->state() == QAbstractAnimation::Running &&
                enfant->inherits("QWindowsVistaPulse"))
                return true;  // not accepted: the animation stops
        }
    }
    return QProxyStyle::eventFilter(objet, evenement);
}
