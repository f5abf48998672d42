#include "ui/stat.h"

#include "clipboard/clipboardio.h"
#include "clipboard/copytext.h"
#include "clipboard/pastetext.h"
#include "clipboard/resultstext.h"
#include "core/calculation.h"
#include "core/results.h"
#include "core/tableedit.h"
#include "core/tablehistory.h"
#include "plot/palette.h"
#include "plot/plotgeometry.h"
#include "plot/plotview.h"
#include "ui/about.h"
#include "ui/samples.h"
#include "windowkit/accessibility.h"
#include "windowkit/celledit.h"
#include "windowkit/fixedsize.h"
#include "windowkit/keyboard.h"
#include "windowkit/messagebox.h"
#include "windowkit/windowplacement.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QTimer>
#include <chrono>
#include <vector>

namespace calibrix {
namespace {

constexpr std::chrono::milliseconds blinkInterval{100};
// The choices every start shows: the line with intercept at 95 %.
constexpr Model startModel = Model::Intercept;
constexpr int startLevel = 2;

// The keys of the window's Undo and Redo.
bool isHistoryKey(const QKeyEvent& key) {
    const QKeyCombination pressed = key.keyCombination();
    return pressed == (Qt::CTRL | Qt::Key_Z) || pressed == (Qt::CTRL | Qt::Key_Y) ||
           pressed == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}

// An action of the window, named for the code that finds it; its keys work from every control.
QAction* windowAction(const char* text, const char* name, QWidget* window) {
    auto* action = new QAction(QString::fromUtf8(text), window);
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcutContext(Qt::WindowShortcut);
    action->setShortcutVisibleInContextMenu(true);
    return action;
}

// The widgets of the main window's own kinds.
QWidget* makeOwnControl(const Control& row, QWidget* parent) {
    if (row.kind == ControlKind::Plot)
        return new PlotView(parent);
    return new CellEdit(parent);
}

} // namespace

/// The window's cells as the table read and the table edits see them.
class Stat::Cells final : public CellGrid {
public:
    explicit Cells(Stat& window) : w_(window) {}

