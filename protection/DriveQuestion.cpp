// The clean-drive question's texts, countdown and answers.
#include "protection/DriveQuestion.h"

#include "config/MessageSlots.h"
#include "platform/Text.h"
#include "scanner/FileRoutines.h"

namespace vestra::protection {

void DriveQuestion::ShowEx(std::u16string_view drive) {
    namespace msg = config::msg;
    const config::MessageTable& messages = parts_.messages;
    drive_ = drive;
    closed_ = false;
    verdict_ = messages.FormatMessage(msg::kDriveClean, drive);
    question_ = messages.Text(msg::kLockQuestion);
    // Whatever the autorun.inf is, a lock already made or a file of anyone's, locking is not
    // offered over it.
    onlyOk_ = parts_.files.Exists(drive_ + u"autorun.inf");
    countdown_ = onlyOk_ ? kVerdictOnlyCountdown : kLockOfferCountdown;
    ShowCountdown();
    timerOn_ = true;
    view_.ShowQuestion();
    view_.TimerEnabled(true);
}

// The count stands behind the caption of the button that the countdown will press.
void DriveQuestion::ShowCountdown() {
    namespace msg = config::msg;
    const config::MessageTable& messages = parts_.messages;
    std::u16string count = u" (" + ToText(countdown_) + u")";
    yesCaption_ = messages.Text(msg::kYesCaption);
    noCaption_ = messages.Text(msg::kNoCaption);
    okCaption_ = kOkCaption;
    (onlyOk_ ? okCaption_ : yesCaption_) += count;
}

void DriveQuestion::TimerTick() {
    if (!timerOn_)
        return;
    --countdown_;
    if (countdown_ > 0) {
        ShowCountdown();
        view_.CaptionChanged();
        return;
    }
    if (onlyOk_)
        OkClicked();
    else
        YesClicked();
}

void DriveQuestion::YesClicked() {
    if (closed_)
        return;
    timerOn_ = false;
    view_.TimerEnabled(false);
    int status = parts_.lockDrive ? parts_.lockDrive(drive_) : 0;
    if (status != 0 && parts_.showNotif)
        parts_.showNotif(parts_.messages.FormatMessage(config::msg::kDriveLocked, drive_));
    Close();
}

void DriveQuestion::Close() {
    if (closed_)
        return;
    closed_ = true;
    timerOn_ = false;
    view_.TimerEnabled(false);
    view_.CloseQuestion();
}

void DriveQuestion::ExploreClicked() {
    ExplorePath({parts_.files, parts_.shell, parts_.windows}, drive_);
}

}  // namespace vestra::protection
