#pragma once

#include <QAccessible>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QWidget;

namespace calibrix {

class AfterPaint;

/// What a screen reader says for a result field: its meaning, then the text it shows without
/// the padding blanks, or "empty".
QString resultSpeech(const QString& meaning, const QString& shown);

/// What the plot shows now, for screen readers: the number of points and the line's model.
QString plotDescription(int points, const QString& model);

/// A result as a screen reader hears it: its meaning ("b") and the text it shows.
struct HeardResult {
    QString meaning;
    QString shown;
};

/// The results that differ between `before` and `now`, each as its meaning and its value
/// ("b 2.115152, correlation coefficient 0.08291"; a blank one is "empty"), or "results empty"
/// once every result is blank. Empty when nothing changed. Both lists hold the same results in
/// the same order.
QString changedResults(const std::vector<HeardResult>& before, const std::vector<HeardResult>& now);

/// Every result as its meaning and its value, or "results empty".
QString allResults(const std::vector<HeardResult>& now);

/// Keeps what screen readers hear of the results in step with what the window shows: the name
/// of each field, the description of the plot, a status bar that holds every result, and a
/// notification that speaks the results a recalculation changed. All of it waits while no
/// assistive technology listens, so that a sighted user pays nothing for it.
class SpokenResults final : public QAccessible::ActivationObserver {
public:
    /// Takes each field's accessible name as its meaning ("a", "detection limit"), and asks
    /// `describePlot` what the plot shows; the status bar and the notification are made as
    /// children of `window` that have no size. `listening` tells whether assistive technology
    /// listens (Qt's own answer unless a test gives another).
    SpokenResults(std::vector<QLabel*> fields, QWidget& plot, QWidget& window,
                  std::function<QString()> describePlot,
                  std::function<bool()> listening = &QAccessible::isActive);
    ~SpokenResults() override;
    SpokenResults(const SpokenResults&) = delete;
    SpokenResults& operator=(const SpokenResults&) = delete;

    /// After a recalculation: once the window is painted, names every field by its meaning and
    /// text, describes the plot, and announces the results that changed since the last
    /// announcement. Several recalculations before the paint make one announcement.
    void update();

    /// A screen reader came (or went): everything is brought up to date without a word, as
    /// the results on screen are not news to it.
    void accessibilityActiveChanged(bool active) override;

private:
    std::vector<HeardResult> heard() const;
    void describe();
    void speak();

    struct Field {
        QLabel* label;
        QString meaning;
    };
    std::vector<Field> fields_;
    QWidget* plot_;
    QLabel* statusBar_;
    QLabel* notification_;
    std::function<QString()> describePlot_;
    std::function<bool()> listening_;
    std::vector<HeardResult> announced_; ///< the results as last heard
    std::unique_ptr<AfterPaint> afterPaint_;
};

/// Exposes a top-level widget as a frame (the main window) or a dialog, named by its title, so
/// that a screen reader's title command reads it and the window's activation is heard.
void exposeAsFrame(QWidget& window);
void exposeAsDialog(QWidget& window);

/// Exposes a line edit with one text-attribute run over its whole text: Qt's own reports empty
/// runs, from which a screen reader reads the value one character short. For Qt 6.4.2
/// (QAccessibleLineEdit::attributes).
void readWholeText(QLineEdit& edit);

/// Shows a drawing to assistive technology as a picture rather than as a frame.
void exposeAsGraphic(QWidget& widget);

/// Hides a purely decorative control from assistive technology.
void hideFromScreenReaders(QWidget& widget);

/// Lets a screen reader's Toggle action on an option button click it, so that the option's
/// click handlers run as they do for the mouse and the keyboard; Qt's own action only checks it.
/// For Qt 6.4.2 (QAccessibleButton::doAction calls toggle(), which emits no clicked()).
void toggleByClick(QAbstractButton& option);

/// Makes a text label a link for the keyboard and for screen readers: Tab reaches it, Enter
/// and Space open it, and it is exposed as a link whose action opens it. The mouse is left to
/// the label's owner.
void makeLink(QLabel& label, std::function<void()> open);

} // namespace calibrix
