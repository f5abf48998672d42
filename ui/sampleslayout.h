#pragma once

#include "core/gridlimits.h"
#include "windowkit/controltable.h"

#include <array>
#include <span>

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace calibrix {

/// The sample window's controls, kept as the layout builds them; rows 1..25.
struct SamplesControls {
    std::array<QLineEdit*, maxPoints + 1> name{}, ms{}, m{};
    std::array<QLabel*, maxPoints + 1> c{}, dc{}, note{};
    QAbstractButton* copy = nullptr;
    QAbstractButton* paste = nullptr;
};

/// The sample window itself: name, title, client size, default font and colors.
extern const WindowDesign samplesWindow;

/// The sample window's controls, one row per control or control array.
std::span<const ControlRow<SamplesControls>> samplesLayout();

} // namespace calibrix
