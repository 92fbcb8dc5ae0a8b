// vestsig: compiles signature sources into Vestra.loov, scans files with it, lists it.
//   vestsig compile SRC... -o Vestra.loov
//   vestsig scan [-r] [-j N] [--per-file] -d Vestra.loov PATH...
//   vestsig list -d Vestra.loov
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/vestsig/Commands.h"

namespace {

using namespace vestra::vestsig;

int Usage() {
    std::fputs(
        "usage: vestsig compile SRC... -o OUT.loov\n"
        "       vestsig scan [-r] [-j THREADS] [--per-file] -d DB.loov PATH...\n"
        "       vestsig list -d DB.loov\n",
        stderr);
    return kExitError;
}

int RunCompile(int argc, char** argv) {
    std::vector<std::filesystem::path> sources;
    std::filesystem::path output;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
            output = argv[++i];
        } else {
            sources.emplace_back(argv[i]);
        }
    }
    if (sources.empty() || output.empty())
        return Usage();
    return Compile(sources, output);
}

int RunScan(int argc, char** argv) {
    ScanOptions options;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "-r") {
            options.recursive = true;
        } else if (arg == "-d" && i + 1 < argc) {
            options.database = argv[++i];
        } else if (arg == "--per-file") {
            options.perFile = true;
        } else if (arg == "-j" && i + 1 < argc) {
            options.threads = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg.starts_with("-") && arg.size() > 1) {
            return Usage();
        } else {
            options.targets.emplace_back(arg);
        }
    }
    if (options.database.empty() || options.targets.empty())
        return Usage();
    return Scan(options);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    std::string command = argv[1];
    if (command == "compile")
        return RunCompile(argc, argv);
    if (command == "scan")
        return RunScan(argc, argv);
    if (command == "list" && argc == 4 && std::strcmp(argv[2], "-d") == 0)
        return List(argv[3]);
    return Usage();
}
