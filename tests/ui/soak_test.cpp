// Ten thousand random user actions against one window, with a fixed seed: typing, moving
// between cells, deleting rows, Clear, pasting random text, changing the model and the level,
// and the one-column question answered at random. After every action the window must agree
// with its own cells: the point count, the bold row labels, the results (recomputed here from
// the cell texts), the message boxes the action showed, and a copy that reads back as the
// table's values.

#include "clipboard/pastetext.h"
#include "control.h"
#include "core/parsenumber.h"
#include "core/results.h"
#include "core/statistics.h"
#include "plot/plotgeometry.h"
#include "ui/stat.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <vector>

using calibrix::Stat;

namespace {

constexpr int actionCount = 10000;
// The soak always runs with this seed; CALIBRIX_SOAK_SEED picks another one to explore with.
const std::uint32_t seed = qEnvironmentVariableIsSet("CALIBRIX_SOAK_SEED")
                               ? std::uint32_t(qEnvironmentVariableIntValue("CALIBRIX_SOAK_SEED"))
                               : 20240607;
constexpr int rows = 25;

const QString badValueTitle = QStringLiteral("incorrect value");
const QString pasteTitle = QStringLiteral("incorrect data");
const QString questionTitle = QStringLiteral(" Select column");

QString badPointText(int row) {
    return QStringLiteral("Incorrect data. Please check the point \u2116 %1").arg(row);
}

QString pasteProblemText(calibrix::PasteKind kind) {
    switch (kind) {
    case calibrix::PasteKind::NoData:
        return QStringLiteral(
            " No data in the clipboard! Please select two columns and then click Paste. ");
    case calibrix::PasteKind::TooManyColumns:
        return QStringLiteral(" Probably you have copied too many columns! You can do it if only "
                              "two of them are filled. ");
    case calibrix::PasteKind::Unrecognizable:
        return QStringLiteral(" Sorry, unrecognizable data ");
    default:
        return {};
    }
}

/// A text with its control characters made visible, shortened, for failure reports.
QString visible(const QString& text) {
    QString out;
    for (QChar c : text.left(300)) {
        if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c.unicode() < 32)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            out += c;
    }
    if (text.size() > 300)
        out += QStringLiteral("...(%1 characters)").arg(text.size());
    return out;
}

/// One message box as the user saw it, and the button pressed.
struct Box {
    QString title;
    QString text;
    QMessageBox::StandardButton answer;
};

/// Answers every message box the moment its event loop runs: OK, or Yes, No or Cancel at random
/// for the one-column question. A zero-interval timer, so that a box costs no waiting.
class BoxAnswerer {
public:
    explicit BoxAnswerer(std::mt19937& rng) : rng_(rng) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { respond(); });
        timer_.start();
    }

    std::vector<Box> boxes; ///< shown since the last clear

private:
    void respond() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        QMessageBox::StandardButton answer = QMessageBox::Ok;
        if (box->button(QMessageBox::Cancel) != nullptr) {
            constexpr QMessageBox::StandardButton choices[] = {QMessageBox::Yes, QMessageBox::No,
                                                               QMessageBox::Cancel};
            answer = choices[rng_() % 3];
        }
        boxes.push_back({box->windowTitle(), box->text(), answer});
        QAbstractButton* button = box->button(answer);
        if (button == nullptr)
            button = box->buttons().value(0);
        button->click();
    }

    std::mt19937& rng_;
    QTimer timer_;
};

/// What the window must show for its current cells, worked out here from the texts alone.
struct Expected {
    int npoints = 0;
    int badrow = 0; ///< first row with a rejected text, 0 if none
    std::array<double, rows + 1> conc{}, signal{};
    std::optional<calibrix::ResultTexts> texts; ///< nullopt: every result label blank
    bool plotted = false;
};

/// Everything a refused paste must leave as it was.
struct Snapshot {
    QStringList cells;
    int npoints;
    QStringList results;
    std::vector<double> values;
    bool operator==(const Snapshot&) const = default;
};

