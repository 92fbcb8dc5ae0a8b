// Times one whole scan run (target tree, counting pass, walk, single-file checks through the
// engine library, hidden-path tests, message pumping between entries) over a folder, with no
// window: the figure to set beside the engine's own command-line scan of the same tree.
//
//   scan_run_bench.exe VestEngine.dll FOLDER
//
// Prints "scan-run files=N detected=D seconds=S files_per_second=F" on one line.
#include "platform/win32/Win32Platform.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/Text.h"
#include "remediation/HiddenPaths.h"
#include "scanner/ScanRun.h"

namespace {

using namespace vestra;

// The real message pump, and message boxes answered at once: nobody watches a benchmark.
class UnattendedWindows : public platform::WindowSystem {
public:
    explicit UnattendedWindows(platform::WindowSystem& real) : real_(real) {}
    platform::WindowId FindTopWindow(std::u16string_view, std::u16string_view) override {
        return platform::kNoWindow;
    }
    platform::WindowId FindChild(platform::WindowId, platform::WindowId,
                                 std::u16string_view) override {
        return platform::kNoWindow;
    }
    std::u16string GetText(platform::WindowId, std::size_t) override { return {}; }
    bool SetText(platform::WindowId, std::u16string_view) override { return false; }
    int MessageBox(std::u16string_view, std::u16string_view, std::uint32_t) override {
        return platform::mb::kAnswerOk;
    }
    void PumpMessages() override { real_.PumpMessages(); }

private:
    platform::WindowSystem& real_;
};

using Clock = std::chrono::steady_clock;

// Pumps like the main window and notes when counting starts and ends.
class PumpingView : public ScanRunView {
public:
    explicit PumpingView(platform::WindowSystem& windows) : windows_(windows) {}
    void PumpMessages() override {
        if (pump)
            windows_.PumpMessages();
    }
    void StopCaptionChanged(std::u16string_view caption) override {
        if (caption == StopCaption(StopButton::Skip))
            countStart = Clock::now();
        if (caption == StopCaption(StopButton::Stop) && countStart != Clock::time_point{})
            walkStart = Clock::now();
    }
    bool pump = true;
    Clock::time_point countStart, walkStart;

private:
    platform::WindowSystem& windows_;
};

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

std::u16string Widen(const char* text) {
    std::u16string out;
    for (; *text; ++text)
        out.push_back(static_cast<unsigned char>(*text));
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: scan_run_bench VestEngine.dll FOLDER\n", stderr);
        return 2;
    }
    platform::win32::Win32Platform real;
    platform::Platform os = real.platform();
    auto engine = Engine::Load(os.libraries, Widen(argv[1]));
    if (!engine) {
        std::fprintf(stderr, "cannot load the engine %s\n", argv[1]);
        return 2;
    }
    engine->Start();

    config::MessageTable messages;
    messages.LoadMessages(config::kLanguageEnglish);
    FileChecker checker(*engine, os.files);
    TargetTree tree(os.files);
    for (std::u16string_view key :
         {kKeySystem, kKeyProcesses, kKeyServices, kKeyRegistry, kKeyStartup}) {
        tree.SetCheck(tree.FindKey(key), false);
    }
    if (CheckTree(tree, os.files, Widen(argv[2]), false) == kNoNode) {
        std::fprintf(stderr, "no such folder %s\n", argv[2]);
        return 2;
    }
    ScanReport report;
    remediation::HiddenPaths hidden(os.files, report);
    UnattendedWindows windows(os.windows);
    PumpingView view(os.windows);
    ScanRun run({os.files, os.system, windows, messages, checker, tree, report, hidden.Check()},
                view);

    view.pump = std::getenv("SCAN_RUN_BENCH_NO_PUMP") == nullptr;
    auto start = Clock::now();
    run.StartScan(false);
    auto end = Clock::now();
    double seconds = Seconds(start, end);
    const ScanState& state = report.state;
    std::printf(
        "scan-run files=%d detected=%d seconds=%.3f files_per_second=%.0f"
        " counting=%.3f walk=%.3f\n",
        state.filesScanned, state.filesDetected, seconds,
        seconds > 0 ? state.filesScanned / seconds : 0.0, Seconds(view.countStart, view.walkStart),
        Seconds(view.walkStart, end));
    return 0;
}
