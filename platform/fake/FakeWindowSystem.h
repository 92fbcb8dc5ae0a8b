// Top-level windows and their children that tests create (class, caption or text), scripted
// message-box answers with a record of every box shown, and a pump that calls a test hook so a
// test can act "during" long work.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace vestra::platform::fake {

struct MessageBoxRecord {
    std::u16string text;
    std::u16string title;
    std::uint32_t style = 0;
    int answer = 0;
};

class FakeWindowSystem : public WindowSystem {
public:
    WindowId AddTopWindow(std::u16string_view className, std::u16string_view caption);
    // A child control (an edit box is class "ThunderRT6TextBox" or "Edit") holding `text`.
    WindowId AddChild(WindowId parent, std::u16string_view className, std::u16string_view text);
    // Removes a window and its children; false when it does not exist.
    bool RemoveWindow(WindowId window);
    bool Exists(WindowId window) const { return windows_.count(window) != 0; }

    // Answers for the next message boxes, in order. Without a scripted answer a box is answered
    // with its first button (OK or Yes).
    void QueueAnswer(int answer) { answers_.push_back(answer); }
    const std::vector<MessageBoxRecord>& messageBoxes() const { return boxes_; }
    void SetPumpHook(std::function<void()> hook) { pumpHook_ = std::move(hook); }
    std::size_t pumpCount() const { return pumps_; }

    WindowId FindTopWindow(std::u16string_view className, std::u16string_view caption) override;
    WindowId FindChild(WindowId parent, WindowId after, std::u16string_view className) override;
    std::u16string GetText(WindowId window, std::size_t maxChars) override;
    bool SetText(WindowId window, std::u16string_view text) override;
    int MessageBox(std::u16string_view text, std::u16string_view title,
                   std::uint32_t style) override;
    void PumpMessages() override;

private:
    struct Window {
        WindowId parent = kNoWindow;
        std::u16string className;
        std::u16string text;
    };

    std::map<WindowId, Window> windows_;  // ids grow, so map order is creation order
    WindowId nextId_ = 0x10010;
    std::deque<int> answers_;
    std::vector<MessageBoxRecord> boxes_;
    std::function<void()> pumpHook_;
    std::size_t pumps_ = 0;
};

}  // namespace vestra::platform::fake
