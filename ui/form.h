// A top-level window built from its layout table. A form is a struct whose members are its controls.
#pragma once

#include "ui/controls.h"
#include "ui/handle.h"
#include "ui/layout.h"

#include <functional>
#include <span>
#include <utility>
#include <vector>

namespace ui {

// The message the tray icon of a form reports its mouse events with.
inline constexpr UINT kTrayMessage = 0x8064;

class Form : public Window {
public:
    Form(const FormSpec& spec, std::span<const Row> layout) : spec_(spec), layout_(layout) {}
    ~Form() override;

    // Raised after every control exists, before the window is first shown.
    std::function<void()> created;
    // Raised on WM_CLOSE, and on WM_QUERYENDSESSION while canEndSession is unset; false keeps the window.
    std::function<bool()> canClose;
    // Raised on WM_QUERYENDSESSION in place of canClose: whether Windows may end the session.
    std::function<bool()> canEndSession;
    // Raised on WM_ENDSESSION when the session does end; the process is ended soon after it returns.
    std::function<void()> sessionEnding;
    // Raised when the taskbar is created anew (the shell restarted): tray icons must be added again.
    std::function<void()> taskbarCreated;
    // The tray icon's mouse events: 1 left button up, 2 left double click, 3 right button up or context menu.
    std::function<void(int type)> trayEvent;

    // Creates the window hidden and centred, then its controls, raises created and shows the window.
    // False when the window cannot be created.
    bool load();
    // Posted: the window goes after the running handler has returned. A load before then makes a new one.
    void destroy();
    bool isCreated() const { return hwnd_ && ::IsWindow(hwnd_); }
    // Moves the window's top-left corner, keeping its size; nothing when it is already there.
    void moveTo(int left, int top);

    int width() const;
    int height() const;
    // The outer height, clamped to 0..32627; width, place, z-order and activation stay.
    void setHeight(int height);
    bool visible() const;
    void setVisible(bool visible);
    void setAlwaysOnTop(bool onTop);

    const FormSpec& spec() const { return spec_; }
    std::span<const Row> layout() const { return layout_; }
    Control& control(const Row& row) { return row.control(*this); }
    // The layout row of a form name; usable before the window was ever loaded.
    const Row* row(const char* name) const;
    // The font of the standard face at a layout LOGFONT height, scaled and made once per load and DPI.
    HFONT font(int height);
    // Layout pixels (96 DPI) in the window's pixels at its current DPI.
    int scale(int layoutPixels) const { return ::MulDiv(layoutPixels, dpi_, 96); }
    // A window size of the layout (96 DPI, frame included) at the current DPI: the client area scaled, the
    // frame as the system draws it.
    SIZE outerSize(int width, int height) const;
    int dpi() const { return dpi_; }

    // Number of forms whose window exists; the message loop runs while there are any.
    static int liveForms();

protected:
    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void detached() override;

private:
    Control* controlByHandle(HWND window);
    Control* controlById(int id);
    void createControls();
    // Where a row's control goes in its parent, at the current DPI.
    POINT place(const Row& row) const;
    void rescale(UINT dpi, const RECT& suggested);

    FormSpec spec_;
    std::span<const Row> layout_;
    std::vector<std::pair<int, Font>> fonts_;
    Icon bigIcon_, smallIcon_;
    int dpi_ = 96;
    bool dying_ = false;
    bool destroyPending_ = false;
};

// Runs the message loop until no form's window is left; returns 0.
int runMessageLoop();

} // namespace ui
