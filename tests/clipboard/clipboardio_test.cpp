#include "clipboard/clipboardio.h"
#include "tests/common/messages.h"
#include "tests/common/modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

Q_DECLARE_METATYPE(calibrix::ColumnChoice)
Q_DECLARE_METATYPE(calibrix::PasteKind)

namespace calibrix {
namespace {

using test::ModalAnswerer;

QImage redimage() {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

} // namespace

class ClipboardIoTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textRoundTrip() {
        QGuiApplication::clipboard()->setImage(redimage());
        const std::string text = "1,5\t2E-3\r\n\xC2\xB5g\t-5\r\n";
        setClipboardText(text);
        QCOMPARE(clipboardText(), text);
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasImage());
    }

    void imageOnlyGivesNoText() {
        setClipboardText("1\t2\r\n");
        QGuiApplication::clipboard()->setImage(redimage());
        QCOMPARE(clipboardText(), std::string());
    }

    void columnQuestion_data() {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<ColumnChoice>("choice");
        QTest::newRow("Yes is C") << QMessageBox::Yes << ColumnChoice::C;
        QTest::newRow("No is MS") << QMessageBox::No << ColumnChoice::MS;
        QTest::newRow("Cancel") << QMessageBox::Cancel << ColumnChoice::Cancel;
    }

    void columnQuestion() {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(ColumnChoice, choice);
        ModalAnswerer answerer(answer);
        QCOMPARE(askPasteColumn(nullptr), choice);
        QCOMPARE(answerer.count(), 1);
        const test::Box& box = answerer.boxes().front();
        QCOMPARE(box.title, testdata::questionTitle);
        QCOMPARE(box.text, testdata::oneColumn);
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.defaultButton, QMessageBox::Yes);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QVERIFY(box.onTop);
        QCOMPARE(box.modality, Qt::ApplicationModal);
    }

    void problemBoxes_data() {
        QTest::addColumn<PasteKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("no data") << PasteKind::NoData << testdata::noData;
        QTest::newRow("too many") << PasteKind::TooManyColumns << testdata::tooMany;
        QTest::newRow("unrecognizable") << PasteKind::Unrecognizable << testdata::unrecognizable;
    }

    void problemBoxes() {
        QFETCH(PasteKind, kind);
        QFETCH(QString, text);
        ModalAnswerer answerer;
        showPasteProblem(nullptr, kind);
        QCOMPARE(answerer.count(), 1);
        const test::Box& box = answerer.boxes().front();
        QCOMPARE(box.title, testdata::pasteTitle);
        QCOMPARE(box.text, text);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.modality, Qt::ApplicationModal);
    }

    void noBoxForColumns() {
        for (const PasteKind kind : {PasteKind::OneColumn, PasteKind::TwoColumns}) {
            ModalAnswerer answerer;
            showPasteProblem(nullptr, kind);
            QCOMPARE(answerer.count(), 0);
        }
    }
};

} // namespace calibrix

QTEST_MAIN(calibrix::ClipboardIoTest)
#include "clipboardio_test.moc"
