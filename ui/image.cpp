// Decoding picture-box images: PNG with libpng's simplified API, cursor files with CreateIconFromResourceEx.
#include "ui/image.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace ui {
namespace {

template <class T> T readLE(std::span<const std::byte> bytes, size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// The first image of an icon-directory file of the given type (1 icon, 2 cursor), checked against the bounds.
struct DirEntry {
    int width, height;
    WORD hotX, hotY;
    std::span<const std::byte> bits;
};

std::optional<DirEntry> firstEntry(std::span<const std::byte> file, WORD type) {
    constexpr size_t header = 6, entry = 16;
    if (file.size() < header + entry || readLE<WORD>(file, 0) != 0 || readLE<WORD>(file, 2) != type ||
        readLE<WORD>(file, 4) == 0)
        return std::nullopt;
    auto size = readLE<DWORD>(file, header + 8);
    auto offset = readLE<DWORD>(file, header + 12);
    if (offset > file.size() || size > file.size() - offset || size < sizeof(BITMAPINFOHEADER))
        return std::nullopt;
    auto dimension = [&](size_t at) {
        return std::to_integer<int>(file[at]) ? std::to_integer<int>(file[at]) : 256;
    };
    return DirEntry{dimension(header), dimension(header + 1), readLE<WORD>(file, header + 4),
                    readLE<WORD>(file, header + 6), file.subspan(offset, size)};
}

bool isPng(std::span<const std::byte> file) {
    return file.size() >= 8 && png_sig_cmp(reinterpret_cast<png_const_bytep>(file.data()), 0, 8) == 0;
}

} // namespace

Icon cursorFromFile(std::span<const std::byte> file) {
    auto entry = firstEntry(file, 2);
    if (!entry)
        return Icon{};
    // Cursor resource bits start with the hot spot, unlike the file's image data.
    std::vector<std::byte> bits(4 + entry->bits.size());
    std::memcpy(bits.data(), &entry->hotX, 2);
    std::memcpy(bits.data() + 2, &entry->hotY, 2);
    std::memcpy(bits.data() + 4, entry->bits.data(), entry->bits.size());
    return Icon{::CreateIconFromResourceEx(reinterpret_cast<PBYTE>(bits.data()),
                                           static_cast<DWORD>(bits.size()), FALSE, 0x00030000, entry->width,
                                           entry->height, LR_DEFAULTCOLOR)};
}

std::optional<Image> Image::decode(std::span<const std::byte> file) {
    Image image;
    if (!isPng(file)) {
        auto entry = firstEntry(file, 2);
        image.icon_ = cursorFromFile(file);
        if (!image.icon_)
            return std::nullopt;
        image.size_ = {entry->width, entry->height};
        return image;
    }

    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, file.data(), file.size()))
        return std::nullopt;
    png.format = PNG_FORMAT_BGRA;
    std::vector<png_byte> pixels(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }

    BITMAPINFO info{};
    info.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER),
                      .biWidth = static_cast<LONG>(png.width),
                      .biHeight = -static_cast<LONG>(png.height),
                      .biPlanes = 1,
                      .biBitCount = 32,
                      .biCompression = BI_RGB};
    void* bits = nullptr;
    image.bitmap_ = Bitmap{::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    if (!image.bitmap_)
        return std::nullopt;
    // AlphaBlend wants premultiplied colours.
    auto* out = static_cast<png_byte*>(bits);
    for (size_t i = 0; i < pixels.size(); i += 4) {
        unsigned alpha = pixels[i + 3];
        for (size_t c = 0; c < 3; ++c)
            out[i + c] = static_cast<png_byte>(pixels[i + c] * alpha / 255);
        out[i + 3] = static_cast<png_byte>(alpha);
    }
    image.size_ = {static_cast<LONG>(png.width), static_cast<LONG>(png.height)};
    return image;
}

void Image::draw(HDC dc, const RECT& target) const {
    int width = target.right - target.left, height = target.bottom - target.top;
    if (icon_) {
        ::DrawIconEx(dc, target.left, target.top, icon_.get(), width, height, 0, nullptr, DI_NORMAL);
    } else if (bitmap_) {
        MemoryDC source{::CreateCompatibleDC(dc)};
        Selected selected(source.get(), bitmap_.get());
        ::AlphaBlend(dc, target.left, target.top, width, height, source.get(), 0, 0, size_.cx, size_.cy,
                     BLENDFUNCTION{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA});
    }
}

RECT placePicture(SIZE picture, const RECT& box) {
    int boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;
    int width = picture.cx, height = picture.cy;
    if (width > boxWidth || height > boxHeight) {
        double scale =
            std::min(static_cast<double>(boxWidth) / width, static_cast<double>(boxHeight) / height);
        width = static_cast<int>(width * scale);
        height = static_cast<int>(height * scale);
    }
    int left = box.left + (boxWidth - width) / 2, top = box.top + (boxHeight - height) / 2;
    return {left, top, left + width, top + height};
}

} // namespace ui
