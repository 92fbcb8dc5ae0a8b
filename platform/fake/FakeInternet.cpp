// Fake URL reads and downloads.
#include "platform/fake/FakeInternet.h"

#include "platform/fake/FakeFileSystem.h"

namespace vestra::platform::fake {

Result<std::string> FakeInternet::ReadUrl(std::u16string_view url) {
    requests_.emplace_back(url);
    if (!connected_)
        return OsError::NotReady;
    auto it = bodies_.find(std::u16string(url));
    if (it == bodies_.end())
        return OsError::FileNotFound;
    return it->second;
}

OsError FakeInternet::Download(std::u16string_view url, std::u16string_view destination) {
    requests_.emplace_back(url);
    if (!connected_)
        return OsError::NotReady;
    auto it = bodies_.find(std::u16string(url));
    if (it == bodies_.end())
        return OsError::FileNotFound;
    if (files_ == nullptr)
        return OsError::None;
    auto file =
        files_->Open(destination, FileAccess::Write, share::kNone, Disposition::CreateAlways);
    if (!file)
        return file.error();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(it->second.data());
    return (*file)->Write(std::span<const std::uint8_t>(bytes, it->second.size()));
}

}  // namespace vestra::platform::fake
