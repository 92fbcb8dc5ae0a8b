// Allocation, copying and release of a memory block in another process.
#include "tools/winauto/RemoteMemory.h"

#include <vector>

namespace winauto {

RemoteMemory::RemoteMemory(HWND window, size_t size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, pid);
    if (process_ == nullptr) {
        return;
    }
    base_ = static_cast<char*>(
        VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
}

RemoteMemory::~RemoteMemory() {
    if (base_ != nullptr) {
        VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    }
    if (process_ != nullptr) {
        CloseHandle(process_);
    }
}

bool RemoteMemory::Write(size_t offset, const void* data, size_t size) {
    SIZE_T done = 0;
    return WriteProcessMemory(process_, base_ + offset, data, size, &done) && done == size;
}

bool RemoteMemory::Read(size_t offset, void* data, size_t size) const {
    SIZE_T done = 0;
    return ReadProcessMemory(process_, base_ + offset, data, size, &done) && done == size;
}

std::wstring RemoteMemory::ReadText(size_t offset, size_t max_chars) const {
    std::vector<wchar_t> buffer(max_chars + 1, L'\0');
    if (!Read(offset, buffer.data(), max_chars * sizeof(wchar_t))) {
        return L"";
    }
    buffer[max_chars] = L'\0';
    return buffer.data();
}

}  // namespace winauto
