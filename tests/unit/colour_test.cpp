// The colour sample, its texts and the magnifier geometry.
#include "colour/magnifier_geometry.h"
#include "colour/sample.h"

#include <gtest/gtest.h>

namespace {

TEST(ColourSample, TextsForEveryKindOfPixel) {
    const struct {
        std::uint32_t pixel; // COLORREF layout, 0x00BBGGRR
        colour::Sample sample;
        std::int32_t packed;
        const char *red, *green, *blue, *hex, *dec, *rgb;
    } cases[] = {
        {0x000000, {0, 0, 0}, 0, "0", "0", "0", "#000000", "0", "0,0,0"},
        {0xFFFFFF, {255, 255, 255}, 16777215, "255", "255", "255", "#FFFFFF", "16777215", "255,255,255"},
        {0x0000FF, {255, 0, 0}, 255, "255", "0", "0", "#FF0000", "255", "255,0,0"},
        {0x00FF00, {0, 255, 0}, 65280, "0", "255", "0", "#00FF00", "65280", "0,255,0"},
        {0xFF0000, {0, 0, 255}, 16711680, "0", "0", "255", "#0000FF", "16711680", "0,0,255"},
        {0xC8050A, {10, 5, 200}, 13108490, "10", "5", "200", "#0A05C8", "13108490", "10,5,200"},
        {0xEFCDAB, {171, 205, 239}, 15715755, "171", "205", "239", "#ABCDEF", "15715755", "171,205,239"},
        // The top byte is dropped.
        {0x7FC8050A, {10, 5, 200}, 13108490, "10", "5", "200", "#0A05C8", "13108490", "10,5,200"},
        // A failed pixel read returns all bits set: white.
        {0xFFFFFFFF, {255, 255, 255}, 16777215, "255", "255", "255", "#FFFFFF", "16777215", "255,255,255"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        colour::Sample sample = colour::fromPixel(c.pixel);
        EXPECT_EQ(sample, c.sample);
        EXPECT_EQ(colour::packed(sample), c.packed);
        EXPECT_EQ(colour::swatch(sample), static_cast<std::uint32_t>(c.packed));
        EXPECT_EQ(colour::channelText(sample.r), c.red);
        EXPECT_EQ(colour::channelText(sample.g), c.green);
        EXPECT_EQ(colour::channelText(sample.b), c.blue);
        EXPECT_EQ(colour::hexText(sample), c.hex);
        EXPECT_EQ(colour::decText(sample), c.dec);
        EXPECT_EQ(colour::rgbText(sample), c.rgb);
    }
}

TEST(ColourSample, DecimalTextsFollowPercentD) {
    EXPECT_EQ(colour::channelText(-7), "-7");
    EXPECT_EQ(colour::channelText(2147483647), "2147483647");
}

TEST(MagnifierGeometry, SpanFromTheFloatingCanvasWidth) {
    const struct {
        int width;
        colour::Span span;
    } cases[] = {{86, {17, 8}}, {80, {16, 8}}, {100, {20, 10}}, {0, {0, 0}}, {9, {1, 0}}, {4, {0, 0}}};
    for (auto c : cases)
        EXPECT_EQ(colour::magnifierSpan(c.width), c.span) << "width " << c.width;
}

} // namespace
