#pragma once

#include "core/samples.h"
#include "ui/sampleslayout.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace calibrix {

class SpokenResults;
struct PlotSample;

/// The sample window: the signals of unknown samples and their concentrations, read from the
/// calibration the main window shows. A companion window, created on first use and kept when
/// closed.
class Samples : public QWidget {
    Q_OBJECT

public:
    /// `changed` runs whenever the samples' results change, so that the plot follows.
    explicit Samples(std::function<void()> changed, QWidget* parent = nullptr);
    ~Samples() override;

    /// The main window's calibration; nullopt while its results are blank.
    void setCalibration(std::optional<Calibration> calibration);
    /// Every sample with a result, as the plot marks it.
    std::vector<PlotSample> plotted() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildWindow();
    void connectHandlers();
    void recalculate();
    void SampleCopy_Click();
    void SamplePaste_Click();

    SamplesControls ui_;
    std::optional<Calibration> calibration_;
    std::vector<SampleTexts> shown_; ///< rows 1..25 at 0..24
    std::function<void()> changed_;
    std::unique_ptr<SpokenResults> spoken_;
    bool filling_ = false; ///< a paste is writing the cells; one calculation follows
};

} // namespace calibrix
