#include "windowkit/designstyle.h"

#include <QApplication>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

namespace calibrix {
namespace {

// Qt's built-in Windows style draws faces, frames and circles from the palette alone, so the
// design's grey face holds under any desktop style. Dark styles such as Adwaita-Dark paint
// their own dark faces, under which the dark-grey words of the button pictures disappear, and
// Adwaita leaves group boxes without a frame.
QStyle* designStyle() {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = QStyleFactory::create(QStringLiteral("Windows"));
        if (style != nullptr)
            style->setParent(qApp);
    }
    return style;
}

// The bevel shades come from the design's face colour, not from a dark desktop palette; the
// colours the design gives the control itself stay.
// The design's face grey; the text colours follow from it.
const QColor designFace(0xE0, 0xE0, 0xE0);

QPalette designPalette(const QPalette& own) {
    QPalette palette(own.color(QPalette::Button));
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::WindowText,
                                     QPalette::Text, QPalette::ButtonText})
        if (own.isBrushSet(QPalette::Active, role))
            palette.setColor(role, own.color(role));
    return palette;
}

} // namespace

void keepDesignLook(QWidget& control) {
    QStyle* style = designStyle();
    if (style == nullptr)
        return;
    control.setPalette(designPalette(control.palette()));
    control.setStyle(style);
}

void keepBoxDesignLook(QWidget& box) {
    box.setPalette(QPalette(designFace));
    QStyle* style = designStyle();
    if (style == nullptr)
        return;
    box.setStyle(style);
    for (QWidget* part : box.findChildren<QWidget*>())
        part->setStyle(style);
}

} // namespace calibrix