/// How often each thing happened, so that a soak that stopped exercising something shows.
struct Tally {
    std::map<QString, int> actions;
    std::map<QString, int> pastes;
    std::map<QString, int> states; ///< what the window showed after each action
    int badValueBoxes = 0;
};

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

    std::mt19937 rng_{seed};
    Stat* w_ = nullptr;
    BoxAnswerer* answerer_ = nullptr;
    std::array<QLineEdit*, rows + 1> textX_{}, textY_{};
    std::array<QLabel*, rows + 1> label1_{};
    std::array<QAbstractButton*, rows + 1> delpoint_{};
    std::vector<QLabel*> results_;
    std::vector<QWidget*> options_; ///< Option1(1..3), Option2, Option3, Label3(1..3)
    QRadioButton* origin_ = nullptr;
    std::array<QRadioButton*, 4> levels_{};
    QAbstractButton* clear_ = nullptr;
    QAbstractButton* copy_ = nullptr;
    QAbstractButton* paste_ = nullptr;
    int textChanges_ = 0;
    int lastBadRow_ = 0;
    QLineEdit* focusCell_ = nullptr; ///< where the last keyboard action left the focus
    int focusRow_ = 0;
    std::deque<QString> recent_;
    Tally tally_;

    int pick(int n) { return int(rng_() % unsigned(n)); }
    bool chance(int percent) { return pick(100) < percent; }

    template <class T = QWidget> T* child(const QString& name) {
        return calibrix::test::child<T>(*w_, name);
    }

    QLineEdit* cell(int column, int row) {
        return column == 0 ? textX_[std::size_t(row)] : textY_[std::size_t(row)];
    }

    // ----- What the window should show -----

    calibrix::Model model() const {
        return origin_->isChecked() ? calibrix::Model::Origin : calibrix::Model::Intercept;
    }
    int level() const {
        for (int i = 1; i <= 3; ++i)
            if (levels_[std::size_t(i)]->isChecked())
                return i;
        return 0;
    }

    Expected expected() {
        Expected e;
        for (int row = rows; row >= 1 && e.npoints == 0; --row) {
            for (int column = 0; column < 2; ++column) {
                const QString text = cell(column, row)->text();
                if (std::any_of(text.begin(), text.end(), [](QChar c) { return c != u' '; }))
                    e.npoints = row;
            }
        }
        for (int row = 1; row <= e.npoints && e.badrow == 0; ++row) {
            std::int16_t dataerror = 1;
            const auto at = std::size_t(row);
            e.conc[at] = calibrix::parsenumber(cell(0, row)->text().toStdString(), dataerror);
            e.signal[at] = calibrix::parsenumber(cell(1, row)->text().toStdString(), dataerror);
            if (dataerror == -1)
                e.badrow = row;
        }
        if (e.badrow != 0 || e.npoints < 3)
            return e;
        const std::span<const double> conc(e.conc.data() + 1, std::size_t(e.npoints));
        const std::span<const double> signal(e.signal.data() + 1, std::size_t(e.npoints));
        const std::optional<calibrix::Fit> fit =
            calibrix::calibrate(conc, signal, model(), level());
        if (!fit)
            return e;
        const calibrix::PlotLayout plot = calibrix::plotLayout(conc, signal, fit->a, fit->b);
        if (plot.status == calibrix::PlotStatus::Failed)
            return e;
        e.texts = calibrix::resulttexts(*fit, model(), QLocale().decimalPoint().toStdString());
        e.plotted = plot.status == calibrix::PlotStatus::Drawn;
        return e;
    }

    QStringList columnTexts(int column) {
        QStringList texts;
        for (int row = 1; row <= rows; ++row)
            texts << cell(column, row)->text();
        return texts;
    }
    QStringList resultTexts() {
        QStringList texts;
        for (QLabel* label : results_)
            texts << label->text();
        return texts;
    }
    Snapshot snapshot() {
        Snapshot s{columnTexts(0) + columnTexts(1), w_->table().npoints, resultTexts(), {}};
        for (int row = 1; row <= w_->table().npoints; ++row) {
            s.values.push_back(w_->table().conc[std::size_t(row)]);
            s.values.push_back(w_->table().signal[std::size_t(row)]);
        }
        return s;
    }

    // ----- The checks after every action -----

    /// The first way in which the window contradicts its cells, or an empty text.
    QString inconsistency(bool recalculated) {
        if (QApplication::activeModalWidget() != nullptr)
            return QStringLiteral("a modal window is still open");
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->isVisible() && qobject_cast<QMessageBox*>(top) != nullptr)
                return QStringLiteral("a message box is still open: ") +
                       static_cast<QMessageBox*>(top)->text();
        }

        for (int row = 1; row <= rows; ++row) {
            for (int column = 0; column < 2; ++column) {
                if (cell(column, row)->text().startsWith(u' '))
                    return QStringLiteral("row %1 keeps a leading blank").arg(row);
            }
        }

        const Expected e = expected();
        lastBadRow_ = e.badrow;
        const calibrix::PointTable& table = w_->table();
        if (table.npoints != e.npoints)
            return QStringLiteral("npoints %1, cells give %2").arg(table.npoints).arg(e.npoints);
        for (int row = 1; row <= rows; ++row) {
            if (label1_[std::size_t(row)]->font().bold() != (row <= e.npoints))
                return QStringLiteral("row label %1 bold is wrong").arg(row);
        }
        if (e.badrow == 0) {
            for (int row = 1; row <= e.npoints; ++row) {
                const auto at = std::size_t(row);
                if (table.conc[at] != e.conc[at] || table.signal[at] != e.signal[at])
                    return QStringLiteral("table values of row %1 differ from its cells").arg(row);
            }
        }

        QStringList want(int(results_.size()));
        if (e.texts) {
            const calibrix::ResultTexts& t = *e.texts;
            want = QStringList{QString::fromStdString(t.laba),  QString::fromStdString(t.labda),
                               QString::fromStdString(t.labb),  QString::fromStdString(t.labdb),
                               QString::fromStdString(t.labnv), QString::fromStdString(t.labso),
                               QString::fromStdString(t.labr)};
        }
        if (resultTexts() != want)
            return QStringLiteral("results [%1], cells give [%2]")
                .arg(resultTexts().join(u'|'), want.join(u'|'));
        if (w_->resultsShown() != e.plotted)
            return QStringLiteral("resultsShown %1, cells give %2")
                .arg(w_->resultsShown())
                .arg(e.plotted);
        ++tally_.states[e.badrow != 0   ? QStringLiteral("bad cell")
                        : e.npoints < 3 ? QStringLiteral("under 3 points")
                        : !e.texts      ? QStringLiteral("no fit")
                        : e.plotted     ? QStringLiteral("plotted")
                                        : QStringLiteral("results without plot")];

        // One bad-value message for an action that ends on a bad cell, and only if the action
        // recalculated; never more than one.
        QStringList badBoxes;
        for (const Box& box : answerer_->boxes) {
            if (box.title == badValueTitle)
                badBoxes << box.text;
        }
        tally_.badValueBoxes += int(badBoxes.size());
        const QStringList wantBad =
            recalculated && e.badrow != 0 ? QStringList{badPointText(e.badrow)} : QStringList{};
        if (badBoxes != wantBad)
            return QStringLiteral("bad-value messages [%1], expected [%2]")
                .arg(badBoxes.join(u'|'), wantBad.join(u'|'));

        return copyInconsistency();
    }

    /// Copy, then read every copied text as a paste would put it into a cell: the values must
    /// come back exactly.
    QString copyInconsistency() {
        // Pressed from code, so that checking does not move the focus off the user's cell.
        copy_->click();
        const QString copied = QGuiApplication::clipboard()->text();
        const calibrix::PointTable& table = w_->table();
        QStringList lines = copied.split(QStringLiteral("\r\n"));
        if (lines.takeLast() != QString())
            return QStringLiteral("copy does not end with CR LF: ") + visible(copied);
        if (lines.size() != table.npoints)
            return QStringLiteral("copy has %1 lines for %2 points: %3")
                .arg(lines.size())
                .arg(table.npoints)
                .arg(visible(copied));
        for (int row = 1; row <= table.npoints; ++row) {
            const QStringList fields = lines[row - 1].split(u'\t');
            if (fields.size() != 2)
                return QStringLiteral("copied line %1 is not two fields: ").arg(row) +
                       visible(lines[row - 1]);
            const double values[] = {table.conc[std::size_t(row)], table.signal[std::size_t(row)]};
            for (int column = 0; column < 2; ++column) {
                std::int16_t dataerror = 1;
                const float back =
                    calibrix::parsenumber(fields[column].left(12).toStdString(), dataerror);
                if (dataerror != 1 || double(back) != values[column])
                    return QStringLiteral("copied \"%1\" in row %2 reads back as %3, not %4")
                        .arg(fields[column])
                        .arg(row)
                        .arg(double(back), 0, 'g', 17)
                        .arg(values[column], 0, 'g', 17);
            }
        }
        return {};
    }

    // ----- Random texts -----

    QString digits(int count) {
        QString out;
        for (int i = 0; i < count; ++i)
            out += QChar(u'0' + pick(10));
        return out;
    }

    QString randomField() {
        const QString separator = chance(30) ? QStringLiteral(",") : QStringLiteral(".");
        const QString sign = chance(15) ? QStringLiteral("-") : QString();
        const int roll = pick(100);
        if (roll < 35)
            return sign + digits(1 + pick(5));
        if (roll < 60)
            return sign + digits(1 + pick(3)) + separator + digits(1 + pick(6));
        if (roll < 70)
            return sign + digits(1) + separator + digits(pick(6)) + (chance(50) ? u'E' : u'e') +
                   (chance(50) ? QStringLiteral("-") : QStringLiteral("+")) + digits(1 + pick(2));
        if (roll < 73) // near the ends of a float's range, where sums and squares overflow
            return sign + digits(1 + pick(3)) + u'E' + (chance(50) ? u'-' : u'+') +
                   QString::number(30 + pick(17));
        if (roll < 76)
            return sign + digits(10 + pick(12)); // longer than a cell
        if (roll < 82)
            return QString(1 + pick(4), u'-');
        if (roll < 87)
            return QStringLiteral("0");
        if (roll < 91)
            return QString();
        if (roll < 96) {
            static const char* const words[] = {"C", "MS", "abc", "1a", "1/2", "n.a.", "1 000"};
            return QString::fromUtf8(words[pick(7)]);
        }
        static const char* const odd[] = {"\xc2\xb5g",
                                          "\xe2\x80\x94",
                                          "1\xc2\xa0"
                                          "5",
                                          "\xf0\x9f\x98\x80",
                                          "1e999",
                                          "1E39",
                                          "1E-50"};
        return QString::fromUtf8(odd[pick(7)]);
    }

    QString randomSeparator() {
        switch (pick(10)) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 5:
            return QStringLiteral("\t");
        case 6:
        case 7:
            return QString(1 + pick(3), u' ');
        case 8:
            return QStringLiteral("\t\t");
        default:
            return QStringLiteral("\t ");
        }
    }

    QString randomPasteText() {
        if (chance(3)) { // noise from the characters that matter
            static const char alphabet[] = "1\t\r\n -a0";
            QString out;
            const int length = pick(300);
            for (int i = 0; i < length; ++i)
                out += QChar::fromLatin1(alphabet[pick(8)]);
            return out;
        }
        if (chance(2)) { // long: many lines, or one very long cell
            return chance(50) ? QStringLiteral("1\t2\r\n").repeated(2000)
                              : QStringLiteral("7").repeated(100000) + QStringLiteral("\t1\r\n");
        }
        const int lines = chance(10) ? pick(32) : 1 + pick(12);
        const int columns = chance(10) ? pick(12) : chance(75) ? 2 : 1 + pick(3);
        // A column may be zeros, dashes or empty throughout, to exercise the dropping.
        std::vector<int> columnKind(static_cast<std::size_t>(columns));
        for (int& kind : columnKind)
            kind = chance(90) ? 0 : 1 + pick(3);
        static const char* const ends[] = {"\r\n", "\n", "\r"};
        const int end = pick(3);
        const bool indented = chance(5);
        const QString separator = randomSeparator(); // one style per text, as a program writes it
        QString out;
        for (int line = 0; line < lines; ++line) {
            if (indented || chance(1))
                out += chance(50) ? QStringLiteral("\t") : QStringLiteral("  ");
            for (int column = 0; column < columns; ++column) {
                if (column > 0)
                    out += chance(97) ? separator : randomSeparator();
                switch (columnKind[std::size_t(column)]) {
                case 0:
                    out += randomField();
                    break;
                case 1:
                    out += QStringLiteral("0");
                    break;
                case 2:
                    out += QStringLiteral("-");
                    break;
                default:
                    break;
                }
            }
            if (chance(3))
                out += randomSeparator();
            if (line + 1 < lines || chance(80))
                out += QString::fromLatin1(ends[chance(95) ? end : pick(3)]);
        }
        return out;
    }

    // ----- Actions -----

    void note(const QString& action) {
        recent_.push_back(action);
        if (recent_.size() > 12)
            recent_.pop_front();
    }

    QLineEdit* focusedCell() {
        QWidget* focus = QApplication::focusWidget();
        for (int row = 1; row <= rows; ++row) {
            for (int column = 0; column < 2; ++column) {
                if (cell(column, row) == focus)
                    return cell(column, row);
            }
        }
        return nullptr;
    }

    /// A row to act on: mostly among the filled ones and just below, sometimes anywhere.
    int randomRow() {
        const int span = std::min(rows, w_->table().npoints + 3);
        return 1 + (chance(85) ? pick(span) : pick(rows));
    }

    void expectFocus(QLineEdit* focused, int row) {
        focusCell_ = focused;
        focusRow_ = row;
    }

    /// After a keyboard action the focus must be on the cell it went to, whose row is then the
    /// highlighted one.
    QString focusInconsistency() {
        if (focusCell_ == nullptr)
            return {};
        QLineEdit* expected = focusCell_;
        const int row = focusRow_;
        if (QApplication::focusWidget() != expected)
            return QStringLiteral("focus on %1, expected %2")
                .arg(QApplication::focusWidget() != nullptr
                         ? QApplication::focusWidget()->objectName()
                         : QStringLiteral("nothing"),
                     expected->objectName());
        if (w_->table().hoverpoint != row)
            return QStringLiteral("hoverpoint %1 with the focus in row %2")
                .arg(w_->table().hoverpoint)
                .arg(row);
        return {};
    }

    /// Clicks a cell, or presses one key in the cell that has the focus.
    QString keyAction() {
        QLineEdit* target = focusedCell();
        if (target == nullptr || chance(15)) {
            // Now and then the user goes to mend the row the last message named.
            const int row = lastBadRow_ != 0 && chance(40) ? lastBadRow_ : randomRow();
            target = cell(pick(2), row);
            QTest::mouseClick(target, Qt::LeftButton, {},
                              QPoint(2 + pick(target->width() - 4), target->height() / 2));
            expectFocus(target, row);
            return QStringLiteral("click ") + target->objectName();
        }
        int column = 0;
        int row = 1;
        while (cell(column, row) != target) {
            if (++row > rows) {
                row = 1;
                ++column;
            }
        }
        struct Key {
            Qt::Key key;
            char text;
            int weight;
            Qt::KeyboardModifiers modifiers = {};
        };
        static const Key keys[] = {
            {Qt::Key_0, '0', 60},       {Qt::Key_Period, '.', 5},
            {Qt::Key_Comma, ',', 3},    {Qt::Key_E, 'E', 3},
            {Qt::Key_E, 'e', 2},        {Qt::Key_Minus, '-', 4},
            {Qt::Key_Plus, '+', 2},     {Qt::Key_Space, ' ', 4},
            {Qt::Key_A, 'a', 1},        {Qt::Key_X, 'x', 1},
            {Qt::Key_D, 'D', 1},        {Qt::Key_Slash, '/', 1},
            {Qt::Key_Backspace, 0, 15}, {Qt::Key_Delete, 0, 3},
            {Qt::Key_Home, 0, 2},       {Qt::Key_End, 0, 1},
            {Qt::Key_Left, 0, 2},       {Qt::Key_Right, 0, 2},
            {Qt::Key_Up, 0, 2},         {Qt::Key_Down, 0, 2},
            {Qt::Key_Return, 0, 2},     {Qt::Key_A, 0, 4, Qt::ControlModifier},
        };
        int total = 0;
        for (const Key& k : keys)
            total += k.weight;
        int chosen = pick(total);
        const Key* key = keys;
        while (chosen >= key->weight)
            chosen -= (key++)->weight;
        if (key->key == Qt::Key_0) {
            const int digit = pick(10);
            QTest::keyClick(target, char('0' + digit));
            return QStringLiteral("type %1 in %2").arg(digit).arg(target->objectName());
        }
        if (key->text != 0) {
            QTest::keyClick(target, key->text);
            return QStringLiteral("type '%1' in %2")
                .arg(QChar::fromLatin1(key->text), target->objectName());
        }
        // Where the movement keys take the focus: down and up the column, and across the row
        // when the caret stands at the edge the key points past, or the whole text is selected.
        const qsizetype length = target->text().size();
        const bool whole = target->selectedText().size() == length;
        const qsizetype caret =
            target->hasSelectedText() ? target->selectionStart() : target->cursorPosition();
        int nextColumn = column;
        int nextRow = row;
        if ((key->key == Qt::Key_Down || key->key == Qt::Key_Return) && row < rows)
            ++nextRow;
        if (key->key == Qt::Key_Up && row > 1)
            --nextRow;
        if (key->key == Qt::Key_Right && column == 0 && (whole || caret == length))
            nextColumn = 1;
        if (key->key == Qt::Key_Left && column == 1 && (whole || caret == 0))
            nextColumn = 0;
        QTest::keyClick(target, key->key, key->modifiers);
        expectFocus(cell(nextColumn, nextRow), nextRow);
        return QStringLiteral("key %1 in %2").arg(int(key->key)).arg(target->objectName());
    }

    /// Pastes random text, or the last copy; checks what the paste did to the cells.
    QString pasteAction(bool& recalculated, QString& failure) {
        const bool recopy = chance(25);
        if (!recopy)
            QGuiApplication::clipboard()->setText(randomPasteText());
        const QString text = QGuiApplication::clipboard()->text();
        const calibrix::PasteData predicted = calibrix::cutPasteText(text.toStdString());
        const Snapshot before = snapshot();
        const Expected beforeExpected = expected();

        QTest::mouseClick(paste_, Qt::LeftButton);

        const QString action =
            QStringLiteral("paste%1 \"%2\"")
                .arg(recopy ? QStringLiteral(" the copy") : QString(), visible(text));
        std::vector<Box> pasteBoxes;
        for (const Box& box : answerer_->boxes) {
            if (box.title != badValueTitle)
                pasteBoxes.push_back(box);
        }

        using calibrix::PasteKind;
        auto fail = [&failure](const QString& what) { failure = what; };
        if (predicted.kind == PasteKind::NoData || predicted.kind == PasteKind::TooManyColumns ||
            predicted.kind == PasteKind::Unrecognizable) {
            ++tally_.pastes[QStringLiteral("refused")];
            if (pasteBoxes.size() != 1 || pasteBoxes[0].title != pasteTitle ||
                pasteBoxes[0].text != pasteProblemText(predicted.kind))
                fail(QStringLiteral("a refused paste did not show its one message"));
            else if (snapshot() != before)
                fail(QStringLiteral("a refused paste changed the window"));
            return action;
        }

        int filled = 0; // columns written: 0 none, 1 C, 2 MS, 3 both
        if (predicted.kind == PasteKind::OneColumn) {
            if (pasteBoxes.size() != 1 || pasteBoxes[0].title != questionTitle) {
                fail(QStringLiteral("one column without its one question"));
                return action;
            }
            const QMessageBox::StandardButton answer = pasteBoxes[0].answer;
            filled = answer == QMessageBox::Yes ? 1 : answer == QMessageBox::No ? 2 : 0;
        } else {
            if (!pasteBoxes.empty()) {
                fail(QStringLiteral("two columns asked or refused"));
                return action;
            }
            filled = 3;
        }
        ++tally_.pastes[filled == 0   ? QStringLiteral("cancelled")
                        : filled == 3 ? QStringLiteral("two columns")
                                      : QStringLiteral("one column")];
        // A fill runs the calculation even when it writes the texts the cells already hold.
        recalculated = filled != 0;
        if (filled == 0) {
            if (snapshot() != before)
                fail(QStringLiteral("a cancelled paste changed the window"));
            return action;
        }

        // The written columns hold the cut texts, as a cell keeps them; the other keeps its own.
        QStringList first, second;
        for (int row = 0; row < rows; ++row) {
            first << QString::fromStdString(predicted.first[std::size_t(row)]).left(12);
            second << QString::fromStdString(predicted.second[std::size_t(row)]).left(12);
        }
        const QStringList wantC = filled == 2 ? before.cells.mid(0, rows) : first;
        const QStringList wantMS = filled == 1   ? before.cells.mid(rows, rows)
                                   : filled == 2 ? first
                                                 : second;
        if (columnTexts(0) != wantC || columnTexts(1) != wantMS) {
            fail(QStringLiteral("pasted cells C [%1] MS [%2], expected C [%3] MS [%4]")
                     .arg(columnTexts(0).join(u'|'), columnTexts(1).join(u'|'), wantC.join(u'|'),
                          wantMS.join(u'|')));
            return action;
        }
        // Pasting back a copy of good data loses nothing.
        if (recopy && filled == 3 && beforeExpected.badrow == 0) {
            const Snapshot after = snapshot();
            if (after.values != before.values || after.npoints != before.npoints ||
                after.results != before.results)
                fail(QStringLiteral("pasting the copy back changed the values or results"));
        }
        return action;
    }

    /// Deletes a row with its button: the rows below it up to the last filled one move up.
    QString deleteAction(QString& failure) {
        const int row = randomRow();
        QStringList c = columnTexts(0);
        QStringList ms = columnTexts(1);
        const int last = expected().npoints;
        for (int r = row; r < last; ++r) {
            c[r - 1] = c[r];
            ms[r - 1] = ms[r];
        }
        if (row <= last) {
            c[last - 1].clear();
            ms[last - 1].clear();
        }
        QAbstractButton* button = delpoint_[std::size_t(row)];
        QTest::mouseClick(button, Qt::LeftButton);
        if (columnTexts(0) != c || columnTexts(1) != ms)
            failure = QStringLiteral("deleting row %1 left C [%2] MS [%3], expected C [%4] MS [%5]")
                          .arg(row)
                          .arg(columnTexts(0).join(u'|'), columnTexts(1).join(u'|'), c.join(u'|'),
                               ms.join(u'|'));
        return QStringLiteral("click ") + button->objectName();
    }

    /// One random user action; returns its description and whether it recalculated.
    QString act(bool& recalculated, QString& failure) {
        const int roll = pick(1000); // per mille
        if (roll < 660) {
            tally_.actions[QStringLiteral("keyboard")]++;
            return keyAction();
        }
        if (roll < 790) {
            tally_.actions[QStringLiteral("paste")]++;
            return pasteAction(recalculated, failure);
        }
        if (roll < 860) {
            tally_.actions[QStringLiteral("delete row")]++;
            recalculated = true;
            return deleteAction(failure);
        }
        if (roll < 865) {
            tally_.actions[QStringLiteral("clear")]++;
            recalculated = true;
            QTest::mouseClick(clear_, Qt::LeftButton);
            return QStringLiteral("click Clear");
        }
        tally_.actions[QStringLiteral("option")]++;
        recalculated = true;
        QWidget* option = options_[std::size_t(pick(int(options_.size())))];
        QTest::mouseClick(option, Qt::LeftButton);
        return QStringLiteral("click ") + option->objectName();
    }

    static inline QtMessageHandler testlibHandler = nullptr;

