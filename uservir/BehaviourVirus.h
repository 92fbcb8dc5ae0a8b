// The "vrs <path>" run word: the protection host judged a program's behaviour malicious and
// starts the main program so that the file becomes a lasting user signature.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/client/Engine.h"

namespace vestra::uservir {

inline constexpr std::u16string_view kBehaviourVirusName = u"Malware.Behavior";

// The path of a "vrs" request: the word is longer than "vrs" and begins with it; the rest,
// trimmed and without one pair of enclosing quotes, is the path (it may be empty). Nothing for
// any other word, "vrs" alone included.
std::optional<std::u16string> VrsRequestPath(std::u16string_view commandWord);

// Adds the file as the signature "Malware.Behavior"; false for an empty path or when the
// engine refused.
bool AddBehaviourVirus(Engine& engine, std::u16string_view path);

}  // namespace vestra::uservir