    std::string text(Column column, int row) const override {
        return w_.cell(column, row)->text().toStdString();
    }
    // The program's own writes: a trim, a deletion's moves, a paste's fill, an undo.
    void setText(Column column, int row, std::string_view text) override {
        const QScopedValueRollback writing(w_.writing_, true);
        w_.cell(column, row)->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }

private:
    Stat& w_;
};

Stat::Stat(QWidget* parent) : QWidget(parent), cells_(std::make_unique<Cells>(*this)) {
    keepFixedSizeWindowsFixed();
    buildWindow();
    buildControls();
    buildAccessibility();
    connectHandlers();
    buildHistory();
    buildMenus();
    Form_Load();
    history_.emplace(gridTexts(*cells_));
}

Stat::~Stat() {
    delete about_;
    delete samples_;
}

void Stat::buildWindow() {
    applyWindow(*this, statWindow);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(statWindow.width, statWindow.height);
    setMouseTracking(true);
    centreOnScreen(this);
}

// Every control from its layout row, then the values a start shows: the sample data, the
// start choices and the focus in the first cell.
void Stat::buildControls() {
    calibrix::buildControls(*this, statLayout(), ui_, &makeOwnControl);
    const auto sample = sampleData();
    for (std::size_t i = 0; i < sample.size(); ++i) {
        ui_.textX[i + 1]->setText(QString::fromLatin1(sample[i].c));
        ui_.textY[i + 1]->setText(QString::fromLatin1(sample[i].ms));
    }
    (startModel == Model::Origin ? ui_.option3 : ui_.option2)->setChecked(true);
    ui_.option1[startLevel]->setChecked(true);
    ui_.textX[1]->setFocus();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(blinkInterval);
}

// What screen readers and the keyboard alone need beyond the design.
void Stat::buildAccessibility() {
    exposeAsGraphic(*ui_.pict);
    hideFromScreenReaders(*ui_.text1);
    for (QAbstractButton* button :
         {ui_.comcopy, ui_.comcpaste, ui_.clear, ui_.command3, ui_.command5, ui_.command1})
        pressOnEnter(*button);
    for (int row = 1; row <= maxPoints; ++row)
        pressOnEnter(*ui_.delpoint[std::size_t(row)]);
    const std::vector<QAbstractButton*> models{ui_.option2, ui_.option3};
    const std::vector<QAbstractButton*> levels{ui_.option1[1], ui_.option1[2], ui_.option1[3]};
    for (const auto& group : {models, levels}) {
        for (QAbstractButton* option : group)
            toggleByClick(*option);
        tabToCheckedOption(group);
    }
    for (int row = 1; row <= maxPoints; ++row)
        for (Column column : {Column::C, Column::MS})
            readWholeText(*cell(column, row));
    exposeAsFrame(*this);
    spoken_ = std::make_unique<SpokenResults>(
        std::vector<QLabel*>{ui_.laba, ui_.labda, ui_.labb, ui_.labdb, ui_.labnv, ui_.labso,
                             ui_.labr},
        *ui_.pict, *this, [this] {
            return plotDescription(ui_.pict->hasPlot() ? table_.npoints : 0,
                                   (model() == Model::Origin ? ui_.option3 : ui_.option2)->text());
        });
}

void Stat::watch(QWidget* control, const Target& target) {
    targets_[control] = target;
    control->installEventFilter(this);
    if (target.mouseMove != nullptr) {
        // A control's mouse moves are its own: they must not reach the window's free area,
        // whose handler clears the highlight.
        control->setMouseTracking(true);
        control->setAttribute(Qt::WA_NoMousePropagation);
    }
}

// The cells, the delete button and the row number of one row.
void Stat::connectRow(int row) {
    const auto at = std::size_t(row);
    watch(ui_.textX[at], {.mouseMove = &Stat::TextX_MouseMove,
                          .gotFocus = &Stat::TextX_GotFocus,
                          .keyDown = &Stat::TextX_KeyDown,
                          .index = row});
    watch(ui_.textY[at], {.mouseMove = &Stat::TextY_MouseMove,
                          .gotFocus = &Stat::TextY_GotFocus,
                          .keyDown = &Stat::TextY_KeyDown,
                          .index = row});
    connect(ui_.textX[at], &QLineEdit::textChanged, this, [this, row] { TextX_Change(row); });
    connect(ui_.textY[at], &QLineEdit::textChanged, this, [this, row] { TextY_Change(row); });
    watch(ui_.delpoint[at], {.mouseMove = &Stat::delpoint_MouseMove, .index = row});
    connect(ui_.delpoint[at], &QAbstractButton::clicked, this,
            [this, row] { delpoint_Click(row); });
    watch(ui_.label1[at], {.mouseMove = &Stat::Label1_MouseMove, .index = row});
}

void Stat::connectHandlers() {
    for (int row = 1; row <= maxPoints; ++row)
        connectRow(row);
    for (int i : {0, 1})
        watch(ui_.labl1[std::size_t(i)], {.mouseMove = &Stat::Labl1_MouseMove, .index = i});
    watch(ui_.text1, {.mouseMove = &Stat::Text1_MouseMove});
    watch(ui_.pict, {.mouseMove = &Stat::Pict_MouseMove});
    for (int i = 1; i <= 3; ++i) {
        watch(ui_.label3[std::size_t(i)], {.click = &Stat::Label3_Click, .index = i});
        connect(ui_.option1[std::size_t(i)], &QRadioButton::clicked, this,
                [this, i] { Option1_Click(i); });
    }
    connect(ui_.option2, &QRadioButton::clicked, this, &Stat::Option2_Click);
    connect(ui_.option3, &QRadioButton::clicked, this, &Stat::Option3_Click);

    connect(ui_.command1, &QAbstractButton::clicked, this, &Stat::Command1_Click);
    connect(ui_.clear, &QAbstractButton::clicked, this, &Stat::Clear_Click);
    connect(ui_.comcopy, &QAbstractButton::clicked, this, &Stat::Comcopy_Click);
    connect(ui_.comcpaste, &QAbstractButton::clicked, this, &Stat::Comcpaste_Click);
    connect(ui_.command3, &QAbstractButton::clicked, this, &Stat::Command3_Click);
    connect(ui_.command5, &QAbstractButton::clicked, this, &Stat::Command5_Click);
    connect(timer1_, &QTimer::timeout, this, &Stat::Timer1_Timer);
}

// Undo and redo of the table, from every control of the window. A cell's own keys and context
// menu would undo only its own typing, and only until the program rewrites it, so they act on
// the table's history too.
void Stat::buildHistory() {
    undo_ = windowAction("Undo", "Undo", this);
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo_ = windowAction("Redo", "Redo", this);
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addActions({undo_, redo_});
    connect(undo_, &QAction::triggered, this, [this] { stepTo(history_->undo()); });
    connect(redo_, &QAction::triggered, this, [this] { stepTo(history_->redo()); });
    for (int row = 1; row <= maxPoints; ++row)
        for (Column column : {Column::C, Column::MS}) {
            QLineEdit* c = cell(column, row);
            c->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(c, &QWidget::customContextMenuRequested, this,
                    [this, c](const QPoint& at) { cellMenu(c, at); });
        }
}

// What the calibration is for, from the context menu of the results, the plot and the cells:
// the samples' concentrations, and the results and the plot for a report.
void Stat::buildMenus() {
    openSamples_ = windowAction("Sample concentrations...", "OpenSamples", this);
    openSamples_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    copyResults_ = windowAction("Copy results", "CopyResults", this);
    copyPlot_ = windowAction("Copy plot", "CopyPlot", this);
    addAction(openSamples_);
    connect(openSamples_, &QAction::triggered, this, &Stat::OpenSamples_Click);
    connect(copyResults_, &QAction::triggered, this, &Stat::CopyResults_Click);
    connect(copyPlot_, &QAction::triggered, this, &Stat::CopyPlot_Click);
    for (QWidget* shown : std::initializer_list<QWidget*>{
             ui_.laba, ui_.labda, ui_.labb, ui_.labdb, ui_.labnv, ui_.labso, ui_.labr, ui_.pict}) {
        shown->setContextMenuPolicy(Qt::ActionsContextMenu);
        shown->addActions({openSamples_, copyResults_, copyPlot_});
    }
}

// The cell's own menu, with the table's Undo and Redo in place of the cell's.
void Stat::cellMenu(QLineEdit* cell, const QPoint& at) {
    const std::unique_ptr<QMenu> menu(cell->createStandardContextMenu());
    const QList<QAction*> own = menu->actions();
    // An editable line edit's menu opens with its Undo and Redo.
    if (own.size() >= 2) {
        menu->insertActions(own[0], {undo_, redo_});
        menu->removeAction(own[0]);
        menu->removeAction(own[1]);
    }
    menu->addSeparator();
    menu->addActions({openSamples_, copyResults_, copyPlot_});
    undo_->setEnabled(history_->canUndo());
    redo_->setEnabled(history_->canRedo());
    menu->exec(cell->mapToGlobal(at));
    undo_->setEnabled(true);
    redo_->setEnabled(true);
}

void Stat::stepTo(const std::optional<GridTexts>& texts) {
    if (texts)
        userAction([&] { restoreGrid(*cells_, *texts); });
}

void Stat::Form_Load() {
    resultsshown_ = 0;
    blinkcolor_ = blinkcolor;
    Command1_Click();
    timer1_->start();
}

template <class Changes>
void Stat::userAction(Changes&& changes, std::optional<std::size_t> typedCell) {
    if (busy_) {
        // Not the program's own write: a screen reader's while a message box is open. It is
        // calculated once the box has closed.
        if (!writing_)
            pending_ = true;
        changes();
        return;
    }
    // Cleared on every way out, a thrown exception included, so no later action is ignored.
    const QScopedValueRollback busy(busy_, true);
    changes();
    do {
        pending_ = false;
        calculate();
    } while (pending_);
    if (samples_)
        samples_->setCalibration(calibration_);
    if (history_)
        history_->record(gridTexts(*cells_), typedCell);
    spoken_->update();
}

void Stat::Command1_Click() {
    userAction([] {});
}

// The calculation: read the table, fit, show the texts, draw. Every step that stops leaves the
// results and the plot blank, as showing the read has already cleared them.
void Stat::calculate() {
    resultsshown_ = 0;
    calibration_.reset();
    const Model m = model();
    const Calculation calculation = recalculate(*cells_, table_, m, level());
    showRead(calculation.read);
    const std::optional<Fit>& fit = calculation.fit;
    if (!fit)
        return;
    const ResultTexts texts = resulttexts(*fit, m, QLocale().decimalPoint().toStdString());
    const std::pair<QLabel*, const std::string&> shown[] = {
        {ui_.laba, texts.laba},   {ui_.labda, texts.labda}, {ui_.labb, texts.labb},
        {ui_.labdb, texts.labdb}, {ui_.labnv, texts.labnv}, {ui_.labso, texts.labso},
        {ui_.labr, texts.labr}};
    for (const auto& [label, text] : shown)
        label->setText(QString::fromStdString(text));

    const PlotLayout plot = plotLayout(table_.concValues(), table_.signalValues(), fit->a, fit->b);
    if (plot.status != PlotStatus::Failed)
        calibration_ = Calibration{*fit,
                                   m,
                                   level(),
                                   {table_.concValues().begin(), table_.concValues().end()},
                                   {table_.signalValues().begin(), table_.signalValues().end()}};
    switch (plot.status) {
    case PlotStatus::Drawn:
        ui_.pict->showPlot(plot.plot, table_.concValues(), table_.signalValues());
        resultsshown_ = 1;
        break;
    case PlotStatus::Skipped:
        break;
    case PlotStatus::Failed:
        vyvid();
        break;
    }
}

// What the read found, in the order the user sees it: the rows that count in bold, the first
// bad row in a message box, then the results and the plot blanked.
void Stat::showRead(const TableRead& read) {
    for (int row = 1; row <= maxPoints; ++row) {
        QLabel* label = ui_.label1[std::size_t(row)];
        const bool bold = row <= read.npoints;
        if (label->font().bold() != bold) {
            QFont font = label->font();
            font.setBold(bold);
            label->setFont(font);
        }
    }
    if (read.badrow != 0)
        showBadPoint(read.badrow);
    vyvid();
}

void Stat::vyvid() {
    ui_.pict->clearPlot();
    resultsshown_ = 0;
    for (QLabel* label : {ui_.laba, ui_.labb, ui_.labda, ui_.labdb, ui_.labso, ui_.labnv, ui_.labr})
        label->clear();
}

void Stat::showBadPoint(int row) {
    QMessageBox box(this);
    prepareMessageBox(box, QStringLiteral("incorrect value"),
                      QStringLiteral("Incorrect data. Please check the point \u2116 %1").arg(row));
    box.exec();
}

// Every change of a cell recalculates; the row only names the step that typing adds to.
void Stat::TextX_Change(int row) {
    userAction([] {}, gridSlot(Column::C, row));
}

void Stat::TextY_Change(int row) {
    userAction([] {}, gridSlot(Column::MS, row));
}

void Stat::TextX_GotFocus(int row) {
    table_.hoverpoint = std::int16_t(row);
}

void Stat::TextY_GotFocus(int row) {
    table_.hoverpoint = std::int16_t(row);
}

void Stat::TextX_KeyDown(int row, int key) {
    moveFocus(Column::C, row, key);
}

void Stat::TextY_KeyDown(int row, int key) {
    moveFocus(Column::MS, row, key);
}

// Down and Enter go down the column, Up goes up; Right and Left cross the row when the caret
// stands at the edge the key points past, or when the whole text is selected.
void Stat::moveFocus(Column column, int row, int key) {
    if ((key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) && row < maxPoints)
        gotocell(column, row + 1);
    if (key == Qt::Key_Up && row > 1)
        gotocell(column, row - 1);
    if (key == Qt::Key_Right || key == Qt::Key_Left) {
        const QLineEdit* c = cell(column, row);
        const qsizetype length = c->text().size();
        const qsizetype selLength = c->selectedText().size();
        const qsizetype selStart = c->hasSelectedText() ? c->selectionStart() : c->cursorPosition();
        if (key == Qt::Key_Right && column == Column::C &&
            (selLength == length || selStart == length))
            gotocell(Column::MS, row);
        if (key == Qt::Key_Left && column == Column::MS && (selLength == length || selStart == 0))
            gotocell(Column::C, row);
    }
}

void Stat::gotocell(Column column, int row) {
    QLineEdit* c = cell(column, row);
    c->setSelection(0, int(c->text().size()));
    c->setFocus(Qt::OtherFocusReason);
}

void Stat::delpoint_Click(int row) {
    userAction([this, row] { deleteRow(*cells_, row); });
}

void Stat::Clear_Click() {
    userAction([this] { clearGrid(*cells_); });
}

// A change of model or level recalculates; the option buttons hold the choice.
void Stat::Option1_Click(int) {
    Command1_Click();
}

void Stat::Option2_Click() {
    Command1_Click();
}

void Stat::Option3_Click() {
    Command1_Click();
}

void Stat::Label3_Click(int index) {
    ui_.option1[std::size_t(index)]->click();
}

// After a read that stopped at a bad cell the values are not the cells': the copy names that
// point again and leaves the clipboard as it was.
void Stat::Comcopy_Click() {
    if (table_.badrow != 0) {
        showBadPoint(table_.badrow);
        return;
    }
    setClipboardText(copyText(table_.concValues(), table_.signalValues(),
                              QLocale().decimalPoint().toStdString()));
}

// A refused paste shows why and changes nothing; one column goes where the user says.
void Stat::Comcpaste_Click() {
    PasteData pasted = cutPasteText(clipboardText());
    fitToCells(pasted);
    std::span<const std::string> c = pasted.first;
    std::span<const std::string> ms = pasted.second;
    switch (pasted.kind) {
    case PasteKind::NoData:
    case PasteKind::TooManyColumns:
    case PasteKind::Unrecognizable:
        showPasteProblem(this, pasted.kind);
        return;
    case PasteKind::OneColumn:
        switch (askPasteColumn(this)) {
        case ColumnChoice::C:
            ms = {};
            break;
        case ColumnChoice::MS:
            ms = c;
            c = {};
            break;
        case ColumnChoice::Cancel:
            return;
        }
        break;
    case PasteKind::TwoColumns:
        break;
    }
    userAction([&] { fillRows(*cells_, c, ms); });
}

void Stat::Command3_Click() {
    if (about_.isNull())
        about_ = new About();
    about_->show();
    about_->raise();
    about_->activateWindow();
}

// The sample window: made on first use, kept when closed.
void Stat::OpenSamples_Click() {
    if (samples_.isNull()) {
        samples_ = new Samples([this] { showSamples(); });
        samples_->setCalibration(calibration_);
    }
    samples_->show();
    samples_->raise();
    samples_->activateWindow();
}

// The plot marks the samples that have a result.
void Stat::showSamples() {
    if (samples_)
        ui_.pict->setSamples(samples_->plotted());
}

void Stat::CopyResults_Click() {
    const auto shown = [](const QLabel* label) { return label->text().toStdString(); };
    const std::vector<ResultLine> lines = {
        {"Model", (model() == Model::Origin ? ui_.option3 : ui_.option2)->text().toStdString()},
        {"Confidence level", ui_.option1[std::size_t(level())]->text().toStdString()},
        {"a", shown(ui_.laba)},
        {"\u0394a", shown(ui_.labda)},
        {"b", shown(ui_.labb)},
        {"\u0394b", shown(ui_.labdb)},
        {"DL", shown(ui_.labnv)},
        {"SD", shown(ui_.labso)},
        {"R", shown(ui_.labr)},
        {"n", std::to_string(table_.npoints)}};
    setClipboardTable(resultsText(lines), resultsHtml(lines));
}

// Twice the plot's pixels, so that it prints sharply.
void Stat::CopyPlot_Click() {
    setClipboardImage(ui_.pict->picture(2));
}

void Stat::Command5_Click() {
    QCoreApplication::quit();
}

// Closing the main window ends the program, the About window included.
void Stat::Form_Unload() {
    QCoreApplication::quit();
}

void Stat::closeEvent(QCloseEvent* event) {
    event->accept();
    Form_Unload();
}

void Stat::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first cell takes the focus when the window first shows; ask for it even where no
    // window manager hands it over, so that its point blinks from the start.
    if (!event->spontaneous())
        activateWindow();
}

