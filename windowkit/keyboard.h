#pragma once

#include <vector>

class QAbstractButton;
class QKeyEvent;

namespace calibrix {

/// The key was pressed without Shift, Ctrl, Alt or Meta; the keypad's own flag does not count.
bool isPlain(const QKeyEvent& key);

/// Return or keypad Enter, pressed plain: the key that presses what has the focus.
bool isPlainEnter(const QKeyEvent& key);

/// Return and keypad Enter click the button while it has the focus, as Space does; outside a
/// dialog Qt's push buttons ignore Enter, and tool buttons always do (Qt 6.4.2, by design:
/// QPushButton::keyPressEvent takes Enter only on an auto-default button, as in a dialog).
void pressOnEnter(QAbstractButton& button);

/// Tab and Shift+Tab into a group of option buttons land on the checked one, as in native
/// radio groups; the arrow keys keep moving within the group.
void tabToCheckedOption(std::vector<QAbstractButton*> group);

} // namespace calibrix
