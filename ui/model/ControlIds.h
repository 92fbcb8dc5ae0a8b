// Numeric identities of the main window's controls and menu items. The window uses them as
// child-window ids and command ids; the caption table and the list layouts refer to them, so
// tests can name a control without a window.
#pragma once

namespace vestra::ui::ctl {

enum : int {
    // Top band and the two strips.
    kLbTitle = 1000,
    kLbSubtitle,
    kCmdHelp,
    kCmdMinimize,
    kCmdPanel,
    kCmdExit,
    kTabMain,
    kPicRight,
    kLbInfoTitle,
    kTxInfo,

    // Panel 0: Scanner.
    kTabScan = 1100,
    kTvDir,
    kFrmTree,
    kOpt0,  // kOpt0 + 0..4: the scan-kind presets
    kCmdScan = kOpt0 + 5,
    kPicScan,
    kLbStatus,
    kFrmFiles,
    kTxFile,
    kFrmRegistry,
    kTxReg,
    kFrmHidden,
    kTxUnHide,
    kLbTime,
    kTxTime,
    kLbPath,
    kTxDirPath,
    kLVDetect,
    kLVRegDet,
    kLVHide,
    kCkSelectAll,
    kCmdScanEx0,  // kCmdScanEx0 + 0..3
    kPBPercent = kCmdScanEx0 + 4,
    kTxPercent,
    kCmdStop,
    kCmdCleanAll,
    kCmdLog,

    // Panel 1: Protection.
    kLbRtpTitle = 1200,
    kLbRtpInfo,
    kLbProtectedBy,
    kLbRtpName,
    kLbRtpState,
    kCmdProtect,
    kCmdUninstall,

    // Panel 2: Update.
    kLbUpdTitle = 1300,
    kLbUpd,
    kLbDB0,  // kLbDB0 + 0..2
    kLVDBViri = kLbDB0 + 3,
    kCmdUpdate,
    kCmdUpSample,

    // Panel 3: Tools.
    kTabTool = 1400,
    kLbUVTitle,
    kPicIcon,
    kLbUVNameCap,
    kLbUVName,
    kLbUVLevCap,
    kLbUVLev,
    kLbUVPathCap,
    kTxUVPath,
    kCmdUVBrowse,
    kCmdUVReset,
    kLbUnwanted,
    kLVUnwanted,
    kLbProcHint,
    kLVProc,
    kFrmExplorer,
    kFrmSysApps,
    kFrmStartMenu,
    kCkRegFolder0,                   // kCkRegFolder0 + 0..4
    kCkRegExp0 = kCkRegFolder0 + 5,  // kCkRegExp0 + 0..12
    kCkRegSys0 = kCkRegExp0 + 13,    // kCkRegSys0 + 0..3
    kCmdSysSel = kCkRegSys0 + 4,
    kCmdSysApply,
    kLbWinForce,
    kPicForceIcon0,                      // kPicForceIcon0 + 0..3
    kCmdWinForce1 = kPicForceIcon0 + 4,  // kCmdWinForce1 + 0..3 (indices 1..4)
    kLbLockInfo = kCmdWinForce1 + 4,
    kLVLock,
    kCkLock,
    kCmdLock0,  // kCmdLock0 + 0..1 (Unlock, Lock)

    // Panel 4: Quarantine.
    kLVCage = 1500,
    kCkCage,
    kCmdCage0,  // kCmdCage0 + 0..2
    kPBCage = kCmdCage0 + 3,

    // Panel 5: Settings.
    kFrmSettings = 1600,
    kCkSet0,  // kCkSet0 + 0..8
    kFrmPassword = kCkSet0 + 9,
    kLbPassword0,                     // kLbPassword0 + 0..1
    kTxPassword0 = kLbPassword0 + 2,  // kTxPassword0 + 0..1
    kCmdPassword = kTxPassword0 + 2,
    kFrmLanguage,
    kOptLang0,  // kOptLang0 + 0..1
    kFrmTheme = kOptLang0 + 2,
    kMyTheme0,  // kMyTheme0 + 0..7: colour swatches
    kLbRGB = kMyTheme0 + 8,
    kTxRGB,
    kFrmException,
    kLbException,
    kCmdException,

    // Panels 6 and 7: About and Donation.
    kLbAboutTitle = 1700,
    kLbRevision,
    kLbDate,
    kLbAboutText,
    kLbTeam,
    kLbTeamNames,
    kLbLinkSite,
    kLbLinkMail,
    kLbDonTitle,
    kLbDonText,
    kLbDonLink,

    // Panels themselves (PicTab(0..7)) and the tool panels.
    kPicTab0 = 1800,           // + 0..7
    kPicTool0 = kPicTab0 + 8,  // + 0..4
};

inline constexpr int kScanKindCount = 5;
inline constexpr int kScanExCount = 4;
inline constexpr int kRegFolderCount = 5;
inline constexpr int kRegExpCount = 13;
inline constexpr int kRegSysCount = 4;
inline constexpr int kSettingsBoxCount = 9;
inline constexpr int kThemeSwatchCount = 8;

}  // namespace vestra::ui::ctl
