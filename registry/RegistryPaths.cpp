// Hive names and the display text of registry items ("HKEY_LOCAL_MACHINE\SOFTWARE\x\(Default)"),
// in both directions.
#include <array>

#include "platform/Text.h"
#include "registry/KeyPaths.h"
#include "registry/RegistryAccess.h"

namespace vestra::registry {
namespace {

struct HiveEntry {
    Hive hive;
    std::u16string_view name;
};

constexpr std::array<HiveEntry, 7> kHives{{
    {Hive::ClassesRoot, u"HKEY_CLASSES_ROOT"},
    {Hive::CurrentUser, u"HKEY_CURRENT_USER"},
    {Hive::LocalMachine, u"HKEY_LOCAL_MACHINE"},
    {Hive::Users, u"HKEY_USERS"},
    {Hive::PerformanceData, u"HKEY_PERFORMANCE_DATA"},
    {Hive::CurrentConfig, u"HKEY_CURRENT_CONFIG"},
    {Hive::DynData, u"HKEY_DYN_DATA"},
}};

void ReduceDoubledBackslashes(std::u16string& text) {
    std::size_t at = 0;
    while ((at = text.find(u"\\\\", at)) != std::u16string::npos)
        text.erase(at, 1);
}

}  // namespace

std::u16string ExceptionKeyOf(std::u16string_view settingsKey) {
    return std::u16string(settingsKey) + u"\\Exception";
}

std::u16string_view HiveName(Hive hive) {
    for (const auto& entry : kHives) {
        if (entry.hive == hive)
            return entry.name;
    }
    return {};
}

std::optional<Hive> HiveFromName(std::u16string_view name) {
    std::u16string upper = UpperCase(name);
    for (const auto& entry : kHives) {
        if (entry.name == upper)
            return entry.hive;
    }
    return std::nullopt;
}

std::u16string RegPathText(Hive hive, std::u16string_view key, std::u16string_view name,
                           bool keyOnly) {
    std::u16string text(HiveName(hive));
    text += u'\\';
    text += key;
    if (!keyOnly) {
        text += u'\\';
        text += name.empty() ? kDefaultValueText : name;
    }
    ReduceDoubledBackslashes(text);
    return text;
}

std::optional<RegPath> RegSplitPath(std::u16string_view path, bool keyOnly) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t slash = path.find(u'\\', start);
        parts.push_back(path.substr(start, slash - start));
        if (slash == std::u16string_view::npos)
            break;
        start = slash + 1;
    }
    auto hive = HiveFromName(parts.front());
    if (!hive)
        return std::nullopt;

    RegPath out;
    out.hive = *hive;
    std::size_t keyEnd = parts.size();
    if (!keyOnly && parts.size() > 1) {
        keyEnd = parts.size() - 1;
        out.name = parts.back() == kDefaultValueText ? std::u16string_view() : parts.back();
    }
    for (std::size_t i = 1; i < keyEnd; ++i) {
        if (parts[i].empty())
            continue;  // doubled or trailing backslash
        if (!out.key.empty())
            out.key += u'\\';
        out.key += parts[i];
    }
    return out;
}

}  // namespace vestra::registry
