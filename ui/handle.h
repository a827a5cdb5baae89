// Owners for the Win32 handles the program holds. Each owner counts the live handles of its kind, so
// tests can prove that a long run of picks leaves nothing behind (GetGuiResources is no help under Wine).
#pragma once

#include <windows.h>

#include <array>
#include <utility>

namespace ui {

enum class HandleKind { DC, Pen, Font, Brush, Bitmap, Icon, Menu, Event, Hook, Count };

namespace detail {
inline std::array<int, static_cast<size_t>(HandleKind::Count)> liveHandles{};
inline void counted(HandleKind kind, int delta) { liveHandles[static_cast<size_t>(kind)] += delta; }
} // namespace detail

// Handles of one kind that an owner holds right now.
inline int liveHandles(HandleKind kind) { return detail::liveHandles[static_cast<size_t>(kind)]; }
inline std::array<int, static_cast<size_t>(HandleKind::Count)> liveHandleCounts() {
    return detail::liveHandles;
}

// A move-only owner: closes the handle with Close when it goes out of scope.
template <class H, HandleKind Kind, auto Close> class Owner {
public:
    Owner() = default;
    explicit Owner(H handle) : handle_(handle) {
        if (handle_)
            detail::counted(Kind, 1);
    }
    Owner(Owner&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    Owner& operator=(Owner&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;
    ~Owner() { reset(); }

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset() {
        if (handle_) {
            Close(handle_);
            detail::counted(Kind, -1);
            handle_ = nullptr;
        }
    }

private:
    H handle_ = nullptr;
};

namespace detail {
inline void deleteObject(HGDIOBJ object) { ::DeleteObject(object); }
inline void deleteDC(HDC dc) { ::DeleteDC(dc); }
inline void destroyIcon(HICON icon) { ::DestroyIcon(icon); }
inline void destroyMenu(HMENU menu) { ::DestroyMenu(menu); }
inline void closeHandle(HANDLE handle) { ::CloseHandle(handle); }
inline void unhook(HHOOK hook) { ::UnhookWindowsHookEx(hook); }
} // namespace detail

using Pen = Owner<HPEN, HandleKind::Pen, detail::deleteObject>;
using Font = Owner<HFONT, HandleKind::Font, detail::deleteObject>;
using Brush = Owner<HBRUSH, HandleKind::Brush, detail::deleteObject>;
using Bitmap = Owner<HBITMAP, HandleKind::Bitmap, detail::deleteObject>;
// Cursors are icons to GDI: DestroyIcon frees both when they were made from resource bits.
using Icon = Owner<HICON, HandleKind::Icon, detail::destroyIcon>;
using Menu = Owner<HMENU, HandleKind::Menu, detail::destroyMenu>;
using Event = Owner<HANDLE, HandleKind::Event, detail::closeHandle>;
using Hook = Owner<HHOOK, HandleKind::Hook, detail::unhook>;
// A memory DC made with CreateCompatibleDC.
using MemoryDC = Owner<HDC, HandleKind::DC, detail::deleteDC>;

// A DC borrowed with GetDC and given back with ReleaseDC; counted with the other DCs.
class WindowDC {
public:
    WindowDC() = default;
    explicit WindowDC(HWND window) : window_(window), dc_(::GetDC(window)) {
        if (dc_)
            detail::counted(HandleKind::DC, 1);
    }
    WindowDC(WindowDC&& other) noexcept
        : window_(std::exchange(other.window_, nullptr)), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = std::exchange(other.window_, nullptr);
            dc_ = std::exchange(other.dc_, nullptr);
        }
        return *this;
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() { reset(); }

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void reset() {
        if (dc_) {
            ::ReleaseDC(window_, dc_);
            detail::counted(HandleKind::DC, -1);
            dc_ = nullptr;
        }
        window_ = nullptr;
    }

private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

// Selects an object into a DC for one scope and puts the previous one back.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;
    ~Selected() {
        if (previous_)
            ::SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

} // namespace ui
