// The colour sample and the texts shown for it. Pure logic: no window, no device context.
#pragma once

#include <cstdint>
#include <string>

namespace colour {

struct Sample {
    std::int32_t r = 0, g = 0, b = 0;
    bool operator==(const Sample&) const = default;
};

// From a pixel colour in COLORREF layout (0x00BBGGRR); the top byte is dropped.
Sample fromPixel(std::uint32_t pixel);
// R + G·256 + B·65536: the COLORREF of the colour.
std::int32_t packed(Sample sample);
// RGB(R, G, B) from the low byte of each channel.
std::uint32_t swatch(Sample sample);

// "%d" of one integer.
std::string channelText(std::int32_t value);
// "#RRGGBB", upper-case digits.
std::string hexText(Sample sample);
// The packed value in decimal.
std::string decText(Sample sample);
// "R,G,B" in decimal, no spaces.
std::string rgbText(Sample sample);

} // namespace colour
