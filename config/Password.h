// The password lock without its windows: the scrambling that keeps the stored password
// unreadable at a glance, the once-per-run guard, and the rule for saving from two boxes.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vestra::config {

inline constexpr std::size_t kCodeTableSize = 200;
// 200 characters, each once: printable ASCII, most of Latin-1 and the start of Latin
// Extended-A, in a fixed shuffled order.
std::u16string_view PasswordCodeTable();

// Replaces each character found in the code table at position p (from 1) by the one at
// 200 - ((2n + p - 1) mod 200), n being the text's length; other characters pass unchanged.
// The map is its own inverse for texts of the same length, so it both stores and reads.
std::u16string ScramblePassword(std::u16string_view text);

// The prompt's check: exact and case-sensitive.
inline bool PasswordMatches(std::u16string_view entered, std::u16string_view adminPassword) {
    return entered == adminPassword;
}

// The once-per-run guard of the main window's tabs and of the "REGEX" scan area.
struct PasswordGuard {
    bool passwordEntered = false;  // the right password was given in this run

    // Whether a guarded action may go ahead. Asks (through `askPassword`, the prompt) only while
    // the lock is on and nobody has passed it yet in this run; a right answer is remembered.
    bool Pass(bool usePassword, const std::function<bool()>& askPassword);
};

// The protection host's menu asks every time the lock is on and remembers nothing.
bool PassEachTime(bool usePassword, const std::function<bool()>& askPassword);

enum class PasswordSave {
    Mismatch,     // the boxes differ: nothing changes, the boxes stay editable
    KeptOld,      // both empty: the old password stays
    Saved,        // stored scrambled
    WriteFailed,  // the boxes agreed but the store refused the value
};

// The save rule for the two password boxes. `storeScrambled` writes the scrambled text and
// answers whether the write succeeded.
PasswordSave SavePassword(std::u16string_view first, std::u16string_view confirm,
                          const std::function<bool(std::u16string_view scrambled)>& storeScrambled);

}  // namespace vestra::config
