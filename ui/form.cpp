// Building forms from their layouts, the form operations and the messages a form turns into events.
#include "ui/form.h"

#include "ui/paint.h"

#include <algorithm>
#include <cstring>

namespace ui {
namespace {
constexpr wchar_t kFormClass[] = L"MovarilForm";
// Posted by destroy(); private to the form, clear of the tray and feedback messages.
constexpr UINT kDestroyMessage = WM_APP + 1;
constexpr int kFirstId = 100; // control and timer ids: kFirstId + row index, clear of IDOK and IDCANCEL
constexpr int kMaxHeight = 32627;
int formsAlive = 0;
} // namespace

Form::~Form() {
    // The controls, members of the derived form, are gone already: let the window go without them.
    if (isCreated()) {
        dying_ = true;
        ::DestroyWindow(hwnd_);
    }
}

int Form::liveForms() { return formsAlive; }

bool Form::load() {
    if (isCreated()) {
        if (!destroyPending_)
            return true;
        // A load after a destroy request gets a fresh window, not the one about to go.
        ::DestroyWindow(hwnd_);
    }
    registerClass(kFormClass);
    // The primary screen's DPI: the window starts centred on it.
    dpi_ = systemDpi();
    auto [width, height] = outerSize(spec_.width, spec_.height);
    int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    if (!createWindow(kFormClass, spec_.title, spec_.style & ~WS_VISIBLE, spec_.exStyle, left, top, width,
                      height, nullptr, nullptr))
        return false;
    ++formsAlive;
    if (spec_.icon) {
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        auto icon = [&](int cx, int cy) {
            return Icon{static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(spec_.icon), IMAGE_ICON,
                                                        ::GetSystemMetrics(cx), ::GetSystemMetrics(cy), 0))};
        };
        bigIcon_ = icon(SM_CXICON, SM_CYICON);
        smallIcon_ = icon(SM_CXSMICON, SM_CYSMICON);
        ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
        ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    }
    createControls();
    raise(created);
    if (isCreated())
        ::ShowWindow(hwnd_, spec_.activate ? SW_SHOW : SW_SHOWNA);
    return true;
}

SIZE Form::outerSize(int width, int height) const {
    if (dpi_ == 96)
        return {width, height};
    // The client area scales; the frame is what the system draws at this DPI, which is not a plain multiple.
    auto adjust = user32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    auto frame = [&](UINT dpi) {
        RECT rect{};
        DWORD style = spec_.style & ~WS_VISIBLE;
        if (adjust)
            adjust(&rect, style, FALSE, spec_.exStyle, dpi);
        else
            ::AdjustWindowRectEx(&rect, style, FALSE, spec_.exStyle);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    };
    SIZE design = frame(96), now = frame(static_cast<UINT>(dpi_));
    return {scale(width - design.cx) + now.cx, scale(height - design.cy) + now.cy};
}

POINT Form::place(const Row& row) const {
    POINT place{row.x, row.y};
    // Group boxes only frame their children, which belong to the form.
    if (const Row* owner = row.parent ? this->row(row.parent) : nullptr;
        owner && owner->kind == Kind::GroupBox) {
        place.x += owner->x;
        place.y += owner->y;
    }
    return {scale(place.x), scale(place.y)};
}

void Form::createControls() {
    for (size_t i = 0; i < layout_.size(); ++i) {
        const Row& row = layout_[i];
        Control& c = control(row);
        c.row_ = &row;
        c.id_ = kFirstId + static_cast<int>(i);
        // A picture box holds its own children.
        const Row* owner = row.parent ? this->row(row.parent) : nullptr;
        HWND parent = owner && owner->kind == Kind::PictureBox ? control(*owner).handle() : hwnd_;
        c.create(*this, parent, place(row));
    }
}

void Form::rescale(UINT dpi, const RECT& suggested) {
    dpi_ = static_cast<int>(dpi);
    // The old fonts stay alive until every control has taken its new one.
    auto oldFonts = std::move(fonts_);
    fonts_.clear();
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    for (const Row& row : layout_) {
        Control& c = control(row);
        if (c.handle()) {
            POINT at = place(row);
            ::SetWindowPos(c.handle(), nullptr, at.x, at.y, scale(row.width), scale(row.height),
                           SWP_NOZORDER | SWP_NOACTIVATE);
        }
        c.rescaled(*this);
    }
}

void Form::destroy() {
    if (isCreated() && !destroyPending_)
        destroyPending_ = ::PostMessageW(hwnd_, kDestroyMessage, 0, 0);
}

