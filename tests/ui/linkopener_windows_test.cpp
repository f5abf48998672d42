#include "windowkit/linkopener.h"

#include <QTest>
#include <QUrl>
#include <memory>

namespace {

// Through the real Windows shell (Wine's in CI): a scheme no program is registered for fails
// at once, and the failure arrives on the event loop for a context that is still there.
class LinkOpenerWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void unregisteredScheme_data() {
        QTest::addColumn<bool>("contextGone");
        QTest::addColumn<int>("reports");
        QTest::newRow("context kept") << false << 1;
        QTest::newRow("context gone") << true << 0;
    }

    void unregisteredScheme() {
        QFETCH(bool, contextGone);
        QFETCH(int, reports);
        auto context = std::make_unique<QObject>();
        int failures = 0;
        calibrix::openLink(QUrl(QStringLiteral("calibrix-unregistered-scheme:test")), context.get(),
                           [&failures] { ++failures; });
        QCOMPARE(failures, 0);
        if (contextGone)
            context.reset();
        QTRY_COMPARE_WITH_TIMEOUT(failures, reports, 5000);
        QTest::qWait(200);
        QCOMPARE(failures, reports);
    }
};

} // namespace

QTEST_MAIN(LinkOpenerWindowsTest)
#include "linkopener_windows_test.moc"
