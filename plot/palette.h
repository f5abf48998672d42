#pragma once

#include <array>
#include <cstdint>

namespace calibrix {

/// A color as 8-bit red, green and blue.
struct Rgb {
    std::uint8_t r, g, b;

    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

namespace detail {

// The classic sixteen-color palette: eight dark colors, then their light counterparts.
inline constexpr std::array<Rgb, 16> palette16{{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};

} // namespace detail

/// The RGB value of palette color 0..15; any other index gives black.
constexpr Rgb palettecolor(int index) {
    return index >= 0 && index < 16 ? detail::palette16[static_cast<std::size_t>(index)]
                                    : detail::palette16[0];
}

/// Palette number of the point markers: dark blue.
inline constexpr int markerColor = 1;
/// Palette number of the fitted line: red.
inline constexpr int lineColor = 12;
/// Palette number of a highlighted marker on its bright blink step: white.
inline constexpr int blinkcolor = 15;
/// Palette numbers of the background picture: the black frame, ticks and axis titles, the light
/// grey grid and the blue corner labels.
inline constexpr int frameColor = 0;
inline constexpr int gridColor = 7;
inline constexpr int cornerLabelColor = 9;

} // namespace calibrix
