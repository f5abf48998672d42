#include "ui/stat.h"

#include "clipboard/clipboardio.h"
#include "clipboard/copytext.h"
#include "clipboard/pastetext.h"
#include "core/calculation.h"
#include "core/results.h"
#include "plot/plotgeometry.h"
#include "plot/plotview.h"
#include "ui/about.h"
#include "ui/designstyle.h"
#include "ui/fixedsize.h"
#include "ui/fonts.h"
#include "ui/statlayout.h"
#include "ui/windowplacement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <map>
#include <vector>

namespace calibrix {
namespace {

constexpr int cellMaxLength = 12;

/// A data cell: a line edit with the flat one-pixel border of a spreadsheet cell, blue while it
/// has the focus.
class CellEdit final : public QLineEdit {
public:
    explicit CellEdit(QWidget* parent) : QLineEdit(parent) {
        setFrame(false);
        setTextMargins(2, 0, 1, 3); // the next row covers the bottom of a cell
        setMaxLength(cellMaxLength);
        setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        QPainter p(this);
        p.setPen(hasFocus() ? QColor(0, 84, 200) : QColor(122, 122, 122));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

QFont fontOf(ControlFont font) {
    switch (font) {
    case ControlFont::Small:
        return uifont(11);
    case ControlFont::SmallBold:
        return uifont(11, true);
    case ControlFont::Medium:
        return uifont(13);
    case ControlFont::MediumBold:
        return uifont(13, true);
    case ControlFont::LargeBold:
        return uifont(16, true);
    case ControlFont::Tiny:
        return uifont(3);
    }
    return uifont(11);
}

QColor rgb(std::uint32_t value) {
    return QColor(int(value >> 16 & 0xFF), int(value >> 8 & 0xFF), int(value & 0xFF));
}

void setColours(QWidget* w, const ControlSpec& design) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, rgb(design.back));
    pal.setColor(QPalette::Base, rgb(design.back));
    pal.setColor(QPalette::WindowText, rgb(design.fore));
    pal.setColor(QPalette::Text, rgb(design.fore));
    pal.setColor(QPalette::ButtonText, rgb(design.fore));
    pal.setColor(QPalette::Button, rgb(design.back));
    w->setPalette(pal);
}

QString nameOf(const ControlSpec& design, int index) {
    const QString name = QString::fromLatin1(design.name);
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

/// The button pictures, each loaded once: the 25 delete buttons share one icon.
class Pictures {
public:
    /// Gives the button the picture at the size its artwork was drawn for.
    void set(QAbstractButton* button, const char* name) {
        auto found = icons_.find(name);
        if (found == icons_.end()) {
            const QString path = QStringLiteral(":/resources/%1.svg").arg(QLatin1String(name));
            found = icons_.emplace(name, QIcon(path)).first;
        }
        button->setIcon(found->second);
        for (const Picture& picture : pictures())
            if (std::string_view(picture.name) == name)
                button->setIconSize(QSize(picture.width, picture.height));
    }

private:
    std::map<std::string_view, QIcon> icons_;
};

QLabel* makeLabel(QWidget* parent, const ControlSpec& design, int index) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(design.kind == ControlKind::Header ||
                                 design.kind == ControlKind::Result);
    switch (design.kind) {
    case ControlKind::Header:
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Box);
        label->setText(QString::fromUtf8(design.text));
        break;
    case ControlKind::RowNumber:
        label->setAlignment(Qt::AlignCenter);
        label->setText(QString::number(index));
        break;
    case ControlKind::Caption:
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setText(QString::fromUtf8(design.text));
        break;
    case ControlKind::Result:
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setFrameShape(QFrame::Box);
        break;
    default:
        label->setText(QString::fromUtf8(design.text));
        break;
    }
    return label;
}

} // namespace

/// The window's cells as the table read sees them.
class Stat::Cells final : public CellGrid {
public:
    explicit Cells(Stat& window) : w_(window) {}

