// The paint routine shared by the self-drawn controls: one routine serves WM_PAINT and WM_PRINTCLIENT and
// draws through an off-screen bitmap, so nothing flickers.
#pragma once

#include "ui/handle.h"

namespace ui {

// Handles WM_PAINT, WM_PRINTCLIENT and WM_ERASEBKGND with `paint(dc, client)`; false for other messages.
template <class Paint> bool paintMessage(HWND window, UINT msg, WPARAM wParam, LRESULT& result, Paint paint) {
    auto buffered = [&](HDC target) {
        RECT client;
        ::GetClientRect(window, &client);
        MemoryDC memory{::CreateCompatibleDC(target)};
        Bitmap bitmap{::CreateCompatibleBitmap(target, client.right, client.bottom)};
        {
            Selected selected(memory.get(), bitmap.get());
            paint(memory.get(), client);
            ::BitBlt(target, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        }
    };
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;
        return true;
    case WM_PRINTCLIENT:
        buffered(reinterpret_cast<HDC>(wParam));
        result = 0;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window, &ps);
        buffered(dc);
        ::EndPaint(window, &ps);
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

// Fills `rect` with a colour (kButtonFace allowed) without creating a brush.
void fill(HDC dc, const RECT& rect, COLORREF colour);

} // namespace ui
