// The embedded resources, read back through the resource API the program itself uses:
// the eyedropper cursor, the blank picture, the program icon and the version information.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "resources/resource_ids.h"

namespace {

using Bytes = std::span<const std::uint8_t>;

// Icon and cursor files and RT_GROUP_ICON share this header; the SDK declares none of them.
#pragma pack(push, 2)
struct IconDir {
    WORD reserved;
    WORD type; // 1 icon, 2 cursor
    WORD count;
};
struct FileEntry {
    BYTE width, height, colours, reserved;
    WORD planesOrHotX;
    WORD bitsOrHotY;
    DWORD bytes;
    DWORD offset;
};
struct GroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes;
    WORD bits;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)
static_assert(sizeof(IconDir) == 6 && sizeof(FileEntry) == 16 && sizeof(GroupEntry) == 14);

Bytes resource(LPCWSTR name, LPCWSTR type) {
    HRSRC found = FindResourceW(nullptr, name, type);
    if (!found)
        return {};
    auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(nullptr, found)));
    return data ? Bytes{data, SizeofResource(nullptr, found)} : Bytes{};
}

// Resource data need not be aligned for the structure, so copy it out.
template <typename T> T at(Bytes bytes, std::size_t offset) {
    T value{};
    if (offset + sizeof value <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::uint32_t bigEndian32(Bytes bytes, std::size_t offset) {
    return std::uint32_t{bytes[offset]} << 24 | std::uint32_t{bytes[offset + 1]} << 16 |
           std::uint32_t{bytes[offset + 2]} << 8 | bytes[offset + 3];
}

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// GetIconInfo hands out two bitmaps the caller must delete.
struct IconInfo : ICONINFO {
    explicit IconInfo(HICON icon) : ICONINFO{} { ok = GetIconInfo(icon, this) != FALSE; }
    ~IconInfo() {
        DeleteObject(hbmMask);
        DeleteObject(hbmColor);
    }
    IconInfo(const IconInfo&) = delete;
    IconInfo& operator=(const IconInfo&) = delete;

    SIZE colourSize() const {
        BITMAP bitmap{};
        GetObjectW(hbmColor, sizeof bitmap, &bitmap);
        return {bitmap.bmWidth, bitmap.bmHeight};
    }

    bool ok = false;
};

TEST(EyedropperCursor, IsOne32By32AlphaImageWithItsHotSpotOnTheTip) {
    const Bytes file = resource(MAKEINTRESOURCEW(IDR_EYEDROPPER_CUR), RT_RCDATA);
    ASSERT_EQ(file.size(), 4286u);

    const auto dir = at<IconDir>(file, 0);
    EXPECT_EQ(dir.type, 2);
    EXPECT_EQ(dir.count, 1);
    const auto entry = at<FileEntry>(file, sizeof dir);
    EXPECT_EQ(entry.width, 32);
    EXPECT_EQ(entry.height, 32);
    EXPECT_EQ(entry.planesOrHotX, 3);
    EXPECT_EQ(entry.bitsOrHotY, 28);
    ASSERT_EQ(entry.offset + entry.bytes, file.size());

    const auto header = at<BITMAPINFOHEADER>(file, entry.offset);
    EXPECT_EQ(header.biWidth, 32);
    EXPECT_EQ(header.biHeight, 64); // colour and mask bitmaps together
    EXPECT_EQ(header.biBitCount, 32);

    // Rows are stored bottom-up, 4 bytes a pixel; the hot spot must be on the drawn tip.
    const std::size_t hotSpotPixel = entry.offset + header.biSize + ((31 - 28) * 32 + 3) * 4;
    ASSERT_LT(hotSpotPixel + 3, file.size());
    EXPECT_GE(int{file[hotSpotPixel + 3]}, 128) << "hot spot pixel is not opaque";
}

TEST(EyedropperCursor, BecomesACursorWithTheHotSpotOfTheFile) {
    const Bytes file = resource(MAKEINTRESOURCEW(IDR_EYEDROPPER_CUR), RT_RCDATA);
    const auto entry = at<FileEntry>(file, sizeof(IconDir));
    ASSERT_EQ(entry.offset + entry.bytes, file.size());

    // CreateIconFromResourceEx takes a cursor as its hot spot followed by the image.
    std::vector<std::uint8_t> bits{LOBYTE(entry.planesOrHotX), HIBYTE(entry.planesOrHotX),
                                   LOBYTE(entry.bitsOrHotY), HIBYTE(entry.bitsOrHotY)};
    bits.insert(bits.end(), file.begin() + entry.offset, file.end());
    const Icon cursor{CreateIconFromResourceEx(bits.data(), static_cast<DWORD>(bits.size()), FALSE,
                                               0x00030000, 32, 32, LR_DEFAULTCOLOR)};
    ASSERT_TRUE(cursor);

    const IconInfo info{cursor.get()};
    ASSERT_TRUE(info.ok);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 3u);
    EXPECT_EQ(info.yHotspot, 28u);
    ASSERT_TRUE(info.hbmColor) << "a colour cursor has a colour bitmap";
    EXPECT_EQ(info.colourSize().cx, 32);
    EXPECT_EQ(info.colourSize().cy, 32);
}

TEST(BlankPicture, IsA39By34RgbPngOf152Bytes) {
    const Bytes png = resource(MAKEINTRESOURCEW(IDR_BLANK_PNG), RT_RCDATA);
    ASSERT_EQ(png.size(), 152u);

    const std::array<std::uint8_t, 8> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    EXPECT_EQ(bigEndian32(png, 8), 13u);
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(bigEndian32(png, 16), 39u);
    EXPECT_EQ(bigEndian32(png, 20), 34u);
    EXPECT_EQ(png[24], 8u) << "bit depth";
    EXPECT_EQ(png[25], 2u) << "colour type RGB";
}

struct IconImage {
    int size;
    int bits;
};
// In the order of the icon file; the tray takes the last one.
constexpr std::array<IconImage, 10> kIconImages{{
    {48, 8},
    {32, 8},
    {16, 8},
    {64, 32},
    {48, 32},
    {40, 32},
    {32, 32},
    {24, 32},
    {20, 32},
    {16, 32},
}};

Bytes iconGroup() { return resource(MAKEINTRESOURCEW(IDI_MOVARIL), RT_GROUP_ICON); }

GroupEntry groupEntry(Bytes group, std::size_t index) {
    return at<GroupEntry>(group, sizeof(IconDir) + index * sizeof(GroupEntry));
}

TEST(ProgramIcon, GroupListsTheTenImagesInFileOrder) {
    const Bytes group = iconGroup();
    ASSERT_EQ(group.size(), sizeof(IconDir) + kIconImages.size() * sizeof(GroupEntry));
    const auto dir = at<IconDir>(group, 0);
    EXPECT_EQ(dir.type, 1);
    ASSERT_EQ(dir.count, kIconImages.size());

    std::size_t total = 0;
    for (std::size_t i = 0; i < kIconImages.size(); ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const GroupEntry entry = groupEntry(group, i);
        EXPECT_EQ(entry.width, kIconImages[i].size);
        EXPECT_EQ(entry.height, kIconImages[i].size);
        EXPECT_EQ(entry.bits, kIconImages[i].bits);

        const Bytes image = resource(MAKEINTRESOURCEW(entry.id), RT_ICON);
        ASSERT_EQ(image.size(), entry.bytes);
        const auto header = at<BITMAPINFOHEADER>(image, 0);
        EXPECT_EQ(header.biWidth, kIconImages[i].size);
        EXPECT_EQ(header.biHeight, 2 * kIconImages[i].size);
        EXPECT_EQ(header.biBitCount, kIconImages[i].bits);
        total += entry.bytes;
    }
    // The icon file is 50406 bytes: its header and ten 16-byte entries, then the images.
    EXPECT_EQ(total, 50406u - 6u - 10u * 16u);
}

TEST(ProgramIcon, LastImageBecomesTheSixteenPixelTrayIcon) {
    const Bytes group = iconGroup();
    ASSERT_EQ(at<IconDir>(group, 0).count, kIconImages.size());
    const GroupEntry last = groupEntry(group, kIconImages.size() - 1);
    const Bytes image = resource(MAKEINTRESOURCEW(last.id), RT_ICON);
    ASSERT_FALSE(image.empty());

    const Icon icon{CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                             static_cast<DWORD>(image.size()), TRUE, 0x00030000, 16, 16,
                                             LR_DEFAULTCOLOR)};
    ASSERT_TRUE(icon);
    const IconInfo info{icon.get()};
    ASSERT_TRUE(info.ok);
    EXPECT_TRUE(info.fIcon);
    ASSERT_TRUE(info.hbmColor);
    EXPECT_EQ(info.colourSize().cx, 16);
    EXPECT_EQ(info.colourSize().cy, 16);
}

