// vestsig scan: gathers the files, checks them in batches on one thread per processor (largest
// first, so that no thread is left with a big file at the end), then prints the detections in
// path order (a member of an archive as ARCHIVE/MEMBER) and a summary that counts the archives
// that could not be checked whole.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <future>
#include <thread>

#include "engine/core/BatchScanner.h"
#include "engine/core/FileScanner.h"
#include "tools/vestsig/Commands.h"

namespace vestra::vestsig {

namespace fs = std::filesystem;

namespace {

struct Target {
    fs::path path;
    std::uintmax_t size = 0;
    engine::ScanResult result;
};

std::uintmax_t SizeOf(const fs::directory_entry& entry) {
    std::error_code error;
    std::uintmax_t size = entry.file_size(error);
    return error ? 0 : size;
}

void AddFolder(const fs::path& folder, bool recursive, std::vector<Target>& targets) {
    std::vector<Target> found;
    std::error_code error;
    auto options = fs::directory_options::skip_permission_denied;
    auto take = [&](const fs::directory_entry& entry) {
        std::error_code ignored;
        if (entry.is_regular_file(ignored))
            found.push_back({entry.path(), SizeOf(entry), {}});
    };
    if (recursive) {
        for (fs::recursive_directory_iterator it(folder, options, error), end; !error && it != end;
             it.increment(error)) {
            take(*it);
        }
    } else {
        for (fs::directory_iterator it(folder, options, error), end; !error && it != end;
             it.increment(error)) {
            take(*it);
        }
    }
    std::ranges::sort(found, {}, &Target::path);
    std::ranges::move(found, std::back_inserter(targets));
}

// False when a named path does not exist.
bool Gather(const ScanOptions& options, std::vector<Target>& targets) {
    bool good = true;
    for (const fs::path& path : options.targets) {
        std::error_code error;
        fs::file_status status = fs::status(path, error);
        if (fs::is_directory(status)) {
            AddFolder(path, options.recursive, targets);
        } else if (fs::exists(status)) {
            targets.push_back({path, fs::file_size(path, error), {}});
        } else {
            std::fprintf(stderr, "%s: no such file or folder\n", Display(path).c_str());
            good = false;
        }
    }
    return good;
}

void ScanAll(std::shared_ptr<const engine::Database> database, std::vector<Target>& targets,
             unsigned threads, bool perFile) {
    std::vector<std::size_t> order(targets.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::ranges::sort(order, std::greater<>(), [&](std::size_t i) { return targets[i].size; });
    std::atomic<std::size_t> next{0};
    auto take = [&]() -> std::optional<engine::BatchScanner::Job> {
        std::size_t i = next.fetch_add(1);
        if (i >= order.size())
            return std::nullopt;
        return engine::BatchScanner::Job{targets[order[i]].path, order[i]};
    };
    auto keep = [&](std::size_t id, engine::ScanResult result) {
        targets[id].result = std::move(result);
    };
    auto work = [&] {
        if (!perFile) {
            engine::BatchScanner(database).Run(take, keep);
            return;
        }
        engine::FileScanner scanner(database);
        while (std::optional<engine::BatchScanner::Job> job = take())
            keep(job->id, scanner.Check(job->path));
    };
    std::vector<std::jthread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int Scan(const ScanOptions& options) {
    auto start = std::chrono::steady_clock::now();
    // Loading the database and walking the folders both come before the first check; they
    // overlap on two threads.
    double loadSeconds = 0;
    std::future<engine::DatabaseLoad> loading = std::async(std::launch::async, [&] {
        engine::DatabaseLoad load = engine::Database::Load(options.database);
        loadSeconds = SecondsSince(start);
        return load;
    });
    std::vector<Target> targets;
    bool good = Gather(options, targets);
    engine::DatabaseLoad load = loading.get();
    if (!load.database) {
        std::fprintf(stderr, "%s: %s\n", Display(options.database).c_str(),
                     engine::LoadErrorText(load.error));
        return kExitError;
    }
    unsigned threads =
        options.threads ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    ScanAll(load.database, targets, std::min<unsigned>(threads, 64), options.perFile);

    std::size_t found = 0, partly = 0;
    for (const Target& target : targets) {
        partly += target.result.incomplete ? 1 : 0;
        if (!target.result.detection)
            continue;
        ++found;
        std::string where = Display(target.path);
        if (!target.result.member.empty())
            where += "/" + target.result.member;
        std::printf("%s: %s FOUND\n", where.c_str(), target.result.detection->name.c_str());
    }
    std::printf("\nScanned files: %zu\nNot fully scanned: %zu\nDetections: %zu\n", targets.size(),
                partly, found);
    std::printf("Signatures: %u hash, %u body (loaded in %.3f s)\nTime: %.3f s\n",
                load.database->HashCount(), load.database->PatternCount(), loadSeconds,
                SecondsSince(start));
    if (!good)
        return kExitError;
    return found ? kExitFound : kExitClean;
}

}  // namespace vestra::vestsig
