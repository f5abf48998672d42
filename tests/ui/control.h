#pragma once

#include <QString>
#include <QWidget>

namespace calibrix::test {

/// The control of a window by its object name, e.g. "TextX(3)"; a missing control ends the test
/// run, since every later check would be meaningless.
template <class T = QWidget> T* child(const QWidget& window, const QString& name) {
    auto* found = window.findChild<T*>(name);
    if (found == nullptr)
        qFatal("no control %s", qPrintable(name));
    return found;
}

} // namespace calibrix::test
