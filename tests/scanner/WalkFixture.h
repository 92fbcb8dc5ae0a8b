// A small machine for walk and scan-run tests: the fake platform, the scripted engine behind a
// real single-file check, a report and the hidden-path test, and helpers to plant files.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/Text.h"
#include "platform/fake/FakePlatform.h"
#include "remediation/HiddenPaths.h"
#include "scanner/CheckFile.h"
#include "scanner/ScanReport.h"
#include "tests/scanner/LinkFixture.h"
#include "tests/support/FakeEngine.h"

namespace vestra::testing {

inline constexpr char16_t kEnginePath[] = u"C:\\Program Files\\Vestra\\VestEngine.dll";

// Engine results: category + 16 * action.
inline constexpr std::int32_t kWormDelete = 1 + 16 * 1;      // "Worm", DEL
inline constexpr std::int32_t kVirusCage = 2 + 16 * 2;       // "Virus", CAGE
inline constexpr std::int32_t kTrojanInjected = 3 + 16 * 3;  // "Trojan", INJ
inline constexpr std::int32_t kScriptClean = 4 + 16 * 4;     // "Script Virus", CLN

class WalkFixture : public ::testing::Test {
protected:
    WalkFixture() {
        ResetEngineScript();
        os.files.AddFile(kEnginePath, std::string_view("MZ"));
        os.libraries.Register(kEnginePath, FakeEngineExports());
        engine = Engine::Load(os.libraries, kEnginePath);
        checker = std::make_unique<FileChecker>(*engine, os.files);
        os.files.AddDrive(u'E', platform::DriveType::Removable, u"FLASH");
    }

    // A clean file, or one the engine names `name` with `result`.
    void Plant(std::u16string_view path, std::int32_t result = 0, std::string name = "Test.Malware",
               std::uint32_t attributes = platform::attr::kArchive) {
        os.files.AddFile(path, std::string_view("content"), attributes);
        if (result != 0) {
            EngineScript().results[std::u16string(path)] = result;
            EngineScript().names[std::u16string(path)] = std::move(name);
        }
    }
    void PlantLink(std::u16string_view path, const LinkSpec& linkParts) {
        os.files.AddFile(path, BuildLink(linkParts));
    }

    // The paths the engine was asked about, in order, without the engine's own folder.
    std::vector<std::string> Scanned() const {
        std::vector<std::string> out;
        for (const auto& path : EngineScript().scanned)
            out.push_back(ToUtf8(path));
        return out;
    }
    std::vector<std::string> Column(const ResultList& list, std::size_t column) const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < list.Count(); ++i)
            out.push_back(ToUtf8(list.Cell(i, column)));
        return out;
    }

    platform::fake::FakePlatform os;
    std::unique_ptr<Engine> engine;
    std::unique_ptr<FileChecker> checker;
    ScanReport report;
    remediation::HiddenPaths hidden{os.files, report};
};

}  // namespace vestra::testing
