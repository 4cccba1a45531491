#include "ImagesNettes.h"

QPixmap imageNette(const QString &chemin, qreal ratio) {
    // QPixmap(name.png) never looks for name@2x.png by itself. At 150 % the
    // larger drawing scaled down beats the smaller one scaled up.
    if (ratio > 1.0 && chemin.endsWith(QLatin1String(".png"))) {
        QPixmap double_(chemin.chopped(4) + QLatin1String("@2x.png"));
        if (!double_.isNull()) {
            double_.setDevicePixelRatio(2.0);
            return double_;
        }
    }
    return QPixmap(chemin);
}
