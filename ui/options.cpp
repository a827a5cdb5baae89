// The options panel toggle, always on top and the About box.
#include "ui/options.h"

#include <winver.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <iterator>
#include <vector>

namespace ui {
namespace {

constexpr wchar_t kClosed[] = L"Seting";
constexpr wchar_t kOpen[] = L"Back";
// Outer heights in layout pixels: the panel lies below 247 and is all inside 374.
constexpr int kClosedHeight = 247;
constexpr int kOpenHeight = 374;
constexpr size_t kMaxVersion = 255;

void toggleOptions(MainWindow& window) {
    bool open = window.按钮8.caption() == kClosed;
    window.setHeight(window.outerSize(0, open ? kOpenHeight : kClosedHeight).cy);
    window.按钮8.setCaption(open ? kOpen : kClosed);
}

void showAbout(MainWindow& window) {
    std::wstring text = std::wstring(kAboutText) + readFileVersion(programPath());
    ::MessageBoxW(nullptr, text.c_str(), L"信息：", MB_OK | MB_TASKMODAL);
    window.超级链接框1.setNormalColour(RGB(0, 0, 255));
}

} // namespace

void bindOptions(MainWindow& window) {
    window.按钮8.clicked = [&window] { toggleOptions(window); };
    window.选择框1.clicked = [&window] { window.setAlwaysOnTop(window.选择框1.checked()); };
    window.超级链接框1.leftReleased = [&window](int, int) { showAbout(window); };
}

std::wstring programPath() {
    // The path can be longer than MAX_PATH; a full buffer means it may have been cut.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring readFileVersion(const std::wstring& path) {
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<std::byte> info(size);
    if (!::GetFileVersionInfoW(path.c_str(), 0, size, info.data()))
        return {};

    struct Translation {
        WORD language, codePage;
    };
    void* found = nullptr;
    UINT length = 0;
    // US English, Western European: the block a file without a translation table is read in.
    wchar_t block[9] = L"040904E4";
    if (::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &found, &length) &&
        length >= sizeof(Translation)) {
        auto* first = static_cast<const Translation*>(found);
        std::swprintf(block, std::size(block), L"%04x%04x", first->language, first->codePage);
    }
    std::wstring query = std::wstring(L"\\StringFileInfo\\") + block + L"\\FileVersion";
    if (!::VerQueryValueW(info.data(), query.c_str(), &found, &length) || length == 0)
        return {};
    // The length counts characters, the terminating zero among them when there is one.
    std::wstring version(static_cast<const wchar_t*>(found), std::min<size_t>(length, kMaxVersion));
    return version.substr(0, version.find(L'\0'));
}

} // namespace ui
