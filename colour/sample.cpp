// The colour sample and the texts shown for it.
#include "colour/sample.h"

#include <cstdio>

namespace colour {

Sample fromPixel(std::uint32_t pixel) {
    return {static_cast<std::int32_t>(pixel & 0xFF), static_cast<std::int32_t>((pixel >> 8) & 0xFF),
            static_cast<std::int32_t>((pixel >> 16) & 0xFF)};
}

std::int32_t packed(Sample s) { return s.r + s.g * 256 + s.b * 65536; }

std::uint32_t swatch(Sample s) {
    return static_cast<std::uint32_t>(s.r & 0xFF) | static_cast<std::uint32_t>(s.g & 0xFF) << 8 |
           static_cast<std::uint32_t>(s.b & 0xFF) << 16;
}

std::string channelText(std::int32_t value) { return std::to_string(value); }

std::string hexText(Sample s) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<unsigned>(s.r & 0xFF),
                  static_cast<unsigned>(s.g & 0xFF), static_cast<unsigned>(s.b & 0xFF));
    return text;
}

std::string decText(Sample s) { return std::to_string(packed(s)); }

std::string rgbText(Sample s) { return channelText(s.r) + "," + channelText(s.g) + "," + channelText(s.b); }

} // namespace colour
