#pragma once

#include <QLineEdit>

namespace calibrix {

/// A data cell: a line edit with the flat one-pixel border of a spreadsheet cell, blue while it
/// has the focus, holding at most a cell's 12 characters.
class CellEdit final : public QLineEdit {
public:
    explicit CellEdit(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace calibrix
