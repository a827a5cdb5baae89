// Helpers the in-process tests share: waiting on a condition while messages flow, and reading what a
// window paints.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

namespace test {

// Dispatches messages until `done` holds or the deadline passes; returns whether it held.
bool pumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds deadline = std::chrono::seconds(5));
// Dispatches messages for a while: for checking that something does NOT happen within a time.
void pumpFor(std::chrono::milliseconds duration);

// What a window paints into its client area through WM_PRINTCLIENT.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, top-down
    COLORREF at(int x, int y) const;
    // Whether any pixel in the rectangle has this colour.
    bool contains(COLORREF colour, RECT area) const;
};
Picture render(HWND window);

// A PNG of one colour (alpha included), encoded with libpng.
std::vector<std::byte> solidPng(int width, int height, COLORREF colour, std::uint8_t alpha = 255);

} // namespace test
