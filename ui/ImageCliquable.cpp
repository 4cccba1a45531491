#include "ImageCliquable.h"

#include <QMouseEvent>

void ImageCliquable::mouseReleaseEvent(QMouseEvent *evenement) {
    // A click: pressed and released with the left button over the picture.
    if (evenement->button() == Qt::LeftButton && rect().contains(evenement->position().toPoint())) emit clic();
    QLabel::mouseReleaseEvent(evenement);
}
