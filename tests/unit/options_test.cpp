// The options toggle, always on top, the About box and reading a file's version, on the real main window.
#include "support.h"

#include "ui/float_window.h"
#include "ui/main_window.h"
#include "ui/options.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

std::string utf8(const std::wstring& text) {
    int size = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    out.pop_back();
    return out;
}

class Options : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.load());
        ui::bindOptions(window);
    }

    RECT rect() const {
        RECT r{};
        ::GetWindowRect(window.handle(), &r);
        return r;
    }
    int clientHeight() const {
        RECT r{};
        ::GetClientRect(window.handle(), &r);
        return r.bottom;
    }

    ui::MainWindow window;
};

TEST_F(Options, ToggleOpensAndClosesThePanelAndNeverMovesTheCorner) {
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    // Centred as loaded, and so low that the open panel reaches past the screen's bottom edge.
    for (int top : {static_cast<int>(rect().top), screenHeight - 260}) {
        SCOPED_TRACE(top);
        window.moveTo(rect().left, top);
        const RECT start = rect();
        const struct {
            int height;
            const wchar_t* caption;
        } steps[] = {{374, L"Back"}, {247, L"Seting"}};
        for (auto step : steps) {
            ::SendMessageW(window.按钮8.handle(), BM_CLICK, 0, 0);
            const RECT now = rect();
            EXPECT_EQ(now.bottom - now.top, window.outerSize(340, step.height).cy);
            EXPECT_EQ(now.right - now.left, window.outerSize(340, step.height).cx);
            EXPECT_EQ(now.left, start.left);
            EXPECT_EQ(now.top, start.top);
            EXPECT_EQ(window.按钮8.caption(), step.caption);
        }
    }
}

TEST_F(Options, PanelIsInsideTheClientAreaOnlyWhileOpen) {
    RECT link{};
    ::GetWindowRect(window.超级链接框1.handle(), &link);
    ::MapWindowPoints(nullptr, window.handle(), reinterpret_cast<POINT*>(&link), 2);
    EXPECT_LE(clientHeight(), window.scale(224)) << "the panel starts at row 224";
    ::SendMessageW(window.按钮8.handle(), BM_CLICK, 0, 0);
    EXPECT_GE(clientHeight(), link.bottom) << "the lowest control of the panel is cut off";
}

// A plain window that holds the foreground, for checking that the main window does not take it.
class OtherWindow {
public:
    OtherWindow() {
        window_ = ::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                                    100, nullptr, nullptr, nullptr, nullptr);
        ::SetForegroundWindow(window_);
        test::pumpUntil([&] { return ::GetForegroundWindow() == window_; }, 2s);
    }
    ~OtherWindow() { ::DestroyWindow(window_); }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    HWND handle() const { return window_; }

private:
    HWND window_;
};

