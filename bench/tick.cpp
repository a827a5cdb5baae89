// The cost of Movaril's two ticks, each against the floor of the same Win32 calls made bare in this process:
// the main sampling tick on a loaded main window, and the main magnifier tick on its canvas.
//
// Both sides run on visible windows of the same sizes, styles and font, with the pointer held still. Only
// the tick is timed; the paints it asks for are dispatched between ticks, as the message loop would.

#include "colour/magnifier.h"
#include "colour/sampling.h"
#include "ui/float_window.h"
#include "ui/handle.h"
#include "ui/main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 15;
constexpr int kTicksPerRound = 200;
// Away from both windows, so the pixel read and the copied square see the plain root window.
constexpr POINT kPointer{640, 900};

double now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

// One tick, timed alone; the paints it asked for are dispatched afterwards, untimed.
double timed(const std::function<void()>& tick) {
    double start = now();
    tick();
    double spent = now() - start;
    ui::processPendingMessages();
    return spent;
}

struct Round {
    double movaril, bare; // mean microseconds per tick
};

// The two sides take turns tick by tick, the order swapped every pair, so that both meet the same load
// (Wine's server and the X server are shared with whatever else runs).
Round measure(const std::function<void()>& movaril, const std::function<void()>& bare) {
    double ours = 0, floor = 0;
    for (int i = 0; i < kTicksPerRound; ++i) {
        if (i % 2) {
            floor += timed(bare);
            ours += timed(movaril);
        } else {
            ours += timed(movaril);
            floor += timed(bare);
        }
    }
    return {ours * 1e6 / kTicksPerRound, floor * 1e6 / kTicksPerRound};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The floor's swatch colour. Kept in memory as Movaril keeps its own: SetWindowLongPtr would add a trip to
// the wineserver that neither side needs.
COLORREF swatchColour = 0;

LRESULT CALLBACK swatchProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT client;
        ::GetClientRect(window, &client);
        ui::Brush brush{::CreateSolidBrush(swatchColour)};
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush.get());
        return 1;
    }
    return ::DefWindowProcW(window, msg, wParam, lParam);
}

