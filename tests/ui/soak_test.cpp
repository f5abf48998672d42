// Ten thousand random user actions against one window, with a fixed seed: typing, moving
// between cells, deleting rows, Clear, pasting random text, changing the model and the level,
// and the one-column question answered at random. After every action the window must agree
// with its own cells: the point count, the bold row labels, the results (recomputed here from
// the cell texts), the message boxes the action showed, and a copy that reads back as the
// values the cells show, or names the bad point and keeps the clipboard. Cell values, pastes
// and deletions are predicted here from the rules, not with the program's own functions.

#include "control.h"
#include "core/results.h"
#include "core/statistics.h"
#include "plot/plotgeometry.h"
#include "tests/common/messages.h"
#include "tests/common/modalanswerer.h"
#include "tests/common/parsereference.h"
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
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <random>
#include <vector>

using calibrix::Stat;

namespace {

// Where each action costs far more (the Windows platform under Wine), CALIBRIX_SOAK_ACTIONS
// runs fewer of them.
const int actionCount = qEnvironmentVariableIsSet("CALIBRIX_SOAK_ACTIONS")
                            ? qEnvironmentVariableIntValue("CALIBRIX_SOAK_ACTIONS")
                            : 10000;
// The soak always runs with this seed; CALIBRIX_SOAK_SEED picks another one to explore with.
const std::uint32_t seed = qEnvironmentVariableIsSet("CALIBRIX_SOAK_SEED")
                               ? std::uint32_t(qEnvironmentVariableIntValue("CALIBRIX_SOAK_SEED"))
                               : 20240607;
constexpr int rows = 25;

namespace text = calibrix::testdata;
using calibrix::test::Box;

const QString badValueTitle = QString::fromLatin1(text::badValueTitle);
const QString pasteTitle = QString::fromLatin1(text::pasteTitle);
const QString questionTitle = QString::fromLatin1(text::questionTitle);

QString badPointText(int row) {
    return QString::fromStdString(text::badPoint(row));
}

/// What a paste does with a clipboard text, as the paste rules say.
enum class PasteKind { NoData, OneColumn, TwoColumns, TooManyColumns, Unrecognizable };

QString pasteProblemText(PasteKind kind) {
    switch (kind) {
    case PasteKind::NoData:
        return QString::fromLatin1(text::noData);
    case PasteKind::TooManyColumns:
        return QString::fromLatin1(text::tooMany);
    case PasteKind::Unrecognizable:
        return QString::fromLatin1(text::unrecognizable);
    default:
        return {};
    }
}

/// A paste worked out from the rules: the decision, and for one or two columns the texts of
/// rows 1..25 as pasted.
struct PastePrediction {
    PasteKind kind = PasteKind::NoData;
    QStringList first, second;
};

// Cuts the text as the paste rules read it, character by character on a 25 by 9 grid: a tab
// moves one column on, CR, LF or CR LF end a line, a blank ends a cell that has content; then
// empty and dash cells become "0", zero columns are dropped and the column count decides.
PastePrediction predictPaste(const QString& text) {
    constexpr int gridRows = 25, gridColumns = 9;
    std::array<std::array<QString, gridColumns + 1>, gridRows + 1> grid; // [row][column]
    int row = 1, column = 1, rowCount = 0, columnCount = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\t') {
            ++column;
        } else if (c == u'\r' || (c == u'\n' && (i == 0 || text[i - 1] != u'\r'))) {
            ++row;
            column = 1;
        } else if (c == u'\n') {
            // the LF of a CR LF
        } else if (c == u' ') {
            if (row <= gridRows && column <= gridColumns && !grid[row][column].isEmpty())
                ++column;
        } else if (row > gridRows) {
            break;
        } else if (column > gridColumns) {
            return {PasteKind::TooManyColumns, {}, {}};
        } else {
            grid[row][column] += c;
            rowCount = row;
            columnCount = std::max(columnCount, column);
        }
    }
    for (int r = 1; r <= rowCount; ++r) {
        for (int col = 1; col <= columnCount; ++col) {
            QString& cell = grid[r][col];
            if (cell.isEmpty() || cell == u"-" || cell == u"--" || cell == u"---")
                cell = QStringLiteral("0");
        }
    }
    const auto zeros = [&](int col) {
        for (int r = 1; r <= rowCount; ++r) {
            if (grid[r][col] != u"0")
                return false;
        }
        return true;
    };
    const int last = columnCount;
    for (int j = 1; j < last; ++j) {
        while (zeros(j)) {
            bool restZero = true;
            for (int col = j + 1; col <= last; ++col)
                restZero = restZero && zeros(col);
            if (restZero) // moving the columns left would never end
                return {PasteKind::Unrecognizable, {}, {}};
            for (int col = j; col < last; ++col) {
                for (int r = 1; r <= rowCount; ++r)
                    grid[r][col] = grid[r][col + 1];
            }
            --columnCount;
        }
    }
    if (columnCount == 0 || columnCount > 2)
        return {columnCount == 0 ? PasteKind::NoData : PasteKind::TooManyColumns, {}, {}};
    PastePrediction out{columnCount == 1 ? PasteKind::OneColumn : PasteKind::TwoColumns, {}, {}};
    for (int r = 1; r <= gridRows; ++r) {
        out.first << (r <= rowCount ? grid[r][1] : QString());
        out.second << (r <= rowCount && columnCount == 2 ? grid[r][2] : QString());
    }
    return out;
}

