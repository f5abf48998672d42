#pragma once

#include <QMessageBox>
#include <QString>

namespace calibrix {

/// Sets up a message box the way the program shows every one: application-modal, no icon, the
/// text shown as given (leading and trailing blanks included), OK unless the caller changes the
/// buttons.
inline void prepareMessageBox(QMessageBox& box, const QString& title, const QString& text) {
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
}

} // namespace calibrix
