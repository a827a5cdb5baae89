// Both windows, built from their layout tables, checked row by row against the live controls.
#include "support.h"

#include "ui/float_window.h"
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring className(HWND window) {
    wchar_t name[64] = L"";
    ::GetClassNameW(window, name, 64);
    return name;
}

const wchar_t* expectedClass(ui::Kind kind) {
    switch (kind) {
    case ui::Kind::PictureBox:
        return L"MovarilPictureBox";
    case ui::Kind::Canvas:
        return L"MovarilCanvas";
    case ui::Kind::TransparentLabel:
        return L"MovarilTransparentLabel";
    case ui::Kind::Hyperlink:
        return L"MovarilHyperlink";
    case ui::Kind::Label:
        return L"MovarilLabel";
    case ui::Kind::Edit:
        return L"Edit";
    case ui::Kind::Button:
    case ui::Kind::CheckBox:
    case ui::Kind::GroupBox:
        return L"Button";
    case ui::Kind::ComboBox:
        return L"ComboBox";
    default:
        return nullptr; // no window of its own
    }
}

bool isTabStop(ui::Kind kind) {
    return kind == ui::Kind::Edit || kind == ui::Kind::Button || kind == ui::Kind::CheckBox ||
           kind == ui::Kind::ComboBox;
}

// Every control against its row, scaled to the form's DPI: class, place, size, text, styles, font,
// visibility, tab stop, state.
void checkControls(ui::Form& form) {
    for (const ui::Row& row : form.layout()) {
        SCOPED_TRACE(row.name);
        ui::Control& control = form.control(row);
        HWND window = control.handle();
        const wchar_t* cls = expectedClass(row.kind);
        if (!cls) {
            EXPECT_EQ(window, nullptr);
            if (row.kind == ui::Kind::Timer) {
                EXPECT_EQ(static_cast<ui::Timer&>(control).period(), row.value);
            }
            continue;
        }
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(_wcsicmp(className(window).c_str(), cls), 0) << "class";

        POINT place{row.x, row.y};
        const ui::Row* owner = row.parent ? form.row(row.parent) : nullptr;
        if (owner && owner->kind == ui::Kind::GroupBox)
            place = {place.x + owner->x, place.y + owner->y};
        HWND parent =
            owner && owner->kind == ui::Kind::PictureBox ? form.control(*owner).handle() : form.handle();
        EXPECT_EQ(::GetParent(window), parent);
        RECT rect;
        ::GetWindowRect(window, &rect);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, form.scale(place.x));
        EXPECT_EQ(rect.top, form.scale(place.y));
        EXPECT_EQ(rect.right - rect.left, form.scale(row.width));
        // A combo box's row height is its dropped list's reach, which Wine and Windows report differently.
        if (row.kind != ui::Kind::ComboBox) {
            EXPECT_EQ(rect.bottom - rect.top, form.scale(row.height));
        }

        LONG style = ::GetWindowLongW(window, GWL_STYLE);
        LONG exStyle = ::GetWindowLongW(window, GWL_EXSTYLE);
        LONG wanted = static_cast<LONG>(row.style);
        if (row.kind == ui::Kind::ComboBox)
            wanted &= ~WS_VSCROLL; // the combo box hands its scroll bar to the list it drops
        EXPECT_EQ(style & wanted, wanted) << "style";
        EXPECT_EQ(exStyle & static_cast<LONG>(row.exStyle), static_cast<LONG>(row.exStyle))
            << "extended style";
        EXPECT_EQ((style & WS_TABSTOP) != 0, isTabStop(row.kind)) << "tab stop";
        EXPECT_EQ((style & WS_VISIBLE) != 0, row.kind != ui::Kind::Label) << "visible";
        if (row.kind != ui::Kind::ComboBox) {
            EXPECT_EQ(ui::windowText(window), row.text);
        }

        if (auto font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
            row.font && row.kind != ui::Kind::Label) {
            LOGFONTW info{};
            ASSERT_TRUE(::GetObjectW(font, sizeof info, &info)) << "font";
            EXPECT_STREQ(info.lfFaceName, L"微软雅黑");
            EXPECT_EQ(info.lfHeight, form.scale(row.font));
            EXPECT_EQ(info.lfWeight, FW_NORMAL);
            EXPECT_EQ(info.lfCharSet, DEFAULT_CHARSET);
            EXPECT_EQ(info.lfQuality, PROOF_QUALITY);
            EXPECT_FALSE(info.lfItalic || info.lfUnderline || info.lfStrikeOut);
        }

        switch (row.kind) {
        case ui::Kind::PictureBox:
            EXPECT_EQ(static_cast<ui::PictureBox&>(control).background(), row.back);
            break;
        case ui::Kind::Canvas:
            EXPECT_EQ(static_cast<ui::Canvas&>(control).background(), row.back);
            break;
        case ui::Kind::Hyperlink:
            EXPECT_EQ(static_cast<ui::Hyperlink&>(control).normalColour(), row.fore);
            break;
        case ui::Kind::CheckBox:
            EXPECT_EQ(static_cast<ui::CheckBox&>(control).checked(), row.value != 0);
            EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
            break;
        case ui::Kind::Button:
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
            EXPECT_TRUE(style & BS_MULTILINE);
            break;
        case ui::Kind::GroupBox:
            EXPECT_EQ(style & BS_TYPEMASK, BS_GROUPBOX);
            break;
        default:
            break;
        }
    }
}