    std::string text(Column column, int row) const override {
        return w_.cell(column, row)->text().toStdString();
    }
    void setText(Column column, int row, std::string_view text) override {
        w_.cell(column, row)->setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    }
    void setRowBold(int row, bool bold) override {
        QLabel* label = w_.label1_[std::size_t(row)];
        if (label->font().bold() != bold) {
            QFont font = label->font();
            font.setBold(bold);
            label->setFont(font);
        }
    }
    void reportBadPoint(int row) override { w_.showBadPoint(row); }
    void clearResults() override { w_.vyvid(); }

private:
    Stat& w_;
};

Stat::Stat(QWidget* parent) : QWidget(parent), cells_(std::make_unique<Cells>(*this)) {
    keepFixedSizeWindowsFixed();
    buildControls();
    connectHandlers();
    Form_Load();
}

Stat::~Stat() {
    delete about_;
}

void Stat::buildControls() {
    setObjectName(QStringLiteral("Stat"));
    setWindowTitle(QStringLiteral("CALIBRIX for Chemical Analysis " CALIBRIX_VERSION));
    setWindowIcon(QIcon(QStringLiteral(":/resources/calibrix.svg")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(598, 482);
    setFont(uifont(11));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(224, 224, 224));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setMouseTracking(true);

    Pictures pictures;
    QGroupBox* frame1 = nullptr;
    QGroupBox* frame2 = nullptr;
    std::vector<std::pair<int, QWidget*>> tabOrder;

    for (const ControlSpec& design : statlayout()) {
        const bool array = design.first >= 0;
        for (int index = design.first; index <= design.last; ++index) {
            QWidget* parentWidget = this;
            if (design.parent == ControlParent::Frame1)
                parentWidget = frame1;
            else if (design.parent == ControlParent::Frame2)
                parentWidget = frame2;
            const int step = array ? index - design.first : 0;
            QWidget* w = nullptr;
            switch (design.kind) {
            case ControlKind::Label:
            case ControlKind::Header:
            case ControlKind::RowNumber:
            case ControlKind::Caption:
            case ControlKind::Result:
            case ControlKind::Level:
                w = makeLabel(parentWidget, design, index);
                break;
            case ControlKind::Cell:
                w = new CellEdit(parentWidget);
                break;
            case ControlKind::DeleteButton: {
                auto* button = new QToolButton(parentWidget);
                button->setAutoRaise(true);
                pictures.set(button, design.text);
                w = button;
                break;
            }
            case ControlKind::Frame: {
                auto* frame = new QGroupBox(QString::fromUtf8(design.text), parentWidget);
                (design.name == std::string_view("Frame1") ? frame1 : frame2) = frame;
                w = frame;
                break;
            }
            case ControlKind::Option:
                w = new QRadioButton(QString::fromUtf8(design.text), parentWidget);
                break;
            case ControlKind::Button: {
                auto* button = new QPushButton(parentWidget);
                pictures.set(button, design.text);
                w = button;
                break;
            }
            case ControlKind::Plot:
                w = pict_ = new PlotView(parentWidget);
                break;
            case ControlKind::Strip: {
                auto* strip = new QLineEdit(parentWidget);
                strip->setFrame(false);
                strip->setEnabled(false);
                w = strip;
                break;
            }
            }
            w->setObjectName(nameOf(design, array ? index : -1));
            w->setGeometry(twips(design.left), twips(design.top + step * design.rowStep),
                           twips(design.width), twips(design.height));
            w->setFont(fontOf(design.font));
            setColours(w, design);
            if (design.toolTip != nullptr)
                w->setToolTip(QString::fromUtf8(design.toolTip));
            if (design.accessible != nullptr) {
                const QString accessible = QString::fromUtf8(design.accessible);
                w->setAccessibleName(accessible.contains(u"%1") ? accessible.arg(index)
                                                                : accessible);
            }
            tabOrder.emplace_back(design.tab + step, w);
        }
    }

    // Look the controls up once, so that the handlers index arrays instead of searching.
    for (int i = 1; i <= maxpoints; ++i) {
        const auto at = std::size_t(i);
        textX_[at] = findChild<QLineEdit*>(QStringLiteral("TextX(%1)").arg(i));
        textY_[at] = findChild<QLineEdit*>(QStringLiteral("TextY(%1)").arg(i));
        label1_[at] = findChild<QLabel*>(QStringLiteral("Label1(%1)").arg(i));
        delpoint_[at] = findChild<QAbstractButton*>(QStringLiteral("delpoint(%1)").arg(i));
    }
    for (int i = 1; i <= 3; ++i) {
        option1_[std::size_t(i)] = findChild<QRadioButton*>(QStringLiteral("Option1(%1)").arg(i));
        label3_[std::size_t(i)] = findChild<QLabel*>(QStringLiteral("Label3(%1)").arg(i));
    }
    option2_ = findChild<QRadioButton*>(QStringLiteral("Option2"));
    option3_ = findChild<QRadioButton*>(QStringLiteral("Option3"));
    laba_ = findChild<QLabel*>(QStringLiteral("Laba"));
    labda_ = findChild<QLabel*>(QStringLiteral("Labda"));
    labb_ = findChild<QLabel*>(QStringLiteral("Labb"));
    labdb_ = findChild<QLabel*>(QStringLiteral("Labdb"));
    labnv_ = findChild<QLabel*>(QStringLiteral("Labnv"));
    labso_ = findChild<QLabel*>(QStringLiteral("Labso"));
    labr_ = findChild<QLabel*>(QStringLiteral("Labr"));

    option2_->setChecked(true);
    option1_[2]->setChecked(true);
    const auto sample = sampledata();
    for (std::size_t i = 0; i < sample.size(); ++i) {
        textX_[i + 1]->setText(QString::fromLatin1(sample[i].c));
        textY_[i + 1]->setText(QString::fromLatin1(sample[i].ms));
    }

    // The tab order follows the design's tab indices over the controls that take the focus.
    std::sort(tabOrder.begin(), tabOrder.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QWidget* previous = nullptr;
    for (const auto& [tab, w] : tabOrder) {
        if (w->focusPolicy() == Qt::NoFocus || !w->isEnabled())
            continue;
        if (previous != nullptr)
            setTabOrder(previous, w);
        previous = w;
    }
    textX_[1]->setFocus();
    keepDesignLook(this);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);

    centreOnScreen(this);
}

void Stat::watch(QWidget* control, Target target) {
    targets_[control] = target;
    control->installEventFilter(this);
    if (target.kind != Target::Kind::Level) {
        // A control's mouse moves are its own: they must not reach the window's free area,
        // whose handler clears the highlight.
        control->setMouseTracking(true);
        control->setAttribute(Qt::WA_NoMousePropagation);
    }
}

void Stat::connectHandlers() {
    for (int i = 1; i <= maxpoints; ++i) {
        for (Column column : {Column::C, Column::MS}) {
            watch(cell(column, i), Target{Target::Kind::Cell, column, i});
            connect(cell(column, i), &QLineEdit::textChanged, this, &Stat::cellChanged);
        }
        QAbstractButton* del = delpoint_[std::size_t(i)];
        watch(del, Target{Target::Kind::Hover, Column::C, i});
        connect(del, &QAbstractButton::clicked, this, [this, i] { delpoint_Click(i); });
        watch(label1_[std::size_t(i)], Target{Target::Kind::Hover, Column::C, 0});
    }
    for (const char* name : {"Labl1(0)", "Labl1(1)", "Text1", "Pict"})
        watch(findChild<QWidget*>(QLatin1String(name)), Target{Target::Kind::Hover, Column::C, 0});
    for (int i = 1; i <= 3; ++i) {
        watch(label3_[std::size_t(i)], Target{Target::Kind::Level, Column::C, i});
        connect(option1_[std::size_t(i)], &QRadioButton::clicked, this, &Stat::optionClicked);
    }
    connect(option2_, &QRadioButton::clicked, this, &Stat::optionClicked);
    connect(option3_, &QRadioButton::clicked, this, &Stat::optionClicked);

    auto button = [this](const char* name) {
        return findChild<QAbstractButton*>(QLatin1String(name));
    };
    connect(button("Command1"), &QAbstractButton::clicked, this, &Stat::Command1_Click);
    connect(button("Clear"), &QAbstractButton::clicked, this, &Stat::Clear_Click);
    connect(button("Comcopy"), &QAbstractButton::clicked, this, &Stat::Comcopy_Click);
    connect(button("Comcpaste"), &QAbstractButton::clicked, this, &Stat::Comcpaste_Click);
    connect(button("Command3"), &QAbstractButton::clicked, this, &Stat::Command3_Click);
    connect(button("Command5"), &QAbstractButton::clicked, this, &Stat::Command5_Click);
    connect(timer1_, &QTimer::timeout, this, &Stat::Timer1_Timer);
}

void Stat::Form_Load() {
    resultsshown_ = 0;
    blinkcolor_ = 15;
    Command1_Click();
    timer1_->start();
}

template <class Changes> void Stat::userAction(Changes&& changes) {
    if (busy_) {
        changes();
        return;
    }
    busy_ = true;
    changes();
    calculate();
    busy_ = false;
}

void Stat::Command1_Click() {
    userAction([] {});
}

// The calculation: read the table, fit, show the texts, draw. Every step that stops leaves the
// results and the plot blank, as the table read has already cleared them.
void Stat::calculate() {
    resultsshown_ = 0;
    const Model m = model();
    const std::optional<Fit> fit = recalculate(*cells_, table_, m, level());
    if (!fit)
        return;
    const ResultTexts texts = resulttexts(*fit, m, QLocale().decimalPoint().toStdString());
    laba_->setText(QString::fromStdString(texts.laba));
    labda_->setText(QString::fromStdString(texts.labda));
    labb_->setText(QString::fromStdString(texts.labb));
    labdb_->setText(QString::fromStdString(texts.labdb));
    labnv_->setText(QString::fromStdString(texts.labnv));
    labso_->setText(QString::fromStdString(texts.labso));
    labr_->setText(QString::fromStdString(texts.labr));

    const PlotLayout plot = plotlayout(table_.concs(), table_.signals(), fit->a, fit->b);
    switch (plot.status) {
    case PlotStatus::Drawn:
        pict_->showPlot(plot.plot, table_.concs(), table_.signals());
        resultsshown_ = 1;
        break;
    case PlotStatus::Skipped:
        break;
    case PlotStatus::Failed:
        vyvid();
        break;
    }
}

void Stat::vyvid() {
    pict_->clearPlot();
    resultsshown_ = 0;
    for (QLabel* label : {laba_, labb_, labda_, labdb_, labso_, labnv_, labr_})
        label->clear();
}

void Stat::showBadPoint(int row) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("incorrect value"),
                    QStringLiteral("Incorrect data. Please check the point \u2116 %1").arg(row),
                    QMessageBox::Ok, this);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void Stat::cellChanged() {
    Command1_Click();
}

