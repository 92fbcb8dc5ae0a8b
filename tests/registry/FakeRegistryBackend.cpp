// The registry-backed suites on the in-memory fakes.
#include "platform/fake/FakePlatform.h"
#include "tests/registry/RegistryBackend.h"

namespace vestra::regtest {
namespace {

class FakeBackend : public RegistryBackend {
public:
    FakeBackend() {
        fake_.files.AddFolder(ScratchFolder());
        fake_.system.SetEnvironment(u"VESTRATESTDIR", u"C:\\Scratch\\Env");
    }

    platform::Registry& Registry() override { return fake_.registry; }
    platform::System& System() override { return fake_.system; }
    platform::FileSystem& Files() override { return fake_.files; }
    std::u16string ScratchKey() const override { return u"SOFTWARE\\VESTR\u0394 Test"; }
    std::u16string ScratchFolder() const override { return u"C:\\Scratch"; }
    std::u16string KnownVariable() const override { return u"VESTRATESTDIR"; }
    std::u16string KnownVariableValue() override { return u"C:\\Scratch\\Env"; }

private:
    platform::fake::FakePlatform fake_;
};

}  // namespace

std::unique_ptr<RegistryBackend> MakeRegistryBackend() {
    return std::make_unique<FakeBackend>();
}

}  // namespace vestra::regtest
