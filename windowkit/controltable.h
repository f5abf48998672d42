#pragma once

#include <QIcon>
#include <QWidget>
#include <cstdint>
#include <map>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace calibrix {

/// The windows' colors, 0xRRGGBB.
namespace colors {
inline constexpr std::uint32_t grey = 0xE0E0E0;   ///< the windows' ground and their buttons
inline constexpr std::uint32_t yellow = 0xFFFF80; ///< column headers and result fields
inline constexpr std::uint32_t white = 0xFFFFFF;  ///< cells and the plot
inline constexpr std::uint32_t black = 0x000000;
inline constexpr std::uint32_t blue = 0x0000C0; ///< row numbers, captions, options and links
inline constexpr std::uint32_t navy = 0x000080; ///< the results
} // namespace colors

/// What kind of widget a row of a window's layout builds.
enum class ControlKind {
    Label,        ///< static text, placed as the row's fit says
    Header,       ///< column header: centred, bordered, filled
    RowNumber,    ///< Label1(i): its index as text
    Caption,      ///< right-aligned caption of a result
    Result,       ///< a result field: bordered, filled, empty at start
    Cell,         ///< TextX(i), TextY(i): made by the window
    DeleteButton, ///< a flat picture button
    Frame,        ///< a captioned group of controls
    Option,       ///< an option button
    Button,       ///< a push button showing its picture
    Picture,      ///< a picture at the top-left, reached by Tab only
    Plot,         ///< the plot Pict: made by the window
    Strip,        ///< Text1: a disabled, empty text box
};

/// Where a control stands; its left and top are measured from there. Frames stand in the
/// window.
enum class Container { Window, Frame1, Frame2 };

/// Pixel fonts of the design's point sizes at 96 dpi.
enum class ControlFont {
    Tiny,       ///< 2.25 pt = 3 px
    Small,      ///< 8.25 pt = 11 px
    SmallBold,  ///< 8.25 pt bold
    Medium,     ///< 9.75 pt = 13 px
    MediumBold, ///< 9.75 pt bold
    LargeBold,  ///< 12 pt bold = 16 px: the delta signs
    Title,      ///< 24 pt = 32 px
};

/// Where a label goes. The design rectangles were drawn for the design's captions and fonts;
/// ours differ, so a label that fits its text keeps one edge or its centre of the rectangle.
enum class TextFit {
    Box,          ///< the design rectangle, text as a label shows it by default
    WrapCentered, ///< the design rectangle, text wrapped and centred
    Height,       ///< the design width and the height of the wrapped, centred text
    Center,       ///< the size of the one-line text, on the design centre line
    Left,         ///< the size of the one-line text, at the design left edge
    Right,        ///< the size of the one-line text, up to the design right edge
};

/// The window font of a design size.
QFont fontOf(ControlFont font);

/// A picture: its artwork ":/resources/<name>.svg" and the pixel size it is drawn at.
struct Picture {
    const char* name = nullptr;
    int width = 0, height = 0;
};

/// One row of a layout: a control, or a control array over the indices first..last whose
/// elements stand `rowStep` twips apart. Positions and sizes are in twips (15 a pixel). Rows are
/// written with designated initializers, so that every value is named.
struct Control {
    const char* name;
    int first = -1, last = -1; ///< index range of a control array; -1, -1 for a single control
    ControlKind kind;
    Container in = Container::Window;
    int left, top, width, height;
    int rowStep = 0;
    const char* text = nullptr; ///< caption; for a frame its title
    Picture picture{};          ///< for buttons and pictures
    const char* toolTip = nullptr;
    ControlFont font;
    std::uint32_t back, fore; ///< 0xRRGGBB
    int tab;                  ///< tab index of the first element; the others follow in order
    const char* accessible = nullptr; ///< name for screen readers; "%1" stands for the index
    TextFit fit = TextFit::Box;
    Container opens = Container::Window; ///< for a frame: the container it is
};

