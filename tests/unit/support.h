// Helpers the in-process tests share: waiting on a condition while messages flow, and reading what a
// window paints.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
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

// A topmost window of one colour on the screen, for pixel reads to find. Waits until the screen shows it.
class ColourPatch {
public:
    ColourPatch(RECT where, COLORREF colour);
    ~ColourPatch();
    ColourPatch(const ColourPatch&) = delete;
    ColourPatch& operator=(const ColourPatch&) = delete;
    POINT centre() const { return {(where_.left + where_.right) / 2, (where_.top + where_.bottom) / 2}; }
    bool shown() const { return shown_; }

private:
    RECT where_;
    HWND window_ = nullptr;
    bool shown_ = false;
};

// Windows of the toolkit's forms this thread has, only those with this title when one is given.
int formWindows(const wchar_t* title = nullptr);

// The pixel the screen shows at a point.
COLORREF screenPixel(POINT at);

// CF_TEXT on the clipboard, or nothing when there is none.
std::optional<std::string> clipboardText();
void putClipboardText(const std::string& text);

// A program of the test build started with arguments, ended when this goes out of scope.
class Process {
public:
    // Starts `exe` (beside tests/unit, e.g. "../fixture/movaril_fixture.exe") and waits for `line` on its
    // standard output; started() tells whether it came.
    Process(const std::wstring& exe, const std::wstring& arguments, const std::string& line);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    bool started() const { return started_; }

private:
    HANDLE process_ = nullptr;
    HANDLE output_ = nullptr;
    bool started_ = false;
};

// Answers the next message box titled `title` from another thread, as a user would: records its text and
// owner, then presses `button` (IDOK, IDCANCEL).
class BoxAnswerer {
public:
    BoxAnswerer(const wchar_t* title, int button);
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    // Waits for the answering thread; true when a box was found and answered.
    bool answered();
    const std::wstring& text() const { return text_; }
    HWND owner() const { return owner_; }
    LONG style() const { return style_; }

private:
    std::thread thread_;
    std::wstring text_;
    HWND owner_ = nullptr;
    LONG style_ = 0;
    std::atomic<bool> answered_ = false;
};

// A PNG of one colour (alpha included), encoded with libpng.
std::vector<std::byte> solidPng(int width, int height, COLORREF colour, std::uint8_t alpha = 255);

} // namespace test
