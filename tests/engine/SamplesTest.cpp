// The shipped database (dist/Vestra.loov of this build) against the harmless samples of
// tests/samples and the EICAR test file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/core/Engine.h"
#include "tests/engine/TestFiles.h"

namespace vestra::engine {
namespace {

struct Expected {
    std::string sample, name;
    int category = 0;
    std::string action;
};

std::filesystem::path FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::filesystem::path(value) : std::filesystem::path();
}

std::vector<Expected> ExpectedSamples(const std::filesystem::path& samples) {
    std::vector<Expected> rows;
    std::ifstream in(samples / "expected.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        Expected row;
        std::getline(fields, row.sample, '\t');
        std::getline(fields, row.name, '\t');
        fields >> row.category >> row.action;
        rows.push_back(row);
    }
    return rows;
}

class ShippedDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(FromEnvironment("VESTRA_BINARY_DIR").empty()) << "run through CTest";
        // A copy, so that user signatures of the test land in its own folder.
        std::filesystem::copy_file(FromEnvironment("VESTRA_BINARY_DIR") / "dist" / "Vestra.loov",
                                   folder_ / "Vestra.loov");
        ASSERT_EQ(engine_.Load(), LoadError::None);
    }

    testing::TempFolder folder_;
    Engine engine_{folder_ / "Vestra.loov"};
};

TEST_F(ShippedDatabase, DetectsEverySampleAsListed) {
    std::filesystem::path samples = FromEnvironment("VESTRA_SOURCE_DIR") / "tests" / "samples";
    std::vector<Expected> rows = ExpectedSamples(samples);
    ASSERT_GE(rows.size(), 7u);
    for (const Expected& row : rows) {
        std::optional<Detection> found = engine_.Scan(samples / row.sample);
        if (row.name == "-") {
            EXPECT_FALSE(found) << row.sample << " found as " << found->name;
            continue;
        }
        ASSERT_TRUE(found) << row.sample;
        EXPECT_EQ(found->name, row.name);
        EXPECT_EQ(found->category, row.category) << row.sample;
        EXPECT_EQ(ActionCode(found->action), row.action) << row.sample;
    }
}

TEST_F(ShippedDatabase, DetectsEicarAtTheStartOfAFileOnly) {
    testing::WriteBytes(folder_ / "eicar.com", testing::EicarText());
    testing::WriteBytes(folder_ / "eicar-crlf.txt", testing::EicarText() + "\r\n");
    testing::WriteBytes(folder_ / "late.txt", "x" + testing::EicarText());
    for (const char* name : {"eicar.com", "eicar-crlf.txt"}) {
        std::optional<Detection> found = engine_.Scan(folder_ / name);
        ASSERT_TRUE(found) << name;
        EXPECT_EQ(found->name, "Eicar-Test-Signature");
        EXPECT_EQ(found->Code(), 1 * 16 + 2);
    }
    EXPECT_FALSE(engine_.Scan(folder_ / "late.txt"));
}

}  // namespace
}  // namespace vestra::engine