/// Keeps a built widget where the window's handlers find it.
template <class Controls> using Keep = void (*)(Controls&, QWidget*, int index);

/// A layout row and where the window keeps what it builds (nullptr: nowhere).
template <class Controls> struct ControlRow {
    Control control;
    Keep<Controls> keep = nullptr;
};

/// The widget as the type it is kept as; any other type stops the program, naming the widget.
template <class T> T* checkedCast(QWidget* widget) {
    auto* kept = qobject_cast<T*>(widget);
    if (kept == nullptr)
        qFatal("%s is not of the type it is kept as", qPrintable(widget->objectName()));
    return kept;
}

/// A row's Keep: the widget goes into the pointer `member` of the window's controls, or into the
/// array `member` at the element's index, type-checked. Written `kept<&Controls::member>`; the
/// row's Keep type supplies `Controls`.
template <auto member, class Controls> void kept(Controls& controls, QWidget* widget, int index) {
    auto& slot = controls.*member;
    using Slot = std::remove_reference_t<decltype(slot)>;
    if constexpr (std::is_pointer_v<Slot>)
        slot = checkedCast<std::remove_pointer_t<Slot>>(widget);
    else
        slot.at(std::size_t(index)) =
            checkedCast<std::remove_pointer_t<typename Slot::value_type>>(widget);
}

/// The window properties a layout fixes.
struct WindowDesign {
    const char* name;
    const char* title;
    int width, height; ///< client area in pixels
    ControlFont font;
    std::uint32_t back, fore;
};

/// Names the window and gives it its title, font and colors.
void applyWindow(QWidget& window, const WindowDesign& design);

/// The program's icon in title bars and task bars. A window manager takes it at four sizes, each
/// rendered from the artwork, so a window that must show quickly sets it after its first frame.
QIcon programIcon();

/// Makes the widgets of the kinds a window makes itself (Cell, Plot).
using MakeControl = QWidget* (*)(const Control& row, QWidget* parent);

/// Builds a window's controls row by row: makes each widget in its container, names it, places
/// it, gives it its font, colors, tool tip and accessible name, and at the end orders the tab
/// chain by the rows' tab indices over the controls that take the focus.
class ControlBuilder {
public:
    ControlBuilder(QWidget& window, MakeControl makeOwn);
    ~ControlBuilder();
    ControlBuilder(const ControlBuilder&) = delete;
    ControlBuilder& operator=(const ControlBuilder&) = delete;

    /// Builds every element of the row, handing each to `built` with its index.
    template <class Built> void build(const Control& row, Built&& built) {
        const bool array = row.first >= 0;
        for (int index = row.first; index <= row.last; ++index)
            built(buildOne(row, index, array ? index - row.first : 0), index);
    }

    /// Sets the tab chain; call once every row is built.
    void finish();

private:
    QWidget* buildOne(const Control& row, int index, int step);
    QWidget* makeWidget(const Control& row, int index, QWidget* parent);
    const QIcon& icon(const Picture& picture);

    MakeControl makeOwn_;
    QWidget* containers_[3] = {};
    std::vector<std::pair<int, QWidget*>> tabs_;
    std::map<std::string_view, QIcon> icons_; ///< one icon per picture: 25 delete buttons share one
};

/// Builds the controls of a whole table and keeps them in `controls`.
template <class Controls>
void buildControls(QWidget& window, std::span<const ControlRow<Controls>> table, Controls& controls,
                   MakeControl make = nullptr) {
    ControlBuilder builder(window, make);
    for (const ControlRow<Controls>& row : table) {
        builder.build(row.control, [&](QWidget* widget, int index) {
            if (row.keep != nullptr)
                row.keep(controls, widget, index);
        });
    }
    builder.finish();
}

/// Twips of the design to device-independent pixels.
constexpr int twips(int t) {
    return t / 15;
}

} // namespace calibrix
