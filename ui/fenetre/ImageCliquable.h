// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture that reports a click of the left button, as the dice do.
#include <QLabel>

class ImageCliquable : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clic();

protected:
    void mouseDoubleClickEvent(QMouseEvent *evenement) override;
    void mouseReleaseEvent(QMouseEvent *evenement) override;

private:
    bool doubleClic_ = false;  // the button went down for the second time of a double-click
};
