// Parses winauto's command line into a command word, valued options and switches.
#include "tools/winauto/Args.h"

#include <cwchar>

namespace winauto {
namespace {

// Options that stand alone; every other "--name" takes the next word as its value.
const std::set<std::wstring> kSwitches = {L"--contains", L"--all"};

}  // namespace

std::optional<Args> Args::Parse(const std::vector<std::wstring>& words) {
    Args args;
    if (words.empty()) {
        return std::nullopt;
    }
    args.command_ = words[0];
    for (size_t i = 1; i < words.size(); ++i) {
        const std::wstring& word = words[i];
        if (word.rfind(L"--", 0) != 0) {
            return std::nullopt;
        }
        if (kSwitches.count(word) != 0) {
            args.flags_.insert(word);
            continue;
        }
        if (i + 1 >= words.size()) {
            return std::nullopt;
        }
        args.options_[word] = words[++i];
    }
    return args;
}

bool Args::Has(const std::wstring& name) const {
    return options_.count(name) != 0;
}

std::optional<std::wstring> Args::Text(const std::wstring& name) const {
    auto found = options_.find(name);
    if (found == options_.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<unsigned long long> ParseNumber(const std::wstring& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    bool hex = text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X');
    const wchar_t* digits = text.c_str() + (hex ? 2 : 0);
    if (*digits == L'\0' || *digits == L'-' || *digits == L'+') {
        return std::nullopt;
    }
    wchar_t* end = nullptr;
    unsigned long long value = std::wcstoull(digits, &end, hex ? 16 : 10);
    if (end == nullptr || *end != L'\0') {
        return std::nullopt;
    }
    return value;
}

std::optional<unsigned long long> Args::Number(const std::wstring& name) const {
    auto text = Text(name);
    return text ? ParseNumber(*text) : std::nullopt;
}

std::optional<HWND> Args::Window(const std::wstring& name) const {
    // Handles are printed in hex; accept them with or without the 0x.
    auto text = Text(name);
    if (!text) {
        return std::nullopt;
    }
    std::wstring hex =
        text->rfind(L"0x", 0) == 0 || text->rfind(L"0X", 0) == 0 ? *text : L"0x" + *text;
    auto value = ParseNumber(hex);
    if (!value || *value == 0) {
        return std::nullopt;
    }
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(*value));
}

unsigned long Args::Timeout(unsigned long fallback_ms) const {
    auto value = Number(L"--timeout");
    return value ? static_cast<unsigned long>(*value) : fallback_ms;
}

bool Args::OnlyUses(const std::set<std::wstring>& allowed) const {
    for (const auto& [name, value] : options_) {
        if (allowed.count(name) == 0) {
            return false;
        }
    }
    for (const auto& name : flags_) {
        if (allowed.count(name) == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace winauto