// Whether a cell holds what it must of a pasted text: the text itself where it fits; a longer
// number (of a length the paste keeps whole) as at most 12 characters of the same value, or
// of the nearest one where no 12 characters hold it; anything else cut to 11 characters and
// marked.
bool holdsPasted(const QString& cell, const QString& pasted) {
    if (pasted.size() <= 12)
        return cell == pasted;
    const calibrix::reference::Reading whole =
        pasted.toUtf8().size() <= 48 ? calibrix::reference::readWhole(pasted.toStdString())
                                     : calibrix::reference::Reading{};
    if (!whole.accepted)
        return cell == pasted.left(11) + QChar(0x2026);
    const calibrix::reference::Reading held = calibrix::reference::readCell(cell.toStdString());
    return held.accepted &&
           (held.value == whole.value ||
            std::abs(double(held.value) - double(whole.value)) <= std::abs(whole.value) * 1e-6);
}

bool holdPasted(const QStringList& cells, const QStringList& pasted) {
    for (qsizetype i = 0; i < cells.size(); ++i)
        if (!holdsPasted(cells[i], pasted.value(i)))
            return false;
    return true;
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
    int copiesRefused = 0; ///< copies that named a bad point instead of writing
};

} // namespace

class SoakTest : public QObject {
    Q_OBJECT

    std::mt19937 rng_{seed};
    Stat* w_ = nullptr;
    calibrix::test::ModalAnswerer* answerer_ = nullptr;
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
            const auto at = std::size_t(row);
            const auto c = calibrix::reference::readCell(cell(0, row)->text().toStdString());
            const auto ms = calibrix::reference::readCell(cell(1, row)->text().toStdString());
            e.conc[at] = c.value;
            e.signal[at] = ms.value;
            if (!c.accepted || !ms.accepted)
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

    /// A closed message box leaves the offscreen platform without an active window, where a
    /// desktop gives the activation, and with it the focus, back to the main window.
    bool reactivate() {
        if (QApplication::activeWindow() == w_)
            return true;
        w_->activateWindow();
        return QTest::qWaitForWindowActive(w_);
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
        for (const Box& box : answerer_->boxes()) {
            if (box.title == badValueTitle)
                badBoxes << box.text;
        }
        tally_.badValueBoxes += int(badBoxes.size());
        const QStringList wantBad =
            recalculated && e.badrow != 0 ? QStringList{badPointText(e.badrow)} : QStringList{};
        if (badBoxes != wantBad)
            return QStringLiteral("bad-value messages [%1], expected [%2]")
                .arg(badBoxes.join(u'|'), wantBad.join(u'|'));

        return copyInconsistency(e);
    }

