#include "ui/statlayout.h"

#include "plot/plotview.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

namespace calibrix {
namespace {

using enum ControlKind;
using enum ControlFont;
using enum TextFit;
constexpr auto W = Container::Window;
constexpr auto F1 = Container::Frame1;
constexpr auto F2 = Container::Frame2;

using namespace colors;

constexpr const char* cTip = "The value of concentration";
constexpr const char* msTip = "The value of measured signal ";

using Row = ControlRow<StatControls>;

// Columns: name, first and last index, kind, container, left, top, width, height, row step,
// text, picture, tool tip, font, back and fore color, tab index, accessible name; a frame row
// adds its fit and the container it opens; then where the window keeps the widgets.
// clang-format off
constexpr std::array<Row, 41> layout{{
    {{"Labl1",     0,  0,  Header,       W,  360,  120,  1215, 255,  0,   "C",                {},                    cTip,                                    MediumBold, yellow, black, 50,  nullptr}, kept<&StatControls::labl1>},
    {{"Labl1",     1,  1,  Header,       W,  1560, 120,  1215, 255,  0,   "MS",               {},                    msTip,                                   MediumBold, yellow, black, 51,  nullptr}, kept<&StatControls::labl1>},
    {{"Label1",    1,  25, RowNumber,    W,  0,    360,  375,  255,  240, nullptr,            {},                    nullptr,                                 Medium,     grey,   blue,  52,  "row %1"}, kept<&StatControls::label1>},
    {{"TextX",     1,  25, Cell,         W,  360,  360,  1215, 285,  240, nullptr,            {},                    cTip,                                    Small,      white,  black, 0,   "C, point %1"}, kept<&StatControls::textX>},
    {{"TextY",     1,  25, Cell,         W,  1560, 360,  1215, 285,  240, nullptr,            {},                    msTip,                                   Small,      white,  black, 25,  "MS, point %1"}, kept<&StatControls::textY>},
    {{"delpoint",  1,  24, DeleteButton, W,  2760, 360,  345,  345,  240, nullptr,            {"delete", 23, 23},    "Delete this point",                     Small,      grey,   black, 94,  "Delete point %1"}, kept<&StatControls::delpoint>},
    {{"delpoint",  25, 25, DeleteButton, W,  2790, 6120, 345,  345,  0,   nullptr,            {"delete", 23, 23},    "Delete this point",                     Small,      grey,   black, 118, "Delete point %1"}, kept<&StatControls::delpoint>},
    {{"Text1",     -1, -1, Strip,        W,  360,  6345, 2415, 150,  0,   "",                 {},                    nullptr,                                 Tiny,       yellow, black, 135, nullptr}, kept<&StatControls::text1>},
    {{"Frame1",    -1, -1, Frame,        W,  3360, 240,  2415, 855,  0,   "Model",            {},                    nullptr,                                 Small,      grey,   black, 123, nullptr, Box, F1}, nullptr},
    {{"Option2",   -1, -1, Option,       F1, 360,  240,  1455, 255,  0,   "MS = a + bC",      {},                    "Type of linear curve",                  SmallBold,  grey,   blue,  128, nullptr}, kept<&StatControls::option2>},
    {{"Option3",   -1, -1, Option,       F1, 360,  480,  1335, 255,  0,   "MS = bC",          {},                    "Type of linear curve",                  SmallBold,  grey,   blue,  129, nullptr}, kept<&StatControls::option3>},
    {{"Frame2",    -1, -1, Frame,        W,  3360, 1200, 2415, 1215, 0,   "Confidence level", {},                    nullptr,                                 Small,      grey,   black, 124, nullptr, Box, F2}, nullptr},
    {{"Option1",   1,  1,  Option,       F2, 360,  360,  855,  255,  0,   "90 %",             {},                    "Confidence level",                      SmallBold,  grey,   blue,  125, nullptr}, kept<&StatControls::option1>},
    {{"Option1",   2,  2,  Option,       F2, 360,  600,  855,  255,  0,   "95 %",             {},                    "Confidence level",                      SmallBold,  grey,   blue,  126, nullptr}, kept<&StatControls::option1>},
    {{"Option1",   3,  3,  Option,       F2, 360,  840,  855,  255,  0,   "99 %",             {},                    "Confidence level",                      SmallBold,  grey,   blue,  127, nullptr}, kept<&StatControls::option1>},
    {{"Label3",    1,  1,  Label,        F2, 1320, 360,  855,  255,  0,   " \u03b1 = 0.10",   {},                    "Significance level",                    SmallBold,  grey,   blue,  130, "significance level 0.10"}, kept<&StatControls::label3>},
    {{"Label3",    2,  2,  Label,        F2, 1320, 600,  855,  255,  0,   " \u03b1 = 0.05",   {},                    "Significance level",                    SmallBold,  grey,   blue,  131, "significance level 0.05"}, kept<&StatControls::label3>},
    {{"Label3",    3,  3,  Label,        F2, 1320, 840,  855,  255,  0,   " \u03b1 = 0.01",   {},                    "Significance level",                    SmallBold,  grey,   blue,  132, "significance level 0.01"}, kept<&StatControls::label3>},
    {{"Label2",    0,  0,  Caption,      W,  6240, 120,  615,  255,  0,   "a = ",             {},                    "The intercept",                         MediumBold, grey,   blue,  85,  nullptr}, nullptr},
    {{"Laba",      -1, -1, Result,       W,  6840, 120,  2055, 255,  0,   "",                 {},                    "The intercept",                         MediumBold, yellow, navy,  78,  "a"}, kept<&StatControls::laba>},
    {{"Label2",    7,  7,  Caption,      W,  6180, 450,  255,  255,  0,   "\u0394",           {},                    "Confidence interval for the intercept", LargeBold,  grey,   blue,  92,  nullptr}, nullptr},
    {{"Label2",    1,  1,  Caption,      W,  6360, 480,  495,  255,  0,   "a = ",             {},                    "Confidence interval for the intercept", MediumBold, grey,   blue,  86,  nullptr}, nullptr},
    {{"Labda",     -1, -1, Result,       W,  6840, 480,  2055, 255,  0,   "",                 {},                    "Confidence interval for the intercept", MediumBold, yellow, navy,  79,  "\u0394a"}, kept<&StatControls::labda>},
    {{"Label2",    2,  2,  Caption,      W,  6240, 840,  615,  255,  0,   "b = ",             {},                    "The slope",                             MediumBold, grey,   blue,  87,  nullptr}, nullptr},
    {{"Labb",      -1, -1, Result,       W,  6840, 840,  2055, 255,  0,   "",                 {},                    "The slope",                             MediumBold, yellow, navy,  80,  "b"}, kept<&StatControls::labb>},
    {{"Label2",    8,  8,  Caption,      W,  6180, 1170, 255,  255,  0,   "\u0394",           {},                    "Confidence interval for the slope",     LargeBold,  grey,   blue,  93,  nullptr}, nullptr},
    {{"Label2",    3,  3,  Caption,      W,  6240, 1200, 615,  255,  0,   "b = ",             {},                    "Confidence interval for the slope",     MediumBold, grey,   blue,  88,  nullptr}, nullptr},
    {{"Labdb",     -1, -1, Result,       W,  6840, 1200, 2055, 255,  0,   "",                 {},                    "Confidence interval for the slope",     MediumBold, yellow, navy,  81,  "\u0394b"}, kept<&StatControls::labdb>},
    {{"Label2",    4,  4,  Caption,      W,  6240, 1560, 615,  255,  0,   "DL = ",            {},                    "The detection limit",                   MediumBold, grey,   blue,  89,  nullptr}, nullptr},
    {{"Labnv",     -1, -1, Result,       W,  6840, 1560, 2055, 255,  0,   "",                 {},                    "The detection limit",                   MediumBold, yellow, navy,  82,  "detection limit"}, kept<&StatControls::labnv>},
    {{"Label2",    5,  5,  Caption,      W,  6240, 1920, 615,  255,  0,   "SD = ",            {},                    "The standard deviation",                MediumBold, grey,   blue,  90,  nullptr}, nullptr},
    {{"Labso",     -1, -1, Result,       W,  6840, 1920, 2055, 255,  0,   "",                 {},                    "The standard deviation",                MediumBold, yellow, navy,  83,  "standard deviation"}, kept<&StatControls::labso>},
    {{"Label2",    6,  6,  Caption,      W,  6240, 2280, 615,  255,  0,   "R = ",             {},                    "The correlation coefficient",           MediumBold, grey,   blue,  91,  nullptr}, nullptr},
    {{"Labr",      -1, -1, Result,       W,  6840, 2280, 2055, 255,  0,   "",                 {},                    "The correlation coefficient",           MediumBold, yellow, navy,  84,  "correlation coefficient"}, kept<&StatControls::labr>},
    {{"Pict",      -1, -1, Plot,         W,  3120, 2640, 5775, 3855, 0,   nullptr,            {},                    "Calibration curve",                     Small,      white,  black, 77,  "Calibration curve"}, kept<&StatControls::pict>},
    {{"Comcopy",   -1, -1, Button,       W,  120,  6600, 1695, 495,  0,   nullptr,            {"copy", 71, 28},      "Copy C-MS as two-columns data",         Small,      grey,   black, 133, "Copy"}, kept<&StatControls::comcopy>},
    {{"Comcpaste", -1, -1, Button,       W,  1920, 6600, 1695, 495,  0,   nullptr,            {"paste", 75, 28},     "Paste C-MS as two-columns data",        Small,      grey,   black, 134, "Paste"}, kept<&StatControls::comcpaste>},
    {{"Clear",     -1, -1, Button,       W,  3720, 6600, 1695, 495,  0,   nullptr,            {"clear", 93, 36},     "Delete all points",                     Small,      grey,   black, 122, "Clear all"}, kept<&StatControls::clear>},
    {{"Command3",  -1, -1, Button,       W,  5520, 6600, 1695, 495,  0,   nullptr,            {"about", 80, 36},     "About this program",                    Small,      grey,   black, 119, "About"}, kept<&StatControls::command3>},
    {{"Command5",  -1, -1, Button,       W,  7320, 6600, 1575, 495,  0,   nullptr,            {"exit", 90, 36},      "Do you really want to exit ?",          Small,      grey,   black, 120, "Exit"}, kept<&StatControls::command5>},
    {{"Command1",  -1, -1, Button,       W,  9720, 1320, 1455, 495,  0,   nullptr,            {"calculate", 92, 36}, "Calculate of calibration curve",        Small,      grey,   black, 121, "Calculate"}, kept<&StatControls::command1>},
}};
// clang-format on

constexpr std::array<SampleRow, 10> sample{{{"1", "10"},
                                            {"2", "22"},
                                            {"3", "28"},
                                            {"4", "43"},
                                            {"5", "51"},
                                            {"6", "56"},
                                            {"7", "69"},
                                            {"8", "80"},
                                            {"9", "92"},
                                            {"10", "99"}}};

} // namespace

const WindowDesign statWindow{
    "Stat", "CALIBRIX for Chemical Analysis " CALIBRIX_VERSION, 598, 482, Small, grey, black};

std::span<const ControlRow<StatControls>> statLayout() {
    return layout;
}

std::span<const SampleRow> sampleData() {
    return sample;
}

} // namespace calibrix
