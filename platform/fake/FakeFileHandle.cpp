// Reads, writes, seeks and truncation on an open in-memory file, with the access checks of
// ReadFile, WriteFile and SetEndOfFile.
#include "platform/fake/FakeFileHandle.h"

#include <algorithm>

namespace vestra::platform::fake {

FakeFileHandle::~FakeFileHandle() {
    if (fs_ != nullptr)
        fs_->HandleClosed(this);
}

Result<std::size_t> FakeFileHandle::Read(std::span<std::uint8_t> buffer) {
    if (node_ == nullptr)
        return OsError::Other;
    if (OsError e = fs_->faults_.Next(FsOp::Read); e != OsError::None)
        return e;
    if (!CanRead())
        return OsError::AccessDenied;
    const auto& data = node_->data;
    if (position_ >= data.size())
        return std::size_t{0};
    std::size_t count = std::min<std::size_t>(buffer.size(), data.size() - position_);
    std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(position_), count, buffer.begin());
    position_ += count;
    return count;
}

OsError FakeFileHandle::Write(std::span<const std::uint8_t> bytes) {
    if (node_ == nullptr)
        return OsError::Other;
    if (OsError e = fs_->faults_.Next(FsOp::Write); e != OsError::None)
        return e;
    if (!CanWrite())
        return OsError::AccessDenied;
    auto& data = node_->data;
    // Writing past the end fills the gap with zeros, as NTFS does.
    if (data.size() < position_ + bytes.size())
        data.resize(position_ + bytes.size());
    std::copy(bytes.begin(), bytes.end(), data.begin() + static_cast<std::ptrdiff_t>(position_));
    position_ += bytes.size();
    return OsError::None;
}

OsError FakeFileHandle::Seek(std::uint64_t offset) {
    if (node_ == nullptr)
        return OsError::Other;
    if (OsError e = fs_->faults_.Next(FsOp::Seek); e != OsError::None)
        return e;
    position_ = offset;
    return OsError::None;
}

Result<std::uint64_t> FakeFileHandle::Size() {
    if (node_ == nullptr)
        return OsError::Other;
    if (OsError e = fs_->faults_.Next(FsOp::Size); e != OsError::None)
        return e;
    return static_cast<std::uint64_t>(node_->data.size());
}

OsError FakeFileHandle::Truncate() {
    if (node_ == nullptr)
        return OsError::Other;
    if (OsError e = fs_->faults_.Next(FsOp::Truncate); e != OsError::None)
        return e;
    if (!CanWrite())
        return OsError::AccessDenied;
    node_->data.resize(position_);
    return OsError::None;
}

}  // namespace vestra::platform::fake