void Stat::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The window manager draws the icon, not this frame; it follows once the frame is out.
    if (!testAttribute(Qt::WA_SetWindowIcon))
        QTimer::singleShot(0, this, [this] {
            if (!testAttribute(Qt::WA_SetWindowIcon))
                setWindowIcon(programIcon());
        });
}

void Stat::Timer1_Timer() {
    if (resultsshown_ == 0)
        return;
    blinkcolor_ = 16 - blinkcolor_;
    const int row = table_.hoverpoint;
    ui_.pict->highlight(row >= 1 && row <= table_.npoints ? row : 0, blinkcolor_);
}

// The free area of the window, the plot, the strip and the labels highlight nothing; a row's
// cells and its delete button highlight that row.
void Stat::Form_MouseMove() {
    table_.hoverpoint = 0;
}

void Stat::TextX_MouseMove(int row) {
    table_.hoverpoint = std::int16_t(row);
}

void Stat::TextY_MouseMove(int row) {
    table_.hoverpoint = std::int16_t(row);
}

void Stat::delpoint_MouseMove(int row) {
    table_.hoverpoint = std::int16_t(row);
}

void Stat::Label1_MouseMove(int) {
    table_.hoverpoint = 0;
}

void Stat::Labl1_MouseMove(int) {
    table_.hoverpoint = 0;
}

