// The drag pick.
#include "pick/drag.h"

#include "colour/sampling.h"
#include "pick/copy.h"
#include "resources/resource_ids.h"
#include "ui/resource.h"

namespace pick {

void bindDragPick(ui::MainWindow& window, colour::Magnifier& magnifier, ui::FloatWindow& floating) {
    window.取色窗口.leftPressed = [&](int, int) {
        magnifier.start(window.画板1);
        ::SetCapture(window.取色窗口.handle());
        window.取色窗口.setPicture(ui::resourceBytes(IDR_BLANK_PNG));
        window.时钟1.setPeriod(100);
        window.时钟3.setPeriod(100);
    };
    window.取色窗口.leftReleased = [&](int, int) {
        ::ReleaseCapture();
        window.取色窗口.setPicture(ui::resourceBytes(IDR_EYEDROPPER_CUR));
        window.时钟1.setPeriod(0);
        window.时钟3.setPeriod(0);
        magnifier.stop();
        autoCopy(window);
    };
    window.时钟1.periodic = [&] { colour::mainTick(window); };
    window.时钟3.periodic = [&] { magnifier.tick(window.画板1, colour::floatCanvasWidth(floating)); };
}

} // namespace pick
