#include "scanner/SuspectCandidate.h"

#include <array>
#include <vector>

#include "common/TextLists.h"
#include "platform/Text.h"
#include "scanner/FileRoutines.h"

namespace vestra {
namespace {

constexpr std::array<std::u16string_view, 25> kSystemPrograms = {
    u"userinit", u"cmd",   u"winlogon", u"spoolsv", u"svchost", u"csrss",   u"smss",
    u"services", u"lsass", u"ctfmon",   u"wdfmgr",  u"alg",     u"dllhost", u"msdtc",
    u"msiexec",  u"ntvdm", u"rundll32", u"taskmgr", u"write",   u"wscript", u"wuauclt",
    u"calc",     u"ping",  u"notepad",  u"logoff"};
constexpr std::array<std::u16string_view, 5> kWindowsPrograms = {u"explorer", u"regedit", u"hh",
                                                                 u"winhelp", u"winhlp32"};
constexpr std::array<std::u16string_view, 13> kVistaSystemPrograms = {u"taskeng",
                                                                      u"wbem\\WmiPrvSE",
                                                                      u"wininit",
                                                                      u"lsm",
                                                                      u"audiodg",
                                                                      u"SLsvc",
                                                                      u"dwm",
                                                                      u"SearchIndexer",
                                                                      u"VSSVC",
                                                                      u"SearchProtocolHost",
                                                                      u"SearchFilterHost",
                                                                      u"sppsvc",
                                                                      u"taskhost"};
constexpr std::array<std::u16string_view, 3> kVistaProgramFiles = {
    u"Windows Sidebar\\sidebar", u"Windows Defender\\MSASCui", u"Windows Media Player\\wmpnetwk"};

template <std::size_t N>
bool InFolder(std::u16string_view folder, const std::array<std::u16string_view, N>& names,
              std::u16string_view path) {
    if (folder.empty())
        return false;
    for (std::u16string_view name : names) {
        if (SamePath(std::u16string(folder) + std::u16string(name) + u".exe", path))
            return true;
    }
    return false;
}

}  // namespace

bool IsTrustedProgram(const TrustedPlaces& places, std::u16string_view path) {
    if (InFolder(places.systemDir, kSystemPrograms, path) ||
        InFolder(places.dllCacheDir, kSystemPrograms, path) ||
        InFolder(places.windowsDir, kWindowsPrograms, path) ||
        InFolder(places.dllCacheDir, kWindowsPrograms, path))
        return true;
    if (!places.vistaOrLater)
        return false;
    constexpr std::array<std::u16string_view, 1> kInstaller = {u"servicing\\TrustedInstaller"};
    return InFolder(places.systemDir, kVistaSystemPrograms, path) ||
           InFolder(places.windowsDir, kInstaller, path) ||
           InFolder(places.programFilesDir, kVistaProgramFiles, path);
}

bool IsScriptOrExe(platform::FileSystem& files, std::u16string_view path) {
    if (!files.Exists(path) || files.IsFolder(path))
        return false;
    const std::u16string trimmed = Trim(path);
    if (EndsWithNoCase(trimmed, u".VBE") || EndsWithNoCase(trimmed, u".VBS"))
        return true;
    const std::vector<std::uint8_t> head = ReadFileBytes(files, path, 2);
    return head.size() == 2 && head[0] == 'M' && head[1] == 'Z';
}

TrustedPlaces TrustedPlacesOf(platform::System& system) {
    auto withSlash = [](std::u16string folder) {
        if (!folder.empty() && folder.back() != u'\\')
            folder += u'\\';
        return folder;
    };
    TrustedPlaces places;
    places.systemDir = withSlash(system.SystemDirectory());
    places.windowsDir = withSlash(system.WindowsDirectory());
    places.dllCacheDir =
        places.systemDir.empty() ? std::u16string() : places.systemDir + u"dllcache\\";
    places.programFilesDir = withSlash(system.SpecialFolder(platform::csidl::kProgramFiles));
    const platform::OsVersion version = system.Version();
    places.vistaOrLater = version.platformId == 2 && version.major >= 6;
    return places;
}

bool IsSuspectCandidate(const CandidateTest& test, std::u16string_view path) {
    if (!IsScriptOrExe(test.files, path))
        return false;
    if (!test.ownExePath.empty() && SamePath(path, test.ownExePath))
        return false;
    if (IsTrustedProgram(test.trusted, path) || !test.checksumText)
        return false;
    const std::u16string checksum = test.checksumText(path);
    const std::size_t bar = checksum.find(u'|');
    return bar != std::u16string::npos && bar > 0 && bar + 1 < checksum.size();
}

}  // namespace vestra
