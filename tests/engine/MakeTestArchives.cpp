// Writes a few archives for the command-line tests and the archive fuzzer's seeds:
//   make_test_archives FOLDER
// nested.zip (the test file inside an archive inside it), stored.zip, zip64.zip, clean.zip, and
// two that cannot be scanned whole: bomb.zip (expands a thousandfold) and truncated.zip.
#include <cstdio>
#include <filesystem>

#include "tests/engine/TestFiles.h"
#include "tests/engine/ZipWriter.h"

using namespace vestra::engine::testing;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_test_archives FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    auto write = [&](const char* name, const ZipWriter& writer, bool zip64 = false) {
        WriteBytes(folder / name, writer.Write(zip64));
    };
    ZipWriter inner, nested, stored, zip64, clean, bomb;
    inner.Add("readme.txt", "nothing to see");
    inner.Add("eicar.com", EicarText());
    nested.Add("inner.zip", inner.Write());
    write("nested.zip", nested);
    stored.Add("eicar.com", EicarText(), ZipWriter::kStored);
    write("stored.zip", stored);
    zip64.Add("dir/eicar.com", EicarText());
    write("zip64.zip", zip64, true);
    clean.Add("a.txt", "clean text");
    clean.Add("b/c.txt", "more clean text", ZipWriter::kStored);
    write("clean.zip", clean);
    bomb.Add("zeros.bin", ZipBytes(8u << 20, 0));
    write("bomb.zip", bomb);
    ZipBytes truncated = nested.Write();
    truncated.resize(truncated.size() / 2);
    WriteBytes(folder / "truncated.zip", truncated);
    return 0;
}
