// The picture box: a background colour, a picture drawn centred at natural size, its own mouse pointer.
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/paint.h"

#include <windowsx.h>

namespace ui {

void PictureBox::create(Form& form, HWND parent, POINT place) {
    background_ = row_->back;
    // The labels a picture box holds paint themselves over it.
    createOwn(form, L"MovarilPictureBox", WS_VISIBLE | WS_CLIPCHILDREN, parent, place);
}

void PictureBox::formDestroyed() {
    Control::formDestroyed();
    picture_ = Image{};
    pointer_.reset();
}

void PictureBox::setBackground(COLORREF colour) {
    background_ = colour;
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool PictureBox::setPicture(std::span<const std::byte> file) {
    if (file.empty()) {
        picture_ = Image{};
    } else if (auto image = Image::decode(file)) {
        picture_ = std::move(*image);
    } else {
        return false;
    }
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    return true;
}

bool PictureBox::setMousePointer(std::span<const std::byte> cursorFile) {
    Icon cursor = cursorFromFile(cursorFile);
    if (!cursor)
        return false;
    pointer_ = std::move(cursor);
    return true;
}

void PictureBox::paint(HDC dc, const RECT& client) const {
    fill(dc, client, background_);
    if (!picture_.empty())
        picture_.draw(dc, placePicture(picture_.size(), client));
}

LRESULT PictureBox::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (paintMessage(hwnd_, msg, wParam, result, [this](HDC dc, const RECT& client) { paint(dc, client); }))
        return result;
    switch (msg) {
    case WM_LBUTTONDOWN:
        raise(leftPressed, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP:
        raise(leftReleased, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_SETCURSOR:
        if (pointer_ && LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(pointer_.get());
            return TRUE;
        }
        break;
    }
    return Control::message(msg, wParam, lParam);
}

} // namespace ui
