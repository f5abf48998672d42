#include "ui/samples.h"

#include "clipboard/clipboardio.h"
#include "clipboard/sampletext.h"
#include "plot/plotview.h"
#include "windowkit/accessibility.h"
#include "windowkit/celledit.h"
#include "windowkit/keyboard.h"
#include "windowkit/windowplacement.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>

namespace calibrix {

namespace {

QWidget* makeCell(const Control&, QWidget* parent) {
    return new CellEdit(parent);
}

constexpr int nameChars = 40;

} // namespace

Samples::Samples(std::function<void()> changed, QWidget* parent)
    : QWidget(parent), shown_(maxPoints), changed_(std::move(changed)) {
    buildWindow();
    connectHandlers();
}

Samples::~Samples() = default;

void Samples::buildWindow() {
    applyWindow(*this, samplesWindow);
    setWindowIcon(programIcon());
    // A companion of the main window: it never keeps the program running by itself.
    setAttribute(Qt::WA_QuitOnClose, false);
    calibrix::buildControls(*this, samplesLayout(), ui_, &makeCell);
    std::vector<QLabel*> fields;
    for (int row = 1; row <= maxPoints; ++row) {
        const auto at = std::size_t(row);
        ui_.name[at]->setMaxLength(nameChars);
        for (QLineEdit* cell : {ui_.name[at], ui_.ms[at], ui_.m[at]})
            readWholeText(*cell);
        fields.insert(fields.end(), {ui_.c[at], ui_.dc[at], ui_.note[at]});
    }
    for (QAbstractButton* button : {ui_.copy, ui_.paste})
        pressOnEnter(*button);
    // A window of its own, as the main window is: a dialog would be read whole by a screen
    // reader each time a result in it changes.
    exposeAsFrame(*this);
    // The window has no plot of its own; a screen reader reading a description of the window
    // itself would read the whole window again at each change.
    auto* described = new QWidget(this);
    described->setGeometry(0, 0, 0, 0);
    described->hide();
    spoken_ = std::make_unique<SpokenResults>(fields, *described, *this,
                                              [] { return QStringLiteral("samples"); });
    setFixedSize(samplesWindow.width, samplesWindow.height);
    centreOnScreen(this);
    ui_.ms[1]->setFocus();
}

void Samples::connectHandlers() {
    for (int row = 1; row <= maxPoints; ++row) {
        const auto at = std::size_t(row);
        for (QLineEdit* cell : {ui_.ms[at], ui_.m[at]})
            connect(cell, &QLineEdit::textChanged, this, [this] {
                if (!filling_)
                    recalculate();
            });
    }
    connect(ui_.copy, &QAbstractButton::clicked, this, &Samples::SampleCopy_Click);
    connect(ui_.paste, &QAbstractButton::clicked, this, &Samples::SamplePaste_Click);
}

// Escape closes the window, as it closes any dialog; closed, it is only hidden.
void Samples::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void Samples::setCalibration(std::optional<Calibration> calibration) {
    calibration_ = std::move(calibration);
    recalculate();
}

// Every row again: the texts a row shows change only with its cells or the calibration.
void Samples::recalculate() {
    const std::string separator = QLocale().decimalPoint().toStdString();
    bool changed = false;
    for (int row = 1; row <= maxPoints; ++row) {
        const auto at = std::size_t(row);
        SampleTexts& texts = shown_[at - 1];
        texts = sampletexts(ui_.ms[at]->text().toStdString(), ui_.m[at]->text().toStdString(),
                            calibration_, separator);
        const std::pair<QLabel*, const std::string&> shown[] = {
            {ui_.c[at], texts.c}, {ui_.dc[at], texts.dc}, {ui_.note[at], texts.note}};
        for (const auto& [label, text] : shown) {
            const QString now = QString::fromStdString(text);
            if (label->text() != now) {
                label->setText(now);
                changed = true;
            }
        }
    }
    if (changed)
        spoken_->update();
    if (changed_)
        changed_();
}

std::vector<PlotSample> Samples::plotted() const {
    std::vector<PlotSample> out;
    for (int row = 1; row <= maxPoints; ++row) {
        const SampleTexts& texts = shown_[std::size_t(row - 1)];
        if (texts.estimate && texts.estimate->c)
            out.push_back({row, *texts.estimate->c, texts.estimate->dc.value_or(0), texts.ms});
    }
    return out;
}

void Samples::SampleCopy_Click() {
    std::vector<SampleLine> rows;
    for (int row = 1; row <= maxPoints; ++row) {
        const auto at = std::size_t(row);
        rows.push_back({ui_.name[at]->text().toStdString(), ui_.ms[at]->text().toStdString(),
                        ui_.m[at]->text().toStdString(), ui_.c[at]->text().toStdString(),
                        ui_.dc[at]->text().toStdString(), ui_.note[at]->text().toStdString()});
    }
    setClipboardText(sampleCopyText(rows));
}

// The pasted rows replace every row; one calculation follows.
void Samples::SamplePaste_Click() {
    const std::vector<SampleLine> rows = cutSampleText(clipboardText());
    filling_ = true;
    for (int row = 1; row <= maxPoints; ++row) {
        const auto at = std::size_t(row);
        const SampleLine none;
        const SampleLine& line = std::size_t(row) <= rows.size() ? rows[at - 1] : none;
        ui_.name[at]->setText(QString::fromStdString(line.name));
        ui_.ms[at]->setText(QString::fromStdString(line.ms));
        ui_.m[at]->setText(QString::fromStdString(line.m));
    }
    filling_ = false;
    recalculate();
}

} // namespace calibrix
