#pragma once

#include "windowkit/designstyle.h"

#include <QEvent>
#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace calibrix {

/// Sets up a message box the way the program shows every one: application-modal, no icon, the
/// text shown as given (leading and trailing blanks included), OK unless the caller changes the
/// buttons, and the windows' design look, grey with dark text, whatever style or palette the
/// desktop chose. Header-only.
inline void prepareMessageBox(QMessageBox& box, const QString& title, const QString& text) {
    box.setWindowTitle(title);
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setIcon(QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);

    // A window takes no palette from its parent, and a style reaches no child made later, so
    // the look goes onto the box and every part of it when it shows, buttons the caller chose
    // included. Qt's built-in Windows style draws from the palette alone; a dark desktop style
    // would paint its own dark faces.
    struct DesignLook final : QObject {
        using QObject::QObject;
        bool eventFilter(QObject* watched, QEvent* event) override {
            auto* shown = qobject_cast<QWidget*>(watched);
            if (event->type() == QEvent::Show && shown != nullptr)
                keepBoxDesignLook(*shown);
            return false;
        }
    };
    box.installEventFilter(new DesignLook(&box));
}

} // namespace calibrix
