// Binding points for work that lives outside the main window: a command id (menu item or button)
// runs what is bound to it, and a control standing for an unbound command shows disabled.
// Window-free; the frame owns one set and hands it to every panel.
#pragma once

#include <functional>
#include <map>
#include <utility>

namespace vestra::ui {

class CommandBindings {
public:
    void Bind(int commandId, std::function<void()> work) { bound_[commandId] = std::move(work); }
    bool IsBound(int commandId) const {
        auto it = bound_.find(commandId);
        return it != bound_.end() && it->second;
    }
    // A command shown as a check item: `checked` tells whether its mark shows now.
    void BindCheckMark(int commandId, std::function<bool()> checked) {
        checked_[commandId] = std::move(checked);
    }
    bool IsChecked(int commandId) const {
        auto it = checked_.find(commandId);
        return it != checked_.end() && it->second && it->second();
    }
    // Runs the bound work; false when nothing is bound.
    bool Run(int commandId) const {
        auto it = bound_.find(commandId);
        if (it == bound_.end() || !it->second)
            return false;
        it->second();
        return true;
    }

private:
    std::map<int, std::function<void()>> bound_;
    std::map<int, std::function<bool()>> checked_;
};

}  // namespace vestra::ui