void checkCentred(ui::Form& form, int width, int height) {
    SIZE outer = form.outerSize(width, height);
    width = outer.cx;
    height = outer.cy;
    HWND window = form.handle();
    RECT rect;
    ::GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, width);
    EXPECT_EQ(rect.bottom - rect.top, height);
    EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

TEST(MainWindow, EveryControlMatchesItsLayoutRow) {
    ui::MainWindow window;
    ASSERT_TRUE(window.load());
    checkControls(window);
}

TEST(MainWindow, WindowSettings) {
    ui::MainWindow window;
    bool hiddenWhileCreated = false;
    window.created = [&] {
        hiddenWhileCreated = !::IsWindowVisible(window.handle()) && window.按钮8.handle();
    };
    ASSERT_TRUE(window.load());
    EXPECT_TRUE(hiddenWhileCreated);
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(ui::windowText(window.handle()), L"Movaril");
    checkCentred(window, 340, 247);
    LONG style = ::GetWindowLongW(window.handle(), GWL_STYLE);
    LONG exStyle = ::GetWindowLongW(window.handle(), GWL_EXSTYLE);
    for (LONG bit : {WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_CLIPCHILDREN})
        EXPECT_EQ(style & bit, bit);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME | WS_POPUP), 0);
    EXPECT_EQ(exStyle & WS_EX_TOPMOST, 0);
    EXPECT_EQ(::GetWindow(window.handle(), GW_OWNER), nullptr);
    EXPECT_NE(::SendMessageW(window.handle(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(::SendMessageW(window.handle(), WM_GETICON, ICON_SMALL, 0), 0);
    // At the start-up height the options panel lies below the client area.
    RECT client;
    ::GetClientRect(window.handle(), &client);
    EXPECT_LE(client.bottom, window.scale(224));
    EXPECT_GT(client.bottom, window.scale(197 + 17));
}

TEST(MainWindow, FormatListIsSortedWithHexSelected) {
    ui::MainWindow window;
    ASSERT_TRUE(window.load());
    ASSERT_EQ(window.组合框1.itemCount(), 3);
    EXPECT_EQ(window.组合框1.item(0), L"10进制[DEC]");
    EXPECT_EQ(window.组合框1.item(1), L"16进制[Hex]");
    EXPECT_EQ(window.组合框1.item(2), L"R,G,B[RGB]");
    EXPECT_EQ(window.组合框1.currentItem(), 1);

    // List items are one pixel taller than a plain combo box with the same font gives them.
    HWND plain = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 99, 160,
                                   window.handle(), nullptr, nullptr, nullptr);
    ::SendMessageW(plain, WM_SETFONT, ::SendMessageW(window.组合框1.handle(), WM_GETFONT, 0, 0), FALSE);
    EXPECT_EQ(::SendMessageW(window.组合框1.handle(), CB_GETITEMHEIGHT, 0, 0),
              ::SendMessageW(plain, CB_GETITEMHEIGHT, 0, 0) + 1);
    ::DestroyWindow(plain);
}

TEST(MainWindow, ValueFieldsTakeNoTyping) {
    ui::MainWindow window;
    ASSERT_TRUE(window.load());
    window.Hex.setText(L"#0A05C8");
    ::SendMessageW(window.Hex.handle(), WM_CHAR, L'x', 0);
    EXPECT_EQ(window.Hex.text(), L"#0A05C8");
}

TEST(FloatWindow, EveryControlMatchesItsLayoutRow) {
    ui::FloatWindow window;
    ASSERT_TRUE(window.load());
    checkControls(window);
    // The hint names the key that ends quick mode.
    EXPECT_NE(window.透明标签1.text().find(L"F4"), std::wstring::npos);
}

TEST(FloatWindow, WindowSettings) {
    ui::FloatWindow window;
    HWND before = ::GetForegroundWindow();
    ASSERT_TRUE(window.load());
    EXPECT_TRUE(window.visible());
    EXPECT_EQ(ui::windowText(window.handle()), L"");
    checkCentred(window, 172, 86);
    RECT client;
    ::GetClientRect(window.handle(), &client);
    EXPECT_EQ(client.right, window.scale(172));
    EXPECT_EQ(client.bottom, window.scale(86));
    LONG style = ::GetWindowLongW(window.handle(), GWL_STYLE);
    LONG exStyle = ::GetWindowLongW(window.handle(), GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_DISABLED | WS_CLIPCHILDREN), WS_POPUP | WS_DISABLED | WS_CLIPCHILDREN);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_BORDER), 0);
    EXPECT_EQ(exStyle & WS_EX_TOPMOST, WS_EX_TOPMOST);
    EXPECT_NE(::GetForegroundWindow(), window.handle());
    EXPECT_EQ(::GetForegroundWindow(), before);
}

