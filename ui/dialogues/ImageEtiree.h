// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture stretched to the control's size, drawn the same whether enabled or not
// (QLabel greys its picture inside a disabled parent, which the about box's panel is).
#include <QPixmap>
#include <QWidget>

class ImageEtiree : public QWidget {
    Q_OBJECT
public:
    explicit ImageEtiree(QWidget *parent = nullptr);

    void definirImage(const QPixmap &image);
    QPixmap image() const { return image_; }

protected:
    void paintEvent(QPaintEvent *evenement) override;

private:
    QPixmap image_;
};
