// Start-up, the single-instance guard and Exit program.
#include "app/app.h"

#include "pick/copy.h"
#include "pick/drag.h"
#include "resources/resource_ids.h"
#include "ui/handle.h"
#include "ui/options.h"
#include "ui/resource.h"

#include <commctrl.h>

namespace app {
namespace {

// Held for the life of the process: the event's existence is the guard.
ui::Event instanceEvent;

// Creating the event and asking whether it already existed is one step, so two instances started at the
// same moment cannot both see themselves as the first.
bool anotherInstanceRuns() {
    instanceEvent = ui::Event{::CreateEventW(nullptr, FALSE, FALSE, kInstanceEventName)};
    return instanceEvent && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

void created(Program& program) {
    ui::MainWindow& window = program.main;
    if (anotherInstanceRuns()) {
        ::MessageBoxW(nullptr, L"Movaril已经运行了\r\n\r\n您其实可以去看看系统托盘", L"信息：",
                      MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
        exitProgram(0);
    }
    auto eyedropper = ui::resourceBytes(IDR_EYEDROPPER_CUR);
    window.取色窗口.setPicture(eyedropper);
    window.取色窗口.setMousePointer(eyedropper);
    program.tray.install(window);
    program.quickKey.install();
}

BOOL CALLBACK destroyWindow(HWND window, LPARAM) {
    ::DestroyWindow(window);
    return TRUE;
}

} // namespace

void bind(Program& program) {
    program.main.created = [&program] { created(program); };
    bindHandlers(program, exitProgram);
}

void bindHandlers(Program& program, const std::function<void(unsigned)>& exit) {
    pick::bindCopyButtons(program.main);
    pick::bindDragPick(program.main, program.mainMagnifier, program.floating);
    program.quickMode.bind();
    program.fineTune.bind();
    ui::bindTray(program.main, program.tray,
                 {.toggleQuickMode = [&program] { program.quickMode.toggle(); }, .exitProgram = exit});
    ui::bindOptions(program.main);
}

int run() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);

    Program program;
    bind(program);
    if (!program.main.load()) {
        ::MessageBoxW(nullptr, L"无法创建主窗口，Movaril 将退出。", L"信息：",
                      MB_OK | MB_ICONERROR | MB_TASKMODAL);
        return 1;
    }
    return ui::runMessageLoop();
}

void exitProgram(unsigned code) {
    ui::silenceEvents();
    ::EnumThreadWindows(::GetCurrentThreadId(), destroyWindow, 0);
    ::ExitProcess(code);
}

} // namespace app
