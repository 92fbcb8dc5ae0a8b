// The fake window list, text access, message boxes and message pump. Class names and captions
// compare without regard to case, as FindWindow does.
#include "platform/fake/FakeWindowSystem.h"

#include "platform/Text.h"

namespace vestra::platform::fake {

WindowId FakeWindowSystem::AddTopWindow(std::u16string_view className,
                                        std::u16string_view caption) {
    WindowId id = nextId_;
    nextId_ += 0x10;
    windows_[id] = {kNoWindow, std::u16string(className), std::u16string(caption)};
    return id;
}

WindowId FakeWindowSystem::AddChild(WindowId parent, std::u16string_view className,
                                    std::u16string_view text) {
    if (!Exists(parent))
        return kNoWindow;
    WindowId id = nextId_;
    nextId_ += 0x10;
    windows_[id] = {parent, std::u16string(className), std::u16string(text)};
    return id;
}

bool FakeWindowSystem::RemoveWindow(WindowId window) {
    if (!Exists(window))
        return false;
    std::vector<WindowId> children;
    for (const auto& [id, w] : windows_) {
        if (w.parent == window)
            children.push_back(id);
    }
    for (WindowId child : children)
        RemoveWindow(child);
    windows_.erase(window);
    return true;
}

WindowId FakeWindowSystem::FindTopWindow(std::u16string_view className,
                                         std::u16string_view caption) {
    for (const auto& [id, w] : windows_) {
        if (w.parent != kNoWindow)
            continue;
        if (!className.empty() && !EqualsNoCase(w.className, className))
            continue;
        if (EqualsNoCase(w.text, caption))
            return id;
    }
    return kNoWindow;
}

WindowId FakeWindowSystem::FindChild(WindowId parent, WindowId after,
                                     std::u16string_view className) {
    if (!Exists(parent))
        return kNoWindow;
    auto it = after == kNoWindow ? windows_.begin() : windows_.upper_bound(after);
    for (; it != windows_.end(); ++it) {
        if (it->second.parent != parent)
            continue;
        if (className.empty() || EqualsNoCase(it->second.className, className))
            return it->first;
    }
    return kNoWindow;
}

std::u16string FakeWindowSystem::GetText(WindowId window, std::size_t maxChars) {
    auto it = windows_.find(window);
    if (it == windows_.end())
        return {};
    return it->second.text.substr(0, maxChars);
}

bool FakeWindowSystem::SetText(WindowId window, std::u16string_view text) {
    auto it = windows_.find(window);
    if (it == windows_.end())
        return false;
    it->second.text = std::u16string(text);
    return true;
}

int FakeWindowSystem::MessageBox(std::u16string_view text, std::u16string_view title,
                                 std::uint32_t style) {
    int answer = 0;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    } else {
        answer = (style & 0xF) == mb::kYesNo ? mb::kAnswerYes : mb::kAnswerOk;
    }
    boxes_.push_back({std::u16string(text), std::u16string(title), style, answer});
    return answer;
}

void FakeWindowSystem::PumpMessages() {
    ++pumps_;
    if (pumpHook_)
        pumpHook_();
}

}  // namespace vestra::platform::fake
