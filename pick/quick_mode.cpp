// Quick mode.
#include "pick/quick_mode.h"

#include "colour/sampling.h"
#include "pick/copy.h"

namespace pick {
namespace {
constexpr wchar_t kOff[] = L"F4 开始";
constexpr wchar_t kOn[] = L"F4 结束";
// The floating window keeps this far right of and below the pointer, beyond the magnified square.
constexpr int kOffset = 15;
} // namespace

void QuickMode::bind() {
    window_.按钮7.clicked = [this] { toggle(); };
    window_.标签3.feedback = [this](WPARAM, LPARAM) -> LRESULT {
        toggle();
        return 0;
    };
    floating_.created = [this] { floatingCreated(); };
    floating_.Get.periodic = [this] { colour::floatTick(floating_); };
    floating_.Get1.periodic = [this] {
        magnifier_.tick(floating_.画板1, colour::floatCanvasWidth(floating_));
    };
    floating_.move.periodic = [this] { follow(); };
}

bool QuickMode::on() const { return window_.按钮7.caption() != kOff; }

void QuickMode::toggle() {
    // A press that the floating window's created handler dispatches while start() is still running would
    // start again or end a mode that is half started; such presses are dropped.
    if (starting_)
        return;
    if (on())
        end();
    else
        start();
}

void QuickMode::start() {
    starting_ = true;
    window_.时钟1.setPeriod(100);
    floating_.load();
    window_.按钮7.setCaption(kOn);
    starting_ = false;
}

void QuickMode::end() {
    window_.时钟1.setPeriod(0);
    if (floating_.isCreated())
        floating_.destroy();
    // Its ticks stop with the window; the DC pair is not needed until the next start.
    magnifier_.stop();
    autoCopy(window_);
    window_.按钮7.setCaption(kOff);
    key_.reRegister();
}

void QuickMode::floatingCreated() {
    floating_.Get.setPeriod(100);
    floating_.Get1.setPeriod(100);
    ui::processPendingMessages();
    magnifier_.start(floating_.画板1);
}

void QuickMode::follow() {
    POINT at;
    if (::GetCursorPos(&at))
        floating_.moveTo(at.x + kOffset, at.y + kOffset);
}

} // namespace pick
