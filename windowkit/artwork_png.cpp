#include "windowkit/artwork.h"

#include <QImage>
#include <QImageReader>

// The artwork as PNGs rendered from the SVGs at build time, at one and two times their size:
// a build without Qt SVG (the Windows one) draws these.
namespace calibrix {
namespace {

constexpr int largestScale = 2;

QString resourceOf(const char* name, int scale) {
    return scale == 1
               ? QStringLiteral(":/resources/%1.png").arg(QLatin1String(name))
               : QStringLiteral(":/resources/%1@%2x.png").arg(QLatin1String(name)).arg(scale);
}

} // namespace

QSize artworkSize(const char* name) {
    return QImageReader(resourceOf(name, 1)).size();
}

QPixmap artworkPixmap(const char* name, QSize size, qreal ratio) {
    // The smallest rendering at least as fine as the screen; a ratio between two scales is
    // drawn from the finer one.
    int scale = 1;
    while (scale < largestScale && scale < ratio)
        ++scale;
    QImage image(resourceOf(name, scale));
    const QSize wanted = (QSizeF(size) * ratio).toSize();
    if (image.size() != wanted)
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

QIcon artworkIcon(const char* name) {
    QIcon icon;
    for (int scale = 1; scale <= largestScale; ++scale)
        icon.addFile(resourceOf(name, scale));
    return icon;
}

} // namespace calibrix
