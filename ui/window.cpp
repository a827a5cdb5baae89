// Window classes, object binding and message dispatch shared by every toolkit window.
#include "ui/window.h"

#include "ui/paint.h"

namespace ui {
namespace {
bool silenced = false;
} // namespace

COLORREF resolve(COLORREF colour) { return colour == kButtonFace ? ::GetSysColor(COLOR_BTNFACE) : colour; }

void silenceEvents() { silenced = true; }
bool eventsSilenced() { return silenced; }

Window* Window::from(HWND window) {
    wchar_t name[64];
    // Only windows of our own classes carry our object; their names all start with "Movaril".
    if (!window || !::GetClassNameW(window, name, 64) || wcsncmp(name, L"Movaril", 7) != 0)
        return nullptr;
    return reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

Window::~Window() {
    // A window that outlives its object must not reach it any more.
    if (from(hwnd_) == this)
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

void Window::registerClass(const wchar_t* name, UINT style) {
    WNDCLASSEXW existing{.cbSize = sizeof existing};
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (::GetClassInfoExW(instance, name, &existing))
        return;
    WNDCLASSEXW cls{.cbSize = sizeof cls,
                    .style = style,
                    .lpfnWndProc = procedure,
                    .hInstance = instance,
                    .hCursor = ::LoadCursorW(nullptr, IDC_ARROW),
                    .lpszClassName = name};
    ::RegisterClassExW(&cls);
}

HWND Window::createWindow(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x,
                          int y, int width, int height, HWND parent, HMENU idOrMenu) {
    return ::CreateWindowExW(exStyle, className, text, style, x, y, width, height, parent, idOrMenu,
                             ::GetModuleHandleW(nullptr), this);
}

LRESULT Window::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(window, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        LRESULT result = self->message(msg, wParam, lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->detached();
        return result;
    }
    return self->message(msg, wParam, lParam);
}

int systemDpi() {
    auto forSystem = user32Function<UINT(WINAPI*)()>("GetDpiForSystem");
    UINT dpi = forSystem ? forSystem() : 0;
    if (!dpi) {
        WindowDC screen(nullptr);
        dpi = static_cast<UINT>(::GetDeviceCaps(screen.get(), LOGPIXELSY));
    }
    return dpi ? static_cast<int>(dpi) : 96;
}

void fill(HDC dc, const RECT& rect, COLORREF colour) {
    // An opaque empty text fills without making a brush.
    COLORREF previous = ::SetBkColor(dc, resolve(colour));
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(dc, previous);
}

void dispatch(MSG& msg) {
    // Dialog-style navigation gives the tab stops their meaning in our plain windows.
    HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && ::IsDialogMessageW(root, &msg))
        return;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
}

void processPendingMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        dispatch(msg);
    }
}

} // namespace ui
