// The registry rule lists as data, in the order they run: the default area, the deep area, and
// the start-up run keys. Rows read like the list they were taken from: check (F E I FD ED K),
// repair (d r n), flags (k m x, and a for an accepted alternative), then the systems it is for.
#include <array>

#include "registry/RegRule.h"

namespace vestra::registry {
namespace {

using platform::Hive;
using namespace rule_flag;

constexpr auto F = RuleCheck::ForbiddenString;
constexpr auto E = RuleCheck::EqualString;
constexpr auto I = RuleCheck::Program;
constexpr auto FD = RuleCheck::ForbiddenDword;
constexpr auto ED = RuleCheck::EqualDword;
constexpr auto K = RuleCheck::ForbiddenKey;
constexpr auto ITree = RuleCheck::ProgramTree;
constexpr auto FValues = RuleCheck::ForbiddenValues;
constexpr auto KDebugger = RuleCheck::DebuggerKeys;
constexpr auto d = RuleRepair::Delete;
constexpr auto r = RuleRepair::Rewrite;
constexpr auto n = RuleRepair::ReportOnly;
constexpr std::uint8_t k = kKeyRequired, m = kMissingFinding, x = kExpand, a = kAlternative;
constexpr auto HKCR = Hive::ClassesRoot;
constexpr auto HKCU = Hive::CurrentUser;
constexpr auto HKLM = Hive::LocalMachine;
constexpr auto HKU = Hive::Users;
constexpr auto XP = RuleOs::PreVista;
constexpr auto W7 = RuleOs::Win7Plus;
constexpr auto notW7 = RuleOs::NotWin7;
constexpr auto Any = RuleOs::Any;
constexpr Expect None{};

constexpr Expect XpElse(std::u16string_view xp, std::u16string_view other) {
    return Expect(xp, other);
}

// Loop lists.
constexpr std::u16string_view kExts =
    u"bat|pif|cpl|com|cmd|dll|fon|exe|inf|ini|lnk|reg|txt|VBS|VBE|ocx";
constexpr std::u16string_view kClasses =
    u"*|Directory|Folder|Drive|exefile|scrfile|batfile|cmdfile|piffile|lnkfile|comfile|dllfile|"
    u"txtfile|inffile|inifile|rtffile|VBSFile|VBEFile|hlpfile|helpfile";
constexpr std::u16string_view kControlSets = u"@ControlSets";
constexpr std::u16string_view kEntries =
    uR"(ClassicViewState|ControlPanelInMyComputer|DesktopProcess|DisableThumbCache|FolderSizeTip|)"
    uR"(FriendlyTree|Hidden\NOHIDDEN|Hidden\SHOWALL|HideFileExt|NetCrawler|PersistBrowsers|)"
    uR"(ShowCompColor|ShowFullPath|ShowFullPathAddress|ShowInfoTip|SimpleSharing|SuperHidden|)"
    uR"(WebViewBarricade)";
constexpr std::u16string_view kCheckboxEntries =
    uR"(ClassicViewState|ControlPanelInMyComputer|DesktopProcess|DisableThumbCache|FolderSizeTip|)"
    uR"(FriendlyTree|HideFileExt|NetCrawler|PersistBrowsers|ShowCompColor|ShowFullPath|)"
    uR"(ShowFullPathAddress|ShowInfoTip|SimpleSharing|SuperHidden|WebViewBarricade)";
constexpr std::u16string_view kHiddenFileEntries =
    uR"(Hidden\NOHIDDEN|Hidden\SHOWALL|HideFileExt|SuperHidden)";
// An empty help number leaves that entry out of the HelpID row.
constexpr std::u16string_view kEntryHelp =
    u"076|150|079|155||149|104|105|101|147|152|130|100|107|102|154|103|148";
constexpr std::u16string_view kEntryText =
    u"506|497|507|517|514|511|501|500|503|509|513|512|504|505|502|518|508|510";
constexpr std::u16string_view kMinimalServices =
    u"AppMgmt|CryptSvc|DcomLaunch|dmadmin|dmserver|EventLog|HelpSvc|Netlogon|PlugPlay|RpcSs|"
    u"SRService|WinMgmt";
constexpr std::u16string_view kNetworkServices =
    u"AFD|Browser|Dhcp|DnsCache|LanmanServer|LanmanWorkstation|LmHosts|Messenger|Ndisuio|NetBIOS|"
    u"NetBT|NetMan|NtLmSsp|rdsessmgr|SharedAccess|Tcpip|termservice|WZCSVC";
constexpr std::u16string_view kMinimalDrivers =
    u"dmboot.sys|dmio.sys|dmload.sys|sermouse.sys|vga.sys|vgasave.sys";
constexpr std::u16string_view kNetworkDrivers =
    u"ip6fw.sys|ipnat.sys|rdpcdd.sys|rdpdd.sys|rdpwd.sys|tdpipe.sys|tdtcp.sys";
constexpr std::u16string_view kMinimalGroups =
    u"Base|Boot Bus Extender|Boot file system|File system|Filter|PCI Configuration|PNP Filter|"
    u"Primary disk|SCSI Class|System Bus Extender";
constexpr std::u16string_view kNetworkGroups =
    u"NDIS|NDIS Wrapper|NetBIOSGroup|NetDDEGroup|Network|NetworkProvider|PNP_TDI|"
    u"Streams Drivers|TDI";
constexpr std::u16string_view kMinimalClasses =
    u"4D36E965|4D36E967|4D36E969|4D36E96A|4D36E96B|4D36E96F|4D36E977|4D36E97B|4D36E97D|4D36E980";
constexpr std::u16string_view kMinimalClassNames =
    u"CD-ROM Drive|DiskDrive|Standard floppy disk controller|Hdc|Keyboard|Mouse|PCMCIA Adapters|"
    u"SCSIAdapter|System|Floppy disk drive";
constexpr std::u16string_view kNetworkClasses = u"4D36E972|4D36E973|4D36E974|4D36E975";
constexpr std::u16string_view kNetworkClassNames = u"Net|NetClient|NetService|NetTrans";
constexpr std::u16string_view kOtherBootItems =
    u"sr.sys|{36FC9E60-C465-11CF-8056-444553540000}|{71A27CDD-812A-11D0-BEC7-08002BE2092F}|"
    u"{745A17A0-74D3-11D0-B6FE-00A0C90F57DA}";
constexpr std::u16string_view kOtherBootNames =
    u"FSFilter System Recovery|Universal Serial Bus controllers|Volume|Human Interface Devices";

constexpr std::u16string_view kMyComputer = uR"(CLSID\{20D04FE0-3AEA-1069-A2D8-08002B30309D})";
constexpr std::u16string_view kMyDocs = uR"(CLSID\{450D8FBA-AD25-11D0-98A8-0800361B1103})";
constexpr std::u16string_view kRecycle = uR"(CLSID\{645FF040-5081-101B-9F08-00AA002F954E})";
constexpr std::u16string_view kNetwork = uR"(CLSID\{208D2C60-3AEA-1069-A2D7-08002B30309D})";
constexpr std::u16string_view kPrinters = uR"(CLSID\{2227A280-3AEA-1069-A2DE-08002B30309D})";

#include "registry/RegRuleDeep.inc"
#include "registry/RegRuleDefault.inc"

constexpr RegRule kStartupRunKeys[] = {
    {ITree, HKCU, uR"({KeyCurrentVersion}\Run)", {}, None, d},
    {ITree, HKCU, uR"({KeyCurrentVersion}\Run-)", {}, None, d},
    {ITree, HKCU, uR"({KeyCurrentVersion}\RunOnce)", {}, None, d},
    {ITree, HKCU, uR"({KeyCurrentVersion}\policies\Explorer\Run)", {}, None, d},
    {ITree, HKLM, uR"({KeyCurrentVersion}\Run)", {}, None, d},
    {ITree, HKLM, uR"({KeyCurrentVersion}\Run-)", {}, None, d},
    {ITree, HKLM, uR"({KeyCurrentVersion}\RunOnce)", {}, None, d},
    {ITree, HKLM, uR"({KeyCurrentVersion}\policies\Explorer\Run)", {}, None, d},
    {ITree, HKLM, uR"({KeyCurrentVersion}\RunOnce-)", {}, None, d},
    {ITree, HKLM, uR"({KeyCurrentVersion}\RunOnceEx)", {}, None, d},
    {ITree, HKLM, uR"({KeyCurrentVersion}\RunOnceServices)", {}, None, d},
    {ITree, HKLM, uR"({KeyCurrentVersion}\RunOnceServices-)", {}, None, d},
    {ITree, HKLM, uR"({KeyNTCurrentVersion}\Run)", {}, None, d},
    {ITree, HKLM, uR"({KeyNTCurrentVersion}\Image File Execution Options)", {}, None, d},
    {ITree, HKU, uR"(.DEFAULT\{KeyCurrentVersion})", {}, None, d},
};

}  // namespace

bool RuleApplies(RuleOs os, const RuleConditions& conditions) {
    switch (os) {
        case RuleOs::PreVista:
            return conditions.preVista;
        case RuleOs::Win7Plus:
            return conditions.win7Plus;
        case RuleOs::NotWin7:
            return !conditions.win7Plus;
        default:
            return true;
    }
}

std::span<const RegRule> DefaultRules() {
    return kDefaultRules;
}
std::span<const RegRule> DeepRules() {
    return kDeepRules;
}
std::span<const RegRule> StartupRunKeyRules() {
    return kStartupRunKeys;
}

}  // namespace vestra::registry
