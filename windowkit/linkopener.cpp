#include "windowkit/linkopener.h"

#include <QCoreApplication>
#include <QProcess>
#include <QUrl>

namespace calibrix {

// QDesktopServices only tells whether the opener started; a desktop without a mail program
// or browser makes xdg-open fail later, with an exit code that only a process of our own sees.
// The program and its argument go straight to exec: no shell ever reads the link.
void openLink(const QUrl& url, const QObject* context, std::function<void()> failed) {
    // Owned by the application, which ends an opener still running when the program ends;
    // xdg-open hands the link on and ends at once, so only a stuck opener is cut short.
    auto* opener = new QProcess(QCoreApplication::instance());
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({url.toString(QUrl::FullyEncoded)});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    QObject::connect(opener, &QProcess::finished, context,
                     [failed](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0)
                             failed();
                     });
    // An opener that cannot start sends no finished signal.
    QObject::connect(opener, &QProcess::errorOccurred, context,
                     [failed, opener](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         opener->deleteLater();
                         failed();
                     });
    opener->start();
}

} // namespace calibrix