// The floor: a window shaped like the main window's part a tick touches, driven by bare calls.
class Bare {
public:
    // `shown`: the sample the pointer rests on; the floor writes its texts, made beforehand.
    explicit Bare(colour::Sample shown)
        : font_(::CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"微软雅黑")),
          pen_(::CreatePen(PS_SOLID, 5, RGB(0, 0, 0))) {
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        WNDCLASSW frame{.lpfnWndProc = ::DefWindowProcW,
                        .hInstance = instance,
                        .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                        .lpszClassName = L"BareFrame"};
        WNDCLASSW swatch{.lpfnWndProc = swatchProc, .hInstance = instance, .lpszClassName = L"BareSwatch"};
        WNDCLASSW canvas{.lpfnWndProc = ::DefWindowProcW,
                         .hInstance = instance,
                         .hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                         .lpszClassName = L"BareCanvas"};
        for (const WNDCLASSW& c : {frame, swatch, canvas})
            ::RegisterClassW(&c);
        window_ = ::CreateWindowExW(0, L"BareFrame", L"bare", WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 0, 0,
                                    340, 247, nullptr, nullptr, instance, nullptr);
        swatch_ = ::CreateWindowExW(0, L"BareSwatch", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 8, 80, 80, 24,
                                    window_, nullptr, instance, nullptr);
        canvas_ = ::CreateWindowExW(0, L"BareCanvas", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 8, 111, 80, 80,
                                    window_, nullptr, instance, nullptr);
        for (int i = 0; i < 6; ++i) {
            fields_[i] = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                           WS_CHILD | WS_VISIBLE | ES_READONLY | ES_CENTER | ES_AUTOHSCROLL,
                                           180, 8 + 32 * i, 96, 24, window_, nullptr, instance, nullptr);
            ::SendMessageW(fields_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        }
        const std::string texts[] = {colour::channelText(shown.r), colour::channelText(shown.g),
                                     colour::channelText(shown.b), colour::hexText(shown),
                                     colour::decText(shown),       colour::rgbText(shown)};
        for (int i = 0; i < 6; ++i)
            texts_[i].assign(texts[i].begin(), texts[i].end());
        ::ShowWindow(window_, SW_SHOWNOACTIVATE);
        screen_ = ui::WindowDC(nullptr);
        target_ = ui::WindowDC(canvas_);
    }
    ~Bare() {
        target_.reset();
        ::DestroyWindow(window_);
    }
    Bare(const Bare&) = delete;
    Bare& operator=(const Bare&) = delete;

    // GetDC(NULL), GetCursorPos, GetPixel, ReleaseDC, then the seven control writes.
    void sample() {
        HDC screen = ::GetDC(nullptr);
        POINT at;
        ::GetCursorPos(&at);
        COLORREF colour = ::GetPixel(screen, at.x, at.y);
        ::ReleaseDC(nullptr, screen);
        swatchColour = colour & 0xFFFFFF;
        ::InvalidateRect(swatch_, nullptr, TRUE);
        for (int i = 0; i < 6; ++i)
            ::SetWindowTextW(fields_[i], texts_[i].c_str());
    }

    // GetCursorPos, StretchBlt through the kept pair, and the dot through a DC of its own.
    void magnify() {
        POINT at;
        ::GetCursorPos(&at);
        ::StretchBlt(target_.get(), 0, 0, 80, 80, screen_.get(), at.x - 8, at.y - 8, 17, 17, SRCCOPY);
        HDC dc = ::GetDC(canvas_);
        HGDIOBJ previous = ::SelectObject(dc, pen_.get());
        ::SetROP2(dc, R2_BLACK);
        ::MoveToEx(dc, 40, 40, nullptr);
        ::LineTo(dc, 40, 40);
        ::SelectObject(dc, previous);
        ::ReleaseDC(canvas_, dc);
    }

private:
    ui::Font font_;
    ui::Pen pen_;
    HWND window_ = nullptr, swatch_ = nullptr, canvas_ = nullptr;
    std::array<HWND, 6> fields_{};
    std::array<std::wstring, 6> texts_;
    ui::WindowDC screen_, target_;
};

struct Case {
    const char* name;
    std::function<void()> movaril, bare;
};

} // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    ui::MainWindow main;
    ui::FloatWindow floating;
    if (!main.load()) {
        std::fprintf(stderr, "tick: the main window could not be created\n");
        return 1;
    }
    colour::Magnifier magnifier;
    magnifier.start(main.画板1);
    ::SetCursorPos(kPointer.x, kPointer.y);
    Bare bare(colour::readPixelUnderPointer().value_or(colour::Sample{}));
    ui::processPendingMessages();

    const Case cases[] = {
        {"sampling", [&] { colour::mainTick(main); }, [&] { bare.sample(); }},
        {"magnifier", [&] { magnifier.tick(main.画板1, colour::floatCanvasWidth(floating)); },
         [&] { bare.magnify(); }},
    };
    std::printf("tick: microseconds per tick, medians over %d rounds of %d ticks each\n", kRounds,
                kTicksPerRound);
    std::printf("%-10s %10s %10s %8s\n", "tick", "Movaril", "bare", "ratio");
    for (const Case& tick : cases) {
        // A round first, unmeasured, so that caches and Wine's lazy set-up are warm.
        measure(tick.movaril, tick.bare);
        std::vector<double> ours, floors, ratios;
        for (int r = 0; r < kRounds; ++r) {
            Round round = measure(tick.movaril, tick.bare);
            ours.push_back(round.movaril);
            floors.push_back(round.bare);
            ratios.push_back(round.movaril / round.bare);
        }
        std::printf("%-10s %10.1f %10.1f %8.2f\n", tick.name, median(ours), median(floors), median(ratios));
    }
    magnifier.stop();
    return 0;
}
