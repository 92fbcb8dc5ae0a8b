// Times one full process listing as the process view and the protection host take it: the
// snapshot with every process's image path and creation time, then the modules of each. Starts
// copies of itself (suspended, so they cost nothing) until the machine runs COUNT processes.
//
//   process_list_bench.exe [COUNT] [ROUNDS]      (defaults 50 and 20)
//
// Prints "process-list processes=N modules=M rounds=R listing_ms=L with_modules_ms=T": the
// snapshot alone, and the snapshot with every process's modules, each per listing.
#include "platform/win32/Win32Platform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Processes.h"
#include "processes/ProcessList.h"

namespace {

using namespace vestra;

std::vector<PROCESS_INFORMATION> StartIdleCopies(int count) {
    wchar_t exe[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::vector<PROCESS_INFORMATION> started;
    for (int i = 0; i < count; ++i) {
        std::wstring line = L"\"" + std::wstring(exe) + L"\" --idle";
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info = {};
        if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                             nullptr, nullptr, &startup, &info)) {
            started.push_back(info);
        }
    }
    return started;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--idle")
        return 0;
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 50;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    platform::win32::Win32Processes processes;
    platform::win32::Win32FileSystem files;
    processes::ProcessList list(processes, files, u"C:\\windows\\");
    list.Refresh();
    const int running = static_cast<int>(list.entries().size());
    std::vector<PROCESS_INFORMATION> copies = StartIdleCopies(std::max(0, wanted - running));

    using Clock = std::chrono::steady_clock;
    auto msSince = [rounds](Clock::time_point start) {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / rounds;
    };
    auto start = Clock::now();
    for (int round = 0; round < rounds; ++round)
        list.Refresh();
    const double listingMs = msSince(start);
    // The parts of a listing, each over every listed process.
    start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const processes::ProcessInfo& p : list.entries())
            processes.ImagePath(p.processId);
    }
    const double imageMs = msSince(start);
    start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const processes::ProcessInfo& p : list.entries())
            processes.CreationTime(p.processId);
    }
    const double timeMs = msSince(start);
    start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        for (const processes::ProcessInfo& p : list.entries())
            files.LongPathName(p.path);
    }
    const double longMs = msSince(start);
    std::size_t modules = 0;
    start = Clock::now();
    for (int round = 0; round < rounds; ++round) {
        list.Refresh();
        modules = 0;
        for (const processes::ProcessInfo& p : list.entries()) {
            if (auto m = processes.Modules(p.processId))
                modules += m->size();
        }
    }
    const double withModulesMs = msSince(start);
    std::printf(
        "process-list processes=%zu modules=%zu rounds=%d listing_ms=%.1f "
        "with_modules_ms=%.1f image_ms=%.1f creation_ms=%.1f long_path_ms=%.1f\n",
        list.entries().size(), modules, rounds, listingMs, withModulesMs, imageMs, timeMs, longMs);
    for (PROCESS_INFORMATION& info : copies) {
        ::TerminateProcess(info.hProcess, 0);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    return 0;
}
