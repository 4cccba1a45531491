// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageEtiree.h"

#include <QPainter>

ImageEtiree::ImageEtiree(QWidget *parent) : QWidget(parent) {}

void ImageEtiree::definirImage(const QPixmap &image) {
    image_ = image;
    update();
}

void ImageEtiree::paintEvent(QPaintEvent *) {
    if (image_.isNull()) return;
    QPainter peintre(this);
    peintre.setRenderHint(QPainter::SmoothPixmapTransform);
    peintre.drawPixmap(rect(), image_);
}
