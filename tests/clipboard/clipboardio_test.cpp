#include "clipboard/clipboardio.h"

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

// Answers the next modal message box with `answer`, polling from the box's own event loop,
// and notes what the box showed. A box without that button is closed all the same.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer) : answer_(answer) {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
        timer_.start(10);
    }

    bool seen = false;
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultbutton = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::Information;
    bool ontop = false;
    Qt::WindowModality modality = Qt::NonModal;

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        timer_.stop();
        seen = true;
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        defaultbutton = box->standardButton(box->defaultButton());
        icon = box->icon();
        ontop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        modality = box->windowModality();
        if (QAbstractButton* button = box->button(answer_))
            button->click();
        else
            box->done(-1);
    }

    QMessageBox::StandardButton answer_;
    QTimer timer_;
};

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
        BoxAnswerer box(answer);
        QCOMPARE(askPasteColumn(nullptr), choice);
        QVERIFY(box.seen);
        QCOMPARE(box.title, " Select column");
        QCOMPARE(box.text, " Probably you have copied only one column! In what column do you "
                           "want to paste it - column C (Yes) or column MS (No)? ");
        QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.defaultbutton, QMessageBox::Yes);
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QVERIFY(box.ontop);
        QCOMPARE(box.modality, Qt::ApplicationModal);
    }

    void problemBoxes_data() {
        QTest::addColumn<PasteKind>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("no data") << PasteKind::NoData
                                 << " No data in the clipboard! Please select two columns and "
                                    "then click Paste. ";
        QTest::newRow("too many") << PasteKind::TooManyColumns
                                  << " Probably you have copied too many columns! You can do it "
                                     "if only two of them are filled. ";
        QTest::newRow("unrecognizable")
            << PasteKind::Unrecognizable << " Sorry, unrecognizable data ";
    }

    void problemBoxes() {
        QFETCH(PasteKind, kind);
        QFETCH(QString, text);
        BoxAnswerer box(QMessageBox::Ok);
        showPasteProblem(nullptr, kind);
        QVERIFY(box.seen);
        QCOMPARE(box.title, "incorrect data");
        QCOMPARE(box.text, text);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box.icon, QMessageBox::NoIcon);
        QCOMPARE(box.modality, Qt::ApplicationModal);
    }

    void noBoxForColumns() {
        for (const PasteKind kind : {PasteKind::OneColumn, PasteKind::TwoColumns}) {
            BoxAnswerer box(QMessageBox::Ok);
            showPasteProblem(nullptr, kind);
            QVERIFY(!box.seen);
        }
    }
};

} // namespace calibrix

QTEST_MAIN(calibrix::ClipboardIoTest)
#include "clipboardio_test.moc"