private Q_SLOTS:
    void initTestCase() {
        // The offscreen platform warns about every message box it shows; thousands of boxes
        // would bury anything that matters.
        testlibHandler = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.contains(QLatin1String("propagateSizeHints")))
                    testlibHandler(type, context, message);
            });
    }
    void cleanupTestCase() { qInstallMessageHandler(testlibHandler); }

    void randomActionsKeepWindowConsistent() {
        Stat w;
        w_ = &w;
        for (int row = 1; row <= rows; ++row) {
            const auto at = std::size_t(row);
            textX_[at] = child<QLineEdit>(QStringLiteral("TextX(%1)").arg(row));
            textY_[at] = child<QLineEdit>(QStringLiteral("TextY(%1)").arg(row));
            label1_[at] = child<QLabel>(QStringLiteral("Label1(%1)").arg(row));
            delpoint_[at] = child<QAbstractButton>(QStringLiteral("delpoint(%1)").arg(row));
            for (QLineEdit* c : {textX_[at], textY_[at]})
                connect(c, &QLineEdit::textChanged, this, [this] { ++textChanges_; });
        }
        for (const char* name : {"Laba", "Labda", "Labb", "Labdb", "Labnv", "Labso", "Labr"})
            results_.push_back(child<QLabel>(QLatin1String(name)));
        for (int i = 1; i <= 3; ++i) {
            levels_[std::size_t(i)] = child<QRadioButton>(QStringLiteral("Option1(%1)").arg(i));
            options_.push_back(levels_[std::size_t(i)]);
            options_.push_back(child(QStringLiteral("Label3(%1)").arg(i)));
        }
        origin_ = child<QRadioButton>(QStringLiteral("Option3"));
        options_.push_back(origin_);
        options_.push_back(child(QStringLiteral("Option2")));
        clear_ = child<QAbstractButton>(QStringLiteral("Clear"));
        copy_ = child<QAbstractButton>(QStringLiteral("Comcopy"));
        paste_ = child<QAbstractButton>(QStringLiteral("Comcpaste"));

        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        BoxAnswerer answerer(rng_);
        answerer_ = &answerer;
        {
            const QString start = inconsistency(false);
            QVERIFY2(start.isEmpty(), qPrintable(QStringLiteral("at start: ") + start));
        }

        for (int step = 1; step <= actionCount; ++step) {
            answerer.boxes.clear();
            textChanges_ = 0;
            focusCell_ = nullptr;
            bool recalculated = false;
            QString failure;
            note(act(recalculated, failure));
            // A closed message box leaves the offscreen platform without an active window,
            // where a desktop gives the activation back to the main window.
            if (QApplication::activeWindow() != &w) {
                w.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&w));
            }
            // Any change of a cell's text runs the action's calculation.
            recalculated = recalculated || textChanges_ > 0;
            if (failure.isEmpty())
                failure = inconsistency(recalculated);
            if (failure.isEmpty())
                failure = focusInconsistency();
            if (!failure.isEmpty()) {
                QString report = QStringLiteral("step %1 (seed %2): %3\nlast actions:\n")
                                     .arg(step)
                                     .arg(seed)
                                     .arg(failure);
                for (const QString& action : recent_)
                    report += QStringLiteral("  ") + action + u'\n';
                report += QStringLiteral("cells C [%1]\ncells MS [%2]")
                              .arg(columnTexts(0).join(u'|'), columnTexts(1).join(u'|'));
                QFAIL(qPrintable(report));
            }
        }

        QString summary = QStringLiteral("%1 actions:").arg(actionCount);
        for (const auto& [name, count] : tally_.actions)
            summary += QStringLiteral(" %1 %2,").arg(name).arg(count);
        summary += QStringLiteral(" pastes:");
        for (const auto& [name, count] : tally_.pastes)
            summary += QStringLiteral(" %1 %2,").arg(name).arg(count);
        summary += QStringLiteral(" bad-value messages %1; states:").arg(tally_.badValueBoxes);
        for (const auto& [name, count] : tally_.states)
            summary += QStringLiteral(" %1 %2,").arg(name).arg(count);
        qInfo("%s", qPrintable(summary));
        // A soak whose random actions never reached a state proves nothing about it.
        for (const char* kind : {"refused", "cancelled", "one column", "two columns"})
            QVERIFY2(tally_.pastes[QLatin1String(kind)] > 0, kind);
        QVERIFY(tally_.badValueBoxes > 0);
        QVERIFY(tally_.states[QStringLiteral("plotted")] > 0);
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
