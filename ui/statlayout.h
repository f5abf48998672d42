#pragma once

#include "core/pointtable.h"
#include "windowkit/controltable.h"

#include <array>
#include <span>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace calibrix {

class PlotView;

/// The main window's controls that its code uses, kept as the layout builds them. Arrays are
/// indexed as the design indexes them: rows 1..25, levels 1..3, Labl1 0..1.
struct StatControls {
    std::array<QLineEdit*, maxPoints + 1> textX{};
    std::array<QLineEdit*, maxPoints + 1> textY{};
    std::array<QLabel*, maxPoints + 1> label1{};
    std::array<QAbstractButton*, maxPoints + 1> delpoint{};
    std::array<QLabel*, 2> labl1{};
    QLineEdit* text1 = nullptr;
    std::array<QRadioButton*, 4> option1{};
    std::array<QLabel*, 4> label3{};
    QRadioButton* option2 = nullptr;
    QRadioButton* option3 = nullptr;
    QLabel* laba = nullptr;
    QLabel* labda = nullptr;
    QLabel* labb = nullptr;
    QLabel* labdb = nullptr;
    QLabel* labnv = nullptr;
    QLabel* labso = nullptr;
    QLabel* labr = nullptr;
    PlotView* pict = nullptr;
    QAbstractButton* comcopy = nullptr;
    QAbstractButton* comcpaste = nullptr;
    QAbstractButton* clear = nullptr;
    QAbstractButton* command3 = nullptr;
    QAbstractButton* command5 = nullptr;
    QAbstractButton* command1 = nullptr;
};

/// The main window itself: name, title, client size, default font and colors.
extern const WindowDesign statWindow;

/// The main window's controls, one row per control or control array.
std::span<const ControlRow<StatControls>> statLayout();

/// The design texts of the first ten rows (C, MS) that every start shows.
struct SampleRow {
    const char* c;
    const char* ms;
};
std::span<const SampleRow> sampleData();

} // namespace calibrix
