// Fixed names of the product's files, folders and windows, shared by the installer, the path
// table and the protection channel.
#pragma once

#include <string_view>

namespace vestra {

inline constexpr std::u16string_view kProductName = u"Vestra";
// The product name in capitals with a Greek capital delta (U+0394) in place of a letter.
inline constexpr std::u16string_view kInstallFolderName = u"VESTR\u0394";
inline constexpr std::u16string_view kProtectionExeName = u"VE\u0394RTP.exe";
inline constexpr std::u16string_view kEngineFileName = u"VestEngine.dll";
inline constexpr std::u16string_view kDatabaseFileName = u"Vestra.loov";
inline constexpr std::u16string_view kShellExtFileName = u"VestExtc.dll";
inline constexpr std::u16string_view kContextDllFileName = u"VestExt.dll";
inline constexpr std::u16string_view kLogFileName = u"vestra.log";
// The mingw build links its runtime statically, so no runtime library travels with the program.
inline constexpr std::u16string_view kRuntimeFileName = u"";

// The build of this program; an installed protection copy older than this is offered an update.
// The build also appends it as four digits to Vestra.exe (tools/stamp_build.py).
inline constexpr int kOwnBuild = 203;

}  // namespace vestra
