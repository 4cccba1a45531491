// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system's style, unchanged to the eye, but for one thing: the arrow of
// the menu bar's overflow button (which this window never shows) is read from
// its file only when first drawn. Qt reads it as the menu bar is built,
// through its image reader, which first loads every image plugin of the
// system (GIF, ICO, JPEG...): a good part of the time before the window
// appears. The style must live as long as the icons it gives (the
// application's style does).
// And Windows' style keeps its default buttons still (see eventFilter).
#include <QProxyStyle>

class StyleJeu : public QProxyStyle {
public:
    StyleJeu();
    QIcon standardIcon(StandardPixmap icone, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;
    void polish(QWidget *widget) override;
    void unpolish(QWidget *widget) override;

protected:
    bool eventFilter(QObject *objet, QEvent *evenement) override;
};
