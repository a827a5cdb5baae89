// The cost of Movaril's ticks, each against the floor of the same Win32 calls made bare in this process: the
// main sampling tick on a loaded main window, the main magnifier tick on its canvas, and quick mode's follow
// tick moving the floating window after the pointer.
//
// Both sides run on visible windows of the same sizes, styles and font. Each tick is called through its
// timer's periodic event, as WM_TIMER calls it, with the program's handlers bound as start-up binds them.
// Only the tick is timed; the pointer moves and the paints it asks for are dispatched between ticks.

#include "app/app.h"
#include "colour/sampling.h"
#include "ui/handle.h"

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
// The follow tick's pointer alternates between these, so every tick moves its window; below the main
// windows, so the floating windows never cover them.
constexpr POINT kFollowPlaces[] = {{700, 650}, {720, 660}};
// Where quick mode keeps the floating window from the pointer, and its size.
constexpr int kFollowOffset = 15;
constexpr SIZE kFloatingSize{172, 86};
// The bare floating window goes this much further down, so that the two never cover each other.
constexpr int kBareBelow = 100;

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

struct Case {
    const char* name;
    std::function<void()> movaril, bare;
    // Untimed, before each tick of either side: what changes between two timer messages.
    std::function<void()> before = [] {};
};

// One tick, timed alone; the paints it asked for are dispatched afterwards, untimed.
double timed(const std::function<void()>& before, const std::function<void()>& tick) {
    before();
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
Round measure(const Case& tick) {
    double ours = 0, floor = 0;
    for (int i = 0; i < kTicksPerRound; ++i) {
        if (i % 2) {
            floor += timed(tick.before, tick.bare);
            ours += timed(tick.before, tick.movaril);
        } else {
            ours += timed(tick.before, tick.movaril);
            floor += timed(tick.before, tick.bare);
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
        WNDCLASSW floating{.lpfnWndProc = ::DefWindowProcW,
                           .hInstance = instance,
                           .hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)),
                           .lpszClassName = L"BareFloating"};
        for (const WNDCLASSW& c : {frame, swatch, canvas, floating})
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
        // The floating window's styles, shown when quick mode starts.
        floating_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_APPWINDOW, L"BareFloating", L"",
                                      WS_POPUP | WS_DISABLED | WS_CLIPCHILDREN, 0, 0, kFloatingSize.cx,
                                      kFloatingSize.cy, nullptr, nullptr, instance, nullptr);
        screen_ = ui::WindowDC(nullptr);
        target_ = ui::WindowDC(canvas_);
    }
    ~Bare() {
        target_.reset();
        ::DestroyWindow(floating_);
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

    void showFloating() {
        follow();
        ::ShowWindow(floating_, SW_SHOWNA);
    }

    // GetCursorPos and the move of a window of the floating window's size and styles.
    void follow() {
        POINT at;
        ::GetCursorPos(&at);
        ::MoveWindow(floating_, at.x + kFollowOffset, at.y + kFollowOffset + kBareBelow, kFloatingSize.cx,
                     kFloatingSize.cy, TRUE);
    }

private:
    ui::Font font_;
    ui::Pen pen_;
    HWND window_ = nullptr, swatch_ = nullptr, canvas_ = nullptr, floating_ = nullptr;
    std::array<HWND, 6> fields_{};
    std::array<std::wstring, 6> texts_;
    ui::WindowDC screen_, target_;
};

void report(const Case& tick) {
    // A round first, unmeasured, so that caches and Wine's lazy set-up are warm.
    measure(tick);
    std::vector<double> ours, floors, ratios;
    for (int r = 0; r < kRounds; ++r) {
        Round round = measure(tick);
        ours.push_back(round.movaril);
        floors.push_back(round.bare);
        ratios.push_back(round.movaril / round.bare);
    }
    std::printf("%-10s %10.1f %10.1f %8.2f\n", tick.name, median(ours), median(floors), median(ratios));
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    // Every handler but the created one, which would install the tray icon and the hotkey.
    app::Program program;
    app::bindHandlers(program, [](unsigned) {});
    ui::MainWindow& main = program.main;
    if (!main.load()) {
        std::fprintf(stderr, "tick: the main window could not be created\n");
        return 1;
    }
    // What a press on the eyedropper box starts, without the timers: the ticks are called here.
    program.mainMagnifier.start(main.画板1);
    ::SetCursorPos(kPointer.x, kPointer.y);
    Bare bare(colour::readPixelUnderPointer().value_or(colour::Sample{}));
    ui::processPendingMessages();

    std::printf("tick: microseconds per tick, medians over %d rounds of %d ticks each\n", kRounds,
                kTicksPerRound);
    std::printf("%-10s %10s %10s %8s\n", "tick", "Movaril", "bare", "ratio");
    // Measured before quick mode starts, as in a drag pick: with the floating window loaded, the magnifier
    // tick would read its canvas's width from the window instead of the layout.
    report({"sampling", [&] { main.时钟1.periodic(); }, [&] { bare.sample(); }});
    report({"magnifier", [&] { main.时钟3.periodic(); }, [&] { bare.magnify(); }});
    program.mainMagnifier.stop();

    // Quick mode as F4 starts it, with its timers stopped: only the follow tick called here runs.
    ::SetCursorPos(kFollowPlaces[0].x, kFollowPlaces[0].y);
    program.quickMode.toggle();
    bare.showFloating();
    ui::FloatWindow& floating = program.floating;
    for (ui::Timer* timer : {&main.时钟1, &floating.Get, &floating.Get1, &floating.move})
        timer->setPeriod(0);
    ui::processPendingMessages();
    int place = 0;
    report({"follow", [&] { floating.move.periodic(); }, [&] { bare.follow(); },
            [&] {
                const POINT& at = kFollowPlaces[place++ % 2];
                ::SetCursorPos(at.x, at.y);
            }});
    // The ticks timed above are worth their figure only if they moved the window: one more shows it does.
    constexpr POINT kLast{740, 670};
    ::SetCursorPos(kLast.x, kLast.y);
    floating.move.periodic();
    RECT moved{};
    ::GetWindowRect(floating.handle(), &moved);
    if (moved.left != kLast.x + kFollowOffset || moved.top != kLast.y + kFollowOffset) {
        std::fprintf(stderr, "tick: the follow tick left the floating window at %ld,%ld\n", moved.left,
                     moved.top);
        return 1;
    }
    return 0;
}
