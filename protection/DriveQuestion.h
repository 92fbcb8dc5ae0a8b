// The clean-drive question without its window (FormConfirm): after a removable drive was checked
// and found clean, it offers to lock the drive against autorun infection and answers by itself
// when the user does not. A drive that already holds an "autorun.inf" (a lock or anything else)
// only gets the verdict and an OK that closes sooner. The lock itself comes in as a callback.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "config/MessageTable.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/WindowSystem.h"

namespace vestra::protection {

// Seconds before the question answers by itself.
inline constexpr int kLockOfferCountdown = 10;
inline constexpr int kVerdictOnlyCountdown = 5;

inline constexpr std::u16string_view kOkCaption = u"&OK";
inline constexpr std::u16string_view kExploreCaption = u"&Explore";

// What the question asks of its window. Every method has a default.
class DriveQuestionView {
public:
    virtual ~DriveQuestionView() = default;
    // Shown topmost with the texts, buttons and countdown of the model.
    virtual void ShowQuestion() {}
    // The default button's caption changed (the countdown moved).
    virtual void CaptionChanged() {}
    virtual void TimerEnabled(bool /*on*/) {}
    virtual void CloseQuestion() {}
};

struct DriveQuestionParts {
    platform::FileSystem& files;
    platform::Shell& shell;
    platform::WindowSystem& windows;
    const config::MessageTable& messages;
    // SetDriveLock(root, apply, lock, no safe folder): the status bits; non-zero is success.
    std::function<int(std::u16string_view root)> lockDrive;
    // ShowNotif on the protection host: a balloon at the notification icon.
    std::function<void(std::u16string_view text)> showNotif;
};

class DriveQuestion {
public:
    DriveQuestion(const DriveQuestionParts& parts, DriveQuestionView& view)
        : parts_(parts), view_(view) {}

    // ShowEx: fills the texts for the drive root, picks the mode and starts the countdown.
    void ShowEx(std::u16string_view drive);
    // Timer1: one second less; at 0 the default button is pressed.
    void TimerTick();

    // cmdYes: locks the drive; a non-zero status is told in a balloon. Closes either way.
    void YesClicked();
    // cmdNo, cmdOK, and the window closed by the user.
    void NoClicked() { Close(); }
    void OkClicked() { Close(); }
    void Close();
    // cmdExplore: the drive in Explorer; the question stays.
    void ExploreClicked();

    const std::u16string& drive() const { return drive_; }
    // Only the verdict and cmdOK; the lock question and Yes/No are hidden.
    bool onlyOk() const { return onlyOk_; }
    const std::u16string& verdict() const { return verdict_; }
    const std::u16string& question() const { return question_; }
    const std::u16string& yesCaption() const { return yesCaption_; }
    const std::u16string& noCaption() const { return noCaption_; }
    const std::u16string& okCaption() const { return okCaption_; }
    int countdown() const { return countdown_; }
    bool timerOn() const { return timerOn_; }
    bool closed() const { return closed_; }

private:
    void ShowCountdown();

    DriveQuestionParts parts_;
    DriveQuestionView& view_;
    std::u16string drive_;
    bool onlyOk_ = false;
    std::u16string verdict_;
    std::u16string question_;
    std::u16string yesCaption_;
    std::u16string noCaption_;
    std::u16string okCaption_;
    int countdown_ = 0;
    bool timerOn_ = false;
    bool closed_ = false;
};

}  // namespace vestra::protection
