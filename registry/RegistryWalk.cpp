// Key walks and the registry editor's start key.
#include "registry/RegistryWalk.h"

#include "registry/KeyPaths.h"
#include "common/TextLists.h"

namespace vestra::registry {
namespace {

constexpr int kMaxDepth = 64;

int Walk(RegistryAccess& registry, Hive hive, const std::u16string& key, WalkLists& lists,
         const WalkControl& control, int depth) {
    if (control.yield)
        control.yield();
    if (control.withValues) {
        for (const std::u16string& name : registry.RegValueNames(hive, key))
            AppendToList(lists.values, RegPathText(hive, key, name, false));
    }
    int count = 0;
    for (std::uint32_t index = 0; depth < kMaxDepth; ++index) {
        if (control.stopRequested && control.stopRequested())
            break;
        auto sub = registry.registry().EnumKey(hive, key, index);
        if (!sub)
            break;
        std::u16string child = key.empty() ? *sub : key + u"\\" + *sub;
        AppendToList(lists.keys, child);
        count += 1 + Walk(registry, hive, child, lists, control, depth + 1);
    }
    return count;
}

}  // namespace

int RegWalkKeys(RegistryAccess& registry, Hive hive, std::u16string_view key, WalkLists& lists,
                const WalkControl& control) {
    if (!registry.RegKeyExists(hive, key))
        return 0;
    return Walk(registry, hive, std::u16string(key), lists, control, 0);
}

bool RegeditGoto(RegistryAccess& registry, Hive hive, std::u16string_view key,
                 const std::function<void()>& restartEditor) {
    if (!registry.RegKeyExists(Hive::CurrentUser, KeyRegedit))
        registry.RegMakeKey(Hive::CurrentUser, KeyRegedit);
    std::u16string target(key);
    while (!target.empty() && !registry.RegKeyExists(hive, target)) {
        std::size_t slash = target.rfind(u'\\');
        target.resize(slash == std::u16string::npos ? 0 : slash);
    }
    if (target.empty())
        return false;
    std::u16string lastKey = u"My Computer\\" + RegPathText(hive, target, u"", true);
    if (registry.RegWriteValue(Hive::CurrentUser, KeyRegedit, kRegeditLastKey, lastKey,
                               platform::regtype::kSz) != kDone) {
        return false;
    }
    if (restartEditor)
        restartEditor();
    return true;
}

}  // namespace vestra::registry