bool topmost(HWND window) { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST_F(Options, AlwaysOnTopFollowsTheCheckBoxWithoutActivating) {
    ui::FloatWindow floating;
    ASSERT_TRUE(floating.load());
    OtherWindow other;
    ASSERT_EQ(::GetForegroundWindow(), other.handle());
    // The check box has toggled when its click reaches the handler.
    auto click = [&](bool checked) {
        window.选择框1.setChecked(checked);
        ::SendMessageW(window.handle(), WM_COMMAND, MAKEWPARAM(window.选择框1.id(), BN_CLICKED),
                       reinterpret_cast<LPARAM>(window.选择框1.handle()));
    };
    ASSERT_FALSE(topmost(window.handle()));
    click(true);
    EXPECT_TRUE(topmost(window.handle()));
    // Hidden and shown again, it stays on top.
    window.setVisible(false);
    EXPECT_TRUE(topmost(window.handle()));
    ::ShowWindow(window.handle(), SW_SHOWNA);
    EXPECT_TRUE(topmost(window.handle()));
    click(false);
    EXPECT_FALSE(topmost(window.handle()));
    EXPECT_TRUE(topmost(floating.handle())) << "the floating window keeps its own setting";
    EXPECT_EQ(::GetForegroundWindow(), other.handle());
}

TEST_F(Options, AboutShowsTheRunningFilesVersionThenResetsTheLinkColour) {
    window.超级链接框1.setNormalColour(RGB(1, 2, 3));
    std::wstring text;
    HWND owner = nullptr;
    bool mainEnabled = true;
    std::atomic<bool> closed = false;
    std::thread closer([&] {
        auto end = std::chrono::steady_clock::now() + 10s;
        while (std::chrono::steady_clock::now() < end) {
            if (HWND box = ::FindWindowW(L"#32770", L"信息：")) {
                wchar_t buffer[512] = L"";
                ::GetDlgItemTextW(box, 0xFFFF, buffer, 512);
                text = buffer;
                owner = ::GetWindow(box, GW_OWNER);
                mainEnabled = ::IsWindowEnabled(window.handle());
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                closed = true;
                return;
            }
            std::this_thread::sleep_for(10ms);
        }
    });
    // The box opens when the button is released over the link; it runs its own loop until closed.
    ::SendMessageW(window.超级链接框1.handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    closer.join();
    ASSERT_TRUE(closed);
    EXPECT_EQ(text, std::wstring(ui::kAboutText) + L"1.0.0.2");
    EXPECT_TRUE(text.ends_with(L"当前版本：1.0.0.2"));
    EXPECT_EQ(owner, nullptr);
    EXPECT_FALSE(mainEnabled) << "a task-modal box disables the program's windows";
    EXPECT_TRUE(::IsWindowEnabled(window.handle()));
    EXPECT_EQ(window.超级链接框1.normalColour(), RGB(0, 0, 255));
}

// A version resource built node by node: length, value length, type, key, padding, value, padding,
// children, every part on a 4-byte boundary.
struct Node {
    std::wstring key;
    std::vector<std::byte> value;
    WORD valueLength = 0; // characters for text, bytes for binary
    bool text = true;
    std::vector<Node> children;

    std::vector<std::byte> bytes() const {
        std::vector<std::byte> out(6);
        auto append = [&](const void* data, size_t size) {
            auto* first = static_cast<const std::byte*>(data);
            out.insert(out.end(), first, first + size);
        };
        auto align = [&] { out.resize((out.size() + 3) & ~size_t{3}); };
        append(key.c_str(), (key.size() + 1) * sizeof(wchar_t));
        align();
        append(value.data(), value.size());
        for (const Node& child : children) {
            align();
            auto childBytes = child.bytes();
            append(childBytes.data(), childBytes.size());
        }
        WORD header[3] = {static_cast<WORD>(out.size()), valueLength, static_cast<WORD>(text ? 1 : 0)};
        std::memcpy(out.data(), header, sizeof header);
        return out;
    }
};

Node stringNode(const std::wstring& key, const std::wstring& value) {
    Node node{key};
    auto* first = reinterpret_cast<const std::byte*>(value.c_str());
    node.value.assign(first, first + (value.size() + 1) * sizeof(wchar_t));
    node.valueLength = static_cast<WORD>(value.size() + 1);
    return node;
}

Node versionInfo(std::vector<Node> tables, std::vector<DWORD> translations) {
    VS_FIXEDFILEINFO fixed{.dwSignature = 0xFEEF04BD, .dwStrucVersion = 0x00010000};
    Node root{L"VS_VERSION_INFO"};
    root.text = false;
    auto* first = reinterpret_cast<const std::byte*>(&fixed);
    root.value.assign(first, first + sizeof fixed);
    root.valueLength = sizeof fixed;
    root.children.push_back(Node{L"StringFileInfo", {}, 0, true, std::move(tables)});
    if (!translations.empty()) {
        Node translation{L"Translation"};
        translation.text = false;
        auto* words = reinterpret_cast<const std::byte*>(translations.data());
        translation.value.assign(words, words + translations.size() * sizeof(DWORD));
        translation.valueLength = static_cast<WORD>(translations.size() * sizeof(DWORD));
        root.children.push_back(Node{L"VarFileInfo", {}, 0, true, {translation}});
    }
    return root;
}

// A translation entry: the language in the low word, the code page in the high one.
constexpr DWORD translation(WORD language, WORD codePage) { return MAKELONG(language, codePage); }

class FileVersion : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        // Hangul and Devanagari are in neither the Western nor the Chinese ANSI code page.
        dir = fs::path(temp) / L"Movaril 取色 한글 हिन्दी";
        fs::remove_all(dir);
        fs::create_directories(dir);
        self = ui::programPath();
        fixture = fs::path(self).parent_path() / L".." / L"fixture" / L"movaril_fixture.exe";
    }
    void TearDown() override { fs::remove_all(dir); }

    // A copy of the fixture program, which has no version resource, given this one.
    std::wstring withVersion(const std::wstring& name, const Node& info) {
        fs::path copy = dir / name;
        fs::copy_file(fixture, copy);
        HANDLE update = ::BeginUpdateResourceW(copy.c_str(), FALSE);
        auto bytes = info.bytes();
        bool written = update &&
                       ::UpdateResourceW(update, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO),
                                         MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), bytes.data(),
                                         static_cast<DWORD>(bytes.size())) &&
                       ::EndUpdateResourceW(update, FALSE);
        EXPECT_TRUE(written) << "could not write the version resource of " << utf8(copy.wstring());
        return copy.wstring();
    }

    fs::path dir;
    std::wstring self;
    fs::path fixture;
};

