#include "windowkit/celledit.h"

#include "core/gridlimits.h"

#include <QPainter>

namespace calibrix {

CellEdit::CellEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    setTextMargins(2, 0, 1, 3); // the next row covers the bottom of a cell
    setMaxLength(cellChars);
    setMouseTracking(true);
}

void CellEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    QPainter p(this);
    const QColor border = hasFocus() ? QColor(0, 84, 200) : QColor(122, 122, 122);
    // On a scaled screen the pen straddles the edge, and that look stays.
    if (devicePixelRatioF() != 1) {
        p.setPen(border);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    // At scale 1 the pen covers exactly the outer pixels, and four fills draw them without
    // Qt's stroker, which cost more than the rest of the cell's first paint together.
    p.fillRect(0, 0, width(), 1, border);
    p.fillRect(0, height() - 1, width(), 1, border);
    p.fillRect(0, 1, 1, height() - 2, border);
    p.fillRect(width() - 1, 1, 1, height() - 2, border);
}

} // namespace calibrix
