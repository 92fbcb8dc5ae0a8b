// Name and extension of a path, by the text alone (no disk access). Below every subsystem.
#pragma once

#include <string>
#include <string_view>

namespace vestra {

// The text after the last backslash (the whole text without one); without the extension, also
// cut from the last dot on.
std::u16string FileNameOf(std::u16string_view path, bool withExt);

// The text after the last dot of the file name, without the dot; empty without a dot.
std::u16string FileExtOf(std::u16string_view path);

// The folder part up to and including the last backslash; empty without one.
std::u16string FolderOf(std::u16string_view path);

}  // namespace vestra
