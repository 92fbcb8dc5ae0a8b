// The behaviour confirmation without its window (FormBehavior): a program whose start-up
// behaviour was flagged is named, with the advice to block it, and the answer is left for the
// protection host to read: block (Fix All) or let it be (Ignore).
#pragma once

#include <string>
#include <string_view>

#include "config/MessageTable.h"

namespace vestra::protection {

class BehaviourQuestion {
public:
    explicit BehaviourQuestion(const config::MessageTable& messages) : messages_(messages) {}

    // ShowEx: the texts for the file; the answer starts as "let it be".
    void ShowEx(std::u16string_view file);
    // cmdYes: block. cmdNo, or the window closed: no answer beyond the one it started with.
    void YesClicked() { block_ = true; }

    const std::u16string& finding() const { return finding_; }
    const std::u16string& advice() const { return advice_; }
    const std::u16string& yesCaption() const { return yesCaption_; }
    const std::u16string& noCaption() const { return noCaption_; }
    bool block() const { return block_; }

private:
    const config::MessageTable& messages_;
    std::u16string finding_;
    std::u16string advice_;
    std::u16string yesCaption_;
    std::u16string noCaption_;
    bool block_ = false;
};

}  // namespace vestra::protection
