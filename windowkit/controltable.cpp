#include "windowkit/controltable.h"

#include "windowkit/artwork.h"
#include "windowkit/designstyle.h"
#include "windowkit/fonts.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>

namespace calibrix {

QFont fontOf(ControlFont font) {
    switch (font) {
    case ControlFont::Tiny:
        return uiFont(3);
    case ControlFont::Small:
        return uiFont(11);
    case ControlFont::SmallBold:
        return uiFont(11, true);
    case ControlFont::Medium:
        return uiFont(13);
    case ControlFont::MediumBold:
        return uiFont(13, true);
    case ControlFont::LargeBold:
        return uiFont(16, true);
    case ControlFont::Title:
        return uiFont(32);
    }
    return uiFont(11);
}

namespace {

QColor rgb(std::uint32_t value) {
    return QColor(int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF));
}

void setColors(QWidget& widget, std::uint32_t back, std::uint32_t fore) {
    QPalette palette = widget.palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, rgb(back));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, rgb(fore));
    widget.setPalette(palette);
}

QString nameOf(const Control& row, int index) {
    const QString name = QString::fromLatin1(row.name);
    return row.first < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

// The picture drawn at its size, sharp on the screen the widget is on.
QPixmap pixmapOf(const Picture& picture, const QWidget& widget) {
    return artworkPixmap(picture.name, QSize(picture.width, picture.height),
                         widget.devicePixelRatioF());
}

QLabel* makeLabel(const Control& row, int index, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setText(row.kind == ControlKind::RowNumber ? QString::number(index)
                                                      : QString::fromUtf8(row.text));
    const bool filled = row.kind == ControlKind::Header || row.kind == ControlKind::Result;
    label->setAutoFillBackground(filled);
    if (filled)
        label->setFrameShape(QFrame::Box);
    switch (row.kind) {
    case ControlKind::Header:
    case ControlKind::RowNumber:
        label->setAlignment(Qt::AlignCenter);
        break;
    case ControlKind::Caption:
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case ControlKind::Result:
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        break;
    default:
        if (row.fit != TextFit::Box) {
            const bool centered = row.fit == TextFit::WrapCentered || row.fit == TextFit::Height ||
                                  row.fit == TextFit::Center;
            label->setAlignment((centered ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
            label->setWordWrap(row.fit == TextFit::WrapCentered || row.fit == TextFit::Height);
        }
        break;
    }
    return label;
}

// A label that fits its text keeps the edge or the centre its fit names. The text is laid out
// only for those fits: most labels keep their rectangle, and a layout costs more than the label.
QRect fitted(const QLabel& label, const QRect& design, TextFit fit) {
    const auto text = [&label] { return label.sizeHint(); };
    switch (fit) {
    case TextFit::Box:
    case TextFit::WrapCentered:
        return design;
    case TextFit::Height:
        return {design.topLeft(), QSize(design.width(), label.heightForWidth(design.width()))};
    case TextFit::Center:
        return {QPoint(design.left() + (design.width() - text().width()) / 2, design.top()),
                text()};
    case TextFit::Left:
        return {design.topLeft(), text()};
    case TextFit::Right:
        return {QPoint(design.left() + design.width() - text().width(), design.top()), text()};
    }
    return design;
}

} // namespace

void applyWindow(QWidget& window, const WindowDesign& design) {
    window.setObjectName(QString::fromLatin1(design.name));
    window.setWindowTitle(QString::fromUtf8(design.title));
    window.setFont(fontOf(design.font));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, rgb(design.back));
    palette.setColor(QPalette::Button, rgb(design.back));
    palette.setColor(QPalette::WindowText, rgb(design.fore));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

QIcon programIcon() {
    return artworkIcon("calibrix");
}

ControlBuilder::ControlBuilder(QWidget& window, MakeControl makeOwn) : makeOwn_(makeOwn) {
    containers_[std::size_t(Container::Window)] = &window;
}

ControlBuilder::~ControlBuilder() = default;

QWidget* ControlBuilder::buildOne(const Control& row, int index, int step) {
    QWidget* parent = containers_[std::size_t(row.in)];
    QWidget* widget = makeWidget(row, index, parent);
    if (row.kind == ControlKind::Frame)
        containers_[std::size_t(row.opens)] = widget;
    widget->setObjectName(nameOf(row, index));
    widget->setFont(fontOf(row.font));
    setColors(*widget, row.back, row.fore);
    if (row.kind == ControlKind::Button || row.kind == ControlKind::Frame ||
        row.kind == ControlKind::Option)
        keepDesignLook(*widget);
    if (row.toolTip != nullptr)
        widget->setToolTip(QString::fromUtf8(row.toolTip));
    if (row.accessible != nullptr) {
        const QString accessible = QString::fromUtf8(row.accessible);
        widget->setAccessibleName(accessible.contains(u"%1") ? accessible.arg(index) : accessible);
    }
    const QRect design(twips(row.left), twips(row.top + step * row.rowStep), twips(row.width),
                       twips(row.height));
    const auto* label = qobject_cast<const QLabel*>(widget);
    widget->setGeometry(label != nullptr ? fitted(*label, design, row.fit) : design);
    tabs_.emplace_back(row.tab + step, widget);
    return widget;
}

QWidget* ControlBuilder::makeWidget(const Control& row, int index, QWidget* parent) {
    switch (row.kind) {
    case ControlKind::Label:
    case ControlKind::Header:
    case ControlKind::RowNumber:
    case ControlKind::Caption:
    case ControlKind::Result:
        return makeLabel(row, index, parent);
    case ControlKind::Cell:
    case ControlKind::Plot:
        if (makeOwn_ == nullptr)
            qFatal("%s needs the window to make it", row.name);
        return makeOwn_(row, parent);
    case ControlKind::DeleteButton: {
        auto* button = new QToolButton(parent);
        button->setAutoRaise(true);
        button->setIcon(icon(row.picture));
        button->setIconSize(QSize(row.picture.width, row.picture.height));
        return button;
    }
    case ControlKind::Frame:
        return new QGroupBox(QString::fromUtf8(row.text), parent);
    case ControlKind::Option:
        return new QRadioButton(QString::fromUtf8(row.text), parent);
    case ControlKind::Button: {
        auto* button = new QPushButton(parent);
        button->setIcon(icon(row.picture));
        button->setIconSize(QSize(row.picture.width, row.picture.height));
        return button;
    }
    case ControlKind::Picture: {
        auto* image = new QLabel(parent);
        image->setPixmap(pixmapOf(row.picture, *parent));
        image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        image->setFocusPolicy(Qt::TabFocus);
        return image;
    }
    case ControlKind::Strip: {
        auto* strip = new QLineEdit(parent);
        strip->setFrame(false);
        strip->setEnabled(false);
        return strip;
    }
    }
    return nullptr;
}

const QIcon& ControlBuilder::icon(const Picture& picture) {
    auto found = icons_.find(picture.name);
    if (found == icons_.end())
        found = icons_.emplace(picture.name, artworkIcon(picture.name)).first;
    return found->second;
}

void ControlBuilder::finish() {
    std::stable_sort(tabs_.begin(), tabs_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& [tab, widget] : tabs_) {
        if (widget->focusPolicy() == Qt::NoFocus || !widget->isEnabled())
            continue;
        if (previous != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace calibrix
