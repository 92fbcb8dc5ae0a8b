// A small ZIP writer for the engine's tests: members stored or deflated through zlib, ZIP64
// records on request, and every field of a member's records open to change before writing, so
// that a test can build the damaged and hostile archives it needs.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::engine::testing {

using ZipBytes = std::vector<std::uint8_t>;

inline ZipBytes AsBytes(std::string_view text) {
    return {text.begin(), text.end()};
}

inline ZipBytes RawDeflate(const ZipBytes& data) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    ZipBytes out(deflateBound(&z, static_cast<uLong>(data.size())) + 16);
    z.next_in = const_cast<Bytef*>(data.data());
    z.avail_in = static_cast<uInt>(data.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

class ZipWriter {
public:
    enum Method : std::uint16_t { kStored = 0, kDeflated = 8 };

    // What the records of one member say, and the bytes that follow its local header.
    struct Member {
        std::string name;
        std::uint16_t method = kDeflated;
        std::uint16_t flags = 0;
        std::uint32_t crc = 0;
        std::uint64_t compressedSize = 0, size = 0;
        ZipBytes payload;
        std::optional<std::uint64_t> offset;  // of the local header, when not where it is written
    };

    Member& Add(std::string name, const ZipBytes& data, Method method = kDeflated) {
        Member member;
        member.name = std::move(name);
        member.method = method;
        member.crc =
            static_cast<std::uint32_t>(crc32(0, data.data(), static_cast<uInt>(data.size())));
        member.payload = method == kDeflated ? RawDeflate(data) : data;
        member.compressedSize = member.payload.size();
        member.size = data.size();
        members_.push_back(std::move(member));
        return members_.back();
    }
    Member& Add(std::string name, std::string_view text, Method method = kDeflated) {
        return Add(std::move(name), AsBytes(text), method);
    }
    Member& operator[](std::size_t i) { return members_[i]; }

    // With `zip64`, every member carries its sizes and offset in a ZIP64 extra block and the
    // directory is found through the ZIP64 end record.
    ZipBytes Write(bool zip64 = false) const {
        ZipBytes out, directory;
        for (const Member& m : members_) {
            const std::uint64_t offset = m.offset.value_or(out.size());
            Put32(out, 0x04034b50);
            Put16(out, zip64 ? 45 : 20);
            Put16(out, m.flags);
            Put16(out, m.method);
            Put32(out, 0);  // time and date
            Put32(out, m.crc);
            Put32(out, zip64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(m.compressedSize));
            Put32(out, zip64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(m.size));
            Put16(out, static_cast<std::uint16_t>(m.name.size()));
            Put16(out, zip64 ? 20 : 0);
            out.insert(out.end(), m.name.begin(), m.name.end());
            if (zip64) {
                Put16(out, 1);
                Put16(out, 16);
                Put64(out, m.size);
                Put64(out, m.compressedSize);
            }
            out.insert(out.end(), m.payload.begin(), m.payload.end());
            Central(directory, m, offset, zip64);
        }
        const std::uint64_t directoryAt = out.size();
        out.insert(out.end(), directory.begin(), directory.end());
        End(out, directoryAt, directory.size(), zip64);
        return out;
    }

    static void Put16(ZipBytes& out, std::uint32_t v) {
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    static void Put32(ZipBytes& out, std::uint32_t v) {
        Put16(out, v & 0xFFFF);
        Put16(out, v >> 16);
    }
    static void Put64(ZipBytes& out, std::uint64_t v) {
        Put32(out, static_cast<std::uint32_t>(v));
        Put32(out, static_cast<std::uint32_t>(v >> 32));
    }

private:
    void Central(ZipBytes& out, const Member& m, std::uint64_t offset, bool zip64) const {
        Put32(out, 0x02014b50);
        Put16(out, zip64 ? 45 : 20);
        Put16(out, zip64 ? 45 : 20);
        Put16(out, m.flags);
        Put16(out, m.method);
        Put32(out, 0);
        Put32(out, m.crc);
        Put32(out, zip64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(m.compressedSize));
        Put32(out, zip64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(m.size));
        Put16(out, static_cast<std::uint16_t>(m.name.size()));
        Put16(out, zip64 ? 28 : 0);
        Put16(out, 0);  // comment
        Put16(out, 0);  // disk
        Put16(out, 0);
        Put32(out, 0);
        Put32(out, zip64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(offset));
        out.insert(out.end(), m.name.begin(), m.name.end());
        if (zip64) {
            Put16(out, 1);
            Put16(out, 24);
            Put64(out, m.size);
            Put64(out, m.compressedSize);
            Put64(out, offset);
        }
    }

    void End(ZipBytes& out, std::uint64_t directoryAt, std::uint64_t directorySize,
             bool zip64) const {
        const std::uint64_t count = members_.size();
        if (zip64) {
            const std::uint64_t recordAt = out.size();
            Put32(out, 0x06064b50);
            Put64(out, 44);
            Put16(out, 45);
            Put16(out, 45);
            Put32(out, 0);
            Put32(out, 0);
            Put64(out, count);
            Put64(out, count);
            Put64(out, directorySize);
            Put64(out, directoryAt);
            Put32(out, 0x07064b50);
            Put32(out, 0);
            Put64(out, recordAt);
            Put32(out, 1);
        }
        Put32(out, 0x06054b50);
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, zip64 ? 0xFFFF : static_cast<std::uint16_t>(count));
        Put16(out, zip64 ? 0xFFFF : static_cast<std::uint16_t>(count));
        Put32(out, zip64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(directorySize));
        Put32(out, zip64 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(directoryAt));
        Put16(out, 0);
    }

    std::vector<Member> members_;
};

}  // namespace vestra::engine::testing
