// The start-up folders, desktops, drive roots and task folder walked during a scan run.
#include "scanner/StartupFolders.h"

#include "common/FileNames.h"
#include "common/TextLists.h"
#include "platform/Text.h"

namespace vestra {
namespace {

// The platform's numbers of the desktop folders (the virtual desktop's 0 is the user's own).
constexpr int kCommonDesktop = 25;

std::u16string WithoutSlash(std::u16string path) {
    while (path.size() > 3 && path.back() == u'\\')
        path.pop_back();
    return path;
}

// The current user's folder with "Default User" in place of the user's name.
std::u16string DefaultUserFolder(platform::System& system, const std::u16string& folder) {
    std::u16string profile = WithoutSlash(system.ExpandEnvironment(u"%USERPROFILE%"));
    if (profile.find(u'%') != std::u16string::npos || !StartsWithNoCase(folder, profile))
        return {};
    return FolderOf(profile) + u"Default User" + folder.substr(profile.size());
}

}  // namespace

std::u16string DriveRoots(platform::FileSystem& files, bool skipCd, bool skipFloppy) {
    std::u16string list;
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        std::u16string root{letter, u':', u'\\'};
        platform::DriveType type = files.GetDriveType(root);
        if (type == platform::DriveType::NoRootDir)
            continue;
        if (skipFloppy && letter == u'A' && type == platform::DriveType::Removable)
            continue;
        if (skipCd && type == platform::DriveType::CdRom)
            continue;
        AppendToList(list, root);
    }
    return list;
}

std::vector<StartupFolder> StartupFolders(platform::FileSystem& files, platform::System& system) {
    std::vector<StartupFolder> folders;
    auto add = [&](std::u16string path, bool recurse) {
        if (!path.empty())
            folders.push_back({WithoutSlash(std::move(path)), recurse});
    };
    std::u16string userStartup = system.SpecialFolder(platform::csidl::kStartup);
    add(userStartup, true);
    add(system.SpecialFolder(platform::csidl::kCommonStartup), true);
    if (!userStartup.empty())
        add(DefaultUserFolder(system, WithoutSlash(userStartup)), true);
    add(system.SpecialFolder(platform::csidl::kDesktop), false);
    add(system.SpecialFolder(kCommonDesktop), false);
    std::u16string roots = DriveRoots(files, true, true);
    for (std::size_t start = 0; start < roots.size();) {
        std::size_t bar = roots.find(u'|', start);
        std::size_t end = bar == std::u16string::npos ? roots.size() : bar;
        folders.push_back({roots.substr(start, end - start), false});
        start = end + 1;
    }
    add(system.WindowsDirectory() + u"\\Tasks", false);
    return folders;
}

void InstallStartupFolderPhase(AreaPhases& phases, FolderWalk& walk, platform::FileSystem& files,
                               platform::System& system) {
    AreaStep previous = phases[AreaPhase::StartupItems];
    phases[AreaPhase::StartupItems] = [previous, &walk, &files, &system](PhaseContext& context,
                                                                         PhaseForm form) {
        if (previous)
            previous(context, form);
        if (form != PhaseForm::First)
            return;
        for (const StartupFolder& folder : StartupFolders(files, system)) {
            if (context.report.state.stopRequested)
                return;
            if (files.GetAttributes(folder.path) != platform::attr::kInvalid)
                walk.ScanFolder(folder.path, WalkOptions{folder.recurse, false, true});
        }
    };
}

}  // namespace vestra