void Stat::cellKeyDown(Column column, int row, int key) {
    if ((key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) && row < maxpoints)
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
    userAction([this, row] {
        // The last row with any text once leading blanks are gone.
        int n = 0;
        for (int i = maxpoints; i >= 1 && n == 0; --i) {
            auto filled = [](const QString& t) {
                return std::any_of(t.begin(), t.end(), [](QChar ch) { return ch != u' '; });
            };
            if (filled(textX_[std::size_t(i)]->text()) || filled(textY_[std::size_t(i)]->text()))
                n = i;
        }
        for (int r = row; r < n; ++r) {
            cells_->setText(Column::C, r, cells_->text(Column::C, r + 1));
            cells_->setText(Column::MS, r, cells_->text(Column::MS, r + 1));
        }
        if (row <= n) {
            cells_->setText(Column::C, n, "");
            cells_->setText(Column::MS, n, "");
        }
    });
}

void Stat::Clear_Click() {
    userAction([this] {
        for (int i = 1; i <= maxpoints; ++i) {
            textX_[std::size_t(i)]->clear();
            textY_[std::size_t(i)]->clear();
        }
    });
}

void Stat::optionClicked() {
    Command1_Click();
}

void Stat::Label3_Click(int index) {
    option1_[std::size_t(index)]->click();
}

