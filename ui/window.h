// The base of every window the toolkit makes with a class of its own: the C++ object is bound to its HWND
// once, at WM_NCCREATE, and let go at WM_NCDESTROY.
#pragma once

#include <windows.h>

namespace ui {

// Colour value standing for the system colour COLOR_BTNFACE wherever a control colour is given.
inline constexpr COLORREF kButtonFace = 0xFF000000;
// The colour to paint with: kButtonFace resolved to the system colour.
COLORREF resolve(COLORREF colour);

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND handle() const { return hwnd_; }

    // The object bound to a window of one of our classes, or nullptr.
    static Window* from(HWND window);

protected:
    // Registers the class once per process; every toolkit class shares the one window procedure.
    static void registerClass(const wchar_t* name, UINT style = 0);
    HWND createWindow(const wchar_t* className, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y,
                      int width, int height, HWND parent, HMENU idOrMenu);

    // Messages not handled here go to DefWindowProc.
    virtual LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called last, at WM_NCDESTROY, after the handle has been let go.
    virtual void detached() {}

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) noexcept;
};

// While set, no event of the program is raised any more: the program is ending.
void silenceEvents();
bool eventsSilenced();

// The system's DPI, the primary monitor's; 96 where the system cannot say.
int systemDpi();

// A user32 function that older systems lack, looked up at run time; nullptr where it is missing.
template <typename Function> Function user32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), name)));
}

// Takes and dispatches every message waiting in this thread's queue; a WM_QUIT found there is put back.
void processPendingMessages();
// Dispatches one message the way the message loop does, with dialog-style keyboard navigation.
void dispatch(MSG& msg);

} // namespace ui
