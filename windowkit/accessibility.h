#pragma once

#include <QString>
#include <functional>
#include <vector>

class QAbstractButton;
class QLabel;
class QWidget;

namespace calibrix {

/// What a screen reader says for a result field: its meaning, then the text it shows without
/// the padding blanks, or "empty".
QString resultSpeech(const QString& meaning, const QString& shown);

/// What the plot shows now, for screen readers: the number of points and the line's model.
QString plotDescription(int points, const QString& model);

/// Keeps the screen-reader names of the result fields and the description of the plot in step
/// with what they show. A changed name or description is announced by Qt as it is set.
class SpokenResults {
public:
    /// Takes each field's accessible name as its meaning ("a", "detection limit").
    SpokenResults(std::vector<QLabel*> fields, QWidget& plot);

    /// Names every field by its meaning and text; describes the plot with `points` points
    /// (0: nothing plotted) and the line `model`.
    void update(int points, const QString& model) const;

private:
    struct Field {
        QLabel* label;
        QString meaning;
    };
    std::vector<Field> fields_;
    QWidget* plot_;
};

/// Shows a drawing to assistive technology as a picture rather than as a frame.
void exposeAsGraphic(QWidget& widget);

/// Hides a purely decorative control from assistive technology.
void hideFromScreenReaders(QWidget& widget);

/// Lets a screen reader's Toggle action on an option button click it, so that the option's
/// click handlers run as they do for the mouse and the keyboard; Qt's own action only checks it.
void toggleByClick(QAbstractButton& option);

/// Makes a text label a link for the keyboard and for screen readers: Tab reaches it, Enter
/// and Space open it, and it is exposed as a link whose action opens it. The mouse is left to
/// the label's owner.
void makeLink(QLabel& label, std::function<void()> open);

} // namespace calibrix
