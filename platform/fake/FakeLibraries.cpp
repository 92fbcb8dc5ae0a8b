// Fake library loading and export lookup.
#include "platform/fake/FakeLibraries.h"

#include "platform/Text.h"
#include "platform/fake/FakeFileSystem.h"

namespace vestra::platform::fake {

namespace {

class FakeLibrary : public Library {
public:
    FakeLibrary(ExportTable exports, std::shared_ptr<int> live)
        : exports_(std::move(exports)), live_(std::move(live)) {
        ++*live_;
    }
    ~FakeLibrary() override { --*live_; }
    FakeLibrary(const FakeLibrary&) = delete;
    FakeLibrary& operator=(const FakeLibrary&) = delete;

    void* Procedure(const char* name) override {
        auto it = exports_.find(name);
        return it == exports_.end() ? nullptr : it->second;
    }

private:
    ExportTable exports_;
    std::shared_ptr<int> live_;  // shared so a library may outlive the fake that loaded it
};

}  // namespace

void FakeLibraries::Register(std::u16string_view path, ExportTable exports) {
    byPath_[UpperCase(path)] = std::move(exports);
}

std::unique_ptr<Library> FakeLibraries::Load(std::u16string_view path) {
    auto it = byPath_.find(UpperCase(path));
    if (it == byPath_.end())
        return nullptr;
    if (files_ != nullptr && (files_->IsFolder(path) || !files_->Exists(path)))
        return nullptr;
    ++loads_;
    return std::make_unique<FakeLibrary>(it->second, live_);
}

}  // namespace vestra::platform::fake
