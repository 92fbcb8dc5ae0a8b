// Loading a library by path; the returned object frees it.
#include "platform/win32/Win32Libraries.h"

namespace vestra::platform::win32 {

namespace {

class Win32Library : public Library {
public:
    explicit Win32Library(HMODULE module) : module_(module) {}
    void* Procedure(const char* name) override {
        return reinterpret_cast<void*>(::GetProcAddress(module_.get(), name));
    }

private:
    ModuleOwner module_;
};

}  // namespace

std::unique_ptr<Library> Win32Libraries::Load(std::u16string_view path) {
    // No "cannot find" or "bad image" dialog for a missing or damaged file: the caller decides.
    DWORD previous = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous);
    HMODULE module = ::LoadLibraryW(W(std::u16string(path)));
    ::SetThreadErrorMode(previous, nullptr);
    if (module == nullptr)
        return nullptr;
    return std::make_unique<Win32Library>(module);
}

}  // namespace vestra::platform::win32
