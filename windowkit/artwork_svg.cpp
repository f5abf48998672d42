#include "windowkit/artwork.h"
#include "windowkit/svgicon.h"

#include <QPainter>
#include <QSvgRenderer>

// The artwork as SVG, drawn at whatever size and pixel ratio the screen asks for.
namespace calibrix {
namespace {

QString resourceOf(const char* name) {
    return QStringLiteral(":/resources/%1.svg").arg(QLatin1String(name));
}

} // namespace

QSize artworkSize(const char* name) {
    QSvgRenderer svg(resourceOf(name));
    return svg.isValid() ? svg.defaultSize() : QSize();
}

QPixmap artworkPixmap(const char* name, QSize size, qreal ratio) {
    QSvgRenderer svg(resourceOf(name));
    QPixmap pixmap((QSizeF(size) * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QIcon artworkIcon(const char* name) {
    return svgIcon(resourceOf(name));
}

} // namespace calibrix