void Form::moveTo(int left, int top) {
    RECT rect;
    if (!isCreated() || !::GetWindowRect(hwnd_, &rect) || (rect.left == left && rect.top == top))
        return;
    ::MoveWindow(hwnd_, left, top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

int Form::width() const {
    RECT rect{};
    ::GetWindowRect(hwnd_, &rect);
    return rect.right - rect.left;
}

int Form::height() const {
    RECT rect{};
    ::GetWindowRect(hwnd_, &rect);
    return rect.bottom - rect.top;
}

void Form::setHeight(int height) {
    ::SetWindowPos(hwnd_, nullptr, 0, 0, width(), std::clamp(height, 0, kMaxHeight),
                   SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

bool Form::visible() const { return ::IsWindowVisible(hwnd_); }

void Form::setVisible(bool visible) { ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

void Form::setAlwaysOnTop(bool onTop) {
    ::SetWindowPos(hwnd_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

HFONT Form::font(int height) {
    if (height == 0)
        return nullptr;
    for (auto& [h, font] : fonts_)
        if (h == height)
            return font.get();
    LOGFONTW logFont{.lfHeight = scale(height),
                     .lfWeight = FW_NORMAL,
                     .lfCharSet = DEFAULT_CHARSET,
                     .lfOutPrecision = OUT_DEFAULT_PRECIS,
                     .lfClipPrecision = CLIP_DEFAULT_PRECIS,
                     .lfQuality = PROOF_QUALITY,
                     .lfPitchAndFamily = DEFAULT_PITCH};
    wcscpy(logFont.lfFaceName, L"微软雅黑");
    return fonts_.emplace_back(height, Font{::CreateFontIndirectW(&logFont)}).second.get();
}

const Row* Form::row(const char* name) const {
    auto found = std::find_if(layout_.begin(), layout_.end(),
                              [&](const Row& r) { return std::strcmp(r.name, name) == 0; });
    return found == layout_.end() ? nullptr : &*found;
}

Control* Form::controlByHandle(HWND window) {
    for (const Row& row : layout_)
        if (Control& c = control(row); window && c.handle() == window)
            return &c;
    return nullptr;
}

Control* Form::controlById(int id) {
    size_t index = static_cast<size_t>(id - kFirstId);
    return id >= kFirstId && index < layout_.size() ? &control(layout_[index]) : nullptr;
}

LRESULT Form::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (paintMessage(hwnd_, msg, wParam, result,
                     [&](HDC dc, const RECT& client) { fill(dc, client, spec_.background); }))
        return result;

    // Registered messages have no fixed number, so they cannot be cases of the switch.
    static const UINT taskbarCreatedMessage = ::RegisterWindowMessageW(L"TaskbarCreated");
    if (msg == taskbarCreatedMessage && taskbarCreatedMessage) {
        raise(taskbarCreated);
        return 0;
    }

    switch (msg) {
    case WM_DPICHANGED: {
        // Only the system sends it, but a stray one must not take the window down.
        RECT suggested{};
        if (lParam)
            suggested = *reinterpret_cast<const RECT*>(lParam);
        else
            ::GetWindowRect(hwnd_, &suggested);
        if (HIWORD(wParam))
            rescale(HIWORD(wParam), suggested);
        return 0;
    }
    case WM_COMMAND: {
        HWND child = reinterpret_cast<HWND>(lParam);
        if (Control* c = child ? controlByHandle(child) : controlById(LOWORD(wParam)))
            c->command(child ? HIWORD(wParam) : 0);
        return 0;
    }
    case WM_TIMER:
        if (Control* c = controlById(static_cast<int>(wParam)); c && c->row().kind == Kind::Timer)
            raise(static_cast<Timer*>(c)->periodic);
        return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (Control* c = controlByHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = c->colours(reinterpret_cast<HDC>(wParam)))
                return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_CLOSE:
        if (!eventsSilenced() && (!canClose || canClose()))
            ::DestroyWindow(hwnd_);
        return 0;
    case WM_QUERYENDSESSION:
        if (eventsSilenced())
            return TRUE;
        if (canEndSession)
            return canEndSession();
        return !canClose || canClose();
    case WM_ENDSESSION:
        if (wParam)
            raise(sessionEnding);
        return 0;
    case kDestroyMessage:
        ::DestroyWindow(hwnd_);
        return 0;
    case kTrayMessage: {
        int type = 0;
        switch (lParam) {
        case WM_LBUTTONUP:
            type = 1;
            break;
        case WM_LBUTTONDBLCLK:
            type = 2;
            break;
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
            type = 3;
            break;
        }
        if (type)
            raise(trayEvent, type);
        return 0;
    }
    }
    return Window::message(msg, wParam, lParam);
}

void Form::detached() {
    // The children went before the form; timers died with the window.
    for (const Row& row : dying_ ? std::span<const Row>{} : layout_) {
        Control& c = control(row);
        c.formDestroyed();
        c.hwnd_ = nullptr;
    }
    destroyPending_ = false;
    fonts_.clear();
    bigIcon_.reset();
    smallIcon_.reset();
    // Wake the message loop so it can see that the last form has gone.
    if (--formsAlive == 0)
        ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
}

int runMessageLoop() {
    MSG msg;
    while (Form::liveForms() > 0 && ::GetMessageW(&msg, nullptr, 0, 0) > 0)
        dispatch(msg);
    return 0;
}

} // namespace ui
