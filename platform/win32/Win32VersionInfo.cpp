// Reads the string table of a file's version resource under its first translation (or the
// usual US English ones when the resource lists none).
#include "platform/win32/Win32VersionInfo.h"

#include <cstdio>
#include <vector>

namespace vestra::platform::win32 {

namespace {

constexpr const wchar_t* kKeys[] = {
    L"CompanyName",     L"FileDescription",  L"FileVersion",  L"InternalName",   L"LegalCopyright",
    L"LegalTrademarks", L"OriginalFilename", L"ProductName",  L"ProductVersion", L"Comments",
    L"PrivateBuild",    L"PublicBuild",      L"SpecialBuild",
};

std::vector<std::wstring> TranslationPrefixes(const void* block) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    std::vector<std::wstring> prefixes;
    Translation* translations = nullptr;
    UINT size = 0;
    if (::VerQueryValueW(block, L"\\VarFileInfo\\Translation",
                         reinterpret_cast<void**>(&translations), &size) &&
        size >= sizeof(Translation)) {
        wchar_t prefix[64];
        std::swprintf(prefix, 64, L"\\StringFileInfo\\%04x%04x\\", translations[0].language,
                      translations[0].codePage);
        prefixes.emplace_back(prefix);
    }
    prefixes.emplace_back(L"\\StringFileInfo\\040904b0\\");
    prefixes.emplace_back(L"\\StringFileInfo\\040904e4\\");
    return prefixes;
}

}  // namespace

Result<VersionStrings> Win32VersionInfo::Query(std::u16string_view path) {
    std::u16string file(path);
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeW(W(file), &ignored);
    if (size == 0)
        return LastError();
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(W(file), 0, size, block.data()))
        return LastError();
    for (const std::wstring& prefix : TranslationPrefixes(block.data())) {
        VersionStrings strings;
        for (const wchar_t* key : kKeys) {
            wchar_t* value = nullptr;
            UINT length = 0;
            std::wstring query = prefix + key;
            if (::VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value),
                                 &length) &&
                value != nullptr) {
                strings[FromWide(key)] = FromWide(value);
            }
        }
        if (!strings.empty())
            return strings;
    }
    return VersionStrings{};
}

}  // namespace vestra::platform::win32
