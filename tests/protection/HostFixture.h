// A small machine for the protection host's tests: the fake platform with a removable E:, the
// scripted engine behind a real single-file check, the host window's channel box, and a surface
// that records what the host asks of its window.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "protection/ProtectionHost.h"
#include "tests/support/FakeEngine.h"

namespace vestra::protection {

inline constexpr char16_t kEnginePath[] = u"C:\\Vestra\\VestEngine.dll";
inline constexpr std::int32_t kWormDelete = 1 + 16 * 1;

// Records what the host asks of its window.
struct RecordingSurface : HostSurface {
    std::vector<TrayIcon> icons;
    std::vector<bool> protectChecks;
    std::vector<std::string> balloons;  // "text|title|icon"
    bool folderWatch = false, processWatch = false;
    int blinkStarts = 0, blinkStops = 0, shows = 0;
    std::vector<std::string> alerts;  // "name|path|missing|action"
    std::function<void()> onAlert;    // what the user does while the alert shows

    void SetTrayIcon(TrayIcon icon) override { icons.push_back(icon); }
    void SetProtectMenuChecked(bool checked) override { protectChecks.push_back(checked); }
    void ShowBalloon(std::u16string_view text, std::u16string_view title,
                     BalloonIcon icon) override {
        balloons.push_back(ToUtf8(text) + "|" + ToUtf8(title) + "|" +
                           std::to_string(static_cast<int>(icon)));
    }
    void EnableWatches(bool folder, bool process) override {
        folderWatch = folder;
        processWatch = process;
    }
    void StartDangerBlink() override { ++blinkStarts; }
    void StopDangerBlink() override { ++blinkStops; }
    void AddAlert(std::u16string_view name, std::u16string_view, std::u16string_view path,
                  std::u16string_view missing, std::u16string_view action) override {
        alerts.push_back(ToUtf8(name) + "|" + ToUtf8(path) + "|" + ToUtf8(missing) + "|" +
                         ToUtf8(action));
        if (onAlert)
            onAlert();
    }
    void ShowAlerts() override { ++shows; }
};

class HostFixture : public ::testing::Test {
protected:
    HostFixture() {
        vestra::testing::ResetEngineScript();
        os.files.AddFile(kEnginePath, std::string_view("MZ"));
        os.libraries.Register(kEnginePath, vestra::testing::FakeEngineExports());
        engine = Engine::Load(os.libraries, kEnginePath);
        checker = std::make_unique<FileChecker>(*engine, os.files);
        os.files.AddDrive(u'E', platform::DriveType::Removable, u"FLASH");
        hostWindow = os.windows.AddTopWindow(u"ThunderRT6FormDC", u"VesRTP");
        box = os.windows.AddChild(hostWindow, u"ThunderRT6TextBox", u"");
    }

    std::unique_ptr<ProtectionHost> MakeHost(bool noSplash = false, bool byLogon = false) {
        return std::make_unique<ProtectionHost>(
            HostContext{platform, *checker, exceptions, surface,
                        [](int number) { return u"message " + ToText(number); },
                        u"C:\\[Vest-Cage]\\", noSplash, byLogon});
    }

    void Plant(std::u16string_view path, bool infected,
               std::uint32_t attributes = platform::attr::kArchive) {
        os.files.AddFile(path, std::string_view("content"), attributes);
        if (infected) {
            vestra::testing::EngineScript().results[std::u16string(path)] = kWormDelete;
            vestra::testing::EngineScript().names[std::u16string(path)] = "Worm.Test";
        }
    }

    platform::fake::FakePlatform os;
    platform::Platform platform = os.platform();
    std::unique_ptr<Engine> engine;
    std::unique_ptr<FileChecker> checker;
    registry::RegistryAccess access{os.registry, os.system};
    config::ExceptionList exceptions{access, os.files, u"Software\\Test\\Exceptions"};
    RecordingSurface surface;
    platform::WindowId hostWindow = platform::kNoWindow, box = platform::kNoWindow;
};

}  // namespace vestra::protection