void Stat::Comcopy_Click() {
    setClipboardText(
        copytext(table_.concs(), table_.signals(), QLocale().decimalPoint().toStdString()));
}

void Stat::Comcpaste_Click() {
    const PasteData pasted = cutpastetext(clipboardText());
    Column only = Column::C;
    switch (pasted.kind) {
    case PasteKind::NoData:
    case PasteKind::TooManyColumns:
    case PasteKind::Unrecognizable:
        showPasteProblem(this, pasted.kind);
        return;
    case PasteKind::OneColumn: {
        const ColumnChoice choice = askPasteColumn(this);
        if (choice == ColumnChoice::Cancel)
            return;
        only = choice == ColumnChoice::C ? Column::C : Column::MS;
        break;
    }
    case PasteKind::TwoColumns:
        break;
    }
    userAction([&] {
        for (int i = 1; i <= maxpoints; ++i) {
            const auto at = std::size_t(i - 1);
            if (pasted.kind == PasteKind::TwoColumns) {
                cells_->setText(Column::C, i, pasted.first[at]);
                cells_->setText(Column::MS, i, pasted.second[at]);
            } else {
                cells_->setText(only, i, pasted.first[at]);
            }
        }
    });
}

void Stat::Command3_Click() {
    if (about_.isNull())
        about_ = new About();
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void Stat::Command5_Click() {
    QCoreApplication::quit();
}

void Stat::closeEvent(QCloseEvent* event) {
    // Form_Unload: closing the main window ends the program, the About window included.
    event->accept();
    QCoreApplication::quit();
}

void Stat::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first cell takes the focus when the window first shows; ask for it even where no
    // window manager hands it over, so that its point blinks from the start.
    if (!event->spontaneous())
        activateWindow();
}

