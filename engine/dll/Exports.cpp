// VestEngine.dll's exports: stdcall, 32-bit integers, NUL-terminated UTF-16 paths, names in the
// caller's 128-byte ANSI buffer. One engine per process, found beside this library and used
// under a lock; no exception leaves the library.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include "engine/core/Engine.h"
#include "engine/dll/ProcessKill.h"

using vestra::engine::Engine;
using vestra::engine::LoadError;

namespace {

constexpr std::size_t kNameBufferSize = 128;

// The folder of this library, not of the program that loaded it.
std::filesystem::path LibraryFolder() {
    HMODULE self = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&LibraryFolder), &self);
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(self, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return std::filesystem::path(buffer).parent_path();
        }
        buffer.resize(buffer.size() * 2);
    }
}

struct Library {
    std::mutex lock;
    std::unique_ptr<Engine> engine;
};

Library& State() {
    static Library library;
    return library;
}

// The engine, loaded at first use when VestInitDB was not called first. Call under the lock.
Engine& LoadedEngine(Library& library) {
    if (!library.engine) {
        library.engine = std::make_unique<Engine>(LibraryFolder() / L"Vestra.loov");
        library.engine->Load();
    }
    return *library.engine;
}

template <class Action>
std::int32_t WithEngine(Action action) {
    try {
        Library& library = State();
        std::lock_guard guard(library.lock);
        return action(LoadedEngine(library));
    } catch (...) {
        return 0;
    }
}

void WriteName(char* buffer, const std::string& name) {
    if (!buffer)
        return;
    std::size_t length = std::min(name.size(), kNameBufferSize - 1);
    std::memcpy(buffer, name.data(), length);
    buffer[length] = '\0';
}

}  // namespace

extern "C" {

// 1 when the database loaded; otherwise minus the reason (LoadError) and an empty database.
std::int32_t __stdcall VestInitDB() {
    try {
        Library& library = State();
        std::lock_guard guard(library.lock);
        if (!library.engine)
            library.engine = std::make_unique<Engine>(LibraryFolder() / L"Vestra.loov");
        LoadError error = library.engine->Load();
        return error == LoadError::None ? 1 : -static_cast<std::int32_t>(error);
    } catch (...) {
        return 0;
    }
}

std::int32_t __stdcall VestCountDB(std::int32_t kind) {
    return WithEngine(
        [&](Engine& engine) { return static_cast<std::int32_t>(engine.Count(kind)); });
}

std::int32_t __stdcall VestScanFile(const wchar_t* path, char* name) {
    if (!path)
        return 0;
    return WithEngine([&](Engine& engine) {
        std::optional<vestra::engine::Detection> found = engine.Scan(path);
        if (!found)
            return 0;
        WriteName(name, found->name);
        return found->Code();
    });
}

// Type: the entry's category.
std::int32_t __stdcall VestEnumDB(std::int32_t kind, std::int32_t index, std::int32_t* type,
                                  char* name) {
    if (index < 0)
        return 0;
    return WithEngine([&](Engine& engine) {
        std::optional<vestra::engine::Detection> entry =
            engine.Entry(kind, static_cast<std::uint32_t>(index));
        if (!entry)
            return 0;
        if (type)
            *type = entry->category;
        WriteName(name, entry->name);
        return 1;
    });
}

std::int32_t __stdcall VestFileChecksum(const wchar_t* path, std::int32_t* a, std::int32_t* b) {
    if (a)
        *a = 0;
    if (b)
        *b = 0;
    if (!path)
        return 0;
    try {
        std::optional<vestra::engine::Checksum> checksum = vestra::engine::FileChecksum(path);
        if (!checksum)
            return 0;
        if (a)
            *a = static_cast<std::int32_t>(checksum->a);
        if (b)
            *b = static_cast<std::int32_t>(checksum->b);
        return 1;
    } catch (...) {
        return 0;
    }
}

std::int32_t __stdcall VestAddVBU(const wchar_t* path, const char* name) {
    if (!path)
        return 0;
    std::string text = name ? name : "";
    return WithEngine([&](Engine& engine) { return engine.AddUser(path, text) ? 1 : 0; });
}

std::int32_t __stdcall VestRemoveVBU(const wchar_t* path) {
    if (!path)
        return 0;
    return WithEngine([&](Engine& engine) { return engine.RemoveUser(path) ? 1 : 0; });
}

std::int32_t __stdcall SuperKill(std::int32_t processId) {
    try {
        return vestra::engine::KillProcess(static_cast<std::uint32_t>(processId)) ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

}  // extern "C"
