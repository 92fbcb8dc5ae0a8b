// What the quarantine list and its operations ask of the window: questions and reports in
// message boxes, the folder to restore into, the progress bar while the list fills, and the
// refreshes. Every method has a default so tests override only what they watch.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/WindowSystem.h"

namespace vestra::remediation {

class QuarantineView {
public:
    virtual ~QuarantineView() = default;

    // A message box; answers the button pressed (platform::mb::kAnswer...).
    virtual int MessageBox(std::u16string_view /*text*/, std::u16string_view /*title*/,
                           std::uint32_t /*style*/) {
        return platform::mb::kAnswerCancel;
    }
    // The folder browser with that title: the chosen path, or nullopt when cancelled.
    virtual std::optional<std::u16string> ChooseFolder(std::u16string_view /*title*/) {
        return std::nullopt;
    }
    // PBCage: shown while the list fills, with its percent.
    virtual void ProgressVisible(bool /*visible*/) {}
    virtual void ProgressChanged(int /*percent*/) {}
    // The list control should redraw from the model (also once after the first ten rows).
    virtual void ListRefreshed() {}
    // The main tab's caption ("Quarantine (3)" centred) and the select-all box.
    virtual void TabCaptionChanged(std::u16string_view /*caption*/) {}
    virtual void SelectAllCleared() {}
    // Let the window handle waiting events between files.
    virtual void PumpMessages() {}
};

}  // namespace vestra::remediation
