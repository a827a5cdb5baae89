// Helpers the in-process tests share.
#include "support.h"

#include "ui/handle.h"
#include "ui/window.h"

#include <png.h>

#include <algorithm>

namespace test {

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
    auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                    static_cast<DWORD>(std::min<long long>(left.count(), 10)), QS_ALLINPUT);
        ui::processPendingMessages();
    }
    return true;
}

void pumpFor(std::chrono::milliseconds duration) {
    pumpUntil([] { return false; }, duration);
}

COLORREF Picture::at(int x, int y) const {
    std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Picture::contains(COLORREF colour, RECT area) const {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (at(x, y) == colour)
                return true;
    return false;
}

Picture render(HWND window) {
    RECT client;
    ::GetClientRect(window, &client);
    Picture picture{client.right, client.bottom, {}};
    BITMAPINFO info{};
    info.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER),
                      .biWidth = picture.width,
                      .biHeight = -picture.height,
                      .biPlanes = 1,
                      .biBitCount = 32,
                      .biCompression = BI_RGB};
    void* bits = nullptr;
    ui::Bitmap bitmap{::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    ui::MemoryDC dc{::CreateCompatibleDC(nullptr)};
    {
        ui::Selected selected(dc.get(), bitmap.get());
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        ::GdiFlush();
        auto* first = static_cast<std::uint32_t*>(bits);
        picture.pixels.assign(first, first + static_cast<size_t>(picture.width) * picture.height);
    }
    return picture;
}

std::vector<std::byte> solidPng(int width, int height, COLORREF colour, std::uint8_t alpha) {
    std::vector<png_byte> rgba;
    for (int i = 0; i < width * height; ++i)
        rgba.insert(rgba.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour), alpha});
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::vector<std::byte> file(size);
    png_image_write_to_memory(&image, file.data(), &size, 0, rgba.data(), 0, nullptr);
    file.resize(size);
    return file;
}

} // namespace test
