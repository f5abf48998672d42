#include "ui/stat.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // Qt looks for a screen reader only at start unless told to serve the accessibility bus
    // always; a user who turns Orca on after starting the program must still hear it. For Qt
    // 6.4.2, which reads the bus's status once (DBusConnection::serviceRegistered).
    qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
    QApplication app(argc, argv);
    // Lets the desktop tie the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(CALIBRIX_APP_ID));
    calibrix::Stat w;
    w.show();
    return app.exec();
}