void Stat::Text1_MouseMove(int) {
    table_.hoverpoint = 0;
}

void Stat::Pict_MouseMove(int) {
    table_.hoverpoint = 0;
}

void Stat::mouseMoveEvent(QMouseEvent* event) {
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

// Hands a watched control's events to its handlers; the control still handles each event.
bool Stat::eventFilter(QObject* watched, QEvent* event) {
    const auto found = targets_.find(watched);
    if (found == targets_.end())
        return QWidget::eventFilter(watched, event);
    const Target& t = found->second;
    switch (event->type()) {
    case QEvent::MouseMove:
        if (t.mouseMove != nullptr)
            (this->*t.mouseMove)(t.index);
        break;
    case QEvent::FocusIn:
        if (t.gotFocus != nullptr) {
            // Typing in another cell is another step, even with nothing done between.
            if (history_)
                history_->seal();
            (this->*t.gotFocus)(t.index);
        }
        break;
    case QEvent::ShortcutOverride:
        // A cell would take the undo keys for its own typing; the window's actions take them.
        if (t.keyDown != nullptr && isHistoryKey(*static_cast<QKeyEvent*>(event)))
            return true;
        break;
    case QEvent::KeyPress:
        if (t.keyDown != nullptr) {
            const auto* key = static_cast<QKeyEvent*>(event);
            // The menu key and Shift+F10 open a cell's menu, as in any desktop program.
            if (key->key() == Qt::Key_Menu || key->keyCombination() == (Qt::SHIFT | Qt::Key_F10)) {
                auto* edit = static_cast<QLineEdit*>(watched);
                cellMenu(edit, QPoint(2, edit->height() / 2));
                return true;
            }
            (this->*t.keyDown)(t.index, key->key());
        }
        break;
    case QEvent::MouseButtonRelease:
        if (t.click != nullptr && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            (this->*t.click)(t.index);
        break;
    default:
        break;
    }
    return false;
}

Model Stat::model() const {
    return ui_.option3->isChecked() ? Model::Origin : Model::Intercept;
}

int Stat::level() const {
    for (int i = 1; i <= 3; ++i)
        if (ui_.option1[std::size_t(i)]->isChecked())
            return i;
    return startLevel;
}

QLineEdit* Stat::cell(Column column, int row) const {
    return (column == Column::C ? ui_.textX : ui_.textY)[std::size_t(row)];
}

} // namespace calibrix
