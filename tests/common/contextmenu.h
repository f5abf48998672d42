#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace calibrix::test {

/// What a context menu offered: each action's text and object name, separators left out.
struct Offered {
    QStringList texts, names;
};

/// Runs `open`, which opens a context menu as the user does; once the menu is up, notes what it
/// offers, triggers the action named `trigger` (if any) and closes it. No test blocks on it.
inline Offered useContextMenu(const std::function<void()>& open, const QString& trigger = {}) {
    Offered offered;
    QTimer::singleShot(50, [&offered, trigger] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                continue;
            offered.texts << a->text();
            offered.names << a->objectName();
            if (!trigger.isEmpty() && (a->text() == trigger || a->objectName() == trigger))
                chosen = a;
        }
        if (chosen != nullptr)
            chosen->trigger();
        menu->close();
    });
    open();
    return offered;
}

} // namespace calibrix::test
