#include "windowkit/linkopener.h"

#include <QDesktopServices>
#include <QObject>
#include <QTimer>
#include <QUrl>

namespace calibrix {

// The Windows shell opens the link with the program registered for its scheme and says at once
// whether it could; the failure is reported on the event loop, as the other desktops' is.
void openLink(const QUrl& url, const QObject* context, std::function<void()> failed) {
    if (!QDesktopServices::openUrl(url))
        QTimer::singleShot(0, context, std::move(failed));
}

} // namespace calibrix
