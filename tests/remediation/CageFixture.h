// A small machine for the quarantine and cleaning suites: drives C: (fixed) and E: (removable),
// the quarantine folders, and helpers that list what the quarantine folder holds.
#pragma once

#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/fake/FakeFileSystem.h"
#include "remediation/CageStore.h"

namespace vestra::remediation::testing {

inline constexpr char16_t kCage[] = u"C:\\[Vest-Cage]\\";
inline constexpr char16_t kOldCage[] = u"C:\\[VestCage]\\";

inline std::vector<std::uint8_t> Bytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

class CageMachine {
public:
    CageMachine() {
        files.AddDrive(u'C', platform::DriveType::Fixed);
        files.AddDrive(u'E', platform::DriveType::Removable);
        files.AddFolder(u"C:\\[Vest-Cage]", platform::attr::kHidden | platform::attr::kSystem);
    }
    // Names of the files in the quarantine folder, in listing order.
    std::vector<std::string> CageNames() {
        std::vector<std::string> names;
        auto listing = files.Find(std::u16string(kCage) + u"*");
        if (listing) {
            for (const platform::FindEntry& e : *listing)
                names.push_back(ToUtf8(e.name));
        }
        return names;
    }

    platform::fake::FakeFileSystem files;
    CageStore store{files, CageFolders{kCage, kOldCage}};
};

// One call of one file operation, to be failed once.
struct FaultPoint {
    platform::fake::FsOp op;
    std::uint32_t nth;
};

inline std::string Describe(const FaultPoint& p) {
    return "operation " + std::to_string(static_cast<int>(p.op)) + ", call " +
           std::to_string(p.nth);
}

// Every call that `action` makes on a machine laid out by `setup`, counted in a clean run; a
// sweep then fails each of them once on a fresh machine.
template <class Machine = CageMachine, class Setup, class Action>
std::vector<FaultPoint> FaultPoints(Setup setup, Action action) {
    using platform::fake::FsOp;
    Machine probe;
    auto state = setup(probe);
    std::vector<std::uint32_t> before;
    for (std::size_t op = 0; op < static_cast<std::size_t>(FsOp::Count); ++op)
        before.push_back(probe.files.faults().Calls(static_cast<FsOp>(op)));
    action(probe, state);
    std::vector<FaultPoint> points;
    for (std::size_t op = 0; op < static_cast<std::size_t>(FsOp::Count); ++op) {
        std::uint32_t calls = probe.files.faults().Calls(static_cast<FsOp>(op)) - before[op];
        for (std::uint32_t n = 1; n <= calls; ++n)
            points.push_back({static_cast<FsOp>(op), n});
    }
    return points;
}

}  // namespace vestra::remediation::testing
