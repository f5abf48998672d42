#include "ui/linkopener.h"

#include <QProcess>
#include <QUrl>

namespace calibrix {

// QDesktopServices only tells whether the opener started; a desktop without a mail program
// or browser makes xdg-open fail later, with an exit code that only a process of our own sees.
// The program and its argument go straight to exec: no shell ever reads the link.
void openLink(const QUrl& url, const QObject* context, std::function<void()> failed) {
    // Unowned on purpose: the program's end must not kill an opener that became the browser.
    auto* opener = new QProcess();
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({url.toString(QUrl::FullyEncoded)});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    auto report = [failed = std::move(failed)] {
        if (failed)
            failed();
    };
    QObject::connect(opener, &QProcess::finished, context,
                     [report](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0)
                             report();
                     });
    QObject::connect(opener, &QProcess::errorOccurred, context,
                     [report](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart)
                             report();
                     });
    QObject::connect(opener, &QProcess::finished, opener, &QObject::deleteLater);
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            opener->deleteLater();
    });
    opener->start();
}

} // namespace calibrix