TEST_F(FileVersion, RunningProgramAndFilesWithoutAVersion) {
    EXPECT_TRUE(self.ends_with(L"\\movaril_tests.exe")) << utf8(self);
    EXPECT_EQ(ui::readFileVersion(self), L"1.0.0.2");
    ASSERT_TRUE(fs::exists(fixture));
    EXPECT_EQ(ui::readFileVersion(fixture.wstring()), L"");
    EXPECT_EQ(ui::readFileVersion((dir / L"missing.exe").wstring()), L"");
}

TEST_F(FileVersion, CopyUnderAPathOutsideTheAnsiCodePage) {
    fs::path copy = dir / L"副本 ☂ 한.exe";
    fs::copy_file(self, copy);
    BOOL lost = FALSE;
    ::WideCharToMultiByte(CP_ACP, 0, copy.c_str(), -1, nullptr, 0, nullptr, &lost);
    ASSERT_TRUE(lost) << "the path fits the ANSI code page, so it proves nothing";
    EXPECT_EQ(ui::readFileVersion(copy.wstring()), L"1.0.0.2");
}

TEST_F(FileVersion, BlockComesFromTheFirstTranslationOrTheUsEnglishDefault) {
    const std::wstring longVersion(300, L'7');
    const struct {
        const char* what;
        Node info;
        std::wstring version;
    } cases[] = {
        {"first translation's block",
         versionInfo({Node{L"040704b0", {}, 0, true, {stringNode(L"FileVersion", L"3.1")}},
                      Node{L"080404b0", {}, 0, true, {stringNode(L"FileVersion", L"9.9")}}},
                     {translation(0x0407, 0x04B0), translation(0x0804, 0x04B0)}),
         L"3.1"},
        {"no translation: the default block",
         versionInfo({Node{L"040904E4", {}, 0, true, {stringNode(L"FileVersion", L"2.5.0.1")}}}, {}),
         L"2.5.0.1"},
        {"no translation and no default block",
         versionInfo({Node{L"080404B0", {}, 0, true, {stringNode(L"FileVersion", L"1.0")}}}, {}), L""},
        {"no FileVersion in the block",
         versionInfo({Node{L"080404B0", {}, 0, true, {stringNode(L"ProductVersion", L"1.0")}}},
                     {translation(0x0804, 0x04B0)}),
         L""},
        {"a long version is cut",
         versionInfo({Node{L"080404B0", {}, 0, true, {stringNode(L"FileVersion", longVersion)}}},
                     {translation(0x0804, 0x04B0)}),
         longVersion.substr(0, 255)},
    };
    int n = 0;
    for (const auto& c : cases) {
        std::wstring file = withVersion(L"case" + std::to_wstring(++n) + L".exe", c.info);
        EXPECT_EQ(ui::readFileVersion(file), c.version) << c.what;
    }
}

} // namespace
