// The caption table of the main window. Buttons, labels, frames and the settings boxes carry an
// Indonesian/English pair; option buttons, other check boxes and link labels keep one caption.
#include "ui/model/CaptionTable.h"

#include "platform/Text.h"
#include "ui/model/ControlIds.h"

namespace vestra::ui {
namespace {

using config::ControlKind;
constexpr ControlKind kButton = ControlKind::CommandButton;
constexpr ControlKind kLabel = ControlKind::Label;
constexpr ControlKind kFrame = ControlKind::Frame;
constexpr ControlKind kCheck = ControlKind::CheckBox;
constexpr ControlKind kOther = ControlKind::Other;

// clang-format off
constexpr CaptionEntry kTable[] = {
    // Top band and information panel.
    {ctl::kLbTitle, kLabel, u"LbTitle", u"VESTRA", u""},
    {ctl::kLbSubtitle, kLabel, u"LbSubtitle", u"Antivirus dan Pelindung Registry", u"Anti-Virus and Registry Guard"},
    {ctl::kCmdHelp, kButton, u"cmdHelp", u"&Bantuan (Forum)", u"&Help (Forum)"},
    {ctl::kCmdMinimize, kButton, u"cmdMinimize", u"Perkecil", u"Minimize"},
    {ctl::kCmdExit, kButton, u"cmdExit", u"> &Keluar <", u"> &Exit <"},
    {ctl::kLbInfoTitle, kLabel, u"LbInfoTitle", u"Informasi", u"Information"},

    // Scanner.
    {ctl::kFrmTree, kFrame, u"FrmTree", u"Jenis Scan", u"Scan Kind"},
    {ctl::kOpt0 + 0, kOther, u"Opt", u"Quick Scan", u""},
    {ctl::kOpt0 + 1, kOther, u"Opt", u"System Area", u""},
    {ctl::kOpt0 + 2, kOther, u"Opt", u"System Area [Deep]", u""},
    {ctl::kOpt0 + 3, kOther, u"Opt", u"Full Scan", u""},
    {ctl::kOpt0 + 4, kOther, u"Opt", u"Auto-Checking", u""},
    {ctl::kCmdScan, kButton, u"cmdScan", u"&Scan >>", u"&Scan >>"},
    {ctl::kFrmFiles, kFrame, u"FrmFiles", u"Berkas", u"Files"},
    {ctl::kFrmRegistry, kFrame, u"FrmRegistry", u"Registry", u"Registry"},
    {ctl::kFrmHidden, kFrame, u"FrmHidden", u"Path Tersembunyi", u"Hidden Paths"},
    {ctl::kLbTime, kLabel, u"LbTime", u"Waktu :", u"Time :"},
    {ctl::kLbPath, kLabel, u"LbPath", u"Lokasi :", u"Path :"},
    {ctl::kCkSelectAll, kCheck, u"CkSelectAll", u"S&elect All", u""},
    {ctl::kCmdLog, kButton, u"cmdLog", u"Lihat &Log", u"View &Log"},

    // Protection.
    {ctl::kLbRtpTitle, kLabel, u"LbRtpTitle", u"Perlindungan Real-Time", u"Real-Time Protection"},
    {ctl::kLbRtpInfo, kLabel, u"LbRtpInfo",
     u"VesRTP mengawasi folder yang Anda buka, program yang baru berjalan dan flashdisk yang dicolokkan.",
     u"VesRTP watches the folders you open, newly started programs and plugged-in flash disks."},
    {ctl::kLbRtpName, kLabel, u"Lb", u"VesRTP", u""},
    {ctl::kCmdUninstall, kButton, u"cmdUninstall", u"Hapus Instalasi", u"Uninstall"},

    // Update.
    {ctl::kLbUpdTitle, kLabel, u"LbUpdTitle", u"Database Virus", u"Virus Database"},
    {ctl::kCmdUpdate, kButton, u"cmdUpdate", u"Periksa &Update", u"Check for &Update"},
    {ctl::kCmdUpSample, kButton, u"cmdUpSample", u"Kirim &Virus", u"Upload &Virus"},

    // Tools: one virus by the user.
    {ctl::kLbUVTitle, kLabel, u"LbUVTitle", u"Tandai sebuah file sebagai virus", u"Mark a file as a virus"},
    {ctl::kLbUVNameCap, kLabel, u"LbUVNameCap", u"Nama :", u"Name :"},
    {ctl::kLbUVLevCap, kLabel, u"LbUVLevCap", u"Level Risiko :", u"Risk Level :"},
    {ctl::kLbUVPathCap, kLabel, u"LbUVPathCap", u"Lokasi :", u"Path :"},
    {ctl::kCmdUVBrowse, kButton, u"cmdUVBrowse", u"&Cari File Lain ...", u"&Browse Other ..."},
    {ctl::kCmdUVReset, kButton, u"cmdUVReset", u"&Reset", u"&Reset"},
    {ctl::kLbUnwanted, kLabel, u"LbUnwanted", u"File yang dicurigai :", u"Suspected files :"},
    // Tools: process manager.
    {ctl::kLbProcHint, kLabel, u"LbProcHint", u"Klik kanan pada daftar untuk memilih tindakan.",
     u"Right-click the list to choose an action."},
    // Tools: system editor.
    {ctl::kFrmExplorer, kFrame, u"FrmExplorer", u"Windows Explorer", u"Windows Explorer"},
    {ctl::kFrmSysApps, kFrame, u"FrmSysApps", u"Aplikasi Sistem", u"System Applications"},
    {ctl::kFrmStartMenu, kFrame, u"FrmStartMenu", u"Menu Start", u"Start Menu"},
    {ctl::kCkRegFolder0 + 0, kCheck, u"CkRegFolder", u"Show System File", u""},
    {ctl::kCkRegFolder0 + 1, kCheck, u"CkRegFolder", u"Show Hidden File", u""},
    {ctl::kCkRegFolder0 + 2, kCheck, u"CkRegFolder", u"Show File Extension", u""},
    {ctl::kCkRegFolder0 + 3, kCheck, u"CkRegFolder", u"Show Full Path In Address Bar", u""},
    {ctl::kCkRegFolder0 + 4, kCheck, u"CkRegFolder", u"Show Full Path In Title Bar", u""},
    {ctl::kCkRegExp0 + 0, kCheck, u"CkRegExp", u"Enable Folder Options", u""},
    {ctl::kCkRegExp0 + 1, kCheck, u"CkRegExp", u"Enable Taskbar's Context Menu", u""},
    {ctl::kCkRegExp0 + 2, kCheck, u"CkRegExp", u"Enable Explorer's Context Menu", u""},
    {ctl::kCkRegExp0 + 3, kCheck, u"CkRegExp", u"Enable Control Panel", u""},
    {ctl::kCkRegExp0 + 4, kCheck, u"CkRegExp", u"Enable Taskbar Settings", u""},
    {ctl::kCkRegExp0 + 5, kCheck, u"CkRegExp", u"Show Desktop Item", u""},
    {ctl::kCkRegExp0 + 6, kCheck, u"CkRegExp", u"Enable Windows Hotkeys", u""},
    {ctl::kCkRegExp0 + 7, kCheck, u"CkRegExp", u"Show Run", u""},
    {ctl::kCkRegExp0 + 8, kCheck, u"CkRegExp", u"Show Find", u""},
    {ctl::kCkRegExp0 + 9, kCheck, u"CkRegExp", u"Show Log Off", u""},
    {ctl::kCkRegExp0 + 10, kCheck, u"CkRegExp", u"Show Shutdown", u""},
    {ctl::kCkRegExp0 + 11, kCheck, u"CkRegExp", u"Show Recent Docs", u""},
    {ctl::kCkRegExp0 + 12, kCheck, u"CkRegExp", u"Show Help", u""},
    {ctl::kCkRegSys0 + 0, kCheck, u"CkRegSys", u"Enable Display Settings", u""},
    {ctl::kCkRegSys0 + 1, kCheck, u"CkRegSys", u"Enable Task Manager", u""},
    {ctl::kCkRegSys0 + 2, kCheck, u"CkRegSys", u"Enable Registry Editor", u""},
    {ctl::kCkRegSys0 + 3, kCheck, u"CkRegSys", u"Enable Command Prompt", u""},
    {ctl::kCmdSysSel, kButton, u"CmdSysSel", u"Pilih Semua", u"Select All"},
    // Tools: Win-Force.
    {ctl::kLbWinForce, kLabel, u"LbWinForce", u"Buka paksa alat Windows yang diblokir virus :",
     u"Force open the Windows tools that malware blocked :"},
    {ctl::kCmdWinForce1 + 0, kButton, u"cmdWinForce", u"MS-Command Prompt (cmd)", u"MS-Command Prompt (cmd)"},
    {ctl::kCmdWinForce1 + 1, kButton, u"cmdWinForce", u"Registry Editor (Regedit)", u"Registry Editor (Regedit)"},
    {ctl::kCmdWinForce1 + 2, kButton, u"cmdWinForce", u"System Configuration Utility (MSConfig)", u"System Configuration Utility (MSConfig)"},
    {ctl::kCmdWinForce1 + 3, kButton, u"cmdWinForce", u"Task Manager (TaskMgr)", u"Task Manager (TaskMgr)"},
    // Tools: Vest-Lock.
    {ctl::kLbLockInfo, kLabel, u"LbLockInfo", u"Vest-Lock melindungi flashdisk dari infeksi autorun.",
     u"Vest-Lock guards flash disks against autorun infection."},
    {ctl::kCkLock, kCheck, u"CkLock", u"S&elect All", u""},
    {ctl::kCmdLock0 + 0, kButton, u"CmdLock", u"Buka Kunci", u"Unlock"},
    {ctl::kCmdLock0 + 1, kButton, u"CmdLock", u"Kunci", u"Lock"},

    // Quarantine.
    {ctl::kCkCage, kCheck, u"CkCage", u"S&elect All", u""},
    {ctl::kCmdCage0 + 0, kButton, u"CmdCage", u"&Pulihkan", u"&Restore"},
    {ctl::kCmdCage0 + 1, kButton, u"CmdCage", u"Pulihkan &Ke ...", u"Restore &To ..."},
    {ctl::kCmdCage0 + 2, kButton, u"CmdCage", u"&Hapus", u"&Delete"},

    // Settings.
    {ctl::kFrmSettings, kFrame, u"FrmSettings", u"Pengaturan", u"Settings"},
    {ctl::kCkSet0 + 0, kCheck, u"CkSet", u"Nonaktifkan splash screen VesRTP saat start-up", u"Disable splash screen of VesRTP on start-up"},
    {ctl::kCkSet0 + 1, kCheck, u"CkSet", u"Aktifkan fungsi maximize dan resize pada form", u"Activate maximize and resize function in the form"},
    {ctl::kCkSet0 + 2, kCheck, u"CkSet", u"Gunakan password untuk Admin Vestra :", u"Use password to activate as Vestra Admin"},
    {ctl::kCkSet0 + 3, kCheck, u"CkSet", u"Aktifkan auto-update (memerlukan koneksi internet)", u"Activate auto-update (requires internet connection)"},
    {ctl::kCkSet0 + 4, kCheck, u"CkSet", u"Scan otomatis saat flashdisk dicolokkan", u"Scan automatically when flashdisk plugged"},
    {ctl::kCkSet0 + 5, kCheck, u"CkSet", u"Aktifkan Vest-Lock saat flashdisk dicolokkan", u"Activate Vest-Lock when flashdisk plugged"},
    {ctl::kCkSet0 + 6, kCheck, u"CkSet", u"Aktifkan klik-kanan di Windows Explorer untuk scan", u"Activate right-click in Windows Explorer to scan"},
    {ctl::kCkSet0 + 7, kCheck, u"CkSet", u"Sembunyikan panel kanan/iklan", u"Hide right panel/ads"},
    {ctl::kCkSet0 + 8, kCheck, u"CkSet", u"Aktifkan Vest-Turbo (Scanning 10x lebih cepat)", u"Activate Vest-Turbo (Scanning 10x faster)"},
    {ctl::kFrmPassword, kFrame, u"FrmPassword", u"Password Admin", u"Admin Password"},
    {ctl::kLbPassword0 + 0, kLabel, u"LbPassword", u"Password =>", u"Password =>"},
    {ctl::kLbPassword0 + 1, kLabel, u"LbPassword", u"Ulangi Password =>", u"Confirm Password =>"},
    {ctl::kFrmLanguage, kFrame, u"FrmLanguage", u"Bahasa", u"Language"},
    {ctl::kOptLang0 + 0, kOther, u"OptLang", u"Indonesia", u""},
    {ctl::kOptLang0 + 1, kOther, u"OptLang", u"English", u""},
    {ctl::kFrmTheme, kFrame, u"FrmTheme", u"Warna Tema", u"Theme Colour"},
    {ctl::kLbRGB, kLabel, u"LbRGB", u"Warna (hex) :", u"Colour (hex) :"},
    {ctl::kFrmException, kFrame, u"FrmException", u"Daftar Pengecualian", u"Exception List"},
    {ctl::kLbException, kLabel, u"LbException", u"Folder, file dan registry yang tidak akan di-scan.",
     u"Folders, files and registry values that scans leave alone."},
    {ctl::kCmdException, kButton, u"cmdException", u"Kelola", u"Manage"},

    // About and Donation. Link labels keep their caption: their tag is an address.
    {ctl::kLbAboutTitle, kLabel, u"LbAboutTitle", u"Vestra Anti-Virus", u""},
    {ctl::kLbAboutText, kLabel, u"LbAboutText",
     u"Vestra memeriksa drive, folder, proses, service, start-up dan registry dari virus, "
     u"membersihkan atau mengkarantina yang ditemukan, dan memperbaiki registry yang diubah virus.",
     u"Vestra checks drives, folders, processes, services, start-up places and the registry for "
     u"viruses, cleans or quarantines what it finds, and repairs registry values that viruses change."},
    {ctl::kLbTeam, kLabel, u"LbTeam", u"Tim pengembang :", u"Development team :"},
    {ctl::kLbTeamNames, kLabel, u"LbTeamNames", u"Tim Vestra", u"The Vestra Team"},
    {ctl::kLbLinkSite, kLabel, u"LbLinkSite", u"http://www.vestra.example/", u"http://www.vestra.example/"},
    {ctl::kLbLinkMail, kLabel, u"LbLinkMail", u"team@vestra.example", u"team@vestra.example"},
    {ctl::kLbDonTitle, kLabel, u"LbDonTitle", u"Dukung Vestra", u"Support Vestra"},
    {ctl::kLbDonText, kLabel, u"LbDonText",
     u"Vestra gratis untuk semua orang. Donasi Anda membantu kami terus memperbarui database virus.",
     u"Vestra is free for everyone. Your donation helps us keep the virus database up to date."},
    {ctl::kLbDonLink, kLabel, u"LbDonLink", u"http://www.vestra.example/donation", u"http://www.vestra.example/donation"},
};
// clang-format on

}  // namespace

std::span<const CaptionEntry> MainWindowCaptions() {
    return kTable;
}

const CaptionEntry* FindCaption(int id) {
    for (const CaptionEntry& entry : kTable) {
        if (entry.id == id)
            return &entry;
    }
    return nullptr;
}

CaptionSet::CaptionSet() {
    for (const CaptionEntry& entry : kTable) {
        ids_.push_back(entry.id);
        controls_.push_back({entry.kind, std::u16string(entry.name),
                             std::u16string(entry.indonesian), std::u16string(entry.english)});
    }
}

std::u16string_view CaptionSet::CaptionOf(int id) const {
    for (std::size_t i = 0; i < ids_.size(); ++i) {
        if (ids_[i] == id)
            return controls_[i].caption;
    }
    return {};
}

bool LanguageChoiceChanges(int index, int currentLanguage) {
    return (index != 0) != (currentLanguage != 0);
}

std::u16string QuarantineTabCaption(int fileCount) {
    return u"Quarantine (" + ToText(fileCount) + u")";
}

std::u16string_view PanelButtonCaption(bool panelHidden, int language) {
    if (language == config::kLanguageIndonesian)
        return panelHidden ? u">> Tampilkan Panel" : u"<< Sembunyikan Panel";
    return panelHidden ? u">> Show Panel" : u"<< Hide Panel";
}

std::u16string_view PasswordButtonCaption(bool editing, int language) {
    if (language == config::kLanguageIndonesian)
        return editing ? u"Simpan Password" : u"Ubah Password";
    return editing ? u"Save Password" : u"Edit Password";
}

std::u16string_view ProtectButtonCaption(bool protectionOn) {
    return protectionOn ? u"Disable" : u"Activate";
}

std::u16string SystemApplyCaption() {
    return std::u16string(u"Apply ") + u"&& Restart Explorer.exe";
}
std::u16string RevisionCaption() {
    return std::u16string(u"Rev.") + u" " + u"8.3";
}
std::u16string DateCaption() {
    return std::u16string(u">> ") + u"7 Oktober 2010";
}

}  // namespace vestra::ui
