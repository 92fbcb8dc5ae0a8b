// A block of memory inside the process that owns a window. Common controls answer their
// LVM_/TVM_/TCM_ queries through pointers, and a pointer is only valid in the control's own
// process, so the structures and text buffers for those messages must live there.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace winauto {

class RemoteMemory {
public:
    // Allocates `size` bytes in the process of `window`; check ok() before use.
    RemoteMemory(HWND window, size_t size);
    ~RemoteMemory();
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    bool ok() const { return base_ != nullptr; }
    // The address as the other process sees it, `offset` bytes into the block.
    LPARAM At(size_t offset) const { return reinterpret_cast<LPARAM>(base_) + offset; }
    bool Write(size_t offset, const void* data, size_t size);
    bool Read(size_t offset, void* data, size_t size) const;
    // Reads a NUL-terminated UTF-16 text of at most `max_chars` characters.
    std::wstring ReadText(size_t offset, size_t max_chars) const;

private:
    HANDLE process_ = nullptr;
    char* base_ = nullptr;
};

}  // namespace winauto
