// Makes the Nth call of one operation of a fake fail with a chosen OsError, once or from then
// on (the way SQLite's test VFS fails the Nth write), so callers' failure paths can be driven.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/OsError.h"

namespace vestra::platform::fake {

// Op is an enum of the fake's operations whose last enumerator is Count.
template <class Op>
class FaultInjector {
public:
    // The nth call of `op` from now on (1 = the very next one) fails with `error`; with
    // `persistent` every later call fails as well, until Clear.
    void FailNth(Op op, std::uint32_t nth, OsError error, bool persistent = false) {
        Slot& slot = slots_[Index(op)];
        slot.failAt = slot.calls + (nth == 0 ? 1 : nth);
        slot.error = error;
        slot.persistent = persistent;
    }
    void Clear() {
        for (Slot& slot : slots_)
            slot = Slot{slot.calls, 0, OsError::None, false};
    }
    // How many calls of `op` the fake has seen since it was made.
    std::uint32_t Calls(Op op) const { return slots_[Index(op)].calls; }

    // Counts one call of `op`; the injected failure for it, or None.
    OsError Next(Op op) {
        Slot& slot = slots_[Index(op)];
        ++slot.calls;
        if (slot.error == OsError::None || slot.calls < slot.failAt)
            return OsError::None;
        OsError error = slot.error;
        if (!slot.persistent)
            slot.error = OsError::None;
        return error;
    }

private:
    struct Slot {
        std::uint32_t calls = 0;
        std::uint32_t failAt = 0;
        OsError error = OsError::None;
        bool persistent = false;
    };
    static std::size_t Index(Op op) { return static_cast<std::size_t>(op); }
    std::array<Slot, static_cast<std::size_t>(Op::Count)> slots_{};
};

}  // namespace vestra::platform::fake
