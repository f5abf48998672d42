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
constexpr auto W = Container::Window;
constexpr auto F1 = Container::Frame1;

// A frame with an option in it, a three-cell array, a disabled strip and a caption that fits
// its text; tab indices out of building order.
// clang-format off
constexpr ControlRow<Controls> rows[] = {
    {{"Group",   -1, -1, Frame,  W,  1500, 150, 3000, 1500, 0,   "Group", {}, nullptr,  Small,     0xE0E0E0, 0x000000, 9, nullptr, TextFit::Box, F1}},
    {{"Choice",  -1, -1, Option, F1, 150,  300, 1500, 255,  0,   "pick",  {}, "a tip",  SmallBold, 0xE0E0E0, 0x0000C0, 8, "the choice"}, kept<&Controls::choice>},
    {{"Cell",     1,  3, Cell,   W,  0,    300, 1200, 285,  240, nullptr, {}, nullptr,  Medium,    0xFFFFFF, 0x000000, 1, "cell %1"}, kept<&Controls::cells>},
    {{"Strip",   -1, -1, Strip,  W,  0,    1200, 1200, 150, 0,   "",      {}, nullptr,  Tiny,      0xFFFF80, 0x000000, 4, nullptr}},
    {{"Caption", -1, -1, Label,  W,  0,    1500, 3000, 255, 0,   "right", {}, nullptr,  Small,     0xE0E0E0, 0x000000, 6, nullptr, TextFit::Right}, kept<&Controls::caption>},
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