void Stat::Timer1_Timer() {
    if (resultsshown_ == 0)
        return;
    blinkcolor_ = 16 - blinkcolor_;
    const int row = table_.hoverpoint;
    pict_->highlight(row >= 1 && row <= table_.npoints ? row : 0, blinkcolor_);
}

void Stat::mouseMoveEvent(QMouseEvent* event) {
    table_.hoverpoint = 0; // Form_MouseMove: the free area of the window highlights nothing
    QWidget::mouseMoveEvent(event);
}

bool Stat::eventFilter(QObject* watched, QEvent* event) {
    const auto found = targets_.find(watched);
    if (found == targets_.end())
        return QWidget::eventFilter(watched, event);
    const Target& target = found->second;
    switch (event->type()) {
    case QEvent::MouseMove:
        if (target.kind != Target::Kind::Level)
            table_.hoverpoint = std::int16_t(target.row);
        break;
    case QEvent::FocusIn:
        if (target.kind == Target::Kind::Cell)
            table_.hoverpoint = std::int16_t(target.row);
        break;
    case QEvent::KeyPress:
        if (target.kind == Target::Kind::Cell)
            cellKeyDown(target.column, target.row, static_cast<QKeyEvent*>(event)->key());
        break;
    case QEvent::MouseButtonRelease:
        if (target.kind == Target::Kind::Level &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            Label3_Click(target.row);
        break;
    default:
        break;
    }
    return false; // the control still handles its event as usual
}

Model Stat::model() const {
    return option3_->isChecked() ? Model::Origin : Model::Intercept;
}

int Stat::level() const {
    for (int i = 1; i <= 3; ++i)
        if (option1_[std::size_t(i)]->isChecked())
            return i;
    return 2;
}

QLineEdit* Stat::cell(Column column, int row) const {
    return column == Column::C ? textX_[std::size_t(row)] : textY_[std::size_t(row)];
}

} // namespace calibrix
