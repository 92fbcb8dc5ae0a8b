// Concealed window titles and their way back.
#include "processes/WindowConcealer.h"

#include "processes/ProcessTree.h"

namespace vestra::processes {

std::u16string ConcealTitle(std::u16string_view title, const std::function<bool()>& coin) {
    bool first = true;
    return ConcealText(title, 1, [&] {
        if (!first)
            return coin();
        first = false;
        return true;
    });
}

void WindowConcealer::TurnOn() {
    active_ = true;
    for (platform::WindowId window : access_.topWindows())
        Conceal(window);
}

void WindowConcealer::Tick() {
    if (active_)
        Conceal(access_.foreground());
}

void WindowConcealer::TurnOff() {
    active_ = false;
    for (const auto& [window, change] : changed_) {
        if (access_.title(window) == change.concealed)
            access_.setTitle(window, change.original);
    }
    changed_.clear();
}

void WindowConcealer::Conceal(platform::WindowId window) {
    if (window == platform::kNoWindow)
        return;
    const std::u16string title = access_.title(window);
    if (!ShouldConceal(title))
        return;
    std::u16string concealed = ConcealTitle(title, access_.coin);
    if (!access_.setTitle(window, concealed))
        return;
    // A window concealed again after it renamed itself gets its newest own title back.
    changed_[window] = Change{title, std::move(concealed)};
}

}  // namespace vestra::processes
