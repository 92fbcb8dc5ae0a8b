// Test helpers for the engine suites: a throw-away folder, file writing and hex text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::engine::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("vestra-engine-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    WriteBytes(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string Hex(std::string_view text) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : text) {
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
}

inline std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

// The standard anti-virus test file, built from hex so that no scanner flags this source.
inline std::string EicarText() {
    static constexpr char kHex[] =
        "58354f2150254041505b345c505a58353428505e2937434329377d2445494341522d5354414e444152442d"
        "414e544956495255532d544553542d46494c452124482b482a";
    std::string text;
    for (std::size_t i = 0; kHex[i] && kHex[i + 1]; i += 2) {
        text += static_cast<char>(std::stoi(std::string(kHex + i, 2), nullptr, 16));
    }
    return text;
}

}  // namespace vestra::engine::testing
