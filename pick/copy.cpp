// Copying a value field to the clipboard.
#include "pick/copy.h"

#include <cstring>
#include <string>

namespace pick {
namespace {

std::string toAnsi(const std::wstring& text) {
    int size = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                     nullptr, nullptr);
    std::string ansi(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), ansi.data(), size, nullptr,
                          nullptr);
    return ansi;
}

} // namespace

void copyField(const ui::Form& owner, const ui::Edit& field) {
    std::string text = toAnsi(field.text());
    // With an owner the emptied clipboard belongs to us, so SetClipboardData is sure to be accepted.
    if (!::OpenClipboard(owner.handle()))
        return;
    ::EmptyClipboard();
    if (HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1)) {
        if (void* bytes = ::GlobalLock(block)) {
            std::memcpy(bytes, text.c_str(), text.size() + 1);
            ::GlobalUnlock(block);
            // The clipboard owns the block once it takes it; it is ours to free only if it refuses.
            if (!::SetClipboardData(CF_TEXT, block))
                ::GlobalFree(block);
        } else {
            ::GlobalFree(block);
        }
    }
    ::CloseClipboard();
}

void autoCopy(ui::MainWindow& window) {
    if (!window.选择框2.checked())
        return;
    switch (window.组合框1.currentItem()) {
    case 0:
        copyField(window, window.Dec);
        break;
    case 1:
        copyField(window, window.Hex);
        break;
    case 2:
        copyField(window, window.Rgb);
        break;
    }
}

void bindCopyButtons(ui::MainWindow& window) {
    const std::pair<ui::Button*, ui::Edit*> buttons[] = {
        {&window.按钮1, &window.red}, {&window.按钮2, &window.Green}, {&window.按钮3, &window.Blue},
        {&window.按钮4, &window.Hex}, {&window.按钮5, &window.Dec},   {&window.按钮6, &window.Rgb},
    };
    for (auto [button, field] : buttons)
        button->clicked = [&window, field] { copyField(window, *field); };
}

} // namespace pick
