// The three vestsig commands and the exit codes they share.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vestra::vestsig {

inline constexpr int kExitClean = 0;
inline constexpr int kExitFound = 1;
inline constexpr int kExitError = 2;

int Compile(const std::vector<std::filesystem::path>& sources, const std::filesystem::path& output);

struct ScanOptions {
    std::filesystem::path database;
    std::vector<std::filesystem::path> targets;
    bool recursive = false;
    unsigned threads = 0;  // 0: one per processor
    // Each file checked on its own, as the library's VestScanFile checks it, instead of in
    // batches that hash many files at once.
    bool perFile = false;
};
int Scan(const ScanOptions& options);

int List(const std::filesystem::path& database);

// Paths as the console shows them (UTF-8 on Windows).
std::string Display(const std::filesystem::path& path);

}  // namespace vestra::vestsig
