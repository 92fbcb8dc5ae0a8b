// Times one full process listing as the process view and the protection host take it: the
// snapshot with every process's image path and creation time, then the modules of each. Starts
// copies of itself (suspended, so they cost nothing) until the machine runs COUNT processes.
//
//   process_list_bench.exe [COUNT] [ROUNDS]      (defaults 50 and 20)
//
// Prints "process-list processes=N modules=M rounds=R ms_per_listing=T" on one line.
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

    std::size_t modules = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int round = 0; round < rounds; ++round) {
        list.Refresh();
        modules = 0;
        for (const processes::ProcessInfo& p : list.entries()) {
            if (auto m = processes.Modules(p.processId))
                modules += m->size();
        }
    }
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count() /
        rounds;
    std::printf("process-list processes=%zu modules=%zu rounds=%d ms_per_listing=%.1f\n",
                list.entries().size(), modules, rounds, ms);
    for (PROCESS_INFORMATION& info : copies) {
        ::TerminateProcess(info.hProcess, 0);
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
    }
    return 0;
}
