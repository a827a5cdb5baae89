// The transparent label: one line of text over whatever its parent paints beneath it.
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/paint.h"

namespace ui {

void TransparentLabel::create(Form& form, HWND parent, POINT place) {
    font_ = form.font(row_->font);
    createOwn(form, L"MovarilTransparentLabel", WS_VISIBLE, parent, place);
}

void TransparentLabel::rescaled(Form& form) {
    font_ = form.font(row_->font);
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

std::wstring TransparentLabel::text() const { return windowText(hwnd_); }

void TransparentLabel::setText(const std::wstring& text) {
    ::SetWindowTextW(hwnd_, text.c_str());
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void TransparentLabel::paint(HDC dc, const RECT& client) const {
    // The parent paints itself into our buffer, shifted so that its pixels under us land at (0, 0).
    fill(dc, client, kButtonFace);
    HWND parent = ::GetParent(hwnd_);
    POINT origin{0, 0};
    ::MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT previous;
    ::SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    ::SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    ::SetViewportOrgEx(dc, previous.x, previous.y, nullptr);

    std::wstring text = windowText(hwnd_);
    Selected font(dc, font_);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, resolve(row_->fore));
    RECT area = client;
    UINT align = (row_->style & SS_CENTER) ? DT_CENTER : DT_LEFT;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                align | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT TransparentLabel::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (paintMessage(hwnd_, msg, wParam, result, [this](HDC dc, const RECT& client) { paint(dc, client); }))
        return result;
    if (msg == WM_NCHITTEST)
        return HTTRANSPARENT;
    if (msg == WM_GETFONT)
        return reinterpret_cast<LRESULT>(font_);
    return Control::message(msg, wParam, lParam);
}

} // namespace ui
