// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImagesNettes.h"

#ifdef KUBRIX_LIBPNG
#include <QResource>
#include <png.h>
#endif

namespace {

#ifdef KUBRIX_LIBPNG
// Our pictures are PNG files of the resources, decoded here by the PNG
// library Qt itself uses: Qt's image reader would first load every image
// plugin of the system (GIF, ICO, JPEG...) at start-up, which costs more than
// the decoding. Anything this cannot read goes to Qt's reader.
QPixmap png(const QString &chemin) {
    const QResource fichier(chemin);
    if (fichier.isValid() && fichier.compressionAlgorithm() == QResource::NoCompression) {
        png_image lu{};
        lu.version = PNG_IMAGE_VERSION;
        if (png_image_begin_read_from_memory(&lu, fichier.data(), std::size_t(fichier.size()))) {
            QImage image;
            if (lu.format & PNG_FORMAT_FLAG_COLORMAP) {
                // A palette picture (the board) stays one byte a pixel, as Qt's
                // own reader gives it: three times faster than expanding it here.
                lu.format = PNG_FORMAT_RGBA_COLORMAP;
                image = QImage(int(lu.width), int(lu.height), QImage::Format_Indexed8);
                unsigned char palette[256 * 4];
                if (!image.isNull() && png_image_finish_read(&lu, nullptr, image.bits(),
                                                             png_int_32(image.bytesPerLine()), palette)) {
                    QList<QRgb> couleurs;
                    for (unsigned i = 0; i < lu.colormap_entries; ++i) {
                        const unsigned char *c = palette + 4 * i;
                        couleurs << qRgba(c[0], c[1], c[2], c[3]);
                    }
                    image.setColorTable(couleurs);
                    return QPixmap::fromImage(std::move(image));
                }
            } else {
                const bool transparente = lu.format & PNG_FORMAT_FLAG_ALPHA;
                // A QImage pixel is the 32-bit word 0xAARRGGBB: bytes B, G, R, A on a
                // little-endian machine, A, R, G, B on a big-endian one.
                lu.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
                image = QImage(int(lu.width), int(lu.height),
                               transparente ? QImage::Format_ARGB32 : QImage::Format_RGB32);
                if (!image.isNull() &&
                    png_image_finish_read(&lu, nullptr, image.bits(), png_int_32(image.bytesPerLine()), nullptr))
                    return QPixmap::fromImage(std::move(image));
            }
            png_image_free(&lu);
        }
    }
    return QPixmap(chemin, "PNG");
}
#else
QPixmap png(const QString &chemin) { return QPixmap(chemin, "PNG"); }
#endif

QString double_(const QString &chemin) { return chemin.chopped(4) + QLatin1String("@2x.png"); }

}  // namespace

QPixmap imageNette(const QString &chemin, qreal ratio) {
    // QPixmap(name.png) never looks for name@2x.png by itself. At 150 % the
    // larger drawing scaled down beats the smaller one scaled up.
    if (ratio > 1.0 && chemin.endsWith(QLatin1String(".png"))) {
        QPixmap grande = png(double_(chemin));
        if (!grande.isNull()) {
            grande.setDevicePixelRatio(2.0);
            return grande;
        }
    }
    return png(chemin);
}

QIcon iconeNette(const QString &chemin) {
    QIcon icone(png(chemin));
    QPixmap grande = png(double_(chemin));
    if (!grande.isNull()) {
        grande.setDevicePixelRatio(2.0);
        icone.addPixmap(grande);
    }
    return icone;
}

QIcon iconeToutesTailles() {
    QIcon icone;
    for (const int taille : {16, 32, 48, 64, 128, 256})
        icone.addPixmap(png(taille == 32 ? QStringLiteral(":/images/icone.png")  // the same drawing
                                         : QStringLiteral(":/images/kubrix-%1.png").arg(taille)));
    return icone;
}
