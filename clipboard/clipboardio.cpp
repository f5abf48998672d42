#include "clipboard/clipboardio.h"

#include "windowkit/messagebox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QString>

namespace calibrix {

std::string clipboardText() {
    // text() is empty when the clipboard holds no plain text, an image for instance.
    return QGuiApplication::clipboard()->text().toStdString();
}

void setClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(text));
}

void setClipboardTable(const std::string& text, const std::string& html) {
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(text));
    data->setHtml(QString::fromStdString(html));
    QGuiApplication::clipboard()->setMimeData(data);
}

void setClipboardImage(const QImage& image) {
    QGuiApplication::clipboard()->setImage(image);
}

ColumnChoice askPasteColumn(QWidget* parent) {
    QMessageBox box(parent);
    prepareMessageBox(
        box, QStringLiteral(" Select column"),
        QStringLiteral(" Probably you have copied only one column! In what column "
                       "do you want to paste it - column C (Yes) or column MS (No)? "));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    // The question must not hide behind another window while it blocks the paste.
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return ColumnChoice::C;
    case QMessageBox::No:
        return ColumnChoice::MS;
    default:
        return ColumnChoice::Cancel;
    }
}

void showPasteProblem(QWidget* parent, PasteKind kind) {
    const char* text = nullptr;
    switch (kind) {
    case PasteKind::NoData:
        text = " No data in the clipboard! Please select two columns and then click Paste. ";
        break;
    case PasteKind::TooManyColumns:
        text = " Probably you have copied too many columns! You can do it if only two of them are "
               "filled. ";
        break;
    case PasteKind::Unrecognizable:
        text = " Sorry, unrecognizable data ";
        break;
    case PasteKind::OneColumn:
    case PasteKind::TwoColumns:
        return; // not a problem: nothing to show
    }
    QMessageBox box(parent);
    prepareMessageBox(box, QStringLiteral("incorrect data"), QString::fromUtf8(text));
    box.exec();
}

} // namespace calibrix
