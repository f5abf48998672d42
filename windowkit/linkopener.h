#pragma once

#include <functional>

class QObject;
class QUrl;

namespace calibrix {

/// Hands `url` to the desktop's opener (`xdg-open`, as its one argument; on Windows the shell)
/// and returns at once. If the opener cannot start or ends with a failure, `failed` runs later
/// on the event loop, unless `context` is gone by then.
void openLink(const QUrl& url, const QObject* context, std::function<void()> failed);

} // namespace calibrix
