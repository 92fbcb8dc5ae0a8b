// Small helpers shared by the contract suites: readable failure values and file set-up through
// the seam itself, so the same steps run on every implementation.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/OsError.h"
#include "platform/Text.h"

namespace vestra::platform {
inline void PrintTo(OsError error, std::ostream* out) {
    *out << OsErrorName(error);
}
}  // namespace vestra::platform

namespace vestra::platform::contract {

inline std::string U8(std::u16string_view text) {
    return ToUtf8(text);
}

// Creates (or replaces) a file holding `bytes`.
inline void WriteFile(FileSystem& fs, const std::u16string& path, std::string_view bytes) {
    auto file = fs.Open(path, FileAccess::Write, share::kNone, Disposition::CreateAlways);
    ASSERT_TRUE(file.ok()) << U8(path) << ": " << OsErrorName(file.error());
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    ASSERT_EQ((*file)->Write(std::span<const std::uint8_t>(data, bytes.size())), OsError::None);
}

inline std::string ReadAll(FileHandle& file) {
    std::string text;
    std::uint8_t buffer[64];
    for (;;) {
        auto got = file.Read(buffer);
        if (!got.ok() || *got == 0)
            break;
        text.append(reinterpret_cast<const char*>(buffer), *got);
    }
    return text;
}

// The whole content of a file, or "<error name>" when it cannot be opened.
inline std::string FileContent(FileSystem& fs, const std::u16string& path) {
    auto file = fs.Open(path, FileAccess::Read, share::kRead, Disposition::OpenExisting);
    if (!file.ok())
        return std::string("<") + OsErrorName(file.error()) + ">";
    return ReadAll(**file);
}

inline std::vector<std::string> FindNames(FileSystem& fs, const std::u16string& pattern) {
    std::vector<std::string> names;
    auto found = fs.Find(pattern);
    if (!found.ok())
        return {std::string("<") + OsErrorName(found.error()) + ">"};
    for (const auto& entry : *found)
        names.push_back(U8(entry.name));
    return names;
}

}  // namespace vestra::platform::contract
