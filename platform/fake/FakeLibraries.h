// Libraries that tests register by path, each with its exports (name -> function pointer).
// Load answers nullptr for an unregistered path, or when an attached FakeFileSystem does not
// hold the file. The fake counts loaded libraries so tests can see every one unloaded.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/Libraries.h"

namespace vestra::platform::fake {

class FakeFileSystem;

using ExportTable = std::map<std::string, void*>;

class FakeLibraries : public Libraries {
public:
    explicit FakeLibraries(FakeFileSystem* files = nullptr) : files_(files) {}

    void Register(std::u16string_view path, ExportTable exports);
    // Libraries loaded and not yet destroyed, and Load calls that succeeded in total.
    int liveCount() const { return *live_; }
    int loadCount() const { return loads_; }

    std::unique_ptr<Library> Load(std::u16string_view path) override;

private:
    FakeFileSystem* files_;
    std::map<std::u16string, ExportTable> byPath_;  // by upper-cased path
    std::shared_ptr<int> live_ = std::make_shared<int>(0);
    int loads_ = 0;
};

}  // namespace vestra::platform::fake