// The window takes its big and small icons from the group by size.
TEST(ProgramIcon, LoadsAtTheWindowIconSizes) {
    for (const int size : {16, 32}) {
        SCOPED_TRACE(size);
        const Icon icon{
            static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MOVARIL),
                                          IMAGE_ICON, size, size, LR_DEFAULTCOLOR))};
        ASSERT_TRUE(icon);
        const IconInfo info{icon.get()};
        ASSERT_TRUE(info.ok);
        EXPECT_EQ(info.colourSize().cx, size);
        EXPECT_EQ(info.colourSize().cy, size);
    }
}

class VersionResource : public testing::Test {
protected:
    static void SetUpTestSuite() {
        wchar_t path[MAX_PATH]{};
        ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
        const DWORD size = GetFileVersionInfoSizeW(path, nullptr);
        ASSERT_GT(size, 0u) << "the running module has no version resource";
        data_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, data_.data()));
    }

    // The value at a VerQueryValue path, or nullptr with a zero length.
    template <typename T> static const T* query(const wchar_t* path, UINT& length) {
        void* value = nullptr;
        length = 0;
        if (data_.empty() || !VerQueryValueW(data_.data(), path, &value, &length))
            return nullptr;
        return static_cast<const T*>(value);
    }

    static inline std::vector<std::uint8_t> data_;
};

