// "Conceal Windows!": the titles of the top-level windows scrambled with no-break spaces, so that
// a program that looks for a window by its title cannot find it. The concealer remembers what it
// changed, so turning it off gives back each title that still reads as it was left.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowSystem.h"

namespace vestra::processes {

// One filler after every character, as ConcealText puts them; the first filler is always the
// marker, so a concealed title is never taken for a plain one and concealed again, however the
// coin falls.
std::u16string ConcealTitle(std::u16string_view title, const std::function<bool()>& coin);

class WindowConcealer {
public:
    struct Access {
        std::function<std::vector<platform::WindowId>()> topWindows;  // in z order
        std::function<platform::WindowId()> foreground;
        std::function<std::u16string(platform::WindowId)> title;
        std::function<bool(platform::WindowId, std::u16string_view)> setTitle;
        std::function<bool()> coin;  // true: the marker, false: a plain space
    };

    explicit WindowConcealer(Access access) : access_(std::move(access)) {}

    bool active() const { return active_; }
    // Conceals every top-level window's title; the caller then ticks every 500 ms.
    void TurnOn();
    // Conceals the foreground window's title, for windows that came up since.
    void Tick();
    // Gives back the titles that still show what concealing set; a window that renamed itself
    // since keeps its own new title.
    void TurnOff();

private:
    void Conceal(platform::WindowId window);

    struct Change {
        std::u16string original;
        std::u16string concealed;
    };
    Access access_;
    bool active_ = false;
    std::map<platform::WindowId, Change> changed_;
};

}  // namespace vestra::processes
