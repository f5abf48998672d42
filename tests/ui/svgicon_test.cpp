#include "windowkit/svgicon.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTest>

using calibrix::svgIcon;

namespace {

QImage rendered(const QString& file, QSize pixels, qreal ratio) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QSvgRenderer(file).render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels) / ratio));
    return image;
}

QImage argb(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class SvgIconTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void drawsTheArtworkAtEachSizeAndRatio_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<qreal>("ratio");
        QTest::newRow("delete 1x") << "delete" << QSize(23, 23) << 1.0;
        QTest::newRow("delete 2x") << "delete" << QSize(23, 23) << 2.0;
        QTest::newRow("copy 1x") << "copy" << QSize(71, 28) << 1.0;
        QTest::newRow("copy 1.5x") << "copy" << QSize(71, 28) << 1.5;
        QTest::newRow("calibrix 128") << "calibrix" << QSize(128, 128) << 1.0;
    }

    // What QIcon's own SVG engine would draw: the artwork filling the asked size, sharp at the
    // asked pixel ratio rather than scaled up.
    void drawsTheArtworkAtEachSizeAndRatio() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(qreal, ratio);
        const QString file = QStringLiteral(":/resources/%1.svg").arg(name);
        const QIcon icon = svgIcon(file);
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.actualSize(size), size);
        const QPixmap pixmap = icon.pixmap(size, ratio);
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        const QSize pixels = (QSizeF(size) * ratio).toSize();
        QCOMPARE(pixmap.size(), pixels);
        QCOMPARE(argb(pixmap), rendered(file, pixels, ratio));
    }

    // The second request is served from what the first drew; other modes are drawn apart.
    void drawsEachSizeAndModeOnce() {
        const QIcon icon = svgIcon(QStringLiteral(":/resources/delete.svg"));
        const QPixmap first = icon.pixmap(QSize(23, 23));
        QCOMPARE(icon.pixmap(QSize(23, 23)).cacheKey(), first.cacheKey());
        const QPixmap disabled = icon.pixmap(QSize(23, 23), QIcon::Disabled);
        QVERIFY(disabled.cacheKey() != first.cacheKey());
        QVERIFY(argb(disabled) != argb(first));
        QVERIFY(icon.pixmap(QSize(46, 46)).cacheKey() != first.cacheKey());
    }

    void missingFileIsANullIcon() {
        QVERIFY(svgIcon(QStringLiteral(":/resources/none.svg")).isNull());
    }
};

QTEST_MAIN(SvgIconTest)
#include "svgicon_test.moc"