    /// Copy, then read every copied text as a paste would put it into a cell: the values must
    /// be those the cells show. After a read that stopped at a bad cell the copy names that point
    /// again and leaves the clipboard as it was.
    QString copyInconsistency(const Expected& e) {
        const QString before = QGuiApplication::clipboard()->text();
        const QString marker = QStringLiteral("clipboard before the copy");
        QGuiApplication::clipboard()->setText(marker);
        answerer_->clear();
        // Pressed from code, so that checking does not move the focus off the user's cell.
        copy_->click();
        const QString copied = QGuiApplication::clipboard()->text();
        const QStringList boxes = answerer_->texts();
        answerer_->clear();
        if (!reactivate())
            return QStringLiteral("the window stays inactive after the copy");
        if (e.badrow != 0) {
            QGuiApplication::clipboard()->setText(before); // what a later paste of "the copy" finds
            if (boxes != QStringList{badPointText(e.badrow)})
                return QStringLiteral("copy with bad row %1 showed [%2]")
                    .arg(e.badrow)
                    .arg(boxes.join(u'|'));
            if (copied != marker)
                return QStringLiteral("copy with bad row %1 wrote ").arg(e.badrow) +
                       visible(copied);
            ++tally_.copiesRefused;
            return {};
        }
        if (!boxes.isEmpty())
            return QStringLiteral("copy of good data showed [%1]").arg(boxes.join(u'|'));
        QStringList lines = copied.split(QStringLiteral("\r\n"));
        if (lines.takeLast() != QString())
            return QStringLiteral("copy does not end with CR LF: ") + visible(copied);
        if (lines.size() != e.npoints)
            return QStringLiteral("copy has %1 lines for %2 filled rows: %3")
                .arg(lines.size())
                .arg(e.npoints)
                .arg(visible(copied));
        for (int row = 1; row <= e.npoints; ++row) {
            const QStringList fields = lines[row - 1].split(u'\t');
            if (fields.size() != 2)
                return QStringLiteral("copied line %1 is not two fields: ").arg(row) +
                       visible(lines[row - 1]);
            const double values[] = {e.conc[std::size_t(row)], e.signal[std::size_t(row)]};
            for (int column = 0; column < 2; ++column) {
                const calibrix::reference::Reading back =
                    calibrix::reference::readCell(fields[column].left(12).toStdString());
                if (!back.accepted || double(back.value) != values[column])
                    return QStringLiteral(
                               "copied \"%1\" in row %2 reads back as %3, the cell as %4")
                        .arg(fields[column])
                        .arg(row)
                        .arg(double(back.value), 0, 'g', 17)
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
        const PastePrediction predicted = predictPaste(text);
        const Snapshot before = snapshot();
        const Expected beforeExpected = expected();

        QTest::mouseClick(paste_, Qt::LeftButton);

        const QString action =
            QStringLiteral("paste%1 \"%2\"")
                .arg(recopy ? QStringLiteral(" the copy") : QString(), visible(text));
        std::vector<Box> pasteBoxes;
        for (const Box& box : answerer_->boxes()) {
            if (box.title != badValueTitle)
                pasteBoxes.push_back(box);
        }

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

        // The written columns hold the pasted texts, as a cell keeps them; the other keeps its
        // own.
        const QStringList& first = predicted.first;
        const QStringList& second = predicted.second;
        const QStringList wantC = filled == 2 ? before.cells.mid(0, rows) : first;
        const QStringList wantMS = filled == 1   ? before.cells.mid(rows, rows)
                                   : filled == 2 ? first
                                                 : second;
        const bool heldC =
            filled == 2 ? columnTexts(0) == wantC : holdPasted(columnTexts(0), wantC);
        const bool heldMS =
            filled == 1 ? columnTexts(1) == wantMS : holdPasted(columnTexts(1), wantMS);
        if (!heldC || !heldMS) {
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
        // Every box answered the moment its event loop runs: OK, or Yes, No or Cancel at random
        // for the one-column question.
        calibrix::test::ModalAnswerer answerer(QMessageBox::Ok, std::chrono::milliseconds(0));
        answerer.setChooser([this](const QMessageBox& box) {
            if (box.button(QMessageBox::Cancel) == nullptr)
                return QMessageBox::Ok;
            constexpr QMessageBox::StandardButton choices[] = {QMessageBox::Yes, QMessageBox::No,
                                                               QMessageBox::Cancel};
            return choices[rng_() % 3];
        });
        answerer_ = &answerer;
        {
            const QString start = inconsistency(false);
            QVERIFY2(start.isEmpty(), qPrintable(QStringLiteral("at start: ") + start));
        }

        for (int step = 1; step <= actionCount; ++step) {
            answerer.clear();
            textChanges_ = 0;
            focusCell_ = nullptr;
            bool recalculated = false;
            QString failure;
            note(act(recalculated, failure));
            QVERIFY(reactivate());
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
        summary += QStringLiteral(" bad-value messages %1, copies refused %2; states:")
                       .arg(tally_.badValueBoxes)
                       .arg(tally_.copiesRefused);
        for (const auto& [name, count] : tally_.states)
            summary += QStringLiteral(" %1 %2,").arg(name).arg(count);
        qInfo("%s", qPrintable(summary));
        // A soak whose random actions never reached a state proves nothing about it.
        for (const char* kind : {"refused", "cancelled", "one column", "two columns"})
            QVERIFY2(tally_.pastes[QLatin1String(kind)] > 0, kind);
        QVERIFY(tally_.badValueBoxes > 0);
        QVERIFY(tally_.copiesRefused > 0);
        QVERIFY(tally_.states[QStringLiteral("plotted")] > 0);
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
