// Default facts of the fake system and the ExpandEnvironmentStringsW rules: a %NAME% whose
// variable is unknown stays as written and scanning goes on after its closing percent sign.
#include "platform/fake/FakeSystem.h"

#include "platform/Text.h"

namespace vestra::platform::fake {

FakeSystem::FakeSystem()
    : commandLine_(u"\"C:\\Program Files\\Vestra\\Vestra.exe\""),
      version_{6, 1, 7601, 2},
      computerName_(u"TESTPC"),
      systemDirectory_(u"C:\\Windows\\system32"),
      windowsDirectory_(u"C:\\Windows"),
      tempPath_(u"C:\\users\\user\\Temp\\") {
    specialFolders_ = {
        {csidl::kDesktop, u"C:\\users\\user\\Desktop"},
        {csidl::kStartup,
         u"C:\\users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp"},
        {csidl::kCommonStartup,
         u"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\StartUp"},
        {csidl::kAppData, u"C:\\users\\user\\AppData\\Roaming"},
        {csidl::kProgramFiles, u"C:\\Program Files"},
    };
    for (auto [name, value] : std::initializer_list<std::pair<const char16_t*, const char16_t*>>{
             {u"SystemRoot", u"C:\\Windows"},
             {u"windir", u"C:\\Windows"},
             {u"SystemDrive", u"C:"},
             {u"ProgramFiles", u"C:\\Program Files"},
             {u"ProgramData", u"C:\\ProgramData"},
             {u"ALLUSERSPROFILE", u"C:\\ProgramData"},
             {u"USERPROFILE", u"C:\\users\\user"},
             {u"APPDATA", u"C:\\users\\user\\AppData\\Roaming"},
             {u"TEMP", u"C:\\users\\user\\Temp"},
             {u"TMP", u"C:\\users\\user\\Temp"},
             {u"COMPUTERNAME", u"TESTPC"},
         }) {
        SetEnvironment(name, value);
    }
}

void FakeSystem::SetPrivilegeResult(std::u16string_view name, bool result) {
    privilegeResults_[UpperCase(name)] = result;
}

bool FakeSystem::EnablePrivilege(std::u16string_view name) {
    privilegeRequests_.emplace_back(name);
    auto it = privilegeResults_.find(UpperCase(name));
    return it == privilegeResults_.end() || it->second;
}

void FakeSystem::SetSpecialFolder(int csidlNumber, std::u16string_view path) {
    if (path.empty()) {
        specialFolders_.erase(csidlNumber);
    } else {
        specialFolders_[csidlNumber] = std::u16string(path);
    }
}

std::u16string FakeSystem::SpecialFolder(int csidlNumber) {
    auto it = specialFolders_.find(csidlNumber);
    return it == specialFolders_.end() ? std::u16string() : it->second;
}

void FakeSystem::SetEnvironment(std::u16string_view name, std::u16string_view value) {
    environment_[UpperCase(name)] = {std::u16string(name), std::u16string(value)};
}

void FakeSystem::RemoveEnvironment(std::u16string_view name) {
    environment_.erase(UpperCase(name));
}

const std::u16string* FakeSystem::Variable(std::u16string_view name) const {
    auto it = environment_.find(UpperCase(name));
    return it == environment_.end() ? nullptr : &it->second.second;
}

std::u16string FakeSystem::ExpandEnvironment(std::u16string_view text) {
    std::u16string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != u'%') {
            out += text[i++];
            continue;
        }
        std::size_t close = text.find(u'%', i + 1);
        if (close == std::u16string_view::npos) {  // an unfinished name is copied as it is
            out += text.substr(i);
            break;
        }
        std::u16string_view name = text.substr(i + 1, close - i - 1);
        const std::u16string* value = name.empty() ? nullptr : Variable(name);
        out += value != nullptr ? std::u16string_view(*value) : text.substr(i, close - i + 1);
        i = close + 1;
    }
    return out;
}

void FakeSystem::Sleep(std::uint32_t milliseconds) {
    tick_ += milliseconds;
    totalSlept_ += milliseconds;
    if (sleepHook_)
        sleepHook_(milliseconds);
}

}  // namespace vestra::platform::fake