TEST_F(VersionResource, FixedPartIsVersion1002) {
    UINT length = 0;
    const auto* fixed = query<VS_FIXEDFILEINFO>(L"\\", length);
    ASSERT_TRUE(fixed);
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);
}

// The About box takes its string block from the first translation.
TEST_F(VersionResource, FirstTranslationIsSimplifiedChineseUnicode) {
    UINT length = 0;
    const auto* translation = query<WORD>(L"\\VarFileInfo\\Translation", length);
    ASSERT_TRUE(translation);
    ASSERT_GE(length, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 0x04B0);
}

TEST_F(VersionResource, StringsOfTheChineseBlock) {
    struct Field {
        const wchar_t* name;
        const wchar_t* value;
    };
    constexpr Field kFields[] = {
        {L"FileVersion", L"1.0.0.2"}, {L"ProductVersion", L"1.0.0.2"}, {L"FileDescription", L"Movaril"},
        {L"ProductName", L"Movaril"}, {L"Comments", L"Movaril"},       {L"CompanyName", L"Quorvel"},
    };
    for (const Field& field : kFields) {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + field.name;
        SCOPED_TRACE(testing::PrintToString(path));
        UINT length = 0;
        const auto* value = query<wchar_t>(path.c_str(), length);
        ASSERT_TRUE(value);
        EXPECT_EQ(std::wstring(value), field.value);
    }
}

} // namespace
