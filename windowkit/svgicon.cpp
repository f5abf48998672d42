#include "windowkit/svgicon.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <map>
#include <memory>
#include <tuple>

namespace calibrix {
namespace {

class SvgIconEngine final : public QIconEngine {
public:
    explicit SvgIconEngine(const QString& file)
        : file_(file), svg_(std::make_shared<std::unique_ptr<QSvgRenderer>>()) {}

    // QIcon hands over the size in device pixels; it sets the pixel ratio itself.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const auto key = std::make_tuple(size.width(), size.height(), int(mode));
        if (const auto found = drawn_.find(key); found != drawn_.end())
            return found->second;
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        {
            QPainter painter(&pixmap);
            svg().render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        }
        if (mode == QIcon::Disabled || mode == QIcon::Selected) {
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            pixmap = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        }
        drawn_.emplace(key, pixmap);
        return pixmap;
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override {
        return pixmap(size, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatio();
        QPixmap drawn = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, drawn);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        return svg().defaultSize().scaled(size, Qt::KeepAspectRatio);
    }

    QString key() const override { return QStringLiteral("calibrix-svg"); }
    bool isNull() override { return !QFile::exists(file_); }
    QIconEngine* clone() const override { return new SvgIconEngine(*this); }

private:
    // Read on first use: a picture that is never drawn, such as that of a button outside the
    // window, costs nothing.
    QSvgRenderer& svg() const {
        if (*svg_ == nullptr)
            *svg_ = std::make_unique<QSvgRenderer>(file_);
        return **svg_;
    }

    QString file_;
    std::shared_ptr<std::unique_ptr<QSvgRenderer>> svg_; ///< the parsed file, shared by copies
    std::map<std::tuple<int, int, int>, QPixmap> drawn_; ///< by width, height and mode
};

} // namespace

QIcon svgIcon(const QString& file) {
    return QIcon(new SvgIconEngine(file));
}

} // namespace calibrix
