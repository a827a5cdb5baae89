// Helpers the in-process tests share.
#include "support.h"

#include "ui/handle.h"
#include "ui/window.h"

#include <png.h>

#include <algorithm>
#include <cstring>

namespace test {

bool pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline) {
    auto end = std::chrono::steady_clock::now() + deadline;
    while (!done()) {
        auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE,
                                    static_cast<DWORD>(std::min<long long>(left.count(), 10)), QS_ALLINPUT);
        ui::processPendingMessages();
    }
    return true;
}

void pumpFor(std::chrono::milliseconds duration) {
    pumpUntil([] { return false; }, duration);
}

COLORREF Picture::at(int x, int y) const {
    std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

bool Picture::contains(COLORREF colour, RECT area) const {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (at(x, y) == colour)
                return true;
    return false;
}

Picture render(HWND window) {
    RECT client;
    ::GetClientRect(window, &client);
    Picture picture{client.right, client.bottom, {}};
    BITMAPINFO info{};
    info.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER),
                      .biWidth = picture.width,
                      .biHeight = -picture.height,
                      .biPlanes = 1,
                      .biBitCount = 32,
                      .biCompression = BI_RGB};
    void* bits = nullptr;
    ui::Bitmap bitmap{::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    ui::MemoryDC dc{::CreateCompatibleDC(nullptr)};
    {
        ui::Selected selected(dc.get(), bitmap.get());
        ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
        ::GdiFlush();
        auto* first = static_cast<std::uint32_t*>(bits);
        picture.pixels.assign(first, first + static_cast<size_t>(picture.width) * picture.height);
    }
    return picture;
}

namespace {
LRESULT CALLBACK patchProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT client;
        ::GetClientRect(window, &client);
        ui::Brush brush{
            ::CreateSolidBrush(static_cast<COLORREF>(::GetWindowLongPtrW(window, GWLP_USERDATA)))};
        ::FillRect(reinterpret_cast<HDC>(wParam), &client, brush.get());
        return 1;
    }
    return ::DefWindowProcW(window, msg, wParam, lParam);
}
} // namespace

ColourPatch::ColourPatch(RECT where, COLORREF colour) : where_(where) {
    WNDCLASSW cls{.lpfnWndProc = patchProcedure,
                  .hInstance = ::GetModuleHandleW(nullptr),
                  .lpszClassName = L"TestPatch"};
    ::RegisterClassW(&cls);
    window_ = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"TestPatch", L"", WS_POPUP, where.left,
                                where.top, where.right - where.left, where.bottom - where.top, nullptr,
                                nullptr, nullptr, nullptr);
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    ::ShowWindow(window_, SW_SHOWNA);
    ::UpdateWindow(window_);
    shown_ = pumpUntil([&] { return screenPixel(centre()) == colour; });
}

ColourPatch::~ColourPatch() { ::DestroyWindow(window_); }

namespace {
struct FormCount {
    const wchar_t* title;
    int count = 0;
};
BOOL CALLBACK countForm(HWND window, LPARAM lParam) {
    auto* counting = reinterpret_cast<FormCount*>(lParam);
    wchar_t cls[32] = L"", title[64] = L"";
    ::GetClassNameW(window, cls, 32);
    ::GetWindowTextW(window, title, 64);
    if (std::wstring(cls) == L"MovarilForm" && (!counting->title || std::wstring(title) == counting->title))
        ++counting->count;
    return TRUE;
}
} // namespace

int formWindows(const wchar_t* title) {
    FormCount counting{title};
    ::EnumThreadWindows(::GetCurrentThreadId(), countForm, reinterpret_cast<LPARAM>(&counting));
    return counting.count;
}

COLORREF screenPixel(POINT at) {
    ui::WindowDC screen(nullptr);
    return ::GetPixel(screen.get(), at.x, at.y);
}

std::optional<std::string> clipboardText() {
    if (!::OpenClipboard(nullptr))
        return std::nullopt;
    std::optional<std::string> text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

void putClipboardText(const std::string& text) {
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(::GlobalLock(block), text.c_str(), text.size() + 1);
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_TEXT, block);
    ::CloseClipboard();
}

Process::Process(const std::wstring& exe, const std::wstring& arguments, const std::string& line) {
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    path = path.substr(0, path.find_last_of(L'\\') + 1) + exe;
    std::wstring command = L"\"" + path + L"\" " + arguments;

    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE write = nullptr;
    ::CreatePipe(&output_, &write, &inherit, 0);
    ::SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{.cb = sizeof startup, .dwFlags = STARTF_USESTDHANDLES, .hStdOutput = write};
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                         &info)) {
        process_ = info.hProcess;
        ::CloseHandle(info.hThread);
    }
    ::CloseHandle(write);
    std::string seen;
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (process_ && seen.find(line) == std::string::npos && std::chrono::steady_clock::now() < end) {
        DWORD waiting = 0, got = 0;
        char buffer[256];
        if (::PeekNamedPipe(output_, nullptr, 0, nullptr, &waiting, nullptr) && waiting &&
            ::ReadFile(output_, buffer, std::min<DWORD>(waiting, sizeof buffer), &got, nullptr))
            seen.append(buffer, got);
        else
            ::Sleep(10);
    }
    started_ = seen.find(line) != std::string::npos;
}

Process::~Process() {
    if (process_) {
        ::TerminateProcess(process_, 0);
        ::WaitForSingleObject(process_, 5000);
        ::CloseHandle(process_);
    }
    ::CloseHandle(output_);
}

BoxAnswerer::BoxAnswerer(const wchar_t* title, int button)
    : thread_([this, title = std::wstring(title), button] {
          auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
          while (std::chrono::steady_clock::now() < end) {
              if (HWND box = ::FindWindowW(L"#32770", title.c_str())) {
                  wchar_t buffer[512] = L"";
                  ::GetDlgItemTextW(box, 0xFFFF, buffer, 512);
                  text_ = buffer;
                  owner_ = ::GetWindow(box, GW_OWNER);
                  style_ = ::GetWindowLongW(box, GWL_STYLE);
                  ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
                  answered_ = true;
                  return;
              }
              ::Sleep(10);
          }
      }) {}

BoxAnswerer::~BoxAnswerer() {
    if (thread_.joinable())
        thread_.join();
}

bool BoxAnswerer::answered() {
    if (thread_.joinable())
        thread_.join();
    return answered_;
}

std::vector<std::byte> solidPng(int width, int height, COLORREF colour, std::uint8_t alpha) {
    std::vector<png_byte> rgba;
    for (int i = 0; i < width * height; ++i)
        rgba.insert(rgba.end(), {GetRValue(colour), GetGValue(colour), GetBValue(colour), alpha});
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
    std::vector<std::byte> file(size);
    png_image_write_to_memory(&image, file.data(), &size, 0, rgba.data(), 0, nullptr);
    file.resize(size);
    return file;
}

} // namespace test
