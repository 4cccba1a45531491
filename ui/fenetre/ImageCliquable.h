// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A die's picture: it reports a click of the left button, and knows its
// number (1 to 5), which the window gives it.
#include <QLabel>

class ImageCliquable : public QLabel {
    Q_OBJECT
public:
    ImageCliquable(int numero, QWidget *parent) : QLabel(parent), numero_(numero) {}

    int numero() const { return numero_; }

signals:
    void clic();

protected:
    void mouseDoubleClickEvent(QMouseEvent *evenement) override;
    void mouseReleaseEvent(QMouseEvent *evenement) override;

private:
    int numero_;
    bool doubleClic_ = false;  // the button went down for the second time of a double-click
};
