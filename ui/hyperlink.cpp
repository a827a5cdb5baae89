// The hyperlink box: link text that changes colour under the pointer and shows the hand cursor. It opens
// nothing by itself; its released event does whatever the form wants.
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/paint.h"

#include <windowsx.h>

namespace ui {

void Hyperlink::create(Form& form, HWND parent, POINT place) {
    normal_ = row_->fore;
    hovered_ = visited_ = false;
    font_ = form.font(row_->font);
    createOwn(form, L"MovarilHyperlink", WS_VISIBLE, parent, place);
}

void Hyperlink::rescaled(Form& form) {
    font_ = form.font(row_->font);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void Hyperlink::setNormalColour(COLORREF colour) {
    normal_ = colour;
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void Hyperlink::paint(HDC dc, const RECT& client) const {
    fill(dc, client, row_->back);
    std::wstring text = windowText(hwnd_);
    Selected font(dc, font_);
    ::SetBkMode(dc, TRANSPARENT);
    // Visited links keep the layout's link colour; normal_ is the one that can be changed.
    ::SetTextColor(dc, resolve(hovered_ ? row_->hover : visited_ ? row_->fore : normal_));
    RECT area = client;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT Hyperlink::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (paintMessage(hwnd_, msg, wParam, result, [this](HDC dc, const RECT& client) { paint(dc, client); }))
        return result;
    switch (msg) {
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_MOUSEMOVE:
        if (!hovered_) {
            hovered_ = true;
            TRACKMOUSEEVENT track{.cbSize = sizeof track, .dwFlags = TME_LEAVE, .hwndTrack = hwnd_};
            ::TrackMouseEvent(&track);
            ::InvalidateRect(hwnd_, nullptr, FALSE);
        }
        return 0;
    case WM_MOUSELEAVE:
        hovered_ = false;
        ::InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_SETCURSOR:
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    case WM_LBUTTONDOWN:
        raise(leftPressed, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONUP: {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT client;
        ::GetClientRect(hwnd_, &client);
        if (!::PtInRect(&client, at))
            return 0;
        visited_ = true;
        ::InvalidateRect(hwnd_, nullptr, FALSE);
        raise(leftReleased, at.x, at.y);
        return 0;
    }
    }
    return Control::message(msg, wParam, lParam);
}

} // namespace ui
