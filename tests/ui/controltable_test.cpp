#include "windowkit/controltable.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace calibrix;

namespace {

struct Controls {
    std::array<QLineEdit*, 4> cells{};
    QRadioButton* choice = nullptr;
    QLabel* caption = nullptr;
};

using enum ControlKind;
using enum ControlFont;
constexpr auto F1 = Container::Frame1;

// A frame with an option in it, a three-cell array, a disabled strip and a caption that fits
// its text; tab indices out of building order.
// clang-format off
constexpr ControlRow<Controls> rows[] = {
    {{.name = "Group", .kind = Frame,
      .left = 1500, .top = 150, .width = 3000, .height = 1500,
      .text = "Group",
      .font = Small, .back = 0xE0E0E0, .fore = 0x000000, .tab = 9, .opens = F1}},
    {{.name = "Choice", .kind = Option, .in = F1,
      .left = 150, .top = 300, .width = 1500, .height = 255,
      .text = "pick", .toolTip = "a tip",
      .font = SmallBold, .back = 0xE0E0E0, .fore = 0x0000C0, .tab = 8, .accessible = "the choice"},
     kept<&Controls::choice>},
    {{.name = "Cell", .first = 1, .last = 3, .kind = Cell,
      .left = 0, .top = 300, .width = 1200, .height = 285, .rowStep = 240,
      .font = Medium, .back = 0xFFFFFF, .fore = 0x000000, .tab = 1, .accessible = "cell %1"},
     kept<&Controls::cells>},
    {{.name = "Strip", .kind = Strip,
      .left = 0, .top = 1200, .width = 1200, .height = 150,
      .text = "",
      .font = Tiny, .back = 0xFFFF80, .fore = 0x000000, .tab = 4}},
    {{.name = "Caption", .kind = Label,
      .left = 0, .top = 1500, .width = 3000, .height = 255,
      .text = "right",
      .font = Small, .back = 0xE0E0E0, .fore = 0x000000, .tab = 6, .fit = TextFit::Right},
     kept<&Controls::caption>},
};
// clang-format on

QWidget* makeCell(const Control&, QWidget* parent) {
    return new QLineEdit(parent);
}

} // namespace

class ControlTableTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buildsEveryRowAndKeepsItsWidgets() {
        QWidget window;
        Controls controls;
        buildControls(window, std::span<const ControlRow<Controls>>(rows), controls, &makeCell);

        for (int i = 1; i <= 3; ++i) {
            QLineEdit* cell = controls.cells[std::size_t(i)];
            QVERIFY(cell != nullptr);
            QCOMPARE(cell->objectName(), QStringLiteral("Cell(%1)").arg(i));
            QCOMPARE(cell->geometry(), QRect(0, 20 + 16 * (i - 1), 80, 19));
            QCOMPARE(cell->accessibleName(), QStringLiteral("cell %1").arg(i));
            QCOMPARE(cell->font().pixelSize(), 13);
            QCOMPARE(cell->palette().color(QPalette::Base), QColor(255, 255, 255));
        }
        QCOMPARE(controls.cells[0], nullptr);

        QRadioButton* choice = controls.choice;
        QCOMPARE(choice->objectName(), QStringLiteral("Choice"));
        QCOMPARE(choice->parentWidget()->objectName(), QStringLiteral("Group"));
        QCOMPARE(choice->parentWidget()->parentWidget(), &window);
        QCOMPARE(choice->geometry(), QRect(10, 20, 100, 17));
        QCOMPARE(choice->text(), QStringLiteral("pick"));
        QCOMPARE(choice->toolTip(), QStringLiteral("a tip"));
        QVERIFY(choice->font().bold());
        QCOMPARE(choice->palette().color(QPalette::WindowText), QColor(0, 0, 192));

        // Fitted to its text, the caption keeps the right edge of its rectangle.
        QCOMPARE(controls.caption->geometry().right(), QRect(0, 100, 200, 17).right());
        QVERIFY(controls.caption->width() < 200);

        // Tab runs by index over what takes the focus: the cells, then the option; the
        // disabled strip and the labels are passed over.
        QCOMPARE(controls.cells[1]->nextInFocusChain(), controls.cells[2]);
        QCOMPARE(controls.cells[3]->nextInFocusChain(), choice);
    }
};

QTEST_MAIN(ControlTableTest)
#include "controltable_test.moc"
