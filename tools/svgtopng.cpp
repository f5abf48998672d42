// svgtopng: renders an SVG file to a square PNG, for the menu icons the build installs, or to
// its own size times a scale ("2x"), for the pictures a build without Qt SVG embeds.
//
//     svgtopng <input.svg> <size in px | scale x> <output.png>
//
// Fails, and writes nothing, when the SVG does not load or draws nothing: a broken artwork
// must stop the build instead of installing an empty icon.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "svgtopng: %s\n", qPrintable(message));
    return 1;
}

bool hasVisiblePixel(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // A QGuiApplication so that an SVG with text finds its fonts; the build runs this on the
    // offscreen platform.
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 4) {
        return fail(
            QStringLiteral("usage: svgtopng <input.svg> <size in px | scale x> <output.png>"));
    }
    const QString& input = args.at(1);
    const QString& output = args.at(3);
    QString sizeArg = args.at(2);
    const bool scaled = sizeArg.endsWith(u'x');
    if (scaled) {
        sizeArg.chop(1);
    }
    bool sizeOk = false;
    const int number = sizeArg.toInt(&sizeOk);
    if (!sizeOk || number < 1 || number > (scaled ? 16 : 4096)) {
        return fail(QStringLiteral("bad size '%1'").arg(args.at(2)));
    }

    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        return fail(QStringLiteral("cannot load '%1' as SVG").arg(input));
    }

    const QSize size = scaled ? renderer.defaultSize() * number : QSize(number, number);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.setAspectRatioMode(Qt::KeepAspectRatio);
        renderer.render(&painter, QRectF(QPointF(0, 0), size));
    }
    if (!hasVisiblePixel(image)) {
        return fail(QStringLiteral("'%1' draws nothing at %2").arg(input, args.at(2)));
    }
    if (!image.save(output, "PNG")) {
        return fail(QStringLiteral("cannot write '%1'").arg(output));
    }
    return 0;
}
