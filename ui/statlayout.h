#pragma once

#include <cstdint>
#include <span>

namespace calibrix {

/// What kind of widget a row of the main window's layout builds.
enum class ControlKind {
    Label,        ///< static text
    Header,       ///< column header: centred, bordered, yellow
    RowNumber,    ///< Label1(i): the row number, bold while the row counts
    Caption,      ///< Label2(i): right-aligned caption of a result
    Result,       ///< a result field: bordered, yellow
    Level,        ///< Label3(i): significance caption that selects its level when clicked
    Cell,         ///< TextX(i), TextY(i): an editable data cell
    DeleteButton, ///< delpoint(i)
    Frame,        ///< a captioned group of options
    Option,       ///< an option button
    Button,       ///< a picture button
    Plot,         ///< the plot Pict
    Strip,        ///< Text1: the disabled strip under the grid
};

/// The frame a control stands in; its Left and Top are measured from there.
enum class ControlParent { Window, Frame1, Frame2 };

/// Pixel fonts of the design (at 96 dpi).
enum class ControlFont {
    Small,      ///< 8.25 pt = 11 px
    SmallBold,  ///< 8.25 pt bold
    Medium,     ///< 9.75 pt = 13 px
    MediumBold, ///< 9.75 pt bold
    LargeBold,  ///< 12 pt bold = 16 px: the delta signs
    Tiny,       ///< 2.25 pt = 3 px
};

/// One row of the layout: a control, or a control array over the indices first..last whose
/// rows stand `rowStep` twips apart. Positions and sizes are in twips (15 a pixel).
struct ControlSpec {
    const char* name;
    int first, last; ///< index range of a control array; -1, -1 for a single control
    ControlKind kind;
    ControlParent parent;
    int left, top, width, height;
    int rowStep;
    const char* text; ///< caption, or the picture's resource name for buttons
    const char* toolTip;
    ControlFont font;
    std::uint32_t back, fore; ///< 0xRRGGBB
    int tab;                  ///< tab index of the first element; the others follow in order
    const char* accessible;   ///< name for screen readers; "%1" stands for the index
};

/// Twips of the design to device-independent pixels.
constexpr int twips(int t) {
    return t / 15;
}

/// The main window's controls, one row per control or control array.
std::span<const ControlSpec> statlayout();

/// A button picture: its artwork ":/resources/<name>.svg" and the pixel size it is drawn at.
struct Picture {
    const char* name;
    int width, height;
};
/// The pictures of the main window's buttons, as the layout's button rows name them.
std::span<const Picture> pictures();

/// The design texts of the first ten rows (C, MS) that every start shows.
struct SampleRow {
    const char* c;
    const char* ms;
};
std::span<const SampleRow> sampledata();

} // namespace calibrix
