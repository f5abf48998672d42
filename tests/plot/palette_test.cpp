#include "plot/palette.h"

#include <gtest/gtest.h>
#include <ostream>

namespace calibrix {

void PrintTo(const Rgb& c, std::ostream* out) {
    *out << '(' << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ')';
}

namespace {

TEST(Palette, IsTheSixteenColorTable) {
    const Rgb expected[16] = {
        {0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
        {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
        {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
        {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255},
    };
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(palettecolor(i), expected[i]) << "index " << i;
    EXPECT_EQ(palettecolor(markerColor), expected[1]);
    EXPECT_EQ(palettecolor(lineColor), expected[12]);
    EXPECT_EQ(palettecolor(blinkcolor), expected[15]);
    for (const int outside : {-1, 16})
        EXPECT_EQ(palettecolor(outside), expected[0]) << "index " << outside;
}

} // namespace
} // namespace calibrix
