// Builds shell link (.lnk) bytes for tests, piece by piece as the format lays them out, so a test
// states which parts a link carries. Shared by the link, walk and scan-run suites.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vestra::testing {

struct LinkSpec {
    std::u16string localBasePath;       // link information; empty = none
    bool unicodeLinkInfo = false;       // also store the path as UTF-16 (header size 0x24)
    std::u16string volume;              // item list: "C:\"; empty = no item list
    std::vector<std::u16string> items;  // folder and file names below the volume
    bool longNames = true;              // give each item a version-8 long-name block
    std::u16string relativePath;
    std::u16string workingDir;
    std::u16string arguments;
    bool unicodeStrings = true;
};

class LinkBytes {
public:
    std::vector<std::uint8_t> bytes;

    void U8(std::uint32_t v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
    void U16(std::uint32_t v) {
        U8(v & 0xFF);
        U8((v >> 8) & 0xFF);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    void Ansi(const std::u16string& s) {
        for (char16_t c : s)
            U8(c & 0xFF);
        U8(0);
    }
    void Wide(const std::u16string& s) {
        for (char16_t c : s)
            U16(c);
        U16(0);
    }
    void Put16(std::size_t at, std::uint32_t v) {
        bytes[at] = static_cast<std::uint8_t>(v & 0xFF);
        bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
    }
    void Put32(std::size_t at, std::uint32_t v) {
        Put16(at, v & 0xFFFF);
        Put16(at + 2, v >> 16);
    }
};

inline std::vector<std::uint8_t> FileEntryItem(const std::u16string& name, bool folder,
                                               bool longName) {
    LinkBytes item;
    item.U16(0);  // size, patched below
    item.U8(folder ? 0x31 : 0x32);
    item.U8(0);
    item.U32(0);  // file size
    item.U32(0);  // modification time
    item.U16(folder ? 0x10 : 0x20);
    std::u16string shortName = name.size() > 8 ? name.substr(0, 6) + u"~1" : name;
    item.Ansi(shortName);
    if (item.bytes.size() % 2)
        item.U8(0);
    if (longName) {
        std::size_t block = item.bytes.size();
        item.U16(0);  // block size, patched
        item.U16(8);  // version 8
        item.U32(0xBEEF0004);
        item.U32(0);  // creation
        item.U32(0);  // access
        item.U16(0x2A);
        item.U16(0);
        for (int i = 0; i < 16; ++i)
            item.U8(0);  // file reference and unknown
        item.U16(0);     // long string size
        item.U32(0);     // version 8 field
        item.Wide(name);
        item.U16(static_cast<std::uint32_t>(block));  // where the first block starts
        item.Put16(block, static_cast<std::uint32_t>(item.bytes.size() - block));
    }
    item.Put16(0, static_cast<std::uint32_t>(item.bytes.size()));
    return item.bytes;
}

inline std::vector<std::uint8_t> BuildLink(const LinkSpec& linkParts) {
    LinkBytes b;
    std::uint32_t flags = 0;
    if (!linkParts.volume.empty())
        flags |= 0x1;
    if (!linkParts.localBasePath.empty())
        flags |= 0x2;
    if (!linkParts.relativePath.empty())
        flags |= 0x8;
    if (!linkParts.workingDir.empty())
        flags |= 0x10;
    if (!linkParts.arguments.empty())
        flags |= 0x20;
    if (linkParts.unicodeStrings)
        flags |= 0x80;
    b.U32(0x4C);
    for (std::uint8_t c : {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00,
                           0x00, 0x00, 0x00, 0x46}) {
        b.U8(c);
    }
    b.U32(flags);
    b.U32(0x20);
    for (int i = 0; i < 24; ++i)
        b.U8(0);  // times
    b.U32(0);     // size
    b.U32(0);     // icon index
    b.U32(1);     // show normal
    b.U16(0);
    b.U16(0);
    b.U32(0);
    b.U32(0);
    if (!linkParts.volume.empty()) {
        LinkBytes list;
        // The computer's own item (a root folder GUID), then the volume, then the entries.
        list.U16(20);
        list.U8(0x1F);
        list.U8(0x50);
        for (std::uint8_t c : {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10, 0xA2, 0xD8, 0x08,
                               0x00, 0x2B, 0x30, 0x30, 0x9D}) {
            list.U8(c);
        }
        std::size_t volume = list.bytes.size();
        list.U16(25);
        list.U8(0x2F);
        list.Ansi(linkParts.volume);
        while (list.bytes.size() < volume + 25)
            list.U8(0);
        for (std::size_t i = 0; i < linkParts.items.size(); ++i) {
            auto item = FileEntryItem(linkParts.items[i], i + 1 < linkParts.items.size(), linkParts.longNames);
            list.bytes.insert(list.bytes.end(), item.begin(), item.end());
        }
        list.U16(0);
        b.U16(static_cast<std::uint32_t>(list.bytes.size()));
        b.bytes.insert(b.bytes.end(), list.bytes.begin(), list.bytes.end());
    }
    if (!linkParts.localBasePath.empty()) {
        std::size_t start = b.bytes.size();
        std::uint32_t header = linkParts.unicodeLinkInfo ? 0x24 : 0x1C;
        b.U32(0);  // size, patched
        b.U32(header);
        b.U32(1);  // volume id and local base path
        for (std::uint32_t i = 0; i < (header - 12) / 4; ++i)
            b.U32(0);  // offsets, patched
        std::size_t volumeId = b.bytes.size() - start;
        b.U32(17);
        b.U32(3);
        b.U32(0x1234);
        b.U32(16);
        b.U8(0);
        std::size_t base = b.bytes.size() - start;
        b.Ansi(linkParts.localBasePath);
        std::size_t suffix = b.bytes.size() - start;
        b.U8(0);
        b.Put32(start + 12, static_cast<std::uint32_t>(volumeId));
        b.Put32(start + 16, static_cast<std::uint32_t>(base));
        b.Put32(start + 24, static_cast<std::uint32_t>(suffix));
        if (linkParts.unicodeLinkInfo) {
            std::size_t baseW = b.bytes.size() - start;
            b.Wide(linkParts.localBasePath);
            std::size_t suffixW = b.bytes.size() - start;
            b.U16(0);
            b.Put32(start + 28, static_cast<std::uint32_t>(baseW));
            b.Put32(start + 32, static_cast<std::uint32_t>(suffixW));
        }
        b.Put32(start, static_cast<std::uint32_t>(b.bytes.size() - start));
    }
    for (const std::u16string* text : {&linkParts.relativePath, &linkParts.workingDir, &linkParts.arguments}) {
        if (text->empty())
            continue;
        b.U16(static_cast<std::uint32_t>(text->size()));
        for (char16_t c : *text) {
            if (linkParts.unicodeStrings) {
                b.U16(c);
            } else {
                b.U8(c & 0xFF);
            }
        }
    }
    b.U32(0);  // terminal extra-data block
    return b.bytes;
}

}  // namespace vestra::testing
