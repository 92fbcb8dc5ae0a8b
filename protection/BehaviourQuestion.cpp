// The behaviour confirmation's texts and answer.
#include "protection/BehaviourQuestion.h"

#include "config/MessageSlots.h"

namespace vestra::protection {

void BehaviourQuestion::ShowEx(std::u16string_view file) {
    namespace msg = config::msg;
    finding_ = messages_.FormatMessage(msg::kBehaviourSeen, file);
    advice_ = messages_.Text(msg::kBehaviourAdvice);
    yesCaption_ = messages_.Text(msg::kFixAllCaption);
    noCaption_ = messages_.Text(msg::kIgnoreCaption);
    block_ = false;
}

}  // namespace vestra::protection
