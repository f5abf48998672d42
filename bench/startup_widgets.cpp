// The floor for Calibrix's start-up: a window of the main window's own widgets, from its layout
// rows, with their texts, fonts, colors and places and the sample table, but without artwork,
// design style, screen-reader extras, handlers or calculation. A framed box named Pict stands
// where the plot does; the benchmark's plugin ends the program as it paints.
#include "ui/statlayout.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <string_view>
#include <vector>

namespace {

using calibrix::Control;
using calibrix::ControlKind;

QColor rgb(std::uint32_t value) {
    return QColor(int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF));
}

QWidget* makeWidget(const Control& row, int index, QWidget* parent) {
    const QString text = QString::fromUtf8(row.text != nullptr ? row.text : "");
    switch (row.kind) {
    case ControlKind::Label:
    case ControlKind::Header:
    case ControlKind::RowNumber:
    case ControlKind::Caption:
    case ControlKind::Result: {
        auto* label =
            new QLabel(row.kind == ControlKind::RowNumber ? QString::number(index) : text, parent);
        label->setTextFormat(Qt::PlainText);
        if (row.kind == ControlKind::Header || row.kind == ControlKind::Result) {
            label->setAutoFillBackground(true);
            label->setFrameShape(QFrame::Box);
        }
        return label;
    }
    case ControlKind::Cell: {
        auto* cell = new QLineEdit(parent);
        cell->setFrame(false);
        return cell;
    }
    case ControlKind::Strip: {
        auto* strip = new QLineEdit(parent);
        strip->setFrame(false);
        strip->setEnabled(false);
        return strip;
    }
    case ControlKind::DeleteButton: {
        auto* button = new QToolButton(parent);
        button->setAutoRaise(true);
        return button;
    }
    case ControlKind::Frame:
        return new QGroupBox(text, parent);
    case ControlKind::Option:
        return new QRadioButton(text, parent);
    case ControlKind::Button: // its caption in words where the program draws its picture
        return new QPushButton(QString::fromUtf8(row.accessible), parent);
    case ControlKind::Picture:
        return new QLabel(parent);
    case ControlKind::Plot: {
        auto* plot = new QFrame(parent);
        plot->setFrameStyle(QFrame::Box | QFrame::Plain);
        return plot;
    }
    }
    return nullptr;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    const calibrix::WindowDesign& design = calibrix::statWindow;
    window.setWindowTitle(QString::fromUtf8(design.title));
    window.setFont(calibrix::fontOf(design.font));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, rgb(design.back));
    palette.setColor(QPalette::WindowText, rgb(design.fore));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.setFixedSize(design.width, design.height);

    QWidget* containers[3] = {&window, nullptr, nullptr};
    std::vector<QLineEdit*> cells[2];
    for (const auto& kept : calibrix::statLayout()) {
        const Control& row = kept.control;
        const bool array = row.first >= 0;
        for (int index = row.first; index <= row.last; ++index) {
            const int step = array ? index - row.first : 0;
            QWidget* widget = makeWidget(row, index, containers[std::size_t(row.in)]);
            if (row.kind == ControlKind::Frame)
                containers[std::size_t(row.opens)] = widget;
            widget->setObjectName(QString::fromLatin1(row.name));
            widget->setFont(calibrix::fontOf(row.font));
            QPalette colors = widget->palette();
            for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
                colors.setColor(role, rgb(row.back));
            for (QPalette::ColorRole role :
                 {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                colors.setColor(role, rgb(row.fore));
            widget->setPalette(colors);
            widget->setGeometry(calibrix::twips(row.left),
                                calibrix::twips(row.top + step * row.rowStep),
                                calibrix::twips(row.width), calibrix::twips(row.height));
            if (row.kind == ControlKind::Cell)
                cells[std::string_view(row.name) == "TextX" ? 0 : 1].push_back(
                    static_cast<QLineEdit*>(widget));
        }
    }
    const auto sample = calibrix::sampleData();
    for (std::size_t i = 0; i < sample.size(); ++i) {
        cells[0][i]->setText(QString::fromLatin1(sample[i].c));
        cells[1][i]->setText(QString::fromLatin1(sample[i].ms));
    }
    cells[0].front()->setFocus();
    window.show();
    return app.exec();
}
