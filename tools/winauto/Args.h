// Command-line parsing for winauto: one command word followed by "--name value" options and a few
// "--flag" switches. Parsing never fails loudly; callers ask for what they need and report usage.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace winauto {

class Args {
public:
    // argv without the program name. Returns nullopt on a malformed line (an option without its
    // value, or a stray positional word).
    static std::optional<Args> Parse(const std::vector<std::wstring>& words);

    const std::wstring& command() const { return command_; }
    bool Has(const std::wstring& name) const;
    bool Flag(const std::wstring& name) const { return flags_.count(name) != 0; }
    std::optional<std::wstring> Text(const std::wstring& name) const;
    // A decimal number, or hexadecimal with 0x; nullopt when absent or malformed.
    std::optional<unsigned long long> Number(const std::wstring& name) const;
    std::optional<HWND> Window(const std::wstring& name = L"--window") const;
    unsigned long Timeout(unsigned long fallback_ms) const;
    // Every option and flag given must be one of `allowed`.
    bool OnlyUses(const std::set<std::wstring>& allowed) const;

private:
    std::wstring command_;
    std::map<std::wstring, std::wstring> options_;
    std::set<std::wstring> flags_;
};

std::optional<unsigned long long> ParseNumber(const std::wstring& text);

}  // namespace winauto