TEST(FloatWindow, EachLoadStartsFresh) {
    ui::FloatWindow window;
    int loads = 0;
    window.created = [&] {
        ++loads;
        window.Get.setPeriod(100);
    };
    ASSERT_TRUE(window.load());
    window.Color.setBackground(RGB(10, 5, 200));
    window.Tips.setText(L"#0A05C8");
    window.destroy();
    ASSERT_TRUE(test::pumpUntil([&] { return !window.isCreated(); }));
    EXPECT_EQ(window.Get.period(), 0);

    ASSERT_TRUE(window.load());
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(window.Color.background(), RGB(255, 255, 255));
    EXPECT_EQ(window.Tips.text(), L"");
    EXPECT_EQ(window.Get.period(), 100);
    EXPECT_EQ(window.move.period(), 1);
}

} // namespace

namespace {

// The prefix's DPI: 96 in the default run, 144 in the scaled one (ctest's unit_144dpi).
TEST(Dpi, LayoutsFollowTheScreenDpi) {
    ui::MainWindow window;
    ASSERT_TRUE(window.load());
    EXPECT_EQ(window.dpi(), ui::systemDpi());
    EXPECT_EQ(window.scale(340), ::MulDiv(340, ui::systemDpi(), 96));
    checkControls(window);
}

// Without the manifest's per-monitor awareness a scaled screen would virtualise the pointer and the pixel
// reads apart. The test program carries the same manifest as Movaril.exe.
TEST(Dpi, ProgramIsPerMonitorAware) {
    auto threadContext = ui::user32Function<void*(WINAPI*)()>("GetThreadDpiAwarenessContext");
    auto awareness = ui::user32Function<int(WINAPI*)(void*)>("GetAwarenessFromDpiAwarenessContext");
    ASSERT_TRUE(threadContext && awareness);
    // DPI_AWARENESS_PER_MONITOR_AWARE, which both PerMonitorV2 and its PerMonitor fallback give.
    EXPECT_EQ(awareness(threadContext()), 2);
}

TEST(Dpi, StrayDpiMessagesChangeNothing) {
    ui::MainWindow window;
    ASSERT_TRUE(window.load());
    int dpi = window.dpi(), height = window.height();
    ::SendMessageW(window.handle(), WM_DPICHANGED, 0, 0);
    ::SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0);
    EXPECT_EQ(window.dpi(), dpi);
    EXPECT_EQ(window.height(), height);
    checkControls(window);
}

TEST(Dpi, MovingToAMonitorOfAnotherDpiScalesEverything) {
    ui::MainWindow window;
    ASSERT_TRUE(window.load());
    int dpi = window.dpi() == 144 ? 96 : 144;
    RECT rect;
    ::GetWindowRect(window.handle(), &rect);
    RECT suggested{rect.left, rect.top, rect.left + ::MulDiv(340, dpi, 96),
                   rect.top + ::MulDiv(247, dpi, 96)};
    ::SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(window.dpi(), dpi);
    EXPECT_EQ(window.height(), ::MulDiv(247, dpi, 96));
    checkControls(window);
    // The canvas's pen grows with it: the dot is wider than five pixels at 144 DPI.
    ::ShowWindow(window.handle(), SW_SHOWNA);
    ::UpdateWindow(window.handle());
    int middle = window.scale(40);
    window.画板1.line({middle, middle}, {middle, middle});
    HDC dc = ::GetDC(window.画板1.handle());
    EXPECT_EQ(::GetPixel(dc, middle + window.scale(5) / 2 - 1, middle), RGB(0, 0, 0));
    ::ReleaseDC(window.画板1.handle(), dc);
}

} // namespace
