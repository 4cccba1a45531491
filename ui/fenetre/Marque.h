// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A hold marker: a red disc with a black outline, shown just below a held die.
#include <QWidget>

class Marque : public QWidget {
    Q_OBJECT
public:
    explicit Marque(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *evenement) override;
};
