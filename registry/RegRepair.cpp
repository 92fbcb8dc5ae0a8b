// Repair descriptors carried out, each change preceded by its entry in the undo file.
#include "registry/RegRepair.h"

#include <vector>

#include "platform/Text.h"
#include "registry/RegChecks.h"

namespace vestra::registry {
namespace {

struct Texts {
    std::u16string_view done;
    std::u16string_view failed;
};

std::vector<std::u16string> Fields(std::u16string_view descriptor) {
    std::vector<std::u16string> fields;
    for (;;) {
        std::size_t bar = descriptor.find(u'|');
        fields.emplace_back(descriptor.substr(0, bar));
        if (bar == std::u16string_view::npos)
            return fields;
        descriptor.remove_prefix(bar + 1);
    }
}

}  // namespace

RepairOutcome RegRepair::Carry(std::u16string_view descriptor, std::u16string_view forced) {
    std::vector<std::u16string> f = Fields(descriptor);
    if (f.size() < 3)
        return {};
    auto hive = HiveFromNumber(f[1]);
    if (!hive)
        return {};
    const std::u16string& key = f[2];
    const std::u16string op = UpperCase(forced.empty() ? std::u16string_view(f[0]) : forced);
    const bool delKey = EqualsNoCase(f[0], u"DelKey");
    const std::u16string name = !delKey && f.size() > 3 ? f[3] : std::u16string();

    if (op == u"EXC") {
        std::u16string path = RegPathText(*hive, key, name, delKey);
        if (addException_ && addException_(path))
            return {RepairResult::Ignored, std::u16string(kIgnoredStatus)};
        return {};
    }

    // A key the finding saw missing is made again first, unless it has come back since.
    std::u16string prefix;
    bool saved = true;
    if (!delKey && f.back() == u"1" && !registry_.RegKeyExists(*hive, key)) {
        saved = backup_.SaveMissingKey(*hive, key);
        bool made = saved && registry_.RegMakeKey(*hive, key) == kDone;
        prefix = made ? u"Key was created and " : u"Key couldn't be created and ";
    }

    Texts texts;
    bool done = false;
    if (op == u"REDWORD" && f.size() >= 6) {
        texts = {u"DWORD value was fixed", u"DWORD value couldn't be fixed"};
        auto number = ParseInteger(f[4]);
        done =
            number && saved && backup_.SaveValue(*hive, key, name) &&
            registry_.RegWriteDWORD(*hive, key, name, static_cast<std::int32_t>(*number)) == kDone;
    } else if (op == u"RESTRING" && f.size() >= 7) {
        texts = {u"String value was fixed", u"String value couldn't be fixed"};
        auto type = ParseInteger(f[5]);
        done = type && saved && backup_.SaveValue(*hive, key, name) &&
               registry_.RegWriteValue(*hive, key, name, f[4], static_cast<std::uint32_t>(*type)) ==
                   kDone;
    } else if (op == u"DELVALUE" && f.size() >= 5) {
        texts = {u"Value was deleted", u"Value couldn't be deleted"};
        bool present = registry_.RegValueExists(*hive, key, name);
        done = saved && (!present || backup_.SaveValue(*hive, key, name)) &&
               registry_.RegRemoveValue(*hive, key, name) == kDone;
    } else if (op == u"DELKEY") {
        texts = {u"Key was deleted", u"Key couldn't be deleted"};
        bool present = registry_.RegKeyExists(*hive, key);
        done = present && backup_.SaveKeyTree(*hive, key) &&
               registry_.RegRemoveTree(*hive, key) == kDone;
    } else {
        return {};
    }
    return {done ? RepairResult::Fixed : RepairResult::Failed,
            prefix + std::u16string(done ? texts.done : texts.failed)};
}

}  // namespace vestra::registry

namespace vestra::registry {

std::u16string RepairExplanation(RegistryAccess& registry, std::u16string_view descriptor) {
    std::vector<std::u16string> f = Fields(descriptor);
    if (f.size() < 3)
        return {};
    auto hive = HiveFromNumber(f[1]);
    if (!hive)
        return {};
    const std::u16string op = UpperCase(f[0]);
    if (op == u"DELVALUE" || op == u"DELKEY")
        return u"This value should be deleted";
    std::u16string current;
    if (op == u"REDWORD" && f.size() >= 6) {
        current = ToText(registry.RegReadDWORD(*hive, f[2], f[3]));
    } else if (op == u"RESTRING" && f.size() >= 7) {
        current = registry.RegReadString(*hive, f[2], f[3]);
        if (current == kMissingText)
            current = u"<not exist>";
    } else {
        return {};
    }
    return u"This value should be changed :\r\n- Current Value : " + current +
           u"\r\n- Recommended Value : " + f[4];
}

}  // namespace vestra::registry
