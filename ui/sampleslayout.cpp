#include "ui/sampleslayout.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

namespace calibrix {
namespace {

using enum ControlKind;
using enum ControlFont;
using namespace colors;
using Row = ControlRow<SamplesControls>;
using C = SamplesControls;

// The rows stand as the main window's: 240 twips apart from 360 down, under yellow headers.
// clang-format off
constexpr std::array<Row, 15> layout{{
    {{.name = "SampleHeader", .first = 0, .last = 0, .kind = Header,
      .left = 360, .top = 120, .width = 1815, .height = 255, .text = "Sample",
      .toolTip = "The sample's name",
      .font = MediumBold, .back = yellow, .fore = black, .tab = 80}},
    {{.name = "SampleHeader", .first = 1, .last = 1, .kind = Header,
      .left = 2160, .top = 120, .width = 1215, .height = 255, .text = "MS",
      .toolTip = "The measured signal of the sample",
      .font = MediumBold, .back = yellow, .fore = black, .tab = 81}},
    {{.name = "SampleHeader", .first = 2, .last = 2, .kind = Header,
      .left = 3360, .top = 120, .width = 615, .height = 255, .text = "m",
      .toolTip = "The number of measurements MS is the mean of",
      .font = MediumBold, .back = yellow, .fore = black, .tab = 82}},
    {{.name = "SampleHeader", .first = 3, .last = 3, .kind = Header,
      .left = 3960, .top = 120, .width = 1455, .height = 255, .text = "C",
      .toolTip = "The concentration of the sample",
      .font = MediumBold, .back = yellow, .fore = black, .tab = 83}},
    {{.name = "SampleHeader", .first = 4, .last = 4, .kind = Header,
      .left = 5400, .top = 120, .width = 1455, .height = 255, .text = "\u0394C",
      .toolTip = "Confidence interval for the concentration",
      .font = MediumBold, .back = yellow, .fore = black, .tab = 84}},
    {{.name = "SampleHeader", .first = 5, .last = 5, .kind = Header,
      .left = 6840, .top = 120, .width = 2295, .height = 255, .text = "Note",
      .font = MediumBold, .back = yellow, .fore = black, .tab = 85}},
    {{.name = "SampleNumber", .first = 1, .last = 25, .kind = RowNumber,
      .left = 0, .top = 360, .width = 375, .height = 255, .rowStep = 240,
      .font = Medium, .back = grey, .fore = blue, .tab = 86, .accessible = "sample %1"}},
    {{.name = "SampleName", .first = 1, .last = 25, .kind = Cell,
      .left = 360, .top = 360, .width = 1815, .height = 285, .rowStep = 240,
      .toolTip = "The sample's name",
      .font = Small, .back = white, .fore = black, .tab = 0, .accessible = "sample %1 name"},
     kept<&C::name>},
    {{.name = "SampleMS", .first = 1, .last = 25, .kind = Cell,
      .left = 2160, .top = 360, .width = 1215, .height = 285, .rowStep = 240,
      .toolTip = "The measured signal of the sample",
      .font = Small, .back = white, .fore = black, .tab = 25, .accessible = "sample %1 MS"},
     kept<&C::ms>},
    {{.name = "SampleM", .first = 1, .last = 25, .kind = Cell,
      .left = 3360, .top = 360, .width = 615, .height = 285, .rowStep = 240,
      .toolTip = "The number of measurements MS is the mean of",
      .font = Small, .back = white, .fore = black, .tab = 50, .accessible = "sample %1 m"},
     kept<&C::m>},
    {{.name = "SampleC", .first = 1, .last = 25, .kind = Result,
      .left = 3960, .top = 360, .width = 1455, .height = 255, .rowStep = 240,
      .text = "", .toolTip = "The concentration of the sample",
      .font = SmallBold, .back = yellow, .fore = navy, .tab = 111,
      .accessible = "sample %1 C"}, kept<&C::c>},
    {{.name = "SampleDC", .first = 1, .last = 25, .kind = Result,
      .left = 5400, .top = 360, .width = 1455, .height = 255, .rowStep = 240,
      .text = "", .toolTip = "Confidence interval for the concentration",
      .font = SmallBold, .back = yellow, .fore = navy, .tab = 136,
      .accessible = "sample %1 \u0394C"}, kept<&C::dc>},
    {{.name = "SampleNote", .first = 1, .last = 25, .kind = Result,
      .left = 6840, .top = 360, .width = 2295, .height = 255, .rowStep = 240,
      .text = "",
      .font = Small, .back = yellow, .fore = navy, .tab = 161,
      .accessible = "sample %1 note"}, kept<&C::note>},
    {{.name = "SampleCopy", .kind = Button,
      .left = 120, .top = 6600, .width = 1695, .height = 495,
      .picture = {"copy", 71, 28}, .toolTip = "Copy the samples as columns",
      .font = Small, .back = grey, .fore = black, .tab = 75, .accessible = "Copy samples"},
     kept<&C::copy>},
    {{.name = "SamplePaste", .kind = Button,
      .left = 1920, .top = 6600, .width = 1695, .height = 495,
      .picture = {"paste", 75, 28}, .toolTip = "Paste samples: name, MS and m",
      .font = Small, .back = grey, .fore = black, .tab = 76, .accessible = "Paste samples"},
     kept<&C::paste>},
}};
// clang-format on

} // namespace

const WindowDesign samplesWindow{"Samples", "Sample concentrations", 618, 482, Small, grey, black};

std::span<const ControlRow<SamplesControls>> samplesLayout() {
    return layout;
}

} // namespace calibrix
