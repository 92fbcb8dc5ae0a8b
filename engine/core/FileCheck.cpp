// The reading and judging of one file; which digests a file needs follows from its size alone.
#include "engine/core/FileCheck.h"

#include <algorithm>
#include <array>

#include "engine/core/ZipFormat.h"

namespace vestra::engine {

FileCheck::FileCheck(const Database& database, std::size_t blockSize)
    : database_(database), stream_(database.Patterns(), blockSize) {}

bool FileCheck::Open(const std::filesystem::path& path, const ExtraHashes* extra) {
    Close();
    archive_ = false;
    file_ = InputFile::Open(path);
    if (!file_ || file_->Size() == 0) {
        file_.reset();
        return false;
    }
    if (Start(file_->Size(), extra))
        return true;
    // Nothing in the database fits the file itself, but an archive's members may still match.
    std::array<std::uint8_t, 4> head{};
    archive_ =
        file_->Read(head) == static_cast<std::ptrdiff_t>(head.size()) && zip::LooksLikeZip(head);
    file_.reset();
    return false;
}

bool FileCheck::Open(ByteStream& input, std::uint64_t size, const ExtraHashes* extra) {
    Close();
    archive_ = false;
    input_ = &input;
    if (size > 0 && Start(size, extra))
        return true;
    input_ = nullptr;
    return false;
}

bool FileCheck::Start(std::uint64_t size, const ExtraHashes* extra) {
    size_ = size;
    extra_ = extra;
    md5Needed_ = database_.HasSize(DigestKind::Md5, size_);
    sha256Needed_ =
        database_.HasSize(DigestKind::Sha256, size_) || (extra && extra->HasSize(size_));
    patterns_ = !database_.Patterns().Empty();
    if (!patterns_ && !md5Needed_ && !sha256Needed_)
        return false;
    total_ = 0;
    block_ = 0;
    state_ = State::Reading;
    pattern_.reset();
    stream_.Reset();
    if (sha256Needed_)
        sha256_.Reset();
    return true;
}

std::span<const std::uint8_t> FileCheck::Read() {
    std::span<std::uint8_t> block = stream_.NextBlock();
    block = block.first(
        static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), size_ - total_)));
    // A short read is not the end of a regular file: fill the block, so that only a file's last
    // block is partial.
    block_ = 0;
    while (block_ < block.size()) {
        std::ptrdiff_t got = ReadInput(block.subspan(block_));
        if (got < 0) {
            state_ = State::Unreadable;
            return {};
        }
        if (got == 0)
            break;
        block_ += static_cast<std::size_t>(got);
    }
    if (block_ < block.size())
        state_ = State::Shrunk;
    std::span<const std::uint8_t> data = block.first(block_);
    if (total_ == 0)
        archive_ = zip::LooksLikeZip(data);
    if (sha256Needed_)
        sha256_.Update(data);
    return data;
}

void FileCheck::Commit() {
    total_ += block_;
    const bool last = state_ == State::Shrunk || total_ == size_;
    if (patterns_ && state_ != State::Unreadable)
        pattern_ = stream_.Commit(block_, last);
    block_ = 0;
    if (pattern_)
        state_ = State::Found;
    else if (state_ == State::Reading && last)
        state_ = State::Complete;
    if (Done())
        Close();
}

std::optional<Detection> FileCheck::Verdict(std::span<const std::uint8_t> md5) {
    switch (state_) {
        case State::Found:
            return database_.PatternDetection(*pattern_);
        case State::Complete:
            break;
        default:
            return std::nullopt;  // what could be read held no pattern; digests are of no use
    }
    // A pattern wins over the user's signatures, which win over MD5, then SHA-256.
    std::optional<Sha256> sha256;
    if (sha256Needed_) {
        sha256.emplace();
        std::ranges::copy(sha256_.Finish(), sha256->begin());
        if (extra_) {
            if (auto found = extra_->Find(size_, *sha256))
                return found;
        }
    }
    if (md5Needed_ && md5.size() == std::tuple_size_v<Md5>) {
        if (auto found = database_.FindHash(DigestKind::Md5, size_, md5))
            return found;
    }
    if (sha256)
        return database_.FindHash(DigestKind::Sha256, size_, *sha256);
    return std::nullopt;
}

std::optional<Detection> FileCheck::ReadToEnd(StreamDigest* md5) {
    const bool hashing = md5Needed_ && md5;
    if (hashing)
        md5->Reset();
    while (!Done()) {
        std::span<const std::uint8_t> data = Read();
        if (hashing)
            md5->Update(data);
        Commit();
    }
    return Verdict(hashing && Complete() ? md5->Finish() : std::span<const std::uint8_t>());
}

}  // namespace vestra::engine
