// Commands that start and stop programs. "run" takes the whole command line as one text, as the
// shell would pass it, so a test controls the quoting exactly; it stays until the program ends so
// that the exit code is never lost.
#include "tools/winauto/Commands.h"
#include "tools/winauto/Output.h"

#include <vector>

namespace winauto {

int CmdRun(const Args& args) {
    auto command_line = args.Text(L"--cmdline");
    if (!command_line || command_line->empty()) {
        return UsageError(L"run needs --cmdline");
    }
    auto folder = args.Text(L"--cwd");
    std::vector<wchar_t> line(command_line->begin(), command_line->end());
    line.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder ? folder->c_str() : nullptr, &startup, &process)) {
        return NotFound(L"cannot start the program (error " + std::to_wstring(GetLastError()) +
                        L")");
    }
    CloseHandle(process.hThread);
    PrintFields({L"pid", std::to_wstring(process.dwProcessId)});
    DWORD timeout = args.Has(L"--timeout") ? args.Timeout(0) : INFINITE;
    if (WaitForSingleObject(process.hProcess, timeout) != WAIT_OBJECT_0) {
        // Nobody else will end it: a test that timed out must not leave the program behind.
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        PrintFields({L"timeout"});
        return kNotFound;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    PrintFields({L"exit", std::to_wstring(code)});
    return kOk;
}

int CmdKill(const Args& args) {
    auto pid = args.Number(L"--pid");
    if (!pid) {
        return UsageError(L"kill needs --pid");
    }
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(*pid));
    if (process == nullptr) {
        return NotFound(L"no such process");
    }
    bool ended =
        TerminateProcess(process, 1) && WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended ? kOk : NotFound(L"the process did not end");
}

}  // namespace winauto
