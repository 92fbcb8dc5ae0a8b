// The contract suites' environment on the in-memory fakes: a fresh FakePlatform per test with a
// scratch folder under its temp path and a scratch key under HKCU\Software.
#pragma once

#include <string>

#include "platform/fake/FakePlatform.h"

namespace vestra::platform::contract {

struct FakeEnvironment {
    FakeEnvironment() {
        scratch = fake.system.TempPath() + u"VestraContract\\";
        fake.files.AddFolder(scratch);
        fake.registry.CreateKey(hive, scratchKey);
    }
    Platform platform() { return fake.platform(); }

    // A top-level window with this caption holding one child of `childClass` with `text`.
    WindowId AddWindowWithChild(std::u16string_view caption, std::u16string_view childClass,
                                std::u16string_view text) {
        WindowId top = fake.windows.AddTopWindow(u"VestraContractHost", caption);
        fake.windows.AddChild(top, childClass, text);
        return top;
    }
    void RemoveWindow(WindowId window) { fake.windows.RemoveWindow(window); }

    fake::FakePlatform fake;
    std::u16string scratch;
    Hive hive = Hive::CurrentUser;
    std::u16string scratchKey = u"Software\\VestraContract\\Test";
    std::u16string ownExeName = u"Vestra.exe";
};

}  // namespace vestra::platform::contract
