// Pictures: where they go in a box, and decoding the embedded PNG and cursor.
#include "support.h"

#include "resources/resource_ids.h"
#include "ui/image.h"
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PicturePlace, NaturalSizeCentredShrunkOnlyWhenLarger) {
    const struct {
        SIZE picture;
        RECT box, expected;
    } cases[] = {
        {{39, 34}, {0, 0, 78, 62}, {19, 14, 58, 48}},  // smaller: natural size, centred
        {{78, 62}, {0, 0, 78, 62}, {0, 0, 78, 62}},    // exactly the box
        {{200, 100}, {0, 0, 78, 62}, {0, 11, 78, 50}}, // wider: shrunk to the width, aspect kept
        {{50, 124}, {0, 0, 78, 62}, {26, 0, 51, 62}},  // taller: shrunk to the height
        {{100, 10}, {5, 5, 55, 45}, {5, 22, 55, 27}},  // a box not at the origin
        {{32, 32}, {0, 0, 78, 62}, {23, 15, 55, 47}},  // the eyedropper in the picking box
    };
    for (const auto& c : cases) {
        RECT place = ui::placePicture(c.picture, c.box);
        EXPECT_EQ(place.left, c.expected.left);
        EXPECT_EQ(place.top, c.expected.top);
        EXPECT_EQ(place.right, c.expected.right);
        EXPECT_EQ(place.bottom, c.expected.bottom);
    }
}

TEST(Pictures, EmbeddedBlankPngIsPlainButtonGrey) {
    auto image = ui::Image::decode(ui::resourceBytes(IDR_BLANK_PNG));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size().cx, 39);
    EXPECT_EQ(image->size().cy, 34);

    BITMAPINFO info{};
    info.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER),
                      .biWidth = 39,
                      .biHeight = -34,
                      .biPlanes = 1,
                      .biBitCount = 32,
                      .biCompression = BI_RGB};
    void* bits = nullptr;
    ui::Bitmap bitmap{::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    ui::MemoryDC dc{::CreateCompatibleDC(nullptr)};
    ui::Selected selected(dc.get(), bitmap.get());
    image->draw(dc.get(), {0, 0, 39, 34});
    ::GdiFlush();
    auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int i = 0; i < 39 * 34; ++i)
        ASSERT_EQ(pixels[i] & 0xFFFFFF, 0xF0F0F0u) << "pixel " << i;
}

TEST(Pictures, EyedropperCursorKeepsItsHotSpot) {
    auto bytes = ui::resourceBytes(IDR_EYEDROPPER_CUR);
    ui::Icon cursor = ui::cursorFromFile(bytes);
    ASSERT_TRUE(cursor);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(cursor.get(), &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 28u);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);

    auto image = ui::Image::decode(bytes);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->size().cx, 32);
    EXPECT_EQ(image->size().cy, 32);
}

TEST(Pictures, DamagedCursorFilesAreRefused) {
    auto good = ui::resourceBytes(IDR_EYEDROPPER_CUR);
    std::vector<std::byte> file(good.begin(), good.end());
    const struct {
        const char* name;
        void (*damage)(std::vector<std::byte>&);
    } cases[] = {
        {"cut short", [](std::vector<std::byte>& f) { f.resize(100); }},
        {"header only", [](std::vector<std::byte>& f) { f.resize(6); }},
        {"an icon, not a cursor", [](std::vector<std::byte>& f) { f[2] = std::byte{1}; }},
        {"no images", [](std::vector<std::byte>& f) { f[4] = f[5] = std::byte{0}; }},
        {"image beyond the end", [](std::vector<std::byte>& f) { f[6 + 12 + 2] = std::byte{0x7F}; }},
        {"image larger than the file", [](std::vector<std::byte>& f) { f[6 + 8 + 3] = std::byte{0x7F}; }},
    };
    for (const auto& c : cases) {
        std::vector<std::byte> damaged = file;
        c.damage(damaged);
        EXPECT_FALSE(ui::cursorFromFile(damaged)) << c.name;
        EXPECT_FALSE(ui::Image::decode(damaged)) << c.name;
    }
}

} // namespace
